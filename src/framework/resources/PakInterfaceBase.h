// The archive layer's interface: stdio-shaped reads over archive entries and plain files,
// and a Win32-shaped search. Every file reader of the framework goes through it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct PakRecord;
struct _WIN32_FIND_DATA;

// An open file: an archive record, or a plain stdio file when mPakRecord is null.
struct PFILE {
  PakRecord* mPakRecord = nullptr;
  int32_t mReadPos = 0;  // always within 0 .. the record's size
  FILE* mPlainFile = nullptr;
};

// An archive-aware search: archive records first, then the disk.
struct PFindData {
  void* mDiskSearch = nullptr;  // the platform search, null while records are listed
  std::string mLastFound;       // key of the last record returned
  std::string mPattern;         // the pattern after FixFileName
  std::string mDiskPattern;     // the caller's pattern, for the disk
};

class PakInterfaceBase {
 public:
  virtual PFILE* FOpen(const char* theFileName, const char* theAccess) = 0;
  virtual PFILE* FOpen(const wchar_t* theFileName, const wchar_t* theAccess);
  virtual int FClose(PFILE* theFile) = 0;
  virtual int FSeek(PFILE* theFile, int32_t theOffset, int theOrigin) = 0;
  virtual int FTell(PFILE* theFile) = 0;
  virtual int FRead(void* thePtr, int theElemSize, int theCount, PFILE* theFile) = 0;
  virtual int FGetC(PFILE* theFile) = 0;
  virtual int UnGetC(int theChar, PFILE* theFile) = 0;
  virtual char* FGetS(char* thePtr, int theSize, PFILE* theFile) = 0;
  virtual wchar_t* FGetS(wchar_t* thePtr, int theSize, PFILE* theFile);
  virtual int FEof(PFILE* theFile) = 0;
  virtual PFindData* FindFirstFile(const char* theFileName, _WIN32_FIND_DATA* theFindData) = 0;
  virtual bool FindNextFile(PFindData* theFindData, _WIN32_FIND_DATA* theData) = 0;
  virtual bool FindClose(PFindData* theFindData) = 0;

 protected:
  // Never deleted through the base: the interface lives for the whole process.
  ~PakInterfaceBase() = default;
};

// The current interface, null only while none exists.
extern PakInterfaceBase** gPakInterfaceP;
inline PakInterfaceBase* GetPakPtr() { return *gPakInterfaceP; }
