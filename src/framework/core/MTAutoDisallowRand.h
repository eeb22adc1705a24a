// Forbids drawing random numbers for the life of the scope; scopes nest.
#pragma once

#include "core/MTRand.h"

namespace Tesk {

class MTAutoDisallowRand {
 public:
  MTAutoDisallowRand() { MTRand::SetRandAllowed(false); }
  ~MTAutoDisallowRand() { MTRand::SetRandAllowed(true); }
  MTAutoDisallowRand(const MTAutoDisallowRand&) = delete;
  MTAutoDisallowRand& operator=(const MTAutoDisallowRand&) = delete;
};

}  // namespace Tesk
