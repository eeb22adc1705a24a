// A packed data file: entries found by name, each stored deflated (zlib) and handed out
// unpacked. The image readers read PNG and JPEG files from one while `archBase` is set.
//
// Layout, little-endian, field by field:
//   u32 magic 0x4B504653 ("SFPK" in the file)
//   u32 entry count
//   per entry: u32 packed size, u32 unpacked size, u32 offset of the packed bytes from the
//              start of the file, u16 name length, the name (slashes, any case, no NUL)
//   the packed bytes of the entries, wherever their offsets say.
// An entry whose bytes lie past the end of the file, that is empty, or whose unpacked size
// would not fit the output buffer (OutputCapacity) is not registered; a directory that
// ends early makes Open fail.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class SFOperator {
 public:
  static constexpr uint32_t k_Magic = 0x4B504653;

  struct Binary {
    uint32_t mPackedSize = 0;
    uint32_t mUnpackedSize = 0;
    uint32_t mOffset = 0;
    std::string mName;
  };

  SFOperator() = default;
  SFOperator(const SFOperator&) = delete;
  SFOperator& operator=(const SFOperator&) = delete;
  ~SFOperator();

  // Opens the file and reads its directory; false with the reason in GetLastError.
  bool Open(const std::string& theFileName);
  void Close();

  // The entry named theName ('\' taken as '/', case ignored; the last of equal names wins),
  // unpacked into theData, its unpacked size in theSize. False, with theData empty, when
  // nothing matched or the entry could not be read.
  bool GetBinaryByName(std::unique_ptr<uint8_t[]>& theData, int32_t& theSize, const std::string& theName);

  // Reads thePackedSize bytes at theOffset and unpacks them into a new buffer of
  // OutputCapacity(thePackedSize) bytes, never past it; theUnpackedSize gets the bytes made.
  bool ReadBinaryFromStreamPos(std::unique_ptr<uint8_t[]>& theData, uint32_t thePackedSize,
                               uint32_t theOffset, uint32_t& theUnpackedSize);

  // min(50 x packed size, 1,024,000) bytes.
  static uint32_t OutputCapacity(uint32_t thePackedSize);

  const std::string& GetLastError() const { return mLastError; }
  const std::vector<Binary>& GetBinaries() const { return mBinaries; }

 private:
  bool ReadDirectory();

  FILE* mFile = nullptr;
  int64_t mFileSize = 0;
  std::string mLastError;
  std::vector<Binary> mBinaries;
};

// The packed data the PNG and JPEG readers read from instead of the archive while set.
// Nothing in the program sets it.
extern SFOperator* archBase;
