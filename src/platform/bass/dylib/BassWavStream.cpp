#include "platform/bass/dylib/BassWavStream.h"

#include <cstring>

#include "platform/bass/Bass.h"

namespace Tesk {

namespace {
bool ReadU32(FILE* theFile, uint32_t* theValue) {
  uint8_t aBytes[4];
  if (std::fread(aBytes, 1, 4, theFile) != 4) return false;
  *theValue = aBytes[0] | (aBytes[1] << 8) | (aBytes[2] << 16) | (static_cast<uint32_t>(aBytes[3]) << 24);
  return true;
}
}  // namespace

std::unique_ptr<BassWavStream> BassWavStream::Open(const std::string& thePath, int* theError) {
  std::unique_ptr<BassWavStream> aStream(new BassWavStream());
  *theError = BASS_ERROR_FILEOPEN;
  aStream->mFile = std::fopen(thePath.c_str(), "rb");
  if (aStream->mFile == nullptr) return nullptr;
  *theError = BASS_ERROR_FILEFORM;
  FILE* aFile = aStream->mFile;
  std::fseek(aFile, 0, SEEK_END);
  const long aFileSize = std::ftell(aFile);
  std::fseek(aFile, 0, SEEK_SET);

  char aId[4];
  uint32_t aSize = 0;
  if (std::fread(aId, 1, 4, aFile) != 4 || std::memcmp(aId, "RIFF", 4) != 0 || !ReadU32(aFile, &aSize) ||
      std::fread(aId, 1, 4, aFile) != 4 || std::memcmp(aId, "WAVE", 4) != 0) {
    return nullptr;
  }
  bool aHaveFormat = false;
  for (;;) {
    if (std::fread(aId, 1, 4, aFile) != 4 || !ReadU32(aFile, &aSize)) return nullptr;
    const long aStart = std::ftell(aFile);
    if (std::memcmp(aId, "fmt ", 4) == 0) {
      uint8_t aFormat[16];
      if (aSize < 16 || std::fread(aFormat, 1, 16, aFile) != 16) return nullptr;
      const int aTag = aFormat[0] | (aFormat[1] << 8);
      aStream->mChannels = aFormat[2] | (aFormat[3] << 8);
      aStream->mRate = aFormat[4] | (aFormat[5] << 8) | (aFormat[6] << 16) | (aFormat[7] << 24);
      const int aBits = aFormat[14] | (aFormat[15] << 8);
      if (aTag != 1 || aBits != 16 || aStream->mChannels < 1 || aStream->mChannels > 2 ||
          aStream->mRate <= 0) {
        *theError = BASS_ERROR_FORMAT;
        return nullptr;
      }
      aHaveFormat = true;
    } else if (std::memcmp(aId, "data", 4) == 0) {
      if (!aHaveFormat) return nullptr;
      const long aAvailable = aFileSize - aStart;
      const long aBytes = static_cast<long>(aSize) < aAvailable ? static_cast<long>(aSize) : aAvailable;
      aStream->mDataStart = aStart;
      aStream->mFrames = static_cast<uint64_t>(aBytes) / (aStream->mChannels * 2);
      return aStream;
    }
    if (aStart + static_cast<long>(aSize) > aFileSize || std::fseek(aFile, aStart + aSize, SEEK_SET) != 0) {
      return nullptr;
    }
  }
}

BassWavStream::~BassWavStream() {
  if (mFile != nullptr) std::fclose(mFile);
}

int BassWavStream::Read(int16_t* theOut, int theFrames) {
  const uint64_t aLeft = mFrames - mPosition;
  const int aFrames = static_cast<int>(aLeft < static_cast<uint64_t>(theFrames) ? aLeft : theFrames);
  if (aFrames <= 0) return 0;
  uint8_t* aBytes = reinterpret_cast<uint8_t*>(theOut);
  const size_t aRead =
      std::fread(aBytes, static_cast<size_t>(mChannels * 2), static_cast<size_t>(aFrames), mFile);
  // Samples are little-endian on disk; build them byte by byte.
  for (size_t i = 0; i < aRead * mChannels; ++i) {
    theOut[i] = static_cast<int16_t>(static_cast<uint16_t>(aBytes[i * 2] | (aBytes[i * 2 + 1] << 8)));
  }
  mPosition += aRead;
  return static_cast<int>(aRead);
}

bool BassWavStream::SeekFrame(uint64_t theFrame) {
  if (theFrame > mFrames) theFrame = mFrames;
  if (std::fseek(mFile, mDataStart + static_cast<long>(theFrame * mChannels * 2), SEEK_SET) != 0)
    return false;
  mPosition = theFrame;
  return true;
}

}  // namespace Tesk
