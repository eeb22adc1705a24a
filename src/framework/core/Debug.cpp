#include <cstdio>
#include <cstdlib>

#include "core/Common.h"

namespace Tesk {

int gInAssert = 0;

void AssertFailed(const char* theFile, unsigned theLine, const char* theText) {
  std::fprintf(stderr, "%s:%u: failed assertion `%s'\n", theFile, theLine, theText);
  std::fflush(stderr);
  std::abort();
}

void OutputDebug(const wchar_t*, ...) {}

}  // namespace Tesk
