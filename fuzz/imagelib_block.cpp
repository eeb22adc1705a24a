// Reads arbitrary bytes as an image block file, then spreads every palettised image.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "resources/ImageLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static const std::string sPath = "/tmp/fuzz_imagelib_block" + std::to_string(getpid()) + ".tgab";
  FILE* aFile = fopen(sPath.c_str(), "wb");
  if (aFile == nullptr) return 0;
  fwrite(theData, 1, theSize, aFile);
  fclose(aFile);
  ImageLib::Image* anImages[16] = {};
  const int aCount = ImageLib::GetImageBlock(sPath, anImages, 16);
  for (int i = 0; i < aCount; ++i) {
    ImageLib::ExpandPalette(anImages[i]);
    delete anImages[i];
  }
  return 0;
}
