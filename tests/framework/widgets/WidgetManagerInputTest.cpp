// Input scripts through the widget manager against recording widgets.
#include <gtest/gtest.h>

#include <map>

#include "WidgetTestSupport.h"

namespace Tesk {
namespace {

struct Step {
  const char* op;
  int x;
  int y;
  int n;  // click count, wheel delta, key code or character
  const char* target;
  const char* expect;
};

// A (10,10 50x50) behind B (40,40 50x50); screen C (100,0 100x100) holding N (10,10 20x20).
class InputScript : public ::testing::Test {
 protected:
  Log mLog;
  FakeApp mApp;
  WidgetManager mManager{&mApp};
  RecordingWidget mA{"A", &mLog, 10, 10, 50, 50};
  RecordingWidget mB{"B", &mLog, 40, 40, 50, 50};
  RecordingWidget mC{"C", &mLog, 100, 0, 100, 100};
  RecordingWidget mN{"N", &mLog, 10, 10, 20, 20};
  RecordingWidget mLoose{"L", &mLog, 0, 0, 5, 5};
  std::map<std::string, Widget*> mByName;

  void SetUp() override {
    SizeManager(mManager);
    mManager.AddWidget(&mA);
    mManager.AddWidget(&mB);
    mManager.AddWidget(&mC);
    mC.AddWidget(&mN);
    mByName = {{"A", &mA}, {"B", &mB}, {"C", &mC}, {"N", &mN}, {"L", &mLoose}, {"-", nullptr}};
  }
  void TearDown() override { mManager.RemoveAllWidgets(false, true); }

