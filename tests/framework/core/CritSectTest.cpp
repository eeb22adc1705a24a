#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/AutoCrit.h"
#include "core/HTTPTransfer.h"
#include "core/Ratio.h"
#include "core/TeskAllocMap.h"

using namespace Tesk;

TEST(CritSect, IsReentrantAndExcludesOtherThreads) {
  CritSect aLock;
  int aCounter = 0;
  std::vector<std::thread> aThreads;
  for (int t = 0; t < 4; ++t) {
    aThreads.emplace_back([&] {
      for (int i = 0; i < 2000; ++i) {
        AutoCrit anOuter(aLock);
        AutoCrit anInner(aLock);  // the same thread takes it again
        ++aCounter;
      }
    });
  }
  for (std::thread& aThread : aThreads) aThread.join();
  EXPECT_EQ(aCounter, 8000);
}

TEST(Ratio, ReducesByTheGreatestCommonDivisor) {
  struct Case {
    int num, den, rn, rd;
  };
  const Case kCases[] = {{640, 480, 4, 3}, {1280, 720, 16, 9}, {0, 5, 0, 1}, {7, 0, 1, 0}, {5, 5, 1, 1}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.num << "/" << c.den);
    Ratio aRatio;
    aRatio.Set(c.num, c.den);
    EXPECT_EQ(aRatio.mNumerator, c.rn);
    EXPECT_EQ(aRatio.mDenominator, c.rd);
  }
  Ratio aDefault;
  EXPECT_EQ(aDefault, Ratio(1, 1));
  aDefault.Set(0, 0);  // no divisor: unchanged
  EXPECT_EQ(aDefault, Ratio(1, 1));
}

TEST(HTTPTransfer, TakesIncreasingIdsAndAbortsAtOnce) {
  HTTPTransfer aFirst;
  HTTPTransfer aSecond;
  EXPECT_EQ(aSecond.mTransferId, aFirst.mTransferId + 1);
  EXPECT_EQ(aFirst.mResult, 1);
  EXPECT_TRUE(aFirst.mURL.empty());
  aFirst.Abort();
  EXPECT_TRUE(aFirst.mAborted);
  EXPECT_TRUE(aFirst.mExiting);
}

TEST(TeskAllocMap, LeakReportListsEveryBlockAndTheTotal) {
  EXPECT_TRUE(gTeskAllocMapValid);
  TeskDumpUnfreed();  // no report file: nothing happens
  gLeakReportFile = std::tmpfile();
  ASSERT_NE(gLeakReportFile, nullptr);
  int aBlocks[2];
  gTeskAllocMap.mRecords[&aBlocks[0]] = {12, "Image.cpp", 40};
  gTeskAllocMap.mRecords[&aBlocks[1]] = {1, "Font.cpp", 7};
  TeskDumpUnfreed();
  gTeskAllocMap.mRecords.clear();
  std::rewind(gLeakReportFile);
  std::string aReport;
  char aChunk[256];
  while (size_t aRead = std::fread(aChunk, 1, sizeof(aChunk), gLeakReportFile)) aReport.append(aChunk, aRead);
  std::fclose(gLeakReportFile);
  gLeakReportFile = nullptr;
  EXPECT_EQ(aReport.rfind("Memory Leak Report for ", 0), 0u);
  // Blocks are listed by address.
  const std::string aLines = "Image.cpp(40) : Leak 12 bytes\nFont.cpp(7) : Leak 1 byte\n" +
                             std::string(59, '-') + "\nTotal Unfreed: 13 bytes\n\n";
  EXPECT_NE(aReport.find(aLines), std::string::npos) << aReport;
}
