#include "graphics/MemoryImage.h"

#include <algorithm>
#include <cstring>

#include "core/Common.h"
#include "graphics/BlitSimdNative.h"
#include "graphics/DrawMode.h"
#include "graphics/ImageRegistry.h"
#include "graphics/NativeDisplay.h"
#include "graphics/Quantize8Bit.h"

namespace Tesk {

namespace {

// Writes, for each pixel, how many pixels remain in its run of one class
// (itself included), capped at 255. Runs end at the row end.
template <class ClassOf>
void BuildRunLengths(uint8_t* theOut, int theWidth, int theHeight, ClassOf theClassOf) {
  for (int y = 0; y < theHeight; ++y) {
    int aRow = y * theWidth;
    int x = 0;
    while (x < theWidth) {
      int aClass = theClassOf(aRow + x);
      int anEnd = x + 1;
      while (anEnd < theWidth && theClassOf(aRow + anEnd) == aClass) ++anEnd;
      for (int i = x; i < anEnd; ++i) theOut[aRow + i] = static_cast<uint8_t>(std::min(anEnd - i, 255));
      x = anEnd;
    }
  }
}

inline int AlphaClass(uint32_t theWord) {
  uint32_t anAlpha = theWord >> 24;
  return anAlpha == 0 ? 0 : (anAlpha == 255 ? 1 : 2);
}

struct AddClampTable {
  uint8_t mTable[512];
  AddClampTable() {
    for (int i = 0; i < 512; ++i) mTable[i] = static_cast<uint8_t>(i < 256 ? i : 255);
  }
};

const AddClampTable sm_AddClampTable;

// Lets go of theLive: a keeping image parks it in theKept for the next Take.
template <class T>
void Drop(std::unique_ptr<T[]>& theLive, std::unique_ptr<T[]>& theKept, bool keeps) {
  if (keeps && theLive)
    theKept = std::move(theLive);
  else
    theLive.reset();
}

// An array of at least theCount elements: the parked one when it has room, else a new one.
template <class T>
std::unique_ptr<T[]> Take(std::unique_ptr<T[]>& theKept, size_t& theRoom, size_t theCount) {
  if (theKept && theRoom >= theCount) return std::move(theKept);
  theKept.reset();
  theRoom = theCount;
  return std::unique_ptr<T[]>(new T[theCount]);
}

}  // namespace

MemoryImage::MemoryImage() { Init(gImageRegistry); }

MemoryImage::MemoryImage(ImageRegistry* theApp) { Init(theApp); }

void MemoryImage::Init(ImageRegistry* theApp) {
  mBitsChangedCount = 0;
  mD3DData = nullptr;
  mD3DFlags = 0;
  mModeForced = false;
  mHasTransparent = false;
  mHasPartialAlpha = false;
  mIsVolatile = false;
  mPurgeBits = false;
  mPaletteWanted = false;
  mBitsChanged = false;
  mKeepsBuffers = false;
  mBitsRoom = mNativeRoom = mRLAlphaRoom = mRLAdditiveRoom = 0;
  mApp = theApp;
  if (mApp) mApp->AddMemoryImage(this);
}

MemoryImage::~MemoryImage() {
  if (mApp) mApp->RemoveMemoryImage(this);
}

bool MemoryImage::IsValidSize(int theWidth, int theHeight) {
  return theWidth >= 0 && theHeight >= 0 && int64_t(theWidth) * int64_t(theHeight) <= k_MaxPixels;
}

const uint8_t* MemoryImage::GetAddClampTable() const {
  return mApp ? mApp->mAddClampTable : sm_AddClampTable.mTable;
}

NativeDisplay* MemoryImage::GetAppNativeDisplay() const { return mApp ? mApp->GetNativeDisplay() : nullptr; }

void MemoryImage::SetKeepsBuffers(bool keepsBuffers) {
  mKeepsBuffers = keepsBuffers;
  if (keepsBuffers) return;
  mKeptBits.reset();
  mKeptNative.reset();
  mKeptRLAlpha.reset();
  mKeptRLAdditive.reset();
}

void MemoryImage::AllocBits() {
  int aSize = mWidth * mHeight;
  Drop(mBits, mKeptBits, mKeepsBuffers);
  mBits = Take(mKeptBits, mBitsRoom, size_t(aSize) + 1);
  mBits[aSize] = MEMORYCHECK_ID;
}

void MemoryImage::BitsChanged() {
  mBitsChanged = true;
  ++mBitsChangedCount;
  Drop(mNativeAlphaData, mKeptNative, mKeepsBuffers);
  Drop(mRLAlphaData, mKeptRLAlpha, mKeepsBuffers);
  Drop(mRLAdditiveData, mKeptRLAdditive, mKeepsBuffers);
  // clang-format off
  if (mBits) TESK_ASSERT(mBits[mWidth*mHeight] == MEMORYCHECK_ID);
  // clang-format on
}

void MemoryImage::CommitBits() {
  if (!mBitsChanged || mModeForced) return;
  const uint32_t* aWords = nullptr;
  int aCount = 0;
  if (mBits) {
    aWords = mBits.get();
    aCount = mWidth * mHeight;
  } else if (mPalette) {
    aWords = mPalette.get();
    aCount = 256;
  }
  if (aWords) {
    // Without branches the scan runs in vector lanes.
    uint32_t aTrans = 0;
    uint32_t aPartial = 0;
    for (int i = 0; i < aCount; ++i) {
      uint32_t anAlpha = aWords[i] >> 24;
      aTrans |= anAlpha == 0;
      aPartial |= anAlpha - 1 < 254;
    }
    mHasTransparent = aTrans != 0;
    mHasPartialAlpha = aPartial != 0;
  } else {
    mHasTransparent = true;
    mHasPartialAlpha = false;
  }
  mBitsChanged = false;
}

uint32_t* MemoryImage::GetBits() {
  if (mBits) return mBits.get();
  int aSize = mWidth * mHeight;
  AllocBits();
  uint32_t* aBits = mBits.get();
  NativeDisplay* aNative = GetAppNativeDisplay();
  if (mPalette && mPaletteIndices) {
    for (int i = 0; i < aSize; ++i) aBits[i] = mPalette[mPaletteIndices[i]];
    mPaletteIndices.reset();
    mPalette.reset();
    mNativeAlphaData.reset();
  } else if (mNativeAlphaData && aNative) {
    const uint32_t aMasks[3] = {uint32_t(aNative->mRedMask), uint32_t(aNative->mGreenMask),
                                uint32_t(aNative->mBlueMask)};
    const uint32_t aDowns[3] = {uint32_t(aNative->mRedShift + aNative->mRedBits),
                                uint32_t(aNative->mGreenShift + aNative->mGreenBits),
                                uint32_t(aNative->mBlueShift + aNative->mBlueBits)};
    const uint32_t* aSrc = mNativeAlphaData.get();
    for (int i = 0; i < aSize; ++i) {
      uint32_t p = aSrc[i];
      uint32_t a = p >> 24;
      uint32_t aChannel[3];
      for (int c = 0; c < 3; ++c)
        aChannel[c] = ((aMasks[c] & (((p & aMasks[c]) << 8) / (a + 1))) << 8) >> aDowns[c];
      aBits[i] = (a << 24) | (aChannel[0] << 16) | (aChannel[1] << 8) | aChannel[2];
    }
  } else {
    std::memset(aBits, 0, sizeof(uint32_t) * aSize);
  }
  return aBits;
}

void MemoryImage::SetBits(const uint32_t* theBits, int theWidth, int theHeight, bool commitBits) {
  if (theBits != nullptr && theBits == mBits.get()) return;
  if (!IsValidSize(theWidth, theHeight)) return;
  int aSize = theWidth * theHeight;
  if (theBits == nullptr && aSize > 0) return;
  mPalette.reset();
  mPaletteIndices.reset();
  // Also when mBits is null at the same size (after Create, a purge or a palettise).
  if (theWidth != mWidth || theHeight != mHeight || !mBits) {
    mWidth = theWidth;
    mHeight = theHeight;
    AllocBits();
  }
  if (aSize > 0) std::memcpy(mBits.get(), theBits, sizeof(uint32_t) * aSize);
  mBits[aSize] = MEMORYCHECK_ID;
  BitsChanged();
  if (commitBits) CommitBits();
}

void MemoryImage::SetBits(int theWidth, int theHeight, uint32_t* thePalette, uint8_t* theIndices) {
  TESK_ASSERT(!mBits);
  std::unique_ptr<uint32_t[]> aPalette(thePalette);
  std::unique_ptr<uint8_t[]> anIndices(theIndices);
  if (!IsValidSize(theWidth, theHeight) || !aPalette || (!anIndices && theWidth * theHeight > 0)) return;
  mWidth = theWidth;
  mHeight = theHeight;
  mPalette = std::move(aPalette);
  mPaletteIndices = std::move(anIndices);
  if (!mPaletteIndices) mPaletteIndices.reset(new uint8_t[1]);
  BitsChanged();
  CommitBits();
}

void MemoryImage::Create(int theWidth, int theHeight) {
  if (!IsValidSize(theWidth, theHeight)) return;
  Drop(mBits, mKeptBits, mKeepsBuffers);
  // A stale palette would otherwise be read back at the new size.
  mPalette.reset();
  mPaletteIndices.reset();
  mWidth = theWidth;
  mHeight = theHeight;
  mHasTransparent = true;
  mHasPartialAlpha = true;
  BitsChanged();
}

void MemoryImage::Clear() {
  uint32_t* aBits = GetBits();
  if (!aBits) return;
  std::memset(aBits, 0, sizeof(uint32_t) * mWidth * mHeight);
  BitsChanged();
}

void MemoryImage::ClearRect(const TRect<int>& theRect) {
  uint32_t* aBits = GetBits();
  TRect<int> aRect = theRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  if (aRect.mWidth > 0) {
    for (int y = aRect.mY; y < aRect.mY + aRect.mHeight; ++y)
      std::memset(aBits + y * mWidth + aRect.mX, 0, sizeof(uint32_t) * aRect.mWidth);
  }
  BitsChanged();
}

void MemoryImage::SetImageMode(bool hasTrans, bool hasAlpha) {
  mModeForced = true;
  mHasTransparent = hasTrans;
  mHasPartialAlpha = hasAlpha;
}

void MemoryImage::SetVolatile(bool isVolatile) { mIsVolatile = isVolatile; }

uint8_t* MemoryImage::GetRLAlphaData() {
  CommitBits();
  if (!mRLAlphaData) {
    mRLAlphaData = Take(mKeptRLAlpha, mRLAlphaRoom, size_t(mWidth) * mHeight + 1);
    uint8_t* anOut = mRLAlphaData.get();
    if (mPalette && mPaletteIndices) {
      const uint32_t* aPalette = mPalette.get();
      const uint8_t* anIndices = mPaletteIndices.get();
      BuildRunLengths(anOut, mWidth, mHeight, [=](int i) { return AlphaClass(aPalette[anIndices[i]]); });
    } else if (mNativeAlphaData && !mPalette) {
      const uint32_t* aNative = mNativeAlphaData.get();
      BuildRunLengths(anOut, mWidth, mHeight, [=](int i) { return AlphaClass(aNative[i]); });
    } else {
      const uint32_t* aBits = GetBits();
      BuildRunLengths(anOut, mWidth, mHeight, [=](int i) { return AlphaClass(aBits[i]); });
    }
  }
  return mRLAlphaData.get();
}

uint8_t* MemoryImage::GetRLAdditiveData(NativeDisplay* theNative) {
  if (!mRLAdditiveData) {
    const uint32_t* aNative = GetNativeAlphaData(theNative);
    if (!aNative) return nullptr;
    std::unique_ptr<uint8_t[]> aTable = Take(mKeptRLAdditive, mRLAdditiveRoom, size_t(mWidth) * mHeight + 1);
    if (mPalette && mPaletteIndices) {
      const uint8_t* anIndices = mPaletteIndices.get();
      BuildRunLengths(aTable.get(), mWidth, mHeight,
                      [=](int i) { return (aNative[anIndices[i]] & 0xFFFFFF) != 0 ? 1 : 0; });
    } else {
      BuildRunLengths(aTable.get(), mWidth, mHeight,
                      [=](int i) { return (aNative[i] & 0xFFFFFF) != 0 ? 1 : 0; });
    }
    mRLAdditiveData = std::move(aTable);
  }
  return mRLAdditiveData.get();
}

uint32_t* MemoryImage::GetNativeAlphaData(NativeDisplay* theNative) {
  if (mNativeAlphaData) return mNativeAlphaData.get();
  if (!theNative) return nullptr;
  CommitBits();
  const uint32_t* aSrc;
  int aCount;
  if (mPalette) {
    aSrc = mPalette.get();
    aCount = 256;
  } else {
    aSrc = GetBits();
    aCount = mWidth * mHeight;
  }
  const uint32_t aRedMask = theNative->mRedMask, aGreenMask = theNative->mGreenMask;
  const uint32_t aBlueMask = theNative->mBlueMask;
  const int aRedDown = 24 - theNative->mRedBits, aGreenDown = 16 - theNative->mGreenBits;
  const int aBlueDown = 8 - theNative->mBlueBits;
  const int aRedShift = theNative->mRedShift, aGreenShift = theNative->mGreenShift;
  const int aBlueShift = theNative->mBlueShift;
  std::unique_ptr<uint32_t[]> aData = Take(mKeptNative, mNativeRoom, size_t(aCount) + 1);
  uint32_t* anOut = aData.get();
  if (aRedMask == 0xFF0000 && aGreenMask == 0xFF00 && aBlueMask == 0xFF && aRedDown == 16 && aGreenDown == 8 &&
      aBlueDown == 0 && aRedShift == 16 && aGreenShift == 8 && aBlueShift == 0) {
    BlitSimdNative::Premultiply888Row(anOut, aSrc, aCount);
    mNativeAlphaData = std::move(aData);
    return mNativeAlphaData.get();
  }
  for (int i = 0; i < aCount; ++i) {
    uint32_t s = aSrc[i];
    uint32_t a = s >> 24;
    uint32_t aRed = ((((a + 1) * (s & 0xFF0000)) >> 8) >> aRedDown << aRedShift) & aRedMask;
    uint32_t aGreen = ((((a + 1) * (s & 0xFF00)) >> 8) >> aGreenDown << aGreenShift) & aGreenMask;
    uint32_t aBlue = ((((a + 1) * (s & 0xFF)) >> 8) >> aBlueDown << aBlueShift) & aBlueMask;
    anOut[i] = aRed | aGreen | aBlue | (a << 24);
  }
  mNativeAlphaData = std::move(aData);
  return mNativeAlphaData.get();
}

void MemoryImage::PurgeBits() {
  mPurgeBits = true;
  if (mApp && mApp->Is3DAccelerated()) {
    // The 32-bit pixels stay: they are the only copy the textures can be rebuilt
    // from after a display reset or a switch out of 3-D.
    return;
  }
  if (!mBits && !mPaletteIndices) return;
  NativeDisplay* aNative = GetAppNativeDisplay();
  // Without a native format the pixels could not be rebuilt, so they stay.
  if (!aNative) return;
  GetNativeAlphaData(aNative);
  mBits.reset();
}

void MemoryImage::DeleteSWBuffers() {
  if (!mBits && !mPaletteIndices) GetBits();
  mNativeAlphaData.reset();
  mRLAdditiveData.reset();
  mRLAlphaData.reset();
}

void MemoryImage::DeleteNativeData() {
  if (!mBits && !mPaletteIndices) GetBits();
  mNativeAlphaData.reset();
  mRLAdditiveData.reset();
}

void MemoryImage::Delete3DBuffers() {
  if (mApp) mApp->Remove3DData(this);
}

void MemoryImage::DeleteExtraBuffers() {
  DeleteSWBuffers();
  Delete3DBuffers();
}

void MemoryImage::ReInit() {
  if (mPaletteWanted) Palletize();
  if (mPurgeBits) PurgeBits();
}

bool MemoryImage::Palletize() {
  CommitBits();
  if (mPalette) return true;
  uint32_t* aBits = GetBits();
  if (!aBits) return false;
  std::unique_ptr<uint8_t[]> anIndices(new uint8_t[mWidth * mHeight + 1]);
  std::unique_ptr<uint32_t[]> aPalette(new uint32_t[256]());
  if (!Quantize8Bit(aBits, mWidth, mHeight, anIndices.get(), aPalette.get())) {
    mPaletteWanted = false;
    return false;
  }
  mBits.reset();
  mNativeAlphaData.reset();
  mPalette = std::move(aPalette);
  mPaletteIndices = std::move(anIndices);
  mPaletteWanted = true;
  return true;
}

void MemoryImage::FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) {
  // Callers clip; clipping again here keeps a bad rectangle from writing outside the pixels.
  TRect<int> aRect = theRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  if (aRect.mWidth <= 0 || aRect.mHeight <= 0) return;
  if (theDrawMode == DRAWMODE_ADDITIVE) {
    FillRectAdditive(aRect, theColor);
    return;
  }
  uint32_t* aBits = GetBits();
  const uint32_t c = static_cast<uint32_t>(theColor.ToInt());
  const uint32_t cA = static_cast<uint32_t>(theColor.mAlpha);
  if (cA == 255) {
    for (int y = aRect.mY; y < aRect.mY + aRect.mHeight; ++y) {
      uint32_t* aPix = aBits + y * mWidth + aRect.mX;
      std::fill(aPix, aPix + aRect.mWidth, c);
    }
  } else if (theColor.mAlpha > 0) {
    const uint32_t cRB = c & 0x00FF00FF;
    const uint32_t cG = c & 0x0000FF00;
    for (int y = aRect.mY; y < aRect.mY + aRect.mHeight; ++y) {
      uint32_t* aPix = aBits + y * mWidth + aRect.mX;
      for (int x = 0; x < aRect.mWidth; ++x) {
        uint32_t d = aPix[x];
        uint32_t da = d >> 24;
        // Over an opaque pixel the formulas reduce to na = 255, w = cA without dividing.
        uint32_t na = 255;
        uint32_t w = cA;
        if (da != 255) {
          na = ((255 - da) * cA) / 255 + da;
          w = (cA * 255) / na;
        }
        uint32_t ow = 256 - w;
        uint32_t aRB = ((ow * (d & 0x00FF00FF) + w * cRB) >> 8) & 0x00FF00FF;
        uint32_t aG = ((ow * (d & 0x0000FF00) + w * cG) >> 8) & 0x0000FF00;
        aPix[x] = (na << 24) | aRB | aG;
      }
    }
  }
  BitsChanged();
}

