#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/Registry.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/PreferencesFile.h"
#include "support/TestTemp.h"

using namespace Tesk;

namespace {

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    mFolder = TeskTest::MakeTempDir("registry");
    mPath = mFolder + "/data/Preferences.txt";
    CFPreferencesSetStorePath(mPath);
  }
  void TearDown() override { CFPreferencesSetStorePath(""); }

  // Forgets what this process has cached, as a new process would.
  void Reopen() { CFPreferencesSetStorePath(mPath); }

  // Runs theBody in a child process; returns its wait status.
  template <typename Body>
  int InChild(Body theBody) {
    pid_t aChild = fork();
    if (aChild == 0) {
      CFPreferencesSetStorePath(mPath);
      _exit(theBody() ? 0 : 1);
    }
    int aStatus = 0;
    waitpid(aChild, &aStatus, 0);
    return aStatus;
  }

  std::string mFolder;
  std::string mPath;
  std::string mRegKey = "VespersCodexGloamHollow";
  Registry mRegistry{&mRegKey, nullptr};
};

}  // namespace

TEST(RegistryKeyPath, Table) {
  struct Case {
    const char* regKey;
    const char* valueName;
    const char* keyPath;
    const char* name;
  };
  const Case kCases[] = {
      {"A/", "X", "SOFTWARE\\A", "X"},
      {"A\\", "X", "SOFTWARE\\A", "X"},
      {"VespersCodexGloamHollow", "Test3D\\RuntimeError", "SOFTWARE\\VespersCodexGloamHollow\\Test3D",
       "RuntimeError"},
      {"K", "a\\b\\c", "SOFTWARE\\K\\a\\b", "c"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.valueName);
    std::string aKeyPath, aName;
    Registry::GetKeyPath(c.regKey, c.valueName, &aKeyPath, &aName);
    EXPECT_EQ(aKeyPath, c.keyPath);
    EXPECT_EQ(aName, c.name);
  }
}

TEST_F(RegistryTest, IntegersBooleansAndStringsAreRawBytes) {
  EXPECT_TRUE(mRegistry.RegistryWriteInteger("MusicVolume", 50));
  EXPECT_TRUE(mRegistry.RegistryWriteBoolean("WaitForVSync", true));
  EXPECT_TRUE(mRegistry.RegistryWriteString("Test3D\\RuntimeError", "no GL"));
  Reopen();
  int anInt = 0;
  bool aBool = false;
  EXPECT_TRUE(mRegistry.RegistryReadInteger("MusicVolume", &anInt));
  EXPECT_EQ(anInt, 50);
  EXPECT_TRUE(mRegistry.RegistryReadBoolean("WaitForVSync", &aBool));
  EXPECT_TRUE(aBool);
  uint8_t aText[16] = {};
  uint32_t aLength = sizeof(aText);
  uint32_t aType = REG_SZ;
  EXPECT_TRUE(mRegistry.RegistryRead("Test3D\\RuntimeError", &aType, aText, &aLength));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(aText), aLength), "no GL");
  EXPECT_EQ(aType, static_cast<uint32_t>(REG_SZ));  // left as passed in
  const std::string aFile = TeskTest::ReadFile(mPath);
  EXPECT_NE(aFile.find("SOFTWARE\\VespersCodexGloamHollow\tMusicVolume\t32000000\n"), std::string::npos);
  EXPECT_NE(aFile.find("SOFTWARE\\VespersCodexGloamHollow\\Test3D\tRuntimeError\t6E6F20474C\n"),
            std::string::npos);
}

TEST_F(RegistryTest, FailedReadsLeaveTheCallersValuesAlone) {
  const uint8_t kEight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_TRUE(mRegistry.RegistryWrite("Wide", REG_BINARY, kEight, 8));
  int aValue = 1234;
  EXPECT_FALSE(mRegistry.RegistryReadInteger("Wide", &aValue));
  EXPECT_EQ(aValue, 1234);
  EXPECT_FALSE(mRegistry.RegistryReadInteger("Missing", &aValue));
  EXPECT_EQ(aValue, 1234);
  uint8_t aBuffer[4] = {9, 9, 9, 9};
  uint32_t aLength = 4, aType = 77;
  EXPECT_FALSE(mRegistry.RegistryRead("Wide", &aType, aBuffer, &aLength));
  EXPECT_EQ(aLength, 4u);
  EXPECT_EQ(aType, 77u);
  EXPECT_EQ(aBuffer[0], 9);
}

