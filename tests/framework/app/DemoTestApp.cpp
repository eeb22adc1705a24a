#include "DemoTestApp.h"

#include <algorithm>

#include "app/DemoCommands.h"
#include "core/OsWindowBridge.h"
#include "app/SEHCatcher.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

namespace DemoTest {

LoggingWidget::LoggingWidget(const int32_t* theUpdateCount, Calls* theCalls)
    : mUpdateCount(theUpdateCount), mCalls(theCalls) {
  Resize(0, 0, 800, 600);
}

void LoggingWidget::Note(const char* theName, int a, int b, int c) {
  std::string aCall = std::to_string(*mUpdateCount) + ":" + theName;
  const int anArgs[] = {a, b, c};
  for (int i = 0; i < 3 && anArgs[i] != kNone; ++i) aCall += (i == 0 ? "(" : ",") + std::to_string(anArgs[i]);
  if (a != kNone) aCall += ")";
  mCalls->push_back(aCall);
}

DemoTestApp::DemoTestApp() : mWidget(&mUpdateCount, &mCalls) {
  mWidgetManager->Resize(Tesk::TRect<int>(0, 0, 800, 600), Tesk::TRect<int>(0, 0, 800, 600));
  mWidgetManager->AddWidget(&mWidget);
  mWidgetManager->SetFocus(&mWidget);
  mCalls.clear();
  mPrimaryThreadId = GetCurrentThreadId();
}

DemoTestApp::~DemoTestApp() {
  if (mWidgetManager != nullptr) mWidgetManager->RemoveWidget(&mWidget);
  if (Tesk::SEHCatcher::mApp == this) Tesk::SEHCatcher::mApp = nullptr;
  // The application object installs the Carbon message bridge; other tests of this binary expect none.
  Tesk::SetOsWindowBridge(nullptr);
}

void DemoTestApp::Note(const std::string& theCall) {
  mCalls.push_back(std::to_string(mUpdateCount) + ":" + theCall);
}

void DemoTestApp::Shutdown() {
  Note("Shutdown");
  mShutdown = true;
}

void DemoTestApp::SEHOccured() {
  Note("SEHOccured");
  TeskAppBase::SEHOccured();
}

int DemoTestApp::MsgBox(const std::string& theText, const std::string& theTitle, int theFlags) {
  Note("MsgBox(" + theText + "|" + theTitle + "|" + std::to_string(theFlags) + ")");
  return 1;
}

void DemoTestApp::Popup(const TeskString& theText) {
  Note("Popup(" + Tesk::TeskStringToString(theText) + ")");
}

void DemoRecorder::Send(uint32_t theMessage, uint32_t theWParam, int32_t theLParam) {
  Tesk::TeskAppBase::WindowProc(mApp->mWindow, theMessage, theWParam, theLParam);
  mApp->ProcessDeferredMessages(false);
}

std::string ReadBytes(const std::string& thePath) { return TeskTest::ReadFile(thePath); }

}  // namespace DemoTest
