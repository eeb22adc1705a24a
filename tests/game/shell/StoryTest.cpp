// The story screen on the game's generated resources: the story intro and where it leads, the
// end of the game (runestones, the ending on its scroll, the credits) with its timings and the
// unlocks it offers, and the how-to-play pages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "game/shell/ScreenCalls.h"
#include "game/shell/Story.h"

namespace {

using namespace Tesk;
using PopupTest::PopupRig;
using PopupTest::Written;

// The story screen as the game has it; the texts it writes are noted on their way.
class RecordingStory : public Story {
 public:
  using Story::Story;
  int WriteString(Graphics* g, const TeskString& theString, int x, int y, int theWidth, int theJustification,
                  bool drawString, int theOffset, int theLength) override {
    mWritten.push_back(
        {theString, x, y, theWidth, theJustification, g->GetFont(), g->GetColor(), false, 0, 0});
    return Story::WriteString(g, theString, x, y, theWidth, theJustification, drawString, theOffset,
                              theLength);
  }
  int WriteWordWrapped(Graphics* g, const TRect<int>& theRect, const TeskString& theLine, int theLineSpacing,
                       int theJustification) override {
    mWritten.push_back({theLine, theRect.mX, theRect.mY, theRect.mWidth, theJustification, g->GetFont(),
                        g->GetColor(), true, theRect.mHeight, theLineSpacing});
    return Story::WriteWordWrapped(g, theRect, theLine, theLineSpacing, theJustification);
  }
  const Written* find(const wchar_t* theText) const {
    if (theText == nullptr) return nullptr;
    for (const Written& w : mWritten)
      if (w.text == theText) return &w;
    return nullptr;
  }
  std::vector<Written> mWritten;
};

// The story's own calls go to the story; the states the other screens are put in are noted.
class Calls : public ScreenCalls {
 public:
  void setMapState(Map* theScreen, uint8_t theState) override {
    mLog.push_back("map " + std::to_string(theState));
    ScreenCalls::setMapState(theScreen, theState);
  }
  void initInGame(InGame*) override { mLog.push_back("ingame init"); }
  void setInGameState(InGame*, uint8_t theState) override {
    mLog.push_back("ingame " + std::to_string(theState));
  }
  void initMiniGame(MiniGame*) override { mLog.push_back("minigame init"); }
  void setMiniGameType(MiniGame*, uint8_t theKind) override {
    mLog.push_back("minigame type " + std::to_string(theKind));
  }
  void setMiniGameState(MiniGame*, uint8_t theState) override {
    mLog.push_back("minigame " + std::to_string(theState));
  }
  void initTitleScreen(TitleScreen*) override { mLog.push_back("title init"); }
  std::vector<std::string> mLog;
};

class StoryTest : public PopupRig {
 protected:
  void SetUp() override {
    PopupRig::SetUp();
    if (HasFatalFailure()) return;
    delete mStory;
    mApp->m_story = mStory = mRec = new RecordingStory(mApp.get());
    mApp->m_screenCalls = &mCalls;
    Story::alreadyInited = false;
    Story::s_storyType = 0;
    MakeProfile(L"Ada");
    mProfile->startNewGame(1);
  }
  void TearDown() override {
    mApp->m_screenCalls = &ScreenCalls::s_real;
    PopupRig::TearDown();
  }

