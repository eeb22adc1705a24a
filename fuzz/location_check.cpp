// Feeds arbitrary bytes to the location checker's readers: the first byte picks the
// location, the next two give the object file's length, the rest is the image block. What
// the readers take is measured as the hiding measure does it.
#include <cstdint>
#include <string>

#include "LocationCheck.h"
#include "ObjectMeasure.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  if (theSize < 3) return 0;
  const int anId = theData[0] % 13;
  const size_t aLength = static_cast<size_t>(theData[1] | theData[2] << 8);
  const std::string aRest(reinterpret_cast<const char*>(theData) + 3, theSize - 3);
  const std::string anObjects = aRest.substr(0, aLength);
  const std::string aBlock = aLength < aRest.size() ? aRest.substr(aLength) : std::string();
  GameAssets::CheckLocationBytes(anId, anObjects, aBlock);
  GameAssets::LocationFiles f;
  f.mId = anId;
  std::string anError;
  if (GameAssets::ReadObjectRecords(anObjects, &f.mRecords, &anError) && GameAssets::ReadBlock(aBlock, &f.mImages, &anError)) {
    const std::vector<GameAssets::ObjectMeasure> aMeasures = GameAssets::MeasureLocation(f);
    GameAssets::CheckMeasures(f, aMeasures);
    GameAssets::MeasureTable(f, aMeasures);
  }
  return 0;
}
