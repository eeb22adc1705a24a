// Orders byte strings without regard to ASCII case, so group names match whatever their case.
#pragma once

#include <strings.h>

#include <string>

namespace Tesk {

struct StringLessNoCase {
  bool operator()(const std::string& theLeft, const std::string& theRight) const {
    return strcasecmp(theLeft.c_str(), theRight.c_str()) < 0;
  }
};

}  // namespace Tesk
