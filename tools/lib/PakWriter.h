// Writes archives in the layout the archive reader maps: masked header, directory, data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

class PakWriter {
 public:
  struct Entry {
    std::string mName;  // stored as given: components separated by backslashes
    std::string mData;
    uint64_t mFileTime = 0;
  };

  // Adds an entry; false (nothing added) when the name is longer than 255 bytes.
  bool Add(const std::string& theName, const std::string& theData, uint64_t theFileTime = 0);

  // Adds every regular file under theFolder, in name order, with backslash-separated names
  // relative to it; files whose name ends in one of theSkipExtensions (compared without case)
  // are left out. False when the folder cannot be read or a name is too long.
  bool AddFolder(const std::string& theFolder, const std::vector<std::string>& theSkipExtensions = {});

  // The whole archive, every byte masked.
  std::string Bytes() const;
  bool WriteFile(const std::string& thePath) const;

  const std::vector<Entry>& GetEntries() const { return mEntries; }

  // The unmasked header and directory of an archive holding theEntries; tests build damaged
  // archives from it.
  static std::string PlainDirectory(const std::vector<Entry>& theEntries);
  static std::string Mask(const std::string& thePlain);

 private:
  std::vector<Entry> mEntries;
};

}  // namespace TeskTools
