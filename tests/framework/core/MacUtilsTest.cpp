#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/MacUtils.h"
#include "core/OsWindowBridge.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"
#include "platform/coreservices/backend/RecordingUrlLauncher.h"
#include "platform/coreservices/backend/ScriptedClock.h"
#include "platform/mp/Multiprocessing.h"
#include "support/TestTemp.h"

namespace {

class ScopedEnv {
 public:
  ScopedEnv(const char* theName, const char* theValue) : mName(theName) {
    const char* anOld = std::getenv(theName);
    mHad = anOld != nullptr;
    if (mHad) mOld = anOld;
    if (theValue)
      setenv(theName, theValue, 1);
    else
      unsetenv(theName);
  }
  ~ScopedEnv() {
    if (mHad)
      setenv(mName.c_str(), mOld.c_str(), 1);
    else
      unsetenv(mName.c_str());
  }

 private:
  std::string mName, mOld;
  bool mHad = false;
};

}  // namespace

TEST(TickCount, StaysInMillisecondsForAnyUpTimeAndWraps) {
  struct Case {
    uint64_t nanos;
    uint32_t ticks;
  };
  const uint64_t kMs = 1000000;
  const Case kCases[] = {
      {0, 0},
      {999999, 0},
      {kMs * 1234, 1234},
      {kMs * 2147483ull + 647000, 2147483},              // last span a Duration holds in microseconds
      {kMs * 35ull * 60 * 1000, 35u * 60 * 1000},        // past it: milliseconds
      {kMs * 30ull * 86400 * 1000, 30u * 86400 * 1000},  // 30 days
      {kMs * 0xFFFFFFFFull, 0xFFFFFFFFu},                // the last tick before the wrap
      {kMs * (0x100000000ull + 5), 5},                   // wrapped
  };
  ScriptedClock aClock;
  SetCoreServicesClock(&aClock);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.nanos);
    aClock.Set(c.nanos);
    EXPECT_EQ(GetTickCount(), c.ticks);
    EXPECT_EQ(timeGetTime(), c.ticks);
  }
  SetCoreServicesClock(nullptr);
}

TEST(TickCount, SleepAdvancesTheScriptedClock) {
  ScriptedClock aClock(7000000);
  SetCoreServicesClock(&aClock);
  const uint32_t aStart = GetTickCount();
  Sleep(250);
  EXPECT_EQ(GetTickCount() - aStart, 250u);
  Sleep(0);
  EXPECT_EQ(GetTickCount() - aStart, 250u);
  SetCoreServicesClock(nullptr);
}

TEST(ThreadId, IsTheTaskIdOfTheCaller) {
  static std::atomic<uint32_t> sOther{0};
  MPTaskID aTask = 0;
  ASSERT_EQ(MPCreateTask(
                [](void*) -> OSStatus {
                  sOther = GetCurrentThreadId();
                  return 0;
                },
                nullptr, &aTask),
            0);
  MPWaitForTaskExit(aTask);
  EXPECT_EQ(sOther, aTask);
  EXPECT_NE(GetCurrentThreadId(), aTask);
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
}

TEST(MessageBox, KindsButtonsAndAnswers) {
  struct Case {
    uint32_t type;
    DialogItemIndex answer;
    AlertType kind;
    std::vector<std::string> buttons;
    int32_t result;
  };
  const Case kCases[] = {
      {0x24, 1, kAlertCautionAlert, {"Yes", "No"}, IDYES},
      {0x24, 2, kAlertCautionAlert, {"Yes", "No"}, IDNO},
      {0x10, 1, kAlertStopAlert, {"OK"}, IDOK},
      {0x01, 2, kAlertNoteAlert, {"OK", "Cancel"}, IDCANCEL},
      {0x30, 1, kAlertNoteAlert, {"OK"}, IDOK},
      {0x40, 1, kAlertPlainAlert, {"OK"}, IDOK},
      {0x00, 1, kAlertNoteAlert, {"OK"}, IDOK},
      {0x13, 2, kAlertStopAlert, {"OK", "Cancel"}, 7},  // Yes/No/Cancel shows OK/Cancel, answers 6/7
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.type);
    ScriptedAlertBackend aBackend;
    SetAlertBackend(&aBackend);
    aBackend.QueueAnswer(c.answer);
    EXPECT_EQ(MessageBox(nullptr, "the text", "the caption", c.type), c.result);
    SetAlertBackend(nullptr);
    const std::vector<AlertRequest> aShownAll = aBackend.Shown();
    ASSERT_EQ(aShownAll.size(), 1u);
    const AlertRequest& aShown = aShownAll[0];
    EXPECT_EQ(aShown.mType, c.kind);
    EXPECT_EQ(aShown.mButtons, c.buttons);
    EXPECT_EQ(aShown.mMessage, "the caption");
    EXPECT_EQ(aShown.mExplanation, "the text");
    EXPECT_EQ(aShown.mDefaultItem, 1);
  }
}

