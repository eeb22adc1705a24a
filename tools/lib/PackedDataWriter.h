// Writes packed data files in the layout SFOperator reads (see resources/SFOperator.h):
// magic, entry count, directory, then each entry's bytes deflated with zlib.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

class PackedDataWriter {
 public:
  struct Entry {
    std::string mName;
    std::string mPacked;  // zlib stream
    uint32_t mUnpackedSize = 0;
  };

  // Deflates theData and adds it; false (nothing added) when the name is empty or longer
  // than 65535 bytes, or the data would not unpack into the reader's output buffer.
  bool Add(const std::string& theName, const std::string& theData);

  // Adds already packed bytes and the unpacked size to record, unchecked; tests build
  // damaged files with it.
  void AddRaw(const std::string& theName, const std::string& thePacked, uint32_t theUnpackedSize);

  // The whole file: directory first, entries' bytes after it in the order added.
  std::string Bytes() const;
  bool WriteFile(const std::string& thePath) const;

  // Offset of entry theIndex's directory record in Bytes(); tests damage fields through it.
  size_t DirectoryRecordOffset(size_t theIndex) const;

  const std::vector<Entry>& GetEntries() const { return mEntries; }

 private:
  std::vector<Entry> mEntries;
};

}  // namespace TeskTools
