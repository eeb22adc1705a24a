// The SDL back end on SDL's dummy video driver: SDL events pushed in come out as Carbon events.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/carbon/AppleEvents.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbon/OpaqueWindowPtr.h"
#include "platform/carbon/backend/SdlBackend.h"

namespace {

struct Received {
  UInt32 mClass;
  UInt32 mKind;
  EventRef mEvent;
};

class SdlBackendTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SetCarbonBackend(std::make_unique<SdlBackend>());
  }
  void SetUp() override {
    Rect aBounds = {50, 40, 650, 840};
    ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &mWindow), noErr);
    ShowWindow(mWindow);
    Take();  // whatever showing the window produced
  }
  void TearDown() override {
    Take();
    DisposeWindow(mWindow);
  }
  // Every event now waiting, after SDL's queue has been turned into Carbon events.
  std::vector<Received> Take() {
    for (Received& r : mReceived) ReleaseEvent(r.mEvent);
    mReceived.clear();
    EventRef anEvent = nullptr;
    while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) {
      mReceived.push_back({GetEventClass(anEvent), GetEventKind(anEvent), anEvent});
    }
    return mReceived;
  }
  Uint32 WindowId() { return SDL_GetWindowID(SdlBackend::SdlWindowOf(mWindow)); }
  void PushWindowEvent(Uint8 theEvent, int theData1 = 0, int theData2 = 0) {
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = WindowId();
    e.window.event = theEvent;
    e.window.data1 = theData1;
    e.window.data2 = theData2;
    SDL_PushEvent(&e);
  }
  void PushKey(Uint32 theType, SDL_Scancode theScancode, SDL_Keycode theKey, Uint16 theMod,
               const char* theText = nullptr) {
    SDL_Event e = {};
    e.type = theType;
    e.key.windowID = WindowId();
    e.key.state = theType == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = theScancode;
    e.key.keysym.sym = theKey;
    e.key.keysym.mod = theMod;
    SDL_PushEvent(&e);
    if (theText != nullptr) {
      SDL_Event t = {};
      t.type = SDL_TEXTINPUT;
      t.text.windowID = WindowId();
      std::strncpy(t.text.text, theText, sizeof(t.text.text) - 1);
      SDL_PushEvent(&t);
    }
  }
  template <typename T>
  T Param(const Received& theEvent, OSType theName) {
    T aValue{};
    EXPECT_EQ(
        GetEventParameter(theEvent.mEvent, theName, typeWildCard, nullptr, sizeof(aValue), nullptr, &aValue),
        noErr);
    return aValue;
  }

  WindowRef mWindow = nullptr;
  std::vector<Received> mReceived;
};

TEST_F(SdlBackendTest, WindowEventsBecomeCarbonWindowEvents) {
  struct Case {
    Uint8 sdl;
    UInt32 carbonClass;
    UInt32 carbonKind;
  };
  const Case kCases[] = {
      {SDL_WINDOWEVENT_EXPOSED, kEventClassWindow, kEventWindowDrawContent},
      {SDL_WINDOWEVENT_HIDDEN, kEventClassWindow, kEventWindowHidden},
      {SDL_WINDOWEVENT_SHOWN, kEventClassWindow, kEventWindowShown},
      {SDL_WINDOWEVENT_CLOSE, kEventClassWindow, kEventWindowClose},
      {SDL_WINDOWEVENT_MAXIMIZED, kEventClassWindow, kEventWindowZoomed},
      {SDL_WINDOWEVENT_MINIMIZED, kEventClassWindow, kEventWindowCollapsed},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(int(c.sdl));
    PushWindowEvent(c.sdl);
    std::vector<Received> aGot = Take();
    ASSERT_EQ(aGot.size(), 1u);
    EXPECT_EQ(aGot[0].mClass, c.carbonClass);
    EXPECT_EQ(aGot[0].mKind, c.carbonKind);
    EXPECT_EQ(Param<WindowRef>(aGot[0], kEventParamDirectObject), mWindow);
  }
  EXPECT_TRUE(IsWindowCollapsed(mWindow));

  // Focus is news for the application and the window alike.
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  std::vector<Received> aGot = Take();
  ASSERT_EQ(aGot.size(), 2u);
  EXPECT_EQ(aGot[0].mClass, kEventClassApplication);
  EXPECT_EQ(aGot[0].mKind, kEventAppDeactivated);
  EXPECT_EQ(aGot[1].mKind, kEventWindowDeactivated);
}

