// The chapter intro (mode 8 of the story screen) on the generated asset set, for each of the 13
// chapters: its label and title, its story typed on the left page, its pictures, the spell with
// its goal, and the time allowed or left; the start button with its glow, in English and in a
// language that writes its label; a stored level outside the chapters.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "game/shell/ScreenCalls.h"
#include "game/shell/Story.h"

namespace {

using namespace Tesk;
using PopupTest::Written;

// The story screen, noting the texts it writes.
class IntroStory : public Story {
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
  const Written* find(const std::wstring& theText) const {
    for (const Written& w : mWritten)
      if (w.text == theText) return &w;
    return nullptr;
  }
  // The first text written that starts with thePrefix.
  const Written* findStart(const std::wstring& thePrefix) const {
    for (const Written& w : mWritten)
      if (w.text.compare(0, thePrefix.size(), thePrefix) == 0) return &w;
    return nullptr;
  }
  std::vector<Written> mWritten;
};

// The story's calls reach the story; the map is only noted, so the intro stays where it is.
class Calls : public ScreenCalls {
 public:
  void initMap(Map*) override {}
  void setMapState(Map*, uint8_t) override {}
};

class ChapterIntro : public PopupTest::PopupRig {
 protected:
  void SetUp() override {
    PopupRig::SetUp();
    if (HasFatalFailure()) return;
    delete mStory;
    mApp->m_story = mStory = mIntro = new IntroStory(mApp.get());
    mApp->m_screenCalls = &mCalls;
    Story::alreadyInited = false;
    MakeProfile(L"Ada");
    mProfile->startNewGame(1);
  }
  void TearDown() override {
    mApp->m_screenCalls = &ScreenCalls::s_real;
    PopupRig::TearDown();
  }

  // The profile in use stands at theLevel with theTimer hundredths left, as its file has them.
  void SetLevel(int theLevel, int theTimer) {
    std::string aBytes = mProfile->toFileBytes();
    const size_t aRecord = 8 + 100 * static_cast<size_t>(mProfile->getProfileIdxUsing());
    aBytes[aRecord + 66] = static_cast<char>(theLevel);
    for (int i = 0; i < 4; ++i) aBytes[aRecord + 68 + i] = static_cast<char>((theTimer >> (8 * i)) & 0xFF);
    std::string anError;
    ASSERT_TRUE(mProfile->fromFileBytes(aBytes, &anError)) << anError;
    ASSERT_EQ(mProfile->getLevelOn(), theLevel);
  }

  // The intro shown by its switch from the title screen, faded in, then drawn once.
  void ShowIntro() {
    if (mApp->mWidgetManager->HasWidget(mStory)) mApp->mWidgetManager->RemoveWidget(mStory);
    mApp->StartLevelIntro(mTitle);
    ASSERT_TRUE(mApp->mWidgetManager->HasWidget(mStory));
    for (int i = 0; i < 100 && GameApp::isInFade(); ++i) mStory->Update();
  }
  void DrawIntro() {
    mIntro->mWritten.clear();
    mScreen = std::make_unique<MemoryImage>(mApp.get());
    mScreen->Create(800, 600);
    Graphics g(mScreen.get());
    mStory->Draw(&g);
  }
  // Centred on x at y in the font the text was written with.
  static void ExpectCentred(const Written* w, int x, int y) {
    ASSERT_NE(w, nullptr);
    const int aWidth = w->font->StringWidth(w->text);
    EXPECT_EQ(w->x, x - aWidth / 2);
    EXPECT_EQ(w->y, y);
  }

