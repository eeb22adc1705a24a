#include "app/SEHCatcher.h"

#include <cinttypes>
#include <cstdio>

#include "app/DemoCommands.h"
#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "platform/carbon/AppleEvents.h"
#include "platform/coreservices/CoreServices.h"

namespace Tesk {

TeskAppBase* SEHCatcher::mApp = nullptr;
bool SEHCatcher::mShowUI = true;
bool SEHCatcher::mHasDemoFile = false;
std::string SEHCatcher::mUploadFileName;
ExceptionHandlerUPP SEHCatcher::ExceptionUPP = nullptr;
TeskString SEHCatcher::mCrashMessage = L"An unexpected error has occured!";
TeskString SEHCatcher::mSubmitMessage =
    L"Please help out by providing as much information as you can about this crash.";
TeskString SEHCatcher::mSubmitErrorMessage = L"Failed to connect to server.";
std::string SEHCatcher::mErrorTitle;
std::string SEHCatcher::mErrorText;
std::string SEHCatcher::mUserText;
std::string SEHCatcher::mSubmitHost;
HTTPTransfer SEHCatcher::mSubmitReportTransfer;

SEHCatcher gSEHCatcher;

namespace {

struct ExceptionName {
  ExceptionKind mKind;
  const char* mName;
};

const ExceptionName k_ExceptionNames[] = {
    {unknownException, "Unknown"},
    {illegalInstructionException, "Illegal Instruction"},
    {trapException, "Trap"},
    {accessException, "Access"},
    {unmappedMemoryException, "Unmapped Memory"},
    {excludedMemoryException, "Excluded Memory"},
    {readOnlyMemoryException, "Read Only Memory"},
    {pageFaultException, "Page Fault"},
    {privilegeViolationException, "Privilege Violation"},
    {traceException, "Trace"},
    {instructionBreakpointException, "Instruction Breakpoint"},
    {dataBreakpointException, "Data Breakpoint"},
    {integerException, "Integer"},
    {floatingPointException, "Floating Point"},
    {stackOverflowException, "Stack Overflow"},
    {terminationException, "Task Termination"},
    {taskCreationException, "Task Creation"},
    {dataAlignmentException, "Data Alignment"},
    {0xFFFFFFFF, nullptr},
};

}  // namespace

SEHCatcher::SEHCatcher() { ExceptionUPP = NewExceptionHandlerUPP(&SEHCatcher::UnhandledExceptionFilter); }

SEHCatcher::~SEHCatcher() { DisposeExceptionHandlerUPP(ExceptionUPP); }

OSStatus SEHCatcher::UnhandledExceptionFilter(ExceptionInformation* theExceptionInfo) {
  if (mApp != nullptr) mApp->SEHOccured();
  DoHandleDebugEvent(theExceptionInfo);
  return 0;
}

std::string SEHCatcher::GetExceptionLine(ExceptionKind theKind, uint64_t theAddress, uint32_t theThreadId) {
  const char* aName = nullptr;
  for (const ExceptionName* anEntry = k_ExceptionNames; anEntry->mName != nullptr; ++anEntry) {
    if (anEntry->mKind == theKind) aName = anEntry->mName;
  }
  // Addresses are 64-bit here: at least eight digits, and every digit the address has.
  if (aName == nullptr) {
    return StrFormat("Unknown exception: (code 0x%x) at address %08" PRIX64 " in thread %X\r\n", theKind,
                     theAddress, theThreadId);
  }
  return StrFormat("Exception: %s (code 0x%x) at address %08" PRIX64 " in thread %X\r\n", aName, theKind,
                   theAddress, theThreadId);
}

void SEHCatcher::DoHandleDebugEvent(ExceptionInformation* theExceptionInfo) {
  ExceptionKind aKind = theExceptionInfo != nullptr ? theExceptionInfo->theKind : unknownException;
  uint64_t anAddress = 0;
  if (theExceptionInfo != nullptr && theExceptionInfo->machineState != nullptr) {
    anAddress = theExceptionInfo->machineState->PC;
  }
  std::string aReport = GetExceptionLine(aKind, anAddress, GetCurrentThreadId());
  aReport += GetSysInfo();

  if (mApp != nullptr) {
    std::string anAppInfo = mApp->GetGameSEHInfo();
    if (!anAppInfo.empty()) aReport += "\r\n" + anAppInfo;
    mApp->CopyToClipboard(aReport);
  }

  WriteToFile(aReport);

  if (mApp != nullptr) {
    const bool wasRecording = mApp->mRecordingDemoBuffer;
    if (wasRecording) {
      // The timing block belongs to the main thread; a crash elsewhere closes the demo at the
      // last recorded tick instead of stopping on that rule.
      if (GetCurrentThreadId() == mApp->mPrimaryThreadId) {
        mApp->WriteDemoTimingBlock();
      } else {
        mApp->mDemoBuffer.WriteNumBits(0, 4);
      }
      mApp->mDemoBuffer.WriteNumBits(0, 1);
      mApp->mDemoBuffer.WriteNumBits(DEMO_IDLE, 5);
      mApp->WriteDemoBuffer();
      mUploadFileName = mApp->mDemoFileName;
    }
    mHasDemoFile = wasRecording;
    std::string aHookFile = mApp->NotifyCrashHook();
    if (!aHookFile.empty()) {
      mUploadFileName = aHookFile;
      mHasDemoFile = true;
    }
    mApp->mRecordingDemoBuffer = false;
    mApp->mPlayingDemoBuffer = false;
  }

  if (mShowUI) ShowErrorDialog("", aReport);
}

std::string SEHCatcher::GetSysInfo() {
  int32_t aVersion = 0;
  Gestalt(gestaltSystemVersion, &aVersion);
  return StrFormat("MacOS Version: %x\r\n", static_cast<unsigned>(aVersion));
}

void SEHCatcher::WriteToFile(const std::string& theErrorText) {
  FILE* aFile = std::fopen("crash.txt", "wb");
  if (aFile == nullptr) return;
  std::fputs(theErrorText.c_str(), aFile);
  std::fputs("\r\n", aFile);
  std::fclose(aFile);
}

void SEHCatcher::ShowErrorDialog(const std::string& theErrorTitle, const std::string& theErrorText) {
  MessageBoxW(nullptr, theErrorText.c_str(), theErrorTitle.c_str(), MB_ICONHAND);
  ExitToShell();
}

bool SEHCatcher::LoadImageHelp() { return true; }

void SEHCatcher::UnloadImageHelp() {}

}  // namespace Tesk
