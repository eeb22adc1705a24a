#pragma once

namespace Tesk {

class SliderListener {
 public:
  // theVal runs from 0.0 to 1.0.
  virtual void SliderVal(int, double) {}

 protected:
  ~SliderListener() = default;
};

}  // namespace Tesk
