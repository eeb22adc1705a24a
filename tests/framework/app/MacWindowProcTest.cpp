// Carbon events through the handlers of the game window become Win32-numbered messages.
#include <gtest/gtest.h>

#include <vector>

#include "AppTestDoubles.h"
#include "app/MacWindowProc.h"
#include "app/TeskAppBase.h"
#include "platform/carbon/CarbonCursor.h"
#include "platform/carbon/CarbonEventSource.h"
#include "platform/carbon/CarbonWindows.h"
#include "support/ScriptedCarbon.h"

namespace {

struct Msg {
  WindowRef window;
  uint32_t message;
  uint32_t wParam;
  int32_t lParam;
  bool operator==(const Msg& o) const {
    return window == o.window && message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};

std::ostream& operator<<(std::ostream& os, const Msg& m) {
  return os << "{" << m.window << ", " << m.message << ", " << m.wParam << ", " << m.lParam << "}";
}

std::vector<Msg> gMessages;

// The application handler is installed once per program, with the first window's procedure,
// so every window of this binary uses this one.
int32_t RecordingProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam) {
  gMessages.push_back({theWindow, theMessage, theWParam, theLParam});
  return 0;
}

// Dispatches everything waiting and hands back the messages it made.
std::vector<Msg> Pump() {
  gMessages.clear();
  EventRef anEvent = nullptr;
  while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) {
    SendEventToEventTarget(anEvent, GetEventDispatcherTarget());
    ReleaseEvent(anEvent);
  }
  return gMessages;
}

class MacWindowProcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Scripted();
    DrainQueue();
    gMessages.clear();
    ASSERT_TRUE(MacCreateWindow(100, 80, 800, 600, "Gloam Hollow", RecordingProc, nullptr, &mWindow));
    ShowWindow(mWindow);
    SelectWindow(mWindow);
    gMessages.clear();
  }
  void TearDown() override {
    DrainQueue();
    DisposeWindow(mWindow);
    gMessages.clear();
  }
  WindowRef mWindow = nullptr;
};

TEST_F(MacWindowProcTest, CreationSendsCreateAndSetsTheTransparencyProperty) {
  WindowRef aWindow = nullptr;
  ASSERT_TRUE(MacCreateWindow(10, 20, 320, 200, "Second", RecordingProc, nullptr, &aWindow));
  ASSERT_EQ(gMessages.size(), 1u);
  EXPECT_EQ(gMessages[0], (Msg{aWindow, WM_CREATE, 0, 0}));
  UInt32 aTransparent = 99;
  EXPECT_EQ(GetWindowProperty(aWindow, MakeOSType("KWMR"), MakeOSType("TRNS"), 4, nullptr, &aTransparent),
            noErr);
  EXPECT_EQ(aTransparent, 0u);
  Rect aContent;
  GetWindowBounds(aWindow, kWindowContentRgn, &aContent);
  EXPECT_EQ(aContent.left, 10);
  EXPECT_EQ(aContent.top, 20);
  EXPECT_EQ(aContent.right, 330);
  EXPECT_EQ(aContent.bottom, 220);

  // One application handler for the program: an application event reaches the procedure once.
  CarbonEventSource::PostApplicationEvent(kEventAppActivated);
  EXPECT_EQ(Pump(), (std::vector<Msg>{{nullptr, WM_ACTIVATEAPP, 1, 0}}));
  gMessages.clear();
  DisposeWindow(aWindow);
  EXPECT_EQ(gMessages, (std::vector<Msg>{{aWindow, WM_DESTROY, 0, 0}}));
}

TEST_F(MacWindowProcTest, FailureToMakeTheWindowIsReported) {
  Scripted().FailNextWindow();
  WindowRef aWindow = reinterpret_cast<WindowRef>(1);
  EXPECT_FALSE(MacCreateWindow(0, 0, 10, 10, "x", RecordingProc, nullptr, &aWindow));
  EXPECT_EQ(aWindow, nullptr);
  EXPECT_TRUE(gMessages.empty());
}