  // Updates of the screen until its fade has stopped (at most theLimit); how many it took.
  int UntilFadeStops(int theLimit = 400) {
    int n = 0;
    while (GameApp::isInFade() && n < theLimit) {
      mStory->Update();
      ++n;
    }
    return n;
  }
  // The story shown in theMode as its switch shows it, faded in.
  void Show(void (GameApp::*theStart)(Widget*)) {
    (mApp.get()->*theStart)(mTitle);
    ASSERT_TRUE(mApp->mWidgetManager->HasWidget(mStory));
    UntilFadeStops();
  }
  void Click() { mStory->MouseDown(400, 300, 1); }
  int Count(int theSound) { return static_cast<int>(std::count(Played().begin(), Played().end(), theSound)); }
  bool Shown(Widget* theWidget) { return mApp->mWidgetManager->HasWidget(theWidget); }
  void DrawStory() {
    mRec->mWritten.clear();
    mScreen = std::make_unique<MemoryImage>(mApp.get());
    mScreen->Create(800, 600);
    Graphics g(mScreen.get());
    mStory->Draw(&g);
  }
  // Updates until the screen has left (its fade reached black and the switch ran).
  void UntilLeft(Widget* theNext) {
    for (int i = 0; i < 200 && !Shown(theNext); ++i) mStory->Update();
  }

  // The ending run through quickly to the last update of its credits.
  void ToTheEndOfTheCredits() {
    Show(&GameApp::StartStoryFinally);
    mStory->m_runestoneCounter = 1400;
    mStory->Update();
    ASSERT_EQ(mStory->m_mode, Story::MODE_END_SCROLL);
    for (int i = 0; i < 20 && mStory->m_mode == Story::MODE_END_SCROLL; ++i) Click();
    mStory->m_scrollAlpha = 0.005f;
    mStory->Update();
    ASSERT_EQ(mStory->m_mode, Story::MODE_CREDITS);
    mStory->m_creditsOffset = -849.95f;
    mStory->Update();
  }

  RecordingStory* mRec = nullptr;
  Calls mCalls;
};

TEST_F(StoryTest, TheLongStoryTurnsThreePagesAndTheFourthClickLeavesForTheChapterIntro) {
  Show(&GameApp::StartStory);
  EXPECT_EQ(mStory->m_mode, Story::MODE_STORY_INTRO);
  EXPECT_STREQ(GameApp::databaseCurrentlyLoaded, "Story");
  DrawStory();
  const Written* aText = mRec->find(k_maxStoryText[0]);
  ASSERT_NE(aText, nullptr);
  EXPECT_EQ(aText->x, 180);
  EXPECT_EQ(aText->width, 440);
  EXPECT_EQ(aText->spacing, 24);
  EXPECT_NE(mRec->find(stringClickAnywhereNoExc), nullptr);

  for (int aPage = 1; aPage <= 3; ++aPage) {
    Click();
    EXPECT_EQ(mStory->m_page, aPage);
    EXPECT_FALSE(GameApp::isInFade());
  }
  DrawStory();
  EXPECT_NE(mRec->find(k_maxStoryText[3]), nullptr);
  Click();
  EXPECT_EQ(mStory->m_page, 3);
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 4);
  // Clicks while it fades do nothing.
  mStory->Update();
  Click();
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 4);
  int n = 1;
  while (mStory->m_mode == Story::MODE_STORY_INTRO && n < 200) {
    mStory->Update();
    ++n;
  }
  // The fade shows black (0 of 255) an update before it ends, and the switch runs then.
  EXPECT_EQ(n, 50);
  EXPECT_EQ(mStory->m_mode, Story::MODE_LEVEL_INTRO);
  EXPECT_STREQ(GameApp::databaseCurrentlyLoaded, "LevelIntro");
  EXPECT_EQ(mStory->m_leaving, 0);
  EXPECT_EQ(GameApp::s_lastFullSecond, 31);
  EXPECT_GE(mStory->m_numBlockImages, 16) << "the level intro's block and the second map's pictures";
  EXPECT_NE(mStory->m_chapterImages[11], nullptr);
}

TEST_F(StoryTest, TheShortStoryLeavesOnTheFirstClick) {
  Story::s_storyType = 1;
  Show(&GameApp::StartStory);
  DrawStory();
  EXPECT_NE(mRec->find(k_maxStoryTextShort), nullptr);
  Click();
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_EQ(mStory->m_page, 0);
}

