// Pictures of the popup as the player sees it: the widget manager draws the title picture
// dimmed to the popup level, the popup and its buttons, sliders and check boxes over it, with
// the game's generated pictures and fonts, into an 800 x 600 screen that is written as a PNG
// (under the tests' scratch folder, "popup-screens"). Each picture is held against the layout:
// the box's pixels where it is centred, and the heading, texts, buttons and controls each found
// where the screen changes when it alone is left out, in the place the layout's rules give it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ImageWriters.h"
#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"

namespace {

using PopupTest::PopupRig;
using namespace Tesk;

// The screen under the popup: the title picture at the popup's dim level.
class Backdrop : public Widget {
 public:
  void Draw(Graphics* g) override {
    g->SetColorizeImages(true);
    const int v = static_cast<int>(255.0f * GameApp::k_FLOAT_50PERCENT_FADE);
    g->SetColor(Color(v, v, v));
    g->DrawImage(IMAGE_TITLE_BACK, 0, 0);
  }
};

class PopupScreens : public PopupRig {
 protected:
  void SetUp() override {
    PopupRig::SetUp();
    ASSERT_TRUE(mApp->mResourceManager->LoadResources("TitleScreen"))
        << mApp->mResourceManager->GetErrorText();
    ASSERT_TRUE(ExtractTitleScreenResources(mApp->mResourceManager));
    mBackdrop.Resize(0, 0, 800, 600);
    mApp->mWidgetManager->AddWidget(&mBackdrop);
    mApp->mWidgetManager->BringToBack(&mBackdrop);
    mScreen = std::make_unique<MemoryImage>(mApp.get());
    mScreen->Create(800, 600);
    mApp->mWidgetManager->mImage = mScreen.get();
  }
  void TearDown() override {
    mApp->mWidgetManager->mImage = nullptr;
    mApp->mWidgetManager->RemoveWidget(&mBackdrop);
    PopupRig::TearDown();
  }

  // theUpdates frames of the game, the pointer at (x, y); then the whole screen drawn and
  // written as theName.png.
  std::string Shoot(const std::string& theName, int x, int y, int theUpdates = 30) {
    WidgetManager* w = mApp->mWidgetManager;
    w->MouseMove(x, y);
    for (int i = 0; i < theUpdates; ++i) w->UpdateFrame();
    w->MarkAllDirty();
    w->DrawScreen();
    static const std::string sDir = TeskTest::MakeTempDir("popup-screens");
    const std::string aPath = sDir + "/" + theName + ".png";
    EXPECT_TRUE(TeskTools::WritePngFile(aPath, 800, 600, mScreen->GetBits()));
    std::printf("screenshot: %s\n", aPath.c_str());
    return aPath;
  }

  uint32_t Pixel(int x, int y) { return mScreen->GetBits()[y * 800 + x]; }

  // The backdrop shows at (x, y): nothing of the popup covers it.
  bool BackdropAt(int x, int y) {
    MemoryImage aBack(mApp.get());
    aBack.Create(800, 600);
    Graphics g(&aBack);
    mBackdrop.Draw(&g);
    return aBack.GetBits()[y * 800 + x] == Pixel(x, y);
  }

