#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "DemoTestApp.h"
#include "app/DemoCommands.h"
#include "core/MTRand.h"
#include "core/Registry.h"
#include "platform/corefoundation/CFPreferences.h"
#include "support/TestTemp.h"

using namespace Tesk;
using DemoTest::Calls;
using DemoTest::DemoRecorder;
using DemoTest::DemoTestApp;

namespace {

std::string Bytes(std::initializer_list<int> theBytes) {
  std::string aBytes;
  for (int aByte : theBytes) aBytes += static_cast<char>(aByte);
  return aBytes;
}

// What the widgets saw. A button at an unchanged spot carries no move in a demo, so a move or
// drag to where the pointer already is shows only in the live run; cursor updates are the app's.
Calls WidgetCalls(const Calls& theCalls) {
  Calls aResult;
  std::string aLastSpot;
  for (const std::string& aCall : theCalls) {
    const std::string aName = aCall.substr(aCall.find(':') + 1);
    if (aName == "EnforceCursor") continue;
    if (aName.rfind("MouseMove", 0) == 0 || aName.rfind("MouseDrag", 0) == 0) {
      const std::string aSpot = aName.substr(aName.find('('));
      if (aSpot == aLastSpot) continue;
      aLastSpot = aSpot;
    }
    aResult.push_back(aCall);
  }
  return aResult;
}

class DemoFileTest : public testing::Test {
 protected:
  void SetUp() override {
    mFolder = TeskTest::MakeTempDir("demo");
    mDemoFile = mFolder + "/session.dmo";
    CFPreferencesSetStorePath(mFolder + "/recorded/Preferences.txt");
  }
  void TearDown() override { CFPreferencesSetStorePath(""); }

  void PrepareRecording(DemoTestApp& theApp) {
    theApp.mRecordingDemoBuffer = true;
    theApp.mProductVersion = "1.0";
    theApp.mRandSeed = 7;
    theApp.mDemoFileName = mDemoFile;
    theApp.mSyncRefreshRate = 60;
  }
  void PreparePlayback(DemoTestApp& theApp) {
    theApp.mPlayingDemoBuffer = true;
    theApp.mProductVersion = "1.0";
    theApp.mDemoFileName = mDemoFile;
  }

