// Opening and reading every entry of a generated archive of a few thousand files, against
// reading the same files loose from disk with stdio; and unmasking against a plain copy.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "PakWriter.h"
#include "resources/PakInterface.h"

namespace {

const int k_FileCount = 3000;

struct Fixture {
  std::string mDir;
  std::vector<std::string> mNames;  // relative, slash-separated
  PakInterface mPak;

  Fixture() {
    mDir = (std::filesystem::temp_directory_path() / ("tesk-bench-pak-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(mDir + "/loose");
    TeskTools::PakWriter aWriter;
    for (int i = 0; i < k_FileCount; ++i) {
      std::string aSub = "d" + std::to_string(i % 30);
      std::filesystem::create_directories(mDir + "/loose/" + aSub);
      std::string aName = aSub + "/file" + std::to_string(i) + ".bin";
      // Sizes from 200 bytes to about 16 KiB, like small images and sounds.
      std::string aData(200 + (i * 7919) % 16000, static_cast<char>(i));
      FILE* aFile = fopen((mDir + "/loose/" + aName).c_str(), "wb");
      fwrite(aData.data(), 1, aData.size(), aFile);
      fclose(aFile);
      std::string aStored = aName;
      for (char& c : aStored)
        if (c == '/') c = '\\';
      aWriter.Add(aStored, aData);
      mNames.push_back(aName);
    }
    aWriter.WriteFile(mDir + "/main.pak");
    mPak.AddPakFile(mDir + "/main.pak");
  }
  ~Fixture() { std::filesystem::remove_all(mDir); }
};

Fixture& GetFixture() {
  static Fixture sFixture;
  return sFixture;
}

void BM_ArchiveOpenReadAll(benchmark::State& theState) {
  Fixture& aFix = GetFixture();
  std::vector<char> aBuf(1 << 16);
  size_t aBytes = 0;
  for (auto _ : theState) {
    for (const std::string& aName : aFix.mNames) {
      PFILE* aFile = aFix.mPak.FOpen(aName.c_str(), "rb");
      int aCount = aFix.mPak.FRead(aBuf.data(), 1, static_cast<int>(aBuf.size()), aFile);
      aBytes += static_cast<size_t>(aCount);
      benchmark::DoNotOptimize(aBuf.data());
      aFix.mPak.FClose(aFile);
    }
  }
  theState.SetBytesProcessed(static_cast<int64_t>(aBytes));
}
BENCHMARK(BM_ArchiveOpenReadAll)->Unit(benchmark::kMillisecond);

void BM_LooseStdioOpenReadAll(benchmark::State& theState) {
  Fixture& aFix = GetFixture();
  std::vector<char> aBuf(1 << 16);
  size_t aBytes = 0;
  for (auto _ : theState) {
    for (const std::string& aName : aFix.mNames) {
      FILE* aFile = fopen((aFix.mDir + "/loose/" + aName).c_str(), "rb");
      aBytes += fread(aBuf.data(), 1, aBuf.size(), aFile);
      benchmark::DoNotOptimize(aBuf.data());
      fclose(aFile);
    }
  }
  theState.SetBytesProcessed(static_cast<int64_t>(aBytes));
}
BENCHMARK(BM_LooseStdioOpenReadAll)->Unit(benchmark::kMillisecond);

void BM_UnmaskEntry(benchmark::State& theState) {
  Fixture& aFix = GetFixture();
  const PakRecord& aRecord = aFix.mPak.mRecords.begin()->second;
  std::vector<char> aBuf(static_cast<size_t>(aRecord.mDataSize));
  PFILE aFile{const_cast<PakRecord*>(&aRecord), 0, nullptr};
  for (auto _ : theState) {
    aFile.mReadPos = 0;
    aFix.mPak.FRead(aBuf.data(), 1, aRecord.mDataSize, &aFile);
    benchmark::DoNotOptimize(aBuf.data());
  }
  theState.SetBytesProcessed(static_cast<int64_t>(theState.iterations()) * aRecord.mDataSize);
}
BENCHMARK(BM_UnmaskEntry);

void BM_MemcpyEntry(benchmark::State& theState) {
  Fixture& aFix = GetFixture();
  const PakRecord& aRecord = aFix.mPak.mRecords.begin()->second;
  std::vector<char> aBuf(static_cast<size_t>(aRecord.mDataSize));
  for (auto _ : theState) {
    std::memcpy(aBuf.data(), aRecord.mCollection->mMappedData + aRecord.mDataOffset, aBuf.size());
    benchmark::DoNotOptimize(aBuf.data());
  }
  theState.SetBytesProcessed(static_cast<int64_t>(theState.iterations()) * aRecord.mDataSize);
}
BENCHMARK(BM_MemcpyEntry);

}  // namespace
