// The level save: a header, the find lists and taken objects of every location slot, and the
// darkness and repel state of the level dynamics. A save is read whole and checked against the
// loaded level before any of it is applied, so a damaged file leaves the fresh level as it was.
#include <algorithm>
#include <bitset>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Common.h"
#include "core/UserFile.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
#include "game/shell/ProfileData.h"

namespace {

constexpr int k_maxHidden = LocationData::k_maxObjects;

struct SavedEntry {
  uint8_t mCount = 0;
  bool mActive = false;
  TeskString mName;
  uint32_t mParts[FindInfo::k_maxParts] = {};  // object indices
  bool mToFind[FindInfo::k_maxParts] = {};
};

struct SavedLocation {
  uint32_t mOpen = 0;
  int32_t mId = -1;
  SavedEntry mEntries[LocationData::k_findListSize];
  std::vector<uint32_t> mHidden;
};

// The level-dynamics block, field by field as the file holds it.
struct SavedDynamics {
  uint8_t mDarkness9 = 255, mDarkness12 = 255;
  int32_t mCounter9 = 0, mCounter12 = 0;
  bool mClearing9 = false, mClearing12 = false;
  uint16_t mRepelTimers[13] = {};
};

struct SavedLevel {
  uint8_t mRunestonesFound = 0;
  uint8_t mMaxObjects = 0;
  SavedLocation mLocations[k_maxLocations];
  SavedDynamics mDynamics;
};

// Reads the body from theIn; false with the reason when it is cut short or out of bounds.
class BodyReader {
 public:
  BodyReader(Tesk::ByteReader& theIn, bool wideNames, std::string* theError)
      : mIn(theIn), mWide(wideNames), mError(theError) {}

  bool read(SavedLevel& theLevel) {
    theLevel.mRunestonesFound = mIn.u8();
    theLevel.mMaxObjects = mIn.u8();
    if (!check(theLevel.mRunestonesFound <= 4,
               Tesk::StrFormat("it counts %d runestones found", theLevel.mRunestonesFound)) ||
        !check(theLevel.mMaxObjects <= k_maxLocations * k_findListSize,
               Tesk::StrFormat("it asks for %d objects", theLevel.mMaxObjects)))
      return false;
    for (int i = 0; i < k_maxLocations; ++i) {
      mWhere = Tesk::StrFormat("location slot %d", i);
      if (!readLocation(theLevel.mLocations[i])) return false;
    }
    mWhere = "the level dynamics";
    if (!readDynamics(theLevel.mDynamics)) return false;
    return check(mIn.left() == 0, Tesk::StrFormat("%zu bytes follow its end", mIn.left()));
  }

 private:
  bool check(bool isOk, const std::string& theWhy) {
    if (mIn.failed()) {
      *mError = "it ends inside " + mWhere;
      return false;
    }
    if (!isOk) *mError = theWhy;
    return isOk;
  }

  bool readFlag(bool* theFlag, const char* theWhat) {
    const uint8_t aByte = mIn.u8();
    *theFlag = aByte != 0;
    return check(aByte <= 1, Tesk::StrFormat("%s of %s is %d, not 0 or 1", theWhat, mWhere.c_str(), aByte));
  }

  bool readLocation(SavedLocation& l) {
    l.mOpen = mIn.u32();
    l.mId = mIn.i32();
    if (!check(l.mId == -1 || (l.mId >= 1 && l.mId <= k_maxLocations),
               Tesk::StrFormat("%s holds location %d", mWhere.c_str(), l.mId)))
      return false;
    if (l.mId == -1) return true;
    mWhere = Tesk::StrFormat("location %d", l.mId);
    if (!check(l.mOpen <= LocationData::k_findListSize,
               Tesk::StrFormat("%s has %u open entries", mWhere.c_str(), l.mOpen)))
      return false;
    for (SavedEntry& e : l.mEntries)
      if (!readEntry(e)) return false;
    // The hidden objects run to the end marker; a file that ends first is damaged, not a
    // reason to wait for more.
    for (;;) {
      const uint32_t aValue = mIn.u32();
      if (!check(true, "")) return false;
      if (aValue == LevelData::k_saveEndMarker) return true;
      if (!check(aValue < LocationData::k_maxObjects,
                 Tesk::StrFormat("%s hides object %u", mWhere.c_str(), aValue)) ||
          !check(static_cast<int>(l.mHidden.size()) < k_maxHidden,
                 Tesk::StrFormat("%s hides more than %d objects", mWhere.c_str(), k_maxHidden)))
        return false;
      l.mHidden.push_back(aValue);
    }
  }

