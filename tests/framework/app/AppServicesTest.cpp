// The application object's services: threads, shared images, dialogs, alerts, sound and
// preferences.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "AppTestDoubles.h"
#include "core/MacUtils.h"
#include "graphics/MemoryImage.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/coreservices/LaunchServices.h"
#include "resources/ImageLib.h"
#include "sound/MusicInterface.h"
#include "support/ScriptedCarbon.h"
#include "support/TestTemp.h"
#include "widgets/Dialog.h"

namespace {

using Tesk::Dialog;

class AppServices : public ::testing::Test {
 protected:
  void SetUp() override {
    Scripted();
    DrainQueue();
    SetAlertBackend(&mAlerts);
  }
  void TearDown() override { SetAlertBackend(nullptr); }

  ScriptedAlertBackend mAlerts;
};

// Loading thread ---------------------------------------------------------------------------------

class LoadingApp : public RecordingApp {
 public:
  void LoadingThreadProc() override {
    for (int i = 0; i < mTasksToRun; ++i) ++mCompletedLoadingThreadTasks;
  }
  int mTasksToRun = 5;
};

TEST_F(AppServices, LoadingProgressReachesOneAndCompletionIsTakenUpOnTheNextTick) {
  struct Case {
    int announced, done;
  };
  for (const Case& c : {Case{5, 5}, Case{5, 7}}) {
    LoadingApp anApp;
    EXPECT_EQ(anApp.GetLoadingThreadProgress(), 0.0);
    anApp.mNumLoadingThreadTasks = c.announced;
    anApp.mTasksToRun = c.done;
    anApp.StartLoadingThread();
    anApp.WaitForLoadingThread();
    EXPECT_TRUE(anApp.mLoadingThreadCompleted);
    // More tasks than announced still reads as whole.
    EXPECT_EQ(anApp.GetLoadingThreadProgress(), 1.0);
    EXPECT_FALSE(anApp.mLoaded);
    gCalls.clear();
    anApp.DoUpdateFrames();
    EXPECT_TRUE(anApp.mLoaded);
    EXPECT_EQ(gCalls, std::vector<std::string>{"LoadingThreadCompleted"});
    EXPECT_EQ(anApp.mUpdateCount, 1);
  }
}

TEST_F(AppServices, WaitingForALoadingThreadThatNeverStartedReturnsAtOnce) {
  RecordingApp anApp;
  uint32_t aBefore = GetTickCount();
  anApp.WaitForLoadingThread();
  EXPECT_EQ(GetTickCount(), aBefore);
  anApp.mNumLoadingThreadTasks = 4;
  anApp.mCompletedLoadingThreadTasks = 1;
  EXPECT_EQ(anApp.GetLoadingThreadProgress(), 0.0);  // not started
}

TEST_F(AppServices, TheCursorThreadIsStoppedAndJoinedBeforeTheApplicationGoes) {
  auto anApp = std::make_unique<RecordingApp>();
  anApp->StartCursorThread();
  EXPECT_TRUE(anApp->mCursorThreadRunning);
  anApp->StopCursorThread();
  EXPECT_FALSE(anApp->mCursorThreadRunning);  // the thread has left its loop, not just been told
  EXPECT_EQ(anApp->mCursorThreadId, 0u);
  // A second thread started and never stopped by hand is stopped by the destructor.
  auto aSecond = std::make_unique<RecordingApp>();
  aSecond->StartCursorThread();
  aSecond.reset();
}

TEST_F(AppServices, AnIdleCursorThreadWaitsForThePointerInsteadOfSleepingInALoop) {
  // Every sleep moves the scripted clock, so a thread that looks every few milliseconds shows
  // as time passing while nothing happens.
  RecordingApp anApp;
  uint32_t aBefore = GetTickCount();
  anApp.StartCursorThread();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(GetTickCount(), aBefore);
  // A pointer move wakes it and it goes back to waiting.
  Tesk::NoteLastMousePos(0x00200010u);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(Tesk::gLastMousePos.load(), 0x00200010u);
  EXPECT_EQ(GetTickCount(), aBefore);
  anApp.StopCursorThread();
  EXPECT_FALSE(anApp.mCursorThreadRunning);
  Tesk::NoteLastMousePos(0);
}

TEST_F(AppServices, CursorSlotsOutsideTheThirteenAreIgnored) {
  RecordingApp anApp;
  Tesk::MemoryImage anImage;
  anApp.SetCursorImage(13, &anImage);
  anApp.SetCursorImage(-1, &anImage);
  for (Tesk::Image* aSlot : anApp.mCursorImages) EXPECT_EQ(aSlot, nullptr);
  anApp.SetCursorImage(12, &anImage);
  EXPECT_EQ(anApp.mCursorImages[12], &anImage);
  anApp.SetCursorImage(12, nullptr);
}

// Shared images ----------------------------------------------------------------------------------

TEST_F(AppServices, SharedImagesAreOnePerNameAndVariantWhateverTheCase) {
  RecordingApp anApp;
  bool is8Bit = true;
  bool isNew = false;
  {
    Tesk::SharedImageRef aFirst = anApp.GetSharedImage("!scratch", is8Bit, "v", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_FALSE(is8Bit);
    ASSERT_NE(static_cast<Tesk::MemoryImage*>(aFirst), nullptr);  // '!' names an empty image, no file
    Tesk::SharedImageRef aSecond = anApp.GetSharedImage("!SCRATCH", is8Bit, "V", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(static_cast<Tesk::MemoryImage*>(aSecond), static_cast<Tesk::MemoryImage*>(aFirst));
    Tesk::SharedImageRef aThird = anApp.GetSharedImage("!scratch", is8Bit, "other", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_EQ(anApp.mSharedImageMap.size(), 2u);
    EXPECT_EQ(anApp.mSharedImageMap.at({"!SCRATCH", "V"}).mRefCount, 2);
  }
  // Unused entries go at the next cleanup, not before.
  EXPECT_EQ(anApp.mSharedImageMap.size(), 2u);
  anApp.UpdateFrames();
  EXPECT_TRUE(anApp.mSharedImageMap.empty());
}

TEST_F(AppServices, AMissingFileGivesANullSharedImage) {
  RecordingApp anApp;
  bool is8Bit = false;
  Tesk::SharedImageRef aRef = anApp.GetSharedImage("no/such/image.png", is8Bit);
  EXPECT_EQ(static_cast<Tesk::MemoryImage*>(aRef), nullptr);
}

TEST_F(AppServices, SharedImagesFromFilesAreDecodedOnceAndHeldByFontSheets) {
  std::string aDir = TeskTest::MakeTempDir("shared_images");
  ImageLib::Image aDecoded;
  aDecoded.mWidth = 3;
  aDecoded.mHeight = 2;
  aDecoded.mBits =
      new uint32_t[6]{0xFF102030u, 0xFF405060u, 0xFF000000u, 0xFFFFFFFFu, 0x80FF0000u, 0xFF00FF00u};
  ASSERT_TRUE(ImageLib::WritePNGImage(aDir + "/sheet.png", &aDecoded));

  RecordingApp anApp;
  bool isNew = false;
  std::shared_ptr<Tesk::Image> aSheet = anApp.GetFontSheet(aDir + "/sheet.png", &isNew);
  ASSERT_NE(aSheet, nullptr);
  EXPECT_TRUE(isNew);
  EXPECT_EQ(aSheet->mWidth, 3);
  EXPECT_EQ(static_cast<Tesk::MemoryImage*>(aSheet.get())->GetBits()[1], 0xFF405060u);
  // The font's handle keeps the image through cleanups.
  anApp.UpdateFrames();
  EXPECT_EQ(anApp.mSharedImageMap.size(), 1u);
  std::shared_ptr<Tesk::Image> aSame = anApp.GetFontSheet(aDir + "/SHEET.PNG", &isNew);
  EXPECT_FALSE(isNew);
  EXPECT_EQ(aSame, aSheet);
  aSheet.reset();
  aSame.reset();
  anApp.UpdateFrames();
  EXPECT_TRUE(anApp.mSharedImageMap.empty());
}

TEST_F(AppServices, TwoThreadsAskingForOneNewImageBothGetTheLoadedImage) {
  RecordingApp anApp;
  for (int aRound = 0; aRound < 20; ++aRound) {
    std::string aName = "!race" + std::to_string(aRound);
    Tesk::MemoryImage* aSeen[2] = {nullptr, nullptr};
    std::atomic<bool> aGo{false};
    auto aTake = [&](int i) {
      while (!aGo) std::this_thread::yield();
      bool is8Bit = false;
      Tesk::SharedImageRef aRef = anApp.GetSharedImage(aName, is8Bit);
      aSeen[i] = aRef;
    };
    std::thread aThread(aTake, 0);
    aGo = true;
    aTake(1);
    aThread.join();
    ASSERT_NE(aSeen[0], nullptr);
    EXPECT_EQ(aSeen[0], aSeen[1]);
  }
  anApp.UpdateFrames();
}

TEST_F(AppServices, TheImageSetIsWalkedUnderTheLockWhileAnotherThreadMakesImages) {
  RecordingApp anApp;
  std::atomic<bool> aStop{false};
  std::thread aLoader([&] {
    // Images come and go; their pixels are the loader's own business until it hands them over.
    while (!aStop) Tesk::MemoryImage anImage;
  });
  for (int i = 0; i < 2000; ++i) {
    anApp.ReInitImages();
    anApp.DeleteNativeImageData();
    anApp.DeleteExtraImageData();
  }
  aStop = true;
  aLoader.join();
  EXPECT_TRUE(anApp.mMemoryImageSet.empty());
}

TEST_F(AppServices, TheWorkingDirectoryToBeIsTheResourcesFolderItself) {
  std::string aResources = TeskTest::MakeTempDir("app_resources");
  setenv("TESK_RESOURCES_DIR", aResources.c_str(), 1);
  RecordingApp anApp;
  unsetenv("TESK_RESOURCES_DIR");
  // Its parent would undo the program entry's change into the resources folder.
  EXPECT_EQ(anApp.mChangeDirTo, aResources);
}

// Dialogs and alerts -----------------------------------------------------------------------------

class DialogApp : public RecordingApp {
 public:
  void ButtonPress(int theId) override { gCalls.push_back("ButtonPress(" + std::to_string(theId) + ")"); }
  void ButtonDepress(int theId) override { gCalls.push_back("ButtonDepress(" + std::to_string(theId) + ")"); }
  void ModalOpen() override { gCalls.push_back("ModalOpen"); }
  void ModalClose() override { gCalls.push_back("ModalClose"); }
};

TEST_F(AppServices, DialogsAreLaidOutRegisteredAndKilledById) {
  DialogApp anApp;
  anApp.mWidth = 640;
  anApp.mHeight = 480;
  EXPECT_FALSE(anApp.KillDialog(3));
  gCalls.clear();
  Dialog* aFirst = anApp.DoDialog(3, true, L"Head", L"Lines", L"", Dialog::BUTTONS_OK_CANCEL);
  EXPECT_EQ(aFirst->mX, 160);
  EXPECT_EQ(aFirst->mY, 96);
  EXPECT_EQ(aFirst->mWidth, 320);
  EXPECT_EQ(anApp.GetDialog(3), aFirst);
  EXPECT_EQ(anApp.mWidgetManager->mBaseModalWidget, aFirst);
  Dialog* aSecond = anApp.DoDialog(3, false, L"Again", L"", L"", Dialog::BUTTONS_NONE);
  EXPECT_EQ(anApp.GetDialogCount(), 1);
  EXPECT_EQ(anApp.GetDialog(3), aSecond);
  EXPECT_EQ(anApp.mDialogList.size(), 1u);
  std::vector<std::string> aModal;
  for (const std::string& aCall : gCalls)
    if (aCall.rfind("Modal", 0) == 0) aModal.push_back(aCall);
  EXPECT_EQ(aModal, (std::vector<std::string>{"ModalOpen", "ModalClose"}));
  // The first dialog waits for the end of the update to be deleted.
  ASSERT_EQ(anApp.mSafeDeleteList.size(), 1u);
  EXPECT_EQ(anApp.mSafeDeleteList.front().mWidget, aFirst);
  anApp.ProcessSafeDeleteList();
  EXPECT_TRUE(anApp.KillDialog(aSecond));
  anApp.ProcessSafeDeleteList();
  EXPECT_EQ(anApp.GetDialogCount(), 0);
}

TEST_F(AppServices, TheStandardDialogButtonsBecomeButtonEventsOfTheApplication) {
  DialogApp anApp;
  gCalls.clear();
  Tesk::DialogListener* aListener = &anApp;
  aListener->DialogButtonPress(5, 1000);
  aListener->DialogButtonPress(5, 1001);
  aListener->DialogButtonPress(5, 7);
  aListener->DialogButtonDepress(5, 1000);
  EXPECT_EQ(gCalls,
            (std::vector<std::string>{"ButtonPress(2005)", "ButtonPress(3005)", "ButtonDepress(2005)"}));
}

TEST_F(AppServices, NamedTextsHaveDefaultsAndTheBuiltInOnes) {
  RecordingApp anApp;
  EXPECT_EQ(anApp.GetString("NO_SUCH_TEXT", L"fallback"), L"fallback");
  anApp.SetString("NO_SUCH_TEXT", L"stored");
  EXPECT_EQ(anApp.GetString("NO_SUCH_TEXT", L"fallback"), L"stored");
  EXPECT_EQ(anApp.GetString("DIALOG_BUTTON_CANCEL"), L"CANCEL");
  EXPECT_EQ(anApp.GetString("NEW_VERSION_BODY"),
            L"There is an update available for this product.  Would you like to visit the web site to "
            L"download it?");
}

TEST_F(AppServices, PopupsShowAFatalErrorUnlessShuttingDownAndAlwaysReleaseInput) {
  RecordingApp anApp;
  anApp.Popup(std::string("The manifest is broken"));
  anApp.Popup(TeskString(L"Wide text"));
  ASSERT_EQ(mAlerts.Shown().size(), 2u);
  EXPECT_EQ(mAlerts.Shown()[0].mMessage, "FATAL ERROR");
  EXPECT_EQ(mAlerts.Shown()[0].mExplanation, "The manifest is broken");
  EXPECT_EQ(mAlerts.Shown()[0].mType, kAlertStopAlert);
  EXPECT_EQ(mAlerts.Shown()[1].mExplanation, "Wide text");  // the whole text, not one character

  anApp.mShutdown = true;
  anApp.mWidgetManager->mKeyDown[65] = true;
  anApp.mCtrlDown = true;
  anApp.Popup(std::string("Not shown"));
  EXPECT_EQ(mAlerts.Shown().size(), 2u);
  EXPECT_FALSE(anApp.mWidgetManager->mKeyDown[65]);
  EXPECT_FALSE(anApp.mCtrlDown);
}

TEST_F(AppServices, AlertsInFullScreenHoldBackInputWhileTheyShow) {
  struct Watching : RecordingApp {
    bool mSeenNoDefer = false;
    void LogScreenSaverError(const std::string&) override {}
  } anApp;
  anApp.mIsPhysWindowed = false;
  anApp.BeginPopup();
  EXPECT_TRUE(anApp.mNoDefer);
  anApp.EndPopup();
  EXPECT_FALSE(anApp.mNoDefer);
  mAlerts.QueueAnswer(kAlertStdAlertOKButton);
  EXPECT_EQ(anApp.MsgBox(TeskString(L"Keep it?"), TeskString(L"Question"), MB_YESNO), IDYES);
}

// Sound and URLs ---------------------------------------------------------------------------------

class RecordingMusic : public Tesk::MusicInterface {
 public:
  void SetVolume(double theVolume) override { mVolume = theVolume; }
  void Update() override { ++mUpdates; }
  double mVolume = -1.0;
  int mUpdates = 0;
};

class SoundApp : public Tesk::TeskAppBase {};

TEST_F(AppServices, MutingCountsAndNeverChangesTheStoredVolumes) {
  SoundApp anApp;
  auto* aMusic = new RecordingMusic();
  anApp.mMusicInterface = aMusic;
  anApp.Mute(false);
  anApp.Mute(false);
  anApp.Unmute(false);
  EXPECT_TRUE(anApp.IsMuted());
  EXPECT_EQ(aMusic->mVolume, 0.0);
  anApp.SetMusicVolume(0.5);
  EXPECT_EQ(anApp.GetMusicVolume(), 0.5);
  EXPECT_EQ(aMusic->mVolume, 0.0);
  anApp.Unmute(false);
  EXPECT_FALSE(anApp.IsMuted());
  EXPECT_EQ(aMusic->mVolume, 0.5);
  anApp.Unmute(false);  // nothing to undo: the count stays at 0 and the volume is re-applied
  EXPECT_EQ(anApp.mMuteCount, 0);
  EXPECT_EQ(aMusic->mVolume, 0.5);
  anApp.PlaySample(42);  // no sound manager, no sound: nothing happens
  // The music interface hears every update tick.
  anApp.UpdateFrames();
  EXPECT_EQ(aMusic->mUpdates, 1);
}

TEST_F(AppServices, TheSameURLIsLaunchedOnce) {
  struct Launches : UrlLauncher {
    std::vector<std::string> mUrls;
    bool Open(const std::string& theUrl) override {
      mUrls.push_back(theUrl);
      return true;
    }
  } aLauncher;
  SetUrlLauncher(&aLauncher);
  RecordingApp anApp;
  EXPECT_TRUE(anApp.OpenURL("/nonexistent/first", false));
  uint32_t aFirstTime = anApp.mOpeningURLTime;
  TestClock().AdvanceMilliseconds(5);
  EXPECT_TRUE(anApp.OpenURL("/nonexistent/first", true));
  EXPECT_EQ(anApp.mOpeningURLTime, aFirstTime);
  EXPECT_FALSE(anApp.mShutdownOnURLOpen);
  EXPECT_TRUE(anApp.OpenURL("/nonexistent/second", true));
  EXPECT_EQ(anApp.mOpeningURL, "/nonexistent/second");
  EXPECT_TRUE(anApp.mShutdownOnURLOpen);
  EXPECT_EQ(aLauncher.mUrls.size(), 2u);
  SetUrlLauncher(nullptr);
}

// Preferences ------------------------------------------------------------------------------------

class PrefsApp : public Tesk::TeskAppBase {
 public:
  PrefsApp() { mRegKey = "PrefsTest"; }
};

TEST_F(AppServices, AFirstStartKeepsTheDefaultsAndMarksTheRunInProgress) {
  CFPreferencesSetStorePath(TeskTest::MakeTempDir("prefs_first") + "/Preferences.txt");
  PrefsApp anApp;
  anApp.ReadFromRegistry();
  EXPECT_EQ(anApp.mMusicVolume, 0.85);
  EXPECT_TRUE(anApp.mIsWindowed);
  EXPECT_TRUE(anApp.mLastShutdownWasGraceful);
  int anInProgress = 0;
  EXPECT_TRUE(anApp.RegistryReadInteger("InProgress", &anInProgress));
  EXPECT_EQ(anInProgress, 1);
}

TEST_F(AppServices, WhatShutdownWritesTheNextStartReads) {
  CFPreferencesSetStorePath(TeskTest::MakeTempDir("prefs_round") + "/Preferences.txt");
  {
    PrefsApp anApp;
    anApp.ReadFromRegistry();
    anApp.mMusicVolume = 0.5;
    anApp.mSfxVolume = 0.25;
    anApp.mIsWindowed = false;
    anApp.mPreferredX = 120;
    anApp.mPreferredY = 80;
    anApp.mWaitForVSync = true;
    anApp.Mute(false);
    anApp.Mute(true);  // a focus mute is not remembered
    anApp.Shutdown();
  }
  PrefsApp aNext;
  aNext.ReadFromRegistry();
  EXPECT_EQ(aNext.mMusicVolume, 0.5);
  EXPECT_EQ(aNext.mSfxVolume, 0.25);
  EXPECT_FALSE(aNext.mIsWindowed);
  EXPECT_EQ(aNext.mPreferredX, 120);
  EXPECT_EQ(aNext.mPreferredY, 80);
  EXPECT_TRUE(aNext.mWaitForVSync);
  EXPECT_EQ(aNext.mMuteCount, 1);
  EXPECT_TRUE(aNext.mLastShutdownWasGraceful);

  // A run that never wrote its preferences back is seen by the next start.
  PrefsApp aThird;
  aThird.ReadFromRegistry();
  EXPECT_FALSE(aThird.mLastShutdownWasGraceful);
}

TEST_F(AppServices, OutOfRangeStoredValuesAreClamped) {
  CFPreferencesSetStorePath(TeskTest::MakeTempDir("prefs_clamp") + "/Preferences.txt");
  PrefsApp anApp;
  anApp.RegistryWriteInteger("MusicVolume", 250);
  anApp.RegistryWriteInteger("SfxVolume", -40);
  anApp.RegistryWriteInteger("Muted", 9);
  anApp.ReadFromRegistry();
  EXPECT_EQ(anApp.mMusicVolume, 1.0);
  EXPECT_EQ(anApp.mSfxVolume, 0.0);
  EXPECT_EQ(anApp.mMuteCount, 1);
}

}  // namespace
