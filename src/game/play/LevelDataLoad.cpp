// Building a level from its files: each location's image block and object file, the object
// names of the language in use, the pickups the profile has not taken, and the find lists.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/TeskAppBase.h"
#include "core/ByteReader.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "core/MacUtils.h"
#include "display/DDImage.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/PlayConstants.h"
#include "game/shell/GameLog.h"
#include "game/shell/ProfileData.h"
#include "resources/ImageLib.h"

using Tesk::k_sideBarWidth;

namespace {

constexpr int k_maxCoord = 8191;  // coordinates are signed 14-bit fields
constexpr int k_maxKindMembers = FindInfo::k_maxParts;

// Kind bytes of the object files with a role.
enum : uint8_t {
  k_byteRepel = 'U',
  k_byteCoin = 'V',
  k_byteScenery = 'W',
  k_byteCover = 'X',
  k_byteRunestone = 'Y',
  k_byteReveal = 'Z',
};

bool IsSpecialByte(int theKind) { return theKind >= k_byteRepel && theKind <= k_byteReveal; }

// An ordinary kind that would read as one of the roles' kinds once stored.
bool IsReservedKind(int theKind) {
  return theKind == Selectable::k_kindCover || theKind == Selectable::k_kindRunestone ||
         theKind == Selectable::k_kindReveal || theKind == Selectable::k_kindRepel;
}

struct ObjectRecord {
  TeskString mName;
  int mGroup;
  int mKind;  // the file's byte, or the text entry's when one replaces it
  int mRenderOrder;
  int mX;
  int mY;
};

bool ReadFully(FILE* theFile, void* theOut, size_t theSize) {
  return std::fread(theOut, 1, theSize, theFile) == theSize;
}

// A whole file of at most theMax bytes; false when it cannot be opened or is longer.
bool ReadSmallFile(const std::string& theName, size_t theMax, std::string* theBytes, bool* isTooLong) {
  *isTooLong = false;
  FILE* aFile = Mac_fopen(theName.c_str(), "rb");
  if (aFile == nullptr) return false;
  theBytes->assign(theMax + 1, '\0');
  const size_t aRead = std::fread(&(*theBytes)[0], 1, theBytes->size(), aFile);
  std::fclose(aFile);
  *isTooLong = aRead > theMax;
  theBytes->resize(std::min(aRead, theMax));
  return !*isTooLong;
}

std::string LocationFileName(const char* thePattern, int theId) {
  std::string aName = thePattern;  // "builddata/l00....": the digits at 11 and 12
  aName[11] = static_cast<char>('0' + theId / 10 % 10);
  aName[12] = static_cast<char>('0' + theId % 10);
  return aName;
}

// A pickup of one part: shown and listed in its own entry when active, hidden otherwise; it is
// the location's pickup of its kind either way.
void placePickup(Selectable& theObject, int theKind, const TeskString& theName, bool isActive,
                 FindInfo& theInfo, Selectable*& theSlot) {
  theObject.setKind(theKind);
  if (isActive) {
    theInfo.setActive(true);
    theInfo.setCount(1);
    theInfo.m_parts[0] = &theObject;
    theInfo.setKind(theKind);
    theInfo.m_name = theName;
  }
  theObject.setVisible(isActive);
  theObject.setToFind(isActive);
  theSlot = &theObject;
  theObject.m_findInfo = &theInfo;
}

}  // namespace

// A location's working data while it loads, discarded afterwards.
struct LocationCandidates {
  struct Candidate {
    TeskString mName;
    Selectable* mObject;  // null once used
  };
  // Per ordinary kind, the indices of its objects in file order.
  int8_t mMembers[LevelData::k_maxKinds][k_maxKindMembers];
  int mNumMembers[LevelData::k_maxKinds];
  Candidate mCandidates[3][LevelData::k_maxCandidates];
  int mNumCandidates[3];

  void clear() {
    std::fill(&mMembers[0][0], &mMembers[0][0] + sizeof(mMembers), int8_t{-1});
    std::fill(mNumMembers, mNumMembers + LevelData::k_maxKinds, 0);
    std::fill(mNumCandidates, mNumCandidates + 3, 0);
  }
  void markUsed(const Selectable* theObject) {
    // Every list: an item whose parts sit in different groups is still listed once.
    for (int g = 0; g < 3; ++g) {
      for (int i = 0; i < mNumCandidates[g]; ++i) {
        if (mCandidates[g][i].mObject == theObject) {
          mCandidates[g][i].mObject = nullptr;
          break;
        }
      }
    }
  }
  int unused(int theGroup) const {
    int aCount = 0;
    for (int i = 0; i < mNumCandidates[theGroup]; ++i) aCount += mCandidates[theGroup][i].mObject != nullptr;
    return aCount;
  }
};

