// The title screen on the generated asset set: its storm timers on a seeded generator, the
// first profile asked for without a click, its buttons and keys, the welcome line, the layout
// for languages whose labels are drawn as text, and what it takes away when it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/MTRand.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupRig.h"
#include "game/shell/ZqMusic.h"
#include "graphics/Particles.h"
#include "widgets/EditWidget.h"

namespace {

using Tesk::GameApp;
using Tesk::TitleScreen;

// The title screen, noting the texts it writes.
class RecordingTitle : public TitleScreen {
 public:
  using TitleScreen::TitleScreen;
  int WriteString(Tesk::Graphics* g, const TeskString& theString, int x, int y, int theWidth,
                  int theJustification, bool drawString, int theOffset, int theLength) override {
    mWritten.push_back(
        {theString, x, y, theWidth, theJustification, g->GetFont(), g->GetColor(), false, 0, 0});
    return TitleScreen::WriteString(g, theString, x, y, theWidth, theJustification, drawString, theOffset,
                                    theLength);
  }
  int WriteWordWrapped(Tesk::Graphics* g, const Tesk::TRect<int>& theRect, const TeskString& theLine,
                       int theLineSpacing, int theJustification) override {
    mWritten.push_back({theLine, theRect.mX, theRect.mY, theRect.mWidth, theJustification, g->GetFont(),
                        g->GetColor(), true, theRect.mHeight, theLineSpacing});
    return TitleScreen::WriteWordWrapped(g, theRect, theLine, theLineSpacing, theJustification);
  }
  std::vector<PopupTest::Written> mWritten;
};

class TitleRig : public PopupTest::PopupRig {
 protected:
  void SetUp() override {
    PopupRig::SetUp();
    if (HasFatalFailure()) return;
    Tesk::ResourceManager* aManager = mApp->mResourceManager;
    ASSERT_TRUE(aManager->LoadResources("TitleScreen")) << aManager->GetErrorText();
    ASSERT_TRUE(Tesk::ExtractTitleScreenResources(aManager));
    // The rig's still title gives way to the real one, which keeps the rig's popup.
    Tesk::WidgetManager* aWidgets = mApp->mWidgetManager;
    aWidgets->RemoveWidget(mPopup);
    aWidgets->RemoveWidget(mTitle);
    mTitle->m_popup = nullptr;
    delete mTitle;
    TitleScreen::alreadyInited = false;
    mScreen = new RecordingTitle(mApp.get());
    mScreen->Init();
    delete mScreen->m_popup;
    mScreen->m_popup = mPopup;
    mApp->m_titleScreen = mTitle = mScreen;
    mOldTexts = {stringWelcome, stringToChangeUser, stringBakedTitlePlay, stringBakedTitleOptions,
                 stringBakedTitleExit};
  }
  void TearDown() override {
    stringWelcome = mOldTexts[0];
    stringToChangeUser = mOldTexts[1];
    stringBakedTitlePlay = mOldTexts[2];
    stringBakedTitleOptions = mOldTexts[3];
    stringBakedTitleExit = mOldTexts[4];
    TitleScreen::alreadyInited = false;
    mCanvas.reset();
    PopupRig::TearDown();
  }

  // The screen shown as the game shows it: added, then the fade set rising, from black.
  void Show(uint32_t theSeed = 1) {
    GameApp::sm_colorFade = 0.0f;
    GameApp::sm_fadeColoru8Value = 0;
    Tesk::SRand(theSeed);
    mScreen->Resize(0, 0, 800, 600);
    mApp->mWidgetManager->AddWidget(mScreen);
    GameApp::setFade(0);
  }
  // The screen brought to full brightness and left there.
  void ShowAtFull() {
    Show();
    GameApp::sm_colorFade = 1.0f;
    GameApp::sm_fadeColoru8Value = 255;
    GameApp::setFade(4);
  }
  void Updates(int theCount) {
    for (int i = 0; i < theCount; ++i) mScreen->Update();
  }
  void DrawTitle() {
    mScreen->mWritten.clear();
    mCanvas = std::make_unique<Tesk::MemoryImage>(mApp.get());
    mCanvas->Create(800, 600);
    Tesk::Graphics g(mCanvas.get());
    mScreen->Draw(&g);
  }
  const PopupTest::Written* Find(const std::wstring& theText) {
    for (const PopupTest::Written& w : mScreen->mWritten)
      if (w.text == theText) return &w;
    return nullptr;
  }