  IntroStory* mIntro = nullptr;
  Calls mCalls;
};

// Where each chapter's pictures stand: chapter picture p (-1 the runestone) centred on c with
// its bottom on b; the goal's heading at goalY.
struct Picture {
  int p, c, b;
};
struct Chapter {
  int mLevel;
  Picture mFirst;
  Picture mSecond;  // p -2: none
  int mGoalY;
};
const Chapter kChapters[] = {
    {1, {6, 575, 180}, {-2, 0, 0}, 190},      {2, {5, 575, 211}, {-2, 0, 0}, 210},
    {3, {9, 575, 180}, {-2, 0, 0}, 190},      {4, {8, 575, 200}, {-2, 0, 0}, 210},
    {5, {7, 563, 216}, {-2, 0, 0}, 220},      {6, {4, 595, 160}, {3, 562, 176}, 190},
    {7, {0, 575, 192}, {-2, 0, 0}, 196},      {8, {2, 575, 194}, {-2, 0, 0}, 214},
    {9, {10, 575, 218}, {-2, 0, 0}, 232},     {10, {5, 575, 211}, {-2, 0, 0}, 210},
    {11, {1, 580, 200}, {11, 575, 156}, 214}, {12, {6, 575, 180}, {-2, 0, 0}, 190},
    {13, {-1, 575, 172}, {-2, 0, 0}, 190},
};
const wchar_t* const kSpells[12] = {L"Repello Obscurum",        L"ostendo sum quis est occultus",
                                    L"Repello Vomica Obscurum", L"Saeta Incrementum",
                                    L"Ostendo Campester Tres",  L"Periculosus Illusion",
                                    L"Tabernus Unus Pes",       L"Mutatio",
                                    L"Ostendo Sum Max Vox",     L"Vigoratus Rememdium",
                                    L"Incendia Tutela",         L"Vetus Lingua"};

TEST_F(ChapterIntro, EachOfTheThirteenChaptersHasItsTextsPicturesSpellGoalAndTime) {
  for (const Chapter& c : kChapters) {
    const int L = c.mLevel;
    SCOPED_TRACE("chapter " + std::to_string(L));
    SetLevel(L, 0);
    ShowIntro();
    ASSERT_EQ(mStory->m_mode, Story::MODE_LEVEL_INTRO);
    EXPECT_STREQ(GameApp::databaseCurrentlyLoaded, "LevelIntro");
    LevelData* aLevel = mApp->getLevelData();
    // A chapter begun with its whole allowance on the clock.
    if (L <= 12)
      mProfile->adjustLevelTimer(static_cast<int>(aLevel->m_totalLevelTime) - mProfile->getLevelTimer());
    DrawIntro();

    // Label and title over the left page.
    const Color aTitleColour(22, 52, 100);
    const Written* aLabel = mIntro->find(stringChapStrings[L - 1]);
    ExpectCentred(aLabel, 222, 100);
    EXPECT_EQ(aLabel->font, FONT_INTRO_TEXT);
    EXPECT_EQ(aLabel->color, aTitleColour);
    ExpectCentred(mIntro->find(stringChapTitles[L - 1]), 222, 126);

    // The story, being typed into its box.
    EXPECT_EQ(mStory->m_printer.m_text, k_maxLevelIntroText[L - 1]);
    EXPECT_TRUE(mStory->m_printer.getIsPrinting());
    EXPECT_EQ(mStory->m_printer.m_box, TRect<int>(71, 155, 310, 350));
    EXPECT_EQ(mStory->m_printer.m_lineSpacing, 19);
    EXPECT_EQ(mStory->m_printer.m_font, FONT_SMALL);

    // The spell: the heading, then its name in the title colour.
    const Written* aHeading = mIntro->find(L <= 12 ? stringSpellGoal : stringFinalGoal);
    ExpectCentred(aHeading, 575, c.mGoalY);
    EXPECT_EQ(aHeading->color, Color(250, 22, 60));
    const wchar_t* aSpell = L <= 12 ? kSpells[L - 1] : stringFinalChapterGoal;
    const Written* aName = mIntro->find(aSpell);
    ExpectCentred(aName, 575, c.mGoalY + 26);
    EXPECT_EQ(aName->color, aTitleColour);

    // The goal, with the chapter's object count or the time the last chapter allows.
    wchar_t aGoal[512];
    if (L <= 12) {
      std::swprintf(aGoal, 512, stringGoalText[L - 1], aLevel->m_maxObjects);
    } else {
      wchar_t aMinutes[28];
      // The minutes the chapter's clock was set to when its level was loaded.
      EXPECT_GT(mProfile->getLevelTimer(), 0);
      std::swprintf(aMinutes, 28, stringMinutes, mProfile->getLevelTimer() / 6000);
      std::swprintf(aGoal, 512, stringGoalText[12], aMinutes);
    }
    const Written* aGoalText = mIntro->find(aGoal);
    ASSERT_NE(aGoalText, nullptr) << Tesk::TeskStringToString(aGoal);
    EXPECT_TRUE(aGoalText->wrapped);
    EXPECT_EQ(TRect<int>(aGoalText->x, aGoalText->y, aGoalText->width, aGoalText->height),
              TRect<int>(580 - 134, c.mGoalY + 54, 268, 82));
    EXPECT_EQ(aGoalText->spacing, 19);
    EXPECT_EQ(aGoalText->justification, -1);
    if (L <= 12) {
      EXPECT_GT(aLevel->m_maxObjects, 0);
    }

    // The pictures, each centred on its c with its bottom on b.
    const Picture* const aPictures[2] = {&c.mFirst, &c.mSecond};
    for (int i = 0; i < 2; ++i) {
      const Picture& p = *aPictures[i];
      const Story::IntroSlot& aSlot = mStory->m_introSlots[i];
      if (p.p == -2) {
        EXPECT_EQ(aSlot.m_image, nullptr);
        continue;
      }
      Image* anImage = p.p == -1 ? IMAGE_INGAME_RUNESTONE : mStory->m_chapterImages[p.p];
      ASSERT_NE(anImage, nullptr);
      EXPECT_EQ(aSlot.m_image, anImage);
      EXPECT_EQ(aSlot.m_x, p.c - anImage->GetWidth() / 2);
      EXPECT_EQ(aSlot.m_y, p.b - anImage->GetHeight());
    }
    for (int i = 2; i < 4; ++i) EXPECT_EQ(mStory->m_introSlots[i].m_image, nullptr);

    // The time the chapter allows, in whole minutes; the last chapter has no time line.
    wchar_t aTime[20] = L"";
    if (L <= 12)
      std::swprintf(aTime, 20, stringSpellCastTime, static_cast<int>(aLevel->m_totalLevelTime / 6000));
    const Written* aTimeLine = mIntro->findStart(L"Time");
    if (L <= 12) {
      ExpectCentred(mIntro->find(aTime), 575, 418);
      EXPECT_EQ(mIntro->find(aTime)->font, FONT_MEDIUM);
    } else {
      EXPECT_EQ(aTimeLine, nullptr);
    }
  }
}

TEST_F(ChapterIntro, AnUntimedChapterShowsNoTimeAndAResumedOneShowsWhatIsLeft) {
  struct Case {
    const char* mName;
    int mDifficulty;
    bool mResumed;
    const wchar_t* mLineFormat;  // null: no time line
  };
  const Case kCases[] = {
      {"untimed", 0, false, nullptr},
      {"timed, begun afresh", 1, false, stringSpellCastTime},
      {"timed, resumed", 1, true, stringTimeRemaining},
      {"hard, resumed", 2, true, stringTimeRemaining},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    mProfile->startNewGame(c.mDifficulty);
    SetLevel(4, 0);
    ShowIntro();
    LevelData* aLevel = mApp->getLevelData();
    const int aTotal = static_cast<int>(aLevel->m_totalLevelTime);
    mProfile->adjustLevelTimer(aTotal - (c.mResumed ? 4321 : 0) - mProfile->getLevelTimer());
    DrawIntro();
    // Whatever the line says, it is the only text written at (575, 418).
    const Written* aLine = nullptr;
    for (const Written& w : mIntro->mWritten)
      if (w.y == 418) aLine = &w;
    if (c.mLineFormat == nullptr) {
      EXPECT_EQ(aLine, nullptr);
      continue;
    }
    ASSERT_NE(aLine, nullptr);
    const std::wstring aFormat = c.mLineFormat;
    const std::wstring aStem = aFormat.substr(0, aFormat.find(L'%'));
    EXPECT_EQ(aLine->text.compare(0, aStem.size(), aStem), 0) << Tesk::TeskStringToString(aLine->text);
    if (!c.mResumed) {
      wchar_t anExpected[20];
      std::swprintf(anExpected, 20, stringSpellCastTime, aTotal / 6000);
      EXPECT_EQ(aLine->text, anExpected);
    }
  }
}

TEST_F(ChapterIntro, TheStartButtonGlowsOverItsPaintedLabelInEnglish) {
  SetLevel(2, 0);
  ShowIntro();
  OrvoButtonWidget* n = mStory->m_nextButton;
  Image* aHover = mStory->blockImage(3);
  ASSERT_NE(aHover, nullptr);
  EXPECT_EQ(n->mHoverImage, aHover);
  EXPECT_EQ(TRect<int>(n->mX, n->mY, n->mWidth, n->mHeight),
            TRect<int>(610, 447, aHover->GetWidth(), aHover->GetHeight()));
  EXPECT_TRUE(n->mLabel.empty());
  EXPECT_EQ(n->mAnimation, &mStory->m_glowAnim);
  EXPECT_EQ(mStory->m_glowAnim.m_image, mStory->blockImage(1));
  EXPECT_EQ(mStory->m_glowAnim.getRows(), 3);
  EXPECT_EQ(mStory->m_glowAnim.getCols(), 5);
  EXPECT_EQ(mStory->m_glowAnim.getFrameCount(), 15);
  EXPECT_EQ(mStory->m_glowAnim.getX(), 608);
  EXPECT_EQ(mStory->m_glowAnim.getY(), 445);
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(n));
  // The glow runs through its fifteen frames, ten updates each.
  const int aFirst = mStory->m_glowAnim.getFrameOn();
  for (int i = 0; i < 10; ++i) mStory->Update();
  EXPECT_EQ(mStory->m_glowAnim.getFrameOn(), (aFirst + 1) % 15);
}

