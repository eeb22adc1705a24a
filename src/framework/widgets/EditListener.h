#pragma once

#include "core/Common.h"
#include "widgets/KeyCodes.h"

namespace Tesk {

class EditListener {
 public:
  virtual void EditWidgetText(int, const TeskString&) {}
  virtual bool AllowKey(int, KeyCode) { return true; }
  virtual bool AllowChar(int, wchar_t) { return true; }
  virtual bool AllowText(int, const TeskString&) { return true; }

 protected:
  ~EditListener() = default;
};

}  // namespace Tesk
