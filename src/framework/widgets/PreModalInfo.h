// One saved modal layer of the widget manager.
#pragma once

#include "widgets/FlagsMod.h"

namespace Tesk {

class Widget;

class PreModalInfo {
 public:
  Widget* mBaseModalWidget = nullptr;
  Widget* mPrevBaseModalWidget = nullptr;
  Widget* mPrevFocusWidget = nullptr;
  FlagsMod mPrevBelowModalFlagsMod;
};

}  // namespace Tesk