  std::string mFolder;
  std::string mDemoFile;
};

// One run of a scripted session: what the game asked of the preferences, the clipboard and
// the random generator, tick by tick.
struct SessionResults {
  Calls mCalls;
  std::vector<std::string> mAnswers;
};

const int k_SessionEnd = 60;

// The game's own work in the update that reaches theTick; the same in both runs.
void GameUpdate(DemoTestApp& theApp, Registry& theRegistry, int theTick, const std::string& theLiveClipboard,
                SessionResults* theResults) {
  auto Answer = [&](const std::string& theText) {
    theResults->mAnswers.push_back(std::to_string(theTick) + ":" + theText);
  };
  if (theTick == 1 || theTick == 47) {
    int aValue = -1;
    const bool isRead = theRegistry.RegistryReadInteger(theTick == 1 ? "MusicVolume" : "Missing", &aValue);
    Answer("read " + std::to_string(isRead) + " " + std::to_string(aValue));
    Answer("rand " + std::to_string(Rand()) + " " + std::to_string(Rand()));
  }
  if (theTick == 20) {
    std::string aText = theLiveClipboard;
    theApp.DemoSyncString(&aText);
    Answer("clipboard " + aText);
  }
  if (theTick == 55) Answer("write " + std::to_string(theRegistry.RegistryWriteInteger("SfxVolume", 25)));
}

// The input of the session, as window messages at their ticks.
void SessionInput(DemoRecorder& theRecorder, int theTick) {
  switch (theTick) {
    case 2:
      theRecorder.Send(WM_MOUSEMOVE, 0, MakeMouseLParam(100, 100));
      break;
    case 3:
      theRecorder.Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(105, 98));
      break;
    case 4:
      theRecorder.Send(WM_LBUTTONUP, 0, MakeMouseLParam(105, 98));
      break;
    case 5:
      theRecorder.Send(WM_KEYDOWN, 65, 0);
      theRecorder.Send(WM_CHAR, 'a', 0);
      theRecorder.Send(WM_KEYUP, 65, 0);
      break;
    case 8:
      theRecorder.Send(WM_MOUSEWHEEL, 240u << 16, 0);
      theRecorder.Send(WM_MOUSEWHEEL, static_cast<uint32_t>(-120) << 16, 0);
      break;
    case 10:
      theRecorder.Send(WM_ACTIVATEAPP, 0, 0);
      break;
    case 12:
      theRecorder.Send(WM_ACTIVATEAPP, 1, 0);
      break;
    case 30:
      theRecorder.Send(WM_RBUTTONDOWN, MK_RBUTTON, MakeMouseLParam(700, 500));
      theRecorder.Send(WM_RBUTTONUP, 0, MakeMouseLParam(700, 500));
      break;
    case 50:
      theRecorder.Send(WM_SIZE, SIZE_MINIMIZED, 0);
      break;
    case 51:
      theRecorder.Send(WM_SIZE, SIZE_RESTORED, 0);
      break;
    case k_SessionEnd:
      theRecorder.Send(WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

// Replays the demo file tick by tick as the main loop does: the update first, then the
// commands due at the new count. A tick never passes a command that is due.
SessionResults Replay(DemoTestApp& theApp, int theLastTick, const std::string& theLiveClipboard) {
  SessionResults aResults;
  std::string aRegKey = "DemoTest";
  Registry aRegistry(&aRegKey, &theApp);
  for (int aTick = 0; aTick <= theLastTick && !theApp.mShutdown; ++aTick) {
    theApp.mUpdateCount = aTick;
    GameUpdate(theApp, aRegistry, aTick, theLiveClipboard, &aResults);
    theApp.ProcessDemo();
    EXPECT_FALSE(theApp.PrepareDemoCommand(false)) << "a command due at " << aTick << " was left";
  }
  aResults.mCalls = WidgetCalls(theApp.mCalls);
  return aResults;
}

}  // namespace

TEST_F(DemoFileTest, GoldenFileOfASmallSession) {
  {
    DemoTestApp anApp;
    PrepareRecording(anApp);
    DemoRecorder aRecorder(&anApp);
    anApp.DemoSyncRefreshRate();
    anApp.mUpdateCount = 3;
    aRecorder.Send(WM_KEYDOWN, 65, 0);
    // 40 ticks later: two fillers of 15 ticks carry the gap.
    anApp.mUpdateCount = 43;
    aRecorder.Send(WM_KEYUP, 65, 0);
    anApp.mDemoMarkerList.emplace_back("m1", 43);
    // The run ends at 50: the application object shuts down and writes the file.
    anApp.mUpdateCount = 50;
  }
  const std::string kGolden = Bytes({
      0x78,
      0xEF,
      0xBE,
      0x42,  // identifier
      0x02,
      0x00,
      0x00,
      0x00,  // file version
      0x07,
      0x00,
      0x00,
      0x00,  // random seed
      0x03,
      0x00,
      '1',
      '.',
      '0',  // product version
      0x0C,
      0x00,
      0x00,
      0x00,  // marker block length
      0x01,
      0x00,
      0x00,
      0x00,
      0x02,
      0x00,
      'm',
      '1',
      0x2B,
      0x00,
      0x00,
      0x00,  // one marker "m1" at 43
      0x32,
      0x00,
      0x00,
      0x00,  // demo length 50
      // Bits, lowest first: [0 ticks, long 23, windowed byte 1, rate byte 60]
      // [3 ticks, long 3, key 65] [15 ticks, long 31] [15 ticks, long 31] [10 ticks, long 4, key 65]
      // [7 ticks, long 6]: the end of the run, recorded as a close
      0xE0,
      0x06,
      0xF0,
      0x8C,
      0x11,
      0xF4,
      0xFE,
      0xFB,
      0x8A,
      0x04,
      0x1D,
      0x03,
  });
  EXPECT_EQ(DemoTest::ReadBytes(mDemoFile), kGolden);

  DemoTestApp aPlayer;
  PreparePlayback(aPlayer);
  aPlayer.mIsWindowed = false;
  std::string anError;
  ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError)) << anError;
  EXPECT_EQ(aPlayer.mRandSeed, 7u);
  EXPECT_EQ(aPlayer.mDemoLength, 50);
  ASSERT_EQ(aPlayer.mDemoMarkerList.size(), 1u);
  EXPECT_EQ(aPlayer.mDemoMarkerList.front(), std::make_pair(std::string("m1"), 43));
  for (int aTick = 0; aTick <= 50; ++aTick) {
    aPlayer.mUpdateCount = aTick;
    aPlayer.ProcessDemo();
  }
  EXPECT_TRUE(aPlayer.mIsWindowed);
  EXPECT_EQ(aPlayer.mSyncRefreshRate, 60);
  EXPECT_EQ(aPlayer.mCalls, (Calls{"3:KeyDown(65)", "43:KeyUp(65)", "50:Shutdown"}));
}