  // Where the layout puts things, worked out from its rules and the generated pictures and fonts.
  static int ButtonFontAscent() { return FONT_MEDIUM->GetAscent(); }
  // Row i of a centred column of n list buttons labelled theLabel, moved theDown pixels down.
  static TRect<int> ListButton(int i, int n, const wchar_t* theLabel, int theDown = 0) {
    const int w = FONT_MEDIUM->StringWidth(theLabel);
    const Image* anImage = w <= 46   ? IMAGE_OPTIONS_BUTTON_SMALL
                           : w <= 98 ? IMAGE_OPTIONS_BUTTON_MED
                                     : IMAGE_OPTIONS_BUTTON_LARGE;
    const float aPitch = ButtonFontAscent() * 0.7f + ButtonFontAscent();
    const int y = static_cast<int>(i * aPitch + (300 + aPitch * n / -2.0)) + theDown;
    return {400 - anImage->GetWidth() / 2, y, anImage->GetWidth(), anImage->GetHeight()};
  }
  static TRect<int> Box(const Image* theBox) {
    return {400 - theBox->GetWidth() / 2, 300 - theBox->GetHeight() / 2, theBox->GetWidth(),
            theBox->GetHeight()};
  }
  // The button at the foot of the box.
  static TRect<int> BottomButton(const Image* theBox) {
    const Image* anImage = IMAGE_OPTIONS_BOTTOM_BUTTON;
    const int y = Box(theBox).mY + theBox->GetHeight() - ButtonFontAscent() - 26;
    return {400 - anImage->GetWidth() / 2, y, anImage->GetWidth(), anImage->GetHeight()};
  }
  // Profile-name row b: its text only, as tall as the font's ascent.
  static TRect<int> NameButton(int b, const wchar_t* theName) {
    const int w = FONT_MEDIUM->StringWidth(theName);
    return {400 - w / 2, 226 + b * (ButtonFontAscent() + 10), w, ButtonFontAscent()};
  }
  // The pixels a widget's text writing covers: theWrite writes in theFont on an empty screen.
  TRect<int> Written(Font* theFont, const std::function<void(Widget&, Graphics*)>& theWrite) {
    MemoryImage anImage(mApp.get());
    anImage.Create(800, 600);
    std::fill(anImage.GetBits(), anImage.GetBits() + 800 * 600, 0u);
    anImage.BitsChanged();
    {
      Graphics g(&anImage);
      g.SetFont(theFont);
      g.SetColor(Color::White);
      Widget aWriter;
      theWrite(aWriter, &g);
    }
    int x0 = 800, y0 = 600, x1 = -1, y1 = -1;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (anImage.GetBits()[y * 800 + x] >> 24 != 0) {
          x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    return x1 < 0 ? TRect<int>() : TRect<int>(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
  }
  // A line written with its top at theTop, centred across (x, x + theWidth), or on x itself
  // when theWidth is 0.
  TRect<int> WrittenLine(Font* theFont, const wchar_t* theText, int x, int theTop, int theWidth) {
    return Written(theFont,
                   [&](Widget& w, Graphics* g) { w.WriteString(g, theText, x, theTop, theWidth, 0); });
  }

  // Two whole frames: a widget just shown again blends a few edge pixels differently in its first.
  void Redraw() {
    for (int i = 0; i < 2; ++i) {
      mApp->mWidgetManager->MarkAllDirty();
      mApp->mWidgetManager->DrawScreen();
    }
  }
  std::vector<uint32_t> ScreenPixels() { return {mScreen->GetBits(), mScreen->GetBits() + 800 * 600}; }
  // The smallest rectangle of pixels that change when theShow(false) leaves one thing out of the
  // screen (empty when none do); theShow(true) puts it back.
  TRect<int> DrawnBy(const std::function<void(bool)>& theShow) {
    Redraw();
    const std::vector<uint32_t> aWith = ScreenPixels();
    theShow(false);
    Redraw();
    const std::vector<uint32_t> aWithout = ScreenPixels();
    theShow(true);
    Redraw();
    EXPECT_TRUE(ScreenPixels() == aWith);
    int x0 = 800, y0 = 600, x1 = -1, y1 = -1;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (aWith[y * 800 + x] != aWithout[y * 800 + x]) {
          x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    return x1 < 0 ? TRect<int>() : TRect<int>(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
  }
  TRect<int> DrawnByWidget(Widget* theWidget) {
    return DrawnBy([theWidget](bool theShow) { theWidget->SetVisible(theShow); });
  }
  // What was drawn lies in theExpected (give or take theSlack pixels) and reaches across at least
  // theShare of it each way.
  static void ExpectPlaced(const TRect<int>& theDrawn, const TRect<int>& theExpected, int theSlack = 0,
                           float theShare = 0.9f) {
    SCOPED_TRACE("expected at " + std::to_string(theExpected.mX) + ", " + std::to_string(theExpected.mY) +
                 " (" + std::to_string(theExpected.mWidth) + " x " + std::to_string(theExpected.mHeight) +
                 "), drawn at " + std::to_string(theDrawn.mX) + ", " + std::to_string(theDrawn.mY) + " (" +
                 std::to_string(theDrawn.mWidth) + " x " + std::to_string(theDrawn.mHeight) + ")");
    ASSERT_GT(theDrawn.mWidth, 0);
    EXPECT_GE(theDrawn.mX, theExpected.mX - theSlack);
    EXPECT_GE(theDrawn.mY, theExpected.mY - theSlack);
    EXPECT_LE(theDrawn.mX + theDrawn.mWidth, theExpected.mX + theExpected.mWidth + theSlack);
    EXPECT_LE(theDrawn.mY + theDrawn.mHeight, theExpected.mY + theExpected.mHeight + theSlack);
    EXPECT_GE(theDrawn.mWidth, theShare * theExpected.mWidth);
    EXPECT_GE(theDrawn.mHeight, theShare * theExpected.mHeight);
  }
  // The box picture where the layout puts it: a few pixels inside its edges show the picture's
  // own (give or take one step of colour), and just outside them the backdrop.
  void ExpectBox(Image* theBox) {
    auto* aBox = dynamic_cast<MemoryImage*>(theBox);
    ASSERT_NE(aBox, nullptr);
    const TRect<int> aPlace = Box(theBox);
    const int w = aPlace.mWidth, h = aPlace.mHeight;
    const uint32_t* aBits = aBox->GetBits();
    auto Opaque = [&](int x, int y) { return aBits[y * w + x] >> 24 == 255; };
    auto ExpectPictureAt = [&](int x, int y) {
      const uint32_t aWant = aBits[y * w + x], aGot = Pixel(aPlace.mX + x, aPlace.mY + y);
      for (int aShift = 0; aShift < 24; aShift += 8)
        EXPECT_NEAR(static_cast<int>(aGot >> aShift & 0xFF), static_cast<int>(aWant >> aShift & 0xFF), 1)
            << "picture pixel " << x << ", " << y;
    };
    // Rows clear of the heading's ribbon, whose ends reach beyond the box.
    for (int y : {h / 2, h * 8 / 10}) {
      int aLeft = 0, aRight = w - 1;
      while (aLeft < w / 2 && !Opaque(aLeft, y)) ++aLeft;
      while (aRight > w / 2 && !Opaque(aRight, y)) --aRight;
      ASSERT_LT(aLeft, w / 2);
      ExpectPictureAt(aLeft + 3, y);
      ExpectPictureAt(aRight - 3, y);
      EXPECT_TRUE(BackdropAt(aPlace.mX + aLeft - 2, aPlace.mY + y));
      EXPECT_TRUE(BackdropAt(aPlace.mX + aRight + 2, aPlace.mY + y));
    }
    for (int x : {w * 3 / 10, w * 7 / 10}) {
      int aBottom = h - 1;
      while (aBottom > h / 2 && !Opaque(x, aBottom)) --aBottom;
      ExpectPictureAt(x, aBottom - 3);
      if (aPlace.mY + aBottom + 2 < 600) {
        EXPECT_TRUE(BackdropAt(aPlace.mX + x, aPlace.mY + aBottom + 2));
      }
    }
  }
  // The heading centred across the screen with its top at 176, its shadow 2 pixels below right.
  void ExpectHeading() {
    const wchar_t* aText = mPopup->m_headerText;
    ASSERT_NE(aText, nullptr);
    const TRect<int> aDrawn =
        DrawnBy([this, aText](bool theShow) { mPopup->m_headerText = theShow ? aText : L""; });
    TRect<int> aLine = WrittenLine(FONT_TITLE_OPTIONS, aText, 0, 176, 800);
    aLine.mWidth += 2, aLine.mHeight += 2;
    ExpectPlaced(aDrawn, aLine, 1, 0.95f);
  }

  Backdrop mBackdrop;
};

TEST_F(PopupScreens, ThePlayMenuWithContinueUnderThePointer) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  Open(POPUP_PLAY_MENU);
  const OrvoButtonWidget* aContinue = mPopup->m_buttons[1];
  Shoot("play_menu", aContinue->mX + aContinue->mWidth / 2, aContinue->mY + aContinue->mHeight / 2);
  EXPECT_EQ(aContinue->mHoverAlpha, 1.0f);
  EXPECT_TRUE(BackdropAt(20, 20));
  EXPECT_FALSE(BackdropAt(400, 300));
  ExpectBox(GameApp::s_images[20]);
  ExpectHeading();
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[0]), ListButton(0, 2, stringNewGame));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[1]), ListButton(1, 2, stringContinue));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[2]), BottomButton(GameApp::s_images[20]));
}