TEST_F(RegistryTest, ValuesUnderOneKeyShareItAndEraseOneAtATime) {
  ASSERT_TRUE(mRegistry.RegistryWriteInteger("PreferredX", 10));
  ASSERT_TRUE(mRegistry.RegistryWriteInteger("PreferredY", 20));
  CFPreferencesDictionary aDictionary;
  ASSERT_TRUE(CFPreferencesCopyAppValue("SOFTWARE\\VespersCodexGloamHollow", &aDictionary));
  EXPECT_EQ(aDictionary.size(), 2u);
  mRegistry.RegistryEraseValue(L"PreferredX");
  Reopen();
  int aValue = 0;
  EXPECT_FALSE(mRegistry.RegistryReadInteger("PreferredX", &aValue));
  EXPECT_TRUE(mRegistry.RegistryReadInteger("PreferredY", &aValue));
  EXPECT_EQ(aValue, 20);
}

TEST_F(RegistryTest, AnEmptyRegistryKeySwitchesTheStoreOff) {
  std::string anEmpty;
  Registry anOff(&anEmpty, nullptr);
  EXPECT_FALSE(anOff.RegistryWriteInteger("MusicVolume", 1));
  int aValue = 5;
  EXPECT_FALSE(anOff.RegistryReadInteger("MusicVolume", &aValue));
  EXPECT_EQ(aValue, 5);
  EXPECT_FALSE(std::filesystem::exists(mPath));
}

TEST_F(RegistryTest, ValuesWrittenInOneProcessAreReadInTheNext) {
  int aStatus = InChild([this] {
    return mRegistry.RegistryWriteInteger("MusicVolume", 50) &&
           mRegistry.RegistryWriteInteger("SfxVolume", 25) && mRegistry.RegistryWriteInteger("ScreenMode", 0);
  });
  ASSERT_TRUE(WIFEXITED(aStatus));
  ASSERT_EQ(WEXITSTATUS(aStatus), 0);
  Reopen();
  int aMusic = 0, aSfx = 0, aMode = 9;
  EXPECT_TRUE(mRegistry.RegistryReadInteger("MusicVolume", &aMusic));
  EXPECT_TRUE(mRegistry.RegistryReadInteger("SfxVolume", &aSfx));
  EXPECT_TRUE(mRegistry.RegistryReadInteger("ScreenMode", &aMode));
  EXPECT_EQ(aMusic, 50);
  EXPECT_EQ(aSfx, 25);
  EXPECT_EQ(aMode, 0);
}

TEST_F(RegistryTest, AWriteKilledBeforeItsRenameLeavesThePreviousValues) {
  ASSERT_TRUE(mRegistry.RegistryWriteInteger("MusicVolume", 50));
  const std::string aBefore = TeskTest::ReadFile(mPath);
  int aStatus = InChild([this] {
    PreferencesFile::SetBeforeRenameHook([] { raise(SIGKILL); });
    return mRegistry.RegistryWriteInteger("MusicVolume", 99);
  });
  ASSERT_TRUE(WIFSIGNALED(aStatus));
  EXPECT_EQ(WTERMSIG(aStatus), SIGKILL);
  EXPECT_EQ(TeskTest::ReadFile(mPath), aBefore);
  Reopen();
  int aValue = 0;
  EXPECT_TRUE(mRegistry.RegistryReadInteger("MusicVolume", &aValue));
  EXPECT_EQ(aValue, 50);
  EXPECT_TRUE(mRegistry.RegistryWriteInteger("MusicVolume", 60));  // the leftover temporary is no obstacle
}

TEST_F(RegistryTest, AnUnwritableStoreReportsFailure) {
  ASSERT_TRUE(TeskTest::WriteFile(mFolder + "/plainfile", "x"));
  CFPreferencesSetStorePath(mFolder + "/plainfile/Preferences.txt");  // its folder is a file
  EXPECT_FALSE(mRegistry.RegistryWriteInteger("MusicVolume", 50));
  int aValue = 7;
  EXPECT_FALSE(mRegistry.RegistryReadInteger("MusicVolume", &aValue));  // nothing kept that is not stored
  EXPECT_EQ(aValue, 7);
}

