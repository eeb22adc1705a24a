#include "DemoTestApp.h"

#include <algorithm>

#include "core/DemoCommands.h"
#include "core/OsWindowBridge.h"
#include "core/SEHCatcher.h"
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
  while (!mApp->mDeferredMessages.empty()) {
    Record(mApp->mDeferredMessages.front());
    mApp->ProcessDeferredMessages(true);
  }
}

void DemoRecorder::Command(bool isShort, int theNumber) {
  mApp->WriteDemoTimingBlock();
  mApp->mDemoBuffer.WriteNumBits(isShort ? 1 : 0, 1);
  mApp->mDemoBuffer.WriteNumBits(theNumber, isShort ? 1 : 5);
}

void DemoRecorder::Record(const tagMSG& theMessage) {
  if (!mApp->mRecordingDemoBuffer || mApp->mShutdown) return;
  Tesk::Buffer& aBuffer = mApp->mDemoBuffer;
  const int x = LParamX(theMessage.lParam);
  const int y = LParamY(theMessage.lParam);
  switch (theMessage.message) {
    case WM_CHAR:
      Command(false, Tesk::DEMO_KEY_CHAR);
      aBuffer.WriteNumBits(0, 1);
      aBuffer.WriteNumBits(static_cast<int>(theMessage.wParam), 8);
      break;
    case WM_MOUSEWHEEL:
      Command(false, Tesk::DEMO_MOUSE_WHEEL);
      aBuffer.WriteNumBits(WheelDelta(theMessage.wParam) / 120, 8);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Command(false, Tesk::DEMO_KEY_DOWN);
      aBuffer.WriteNumBits(static_cast<int>(theMessage.wParam), 8);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Command(false, Tesk::DEMO_KEY_UP);
      aBuffer.WriteNumBits(static_cast<int>(theMessage.wParam), 8);
      break;
    case WM_ACTIVATEAPP:
      if (theMessage.hwnd != mApp->mWindow) break;
      Command(false, Tesk::DEMO_ACTIVATE_APP);
      aBuffer.WriteNumBits(theMessage.wParam != 0 ? 1 : 0, 1);
      break;
    case WM_SIZE:
      Command(false, Tesk::DEMO_SIZE);
      aBuffer.WriteBoolean(theMessage.wParam == SIZE_MINIMIZED);
      break;
    case WM_CLOSE:
      if (theMessage.hwnd != mApp->mWindow && theMessage.hwnd != mApp->mMusicWindow) break;
      Command(false, Tesk::DEMO_CLOSE);
      break;
    default:
      if (theMessage.message < WM_MOUSEMOVE || theMessage.message > WM_MBUTTONUP) break;
      {
        const int dx = x - mApp->mLastDemoMouseX;
        const int dy = y - mApp->mLastDemoMouseY;
        if (dx >= -31 && dx <= 31 && dy >= -31 && dy <= 31) {
          if (dx != 0 || dy != 0) {
            Command(true, Tesk::DEMO_MOUSE_SHORTMOVE);
            aBuffer.WriteNumBits(dx, 6);
            aBuffer.WriteNumBits(dy, 6);
          }
        } else {
          Command(false, Tesk::DEMO_MOUSE_POSITION);
          aBuffer.WriteNumBits(x, 12);
          aBuffer.WriteNumBits(y, 12);
        }
        int aButton = 0;
        bool isDown = false;
        switch (theMessage.message) {
          case WM_LBUTTONDOWN:
            aButton = 1;
            isDown = true;
            break;
          case WM_LBUTTONUP:
            aButton = 1;
            break;
          case WM_LBUTTONDBLCLK:
            aButton = 2;
            isDown = true;
            break;
          case WM_RBUTTONDOWN:
            aButton = -1;
            isDown = true;
            break;
          case WM_RBUTTONUP:
            aButton = -1;
            break;
          case WM_RBUTTONDBLCLK:
            aButton = -2;
            isDown = true;
            break;
          case WM_MBUTTONDOWN:
            aButton = 3;
            isDown = true;
            break;
          case WM_MBUTTONUP:
            aButton = 3;
            break;
          default:
            break;
        }
        if (aButton != 0) {
          Command(true, Tesk::DEMO_MOUSE_BUTTON);
          aBuffer.WriteNumBits(isDown ? 1 : 0, 1);
          aBuffer.WriteNumBits(aButton, 3);
        }
        mApp->mLastDemoMouseX = x;
        mApp->mLastDemoMouseY = y;
        // The first input in the window also records the pointer's arrival.
        if (!mApp->mMouseIn) Command(false, Tesk::DEMO_MOUSE_ENTER);
      }
      break;
  }
}

std::string ReadBytes(const std::string& thePath) { return TeskTest::ReadFile(thePath); }

}  // namespace DemoTest