  bool readEntry(SavedEntry& e) {
    e.mCount = mIn.u8();
    if (!check(e.mCount <= FindInfo::k_maxParts,
               Tesk::StrFormat("an entry of %s has %d parts", mWhere.c_str(), e.mCount)) ||
        !readFlag(&e.mActive, "an entry's active flag"))
      return false;
    const int aLength = mIn.u8();
    if (!check(aLength >= 1 && aLength <= LevelData::k_maxSavedNameLength,
               Tesk::StrFormat("an entry of %s has a name of %d characters", mWhere.c_str(), aLength)))
      return false;
    e.mName.clear();
    bool isEnded = false;
    for (int c = 0; c < aLength; ++c) {
      const uint32_t aChar = mWide ? mIn.u32() : mIn.u8();
      if (aChar == 0) isEnded = true;
      if (!isEnded) e.mName.push_back(static_cast<wchar_t>(aChar));
    }
    if (!check(isEnded, Tesk::StrFormat("a name in %s has no end", mWhere.c_str()))) return false;
    for (int k = 0; k < e.mCount; ++k) {
      const uint32_t aReference = mIn.u32();
      if (!check(aReference % LevelData::k_savedObjectStride == 0 &&
                     aReference / LevelData::k_savedObjectStride < LocationData::k_maxObjects,
                 Tesk::StrFormat("an entry of %s refers to byte %u", mWhere.c_str(), aReference)))
        return false;
      e.mParts[k] = aReference / LevelData::k_savedObjectStride;
      if (!readFlag(&e.mToFind[k], "a part's to-find flag")) return false;
    }
    return true;
  }

  bool readDynamics(SavedDynamics& d) {
    d.mDarkness9 = mIn.u8();
    d.mDarkness12 = mIn.u8();
    d.mCounter9 = mIn.i32();
    d.mCounter12 = mIn.i32();
    // The counters only ever step between 0 and 2.
    if (!check(d.mCounter9 >= 0 && d.mCounter9 <= 2 && d.mCounter12 >= 0 && d.mCounter12 <= 2,
               Tesk::StrFormat("its darkness counters are %d and %d", d.mCounter9, d.mCounter12)) ||
        !readFlag(&d.mClearing9, "the clearing flag") || !readFlag(&d.mClearing12, "the clearing flag"))
      return false;
    for (int i = 0; i < 13; ++i) {
      d.mRepelTimers[i] = mIn.u16();
      if (!check(d.mRepelTimers[i] <= LevelData::k_maxRepelTimer,
                 Tesk::StrFormat("the repel spell of location %d has %d updates left", i, d.mRepelTimers[i])))
        return false;
    }
    return true;
  }

  Tesk::ByteReader& mIn;
  bool mWide;
  std::string* mError;
  std::string mWhere = "the level";
};

// A click on a pickup, a cover or the placeholder never reaches the find list.
bool IsListedKind(int theKind) {
  return (theKind < Selectable::k_kindCoin0 || theKind > Selectable::k_kindReveal) &&
         theKind != Selectable::k_kindRepel;
}

// Why an open entry of location l as s saves it could never be finished, or empty. The location is
// done when its open count reaches 0, one for each entry whose last part is found; a find counts
// for the first open entry of the found object's kind, and only a visible object still to find
// can be found.
std::string WhyUnfinishable(const SavedLocation& s, const LocationData& l, const bool* isHidden) {
  uint32_t anOpen = 0;
  std::bitset<Selectable::k_kindMask / (1u << Selectable::k_kindShift) + 1> isKindListed;
  for (const SavedEntry& e : s.mEntries) {
    if (!e.mActive) continue;
    ++anOpen;
    if (e.mCount == 0) return Tesk::StrFormat("an open entry of location %d has nothing to find", l.m_id);
    const int aKind = l.m_selectables[e.mParts[0]].getKind();
    for (int k = 0; k < e.mCount; ++k) {
      const Selectable& aPart = l.m_selectables[e.mParts[k]];
      if (aPart.getKind() != aKind || !IsListedKind(aKind) || !e.mToFind[k] || !aPart.isVisible() ||
          isHidden[e.mParts[k]])
        return Tesk::StrFormat("object %u of an open entry of location %d cannot be found", e.mParts[k],
                               l.m_id);
    }
    if (isKindListed[static_cast<size_t>(aKind)])
      return Tesk::StrFormat("two open entries of location %d list kind %d", l.m_id, aKind);
    isKindListed[static_cast<size_t>(aKind)] = true;
  }
  if (s.mOpen != anOpen)
    return Tesk::StrFormat("location %d counts %u open entries but has %u", l.m_id, s.mOpen, anOpen);
  return std::string();
}

void writeDynamics(Tesk::ByteWriter& theOut, const LevelDynamics& d) {
  theOut.u8(d.m_darkness9);
  theOut.u8(d.m_darkness12);
  theOut.i32(d.m_darknessCounter9);
  theOut.i32(d.m_darknessCounter12);
  theOut.u8(d.m_darknessClearing9 ? 1 : 0);
  theOut.u8(d.m_darknessClearing12 ? 1 : 0);
  for (uint16_t aTimer : d.m_repelTimers) theOut.u16(aTimer);
}

void applyDynamics(const SavedDynamics& s, LevelDynamics& d) {
  d.m_darkness9 = s.mDarkness9;
  d.m_darkness12 = s.mDarkness12;
  d.m_darknessCounter9 = s.mCounter9;
  d.m_darknessCounter12 = s.mCounter12;
  d.m_darknessClearing9 = s.mClearing9;
  d.m_darknessClearing12 = s.mClearing12;
  std::copy(s.mRepelTimers, s.mRepelTimers + 13, d.m_repelTimers);
}

// The rest of theFile from its position, at most theMax bytes; false when there is more.
bool readRest(FILE* theFile, size_t theMax, std::string* theBytes) {
  theBytes->assign(theMax + 1, '\0');
  const size_t aRead = theFile != nullptr ? std::fread(&(*theBytes)[0], 1, theBytes->size(), theFile) : 0;
  theBytes->resize(std::min(aRead, theMax));
  return aRead <= theMax;
}

}  // namespace

