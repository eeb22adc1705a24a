// The game as a program on a real (virtual) X display, from a resources folder written by the
// project's writers and, when the build has made it, from the generated asset set: it loads
// "Constants", "Init" and "Main", shows its logo screen, and ends cleanly when its window is
// closed, saving what the exit rules say; a resident group it cannot load or bind ends start-up
// with the resource error and status 1, writing nothing; a damaged preferences file is kept aside.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ProgramRig.h"
#include "display/DDInterface.h"
#include "framework/appdisplay/XScreen.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameResourceSet.h"
#include "game/shell/PreScreens.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/TitleScreen.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "resources/ResourceManager.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

extern "C" const char* __lsan_default_suppressions();

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kGame = std::string(TESK_TEST_BINARY_DIR) + "/../game";
const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

// The folder the tests start the game from, written once.
const std::string& ResourcesDir() {
  static const std::string sDir = [] {
    const std::string aDir = TeskTest::MakeTempDir("program-resources");
    std::string anError;
    if (!GameTest::WriteGameResources(aDir, &anError)) ADD_FAILURE() << anError;
    return aDir;
  }();
  return sDir;
}

// A copy of the folder to damage.
std::string CopyOfResources(const std::string& theName) {
  const std::string aDir = TeskTest::MakeTempDir(theName);
  fs::copy(ResourcesDir(), aDir, fs::copy_options::recursive);
  return aDir;
}

struct GameRun {
  int mStatus = -1;  // the exit status, or -1 when it did not exit
  std::string mErrors;
};

// Runs the game binary with theEnvironment ("NAME=value ..."), its standard error kept.
GameRun RunGame(const std::string& theEnvironment, const std::string& theScratch) {
  const std::string anErrors = theScratch + "/stderr.txt";
  // The display libraries keep some memory for the process's life; the leak checker of a
  // sanitizer build is told so, as in the tests' own binaries.
  const std::string aSuppressions = theScratch + "/lsan.supp";
  TeskTest::WriteFile(aSuppressions, __lsan_default_suppressions());
  const std::string aCommand =
      "env SDL_AUDIODRIVER=dummy TESK_ALERTS=stderr LSAN_OPTIONS=suppressions=" + aSuppressions + " " +
      theEnvironment + " timeout 60 " + kGame + " 2>" + anErrors;
  GameRun aRun;
  const int aResult = std::system(aCommand.c_str());
  if (aResult != -1 && WIFEXITED(aResult)) aRun.mStatus = WEXITSTATUS(aResult);
  aRun.mErrors = TeskTest::ReadFile(anErrors);
  return aRun;
}

// Each test points the game at the resources folder it starts from.
class GameProgram : public ProgramTest::ProgramRig {
 protected:
  GameProgram() : ProgramRig("", "program-data", ProgramTest::Needs::kWindow) {}

  void SetUp() override {
    ProgramRig::SetUp();
    mDataFolder = mData + "/Orvo Soft Games/GloamHollow/";
  }

  bool HasGameBinary() { return fs::exists(kGame); }

  std::string Preferences() { return TeskTest::ReadFile(mDataFolder + "Preferences.txt"); }

  std::string mDataFolder;
};

// Runs the application's loop on this thread until its window is closed from outside after
// theSeconds; true when the close request ended it.
bool RunUntilClosed(Tesk::GameApp* theApp, double theSeconds) {
  unsigned long anXWindow = XScreen::XWindowOf(CarbonSDLWindow(theApp->mWindow));
  std::atomic<bool> aRunEnded{false};
  std::thread anOutside([&] {
    std::this_thread::sleep_for(std::chrono::duration<double>(theSeconds));
    XScreen::RequestClose(anXWindow);
    auto aDeadline = Clock::now() + std::chrono::seconds(10);
    while (!aRunEnded && Clock::now() < aDeadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!aRunEnded) theApp->Shutdown();
  });
  theApp->Start();
  aRunEnded = true;
  anOutside.join();
  return theApp->mWindowClosed;
}