TEST_F(DemoFileTest, ReplayRepeatsInputPreferencesClipboardAndRandomNumbers) {
  std::string aRegKey = "DemoTest";
  SessionResults aRecorded;
  {
    DemoTestApp anApp;
    PrepareRecording(anApp);
    Registry aRegistry(&aRegKey, &anApp);
    // Stored without recording, as an earlier run would have left it.
    anApp.mRecordingDemoBuffer = false;
    ASSERT_TRUE(aRegistry.RegistryWriteInteger("MusicVolume", 50));
    anApp.mRecordingDemoBuffer = true;
    SRand(anApp.mRandSeed);
    DemoRecorder aRecorder(&anApp);
    for (int aTick = 0; aTick <= k_SessionEnd; ++aTick) {
      anApp.mUpdateCount = aTick;
      if (aTick == 0) anApp.DemoSyncRefreshRate();
      GameUpdate(anApp, aRegistry, aTick, "recorded text", &aRecorded);
      SessionInput(aRecorder, aTick);
    }
    anApp.WriteDemoBuffer();
    aRecorded.mCalls = WidgetCalls(anApp.mCalls);
  }
  ASSERT_EQ(aRecorded.mAnswers.front(), "1:read 1 50");

  // The replay has other preferences, another clipboard and another random state.
  CFPreferencesSetStorePath(mFolder + "/other/Preferences.txt");
  SRand(99);
  DemoTestApp aPlayer;
  PreparePlayback(aPlayer);
  std::string anError;
  ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError)) << anError;
  SessionResults aReplayed = Replay(aPlayer, k_SessionEnd, "live text");

  EXPECT_EQ(aReplayed.mCalls, aRecorded.mCalls);
  EXPECT_EQ(aReplayed.mAnswers, aRecorded.mAnswers);
  EXPECT_TRUE(aPlayer.mShutdown);
  EXPECT_EQ(aRecorded.mCalls.back(), "60:Shutdown");
  // Nothing of the replay reached the real store.
  int aValue = 0;
  aPlayer.mPlayingDemoBuffer = false;
  EXPECT_FALSE(Registry(&aRegKey, &aPlayer).RegistryReadInteger("SfxVolume", &aValue));
}

TEST_F(DemoFileTest, SmallMovesAreShortCommandsAndLargeOnesPositions) {
  struct Case {
    int dx, dy;
    bool isShort;
  };
  const Case kCases[] = {{31, -31, true}, {-31, 31, true}, {32, 0, false}, {0, -32, false}, {1, 0, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    DemoTestApp anApp;
    PrepareRecording(anApp);
    anApp.mLastDemoMouseX = 200;
    anApp.mLastDemoMouseY = 200;
    anApp.mMouseIn = true;
    DemoRecorder(&anApp).Send(WM_MOUSEMOVE, 0, MakeMouseLParam(200 + c.dx, 200 + c.dy));
    const Buffer& aBuffer = anApp.mDemoBuffer;
    aBuffer.SeekFront();
    EXPECT_EQ(aBuffer.ReadNumBits(4, false), 0);
    EXPECT_EQ(aBuffer.ReadNumBits(1, false), c.isShort ? 1 : 0);
    EXPECT_EQ(aBuffer.ReadNumBits(c.isShort ? 1 : 5, false),
              c.isShort ? int{DEMO_MOUSE_SHORTMOVE} : int{DEMO_MOUSE_POSITION});

    // And each replays to the same spot.
    DemoTestApp aPlayer;
    aPlayer.mPlayingDemoBuffer = true;
    aPlayer.mLastDemoMouseX = 200;
    aPlayer.mLastDemoMouseY = 200;
    aPlayer.mDemoBuffer = anApp.mDemoBuffer;
    aPlayer.mDemoBuffer.SeekFront();
    aPlayer.ProcessDemo();
    EXPECT_EQ(aPlayer.mCalls,
              Calls{"0:MouseMove(" + std::to_string(200 + c.dx) + "," + std::to_string(200 + c.dy) + ")"});
  }
}

// A stretched window maps the pointer before the widgets see it; the demo keeps the mapped spot,
// which is what its replay hands to the widgets.
TEST_F(DemoFileTest, AMappedPointerReplaysWhereTheWidgetsSawIt) {
  DemoTestApp anApp;
  PrepareRecording(anApp);
  anApp.mMouseIn = true;
  anApp.mWidgetManager->mMouseSourceRect = TRect<int>(0, 0, 1600, 1200);
  anApp.mWidgetManager->mMouseDestRect = TRect<int>(0, 0, 800, 600);
  DemoRecorder(&anApp).Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(400, 300));
  DemoRecorder(&anApp).Send(WM_LBUTTONUP, 0, MakeMouseLParam(410, 300));
  const Calls aLive = WidgetCalls(anApp.mCalls);
  ASSERT_FALSE(aLive.empty());

  DemoTestApp aPlayer;
  aPlayer.mPlayingDemoBuffer = true;
  aPlayer.mDemoBuffer = anApp.mDemoBuffer;
  aPlayer.mDemoBuffer.SeekFront();
  aPlayer.ProcessDemo();
  EXPECT_EQ(WidgetCalls(aPlayer.mCalls), aLive);
}

