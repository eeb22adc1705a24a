// The application object's window procedure and its deferred message queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppTestDoubles.h"
#include "core/MacUtils.h"
#include "app/MacWindowProc.h"
#include "platform/carbon/CarbonEventSource.h"
#include "platform/carbon/CarbonWindows.h"
#include "support/ScriptedCarbon.h"

namespace {

using Calls = std::vector<std::string>;

class WindowMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    Scripted();
    DrainQueue();
    gCalls.clear();
  }
  int32_t Send(uint32_t theMessage, uint32_t theWParam = 0, int32_t theLParam = 0,
               WindowRef theWindow = nullptr) {
    return Tesk::TeskAppBase::WindowProc(theWindow, theMessage, theWParam, theLParam);
  }
  std::vector<uint32_t> Queued() {
    std::vector<uint32_t> aMessages;
    for (const tagMSG& m : mApp.mDeferredMessages) aMessages.push_back(m.message);
    return aMessages;
  }
  // Handles everything queued and hands back the calls it made.
  Calls Process() {
    gCalls.clear();
    mApp.ProcessDeferredMessages(false);
    return gCalls;
  }
  RecordingApp mApp;
};

TEST_F(WindowMessages, InputFocusSizeCloseAndTimerAreQueuedTheRestIsNot) {
  struct Case {
    uint32_t message;
    bool queued;
  };
  const Case kCases[] = {
      {WM_CREATE, false},     {WM_DESTROY, false},      {WM_MOVE, true},
      {WM_SIZE, true},        {WM_ACTIVATE, false},     {WM_SHOWWINDOW, false},
      {WM_ACTIVATEAPP, true}, {WM_QUIT, false},         {WM_KEYDOWN, true},
      {WM_KEYUP, true},       {WM_CHAR, true},          {WM_SYSKEYDOWN, true},
      {WM_SYSKEYUP, true},    {WM_SYSCHAR, false},      {WM_COMMAND, false},
      {WM_TIMER, true},       {WM_MOUSEMOVE, true},     {WM_LBUTTONDOWN, true},
      {WM_LBUTTONUP, true},   {WM_LBUTTONDBLCLK, true}, {WM_RBUTTONDOWN, true},
      {WM_RBUTTONUP, true},   {WM_RBUTTONDBLCLK, true}, {WM_MBUTTONDOWN, true},
      {WM_MBUTTONUP, true},   {WM_MOUSEWHEEL, true},    {521, false},
      {WM_PAINT, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    mApp.mDeferredMessages.clear();
    EXPECT_EQ(Send(c.message, 3, 4), 0);
    EXPECT_EQ(mApp.mDeferredMessages.size(), c.queued ? 1u : 0u);
    if (c.queued) {
      const tagMSG& m = mApp.mDeferredMessages.front();
      EXPECT_EQ(m.wParam, 3u);
      EXPECT_EQ(m.lParam, 4);
    }
  }
  mApp.mDeferredMessages.clear();
}

TEST_F(WindowMessages, TimersDoNotPileUpAndNothingQueuesBehindAClose) {
  Send(WM_TIMER);
  Send(WM_TIMER);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_TIMER}));
  Send(WM_MOUSEMOVE);
  Send(WM_TIMER);
  Send(WM_TIMER);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_TIMER, WM_MOUSEMOVE, WM_TIMER}));
  Send(WM_CLOSE);
  Send(WM_KEYDOWN, 65);
  Send(WM_CLOSE);
  Send(WM_TIMER);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_TIMER, WM_MOUSEMOVE, WM_TIMER, WM_CLOSE}));
  EXPECT_EQ(gCalls, (Calls{"CloseRequestAsync", "CloseRequestAsync"}));

  // Once the close is handled the queue takes messages again.
  mApp.ProcessDeferredMessages(false);
  Send(WM_KEYDOWN, 65);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_KEYDOWN}));
  mApp.mDeferredMessages.clear();
}

TEST_F(WindowMessages, DuringAlertsInputIsNeitherQueuedNorHandled) {
  mApp.mNoDefer = true;
  Send(WM_LBUTTONDOWN);
  Send(WM_KEYDOWN, 65);
  Send(WM_CLOSE);
  EXPECT_TRUE(mApp.mDeferredMessages.empty());
  EXPECT_TRUE(gCalls.empty());
}

