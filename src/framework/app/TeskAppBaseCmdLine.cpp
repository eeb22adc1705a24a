// Command line and screen-saver mode of the application object.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/MacUtils.h"
#include "app/SEHCatcher.h"
#include "app/TeskAppBase.h"
#include "platform/carbon/CarbonWindows.h"

namespace Tesk {

namespace {

// Windows calls a path absolute when it starts with a drive ("C:\"); here a
// leading '/' does too.
bool IsRelativePath(const std::string& thePath) {
  if (!thePath.empty() && thePath[0] == '/') return false;
  return thePath.size() <= 1 || (thePath[1] != ':' && thePath[2] != '\\');
}

std::string MakeAbsolute(const std::string& thePath) {
  return IsRelativePath(thePath) ? GetAppDataFolder() + thePath : thePath;
}

// The screen saver's state lives for the whole run.
bool sSaverClosed = false;
bool sSaverCreated = false;
int sSaverLastMouseX = 0;
int sSaverLastMouseY = 0;
int sSaverMouseMoves = 0;
bool sScreenSaverLogStarted = false;

const int k_SaverMovesAllowed = 3;

}  // namespace

void TeskAppBase::DoParseCmdLine() {
  mCmdLineParsed = true;
  if (!mCmdLine.empty()) ParseCmdLine(mCmdLine);
}

void TeskAppBase::ParseCmdLine(const std::string& theCmdLine) {
  std::string aName;
  std::string aValue;
  bool inQuote = false;
  bool inValue = false;
  for (size_t i = 0; i < theCmdLine.size(); ++i) {
    const char aChar = theCmdLine[i];
    bool isTokenEnd = false;
    if (aChar == '"') {
      inQuote = !inQuote;
      isTokenEnd = !inQuote;
    } else if (aChar == ' ' && !inQuote) {
      isTokenEnd = true;
    } else if (aChar == '=') {
      inValue = true;
    } else if (inValue) {
      aValue += aChar;
    } else {
      aName += aChar;
    }
    if (i + 1 == theCmdLine.size()) isTokenEnd = true;
    if (isTokenEnd && !aName.empty()) {
      HandleCmdLineParam(aName, aValue);
      aName.clear();
      aValue.clear();
      inValue = false;
    }
  }
}

void TeskAppBase::HandleCmdLineParam(const std::string& theParamName, const std::string& theParamValue) {
  // Numbered demos live in the data folder, where they are counted, written and read alike.
  const std::string aNumberedPrefix = MakeAbsolute(mDemoPrefix);
  if (theParamName == "-play") {
    // The default demo too lives in the data folder; a name given earlier is already there.
    mDemoFileName = MakeAbsolute(mDemoFileName);
    mPlayingDemoBuffer = true;
    mRecordingDemoBuffer = false;
  } else if (theParamName == "-record") {
    mDemoFileName = MakeAbsolute(mDemoFileName);
    mRecordingDemoBuffer = true;
    mPlayingDemoBuffer = false;
  } else if (theParamName == "-recnum") {
    int aToKeep = std::atoi(theParamValue.c_str());
    if (aToKeep < 1) aToKeep = 5;
    const int aNumber = GetMaxDemoFileNum(aNumberedPrefix, aToKeep, true) + 1;
    mDemoFileName = aNumberedPrefix + StrFormat("%d.dmo", aNumber);
    mRecordingDemoBuffer = true;
    mPlayingDemoBuffer = false;
  } else if (theParamName == "-playnum") {
    int aBack = std::atoi(theParamValue.c_str()) - 1;
    if (aBack < 0) aBack = 0;
    const int aNumber = GetMaxDemoFileNum(aNumberedPrefix, aBack, false) - aBack;
    mDemoFileName = aNumberedPrefix + StrFormat("%d.dmo", aNumber);
    mPlayingDemoBuffer = true;
    mRecordingDemoBuffer = false;
  } else if (theParamName == "-demofile") {
    mDemoFileName = MakeAbsolute(theParamValue);
  } else if (theParamName == "-screensaver") {
    mIsScreenSaver = true;
  } else if (theParamName == "-changedir") {
    // Refused before anything is read or written: a folder that cannot be worked in would
    // otherwise leave the run in the folder it was started from.
    struct stat anInfo;
    std::string aWhy;
    if (stat(theParamValue.c_str(), &anInfo) != 0) {
      aWhy = std::strerror(errno);
    } else if (!S_ISDIR(anInfo.st_mode)) {
      aWhy = "it is not a folder";
    } else if (access(theParamValue.c_str(), X_OK) != 0) {
      aWhy = std::strerror(errno);
    }
    if (!aWhy.empty()) {
      Popup(StringToTeskString("Cannot work in the resources folder " + theParamValue + ": " + aWhy));
      DoExit(1);
    }
    mChangeDirTo = theParamValue;
    mChangeDirFromCmdLine = true;
  } else if (theParamName == "-crash") {
    // Shows the crash report of an access fault, as a real crash would.
    SEHCatcher::mApp = this;
    MachineInformation aMachine;
    ExceptionInformation anException;
    anException.theKind = accessException;
    anException.machineState = &aMachine;
    SEHCatcher::UnhandledExceptionFilter(&anException);
  } else {
    Popup(GetString("INVALID_COMMANDLINE_PARAM", L"Invalid command line parameter: ") +
          StringToTeskString(theParamName));
    DoExit(0);
  }
}

void TeskAppBase::LogScreenSaverError(const std::string& theError) {
  FILE* aFile = std::fopen("ScrError.txt", sScreenSaverLogStarted ? "a+" : "w");
  sScreenSaverLogStarted = true;
  if (aFile == nullptr) return;
  const time_t aNow = std::time(nullptr);
  std::fprintf(aFile, "%s %s %u\n", theError.c_str(), std::ctime(&aNow), GetTickCount());
  std::fclose(aFile);
}

bool TeskAppBase::ScreenSaverWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam,
                                        int32_t theLParam, int32_t* theResult) {
  if (sSaverClosed) return false;
  bool isActivity = false;
  switch (theMessage) {
    case WM_CREATE:
      if (!sSaverCreated) {
        sSaverCreated = true;
        Point aMouse;
        GetGlobalMouse(&aMouse);
        sSaverLastMouseX = aMouse.h;
        sSaverLastMouseY = aMouse.v;
      }
      return false;
    case WM_SYSCOMMAND:
      if (theWParam == 0xF040 || theWParam == 0xF050 || theWParam == 0xF060 || theWParam == SC_SCREENSAVE) {
        *theResult = 0;
        return true;
      }
      return false;
    case WM_MOUSEMOVE: {
      // On the screen, as the position noted at creation: a window's first pointer message
      // only says where the pointer already was.
      ::Rect aContent = {0, 0, 0, 0};
      if (theWindow != nullptr) GetWindowBounds(theWindow, kWindowContentRgn, &aContent);
      const int x = aContent.left + LParamX(theLParam);
      const int y = aContent.top + LParamY(theLParam);
      if (x != sSaverLastMouseX || y != sSaverLastMouseY) {
        sSaverLastMouseX = x;
        sSaverLastMouseY = y;
        ++sSaverMouseMoves;
      }
      if (sSaverMouseMoves <= k_SaverMovesAllowed) {
        *theResult = 0;
        return true;
      }
      isActivity = true;
      break;
    }
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
      isActivity = theWParam == 0;
      break;
    case WM_CLOSE:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      isActivity = true;
      break;
    default:
      break;
  }
  if (!isActivity) return false;
  // Key messages come without a window on this platform: they are the application window's.
  if (theWindow == nullptr) theWindow = mWindow;
  if (gTeskAppBase != nullptr && theWindow != gTeskAppBase->mWindow) return false;
  const bool isPowerSaving = mLastMonitorPowerTick != 0 && GetTickCount() - mLastMonitorPowerTick < 1000;
  if (isPowerSaving && (theMessage == WM_CLOSE || theMessage == WM_ACTIVATEAPP ||
                        theMessage == WM_MOUSEMOVE || theMessage == WM_ACTIVATE)) {
    return false;
  }
  sSaverClosed = true;
  // As the frame timer does: a command event the application's handler hands to the window
  // procedure, which queues the close and ends the run.
  PostMessage(theWindow, WM_COMMAND, MakeOSType("KWMR"), WM_CLOSE);
  return false;
}

void TeskAppBase::UpdateScreenSaverInfo(uint32_t) {}

}  // namespace Tesk
