// Decodes arbitrary bytes from memory with CxImage: the first byte picks the format code
// (auto, JPEG or PNG), the rest is the file.
#include <cstdint>
#include <vector>

#include "resources/CxImage.h"
#include "resources/CxMemFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  if (theSize < 1) return 0;
  const uint32_t aFormat = theData[0] % 3;
  // An exact-size heap copy, so a read past the end shows up.
  std::vector<uint8_t> aBytes(theData + 1, theData + theSize);
  CxMemFile aFile(aBytes.empty() ? nullptr : aBytes.data(), static_cast<uint32_t>(aBytes.size()));
  CxImage anImage;
  if (anImage.Decode(&aFile, aFormat)) {
    uint32_t aSum = 0;
    const uint32_t* aBits = anImage.GetBits();
    for (uint32_t i = 0; i < anImage.GetSize() / 4; ++i) aSum += aBits[i];
    if (aSum == 0xDEADBEEF) anImage.GetLastError();
  }
  return 0;
}
