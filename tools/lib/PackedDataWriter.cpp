#include "PackedDataWriter.h"

#include <zlib.h>

#include <cstdio>

#include "resources/SFOperator.h"

namespace TeskTools {

namespace {

void PutLe(std::string& theOut, uint32_t theValue, int theBytes) {
  for (int i = 0; i < theBytes; ++i) theOut.push_back(static_cast<char>(theValue >> (8 * i) & 0xFF));
}

constexpr size_t k_HeaderBytes = 8;
constexpr size_t k_FixedRecordBytes = 14;

}  // namespace

bool PackedDataWriter::Add(const std::string& theName, const std::string& theData) {
  if (theName.empty() || theName.size() > 0xFFFF || theData.size() > UINT32_MAX) return false;
  uLongf aLength = compressBound(theData.size());
  std::string aPacked(aLength, '\0');
  if (compress2(reinterpret_cast<Bytef*>(&aPacked[0]), &aLength,
                reinterpret_cast<const Bytef*>(theData.data()), theData.size(), Z_BEST_COMPRESSION) != Z_OK)
    return false;
  aPacked.resize(aLength);
  if (theData.size() > SFOperator::OutputCapacity(static_cast<uint32_t>(aPacked.size()))) return false;
  mEntries.push_back({theName, std::move(aPacked), static_cast<uint32_t>(theData.size())});
  return true;
}

void PackedDataWriter::AddRaw(const std::string& theName, const std::string& thePacked,
                              uint32_t theUnpackedSize) {
  mEntries.push_back({theName, thePacked, theUnpackedSize});
}

size_t PackedDataWriter::DirectoryRecordOffset(size_t theIndex) const {
  size_t anOffset = k_HeaderBytes;
  for (size_t i = 0; i < theIndex && i < mEntries.size(); ++i)
    anOffset += k_FixedRecordBytes + mEntries[i].mName.size();
  return anOffset;
}

std::string PackedDataWriter::Bytes() const {
  std::string anOut;
  PutLe(anOut, SFOperator::k_Magic, 4);
  PutLe(anOut, static_cast<uint32_t>(mEntries.size()), 4);
  uint32_t aDataOffset = static_cast<uint32_t>(DirectoryRecordOffset(mEntries.size()));
  for (const Entry& anEntry : mEntries) {
    PutLe(anOut, static_cast<uint32_t>(anEntry.mPacked.size()), 4);
    PutLe(anOut, anEntry.mUnpackedSize, 4);
    PutLe(anOut, aDataOffset, 4);
    PutLe(anOut, static_cast<uint32_t>(anEntry.mName.size()), 2);
    anOut += anEntry.mName;
    aDataOffset += static_cast<uint32_t>(anEntry.mPacked.size());
  }
  for (const Entry& anEntry : mEntries) anOut += anEntry.mPacked;
  return anOut;
}

bool PackedDataWriter::WriteFile(const std::string& thePath) const {
  const std::string aBytes = Bytes();
  FILE* aFile = fopen(thePath.c_str(), "wb");
  if (aFile == nullptr) return false;
  const bool aWritten = fwrite(aBytes.data(), 1, aBytes.size(), aFile) == aBytes.size();
  return fclose(aFile) == 0 && aWritten;
}

}  // namespace TeskTools
