#include "core/MacUtils.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

#include "core/OsWindowBridge.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/corefoundation/CFBundle.h"
#include "platform/coreservices/CoreServices.h"
#include "platform/coreservices/LaunchServices.h"
#include "platform/mp/Multiprocessing.h"

namespace Tesk {

namespace {
std::atomic<OsWindowBridge*> sBridge{nullptr};
}

void SetOsWindowBridge(OsWindowBridge* theBridge) { sBridge.store(theBridge); }
OsWindowBridge* GetOsWindowBridge() { return sBridge.load(); }

}  // namespace Tesk

namespace {

// Carbon's "no handler took the event": what posting gives before the window layer is there.
const int32_t kEventNotHandledErr = -9874;

struct WindowBounds {
  int mLeft, mTop, mRight, mBottom;
};

std::mutex& WindowBoundsLock() {
  static std::mutex sLock;
  return sLock;
}

// Bounds recorded before a display-mode change, kept for the life of the program.
std::map<WindowRef, WindowBounds>& WindowBoundsMap() {
  static std::map<WindowRef, WindowBounds> sMap;
  return sMap;
}

bool IsUrlText(const std::string& theText) {
  if (theText.empty()) return false;
  for (char aChar : theText) {
    const unsigned char aByte = static_cast<unsigned char>(aChar);
    if (aByte <= 0x20 || aByte >= 0x7F) return false;
  }
  return true;
}

std::string FileUrl(const std::string& thePath) {
  std::string aPath = thePath;
  if (aPath.empty() || aPath[0] != '/') {
    char aCwd[4096];
    if (getcwd(aCwd, sizeof(aCwd)) != nullptr) aPath = std::string(aCwd) + "/" + aPath;
  }
  static const char kHex[] = "0123456789ABCDEF";
  std::string aUrl = "file://";
  for (char aChar : aPath) {
    const unsigned char aByte = static_cast<unsigned char>(aChar);
    if ((aByte >= 'a' && aByte <= 'z') || (aByte >= 'A' && aByte <= 'Z') || (aByte >= '0' && aByte <= '9') ||
        std::strchr("/-._~", aByte) != nullptr) {
      aUrl += aChar;
    } else {
      aUrl += '%';
      aUrl += kHex[aByte >> 4];
      aUrl += kHex[aByte & 15];
    }
  }
  return aUrl;
}

}  // namespace

uint32_t GetTickCount() {
  // Whole milliseconds of up time, truncated to 32 bits so the count wraps
  // instead of sticking once the span outgrows a Duration.
  return static_cast<uint32_t>(AbsoluteToNanoseconds(UpTime()) / 1000000u);
}

uint32_t timeGetTime() { return GetTickCount(); }

void Sleep(uint32_t theMilliseconds) {
  AbsoluteTime aWake = UpTime() + static_cast<AbsoluteTime>(theMilliseconds) * 1000000u;
  MPDelayUntil(&aWake);
}

uint32_t GetCurrentThreadId() { return MPCurrentTaskID(); }

int32_t PostMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) {
  Tesk::OsWindowBridge* aBridge = Tesk::GetOsWindowBridge();
  if (aBridge == nullptr) return kEventNotHandledErr;
  return aBridge->PostMessage(theWindow, theMessage, theWParam, theLParam);
}

int32_t SendMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) {
  Tesk::OsWindowBridge* aBridge = Tesk::GetOsWindowBridge();
  if (aBridge == nullptr) return kEventNotHandledErr;
  return aBridge->SendMessage(theWindow, theMessage, theWParam, theLParam);
}

