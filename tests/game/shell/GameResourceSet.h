// A small resource folder the game itself can start from, written with the project's writers:
// every one of the game's resource ids in its group (tiny images, short sounds, bitmap fonts),
// the shared image block and a string table. Shared by the shell's tests and the program's.
#pragma once

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "ResourceSetWriter.h"
#include "StringTableWriter.h"
#include "game/shell/GameStrings.h"
#include "game/shell/ResourceIds.h"

namespace GameTest {

// The group of identifier theId (see ResourceIds.h: they run through the groups in order).
inline const char* GroupOfId(int theId) {
  if (theId == 0) return "Init";
  if (theId <= 33) return "Constants";
  if (theId <= 70) return "Main";
  if (theId <= 76) return "Story";
  if (theId <= 85) return "TitleScreen";
  if (theId <= 104) return "HowToPlay";
  if (theId <= 116) return "Map";
  return "MiniGame";
}

// The game's groups with every id, less those in theLeftOut; "LevelIntro" is there, empty.
inline TeskTools::ResourceSetSpec GameResourceSet(const std::set<std::string>& theLeftOut = {}) {
  using TeskTools::FileFormat;
  using TeskTools::ResourceKind;
  TeskTools::ResourceSetSpec aSet;
  aSet.mImagePrefix = aSet.mSoundPrefix = aSet.mFontPrefix = "";
  std::map<std::string, std::vector<TeskTools::ResourceSpec>> aGroups;
  const char* const kOrder[] = {"Init",        "Constants", "Main", "Story",
                                "TitleScreen", "HowToPlay", "Map",  "MiniGame"};
  for (int i = 0; i < Tesk::k_numResourceIds; ++i) {
    const std::string anId = Tesk::GetStringIdById(i);
    if (theLeftOut.count(anId) != 0) continue;
    TeskTools::ResourceSpec aRes;
    aRes.mId = anId;
    if (anId.rfind("FONT_", 0) == 0) {
      aRes.mKind = ResourceKind::Font;
      aRes.mPath = anId + ".txt";
      aRes.mFormat = FileFormat::FontDescriptor;
      aRes.mHeight = 14;
      aRes.mAttributes = "tags=\"plain\"";
    } else if (anId.rfind("SFX_", 0) == 0 || anId.rfind("AMBIENT_", 0) == 0) {
      aRes.mKind = ResourceKind::Sound;
      aRes.mPath = anId;
      aRes.mFormat = FileFormat::Wav;
    } else {
      aRes.mKind = ResourceKind::Image;
      aRes.mPath = anId + ".png";
      aRes.mFormat = FileFormat::PngRgba;
      aRes.mWidth = i == 0 ? 120 : 8;
      aRes.mHeight = i == 0 ? 90 : 6;
    }
    aGroups[GroupOfId(i)].push_back(aRes);
  }
  for (const char* aName : kOrder) aSet.mGroups.push_back({aName, aGroups[aName]});
  aSet.mGroups.push_back({"LevelIntro", {}});
  aSet.mBlocks = {{"builddata/animsblock.tgab", 25, 16, 16}};
  return aSet;
}

// The table records in order: record n (from 1) reads "r<n>", except the globals named in
// theTexts ("name", or "name[i]" for an entry of an array), which read as given there.
inline std::vector<std::wstring> StringTable(const std::map<std::string, std::wstring>& theTexts = {}) {
  std::vector<std::wstring> aRecords;
  for (int i = 0; i < GameStrings::k_numSlots; ++i) {
    const GameStrings::Slot& aSlot = GameStrings::k_slots[i];
    for (int j = 0; j < aSlot.mCount; ++j) {
      const std::string aName =
          aSlot.mCount == 1 ? aSlot.mName : std::string(aSlot.mName) + "[" + std::to_string(j) + "]";
      auto anIt = theTexts.find(aName);
      aRecords.push_back(anIt != theTexts.end() ? anIt->second : L"r" + std::to_wstring(aRecords.size() + 1));
    }
  }
  return aRecords;
}

// The texts the shell's tests look at, and a format of the right kind for every text that the
// game formats.
inline std::map<std::string, std::wstring> ShellTexts() {
  std::map<std::string, std::wstring> aTexts = {
      {"stringLost60Seconds", L"-60 s"},    {"stringLost45Seconds", L"-45 s"},
      {"stringLost30Seconds", L"-30 s"},    {"stringLost15Seconds", L"-15 s"},
      {"stringCoinsFound", L"coins"},       {"stringNewGradeExc", L"New grade %ls!"},
      {"stringNewGrade", L"Grade now %ls"}, {"stringGradeS", L"S"},
      {"stringGradeSPlus", L"S+"},          {"stringGradeB", L"B"},
      {"stringGradeBPlus", L"B+"},          {"stringGradeA", L"A"},
      {"stringGradeAPlus", L"A+"},          {"stringNumRunestonesFound", L"%d of %d"}};
  for (const char* aName : {"stringTimeTaken", "stringRecordTime", "stringNewRecordSpeed",
                            "stringTimeRemaining", "stringGoalText[12]"}) {
    aTexts[aName] = L"text %ls";
  }
  for (const char* aName :
       {"stringChapterComplete", "stringMinPostMerge", "stringMinPostMergeShort", "stringMinutes",
        "stringSpellCastTime", "stringMagicalChantSideInstructions", "stringNumPartsSelected",
        "stringChapNumAndChant", "stringChapNumAndPotionGame", "stringCurrentChainLength",
        "stringLongestChain", "stringChapter", "stringPlusObjectsRemaining", "stringSpellObjectsRemaining"}) {
    aTexts[aName] = L"number %d";
  }
  for (int i = 0; i < 12; ++i) aTexts["stringGoalText[" + std::to_string(i) + "]"] = L"goal %d";
  return aTexts;
}

// Writes the whole folder; false with a reason.
inline bool WriteGameResources(const std::string& theDir, std::string* theError,
                               const std::set<std::string>& theLeftOut = {}) {
  if (!TeskTools::WriteResourceSet(GameResourceSet(theLeftOut), theDir, theError)) return false;
  if (!TeskTools::WriteStringTable(theDir + "/str.str", StringTable(ShellTexts()))) {
    *theError = "cannot write the string table";
    return false;
  }
  return true;
}

}  // namespace GameTest