TEST(MessageBox, LongTextsAreShownWholeInUtf8) {
  ScriptedAlertBackend aBackend;
  SetAlertBackend(&aBackend);
  const std::string aLong(5000, 'e');
  EXPECT_EQ(MessageBoxW(nullptr, aLong.c_str(), "Caf\x8E", MB_OK), IDOK);  // nothing scripted: the default
  SetAlertBackend(nullptr);
  ASSERT_EQ(aBackend.Shown().size(), 1u);
  EXPECT_EQ(aBackend.Shown()[0].mExplanation, aLong);
  EXPECT_EQ(aBackend.Shown()[0].mMessage, "Caf\xC3\xA9");
}

TEST(MessageBox, UnattendedRunsPrintAndTakeTheDefault) {
  ScopedEnv anAlerts("TESK_ALERTS", "stderr");
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(nullptr, "Can't find bass.dll.", "Error", MB_ICONHAND), IDOK);
  EXPECT_EQ(MessageBox(nullptr, "Really?", "Question", MB_YESNO | MB_ICONQUESTION), IDYES);
  const std::string anOutput = testing::internal::GetCapturedStderr();
  EXPECT_NE(anOutput.find("Error"), std::string::npos);
  EXPECT_NE(anOutput.find("Can't find bass.dll."), std::string::npos);
  EXPECT_NE(anOutput.find("Really?"), std::string::npos);
}

TEST(MacFopen, RetriesUnderTheResourcesFolderWithSlashes) {
  const std::string aResources = TeskTest::MakeTempDir("resources");
  std::filesystem::create_directories(aResources + "/images");
  ASSERT_TRUE(TeskTest::WriteFile(aResources + "/images/a.png", "png!"));
  // Far longer than the old fixed buffers (128 bytes of name, 512 of path).
  const std::string aPart(200, 'n');
  std::filesystem::create_directories(aResources + "/" + aPart + "/" + aPart + "/" + aPart);
  ASSERT_TRUE(TeskTest::WriteFile(aResources + "/" + aPart + "/" + aPart + "/" + aPart + "/f.txt", "long"));
  const std::string aLongName = aPart + "\\" + aPart + "\\" + aPart + "\\f.txt";
  ScopedEnv anEnv("TESK_RESOURCES_DIR", aResources.c_str());

  FILE* aFile = Mac_fopen("images\\a.png", "rb");
  ASSERT_NE(aFile, nullptr);
  char aBytes[8] = {};
  EXPECT_EQ(std::fread(aBytes, 1, 4, aFile), 4u);
  EXPECT_STREQ(aBytes, "png!");
  std::fclose(aFile);

  aFile = Mac_fopen(aLongName.c_str(), "rb");
  EXPECT_NE(aFile, nullptr);
  if (aFile) std::fclose(aFile);
  EXPECT_EQ(Mac_fopen("images\\missing.png", "rb"), nullptr);

  char aPath[1024];
  EXPECT_TRUE(GetResourcePath("images/a.png", aPath, sizeof(aPath)));
  EXPECT_EQ(std::string(aPath), aResources + "/images/a.png");
  EXPECT_TRUE(GetResourcePath(nullptr, aPath, sizeof(aPath)));
  EXPECT_EQ(std::string(aPath), aResources);
  EXPECT_FALSE(GetResourcePath("images/missing.png", aPath, sizeof(aPath)));
  char aSmall[8];
  EXPECT_FALSE(GetResourcePath("images/a.png", aSmall, sizeof(aSmall)));  // would not fit

  ScopedEnv aGone("TESK_RESOURCES_DIR", (aResources + "/nowhere").c_str());
  EXPECT_EQ(Mac_fopen("images\\a.png", "rb"), nullptr);
  EXPECT_FALSE(GetResourcePath(nullptr, aPath, sizeof(aPath)));
}

TEST(LaunchURL, WebAddressesAndFilePathsAreRecorded) {
  RecordingUrlLauncher aLauncher;
  SetUrlLauncher(&aLauncher);
  LaunchURL("http://example.com/page?x=1");
  LaunchURL("https://example.com/");
  LaunchURL("docs/read me.txt");
  LaunchURL("/tmp/a.html");
  LaunchURL("http://not a url");  // makes no URL: opens nothing
  LaunchURL("");
  SetUrlLauncher(nullptr);
  const std::string aCwd = std::filesystem::current_path().string();
  EXPECT_EQ(aLauncher.Opened(),
            (std::vector<std::string>{"http://example.com/page?x=1", "https://example.com/",
                                      "file://" + aCwd + "/docs/read%20me.txt", "file:///tmp/a.html"}));
}