int32_t MessageBox(HWND, const char* theText, const char* theCaption, uint32_t theType) {
  // Texts of any length are shown whole; the system's alert would have shown
  // nothing at all for 256 bytes or more.
  AlertType aKind = kAlertNoteAlert;
  if (theType & 0x40)
    aKind = kAlertPlainAlert;
  else if ((theType & 0x30) == 0x30)
    aKind = kAlertNoteAlert;
  else if (theType & 0x20)
    aKind = kAlertCautionAlert;
  else if (theType & 0x10)
    aKind = kAlertStopAlert;

  AlertStdAlertParamRec aParams;
  aParams.movable = true;
  aParams.helpButton = false;
  aParams.position = kWindowAlertPositionMainScreen;
  aParams.defaultButton = kAlertStdAlertOKButton;
  aParams.cancelButton = kAlertStdAlertCancelButton;
  const uint32_t aButtons = theType & 7;
  if (aButtons == 0) {
    aParams.defaultText = kAlertDefaultOKText;
    aParams.cancelText = nullptr;
    aParams.cancelButton = 0;
  } else if (aButtons == 4) {
    aParams.defaultText = "Yes";
    aParams.cancelText = "No";
  } else {
    aParams.defaultText = kAlertDefaultOKText;
    aParams.cancelText = kAlertDefaultCancelText;
  }
  DialogItemIndex anItem = kAlertStdAlertOKButton;
  StandardAlert(aKind, theCaption != nullptr ? theCaption : "", theText != nullptr ? theText : "", &aParams,
                &anItem);
  return aButtons < 2 ? anItem : anItem + 5;
}

int32_t MessageBoxW(HWND theWindow, const char* theText, const char* theCaption, uint32_t theType) {
  return MessageBox(theWindow, theText, theCaption, theType);
}

FILE* Mac_fopen(const char* theName, const char* theMode) {
  if (FILE* aFile = std::fopen(theName, theMode)) return aFile;
  std::string aFolder;
  if (!CFBundleCopyResourcesDirectoryPath(&aFolder)) return nullptr;
  if (aFolder.empty() || aFolder.back() != '/') aFolder += '/';
  std::string aName = theName;
  for (char& aChar : aName) {
    if (aChar == '\\') aChar = '/';
  }
  return std::fopen((aFolder + aName).c_str(), theMode);
}

bool GetResourcePath(const char* theName, char* theBuffer, int theSize) {
  std::string aPath;
  const bool aFound = theName == nullptr ? CFBundleCopyResourcesDirectoryPath(&aPath)
                                         : CFBundleCopyResourcePath(theName, &aPath);
  // A path cut to fit would name some other file.
  if (!aFound || theBuffer == nullptr || aPath.size() + 1 > static_cast<size_t>(theSize < 0 ? 0 : theSize)) {
    return false;
  }
  std::memcpy(theBuffer, aPath.c_str(), aPath.size() + 1);
  return true;
}

void LaunchURL(const std::string& theText) {
  std::string aUrl;
  if (theText.find("http") != std::string::npos) {
    if (!IsUrlText(theText)) return;
    aUrl = theText;
  } else {
    if (theText.empty()) return;
    aUrl = FileUrl(theText);
  }
  LSOpenURL(aUrl);
}

bool ChangeDisplayWindowEnumProc(WindowRef theWindow, bool restore) {
  Tesk::OsWindowBridge* aBridge = Tesk::GetOsWindowBridge();
  if (aBridge == nullptr) return true;
  std::lock_guard<std::mutex> aGuard(WindowBoundsLock());
  auto& aMap = WindowBoundsMap();
  if (!restore) {
    WindowBounds aBounds;
    if (aBridge->IsWindowVisible(theWindow) && !aBridge->IsWindowCollapsed(theWindow) &&
        aMap.find(theWindow) == aMap.end() &&
        aBridge->GetWindowContentBounds(theWindow, &aBounds.mLeft, &aBounds.mTop, &aBounds.mRight,
                                        &aBounds.mBottom)) {
      aMap[theWindow] = aBounds;
    }
  } else {
    auto anIt = aMap.find(theWindow);
    if (anIt != aMap.end()) {
      const WindowBounds& aBounds = anIt->second;
      aBridge->MoveWindow(theWindow, aBounds.mLeft, aBounds.mTop);
      aBridge->SizeWindow(theWindow, aBounds.mRight - aBounds.mLeft, aBounds.mBottom - aBounds.mTop);
    }
  }
  return true;
}
