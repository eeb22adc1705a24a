// Pictures of the popup as the player sees it: the widget manager draws the title picture
// dimmed to the popup level, the popup and its buttons, sliders and check boxes over it, with
// the game's generated pictures and fonts, into an 800 x 600 screen that is written as a PNG
// (under the tests' scratch folder, "popup-screens").
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "ImageWriters.h"
#include "PopupRig.h"
#include "game/shell/GameStrings.h"
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
}

TEST_F(PopupScreens, TheProfileList) {
  for (const wchar_t* aName : {L"Wren", L"Ada Lovel", L"Bo"}) MakeProfile(aName);
  mProfile->setProfileUsing(1);
  Open(POPUP_PROFILES);
  const OrvoButtonWidget* aCreate = mPopup->m_buttons[4];
  Shoot("profiles", aCreate->mX + aCreate->mWidth / 2, aCreate->mY + aCreate->mHeight / 2);
  EXPECT_FALSE(BackdropAt(400, 300));
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
}

TEST_F(PopupScreens, TheUnlockablesWithTheWands) {
  MakeProfile(L"Wren");
  mProfile->setOtherMapUnlocked();
  mProfile->setWandsUnlocked();
  mProfile->setExtraHardDiffUnlocked();
  Open(POPUP_UNLOCKABLES);
  Shoot("unlockables", 400, 344);
  EXPECT_FALSE(BackdropAt(316, 344));
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
}

}  // namespace
