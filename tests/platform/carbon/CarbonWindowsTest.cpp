#include <gtest/gtest.h>

#include <vector>

#include "support/ScriptedCarbon.h"
#include "platform/carbon/CarbonWindows.h"

namespace {

constexpr PropertyCreator k_Creator = MakeOSType("KWMR");

WindowRef MakeWindow(int theLeft, int theTop, int theWidth, int theHeight) {
  Scripted();
  Rect aBounds = {static_cast<int16_t>(theTop), static_cast<int16_t>(theLeft),
                  static_cast<int16_t>(theTop + theHeight), static_cast<int16_t>(theLeft + theWidth)};
  WindowRef aWindow = nullptr;
  EXPECT_EQ(CreateNewWindow(kDocumentWindowClass, kWindowCloseBoxAttribute, &aBounds, &aWindow), noErr);
  return aWindow;
}

TEST(CarbonWindows, PropertiesStoreBytesPerCreatorAndTag) {
  WindowRef aWindow = MakeWindow(10, 10, 100, 100);
  void* anOwner = &aWindow;
  ASSERT_EQ(SetWindowProperty(aWindow, k_Creator, MakeOSType("USRD"), sizeof(anOwner), &anOwner), noErr);
  UInt32 aZero = 0;
  ASSERT_EQ(SetWindowProperty(aWindow, k_Creator, MakeOSType("TRNS"), sizeof(aZero), &aZero), noErr);

  void* aRead = nullptr;
  ByteCount aSize = 0;
  EXPECT_EQ(GetWindowProperty(aWindow, k_Creator, MakeOSType("USRD"), sizeof(aRead), &aSize, &aRead), noErr);
  EXPECT_EQ(aRead, anOwner);  // a whole pointer, not 4 bytes of it
  EXPECT_EQ(aSize, sizeof(void*));
  EXPECT_EQ(GetWindowProperty(aWindow, MakeOSType("OTHR"), MakeOSType("USRD"), sizeof(aRead), &aSize, &aRead),
            errWindowPropertyNotFound);
  EXPECT_EQ(RemoveWindowProperty(aWindow, k_Creator, MakeOSType("USRD")), noErr);
  EXPECT_EQ(GetWindowProperty(aWindow, k_Creator, MakeOSType("USRD"), sizeof(aRead), &aSize, &aRead),
            errWindowPropertyNotFound);
  DisposeWindow(aWindow);
  EXPECT_EQ(GetWindowProperty(aWindow, k_Creator, MakeOSType("TRNS"), 4, &aSize, &aZero),
            errInvalidWindowRef);
}

TEST(CarbonWindows, StructureAddsTheTitleBarAboveTheContent) {
  WindowRef aWindow = MakeWindow(64, 80, 800, 600);
  Rect aContent;
  Rect aStructure;
  GetWindowBounds(aWindow, kWindowContentRgn, &aContent);
  GetWindowBounds(aWindow, kWindowStructureRgn, &aStructure);
  EXPECT_EQ(aContent.left, 64);
  EXPECT_EQ(aContent.top, 80);
  EXPECT_EQ(aContent.right, 864);
  EXPECT_EQ(aContent.bottom, 680);
  EXPECT_EQ(aStructure.top, 80 - Scripted().TitleBarHeight());
  EXPECT_EQ(aStructure.bottom, 680);

  MoveWindow(aWindow, 5, 30, false);
  SizeWindow(aWindow, 640, 480, true);
  GetWindowBounds(aWindow, kWindowContentRgn, &aContent);
  EXPECT_EQ(aContent.left, 5);
  EXPECT_EQ(aContent.top, 30);
  EXPECT_EQ(aContent.right, 645);
  EXPECT_EQ(aContent.bottom, 510);
  DisposeWindow(aWindow);
}

TEST(CarbonWindows, FindWindowTellsContentFromTitleBar) {
  WindowRef aBack = MakeWindow(0, 30, 200, 200);
  WindowRef aFront = MakeWindow(100, 30, 200, 200);
  ShowWindow(aBack);
  ShowWindow(aFront);
  struct Case {
    int h, v;
    WindowRef window;
    WindowPartCode part;
  };
  const Case kCases[] = {
      {150, 100, aFront, inContent},                               // the overlap belongs to the front window
      {50, 100, aBack, inContent},     {150, 20, aFront, inDrag},  // title bar
      {150, 7, nullptr, inNoWindow},                               // above the title bar
      {350, 100, nullptr, inNoWindow},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.h << "," << c.v);
    WindowRef aFound = nullptr;
    EXPECT_EQ(FindWindow(Point{static_cast<int16_t>(c.v), static_cast<int16_t>(c.h)}, &aFound), c.part);
    EXPECT_EQ(aFound, c.window);
  }
  SelectWindow(aBack);
  WindowRef aFound = nullptr;
  EXPECT_EQ(FindWindow(Point{100, 150}, &aFound), inContent);
  EXPECT_EQ(aFound, aBack);
  EXPECT_EQ(FrontWindow(), aBack);
  EXPECT_EQ(GetNextWindow(aBack), aFront);
  EXPECT_EQ(GetNextWindow(aFront), nullptr);

  CollapseWindow(aBack, true);
  EXPECT_TRUE(IsWindowCollapsed(aBack));
  EXPECT_EQ(FindWindow(Point{100, 50}, &aFound), inNoWindow);  // collapsed windows are not hit
  DisposeWindow(aBack);
  DisposeWindow(aFront);
}

std::vector<WindowRef> gClosed;

OSStatus ClosedHandler(EventHandlerCallRef, EventRef theEvent, void*) {
  WindowRef aWindow = nullptr;
  GetEventParameter(theEvent, kEventParamDirectObject, typeWindowRef, nullptr, sizeof(aWindow), nullptr,
                    &aWindow);
  gClosed.push_back(aWindow);
  return noErr;
}

TEST(CarbonWindows, DisposingSendsClosedAndReleasesTheNativeWindow) {
  int aLive = Scripted().LiveWindows();
  WindowRef aWindow = MakeWindow(0, 0, 10, 10);
  EXPECT_EQ(Scripted().LiveWindows(), aLive + 1);
  const EventTypeSpec aClosed = {kEventClassWindow, kEventWindowClosed};
  InstallEventHandler(GetWindowEventTarget(aWindow), ClosedHandler, 1, &aClosed, nullptr, nullptr);
  gClosed.clear();
  DisposeWindow(aWindow);
  EXPECT_EQ(gClosed, std::vector<WindowRef>{aWindow});
  EXPECT_EQ(Scripted().LiveWindows(), aLive);
  EXPECT_FALSE(IsWindowVisible(aWindow));
}

TEST(CarbonWindows, NativeFailureLeavesNoWindow) {
  Scripted().FailNextWindow();
  Rect aBounds = {0, 0, 10, 10};
  WindowRef aWindow = reinterpret_cast<WindowRef>(1);
  EXPECT_NE(CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &aWindow), noErr);
  EXPECT_EQ(aWindow, nullptr);
  EXPECT_EQ(FrontWindow(), nullptr);
}

}  // namespace