namespace {

struct FakeWindow {
  bool mVisible = true, mCollapsed = false;
  int mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
};

class FakeBridge : public Tesk::OsWindowBridge {
 public:
  int32_t PostMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) override {
    mCalls.push_back({"post", theWindow, theMessage, theWParam, theLParam});
    return 0;
  }
  int32_t SendMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) override {
    mCalls.push_back({"send", theWindow, theMessage, theWParam, theLParam});
    return -1;
  }
  bool IsWindowVisible(WindowRef theWindow) override { return Window(theWindow).mVisible; }
  bool IsWindowCollapsed(WindowRef theWindow) override { return Window(theWindow).mCollapsed; }
  bool GetWindowContentBounds(WindowRef theWindow, int* l, int* t, int* r, int* b) override {
    FakeWindow& w = Window(theWindow);
    *l = w.mLeft, *t = w.mTop, *r = w.mRight, *b = w.mBottom;
    return true;
  }
  void MoveWindow(WindowRef theWindow, int theLeft, int theTop) override {
    FakeWindow& w = Window(theWindow);
    w.mRight += theLeft - w.mLeft, w.mBottom += theTop - w.mTop;
    w.mLeft = theLeft, w.mTop = theTop;
  }
  void SizeWindow(WindowRef theWindow, int theWidth, int theHeight) override {
    FakeWindow& w = Window(theWindow);
    w.mRight = w.mLeft + theWidth, w.mBottom = w.mTop + theHeight;
  }
  static FakeWindow& Window(WindowRef theWindow) { return *reinterpret_cast<FakeWindow*>(theWindow); }

  struct Call {
    std::string kind;
    HWND window;
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Call> mCalls;
};

WindowRef AsRef(FakeWindow& theWindow) { return reinterpret_cast<WindowRef>(&theWindow); }

}  // namespace

TEST(WindowMessages, FailWithoutTheWindowLayerAndGoThroughItOnceInstalled) {
  EXPECT_NE(PostMessage(nullptr, 273, 1, 275), 0);
  EXPECT_NE(SendMessage(nullptr, 16, 0, 0), 0);
  FakeBridge aBridge;
  Tesk::SetOsWindowBridge(&aBridge);
  EXPECT_EQ(PostMessage(reinterpret_cast<HWND>(0x10), 256, 'a', 0), 0);
  EXPECT_EQ(SendMessage(nullptr, 273, 0x4B574D52, 275), -1);
  Tesk::SetOsWindowBridge(nullptr);
  ASSERT_EQ(aBridge.mCalls.size(), 2u);
  EXPECT_EQ(aBridge.mCalls[0].kind, "post");
  EXPECT_EQ(aBridge.mCalls[0].message, 256u);
  EXPECT_EQ(aBridge.mCalls[1].kind, "send");
  EXPECT_EQ(aBridge.mCalls[1].wParam, 0x4B574D52u);
  EXPECT_EQ(aBridge.mCalls[1].lParam, 275);
}

TEST(WindowMessages, DisplayChangeRestoresVisibleWindowsOnly) {
  FakeBridge aBridge;
  Tesk::SetOsWindowBridge(&aBridge);
  FakeWindow aMain{true, false, 100, 50, 900, 650};
  FakeWindow aCollapsed{true, true, 10, 10, 20, 20};
  FakeWindow aHidden{false, false, 30, 30, 40, 40};
  for (FakeWindow* w : {&aMain, &aCollapsed, &aHidden})
    EXPECT_TRUE(ChangeDisplayWindowEnumProc(AsRef(*w), false));
  // The mode change moves and resizes everything.
  for (FakeWindow* w : {&aMain, &aCollapsed, &aHidden})
    *w = FakeWindow{w->mVisible, w->mCollapsed, 0, 0, 640, 480};
  // A second "before" does not replace what was recorded first.
  EXPECT_TRUE(ChangeDisplayWindowEnumProc(AsRef(aMain), false));
  for (FakeWindow* w : {&aMain, &aCollapsed, &aHidden})
    EXPECT_TRUE(ChangeDisplayWindowEnumProc(AsRef(*w), true));
  Tesk::SetOsWindowBridge(nullptr);
  EXPECT_EQ(aMain.mLeft, 100);
  EXPECT_EQ(aMain.mTop, 50);
  EXPECT_EQ(aMain.mRight, 900);
  EXPECT_EQ(aMain.mBottom, 650);
  EXPECT_EQ(aCollapsed.mRight, 640);
  EXPECT_EQ(aHidden.mRight, 640);
}