TEST_F(PopupScreens, TheOptionsPage) {
  mApp->mIsWindowed = true;
  mApp->SetMusicVolume(0.7);
  mApp->SetSfxVolume(0.35);
  mPopup->m_musicSlider->SetValue(0.7);
  mPopup->m_soundSlider->SetValue(0.35);
  GameApp::sm_gameState = 0;
  MakeProfile(L"Wren");
  mProfile->setDistractionsOff(true);
  Open(POPUP_GAME_OPTIONS, mMap);
  Shoot("game_options", 10, 590);
  EXPECT_FALSE(BackdropAt(400, 240));
  ExpectBox(GameApp::s_images[20]);
  ExpectHeading();
  const int aThumb = IMAGE_SLIDER_THUMB->GetHeight();
  ExpectPlaced(DrawnByWidget(mPopup->m_musicSlider), {376, 226, 180, aThumb});
  ExpectPlaced(DrawnByWidget(mPopup->m_soundSlider), {376, 258, 180, aThumb});
  const int aCell = IMAGE_CHECKBOX->GetWidth() / 2;
  // A check box's picture leaves a margin round the box it draws.
  ExpectPlaced(DrawnByWidget(mPopup->m_fullScreenCheckbox), {330, 282, aCell, IMAGE_CHECKBOX->GetHeight()}, 0,
               0.8f);
  ExpectPlaced(DrawnByWidget(mPopup->m_distractionsCheckbox), {330, 316, aCell, IMAGE_CHECKBOX->GetHeight()},
               0, 0.8f);
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[5]), ListButton(5, 9, stringHelp, 48));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[6]), ListButton(6, 9, stringUnlockables, 48));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[7]), ListButton(7, 9, stringExitGame, 48));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[8]), BottomButton(GameApp::s_images[20]));
}

