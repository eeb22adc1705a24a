// The widget base: colours, resizing, click mapping, text and number helpers.
#include <gtest/gtest.h>

#include "ControlRecorder.h"
#include "WidgetTestSupport.h"
#include "framework/graphics/RecordingImage.h"

namespace Tesk {
namespace {

// Records which four-argument form the three-argument calls reach.
class ButtonNumbers : public Widget {
 public:
  std::vector<std::string> mCalls;
  void MouseDown(int, int, int theBtnNum, int theClickCount) override {
    mCalls.push_back("down " + std::to_string(theBtnNum) + " " + std::to_string(theClickCount));
  }
  void MouseUp(int, int) override { mCalls.push_back("up"); }
  void MouseUp(int, int, int theBtnNum, int theClickCount) override {
    mCalls.push_back("up " + std::to_string(theBtnNum) + " " + std::to_string(theClickCount));
  }
  using Widget::MouseDown;
  using Widget::MouseUp;
};

TEST(WidgetBase, ClickCountsMapToButtonNumbers) {
  struct Case {
    int count;
    const char* down;
    const char* up;
  };
  const Case kCases[] = {{1, "down 0 1", "up 0 1"},
                         {2, "down 0 2", "up 0 2"},
                         {-1, "down 1 1", "up 1 1"},
                         {-2, "down 1 2", "up 1 2"},
                         {3, "down 2 1", "up 2 1"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.count);
    ButtonNumbers w;
    w.Widget::MouseDown(0, 0, c.count);
    w.Widget::MouseUp(0, 0, c.count);
    EXPECT_EQ(w.mCalls, (std::vector<std::string>{c.down, "up", c.up}));
  }
}

TEST(WidgetBase, ColourTable) {
  Widget w;
  w.SetColor(5, Color(1, 2, 3));
  ASSERT_EQ(w.mColors.size(), 6u);
  EXPECT_EQ(w.mColors[0], Color());
  int aRows[][3] = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
  w.SetColors(aRows, 3);
  EXPECT_EQ(w.mColors.size(), 3u);
  EXPECT_EQ(w.GetColor(7), Color(0, 0, 0));
  EXPECT_EQ(w.GetColor(7, Color::White), Color::White);
  EXPECT_EQ(w.GetColor(1, Color::White), Color(2, 2, 2));
  EXPECT_EQ(w.GetColor(-1), Color(0, 0, 0));
  int aRows4[][4] = {{1, 2, 3, 4}};
  w.SetColors(aRows4, 1);
  EXPECT_EQ(w.GetColor(0), Color(1, 2, 3, 4));
}

TEST(WidgetBase, DigitsAndNumberStrip) {
  Widget w;
  struct Case {
    int n;
    int digits;
  };
  for (const Case& c :
       {Case{0, 1}, Case{9, 1}, Case{10, 2}, Case{999999999, 9}, Case{-5, 1}, Case{2000000000, 10}})
    EXPECT_EQ(w.GetNumDigits(c.n), c.digits) << c.n;
  SizedImage aStrip(100, 12);  // cells of 10
  RecordingImage anImage(200, 50);
  Graphics g(&anImage);
  w.WriteNumberFromStrip(&g, 0, 5, 6, &aStrip, 2);
  EXPECT_EQ(anImage.mCalls, std::vector<std::string>{"Blt 5,6 src 0,0,10,12 ffffffff 0"});
  anImage.mCalls.clear();
  w.WriteNumberFromStrip(&g, 105, 5, 6, &aStrip, 2);
  EXPECT_EQ(anImage.mCalls, (std::vector<std::string>{"Blt 5,6 src 10,0,10,12 ffffffff 0",
                                                      "Blt 17,6 src 0,0,10,12 ffffffff 0",
                                                      "Blt 29,6 src 50,0,10,12 ffffffff 0"}));
}

TEST(WidgetBase, CenteredLinesWithAndWithoutShadow) {
  Widget w;
  w.mWidth = 100;
  BlockFont aFont;
  Graphics g;
  g.SetFont(&aFont);
  EXPECT_EQ(w.WriteCenteredLine(&g, 20, L"abcd"), TRect<int>(38, 12, 24, 10));
  EXPECT_EQ(w.WriteCenteredLine(&g, 20, L"abcd", Color::White, Color(0, 0, 0), TPoint<int>(-2, 3)),
            TRect<int>(36, 12, 26, 13));
  EXPECT_EQ(aFont.mDrawn.back(), "abcd@38,20 ffffffff");
  EXPECT_EQ(aFont.mDrawn[aFont.mDrawn.size() - 2], "abcd@36,23 ff000000");
  w.WriteString(&g, L"x", 0, 10);
  EXPECT_EQ(aFont.mDrawn.back().substr(1, 5), "@0,17");  // y + ascent - ascent / 6
}

TEST(WidgetBase, ResizeMarksOldAndNewAreasAndInsetsWidenTheHit) {
  FakeApp anApp;
  WidgetManager aManager(&anApp);
  SizeManager(aManager);
  Log aLog;
  RecordingWidget a("a", &aLog, 10, 10, 20, 20);
  aManager.AddWidget(&a);
  aManager.MouseMove(15, 15);
  aLog.clear();
  a.Resize(10, 10, 20, 20);
  EXPECT_TRUE(aLog.empty());  // same rectangle: nothing, not even a hover check
  a.mMouseInsets = Insets(-5, -5, 10, 10);
  aManager.MouseMove(7, 7);
  EXPECT_EQ(Join(aLog), "a move -3,-3");
  a.Move(100, 100);
  EXPECT_EQ(Join(aLog), "a move -3,-3; a leave");
  aManager.RemoveWidget(&a);
}

TEST(WidgetBase, ClickGivesTheFocusBeforeThePress) {
  FakeApp anApp;
  WidgetManager aManager(&anApp);
  SizeManager(aManager);
  Log aLog;
  RecordingWidget a("a", &aLog, 10, 10, 20, 20);
  a.mWantsFocus = true;
  aManager.AddWidget(&a);
  aManager.MouseDown(15, 15, 1);
  EXPECT_EQ(Join(aLog), "a enter; a move 5,5; a gotfocus; a down 5,5 1");
  aManager.RemoveWidget(&a);
}

}  // namespace
}  // namespace Tesk
