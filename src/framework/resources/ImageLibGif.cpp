// GIF: the first image of the file, LZW-decoded into 32-bit pixels.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "resources/ImageFileBytes.h"
#include "resources/ImageLib.h"

namespace ImageLib {

namespace {

// One data sub-block: the length byte, then that many bytes. 0 for the end of the chain,
// -1 when the file ends inside it.
int ReadBlobBlock(PFILE* theFile, uint8_t* theBuf) {
  uint8_t aLength;
  if (p_fread(&aLength, 1, 1, theFile) != 1) return -1;
  if (aLength == 0) return 0;
  return ReadExact(theBuf, aLength, theFile) ? aLength : -1;
}

bool ReadColorTable(PFILE* theFile, int thePacked, uint32_t* thePalette) {
  const int aCount = 1 << ((thePacked & 7) + 1);
  uint8_t aTriples[256 * 3];
  if (!ReadExact(aTriples, aCount * 3, theFile)) return false;
  for (int i = 0; i < aCount; ++i)
    thePalette[i] = 0xFF000000 | aTriples[3 * i] << 16 | aTriples[3 * i + 1] << 8 | aTriples[3 * i + 2];
  for (int i = aCount; i < 256; ++i) thePalette[i] = 0;
  return true;
}

// The most pixels a code stream in theBytes can decode to. No code is shorter than
// theMinCodeSize + 1 bits, and the n-th code after a clear gives at most n pixels (each code
// adds one entry, one longer than the entry before it), at most 4096 once the table is full.
int64_t MostPixels(int64_t theBytes, int theMinCodeSize) {
  const int64_t aCodes = theBytes * 8 / (theMinCodeSize + 1);
  const int64_t aRamp = std::min<int64_t>(aCodes, 4096);
  return aRamp * (aRamp + 1) / 2 + (aCodes - aRamp) * 4096;
}

class LzwDecoder {
 public:
  LzwDecoder(PFILE* theFile, int theMinCodeSize) : mFile(theFile), mMinCodeSize(theMinCodeSize) {
    mClear = 1 << theMinCodeSize;
    mEnd = mClear + 1;
    Reset();
    for (int i = 0; i < mClear; ++i) {
      mPrefix[i] = 0;
      mSuffix[i] = static_cast<uint8_t>(i);
    }
  }

  // The next palette index, or -1 when the code stream has ended or is damaged.
  int Next() {
    if (mTop > 0) return mStack[--mTop];
    for (;;) {
      int aCode = ReadCode();
      if (aCode < 0 || aCode > mNextFree || aCode == mEnd) return -1;
      if (aCode == mClear) {
        Reset();
        continue;
      }
      if (mPrevious < 0) {
        // The first code after a clear must be a literal: a table code has no entry yet, and
        // the entries left from before the clear are no longer this stream's.
        if (aCode >= mClear) return -1;
        mPrevious = aCode;
        mFirst = mSuffix[aCode];
        return mFirst;
      }
      const int anIncoming = aCode;
      if (aCode >= mNextFree) {
        mStack[mTop++] = mFirst;
        aCode = mPrevious;
      }
      while (aCode >= mClear) {
        mStack[mTop++] = mSuffix[aCode];
        aCode = mPrefix[aCode];
      }
      mFirst = mSuffix[aCode];
      mStack[mTop++] = mFirst;
      // A full table stays as it is until the next clear code.
      if (mNextFree <= 4095) {
        mPrefix[mNextFree] = static_cast<uint16_t>(mPrevious);
        mSuffix[mNextFree] = static_cast<uint8_t>(mFirst);
        ++mNextFree;
        if (mNextFree <= 4095 && (mNextFree & mMask) == 0) {
          ++mCodeSize;
          mMask += mNextFree;
        }
      }
      mPrevious = anIncoming;
      return mStack[--mTop];
    }
  }

 private:
  void Reset() {
    mCodeSize = mMinCodeSize + 1;
    mMask = (1 << mCodeSize) - 1;
    mNextFree = mClear + 2;
    mPrevious = -1;
  }

  int ReadCode() {
    while (mBitCount < mCodeSize) {
      if (mBlockPos >= mBlockLength) {
        if (mDone) return -1;
        mBlockLength = ReadBlobBlock(mFile, mBlock);
        mBlockPos = 0;
        if (mBlockLength <= 0) {
          mDone = true;
          return -1;
        }
      }
      mBits |= static_cast<uint32_t>(mBlock[mBlockPos++]) << mBitCount;
      mBitCount += 8;
    }
    const int aCode = static_cast<int>(mBits & ((1u << mCodeSize) - 1));
    mBits >>= mCodeSize;
    mBitCount -= mCodeSize;
    return aCode;
  }

