// A profiler of named sections. While on, StartTiming/StopTiming bracket
// sections; records are collated per name (compared without case) and
// GetResults reports milliseconds. Main thread only.
#pragma once

#include <string>

namespace Tesk {

class TeskPerf {
 public:
  static bool IsPerfOn();
  // Clears earlier results; with measurePerfOverhead the profiler stays off.
  static void BeginPerf(bool measurePerfOverhead = false);
  static void EndPerf();
  // theName must outlive the profiling run (a literal).
  static void StartTiming(const char* theName);
  static void StopTiming(const char* theName);
  static std::string GetResults();
};

}  // namespace Tesk