  RecordingTitle* mScreen = nullptr;
  std::unique_ptr<Tesk::MemoryImage> mCanvas;
  std::vector<wchar_t*> mOldTexts;
};

TEST_F(TitleRig, TheStormRunsOnTheSeededGenerator) {
  MakeProfile(L"Wren");
  const uint32_t kSeed = 20261211;
  Show(kSeed);
  // The first two draws of the generator after the seed set the two countdowns.
  Tesk::MTRand aMirror;
  aMirror.SRand(kSeed);
  const int aWind = 600 + static_cast<int>(aMirror.Next() % 500);
  const int aLightning = 400 + static_cast<int>(aMirror.Next() % 500);
  EXPECT_EQ(mScreen->m_windCountdown, aWind);
  EXPECT_EQ(mScreen->m_lightningCountdown, aLightning);
  EXPECT_TRUE(mScreen->m_windAnim.isPaused());
  // The sparkles draw numbers of their own; without them the storm has the generator alone.
  PARTICLE::resetAll(true);
  Played().clear();

  // Update by update: the lightning's phase, the backdrop's frame, the glow, the wind and the
  // sounds.
  const int kUpdates = 30000;
  std::vector<int> aPhases, aFrames;
  std::vector<float> aGlow;
  std::vector<std::vector<int>> aSounds;
  std::vector<bool> aWindPaused;
  for (int i = 0; i < kUpdates; ++i) {
    const size_t aBefore = Played().size();
    mScreen->Update();
    aPhases.push_back(mScreen->m_lightning >> 4);
    aFrames.push_back(mScreen->m_lightningAnim.getFrameOn());
    aGlow.push_back(mScreen->m_glowAlpha);
    aSounds.emplace_back(Played().begin() + static_cast<long>(aBefore), Played().end());
    aWindPaused.push_back(mScreen->m_windAnim.isPaused());
  }
  auto IsThunder = [](int theSound) {
    return theSound == Tesk::SFX_THUNDER || theSound == Tesk::SFX_THUNDER2;
  };

  // Runs of one phase: 0 waiting, 1 a flash shown, 2 dark between flashes.
  struct Run {
    int mPhase, mStart, mLength;
  };
  std::vector<Run> aRuns;
  for (int i = 0; i < kUpdates; ++i) {
    if (aRuns.empty() || aRuns.back().mPhase != aPhases[i]) aRuns.push_back({aPhases[i], i, 0});
    ++aRuns.back().mLength;
  }
  // The first flash comes on the update its countdown runs out.
  ASSERT_GE(aRuns.size(), 3u);
  EXPECT_EQ(aRuns[0].mPhase, 0);
  EXPECT_EQ(aRuns[0].mLength, aLightning - 1);
  int aBursts = 0;
  int aThunders = 0;
  for (size_t r = 1; r + 1 < aRuns.size(); ++r) {
    const Run& aRun = aRuns[r];
    const std::vector<int>& aStartSounds = aSounds[aRun.mStart];
    const int aThunder = static_cast<int>(std::count_if(aStartSounds.begin(), aStartSounds.end(), IsThunder));
    aThunders += aThunder;
    if (aRun.mPhase == 0) {
      EXPECT_GE(aRun.mLength, 400);
      EXPECT_LE(aRun.mLength, 899);
      continue;
    }
    if (aRun.mPhase == 2) {
      EXPECT_GE(aRun.mLength, 4);
      EXPECT_LE(aRun.mLength, 15);
      EXPECT_EQ(aFrames[aRun.mStart], 0);
      continue;
    }
    // A flash: 5-14 updates of frame 1 or 2; the first of a burst thunders, the others not.
    EXPECT_GE(aRun.mLength, 5);
    EXPECT_LE(aRun.mLength, 14);
    const int aFrame = aFrames[aRun.mStart];
    EXPECT_TRUE(aFrame == 1 || aFrame == 2) << aFrame;
    const bool aFirst = aRuns[r - 1].mPhase == 0;
    EXPECT_EQ(aThunder, aFirst ? 1 : 0);
    if (!aFirst) {
      EXPECT_EQ(aFrame, aFrames[aRuns[r - 2].mStart]) << "one frame for a whole burst";
    }
    if (!aFirst) continue;
    // 3 or 4 flashes before the next wait.
    ++aBursts;
    size_t aEnd = r;
    while (aEnd < aRuns.size() && aRuns[aEnd].mPhase != 0) ++aEnd;
    if (aEnd == aRuns.size()) break;
    const size_t aFlashes = (aEnd - r + 1) / 2;
    EXPECT_TRUE(aFlashes == 3 || aFlashes == 4) << aFlashes;
  }
  EXPECT_GE(aBursts, 20);
  EXPECT_EQ(aThunders, aBursts);

  // The wind: the first gust when its countdown runs out, with its sound; each pause lasts
  // 600-1099 updates.
  const auto aFirstGust = std::find(aWindPaused.begin(), aWindPaused.end(), false) - aWindPaused.begin();
  EXPECT_EQ(aFirstGust, aWind - 1);
  EXPECT_EQ(std::count(aSounds[aFirstGust].begin(), aSounds[aFirstGust].end(), Tesk::SFX_WIND), 1);
  int aGusts = 0;
  for (int i = 1; i < kUpdates; ++i) {
    if (aWindPaused[i - 1] && !aWindPaused[i]) {
      ++aGusts;
      EXPECT_EQ(std::count(aSounds[i].begin(), aSounds[i].end(), Tesk::SFX_WIND), 1) << i;
      int aPause = 0;
      for (int k = i - 1; k >= 0 && aWindPaused[k]; --k) ++aPause;
      if (aGusts > 1) {
        EXPECT_GE(aPause, 600) << i;
        EXPECT_LE(aPause, 1099) << i;
      }
    }
  }
  EXPECT_GE(aGusts, 15);

  // The glow swings between 0 and 1 by 0.006 an update.
  EXPECT_FLOAT_EQ(*std::max_element(aGlow.begin(), aGlow.end()), 1.0f);
  EXPECT_FLOAT_EQ(*std::min_element(aGlow.begin(), aGlow.end()), 0.0f);
  EXPECT_NEAR(aGlow[1] - aGlow[0], 0.006f, 1e-6);
}

TEST_F(TitleRig, WithNoProfileTheScreenRisesToFullThenDimsAndAsksForANameUnasked) {
  ResetProfiles();
  Show();
  EXPECT_EQ(mScreen->m_profileNeeded, 4);
  // It rises from black for 51 updates; the update that reaches full brightness opens the
  // popup and starts the dimming.
  int aUpdates = 0;
  while (!mPopup->mVisible && aUpdates < 200) {
    mScreen->Update();
    ++aUpdates;
    if (!mPopup->mVisible) {
      EXPECT_TRUE(GameApp::isInFade()) << aUpdates;
    }
  }
  EXPECT_EQ(aUpdates, 51);
  EXPECT_EQ(GameApp::getFadeColor(), 255);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_NEW_PROFILE);
  EXPECT_EQ(mPopup->m_parent, mScreen);
  EXPECT_EQ(mScreen->m_profileNeeded, 0);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 2);

  // A name typed and entered: the profile is made, and the welcome line greets it.
  mPopup->m_nameEdit->SetText(L"Wren", true);
  mPopup->wordEnterPressed();
  EXPECT_EQ(mProfile->getTotalProfilesLoaded(), 1);
  mScreen->Update();
  EXPECT_STREQ(mScreen->m_welcomeText, L"Wren!");
  EXPECT_FALSE(mPopup->mVisible);
}

