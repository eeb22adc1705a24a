#include "game/shell/GameLog.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

namespace Tesk {

void GameLog(const char* theFormat, ...) {
  char aLine[1024];
  va_list anArgs;
  va_start(anArgs, theFormat);
  std::vsnprintf(aLine, sizeof(aLine), theFormat, anArgs);
  va_end(anArgs);
  std::fprintf(stderr, "game: %s\n", aLine);
}

void LogNotBuilt(const char* theWhat) {
  // The loading thread may reach a stub too.
  static std::mutex sLock;
  static std::set<std::string> sSaid;
  std::lock_guard<std::mutex> aGuard(sLock);
  if (!sSaid.insert(theWhat).second) return;
  GameLog("%s is not built yet", theWhat);
}

}  // namespace Tesk
