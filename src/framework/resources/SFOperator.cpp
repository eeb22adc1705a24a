#include "resources/SFOperator.h"

#include <strings.h>
#include <zlib.h>

#include <algorithm>
#include <new>

SFOperator* archBase = nullptr;

namespace {

constexpr uint32_t k_MaxOutput = 1024000;
constexpr size_t k_FixedEntryBytes = 14;

bool ReadLe(FILE* theFile, uint32_t& theValue, int theBytes) {
  uint8_t aBytes[4];
  if (fread(aBytes, 1, static_cast<size_t>(theBytes), theFile) != static_cast<size_t>(theBytes)) return false;
  theValue = 0;
  for (int i = theBytes - 1; i >= 0; --i) theValue = theValue << 8 | aBytes[i];
  return true;
}

}  // namespace

SFOperator::~SFOperator() { Close(); }

uint32_t SFOperator::OutputCapacity(uint32_t thePackedSize) {
  return static_cast<uint32_t>(std::min<uint64_t>(uint64_t{50} * thePackedSize, k_MaxOutput));
}

bool SFOperator::Open(const std::string& theFileName) {
  Close();
  mFile = fopen(theFileName.c_str(), "rb");
  if (mFile == nullptr) {
    mLastError = "Error opening file";
    return false;
  }
  if (fseek(mFile, 0, SEEK_END) != 0 || (mFileSize = ftell(mFile)) < 0 || fseek(mFile, 0, SEEK_SET) != 0 ||
      !ReadDirectory()) {
    Close();
    mLastError = "Error reading directory";
    return false;
  }
  return true;
}

void SFOperator::Close() {
  if (mFile != nullptr) fclose(mFile);
  mFile = nullptr;
  mFileSize = 0;
  mBinaries.clear();
}

bool SFOperator::ReadDirectory() {
  uint32_t aMagic, aCount;
  if (!ReadLe(mFile, aMagic, 4) || aMagic != k_Magic || !ReadLe(mFile, aCount, 4)) return false;
  // Every entry takes at least its fixed fields, so a count the file cannot hold is a lie.
  if (aCount > static_cast<uint64_t>(mFileSize - 8) / k_FixedEntryBytes) return false;
  for (uint32_t i = 0; i < aCount; ++i) {
    Binary aBinary;
    uint32_t aNameLength;
    if (!ReadLe(mFile, aBinary.mPackedSize, 4) || !ReadLe(mFile, aBinary.mUnpackedSize, 4) ||
        !ReadLe(mFile, aBinary.mOffset, 4) || !ReadLe(mFile, aNameLength, 2))
      return false;
    aBinary.mName.resize(aNameLength);
    if (fread(&aBinary.mName[0], 1, aNameLength, mFile) != aNameLength) return false;
    const bool anInFile = aBinary.mPackedSize > 0 &&
                          uint64_t{aBinary.mOffset} + aBinary.mPackedSize <= static_cast<uint64_t>(mFileSize);
    if (anInFile && aBinary.mUnpackedSize <= OutputCapacity(aBinary.mPackedSize) && aNameLength > 0)
      mBinaries.push_back(std::move(aBinary));
  }
  return true;
}

bool SFOperator::GetBinaryByName(std::unique_ptr<uint8_t[]>& theData, int32_t& theSize,
                                 const std::string& theName) {
  theData.reset();
  std::string aName = theName;
  std::replace(aName.begin(), aName.end(), '\\', '/');
  const Binary* aFound = nullptr;
  for (const Binary& aBinary : mBinaries)
    if (strcasecmp(aBinary.mName.c_str(), aName.c_str()) == 0) aFound = &aBinary;
  if (aFound == nullptr) return false;
  uint32_t anUnpacked = 0;
  if (!ReadBinaryFromStreamPos(theData, aFound->mPackedSize, aFound->mOffset, anUnpacked)) return false;
  // The directory is what callers size their reads by; bytes that disagree with it are damage.
  if (anUnpacked != aFound->mUnpackedSize) {
    theData.reset();
    mLastError = "Error unpacking data";
    return false;
  }
  theSize = static_cast<int32_t>(anUnpacked);
  return true;
}

bool SFOperator::ReadBinaryFromStreamPos(std::unique_ptr<uint8_t[]>& theData, uint32_t thePackedSize,
                                         uint32_t theOffset, uint32_t& theUnpackedSize) {
  theData.reset();
  theUnpackedSize = 0;
  if (mFile == nullptr || thePackedSize == 0 ||
      uint64_t{theOffset} + thePackedSize > static_cast<uint64_t>(mFileSize)) {
    mLastError = "Error reading data";
    return false;
  }
  const uint32_t aCapacity = OutputCapacity(thePackedSize);
  std::unique_ptr<uint8_t[]> aPacked(new (std::nothrow) uint8_t[thePackedSize]);
  std::unique_ptr<uint8_t[]> anOutput(new (std::nothrow) uint8_t[aCapacity]);
  if (aPacked == nullptr || anOutput == nullptr) {
    mLastError = "Memory allocation error";
    return false;
  }
  if (fseek(mFile, static_cast<long>(theOffset), SEEK_SET) != 0 ||
      fread(aPacked.get(), 1, thePackedSize, mFile) != thePackedSize) {
    mLastError = "Error reading data";
    return false;
  }
  uLongf anOutLength = aCapacity;
  if (uncompress(anOutput.get(), &anOutLength, aPacked.get(), thePackedSize) != Z_OK) {
    mLastError = "Error unpacking data";
    return false;
  }
  theUnpackedSize = static_cast<uint32_t>(anOutLength);
  theData = std::move(anOutput);
  return true;
}
