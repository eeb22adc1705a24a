#include "ImageWriters.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <map>
#include <unordered_map>

namespace TeskTools {

namespace {

void Put16(std::string* theOut, int theValue) {
  theOut->push_back(static_cast<char>(theValue & 0xFF));
  theOut->push_back(static_cast<char>((theValue >> 8) & 0xFF));
}

void Put32(std::string* theOut, uint32_t theValue) {
  for (int i = 0; i < 4; ++i) theOut->push_back(static_cast<char>((theValue >> (8 * i)) & 0xFF));
}

uint8_t Red(uint32_t p) { return static_cast<uint8_t>(p >> 16); }
uint8_t Green(uint32_t p) { return static_cast<uint8_t>(p >> 8); }
uint8_t Blue(uint32_t p) { return static_cast<uint8_t>(p); }
uint8_t Alpha(uint32_t p) { return static_cast<uint8_t>(p >> 24); }

}  // namespace

namespace {

void PutBig32(std::string* theOut, uint32_t theValue) {
  for (int i = 3; i >= 0; --i) theOut->push_back(static_cast<char>((theValue >> (8 * i)) & 0xFF));
}

// Where a new chunk goes: after the signature and the header chunk (8 + 25 bytes), or before
// the 12-byte end chunk.
size_t PngChunkPlace(const std::string& thePng, bool theAfterPixels) {
  return theAfterPixels ? thePng.size() - 12 : 33;
}

}  // namespace

std::string PngWithChunk(const std::string& thePng, const std::string& theType, const std::string& theData,
                         bool theAfterPixels) {
  std::string aChunk;
  PutBig32(&aChunk, static_cast<uint32_t>(theData.size()));
  aChunk += theType + theData;
  const uLong aCrc =
      crc32(0, reinterpret_cast<const Bytef*>(aChunk.data() + 4), static_cast<uInt>(aChunk.size() - 4));
  PutBig32(&aChunk, static_cast<uint32_t>(aCrc));
  const size_t aPlace = PngChunkPlace(thePng, theAfterPixels);
  return thePng.substr(0, aPlace) + aChunk + thePng.substr(aPlace);
}

std::string PngDeclaringChunk(const std::string& thePng, const std::string& theType, uint32_t theLength,
                              bool theAfterPixels) {
  std::string aBytes = thePng.substr(0, PngChunkPlace(thePng, theAfterPixels));
  PutBig32(&aBytes, theLength);
  return aBytes + theType;
}

bool WriteBytes(const std::string& thePath, const std::string& theBytes) {
  FILE* aFile = std::fopen(thePath.c_str(), "wb");
  if (!aFile) return false;
  bool anOk = std::fwrite(theBytes.data(), 1, theBytes.size(), aFile) == theBytes.size();
  return std::fclose(aFile) == 0 && anOk;
}

namespace {

bool WritePngRows(const std::string& thePath, int theWidth, int theHeight, int aDepth, int aColorType,
                  bool theInterlaced, const std::vector<png_color>& thePalette,
                  const std::vector<uint8_t>& theAlphas, const std::vector<png_bytep>& theRows) {
  FILE* aFile = std::fopen(thePath.c_str(), "wb");
  if (!aFile) return false;
  png_structp aPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop anInfo = aPng ? png_create_info_struct(aPng) : nullptr;
  if (!anInfo) {
    png_destroy_write_struct(&aPng, nullptr);
    std::fclose(aFile);
    return false;
  }
  if (setjmp(png_jmpbuf(aPng))) {
    png_destroy_write_struct(&aPng, &anInfo);
    std::fclose(aFile);
    return false;
  }
  png_init_io(aPng, aFile);
  png_set_IHDR(aPng, anInfo, theWidth, theHeight, aDepth, aColorType,
               theInterlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!thePalette.empty()) {
    png_set_PLTE(aPng, anInfo, thePalette.data(), static_cast<int>(thePalette.size()));
    bool aTranslucent = false;
    for (uint8_t a : theAlphas) aTranslucent |= a != 255;
    if (aTranslucent)
      png_set_tRNS(aPng, anInfo, theAlphas.data(), static_cast<int>(theAlphas.size()), nullptr);
  }
  png_write_info(aPng, anInfo);
  png_write_image(aPng, const_cast<png_bytepp>(theRows.data()));
  png_write_end(aPng, nullptr);
  png_destroy_write_struct(&aPng, &anInfo);
  return std::fclose(aFile) == 0;
}

}  // namespace

bool WritePngFile(const std::string& thePath, int theWidth, int theHeight, const uint32_t* thePixels,
                  const PngOptions& theOptions) {
  const size_t aCount = static_cast<size_t>(theWidth) * theHeight;
  std::vector<png_color> aPalette;
  std::vector<uint8_t> anAlphas;
  std::vector<uint8_t> anIndices;
  if (theOptions.mKind == PngKind::Palette) {
    std::map<uint32_t, int> aSeen;
    anIndices.resize(aCount);
    for (size_t i = 0; i < aCount; ++i) {
      auto anIt = aSeen.find(thePixels[i]);
      if (anIt == aSeen.end()) {
        if (aSeen.size() == 256) return false;
        anIt = aSeen.emplace(thePixels[i], static_cast<int>(aSeen.size())).first;
        aPalette.push_back({Red(thePixels[i]), Green(thePixels[i]), Blue(thePixels[i])});
        anAlphas.push_back(Alpha(thePixels[i]));
      }
      anIndices[i] = static_cast<uint8_t>(anIt->second);
    }
  }

  int aColorType = PNG_COLOR_TYPE_RGB_ALPHA, aChannels = 4;
  switch (theOptions.mKind) {
    case PngKind::Rgba:
      break;
    case PngKind::Rgb:
      aColorType = PNG_COLOR_TYPE_RGB, aChannels = 3;
      break;
    case PngKind::Grey:
      aColorType = PNG_COLOR_TYPE_GRAY, aChannels = 1;
      break;
    case PngKind::GreyAlpha:
      aColorType = PNG_COLOR_TYPE_GRAY_ALPHA, aChannels = 2;
      break;
    case PngKind::Palette:
      aColorType = PNG_COLOR_TYPE_PALETTE, aChannels = 1;
      break;
  }
  const int aDepth = theOptions.mSixteenBit && theOptions.mKind != PngKind::Palette ? 16 : 8;
  const int aBytes = aDepth / 8;

  // Whole image in memory: interlaced files need every row at once.
  const size_t aRowBytes = static_cast<size_t>(theWidth) * aChannels * aBytes;
  std::vector<uint8_t> aData(aRowBytes * theHeight);
  for (int y = 0; y < theHeight; ++y) {
    uint8_t* aRow = aData.data() + aRowBytes * y;
    for (int x = 0; x < theWidth; ++x) {
      const size_t i = static_cast<size_t>(y) * theWidth + x;
      const uint32_t p = thePixels[i];
      uint8_t aChannelValues[4];
      int n = 0;
      switch (theOptions.mKind) {
        case PngKind::Rgba:
          aChannelValues[n++] = Red(p), aChannelValues[n++] = Green(p), aChannelValues[n++] = Blue(p),
          aChannelValues[n++] = Alpha(p);
          break;
        case PngKind::Rgb:
          aChannelValues[n++] = Red(p), aChannelValues[n++] = Green(p), aChannelValues[n++] = Blue(p);
          break;
        case PngKind::Grey:
          aChannelValues[n++] = Green(p);
          break;
        case PngKind::GreyAlpha:
          aChannelValues[n++] = Green(p), aChannelValues[n++] = Alpha(p);
          break;
        case PngKind::Palette:
          aChannelValues[n++] = anIndices[i];
          break;
      }
      for (int c = 0; c < n; ++c) {
        // 16-bit samples repeat the byte, so cutting them back to 8 gives it again.
        for (int b = 0; b < aBytes; ++b) *aRow++ = aChannelValues[c];
      }
    }
  }

  std::vector<png_bytep> aRows(theHeight);
  for (int y = 0; y < theHeight; ++y) aRows[y] = aData.data() + aRowBytes * y;
  return WritePngRows(thePath, theWidth, theHeight, aDepth, aColorType, theOptions.mInterlaced, aPalette,
                      anAlphas, aRows);
}

bool WriteJpegFile(const std::string& thePath, int theWidth, int theHeight, const uint32_t* thePixels,
                   int theQuality, bool theGrey) {
  FILE* aFile = std::fopen(thePath.c_str(), "wb");
  if (!aFile) return false;
  jpeg_compress_struct anInfo;
  jpeg_error_mgr anErr;
  anInfo.err = jpeg_std_error(&anErr);
  jpeg_create_compress(&anInfo);
  jpeg_stdio_dest(&anInfo, aFile);
  anInfo.image_width = static_cast<JDIMENSION>(theWidth);
  anInfo.image_height = static_cast<JDIMENSION>(theHeight);
  anInfo.input_components = theGrey ? 1 : 3;
  anInfo.in_color_space = theGrey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&anInfo);
  jpeg_set_quality(&anInfo, theQuality, TRUE);
  jpeg_start_compress(&anInfo, TRUE);
  std::vector<uint8_t> aRow(static_cast<size_t>(theWidth) * 3);
  for (int y = 0; y < theHeight; ++y) {
    const uint32_t* aSrc = thePixels + static_cast<size_t>(y) * theWidth;
    for (int x = 0; x < theWidth; ++x) {
      if (theGrey) {
        aRow[x] = Green(aSrc[x]);
      } else {
        aRow[3 * x] = Red(aSrc[x]), aRow[3 * x + 1] = Green(aSrc[x]), aRow[3 * x + 2] = Blue(aSrc[x]);
      }
    }
    JSAMPROW aPtr = aRow.data();
    jpeg_write_scanlines(&anInfo, &aPtr, 1);
  }
  jpeg_finish_compress(&anInfo);
  jpeg_destroy_compress(&anInfo);
  return std::fclose(aFile) == 0;
}