TEST_F(WindowMessages, ImmediateMessagesActAtOnce) {
  Send(WM_PAINT);  // not initialised yet
  EXPECT_TRUE(gCalls.empty());
  mApp.mInitialized = true;
  Send(WM_PAINT);  // initialised but the loop is not running
  EXPECT_TRUE(gCalls.empty());
  mApp.mRunning = true;
  Send(WM_PAINT);
  EXPECT_EQ(gCalls, Calls{"Redraw"});

  gCalls.clear();
  EXPECT_EQ(Send(WM_CURSORREQUEST), 1);
  EXPECT_EQ(gCalls, Calls{"EnforceCursor"});
  mApp.mSEHOccured = true;
  gCalls.clear();
  Send(WM_PAINT);
  EXPECT_EQ(Send(WM_CURSORREQUEST), 1);
  EXPECT_TRUE(gCalls.empty());

  Send(WM_ENABLE, 0);
  EXPECT_TRUE(mApp.mRestoreBlocked);
  Send(WM_ENABLE, 1);
  EXPECT_FALSE(mApp.mRestoreBlocked);

  TestClock().AdvanceMilliseconds(1234);
  Send(WM_SYSCOMMAND, SC_MONITORPOWER);
  EXPECT_EQ(mApp.mLastMonitorPowerTick, GetTickCount());

  EXPECT_TRUE(mApp.IsAltKeyUsed('R'));
  EXPECT_TRUE(mApp.IsAltKeyUsed(13));
  EXPECT_FALSE(mApp.IsAltKeyUsed('x'));
  EXPECT_TRUE(mApp.mDeferredMessages.empty());
}

TEST_F(WindowMessages, ActivationIsTakenAtOnceAndQueued) {
  Send(WM_ACTIVATEAPP, 0);
  EXPECT_FALSE(mApp.mActive);
  mApp.mPlayingDemoBuffer = true;  // the demo decides while it plays
  Send(WM_ACTIVATEAPP, 1);
  EXPECT_FALSE(mApp.mActive);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_ACTIVATEAPP, WM_ACTIVATEAPP}));
  mApp.mDeferredMessages.clear();
}

TEST_F(WindowMessages, EveryMessageThatSaysWhereThePointerIsKeepsItForTheCursorThreadAsTheFramesPixel) {
  // The window's 800 x 600 show the widgets' 400 x 300: the cursor is drawn at the frame's pixel.
  // A press, a release and the wheel say where the pointer is as a move does: the pointer may
  // rest where no move has told of it.
  struct Case {
    uint32_t message, wParam;
    int x, y;            // in the window
    int frameX, frameY;  // where the cursor is drawn
  };
  const Case kCases[] = {
      {WM_MOUSEMOVE, 0, 321, 123, 160, 61},
      {WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, 2, 2},
      {WM_LBUTTONUP, 0, 41, 61, 20, 30},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, 100, 200, 50, 100},
      {WM_RBUTTONDOWN, MK_RBUTTON, 602, 400, 301, 200},
      {WM_RBUTTONUP, 0, 10, 590, 5, 295},
      {WM_RBUTTONDBLCLK, MK_RBUTTON, 799, 599, 399, 299},
      {WM_MBUTTONDOWN, 0, 400, 300, 200, 150},
      {WM_MBUTTONUP, 0, 402, 302, 201, 151},
      {WM_MOUSEWHEEL, 120u << 16, 640, 480, 320, 240},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    Send(c.message, c.wParam, MakeMouseLParam(c.x, c.y));
    EXPECT_EQ(Tesk::gLastMousePos.load(), static_cast<uint32_t>(MakeMouseLParam(c.frameX, c.frameY)));
  }
  // Messages that carry no position leave it where it is; activation asks the system, and this
  // application has no window to ask about.
  for (uint32_t aMessage : {WM_KEYDOWN, WM_CHAR, WM_TIMER, WM_ACTIVATEAPP}) {
    SCOPED_TRACE(aMessage);
    Send(aMessage, 1, 0);
    EXPECT_EQ(Tesk::gLastMousePos.load(), static_cast<uint32_t>(MakeMouseLParam(320, 240)));
  }
  mApp.mDeferredMessages.clear();
}

