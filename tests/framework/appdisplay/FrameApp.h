// The program of the full-screen tests: one marked frame over the whole 800 x 600, a drawn
// cursor, and a status file through which a test outside the process follows it: where the
// frame is shown after each set-up of the display, where the first frame with the cursor drew
// it, and every press the frame saw. Keys switch
// it: S software drawing, A accelerated, W a window, F full screen, Escape ends the run.
#pragma once

#include <string>

#include "MarkedFrameWidget.h"
#include "app/TeskAppBase.h"
#include "graphics/MemoryImage.h"

namespace Tesk {

class FrameApp : public TeskAppBase {
 public:
  static const uint32_t k_CursorColor;
  static constexpr int k_CursorSize = 9;

  // Full screen unless isWindowed; the status lines go to the end of theStatusFile.
  FrameApp(const std::string& theStatusFile, bool isWindowed);
  ~FrameApp() override;

  void Init() override;
  void UpdateFrames() override;
  void Redraw(TRect<int>* theClipRect) override;

  // Appends one line to the status file.
  void Note(const std::string& theLine);

  MarkedFrameWidget mFrame;
  MemoryImage mCursor;

 private:
  void OnKey(KeyCode theKey);
  // "shown 3d|2d full|window X Y W H confined X Y W H|none window X Y W H": where the frame is
  // shown, where the pointer is kept, and the window's content on the screen.
  std::string ShownLine();

  std::string mStatusFile;
  bool mIsShownNoted;
  bool mIsCursorNoted;
  int32_t mDrawsAtSetUp;
};

}  // namespace Tesk
