// The Win32-named services the framework calls, over the Mac-shaped stand-ins:
// tick counts, sleeping, thread ids, window messages, message boxes, opening
// files and resources, launching URLs, and the window bookkeeping around a
// display-mode change.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct OpaqueWindowPtr;
typedef OpaqueWindowPtr* WindowRef;

typedef void* HWND;
typedef uint32_t WPARAM;
typedef int32_t LPARAM;

// Message-box flags and answers.
enum : uint32_t {
  MB_OK = 0x00,
  MB_OKCANCEL = 0x01,
  MB_YESNO = 0x04,
  MB_ICONHAND = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONASTERISK = 0x40,
};
enum : int32_t { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Milliseconds of up time on a 32-bit clock that wraps (about every 49.7 days).
uint32_t GetTickCount();
uint32_t timeGetTime();
void Sleep(uint32_t theMilliseconds);
uint32_t GetCurrentThreadId();

// Queue a message for the window, or deliver it at once; 0 when it went through.
// They travel as Carbon events through the installed OsWindowBridge.
int32_t PostMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam);
int32_t SendMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam);

// A modal alert: caption as the message, text as the explanation (Mac Roman,
// any length). Returns 1/2 for OK/Cancel, 6/7 for Yes/No.
int32_t MessageBox(HWND theWindow, const char* theText, const char* theCaption, uint32_t theType);
// The same alert; its strings are byte strings too.
int32_t MessageBoxW(HWND theWindow, const char* theText, const char* theCaption, uint32_t theType);

// fopen, retried under the resources folder with backslashes as slashes.
FILE* Mac_fopen(const char* theName, const char* theMode);
// The path of a resource (or, for a null name, of the resources folder) into
// theBuffer. False when it is missing or the path does not fit.
bool GetResourcePath(const char* theName, char* theBuffer, int theSize);
// Opens a web address (a text containing "http") or a file path.
void LaunchURL(const std::string& theText);
// Before a display-mode change (restore false) notes where a visible window is;
// afterwards (restore true) puts it back. Always true.
bool ChangeDisplayWindowEnumProc(WindowRef theWindow, bool restore);