TEST_F(WindowMessages, FullScreenThePointerOverTheBarsReachesTheFramesEdge) {
  // An 800 x 600 frame shown at 1440 x 1080 from x = 240 of a 1920 x 1080 screen.
  mApp.mWidgetManager->Resize(Tesk::TRect<int>(0, 0, 800, 600), Tesk::TRect<int>(240, 0, 1440, 1080));
  mApp.mWidget.Resize(0, 0, 800, 600);
  mApp.mMouseIn = true;
  struct Case {
    int mX, mY;              // in the window
    int mFrameX, mFrameY;    // full screen
    int mWindowX, mWindowY;  // in a window, which the pointer may leave while dragging
  };
  const Case kCases[] = {
      {960, 540, 400, 300, 400, 300},   {240, 0, 0, 0, 0, 0},
      {1679, 1079, 799, 599, 799, 599}, {1680, 540, 799, 300, 800, 300},  // the first pixel of the right bar
      {100, 500, 0, 277, -77, 277},     {1900, 1079, 799, 599, 922, 599},
  };
  for (bool isFullScreen : {true, false}) {
    mApp.mIsPhysWindowed = !isFullScreen;
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::to_string(c.mX) + "," + std::to_string(c.mY) +
                   (isFullScreen ? " full screen" : " window"));
      const int x = isFullScreen ? c.mFrameX : c.mWindowX, y = isFullScreen ? c.mFrameY : c.mWindowY;
      Send(WM_MOUSEMOVE, 0, MakeMouseLParam(c.mX, c.mY));
      EXPECT_EQ(Tesk::gLastMousePos.load(), static_cast<uint32_t>(MakeMouseLParam(x, y)));
      Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(c.mX, c.mY));
      Send(WM_LBUTTONUP, 0, MakeMouseLParam(c.mX, c.mY));
      const Calls aCalls = Process();
      EXPECT_EQ(mApp.mWidgetManager->mLastMouseX, x);
      EXPECT_EQ(mApp.mWidgetManager->mLastMouseY, y);
      // Full screen every click lands on the frame.
      if (isFullScreen) {
        EXPECT_NE(std::find(aCalls.begin(), aCalls.end(),
                            "MouseDown(" + std::to_string(x) + "," + std::to_string(y) + ",1)"),
                  aCalls.end());
      }
    }
  }
}

TEST_F(WindowMessages, QueuedInputReachesTheWidgets) {
  struct Case {
    uint32_t message;
    uint32_t wParam;
    int32_t lParam;
    std::string last;  // the call that reaches the widget last
    int buttonsHeld;   // the widget manager's held-button bits afterwards
  };
  const int32_t aPoint = MakeMouseLParam(100, 60);  // the widgets see (50, 30)
  const Case kCases[] = {
      {WM_MOUSEMOVE, 0, aPoint, "MouseMove(50,30)", 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, aPoint, "MouseDown(50,30,1)", 1},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, aPoint, "MouseDown(50,30,2)", 1},
      {WM_RBUTTONDOWN, MK_RBUTTON, aPoint, "MouseDown(50,30,-1)", 2},
      {WM_RBUTTONDBLCLK, MK_RBUTTON, aPoint, "MouseDown(50,30,-2)", 2},
      {WM_MBUTTONDOWN, 0, aPoint, "MouseDown(50,30,3)", 4},
      {WM_MOUSEWHEEL, 120u << 16, aPoint, "MouseWheel(1)", 0},
      {WM_MOUSEWHEEL, 0xFF88u << 16, aPoint, "MouseWheel(-1)", 0},
      {WM_MOUSEWHEEL, 360u << 16, aPoint, "MouseWheel(3)", 0},
      {WM_CHAR, 'q', 0, "KeyChar(113)", 0},
      {WM_CHAR, 0xE9, 0, "KeyChar(233)", 0},
      {WM_KEYDOWN, 65, 0, "KeyDown(65)", 0},
      {WM_SYSKEYDOWN, 66, 0, "KeyDown(66)", 0},
      {WM_KEYUP, 65, 0, "KeyUp(65)", 0},
      {WM_SYSKEYUP, 66, 0, "KeyUp(66)", 0},
  };
  mApp.mMouseIn = true;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    Send(c.message, c.wParam, c.lParam);
    Calls aCalls = Process();
    ASSERT_FALSE(aCalls.empty());
    EXPECT_EQ(aCalls.back(), c.last);
    EXPECT_EQ(mApp.mWidgetManager->mDownButtons, c.buttonsHeld);
    mApp.mWidgetManager->DoMouseUps();
  }
  EXPECT_TRUE(mApp.mWidgetManager->mKeyDown[65] == false && mApp.mWidgetManager->mKeyDown[66] == false);

  // A press and its release at a new place: the pointer moves there first, and with the
  // button held the move before the release is a drag.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(40, 20));
  Send(WM_LBUTTONUP, 0, MakeMouseLParam(40, 20));
  EXPECT_EQ(Process(),
            (Calls{"MouseMove(20,10)", "MouseDown(20,10,1)", "MouseDrag(20,10)", "MouseUp(20,10,1)"}));
  // Window coordinates are signed halves of lParam.
  Send(WM_MOUSEMOVE, 0, MakeMouseLParam(-20, 8));
  Process();
  EXPECT_EQ(mApp.mWidgetManager->mLastMouseX, -10);
  EXPECT_EQ(mApp.mWidgetManager->mLastMouseY, 4);
}

