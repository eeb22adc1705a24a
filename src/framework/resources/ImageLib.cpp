#include "resources/ImageLib.h"

#include <strings.h>

#include <cstring>
#include <memory>

#include "resources/PFile.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixels are read as little-endian words");

namespace ImageLib {

bool gAutoLoadAlpha = true;
thread_local uint32_t gAlphaComposeColor = 0xFFFFFF;
void* gJ2KCodec = nullptr;

bool SizeAllowed(int64_t theWidth, int64_t theHeight) {
  return theWidth > 0 && theHeight > 0 && theWidth <= k_MaxImageSide && theHeight <= k_MaxImageSide &&
         theWidth * theHeight <= k_MaxImagePixels;
}

void CloseJPEG2000() {
  if (gJ2KCodec != nullptr) gJ2KCodec = nullptr;
}

void ExpandPalette(Image* theImage) {
  if (theImage->mBits != nullptr || theImage->mPal == nullptr || theImage->mIndexList == nullptr) return;
  const size_t aCount = static_cast<size_t>(theImage->mWidth) * theImage->mHeight;
  uint32_t* aBits = new uint32_t[aCount];
  for (size_t i = 0; i < aCount; ++i) aBits[i] = theImage->mPal[theImage->mIndexList[i]];
  delete[] theImage->mPal;
  delete[] theImage->mIndexList;
  theImage->mPal = nullptr;
  theImage->mIndexList = nullptr;
  theImage->mBits = aBits;
  theImage->mNumBits = 32;
}

namespace {

// JPEG 2000 is not read: no codec ships with the game.
Image* GetJ2KImage(const std::string&) { return nullptr; }

using Reader = Image* (*)(const std::string&);

}  // namespace

Image* GetImage(const std::string& theFileName, bool lookForAlphaImage) {
  if (!gAutoLoadAlpha) lookForAlphaImage = false;

  const size_t aDot = theFileName.rfind('.');
  const size_t aSlash = theFileName.find_last_of("\\/");
  std::string anExt;
  std::string aBase = theFileName;
  if (aDot != std::string::npos && (aSlash == std::string::npos || aDot > aSlash)) {
    anExt = theFileName.substr(aDot);
    aBase = theFileName.substr(0, aDot);
  }

  static const struct {
    const char* mExt;
    Reader mReader;
  } k_Readers[] = {{".tga", GetTGAImage}, {".jpg", GetJPEGImage}, {".png", GetPNGImage},
                   {".gif", GetGIFImage}, {".j2k", GetJ2KImage},  {".jp2", GetJ2KImage}};

  std::unique_ptr<Image> anImage;
  for (const auto& aReader : k_Readers) {
    if (anImage) break;
    if (!anExt.empty() && strcasecmp(anExt.c_str(), aReader.mExt) != 0) continue;
    anImage.reset(aReader.mReader(aBase + aReader.mExt));
    // A TGA file carries its own alpha.
    if (anImage && aReader.mReader == GetTGAImage) lookForAlphaImage = false;
  }
  if (!lookForAlphaImage) return anImage.release();

  const size_t aNameStart = aSlash == std::string::npos ? 0 : aSlash + 1;
  std::unique_ptr<Image> anAlpha(
      GetImage(theFileName.substr(0, aNameStart) + "_" + theFileName.substr(aNameStart), false));
  if (!anAlpha) anAlpha.reset(GetImage(theFileName + "_", false));
  if (!anAlpha) return anImage.release();

  // An 8-bit alpha image has no pixels of its own until its palette is spread out.
  ExpandPalette(anAlpha.get());
  if (anAlpha->mBits == nullptr) return anImage.release();

  if (!anImage) {
    const uint32_t aColor = gAlphaComposeColor & 0xFFFFFF;
    const size_t aCount = static_cast<size_t>(anAlpha->mWidth) * anAlpha->mHeight;
    uint32_t* aBits = anAlpha->mBits;
    for (size_t i = 0; i < aCount; ++i) aBits[i] = aColor | ((aBits[i] & 0xFF00) << 16);
    return anAlpha.release();
  }
  if (anImage->mWidth != anAlpha->mWidth || anImage->mHeight != anAlpha->mHeight) return anImage.release();

  ExpandPalette(anImage.get());
  if (anImage->mBits == nullptr) return anImage.release();
  const size_t aCount = static_cast<size_t>(anImage->mWidth) * anImage->mHeight;
  uint32_t* aBits = anImage->mBits;
  const uint32_t* anAlphaBits = anAlpha->mBits;
  for (size_t i = 0; i < aCount; ++i) aBits[i] = (aBits[i] & 0xFFFFFF) | ((anAlphaBits[i] & 0xFF00) << 16);
  return anImage.release();
}

}  // namespace ImageLib
