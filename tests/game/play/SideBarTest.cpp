// The side bar on the generated asset set: the clock's format and colours, the pause text, the
// coins, the find list with its counts, the hard list's fade and the shimmer, the quick-find
// message, the map's chapter summary, the final level's runestones, and the panels and the
// charge bar as drawn from the generated art.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "PlayRig.h"
#include "core/MTRand.h"
#include "game/play/SideBar.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

using PlayTest::RigApp;

TEST(SideBarClock, MinutesAndSecondsOfAnyNumberOfSeconds) {
  struct Case {
    unsigned seconds;
    const wchar_t* shown;
  };
  const Case kCases[] = {
      {0, L"00:00"},      {9, L"00:09"},       {59, L"00:59"},      {60, L"01:00"},
      {599, L"09:59"},    {600, L"10:00"},     {754, L"12:34"},     {5999, L"99:59"},
      // Past 99:59 the minutes take a third digit and more; nothing wraps or is cut.
      {6000, L"100:00"},  {59999, L"999:59"},  {60000, L"1000:00"}, {UINT_MAX, L"71582788:15"},
  };
  for (const Case& c : kCases) {
    wchar_t aBuffer[64];
    aBuffer[0] = L'?';
    EXPECT_EQ(Tesk::setBuffAsTime(aBuffer, c.seconds), aBuffer);
    EXPECT_STREQ(aBuffer, c.shown) << c.seconds;
  }
}

// One text the side bar wrote, with the font and colour it had.
struct Written {
  std::wstring text;
  int x, y, width, height;
  bool wrapped;
  Tesk::Font* font;
  Tesk::Color color;
};

// A screen that notes what the side bar writes through it.
class RecordingScreen : public Tesk::Widget {
 public:
  int WriteString(Tesk::Graphics* g, const TeskString& theString, int x, int y, int theWidth, int theJustification,
                  bool drawString, int theOffset, int theLength) override {
    mWritten.push_back({theString, x, y, theWidth, 0, false, g->GetFont(), g->GetColor()});
    EXPECT_EQ(theJustification, 0);
    return Widget::WriteString(g, theString, x, y, theWidth, theJustification, drawString, theOffset, theLength);
  }
  int WriteWordWrapped(Tesk::Graphics* g, const Tesk::TRect<int>& theRect, const TeskString& theLine,
                       int theLineSpacing, int theJustification) override {
    mWritten.push_back(
        {theLine, theRect.mX, theRect.mY, theRect.mWidth, theRect.mHeight, true, g->GetFont(), g->GetColor()});
    EXPECT_EQ(theLineSpacing, 14);
    EXPECT_EQ(theJustification, 0);
    return Widget::WriteWordWrapped(g, theRect, theLine, theLineSpacing, theJustification);
  }
  const Written* find(const std::wstring& theText) const {
    for (const Written& w : mWritten)
      if (w.text == theText) return &w;
    return nullptr;
  }
  std::vector<Written> mWritten;
};

std::wstring Formatted(const wchar_t* theFormat, int theValue) {
  wchar_t aBuffer[256];
  GameText::formatText(aBuffer, 256, theFormat, theValue);
  return aBuffer;
}

class SideBarTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("sidebar", s_folder, s_app);
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    mSavedLanguage = Tesk::TeskAppBase::s_languageUsing;
    App().mProfile.setProfileName(L"Sider");
    AtLevel(3, 1);
    Tesk::GameApp::sm_gameState = 1;
    Tesk::GameApp::sm_locationAt = 7;
    Tesk::InGame::m_wordFade = {0, 0.7843f, 0, 1000};
    Tesk::InGame::m_crystalBallPulseAlpha = 0.0f;
    *App().mScene->getQuickfindStruct() = {};
  }
  void TearDown() override {
    Tesk::TeskAppBase::s_languageUsing = mSavedLanguage;
    Tesk::GameApp::sm_gameState = 0;
    Tesk::GameApp::sm_locationAt = 0;
    for (Tesk::OrvoButtonWidget*& b : App().mScene->m_revealButtons) {
      delete b;
      b = nullptr;
    }
  }
  static RigApp& App() { return *s_app; }

  // The profile on theLevel at theDifficulty, with location 7 holding theEntries (name, count;
  // count 0 a closed entry) and location 3 nothing open.
  void AtLevel(int theLevel, int theDifficulty,
               std::vector<std::pair<std::wstring, int>> theEntries = {{L"Lantern", 1}, {L"Key", 3}}) {
    App().mProfile.startNewGame(theDifficulty);
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    LevelData& l = *App().mLevel;
    for (LocationData& aLocation : l.m_locations) {
      aLocation.m_id = -1;
      aLocation.m_numOpen = 0;
      for (FindInfo& e : aLocation.m_findInfo) e = FindInfo();
    }
    LocationData& aSeven = l.m_locations[0];
    aSeven.m_id = 7;
    int j = 0;
    for (auto& [aName, aCount] : theEntries) {
      FindInfo& e = aSeven.m_findInfo[j++];
      e.m_name = aName;
      e.setCount(aCount);
      e.setActive(aCount > 0);
      aSeven.m_numOpen += aCount > 0 ? 1 : 0;
    }
    l.m_locations[1].m_id = 3;
    // Every open entry is wanted.
    l.m_maxObjects = static_cast<uint8_t>(numberOfLocationsOnLevel(theLevel) * 10);
    l.m_runestonesFound = 0;
    App().mProfile.setNewLevel(90000, 5, 1.0f);
  }
  // The side bar drawn into theScreen (a fresh one when null) at full brightness.
  RecordingScreen& DrawBar(bool paused = false, Tesk::MemoryImage* theScreen = nullptr) {
    mScreen.mWritten.clear();
    Tesk::MemoryImage aLocal;
    Tesk::MemoryImage* s = theScreen != nullptr ? theScreen : &aLocal;
    s->Create(800, 600);
    Tesk::Graphics g(s);
    float aFade = 1.0f;
    Tesk::Color aBase(255, 255, 255);
    Tesk::drawSideBarShared(&g, Tesk::IMAGE_SIDE_BAR, &mScreen, &App(), aFade, aBase, paused);
    return mScreen;
  }
  // The list lines written (wrapped texts whose top lies in the list).
  std::vector<Written> ListLines() {
    std::vector<Written> aLines;
    for (const Written& w : mScreen.mWritten)
      if (w.wrapped && w.y >= 148 && w.y < 428) aLines.push_back(w);
    return aLines;
  }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  RecordingScreen mScreen;
  int mSavedLanguage = 0;
};

PlayTest::InFolder* SideBarTest::s_folder = nullptr;
RigApp* SideBarTest::s_app = nullptr;

TEST_F(SideBarTest, TheClockTurnsRedInTheLastThirtySecondsAndGivesWayToThePause) {
  struct Case {
    int difficulty, timer;
    bool paused;
    const wchar_t* clock;  // null: none written
    Tesk::Color color;
  };
  const Tesk::Color kCalm(233, 214, 169), kRed(233, 14, 29);
  const Case kCases[] = {
      {1, 90000, false, L"15:00", kCalm}, {1, 3000, false, L"00:30", kCalm}, {1, 2999, false, L"00:29", kRed},
      {2, 99, false, L"00:00", kRed},     {1, 0, false, L"00:00", kRed},     {1, -40, false, L"00:00", kRed},
      {0, 90000, false, nullptr, kCalm},  {1, 90000, true, nullptr, kCalm},  {0, 90000, true, nullptr, kCalm},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.difficulty << " " << c.timer << " " << c.paused);
    AtLevel(3, c.difficulty);
    App().mProfile.adjustLevelTimer(c.timer - App().mProfile.getLevelTimer());
    DrawBar(c.paused);
    const Written* aClock = nullptr;
    for (const Written& w : mScreen.mWritten)
      if (w.font == Tesk::FONT_TIME) aClock = &w;
    if (c.clock == nullptr) {
      EXPECT_EQ(aClock, nullptr);
    } else {
      ASSERT_NE(aClock, nullptr);
      EXPECT_EQ(aClock->text, c.clock);
      EXPECT_EQ(aClock->x, 68);
      EXPECT_EQ(aClock->y, 433);
      EXPECT_EQ(aClock->width, 0);  // centred on x
      EXPECT_EQ(aClock->color, c.color);
    }
    const Written* aPause = mScreen.find(stringPause);
    if (!c.paused) {
      EXPECT_EQ(aPause, nullptr);
    } else {
      ASSERT_NE(aPause, nullptr);
      EXPECT_EQ(aPause->x, 67);
      EXPECT_EQ(aPause->y, 442);
      EXPECT_EQ(aPause->font, Tesk::FONT_INTRO_TEXT);
      EXPECT_EQ(aPause->color, kRed);
    }
  }
}

