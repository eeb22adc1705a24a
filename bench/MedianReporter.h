// A console reporter that keeps one counter of every benchmark for the closing tables: the
// median of the repetitions when the run has them (--benchmark_repetitions), else the one run.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
 public:
  explicit MedianReporter(std::string theCounter) : mCounter(std::move(theCounter)) {}

  void ReportRuns(const std::vector<Run>& theRuns) override {
    for (const Run& r : theRuns) {
      auto anIt = r.counters.find(mCounter);
      if (anIt == r.counters.end() || r.error_occurred) continue;
      if (r.run_type == Run::RT_Aggregate) {
        if (r.aggregate_name == "median") mMedians[r.run_name.str()] = anIt->second;
      } else {
        mRuns[r.run_name.str()].push_back(anIt->second);
      }
    }
    ConsoleReporter::ReportRuns(theRuns);
  }

  // The value of theName's counter, or 0 when it did not run.
  double Value(const std::string& theName) const {
    auto aMedian = mMedians.find(theName);
    if (aMedian != mMedians.end()) return aMedian->second;
    auto aRuns = mRuns.find(theName);
    if (aRuns == mRuns.end() || aRuns->second.empty()) return 0;
    std::vector<double> v = aRuns->second;
    std::sort(v.begin(), v.end());
    return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  }

 private:
  std::string mCounter;
  std::map<std::string, double> mMedians;
  std::map<std::string, std::vector<double>> mRuns;
};
