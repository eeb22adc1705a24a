// Music through the run-time-loaded library on the render-only audio core: volumes, fades
// stepped per update, looping, pausing, and a missing library.
#include <cstdlib>

#include "SoundTestSupport.h"
#include "sound/BASS_INSTANCE.h"
#include "sound/BassMusicInterface.h"

using SoundTest::Left;
using SoundTest::Render;
using TeskTools::SoundWriter;

namespace {

class Music : public SoundTest::SoundFixture {
 protected:
  void SetUp() override {
    SoundFixture::SetUp();
    mMusic = std::make_unique<Tesk::BassMusicInterface>(nullptr);
    ASSERT_TRUE(mMusic->HasLibrary()) << "the library is built beside the test";
  }
  void TearDown() override {
    mMusic.reset();
    SoundFixture::TearDown();
  }

  // A stereo song of one value: each rendered frame shows the song's gain directly.
  std::string ConstantSong(const std::string& theName, int16_t theValue, int theFrames) {
    const std::vector<int16_t> aSamples(static_cast<size_t>(theFrames) * 2, theValue);
    return Fixture(theName, SoundWriter::Wav(SoundWriter::Bytes16(aSamples), 2, 44100, 16)) + ".wav";
  }

  int16_t NextSample() { return Render(1)[0]; }

  std::unique_ptr<Tesk::BassMusicInterface> mMusic;
};

TEST_F(Music, ASongThatCannotBeLoadedIsNamedWithItsReasonOnce) {
  const std::vector<uint8_t> aBytes(400, 0x80);
  struct Case {
    const char* mName;
    std::string mPath;
    const char* mSaid;
  };
  const Case kCases[] = {
      {"8-bit WAV", Fixture("eight.wav", SoundWriter::Wav(aBytes, 1, 22050, 8)) + ".wav",
       "samples of a kind the music library does not play (only 16-bit PCM, mono or stereo)"},
      {"not Ogg Vorbis", Fixture("noise.ogg", std::string(4096, 'q')) + ".ogg",
       "not a file the music library reads (16-bit PCM WAV or Ogg Vorbis)"},
      {"no file", mDir + "/absent.ogg", "not found, or it cannot be opened"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mMusic->LoadMusic(1, c.mPath));
    EXPECT_FALSE(mMusic->LoadMusic(2, c.mPath));  // asked again: said once
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "music: " + c.mPath + ": " + c.mSaid + "\n");
  }
}

TEST_F(Music, PlayStartsAtTheCapAndTheVolumesMultiply) {
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("song.wav", 10000, 44100)));
  EXPECT_FALSE(mMusic->IsPlaying(1));
  mMusic->PlayMusic(1, 0, false);
  EXPECT_TRUE(mMusic->IsPlaying(1));
  EXPECT_EQ(NextSample(), 10000);
  mMusic->SetVolume(0.5);
  EXPECT_EQ(NextSample(), 5000);
  mMusic->SetSongVolume(1, 0.5);
  EXPECT_EQ(NextSample(), 2500);
  mMusic->SetVolume(1.0);
  mMusic->SetSongMaxVolume(1, 0.3);
  EXPECT_EQ(NextSample(), 3000);
  mMusic->PlayMusic(1, 0, false);
  EXPECT_EQ(NextSample(), 3000);
}

TEST_F(Music, FadeInRisesOverOneHundredUpdatesToTheCap) {
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("song.wav", 10000, 88200)));
  mMusic->FadeIn(1, 0, 0.01, false);
  EXPECT_EQ(NextSample(), 0);
  double aVolume = 0.0;
  for (int i = 1; i <= 100; ++i) {
    mMusic->Update();
    aVolume = std::min(aVolume + 0.01, 1.0);
    ASSERT_EQ(NextSample(), 100 * static_cast<int>(100 * aVolume)) << "update " << i;
  }
  EXPECT_EQ(mMusic->GetSong(1)->mVolumeAdd, 0.0);
  EXPECT_EQ(NextSample(), 10000);
}

TEST_F(Music, FadeInStopsAtALoweredCap) {
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("song.wav", 10000, 44100)));
  mMusic->SetSongMaxVolume(1, 0.7);
  mMusic->FadeIn(1, 0, 0.25, false);
  for (int i = 0; i < 5; ++i) mMusic->Update();
  EXPECT_EQ(NextSample(), 7000);
}

TEST_F(Music, FadeOutToSilenceStopsTheSongWhenAsked) {
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("song.wav", 10000, 44100)));
  mMusic->PlayMusic(1, 0, false);
  mMusic->FadeOut(1, true, 0.25);
  const int kExpected[] = {7500, 5000, 2500};
  for (int aLevel : kExpected) {
    mMusic->Update();
    EXPECT_EQ(NextSample(), aLevel);
  }
  // Reaching exactly 0 is not yet below it: the song stops at the next step.
  mMusic->Update();
  EXPECT_EQ(NextSample(), 0);
  EXPECT_TRUE(mMusic->IsPlaying(1));
  mMusic->Update();
  EXPECT_FALSE(mMusic->IsPlaying(1));
}

