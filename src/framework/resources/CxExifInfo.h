// The EXIF reader of CxImageJPG: walks a JPEG file's marker sections, keeps them in memory,
// takes the frame size from the start-of-frame marker, the first comment, and the tagged
// values of an APP1 "Exif" block. Every offset and count in the block is checked against
// the section before it is followed, so damaged files fail or lose the value, never read
// past what was read from the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/CxImageJPG.h"

class CxImageJPG::CxExifInfo {
 public:
  // Flags for DecodeExif.
  static constexpr int k_ReadExif = 1;   // parse APP1 "Exif" blocks
  static constexpr int k_ReadImage = 2;  // keep the data after start of scan as one more section
  static constexpr int k_MaxSections = 20;

  struct Section {
    int mType = 0;               // the marker byte
    std::vector<uint8_t> mData;  // from the two length bytes on
  };

  // What the file says about itself; zero or empty where it says nothing.
  struct ExifData {
    bool mIsExif = false;
    bool mMotorolaOrder = false;  // "MM" (big-endian) rather than "II"
    int mWidth = 0;               // from the start-of-frame marker
    int mHeight = 0;
    int mComponents = 0;
    int mProcess = 0;  // the start-of-frame marker byte
    std::string mComment;
    std::string mCameraMake;
    std::string mCameraModel;
    std::string mDateTime;
    int mOrientation = 0;
    float mXResolution = 0;
    float mYResolution = 0;
    int mResolutionUnit = 0;
    float mExposureTime = 0;
    float mApertureFNumber = 0;
    float mFocalLength = 0;
    int mISOequivalent = 0;
    int mExifImageWidth = 0;
    int mExifImageHeight = 0;
  };

  // The stream must start with 0xFF 0xD8. Reads from the current position; false with the
  // reason in GetLastError (some failures print it too).
  bool DecodeExif(CxFile* theFile, int theFlags = k_ReadExif);

  const ExifData& GetData() const { return mData; }
  const std::vector<Section>& GetSections() const { return mSections; }
  const char* GetLastError() const { return mLastError.c_str(); }

 private:
  bool ReadSections(CxFile* theFile, int theFlags);
  void ProcessSOFn(const Section& theSection);
  // theBlock is the APP1 data after its length bytes, "Exif\0\0" first.
  bool ProcessExif(const uint8_t* theBlock, size_t theLength);
  bool ProcessExifDir(const uint8_t* theTiff, size_t theTiffLength, size_t theDirOffset, int theNesting);
  double ConvertAnyFormat(const uint8_t* theValue, int theFormat) const;
  uint16_t Get16(const uint8_t* theBytes) const;
  uint32_t Get32(const uint8_t* theBytes) const;
  void Fail(const char* theText) { mLastError = theText; }

  ExifData mData;
  std::vector<Section> mSections;
  std::string mLastError;
  int mDirectories = 0;  // read in the current block
};
