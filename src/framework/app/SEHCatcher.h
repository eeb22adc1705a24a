// The crash catcher: turns a processor exception into a crash report that
// names the exception, the system and the application, copies it to the
// clipboard, writes it to "crash.txt", closes a demo being recorded so the
// crash can be replayed, and shows it before the process ends.
#pragma once

#include <string>

#include "core/Common.h"
#include "core/HTTPTransfer.h"
#include "platform/exceptions/MachineExceptions.h"

namespace Tesk {

class TeskAppBase;

class SEHCatcher {
 public:
  // Makes the handler's routine descriptor; nothing registers it with the system.
  SEHCatcher();
  ~SEHCatcher();
  SEHCatcher(const SEHCatcher&) = delete;
  SEHCatcher& operator=(const SEHCatcher&) = delete;

  // Tells the application first, then reports. Always 0.
  static OSStatus UnhandledExceptionFilter(ExceptionInformation* theExceptionInfo);
  // Builds, stores and shows the report; with mShowUI the process ends here.
  static void DoHandleDebugEvent(ExceptionInformation* theExceptionInfo);
  // "MacOS Version: <hex>" and a line end.
  static std::string GetSysInfo();
  // Replaces "crash.txt" in the working folder.
  static void WriteToFile(const std::string& theErrorText);
  [[noreturn]] static void ShowErrorDialog(const std::string& theErrorTitle, const std::string& theErrorText);
  static bool LoadImageHelp();
  static void UnloadImageHelp();

  // The first line of a report for theKind and theAddress, made on thread theThreadId.
  static std::string GetExceptionLine(ExceptionKind theKind, uint64_t theAddress, uint32_t theThreadId);

  static TeskAppBase* mApp;
  static bool mShowUI;
  static bool mHasDemoFile;
  static std::string mUploadFileName;
  static ExceptionHandlerUPP ExceptionUPP;
  static TeskString mCrashMessage;
  static TeskString mSubmitMessage;
  static TeskString mSubmitErrorMessage;
  static std::string mErrorTitle;
  static std::string mErrorText;
  static std::string mUserText;
  static std::string mSubmitHost;
  static HTTPTransfer mSubmitReportTransfer;
};

extern SEHCatcher gSEHCatcher;

}  // namespace Tesk