TEST_F(MacWindowProcTest, MouseEventsBecomeMouseMessages) {
  struct Case {
    const char* what;
    UInt32 kind;
    int x, y;
    EventMouseButton button;
    UInt32 clicks;
    UInt32 modifiers;
    uint32_t message;
    uint32_t wParam;
  };
  const Case kCases[] = {
      {"left down", kEventMouseDown, 10, 20, 1, 1, 0, WM_LBUTTONDOWN, MK_LBUTTON},
      {"left double", kEventMouseDown, 10, 20, 1, 2, 0, WM_LBUTTONDBLCLK, MK_LBUTTON},
      {"left triple", kEventMouseDown, 10, 20, 1, 3, 0, WM_LBUTTONDBLCLK, MK_LBUTTON},
      {"shift left", kEventMouseDown, 10, 20, 1, 1, shiftKey, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT},
      {"control click is right", kEventMouseDown, 10, 20, 1, 1, controlKey, WM_RBUTTONDOWN,
       MK_RBUTTON | MK_CONTROL},
      {"right down", kEventMouseDown, 10, 20, 2, 1, 0, WM_RBUTTONDOWN, MK_RBUTTON},
      {"right double", kEventMouseDown, 10, 20, 2, 2, 0, WM_RBUTTONDBLCLK, MK_RBUTTON},
      {"middle counts as right", kEventMouseDown, 10, 20, 3, 1, 0, WM_RBUTTONDOWN, MK_RBUTTON},
      {"left up", kEventMouseUp, 10, 20, 1, 1, 0, WM_LBUTTONUP, 0},
      {"right up", kEventMouseUp, 10, 20, 2, 1, 0, WM_RBUTTONUP, 0},
      {"control up is right", kEventMouseUp, 10, 20, 1, 1, controlKey, WM_RBUTTONUP, MK_CONTROL},
      {"moved", kEventMouseMoved, 799, 599, 0, 0, 0, WM_MOUSEMOVE, 0},
      {"dragged", kEventMouseDragged, 5, 6, 1, 0, shiftKey, WM_MOUSEMOVE, MK_SHIFT},
      {"content corner", kEventMouseDown, 0, 0, 1, 1, 0, WM_LBUTTONDOWN, MK_LBUTTON},
      {"left of content", kEventMouseMoved, -3, 7, 0, 0, 0, WM_MOUSEMOVE, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    CarbonEventSource::PostMouse(mWindow, c.kind, c.x, c.y, c.button, c.clicks, c.modifiers);
    EXPECT_EQ(Pump(), (std::vector<Msg>{{mWindow, c.message, c.wParam, MakeMouseLParam(c.x, c.y)}}));
  }
  EXPECT_EQ(MakeMouseLParam(0, 0), 0);
  EXPECT_EQ(LParamX(MakeMouseLParam(-3, 7)), -3);
}

TEST_F(MacWindowProcTest, ClicksInTheTitleBarStayWithTheSystem) {
  CarbonEventSource::PostMouse(mWindow, kEventMouseDown, 10, -1, 1, 1, 0);
  CarbonEventSource::PostMouse(mWindow, kEventMouseDown, 10, -Scripted().TitleBarHeight(), 1, 1, 0);
  EXPECT_TRUE(Pump().empty());
}

TEST_F(MacWindowProcTest, FractionalPositionsAreTruncated) {
  EventRef anEvent = nullptr;
  CreateEvent(nullptr, kEventClassMouse, kEventMouseMoved, 0, 0, &anEvent);
  HIPoint aWhere = {12.9f, 22.0f + 5.7f};  // 22: the title bar
  SetEventParameter(anEvent, kEventParamWindowRef, typeWindowRef, sizeof(mWindow), &mWindow);
  SetEventParameter(anEvent, kEventParamWindowMouseLocation, typeHIPoint, sizeof(aWhere), &aWhere);
  ASSERT_EQ(Scripted().TitleBarHeight(), 22);
  SendEventToEventTarget(anEvent, GetEventDispatcherTarget());
  ReleaseEvent(anEvent);
  EXPECT_EQ(gMessages, (std::vector<Msg>{{mWindow, WM_MOUSEMOVE, 0, MakeMouseLParam(12, 5)}}));
}

TEST_F(MacWindowProcTest, WheelStepsAreWorth120InTheHighHalf) {
  struct Case {
    SInt32 delta;
    uint32_t high;
  };
  const Case kCases[] = {{1, 120}, {-1, 0xFF88}, {3, 360}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.delta);
    CarbonEventSource::PostWheel(mWindow, 40, 50, c.delta, controlKey);
    std::vector<Msg> aGot = Pump();
    ASSERT_EQ(aGot.size(), 1u);
    EXPECT_EQ(aGot[0].message, WM_MOUSEWHEEL);
    EXPECT_EQ(aGot[0].wParam, (c.high << 16) | MK_CONTROL);
    EXPECT_EQ(WheelDelta(aGot[0].wParam), c.delta * 120);
    EXPECT_EQ(aGot[0].lParam, MakeMouseLParam(40, 50));
  }
}

