// Types and conventions every part of the framework shares.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

// The framework's text string: wide characters, 32-bit on this platform.
typedef std::wstring TeskString;

namespace Tesk {

// 1 while an assertion's condition is being evaluated.
extern int gInAssert;

// Prints "<file>:<line>: failed assertion `<text>'" to standard error and stops the process.
[[noreturn]] void AssertFailed(const char* theFile, unsigned theLine, const char* theText);

// Debug output; does nothing in this build.
void OutputDebug(const wchar_t* theFormat, ...);

// The folder for user data; empty until start-up sets it.
extern std::string gAppDataFolder;

// Case through the C library's toupper/towupper/tolower, character by character.
std::string StringToUpper(const std::string& theString);
std::wstring StringToUpper(const std::wstring& theString);
std::string StringToLower(const std::string& theString);

// Byte strings widen byte by byte (0..255); wide strings narrow to the low 8 bits.
std::wstring StringToWString(const std::string& theString);
TeskString StringToTeskString(const std::string& theString);
std::string WStringToString(const std::wstring& theString);
std::string TeskStringToString(const TeskString& theString);
TeskString WStringToTeskString(const std::wstring& theString);
std::wstring TeskStringToWString(const TeskString& theString);

// Decimal, or hexadecimal after an 'x' at index 1 ("0x1F", "-x1F"); a leading
// '-' negates. Anything else stores 0 and answers false.
bool StringToInt(std::wstring theString, int* theIntVal);
// Digits with one optional '.', and an optional leading '-'; no exponent.
bool StringToDouble(std::wstring theString, double* theDoubleVal);
// Replaces the entities lt, amp, gt, quot, apos, nbsp and cr; unknown ones become '&'.
TeskString XMLDecodeString(const TeskString& theString);

// printf-style formatting of any length.
std::string StrFormat(const char* theFormat, ...);
std::wstring StrFormat(const wchar_t* theFormat, ...);
std::string vformat(const char* theFormat, va_list theArgs);
std::wstring vformat(const wchar_t* theFormat, va_list theArgs);

std::string GetAppDataFolder();
// Keeps the text, adding '/' unless it is empty or already ends in a separator,
// so callers can append file names.
void SetAppDataFolder(const std::string& thePath);

// Paths take '/' and '\\' alike.
std::string GetFileName(const std::string& thePath, bool noExtension = false);
std::string GetFileDir(const std::string& thePath, bool withSlash = false);
std::string RemoveTrailingSlash(const std::string& thePath);
// Resolves the leading "." and ".." of theRelPath against theDir.
std::string GetPathFrom(const std::string& theRelPath, const std::string& theDir);
// Adds read, write and execute for everyone; true when the permissions were changed.
bool AllowAllAccess(const std::string& theFileName);
// Creates every missing folder of theDir; errors are ignored.
void MkDir(const std::string& theDir);
bool CheckFor98Mill();

}  // namespace Tesk

// Compares the towlower forms; 0 when equal.
int wcsicmp(const wchar_t* theLeft, const wchar_t* theRight);
// Optional white space and sign, then decimal digits up to the first non-digit.
int32_t _wtol(const wchar_t* theString);
int _wtoi(const wchar_t* theString);

#define TESK_ASSERT(cond)                                              \
  do {                                                                 \
    Tesk::gInAssert = 1;                                               \
    bool aTeskAssertOk = static_cast<bool>(cond);                      \
    Tesk::gInAssert = 0;                                               \
    if (!aTeskAssertOk) Tesk::AssertFailed(__FILE__, __LINE__, #cond); \
  } while (0)
