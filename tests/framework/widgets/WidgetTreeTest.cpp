// The widget tree: z-order bands, walks, removal during a walk, dirty marking.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "WidgetTestSupport.h"
#include "widgets/AutoModalFlags.h"

namespace Tesk {
namespace {

std::string Order(WidgetContainer& theContainer) {
  std::string aText;
  for (Widget* w : theContainer.mWidgets) aText += static_cast<RecordingWidget*>(w)->mName;
  return aText;
}

struct ZCase {
  const char* name;
  const char* zorders;  // one digit per widget, added in order a, b, c, ...
  const char* op;       // "" or "front x", "back x", "behind x y", "infront x y"
  const char* expect;
};

TEST(WidgetTree, ZOrderBands) {
  const ZCase kCases[] = {
      {"last 0 goes behind the 1", "00010", "", "abced"},
      {"back of its band", "0101", "back d", "acdb"},
      {"front of its band", "1010", "front a", "bdca"},
      {"behind the reference", "0000", "behind d b", "adbc"},
      {"in front of the reference", "0000", "infront a c", "bcad"},
      {"reference of a lower band", "0011", "infront d a", "abdc"},
      {"reference not a child", "0000", "behind a z", "bcda"},
      {"not a child", "000", "front z", "abc"},
  };
  for (const ZCase& c : kCases) {
    SCOPED_TRACE(c.name);
    Log aLog;
    WidgetContainer aRoot;
    std::map<char, std::unique_ptr<RecordingWidget>> aWidgets;
    aWidgets['z'] = std::make_unique<RecordingWidget>("z", &aLog, 0, 0, 1, 1);
    for (int i = 0; c.zorders[i] != 0; i++) {
      char aName = static_cast<char>('a' + i);
      aWidgets[aName] = std::make_unique<RecordingWidget>(std::string(1, aName), &aLog, 0, 0, 1, 1);
      aWidgets[aName]->mZOrder = c.zorders[i] - '0';
      aRoot.AddWidget(aWidgets[aName].get());
    }
    std::string op = c.op;
    if (!op.empty()) {
      Widget* w = aWidgets[op[op.find(' ') + 1]].get();
      Widget* aRef = op.size() > op.find(' ') + 2 ? aWidgets[op.back()].get() : nullptr;
      if (op.rfind("front", 0) == 0) aRoot.BringToFront(w);
      if (op.rfind("back", 0) == 0) aRoot.BringToBack(w);
      if (op.rfind("behind", 0) == 0) aRoot.PutBehind(w, aRef);
      if (op.rfind("infront", 0) == 0) aRoot.PutInfront(w, aRef);
    }
    EXPECT_EQ(Order(aRoot), c.expect);
    aRoot.RemoveAllWidgets(false, false);
  }
}

TEST(WidgetTreeDeathTest, DestroyingAnAttachedOrNonEmptyContainerStops) {
  Log aLog;
  EXPECT_DEATH(
      {
        WidgetContainer aParent;
        RecordingWidget aChild("c", &aLog, 0, 0, 1, 1);
        aParent.AddWidget(&aChild);
      },
      "failed assertion `mParent == __null'");
  EXPECT_DEATH(
      {
        RecordingWidget aChild("c", &aLog, 0, 0, 1, 1);
        WidgetContainer aParent;
        aParent.AddWidget(&aChild);
      },
      "failed assertion `mWidgets.empty\\(\\)'");
}

class ManagerTree : public ::testing::Test {
 protected:
  Log mLog;
  FakeApp mApp;
  WidgetManager mManager{&mApp};
  std::vector<std::unique_ptr<RecordingWidget>> mOwned;

