// Masked archives mapped whole into memory, with plain files on disk behind them.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>

#include "resources/PakInterfaceBase.h"

// One registered archive file; its descriptor and mapping stay for the life of the process.
struct PakCollection {
  int mFileDesc = -1;
  void* mMapHandle = nullptr;  // unused on this platform
  const uint8_t* mMappedData = nullptr;
  int32_t mMappedSize = 0;
};

// One reachable name.
struct PakRecord {
  PakCollection* mCollection = nullptr;
  std::string mFileName;  // as stored, in its stored case
  uint64_t mFileTime = 0;
  int32_t mDataOffset = 0;  // from the start of the archive file
  int32_t mDataSize = 0;
};

class PakInterface : public PakInterfaceBase {
 public:
  // Every byte of an archive is stored XOR-ed with this.
  static constexpr uint8_t k_Mask = 0x3B;
  static constexpr uint32_t k_Magic = 0xBAC04AC0;
  static constexpr uint32_t k_Version = 0;

  PakInterface();
  PakInterface(const PakInterface&) = delete;
  PakInterface& operator=(const PakInterface&) = delete;
  virtual ~PakInterface();

  // Maps and registers one archive; true when its directory was read.
  bool AddPakFile(const std::string& theFileName);

  using PakInterfaceBase::FGetS;
  using PakInterfaceBase::FOpen;
  PFILE* FOpen(const char* theFileName, const char* theAccess) override;
  int FClose(PFILE* theFile) override;
  int FSeek(PFILE* theFile, int32_t theOffset, int theOrigin) override;
  int FTell(PFILE* theFile) override;
  int FRead(void* thePtr, int theElemSize, int theCount, PFILE* theFile) override;
  int FGetC(PFILE* theFile) override;
  int UnGetC(int theChar, PFILE* theFile) override;
  char* FGetS(char* thePtr, int theSize, PFILE* theFile) override;
  int FEof(PFILE* theFile) override;
  PFindData* FindFirstFile(const char* theFileName, _WIN32_FIND_DATA* theFindData) override;
  bool FindNextFile(PFindData* theFindData, _WIN32_FIND_DATA* theData) override;
  bool FindClose(PFindData* theFindData) override;

  // The lookup form of a name: separators folded to one backslash, ".." components
  // resolved, letters upper-cased.
  static std::string FixFileName(const char* theFileName);
  // a..z to A..Z, every other byte unchanged.
  static std::string StringToUpper(const std::string& theString);

  std::list<PakCollection> mCollections;  // records point into it: elements never move
  std::map<std::string, PakRecord> mRecords;

 private:
  bool PFindNext(PFindData* theFindData, _WIN32_FIND_DATA* theData);
  bool StartDiskSearch(PFindData* theFindData, _WIN32_FIND_DATA* theData);
};

// The process's archive interface, created before the program's entry runs, never destroyed.
extern PakInterface* gPakInterface;

// Start-up registration of the game's archive, relative to the working folder (or the resources
// folder); the program runs from loose files when it is missing.
inline bool AddMainPak() { return gPakInterface->AddPakFile("main.pak"); }
