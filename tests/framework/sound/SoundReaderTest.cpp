// The WAV, AU and Ogg Vorbis readers on generated fixtures, good and damaged, and the WAV cache.
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cmath>
#include <cstring>

#include "SoundTestSupport.h"
#include "core/Common.h"
#include "sound/SoundInstance.h"
#include "sound/macDirectSoundBuffer.h"

using SoundTest::Left;
using SoundTest::Render;
using TeskTools::SoundWriter;
using TeskTools::WavOptions;

namespace {

class SoundReader : public SoundTest::SoundFixture {
 protected:
  Tesk::WAVEFORMATEX Format(unsigned theId) {
    Tesk::WAVEFORMATEX aFormat{};
    mManager->GetSourceBuffer(theId)->GetFormat(&aFormat, sizeof(aFormat), nullptr);
    return aFormat;
  }

  std::vector<uint8_t> Bytes(unsigned theId, uint32_t theCount) {
    void* aPtr = nullptr;
    uint32_t aLen = 0;
    mManager->GetSourceBuffer(theId)->Lock(0, theCount, &aPtr, &aLen, nullptr, nullptr, 0);
    const uint8_t* aBytes = static_cast<const uint8_t*>(aPtr);
    return std::vector<uint8_t>(aBytes, aBytes + aLen);
  }

  // A failed load leaves nothing behind: no sample, no instance, no sound.
  void ExpectNothingLoaded(unsigned theId) {
    EXPECT_EQ(mManager->GetSourceBuffer(theId), nullptr);
    EXPECT_EQ(mManager->GetSoundInstance(theId), nullptr);
    for (int16_t aSample : Render(64)) ASSERT_EQ(aSample, 0);
  }

