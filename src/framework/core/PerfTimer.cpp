#include "core/PerfTimer.h"

#include <atomic>

namespace Tesk {

namespace {
std::atomic<int64_t> gCPUSpeed{0};
}

void PerfTimer::CalcDuration() {
  const Duration aDuration = NanosecondsToDuration(AbsoluteDeltaToNanoseconds(UpTime(), mStart));
  // Short spans come back in microseconds, which keeps their fraction of a millisecond.
  mDuration = aDuration >= 0 ? static_cast<double>(aDuration) : aDuration / -1000.0;
}

void PerfTimer::Start() {
  mRunning = true;
  mStart = UpTime();
}

void PerfTimer::Stop() {
  if (mRunning) {
    CalcDuration();
    mRunning = false;
  }
}

double PerfTimer::GetDuration() {
  if (mRunning) CalcDuration();
  return mDuration;
}

int64_t PerfTimer::GetCPUSpeed() {
  if (gCPUSpeed == 0) {
    int32_t aRate = 0;
    if (Gestalt(gestaltProcClkSpeed, &aRate) != 0 || aRate <= 0) aRate = 1;
    gCPUSpeed = aRate;
  }
  return gCPUSpeed;
}

}  // namespace Tesk