TEST_F(WindowMessages, FirstMouseMessageBringsThePointerIn) {
  TestClock().AdvanceMilliseconds(10);
  mApp.mLastTimerTime = 777;
  Send(WM_MOUSEMOVE, 0, MakeMouseLParam(2, 2));
  Send(WM_MOUSEMOVE, 0, MakeMouseLParam(4, 4));
  EXPECT_EQ(Process(), (Calls{"MouseMove(1,1)", "EnforceCursor", "MouseMove(2,2)"}));
  EXPECT_TRUE(mApp.mMouseIn);
  EXPECT_EQ(mApp.mLastUserInputTick, 777u);
}

TEST_F(WindowMessages, AltEnterSwitchesTheScreenModeUnlessForced) {
  struct Case {
    bool forceFullscreen, forceWindowed, windowed;
    Calls calls;
  };
  const Case kCases[] = {
      {false, false, true, {"SwitchScreenMode(0)"}},
      {false, false, false, {"SwitchScreenMode(1)"}},
      {true, false, false, {"KeyDown(13)"}},
      {false, true, true, {"KeyDown(13)"}},
  };
  for (const Case& c : kCases) {
    mApp.mForceFullscreen = c.forceFullscreen;
    mApp.mForceWindowed = c.forceWindowed;
    mApp.mIsWindowed = c.windowed;
    mApp.mWidgetManager->mKeyDown[18] = true;
    mApp.mCtrlDown = true;
    Send(WM_SYSKEYDOWN, 13);
    EXPECT_EQ(Process(), c.calls);
    // A switch forgets the keys held before it.
    bool aSwitched = c.calls[0] != "KeyDown(13)";
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[18], !aSwitched);
    EXPECT_EQ(mApp.mCtrlDown, !aSwitched);
  }
  Send(WM_KEYDOWN, 13);  // a plain Return is a key
  EXPECT_EQ(Process(), Calls{"KeyDown(13)"});
}

TEST_F(WindowMessages, ControlAltDTogglesTheDeveloperKeys) {
  Send(WM_KEYDOWN, 'D');
  EXPECT_EQ(Process(), Calls{"KeyDown(68)"});
  mApp.mWidgetManager->mKeyDown[17] = mApp.mWidgetManager->mKeyDown[18] = true;
  Send(WM_KEYDOWN, 'D');
  EXPECT_EQ(Process(), (Calls{"DebugKeyDown(68)", "KeyDown(68)"}));
  EXPECT_TRUE(mApp.mDebugKeysEnabled);
  mApp.mWidgetManager->mKeyDown[17] = mApp.mWidgetManager->mKeyDown[18] = false;
  mApp.mDebugKeyAnswer = true;  // a developer key takes the press
  Send(WM_KEYDOWN, 119);
  EXPECT_EQ(Process(), Calls{"DebugKeyDown(119)"});
  mApp.mWidgetManager->mKeyDown[17] = mApp.mWidgetManager->mKeyDown[18] = true;
  Send(WM_KEYDOWN, 'D');
  Process();
  EXPECT_FALSE(mApp.mDebugKeysEnabled);
}