TEST_F(GameProgram, StartsWithItsResidentGroupsShowsItsLogosAndSavesNoProfileWhenClosedThere) {
  setenv("TESK_RESOURCES_DIR", ResourcesDir().c_str(), 1);
  auto* anApp = new Tesk::GameApp();
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  int aWidth = 0;
  int aHeight = 0;
  SDL_Window* aWindow = CarbonSDLWindow(anApp->mWindow);
  SDL_GetWindowSize(aWindow, &aWidth, &aHeight);
  // The game's 800 x 600 in a window; in full screen the window covers the screen.
  SDL_Rect aScreen{0, 0, 800, 600};
  if (!anApp->mIsWindowed) SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(aWindow), &aScreen);
  EXPECT_EQ(aWidth, aScreen.w);
  EXPECT_EQ(aHeight, aScreen.h);
  ASSERT_NE(anApp->mDDInterface, nullptr);
  EXPECT_EQ(anApp->is3DEnabled(), anApp->mDDInterface->mIs3D);
  const auto& aGroups = anApp->mResourceManager->mLoadedGroups;
  EXPECT_EQ(std::set<std::string>(aGroups.begin(), aGroups.end()),
            (std::set<std::string>{"Constants", "Init", "Main"}));
  EXPECT_NE(Tesk::FONT_TIME, nullptr);
  EXPECT_NE(Tesk::IMAGE_DEZADUDE_LOGO, nullptr);
  EXPECT_NE(Tesk::ANIM_FIRE1, nullptr);
  for (Tesk::Image* anImage : Tesk::GameApp::s_images) EXPECT_NE(anImage, nullptr);
  ASSERT_NE(anApp->m_preScreens, nullptr);
  EXPECT_TRUE(anApp->mWidgetManager->HasWidget(anApp->m_preScreens));
  EXPECT_FALSE(anApp->mWidgetManager->HasWidget(anApp->m_titleScreen));
  EXPECT_NE(anApp->getProfileData(), nullptr);
  EXPECT_NE(anApp->getMap(), nullptr);
  EXPECT_NE(anApp->getMiniGame(), nullptr);
  EXPECT_NE(anApp->getIngame(), nullptr);
  EXPECT_EQ(anApp->mNumLoadingThreadTasks, 37);
  EXPECT_STREQ(Tesk::GameApp::s_reduceTime60.c_str(), L"-60 s");

  EXPECT_TRUE(RunUntilClosed(anApp, 1.5));
  EXPECT_TRUE(anApp->mLoaded);  // the loading thread ended and its end was taken up
  EXPECT_FALSE(anApp->mLoadingFailed);
  EXPECT_GT(anApp->mUpdateCount, 20);
  delete anApp;

  // Closed during the logos: the preference is written, the profile is not.
  EXPECT_NE(Preferences().find("isUsingCustomCursor"), std::string::npos) << Preferences();
  EXPECT_FALSE(fs::exists(mDataFolder + "profile.prof"));
}

TEST_F(GameProgram, ClosedOnTheTitleScreenItSavesTheProfileAndKeepsTheCursorChoice) {
  setenv("TESK_RESOURCES_DIR", ResourcesDir().c_str(), 1);
  {
    auto* anApp = new Tesk::GameApp();
    anApp->Init();
    ASSERT_NE(anApp->mWindow, nullptr);
    // The logos end at once: the title screen follows with its group.
    anApp->PreScreensFinished();
    EXPECT_TRUE(anApp->mWidgetManager->HasWidget(anApp->getTitleScreen()));
    EXPECT_STREQ(Tesk::GameApp::databaseCurrentlyLoaded, "TitleScreen");
    Tesk::GameApp::s_isUsingCustomCursor = false;
    EXPECT_TRUE(RunUntilClosed(anApp, 1.0));
    delete anApp;
  }
  const std::string aProfile = TeskTest::ReadFile(mDataFolder + "profile.prof");
  ASSERT_EQ(aProfile.size(), 800u);
  EXPECT_EQ(aProfile.substr(0, 4), std::string("\xAA\xDC\xAC\x00", 4));

  // The next start reads the cursor choice back, and writes it again at its end.
  Tesk::GameApp::s_isUsingCustomCursor = true;
  auto* aNext = new Tesk::GameApp();
  aNext->Init();
  EXPECT_FALSE(Tesk::GameApp::s_isUsingCustomCursor);
  delete aNext;
  Tesk::GameApp::s_isUsingCustomCursor = true;
  Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
}

