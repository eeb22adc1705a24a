// Registers arbitrary bytes as an archive and reads every record it accepted.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/PakInterface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static const std::string sPath = "/tmp/fuzz_pak_" + std::to_string(getpid()) + ".pak";
  FILE* aFile = fopen(sPath.c_str(), "wb");
  if (aFile == nullptr) return 0;
  fwrite(theData, 1, theSize, aFile);
  fclose(aFile);

  PakInterface aPak;
  aPak.AddPakFile(sPath);
  std::vector<char> aBuf;
  for (const auto& aRecord : aPak.mRecords) {
    PFILE* aHandle = aPak.FOpen(aRecord.first.c_str(), "rb");
    if (aHandle == nullptr) continue;
    aBuf.resize(static_cast<size_t>(aRecord.second.mDataSize) + 1);
    aPak.FRead(aBuf.data(), 1, aRecord.second.mDataSize + 1, aHandle);
    aPak.FSeek(aHandle, -3, SEEK_END);
    while (aPak.FGetC(aHandle) >= 0) {
    }
    char aLine[8];
    aPak.FSeek(aHandle, 0, SEEK_SET);
    while (aPak.FGetS(aLine, sizeof(aLine), aHandle) != nullptr) {
    }
    aPak.FClose(aHandle);
  }
  return 0;
}