TEST_F(PopupScreens, TheProfileList) {
  for (const wchar_t* aName : {L"Wren", L"Ada Lovel", L"Bo"}) MakeProfile(aName);
  mProfile->setProfileUsing(1);
  Open(POPUP_PROFILES);
  const OrvoButtonWidget* aCreate = mPopup->m_buttons[4];
  Shoot("profiles", aCreate->mX + aCreate->mWidth / 2, aCreate->mY + aCreate->mHeight / 2);
  EXPECT_FALSE(BackdropAt(400, 300));
  ExpectBox(GameApp::s_images[20]);
  ExpectHeading();
  const wchar_t* const aNames[] = {L"Wren", L"Ada Lovel", L"Bo"};
  for (int b = 0; b < 3; ++b) {
    SCOPED_TRACE(b);
    const TRect<int> aName = DrawnByWidget(mPopup->m_buttons[b]), aRow = NameButton(b, aNames[b]);
    ExpectPlaced(aName, aRow, 0, 0.5f);
    // The capitals of the name reach up to within a few pixels of its row's top.
    EXPECT_LE(aName.mY - aRow.mY, 3);
  }
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[4]), ListButton(4, 6, stringCreateNewProfileMenu));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[5]), ListButton(5, 6, stringDeleteProfileMenu));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[6]), BottomButton(GameApp::s_images[20]));
}

TEST_F(PopupScreens, TheResultsPanelWaitingForTheClick) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  mProfile->advanceLevelOn();
  mProfile->advanceLevelOn();
  mProfile->setNewLevel(31270, 3, 0.0f);
  mProfile->setLevelGradePlus();
  mLevel->m_totalLevelTime = 90000;
  mProfile->setBestLevelTime(2, 72000);
  Open(POPUP_CHAPTER_COMPLETE);
  // Through the whole animation to the click line.
  for (int i = 0; i < 2000 && mPopup->m_resultState != 5; ++i) mPopup->Update();
  ASSERT_EQ(mPopup->m_resultState, 5u);
  Shoot("results", 400, 580, 60);
  EXPECT_FALSE(BackdropAt(224, 120));
  // The book in its place, its title at the top of the left page and the click line at its foot,
  // each centred on the page's x 224.
  ExpectBox(GameApp::s_images[19]);
  const std::wstring aTitle = PopupBox::s_levelCompleteText1;
  ExpectPlaced(
      DrawnBy([&aTitle](bool theShow) { PopupBox::s_levelCompleteText1[0] = theShow ? aTitle[0] : 0; }),
      WrittenLine(FONT_TITLE_OPTIONS, aTitle.c_str(), 224, 100, 0), 1, 0.95f);
  wchar_t* aClick = stringClickAnywhere;
  ExpectPlaced(
      DrawnBy([aClick](bool theShow) { stringClickAnywhere = theShow ? aClick : const_cast<wchar_t*>(L""); }),
      WrittenLine(FONT_MEDIUM, aClick, 224, 455, 0), 1, 0.95f);
}

