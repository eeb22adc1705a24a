// Folder search shaped like the Win32 one: FindFirstFile/FindNextFile/FindClose
// over a CFileFind that lists one folder and filters names with a simple
// wildcard ('*' runs up to the next pattern character; case is ignored).
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/FileManager.h"

typedef void* HANDLE;

const uint32_t FILE_ATTRIBUTE_DIRECTORY = 16;

struct _WIN32_FIND_DATA {
  uint32_t dwFileAttributes = 0;  // FILE_ATTRIBUTE_DIRECTORY or 0
  uint32_t dwReserved[3] = {};    // cleared by the archive search
  uint32_t nFileSizeLow = 0;      // an archive entry's size, from the archive search
  char cFileName[NAME_MAX + 1] = {};
};
typedef _WIN32_FIND_DATA WIN32_FIND_DATA;

namespace Tesk {

class CFileFind {
 public:
  // Lists the folder part of thePath (the working folder when there is none)
  // and keeps the rest as the pattern. False when the folder cannot be listed.
  bool FindFile(const char* thePath);
  // Looks at the next entry; true when it matches the pattern.
  bool FindNextFile();
  bool IsDone() const { return mIndex >= static_cast<int64_t>(mItemCount); }
  bool IsDirectory() const { return mIsDirectory; }
  void GetFileName(char* theBuffer) const;
  const std::string& GetFileName() const { return mFileName; }

  static bool MatchesWildcard(const char* theName, const char* thePattern);

  int64_t mIndex = 0;
  std::vector<FSRef> mItems;
  uint32_t mItemCount = 0;
  std::string mFileName;
  std::string mWildcard;
  bool mIsDirectory = false;
};

}  // namespace Tesk

// Lists a folder's entries, asking the File Manager for 10 at a time.
OSErr FSGetDirectoryItems(const FSRef* theContainer, std::vector<FSRef>* theItems, uint32_t* theCount,
                          bool* theChanged);

// Null when the folder cannot be listed or nothing matches.
HANDLE FindFirstFile(const char* thePath, WIN32_FIND_DATA* theData);
bool FindNextFile(HANDLE theHandle, WIN32_FIND_DATA* theData);
// Always false, as callers expect.
bool FindClose(HANDLE theHandle);