TEST_F(ChapterIntro, ALanguageWithWrittenLabelsWritesTheStartLabelAndLaysOutForIt) {
  static wchar_t kStart[] = L"Zauber beginnen";
  wchar_t* const anOldStart = stringBakedLevelIntroStartSpell;
  stringBakedLevelIntroStartSpell = kStart;
  TeskAppBase::s_languageUsing = 3;
  SetLevel(1, 0);
  ShowIntro();
  OrvoButtonWidget* n = mStory->m_nextButton;
  const int w = FONT_TITLE_OPTIONS->StringWidth(kStart);
  const int a = FONT_INTRO_TEXT->GetAscent();
  EXPECT_EQ(n->mLabel, kStart);
  EXPECT_EQ(n->mHoverImage, nullptr);
  EXPECT_EQ(TRect<int>(n->mX, n->mY, n->mWidth, n->mHeight), TRect<int>(722 - w, 447 + a / 2, w, a));
  EXPECT_EQ(n->mTextOffsetY, 2);
  EXPECT_EQ(mStory->m_glowAnim.getX(), n->mX - 10);
  EXPECT_EQ(mStory->m_glowAnim.m_drawWidth, w + 20);
  // Chapter 1's title takes two lines here, so the story starts lower from the first update on;
  // drawing leaves the box alone.
  EXPECT_EQ(mStory->m_printer.m_box, TRect<int>(65, 185, 326, 350));
  EXPECT_EQ(mStory->m_printer.m_lineSpacing, 17);
  DrawIntro();
  // The label written black over the button's middle; chapter 1's title wrapped in its box,
  // which moves the story lower.
  const Written* aLabel = mIntro->find(kStart);
  ASSERT_NE(aLabel, nullptr);
  EXPECT_EQ(aLabel->x, n->mX + w / 2 - w / 2);
  EXPECT_EQ(aLabel->y, 447 + FONT_TITLE_OPTIONS->GetAscent() / 2);
  EXPECT_EQ(aLabel->color, Color(0, 0, 0));
  const Written* aTitle = mIntro->find(stringChapTitles[0]);
  ASSERT_NE(aTitle, nullptr);
  EXPECT_TRUE(aTitle->wrapped);
  EXPECT_EQ(TRect<int>(aTitle->x, aTitle->y, aTitle->width, aTitle->height), TRect<int>(80, 126, 300, 200));
  EXPECT_EQ(mStory->m_printer.m_box, TRect<int>(65, 185, 326, 350));
  const Written* aGoal = mIntro->mWritten.empty() ? nullptr : mIntro->findStart(std::wstring(L"Find"));
  ASSERT_NE(aGoal, nullptr);
  EXPECT_EQ(aGoal->width, 316);
  EXPECT_EQ(aGoal->spacing, 17);
  stringBakedLevelIntroStartSpell = anOldStart;
}

TEST_F(ChapterIntro, AStoredLevelOutsideTheChaptersShowsTheNearestChapter) {
  const struct {
    int mStored;
    int mShown;
  } kCases[] = {{0, 1}, {14, 13}, {200, 13}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.mStored);
    SetLevel(c.mStored, 0);
    mStory->SetMode(Story::MODE_LEVEL_INTRO);
    // The page alone: the level data refuses such a level, the page must still hold.
    mStory->SetPage();
    EXPECT_EQ(mStory->m_chapterPair, &Story::k_maxLevelIntroTextTitle[c.mShown - 1]);
    EXPECT_EQ(mStory->m_goalPair, &Story::k_goalString[c.mShown - 1]);
    EXPECT_EQ(mStory->m_printer.m_text, k_maxLevelIntroText[c.mShown - 1]);
  }
}

}  // namespace