  const std::vector<uint8_t> kPcm = {0x01, 0x02, 0x03, 0x04, 0xF0, 0xFF, 0x00, 0x80};
};

TEST_F(SoundReader, WavVariantsLoadTheirSamples) {
  struct Case {
    const char* mName;
    WavOptions mOptions;
  };
  std::vector<Case> aCases(5);
  aCases[0].mName = "plain";
  aCases[1].mName = "byte-reversed ids";
  aCases[1].mOptions.mReversedIds = true;
  aCases[2].mName = "scrambled with a key";
  aCases[2].mOptions.mHasXor = true;
  aCases[2].mOptions.mXorKey = 0x5A;
  aCases[3].mName = "key 0";
  aCases[3].mOptions.mHasXor = true;
  aCases[4].mName = "unknown chunk skipped";
  aCases[4].mOptions.mExtraChunkBefore = "LIST";
  unsigned aId = 0;
  for (const Case& c : aCases) {
    SCOPED_TRACE(c.mName);
    const std::string aPath =
        Fixture("v" + std::to_string(aId) + ".wav", SoundWriter::Wav(kPcm, 2, 11025, 16, c.mOptions));
    ASSERT_TRUE(mManager->LoadWAVSound(aId, aPath + ".wav"));
    const Tesk::WAVEFORMATEX aFormat = Format(aId);
    EXPECT_EQ(aFormat.wFormatTag, 1);
    EXPECT_EQ(aFormat.nChannels, 2);
    EXPECT_EQ(aFormat.nSamplesPerSec, 11025u);
    EXPECT_EQ(aFormat.wBitsPerSample, 16);
    EXPECT_EQ(aFormat.nBlockAlign, 4);
    EXPECT_EQ(aFormat.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(Bytes(aId, 8), kPcm);
    ++aId;
  }
}

TEST_F(SoundReader, DataBeforeFormatPlaysAsSixteenBitMono22050) {
  WavOptions aOptions;
  aOptions.mDataBeforeFmt = true;
  const std::string aPath = Fixture("early.wav", SoundWriter::Wav(kPcm, 2, 8000, 8, aOptions));
  ASSERT_TRUE(mManager->LoadSound(1, aPath));
  const Tesk::WAVEFORMATEX aFormat = Format(1);
  EXPECT_EQ(aFormat.nChannels, 1);
  EXPECT_EQ(aFormat.nSamplesPerSec, 22050u);
  EXPECT_EQ(aFormat.wBitsPerSample, 16);
}

TEST_F(SoundReader, DamagedWavFilesFailCleanly) {
  const std::string kGood = SoundWriter::Wav(kPcm, 1, 22050, 16);
  struct Case {
    const char* mName;
    std::string mBytes;
  };
  WavOptions aFloat;
  aFloat.mFormatTag = 3;
  WavOptions aNoData;
  aNoData.mNoData = true;
  WavOptions aLong;
  aLong.mDeclaredDataSize = 9;
  WavOptions aHuge;
  aHuge.mDeclaredDataSize = 0xFFFFFFF0;
  // Channels and bits whose product overflows an int (found by the fuzzer).
  std::string aHugeFormat = kGood;
  aHugeFormat[22] = '\x00', aHugeFormat[23] = '\xF7';
  aHugeFormat[34] = '\xFF', aHugeFormat[35] = '\xFF';
  const Case kCases[] = {
      {"empty", ""},
      {"not RIFF", "RIFX" + kGood.substr(4)},
      {"not WAVE", kGood.substr(0, 8) + "AVI " + kGood.substr(12)},
      {"cut in the header", kGood.substr(0, 10)},
      {"cut in the format chunk", kGood.substr(0, 28)},
      {"cut in the samples", kGood.substr(0, kGood.size() - 1)},
      {"float format", SoundWriter::Wav(kPcm, 1, 22050, 32, aFloat)},
      {"no data chunk", SoundWriter::Wav(kPcm, 1, 22050, 16, aNoData)},
      {"data size past the end", SoundWriter::Wav(kPcm, 1, 22050, 16, aLong)},
      {"data size of four gigabytes", SoundWriter::Wav(kPcm, 1, 22050, 16, aHuge)},
      {"no channels", SoundWriter::Wav(kPcm, 0, 22050, 16)},
      {"24 bits", SoundWriter::Wav(kPcm, 1, 22050, 24)},
      {"zero rate", SoundWriter::Wav(kPcm, 1, 0, 16)},
      {"63232 channels of 65535 bits", aHugeFormat},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aPath = Fixture("bad.wav", c.mBytes);
    EXPECT_FALSE(mManager->LoadSound(5, aPath));
    ExpectNothingLoaded(5);
  }
  EXPECT_FALSE(mManager->LoadSound(5, mDir + "/missing"));
}

TEST_F(SoundReader, ASoundThatCannotBeLoadedIsNamedWithItsReasonOnce) {
  WavOptions aFloat;
  aFloat.mFormatTag = 3;
  struct Case {
    const char* mName;
    const char* mFile;  // written as given; none for a sound with no file at all
    std::string mBytes;
    const char* mSaid;  // after "sound: <folder>/"
  };
  const Case kCases[] = {
      {"24 bits", "deep.wav", SoundWriter::Wav(kPcm, 1, 22050, 24),
       "deep.wav: 24-bit samples; only 8- and 16-bit samples are played"},
      {"32 bits", "deeper.wav", SoundWriter::Wav(kPcm, 1, 22050, 32),
       "deeper.wav: 32-bit samples; only 8- and 16-bit samples are played"},
      {"floating point", "float.wav", SoundWriter::Wav(kPcm, 1, 22050, 32, aFloat),
       "float.wav: format tag 3; only PCM samples (tag 1) are read"},
      {"no WAVE header", "junk.wav", "RIFF....", "junk.wav: not a WAV file (no RIFF WAVE header)"},
      {"AU encoding 3", "linear16.au", SoundWriter::Au(kPcm, 3, 8000, 1),
       "linear16.au: encoding 3; only 1 (8-bit mu-law) and 2 (8-bit linear) are read"},
      {"no file", nullptr, "", "nothing: not found (no .wav, .ogg or .au file)"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aPath = c.mFile != nullptr ? Fixture(c.mFile, c.mBytes) : mDir + "/nothing";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mManager->LoadSound(5, aPath));
    EXPECT_FALSE(mManager->LoadSound(6, aPath));  // asked again: said once
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "sound: " + mDir + "/" + c.mSaid + "\n");
  }
}

TEST_F(SoundReader, StaleDependencyFailsAndFreshOneLoads) {
  const std::string aSource = mDir + "/source.ogg";
  ASSERT_TRUE(TeskTest::WriteFile(aSource, "x"));
  Tesk::UTCDateTime aTime{};
  ASSERT_TRUE(Tesk::DSoundManager::GetTheFileTime(aSource, &aTime));
  WavOptions aOptions;
  aOptions.mDepName = aSource;
  aOptions.mDepHighSeconds = aTime.highSeconds;
  aOptions.mDepLowSeconds = aTime.lowSeconds;
  EXPECT_TRUE(mManager->LoadWAVSound(
      1, Fixture("fresh.wav", SoundWriter::Wav(kPcm, 1, 22050, 16, aOptions)) + ".wav"));
  aOptions.mDepLowSeconds -= 1;
  EXPECT_FALSE(mManager->LoadWAVSound(
      2, Fixture("stale.wav", SoundWriter::Wav(kPcm, 1, 22050, 16, aOptions)) + ".wav"));
  EXPECT_EQ(mManager->GetSourceBuffer(2), nullptr);
}

TEST_F(SoundReader, MuLawDecodesEveryRowAndTheLoudestCode) {
  struct Case {
    uint8_t mByte;
    int16_t mSample;
  };
  const Case kCases[] = {
      {0xFF, 0},     {0x7F, 0},      {0xF0, 120},    {0xEF, 128},
      {0xE0, 368},   {0x81, 30592},  {0x01, -30592}, {0x90, 15 * 128 * 4 + 2016 * 4},  // row 0x90..0x9F
      {0x80, 31616}, {0x00, -31616},  // the loudest code, not near-silence
  };
  std::vector<uint8_t> aBytes;
  for (const Case& c : kCases) aBytes.push_back(c.mByte);
  const std::string aPath = Fixture("mulaw.au", SoundWriter::Au(aBytes, 1, 8000, 1));
  ASSERT_TRUE(mManager->LoadSound(3, aPath));
  const Tesk::WAVEFORMATEX aFormat = Format(3);
  EXPECT_EQ(aFormat.wBitsPerSample, 16);
  EXPECT_EQ(aFormat.nSamplesPerSec, 8000u);
  const std::vector<uint8_t> aOut = Bytes(3, static_cast<uint32_t>(aBytes.size() * 2));
  for (size_t i = 0; i < aBytes.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << int(kCases[i].mByte));
    EXPECT_EQ(static_cast<int16_t>(aOut[i * 2] | (aOut[i * 2 + 1] << 8)), kCases[i].mSample);
  }
}