// The key table as the framework documents it, entry by entry.
struct KeyEntry {
  uint32_t mac;
  uint32_t key;
};
const KeyEntry k_KeyTable[] = {
    // letters
    {0, 65},
    {1, 83},
    {2, 68},
    {3, 70},
    {4, 72},
    {5, 71},
    {6, 90},
    {7, 88},
    {8, 67},
    {9, 86},
    {11, 66},
    {12, 81},
    {13, 87},
    {14, 69},
    {15, 82},
    {16, 89},
    {17, 84},
    {31, 79},
    {32, 85},
    {34, 73},
    {35, 80},
    {37, 76},
    {38, 74},
    {40, 75},
    {45, 78},
    {46, 77},
    // digits
    {18, 49},
    {19, 50},
    {20, 51},
    {21, 52},
    {22, 54},
    {23, 53},
    {25, 57},
    {26, 55},
    {28, 56},
    {29, 48},
    // punctuation
    {24, 61},
    {27, 189},
    {30, 221},
    {33, 219},
    {39, 222},
    {41, 186},
    {42, 220},
    {43, 188},
    {44, 191},
    {47, 190},
    {50, 192},
    // editing and modifiers
    {36, 13},
    {48, 9},
    {49, 32},
    {51, 8},
    {53, 27},
    {55, 164},
    {56, 160},
    {57, 20},
    {59, 162},
    {60, 161},
    {62, 163},
    {117, 46},
    // keypad
    {69, 107},
    {75, 111},
    {76, 13},
    {78, 109},
    {82, 96},
    {83, 97},
    {84, 98},
    {85, 99},
    {86, 100},
    {87, 101},
    {88, 102},
    {89, 103},
    {91, 104},
    {92, 105},
    // function keys
    {122, 112},
    {120, 113},
    {99, 114},
    {118, 115},
    {96, 116},
    {97, 117},
    {98, 118},
    {100, 119},
    {101, 120},
    {109, 121},
    {103, 122},
    {111, 123},
    // navigation
    {115, 36},
    {116, 33},
    {119, 35},
    {121, 34},
    {123, 37},
    {124, 39},
    {125, 40},
    {126, 38},
};

uint32_t ExpectedKey(uint32_t theMac) {
  for (const KeyEntry& e : k_KeyTable) {
    if (e.mac == theMac) return e.key;
  }
  return 0;
}

TEST_F(MacWindowProcTest, EveryMacKeyCodeGivesItsKeyThenItsCharacter) {
  // Codes past the table (128 and up) have no key either.
  for (uint32_t aMac = 0; aMac < 140; ++aMac) {
    SCOPED_TRACE(aMac);
    unsigned char aChar = static_cast<unsigned char>(aMac < 128 ? 'a' + aMac % 26 : 0xE9);
    CarbonEventSource::PostRawKey(kEventRawKeyDown, aMac, aChar, 0);
    CarbonEventSource::PostRawKey(kEventRawKeyUp, aMac, aChar, 0);
    uint32_t aKey = ExpectedKey(aMac);
    EXPECT_EQ(Pump(), (std::vector<Msg>{{nullptr, WM_KEYDOWN, aKey, 0},
                                        {nullptr, WM_CHAR, aChar, 0},
                                        {nullptr, WM_KEYUP, aKey, 0}}));
  }
  EXPECT_EQ(TranslateMacKeyCode(24), 61u);  // '=' is its character code, not 187
  EXPECT_EQ(TranslateMacKeyCode(1000), 0u);
}

TEST_F(MacWindowProcTest, ModifierChangesBecomeKeyDownsAndUps) {
  struct Step {
    const char* what;
    UInt32 modifiers;
    std::vector<Msg> expected;
  };
  const Step kSteps[] = {
      {"command", cmdKey, {{nullptr, WM_KEYDOWN, 18, 0}}},
      {"then option", cmdKey | optionKey, {{nullptr, WM_KEYDOWN, 18, 0}}},
      {"option released", cmdKey, {{nullptr, WM_KEYUP, 18, 0}}},
      {"command released, shift and control",
       shiftKey | controlKey,
       {{nullptr, WM_KEYUP, 18, 0}, {nullptr, WM_KEYDOWN, 16, 0}, {nullptr, WM_KEYDOWN, 17, 0}}},
      {"caps lock", shiftKey | controlKey | alphaLock, {{nullptr, WM_KEYDOWN, 20, 0}}},
      {"no change", shiftKey | controlKey | alphaLock, {}},
      {"all released",
       0,
       {{nullptr, WM_KEYUP, 16, 0}, {nullptr, WM_KEYUP, 20, 0}, {nullptr, WM_KEYUP, 17, 0}}},
  };
  for (const Step& s : kSteps) {
    SCOPED_TRACE(s.what);
    CarbonEventSource::PostModifiersChanged(s.modifiers);
    EXPECT_EQ(Pump(), s.expected);
  }
}