TEST_F(RegistryTest, ACorruptFileKeepsItsGoodLinesAndACopyBeforeItIsReplaced) {
  std::filesystem::create_directories(mFolder + "/data");
  const std::string aCorrupt =
      "# Tesk preferences 1\n"
      "SOFTWARE\\VespersCodexGloamHollow\tMusicVolume\t4B000000\n"
      "garbage without tabs\n"
      "SOFTWARE\\VespersCodexGloamHollow\tSfxVolume\t1\n";
  ASSERT_TRUE(TeskTest::WriteFile(mPath, aCorrupt));
  int aValue = 0;
  testing::internal::CaptureStderr();
  EXPECT_TRUE(mRegistry.RegistryReadInteger("MusicVolume", &aValue));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("line 3"), std::string::npos);
  EXPECT_EQ(aValue, 75);
  EXPECT_FALSE(mRegistry.RegistryReadInteger("SfxVolume", &aValue));
  EXPECT_TRUE(mRegistry.RegistryWriteInteger("Muted", 0));
  EXPECT_EQ(TeskTest::ReadFile(mPath + ".corrupt1"), aCorrupt);
  Reopen();
  EXPECT_TRUE(mRegistry.RegistryReadInteger("MusicVolume", &aValue));
  EXPECT_EQ(aValue, 75);
}

TEST_F(RegistryTest, EachRefusedFileIsKeptUnderANameOfItsOwnAndNoneOverAnother) {
  std::filesystem::create_directories(mFolder + "/data");
  const std::string aHeader = "# Tesk preferences 1\n";
  // Someone else's file already holds the third name: it is passed over, not replaced.
  ASSERT_TRUE(TeskTest::WriteFile(mPath + ".corrupt3", "kept by hand"));
  const std::string kRefused[] = {aHeader + "first damage\n", aHeader + "second damage\n",
                                  aHeader + "third damage\n"};
  const char* const kKeptAs[] = {".corrupt1", ".corrupt2", ".corrupt4"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(kKeptAs[i]);
    ASSERT_TRUE(TeskTest::WriteFile(mPath, kRefused[i]));
    Reopen();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(mRegistry.RegistryWriteInteger("Muted", i));
    const std::string aLog = testing::internal::GetCapturedStderr();
    EXPECT_NE(aLog.find(mPath + " is kept as " + mPath + kKeptAs[i]), std::string::npos) << aLog;
    int aValue = -1;
    Reopen();
    EXPECT_TRUE(mRegistry.RegistryReadInteger("Muted", &aValue));  // the new file is whole
    EXPECT_EQ(aValue, i);
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TeskTest::ReadFile(mPath + kKeptAs[i]), kRefused[i]);
  EXPECT_EQ(TeskTest::ReadFile(mPath + ".corrupt3"), "kept by hand");
  EXPECT_FALSE(std::filesystem::exists(mPath + ".corrupt5"));
  EXPECT_FALSE(std::filesystem::exists(mPath + ".corrupt"));
}

TEST_F(RegistryTest, ARefusedFileThatCannotBeKeptAsideIsNotReplaced) {
  std::filesystem::create_directories(mFolder + "/data");
  const std::string aRefused = "# Tesk preferences 1\nno tabs\n";
  ASSERT_TRUE(TeskTest::WriteFile(mPath, aRefused));
  // Every name it could be kept under is taken.
  for (int n = 1; n <= 999; ++n)
    ASSERT_TRUE(TeskTest::WriteFile(mPath + ".corrupt" + std::to_string(n), "x"));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(mRegistry.RegistryWriteInteger("Muted", 1));
  const std::string aLog = testing::internal::GetCapturedStderr();
  EXPECT_NE(aLog.find(mPath + " cannot be kept aside; it is not replaced"), std::string::npos) << aLog;
  EXPECT_EQ(TeskTest::ReadFile(mPath), aRefused);
  EXPECT_EQ(TeskTest::ReadFile(mPath + ".corrupt1"), "x");
}

namespace {

// A demo stream as the demo recorder lays it out: 4 timing bits, a kind bit
// and a 1- or 5-bit number before each command. Every command is due at once.
class StreamDemo : public RegistryDemoHooks {
 public:
  bool IsRecordingDemo() const override { return mRecording; }
  bool IsPlayingDemo() const override { return mPlaying; }
  bool IsWindowClosed() const override { return mWindowClosed; }
  Buffer& GetDemoBuffer() override { return mBuffer; }
  void WriteDemoTimingBlock() override { mBuffer.WriteNumBits(0, 4); }
  bool PrepareDemoCommand(bool) override {
    if (mNeedsCommand) {
      mBuffer.ReadNumBits(4, false);
      mShort = mBuffer.ReadNumBits(1, false) == 1;
      mNumber = mBuffer.ReadNumBits(mShort ? 1 : 5, false);
      mNeedsCommand = false;
    }
    return true;
  }
  bool IsDemoShortCommand() const override { return mShort; }
  int GetDemoCommandNumber() const override { return mNumber; }
  void SetDemoNeedsCommand() override { mNeedsCommand = true; }