TEST_F(TitleRig, TheButtonsOpenThePopupOnlyWhenNoFadeRuns) {
  struct Case {
    const char* mName;
    int mId;
    bool mGameInProgress;
    int mType;  // the popup opened, or -1
    bool mShutdown;
  };
  const Case kCases[] = {
      {"play, no game going on", 1, false, Tesk::POPUP_DIFFICULTY, false},
      {"play, a game going on", 1, true, Tesk::POPUP_PLAY_MENU, false},
      {"options", 2, false, Tesk::POPUP_TITLE_OPTIONS, false},
      {"change player", 6, false, Tesk::POPUP_PROFILES, false},
      {"exit", 3, false, -1, true},
      {"exit with exit type 1", 5, false, -1, true},
      {"an id of no button", 4, false, -1, false},
  };
  MakeProfile(L"Wren");
  ShowAtFull();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    if (c.mGameInProgress) {
      mProfile->startNewGame(1);
    } else {
      mProfile->setNoLevelData();
    }
    mPopup->SetVisible(false);
    mApp->mShutdown = false;
    GameApp::sm_colorFade = 1.0f;
    GameApp::setFade(4);
    Played().clear();
    mScreen->ButtonDepress(c.mId);
    // The press sounds first; an opened popup may sound too.
    ASSERT_FALSE(Played().empty());
    EXPECT_EQ(Played()[0], Tesk::SFX_SELECT_PRESS);
    EXPECT_EQ(mPopup->mVisible, c.mType >= 0);
    if (c.mType >= 0) {
      EXPECT_EQ(mPopup->m_type, c.mType);
      EXPECT_FALSE(mPopup->mDisabled);
      EXPECT_EQ(mPopup->m_parent, mScreen);
      EXPECT_EQ(GameApp::sm_currentFadeDirection, 2);
      EXPECT_EQ(mScreen->m_profileNeeded, 1);
    }
    EXPECT_EQ(mApp->mShutdown.load(), c.mShutdown);
  }
  // While a fade runs a press does nothing at all, not even a sound.
  mPopup->SetVisible(false);
  mApp->mShutdown = false;
  GameApp::setFade(1);
  Played().clear();
  for (int anId : {1, 2, 3, 6}) mScreen->ButtonDepress(anId);
  EXPECT_TRUE(Played().empty());
  EXPECT_FALSE(mPopup->mVisible);
  EXPECT_FALSE(mApp->mShutdown.load());
}