TEST_F(SdlBackendTest, MovesAndResizesUpdateTheBoundsOnce) {
  PushWindowEvent(SDL_WINDOWEVENT_MOVED, 100, 120);
  PushWindowEvent(SDL_WINDOWEVENT_MOVED, 100, 120);  // an echo: no second event
  PushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 480);
  std::vector<Received> aGot = Take();
  ASSERT_EQ(aGot.size(), 2u);
  EXPECT_EQ(aGot[0].mKind, kEventWindowBoundsChanged);
  EXPECT_EQ(Param<UInt32>(aGot[0], kEventParamAttributes), kWindowBoundsChangeOriginChanged);
  EXPECT_EQ(Param<UInt32>(aGot[1], kEventParamAttributes), kWindowBoundsChangeSizeChanged);
  Rect aContent;
  GetWindowBounds(mWindow, kWindowContentRgn, &aContent);
  EXPECT_EQ(aContent.left, 100);
  EXPECT_EQ(aContent.top, 120);
  EXPECT_EQ(aContent.right, 740);
  EXPECT_EQ(aContent.bottom, 600);
}

TEST_F(SdlBackendTest, MouseButtonsClicksAndWheel) {
  SDL_Event e = {};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.windowID = WindowId();
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.clicks = 2;
  e.button.x = 30;
  e.button.y = 40;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = WindowId();
  e.motion.state = SDL_BUTTON_LMASK;
  e.motion.x = 31;
  e.motion.y = 41;
  SDL_PushEvent(&e);
  e = {};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = WindowId();
  e.wheel.y = -1;
  SDL_PushEvent(&e);

  std::vector<Received> aGot = Take();
  ASSERT_EQ(aGot.size(), 3u);
  EXPECT_EQ(aGot[0].mKind, kEventMouseDown);
  EXPECT_EQ(Param<EventMouseButton>(aGot[0], kEventParamMouseButton), kEventMouseButtonSecondary);
  EXPECT_EQ(Param<UInt32>(aGot[0], kEventParamClickCount), 2u);
  HIPoint aPoint = Param<HIPoint>(aGot[0], kEventParamWindowMouseLocation);
  EXPECT_EQ(aPoint.x, 30.0f);
  EXPECT_EQ(aPoint.y, 40.0f);
  EXPECT_EQ(Param<WindowRef>(aGot[0], kEventParamWindowRef), mWindow);
  EXPECT_EQ(aGot[1].mKind, kEventMouseDragged);
  EXPECT_EQ(aGot[2].mKind, kEventMouseWheelMoved);
  EXPECT_EQ(Param<SInt32>(aGot[2], kEventParamMouseWheelDelta), -1);
}

TEST_F(SdlBackendTest, KeysCarryTheirTextAndModifiersReportTheirState) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_q, KMOD_LSHIFT, "Q");
  PushKey(SDL_KEYUP, SDL_SCANCODE_Q, SDLK_q, KMOD_LSHIFT);
  PushKey(SDL_KEYUP, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 0);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_E, SDLK_e, 0, "\xC3\xA9");  // é from a dead key
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, 0);

  std::vector<Received> aGot = Take();
  ASSERT_EQ(aGot.size(), 6u);
  EXPECT_EQ(aGot[0].mKind, kEventRawKeyModifiersChanged);
  EXPECT_EQ(Param<UInt32>(aGot[0], kEventParamKeyModifiers), UInt32(shiftKey));
  EXPECT_EQ(aGot[1].mKind, kEventRawKeyDown);
  EXPECT_EQ(Param<UInt32>(aGot[1], kEventParamKeyCode), 12u);
  EXPECT_EQ(Param<unsigned char>(aGot[1], kEventParamKeyMacCharCodes), 'Q');
  EXPECT_EQ(aGot[2].mKind, kEventRawKeyUp);
  EXPECT_EQ(aGot[3].mKind, kEventRawKeyModifiersChanged);
  EXPECT_EQ(Param<UInt32>(aGot[3], kEventParamKeyModifiers), 0u);
  EXPECT_EQ(Param<unsigned char>(aGot[4], kEventParamKeyMacCharCodes), 0x8E);
  EXPECT_EQ(Param<UInt32>(aGot[5], kEventParamKeyCode), 36u);
  EXPECT_EQ(Param<unsigned char>(aGot[5], kEventParamKeyMacCharCodes), 13);
}

TEST_F(SdlBackendTest, RepeatsAreDroppedWithTheirText) {
  SDL_Event e = {};
  e.type = SDL_KEYDOWN;
  e.key.windowID = WindowId();
  e.key.repeat = 1;
  e.key.keysym.scancode = SDL_SCANCODE_A;
  e.key.keysym.sym = SDLK_a;
  SDL_PushEvent(&e);
  SDL_Event t = {};
  t.type = SDL_TEXTINPUT;
  std::strcpy(t.text.text, "a");
  SDL_PushEvent(&t);
  EXPECT_TRUE(Take().empty());
}

TEST_F(SdlBackendTest, QuitBecomesTheQuitAppleEvent) {
  SDL_Event e = {};
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
  std::vector<Received> aGot = Take();
  ASSERT_EQ(aGot.size(), 1u);
  EventRecord aRecord;
  ASSERT_TRUE(ConvertEventRefToEventRecord(aGot[0].mEvent, &aRecord));
  EXPECT_EQ(aRecord.message, kCoreEventClass);
}

}  // namespace