namespace {

std::string TgaHeader(int theMapLength, int theMapDepth, int theWidth, int theHeight, int theBits,
                      bool theTopDown) {
  std::string anOut;
  anOut.push_back(0);                         // ID length
  anOut.push_back(theMapLength > 0 ? 1 : 0);  // colour map type
  anOut.push_back(theMapLength > 0 ? 1 : 2);  // uncompressed mapped or true colour
  Put16(&anOut, 0);
  Put16(&anOut, theMapLength);
  anOut.push_back(static_cast<char>(theMapLength > 0 ? theMapDepth : 0));
  Put16(&anOut, 0);
  Put16(&anOut, 0);
  Put16(&anOut, theWidth);
  Put16(&anOut, theHeight);
  anOut.push_back(static_cast<char>(theBits));
  anOut.push_back(static_cast<char>((theTopDown ? 0x20 : 0) | (theBits == 32 ? 8 : 0)));
  return anOut;
}

}  // namespace

std::string TgaBytes(int theWidth, int theHeight, const uint32_t* thePixels, bool theTopDown,
                     int theBitsPerPixel) {
  std::string anOut = TgaHeader(0, 0, theWidth, theHeight, theBitsPerPixel, theTopDown);
  for (int y = 0; y < theHeight; ++y) {
    const int aRow = theTopDown ? y : theHeight - 1 - y;
    for (int x = 0; x < theWidth; ++x) {
      const uint32_t p = thePixels[static_cast<size_t>(aRow) * theWidth + x];
      anOut.push_back(static_cast<char>(Blue(p)));
      anOut.push_back(static_cast<char>(Green(p)));
      anOut.push_back(static_cast<char>(Red(p)));
      if (theBitsPerPixel == 32) anOut.push_back(static_cast<char>(Alpha(p)));
    }
  }
  return anOut;
}