TEST_F(DemoFileTest, EveryCommandReplays) {
  struct Case {
    const char* name;
    std::function<void(Buffer&)> write;
    Calls calls;
  };
  auto Long = [](Buffer& theBuffer, int theNumber) {
    theBuffer.WriteNumBits(0, 4);
    theBuffer.WriteNumBits(0, 1);
    theBuffer.WriteNumBits(theNumber, 5);
  };
  const Case kCases[] = {
      {"button",
       [](Buffer& b) {
         b.WriteNumBits(0, 4);
         b.WriteNumBits(1, 1);
         b.WriteNumBits(1, 1);
         b.WriteNumBits(1, 1);
         b.WriteNumBits(-2, 3);
       },
       {"0:MouseMove(10,20)", "0:MouseDown(10,20,-2)"}},
      {"activate off",
       [&](Buffer& b) {
         Long(b, DEMO_ACTIVATE_APP);
         b.WriteNumBits(0, 1);
       },
       {"0:Mute", "0:LostFocus", "0:App.LostFocus", "0:URLOpenSucceeded"}},
      {"minimise",
       [&](Buffer& b) {
         Long(b, DEMO_SIZE);
         b.WriteBoolean(true);
       },
       {"0:Mute", "0:Mute", "0:LostFocus", "0:App.LostFocus"}},
      {"wide character",
       [&](Buffer& b) {
         Long(b, DEMO_KEY_CHAR);
         b.WriteNumBits(1, 1);
         b.WriteNumBits(0x263A, 16);
       },
       {"0:KeyChar(9786)"}},
      {"enter", [&](Buffer& b) { Long(b, DEMO_MOUSE_ENTER); }, {"0:EnforceCursor"}},
      {"exit", [&](Buffer& b) { Long(b, DEMO_MOUSE_EXIT); }, {"0:EnforceCursor"}},
      {"wheel",
       [&](Buffer& b) {
         Long(b, DEMO_MOUSE_WHEEL);
         b.WriteNumBits(-3, 8);
       },
       {"0:MouseWheel(-3)"}},
      {"close",
       [&](Buffer& b) {
         Long(b, DEMO_CLOSE);
         Long(b, DEMO_KEY_DOWN);
         b.WriteNumBits(9, 8);
       },
       {"0:Shutdown"}},
      {"filler", [&](Buffer& b) { Long(b, DEMO_IDLE); }, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    DemoTestApp aPlayer;
    aPlayer.mPlayingDemoBuffer = true;
    aPlayer.mIsOpeningURL = true;
    aPlayer.mLastDemoMouseX = 10;
    aPlayer.mLastDemoMouseY = 20;
    c.write(aPlayer.mDemoBuffer);
    aPlayer.ProcessDemo();
    EXPECT_EQ(aPlayer.mCalls, c.calls);
  }

  DemoTestApp aPlayer;
  aPlayer.mPlayingDemoBuffer = true;
  Long(aPlayer.mDemoBuffer, DEMO_LOADING_COMPLETE);
  aPlayer.ProcessDemo();
  EXPECT_TRUE(aPlayer.mDemoLoadingComplete);
}

// However a recorded run ends (its window closed, a quit request that shuts it down, the
// program's own way out), its replay ends at the same update with every command taken: the
// recording ends with a close, which ends the replay or which a replay that leaves by itself
// takes, and what the shutdown stores after it is replayed as well.
TEST_F(DemoFileTest, EveryEndOfARecordedRunEndsItsReplayAtTheSameUpdate) {
  struct Case {
    const char* name;
    bool byWindow;
    bool isReplayLeavingByItself;
    Calls calls;
  };
  const Case kCases[] = {
      {"window closed", true, false, {"5:KeyDown(27)", "20:Shutdown"}},
      {"quit request", false, false, {"5:KeyDown(27)", "20:Shutdown"}},
      {"the program's own way out", false, true, {"5:KeyDown(27)"}},
  };
  std::string aRegKey = "DemoTest";
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    {
      DemoTestApp anApp;
      PrepareRecording(anApp);
      Registry aRegistry(&aRegKey, &anApp);
      anApp.mUpdateCount = 5;
      DemoRecorder(&anApp).Send(WM_KEYDOWN, 27, 0);
      anApp.mUpdateCount = 20;
      if (c.byWindow)
        DemoRecorder(&anApp).Send(WM_CLOSE, 0, 0);
      else
        anApp.TeskAppBase::Shutdown();
      EXPECT_TRUE(aRegistry.RegistryWriteInteger("SfxVolume", 25));
    }
    DemoTestApp aPlayer;
    PreparePlayback(aPlayer);
    std::string anError;
    ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError)) << anError;
    Registry aRegistry(&aRegKey, &aPlayer);
    for (int aTick = 0; aTick < 200 && !aPlayer.mShutdown; ++aTick) {
      aPlayer.mUpdateCount = aTick;
      if (c.isReplayLeavingByItself && aTick == 20) aPlayer.TeskAppBase::Shutdown();
      aPlayer.ProcessDemo();
    }
    EXPECT_TRUE(aPlayer.mShutdown);
    EXPECT_EQ(aPlayer.mUpdateCount, 20);
    EXPECT_EQ(aPlayer.mCalls, c.calls);
    // The shutdown's own preference write is the recorded one, and after it nothing is left.
    EXPECT_TRUE(aRegistry.RegistryWriteInteger("SfxVolume", 25));
    EXPECT_FALSE(aPlayer.mDemoReplayLeft);
    EXPECT_LT(aPlayer.mDemoBuffer.mDataBitSize - aPlayer.mDemoBuffer.mReadBitPos, 8);
  }
}