FILE* LevelData::openObjectText(int theLanguage) {
  if (theLanguage == 0) return nullptr;
  if (FILE* aFile = Mac_fopen("objtext.dat", "rb")) return aFile;
  static const char* const k_byLanguage[5] = {nullptr, "_RUSSIAN_objtext.dat", "_FRENCH_objtext.dat",
                                              "_german_objtext.dat", "_KOREAN_objtext.dat"};
  const char* aName = theLanguage >= 1 && theLanguage <= 4 ? k_byLanguage[theLanguage] : "objtext.dat";
  return Mac_fopen(aName, "rb");
}

bool LevelData::fail(const std::string& theWhy) {
  m_loadError = theWhy;
  Tesk::GameLog("level data: %s", theWhy.c_str());
  return false;
}

Tesk::Image* LevelData::makeImage(ImageLib::Image* theImage) {
  return Tesk::gTeskAppBase != nullptr ? Tesk::gTeskAppBase->GetImage(theImage, true) : nullptr;
}

void LevelData::clearLocation(LocationData& theLocation) {
  deleteLocation(theLocation);
  theLocation.m_id = -1;
  theLocation.m_numOpen = 0;
  theLocation.m_numObjects = 0;
  theLocation.m_numCoins = 0;
  theLocation.m_visitCount = 0;
  // The pickups' entries too: a location without an active pickup must not keep the last
  // level's.
  for (FindInfo* anInfo : {&theLocation.m_repelInfo, &theLocation.m_coinInfo, &theLocation.m_runestoneInfo,
                           &theLocation.m_revealInfo}) {
    anInfo->m_flags = 0;
    std::fill(anInfo->m_parts, anInfo->m_parts + FindInfo::k_maxParts, nullptr);
  }
  for (FindInfo& anInfo : theLocation.m_findInfo) {
    anInfo.m_flags = 0;
    std::fill(anInfo.m_parts, anInfo.m_parts + FindInfo::k_maxParts, nullptr);
  }
  theLocation.m_repelObject = theLocation.m_runestoneObject = theLocation.m_revealObject = nullptr;
  std::fill(theLocation.m_coinObjects, theLocation.m_coinObjects + LocationData::k_maxCoins, nullptr);
  for (Selectable& s : theLocation.m_selectables) {
    s.m_findInfo = nullptr;
    s.m_flags = 0;
    s.m_position = 0;
  }
}

bool LevelData::load(int theLevel, bool fromSave) {
  m_loadError.clear();
  for (LocationData& aLocation : m_locations) clearLocation(aLocation);
  // Every per-level table has 14 rows; anything else would read past them.
  if (!isValidLevel(theLevel)) return fail(Tesk::StrFormat("there is no level %d", theLevel));
  if (m_profileData == nullptr) return fail("there is no profile to load a level for");

  m_maxObjects = k_levelMaxObjects[theLevel];
  setTotalLevelTime();
  const uint8_t* aStones = m_profileData->getFinalLevelRunestones();
  m_runestonesFound = static_cast<uint8_t>(std::count(aStones, aStones + 4, 255));

  std::unique_ptr<FILE, int (*)(FILE*)> anObjectText(openObjectText(Tesk::TeskAppBase::s_languageUsing),
                                                     &std::fclose);
  if (anObjectText == nullptr) anObjectText.release();  // unique_ptr must not fclose null
  std::vector<LocationCandidates> aWork(k_maxLocations);
  bool isLoaded = true;
  for (int i = 0; i < k_maxLocations && isLoaded; ++i) {
    const int anId = s_levelDataMapping[theLevel][i];
    if (anId == 255) continue;
    LocationData& aLocation = m_locations[i];
    int aVisits = 0;
    for (int j = 1; j < theLevel; ++j)
      aVisits +=
          static_cast<int>(std::count(s_levelDataMapping[j], s_levelDataMapping[j] + k_maxLocations, anId));
    aLocation.m_visitCount = static_cast<uint8_t>(aVisits);
    if (anObjectText != nullptr) {
      uint8_t anOffset[4];
      if (std::fseek(anObjectText.get(), 4 * (anId - 1), SEEK_SET) != 0 ||
          !ReadFully(anObjectText.get(), anOffset, 4) ||
          std::fseek(anObjectText.get(), Tesk::ByteReader(anOffset, 4).u32(), SEEK_SET) != 0) {
        isLoaded = fail(Tesk::StrFormat("the object-text file has no entry for location %d", anId));
        break;
      }
    }
    isLoaded = loadLocation(anObjectText.get(), theLevel, anId, aLocation, aWork[i]);
    if (isLoaded) aLocation.m_id = anId;
  }
  anObjectText.reset();
  if (!isLoaded) {
    for (LocationData& aLocation : m_locations) clearLocation(aLocation);
    return false;
  }
  Tesk::InGame::m_levelDynamics.reset(this);

  if (fromSave) {
    if (loadlevelData()) return true;
    // No usable save: fresh find lists, and the profile's clock goes on where it was.
    Tesk::GameLog("level data: the level save could not be restored; the find lists are drawn anew");
  }
  for (int i = 0; i < k_maxLocations; ++i)
    if (m_locations[i].m_id != -1) drawFindList(m_locations[i], theLevel, aWork[i]);
  if (!fromSave)
    m_profileData->setNewLevel(m_totalLevelTime, static_cast<int>(k_levelMaxHints[theLevel]), 1.0f);
  return true;
}

