// The smallest whole application for the display tests: an 800x600 window with a dark
// backdrop and a box that changes colour when clicked. TESK_RUN_SECONDS ends an unattended run.
#pragma once

#include "ColorBoxWidget.h"
#include "app/TeskAppBase.h"
#include "widgets/Widget.h"

namespace Tesk {

class BoxApp : public TeskAppBase {
 public:
  // The box's place on the screen.
  static const TRect<int> k_BoxRect;

  BoxApp();
  ~BoxApp() override;

  void Init() override;
  void UpdateFrames() override;

  // A plain backdrop under the box.
  class Backdrop : public Widget {
   public:
    void Draw(Graphics* g) override;
  };

  Backdrop mBackdrop;
  ColorBoxWidget mBox;
  // Milliseconds of running before the program closes itself; 0 runs until the window closes.
  uint32_t mRunMillis;
  uint32_t mStartTick;
};

}  // namespace Tesk
