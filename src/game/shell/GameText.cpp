#include "game/shell/GameText.h"

#include <cstdarg>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/TeskAppBase.h"
#include "core/MacUtils.h"
#include "game/shell/GameLog.h"
#include "game/shell/GameStrings.h"

namespace {

// What a text record stands in for when the table lacks it. Never written through.
wchar_t s_emptyText[1] = {0};

// Every text the loader made; the globals point into these until the next load.
std::vector<std::unique_ptr<wchar_t[]>>& Store() {
  static std::vector<std::unique_ptr<wchar_t[]>> sStore;
  return sStore;
}

wchar_t* Keep(std::vector<std::unique_ptr<wchar_t[]>>& theStore, wchar_t* theText) {
  theStore.emplace_back(theText);
  return theText;
}

wchar_t* CopyText(const std::wstring& theText) {
  wchar_t* aCopy = new wchar_t[theText.size() + 1];
  std::wmemcpy(aCopy, theText.c_str(), theText.size() + 1);
  return aCopy;
}

// The format texts and the arguments the game passes them ('d' int, 's' wide string).
struct FormatRule {
  const char* mName;
  wchar_t** mText;
  const char* mArgs;
};

const FormatRule k_formatRules[] = {
    {"stringNewGradeExc", &stringNewGradeExc, "s"},
    {"stringNewGrade", &stringNewGrade, "s"},
    {"stringTimeTaken", &stringTimeTaken, "s"},
    {"stringRecordTime", &stringRecordTime, "s"},
    {"stringNewRecordSpeed", &stringNewRecordSpeed, "s"},
    {"stringTimeRemaining", &stringTimeRemaining, "s"},
    {"stringGoalText[12]", &stringGoalText[12], "s"},
    {"stringChapterComplete", &stringChapterComplete, "d"},
    {"stringMinPostMerge", &stringMinPostMerge, "d"},
    {"stringMinPostMergeShort", &stringMinPostMergeShort, "d"},
    {"stringMinutes", &stringMinutes, "d"},
    {"stringSpellCastTime", &stringSpellCastTime, "d"},
    {"stringGoalText[0]", &stringGoalText[0], "d"},
    {"stringGoalText[1]", &stringGoalText[1], "d"},
    {"stringGoalText[2]", &stringGoalText[2], "d"},
    {"stringGoalText[3]", &stringGoalText[3], "d"},
    {"stringGoalText[4]", &stringGoalText[4], "d"},
    {"stringGoalText[5]", &stringGoalText[5], "d"},
    {"stringGoalText[6]", &stringGoalText[6], "d"},
    {"stringGoalText[7]", &stringGoalText[7], "d"},
    {"stringGoalText[8]", &stringGoalText[8], "d"},
    {"stringGoalText[9]", &stringGoalText[9], "d"},
    {"stringGoalText[10]", &stringGoalText[10], "d"},
    {"stringGoalText[11]", &stringGoalText[11], "d"},
    {"stringMagicalChantSideInstructions", &stringMagicalChantSideInstructions, "d"},
    {"stringNumPartsSelected", &stringNumPartsSelected, "d"},
    {"stringChapNumAndChant", &stringChapNumAndChant, "d"},
    {"stringChapNumAndPotionGame", &stringChapNumAndPotionGame, "d"},
    {"stringCurrentChainLength", &stringCurrentChainLength, "d"},
    {"stringLongestChain", &stringLongestChain, "d"},
    {"stringChapter", &stringChapter, "d"},
    {"stringPlusObjectsRemaining", &stringPlusObjectsRemaining, "d"},
    {"stringSpellObjectsRemaining", &stringSpellObjectsRemaining, "d"},
    {"stringNumRunestonesFound", &stringNumRunestonesFound, "dd"},
};

uint16_t ReadU16(FILE* theFile, bool* ok) {
  unsigned char aBytes[2];
  *ok = std::fread(aBytes, 1, 2, theFile) == 2;
  return static_cast<uint16_t>(aBytes[0] | (aBytes[1] << 8));
}

// Every null text becomes the empty text; says which records the table did not have.
void FillMissing(int theRecordsRead, const char* theFileName) {
  if (theFileName == nullptr) {
    const char* aLanguageTable = GameText::languageTableName(Tesk::TeskAppBase::s_languageUsing);
    Tesk::GameLog("string table: neither str.str nor %s opens; the texts not loaded are empty",
                  aLanguageTable ? aLanguageTable : "a language table");
  } else if (theRecordsRead < GameStrings::k_numRecords) {
    int aRecord = 0;
    const char* aFirstMissing = "";
    for (int i = 0; i < GameStrings::k_numSlots && aFirstMissing[0] == 0; ++i) {
      if (aRecord + GameStrings::k_slots[i].mCount > theRecordsRead) aFirstMissing = GameStrings::k_slots[i].mName;
      aRecord += GameStrings::k_slots[i].mCount;
    }
    Tesk::GameLog("string table: %s has %d of %d records; the texts from record %d (%s) on are empty",
                  theFileName, theRecordsRead, GameStrings::k_numRecords, theRecordsRead + 1, aFirstMissing);
  }
  for (int i = 0; i < GameStrings::k_numSlots; ++i) {
    const GameStrings::Slot& aSlot = GameStrings::k_slots[i];
    for (int j = 0; j < aSlot.mCount; ++j) {
      if (aSlot.mTarget[j] == nullptr) aSlot.mTarget[j] = s_emptyText;
    }
  }
}

// The length modifier and conversion of one directive at theFormat[i] (just past the '%');
// i moves past it. 0 when the directive is not one the game may pass.
char Directive(const wchar_t* theFormat, size_t& i) {
  while (theFormat[i] != 0 && std::wcschr(L"-+ #0", theFormat[i]) != nullptr) ++i;
  while (theFormat[i] >= L'0' && theFormat[i] <= L'9') ++i;
  if (theFormat[i] == L'.') {
    ++i;
    while (theFormat[i] >= L'0' && theFormat[i] <= L'9') ++i;
  }
  if (theFormat[i] == L'd' || theFormat[i] == L'i') {
    ++i;
    return 'd';
  }
  if (theFormat[i] == L'l' && theFormat[i + 1] == L's') {
    i += 2;
    return 's';
  }
  return 0;
}

}  // namespace