std::string TgaBytes8(int theWidth, int theHeight, const uint8_t* theIndices,
                      const std::vector<uint32_t>& thePalette, bool theTopDown, int theMapDepth) {
  std::string anOut =
      TgaHeader(static_cast<int>(thePalette.size()), theMapDepth, theWidth, theHeight, 8, theTopDown);
  for (uint32_t p : thePalette) {
    if (theMapDepth == 24) {
      anOut.push_back(static_cast<char>(Blue(p)));
      anOut.push_back(static_cast<char>(Green(p)));
      anOut.push_back(static_cast<char>(Red(p)));
    } else {
      Put32(&anOut, p);
    }
  }
  for (int y = 0; y < theHeight; ++y) {
    const int aRow = theTopDown ? y : theHeight - 1 - y;
    anOut.append(reinterpret_cast<const char*>(theIndices) + static_cast<size_t>(aRow) * theWidth, theWidth);
  }
  return anOut;
}

namespace {

class LzwEncoder {
 public:
  LzwEncoder(int theMinCodeSize, std::string* theOut) : mMinCodeSize(theMinCodeSize), mOut(theOut) {
    mClear = 1 << theMinCodeSize;
    Reset();
    Emit(mClear);
  }

  void Add(uint8_t theIndex) {
    if (mCurrent < 0) {
      mCurrent = theIndex;
      return;
    }
    const uint32_t aKey = static_cast<uint32_t>(mCurrent) << 8 | theIndex;
    auto anIt = mTable.find(aKey);
    if (anIt != mTable.end()) {
      mCurrent = anIt->second;
      return;
    }
    Emit(mCurrent);
    // The reader stops adding codes at 4096, so the table is cleared just before.
    if (mNextFree >= 4095) {
      Emit(mClear);
      Reset();
    } else {
      mTable.emplace(aKey, mNextFree++);
    }
    mCurrent = theIndex;
  }

  void Finish() {
    if (mCurrent >= 0) Emit(mCurrent);
    Emit(mClear + 1);
    if (mBitCount > 0) PutByte(static_cast<uint8_t>(mBits));
    FlushBlock();
    mOut->push_back(0);
  }