TEST_F(StoryTest, TheChapterIntroLeavesForTheMapOrForTheFirstHowToPlay) {
  Show(&GameApp::StartLevelIntro);
  // A click on the page does not leave; the start button does.
  mStory->m_printer.finishPrinting();
  Click();
  EXPECT_EQ(mStory->m_leaving, 0);
  mStory->ButtonDepress(1);
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_EQ(Count(SFX_START_GAME), 1);
  UntilLeft(mMap);
  EXPECT_TRUE(Shown(mMap));
  EXPECT_EQ(mCalls.mLog.back(), "map 0");
}

TEST_F(StoryTest, AClickWhileTheChapterTextIsTypingFinishesIt) {
  Show(&GameApp::StartLevelIntro);
  mStory->m_printer.newString(k_maxLevelIntroText[0]);
  mStory->m_printer.setFont(FONT_SMALL);
  mStory->m_printer.setDimensions(71, 155, 310, 350, 19, -1);
  ASSERT_TRUE(mStory->m_printer.getIsPrinting());
  Click();
  EXPECT_FALSE(mStory->m_printer.getIsPrinting());
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 1);
  Click();
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 1);
  EXPECT_EQ(mStory->m_leaving, 0);
}

TEST_F(StoryTest, RunestonesShatterOneAfterAnotherThenTheEndingComesOnItsScroll) {
  Show(&GameApp::StartStoryFinally);
  EXPECT_EQ(mStory->m_mode, Story::MODE_END_RUNESTONES);
  const int h = IMAGE_RUNESTONE->GetHeight();
  const int w = IMAGE_RUNESTONE->GetWidth();
  EXPECT_EQ(mStory->m_runestoneY[0], 300 - 4 * h - h / 2);
  EXPECT_EQ(mStory->m_runestoneY[1], 300 + 4 * h - h / 2);
  EXPECT_EQ(mStory->m_runestoneX[2], 400 - 2 * w - w / 2);
  EXPECT_EQ(mStory->m_runestoneX[3], 400 + 2 * w - w / 2);
  Click();
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 0) << "the shattering cannot be clicked away";

  // The last update of the fade-in already counted as the first of the shattering.
  EXPECT_EQ(mStory->m_runestoneCounter, 1);
  std::vector<int> aGone;  // the update at which each stone had vanished
  int n = 1;
  while (mStory->m_mode == Story::MODE_END_RUNESTONES && n < 2000) {
    mStory->Update();
    ++n;
    for (int i = 0; i < 4; ++i)
      if (mStory->m_runestoneAlpha[i] == 0.0f && static_cast<int>(aGone.size()) == i) aGone.push_back(n);
  }
  EXPECT_EQ(n, 1401);
  // 301 updates a stone; the next starts on the update the one before it vanished.
  EXPECT_EQ(aGone, (std::vector<int>{301, 601, 901, 1201}));
  EXPECT_EQ(Count(SFX_RUNE_DESTROY), 4);
  EXPECT_FLOAT_EQ(mStory->m_endOfGameAlpha, 1.0f);

  EXPECT_EQ(mStory->m_mode, Story::MODE_END_SCROLL);
  EXPECT_EQ(mStory->m_backImage, IMAGE_END_OF_GAME);
  EXPECT_EQ(Count(SFX_POPUPBOX_APPEAR), 1);
  // A paragraph a page, each shown whole; the click after the last one fades the scroll.
  const std::wstring anEnding = k_maxStoryFinally;
  std::wstring aShown;
  int aPages = 0;
  while (mStory->m_mode == Story::MODE_END_SCROLL && aPages < 20) {
    TextPrinter& p = mStory->m_printer;
    EXPECT_FALSE(p.getIsPrinting());
    aShown += anEnding.substr(p.m_firstChar, std::min<int>(p.m_charOn, anEnding.size()) - p.m_firstChar);
    ++aPages;
    Click();
  }
  EXPECT_EQ(aShown, anEnding);
  EXPECT_GE(aPages, 2);
  EXPECT_EQ(mStory->m_mode, Story::MODE_END_SCROLL_FADE);
  n = 0;
  while (mStory->m_mode == Story::MODE_END_SCROLL_FADE && n < 500) {
    mStory->Update();
    ++n;
  }
  EXPECT_EQ(n, 101);
  EXPECT_EQ(mStory->m_mode, Story::MODE_CREDITS);
  EXPECT_EQ(mStory->m_printer.m_box.mWidth, 640);
  EXPECT_TRUE(mStory->m_printer.getIsPrintingCompleted()) << "the credits are one page";
}