std::string LevelData::getLevelSavePath() {
  const int anIndex = m_profileData != nullptr ? m_profileData->getProfileIdxUsing() : 0;
  return Tesk::GetAppDataFolder() + Tesk::StrFormat("%s%d", Tesk::GameApp::k_LOAD_FILE_STRING, anIndex);
}

std::string LevelData::levelSaveBytes() {
  Tesk::ByteWriter anOut;
  anOut.u32(k_saveMagic);
  anOut.u32(k_saveVersion);
  anOut.u8(m_runestonesFound);
  anOut.u8(m_maxObjects);
  for (LocationData& l : m_locations) {
    anOut.u32(l.m_numOpen);
    anOut.i32(l.m_id);
    if (l.m_id == -1) continue;
    for (const FindInfo& e : l.m_findInfo) {
      // Parts are packed; the count written is the number of parts there are.
      const Selectable* aParts[FindInfo::k_maxParts];
      int aCount = 0;
      for (const Selectable* p : e.m_parts)
        if (p != nullptr && aCount < e.getCount()) aParts[aCount++] = p;
      anOut.u8(static_cast<uint32_t>(aCount));
      anOut.u8(e.isActive() ? 1 : 0);
      const size_t aLength = std::min<size_t>(e.m_name.size(), k_maxSavedNameLength - 1);
      anOut.u8(static_cast<uint32_t>(aLength + 1));
      for (size_t c = 0; c < aLength; ++c) anOut.u32(static_cast<uint32_t>(e.m_name[c]));
      anOut.u32(0);
      for (int k = 0; k < aCount; ++k) {
        anOut.u32(static_cast<uint32_t>(aParts[k] - l.m_selectables) * k_savedObjectStride);
        anOut.u8(aParts[k]->isToFind() ? 1 : 0);
      }
    }
    for (uint32_t i = 0; i < l.m_numObjects && i < LocationData::k_maxObjects; ++i) {
      const Selectable& s = l.m_selectables[i];
      if (s.m_image != nullptr && !s.isVisible()) anOut.u32(i);
    }
    anOut.u32(k_saveEndMarker);
  }
  writeDynamics(anOut, Tesk::InGame::m_levelDynamics);
  return anOut.str();
}

bool LevelData::saveLevelData() {
  const std::string aPath = getLevelSavePath();
  if (!Tesk::WriteUserFile(aPath, levelSaveBytes())) {
    Tesk::GameLog("level save: %s cannot be written; the previous save is kept", aPath.c_str());
    return false;
  }
  return true;
}