TEST_F(WindowMessages, KeysSeenAtOnceTrackControlAndAltAndMayBeSwallowed) {
  Send(WM_KEYDOWN, 17);
  Send(WM_SYSKEYDOWN, 18);
  EXPECT_TRUE(mApp.mCtrlDown);
  EXPECT_TRUE(mApp.mAltDown);
  Send(WM_KEYUP, 18);
  Send(WM_SYSKEYUP, 17);
  EXPECT_FALSE(mApp.mCtrlDown);
  EXPECT_FALSE(mApp.mAltDown);
  mApp.mDeferredMessages.clear();

  mApp.mAsyncKeyToSwallow = 120;
  Send(WM_KEYDOWN, 120);
  Send(WM_KEYUP, 120);  // only presses are offered
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_KEYUP}));
  mApp.mDeferredMessages.clear();
}

TEST_F(WindowMessages, CloseOfTheWindowShutsDown) {
  Send(WM_CLOSE);
  EXPECT_EQ(Process(), Calls{"Shutdown"});
  EXPECT_TRUE(mApp.mWindowClosed);
}

TEST_F(WindowMessages, OneMessageAtATimeWhenAsked) {
  Send(WM_KEYDOWN, 65);
  Send(WM_KEYUP, 65);
  gCalls.clear();
  EXPECT_TRUE(mApp.ProcessDeferredMessages(true));
  EXPECT_EQ(gCalls, Calls{"KeyDown(65)"});
  EXPECT_FALSE(mApp.ProcessDeferredMessages(true));
  EXPECT_FALSE(mApp.ProcessDeferredMessages(true));
}

TEST_F(WindowMessages, MinimisingMutesAndRestoringRedrawsAndMaximisingGoesFullScreen) {
  Send(WM_SIZE, SIZE_MINIMIZED);
  EXPECT_TRUE(mApp.mPhysMinimized);
  EXPECT_EQ(Process(), (Calls{"Mute(1)", "Mute(1)", "Widget.LostFocus", "App.LostFocus"}));
  EXPECT_TRUE(mApp.mMinimized);
  EXPECT_FALSE(mApp.mHasFocus);
  Send(WM_SIZE, SIZE_RESTORED);
  EXPECT_FALSE(mApp.mPhysMinimized);
  EXPECT_EQ(Process(), (Calls{"Unmute(1)", "Unmute(1)", "Widget.GotFocus", "App.GotFocus"}));
  Send(WM_SIZE, SIZE_MAXIMIZED);
  EXPECT_EQ(Process(), Calls{"SwitchScreenMode(0)"});

  mApp.mMuteOnLostFocus = false;
  Send(WM_SIZE, SIZE_MINIMIZED);
  EXPECT_EQ(Process(), (Calls{"Widget.LostFocus", "App.LostFocus"}));
}

TEST_F(WindowMessages, ActivationReachesTheWidgetsAndEndsAPendingURL) {
  mApp.mIsOpeningURL = true;
  mApp.mOpeningURL = "http://example.com/";
  Send(WM_ACTIVATEAPP, 0);
  EXPECT_EQ(Process(), (Calls{"Mute(1)", "Widget.LostFocus", "App.LostFocus", "URLOpenSucceeded"}));
  EXPECT_FALSE(mApp.mIsOpeningURL);
  mApp.mIsPhysWindowed = false;  // full screen redraws everything on return
  Send(WM_ACTIVATEAPP, 1);
  EXPECT_EQ(Process(), (Calls{"Unmute(1)", "Widget.GotFocus", "App.GotFocus"}));
  mApp.mShutdown = true;
  Send(WM_ACTIVATEAPP, 0);
  EXPECT_TRUE(Process().empty());
}