TEST_F(StoryTest, CreditsRollForEightThousandFiveHundredUpdatesThenLeaveForTheTitle) {
  Show(&GameApp::StartCredits);
  EXPECT_EQ(mStory->m_mode, Story::MODE_CREDITS);
  EXPECT_EQ(mStory->m_backImage, nullptr);
  DrawStory();
  // The fade-in's last update already moved them.
  int n = 1;
  while (mStory->m_leaving == 0 && n < 9000) {
    mStory->Update();
    ++n;
    if (n == 1000) {
      EXPECT_EQ(mStory->m_printer.m_yTranslation, -99);
    }
  }
  EXPECT_EQ(n, 8501);
  EXPECT_FALSE(mPopup->mVisible) << "credits from the title screen offer nothing";
  UntilLeft(mTitle);
  EXPECT_TRUE(Shown(mTitle));
  EXPECT_EQ(mCalls.mLog.back(), "title init");
}

// The credits after the ending, at their last update, for a profile of theDifficulty and
// average grade theGrade; what the screen does then.
struct Unlock {
  int difficulty;
  float grade;
  bool extraHardBefore, wandsBefore;
  int popup;  // 0: none, the screen leaves
  bool extraHardAfter, wandsAfter;
};

class StoryUnlock : public StoryTest, public ::testing::WithParamInterface<Unlock> {};

TEST_P(StoryUnlock, TheEndOfTheCreditsOffersAtMostOneUnlock) {
  const Unlock& u = GetParam();
  mProfile->startNewGame(u.difficulty);
  mProfile->setLevelGrade(u.grade);
  mProfile->updateAvgGrade();
  if (u.extraHardBefore) mProfile->setExtraHardDiffUnlocked();
  if (u.wandsBefore) mProfile->setWandsUnlocked();
  mProfile->setHasSaveFile(true);
  mProfile->setSaveInMinigame(true);
  const std::string aFile = ProfileData::getProfilePath();
  remove(aFile.c_str());
  ASSERT_NO_FATAL_FAILURE(ToTheEndOfTheCredits());

  if (u.popup != 0) {
    EXPECT_TRUE(mPopup->mVisible);
    EXPECT_EQ(mPopup->m_type, u.popup);
    EXPECT_EQ(mPopup->m_parent, mStory);
    EXPECT_EQ(mStory->m_leaving, 0);
    EXPECT_EQ(Count(SFX_MINIGAME_PASSED), 1);
    // The credits wait under the dimmed screen.
    const float anOffset = mStory->m_creditsOffset;
    for (int i = 0; i < 60; ++i) mStory->Update();
    EXPECT_EQ(mStory->m_creditsOffset, anOffset);
  } else {
    EXPECT_FALSE(mPopup->mVisible);
    EXPECT_EQ(mStory->m_leaving, 1);
    EXPECT_EQ(Count(SFX_MINIGAME_PASSED), 0);
  }
  EXPECT_EQ(mProfile->isExtraHardDiffUnlocked(), u.extraHardAfter);
  EXPECT_EQ(mProfile->areWandsUnlocked(), u.wandsAfter);
  EXPECT_FALSE(mProfile->getHasSaveFile());
  EXPECT_FALSE(mProfile->getSaveInMinigame());
  EXPECT_FALSE(mProfile->doesLevelDataExist());
  struct stat aStat;
  EXPECT_EQ(stat(aFile.c_str(), &aStat), 0) << "the profile is saved";
}