// Adds the colour weighted by its alpha, clamping each channel; the destination keeps its alpha.
void MemoryImage::FillRectAdditive(const TRect<int>& theRect, const Color& theColor) {
  uint32_t* aBits = GetBits();
  const uint8_t* aClamp = GetAddClampTable();
  const int anAlpha = std::max(0, std::min(255, theColor.mAlpha));
  const int aRed = std::max(0, std::min(255, theColor.mRed)) * anAlpha / 255;
  const int aGreen = std::max(0, std::min(255, theColor.mGreen)) * anAlpha / 255;
  const int aBlue = std::max(0, std::min(255, theColor.mBlue)) * anAlpha / 255;
  for (int y = theRect.mY; y < theRect.mY + theRect.mHeight; ++y) {
    uint32_t* aPix = aBits + y * mWidth + theRect.mX;
    for (int x = 0; x < theRect.mWidth; ++x) {
      uint32_t d = aPix[x];
      aPix[x] = (d & 0xFF000000) | (uint32_t(aClamp[((d >> 16) & 0xFF) + aRed]) << 16) |
                (uint32_t(aClamp[((d >> 8) & 0xFF) + aGreen]) << 8) | aClamp[(d & 0xFF) + aBlue];
    }
  }
  BitsChanged();
}

void MemoryImage::FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor, int,
                                            const unsigned char* theCoverage, int theCoverX, int theCoverY,
                                            int theCoverWidth, int theCoverHeight) {
  uint32_t* aBits = GetBits();
  const uint32_t c = static_cast<uint32_t>(theColor.ToInt());
  const uint32_t cA = static_cast<uint32_t>(theColor.mAlpha);
  const uint32_t aMasks[3] = {0xFF, 0xFF00, 0xFF0000};
  for (int s = 0; s < theSpanCount; ++s) {
    const Span& aSpan = theSpans[s];
    int aCoverRow = aSpan.mY - theCoverY;
    // Pixels outside the image or the coverage map are left alone.
    if (aSpan.mY < 0 || aSpan.mY >= mHeight || aCoverRow < 0 || aCoverRow >= theCoverHeight) continue;
    int aStart = std::max({aSpan.mX, 0, theCoverX});
    int anEnd = std::min({aSpan.mX + aSpan.mWidth, mWidth, theCoverX + theCoverWidth});
    uint32_t* aPix = aBits + aSpan.mY * mWidth;
    const unsigned char* aCover = theCoverage + aCoverRow * theCoverWidth - theCoverX;
    for (int x = aStart; x < anEnd; ++x) {
      uint32_t p = (cA * (aCover[x] + 1u)) >> 8;
      if (p == 0) continue;
      uint32_t d = aPix[x];
      uint32_t da = d >> 24;
      uint32_t na = 255;
      uint32_t w = p;
      if (da != 255) {
        na = ((255 - da) * p) / 255 + da;
        w = (p * 255) / na;
      }
      uint32_t aResult = na << 24;
      for (uint32_t M : aMasks) aResult |= (((d & M) * (256 - w) + w * (c & M)) >> 8) & M;
      aPix[x] = aResult;
    }
  }
  BitsChanged();
}

}  // namespace Tesk
