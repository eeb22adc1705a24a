// The root of the widget tree: turns the application's mouse and key calls into
// widget calls (hover, capture, focus, modal layers), runs the frame update and
// redraws the dirty top-level widgets into the screen image.
#pragma once

#include <cstdint>
#include <list>
#include <utility>
#include <vector>

#include "widgets/FrameRecorder.h"
#include "widgets/KeyCodes.h"
#include "widgets/PreModalInfo.h"
#include "widgets/Widget.h"
#include "widgets/WidgetContainer.h"

namespace Tesk {

class Graphics;
class Image;
class WidgetApp;

typedef std::list<PreModalInfo> PreModalInfoList;
typedef std::vector<std::pair<Widget*, int>> DeferredOverlayVector;

class WidgetManager : public WidgetContainer {
 public:
  // The display-surface image installs these so that DrawScreen holds its lock
  // around all drawing; LockSurface answers false for any other image.
  typedef bool (*LockSurfaceProc)(Image* theImage);
  typedef void (*UnlockSurfaceProc)(Image* theImage);
  static LockSurfaceProc sLockSurface;
  static UnlockSurfaceProc sUnlockSurface;

  Widget* mDefaultTab;
  Graphics* mCurG;
  WidgetApp* mApp;
  Image* mImage;
  Widget* mPopupCommandWidget;
  DeferredOverlayVector mDeferredOverlayWidgets;
  int mMinDeferredOverlayPriority;
  bool mHasFocus;
  Widget* mFocusWidget;
  Widget* mLastDownWidget;
  Widget* mOverWidget;
  Widget* mBaseModalWidget;
  FlagsMod mLostFocusFlagsMod;
  FlagsMod mBelowModalFlagsMod;
  FlagsMod mDefaultBelowModalFlagsMod;
  PreModalInfoList mPreModalInfoList;
  TRect<int> mMouseDestRect;
  TRect<int> mMouseSourceRect;
  bool mMouseIn;
  int mLastMouseX;
  int mLastMouseY;
  int mDownButtons;
  int mActualDownButtons;
  bool mKeyDown[255];
  int mWidgetFlags;
  // When set, a frame is drawn first into a recorder and reaches the screen only when its
  // drawing differs from the frame already there: DrawScreen then answers false, as for a frame
  // with nothing dirty. Only for applications whose text is drawn with image fonts (see
  // FrameRecorder).
  bool mSkipUnchangedFrames;

  explicit WidgetManager(WidgetApp* theApp);
  ~WidgetManager() override;

  void FreeResources();

  void DisableWidget(Widget* theWidget) override;
  void SetFocus(Widget* theWidget) override;

  Widget* GetAnyWidgetAt(int x, int y, int* theWidgetX, int* theWidgetY);
  Widget* GetWidgetAt(int x, int y, int* theWidgetX, int* theWidgetY);
  int GetWidgetFlags();
  void InitModalFlags(ModalFlags* theModalFlags);

  void SetBaseModal(Widget* theWidget, const FlagsMod& theBelowFlagsMod);
  void AddBaseModal(Widget* theWidget, const FlagsMod& theBelowFlagsMod);
  void AddBaseModal(Widget* theWidget);
  void RemoveBaseModal(Widget* theWidget);
  void RemovePopupCommandWidget();

  void Resize(const TRect<int>& theMouseDestRect, const TRect<int>& theMouseSourceRect);
  void RemapMouse(int& theX, int& theY);
  void RehupMouse();
  void MousePosition(int x, int y);
  bool MouseMove(int x, int y);
  bool MouseDrag(int x, int y);
  bool MouseDown(int x, int y, int theClickCount);
  bool MouseUp(int x, int y, int theClickCount);
  bool MouseExit(int x, int y);
  void MouseWheel(int theDelta);
  void DoMouseUps();
  bool IsLeftButtonDown();
  bool KeyChar(wchar_t theChar);
  bool KeyDown(KeyCode theKey);
  bool KeyUp(KeyCode theKey);
  void GotFocus();
  void LostFocus();

  bool UpdateFrame();
  bool UpdateFrameF(float theFrac);
  bool DrawScreen();
  void FlushDeferredOverlayWidgets(int theMaxPriority);
  // Everything is drawn again, and the next frame reaches the screen even if its drawing is the
  // same as the last one's.
  void MarkAllDirty() override;
  // The screen no longer shows the last frame drawn (it was not presented, or the screen was
  // lost): the next frame reaches it whatever it draws.
  void ForgetLastFrame() { mHasLastFrame = false; }

 private:
  void EnterWidget(Widget* theWidget);
  void LeaveWidget(Widget* theWidget);
  // The releases a widget gets for the buttons still down on it.
  void DoMouseUps(Widget* theWidget, int theDownButtons);

  FrameRecorder mRecorder;
  // The fingerprint of the frame on the screen, and of which screen image.
  uint64_t mLastFrameFingerprint;
  Image* mLastFrameImage;
  bool mHasLastFrame;
};

}  // namespace Tesk
