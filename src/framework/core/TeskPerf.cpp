#include "core/TeskPerf.h"

#include <strings.h>

#include <set>
#include <vector>

#include "core/Common.h"
#include "platform/coreservices/CoreServices.h"

namespace Tesk {

namespace {

// Counters are nanoseconds of up time, so the rate that turns them into seconds is 1e9.
const double kCounterRate = 1e9;

struct PerfRecord {
  const char* mName;
  int64_t mTime;
  bool mStart;
};

struct PerfInfo {
  const char* mPerfName;
  mutable int64_t mStartTime = 0;
  mutable int64_t mDuration = 0;
  mutable double mMillisecondDuration = 0;
  mutable double mLongestCall = 0;
  mutable int mStackCount = 0;
  mutable int mCallCount = 0;

  bool operator<(const PerfInfo& theOther) const { return strcasecmp(mPerfName, theOther.mPerfName) < 0; }
};

bool gPerfOn = false;
std::set<PerfInfo> gPerfInfoSet;
std::vector<PerfRecord> gPerfRecordVector;
size_t gPerfRecordTop = 0;
int gStartCount = 0;
int64_t gStartTime = 0;
int64_t gCollateTime = 0;
double gDuration = 0;

int64_t Now() { return static_cast<int64_t>(AbsoluteToNanoseconds(UpTime())); }

void PushRecord(const char* theName, bool isStart) {
  PerfRecord aRecord{theName, Now(), isStart};
  if (gPerfRecordTop < gPerfRecordVector.size())
    gPerfRecordVector[gPerfRecordTop] = aRecord;
  else
    gPerfRecordVector.push_back(aRecord);
  ++gPerfRecordTop;
}

void Feed(const PerfRecord& theRecord) {
  PerfInfo aKey;
  aKey.mPerfName = theRecord.mName;
  if (theRecord.mStart) {
    const PerfInfo& anInfo = *gPerfInfoSet.insert(aKey).first;
    ++anInfo.mCallCount;
    if (++anInfo.mStackCount == 1) anInfo.mStartTime = theRecord.mTime;
    return;
  }
  auto anIt = gPerfInfoSet.find(aKey);
  // A stop with nothing open is ignored rather than unbalancing later calls.
  if (anIt == gPerfInfoSet.end() || anIt->mStackCount == 0) return;
  if (--anIt->mStackCount == 0) {
    const int64_t anElapsed = theRecord.mTime - anIt->mStartTime;
    anIt->mDuration += anElapsed;
    if (anElapsed > anIt->mLongestCall) anIt->mLongestCall = static_cast<double>(anElapsed);
  }
}

void Collate() {
  const int64_t aStart = Now();
  for (size_t i = 0; i < gPerfRecordTop; ++i) Feed(gPerfRecordVector[i]);
  gPerfRecordTop = 0;
  gCollateTime += Now() - aStart;
}

}  // namespace

bool TeskPerf::IsPerfOn() { return gPerfOn; }

void TeskPerf::BeginPerf(bool measurePerfOverhead) {
  gPerfInfoSet.clear();
  gPerfRecordTop = 0;
  gStartCount = 0;
  gCollateTime = 0;
  if (!measurePerfOverhead) gPerfOn = true;
  gStartTime = Now();
}

void TeskPerf::EndPerf() {
  const int64_t anEnd = Now();
  Collate();
  gPerfOn = false;
  gDuration = static_cast<double>(anEnd - gStartTime - gCollateTime) * 1000.0 / kCounterRate;
  for (const PerfInfo& anInfo : gPerfInfoSet) {
    anInfo.mMillisecondDuration = static_cast<double>(anInfo.mDuration) * 1000.0 / kCounterRate;
    anInfo.mLongestCall = anInfo.mLongestCall * 1000.0 / kCounterRate;
  }
}

void TeskPerf::StartTiming(const char* theName) {
  if (!gPerfOn) return;
  ++gStartCount;
  PushRecord(theName, true);
}

void TeskPerf::StopTiming(const char* theName) {
  if (!gPerfOn) return;
  PushRecord(theName, false);
  if (--gStartCount == 0) Collate();
}

std::string TeskPerf::GetResults() {
  std::string aResult = StrFormat("Total Time: %.2f\n", gDuration);
  for (const PerfInfo& anInfo : gPerfInfoSet) {
    const double aShare = gDuration > 0 ? 100.0 * anInfo.mMillisecondDuration / gDuration : 0.0;
    const double anAverage = anInfo.mCallCount > 0 ? anInfo.mMillisecondDuration / anInfo.mCallCount : 0.0;
    aResult +=
        StrFormat("%s (%d calls, %%%.2f time): %.2f (%.2f avg, %.2f longest)\n", anInfo.mPerfName,
                  anInfo.mCallCount, aShare, anInfo.mMillisecondDuration, anAverage, anInfo.mLongestCall);
  }
  return aResult;
}

}  // namespace Tesk