bool LevelData::loadALevel(FILE* theObjectText, const int& theLocationId, LocationData& theLocation,
                           int theVisitCount, bool fromSave) {
  m_loadError.clear();
  if (m_profileData == nullptr) return fail("there is no profile to load a location for");
  const int aLevel = m_profileData->getLevelOn();
  if (!isValidLevel(aLevel)) return fail(Tesk::StrFormat("there is no level %d", aLevel));
  if (theLocationId < 1 || theLocationId > k_maxLocations)
    return fail(Tesk::StrFormat("there is no location %d", theLocationId));
  clearLocation(theLocation);
  theLocation.m_visitCount = static_cast<uint8_t>(theVisitCount);
  auto aWork = std::make_unique<LocationCandidates>();
  if (!loadLocation(theObjectText, aLevel, theLocationId, theLocation, *aWork)) {
    clearLocation(theLocation);
    return false;
  }
  if (!fromSave) drawFindList(theLocation, aLevel, *aWork);
  return true;
}

bool LevelData::loadLocation(FILE* theObjectText, int theLevel, int theLocationId, LocationData& theLocation,
                             LocationCandidates& theWork) {
  const std::string aBlockName = LocationFileName("builddata/l00block.tgab", theLocationId);
  const std::string anObjectsName = LocationFileName("builddata/l00objs.dat", theLocationId);

  // The object records first: a damaged file costs no image decoding.
  std::string aBytes;
  bool isTooLong = false;
  const size_t aMaxBytes = size_t{LocationData::k_maxObjects + 1} * k_objectRecordSize - 1;
  if (!ReadSmallFile(anObjectsName, aMaxBytes, &aBytes, &isTooLong)) {
    return fail(isTooLong ? anObjectsName + " holds more than 100 objects"
                          : anObjectsName + " cannot be read");
  }
  // A record cut short by the end of the file is dropped.
  const int aNumRecords = static_cast<int>(aBytes.size() / k_objectRecordSize);
  std::vector<ObjectRecord> aRecords(aNumRecords);
  Tesk::ByteReader anIn(aBytes.data(), aBytes.size());
  for (int n = 0; n < aNumRecords; ++n) {
    ObjectRecord& r = aRecords[n];
    char aName[k_objectNameSize];
    anIn.bytes(aName, k_objectNameSize);
    const char* anEnd = std::find(aName, aName + k_objectNameSize, '\0');
    if (anEnd == aName + k_objectNameSize)
      return fail(Tesk::StrFormat("%s: object %d's name has no end within its %d bytes",
                                  anObjectsName.c_str(), n, k_objectNameSize));
    r.mName = Tesk::StringToWString(std::string(aName, static_cast<size_t>(anEnd - aName)));
    r.mGroup = anIn.u8();
    r.mKind = anIn.u8();
    r.mRenderOrder = anIn.u8();
    r.mX = anIn.u16() + k_sideBarWidth;
    r.mY = anIn.u16();
    if (r.mGroup > 2)
      return fail(
          Tesk::StrFormat("%s: object %d is in difficulty group %d", anObjectsName.c_str(), n, r.mGroup));
    if (r.mRenderOrder >= k_renderArraySize)
      return fail(
          Tesk::StrFormat("%s: object %d has render order %d", anObjectsName.c_str(), n, r.mRenderOrder));
    if (r.mX > k_maxCoord || r.mY > k_maxCoord)
      return fail(Tesk::StrFormat("%s: object %d lies at (%d, %d), off any screen", anObjectsName.c_str(), n,
                                  r.mX, r.mY));
    if (theObjectText != nullptr && r.mKind != k_byteCover) {
      uint8_t aCount[2];
      if (!ReadFully(theObjectText, aCount, 2))
        return fail(
            Tesk::StrFormat("the object-text file ends before object %d of location %d", n, theLocationId));
      const int aUnits = aCount[0] | aCount[1] << 8;
      if (aUnits > k_MAX_NAME_SIZE)
        return fail(
            Tesk::StrFormat("the object-text file gives object %d of location %d a name of %d units, more "
                            "than %d",
                            n, theLocationId, aUnits, k_MAX_NAME_SIZE));
      uint8_t aText[2 * k_MAX_NAME_SIZE + 1];
      if (!ReadFully(theObjectText, aText, 2 * aUnits + 1))
        return fail(
            Tesk::StrFormat("the object-text file ends inside object %d of location %d", n, theLocationId));
      r.mName.clear();
      for (int u = 0; u < aUnits && u < k_MAX_NAME_SIZE - 1; ++u) {
        const wchar_t aUnit = aText[2 * u] | aText[2 * u + 1] << 8;
        if (aUnit == 0) break;
        r.mName.push_back(aUnit);
      }
      r.mKind = aText[2 * aUnits];
    }
    if (!IsSpecialByte(r.mKind) && (r.mKind >= k_maxKinds || IsReservedKind(r.mKind)))
      return fail(Tesk::StrFormat("%s: object %d has kind %d, which no ordinary object may have",
                                  anObjectsName.c_str(), n, r.mKind));
  }

  int64_t aFileCount = 0;
  std::unique_ptr<ImageLib::Image> aDecoded[k_maxBlockImages + 1];
  ImageLib::Image* aRead[k_maxBlockImages + 1] = {};
  const int aNumImages = ImageLib::GetImageBlock(aBlockName, aRead, k_maxBlockImages + 1, &aFileCount);
  for (int i = 0; i < aNumImages; ++i) aDecoded[i].reset(aRead[i]);
  if (aFileCount < 0) return fail(aBlockName + " cannot be read");
  if (aFileCount > k_maxBlockImages)
    return fail(Tesk::StrFormat("%s holds %lld images, more than the %d a location can use",
                                aBlockName.c_str(), static_cast<long long>(aFileCount), k_maxBlockImages));
  if (aNumImages < aFileCount)
    return fail(Tesk::StrFormat("%s: image %d of %lld is damaged or cut short", aBlockName.c_str(),
                                aNumImages, static_cast<long long>(aFileCount)));
  if (aNumImages < aNumRecords + 1)
    return fail(Tesk::StrFormat("%s holds %d images for a background and %d objects", aBlockName.c_str(),
                                aNumImages, aNumRecords));

  theLocation.m_background.reset(makeImage(aDecoded[0].get()));
  if (theLocation.m_background == nullptr) return fail("no application to make the location's images");
  theLocation.m_coinBitBase = 0;
  for (int i = 0; i < theLocationId; ++i) theLocation.m_coinBitBase += k_coinsPerLevel[i];
  theLocation.m_numObjects = 0;
  theLocation.m_numCoins = 0;
  theWork.clear();

  for (int n = 0; n < aNumRecords; ++n) {
    const ObjectRecord& r = aRecords[n];
    Selectable& s = theLocation.m_selectables[n];
    s.m_image.reset(makeImage(aDecoded[n + 1].get()));
    s.setPosition(r.mX, r.mY);
    s.m_flags = static_cast<uint32_t>(r.mRenderOrder) | static_cast<uint32_t>(r.mGroup)
                                                            << Selectable::k_groupShift;
    s.setKind(r.mKind);
    switch (r.mKind) {
      case k_byteRepel:
        placePickup(s, Selectable::k_kindRepel, r.mName,
                    !m_profileData->getRepelEvilSpellBlock(static_cast<unsigned>(theLocationId)) &&
                        isRepelAvailable(theLevel, theLocationId),
                    theLocation.m_repelInfo, theLocation.m_repelObject);
        break;
      case k_byteCoin: {
        const int aCoin = static_cast<int>(theLocation.m_numCoins);
        if (aCoin >= LocationData::k_maxCoins)
          return fail(Tesk::StrFormat("%s holds more than %d coins", anObjectsName.c_str(),
                                      LocationData::k_maxCoins));
        s.setKind(Selectable::k_kindCoin0 + aCoin);
        const bool isActive =
            !m_profileData->getCoinBlock(static_cast<int>(theLocation.m_coinBitBase) + aCoin) &&
            isCoinAvailable(theLevel, theLocationId, aCoin);
        FindInfo& anInfo = theLocation.m_coinInfo;
        if (isActive) {
          anInfo.setActive(true);
          anInfo.m_parts[anInfo.getCount()] = &s;
          anInfo.setCount(anInfo.getCount() + 1);
          anInfo.setKind(s.getKind());
          anInfo.m_name = r.mName;
        }
        s.setVisible(isActive);
        s.setToFind(isActive);
        theLocation.m_coinObjects[aCoin] = &s;
        s.m_findInfo = &anInfo;
        ++theLocation.m_numCoins;
        break;
      }
      case k_byteScenery:
        s.setKind(Selectable::k_kindScenery);
        break;
      case k_byteCover:
        s.setKind(Selectable::k_kindCover);
        s.setVisible(true);
        break;
      case k_byteRunestone: {
        const uint8_t* aStones = m_profileData->getFinalLevelRunestones();
        placePickup(s, Selectable::k_kindRunestone, r.mName,
                    theLevel == k_numLevels && std::count(aStones, aStones + 4, theLocationId) > 0,
                    theLocation.m_runestoneInfo, theLocation.m_runestoneObject);
        break;
      }
      case k_byteReveal:
        placePickup(s, Selectable::k_kindReveal, r.mName,
                    !m_profileData->getRevealSpellBlock(static_cast<unsigned>(theLocationId)),
                    theLocation.m_revealInfo, theLocation.m_revealObject);
        break;
      default: {
        s.setVisible(true);
        int& aCandidates = theWork.mNumCandidates[r.mGroup];
        if (aCandidates >= k_maxCandidates)
          return fail(Tesk::StrFormat("%s holds more than %d objects in difficulty group %d",
                                      anObjectsName.c_str(), k_maxCandidates, r.mGroup));
        theWork.mCandidates[r.mGroup][aCandidates++] = {r.mName, &s};
        int& aMembers = theWork.mNumMembers[r.mKind];
        if (aMembers >= k_maxKindMembers)
          return fail(Tesk::StrFormat("%s holds more than %d parts of kind %d", anObjectsName.c_str(),
                                      k_maxKindMembers, r.mKind));
        theWork.mMembers[r.mKind][aMembers++] = static_cast<int8_t>(n);
        break;
      }
    }
    ++theLocation.m_numObjects;
  }
  return true;
}