TEST_F(MacWindowProcTest, WindowEventsBecomeWindowMessages) {
  const int32_t aSize = 800 | (600 << 16);
  struct Case {
    UInt32 kind;
    std::vector<Msg> expected;
  };
  const Case kCases[] = {
      {kEventWindowDrawContent, {{mWindow, WM_PAINT, 0, 0}}},
      {kEventWindowActivated, {{mWindow, WM_ACTIVATE, 1, 0}}},
      {kEventWindowDeactivated, {{mWindow, WM_ACTIVATE, 0, 0}}},
      // Minimised: the window loses the keyboard and is sized down to nothing.
      {kEventWindowCollapsed, {{mWindow, WM_ACTIVATE, 0, 0}, {mWindow, WM_SIZE, SIZE_MINIMIZED, aSize}}},
      {kEventWindowExpanded, {{mWindow, WM_SIZE, SIZE_RESTORED, aSize}}},
      {kEventWindowShown, {{mWindow, WM_SHOWWINDOW, 1, 0}}},
      {kEventWindowHidden, {{mWindow, WM_SHOWWINDOW, 0, 0}}},
      {kEventWindowClose, {{mWindow, WM_CLOSE, 0, 0}}},
      {kEventWindowZoomed, {{mWindow, WM_SIZE, SIZE_MAXIMIZED, aSize}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.kind);
    CarbonEventSource::PostWindowEvent(mWindow, c.kind);
    EXPECT_EQ(Pump(), c.expected);
  }

  MoveWindow(mWindow, 30, 40, false);
  CarbonEventSource::PostBoundsChanged(mWindow, kWindowBoundsChangeOriginChanged);
  // Top in the low half, left in the high half: the rectangle's first two fields.
  EXPECT_EQ(Pump(), (std::vector<Msg>{{mWindow, WM_MOVE, 0, 40 | (30 << 16)}}));
  SizeWindow(mWindow, 640, 480, true);
  CarbonEventSource::PostBoundsChanged(mWindow, kWindowBoundsChangeSizeChanged);
  EXPECT_EQ(Pump(), (std::vector<Msg>{{mWindow, WM_SIZE, 0, 640 | (480 << 16)}}));
  CarbonEventSource::PostBoundsChanged(mWindow, 0);  // neither: passed on
  EXPECT_TRUE(Pump().empty());
}

TEST_F(MacWindowProcTest, ApplicationEventsAndMessageCommands) {
  CarbonEventSource::PostApplicationEvent(kEventAppDeactivated);
  CarbonEventSource::PostApplicationEvent(kEventAppActivated);
  CarbonEventSource::PostApplicationEvent(kEventAppQuit);
  EXPECT_EQ(Pump(),
            (std::vector<Msg>{
                {nullptr, WM_ACTIVATEAPP, 0, 0}, {nullptr, WM_ACTIVATEAPP, 1, 0}, {nullptr, WM_QUIT, 0, 0}}));

  // The frame timer's command: attributes carry the message.
  EventRef anEvent = nullptr;
  CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, &anEvent);
  HICommand aCommand = {WM_TIMER, MakeOSType("KWMR"), {0, 0}};
  SetEventParameter(anEvent, kEventParamDirectObject, typeHICommand, sizeof(aCommand), &aCommand);
  SetEventParameter(anEvent, kEventParamWindowRef, typeWindowRef, sizeof(mWindow), &mWindow);
  EXPECT_EQ(SendEventToEventTarget(anEvent, GetWindowEventTarget(mWindow)), noErr);
  EXPECT_EQ(gMessages.back(), (Msg{mWindow, WM_TIMER, 0, 0}));
  ReleaseEvent(anEvent);

  // Other commands are not messages.
  gMessages.clear();
  CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, &anEvent);
  aCommand.commandID = MakeOSType("KWMS");
  SetEventParameter(anEvent, kEventParamDirectObject, typeHICommand, sizeof(aCommand), &aCommand);
  EXPECT_EQ(SendEventToEventTarget(anEvent, GetWindowEventTarget(mWindow)), eventNotHandledErr);
  ReleaseEvent(anEvent);
  EXPECT_TRUE(gMessages.empty());
}

