// How a dialog reports its buttons to the application (ids 1000 and 1001).
#pragma once

namespace Tesk {

class DialogListener {
 public:
  virtual void DialogButtonPress(int, int) {}
  virtual void DialogButtonDepress(int, int) {}

 protected:
  ~DialogListener() = default;
};

}  // namespace Tesk
