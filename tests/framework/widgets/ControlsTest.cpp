// Checkbox, slider, push and dialog buttons, and the game's hover button.
#include <gtest/gtest.h>

#include <memory>

#include "ControlRecorder.h"
#include "WidgetTestSupport.h"
#include "framework/graphics/RecordingImage.h"
#include "widgets/Checkbox.h"
#include "widgets/DialogButton.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"

namespace Tesk {
namespace {

// A manager holding one control at (10, 10) with the mouse outside it.
class ControlFixture : public ::testing::Test {
 protected:
  FakeApp mApp;
  WidgetManager mManager{&mApp};
  ControlRecorder mRec;
  Widget* mControl = nullptr;

  // Takes the control out of the manager before the control itself goes.
  struct Placed {
    WidgetManager* mManager;
    Widget* mWidget;
    ~Placed() { mManager->RemoveWidget(mWidget); }
  };
  Placed Put(Widget* theWidget, int w, int h) {
    SizeManager(mManager);
    theWidget->Resize(10, 10, w, h);
    mManager.AddWidget(theWidget);
    mControl = theWidget;
    return Placed{&mManager, theWidget};
  }
  void TearDown() override { mManager.RemoveAllWidgets(); }
  // Draws the control alone into a recording image.
  std::vector<std::string> DrawCalls(Widget* theWidget, int w = 100, int h = 60) {
    RecordingImage anImage(w, h);
    Graphics g(&anImage);
    theWidget->Draw(&g);
    return anImage.mCalls;
  }
};

using CheckboxTest = ControlFixture;

TEST_F(CheckboxTest, AnyPressTogglesAndTellsTheListener) {
  Checkbox aBox(nullptr, nullptr, 7, &mRec);
  Placed aPlaced = Put(&aBox, 20, 10);
  struct Case {
    int count;
    bool checked;
  };
  for (const Case& c : {Case{1, true}, Case{-1, false}, Case{3, true}, Case{2, false}}) {
    SCOPED_TRACE(c.count);
    mManager.MouseDown(15, 15, c.count);
    mManager.MouseUp(15, 15, c.count);  // releases change nothing
    EXPECT_EQ(aBox.IsChecked(), c.checked);
    EXPECT_EQ(mRec.Take(), std::string("checked 7 ") + (c.checked ? "1" : "0"));
  }
  aBox.SetChecked(true, false);
  EXPECT_EQ(mRec.Take(), "");
  aBox.SetChecked(true, true);
  EXPECT_EQ(mRec.Take(), "checked 7 1");  // told again though nothing changed
  EXPECT_EQ(mApp.LastCursor(), 1);        // the hand while over it
}

TEST_F(CheckboxTest, ImagelessLookHasAnUnevenCross) {
  Checkbox aBox(nullptr, nullptr, 1, nullptr);
  aBox.Resize(0, 0, 20, 10);
  EXPECT_EQ(DrawCalls(&aBox),
            (std::vector<std::string>{"FillRect 0,0,20,10 ffffffff 0", "FillRect 1,1,18,8 ff505050 0"}));
  aBox.SetChecked(true, false);
  std::vector<std::string> aCalls = DrawCalls(&aBox);
  ASSERT_EQ(aCalls.size(), 4u);
  EXPECT_EQ(aCalls[2], "DrawLine 1,1,18,8 ffffff00 0");
  EXPECT_EQ(aCalls[3], "DrawLine 19,1,1,8 ffffff00 0");
}

TEST_F(CheckboxTest, ImagesAndSheet) {
  SizedImage anOff(12, 12);
  SizedImage anOn(12, 12);
  Checkbox aBox(&anOff, &anOn, 1, nullptr);
  aBox.Resize(0, 0, 12, 12);
  EXPECT_EQ(DrawCalls(&aBox)[0], "Blt 0,0 src 0,0,12,12 ffffffff 0");
  SizedImage aSheet(24, 12);
  Checkbox aSheetBox(&aSheet, nullptr, 1, nullptr);
  aSheetBox.mUncheckedRect = TRect<int>(0, 0, 12, 12);
  aSheetBox.mCheckedRect = TRect<int>(12, 0, 12, 12);
  aSheetBox.SetChecked(true, false);
  EXPECT_EQ(DrawCalls(&aSheetBox)[0], "Blt 0,0 src 12,0,12,12 ffffffff 0");
  Checkbox aOneImage(&anOff, nullptr, 1, nullptr);
  EXPECT_TRUE(DrawCalls(&aOneImage).empty());
}

using SliderTest = ControlFixture;

TEST_F(SliderTest, SetValueClamps) {
  Slider aSlider(nullptr, nullptr, 1, &mRec);
  struct Case {
    double in;
    double out;
  };
  for (const Case& c : {Case{1.5, 1.0}, Case{-0.2, 0.0}, Case{0.25, 0.25}}) {
    aSlider.SetValue(c.in);
    EXPECT_EQ(aSlider.mVal, c.out);
  }
  EXPECT_EQ(mRec.Take(), "");
  aSlider.setThumbYOffset(250);
  EXPECT_EQ(aSlider.mThumbYOffset, -6);
}

TEST_F(SliderTest, TrackClickJumpsAndTheReleaseReports) {
  SizedImage aThumb(10, 20);
  Slider aSlider(nullptr, &aThumb, 3, &mRec);
  Placed aPlaced = Put(&aSlider, 100, 20);
  mManager.MouseDown(60, 15, 1);  // x 50 of 100, away from the thumb at 0..10
  EXPECT_EQ(aSlider.mVal, 0.5);
  EXPECT_EQ(mRec.Take(), "");
  mManager.MouseUp(60, 15, 1);
  EXPECT_EQ(mRec.Take(), "slider 3 0.5");
  EXPECT_EQ(aSlider.GetThumbPos(), 45);
}

TEST_F(SliderTest, DraggingTheThumbReportsOnlyChangesAndClamps) {
  SizedImage aThumb(10, 20);
  Slider aSlider(nullptr, &aThumb, 3, &mRec);
  Placed aPlaced = Put(&aSlider, 100, 20);
  mManager.MouseMove(13, 15);
  EXPECT_EQ(mApp.LastCursor(), 2);  // over the thumb
  mManager.MouseDown(13, 15, 1);    // 3 pixels into the thumb
  EXPECT_TRUE(aSlider.mDragging);
  mManager.MouseMove(58, 15);  // thumb left edge at 45: 45 / 90
  EXPECT_EQ(mRec.Take(), "slider 3 0.5");
  mManager.MouseMove(300, 15);
  mManager.MouseMove(400, 15);
  EXPECT_EQ(mRec.Take(), "slider 3 1");
  mManager.MouseMove(-50, 15);
  mManager.MouseMove(-60, 15);
  EXPECT_EQ(mRec.Take(), "slider 3 0");
  mManager.MouseUp(-60, 15, 1);
  EXPECT_EQ(mRec.Take(), "slider 3 0");  // every release reports
  EXPECT_EQ(mApp.LastCursor(), 0);
}

TEST_F(SliderTest, VerticalSliderUsesY) {
  SizedImage aThumb(20, 10);
  Slider aSlider(nullptr, &aThumb, 3, &mRec);
  aSlider.mHorizontal = false;
  Placed aPlaced = Put(&aSlider, 20, 110);
  mManager.MouseDown(15, 65, 1);  // y 55 of 110
  EXPECT_EQ(aSlider.mVal, 0.5);
  EXPECT_EQ(aSlider.GetThumbPos(), 50);
  mManager.MouseUp(15, 65, 1);
}

TEST_F(SliderTest, AThumbAsLongAsTheTrackDoesNotDivideByZero) {
  SizedImage aThumb(100, 20);
  Slider aSlider(nullptr, &aThumb, 3, &mRec);
  Placed aPlaced = Put(&aSlider, 100, 20);
  mManager.MouseDown(50, 15, 1);
  mManager.MouseMove(90, 15);
  EXPECT_EQ(aSlider.mVal, 0.0);
  mManager.MouseUp(90, 15, 1);
  SizedImage aNarrowTrack(2, 8);
  aSlider.mTrackImage = &aNarrowTrack;
  std::vector<std::string> aCalls = DrawCalls(&aSlider);
  EXPECT_EQ(aCalls.size(), 1u);  // the thumb; the empty cells draw nothing
}

TEST_F(SliderTest, TrackIsTiledFromThreeCells) {
  SizedImage aTrack(30, 8);
  SizedImage aThumb(10, 20);
  Slider aSlider(&aTrack, &aThumb, 3, nullptr);
  aSlider.Resize(0, 0, 100, 20);
  aSlider.SetValue(1.0);
  std::vector<std::string> aCalls = DrawCalls(&aSlider, 200, 60);
  std::vector<std::string> anExpected = {"Blt 0,6 src 0,0,10,8 ffffffff 0"};
  for (int x = 10; x <= 80; x += 10)
    anExpected.push_back("Blt " + std::to_string(x) + ",6 src 10,0,10,8 ffffffff 0");
  anExpected.push_back("Blt 90,6 src 20,0,10,8 ffffffff 0");
  anExpected.push_back("Blt 90,0 src 0,0,10,20 ffffffff 0");  // the thumb at the far end
  EXPECT_EQ(aCalls, anExpected);
}

using ButtonTest = ControlFixture;

TEST_F(ButtonTest, PressAndReleaseOverTheButtonClicks) {
  ButtonWidget aButton(5, &mRec);
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  EXPECT_EQ(mRec.Take(), "enter 5; move 5 10,10");
  mManager.MouseDown(20, 20, 1);
  EXPECT_TRUE(aButton.IsButtonDown());
  aButton.Update();
  aButton.Update();
  mManager.MouseUp(20, 20, 1);
  EXPECT_EQ(mRec.Take(), "press 5 1; tick 5; tick 5; depress 5");
  mManager.MouseDown(20, 20, -1);
  mManager.MouseUp(20, 20, -1);
  EXPECT_EQ(mRec.Take(), "press 5 -1; depress 5");
}

TEST_F(ButtonTest, ReleaseAwayFromTheButtonIsNoClick) {
  ButtonWidget aButton(5, &mRec);
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  mManager.MouseDown(20, 20, 1);
  mManager.MouseMove(120, 120);
  EXPECT_FALSE(aButton.IsButtonDown());
  mManager.MouseUp(120, 120, 1);
  EXPECT_EQ(mRec.Take(), "enter 5; move 5 10,10; press 5 1; leave 5");
  EXPECT_FALSE(aButton.mIsDown);
}

TEST_F(ButtonTest, NoClickWhileTheAppHasNoFocus) {
  ButtonWidget aButton(5, &mRec);
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  mManager.MouseDown(20, 20, 1);
  mManager.mHasFocus = false;
  mManager.MouseUp(20, 20, 1);
  EXPECT_EQ(mRec.Take(), "enter 5; move 5 10,10; press 5 1");
}

TEST_F(ButtonTest, OverImageFadesOutFromFullAfterLeaving) {
  ButtonWidget aButton(5, &mRec);
  SizedImage anOver(40, 20);
  aButton.mOverImage = &anOver;
  aButton.mOverFadeOutSpeed = 0.25;
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  EXPECT_EQ(aButton.mOverAlpha, 0.0);
  mManager.MouseMove(120, 120);
  EXPECT_EQ(aButton.mOverAlpha, 1.0);
  std::vector<double> anAlphas;
  for (int i = 0; i < 4; i++) {
    aButton.Update();
    anAlphas.push_back(aButton.mOverAlpha);
  }
  EXPECT_EQ(anAlphas, (std::vector<double>{0.75, 0.5, 0.25, 0.0}));
  aButton.mOverFadeInSpeed = 0.5;
  mManager.MouseMove(20, 20);
  aButton.Update();
  EXPECT_EQ(aButton.mOverAlpha, 0.5);
  aButton.Update();
  aButton.Update();
  EXPECT_EQ(aButton.mOverAlpha, 1.0);
}

TEST_F(ButtonTest, ImagelessBevelIdlePressedAndInverted) {
  ButtonWidget aButton(5, &mRec);
  BlockFont aFont;
  aButton.SetFont(&aFont);
  aButton.mLabel = L"OK";
  aButton.Resize(0, 0, 40, 20);
  const std::vector<std::string> kIdle = {"FillRect 0,0,40,20 ffd4d4d4 0", "FillRect 0,0,39,1 ffffffff 0",
                                          "FillRect 0,0,1,19 ffffffff 0",  "FillRect 0,19,40,1 ff000000 0",
                                          "FillRect 39,0,1,20 ff000000 0", "FillRect 1,18,38,1 ff848484 0",
                                          "FillRect 38,1,1,18 ff848484 0"};
  std::vector<std::string> aCalls = DrawCalls(&aButton);
  aCalls.resize(7);
  EXPECT_EQ(aCalls, kIdle);
  BlockFont* aButtonFont = static_cast<BlockFont*>(aButton.mFont);
  EXPECT_EQ(aButtonFont->mDrawn.back(), "OK@14,13 ff000000");  // (40-12)/2, (20+8-1-1)/2

  aButton.mInvertDown = true;  // the pressed look while idle, label shifted
  aCalls = DrawCalls(&aButton);
  EXPECT_EQ(aCalls[1], "FillRect 0,0,39,1 ff000000 0");
  EXPECT_EQ(aCalls[5], "FillRect 1,1,37,1 ff848484 0");
  EXPECT_EQ(aButtonFont->mDrawn.back(), "OK@15,14 ff000000");
}

TEST_F(ButtonTest, StateRectanglesComeFromTheNormalImage) {
  ButtonWidget aButton(5, &mRec);
  SizedImage aSheet(120, 20);
  SizedImage anOther(40, 20);
  aButton.mNormalImage = &aSheet;
  aButton.mOverImage = &anOther;
  aButton.mNormalRect = TRect<int>(0, 0, 40, 20);
  aButton.mOverRect = TRect<int>(40, 0, 40, 20);
  aButton.mDownRect = TRect<int>(80, 0, 40, 20);
  aButton.Resize(0, 0, 40, 20);
  EXPECT_EQ(DrawCalls(&aButton)[0], "Blt 0,0 src 0,0,40,20 ffffffff 0");
  aButton.mIsOver = true;
  EXPECT_EQ(DrawCalls(&aButton)[0], "Blt 0,0 src 40,0,40,20 ffffffff 0");
  aButton.mIsDown = true;
  EXPECT_EQ(DrawCalls(&aButton)[0], "Blt 0,0 src 80,0,40,20 ffffffff 0");
}

TEST_F(ButtonTest, FontsAreCopiedOrMadeOnFirstDraw) {
  ButtonWidget aButton(5, &mRec);
  aButton.mLabel = L"Go";
  aButton.Resize(0, 0, 40, 20);
  {
    BlockFont aFont;
    aFont.mCharWidth = 9;
    aButton.SetFont(&aFont);
  }
  EXPECT_EQ(aButton.mFont->StringWidth(L"Go"), 18);  // the caller's font is gone, the copy remains
  ButtonWidget aPlain(6, &mRec);
  aPlain.mLabel = L"Go";
  DrawCalls(&aPlain);
  ASSERT_NE(aPlain.mFont, nullptr);
  EXPECT_EQ(aPlain.mFont->GetHeight(), 10);  // 10 points
  DialogButton aDialogButton(nullptr, 7, &mRec);
  aDialogButton.mLabel = L"Go";
  SizedImage aBox(30, 30);
  aDialogButton.mComponentImage = &aBox;
  DrawCalls(&aDialogButton);
  ASSERT_NE(aDialogButton.mFont, nullptr);
  EXPECT_EQ(aDialogButton.mFont->GetHeight(), 12);
  EXPECT_EQ(aDialogButton.GetColor(0), Color::White);
}

TEST_F(ButtonTest, DisabledButtonIsNotFoundUnderTheMouse) {
  ButtonWidget aButton(5, &mRec);
  Placed aPlaced = Put(&aButton, 40, 20);
  aButton.SetDisabled(true);
  mManager.MouseMove(20, 20);
  mManager.MouseDown(20, 20, 1);
  mManager.MouseUp(20, 20, 1);
  EXPECT_EQ(mRec.Take(), "");
  aButton.SetDisabled(false);  // the mouse is on it: it is entered at once
  EXPECT_EQ(mRec.Take(), "enter 5; move 5 10,10");
}

using OrvoTest = ControlFixture;

TEST_F(OrvoTest, HoverReachesFullStrengthOnTheTwentiethUpdateAndPlaysOnce) {
  SFX_HOVER_GENERAL = 300;  // cut to 8 bits
  OrvoButtonWidget aButton(9, &mRec);
  SFX_HOVER_GENERAL = 0;
  EXPECT_EQ(aButton.mHoverSound, 44);
  OrvoButtonWidget::s_sAppPtr = &mApp;
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  int aFullAt = 0;
  for (int i = 1; i <= 40; i++) {
    aButton.Update();
    if (aFullAt == 0 && aButton.mHoverAlpha == 1.0f) aFullAt = i;
  }
  EXPECT_EQ(aFullAt, 20);
  EXPECT_EQ(mApp.mSamples, std::vector<int>{44});
  mManager.MouseMove(120, 120);
  for (int i = 0; i < 25; i++) aButton.Update();
  EXPECT_EQ(aButton.mHoverAlpha, 0.0f);
  mManager.MouseMove(20, 20);
  for (int i = 0; i < 20; i++) aButton.Update();
  EXPECT_EQ(mApp.mSamples, (std::vector<int>{44, 44}));
  OrvoButtonWidget::s_sAppPtr = nullptr;
}

TEST_F(OrvoTest, NoAppMeansNoSound) {
  OrvoButtonWidget aButton(9, &mRec);
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  for (int i = 0; i < 25; i++) aButton.Update();
  EXPECT_EQ(aButton.mHoverAlpha, 1.0f);
  EXPECT_TRUE(mApp.mSamples.empty());
}

TEST_F(OrvoTest, PulsesBetweenTheBoundsWhileHovered) {
  OrvoButtonWidget aButton(9, &mRec);
  aButton.setPulse(1.0f, 0.5f, 0.25f);
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  for (int i = 0; i < 20; i++) aButton.Update();
  std::vector<float> anAlphas;
  for (int i = 0; i < 6; i++) {
    aButton.Update();
    anAlphas.push_back(aButton.mHoverAlpha);
  }
  EXPECT_EQ(anAlphas, (std::vector<float>{0.75f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f}));
  mManager.MouseMove(120, 120);
  aButton.Update();
  EXPECT_EQ(aButton.mPulsePhase, 0u);
  mManager.MouseMove(20, 20);
  aButton.Update();  // fades in again from where it was
  EXPECT_FLOAT_EQ(aButton.mHoverAlpha, 0.5f);
}

TEST_F(OrvoTest, ListenerCallsAndTheDisabledButton) {
  OrvoButtonWidget aButton(9, &mRec);
  Placed aPlaced = Put(&aButton, 40, 20);
  mManager.MouseMove(20, 20);
  mManager.MouseDown(20, 20, -1);
  aButton.Update();
  mManager.MouseUp(20, 20, -1);
  EXPECT_EQ(mRec.Take(), "enter 9; move 9 10,10; press 9 -1; tick 9; depress 9");
  mManager.MouseMove(120, 120);
  mRec.Take();
  aButton.mDisabled = true;  // set directly so that the manager still finds it
  mManager.MouseMove(20, 20);
  mManager.MouseDown(20, 20, 1);
  aButton.Update();
  mManager.MouseUp(20, 20, 1);
  mManager.MouseMove(120, 120);
  EXPECT_EQ(mRec.Take(), "");
}

TEST_F(OrvoTest, FadeTintsEverythingAndTheLabelFollowsTheHover) {
  OrvoButtonWidget aButton(9, &mRec);
  SizedImage aBase(40, 20);
  SizedImage aHover(40, 20);
  BlockFont aFont;
  aButton.mButtonImage = &aBase;
  aButton.mHoverImage = &aHover;
  aButton.SetFont(&aFont);
  aButton.mLabel = L"Hi";
  aButton.SetColor(0, Color(200, 100, 50));
  aButton.SetColor(1, Color(255, 255, 255));
  aButton.SetColor(2, Color(100, 100, 100));
  aButton.Resize(0, 0, 40, 20);
  std::vector<std::string> aCalls = DrawCalls(&aButton);
  EXPECT_EQ(aCalls[0], "Blt 0,0 src 0,0,40,20 ff000000 0");  // fade 0: black
  EXPECT_EQ(aCalls[1], "Blt 0,0 src 0,0,40,20 00000000 0");
  EXPECT_EQ(aFont.mDrawn.back(), "Hi@14,13 00000000");  // fade-in label: invisible at hover 0
  aButton.setFadeFloat(0.5f);
  aButton.mHoverAlpha = 1.0f;
  aButton.setBlendType(1);
  aCalls = DrawCalls(&aButton);
  EXPECT_EQ(aCalls[0], "Blt 0,0 src 0,0,40,20 ff7f7f7f 0");
  EXPECT_EQ(aCalls[1], "Blt 0,0 src 0,0,40,20 ff323232 1");
  EXPECT_EQ(aFont.mDrawn.back(), "Hi@14,13 ff643219");
  aButton.setFadeIn(false);
  aButton.mHoverAlpha = 0.0f;
  aButton.mIdleTextColor = Color(20, 40, 60);
  DrawCalls(&aButton);
  EXPECT_EQ(aFont.mDrawn.back(), "Hi@14,13 ff0a141e");
}

TEST_F(OrvoTest, LabelPlacementModes) {
  OrvoButtonWidget aButton(9, &mRec);
  BlockFont aFont;  // ascent 8, labels 12 wide
  SizedImage aBase(40, 30);
  aButton.SetFont(&aFont);
  aButton.mLabel = L"Hi";
  aButton.Resize(0, 0, 40, 20);
  struct Case {
    int alignX;
    int alignY;
    bool base;
    const char* at;
  };
  const Case kCases[] = {
      {1, 0, false, "@14,6"}, {2, 1, false, "@28,13"}, {0, 2, true, "@0,17"},
      {0, 2, false, "@0,6"},  {5, 3, false, "@3,12"},  {1, 9, false, "@14,0"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.at);
    aButton.mTextAlignX = c.alignX;
    aButton.centerTextY(static_cast<unsigned char>(c.alignY));
    aButton.mButtonImage = c.base ? &aBase : nullptr;
    aButton.mTextOffsetX = 3;
    aButton.mTextOffsetY = 5;
    DrawCalls(&aButton);
    std::string aDrawn = aFont.mDrawn.back();
    EXPECT_EQ(aDrawn.substr(2, aDrawn.find(' ') - 2), c.at);
  }
}

}  // namespace
}  // namespace Tesk
