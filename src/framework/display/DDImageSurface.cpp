// DDImage: the surface and the memory pixels, moved between each other; lock nesting;
// purging and re-creation after a display reset.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/AutoCrit.h"
#include "core/Common.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "graphics/ImageRegistry.h"

namespace Tesk {

namespace {

int LowestBit(uint32_t theMask) {
  for (int i = 0; i < 32; ++i)
    if (theMask & (1u << i)) return i;
  return 0;
}

int BitCount(uint32_t theMask) {
  int aCount = 0;
  for (; theMask != 0; theMask &= theMask - 1) ++aCount;
  return aCount;
}

// Channel bit counts and shifts: the display's, or, before the display has a format, the
// locked surface's own.
struct Layout {
  int mRedBits, mGreenBits, mBlueBits;
  int mRedShift, mGreenShift, mBlueShift;
  uint32_t mRedMask, mGreenMask, mBlueMask;

  Layout(const NativeDisplay* theNative, const _DDPIXELFORMAT& theFormat) {
    mRedMask = theFormat.dwRBitMask;
    mGreenMask = theFormat.dwGBitMask;
    mBlueMask = theFormat.dwBBitMask;
    if (theNative != nullptr && theNative->mRedBits != 0) {
      mRedBits = theNative->mRedBits;
      mGreenBits = theNative->mGreenBits;
      mBlueBits = theNative->mBlueBits;
      mRedShift = theNative->mRedShift;
      mGreenShift = theNative->mGreenShift;
      mBlueShift = theNative->mBlueShift;
    } else {
      mRedBits = BitCount(mRedMask);
      mGreenBits = BitCount(mGreenMask);
      mBlueBits = BitCount(mBlueMask);
      mRedShift = LowestBit(mRedMask);
      mGreenShift = LowestBit(mGreenMask);
      mBlueShift = LowestBit(mBlueMask);
    }
  }

  uint32_t Convert(uint32_t p) const {
    return (((p >> (24 - mRedBits)) << mRedShift) & mRedMask) |
           (((p >> (16 - mGreenBits)) << mGreenShift) & mGreenMask) |
           (((p >> (8 - mBlueBits)) << mBlueShift) & mBlueMask);
  }

