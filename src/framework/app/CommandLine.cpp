#include "app/CommandLine.h"

namespace Tesk {

std::string JoinCommandLine(int argc, char* argv[]) {
  std::string aLine;
  for (int i = 1; i < argc; ++i) {
    std::string anArg;
    bool hasEquals = false;
    for (const char* aChar = argv[i]; *aChar != '\0'; ++aChar) {
      if (*aChar == '"') continue;
      if (*aChar == '=') {
        if (hasEquals) continue;
        hasEquals = true;
      }
      anArg += *aChar;
    }
    if (anArg.empty()) continue;
    if (!aLine.empty()) aLine += ' ';
    if (anArg.find(' ') != std::string::npos) {
      aLine += '"' + anArg + '"';
    } else {
      aLine += anArg;
    }
  }
  return aLine;
}

}  // namespace Tesk