TEST_F(SideBarTest, TheFindListShowsOpenEntriesWithTheirCountsAndTheObjectsLeft) {
  AtLevel(3, 1, {{L"Lantern", 1}, {L"Done", 0}, {L"Key", 3}, {L"Quill", 2}});
  App().mProfile.setCoinBlock(4);
  App().mProfile.setCoinBlock(9);
  DrawBar();
  const Written* aCoins = mScreen.find(L"2");
  ASSERT_NE(aCoins, nullptr);
  EXPECT_EQ(aCoins->x, 80);
  EXPECT_EQ(aCoins->y, 7);
  EXPECT_EQ(aCoins->font, Tesk::FONT_SMALL);
  EXPECT_EQ(aCoins->color, Tesk::Color(253, 209, 68));

  const std::vector<Written> aLines = ListLines();
  ASSERT_EQ(aLines.size(), 3u);
  EXPECT_EQ(aLines[0].text, L"Lantern");
  EXPECT_EQ(aLines[1].text, L"Key x3");
  EXPECT_EQ(aLines[2].text, L"Quill x2");
  Tesk::MemoryImage aScratch;
  aScratch.Create(8, 8);
  Tesk::Graphics g(&aScratch);
  g.SetFont(Tesk::FONT_SMALL);
  const int aLineHeight = mScreen.GetWordWrappedHeight(&g, 121, L"Lantern", 14);  // one line each
  EXPECT_EQ(aLines[0].y, 148);
  EXPECT_EQ(aLines[1].y, 148 + aLineHeight + 8);
  EXPECT_EQ(aLines[2].y, 148 + 2 * (aLineHeight + 8));
  for (const Written& w : aLines) {
    EXPECT_EQ(w.x, 8);
    EXPECT_EQ(w.width, 121);
    EXPECT_EQ(w.font, Tesk::FONT_SMALL);
    EXPECT_EQ(w.color, Tesk::Color(253, 234, 199, 255));
  }

  // Objects wanted in the level, then, once those are found, the chapter's remaining ones.
  LevelData& l = *App().mLevel;
  const int aWanted = l.numberOfObjectsToFind();
  ASSERT_EQ(aWanted, 3);
  const Written* aLeft = mScreen.find(Formatted(stringSpellObjectsRemaining, aWanted));
  ASSERT_NE(aLeft, nullptr);
  EXPECT_EQ(aLeft->x, 8);
  EXPECT_EQ(aLeft->y, 96);
  l.m_maxObjects = static_cast<uint8_t>(l.m_maxObjects - 3);
  ASSERT_EQ(l.numberOfObjectsToFind(), 0);
  DrawBar();
  EXPECT_NE(mScreen.find(Formatted(stringPlusObjectsRemaining, l.numberOfObjectsRemainingOnChapter())),
            nullptr);
}

TEST_F(SideBarTest, TheHardListFadesOutAfterFourLinesAndLongNamesStopAboveTheClock) {
  std::vector<std::pair<std::wstring, int>> aSix;
  for (int i = 0; i < 6; ++i) aSix.push_back({L"Item " + std::to_wstring(i), 1});
  AtLevel(3, 2, aSix);
  DrawBar();
  std::vector<Written> aLines = ListLines();
  ASSERT_EQ(aLines.size(), 4u);
  const int kAlphas[4] = {255, 174, 93, 12};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(aLines[i].color.mAlpha, kAlphas[i]) << i;

  // Names that wrap over several lines push the list down until it would reach the clock.
  const std::wstring aLong = L"a very long name that wraps over a good many lines of the narrow side bar";
  AtLevel(3, 1, std::vector<std::pair<std::wstring, int>>(10, {aLong, 1}));
  DrawBar();
  aLines = ListLines();
  ASSERT_GE(aLines.size(), 1u);
  EXPECT_LT(aLines.size(), 10u);
  const int anAscent = Tesk::FONT_SMALL->GetAscent();
  for (const Written& w : aLines) EXPECT_LT(w.y, 428 - anAscent);
}