TEST_F(SoundReader, LinearAuBecomesUnsignedEightBit) {
  const std::vector<uint8_t> aSigned = {0x00, 0x7F, 0x80, 0xFF};
  const std::string aPath = Fixture("linear.au", SoundWriter::Au(aSigned, 2, 11025, 2, -1, 32));
  ASSERT_TRUE(mManager->LoadSound(4, aPath));
  EXPECT_EQ(Format(4).wBitsPerSample, 8);
  EXPECT_EQ(Format(4).nChannels, 2);
  EXPECT_EQ(Bytes(4, 4), (std::vector<uint8_t>{0x80, 0xFF, 0x00, 0x7F}));
}

TEST_F(SoundReader, AuOfUnknownSizeRunsToTheEnd) {
  const std::string aPath =
      Fixture("unknown.au", SoundWriter::Au({0x10, 0x20, 0x30}, 2, 8000, 1, 0xFFFFFFFFll));
  ASSERT_TRUE(mManager->LoadSound(6, aPath));
  EXPECT_EQ(Bytes(6, 3), (std::vector<uint8_t>{0x90, 0xA0, 0xB0}));
}

TEST_F(SoundReader, DamagedAuFilesFailCleanly) {
  const std::vector<uint8_t> aData = {1, 2, 3, 4};
  const std::string kGood = SoundWriter::Au(aData, 1, 8000, 1);
  struct Case {
    const char* mName;
    std::string mBytes;
  };
  const Case kCases[] = {
      {"encoding 3", SoundWriter::Au(aData, 3, 8000, 1)},
      {"wrong magic", ".snx" + kGood.substr(4)},
      {"cut in the header", kGood.substr(0, 13)},
      {"cut in the samples", kGood.substr(0, kGood.size() - 1)},
      {"size past the end", SoundWriter::Au(aData, 1, 8000, 1, 5)},
      {"size of four gigabytes", SoundWriter::Au(aData, 1, 8000, 1, 0xFFFFFFF0ll)},
      {"offset past the end",
       SoundWriter::Au(aData, 1, 8000, 1, -1, 24).replace(4, 4, std::string("\x00\x00\x10\x00", 4))},
      {"offset inside the header",
       SoundWriter::Au(aData, 1, 8000, 1).replace(4, 4, std::string("\x00\x00\x00\x08", 4))},
      {"no channels", SoundWriter::Au(aData, 1, 8000, 0)},
      {"three channels", SoundWriter::Au(aData, 1, 8000, 3)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aPath = Fixture("bad.au", c.mBytes);
    EXPECT_FALSE(mManager->LoadSound(7, aPath));
    ExpectNothingLoaded(7);
  }
}

TEST_F(SoundReader, OggDecodesMonoAndStereo) {
  struct Case {
    int mChannels;
    int mRate;
  };
  const Case kCases[] = {{1, 22050}, {2, 44100}};
  unsigned aId = 8;
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.mChannels << " channels at " << c.mRate);
    const int aFrames = c.mRate / 4;
    const std::vector<int16_t> aTone = SoundWriter::Tone(440, aFrames, c.mChannels, c.mRate, 12000);
    const std::string aPath =
        Fixture("tone" + std::to_string(aId) + ".ogg", SoundWriter::Ogg(aTone, c.mChannels, c.mRate));
    ASSERT_TRUE(mManager->LoadOGGSound(aId, aPath + ".ogg"));
    const Tesk::WAVEFORMATEX aFormat = Format(aId);
    EXPECT_EQ(aFormat.nChannels, c.mChannels);
    EXPECT_EQ(aFormat.nSamplesPerSec, static_cast<uint32_t>(c.mRate));
    EXPECT_EQ(aFormat.wBitsPerSample, 16);
    const uint32_t aBytes = static_cast<uint32_t>(aFrames * c.mChannels * 2);
    const std::vector<uint8_t> aOut = Bytes(aId, aBytes);
    ASSERT_EQ(aOut.size(), aBytes);
    // Lossy, but close to the tone in the middle of the sound.
    double aError = 0;
    int aCount = 0;
    for (int i = aFrames / 4; i < aFrames * 3 / 4; ++i) {
      const size_t k = static_cast<size_t>(i) * c.mChannels;
      const int16_t aSample = static_cast<int16_t>(aOut[k * 2] | (aOut[k * 2 + 1] << 8));
      aError += std::abs(aSample - aTone[k]);
      ++aCount;
    }
    EXPECT_LT(aError / aCount, 300.0);
    ++aId;
  }
}