TEST_F(DemoFileTest, DivergedReplayStopsAndTheProgramRunsOn) {
  struct Case {
    const char* name;
    int number;
  };
  // A preference read met by the replay itself, a number nothing makes, and a sync.
  const Case kCases[] = {{"registry read", DEMO_REGISTRY_READ}, {"unassigned", 13}, {"sync", DEMO_SYNC}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    DemoTestApp aPlayer;
    aPlayer.mPlayingDemoBuffer = true;
    Buffer& aBuffer = aPlayer.mDemoBuffer;
    aBuffer.WriteNumBits(1, 4);
    aBuffer.WriteNumBits(0, 1);
    aBuffer.WriteNumBits(c.number, 5);
    aBuffer.WriteNumBits(0, 4);
    aBuffer.WriteNumBits(0, 1);
    aBuffer.WriteNumBits(DEMO_KEY_DOWN, 5);
    aBuffer.WriteNumBits(65, 8);
    for (int aTick = 0; aTick < 5; ++aTick) {
      aPlayer.mUpdateCount = aTick;
      aPlayer.ProcessDemo();
    }
    EXPECT_TRUE(aPlayer.mCalls.empty());
    EXPECT_FALSE(aPlayer.mShutdown);
    EXPECT_TRUE(aPlayer.mPlayingDemoBuffer);
    EXPECT_TRUE(aBuffer.AtEnd());
  }

  // A sync that meets a key command instead leaves the text alone and stops the replay.
  DemoTestApp aPlayer;
  aPlayer.mPlayingDemoBuffer = true;
  Buffer& aBuffer = aPlayer.mDemoBuffer;
  aBuffer.WriteNumBits(0, 4);
  aBuffer.WriteNumBits(0, 1);
  aBuffer.WriteNumBits(DEMO_KEY_DOWN, 5);
  aBuffer.WriteNumBits(65, 8);
  std::string aText = "live";
  aPlayer.DemoSyncString(&aText);
  EXPECT_EQ(aText, "live");
  aPlayer.ProcessDemo();
  EXPECT_TRUE(aPlayer.mCalls.empty());
}