TEST_F(SideBarTest, OneLineShimmersWhileItsFadeRuns) {
  AtLevel(3, 1, {{L"A", 1}, {L"B", 1}, {L"C", 1}});
  Tesk::InGame::m_wordFade = {1, 0.5f, 1, 0};
  DrawBar();
  std::vector<Written> aLines = ListLines();
  ASSERT_EQ(aLines.size(), 3u);
  EXPECT_EQ(aLines[0].color.mAlpha, 255);
  EXPECT_EQ(aLines[1].color.mAlpha, 127);
  EXPECT_EQ(aLines[2].color.mAlpha, 255);
  Tesk::InGame::m_wordFade.m_phase = 0;  // waiting: drawn as the others
  DrawBar();
  EXPECT_EQ(ListLines()[1].color.mAlpha, 255);

  // The shimmer's cycle: a wait, down to a quarter (or a bounce back to a half), up, a new line.
  Tesk::SRand(77);
  Tesk::InGame::setNewWordFade(0);
  Tesk::InGame::WordFade& w = Tesk::InGame::m_wordFade;
  EXPECT_GE(w.m_wordIndex, 0);
  EXPECT_LT(w.m_wordIndex, 10);
  EXPECT_FLOAT_EQ(w.m_alpha, 0.7843f);
  EXPECT_EQ(w.m_phase, 0);
  EXPECT_GE(w.m_delay, 500);
  EXPECT_LT(w.m_delay, 2000);
  const int aDelay = w.m_delay;
  for (int i = 1; i < aDelay; ++i) Tesk::InGame::updateWordFade();
  EXPECT_EQ(w.m_phase, 0);
  Tesk::InGame::updateWordFade();
  EXPECT_EQ(w.m_phase, 1);
  float aLowest = 1.0f;
  int aNewCycles = 0, aBounces = 0, aSteps = 0;
  for (; aSteps < 200000 && aNewCycles < 20; ++aSteps) {
    const int aPhase = w.m_phase;
    const float anAlpha = w.m_alpha;
    Tesk::InGame::updateWordFade();
    aLowest = std::min(aLowest, w.m_alpha);
    if (aPhase == 1 && w.m_phase == 1 && w.m_alpha > anAlpha) {
      ++aBounces;
      EXPECT_FLOAT_EQ(w.m_alpha, 0.5f);
    }
    if (aPhase == 2 && w.m_phase == 0) {
      ++aNewCycles;
      EXPECT_FLOAT_EQ(w.m_alpha, 0.7843f);
    }
    EXPECT_GE(w.m_alpha, 0.25f);
    EXPECT_LE(w.m_alpha, 0.7843f + 1e-6f);
  }
  EXPECT_EQ(aNewCycles, 20);
  EXPECT_GT(aBounces, 0);
  EXPECT_FLOAT_EQ(aLowest, 0.25f);
}

TEST_F(SideBarTest, TheQuickFindMessageTakesTheObjectsTextsPlaceWhileItShows) {
  Tesk::InGame::QuickfindStruct& q = *App().mScene->getQuickfindStruct();
  q = {L"Quick find!", 0, 0.5f, Tesk::FONT_MEDIUM, 40};
  DrawBar();
  const Written* aMessage = mScreen.find(L"Quick find!");
  ASSERT_NE(aMessage, nullptr);
  EXPECT_EQ(aMessage->y, 96);
  EXPECT_EQ(aMessage->font, Tesk::FONT_MEDIUM);
  EXPECT_EQ(aMessage->color, Tesk::Color(253, 14, 69, 127));
  const std::wstring aLeft = Formatted(stringSpellObjectsRemaining, App().mLevel->numberOfObjectsToFind());
  EXPECT_EQ(mScreen.find(aLeft), nullptr);
  for (auto aGone : {0, 1}) {
    q = {L"Quick find!", 0, aGone == 0 ? 0.0f : 0.5f, Tesk::FONT_MEDIUM, static_cast<uint16_t>(aGone == 0 ? 40 : 0)};
    DrawBar();
    EXPECT_EQ(mScreen.find(L"Quick find!"), nullptr);
    EXPECT_NE(mScreen.find(aLeft), nullptr);
  }
}