 private:
  void Reset() {
    mTable.clear();
    mCodeSize = mMinCodeSize + 1;
    mNextFree = mClear + 2;
  }

  void Emit(int theCode) {
    mBits |= static_cast<uint32_t>(theCode) << mBitCount;
    mBitCount += mCodeSize;
    while (mBitCount >= 8) {
      PutByte(static_cast<uint8_t>(mBits));
      mBits >>= 8;
      mBitCount -= 8;
    }
    // The reader widens its codes one code later than the table grows.
    if (mNextFree >= (1 << mCodeSize) && mCodeSize < 12) ++mCodeSize;
  }

  void PutByte(uint8_t theByte) {
    mBlock.push_back(static_cast<char>(theByte));
    if (mBlock.size() == 255) FlushBlock();
  }

  void FlushBlock() {
    if (mBlock.empty()) return;
    mOut->push_back(static_cast<char>(mBlock.size()));
    mOut->append(mBlock);
    mBlock.clear();
  }

  int mMinCodeSize;
  std::string* mOut;
  int mClear = 0, mCodeSize = 0, mNextFree = 0, mCurrent = -1;
  std::unordered_map<uint32_t, int> mTable;
  uint32_t mBits = 0;
  int mBitCount = 0;
  std::string mBlock;
};

}  // namespace

std::string GifBytes(int theWidth, int theHeight, const uint8_t* theIndices,
                     const std::vector<uint32_t>& thePalette, int theTransparent, bool theInterlaced) {
  int aBits = 1;
  while ((1 << aBits) < static_cast<int>(thePalette.size()) && aBits < 8) ++aBits;
  std::string anOut = "GIF89a";
  Put16(&anOut, theWidth);
  Put16(&anOut, theHeight);
  anOut.push_back(static_cast<char>(0x80 | (aBits - 1)));
  anOut.push_back(0);
  anOut.push_back(0);
  for (int i = 0; i < (1 << aBits); ++i) {
    const uint32_t p = i < static_cast<int>(thePalette.size()) ? thePalette[i] : 0;
    anOut.push_back(static_cast<char>(Red(p)));
    anOut.push_back(static_cast<char>(Green(p)));
    anOut.push_back(static_cast<char>(Blue(p)));
  }
  if (theTransparent >= 0) {
    anOut += "!\xF9\x04\x01";
    Put16(&anOut, 0);
    anOut.push_back(static_cast<char>(theTransparent));
    anOut.push_back(0);
  }
  anOut.push_back(',');
  Put16(&anOut, 0);
  Put16(&anOut, 0);
  Put16(&anOut, theWidth);
  Put16(&anOut, theHeight);
  anOut.push_back(static_cast<char>(theInterlaced ? 0x40 : 0));
  const int aMinCodeSize = aBits < 2 ? 2 : aBits;
  anOut.push_back(static_cast<char>(aMinCodeSize));
  LzwEncoder anEncoder(aMinCodeSize, &anOut);
  std::vector<int> aRowOrder;
  if (theInterlaced) {
    static const int k_Start[4] = {0, 4, 2, 1}, k_Step[4] = {8, 8, 4, 2};
    for (int aPass = 0; aPass < 4; ++aPass)
      for (int y = k_Start[aPass]; y < theHeight; y += k_Step[aPass]) aRowOrder.push_back(y);
  } else {
    for (int y = 0; y < theHeight; ++y) aRowOrder.push_back(y);
  }
  for (int y : aRowOrder)
    for (int x = 0; x < theWidth; ++x) anEncoder.Add(theIndices[static_cast<size_t>(y) * theWidth + x]);
  anEncoder.Finish();
  anOut.push_back(';');
  return anOut;
}

std::string ImageBlockBytes(const std::vector<BlockImage>& theImages) {
  std::string anOut;
  Put32(&anOut, static_cast<uint32_t>(theImages.size()));
  for (const BlockImage& anImage : theImages) {
    Put32(&anOut, static_cast<uint32_t>(anImage.mPalette.size()));
    Put16(&anOut, anImage.mWidth);
    Put16(&anOut, anImage.mHeight);
    for (uint32_t p : anImage.mPalette) Put32(&anOut, p);
    anOut.append(reinterpret_cast<const char*>(anImage.mIndices.data()), anImage.mIndices.size());
  }
  return anOut;
}

std::vector<uint32_t> AlphaImagePixels(const std::vector<uint32_t>& thePixels) {
  std::vector<uint32_t> anOut(thePixels.size());
  for (size_t i = 0; i < thePixels.size(); ++i) {
    const uint32_t a = Alpha(thePixels[i]);
    anOut[i] = 0xFF000000 | a << 16 | a << 8 | a;
  }
  return anOut;
}

}  // namespace TeskTools