namespace GameText {

const char* languageTableName(int theLanguage) {
  static const char* const kNames[] = {"_ENGLISH_str.str", "_RUSSIAN_str.str", "_FRENCH_str.str",
                                       "_GERMAN_str.str", "_KOREAN_str.str"};
  if (theLanguage < 0 || theLanguage > 4) return nullptr;
  return kNames[theLanguage];
}

bool loadGameStrings() {
  const char* aFileName = "str.str";
  FILE* aFile = Mac_fopen(aFileName, "rb");
  if (aFile == nullptr) {
    aFileName = languageTableName(Tesk::TeskAppBase::s_languageUsing);
    if (aFileName != nullptr) aFile = Mac_fopen(aFileName, "rb");
  }
  if (aFile == nullptr) {
    FillMissing(0, nullptr);
    checkFormats();
    return false;
  }

  std::vector<std::unique_ptr<wchar_t[]>> aStore;
  int aRead = 0;
  for (int i = 0; i < GameStrings::k_numSlots; ++i) {
    const GameStrings::Slot& aSlot = GameStrings::k_slots[i];
    for (int j = 0; j < aSlot.mCount; ++j) {
      wchar_t* aText = getNextString(aFile, nullptr);
      aSlot.mTarget[j] = aText ? Keep(aStore, aText) : nullptr;
      if (aText) ++aRead;
    }
  }
  stringFinalChapterGoal = const_cast<wchar_t*>(GameStrings::k_finalChapterGoalDefault);
  if (wchar_t* aGoal = getNextString(aFile, nullptr)) stringFinalChapterGoal = Keep(aStore, aGoal);
  std::fclose(aFile);

  // The texts of the last load go only now that nothing points at them.
  Store().swap(aStore);
  FillMissing(aRead, aFileName);
  checkFormats();
  return true;
}

bool formatMatches(const wchar_t* theFormat, const char* theArgs) {
  if (theFormat == nullptr) return false;
  size_t anArg = 0;
  for (size_t i = 0; theFormat[i] != 0;) {
    if (theFormat[i++] != L'%') continue;
    if (theFormat[i] == L'%') {
      ++i;
      continue;
    }
    const char aKind = Directive(theFormat, i);
    if (aKind == 0 || theArgs[anArg] != aKind) return false;
    ++anArg;
  }
  return theArgs[anArg] == 0;
}

std::wstring neutralisedFormat(const wchar_t* theFormat, const char* theArgs) {
  std::wstring aResult;
  for (const wchar_t* c = theFormat ? theFormat : L""; *c != 0; ++c) {
    aResult += *c;
    if (*c == L'%') aResult += L'%';
  }
  for (const char* anArg = theArgs; *anArg != 0; ++anArg) aResult += *anArg == 's' ? L" %ls" : L" %d";
  return aResult;
}

int checkFormats() {
  int aReplaced = 0;
  for (const FormatRule& aRule : k_formatRules) {
    // An empty text is a missing record, already reported; it formats to nothing.
    if ((*aRule.mText)[0] == 0 || formatMatches(*aRule.mText, aRule.mArgs)) continue;
    const std::wstring aSafe = neutralisedFormat(*aRule.mText, aRule.mArgs);
    Tesk::GameLog("string table: %s does not take %s as the game passes it; shown with the value appended",
                  aRule.mName, aRule.mArgs[0] == 's' ? "one %ls" : (aRule.mArgs[1] ? "two %d" : "one %d"));
    *aRule.mText = Keep(Store(), CopyText(aSafe));
    ++aReplaced;
  }
  return aReplaced;
}

int formatText(wchar_t* theBuffer, size_t theCapacity, const wchar_t* theFormat, ...) {
  if (theBuffer == nullptr || theCapacity == 0) return 0;
  // A failed or cut format leaves what it wrote unterminated; the zeroes end it wherever it
  // stopped.
  std::wmemset(theBuffer, 0, theCapacity);
  if (theFormat == nullptr) return 0;
  va_list anArgs;
  va_start(anArgs, theFormat);
  std::vswprintf(theBuffer, theCapacity, theFormat, anArgs);
  va_end(anArgs);
  theBuffer[theCapacity - 1] = 0;
  return static_cast<int>(std::wcslen(theBuffer));
}

}  // namespace GameText

wchar_t* getNextString(FILE* theFile, wchar_t* theFallback) {
  bool ok = false;
  const uint16_t aCount = ReadU16(theFile, &ok);
  if (!ok) return theFallback;
  // One more than the record says, zeroed: a record of count 0, or one without its 0 unit, or
  // one cut off by the end of the file, still ends.
  wchar_t* aText = new wchar_t[aCount + 1]();
  for (uint16_t i = 0; i < aCount; ++i) {
    const uint16_t aUnit = ReadU16(theFile, &ok);
    if (!ok) break;
    aText[i] = static_cast<wchar_t>(aUnit);
  }
  return aText;
}
