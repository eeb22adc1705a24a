#include "resources/CxExifInfo.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

#include "resources/CxFile.h"

namespace {

// Marker bytes.
constexpr int k_SOI = 0xD8;
constexpr int k_EOI = 0xD9;
constexpr int k_SOS = 0xDA;
constexpr int k_APP0 = 0xE0;
constexpr int k_APP1 = 0xE1;
constexpr int k_COM = 0xFE;

// Bytes per component of the twelve EXIF value formats, 1 (unsigned byte) to 12 (double).
constexpr int k_BytesPerFormat[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
constexpr int k_NumFormats = 12;

enum Format {
  k_FmtByte = 1,
  k_FmtString,
  k_FmtUShort,
  k_FmtULong,
  k_FmtURational,
  k_FmtSByte,
  k_FmtUndefined,
  k_FmtSShort,
  k_FmtSLong,
  k_FmtSRational,
  k_FmtSingle,
  k_FmtDouble
};

enum Tag : uint16_t {
  k_TagMake = 0x010F,
  k_TagModel = 0x0110,
  k_TagOrientation = 0x0112,
  k_TagXResolution = 0x011A,
  k_TagYResolution = 0x011B,
  k_TagResolutionUnit = 0x0128,
  k_TagDateTime = 0x0132,
  k_TagExposureTime = 0x829A,
  k_TagFNumber = 0x829D,
  k_TagExifOffset = 0x8769,
  k_TagISOEquivalent = 0x8827,
  k_TagDateTimeOriginal = 0x9003,
  k_TagFocalLength = 0x920A,
  k_TagExifImageWidth = 0xA002,
  k_TagExifImageHeight = 0xA003,
  k_TagInteropOffset = 0xA005,
};

// Sub-directories nest a couple of levels in real files; more is a loop or garbage. The
// count keeps a block whose entries all point back at their own directory from taking ages.
constexpr int k_MaxNesting = 4;
constexpr int k_MaxDirectories = 16;

// A number as an int; false for NaN and for values outside int's range, which then say
// nothing and leave the field as it was.
bool ToInt(double theValue, int* theInt) {
  if (!(theValue >= INT_MIN && theValue <= INT_MAX)) return false;
  *theInt = static_cast<int>(theValue);
  return true;
}

std::string AsciiValue(const uint8_t* theValue, size_t theLength) {
  size_t aLength = 0;
  while (aLength < theLength && theValue[aLength] != 0) ++aLength;
  return std::string(reinterpret_cast<const char*>(theValue), aLength);
}

}  // namespace

bool CxImageJPG::CxExifInfo::DecodeExif(CxFile* theFile, int theFlags) {
  mData = ExifData();
  mSections.clear();
  mLastError.clear();
  if (theFile == nullptr) return false;
  if (theFile->GetC() != 0xFF || theFile->GetC() != k_SOI) return false;
  const bool aRead = ReadSections(theFile, theFlags);
  // The sections only serve the parse; the image decoder reads the file itself.
  if (!(theFlags & k_ReadImage)) mSections.clear();
  return aRead;
}

bool CxImageJPG::CxExifInfo::ReadSections(CxFile* theFile, int theFlags) {
  for (;;) {
    if (static_cast<int>(mSections.size()) >= k_MaxSections) {
      Fail("Too many sections in jpg file");
      return false;
    }
    int32_t aMarker = 0;
    for (int a = 0; a < 7; ++a) {
      aMarker = theFile->GetC();
      if (aMarker != 0xFF) break;
      if (a >= 6) {
        Fail("too many padding bytes");
        fprintf(stderr, "too many padding bytes\n");
        return false;
      }
    }
    if (aMarker < 0) {
      Fail("Premature end of file?");
      return false;
    }
    // End of image carries no length.
    if (aMarker == k_EOI) {
      Fail("No image in jpeg!");
      fprintf(stderr, "No image in jpeg!\n");
      return false;
    }
    const int32_t aHigh = theFile->GetC();
    const int32_t aLow = theFile->GetC();
    if (aHigh < 0 || aLow < 0) {
      Fail("Premature end of file?");
      return false;
    }
    const size_t anItemLength = static_cast<size_t>(aHigh << 8 | aLow);
    if (anItemLength < 2) {
      Fail("invalid marker");
      return false;
    }
    Section aSection;
    aSection.mType = aMarker;
    try {
      aSection.mData.resize(anItemLength);
    } catch (const std::bad_alloc&) {
      Fail("Could not allocate memory");
      return false;
    }
    aSection.mData[0] = static_cast<uint8_t>(aHigh);
    aSection.mData[1] = static_cast<uint8_t>(aLow);
    if (theFile->Read(aSection.mData.data() + 2, 1, anItemLength - 2) != anItemLength - 2) {
      Fail("Premature end of file?");
      return false;
    }

    switch (aMarker) {
      case k_SOS:
        mSections.push_back(std::move(aSection));
        if (theFlags & k_ReadImage) {
          if (static_cast<int>(mSections.size()) >= k_MaxSections) {
            Fail("Too many sections in jpg file");
            return false;
          }
          const int32_t aLeft = theFile->Size() - theFile->Tell();
          Section aRest;
          aRest.mType = 0;
          try {
            aRest.mData.resize(aLeft > 0 ? static_cast<size_t>(aLeft) : 0);
          } catch (const std::bad_alloc&) {
            Fail("Could not allocate memory");
            return false;
          }
          if (theFile->Read(aRest.mData.data(), 1, aRest.mData.size()) != aRest.mData.size()) {
            Fail("Premature end of file?");
            return false;
          }
          mSections.push_back(std::move(aRest));
        }
        return true;
      case k_COM:
        if (mData.mComment.empty()) mData.mComment = AsciiValue(aSection.mData.data() + 2, anItemLength - 2);
        mSections.push_back(std::move(aSection));
        break;
      case k_APP0:
        break;  // dropped
      case k_APP1:
        if ((theFlags & k_ReadExif) && anItemLength >= 6 && memcmp(aSection.mData.data() + 2, "Exif", 4) == 0)
          mData.mIsExif = ProcessExif(aSection.mData.data() + 2, anItemLength - 2);
        mSections.push_back(std::move(aSection));
        break;
      default:
        if (aMarker >= 0xC0 && aMarker <= 0xCF && aMarker != 0xC4 && aMarker != 0xC8 && aMarker != 0xCC)
          ProcessSOFn(aSection);
        mSections.push_back(std::move(aSection));
        break;
    }
  }
}

void CxImageJPG::CxExifInfo::ProcessSOFn(const Section& theSection) {
  // Length (2), precision (1), height (2), width (2), components (1).
  const std::vector<uint8_t>& aData = theSection.mData;
  if (aData.size() < 8) return;
  mData.mHeight = aData[3] << 8 | aData[4];
  mData.mWidth = aData[5] << 8 | aData[6];
  mData.mComponents = aData[7];
  mData.mProcess = theSection.mType;
}

uint16_t CxImageJPG::CxExifInfo::Get16(const uint8_t* theBytes) const {
  return mData.mMotorolaOrder ? static_cast<uint16_t>(theBytes[0] << 8 | theBytes[1])
                              : static_cast<uint16_t>(theBytes[1] << 8 | theBytes[0]);
}

uint32_t CxImageJPG::CxExifInfo::Get32(const uint8_t* theBytes) const {
  return mData.mMotorolaOrder
             ? static_cast<uint32_t>(theBytes[0]) << 24 | theBytes[1] << 16 | theBytes[2] << 8 | theBytes[3]
             : static_cast<uint32_t>(theBytes[3]) << 24 | theBytes[2] << 16 | theBytes[1] << 8 | theBytes[0];
}

bool CxImageJPG::CxExifInfo::ProcessExif(const uint8_t* theBlock, size_t theLength) {
  // "Exif\0\0", then the TIFF header: byte order, 42, offset of the first directory.
  if (theLength < 6 + 8 || memcmp(theBlock, "Exif\0\0", 6) != 0) {
    Fail("Incorrect Exif header");
    return false;
  }
  const uint8_t* aTiff = theBlock + 6;
  const size_t aTiffLength = theLength - 6;
  if (memcmp(aTiff, "II", 2) == 0) {
    mData.mMotorolaOrder = false;
  } else if (memcmp(aTiff, "MM", 2) == 0) {
    mData.mMotorolaOrder = true;
  } else {
    Fail("Invalid Exif alignment marker.");
    return false;
  }
  if (Get16(aTiff + 2) != 0x2A) {
    Fail("Invalid Exif start (1)");
    return false;
  }
  const uint32_t aFirst = Get32(aTiff + 4);
  if (aFirst < 8 || aFirst >= aTiffLength) {
    Fail("Invalid Exif start (2)");
    return false;
  }
  mDirectories = 0;
  return ProcessExifDir(aTiff, aTiffLength, aFirst, 0);
}

bool CxImageJPG::CxExifInfo::ProcessExifDir(const uint8_t* theTiff, size_t theTiffLength, size_t theDirOffset,
                                            int theNesting) {
  if (theNesting > k_MaxNesting || ++mDirectories > k_MaxDirectories) {
    Fail("Maximum directory nesting exceeded");
    return false;
  }
  if (theDirOffset > theTiffLength || theTiffLength - theDirOffset < 2) {
    Fail("Illegally sized directory");
    return false;
  }
  const uint8_t* aDir = theTiff + theDirOffset;
  const size_t anEntries = Get16(aDir);
  if ((theTiffLength - theDirOffset - 2) / 12 < anEntries) {
    Fail("Illegally sized directory");
    return false;
  }
  for (size_t i = 0; i < anEntries; ++i) {
    const uint8_t* anEntry = aDir + 2 + 12 * i;
    const uint16_t aTag = Get16(anEntry);
    const int aFormat = Get16(anEntry + 2);
    const uint32_t aComponents = Get32(anEntry + 4);
    if (aFormat < 1 || aFormat > k_NumFormats) continue;  // an unknown format says nothing usable
    const uint64_t aByteCount = static_cast<uint64_t>(aComponents) * k_BytesPerFormat[aFormat];
    const uint8_t* aValue;
    if (aByteCount > 4) {
      const uint32_t anOffset = Get32(anEntry + 8);
      if (anOffset > theTiffLength || aByteCount > theTiffLength - anOffset)
        continue;  // points past the block
      aValue = theTiff + anOffset;
    } else {
      aValue = anEntry + 8;
    }
    // Numeric tags read their first component; none means no value.
    const bool aHasNumber = aComponents > 0;
    switch (aTag) {
      case k_TagMake:
        if (aFormat == k_FmtString) mData.mCameraMake = AsciiValue(aValue, static_cast<size_t>(aByteCount));
        break;
      case k_TagModel:
        if (aFormat == k_FmtString) mData.mCameraModel = AsciiValue(aValue, static_cast<size_t>(aByteCount));
        break;
      case k_TagDateTime:
      case k_TagDateTimeOriginal:
        if (aFormat == k_FmtString) mData.mDateTime = AsciiValue(aValue, static_cast<size_t>(aByteCount));
        break;
      case k_TagOrientation:
        if (aHasNumber) ToInt(ConvertAnyFormat(aValue, aFormat), &mData.mOrientation);
        break;
      case k_TagXResolution:
        if (aHasNumber) mData.mXResolution = static_cast<float>(ConvertAnyFormat(aValue, aFormat));
        break;
      case k_TagYResolution:
        if (aHasNumber) mData.mYResolution = static_cast<float>(ConvertAnyFormat(aValue, aFormat));
        break;
      case k_TagResolutionUnit:
        if (aHasNumber) ToInt(ConvertAnyFormat(aValue, aFormat), &mData.mResolutionUnit);
        break;
      case k_TagExposureTime:
        if (aHasNumber) mData.mExposureTime = static_cast<float>(ConvertAnyFormat(aValue, aFormat));
        break;
      case k_TagFNumber:
        if (aHasNumber) mData.mApertureFNumber = static_cast<float>(ConvertAnyFormat(aValue, aFormat));
        break;
      case k_TagFocalLength:
        if (aHasNumber) mData.mFocalLength = static_cast<float>(ConvertAnyFormat(aValue, aFormat));
        break;
      case k_TagISOEquivalent:
        if (aHasNumber) ToInt(ConvertAnyFormat(aValue, aFormat), &mData.mISOequivalent);
        break;
      case k_TagExifImageWidth:
        if (aHasNumber) ToInt(ConvertAnyFormat(aValue, aFormat), &mData.mExifImageWidth);
        break;
      case k_TagExifImageHeight:
        if (aHasNumber) ToInt(ConvertAnyFormat(aValue, aFormat), &mData.mExifImageHeight);
        break;
      case k_TagExifOffset:
      case k_TagInteropOffset:
        if (aHasNumber && (aFormat == k_FmtULong || aFormat == k_FmtSLong)) {
          const uint32_t aSub = Get32(aValue);
          if (aSub >= theTiffLength || !ProcessExifDir(theTiff, theTiffLength, aSub, theNesting + 1))
            return false;
        }
        break;
      default:
        break;
    }
  }
  return true;
}

double CxImageJPG::CxExifInfo::ConvertAnyFormat(const uint8_t* theValue, int theFormat) const {
  switch (theFormat) {
    case k_FmtSByte:
      return static_cast<int8_t>(theValue[0]);
    case k_FmtByte:
    case k_FmtUndefined:
      return theValue[0];
    case k_FmtUShort:
      return Get16(theValue);
    case k_FmtSShort:
      return static_cast<int16_t>(Get16(theValue));
    case k_FmtULong:
      return Get32(theValue);
    case k_FmtSLong:
      return static_cast<int32_t>(Get32(theValue));
    case k_FmtURational: {
      const uint32_t aDen = Get32(theValue + 4);
      return aDen == 0 ? 0.0 : static_cast<double>(Get32(theValue)) / aDen;
    }
    case k_FmtSRational: {
      const int32_t aDen = static_cast<int32_t>(Get32(theValue + 4));
      return aDen == 0 ? 0.0 : static_cast<double>(static_cast<int32_t>(Get32(theValue))) / aDen;
    }
    case k_FmtSingle: {
      const uint32_t aBits = Get32(theValue);
      float aFloat;
      memcpy(&aFloat, &aBits, sizeof(aFloat));
      return aFloat;
    }
    case k_FmtDouble: {
      uint64_t aBits = 0;
      for (int i = 0; i < 8; ++i) {
        const int aByte = mData.mMotorolaOrder ? i : 7 - i;
        aBits = aBits << 8 | theValue[aByte];
      }
      double aDouble;
      memcpy(&aDouble, &aBits, sizeof(aDouble));
      return aDouble;
    }
    default:
      return 0;  // strings have no number
  }
}