TEST_F(MacWindowProcTest, WhileAnotherApplicationIsInFrontOnlyDeactivationAndTheWindowsStatePass) {
  const int32_t aSize = 800 | (600 << 16);
  CarbonEventSource::PostApplicationEvent(kEventAppDeactivated);
  CarbonEventSource::PostMouse(mWindow, kEventMouseDown, 5, 5, 1, 1, 0);
  CarbonEventSource::PostRawKey(kEventRawKeyDown, 0, 'a', 0);
  CarbonEventSource::PostWindowEvent(mWindow, kEventWindowDrawContent);
  CarbonEventSource::PostWindowEvent(mWindow, kEventWindowDeactivated);
  // A window minimised, hidden, shown and restored while another has the keyboard.
  CarbonEventSource::PostWindowEvent(mWindow, kEventWindowHidden);
  CarbonEventSource::PostWindowEvent(mWindow, kEventWindowExpanded);
  CarbonEventSource::PostWindowEvent(mWindow, kEventWindowShown);
  CarbonEventSource::PostApplicationEvent(kEventAppActivated);
  CarbonEventSource::PostMouse(mWindow, kEventMouseUp, 5, 5, 1, 1, 0);
  EXPECT_EQ(Pump(), (std::vector<Msg>{{nullptr, WM_ACTIVATEAPP, 0, 0},
                                      {mWindow, WM_ACTIVATE, 0, 0},
                                      {mWindow, WM_SHOWWINDOW, 0, 0},
                                      {mWindow, WM_SIZE, SIZE_RESTORED, aSize},
                                      {mWindow, WM_SHOWWINDOW, 1, 0},
                                      {nullptr, WM_ACTIVATEAPP, 1, 0},
                                      {mWindow, WM_LBUTTONUP, 0, MakeMouseLParam(5, 5)}}));
}

TEST_F(MacWindowProcTest, CursorHidesOverTheContentOnlyWhenAsked) {
  SetAutoEnforceCursor(true);
  ShowCursor(false);
  struct Case {
    const char* what;
    int h, v;
    bool visible;
  };
  const Case kCases[] = {
      {"over the content", 150, 100, false},
      {"over the title bar", 150, 70, true},
      {"beside the window", 50, 100, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Scripted().SetGlobalMouse(c.h, c.v);
    CarbonEventSource::PostMouse(mWindow, kEventMouseMoved, 1, 1, 0, 0, 0);
    Pump();
    EXPECT_EQ(CGCursorIsVisible() != 0, c.visible);
  }
  ShowCursor(true);
  Scripted().SetGlobalMouse(150, 100);
  CarbonEventSource::PostMouse(mWindow, kEventMouseMoved, 1, 1, 0, 0, 0);
  Pump();
  EXPECT_TRUE(CGCursorIsVisible());
  ShowCursor(false);
  SetAutoEnforceCursor(false);  // turning it off shows the cursor again
  EXPECT_TRUE(g_CursorShouldBeVisible);
}

TEST_F(MacWindowProcTest, TheLoadingThreadsMadeUpMoveReachesTheWindowWhereItWasMade) {
  // It is made with the screen position alone, 10 pixels below the pointer; the window's content
  // starts at (100, 80) of the screen.
  Scripted().SetGlobalMouse(300, 250);
  RecordingApp anApp;
  anApp.mWindow = mWindow;
  anApp.StartLoadingThread();
  anApp.WaitForLoadingThread();
  EXPECT_EQ(Pump(), (std::vector<Msg>{{mWindow, WM_MOUSEMOVE, 0, MakeMouseLParam(200, 180)}}));
}

TEST(HandleQuitApplicationDeathTest, FirstQuitShutsDownASecondEndsTheProcess) {
  EXPECT_EXIT(
      {
        RecordingApp anApp;
        gCalls.clear();
        HandleQuitApplication(nullptr, nullptr, reinterpret_cast<SRefCon>(&anApp));
        if (gCalls != std::vector<std::string>{"Shutdown"}) std::_Exit(3);
        HandleQuitApplication(nullptr, nullptr, reinterpret_cast<SRefCon>(&anApp));
        std::_Exit(4);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