TEST_F(TitleRig, EscapeQuitsWithASoundAndOtherKeysDoNothing) {
  MakeProfile(L"Wren");
  ShowAtFull();
  Played().clear();
  mScreen->KeyDown(Tesk::KEYCODE_RETURN);
  mScreen->KeyDown(static_cast<Tesk::KeyCode>('A'));
  EXPECT_TRUE(Played().empty());
  EXPECT_FALSE(mApp->mShutdown.load());
  mScreen->KeyDown(static_cast<Tesk::KeyCode>(27));
  EXPECT_EQ(Played(), std::vector<int>{Tesk::SFX_SELECT_PRESS});
  EXPECT_TRUE(mApp->mShutdown.load());
  mApp->mShutdown = false;
}

TEST_F(TitleRig, TheWelcomeLineFitsItsNameInMediumOrElseSmallLetters) {
  const struct { const wchar_t* mName; } kNames[] = {{L"Ann"}, {L"WWWWWWWWWW"}};
  for (const auto& c : kNames) {
    ResetProfiles();
    MakeProfile(c.mName);
    mScreen->resetWelcomeText();
    if (!mApp->mWidgetManager->HasWidget(mScreen)) ShowAtFull();
    mScreen->Update();
    DrawTitle();
    const std::wstring aLine = std::wstring(c.mName) + L"!";
    const PopupTest::Written* w = Find(aLine);
    ASSERT_NE(w, nullptr);
    const bool aFits = Tesk::FONT_MEDIUM->StringWidth(aLine) < 141;
    EXPECT_EQ(w->font, aFits ? Tesk::FONT_MEDIUM : Tesk::FONT_SMALL) << aFits;
    EXPECT_EQ(w->x, 700);
    EXPECT_EQ(w->y, 64);
    EXPECT_EQ(w->width, 0);
    EXPECT_EQ(w->justification, 0);
    const PopupTest::Written* aWelcome = Find(stringWelcome);
    ASSERT_NE(aWelcome, nullptr);
    EXPECT_EQ(aWelcome->font, Tesk::FONT_INTRO_TEXT);
    EXPECT_EQ(aWelcome->y, 36);
    const PopupTest::Written* aChange = Find(stringToChangeUser);
    ASSERT_NE(aChange, nullptr);
    EXPECT_EQ(aChange->y, 90);
    EXPECT_FALSE(aChange->wrapped);
  }
  // A long name is one the medium letters cannot fit.
  EXPECT_GE(Tesk::FONT_MEDIUM->StringWidth(L"WWWWWWWWWW!"), 141);
}