TEST_F(DemoFileTest, PlayingPastTheEndStopsPlaybackOnly) {
  {
    DemoTestApp anApp;
    PrepareRecording(anApp);
    anApp.mUpdateCount = 2;
    DemoRecorder(&anApp).Send(WM_KEYDOWN, 40, 0);
    anApp.mUpdateCount = 3;
    anApp.WriteDemoBuffer();
    // A file whose run ended without a recorded close, as older recordings may have.
    anApp.mRecordingDemoBuffer = false;
  }
  DemoTestApp aPlayer;
  PreparePlayback(aPlayer);
  std::string anError;
  ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError)) << anError;
  std::string aRegKey = "DemoTest";
  Registry aRegistry(&aRegKey, &aPlayer);
  for (int aTick = 0; aTick < 500; ++aTick) {
    aPlayer.mUpdateCount = aTick;
    aPlayer.ProcessDemo();
  }
  EXPECT_EQ(aPlayer.mCalls, Calls{"2:KeyDown(40)"});
  EXPECT_FALSE(aPlayer.mShutdown);
  int aValue = 0;
  EXPECT_FALSE(aRegistry.RegistryReadInteger("MusicVolume", &aValue));
  std::string aText = "live";
  aPlayer.DemoSyncString(&aText);
  EXPECT_EQ(aText, "live");
}

// Fast-forward (the playback key '0', or a replay that wants no real-time waits) runs the updates
// back to back through the loop; a command due where it starts is replayed before the first one.
TEST_F(DemoFileTest, FastForwardReplaysACommandDueWhereItStarts) {
  {
    DemoTestApp anApp;
    PrepareRecording(anApp);
    anApp.mUpdateCount = 0;
    DemoRecorder(&anApp).Send(WM_KEYDOWN, 65, 0);
    anApp.mUpdateCount = 5;
    DemoRecorder(&anApp).Send(WM_KEYUP, 65, 0);
    anApp.mUpdateCount = 40;
    anApp.WriteDemoBuffer();
  }
  DemoTestApp aPlayer;
  PreparePlayback(aPlayer);
  std::string anError;
  ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError)) << anError;
  aPlayer.mLoaded = true;
  aPlayer.mDemoLoadingComplete = true;
  aPlayer.mFastForwardToUpdateNum = aPlayer.mDemoLength;
  for (int aPass = 0; aPass < 200 && aPlayer.mUpdateCount < aPlayer.mDemoLength; ++aPass)
    aPlayer.Process(false);
  EXPECT_EQ(aPlayer.mUpdateCount, 40);
  Calls aKeys;
  for (const std::string& aCall : aPlayer.mCalls)
    if (aCall.find("Key") != std::string::npos) aKeys.push_back(aCall);
  EXPECT_EQ(aKeys, (Calls{"0:KeyDown(65)", "5:KeyUp(65)"}));
}

