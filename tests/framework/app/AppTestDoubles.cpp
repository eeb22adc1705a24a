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

RecordingWidget::RecordingWidget() { Resize(0, 0, 400, 300); }
void RecordingWidget::KeyChar(wchar_t theChar) { Note("KeyChar" + Args(static_cast<int>(theChar))); }
void RecordingWidget::KeyDown(Tesk::KeyCode theKey) { Note("KeyDown" + Args(theKey)); }
void RecordingWidget::KeyUp(Tesk::KeyCode theKey) { Note("KeyUp" + Args(theKey)); }
void RecordingWidget::MouseMove(int x, int y) { Note("MouseMove" + Args(x, y)); }
void RecordingWidget::MouseDrag(int x, int y) { Note("MouseDrag" + Args(x, y)); }
void RecordingWidget::MouseDown(int x, int y, int theClickCount) {
  Note("MouseDown" + Args(x, y, theClickCount));
}
void RecordingWidget::MouseUp(int x, int y, int theClickCount) {
  Note("MouseUp" + Args(x, y, theClickCount));
}
void RecordingWidget::MouseWheel(int theDelta) { Note("MouseWheel" + Args(theDelta)); }
void RecordingWidget::GotFocus() { Note("Widget.GotFocus"); }
void RecordingWidget::LostFocus() { Note("Widget.LostFocus"); }
void RecordingWidget::Update() {
  ++mUpdates;
  if (mChangeOnUpdate) MarkDirty();
}
void RecordingWidget::Draw(Tesk::Graphics*) { ++mDraws; }

RecordingApp::RecordingApp() {
  mWidgetManager->Resize(Tesk::TRect<int>(0, 0, 400, 300), Tesk::TRect<int>(0, 0, 800, 600));
  mWidgetManager->AddWidget(&mWidget);
  mWidgetManager->SetFocus(&mWidget);
}

RecordingApp::~RecordingApp() {
  if (mWidgetManager != nullptr) mWidgetManager->RemoveWidget(&mWidget);
  gCalls.clear();
}

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
void RecordingApp::LoadingThreadCompleted() { Note("LoadingThreadCompleted"); }