TEST_F(TitleRig, ForALanguageWithTextLabelsTheButtonsAreLaidOutByTheirLabels) {
  static wchar_t kPlay[] = L"Spielen";
  static wchar_t kOptions[] = L"Optionen";
  static wchar_t kExit[] = L"Ende";
  stringBakedTitlePlay = kPlay;
  stringBakedTitleOptions = kOptions;
  stringBakedTitleExit = kExit;
  Tesk::TeskAppBase::s_languageUsing = 3;
  MakeProfile(L"Wren");
  ShowAtFull();
  Tesk::Font* f = Tesk::FONT_TITLE_OPTIONS;
  const int aAscent = f->GetAscent();
  const struct {
    Tesk::OrvoButtonWidget* mButton;
    const wchar_t* mLabel;
    int mX, mY, mLabelY;
  } kButtons[] = {
      {mScreen->m_mainButtons[0], kPlay, 525 - f->StringWidth(kPlay), 440, 440},
      {mScreen->m_mainButtons[1], kOptions, 372 - f->StringWidth(kOptions) / 2, 480, 480},
      {mScreen->m_mainButtons[2], kExit, 196, 440, 440},
  };
  DrawTitle();
  for (const auto& b : kButtons) {
    SCOPED_TRACE(Tesk::TeskStringToString(b.mLabel));
    EXPECT_EQ(b.mButton->mLabel, b.mLabel);
    EXPECT_EQ(b.mButton->mHoverImage, nullptr);
    EXPECT_EQ(b.mButton->mX, b.mX);
    EXPECT_EQ(b.mButton->mY, b.mY);
    EXPECT_EQ(b.mButton->mWidth, f->StringWidth(b.mLabel));
    EXPECT_EQ(b.mButton->mHeight, aAscent);
    // The label's shadow, then the label two pixels up and left of it.
    std::vector<const PopupTest::Written*> aLabels;
    for (const PopupTest::Written& w : mScreen->mWritten)
      if (w.text == b.mLabel) aLabels.push_back(&w);
    ASSERT_EQ(aLabels.size(), 2u);
    EXPECT_EQ(aLabels[0]->x, b.mX + 2);
    EXPECT_EQ(aLabels[0]->y, b.mLabelY + 2);
    EXPECT_EQ(aLabels[0]->color, Tesk::Color(0, 0, 0));
    EXPECT_EQ(aLabels[1]->x, b.mX);
    EXPECT_EQ(aLabels[1]->y, b.mLabelY);
    EXPECT_EQ(aLabels[1]->color, Tesk::Color(251, 207, 81));
  }
  // The hint under the welcome is wrapped in its own box in this language.
  const PopupTest::Written* aChange = Find(stringToChangeUser);
  ASSERT_NE(aChange, nullptr);
  EXPECT_TRUE(aChange->wrapped);
  EXPECT_EQ(aChange->x, 620);
  EXPECT_EQ(aChange->y, 108);
  EXPECT_EQ(aChange->width, 160);
  EXPECT_EQ(aChange->spacing, 14);
}

