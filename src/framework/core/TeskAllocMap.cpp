#include "core/TeskAllocMap.h"

#include <ctime>

#include "core/AutoCrit.h"

namespace Tesk {

bool gTeskAllocMapValid = false;
bool gShowLeaks = false;
std::FILE* gLeakReportFile = nullptr;
TeskAllocMap gTeskAllocMap;

TeskAllocMap::TeskAllocMap() { gTeskAllocMapValid = true; }

TeskAllocMap::~TeskAllocMap() {
  if (gShowLeaks) TeskDumpUnfreed();
  gTeskAllocMapValid = false;
}

void TeskDumpUnfreed() {
  if (gLeakReportFile == nullptr || !gTeskAllocMapValid) return;
  AutoCrit aLock(gTeskAllocMap.mCritSect);
  const std::time_t aNow = std::time(nullptr);
  std::fprintf(gLeakReportFile, "Memory Leak Report for %s\n", std::asctime(std::localtime(&aNow)));
  uint64_t aTotal = 0;
  for (const auto& anEntry : gTeskAllocMap.mRecords) {
    const TeskAllocRecord& aRecord = anEntry.second;
    std::fprintf(gLeakReportFile, "%s(%d) : Leak %d byte%s\n", aRecord.mFile.c_str(), aRecord.mLine,
                 static_cast<int>(aRecord.mSize), aRecord.mSize > 1 ? "s" : "");
    aTotal += aRecord.mSize;
  }
  std::fprintf(gLeakReportFile, "-----------------------------------------------------------\n");
  std::fprintf(gLeakReportFile, "Total Unfreed: %d bytes\n\n", static_cast<int>(aTotal));
  std::fflush(gLeakReportFile);
}

}  // namespace Tesk