TEST_F(Music, FadingOutASilentSongSetsNoStepButFadeOutAllDoes) {
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("a.wav", 10000, 44100)));
  ASSERT_TRUE(mMusic->LoadMusic(2, ConstantSong("b.wav", 10000, 44100)));
  mMusic->FadeOut(1, true, 0.1);
  EXPECT_EQ(mMusic->GetSong(1)->mVolumeAdd, 0.0);
  EXPECT_TRUE(mMusic->GetSong(1)->mStopOnFade);

  mMusic->PlayMusic(2, 0, false);
  mMusic->SetSongVolume(2, 0.0);  // playing, but silent
  mMusic->FadeOutAll(true, 0.1);
  EXPECT_EQ(mMusic->GetSong(2)->mVolumeAdd, -0.1);
  mMusic->Update();
  EXPECT_EQ(mMusic->GetSong(2)->mVolumeAdd, 0.0);
  EXPECT_FALSE(mMusic->IsPlaying(2));
}

TEST_F(Music, PlayingDuringAFadeOutCancelsIt) {
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("song.wav", 10000, 44100)));
  mMusic->PlayMusic(1, 0, false);
  mMusic->FadeOut(1, true, 0.1);
  mMusic->Update();
  mMusic->PlayMusic(1, 0, false);
  mMusic->Update();
  EXPECT_EQ(NextSample(), 10000);
}

TEST_F(Music, LoopingSongsWrapWithoutAGapAndOthersEnd) {
  std::vector<int16_t> aRamp;
  for (int i = 0; i < 300; ++i) {
    aRamp.push_back(static_cast<int16_t>(i * 10 + 1));
    aRamp.push_back(static_cast<int16_t>(-i * 10 - 1));
  }
  ASSERT_TRUE(mMusic->LoadMusic(
      1, Fixture("ramp.wav", SoundWriter::Wav(SoundWriter::Bytes16(aRamp), 2, 44100, 16)) + ".wav"));
  mMusic->PlayMusic(1, 0, false);
  const std::vector<int16_t> aOut = Render(1000);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(aOut[i * 2], aRamp[(i % 300) * 2]) << i;
    ASSERT_EQ(aOut[i * 2 + 1], aRamp[(i % 300) * 2 + 1]) << i;
  }
  mMusic->PlayMusic(1, 0, true);
  const std::vector<int16_t> aOnce = Left(Render(400));
  EXPECT_EQ(aOnce[299], 2991);
  EXPECT_EQ(aOnce[300], 0);
  EXPECT_FALSE(mMusic->IsPlaying(1));
}

TEST_F(Music, PlayFromAnOffsetInBytes) {
  std::vector<int16_t> aRamp;
  for (int i = 0; i < 100; ++i) aRamp.insert(aRamp.end(), {static_cast<int16_t>(i), static_cast<int16_t>(i)});
  ASSERT_TRUE(mMusic->LoadMusic(
      1, Fixture("ramp.wav", SoundWriter::Wav(SoundWriter::Bytes16(aRamp), 2, 44100, 16)) + ".wav"));
  mMusic->PlayMusic(1, 40 * 4, true);
  EXPECT_EQ(NextSample(), 40);
}

TEST_F(Music, PausedSongsAreNotPlayingAndResumeWhereTheyWere) {
  std::vector<int16_t> aRamp;
  for (int i = 0; i < 1000; ++i)
    aRamp.insert(aRamp.end(), {static_cast<int16_t>(i), static_cast<int16_t>(i)});
  ASSERT_TRUE(mMusic->LoadMusic(
      1, Fixture("ramp.wav", SoundWriter::Wav(SoundWriter::Bytes16(aRamp), 2, 44100, 16)) + ".wav"));
  mMusic->PlayMusic(1, 0, false);
  Render(10);
  mMusic->PauseAllMusic();
  EXPECT_FALSE(mMusic->IsPlaying(1));
  EXPECT_EQ(NextSample(), 0);
  mMusic->ResumeAllMusic();
  EXPECT_TRUE(mMusic->IsPlaying(1));
  EXPECT_EQ(NextSample(), 10);
  mMusic->PauseMusic(1);
  mMusic->ResumeMusic(1);
  EXPECT_EQ(NextSample(), 11);
  mMusic->StopMusic(1);
  EXPECT_EQ(NextSample(), 0);
  mMusic->FadeIn(1, 0, 1.0, false);  // a stopped stream continues where it stopped
  mMusic->Update();
  EXPECT_EQ(NextSample(), 12);
}