TEST_F(SideBarTest, TheMapSummarisesTheChapterAndNamesTheMiniGameWhenAllIsFound) {
  Tesk::GameApp::sm_gameState = 0;
  for (int aLevel : {3, 4}) {
    SCOPED_TRACE(aLevel);
    AtLevel(aLevel, 1);
    LevelData& l = *App().mLevel;
    DrawBar();
    const Written* aChapter = mScreen.find(Formatted(stringChapter, aLevel));
    ASSERT_NE(aChapter, nullptr);
    EXPECT_EQ(aChapter->y, 54);
    const Written* aLeft = mScreen.find(Formatted(stringSpellObjectsRemaining, l.numberOfObjectsToFind()));
    ASSERT_NE(aLeft, nullptr);
    EXPECT_EQ(aLeft->y, 88);
    const Written* anInfo = mScreen.find(stringMapInfoText);
    ASSERT_NE(anInfo, nullptr);
    EXPECT_EQ(anInfo->x, 10);
    EXPECT_EQ(anInfo->y, 142);
    EXPECT_EQ(anInfo->width, 117);
    EXPECT_EQ(mScreen.find(stringMapInfoPotion), nullptr);
    EXPECT_EQ(mScreen.find(stringMapInfoChant), nullptr);

    l.m_maxObjects = static_cast<uint8_t>(l.m_maxObjects - l.numberOfObjectsToFind());
    DrawBar();
    const Written* aGame = mScreen.find(aLevel % 2 == 1 ? stringMapInfoPotion : stringMapInfoChant);
    ASSERT_NE(aGame, nullptr);
    EXPECT_EQ(aGame->y, 273);
    EXPECT_EQ(mScreen.find(aLevel % 2 == 1 ? stringMapInfoChant : stringMapInfoPotion), nullptr);
    // No list, no panels and no pause on the map.
    EXPECT_EQ(mScreen.find(L"Lantern"), nullptr);
  }
}

TEST_F(SideBarTest, TheFinalLevelCountsRunestonesAndTheMiniGameShowsOnlyClockAndCoins) {
  AtLevel(13, 1);
  App().mLevel->m_runestonesFound = 3;
  for (uint8_t aState : {0, 1}) {
    Tesk::GameApp::sm_gameState = aState;
    DrawBar();
    wchar_t aCount[128];
    GameText::formatText(aCount, 128, stringNumRunestonesFound, 3, 4);
    const Written* aStones = mScreen.find(aCount);
    ASSERT_NE(aStones, nullptr) << int(aState);
    EXPECT_EQ(aStones->y, 240);
    EXPECT_EQ(mScreen.find(L"Lantern"), nullptr);
    EXPECT_EQ(mScreen.find(Formatted(stringChapter, 13)), nullptr);
  }

  AtLevel(5, 1);
  Tesk::GameApp::sm_gameState = 2;
  DrawBar();
  ASSERT_EQ(mScreen.mWritten.size(), 2u);
  EXPECT_EQ(mScreen.mWritten[0].font, Tesk::FONT_TIME);
  EXPECT_EQ(mScreen.mWritten[1].text, L"0");
}

// The rectangle theRect of two screens: whether any pixel differs.
bool Differs(Tesk::MemoryImage& a, Tesk::MemoryImage& b, int x0, int y0, int w, int h) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (a.GetBits()[y * 800 + x] != b.GetBits()[y * 800 + x]) return true;
  return false;
}