TEST_F(SoundReader, DamagedOggFilesFailCleanly) {
  const std::string aGood = SoundWriter::Ogg(SoundWriter::Tone(440, 22050, 1, 22050, 8000), 1, 22050);
  ASSERT_GT(aGood.size(), 200u);
  struct Case {
    const char* mName;
    std::string mBytes;
  };
  std::string aScrambled = aGood;
  for (size_t i = 100; i < aScrambled.size(); i += 7) aScrambled[i] = static_cast<char>(aScrambled[i] ^ 0x55);
  const Case kCases[] = {
      {"garbage", std::string(4096, 'q')},
      {"headers only", aGood.substr(0, 120)},
      {"scrambled", aScrambled},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aPath = Fixture("bad.ogg", c.mBytes);
    mManager->LoadSound(9, aPath);  // may decode what is left; must not crash or leak
    if (mManager->GetSourceBuffer(9) == nullptr) ExpectNothingLoaded(9);
    mManager->ReleaseSound(9);
  }
  EXPECT_FALSE(mManager->LoadSound(9, Fixture("garbage.ogg", std::string(4096, 'q'))));
  ExpectNothingLoaded(9);
}

TEST_F(SoundReader, SoundsLoadByNameIntoTheHighestFreeIdOnce) {
  const std::string aA = Fixture("a.wav", SoundWriter::Wav(kPcm, 1, 22050, 16));
  const std::string aB = Fixture("b.wav", SoundWriter::Wav(kPcm, 1, 22050, 16));
  EXPECT_EQ(mManager->LoadSound(aA), 255);
  EXPECT_EQ(mManager->LoadSound(aA), 255);
  EXPECT_EQ(mManager->LoadSound(aB), 254);
  // A name whose load failed is not taken for a loaded sound.
  EXPECT_EQ(mManager->LoadSound(mDir + "/missing"), -1);
  EXPECT_EQ(mManager->LoadSound(aB), 254);
  EXPECT_EQ(mManager->GetFreeSoundId(), 0);
  EXPECT_EQ(mManager->GetNumSounds(), 2);
}