  void Run(const std::vector<Step>& theSteps) {
    int i = 0;
    for (const Step& s : theSteps) {
      SCOPED_TRACE("step " + std::to_string(i++) + " " + s.op);
      mLog.clear();
      std::string op = s.op;
      Widget* aTarget = s.target != nullptr ? mByName[s.target] : nullptr;
      if (op == "move")
        mManager.MouseMove(s.x, s.y);
      else if (op == "down")
        mManager.MouseDown(s.x, s.y, s.n);
      else if (op == "up")
        mManager.MouseUp(s.x, s.y, s.n);
      else if (op == "exit")
        mManager.MouseExit(s.x, s.y);
      else if (op == "wheel")
        mManager.MouseWheel(s.n);
      else if (op == "keydown")
        mManager.KeyDown(static_cast<KeyCode>(s.n));
      else if (op == "keyup")
        mManager.KeyUp(static_cast<KeyCode>(s.n));
      else if (op == "char")
        mManager.KeyChar(static_cast<wchar_t>(s.n));
      else if (op == "appfocus")
        s.n ? mManager.GotFocus() : mManager.LostFocus();
      else if (op == "mouseups")
        mManager.DoMouseUps();
      else if (op == "focus")
        mManager.SetFocus(aTarget);
      else if (op == "modal")
        mManager.AddBaseModal(aTarget);
      else if (op == "unmodal")
        mManager.RemoveBaseModal(static_cast<Widget*>(aTarget));
      else if (op == "remove")
        aTarget->mParent->RemoveWidget(aTarget);
      else if (op == "hide")
        aTarget->SetVisible(false);
      else if (op == "disable")
        aTarget->SetDisabled(true);
      else
        FAIL() << "unknown op";
      EXPECT_EQ(Join(mLog), s.expect);
    }
  }
};

TEST_F(InputScript, HoverFollowsZOrderAndLeavesOnExit) {
  Run({
      {"move", 20, 20, 0, nullptr, "A enter; A move 10,10"},
      {"move", 20, 20, 0, nullptr, ""},                                // same place, same widget: nothing
      {"move", 50, 50, 0, nullptr, "A leave; B enter; B move 10,10"},  // B is in front
      {"move", 89, 89, 0, nullptr, "B move 49,49"},
      {"move", 90, 90, 0, nullptr, "B leave"},               // right edge is outside
      {"move", 115, 15, 0, nullptr, "N enter; N move 5,5"},  // children before their parent
      {"move", 150, 50, 0, nullptr, "N leave; C enter; C move 50,50"},
      {"exit", 0, 0, 0, nullptr, "C leave"},
  });
}

TEST_F(InputScript, CaptureKeepsDragAndReleaseOnThePressedWidget) {
  Run({
      {"move", 15, 15, 0, nullptr, "A enter; A move 5,5"},
      {"down", 15, 15, 1, nullptr, "A down 5,5 1"},
      {"move", 100, 140, 0, nullptr, "A drag 90,130; A leave"},
      {"move", 50, 50, 0, nullptr, "A drag 40,40"},  // over B: B gets no enter while A holds the mouse
      {"move", 20, 20, 0, nullptr, "A drag 10,10; A enter"},
      {"move", 100, 140, 0, nullptr, "A drag 90,130; A leave"},
      {"up", 100, 140, 1, nullptr, "A up 90,130 1"},  // released away from A, relative to A
      {"move", 50, 50, 0, nullptr, "B enter; B move 10,10"},
  });
  EXPECT_EQ(mManager.mDownButtons, 0);
  EXPECT_EQ(mManager.mLastDownWidget, nullptr);
}

TEST_F(InputScript, BothButtonsAndTheMiddleOneShareTheCapture) {
  Run({
      {"move", 15, 15, 0, nullptr, "A enter; A move 5,5"},
      {"down", 15, 15, 1, nullptr, "A down 5,5 1"},
      {"down", 15, 15, -1, nullptr, "A down 5,5 -1"},
      {"up", 15, 15, 1, nullptr, "A up 5,5 1"},  // the right button still holds the capture
      {"move", 100, 140, 0, nullptr, "A drag 90,130; A leave"},
      {"down", 100, 140, 3, nullptr, "A down 90,130 3"},  // a new button goes to the capturing widget
      {"up", 100, 140, -1, nullptr, "A up 90,130 -1"},
      {"up", 100, 140, 3, nullptr, "A up 90,130 3"},
  });
  EXPECT_EQ(mManager.mDownButtons, 0);
  EXPECT_EQ(mManager.mActualDownButtons, 0);
}

TEST_F(InputScript, ButtonBitsOfEachClickCount) {
  struct Case {
    int count;
    int bit;
  };
  for (const Case& c : {Case{1, 1}, Case{2, 1}, Case{-1, 2}, Case{-2, 2}, Case{3, 4}}) {
    SCOPED_TRACE(c.count);
    mManager.MouseDown(15, 15, c.count);
    EXPECT_EQ(mManager.mDownButtons, c.bit);
    EXPECT_EQ(mManager.mActualDownButtons, c.bit);
    EXPECT_EQ(mManager.IsLeftButtonDown(), c.bit == 1);
    mManager.MouseUp(15, 15, c.count);
    EXPECT_EQ(mManager.mDownButtons, 0);
  }
}

TEST_F(InputScript, NestedWidgetsGetTheirOwnCoordinatesOnRelease) {
  Run({
      {"move", 115, 15, 0, nullptr, "N enter; N move 5,5"},
      {"down", 115, 15, 1, nullptr, "N down 5,5 1"},
      {"move", 150, 50, 0, nullptr, "N drag 40,40; N leave"},
      // A press re-evaluates the hover, but still goes to N, relative to N.
      {"down", 150, 50, -1, nullptr, "C enter; C move 50,50; N down 40,40 -1"},
      {"up", 150, 50, -1, nullptr, "N up 40,40 -1"},
      {"up", 150, 50, 1, nullptr, "N up 40,40 1"},
  });
}

TEST_F(InputScript, PendingReleasesWhenTheAppLosesTheMouse) {
  Run({
      {"move", 115, 15, 0, nullptr, "N enter; N move 5,5"},
      {"down", 115, 15, 1, nullptr, "N down 5,5 1"},
      {"down", 115, 15, 3, nullptr, "N down 5,5 3"},
      {"mouseups", 0, 0, 0, nullptr, "N up 5,5 1; N up 5,5 3"},
      {"mouseups", 0, 0, 0, nullptr, ""},
  });
  EXPECT_FALSE(mN.mIsDown);
}

TEST_F(InputScript, WheelAndKeysGoToTheFocusWidget) {
  mA.mTabNext = &mB;
  mB.mTabPrev = &mA;
  Run({
      {"wheel", 0, 0, 2, nullptr, ""},  // no focus: dropped
      {"focus", 0, 0, 0, "A", "A gotfocus"},
      {"focus", 0, 0, 0, "A", ""},
      {"wheel", 0, 0, -1, nullptr, "A wheel -1"},
      {"char", 0, 0, 'x', nullptr, "A char x"},
      {"keydown", 0, 0, 9, nullptr, "A keydown 9; A lostfocus; B gotfocus"},
      {"keyup", 0, 0, 9, nullptr, "B keyup 9"},
      {"keydown", 0, 0, 9, nullptr, "B keydown 9"},  // B has no next
      {"keyup", 0, 0, 9, nullptr, "B keyup 9"},
      {"keydown", 0, 0, 16, nullptr, "B keydown 16"},
      {"keydown", 0, 0, 9, nullptr, "B keydown 9; B lostfocus; A gotfocus"},  // shift+tab
      {"keydown", 0, 0, 9, nullptr, "A keydown 9"},  // shift+tab without a previous widget stays
      {"keyup", 0, 0, 9, nullptr, "A keyup 9"},
      {"keyup", 0, 0, 16, nullptr, "A keyup 16"},
      {"focus", 0, 0, 0, "L", "A lostfocus"},  // not in this manager: the focus is cleared
      {"char", 0, 0, 'y', nullptr, ""},
  });
  EXPECT_EQ(mManager.mFocusWidget, nullptr);
}

TEST_F(InputScript, ControlTabReachesOnlyKeyDown) {
  Run({
      {"focus", 0, 0, 0, "A", "A gotfocus"},
      {"keydown", 0, 0, 17, nullptr, "A keydown 17"},
      {"keydown", 0, 0, 9, nullptr, "A keydown 9"},
      {"char", 0, 0, 9, nullptr, ""},
      {"keyup", 0, 0, 9, nullptr, ""},
      {"keyup", 0, 0, 17, nullptr, "A keyup 17"},
  });
}

TEST_F(InputScript, LosingTheAppFocusReleasesHeldKeys) {
  Run({
      {"focus", 0, 0, 0, "A", "A gotfocus"},
      {"keydown", 0, 0, 65, nullptr, "A keydown 65"},
      {"keydown", 0, 0, 16, nullptr, "A keydown 16"},
      {"appfocus", 0, 0, 0, nullptr, "A keyup 16; A keyup 65; A lostfocus"},
      {"appfocus", 0, 0, 0, nullptr, ""},
      {"focus", 0, 0, 0, "B", "A lostfocus"},  // B is not told until the app has the focus again
      {"appfocus", 0, 0, 1, nullptr, "B gotfocus"},
  });
  EXPECT_FALSE(mManager.mKeyDown[65]);
}

TEST_F(InputScript, ModalLayerFencesOffWidgetsBelowAndRestoresFocus) {
  mC.SetVisible(false);
  Run({
      {"focus", 0, 0, 0, "A", "A gotfocus"},
      {"move", 15, 15, 0, nullptr, "A enter; A move 5,5"},
      {"down", 15, 15, 1, nullptr, "A down 5,5 1"},
      {"modal", 0, 0, 0, "B", "A leave; A up 5,5 1; A lostfocus"},
      {"move", 20, 20, 0, nullptr, ""},  // A is below the modal widget
      {"up", 20, 20, 1, nullptr, ""},
      {"down", 20, 20, 1, nullptr, ""},
      {"up", 20, 20, 1, nullptr, ""},
      {"focus", 0, 0, 0, "A", "A gotfocus"},  // focus may still be set by hand
      {"focus", 0, 0, 0, "B", "A lostfocus; B gotfocus"},
      {"move", 50, 50, 0, nullptr, "B enter; B move 10,10"},
      {"focus", 0, 0, 0, "-", "B lostfocus"},
      {"unmodal", 0, 0, 0, "B", "A gotfocus"},
  });
}

TEST_F(InputScript, StackedLayersPopOnlyFromTheTop) {
  mManager.SetFocus(&mA);
  mManager.AddBaseModal(&mA);
  mManager.AddBaseModal(&mB);
  mManager.RemoveBaseModal(&mA);  // B is on top: nothing happens
  EXPECT_EQ(mManager.mBaseModalWidget, &mB);
  EXPECT_EQ(mManager.mPreModalInfoList.size(), 2u);
  mManager.RemoveBaseModal(&mB);
  EXPECT_EQ(mManager.mBaseModalWidget, &mA);
  mManager.RemoveBaseModal(&mA);
  EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
  EXPECT_TRUE(mManager.mPreModalInfoList.empty());
}

TEST_F(InputScript, RemovedBaseModalWidgetStillPopsItsLayer) {
  Run({
      {"focus", 0, 0, 0, "A", "A gotfocus"},
      {"modal", 0, 0, 0, "B", "A lostfocus"},
      {"remove", 0, 0, 0, "B", ""},
      {"unmodal", 0, 0, 0, "B", "A gotfocus"},
  });
  EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
  EXPECT_TRUE(mManager.mPreModalInfoList.empty());
}

TEST_F(InputScript, DisablingOrRemovingTheCapturingWidgetReleasesIt) {
  Run({
      {"move", 50, 50, 0, nullptr, "B enter; B move 10,10"},
      {"down", 50, 50, 1, nullptr, "B down 10,10 1"},
      {"focus", 0, 0, 0, "B", "B gotfocus"},
      {"disable", 0, 0, 0, "B", "B leave; B up 10,10 1; B lostfocus"},
      {"move", 51, 51, 0, nullptr, ""},  // a disabled widget hides what lies beneath it
      {"move", 15, 15, 0, nullptr, "A enter; A move 5,5"},
      {"down", 15, 15, 1, nullptr, "A down 5,5 1"},
      {"remove", 0, 0, 0, "A", "A leave; A up 5,5 1"},
  });
  EXPECT_EQ(mManager.mOverWidget, nullptr);
  EXPECT_EQ(mManager.mLastDownWidget, nullptr);
}

TEST_F(InputScript, HidingTheHoveredWidgetMovesTheHover) {
  Run({
      {"move", 50, 50, 0, nullptr, "B enter; B move 10,10"},
      {"hide", 0, 0, 0, "B", "B leave; A enter; A move 40,40"},
  });
}

TEST(WidgetManagerRemap, MapsWindowPositionsIntoWidgetSpace) {
  FakeApp anApp;
  WidgetManager aManager(&anApp);
  int x = 7;
  int y = 9;
  aManager.RemapMouse(x, y);  // no source yet: unchanged
  EXPECT_EQ(x, 7);
  aManager.Resize(TRect<int>(10, 20, 800, 600), TRect<int>(0, 0, 400, 300));
  EXPECT_EQ(aManager.mWidth, 820);
  EXPECT_EQ(aManager.mHeight, 640);
  x = 101;
  y = 151;
  aManager.RemapMouse(x, y);
  EXPECT_EQ(x, 212);
  EXPECT_EQ(y, 322);
}

}  // namespace
}  // namespace Tesk
