// Types and conventions every part of the framework shares.
#pragma once

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

}  // namespace Tesk

#define TESK_ASSERT(cond)                                                \
  do {                                                                   \
    Tesk::gInAssert = 1;                                                 \
    bool aTeskAssertOk = static_cast<bool>(cond);                        \
    Tesk::gInAssert = 0;                                                 \
    if (!aTeskAssertOk) Tesk::AssertFailed(__FILE__, __LINE__, #cond);   \
  } while (0)
