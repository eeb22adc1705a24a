// Decodes arbitrary bytes as a GIF file.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzInputFile.h"
#include "resources/ImageLib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  ImageLib::SetJpegMessagesQuiet(true);
  const std::string aPath = FuzzInput::WriteScratchFile("imagelib-gif", ".gif", theData, theSize);
  if (aPath.empty()) return 0;
  std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetGIFImage(aPath));
  if (anImage) FuzzInput::TouchPixels(*anImage);
  return 0;
}