TEST_F(WindowMessages, DuringPlaybackOnlyACloseActsAndCharactersSteerThePlayback) {
  mApp.mPlayingDemoBuffer = true;
  mApp.mDemoLength = 100000;
  mApp.mUpdateCount = 500;
  Send(WM_KEYDOWN, 65);
  Send(WM_LBUTTONDOWN);
  EXPECT_EQ(gCalls, Calls{"DebugKeyDown(65)"});  // at queue time
  EXPECT_TRUE(Process().empty());                // and never from the queue

  struct Case {
    char key;
    double multiplier;
    int32_t fastForwardTo;
  };
  const Case kCases[] = {
      {'+', 1.5, 0},      {'+', 2.25, 0},    {'-', 1.5, 0},     {'=', 1.0, 0},
      {'0', 1.0, 100000}, {'4', 1.0, 88000}, {'5', 1.0, 91000}, {'6', 1.0, 94000},
      {'7', 1.0, 97000},  {'8', 1.0, 99000}, {'9', 1.0, 99500}, {'N', 1.0, 501},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.key);
    mApp.mFastForwardToUpdateNum = 0;
    Send(WM_CHAR, static_cast<unsigned char>(c.key));
    EXPECT_DOUBLE_EQ(mApp.mUpdateMultiplier, c.multiplier);
    EXPECT_EQ(mApp.mFastForwardToUpdateNum, c.fastForwardTo);
  }
  EXPECT_TRUE(mApp.mFastForwardStep);
  Send(WM_CHAR, 'm');
  EXPECT_TRUE(mApp.mFastForwardToMarker);
  mApp.mUpdateFTimeAcc = 55.0;
  Send(WM_CHAR, 'p');
  EXPECT_TRUE(mApp.mPaused);
  EXPECT_EQ(mApp.mUpdateFTimeAcc, 0.0);
  EXPECT_EQ(mApp.mLastTimeCheck, GetTickCount());
  gCalls.clear();
  Send(WM_CHAR, 's');
  EXPECT_EQ(gCalls, Calls{"ToggleDemoSoundVolume"});
  Send(WM_CLOSE);
  EXPECT_EQ(Process(), Calls{"Shutdown"});
}

class WindowMessagesWithWindow : public WindowMessages {
 protected:
  void SetUp() override {
    WindowMessages::SetUp();
    Rect aBounds = {100, 200, 700, 1000};
    ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &mWindow), noErr);
    ShowWindow(mWindow);
    mApp.mWindow = mWindow;
    mApp.mRunning = true;
  }
  void TearDown() override {
    DisposeWindow(mWindow);
    mApp.mDeferredMessages.clear();
  }
  WindowRef mWindow = nullptr;
};

TEST_F(WindowMessagesWithWindow, TimerTracksThePointerInAndOutOfTheContent) {
  Scripted().SetGlobalMouse(300, 150);
  Send(WM_TIMER, 0, 0, mWindow);
  EXPECT_EQ(Process(), Calls{"EnforceCursor"});
  EXPECT_TRUE(mApp.mMouseIn);
  Send(WM_TIMER, 0, 0, mWindow);
  EXPECT_TRUE(Process().empty());
  mApp.mWidgetManager->mMouseIn = true;
  Scripted().SetGlobalMouse(300, 90);  // over the title bar
  Send(WM_TIMER, 0, 0, mWindow);
  EXPECT_EQ(Process(), Calls{"EnforceCursor"});
  EXPECT_FALSE(mApp.mWidgetManager->mMouseIn);  // the widgets heard of the exit
  EXPECT_FALSE(mApp.mMouseIn);

  mApp.mRunning = false;  // the loop is not running: timers do nothing
  Scripted().SetGlobalMouse(300, 150);
  Send(WM_TIMER, 0, 0, mWindow);
  EXPECT_TRUE(Process().empty());
}