INSTANTIATE_TEST_SUITE_P(Grades, StoryUnlock,
                         ::testing::Values(Unlock{1, 1.6f, false, false, POPUP_EXTRA_HARD_UNLOCKED, true,
                                                  false},
                                           Unlock{0, 1.6f, false, false, POPUP_WANDS_UNLOCKED, false, true},
                                           Unlock{0, 1.0f, false, false, POPUP_WANDS_UNLOCKED, false, true},
                                           Unlock{2, 1.5f, true, false, POPUP_WANDS_UNLOCKED, true, true},
                                           Unlock{1, 2.0f, true, true, 0, true, true},
                                           Unlock{1, 0.9f, false, false, 0, false, false}),
                         [](const ::testing::TestParamInfo<Unlock>& theInfo) {
                           const Unlock& u = theInfo.param;
                           return "difficulty" + std::to_string(u.difficulty) + "_grade" +
                                  std::to_string(static_cast<int>(u.grade * 10)) +
                                  (u.extraHardBefore ? "_hard" : "") + (u.wandsBefore ? "_wands" : "");
                         });

TEST_F(StoryTest, WithoutAPopupToOfferItTheUnlockIsKeptAndTheCreditsLeave) {
  mProfile->setLevelGrade(1.6f);
  mProfile->updateAvgGrade();
  mTitle->m_popup = nullptr;
  ToTheEndOfTheCredits();
  mTitle->m_popup = mPopup;
  EXPECT_TRUE(mProfile->isExtraHardDiffUnlocked());
  EXPECT_EQ(mStory->m_leaving, 1) << "not left waiting on a dimmed screen";
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 1);
}

TEST_F(StoryTest, CreditsFromTheTitleChangeNoProfileData) {
  mProfile->setLevelGrade(2.0f);
  mProfile->updateAvgGrade();
  mProfile->setHasSaveFile(true);
  Show(&GameApp::StartCredits);
  mStory->m_creditsOffset = -849.95f;
  mStory->Update();
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_FALSE(mPopup->mVisible);
  EXPECT_FALSE(mProfile->isExtraHardDiffUnlocked());
  EXPECT_FALSE(mProfile->areWandsUnlocked());
  EXPECT_TRUE(mProfile->getHasSaveFile());
}

TEST_F(StoryTest, AClickOnCompletedCreditsEndsThem) {
  Show(&GameApp::StartCredits);
  Click();
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 1);
}

// Relative luminance of a colour's red, green and blue.
double Luminance(int r, int g, int b) {
  auto Linear = [](int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b);
}

// The credits rise in gold over the ending's picture: as they pass from the bottom of the screen
// to the top, the picture under the letters stays dark enough for them to read (a contrast of
// 4.5 or more under nineteen of every twenty of their pixels).
TEST_F(StoryTest, TheCreditsReadOverTheEndingPicture) {
  Show(&GameApp::StartStoryFinally);
  mStory->m_runestoneCounter = 1400;
  mStory->Update();
  for (int i = 0; i < 20 && mStory->m_mode == Story::MODE_END_SCROLL; ++i) Click();
  mStory->m_scrollAlpha = 0.005f;
  mStory->Update();
  ASSERT_EQ(mStory->m_mode, Story::MODE_CREDITS);
  ASSERT_EQ(mStory->m_backImage, IMAGE_END_OF_GAME);
  const double aGold = Luminance(244, 201, 69);
  int aLetters = 0, aClear = 0;
  for (int anOffset = 0; anOffset >= -850; anOffset -= 50) {
    mStory->m_creditsOffset = static_cast<float>(anOffset) + 0.1f;
    mStory->Update();
    PARTICLE::resetAll(true);
    DrawStory();
    MemoryImage aBack(mApp.get());
    aBack.Create(800, 600);
    {
      Graphics g(&aBack);
      mStory->drawStoryBack(&g, Color::White);
    }
    // Between the edge shadings, the pixels the letters changed.
    for (int y = 0; y < 600; ++y)
      for (int x = 100; x < 700; ++x) {
        const uint32_t a = mScreen->GetBits()[y * 800 + x], b = aBack.GetBits()[y * 800 + x];
        int aChange = 0;
        for (int k = 0; k < 24; k += 8)
          aChange += std::abs(static_cast<int>((a >> k) & 0xFF) - static_cast<int>((b >> k) & 0xFF));
        if (aChange < 120) continue;
        ++aLetters;
        const double aBehind = Luminance((b >> 16) & 0xFF, (b >> 8) & 0xFF, b & 0xFF);
        if ((aGold + 0.05) / (aBehind + 0.05) >= 4.5) ++aClear;
      }
  }
  EXPECT_GT(aLetters, 5000);
  EXPECT_GE(aClear * 20, aLetters * 19) << aClear << " of " << aLetters << " letter pixels read clearly";
}

