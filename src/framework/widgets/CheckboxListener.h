#pragma once

namespace Tesk {

class CheckboxListener {
 public:
  virtual void CheckboxChecked(int, bool) {}

 protected:
  ~CheckboxListener() = default;
};

}  // namespace Tesk
