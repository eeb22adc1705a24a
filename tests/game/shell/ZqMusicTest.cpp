// The music selector: which song each screen group plays, the opening song once and then the
// title loop, fades between songs, and a song that will not load. The sequence is read from a
// music interface that notes every call; the last test plays the real songs through SDL's disk
// audio driver and measures what reached the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "game/shell/GameApp.h"
#include "game/shell/ZqMusic.h"
#include "platform/audio/dylib/AudioCore.h"
#include "sound/BassMusicInterface.h"
#include "sound/MusicInterface.h"
#include "support/TestTemp.h"

namespace {

// Plays nothing; notes each call and keeps a song "playing" from its fade in until it is
// stopped by a finished fade out, unloaded, or ended by the test.
class MusicLog : public Tesk::MusicInterface {
 public:
  bool LoadMusic(int theId, const std::string& theFile) override {
    mCalls.push_back("load " + std::to_string(theId) + " " + theFile);
    ++mLoads;
    if (mMissing.count(theFile) != 0) return false;
    mLoaded[theId] = false;
    return true;
  }
  void UnloadAllMusic() override {
    mCalls.push_back("unload all");
    mLoaded.clear();
  }
  void FadeIn(int theId, int theOffset, double theSpeed, bool theNoLoop) override {
    mCalls.push_back("fade in " + std::to_string(theId) + " from " + std::to_string(theOffset) + " at " +
                     Speed(theSpeed) + (theNoLoop ? " once" : " looped"));
    if (mLoaded.count(theId) != 0) mLoaded[theId] = true;
  }
  void FadeOut(int theId, bool theStop, double theSpeed) override {
    mCalls.push_back("fade out " + std::to_string(theId) + " at " + Speed(theSpeed) +
                     (theStop ? " and stop" : ""));
    // The fade takes its time; the test says when the song has gone quiet.
    mFadingOut = theId;
  }
  void SetSongMaxVolume(int theId, double theVolume) override {
    mCalls.push_back("max volume " + std::to_string(theId) + " " + Speed(theVolume));
  }
  bool IsPlaying(int theId) override {
    auto anIt = mLoaded.find(theId);
    return anIt != mLoaded.end() && anIt->second;
  }

  // The song faded out (or ended) and stopped.
  void Stop(int theId) {
    if (mLoaded.count(theId) != 0) mLoaded[theId] = false;
  }
  static std::string Speed(double theValue) {
    char aText[32];
    std::snprintf(aText, sizeof(aText), "%.2f", theValue);
    return aText;
  }
  std::vector<std::string> Take() {
    std::vector<std::string> aCalls;
    aCalls.swap(mCalls);
    return aCalls;
  }

  std::vector<std::string> mCalls;
  std::map<int, bool> mLoaded;
  std::set<std::string> mMissing;
  int mFadingOut = -1;
  int mLoads = 0;
};

using Calls = std::vector<std::string>;

class ZqMusicSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    mLog = new MusicLog();
    mApp.mMusicInterface = mLog;
    mMusic.setGameAppPtr(&mApp);
  }
  void TearDown() override {
    mApp.mMusicInterface = nullptr;
    delete mLog;
  }
  // theCount updates of a screen.
  void Updates(int theCount = 1) {
    for (int i = 0; i < theCount; ++i) mMusic.update();
  }
  // The song that plays fades out and stops; the next update starts the pending one.
  void FadeOutEnds() {
    ASSERT_GT(mLog->mFadingOut, 0);
    mLog->Stop(mLog->mFadingOut);
    mLog->mFadingOut = -1;
  }

  Tesk::GameApp mApp;
  MusicLog* mLog = nullptr;
  ZqMusic mMusic;
};

const std::string kOpening = "music/summoning_37.ogg";
const std::string kTitle = "music/summoning_a.ogg";
const std::string kPlay = "music/zq_ingame.ogg";
const std::string kStory = "music/elven_kin_full_loop.ogg";

TEST_F(ZqMusicSequence, TheFirstSelectionPlaysTheOpeningOnceThenTheTitleLoop) {
  mMusic.init("Init");
  EXPECT_EQ(mLog->Take(), (Calls{"fade out 0 at 0.01 and stop"}));
  Updates();
  EXPECT_EQ(mLog->Take(), (Calls{"unload all", "load 1 " + kOpening, "max volume 1 1.00",
                                 "fade in 1 from -1 at 0.01 once"}));
  // It plays on; the title screen shares its track, so nothing changes.
  Updates(50);
  mMusic.init("TitleScreen");
  Updates(50);
  EXPECT_EQ(mLog->Take(), Calls{});
  // The opening ends by itself; the title loop follows at 0.7 of full volume, looped.
  mLog->Stop(1);
  Updates();
  EXPECT_EQ(mLog->Take(), (Calls{"unload all", "load 2 " + kTitle, "max volume 2 0.70",
                                 "fade in 2 from -1 at 0.01 looped"}));
  Updates(100);
  EXPECT_EQ(mLog->Take(), Calls{});
  EXPECT_EQ(mMusic.m_currentTrack, 2);
}