TEST_F(PopupScreens, TheUnlockablesWithTheWands) {
  MakeProfile(L"Wren");
  mProfile->setOtherMapUnlocked();
  mProfile->setWandsUnlocked();
  mProfile->setExtraHardDiffUnlocked();
  Open(POPUP_UNLOCKABLES);
  Shoot("unlockables", 400, 344);
  EXPECT_FALSE(BackdropAt(316, 344));
  ExpectBox(GameApp::s_images[20]);
  ExpectHeading();
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[1]), ListButton(1, 6, mPopup->m_buttons[1]->mLabel.c_str()));
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[2]), BottomButton(GameApp::s_images[20]));
  // The three wands' squares of 64 pixels at y 312, outlined in the text colour.
  const uint32_t anOutline = static_cast<uint32_t>(PopupBox::k_baseColor.ToInt()) & 0xFFFFFFu;
  for (int x : {284, 368, 452}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(Pixel(x + 32, 312) & 0xFFFFFFu, anOutline);
    EXPECT_EQ(Pixel(x + 32, 312 + 64) & 0xFFFFFFu, anOutline);
    EXPECT_EQ(Pixel(x, 312 + 32) & 0xFFFFFFu, anOutline);
    EXPECT_EQ(Pixel(x + 64, 312 + 32) & 0xFFFFFFu, anOutline);
    EXPECT_NE(Pixel(x - 1, 312 + 32) & 0xFFFFFFu, anOutline);
    EXPECT_NE(Pixel(x + 32, 312 - 1) & 0xFFFFFFu, anOutline);
  }
}

// The name field writes light letters over the parchment seen through its thin shade: each
// letter stands against its own dark edge, so the name reads (a contrast of 4.5 or more between
// nine of every ten letter pixels and the darkest pixel next to them).
TEST_F(PopupScreens, TheNameTypedInTheFieldReads) {
  Open(POPUP_NEW_PROFILE);
  EditWidget* aField = mPopup->m_nameEdit;
  aField->SetText(L"Player", false);
  aField->mHilitePos = aField->mCursorPos;  // as typed, nothing selected
  Shoot("name_entry", 10, 590);
  auto Luminance = [](uint32_t c) {
    auto Linear = [](uint32_t v) {
      const double x = (v & 0xFF) / 255.0;
      return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * Linear(c >> 16) + 0.7152 * Linear(c >> 8) + 0.0722 * Linear(c);
  };
  int aLetters = 0, aClear = 0;
  for (int y = aField->mY + 1; y < aField->mY + aField->mHeight - 1; ++y)
    for (int x = aField->mX + 1; x < aField->mX + aField->mWidth - 1; ++x) {
      const uint32_t c = Pixel(x, y);
      const int dr = static_cast<int>((c >> 16) & 0xFF) - 250, dg = static_cast<int>((c >> 8) & 0xFF) - 220,
                db = static_cast<int>(c & 0xFF) - 80;
      if (dr * dr + dg * dg + db * db > 60 * 60) continue;  // not the letters' yellow
      ++aLetters;
      double aDarkest = 1.0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) aDarkest = std::min(aDarkest, Luminance(Pixel(x + dx, y + dy)));
      if ((Luminance(c) + 0.05) / (aDarkest + 0.05) >= 4.5) ++aClear;
    }
  EXPECT_GT(aLetters, 40);
  EXPECT_GE(aClear * 10, aLetters * 9) << aClear << " of " << aLetters << " letter pixels stand clear";
}

TEST_F(PopupScreens, AHintOverTheDimmedScreen) {
  Open(POPUP_HINT_FIND_COINS);
  Shoot("hint", 10, 10);
  EXPECT_FALSE(BackdropAt(400, 300));
  ExpectBox(GameApp::s_images[20]);
  ExpectHeading();
  // The message wrapped and centred in (260, 220, 280, 300).
  const wchar_t* aBody = mPopup->m_bodyText;
  const TRect<int> aMessage =
      DrawnBy([this, aBody](bool theShow) { mPopup->m_bodyText = theShow ? aBody : L""; });
  ExpectPlaced(aMessage,
               Written(FONT_MEDIUM,
                       [aBody](Widget& w, Graphics* g) {
                         w.WriteWordWrapped(g, TRect<int>(260, 220, 280, 300), aBody, 22, 0);
                       }),
               1, 0.95f);
  ExpectPlaced(DrawnByWidget(mPopup->m_buttons[0]), BottomButton(GameApp::s_images[20]));
}

}  // namespace
