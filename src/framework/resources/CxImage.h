// A small image library that decodes PNG and JPEG files from a CxFile into 0xAARRGGBB
// pixels, rows from the top. Only the packed-data path of the image readers uses it.
#pragma once

#include <cstdint>
#include <vector>

class CxFile;

class CxImage {
 public:
  // Format codes for Decode.
  static constexpr uint32_t k_FormatUnknown = 0;  // try JPEG, then PNG
  static constexpr uint32_t k_FormatJpg = 1;
  static constexpr uint32_t k_FormatPng = 2;

  CxImage();
  CxImage(const CxImage&) = delete;
  CxImage& operator=(const CxImage&) = delete;
  virtual ~CxImage();

  // False on failure, with the reason in GetLastError.
  bool Decode(CxFile* theFile, uint32_t theFormat);

  bool IsValid() const { return !mPixels.empty(); }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  const uint32_t* GetBits() const { return mPixels.data(); }
  uint32_t GetSize() const { return static_cast<uint32_t>(mPixels.size() * sizeof(uint32_t)); }
  const char* GetLastError() const { return mInfo.mLastError; }
  int32_t GetXDPI() const { return mInfo.mXDpi; }
  int32_t GetYDPI() const { return mInfo.mYDpi; }

 protected:
  struct Info {
    char mLastError[256] = {};
    int32_t mXDpi = 96;
    int32_t mYDpi = 96;
  };

  // Sizes the pixel buffer; false (with the reason set) for sizes the readers refuse.
  bool Create(int64_t theWidth, int64_t theHeight);
  void Destroy();
  void SetLastError(const char* theText);
  // Takes theOther's pixels and size over; its error text comes along too.
  void TakeOver(CxImage& theOther);

  int32_t mWidth = 0;
  int32_t mHeight = 0;
  std::vector<uint32_t> mPixels;
  Info mInfo;
};
