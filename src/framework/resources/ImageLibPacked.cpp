// PNG and JPEG files read from the packed data file `archBase` instead of the archive.
#include <cstring>
#include <memory>

#include "resources/CxImage.h"
#include "resources/CxMemFile.h"
#include "resources/ImageLib.h"
#include "resources/SFOperator.h"

namespace ImageLib {

Image* GetPackedImage(const std::string& theFileName, uint32_t theFormat) {
  // A name the packed file lacks gives no image: the archive is not asked instead.
  std::unique_ptr<uint8_t[]> aData;
  int32_t aSize = 0;
  if (archBase == nullptr || !archBase->GetBinaryByName(aData, aSize, theFileName)) return nullptr;
  CxMemFile aFile(aData.get(), static_cast<uint32_t>(aSize));
  CxImage aDecoded;
  if (!aDecoded.Decode(&aFile, theFormat)) return nullptr;
  auto anImage = std::make_unique<Image>();
  anImage->mWidth = aDecoded.GetWidth();
  anImage->mHeight = aDecoded.GetHeight();
  anImage->mBits = new uint32_t[static_cast<size_t>(anImage->mWidth) * anImage->mHeight];
  memcpy(anImage->mBits, aDecoded.GetBits(), aDecoded.GetSize());
  return anImage.release();
}

}  // namespace ImageLib