TEST_F(WindowMessagesWithWindow, ActivationAndAPointerFoundInPutTheCursorWhereThePointerIs) {
  // The content's corner is at (200, 100) of the screen; the frame is half the window's size.
  Send(WM_MOUSEMOVE, 0, MakeMouseLParam(2, 2));
  Scripted().SetGlobalMouse(300, 150);
  Send(WM_ACTIVATEAPP, 0, 0);  // going to the back says nothing of the pointer
  EXPECT_EQ(Tesk::gLastMousePos.load(), static_cast<uint32_t>(MakeMouseLParam(1, 1)));
  Send(WM_ACTIVATEAPP, 1, 0);  // coming to the front the pointer is asked for
  EXPECT_EQ(Tesk::gLastMousePos.load(), static_cast<uint32_t>(MakeMouseLParam(50, 25)));
  Process();

  // The timer finds the pointer in without a message telling where it is.
  Scripted().SetGlobalMouse(200, 90);  // over the title bar
  Send(WM_TIMER, 0, 0, mWindow);
  Process();
  EXPECT_FALSE(mApp.mMouseIn);
  Scripted().SetGlobalMouse(600, 500);
  Send(WM_TIMER, 0, 0, mWindow);
  EXPECT_EQ(Process(), Calls{"EnforceCursor"});
  EXPECT_TRUE(mApp.mMouseIn);
  EXPECT_EQ(Tesk::gLastMousePos.load(), static_cast<uint32_t>(MakeMouseLParam(200, 200)));
}

TEST_F(WindowMessagesWithWindow, TimerDecidesAPendingURLAfterAQuietSpell) {
  Scripted().SetGlobalMouse(0, 0);
  mApp.mIsOpeningURL = true;
  mApp.mOpeningURLTime = GetTickCount();
  mApp.mLastTimerTime = GetTickCount();
  // Regular timers for 12.5 s while active: the launch failed.
  for (int i = 0; i < 125 && mApp.mIsOpeningURL; ++i) {
    TestClock().AdvanceMilliseconds(100);
    Send(WM_TIMER, 0, 0, mWindow);
    Process();
  }
  EXPECT_FALSE(mApp.mIsOpeningURL);
  EXPECT_EQ(gCalls, Calls{"URLOpenFailed"});
  EXPECT_GT(GetTickCount() - mApp.mOpeningURLTime, 12000u);

  // Inactive after 8 s: the browser took over.
  mApp.mIsOpeningURL = true;
  mApp.mShutdownOnURLOpen = true;
  mApp.mActive = false;
  mApp.mOpeningURLTime = GetTickCount();
  for (int i = 0; i < 85 && mApp.mIsOpeningURL; ++i) {
    TestClock().AdvanceMilliseconds(100);
    Send(WM_TIMER, 0, 0, mWindow);
    Process();
  }
  EXPECT_FALSE(mApp.mIsOpeningURL);
  EXPECT_EQ(gCalls, (Calls{"URLOpenSucceeded", "Shutdown"}));

  // A stall of more than half a second restarts the quiet spell.
  mApp.mIsOpeningURL = true;
  mApp.mOpeningURLTime = GetTickCount() - 20000;
  TestClock().AdvanceMilliseconds(600);
  Send(WM_TIMER, 0, 0, mWindow);
  EXPECT_TRUE(Process().empty());
  EXPECT_TRUE(mApp.mIsOpeningURL);
}

TEST_F(WindowMessagesWithWindow, MovesRememberTheWindowedPosition) {
  MoveWindow(mWindow, 40, 50, false);
  Send(WM_MOVE, 0, 0, mWindow);
  Process();
  EXPECT_EQ(mApp.mPreferredX, 40);
  EXPECT_EQ(mApp.mPreferredY, 50);
  CollapseWindow(mWindow, true);
  MoveWindow(mWindow, 60, 70, false);
  Send(WM_MOVE, 0, 0, mWindow);
  Process();
  EXPECT_EQ(mApp.mPreferredX, 40);  // not while collapsed
}

TEST_F(WindowMessagesWithWindow, TheWindowNamesItsApplicationObject) {
  RecordingApp aNewer;  // now the global one
  ASSERT_EQ(Tesk::gTeskAppBase, &aNewer);
  Tesk::TeskAppBase* anOwner = &mApp;
  SetWindowProperty(mWindow, MakeOSType("KWMR"), MakeOSType("USRD"), sizeof(anOwner), &anOwner);
  Send(WM_KEYDOWN, 65, 0, mWindow);
  Send(WM_KEYDOWN, 66, 0, nullptr);
  EXPECT_EQ(mApp.mDeferredMessages.size(), 1u);
  EXPECT_EQ(aNewer.mDeferredMessages.size(), 1u);
  aNewer.mDeferredMessages.clear();
}

