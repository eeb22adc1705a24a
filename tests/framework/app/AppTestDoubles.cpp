#include "AppTestDoubles.h"

std::vector<std::string> gCalls;

namespace {

void Note(const std::string& theCall) { gCalls.push_back(theCall); }
std::string Args(int a) { return "(" + std::to_string(a) + ")"; }
std::string Args(int a, int b) { return "(" + std::to_string(a) + "," + std::to_string(b) + ")"; }
std::string Args(int a, int b, int c) {
  return "(" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + ")";
}

}  // namespace

bool RecordingWidgets::KeyChar(wchar_t theChar) {
  Note("KeyChar" + Args(static_cast<int>(theChar)));
  return true;
}
bool RecordingWidgets::KeyDown(int theKey) {
  Note("KeyDown" + Args(theKey));
  return true;
}
bool RecordingWidgets::KeyUp(int theKey) {
  Note("KeyUp" + Args(theKey));
  return true;
}
bool RecordingWidgets::MouseDown(int x, int y, int theClickCount) {
  Note("MouseDown" + Args(x, y, theClickCount));
  return true;
}
bool RecordingWidgets::MouseUp(int x, int y, int theClickCount) {
  Note("MouseUp" + Args(x, y, theClickCount));
  return true;
}
bool RecordingWidgets::MouseMove(int x, int y) {
  Note("MouseMove" + Args(x, y));
  return true;
}
bool RecordingWidgets::MouseExit(int x, int y) {
  Note("MouseExit" + Args(x, y));
  return true;
}
void RecordingWidgets::MouseWheel(int theDelta) { Note("MouseWheel" + Args(theDelta)); }
void RecordingWidgets::RemapMouse(int& x, int& y) {
  x /= 2;
  y /= 2;
}
void RecordingWidgets::ClearKeysDown() { Note("ClearKeysDown"); }
void RecordingWidgets::MarkAllDirty() { Note("MarkAllDirty"); }
void RecordingWidgets::GotFocus() { Note("Widgets.GotFocus"); }
void RecordingWidgets::LostFocus() { Note("Widgets.LostFocus"); }
void RecordingWidgets::DoMouseUps() { Note("DoMouseUps"); }
bool RecordingWidgets::UpdateFrame() {
  Note("UpdateFrame");
  return mUpdateChanges;
}
void RecordingWidgets::UpdateFrameF(float) { Note("UpdateFrameF"); }

void RecordingApp::Shutdown() {
  Note("Shutdown");
  mShutdown = true;
  mExitToTop = true;
}
void RecordingApp::Redraw(Tesk::TRect<int>*) { Note("Redraw"); }
void RecordingApp::EnforceCursor() { Note("EnforceCursor"); }
void RecordingApp::SwitchScreenMode(bool wantWindowed) { Note("SwitchScreenMode" + Args(wantWindowed)); }
bool RecordingApp::DebugKeyDown(int theKey) {
  Note("DebugKeyDown" + Args(theKey));
  return mDebugKeyAnswer;
}
void RecordingApp::Mute(bool autoMute) { Note("Mute" + Args(autoMute)); }
void RecordingApp::Unmute(bool autoMute) { Note("Unmute" + Args(autoMute)); }
void RecordingApp::ToggleDemoSoundVolume() { Note("ToggleDemoSoundVolume"); }
bool RecordingApp::DebugKeyDownAsync(int theKey, bool, bool) { return theKey == mAsyncKeyToSwallow; }
void RecordingApp::CloseRequestAsync() { Note("CloseRequestAsync"); }
void RecordingApp::GotFocus() { Note("App.GotFocus"); }
void RecordingApp::LostFocus() { Note("App.LostFocus"); }
void RecordingApp::URLOpenFailed(const std::string& theURL) {
  Note("URLOpenFailed");
  TeskAppBase::URLOpenFailed(theURL);
}
void RecordingApp::URLOpenSucceeded(const std::string& theURL) {
  Note("URLOpenSucceeded");
  TeskAppBase::URLOpenSucceeded(theURL);
}
