// Bookkeeping for a leak report: live blocks by address, with where they came
// from. Nothing in this program adds blocks, and no report file is opened, so
// the report is only written when a caller supplies both.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "core/CritSect.h"

namespace Tesk {

struct TeskAllocRecord {
  uint32_t mSize = 0;
  std::string mFile;
  int mLine = 0;
};

class TeskAllocMap {
 public:
  TeskAllocMap();
  // Writes the leak report when gShowLeaks is set.
  ~TeskAllocMap();

  CritSect mCritSect;
  std::map<const void*, TeskAllocRecord> mRecords;
};

extern TeskAllocMap gTeskAllocMap;
extern bool gTeskAllocMapValid;
extern bool gShowLeaks;
// Where the leak report goes; none by default.
extern std::FILE* gLeakReportFile;

// Lists every block still in gTeskAllocMap in gLeakReportFile.
void TeskDumpUnfreed();

}  // namespace Tesk