class SoundCache : public SoundReader {
 protected:
  void SetUp() override {
    SoundReader::SetUp();
    ASSERT_EQ(getcwd(mOldDir, sizeof(mOldDir)), mOldDir);
    ASSERT_EQ(chdir(mDir.c_str()), 0);
    mOldAppData = Tesk::GetAppDataFolder();
    Tesk::SetAppDataFolder(mDir + "/appdata");
    mkdir("sounds", 0755);
  }
  void TearDown() override {
    SoundReader::TearDown();
    Tesk::SetAppDataFolder(mOldAppData);
    ASSERT_EQ(chdir(mOldDir), 0);
  }
  std::string Cached(const std::string& theName) { return mDir + "/appdata/cached/" + theName + ".wav"; }

  char mOldDir[4096];
  std::string mOldAppData;
};

TEST_F(SoundCache, DecodedSoundsAreCachedAndTheCacheFollowsTheSource) {
  const std::vector<uint8_t> aMuLaw = {0x80, 0x81, 0x82, 0x83};
  ASSERT_TRUE(TeskTest::WriteFile("sounds/chime.au", SoundWriter::Au(aMuLaw, 1, 8000, 1)));
  ASSERT_TRUE(mManager->LoadSound(1, "sounds/chime"));
  const std::string aCache = TeskTest::ReadFile(Cached("sounds/chime"));
  ASSERT_FALSE(aCache.empty());
  EXPECT_EQ(aCache.substr(0, 4), "RIFF");
  EXPECT_NE(aCache.find("dep "), std::string::npos);
  EXPECT_NE(aCache.find("sounds/chime.au"), std::string::npos);
  EXPECT_EQ(aCache.substr(aCache.size() - 8),
            std::string(reinterpret_cast<const char*>(Bytes(1, 8).data()), 8));

  // The next start reads the cache: mark its samples to tell.
  std::string aMarked = aCache;
  aMarked[aMarked.size() - 1] = 0x11;
  ASSERT_TRUE(TeskTest::WriteFile(Cached("sounds/chime"), aMarked));
  ASSERT_TRUE(mManager->LoadSound(2, "sounds/chime"));
  EXPECT_EQ(Bytes(2, 8).back(), 0x11);

  // Once the source changes, the cache is stale: the source is decoded and the cache rewritten.
  utimbuf aTimes{time(nullptr) + 100, time(nullptr) + 100};
  ASSERT_EQ(utime("sounds/chime.au", &aTimes), 0);
  ASSERT_TRUE(mManager->LoadSound(3, "sounds/chime"));
  EXPECT_EQ(Bytes(3, 8), Bytes(1, 8));
  EXPECT_NE(TeskTest::ReadFile(Cached("sounds/chime")), aMarked);
}

TEST_F(SoundCache, PlainWavIsNeverCachedNorAreShortOrAbsoluteNames) {
  ASSERT_TRUE(TeskTest::WriteFile("sounds/plain.wav", SoundWriter::Wav(kPcm, 1, 22050, 16)));
  ASSERT_TRUE(TeskTest::WriteFile("ab.au", SoundWriter::Au(kPcm, 2, 8000, 1)));
  ASSERT_TRUE(mManager->LoadSound(2, "ab"));
  ASSERT_TRUE(mManager->LoadSound(3, mDir + "/ab"));
  struct stat aStat {};
  EXPECT_NE(stat((mDir + "/appdata/cached").c_str(), &aStat), 0) << "no cache folder for names never cached";
  ASSERT_TRUE(mManager->LoadSound(1, "sounds/plain"));
  EXPECT_TRUE(TeskTest::ReadFile(Cached("sounds/plain")).empty());
}

TEST_F(SoundCache, WithoutADataFolderNothingIsCachedInTheWorkingFolder) {
  Tesk::SetAppDataFolder("");
  ASSERT_TRUE(TeskTest::WriteFile("sounds/chime.au", SoundWriter::Au({0x80, 0x81}, 1, 8000, 1)));
  ASSERT_TRUE(mManager->LoadSound(1, "sounds/chime"));
  EXPECT_EQ(Bytes(1, 4).size(), 4u);
  struct stat aStat {};
  EXPECT_NE(stat("cached", &aStat), 0) << "a cache folder in the working folder";
}

TEST_F(SoundCache, PlayingAFailedLoadPlaysNothing) {
  ASSERT_TRUE(TeskTest::WriteFile("sounds/broken.wav", "RIFF...."));
  EXPECT_FALSE(mManager->LoadSound(4, "sounds/broken"));
  EXPECT_EQ(mManager->GetSoundInstance(4), nullptr);
}

}  // namespace