// A preferences file that does not read is kept aside at the start that refuses it, each under
// a name of its own: a second damaged file never replaces the first one kept.
TEST_F(GameProgram, EachDamagedPreferencesFileIsKeptAsideUnderANameOfItsOwn) {
  if (!HasGameBinary()) GTEST_SKIP() << "no game binary";
  fs::create_directories(mDataFolder);
  const std::string kDamaged[] = {"# Tesk preferences 2\nfirst damage\n",
                                  "# Tesk preferences 2\nsecond damage\n"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(TeskTest::WriteFile(mDataFolder + "Preferences.txt", kDamaged[i]));
    const GameRun aRun = RunGame("TESK_RUN_SECONDS=1 TESK_RESOURCES_DIR='" + ResourcesDir() + "'",
                                 TeskTest::MakeTempDir("program-prefs-run"));
    EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
    const std::string aKept = mDataFolder + "Preferences.txt.corrupt" + std::to_string(i + 1);
    EXPECT_NE(aRun.mErrors.find("is kept as " + aKept), std::string::npos) << aRun.mErrors;
    // The run's own preferences are whole again.
    EXPECT_NE(Preferences().find("isUsingCustomCursor"), std::string::npos) << Preferences();
  }
  EXPECT_EQ(TeskTest::ReadFile(mDataFolder + "Preferences.txt.corrupt1"), kDamaged[0]);
  EXPECT_EQ(TeskTest::ReadFile(mDataFolder + "Preferences.txt.corrupt2"), kDamaged[1]);
  EXPECT_FALSE(fs::exists(mDataFolder + "Preferences.txt.corrupt"));
}

// theCount small images as one block.
std::string SharedBlock(int theCount) {
  std::vector<TeskTools::BlockImage> anImages(theCount);
  for (TeskTools::BlockImage& anImage : anImages) {
    anImage.mWidth = 4;
    anImage.mHeight = 4;
    anImage.mPalette = {0xFF000000u, 0xFFFFFFFFu};
    anImage.mIndices.assign(16, 1);
  }
  return TeskTools::ImageBlockBytes(anImages);
}

TEST_F(GameProgram, TheSharedImagesAreTheBlocksFirst25) {
  const std::string aDir = CopyOfResources("program-block-30");
  ASSERT_TRUE(TeskTools::WriteBytes(aDir + "/builddata/animsblock.tgab", SharedBlock(30)));
  setenv("TESK_RESOURCES_DIR", aDir.c_str(), 1);
  auto* anApp = new Tesk::GameApp();
  anApp->Init();
  for (Tesk::Image* anImage : Tesk::GameApp::s_images) EXPECT_NE(anImage, nullptr);
  delete anApp;
  for (Tesk::Image* anImage : Tesk::GameApp::s_images) EXPECT_EQ(anImage, nullptr);
}