  uint32_t ToARGB(uint32_t v) const {
    uint32_t r = ((v >> mRedShift) << (8 - mRedBits)) & 0xFF;
    uint32_t g = ((v >> mGreenShift) << (8 - mGreenBits)) & 0xFF;
    uint32_t b = ((v >> mBlueShift) << (8 - mBlueBits)) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
  }
};

// The lowest value that no marked value uses, or theFallback when every value is marked.
uint32_t LowestUnmarked(const std::vector<uint64_t>& theMarks, uint32_t theFallback) {
  for (size_t i = 0; i < theMarks.size(); ++i)
    if (theMarks[i] != ~uint64_t(0))
      for (uint32_t b = 0; b < 64; ++b)
        if (!(theMarks[i] & (uint64_t(1) << b))) return static_cast<uint32_t>(i * 64 + b);
  return theFallback;
}

}  // namespace

DIRECTDRAWSURFACE3* DDImage::GetSurface() {
  if (mSurface == nullptr) GenerateDDSurface();
  return mSurface;
}

bool DDImage::GenerateDDSurface() {
  if (mSurface != nullptr) return true;
  if (mDDInterface == nullptr) return false;
  CommitBits();
  if (mHasPartialAlpha) return false;
  mWantSurface = true;
  // A palette or a purged image gives its 32-bit pixels back first.
  if (!mBits && (mPalette || mNativeAlphaData)) GetBits();

  _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
  aDesc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  aDesc.dwHeight = static_cast<uint32_t>(mHeight);
  aDesc.dwWidth = static_cast<uint32_t>(mWidth);
  aDesc.ddsCaps.dwCaps = mVideoMemory ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY;
  AutoCrit aLock(mDDInterface->mCritSect);
  DIRECTDRAWSURFACE3* aSurface = nullptr;
  if (mDDInterface->CreateSurface(&aDesc, &aSurface, nullptr) != 0 || aSurface == nullptr) return false;
  mSurface = aSurface;
  mBorrowedSurface = false;
  mHasSurfaceKey = false;
  if (!LockSurface()) {
    // An unfilled surface would show garbage: the image stays a memory image.
    ReleaseSurface();
    return false;
  }
  uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  if (aBitCount != 16 && aBitCount != 32) {
    UnlockSurface();
    ReleaseSurface();
    return false;
  }
  WritePixelsToSurface(true);
  UnlockSurface();
  return true;
}

void DDImage::WritePixelsToSurface(bool withKey) {
  if (!mBits || mLockDesc.lpSurface == nullptr) return;
  const Layout aLayout(mDDInterface, mLockDesc.ddpfPixelFormat);
  const uint32_t* aBits = mBits.get();
  const int aCount = mWidth * mHeight;
  const bool isKeyed = withKey && mHasTransparent;
  uint8_t* aBase = static_cast<uint8_t*>(mLockDesc.lpSurface);
  const int32_t aPitch = mLockDesc.lPitch;
  uint32_t aKey = 0;
  bool isFirstPixelKey = isKeyed && mFirstPixelTrans && aCount > 0;

  if (mLockDesc.ddpfPixelFormat.dwRGBBitCount == 16) {
    std::vector<uint16_t> aConverted(static_cast<size_t>(aCount));
    for (int i = 0; i < aCount; ++i) aConverted[i] = static_cast<uint16_t>(aLayout.Convert(aBits[i]));
    if (isFirstPixelKey) {
      aKey = aConverted[0];
    } else if (isKeyed) {
      int aFirst = 0;
      while (aFirst < aCount && (aBits[aFirst] >> 24) == 255) ++aFirst;
      aKey = aFirst < aCount ? aConverted[aFirst] : 0;
      bool isCollision = false;
      for (int i = 0; i < aCount && !isCollision; ++i)
        isCollision = (aBits[i] >> 24) == 255 && aConverted[i] == aKey;
      if (isCollision) {
        std::vector<uint64_t> aMarks(65536 / 64);
        for (int i = 0; i < aCount; ++i)
          if ((aBits[i] >> 24) != 0) aMarks[aConverted[i] >> 6] |= uint64_t(1) << (aConverted[i] & 63);
        aKey = LowestUnmarked(aMarks, aKey);
      }
      for (int i = 0; i < aCount; ++i)
        if ((aBits[i] >> 24) < 255) aConverted[i] = static_cast<uint16_t>(aKey);
    }
    for (int y = 0; y < mHeight; ++y)
      std::memcpy(aBase + static_cast<ptrdiff_t>(y) * aPitch,
                  aConverted.data() + static_cast<size_t>(y) * mWidth, sizeof(uint16_t) * mWidth);
  } else {
    if (isFirstPixelKey) {
      aKey = aLayout.Convert(aBits[0]) | 0xFF000000u;
    } else if (isKeyed) {
      int aFirst = 0;
      while (aFirst < aCount && (aBits[aFirst] >> 24) == 255) ++aFirst;
      aKey = aFirst < aCount ? aBits[aFirst] : 0;
      bool isCollision = false;
      for (int i = 0; i < aCount && !isCollision; ++i)
        isCollision = (aBits[i] >> 24) == 255 && (aBits[i] & 0xFFFFFF) == aKey;
      if (isCollision) {
        std::vector<uint64_t> aMarks((1u << 24) / 64);
        for (int i = 0; i < aCount; ++i)
          if ((aBits[i] >> 24) != 0) {
            uint32_t v = aBits[i] & 0xFFFFFF;
            aMarks[v >> 6] |= uint64_t(1) << (v & 63);
          }
        aKey = LowestUnmarked(aMarks, aKey);
      }
    }
    for (int y = 0; y < mHeight; ++y) {
      uint32_t* aRow = reinterpret_cast<uint32_t*>(aBase + static_cast<ptrdiff_t>(y) * (aPitch / 4) * 4);
      const uint32_t* aSrc = aBits + static_cast<size_t>(y) * mWidth;
      if (isKeyed && !isFirstPixelKey) {
        for (int x = 0; x < mWidth; ++x)
          aRow[x] = (aSrc[x] >> 24) < 255 ? aKey : (aLayout.Convert(aSrc[x]) | 0xFF000000u);
      } else {
        for (int x = 0; x < mWidth; ++x) aRow[x] = aLayout.Convert(aSrc[x]) | 0xFF000000u;
      }
    }
  }
  if (isKeyed) {
    _DDCOLORKEY aColorKey{aKey, aKey};
    mSurface->SetColorKey(DDCKEY_SRCBLT, &aColorKey);
    mSurfaceKey = aKey;
    mHasSurfaceKey = true;
  }
}

uint32_t* DDImage::GetBits() {
  if (mBits) return mBits.get();
  if (mSurface == nullptr) return MemoryImage::GetBits();
  if (mVideoOnly) return nullptr;
  if (!LockSurface()) return nullptr;
  AllocBits();
  uint32_t* aBits = mBits.get();
  const uint8_t* aBase = static_cast<const uint8_t*>(mLockDesc.lpSurface);
  const int32_t aPitch = mLockDesc.lPitch;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  // Pixels under the colour key come back transparent, as the surface shows them.
  const bool isKeyed = mHasSurfaceKey;
  const uint32_t aKey = mSurfaceKey;
  if (aBase == nullptr || (aBitCount != 16 && aBitCount != 32)) {
    std::memset(aBits, 0, sizeof(uint32_t) * mWidth * mHeight);
  } else if (aBitCount == 16) {
    const Layout aLayout(mDDInterface, mLockDesc.ddpfPixelFormat);
    for (int y = 0; y < mHeight; ++y) {
      const uint16_t* aRow =
          reinterpret_cast<const uint16_t*>(aBase + static_cast<ptrdiff_t>(aPitch / 2) * 2 * y);
      uint32_t* anOut = aBits + static_cast<size_t>(y) * mWidth;
      for (int x = 0; x < mWidth; ++x) {
        uint32_t p = aLayout.ToARGB(aRow[x]);
        anOut[x] = isKeyed && aRow[x] == aKey ? (p & 0xFFFFFF) : p;
      }
    }
  } else {
    for (int y = 0; y < mHeight; ++y) {
      const uint32_t* aRow =
          reinterpret_cast<const uint32_t*>(aBase + static_cast<ptrdiff_t>(aPitch / 4) * 4 * y);
      uint32_t* anOut = aBits + static_cast<size_t>(y) * mWidth;
      for (int x = 0; x < mWidth; ++x)
        anOut[x] = isKeyed && aRow[x] == aKey ? (aKey & 0xFFFFFF) : (aRow[x] | 0xFF000000u);
    }
  }
  UnlockSurface();
  return aBits;
}

void DDImage::SetSurface(DIRECTDRAWSURFACE3* theSurface) {
  if (theSurface != mSurface) ReleaseSurface();
  mBorrowedSurface = true;
  mSurface = theSurface;
  mHasSurfaceKey = false;
  if (theSurface != nullptr) {
    _DDSURFACEDESC aDesc = MakeSurfaceDesc();
    aDesc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    theSurface->GetSurfaceDesc(&aDesc);
    mWidth = static_cast<int>(aDesc.dwWidth);
    mHeight = static_cast<int>(aDesc.dwHeight);
  }
  mVideoOnly = false;
}

void DDImage::ReleaseSurface() {
  // Borrowed surfaces belong to the display interface, which releases them itself.
  if (mSurface != nullptr && !mBorrowedSurface) mSurface->Release();
  mSurface = nullptr;
  mBorrowedSurface = false;
  mHasSurfaceKey = false;
}

bool DDImage::LockSurface() {
  if (Check3D(this)) return false;
  if (mLockCount == 0) {
    mLockDesc = MakeSurfaceDesc();
    DIRECTDRAWSURFACE3* aSurface = GetSurface();
    if (aSurface == nullptr) return false;
    if (aSurface->Lock(nullptr, &mLockDesc, DDLOCK_WAIT, nullptr) != 0) return false;
  }
  ++mLockCount;
  TESK_ASSERT(mLockCount < 8);
  return true;
}

bool DDImage::UnlockSurface() {
  if (Check3D(this)) return false;
  --mLockCount;
  if (mLockCount == 0 && mSurface != nullptr) mSurface->Unlock(nullptr);
  TESK_ASSERT(mLockCount >= 0);
  return true;
}

void DDImage::DeleteDDSurface() {
  if (mSurface == nullptr) return;
  if (!mBits && !mPalette && mD3DData == nullptr) GetBits();
  ReleaseSurface();
}

void DDImage::DeleteAllNonSurfaceData() {
  mBits.reset();
  mNativeAlphaData.reset();
  mRLAdditiveData.reset();
  mRLAlphaData.reset();
  mPalette.reset();
  mPaletteIndices.reset();
}

void DDImage::DeleteNativeData() {
  if (mBorrowedSurface) return;
  MemoryImage::DeleteNativeData();
  DeleteDDSurface();
}

void DDImage::DeleteExtraBuffers() {
  if (mBorrowedSurface) return;
  MemoryImage::DeleteExtraBuffers();
  DeleteDDSurface();
}

void DDImage::SetVideoMemory(bool videoMemory) {
  if (videoMemory == mVideoMemory) return;
  mVideoMemory = videoMemory;
  GetBits();
  DeleteDDSurface();
}

void DDImage::CommitBits() {
  if (mSurface == nullptr) MemoryImage::CommitBits();
}

void DDImage::Create(int theWidth, int theHeight) {
  if (!IsValidSize(theWidth, theHeight)) return;
  mBits.reset();
  mPalette.reset();
  mPaletteIndices.reset();
  mWidth = theWidth;
  mHeight = theHeight;
  BitsChanged();
}

void DDImage::BitsChanged() {
  MemoryImage::BitsChanged();
  if (mSurface == nullptr) return;
  if (mBorrowedSurface) {
    // A display buffer cannot be dropped: the changed pixels go back into it.
    if (mBits && LockSurface()) {
      WritePixelsToSurface(false);
      UnlockSurface();
    }
    return;
  }
  ReleaseSurface();
}

bool DDImage::Palletize() {
  bool aResult = MemoryImage::Palletize();
  if (aResult) DeleteDDSurface();
  return aResult;
}

void DDImage::RehupFirstPixelTrans() {
  if (!GenerateDDSurface()) return;
  if (mVideoOnly || !mHasTransparent || !mFirstPixelTrans) return;
  DIRECTDRAWSURFACE3* aPrimary = mDDInterface->mPrimarySurface;
  if (aPrimary == nullptr) return;
  _DDSURFACEDESC aDesc = MakeSurfaceDesc();
  aDesc.dwFlags = 0x1006;
  if (aPrimary->GetSurfaceDesc(&aDesc) < 0) return;
  uint32_t aKey;
  uint32_t aBitCount = aDesc.ddpfPixelFormat.dwRGBBitCount;
  if (aBitCount != 16 && aBitCount != 24 && aBitCount != 32) return;
  if (!LockSurface()) return;
  if (mLockDesc.lpSurface == nullptr) {
    UnlockSurface();
    return;
  }
  if (aBitCount == 16)
    aKey = *static_cast<const uint16_t*>(mLockDesc.lpSurface);
  else
    aKey = *static_cast<const uint32_t*>(mLockDesc.lpSurface);
  _DDCOLORKEY aColorKey{aKey, aKey};
  mSurface->SetColorKey(DDCKEY_SRCBLT, &aColorKey);
  mSurfaceKey = aKey;
  mHasSurfaceKey = true;
  UnlockSurface();
}

void DDImage::PurgeBits() {
  if (mBorrowedSurface) return;
  mPurgeBits = true;
  CommitBits();
  bool is3D = mApp != nullptr && mApp->Is3DAccelerated();
  if (!is3D) {
    if (mWantSurface && GenerateDDSurface()) {
      mBits.reset();
      mPaletteIndices.reset();
      mPalette.reset();
      return;
    }
    MemoryImage::PurgeBits();
    return;
  }
  if (mSurface != nullptr) {
    GetBits();
    DeleteDDSurface();
  }
  MemoryImage::PurgeBits();
}

void DDImage::ReInit() {
  MemoryImage::ReInit();
  if (mWantSurface) GenerateDDSurface();
}

}  // namespace Tesk