bool LevelData::readLevelBody(const std::string& theBytes, size_t theOffset, bool wideNames,
                              std::string* theError) {
  Tesk::ByteReader anIn(theBytes.data(), theBytes.size());
  anIn.seek(theOffset);
  auto aSaved = std::make_unique<SavedLevel>();
  if (!BodyReader(anIn, wideNames, theError).read(*aSaved)) return false;

  // Every reference must land on an object of the level as it was loaded.
  for (int i = 0; i < k_maxLocations; ++i) {
    const SavedLocation& s = aSaved->mLocations[i];
    const LocationData& l = m_locations[i];
    if (s.mId != l.m_id) {
      *theError = Tesk::StrFormat("slot %d holds location %d, but this level has %d there", i, s.mId, l.m_id);
      return false;
    }
    // An object in two entries would leave one of them unfindable.
    bool isListed[LocationData::k_maxObjects] = {};
    for (const SavedEntry& e : s.mEntries) {
      for (int k = 0; k < e.mCount; ++k) {
        if (e.mParts[k] >= l.m_numObjects) {
          *theError = Tesk::StrFormat("location %d has no object %u", l.m_id, e.mParts[k]);
          return false;
        }
        if (isListed[e.mParts[k]]) {
          *theError = Tesk::StrFormat("object %u of location %d is listed twice", e.mParts[k], l.m_id);
          return false;
        }
        isListed[e.mParts[k]] = true;
      }
    }
    bool isHidden[LocationData::k_maxObjects] = {};
    for (uint32_t anIndex : s.mHidden) {
      if (anIndex >= l.m_numObjects) {
        *theError = Tesk::StrFormat("location %d has no object %u to hide", l.m_id, anIndex);
        return false;
      }
      isHidden[anIndex] = true;
    }
    if (s.mId == -1) continue;
    *theError = WhyUnfinishable(s, l, isHidden);
    if (!theError->empty()) return false;
  }

  m_runestonesFound = aSaved->mRunestonesFound;
  m_maxObjects = aSaved->mMaxObjects;
  for (int i = 0; i < k_maxLocations; ++i) {
    const SavedLocation& s = aSaved->mLocations[i];
    LocationData& l = m_locations[i];
    if (s.mId == -1) continue;
    l.m_numOpen = s.mOpen;
    for (int n = 0; n < LocationData::k_findListSize; ++n) {
      const SavedEntry& e = s.mEntries[n];
      FindInfo& f = l.m_findInfo[n];
      std::fill(f.m_parts, f.m_parts + FindInfo::k_maxParts, nullptr);
      f.setCount(e.mCount);
      f.setActive(e.mActive);
      f.m_name = e.mName;
      for (int k = 0; k < e.mCount; ++k) {
        Selectable& aPart = l.m_selectables[e.mParts[k]];
        f.m_parts[k] = &aPart;
        f.setKind(aPart.getKind());
        aPart.m_findInfo = &f;
        aPart.setToFind(e.mToFind[k]);
      }
    }
    for (uint32_t anIndex : s.mHidden) l.m_selectables[anIndex].setVisible(false);
  }
  applyDynamics(aSaved->mDynamics, Tesk::InGame::m_levelDynamics);
  return true;
}

bool LevelData::readLevelSave(const std::string& theBytes, std::string* theError) {
  // A file that starts with the magic and a version other than 0 has wide names after the
  // header; anything else is the headerless first layout from its first byte.
  Tesk::ByteReader aHeader(theBytes.data(), theBytes.size());
  const uint32_t aMagic = aHeader.u32();
  const uint32_t aVersion = aMagic == k_saveMagic ? aHeader.u32() : 0;
  if (!aHeader.failed() && aMagic == k_saveMagic && aVersion != 0)
    return readLevelBody(theBytes, 8, true, theError);
  return readLevelBody(theBytes, 0, false, theError);
}

bool LevelData::loadlevelData() {
  const std::string aPath = getLevelSavePath();
  std::string aBytes;
  std::string anError;
  switch (Tesk::ReadUserFile(aPath, k_maxSaveFileSize, &aBytes)) {
    case Tesk::UserFileRead::Missing:
      Tesk::GameLog("level save: there is no save %s", aPath.c_str());
      return false;
    case Tesk::UserFileRead::Unreadable:
      anError = "it cannot be read";
      break;
    case Tesk::UserFileRead::TooLarge:
      anError = Tesk::StrFormat("it is larger than %zu bytes", k_maxSaveFileSize);
      break;
    case Tesk::UserFileRead::Ok:
      if (readLevelSave(aBytes, &anError)) return true;
      break;
  }
  // Out of the way of the next save, beside any save refused before.
  const std::string aKept = Tesk::KeepRefusedUserFile(aPath);
  const std::string aKeptAs = aKept.empty() ? "it could not be kept aside" : "it is kept as " + aKept;
  Tesk::GameLog("level save: %s is damaged (%s); %s and the level goes on with new find lists", aPath.c_str(),
                anError.c_str(), aKeptAs.c_str());
  if (m_profileData != nullptr) {
    m_profileData->setHasSaveFile(false);
    m_profileData->setSaveInMinigame(false);
  }
  return false;
}

bool LevelData::loadlevelDataV1(FILE* theFile) {
  std::string aBytes, anError;
  if (!readRest(theFile, k_maxSaveFileSize, &aBytes)) return false;
  return readLevelBody(aBytes, 0, true, &anError);
}

bool LevelData::loadlevelDataV0(FILE* theFile) {
  std::string aBytes, anError;
  if (!readRest(theFile, k_maxSaveFileSize, &aBytes)) return false;
  return readLevelBody(aBytes, 0, false, &anError);
}