  bool mRecording = false, mPlaying = false, mWindowClosed = false;
  bool mNeedsCommand = true, mShort = false;
  int mNumber = 0;
  Buffer mBuffer;
};

}  // namespace

TEST_F(RegistryTest, ReadsAndWritesAreRecordedAndReplayedFromTheDemo) {
  ASSERT_TRUE(mRegistry.RegistryWriteInteger("SfxVolume", 25));
  StreamDemo aRecorder;
  aRecorder.mRecording = true;
  Registry aRecording(&mRegKey, &aRecorder);
  int aValue = 0;
  EXPECT_FALSE(aRecording.RegistryReadInteger("Missing", &aValue));
  EXPECT_TRUE(aRecording.RegistryReadInteger("SfxVolume", &aValue));
  EXPECT_TRUE(aRecording.RegistryWriteInteger("Muted", 1));
  // timing, long, 11, bit 0 | timing, long, 11, bit 1, type, length, 4 bytes | timing, long, 12, bit 1
  EXPECT_EQ(aRecorder.mBuffer.mDataBitSize,
            (4 + 1 + 5 + 1) + (4 + 1 + 5 + 1 + 32 + 32 + 32) + (4 + 1 + 5 + 1));
  aRecorder.mBuffer.SeekFront();
  EXPECT_EQ(aRecorder.mBuffer.ReadNumBits(4, false), 0);
  EXPECT_EQ(aRecorder.mBuffer.ReadNumBits(1, false), 0);
  EXPECT_EQ(aRecorder.mBuffer.ReadNumBits(5, false), DEMO_REGISTRY_READ);
  EXPECT_EQ(aRecorder.mBuffer.ReadNumBits(1, false), 0);

  // Replayed against an empty store, the values come from the demo and nothing is stored.
  CFPreferencesSetStorePath(mFolder + "/other/Preferences.txt");
  StreamDemo aPlayer;
  aPlayer.mPlaying = true;
  aPlayer.mBuffer = aRecorder.mBuffer;
  aPlayer.mBuffer.SeekFront();
  Registry aReplay(&mRegKey, &aPlayer);
  aValue = 3;
  EXPECT_FALSE(aReplay.RegistryReadInteger("Missing", &aValue));
  EXPECT_EQ(aValue, 3);
  EXPECT_TRUE(aReplay.RegistryReadInteger("SfxVolume", &aValue));
  EXPECT_EQ(aValue, 25);
  EXPECT_TRUE(aReplay.RegistryWriteInteger("Muted", 1));
  EXPECT_TRUE(aPlayer.mBuffer.AtEnd());
  EXPECT_FALSE(std::filesystem::exists(mFolder + "/other/Preferences.txt"));
  // Past the end of the stream the replay has diverged: reads fail.
  EXPECT_FALSE(aReplay.RegistryReadInteger("SfxVolume", &aValue));
  // Once the window has closed, reads fail and writes succeed without the demo.
  aPlayer.mWindowClosed = true;
  EXPECT_FALSE(aReplay.RegistryReadInteger("SfxVolume", &aValue));
  EXPECT_TRUE(aReplay.RegistryWriteInteger("Muted", 0));
}

TEST_F(RegistryTest, AFailedWriteIsRecordedAsAFailure) {
  ASSERT_TRUE(TeskTest::WriteFile(mFolder + "/plainfile", "x"));
  CFPreferencesSetStorePath(mFolder + "/plainfile/Preferences.txt");
  StreamDemo aRecorder;
  aRecorder.mRecording = true;
  Registry aRecording(&mRegKey, &aRecorder);
  EXPECT_FALSE(aRecording.RegistryWriteInteger("Muted", 1));
  aRecorder.mBuffer.SeekFront();
  aRecorder.mBuffer.ReadNumBits(4, false);
  aRecorder.mBuffer.ReadNumBits(1, false);
  EXPECT_EQ(aRecorder.mBuffer.ReadNumBits(5, false), DEMO_REGISTRY_WRITE);
  EXPECT_EQ(aRecorder.mBuffer.ReadNumBits(1, false), 0);
}
