// In-memory image files for the packed-data image tests: PNG and JPEG bytes made by the
// project's writers, a CMYK JPEG, and JPEG marker sections including an EXIF block.
#pragma once

#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <cstdint>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "support/TestTemp.h"

namespace PackedTest {

inline std::vector<uint32_t> Pattern(int theWidth, int theHeight) {
  std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight);
  for (size_t i = 0; i < aPixels.size(); ++i)
    aPixels[i] = static_cast<uint32_t>(0x80000000u + 0x01030507u * i) ^ static_cast<uint32_t>(i * 0x1F00);
  return aPixels;
}

// A smooth picture: JPEG keeps it close, so decoded pixels say something.
inline std::vector<uint32_t> Gradient(int theWidth, int theHeight) {
  std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight);
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x)
      aPixels[static_cast<size_t>(y) * theWidth + x] =
          0xFF000000u | (x * 255 / theWidth) << 16 | (y * 255 / theHeight) << 8 | 0x60;
  return aPixels;
}

inline std::string PngBytes(const std::string& theDir, int theWidth, int theHeight,
                            const std::vector<uint32_t>& thePixels,
                            const TeskTools::PngOptions& theOptions = {}) {
  const std::string aPath = theDir + "/made.png";
  if (!TeskTools::WritePngFile(aPath, theWidth, theHeight, thePixels.data(), theOptions)) return {};
  return TeskTest::ReadFile(aPath);
}

inline std::string JpegBytes(const std::string& theDir, int theWidth, int theHeight,
                             const std::vector<uint32_t>& thePixels, bool theGrey = false) {
  const std::string aPath = theDir + "/made.jpg";
  if (!TeskTools::WriteJpegFile(aPath, theWidth, theHeight, thePixels.data(), 90, theGrey)) return {};
  return TeskTest::ReadFile(aPath);
}

// A four-component (CMYK) baseline JPEG, which the readers refuse.
inline std::string CmykJpegBytes(int theWidth, int theHeight) {
  jpeg_compress_struct anInfo;
  jpeg_error_mgr anErr;
  anInfo.err = jpeg_std_error(&anErr);
  jpeg_create_compress(&anInfo);
  unsigned char* aBuffer = nullptr;
  unsigned long aSize = 0;
  jpeg_mem_dest(&anInfo, &aBuffer, &aSize);
  anInfo.image_width = static_cast<JDIMENSION>(theWidth);
  anInfo.image_height = static_cast<JDIMENSION>(theHeight);
  anInfo.input_components = 4;
  anInfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&anInfo);
  jpeg_start_compress(&anInfo, TRUE);
  std::vector<JSAMPLE> aRow(static_cast<size_t>(theWidth) * 4);
  for (size_t i = 0; i < aRow.size(); ++i) aRow[i] = static_cast<JSAMPLE>(i * 37);
  while (anInfo.next_scanline < anInfo.image_height) {
    JSAMPROW aRowPtr = aRow.data();
    jpeg_write_scanlines(&anInfo, &aRowPtr, 1);
  }
  jpeg_finish_compress(&anInfo);
  jpeg_destroy_compress(&anInfo);
  std::string aBytes(reinterpret_cast<char*>(aBuffer), aSize);
  free(aBuffer);
  return aBytes;
}

// A marker section: 0xFF, the marker, the big-endian length (payload + 2), the payload.
inline std::string Section(int theMarker, const std::string& thePayload) {
  const size_t aLength = thePayload.size() + 2;
  std::string aBytes = {'\xFF', static_cast<char>(theMarker), static_cast<char>(aLength >> 8 & 0xFF),
                        static_cast<char>(aLength & 0xFF)};
  return aBytes + thePayload;
}

// Puts theSections right after the start-of-image marker of theJpeg.
inline std::string InsertAfterSoi(const std::string& theJpeg, const std::string& theSections) {
  return theJpeg.substr(0, 2) + theSections + theJpeg.substr(2);
}

// Builds the TIFF part of an EXIF block in either byte order.
class TiffBuilder {
 public:
  explicit TiffBuilder(bool theMotorola) : mMotorola(theMotorola) {}
  std::string U16(uint32_t theValue) const { return Bytes(theValue, 2); }
  std::string U32(uint32_t theValue) const { return Bytes(theValue, 4); }
  std::string Header(uint32_t theFirstDir) const {
    return std::string(mMotorola ? "MM" : "II") + U16(0x2A) + U32(theFirstDir);
  }
  // A 12-byte directory entry; theValue is the inline value or the offset.
  std::string Entry(uint16_t theTag, uint16_t theFormat, uint32_t theCount,
                    const std::string& theValue) const {
    std::string aValue = theValue;
    aValue.resize(4, '\0');
    return U16(theTag) + U16(theFormat) + U32(theCount) + aValue;
  }

 private:
  std::string Bytes(uint32_t theValue, int theCount) const {
    std::string aBytes;
    for (int i = 0; i < theCount; ++i) {
      const int aShift = mMotorola ? 8 * (theCount - 1 - i) : 8 * i;
      aBytes.push_back(static_cast<char>(theValue >> aShift & 0xFF));
    }
    return aBytes;
  }
  bool mMotorola;
};

// An APP1 payload ("Exif\0\0" + TIFF) with make "Tesk", model "Packed One", orientation 6,
// x resolution 72/1, and through the EXIF sub-directory exposure 1/125, ISO 200 and date.
inline std::string ExifPayload(bool theMotorola) {
  TiffBuilder t(theMotorola);
  // TIFF offsets: header 8; IFD0 at 8 with 5 entries (2 + 60 + 4 = 66) -> data at 74.
  const uint32_t aIfd0 = 8, aIfd0Data = aIfd0 + 2 + 5 * 12 + 4;
  const std::string aMake = std::string("Tesk", 4);  // four bytes with no NUL: fits inline
  const std::string aModel = std::string("Packed One\0", 11);
  const uint32_t aModelAt = aIfd0Data, aXResAt = aModelAt + 11 + 1, aSubAt = aXResAt + 8;
  // Sub-directory: 3 entries (2 + 36 + 4 = 42) then its data.
  const uint32_t aSubData = aSubAt + 2 + 3 * 12 + 4;
  const uint32_t anExposureAt = aSubData, aDateAt = anExposureAt + 8;
  const std::string aDate = std::string("2026:12:10 15:00:00\0", 20);

  std::string aTiff = t.Header(aIfd0);
  aTiff += t.U16(5);
  aTiff += t.Entry(0x010F, 2, 4, aMake);
  aTiff += t.Entry(0x0110, 2, 11, t.U32(aModelAt));
  aTiff += t.Entry(0x0112, 3, 1, t.U16(6));
  aTiff += t.Entry(0x011A, 5, 1, t.U32(aXResAt));
  aTiff += t.Entry(0x8769, 4, 1, t.U32(aSubAt));
  aTiff += t.U32(0);
  aTiff += aModel + std::string(1, '\0');  // padded to an even offset
  aTiff += t.U32(72) + t.U32(1);
  aTiff += t.U16(3);
  aTiff += t.Entry(0x829A, 5, 1, t.U32(anExposureAt));
  aTiff += t.Entry(0x8827, 3, 1, t.U16(200));
  aTiff += t.Entry(0x9003, 2, 20, t.U32(aDateAt));
  aTiff += t.U32(0);
  aTiff += t.U32(1) + t.U32(125);
  aTiff += aDate;
  return std::string("Exif\0\0", 6) + aTiff;
}

}  // namespace PackedTest