TEST_F(SideBarTest, PanelsAndTheChargeBarFollowTheChargesAndTheSpell) {
  AtLevel(2, 1);
  Tesk::MemoryImage aFull, anEmpty;
  App().mProfile.setNewLevel(90000, 5, 1.0f);
  DrawBar(false, &aFull);
  // The side bar image fills the strip.
  Tesk::Image* aBar = Tesk::IMAGE_SIDE_BAR;
  ASSERT_NE(aBar, nullptr);
  EXPECT_EQ(aBar->GetWidth(), 140);

  // No reveal charge left and the repel spell too weak: both panels change, nothing else.
  for (int i = 0; i < 5; ++i) App().mProfile.levelHintUsed(i);
  App().mProfile.setRepelChargePressed();
  ASSERT_LT(App().mProfile.getRepelCharge(), App().mProfile.getRepelChargePressPowerUsed());
  DrawBar(false, &anEmpty);
  Tesk::Image* aReveal = Tesk::IMAGE_SIDE_REVEAL;
  Tesk::Image* aRepel = Tesk::IMAGE_SIDE_REPEL;
  EXPECT_TRUE(Differs(aFull, anEmpty, 12, 504, aReveal->GetWidth(), aReveal->GetHeight()));
  EXPECT_TRUE(Differs(aFull, anEmpty, 9, 534, aRepel->GetWidth(), aRepel->GetHeight()));
  EXPECT_FALSE(Differs(aFull, anEmpty, 0, 0, 140, 120));  // coins, menu, map, divider alike

  // The charge bar's fill covers the charge's share of its width, from the left.
  Tesk::Image* aBack = Tesk::IMAGE_SIDE_REPEL_CHARGEBAR_BACK;
  Tesk::Image* aFill = Tesk::IMAGE_SIDE_REPEL_CHARGEBAR_FILL;
  ASSERT_NE(aBack, nullptr);
  ASSERT_NE(aFill, nullptr);
  const int aTop = 600 - aBack->GetHeight();
  Tesk::MemoryImage aNone, aHalf;
  App().mProfile.setNewLevel(90000, 5, 0.0f);
  DrawBar(false, &aNone);
  App().mProfile.setNewLevel(90000, 5, 0.5f);
  DrawBar(false, &aHalf);
  const int aHalfWidth = static_cast<int>(aFill->GetWidth() * 0.5f);
  EXPECT_TRUE(Differs(aNone, aHalf, 0, aTop, aHalfWidth, aFill->GetHeight()));
  EXPECT_FALSE(Differs(aNone, aHalf, aHalfWidth, aTop, 140 - aHalfWidth, aBack->GetHeight()));
  EXPECT_FALSE(Differs(aNone, aHalf, 0, 0, 140, aTop - 80));

  // Level 1 has neither the crystal ball nor the repel panel; the final level has no reveal panel.
  AtLevel(1, 1);
  Tesk::MemoryImage aFirst;
  DrawBar(false, &aFirst);
  Tesk::MemoryImage aBare;
  {
    aBare.Create(800, 600);
    Tesk::Graphics g(&aBare);
    g.SetColorizeImages(true);
    g.SetColor(Tesk::Color(255, 255, 255));
    g.DrawImage(aBar, 0, 0);
  }
  EXPECT_FALSE(Differs(aFirst, aBare, 9, 534, aRepel->GetWidth(), aRepel->GetHeight()));
  EXPECT_FALSE(Differs(aFirst, aBare, 0, aTop, 140, aBack->GetHeight()));
  EXPECT_TRUE(Differs(aFirst, aBare, 12, 504, aReveal->GetWidth(), 20));
}

TEST_F(SideBarTest, OtherLanguagesWriteTheLabelsTheEnglishArtCarries) {
  DrawBar();
  EXPECT_EQ(mScreen.find(stringBakedSidebarMenu), nullptr);
  EXPECT_EQ(mScreen.find(stringBakedSidebarReveal), nullptr);
  Tesk::TeskAppBase::s_languageUsing = 2;
  AtLevel(3, 1);
  DrawBar();
  const Written* aMenu = mScreen.find(stringBakedSidebarMenu);
  ASSERT_NE(aMenu, nullptr);
  EXPECT_EQ(aMenu->x, 70);
  EXPECT_EQ(aMenu->y, 26);
  EXPECT_EQ(aMenu->color, Tesk::Color(200, 176, 64));
  const Written* aMap = mScreen.find(stringBakedSidebarMap);
  ASSERT_NE(aMap, nullptr);
  EXPECT_EQ(aMap->y, 63);
  const Written* aReveal = mScreen.find(stringBakedSidebarReveal);
  ASSERT_NE(aReveal, nullptr);
  EXPECT_EQ(aReveal->color, Tesk::Color(63, 67, 91));
  const Written* aRepel = mScreen.find(stringBakedSidebarRepel);
  ASSERT_NE(aRepel, nullptr);
  EXPECT_EQ(aRepel->y, 560);
  EXPECT_EQ(aRepel->color, Tesk::Color(95, 57, 40));

  // A hovered reveal button writes the label a second time in its hover colour.
  App().mScene->m_revealButtons[2] = new Tesk::OrvoButtonWidget(4, nullptr);
  App().mScene->m_revealButtons[2]->mHoverAlpha = 0.6f;
  DrawBar();
  int aCount = 0;
  for (const Written& w : mScreen.mWritten)
    if (w.text == stringBakedSidebarReveal) {
      if (++aCount == 2) {
        EXPECT_EQ(w.color, Tesk::Color(76, 92, 140, 153));
      }
    }
  EXPECT_EQ(aCount, 2);
  Tesk::TeskAppBase::s_languageUsing = 1;
  DrawBar();
  EXPECT_EQ(mScreen.find(stringBakedSidebarMenu)->x, 69);
}

}  // namespace