TEST_F(DemoFileTest, BadFilesAreRefused) {
  const std::string kHeader = Bytes({0x78, 0xEF, 0xBE, 0x42, 0x02, 0, 0, 0, 0x07, 0, 0, 0});
  const std::string kVersion = Bytes({0x03, 0x00}) + "1.0";
  const std::string kNoMarkers = Bytes({0x04, 0, 0, 0, 0, 0, 0, 0});
  const std::string kLength = Bytes({0x05, 0, 0, 0});
  struct Case {
    const char* name;
    std::string bytes;
    const char* error;  // null: read
  };
  const Case kCases[] = {
      {"good", kHeader + kVersion + kNoMarkers + kLength + "\x01", nullptr},
      {"version 1 has no marker block",
       Bytes({0x78, 0xEF, 0xBE, 0x42, 1, 0, 0, 0, 7, 0, 0, 0}) + kVersion + kLength + "\x01", nullptr},
      {"bad identifier",
       Bytes({0x79, 0xEF, 0xBE, 0x42, 2, 0, 0, 0, 7, 0, 0, 0}) + kVersion + kNoMarkers + kLength + "\x01",
       "Invalid demo file."},
      {"other product version", kHeader + Bytes({0x03, 0x00}) + "0.9" + kNoMarkers + kLength + "\x01",
       "This demo file appears to be for '0.9'"},
      {"empty file", "", "Invalid demo file."},
      {"cut in the header", kHeader.substr(0, 10), "Invalid demo file."},
      {"marker block reaches the end", kHeader + kVersion + Bytes({0x09, 0, 0, 0}) + kLength + "\x01",
       "Invalid demo file."},
      {"fewer markers than counted",
       kHeader + kVersion + Bytes({0x04, 0, 0, 0, 0x02, 0, 0, 0}) + kLength + "\x01", "Invalid demo file."},
      {"marker name past the block",
       kHeader + kVersion + Bytes({0x08, 0, 0, 0, 1, 0, 0, 0, 0x40, 0, 'a', 'b'}) + kLength + "\x01",
       "Invalid demo file."},
      {"no command stream", kHeader + kVersion + kNoMarkers + kLength, "Invalid demo file."},
      {"no demo length", kHeader + kVersion + kNoMarkers, "Invalid demo file."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(TeskTest::WriteFile(mDemoFile, c.bytes));
    DemoTestApp aPlayer;
    PreparePlayback(aPlayer);
    std::string anError;
    EXPECT_EQ(aPlayer.ReadDemoBuffer(anError), c.error == nullptr);
    EXPECT_EQ(anError, c.error == nullptr ? "" : c.error);
  }

  DemoTestApp aPlayer;
  PreparePlayback(aPlayer);
  aPlayer.mDemoFileName = mFolder + "/absent.dmo";
  std::string anError;
  EXPECT_FALSE(aPlayer.ReadDemoBuffer(anError));
  EXPECT_EQ(anError, "Demo file not found: " + mFolder + "/absent.dmo");
}

TEST_F(DemoFileTest, TruncatedAndCorruptFilesEndPlaybackCleanly) {
  std::string aRegKey = "DemoTest";
  SessionResults aRecorded;
  {
    DemoTestApp anApp;
    PrepareRecording(anApp);
    Registry aRegistry(&aRegKey, &anApp);
    DemoRecorder aRecorder(&anApp);
    for (int aTick = 0; aTick <= k_SessionEnd; ++aTick) {
      anApp.mUpdateCount = aTick;
      if (aTick == 0) anApp.DemoSyncRefreshRate();
      GameUpdate(anApp, aRegistry, aTick, "text", &aRecorded);
      SessionInput(aRecorder, aTick);
    }
    anApp.WriteDemoBuffer();
  }
  const std::string aWhole = DemoTest::ReadBytes(mDemoFile);
  const size_t kStreamStart = 12 + 2 + 3 + 8 + 4;
  ASSERT_GT(aWhole.size(), kStreamStart + 10);

  Calls aFull;
  {
    DemoTestApp aPlayer;
    PreparePlayback(aPlayer);
    std::string anError;
    ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError));
    aFull = Replay(aPlayer, k_SessionEnd, "text").mCalls;
  }

  // Every truncation point: before the stream the file is refused; inside it the replay
  // shows a beginning of the full run and stops where the bytes end.
  for (size_t aLength = 0; aLength <= aWhole.size(); ++aLength) {
    SCOPED_TRACE("length " + std::to_string(aLength));
    ASSERT_TRUE(TeskTest::WriteFile(mDemoFile, aWhole.substr(0, aLength)));
    DemoTestApp aPlayer;
    PreparePlayback(aPlayer);
    std::string anError;
    const bool isRead = aPlayer.ReadDemoBuffer(anError);
    EXPECT_EQ(isRead, aLength > kStreamStart);
    if (!isRead) {
      EXPECT_FALSE(anError.empty());
      continue;
    }
    const Calls aCalls = Replay(aPlayer, k_SessionEnd + 20, "text").mCalls;
    ASSERT_LE(aCalls.size(), aFull.size());
    EXPECT_TRUE(std::equal(aCalls.begin(), aCalls.end(), aFull.begin()));
  }

  // Corrupt bytes anywhere in the stream: the replay ends, whatever it did.
  for (size_t aByte = kStreamStart; aByte < aWhole.size(); ++aByte) {
    SCOPED_TRACE("byte " + std::to_string(aByte));
    std::string aCorrupt = aWhole;
    aCorrupt[aByte] = static_cast<char>(aCorrupt[aByte] ^ 0x5A);
    ASSERT_TRUE(TeskTest::WriteFile(mDemoFile, aCorrupt));
    DemoTestApp aPlayer;
    PreparePlayback(aPlayer);
    std::string anError;
    ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError));
    std::string aRegKeyPlay = "DemoTest";
    Registry aRegistry(&aRegKeyPlay, &aPlayer);
    for (int aTick = 0; aTick < 2000 && !aPlayer.mShutdown; ++aTick) {
      aPlayer.mUpdateCount = aTick;
      int aValue = 0;
      if (aTick % 7 == 0) aRegistry.RegistryReadInteger("MusicVolume", &aValue);
      aPlayer.ProcessDemo();
    }
  }
}

