// A track with a draggable thumb holding a value from 0.0 to 1.0.
#pragma once

#include <cstdint>

#include "widgets/Widget.h"

namespace Tesk {

class SliderListener;

class Slider : public Widget {
 public:
  SliderListener* mListener;
  double mVal;
  int mId;
  Image* mTrackImage;
  Image* mThumbImage;
  bool mDragging;
  int mRelX;
  int mRelY;
  int8_t mThumbYOffset;
  bool mHorizontal;

  Slider(Image* theTrackImage, Image* theThumbImage, int theId, SliderListener* theListener);

  void Draw(Graphics* g) override;
  void MouseLeave() override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void MouseUp(int x, int y) override;
  void MouseDrag(int x, int y) override;
  using Widget::MouseDown;
  using Widget::MouseUp;

  virtual void SetValue(double theValue);
  virtual bool HasTransparencies();

  void setThumbYOffset(int theOffset) { mThumbYOffset = static_cast<int8_t>(theOffset & 0xFF); }
  // The thumb's left (or top) edge along the track; 0 without a thumb image.
  int GetThumbPos();

 private:
  bool IsOverThumb(int x, int y);
  void SetCursor(int theCursorNum);
};

}  // namespace Tesk