TEST_F(Music, OggSongsStreamAndTheExtensionIsMatchedInAnyCase) {
  const std::vector<int16_t> aTone = SoundWriter::Tone(440, 22050, 2, 44100, 12000);
  const std::string aPath = Fixture("tone.OGG", SoundWriter::Ogg(aTone, 2, 44100)) + ".OGG";
  ASSERT_TRUE(mMusic->LoadMusic(7, aPath));
  mMusic->PlayMusic(7, 0, true);
  const std::vector<int16_t> aOut = Left(Render(11025));
  int aPeak = 0;
  for (int16_t aSample : aOut) aPeak = std::max(aPeak, std::abs(static_cast<int>(aSample)));
  EXPECT_GT(aPeak, 10000);
  EXPECT_LT(aPeak, 14000);
}

TEST_F(Music, UnloadingAndReloadingSongIds) {
  const std::string aSong = ConstantSong("song.wav", 1000, 4410);
  ASSERT_TRUE(mMusic->LoadMusic(1, aSong));
  ASSERT_TRUE(mMusic->LoadMusic(1, ConstantSong("other.wav", 2000, 4410)));  // keeps the first
  mMusic->PlayMusic(1, 0, false);
  EXPECT_EQ(NextSample(), 1000);
  mMusic->UnloadMusic(1);
  EXPECT_FALSE(mMusic->IsPlaying(1));
  EXPECT_EQ(NextSample(), 0);
  mMusic->PlayMusic(1, 0, false);  // unknown ids do nothing
  EXPECT_EQ(mMusic->GetSong(1), nullptr);
  EXPECT_FALSE(mMusic->LoadMusic(2, mDir + "/missing.ogg"));
  EXPECT_FALSE(mMusic->LoadMusic(3, mDir + "/missing.mod"));
  EXPECT_FALSE(mMusic->LoadMusic(4, Fixture("module.it", "IMPM") + ".it"));  // no module player
  ASSERT_TRUE(mMusic->LoadMusic(5, aSong));
  mMusic->UnloadAllMusic();
  EXPECT_EQ(mMusic->GetSong(5), nullptr);
}

TEST(MusicWithoutLibrary, GoesOnSilently) {
  Tesk::AudioCore::Get().SetDeviceWanted(false);
  setenv("TESK_ALERTS", "stderr", 1);  // the missing library is reported, never waited on
  Tesk::SetBassLibraryFolder("/nonexistent");
  {
    Tesk::BassMusicInterface aMusic(nullptr);
    EXPECT_FALSE(aMusic.HasLibrary());
    EXPECT_EQ(Tesk::gBass, nullptr);
    EXPECT_FALSE(aMusic.LoadMusic(1, "music/song.ogg"));
    aMusic.PlayMusic(1, 0, false);
    aMusic.FadeIn(1, 0, 0.1, false);
    aMusic.SetVolume(0.5);
    aMusic.Update();
    EXPECT_FALSE(aMusic.IsPlaying(1));
    aMusic.StopAllMusic();
    aMusic.UnloadAllMusic();
  }
  Tesk::SetBassLibraryFolder("");
}

TEST(MusicWithoutLibrary, ALibraryWithoutTheEntryPointsIsReportedAndLeftAlone) {
  Tesk::AudioCore::Get().SetDeviceWanted(false);
  setenv("TESK_ALERTS", "stderr", 1);
  // Some other shared library under the expected name.
  const std::string aDir = TeskTest::MakeTempDir("wrong-library");
  const std::string aOther = TeskTest::ReadFile(std::string(TESK_TEST_BINARY_DIR) + "/../libteskaudio.so");
  ASSERT_FALSE(aOther.empty());
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/" TESK_BASS_LIBRARY_NAME, aOther));
  Tesk::SetBassLibraryFolder(aDir);
  testing::internal::CaptureStderr();
  {
    Tesk::BassMusicInterface aMusic(nullptr);
    EXPECT_FALSE(aMusic.HasLibrary());
    EXPECT_FALSE(aMusic.LoadMusic(1, "music/song.ogg"));
  }
  const std::string aErrors = testing::internal::GetCapturedStderr();
  EXPECT_NE(aErrors.find("BASS_Init function not found in bass.dll"), std::string::npos) << aErrors;
  EXPECT_EQ(aErrors.find("BASS_Free function"), std::string::npos) << "one message is enough";
  Tesk::SetBassLibraryFolder("");
}

TEST(MusicSilentInterface, DoesNothing) {
  Tesk::MusicInterface aMusic;
  EXPECT_FALSE(aMusic.LoadMusic(1, "x.ogg"));
  aMusic.PlayMusic(1, 0, false);
  EXPECT_FALSE(aMusic.IsPlaying(1));
}

}  // namespace