// Each screen's group in turn, as a game goes: which song each switch starts, if any.
TEST_F(ZqMusicSequence, EachScreenGroupSelectsItsSong) {
  mMusic.init("Init");
  Updates();
  mLog->Stop(1);
  Updates();
  mLog->Take();
  struct Step {
    const char* mGroup;  // null: the play scene
    int mSong;           // the song that follows, 0 when the music goes on
  };
  const Step kGame[] = {
      {"TitleScreen", 2},  // the title loop again, from the start position the interface kept
      {"Story", 4},        // title loop -> story loop
      {"LevelIntro", 2},   // the chapter intro has the title loop
      {"Map", 3},          // the play loop for the map, the locations and the mini-games
      {nullptr, 0},        // the play scene keeps it
      {"MiniGame", 0},    {"HowToPlay", 0},  // help keeps whatever plays
      {"Map", 0},         {"Story", 4},     {"TitleScreen", 2},
      {"TitleScreen", 0}, {"Map", 3},       {"TitleScreen", 2},
  };
  int aPlaying = 2;
  for (const Step& s : kGame) {
    SCOPED_TRACE(s.mGroup != nullptr ? s.mGroup : "(play scene)");
    mMusic.init(s.mGroup);
    Updates(10);  // the old song fades out meanwhile
    if (s.mSong == 0) {
      EXPECT_EQ(mLog->Take(), Calls{});
      continue;
    }
    EXPECT_EQ(mLog->Take(), (Calls{"fade out " + std::to_string(aPlaying) + " at 0.01 and stop"}));
    FadeOutEnds();
    Updates();
    const std::string aFiles[] = {"", kOpening, kTitle, kPlay, kStory};
    EXPECT_EQ(mLog->Take(),
              (Calls{"unload all", "load " + std::to_string(s.mSong) + " " + aFiles[s.mSong],
                     "max volume " + std::to_string(s.mSong) + (s.mSong == 2 ? " 0.70" : " 1.00"),
                     "fade in " + std::to_string(s.mSong) + " from -1 at 0.01 looped"}));
    aPlaying = s.mSong;
  }
}

TEST_F(ZqMusicSequence, ASongThatCannotBeLoadedIsTriedOncePerSelection) {
  mLog->mMissing = {kOpening, kPlay};
  mMusic.init("Init");
  Updates();
  // The opening is missing: the title loop is tried next, and plays.
  EXPECT_EQ(mLog->Take(), (Calls{"fade out 0 at 0.01 and stop", "unload all", "load 1 " + kOpening}));
  Updates();
  EXPECT_EQ(mLog->Take(), (Calls{"unload all", "load 2 " + kTitle, "max volume 2 0.70",
                                 "fade in 2 from -1 at 0.01 looped"}));
  // The map's song is missing: one try, then silence on every later update, no reloading and
  // no unloading again either.
  mMusic.init("Map");
  FadeOutEnds();
  Updates(300);
  EXPECT_EQ(mLog->mLoads, 3);
  EXPECT_EQ(mLog->Take(), (Calls{"fade out 2 at 0.01 and stop", "unload all", "load 3 " + kPlay}));
  // The next group with a song of its own plays it.
  mMusic.init("Story");
  Updates();
  EXPECT_EQ(mLog->mLoads, 4);
  EXPECT_TRUE(mLog->IsPlaying(4));
}

TEST_F(ZqMusicSequence, AGroupOutsideTheTableKeepsTheMusic) {
  mMusic.init("Init");
  Updates();
  mLog->Take();
  mMusic.init("Credits");
  Updates(20);
  EXPECT_EQ(mLog->Take(), Calls{});
  EXPECT_TRUE(mLog->IsPlaying(1));
}

TEST_F(ZqMusicSequence, WithoutAnApplicationNothingHappens) {
  ZqMusic aMusic;
  aMusic.init("Init");
  aMusic.update();
  EXPECT_EQ(aMusic.m_playingSong, 0);
}

// The real songs of the generated set through the real music library and SDL's disk driver:
// the opening fades in and is heard, at a level the test measures.
TEST(ZqMusicOnTheDevice, TheOpeningSongReachesTheAudioDevice) {
  const std::string aResources = TESK_DEFAULT_RESOURCES_DIR;
  if (!std::filesystem::exists(aResources + "/" + kOpening)) GTEST_SKIP() << "no generated music";
  const std::string aCapture = TeskTest::MakeTempDir("music-disk") + "/capture.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", aCapture.c_str(), 1);
  setenv("TESK_RESOURCES_DIR", aResources.c_str(), 1);
  Tesk::AudioCore::Get().SetDeviceWanted(true);
  {
    Tesk::GameApp anApp;
    auto* aMusic = new Tesk::BassMusicInterface(nullptr);
    anApp.mMusicInterface = aMusic;
    ASSERT_TRUE(aMusic->HasLibrary());
    ZqMusic aSelector;
    aSelector.setGameAppPtr(&anApp);
    aSelector.init("Init");
    // Two seconds of updates at the game's pace: one second of fade in, one at full volume.
    for (int i = 0; i < 200; ++i) {
      aSelector.update();
      aMusic->Update();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(aMusic->IsPlaying(1));
    EXPECT_EQ(aSelector.m_playingSong, 1);
    anApp.mMusicInterface = nullptr;
    delete aMusic;
  }
  unsetenv("SDL_DISKAUDIOFILE");
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  const std::string aBytes = TeskTest::ReadFile(aCapture);
  ASSERT_GT(aBytes.size(), 44100u * 4);  // more than a second of stereo frames
  // The level of the last half second written: the song at full volume, not silence.
  const size_t aFrames = aBytes.size() / 4;
  const size_t aFrom = aFrames - 22050;
  double aSum = 0;
  int aPeak = 0;
  for (size_t i = aFrom; i < aFrames; ++i) {
    const int16_t aLeft = static_cast<int16_t>(static_cast<uint8_t>(aBytes[4 * i]) |
                                               (static_cast<uint8_t>(aBytes[4 * i + 1]) << 8));
    aSum += static_cast<double>(aLeft) * aLeft;
    aPeak = std::max(aPeak, std::abs(static_cast<int>(aLeft)));
  }
  const double aRms = std::sqrt(aSum / 22050);
  EXPECT_GT(aRms, 300.0) << "peak " << aPeak;
  EXPECT_LT(aPeak, 32767);
}

}  // namespace
