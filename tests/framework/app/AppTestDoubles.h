// An application object and a screen-sized widget that write down what reaches them.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/TeskAppBase.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

// Every call, in order, as "Name(args)".
extern std::vector<std::string> gCalls;

// Covers the logical screen and keeps the focus, so that every input the widget manager
// passes on arrives here; with nothing held, a press reaches it as MouseDown.
class RecordingWidget : public Tesk::Widget {
 public:
  RecordingWidget();
  void KeyChar(wchar_t theChar) override;
  void KeyDown(Tesk::KeyCode theKey) override;
  void KeyUp(Tesk::KeyCode theKey) override;
  void MouseMove(int x, int y) override;
  void MouseDrag(int x, int y) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void MouseUp(int x, int y, int theClickCount) override;
  void MouseWheel(int theDelta) override;
  void GotFocus() override;
  void LostFocus() override;
  bool WantsFocus() override { return true; }
  void Update() override;
  void Draw(Tesk::Graphics* g) override;

  // What Update answers through MarkDirty: true makes the next draw present.
  bool mChangeOnUpdate = false;
  int mUpdates = 0;
  int mDraws = 0;
};

class RecordingApp : public Tesk::TeskAppBase {
 public:
  // The widget gets the screen (800 x 600 window coordinates map onto 400 x 300, halving
  // both, so that tests see the remapping happen).
  RecordingApp();
  ~RecordingApp() override;

  void Shutdown() override;
  void Redraw(Tesk::TRect<int>* theClipRect) override;
  void EnforceCursor() override;
  void SwitchScreenMode(bool wantWindowed) override;
  bool DebugKeyDown(int theKey) override;
  void Mute(bool autoMute) override;
  void Unmute(bool autoMute) override;
  void ToggleDemoSoundVolume() override;
  bool DebugKeyDownAsync(int theKey, bool ctrlDown, bool altDown) override;
  void CloseRequestAsync() override;
  void GotFocus() override;
  void LostFocus() override;
  void URLOpenFailed(const std::string& theURL) override;
  void URLOpenSucceeded(const std::string& theURL) override;
  void LoadingThreadCompleted() override;

  RecordingWidget mWidget;
  bool mDebugKeyAnswer = false;
  int mAsyncKeyToSwallow = -1;
};
