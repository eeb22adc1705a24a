// The dialog: buttons by mode, layout, dragging, result and colours.
#include <gtest/gtest.h>

#include <memory>

#include "ControlRecorder.h"
#include "WidgetTestSupport.h"
#include "framework/graphics/RecordingImage.h"
#include "widgets/Dialog.h"
#include "widgets/DialogButton.h"

namespace Tesk {
namespace {

class DialogTest : public ::testing::Test {
 protected:
  FakeApp mApp;
  WidgetManager mManager{&mApp};
  BlockFont mFont;

  void SetUp() override { SizeManager(mManager, 400, 300); }
  std::vector<std::unique_ptr<Dialog>> mDialogs;

  void TearDown() override {
    mManager.RemoveAllWidgets();
    mDialogs.clear();
  }
  Dialog* Make(int theMode, Image* theButtonImage = nullptr, const TeskString& theHeader = L"Title",
               const TeskString& theFooter = L"Foot") {
    auto aDialog =
        std::make_unique<Dialog>(nullptr, theButtonImage, 77, true, theHeader, L"Hello", theFooter, theMode);
    aDialog->SetHeaderFont(&mFont);
    aDialog->SetLinesFont(&mFont);
    mDialogs.push_back(std::move(aDialog));
    return mDialogs.back().get();
  }
};

TEST_F(DialogTest, ButtonsByMode) {
  struct Case {
    int mode;
    const wchar_t* yes;
    const wchar_t* no;
  };
  const Case kCases[] = {{1, L"YES", L"NO"},
                         {2, L"OK", L"CANCEL"},
                         {3, L"Foot", nullptr},
                         {0, nullptr, nullptr},
                         {7, nullptr, nullptr}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mode);
    Dialog* aDialog = Make(c.mode);
    ASSERT_EQ(aDialog->mYesButton != nullptr, c.yes != nullptr);
    ASSERT_EQ(aDialog->mNoButton != nullptr, c.no != nullptr);
    if (c.yes) {
      EXPECT_EQ(aDialog->mYesButton->mLabel, c.yes);
      EXPECT_EQ(aDialog->mYesButton->mId, 1000);
    }
    if (c.no) {
      EXPECT_EQ(aDialog->mNoButton->mLabel, c.no);
      EXPECT_EQ(aDialog->mNoButton->mId, 1001);
    }
  }
}

TEST_F(DialogTest, PreferredHeightAddsEachPart) {
  int aWrap = Graphics::GetWordWrappedHeight(&mFont, 400 - 48 - 4, L"Hello", 10);
  EXPECT_EQ(Make(1)->GetPreferredHeight(400), 48 + 10 + 10 + aWrap + 8 + 10 + 8 + 24 + 8);
  EXPECT_EQ(Make(3)->GetPreferredHeight(400), 48 + 10 + 10 + aWrap + 8 + 24 + 8);  // footer is the button
  EXPECT_EQ(Make(0)->GetPreferredHeight(400), 48 + 10 + 10 + aWrap + 8 + 10);
  EXPECT_EQ(Make(0, nullptr, L"", L"")->GetPreferredHeight(400), 48 + aWrap);  // no header gap
}

TEST_F(DialogTest, ButtonsAreLaidOutInTheManagersCoordinates) {
  Dialog* aDialog = Make(1);
  mManager.AddWidget(aDialog);
  aDialog->Resize(50, 40, 300, 200);
  EXPECT_EQ(aDialog->mYesButton->GetRect(), TRect<int>(74, 192, 122, 24));  // (300 - 48 - 8) / 2 wide
  EXPECT_EQ(aDialog->mNoButton->GetRect(), TRect<int>(204, 192, 122, 24));
  EXPECT_EQ(aDialog->mYesButton->mParent, &mManager);  // siblings, not children
  Dialog* aSingle = Make(3);
  aSingle->Resize(0, 0, 300, 200);
  EXPECT_EQ(aSingle->mYesButton->GetRect(), TRect<int>(24, 152, 252, 24));
  mManager.BringToBack(aDialog);
  ASSERT_EQ(mManager.mWidgets.size(), 3u);
  EXPECT_EQ(mManager.mWidgets.front(), aDialog);  // its buttons follow it
  EXPECT_EQ(*std::next(mManager.mWidgets.begin()), aDialog->mNoButton);
  mManager.RemoveWidget(aDialog);
  EXPECT_TRUE(mManager.mWidgets.empty());
}

TEST_F(DialogTest, ReleasingNoSetsTheResultAndTellsTheApplication) {
  Dialog* aDialog = Make(1);
  mManager.AddWidget(aDialog);
  aDialog->Resize(50, 40, 300, 200);
  mManager.MouseMove(250, 200);
  mManager.MouseDown(250, 200, 1);
  mManager.MouseUp(250, 200, 1);
  EXPECT_EQ(aDialog->mResult, 1001);
  EXPECT_EQ(mApp.mDialogCalls, (std::vector<std::string>{"press 77 1001", "depress 77 1001"}));
  EXPECT_EQ(aDialog->WaitForResult(true), 1001);
  EXPECT_EQ(mApp.mKilled, std::vector<int>{77});
  aDialog->ButtonDepress(5);  // not a dialog button
  EXPECT_EQ(aDialog->mResult, 1001);
}

TEST_F(DialogTest, WaitForResultRunsStepsUntilSomethingEndsIt) {
  Dialog* aDialog = Make(1);
  mManager.AddWidget(aDialog);
  mApp.mStepsLeft = 100;
  mApp.mStepDialog = aDialog;
  mApp.mStepActions = {{3, 1000}};
  EXPECT_EQ(aDialog->WaitForResult(false), 1000);
  EXPECT_EQ(mApp.mSteps, 3);
  EXPECT_TRUE(mApp.mKilled.empty());

  Dialog* aNone = Make(0);
  mApp.mSteps = 0;
  mApp.mStepsLeft = 4;  // the application stops
  mManager.AddWidget(aNone);
  EXPECT_EQ(aNone->WaitForResult(false), Dialog::k_NoResult);
  EXPECT_EQ(mApp.mSteps, 5);
  mManager.RemoveWidget(aNone);
  mApp.mStepsLeft = 4;
  EXPECT_EQ(aNone->WaitForResult(false), Dialog::k_NoResult);  // not in a manager: no wait
}

TEST_F(DialogTest, DraggingStopsEightPixelsPastTheScreenEdge) {
  Dialog* aDialog = Make(0);
  mManager.AddWidget(aDialog);
  aDialog->Resize(50, 40, 200, 100);
  mManager.MouseMove(60, 50);
  mManager.MouseDown(60, 50, 1);
  EXPECT_EQ(mApp.LastCursor(), 2);
  mManager.MouseMove(40, 60);
  EXPECT_EQ(aDialog->mX, 30);
  EXPECT_EQ(aDialog->mY, 50);
  mManager.MouseMove(-100, 60);
  EXPECT_EQ(aDialog->mX, -8);
  mManager.MouseMove(1000, 1000);
  EXPECT_EQ(aDialog->mX, 400 - 200 + 8);
  EXPECT_EQ(aDialog->mY, 300 - 100 + 8);
  mManager.MouseUp(1000, 1000, 1);
  EXPECT_EQ(mApp.LastCursor(), 0);
  EXPECT_FALSE(aDialog->mDragging);
}

TEST_F(DialogTest, ADialogWiderThanTheScreenStaysInRange) {
  Dialog* aDialog = Make(0);
  mManager.AddWidget(aDialog);
  aDialog->Resize(0, 0, 500, 100);
  mManager.MouseDown(20, 20, 1);
  mManager.MouseMove(25, 20);
  EXPECT_EQ(aDialog->mX, -8);
  mManager.MouseUp(25, 20, 1);
}

TEST_F(DialogTest, ButtonColoursBelongToEachDialog) {
  Dialog* aPlain = Make(1);
  EXPECT_EQ(aPlain->mYesButton->GetColor(0), Color(0, 0, 0));  // black labels on the grey bevel
  SizedImage aButtonImage(30, 20);
  Dialog* aLater = Make(1, &aButtonImage);
  EXPECT_EQ(aLater->mYesButton->GetColor(0), Color::White);  // the earlier dialog changed nothing here
  EXPECT_EQ(aLater->mYesButton->GetColor(1), Color::White);
  EXPECT_EQ(aLater->mButtonHeight, 20);
  aLater->SetColor(Dialog::COLOR_BUTTON_TEXT_HILITE, Color(1, 2, 3));
  EXPECT_EQ(aLater->mNoButton->GetColor(1), Color(1, 2, 3));
}

TEST_F(DialogTest, WithoutAnApplicationThereIsNoListener) {
  gWidgetApp = nullptr;
  Dialog aDialog(nullptr, nullptr, 1, false, L"", L"", L"", 1);
  EXPECT_EQ(aDialog.mDialogListener, nullptr);
  aDialog.ButtonPress(1000);
  aDialog.ButtonDepress(1000);
  EXPECT_EQ(aDialog.mResult, 1000);
  EXPECT_EQ(aDialog.WaitForResult(true), 1000);
  gWidgetApp = &mApp;
}

TEST_F(DialogTest, ImagelessFrameAndTexts) {
  Dialog* aDialog = Make(1);
  aDialog->Resize(0, 0, 300, 200);
  RecordingImage anImage(400, 300);
  anImage.mRecordBaseFills = false;
  Graphics g(&anImage);
  aDialog->Draw(&g);
  ASSERT_GE(anImage.mCalls.size(), 4u);
  EXPECT_EQ(anImage.mCalls[0], "DrawRect 12,12,275,175 ffffffff 0");
  EXPECT_EQ(anImage.mCalls[1], "FillRect 13,13,274,174 ff505050 0");
  EXPECT_EQ(anImage.mCalls[2], "FillRect 288,24,12,164 80000000 0");
  EXPECT_EQ(anImage.mCalls[3], "FillRect 24,188,276,12 80000000 0");
  BlockFont* aFont = static_cast<BlockFont*>(aDialog->mHeaderFont);
  ASSERT_FALSE(aFont->mDrawn.empty());
  EXPECT_EQ(aFont->mDrawn[0], "Title@135,32 ffffffff");  // (300 - 30) / 2, 24 + 8
  EXPECT_EQ(aFont->mDrawn.back().substr(0, 4), "Foot");
}

}  // namespace
}  // namespace Tesk