TEST_F(StoryTest, HowToPlayHasFourPagesAndTheFourthNextFadesOutOnTheLast) {
  Show(&GameApp::StartHowToPlay);
  EXPECT_EQ(mStory->m_mode, Story::MODE_HOW_TO_PLAY);
  EXPECT_EQ(mStory->m_pageCount, 4);
  EXPECT_TRUE(Shown(mStory->m_nextButton));
  EXPECT_TRUE(Shown(mStory->m_exitButton));
  EXPECT_EQ(mStory->m_nextButton->mLabel, stringNextPage);
  EXPECT_EQ(mStory->m_backImage, mStory->m_blockImages[0]);
  const Image* const aLeft[4] = {IMAGE_HTP_INGAME_1, IMAGE_HTP_INGAME_3, IMAGE_HTP_INGAME_5,
                                 IMAGE_HTP_INGAME_7};
  for (int aPage = 0; aPage < 4; ++aPage) {
    EXPECT_EQ(mStory->m_page, aPage);
    EXPECT_EQ(mStory->m_leftImage, aLeft[aPage]);
    EXPECT_EQ(mStory->m_pageTitles[0], aPage == 3 ? nullptr : stringHowToPlayTitle[2 * aPage]);
    Click();  // the page itself takes no clicks
    EXPECT_EQ(mStory->m_page, aPage);
    mStory->ButtonDepress(1);
  }
  EXPECT_EQ(mStory->m_page, 3);
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 4);
  UntilLeft(mInGame);
  EXPECT_TRUE(Shown(mInGame)) << "the tutorial";
  EXPECT_EQ(mCalls.mLog.back(), "ingame 0");
  EXPECT_FALSE(Shown(mStory->m_nextButton));
  EXPECT_FALSE(Shown(mStory->m_exitButton));
  EXPECT_EQ(mStory->m_numBlockImages, 0);
}

TEST_F(StoryTest, TheLastMainPageHasOnlyItsRightTextAtTheRecordsHeight) {
  Show(&GameApp::StartHowToPlay);
  for (int i = 0; i < 3; ++i) mStory->ButtonDepress(1);
  ASSERT_EQ(mStory->m_page, 3);
  EXPECT_EQ(mStory->m_rightImage, nullptr);
  DrawStory();
  const Written* aRight = mRec->find(stringHowToPlayText[7]);
  ASSERT_NE(aRight, nullptr);
  EXPECT_EQ(aRight->x, 436);
  EXPECT_EQ(aRight->y, 145);
  EXPECT_EQ(aRight->width, 280);
  EXPECT_EQ(aRight->spacing, 19);
  EXPECT_EQ(mRec->find(stringHowToPlayText[6]), nullptr);
  EXPECT_NE(mRec->find(stringHowToPlayTitle[7]), nullptr);
  // The grade and the first chapter's spell over the picture.
  EXPECT_NE(mRec->find(stringGradeAcheived), nullptr);
  EXPECT_NE(mRec->find(L"Repello Obscurum"), nullptr);
  EXPECT_NE(mRec->find(k_levelSpells[0]), nullptr);
}

