#include "LocationFixtures.h"

#include <sys/stat.h>

namespace TeskTools {

namespace {
BlockImage ObjectImage(int theSize, uint32_t theColor) {
  BlockImage anImage;
  anImage.mWidth = theSize;
  anImage.mHeight = theSize;
  anImage.mPalette = {0x00000000, theColor};
  anImage.mIndices.resize(static_cast<size_t>(theSize) * theSize);
  for (int y = 0; y < theSize; ++y)
    for (int x = 0; x < theSize; ++x)
      anImage.mIndices[y * theSize + x] = x > 0 && y > 0 && x < theSize - 1 && y < theSize - 1 ? 1 : 0;
  return anImage;
}
}  // namespace

LocationFixture StandardLocation(int theId, int theItemsPerGroup, int theWidth, int theHeight,
                                 int theObjectSize) {
  LocationFixture aLocation;
  auto Add = [&](const std::string& theName, int theGroup, int theKind) {
    ObjectRecord r;
    r.mName = theName;
    r.mGroup = static_cast<uint8_t>(theGroup);
    r.mKind = static_cast<uint8_t>(theKind);
    r.mRenderOrder = static_cast<uint8_t>(aLocation.mRecords.size());
    const int anIndex = static_cast<int>(aLocation.mRecords.size());
    r.mX = static_cast<uint16_t>(anIndex * 37 % 600);
    r.mY = static_cast<uint16_t>(anIndex * 53 % 540);
    aLocation.mRecords.push_back(r);
  };
  for (int g = 0; g < 3; ++g) {
    for (int i = 0; i < theItemsPerGroup; ++i) {
      const int aKind = FixtureKind(theItemsPerGroup, g, i);
      const std::string aName = "L" + std::to_string(theId) + " item " + std::to_string(aKind);
      const int aParts = i != 1 ? 1 : g == 0 ? 2 : g == 1 ? 3 : 1;
      for (int p = 0; p < aParts; ++p) Add(aName, g, aKind);
    }
  }
  for (int c = 0; c < 3; ++c) Add("Coin", 0, 'V');
  Add("Repel spell", 0, 'U');
  Add("Reveal spell", 0, 'Z');
  Add("Runestone", 0, 'Y');
  Add("Archway", 0, 'X');
  Add("Hidden", 0, 'W');

  BlockImage aBackground;
  aBackground.mWidth = theWidth;
  aBackground.mHeight = theHeight;
  for (int i = 0; i < 256; ++i)
    aBackground.mPalette.push_back(0xFF000000u | static_cast<uint32_t>(i * 0x010203 + theId * 0x100000));
  aBackground.mIndices.resize(static_cast<size_t>(theWidth) * theHeight);
  for (size_t i = 0; i < aBackground.mIndices.size(); ++i)
    aBackground.mIndices[i] = static_cast<uint8_t>(i * 7 + i / theWidth * 3);
  aLocation.mImages.push_back(aBackground);
  for (size_t i = 0; i < aLocation.mRecords.size(); ++i)
    aLocation.mImages.push_back(
        ObjectImage(theObjectSize, 0xFF000000u | static_cast<uint32_t>(i * 0x050301)));
  return aLocation;
}

bool WriteLocationFiles(const std::string& theDir, int theId, const LocationFixture& theLocation) {
  const std::string aFolder = theDir + "/builddata";
  mkdir(aFolder.c_str(), 0777);
  const std::string aDigits =
      std::string(1, static_cast<char>('0' + theId / 10)) + static_cast<char>('0' + theId % 10);
  return WriteBytes(aFolder + "/l" + aDigits + "objs.dat", ObjectRecordsBytes(theLocation.mRecords)) &&
         WriteBytes(aFolder + "/l" + aDigits + "block.tgab", ImageBlockBytes(theLocation.mImages));
}

std::vector<ObjectTextEntry> TextEntriesFor(const std::vector<ObjectRecord>& theRecords,
                                            const std::u16string& thePrefix) {
  std::vector<ObjectTextEntry> anEntries;
  for (const ObjectRecord& r : theRecords) {
    if (r.mKind == 'X') continue;
    ObjectTextEntry e;
    e.mName = thePrefix + std::u16string(r.mName.begin(), r.mName.end());
    e.mKind = r.mKind;
    anEntries.push_back(e);
  }
  return anEntries;
}

}  // namespace TeskTools