void LevelData::drawFindList(LocationData& theLocation, int theLevel, LocationCandidates& theWork) {
  int aPicks[3] = {0, 0, 0};
  if (theLevel != k_numLevels) {
    const int aVisit = std::min<int>(theLocation.m_visitCount, 3);
    for (int g = 0; g < 3; ++g) aPicks[g] = k_diffSpreads[aVisit][g];
  }
  int e = 0;
  for (int g = 0; g < 3; ++g) {
    for (; aPicks[g] != 0; --aPicks[g]) {
      // Too few items in the group: list what there is rather than wait for one forever.
      if (theWork.unused(g) == 0) {
        Tesk::GameLog("level data: location %d has too few items in difficulty group %d; it lists %d",
                      theLocation.m_id, g, e);
        break;
      }
      int r;
      do {
        r = Tesk::Rand() % theWork.mNumCandidates[g];
      } while (theWork.mCandidates[g][r].mObject == nullptr);
      LocationCandidates::Candidate& aCandidate = theWork.mCandidates[g][r];
      Selectable* anObject = aCandidate.mObject;
      FindInfo& anEntry = theLocation.m_findInfo[e];
      anEntry.setActive(true);
      anEntry.m_parts[0] = anObject;
      anEntry.setCount(1);
      anEntry.m_name = aCandidate.mName;
      anEntry.setKind(anObject->getKind());
      ++theLocation.m_numOpen;
      anObject->setToFind(true);
      anObject->m_findInfo = &anEntry;
      theWork.markUsed(anObject);
      const int aKind = anObject->getKind();
      for (int m = 0; m < theWork.mNumMembers[aKind]; ++m) {
        Selectable* aPart = &theLocation.m_selectables[theWork.mMembers[aKind][m]];
        if (aPart == anObject) continue;
        anEntry.m_parts[anEntry.getCount()] = aPart;
        anEntry.setCount(anEntry.getCount() + 1);
        aPart->setToFind(true);
        aPart->m_findInfo = &anEntry;
        theWork.markUsed(aPart);
      }
      ++e;
    }
  }
}