TEST_F(StoryTest, TheExitButtonLeavesFromAnyPageWithoutASound) {
  Show(&GameApp::StartHowToPlayIngame);
  mStory->ButtonDepress(2);
  EXPECT_EQ(mStory->m_leaving, 1);
  EXPECT_EQ(mStory->m_page, 0);
  EXPECT_EQ(Count(SFX_SELECT_PRESS), 0);
  UntilLeft(mMap);
  EXPECT_TRUE(Shown(mMap));
  EXPECT_EQ(mCalls.mLog.back(), "map 2") << "back to the map behind its menu";
}

TEST_F(StoryTest, HelpInsideAMiniGameShowsThatGamesTwoPagesAndReturnsToIt) {
  for (int aLevel : {3, 4}) {
    mProfile->startNewGame(1);
    for (int i = 1; i < aLevel; ++i) mProfile->advanceLevelOn();
    GameApp::sm_gameState = 2;
    Show(&GameApp::StartHowToPlayIngame);
    EXPECT_EQ(mStory->m_pageCount, 2) << "level " << aLevel;
    const bool isPotion = aLevel % 2 == 1;
    EXPECT_EQ(mStory->m_leftImage, isPotion ? IMAGE_HTP_POTION_1 : IMAGE_HTP_CHANT_1);
    EXPECT_EQ(mStory->m_pageTitles[0], isPotion ? stringHowToPlayPotion[0] : nullptr);
    EXPECT_EQ(mStory->m_pageTitles[1], isPotion ? nullptr : stringHowToPlayChant[0]);
    DrawStory();
    EXPECT_NE(mRec->find(mStory->m_pageTexts[0]), nullptr);
    mStory->ButtonDepress(1);
    EXPECT_EQ(mStory->m_leftImage, isPotion ? IMAGE_HTP_POTION_3 : IMAGE_HTP_CHANT_3);
    mStory->ButtonDepress(1);
    EXPECT_EQ(mStory->m_leaving, 1);
    UntilLeft(mMiniGame);
    EXPECT_TRUE(Shown(mMiniGame));
    EXPECT_EQ(mCalls.mLog.back(), "minigame 3");
    mApp->mWidgetManager->RemoveWidget(mMiniGame);
  }
}

TEST_F(StoryTest, HelpFromALocationReturnsToIt) {
  GameApp::sm_gameState = 1;
  Show(&GameApp::StartHowToPlayIngame);
  EXPECT_EQ(mStory->m_pageCount, 4);
  mStory->ButtonDepress(2);
  UntilLeft(mInGame);
  EXPECT_TRUE(Shown(mInGame));
  EXPECT_EQ(mCalls.mLog.back(), "ingame 3");
}

TEST_F(StoryTest, OtherLanguagesWriteTheTextsBakedIntoTheEnglishPictures) {
  TeskAppBase::s_languageUsing = 3;
  Show(&GameApp::StartHowToPlay);
  EXPECT_EQ(mStory->m_nextButton->mY, 470);
  mStory->ButtonDepress(1);
  DrawStory();
  EXPECT_NE(mRec->find(stringBakedSidebarRepel), nullptr);
  const Written* aLeft = mRec->find(stringHowToPlayText[2]);
  ASSERT_NE(aLeft, nullptr);
  EXPECT_EQ(aLeft->x, 64);
  EXPECT_EQ(aLeft->width, 320);
  EXPECT_EQ(aLeft->spacing, 17);
  const auto aTitle = std::find_if(mRec->mWritten.begin(), mRec->mWritten.end(), [](const Written& w) {
    return w.text == stringHowToPlayTitle[3] && w.y == 98;
  });
  ASSERT_NE(aTitle, mRec->mWritten.end());
  EXPECT_TRUE(aTitle->wrapped);
  EXPECT_EQ(aTitle->x, 426);
}

}  // namespace