TEST_F(WindowMessagesWithWindow, NotifyMessageBringsTheWindowBack) {
  mApp.mNotifyGameMessage = 0x8123;
  CollapseWindow(mWindow, true);
  Send(0x8123, 0, 0, mWindow);
  EXPECT_FALSE(IsWindowCollapsed(mWindow));
  EXPECT_EQ(FrontWindow(), mWindow);
}

// The whole road: a Carbon event on the game window ends as a widget call.
TEST_F(WindowMessages, CarbonEventsTravelToTheWidgets) {
  WindowRef aWindow = nullptr;
  ASSERT_TRUE(MacCreateWindow(0, 40, 800, 600, "Game", Tesk::TeskAppBase::WindowProc, nullptr, &aWindow));
  ShowWindow(aWindow);
  mApp.mWindow = aWindow;
  mApp.mMouseIn = true;
  mApp.mRunning = true;
  CarbonEventSource::PostMouse(aWindow, kEventMouseDown, 200, 100, 1, 1, controlKey);
  CarbonEventSource::PostRawKey(kEventRawKeyDown, 36, 13, 0);
  CarbonEventSource::PostWindowEvent(aWindow, kEventWindowClose);
  EventRef anEvent = nullptr;
  while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) {
    SendEventToEventTarget(anEvent, GetEventDispatcherTarget());
    ReleaseEvent(anEvent);
  }
  // The frame timer's message arrives as a sent command.
  EXPECT_EQ(SendMessage(aWindow, WM_COMMAND, MakeOSType("KWMR"), WM_TIMER), noErr);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_RBUTTONDOWN, WM_KEYDOWN, WM_CHAR, WM_CLOSE}));
  EXPECT_EQ(Process(),
            (Calls{"MouseMove(100,50)", "MouseDown(100,50,-1)", "KeyDown(13)", "KeyChar(13)", "Shutdown"}));
  Send(WM_TIMER, 0, 0, aWindow);
  EXPECT_EQ(SendMessage(aWindow, WM_COMMAND, MakeOSType("KWMR"), WM_TIMER), noErr);
  EXPECT_EQ(Queued(), (std::vector<uint32_t>{WM_TIMER}));
  mApp.mDeferredMessages.clear();
  DisposeWindow(aWindow);
}

TEST_F(WindowMessages, PostedMessagesWaitOnTheQueueUnhandled) {
  EXPECT_EQ(PostMessage(nullptr, WM_CHAR, 0x141, 0), noErr);
  EXPECT_EQ(PostMessage(nullptr, WM_COMMAND, 7, 9), noErr);
  EventRef anEvent = nullptr;
  ASSERT_EQ(ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent), noErr);
  EXPECT_EQ(GetEventClass(anEvent), MakeOSType("KWMR"));
  EXPECT_EQ(GetEventKind(anEvent), WM_CHAR);
  char aChar = 0;
  GetEventParameter(anEvent, kEventParamKeyMacCharCodes, typeChar, nullptr, 1, nullptr, &aChar);
  EXPECT_EQ(aChar, 0x41);  // the low byte
  EXPECT_EQ(SendEventToEventTarget(anEvent, GetEventDispatcherTarget()), eventNotHandledErr);
  ReleaseEvent(anEvent);
  ASSERT_EQ(ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent), noErr);
  HICommand aCommand;
  GetEventParameter(anEvent, kEventParamDirectObject, typeHICommand, nullptr, sizeof(aCommand), nullptr,
                    &aCommand);
  EXPECT_EQ(aCommand.commandID, 7u);
  EXPECT_EQ(aCommand.attributes, 9u);
  ReleaseEvent(anEvent);
  // Sent to nobody in particular: the application target has no handler for it.
  EXPECT_EQ(SendMessage(nullptr, 0x400, 1, 2), eventNotHandledErr);
}

}  // namespace
