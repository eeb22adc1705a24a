// Decodes arbitrary bytes as a PNG file through libpng.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "resources/ImageLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static const std::string sPath = "/tmp/fuzz_imagelib_png" + std::to_string(getpid()) + ".png";
  ImageLib::SetJpegMessagesQuiet(true);
  FILE* aFile = fopen(sPath.c_str(), "wb");
  if (aFile == nullptr) return 0;
  fwrite(theData, 1, theSize, aFile);
  fclose(aFile);
  std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetPNGImage(sPath));
  if (anImage && anImage->mBits != nullptr) {
    // Touch every pixel so a short buffer shows up.
    uint32_t aSum = 0;
    const size_t aCount = static_cast<size_t>(anImage->mWidth) * anImage->mHeight;
    for (size_t i = 0; i < aCount; ++i) aSum += anImage->mBits[i];
    if (aSum == 0xDEADBEEF) fputc(' ', stderr);
  }
  return 0;
}