  RecordingWidget* Make(const std::string& theName, int x, int y, int w, int h, WidgetContainer* theParent) {
    mOwned.push_back(std::make_unique<RecordingWidget>(theName, &mLog, x, y, w, h));
    if (theParent != nullptr) theParent->AddWidget(mOwned.back().get());
    return mOwned.back().get();
  }
  void SetUp() override { SizeManager(mManager); }
  void TearDown() override { mManager.RemoveAllWidgets(false, true); }
  void ClearDirty() {
    for (Widget* w : mManager.mWidgets) w->mDirty = false;
  }
  std::string Dirty() {
    std::string aText;
    for (Widget* w : mManager.mWidgets)
      if (w->mDirty) aText += static_cast<RecordingWidget*>(w)->mName;
    return aText;
  }
};

TEST_F(ManagerTree, RemovingTheWidgetBeingUpdatedContinuesWithTheNext) {
  RecordingWidget* a = Make("a", 0, 0, 1, 1, &mManager);
  RecordingWidget* b = Make("b", 0, 0, 1, 1, &mManager);
  RecordingWidget* c = Make("c", 0, 0, 1, 1, &mManager);
  RecordingWidget* d = Make("d", 0, 0, 1, 1, &mManager);
  std::string anOrder;
  for (RecordingWidget* w : {a, b, c, d}) {
    w->mOnUpdate = [&anOrder](RecordingWidget* theWidget) { anOrder += theWidget->mName; };
  }
  b->mOnUpdate = [&anOrder](RecordingWidget* theWidget) {
    anOrder += theWidget->mName;
    theWidget->mParent->RemoveWidget(theWidget);
  };
  c->mOnUpdate = [&anOrder, d](RecordingWidget* theWidget) {
    anOrder += theWidget->mName;
    theWidget->mParent->BringToFront(theWidget);  // moved behind the walk's back: seen once
    d->mParent->BringToBack(d);
  };
  mManager.UpdateFrame();
  EXPECT_EQ(anOrder, "abc");  // d went to the back before the walk reached it
  EXPECT_EQ(Order(mManager), "dac");
  anOrder.clear();
  mManager.UpdateFrame();
  EXPECT_EQ(anOrder, "dac");
  EXPECT_EQ(b->mWidgetManager, nullptr);
}

TEST_F(ManagerTree, UpdateRunsOncePerFrame) {
  RecordingWidget* a = Make("a", 0, 0, 1, 1, &mManager);
  RecordingWidget* n = Make("n", 0, 0, 1, 1, a);
  mManager.UpdateFrame();
  ModalFlags aFlags;
  mManager.InitModalFlags(&aFlags);
  mManager.UpdateAll(&aFlags);
  EXPECT_EQ(a->mUpdates, 1);
  EXPECT_EQ(n->mUpdates, 1);
  mManager.UpdateFrame();
  EXPECT_EQ(mManager.mUpdateCnt, 2);
  EXPECT_EQ(n->mUpdates, 2);
}

TEST_F(ManagerTree, IsBelowWalksDepthFirst) {
  RecordingWidget* aScreen = Make("s", 0, 0, 10, 10, &mManager);
  RecordingWidget* aNested = Make("n", 0, 0, 1, 1, aScreen);
  RecordingWidget* b = Make("b", 0, 0, 1, 1, &mManager);
  EXPECT_TRUE(mManager.IsBelow(aNested, b));
  EXPECT_FALSE(mManager.IsBelow(b, aNested));
  EXPECT_TRUE(mManager.IsBelow(b, nullptr));
  EXPECT_FALSE(mManager.IsBelow(nullptr, nullptr));
}

TEST_F(ManagerTree, AddingToASecondParentTakesItFromTheFirst) {
  RecordingWidget* p1 = Make("p", 0, 0, 10, 10, &mManager);
  RecordingWidget* p2 = Make("q", 20, 0, 10, 10, &mManager);
  RecordingWidget* w = Make("w", 0, 0, 1, 1, p1);
  p2->AddWidget(w);
  EXPECT_TRUE(p1->mWidgets.empty());
  EXPECT_EQ(w->mParent, p2);
  EXPECT_EQ(w->mWidgetManager, &mManager);
}

TEST_F(ManagerTree, MarkingAWidgetWithAlphaRedrawsBeneathDownToTheCover) {
  // far (opaque, covers m) < cover (opaque, covers m) < under (transparent) < m (alpha) < front, apart
  Make("f", 0, 0, 200, 150, &mManager);
  Make("c", 10, 10, 100, 100, &mManager);
  RecordingWidget* u = Make("u", 20, 20, 30, 30, &mManager);
  u->mHasTransparencies = true;
  RecordingWidget* m = Make("m", 30, 30, 20, 20, &mManager);
  m->mHasAlpha = true;
  Make("t", 45, 45, 10, 10, &mManager);
  Make("x", 150, 120, 10, 10, &mManager);
  ClearDirty();
  m->MarkDirty();
  EXPECT_EQ(Dirty(), "cumt");
  ClearDirty();
  m->mHasAlpha = false;
  m->MarkDirty();
  EXPECT_EQ(Dirty(), "mt");  // opaque: only itself and what overlaps it in front
}

TEST_F(ManagerTree, CoverTestUsesOnlyThePartInsideTheManager) {
  Make("c", 0, 0, 50, 50, &mManager);
  RecordingWidget* m = Make("m", -20, -20, 40, 40, &mManager);
  m->mHasAlpha = true;
  ClearDirty();
  m->MarkDirty();
  EXPECT_EQ(Dirty(), "cm");
}

TEST_F(ManagerTree, HidingRedrawsBeneathAndReshowingRedrawsWhatIsInFront) {
  RecordingWidget* b = Make("b", 0, 0, 200, 150, &mManager);
  RecordingWidget* w = Make("w", 10, 10, 50, 50, &mManager);
  Make("f", 40, 40, 50, 50, &mManager);
  ClearDirty();
  w->SetVisible(false);
  EXPECT_EQ(Dirty(), "bwf");
  mManager.mImage = nullptr;
  // The frame draws nothing while the screen is unset, so w stays dirty while hidden
  // exactly as a hidden widget does in DrawScreen.
  b->mDirty = false;
  mManager.mWidgets.back()->mDirty = false;
  EXPECT_TRUE(w->mDirty);
  w->SetVisible(true);
  EXPECT_EQ(Dirty(), "wf");  // f lies over w and must be drawn again after it
}

TEST_F(ManagerTree, WalkFlagsFollowTheBaseModalWidget) {
  RecordingWidget* a = Make("a", 0, 0, 1, 1, &mManager);
  RecordingWidget* m = Make("m", 0, 0, 1, 1, &mManager);
  RecordingWidget* c = Make("c", 0, 0, 1, 1, &mManager);
  mManager.AddBaseModal(m, FlagsMod(0, WidgetFlags_Update));
  mManager.UpdateFrame();
  EXPECT_EQ(a->mUpdates, 0);
  EXPECT_EQ(m->mUpdates, 1);
  EXPECT_EQ(c->mUpdates, 1);
  a->mWidgetFlagsMod = FlagsMod(WidgetFlags_Update, 0);  // a container's own change wins for its subtree
  mManager.UpdateFrame();
  EXPECT_EQ(a->mUpdates, 1);
  mManager.RemoveBaseModal(m);
}

TEST(FlagTypes, ModAndScopeGuard) {
  EXPECT_EQ(GetModFlags(61, FlagsMod(2, 48)), 15);
  ModalFlags aFlags;
  aFlags.mOverFlags = 61;
  aFlags.mUnderFlags = 13;
  {
    AutoModalFlags aGuard(&aFlags, FlagsMod(2, 4));
    EXPECT_EQ(aFlags.mOverFlags, 59);
    EXPECT_EQ(aFlags.mUnderFlags, 11);
    aFlags.mIsOver = true;
    EXPECT_EQ(aFlags.GetFlags(), 59);
  }
  EXPECT_EQ(aFlags.mOverFlags, 61);
  EXPECT_EQ(aFlags.mUnderFlags, 13);
  EXPECT_TRUE(aFlags.mIsOver);  // not restored: the walk stays over
}

}  // namespace
}  // namespace Tesk
