// An application object and a widget manager that write down what reaches them.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/TeskAppBase.h"
#include "core/WidgetManagerSeam.h"

// Every call, in order, as "Name(args)".
extern std::vector<std::string> gCalls;

class RecordingWidgets : public Tesk::WidgetManagerSeam {
 public:
  bool KeyChar(wchar_t theChar) override;
  bool KeyDown(int theKey) override;
  bool KeyUp(int theKey) override;
  bool MouseDown(int x, int y, int theClickCount) override;
  bool MouseUp(int x, int y, int theClickCount) override;
  bool MouseMove(int x, int y) override;
  bool MouseExit(int x, int y) override;
  void MouseWheel(int theDelta) override;
  // Halves both coordinates, so that tests see the remapping happen.
  void RemapMouse(int& x, int& y) override;
  bool IsKeyDown(int theKey) override { return mKeysDown.count(theKey) != 0; }
  void ClearKeysDown() override;
  void MarkAllDirty() override;
  void GotFocus() override;
  void LostFocus() override;
  void DoMouseUps() override;
  bool UpdateFrame() override;
  void UpdateFrameF(float theFrac) override;

  std::set<int> mKeysDown;
  bool mUpdateChanges = true;
};

class RecordingApp : public Tesk::TeskAppBase {
 public:
  RecordingApp() { mWidgetManager = &mWidgets; }

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

  RecordingWidgets mWidgets;
  bool mDebugKeyAnswer = false;
  int mAsyncKeyToSwallow = -1;
};
