#include "platform/coreservices/CoreServices.h"

#include <sys/utsname.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/coreservices/backend/MonotonicClock.h"

namespace {

MonotonicClock& SystemClock() {
  static MonotonicClock sClock;
  return sClock;
}

std::atomic<Clock*> sClock{nullptr};

int32_t ProcessorClockRate() {
  std::FILE* aFile = std::fopen("/proc/cpuinfo", "r");
  if (aFile == nullptr) return 0;
  char aLine[256];
  double aMHz = 0;
  while (std::fgets(aLine, sizeof(aLine), aFile) != nullptr) {
    if (std::strncmp(aLine, "cpu MHz", 7) == 0) {
      const char* aColon = std::strchr(aLine, ':');
      if (aColon != nullptr) aMHz = std::atof(aColon + 1);
      break;
    }
  }
  std::fclose(aFile);
  double aHz = aMHz * 1e6;
  if (aHz > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(aHz);
}

int32_t KernelVersion() {
  utsname aName;
  if (uname(&aName) != 0) return 0;
  int aMajor = 0, aMinor = 0, aPatch = 0;
  std::sscanf(aName.release, "%d.%d.%d", &aMajor, &aMinor, &aPatch);
  auto aDigit = [](int theValue, int theMax) { return theValue > theMax ? theMax : theValue; };
  return (aDigit(aMajor, 99) / 10 << 12) | (aDigit(aMajor, 99) % 10 << 8) | (aDigit(aMinor, 15) << 4) |
         aDigit(aPatch, 15);
}

}  // namespace

Clock& CoreServicesClock() {
  Clock* aClock = sClock.load();
  return aClock != nullptr ? *aClock : SystemClock();
}

void SetCoreServicesClock(Clock* theClock) { sClock.store(theClock); }

AbsoluteTime UpTime() { return CoreServicesClock().Now(); }

Nanoseconds AbsoluteToNanoseconds(AbsoluteTime theTime) { return theTime; }

Nanoseconds AbsoluteDeltaToNanoseconds(AbsoluteTime theLeft, AbsoluteTime theRight) {
  return theLeft > theRight ? theLeft - theRight : 0;
}

Duration NanosecondsToDuration(Nanoseconds theTime) {
  const Nanoseconds aMicros = theTime / 1000;
  if (aMicros <= 0x7FFFFFFF) return -static_cast<Duration>(aMicros);
  const Nanoseconds aMillis = theTime / 1000000;
  return aMillis <= 0x7FFFFFFF ? static_cast<Duration>(aMillis) : 0x7FFFFFFF;
}

AbsoluteTime AddDurationToAbsolute(Duration theDuration, AbsoluteTime theTime) {
  if (theDuration >= 0) return theTime + static_cast<AbsoluteTime>(theDuration) * 1000000;
  const AbsoluteTime aNanos = static_cast<AbsoluteTime>(-static_cast<int64_t>(theDuration)) * 1000;
  return theTime + aNanos;
}

OSErr Gestalt(OSType theSelector, int32_t* theResponse) {
  if (theResponse == nullptr) return gestaltUndefSelectorErr;
  if (theSelector == gestaltProcClkSpeed) {
    *theResponse = ProcessorClockRate();
    return 0;
  }
  if (theSelector == gestaltSystemVersion) {
    *theResponse = KernelVersion();
    return 0;
  }
  return gestaltUndefSelectorErr;
}
