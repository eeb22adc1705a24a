#pragma once

namespace Tesk {

class ButtonListener {
 public:
  virtual void ButtonPress(int) {}
  virtual void ButtonPress(int theId, int) { ButtonPress(theId); }
  virtual void ButtonDepress(int) {}
  virtual void ButtonDownTick(int) {}
  virtual void ButtonMouseEnter(int) {}
  virtual void ButtonMouseLeave(int) {}
  virtual void ButtonMouseMove(int, int, int) {}

 protected:
  ~ButtonListener() = default;
};

}  // namespace Tesk