// "Change player" sits on the light welcome panel: at rest its label is the red one, which reads
// there; the pale one (226, 225, 218) is its hover colour.
TEST_F(TitleRig, TheChangePlayerLabelIsRedAtRest) {
  MakeProfile(L"Wren");
  ShowAtFull();
  Updates(1);  // the screen hands its fade to its buttons
  Tesk::OrvoButtonWidget* b = mScreen->m_changePlayerButton;
  ASSERT_NE(b, nullptr);
  ASSERT_GT(b->mWidth, 0);
  auto RedPixels = [&] {
    Tesk::MemoryImage aCanvas(mApp.get());
    aCanvas.Create(b->mWidth, b->mHeight);
    Tesk::Graphics g(&aCanvas);
    b->Draw(&g);
    int aRed = 0, aPale = 0;
    const uint32_t* p = aCanvas.GetBits();
    for (int i = 0; i < b->mWidth * b->mHeight; ++i) {
      const int a = (p[i] >> 24) & 255, r = (p[i] >> 16) & 255, gr = (p[i] >> 8) & 255;
      if (a > 128 && r > 150 && gr < 90) ++aRed;
      if (a > 128 && r > 150 && gr > 150) ++aPale;
    }
    return std::make_pair(aRed, aPale);
  };
  const auto [aRed, aPale] = RedPixels();
  EXPECT_GT(aRed, 10);
  EXPECT_EQ(aPale, 0);
}

TEST_F(TitleRig, InEnglishTheButtonsAreTheirHoverPictures) {
  MakeProfile(L"Wren");
  ShowAtFull();
  Tesk::Image* const aHover[] = {Tesk::IMAGE_TITLE_PLAY_HIGH, Tesk::IMAGE_TITLE_OPTION_HIGH,
                                 Tesk::IMAGE_TITLE_EXIT_HIGH};
  const int aX[] = {441, 298, 200};
  const int aY[] = {432, 469, 429};
  for (int i = 0; i < 3; ++i) {
    Tesk::OrvoButtonWidget* b = mScreen->m_mainButtons[i];
    ASSERT_NE(aHover[i], nullptr);
    EXPECT_EQ(b->mHoverImage, aHover[i]);
    EXPECT_TRUE(b->mLabel.empty());
    EXPECT_EQ(b->mX, aX[i]);
    EXPECT_EQ(b->mY, aY[i]);
    EXPECT_EQ(b->mWidth, aHover[i]->GetWidth());
    EXPECT_EQ(b->mHeight, aHover[i]->GetHeight());
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(b));
  }
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mScreen->m_changePlayerButton));
  EXPECT_EQ(mScreen->m_changePlayerButton->mY, 106);
  EXPECT_EQ(mScreen->m_numBlockImages, 4);
  // The animations sit where the painting has their cells.
  EXPECT_EQ(mScreen->m_lightningAnim.getX(), 134);
  EXPECT_EQ(mScreen->m_lightningAnim.getY(), 146);
  EXPECT_EQ(mScreen->m_windAnim.getX(), 184);
  EXPECT_EQ(mScreen->m_windAnim.getY(), 146);
}

TEST_F(TitleRig, LeavingTakesTheButtonsThePopupAndTheBlockAway) {
  MakeProfile(L"Wren");
  ShowAtFull();
  Tesk::WidgetManager* w = mApp->mWidgetManager;
  w->RemoveWidget(mScreen);
  for (Tesk::Widget* aChild :
       {static_cast<Tesk::Widget*>(mScreen->m_mainButtons[0]),
        static_cast<Tesk::Widget*>(mScreen->m_mainButtons[1]),
        static_cast<Tesk::Widget*>(mScreen->m_mainButtons[2]),
        static_cast<Tesk::Widget*>(mScreen->m_changePlayerButton), static_cast<Tesk::Widget*>(mPopup)})
    EXPECT_FALSE(w->HasWidget(aChild));
  EXPECT_EQ(mScreen->m_numBlockImages, 0);
  for (Tesk::Image* anImage : mScreen->m_blockImages) EXPECT_EQ(anImage, nullptr);
  // Shown again, it reads its block again.
  ShowAtFull();
  EXPECT_EQ(mScreen->m_numBlockImages, 4);
}

TEST_F(TitleRig, TextParticlesWithoutAnOwnerAreLeftUndrawn) {
  MakeProfile(L"Wren");
  ShowAtFull();
  static const TeskString kText = L"+15";
  PARTICLE::createTxtParticle(400, 300, PARTICLE::k_txtType, &kText, Tesk::FONT_MEDIUM, 0);
  mScreen->Update();
  DrawTitle();
  EXPECT_EQ(Find(kText), nullptr);
  PARTICLE::resetAll(true);
}

}  // namespace
