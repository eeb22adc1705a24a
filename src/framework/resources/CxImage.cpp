#include "resources/CxImage.h"

#include <cstring>
#include <new>

#include "resources/CxFile.h"
#include "resources/CxImageJPG.h"
#include "resources/CxImagePNG.h"
#include "resources/ImageLib.h"

CxImage::CxImage() = default;

CxImage::~CxImage() = default;

bool CxImage::Decode(CxFile* theFile, uint32_t theFormat) {
  if (theFile == nullptr) {
    SetLastError("Decode: Unknown or wrong format");
    return false;
  }
  if (theFormat == k_FormatJpg || theFormat == k_FormatUnknown) {
    const int32_t aStart = theFile->Tell();
    CxImageJPG aJpg;
    if (aJpg.Decode(theFile)) {
      TakeOver(aJpg);
      return true;
    }
    SetLastError(aJpg.GetLastError());
    if (theFormat == k_FormatJpg) return false;
    theFile->Seek(aStart, 0);
  }
  if (theFormat == k_FormatPng || theFormat == k_FormatUnknown) {
    CxImagePNG aPng;
    if (aPng.Decode(theFile)) {
      TakeOver(aPng);
      return true;
    }
    SetLastError(aPng.GetLastError());
    if (theFormat == k_FormatPng) return false;
  }
  SetLastError("Decode: Unknown or wrong format");
  return false;
}

bool CxImage::Create(int64_t theWidth, int64_t theHeight) {
  Destroy();
  if (theWidth <= 0 || theHeight <= 0 || !ImageLib::SizeAllowed(theWidth, theHeight)) {
    SetLastError("Image too large");
    return false;
  }
  try {
    mPixels.assign(static_cast<size_t>(theWidth * theHeight), 0);
  } catch (const std::bad_alloc&) {
    SetLastError("Could not allocate memory");
    return false;
  }
  mWidth = static_cast<int32_t>(theWidth);
  mHeight = static_cast<int32_t>(theHeight);
  return true;
}

void CxImage::Destroy() {
  mPixels.clear();
  mPixels.shrink_to_fit();
  mWidth = mHeight = 0;
}

void CxImage::SetLastError(const char* theText) {
  if (theText == mInfo.mLastError) return;
  // Up to 255 characters are kept.
  const size_t aLength = theText != nullptr ? strnlen(theText, sizeof(mInfo.mLastError) - 1) : 0;
  if (aLength > 0) memcpy(mInfo.mLastError, theText, aLength);
  mInfo.mLastError[aLength] = '\0';
}

void CxImage::TakeOver(CxImage& theOther) {
  mPixels.swap(theOther.mPixels);
  mWidth = theOther.mWidth;
  mHeight = theOther.mHeight;
  mInfo = theOther.mInfo;
  theOther.Destroy();
}