  PFILE* mFile;
  int mMinCodeSize;
  int mClear = 0, mEnd = 0, mNextFree = 0, mCodeSize = 0, mMask = 0, mPrevious = -1, mFirst = 0;
  uint16_t mPrefix[4096];
  uint8_t mSuffix[4096];
  uint8_t mStack[4097];
  int mTop = 0;
  uint8_t mBlock[256];
  int mBlockLength = 0, mBlockPos = 0;
  uint32_t mBits = 0;
  int mBitCount = 0;
  bool mDone = false;
};

}  // namespace

Image* GetGIFImage(const std::string& theFileName) {
  PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
  if (aFile == nullptr) return nullptr;
  PFileCloser aCloser{aFile};

  uint8_t aHeader[13];
  if (!ReadExact(aHeader, sizeof(aHeader), aFile)) return nullptr;
  if (memcmp(aHeader, "GIF87", 5) != 0 && memcmp(aHeader, "GIF89", 5) != 0) return nullptr;
  uint32_t aGlobal[256] = {};
  if ((aHeader[10] & 0x80) != 0 && !ReadColorTable(aFile, aHeader[10], aGlobal)) return nullptr;

  int aTransparent = -1;
  uint8_t aBlock[256];
  for (;;) {
    uint8_t anIntroducer;
    if (p_fread(&anIntroducer, 1, 1, aFile) != 1) return nullptr;
    if (anIntroducer == ';') return nullptr;
    if (anIntroducer == ',') break;
    if (anIntroducer != '!') continue;
    uint8_t aLabel;
    if (p_fread(&aLabel, 1, 1, aFile) != 1) return nullptr;
    bool aFirst = true;
    for (;;) {
      const int aLength = ReadBlobBlock(aFile, aBlock);
      if (aLength < 0) return nullptr;
      if (aLength == 0) break;
      if (aLabel == 0xF9 && aFirst && aLength >= 4 && (aBlock[0] & 1) != 0) aTransparent = aBlock[3];
      aFirst = false;
    }
  }

  uint8_t aDescriptor[9];
  if (!ReadExact(aDescriptor, sizeof(aDescriptor), aFile)) return nullptr;
  const int aWidth = Le16(aDescriptor + 4);
  const int aHeight = Le16(aDescriptor + 6);
  const int aPacked = aDescriptor[8];
  if (!SizeAllowed(aWidth, aHeight)) return nullptr;
  uint32_t aLocal[256];
  const uint32_t* aPalette = aGlobal;
  if ((aPacked & 0x80) != 0) {
    if (!ReadColorTable(aFile, aPacked, aLocal)) return nullptr;
    aPalette = aLocal;
  }
  uint32_t aColors[256];
  memcpy(aColors, aPalette, sizeof(aColors));
  if (aTransparent >= 0) aColors[aTransparent] = 0;

  uint8_t aMinCodeSize;
  if (p_fread(&aMinCodeSize, 1, 1, aFile) != 1) return nullptr;
  // Larger sizes would index past the 4096-entry tables.
  if (aMinCodeSize < 1 || aMinCodeSize > 11) return nullptr;
  // A header may claim far more pixels than the rest of the file can hold; such a file gets
  // no image rather than a huge, almost empty one.
  const int64_t aBytesLeft = BytesLeft(aFile);
  if (aBytesLeft >= 0 && MostPixels(aBytesLeft, aMinCodeSize) < static_cast<int64_t>(aWidth) * aHeight)
    return nullptr;

  auto anImage = std::make_unique<Image>();
  anImage->mWidth = aWidth;
  anImage->mHeight = aHeight;
  anImage->mBits = new uint32_t[static_cast<size_t>(aWidth) * aHeight]();

  auto aDecoder = std::make_unique<LzwDecoder>(aFile, aMinCodeSize);
  const bool anInterlaced = (aPacked & 0x40) != 0;
  static const int k_PassStart[4] = {0, 4, 2, 1};
  static const int k_PassStep[4] = {8, 8, 4, 2};
  int aPass = 0;
  int aRow = 0;
  for (int y = 0; y < aHeight; ++y) {
    uint32_t* aDest = anImage->mBits + static_cast<size_t>(aRow) * aWidth;
    for (int x = 0; x < aWidth; ++x) {
      const int anIndex = aDecoder->Next();
      if (anIndex < 0) return anImage.release();
      aDest[x] = aColors[anIndex];
    }
    if (!anInterlaced) {
      ++aRow;
      continue;
    }
    aRow += k_PassStep[aPass];
    while (aRow >= aHeight && aPass < 3) aRow = k_PassStart[++aPass];
  }
  return anImage.release();
}

}  // namespace ImageLib