TEST_F(DemoFileTest, LongClipboardTextsReplayAsRecorded) {
  const std::string aLong(40000, 'x');
  std::string aRecordedText = aLong;
  {
    DemoTestApp anApp;
    PrepareRecording(anApp);
    anApp.DemoSyncString(&aRecordedText);
    DemoRecorder(&anApp).Send(WM_KEYDOWN, 70, 0);
    anApp.WriteDemoBuffer();
  }
  // Cut to what a 16-bit length carries, so the recorded run saw what the replay will see.
  EXPECT_EQ(aRecordedText, aLong.substr(0, 32767));

  DemoTestApp aPlayer;
  PreparePlayback(aPlayer);
  std::string anError;
  ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError));
  std::string aText = "live";
  aPlayer.DemoSyncString(&aText);
  EXPECT_EQ(aText, aRecordedText);
  aPlayer.ProcessDemo();
  EXPECT_EQ(aPlayer.mCalls, (Calls{"0:KeyDown(70)", "0:Shutdown"}));
}

TEST_F(DemoFileTest, MaxDemoFileNumCountsAndDeletesTheOldest) {
  for (const char* aName : {"teskapp3.dmo", "teskapp7.dmo", "teskapp.dmo", "teskappX.dmo", "other9.dmo"}) {
    ASSERT_TRUE(TeskTest::WriteFile(mFolder + "/" + aName, "x"));
  }
  DemoTestApp anApp;
  const std::string aPrefix = mFolder + "/teskapp";
  EXPECT_EQ(anApp.GetMaxDemoFileNum(aPrefix, 5, true), 7);
  EXPECT_FALSE(DemoTest::ReadBytes(aPrefix + "3.dmo").empty());
  EXPECT_EQ(anApp.GetMaxDemoFileNum(aPrefix, 2, false), 7);
  EXPECT_FALSE(DemoTest::ReadBytes(aPrefix + "3.dmo").empty());
  EXPECT_EQ(anApp.GetMaxDemoFileNum(aPrefix, 2, true), 7);
  EXPECT_TRUE(DemoTest::ReadBytes(aPrefix + "3.dmo").empty());
  EXPECT_FALSE(DemoTest::ReadBytes(aPrefix + "7.dmo").empty());
  EXPECT_EQ(anApp.GetMaxDemoFileNum(mFolder + "/none", 2, true), 0);
}

TEST(DemoSound, ToggleSilencesAndRestoresBothVolumes) {
  DemoTestApp anApp;
  anApp.SetMusicVolume(0.6);
  anApp.SetSfxVolume(0.4);
  anApp.ToggleDemoSoundVolume();
  EXPECT_EQ(anApp.GetMusicVolume(), 0.0);
  EXPECT_EQ(anApp.GetSfxVolume(), 0.0);
  EXPECT_EQ(anApp.mDemoMusicVolume, 0.6);
  EXPECT_EQ(anApp.mDemoSfxVolume, 0.4);
  anApp.ToggleDemoSoundVolume();
  EXPECT_EQ(anApp.GetMusicVolume(), 0.6);
  EXPECT_EQ(anApp.GetSfxVolume(), 0.4);
}
