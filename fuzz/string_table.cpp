// Feeds arbitrary bytes to the string-table reader as the game's "str.str", then formats every
// text the way the screens do: a format the checker passes, formatted with what it takes, and
// every neutralised copy must stay inside its buffer.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"

namespace {

void FormatAll(const wchar_t* theText) {
  wchar_t aBuffer[64];
  for (const char* anArgs : {"d", "s", "dd"}) {
    const std::wstring aSafe = GameText::neutralisedFormat(theText, anArgs);
    if (!GameText::formatMatches(aSafe.c_str(), anArgs)) __builtin_trap();
    const wchar_t* aFormat = GameText::formatMatches(theText, anArgs) ? theText : aSafe.c_str();
    if (anArgs[0] == 's') {
      GameText::formatText(aBuffer, 64, aFormat, L"text");
    } else {
      GameText::formatText(aBuffer, 64, aFormat, 12, 34);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  // The table is read from the working folder: one of this process's own.
  static const bool sInFolder = [] {
    const std::string aDir = "/tmp/fuzz-string-table-" + std::to_string(getpid());
    mkdir(aDir.c_str(), 0700);
    return chdir(aDir.c_str()) == 0;
  }();
  if (!sInFolder) return 0;
  FILE* aFile = std::fopen("str.str", "wb");
  if (aFile == nullptr) return 0;
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);

  GameText::loadGameStrings();
  for (int i = 0; i < GameStrings::k_numSlots; ++i) {
    for (int j = 0; j < GameStrings::k_slots[i].mCount; ++j) FormatAll(GameStrings::k_slots[i].mTarget[j]);
  }
  FormatAll(stringFinalChapterGoal);
  return 0;
}