// The popup box, the results book, the particles and the cursors are shared images: a block
// short of any of them ends start-up as a resident group that fails does, writing nothing.
TEST_F(GameProgram, ASharedImageBlockShortOfItsImagesEndsStartUpWithItsErrorAndStatus1) {
  if (!HasGameBinary()) GTEST_SKIP() << "the game is not built";
  const std::string aCut = kGeneratedSet + "/broken/builddata/truncated_block.tgab";
  if (!fs::exists(aCut)) GTEST_SKIP() << "no damaged variants in " << kGeneratedSet;
  struct Case {
    const char* mName;
    std::string mBlock;  // the block's bytes; empty: no block at all
    const char* mError;
  };
  const Case kCases[] = {
      {"cut-short", TeskTest::ReadFile(aCut), "(1 of the 25 shared images can be read)"},
      {"24-images", SharedBlock(24), "(24 of the 25 shared images can be read)"},
      {"missing", "", "Failed to load image block: builddata/animsblock.tgab"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aDir = CopyOfResources(std::string("program-shared-") + c.mName);
    const std::string aBlock = aDir + "/builddata/animsblock.tgab";
    if (c.mBlock.empty()) {
      ASSERT_TRUE(fs::remove(aBlock));
    } else {
      ASSERT_TRUE(TeskTools::WriteBytes(aBlock, c.mBlock));
    }
    const std::string aData = TeskTest::MakeTempDir(std::string("program-shared-data-") + c.mName);
    const GameRun aRun =
        RunGame("TESK_RESOURCES_DIR=" + aDir + " XDG_DATA_HOME=" + aData + " TESK_RUN_SECONDS=3", aDir);
    EXPECT_EQ(aRun.mStatus, 1) << aRun.mErrors;
    EXPECT_NE(aRun.mErrors.find("Failed to load image block: builddata/animsblock.tgab"), std::string::npos)
        << aRun.mErrors;
    EXPECT_NE(aRun.mErrors.find(c.mError), std::string::npos) << aRun.mErrors;
    const std::string aFolder = aData + "/Orvo Soft Games/GloamHollow/";
    EXPECT_FALSE(fs::exists(aFolder + "profile.prof"));
    EXPECT_EQ(TeskTest::ReadFile(aFolder + "Preferences.txt").find("isUsingCustomCursor"), std::string::npos);
  }
}

// Saves killed mid-write leave their temporary files; the next run clears those of writers
// that died, even a run that writes none of these files (closed during the logos), and leaves
// a live writer's.
TEST_F(GameProgram, TemporaryFilesOfSavesWhoseWritersDiedAreSweptAtStartUp) {
  if (!HasGameBinary()) GTEST_SKIP() << "the game is not built";
  const pid_t aDead = fork();
  if (aDead == 0) _exit(0);
  ASSERT_GT(aDead, 0);
  waitpid(aDead, nullptr, 0);
  const std::string aDeadSuffix = ".tmp" + std::to_string(aDead);
  const std::string aLiveSuffix = ".tmp" + std::to_string(getpid());
  fs::create_directories(mDataFolder);
  const std::vector<std::string> kDead = {"profile.prof" + aDeadSuffix, "level.sav0" + aDeadSuffix,
                                          "level.sav3" + aDeadSuffix};
  const std::vector<std::string> kKept = {"profile.prof" + aLiveSuffix, "level.sav1" + aLiveSuffix,
                                          "level.sav0" + aDeadSuffix + "x"};
  for (const std::string& aName : kDead) ASSERT_TRUE(TeskTest::WriteFile(mDataFolder + aName, "half a save"));
  for (const std::string& aName : kKept) ASSERT_TRUE(TeskTest::WriteFile(mDataFolder + aName, "half a save"));
  const std::string aScratch = TeskTest::MakeTempDir("program-sweep");
  const GameRun aRun = RunGame("TESK_RESOURCES_DIR=" + ResourcesDir() + " TESK_RUN_SECONDS=1", aScratch);
  EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
  EXPECT_FALSE(fs::exists(mDataFolder + "profile.prof"));  // closed during the logos: no save
  for (const std::string& aName : kDead) EXPECT_FALSE(fs::exists(mDataFolder + aName)) << aName;
  for (const std::string& aName : kKept) EXPECT_TRUE(fs::exists(mDataFolder + aName)) << aName;
}

TEST_F(GameProgram, TheProgramRunsUnattendedAndEndsWithStatus0) {
  if (!HasGameBinary()) GTEST_SKIP() << "the game is not built";
  const std::string aScratch = TeskTest::MakeTempDir("program-run");
  const GameRun aRun = RunGame("TESK_RESOURCES_DIR=" + ResourcesDir() + " TESK_RUN_SECONDS=1", aScratch);
  EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
  // The logo screen is built; without music files the selector says so.
  EXPECT_EQ(aRun.mErrors.find("Tesk::PreScreens is not built yet"), std::string::npos) << aRun.mErrors;
  EXPECT_NE(Preferences().find("isUsingCustomCursor"), std::string::npos);
}

struct BrokenStart {
  const char* mName;
  std::set<std::string> mLeftOut;  // ids the manifest does not define
  const char* mRemovedFile;        // a file of the folder that is taken away
  const char* mError;
};

TEST_F(GameProgram, AResidentGroupThatFailsEndsStartUpWithItsErrorAndStatus1) {
  if (!HasGameBinary()) GTEST_SKIP() << "the game is not built";
  const BrokenStart kCases[] = {
      {"no-manifest", {}, "properties/resources.xml", "Resource file not found"},
      {"constants-unbound", {"FONT_TIME"}, nullptr, "Font resource not found: FONT_TIME"},
      {"constants-unloadable", {}, "sounds/SFX_COIN.wav", "Failed to load sound: sounds/SFX_COIN"},
      {"init-unbound", {"IMAGE_DEZADUDE_LOGO"}, nullptr, "Image resource not found: IMAGE_DEZADUDE_LOGO"},
      {"main-unloadable", {}, "images/ANIM_FIRE1.png", "Failed to load image: images/ANIM_FIRE1.png"},
  };
  for (const BrokenStart& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aDir = CopyOfResources(std::string("program-") + c.mName);
    if (!c.mLeftOut.empty()) {
      ASSERT_TRUE(
          TeskTools::WriteBytes(aDir + "/properties/resources.xml",
                                TeskTools::ResourceManifestText(GameTest::GameResourceSet(c.mLeftOut))));
    }
    if (c.mRemovedFile != nullptr) {
      ASSERT_TRUE(fs::remove(aDir + "/" + c.mRemovedFile));
    }
    const std::string aData = TeskTest::MakeTempDir(std::string("program-data-") + c.mName);
    const GameRun aRun =
        RunGame("TESK_RESOURCES_DIR=" + aDir + " XDG_DATA_HOME=" + aData + " TESK_RUN_SECONDS=1", aDir);
    EXPECT_EQ(aRun.mStatus, 1) << aRun.mErrors;
    EXPECT_NE(aRun.mErrors.find(c.mError), std::string::npos) << aRun.mErrors;
    const std::string aFolder = aData + "/Orvo Soft Games/GloamHollow/";
    EXPECT_FALSE(fs::exists(aFolder + "profile.prof"));
    EXPECT_EQ(TeskTest::ReadFile(aFolder + "Preferences.txt").find("isUsingCustomCursor"), std::string::npos);
  }
}

TEST_F(GameProgram, TheGeneratedAssetSetStartsTheGame) {
  if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) {
    GTEST_SKIP() << "no generated asset set in " << kGeneratedSet;
  }

  if (!HasGameBinary()) GTEST_SKIP() << "the game is not built";
  const std::string aScratch = TeskTest::MakeTempDir("program-generated");
  const GameRun aRun = RunGame("TESK_RESOURCES_DIR=" + kGeneratedSet + " TESK_RUN_SECONDS=2", aScratch);
  EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
  // It reached the logos with every shared image, every text and every song it needs.
  for (const char* aComplaint :
       {"resource not found", "shared images", "string table", "is not built yet", "cannot load the song"}) {
    EXPECT_EQ(aRun.mErrors.find(aComplaint), std::string::npos) << aRun.mErrors;
  }
}

}  // namespace
