// What the popup draws per type, as the texts it writes: the shadowed heading, messages in
// their area (wider in German), the option labels beside their controls, the difficulty under
// the pointer, the unlockables page, the statistics and the hall of fame.
#include <gtest/gtest.h>

#include <string>

#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "widgets/Checkbox.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"

namespace {

using PopupTest::PopupRig;
using PopupTest::Written;
using namespace Tesk;

class PopupDraw : public PopupRig {
 protected:
  int Ascent() { return FONT_MEDIUM->GetAscent(); }
  int CheckWidth() { return IMAGE_CHECKBOX->GetWidth() / 2; }

  void ExpectAt(const wchar_t* theText, int x, int y, int theWidth, int theJustification) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(theText)));
    const Written* w = mPopup->find(theText);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->x, x);
    EXPECT_EQ(w->y, y);
    EXPECT_EQ(w->width, theWidth);
    EXPECT_EQ(w->justification, theJustification);
  }
};

TEST_F(PopupDraw, TheHeadingHasADropShadow) {
  Open(POPUP_TITLE_OPTIONS);
  DrawPopup();
  ASSERT_GE(mPopup->mWritten.size(), 2u);
  const Written& aShadow = mPopup->mWritten[0];
  const Written& aHeading = mPopup->mWritten[1];
  EXPECT_EQ(aShadow.text, stringPopupOptions);
  EXPECT_EQ(aShadow.color, Color(0, 0, 0, 60));
  EXPECT_EQ(aShadow.x, 2);
  EXPECT_EQ(aShadow.y, 178);
  EXPECT_EQ(aHeading.color, PopupBox::k_headerColor);
  EXPECT_EQ(aHeading.x, 0);
  EXPECT_EQ(aHeading.y, 176);
  EXPECT_EQ(aHeading.width, 800);
  EXPECT_EQ(aHeading.justification, 0);
  EXPECT_EQ(aHeading.font, FONT_TITLE_OPTIONS);
}

TEST_F(PopupDraw, MessagesFillTheirAreaWiderInGerman) {
  struct Case {
    int language;
    int x, width, spacing;
  };
  for (const Case& c : {Case{0, 260, 280, 22}, Case{3, 235, 330, 20}, Case{2, 260, 280, 22}}) {
    SCOPED_TRACE(c.language);
    TeskAppBase::s_languageUsing = c.language;
    for (uint8_t aType : {POPUP_CONFIRM_EXIT, POPUP_HINT_DUNGEON, POPUP_FIRST_HELP_CHANT}) {
      Open(aType);
      DrawPopup();
      const Written* w = mPopup->find(mPopup->m_bodyText);
      ASSERT_NE(w, nullptr);
      EXPECT_TRUE(w->wrapped);
      EXPECT_EQ(w->x, c.x);
      EXPECT_EQ(w->y, 220);
      EXPECT_EQ(w->width, c.width);
      EXPECT_EQ(w->height, 300);
      EXPECT_EQ(w->spacing, c.spacing);
      EXPECT_EQ(w->color, PopupBox::k_baseColor);
      EXPECT_EQ(w->font, FONT_MEDIUM);
    }
  }
}

TEST_F(PopupDraw, TheOptionLabelsStandBesideTheirControls) {
  Open(POPUP_GAME_OPTIONS);
  DrawPopup();
  const int s = mPopup->m_musicSlider->mHeight / 2 - Ascent() / 2;
  const int a = mPopup->m_fullScreenCheckbox->mHeight / 2 - Ascent() / 2;
  ExpectAt(stringMusic, 0, 224 + s, 366, 1);
  ExpectAt(stringSfx, 0, 256 + s, 366, 1);
  ExpectAt(stringFullscreen, 330 + CheckWidth() + 6, 282 + a, -1, -1);
  ExpectAt(stringDistractionsOff, 330 + CheckWidth() + 6, 316 + a, -1, -1);
  Open(POPUP_TITLE_OPTIONS);
  DrawPopup();
  EXPECT_EQ(mPopup->find(stringDistractionsOff), nullptr);

  Open(POPUP_HELP_OPTIONS);
  DrawPopup();
  const int h = mPopup->m_helpBoxCheckbox->mHeight / 2 - Ascent() / 2;
  ExpectAt(stringLookOnline, 260, 220, 280, 0);
  ExpectAt(stringHelpBox, 290 + CheckWidth() + 6, 310 + h, -1, -1);
  ExpectAt(stringHelpCustomCursor, 290 + CheckWidth() + 6, 344 + h, -1, -1);
  Open(POPUP_3D_OPTIONS);
  DrawPopup();
  ExpectAt(string3DToggleInfo, 260, 220, 280, 0);
  ExpectAt(string3DEnabled, 320 + CheckWidth() + 6, 360 + h, -1, -1);
}

TEST_F(PopupDraw, TheDifficultyUnderThePointerIsDescribed) {
  struct Case {
    const char* name;
    bool extraHard;
    int over;       // button index under the pointer, -1 none
    int described;  // -1 none
  };
  const Case kCases[] = {
      {"nothing under the pointer", false, -1, -1}, {"the first", false, 0, 0}, {"the second", false, 1, 1},
      {"Back, extra hard locked", false, 2, -1},    {"the third", true, 2, 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ResetProfiles();
    if (c.extraHard) mProfile->setExtraHardDiffUnlocked();
    Open(POPUP_DIFFICULTY);
    for (int i = 0; i < 3; ++i) mPopup->m_buttons[i]->mIsOver = i == c.over;
    DrawPopup();
    for (int d = 0; d < 3; ++d) {
      const Written* w = mPopup->find(stringDiffInfo[d]);
      if (d != c.described) {
        EXPECT_EQ(w, nullptr);
        continue;
      }
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(w->x, 260);
      EXPECT_EQ(w->y, 376);
      EXPECT_EQ(w->spacing, 22);
    }
  }
  TeskAppBase::s_languageUsing = 3;
  mPopup->m_buttons[0]->mIsOver = true;
  DrawPopup();
  ASSERT_NE(mPopup->find(stringDiffInfo[0]), nullptr);
  EXPECT_EQ(mPopup->find(stringDiffInfo[0])->y, 366);
}

TEST_F(PopupDraw, TheUnlockablesPageShowsWhatIsUnlocked) {
  Open(POPUP_UNLOCKABLES);
  DrawPopup();
  ASSERT_EQ(mPopup->mWritten.size(), 3u) << "the heading, its shadow and one text";
  ExpectAt(stringNothingUnlocked, 260, 220, 280, 0);

  mProfile->setExtraHardDiffUnlocked();
  Open(POPUP_UNLOCKABLES);
  DrawPopup();
  ASSERT_EQ(mPopup->mWritten.size(), 3u);
  ExpectAt(stringUnlockablesExtraHardDiff, 260, 406, 280, 0);
  EXPECT_EQ(mPopup->mWritten[2].height, 60);

  mProfile->setOtherMapUnlocked();
  mProfile->setWandsUnlocked();
  Open(POPUP_UNLOCKABLES);
  DrawPopup();
  ExpectAt(stringMapUsing, 0, 216, 800, 0);
  ExpectAt(stringChooseYourWand, 0, 286, 800, 0);
  EXPECT_EQ(mPopup->find(stringNothingUnlocked), nullptr);
  // Each wand sits in its square, outlined; between them the page shows through.
  const uint32_t* aBits = mScreen->GetBits();
  auto aPixel = [&](int x, int y) { return aBits[y * 800 + x]; };
  for (int x : {284, 368, 452}) {
    SCOPED_TRACE(x);
    const Color c = PopupBox::k_baseColor;
    const uint32_t anOutline = 0xFF000000u | (c.mRed << 16) | (c.mGreen << 8) | c.mBlue;
    EXPECT_EQ(aPixel(x, 340), anOutline);
    EXPECT_NE(aPixel(x + 32, 344), aPixel(x + 70, 344));
  }
}

TEST_F(PopupDraw, TheStatisticsAndTheHallOfFame) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  mProfile->updateGameTotalTime(3725);
  Open(POPUP_ALL_RUNESTONES);
  DrawPopup();
  wchar_t aMinutes[32];
  GameText::formatText(aMinutes, 32, stringMinPostMerge, 62);
  ExpectAt(mPopup->m_bodyText, 260, 220, 280, 0);
  ExpectAt(stringGameStats, 296, 356, 0, 0);
  EXPECT_EQ(mPopup->find(stringGameStats)->color, PopupBox::k_baseCurrentProfileColor);
  ExpectAt(stringTimeCol, 420, 356, 0, 0);
  ExpectAt(L"Wren", 296, 386, 0, 0);
  ExpectAt(aMinutes, 420, 386, 0, 0);
  EXPECT_EQ(mPopup->find(aMinutes)->color, PopupBox::k_highlightColor);

  // An untimed game shows the difficulty's name; a wide name is written small, a little lower.
  ResetProfiles();
  MakeProfile(L"WWWWWWWWWW");
  ASSERT_GT(FONT_MEDIUM->StringWidth(L"WWWWWWWWWW"), 127);
  mProfile->startNewGame(0);
  Open(POPUP_ALL_RUNESTONES);
  DrawPopup();
  ExpectAt(stringDiff1, 420, 386, 0, 0);
  ExpectAt(L"WWWWWWWWWW", 296, 388, 0, 0);
  EXPECT_EQ(mPopup->find(L"WWWWWWWWWW")->font, FONT_SMALL);

  // The hall of fame: six rows from 266, each with its own time format.
  RankRecord* r = mProfile->getRankRecord(0);
  r->mDifficulty = 2;
  r->mTimeSeconds = 125;
  mProfile->getRankRecord(1)->mDifficulty = 0;
  Open(POPUP_HIGH_SCORES);
  DrawPopup();
  ExpectAt(stringTimeCol, 420, 236, 0, 0);
  ExpectAt(stringGradeAvgCol, 516, 236, 0, 0);
  EXPECT_EQ(mPopup->find(stringGameStats), nullptr);
  GameText::formatText(aMinutes, 32, stringMinPostMergeShort, 2);
  ExpectAt(aMinutes, 420, 266, 0, 0);
  ExpectAt(r->mName, 296, 266, 0, 0);
  int aRows = 0;
  for (const Written& w : mPopup->mWritten) aRows += w.x == 296 ? 1 : 0;
  EXPECT_EQ(aRows, 6);
  const Written* aLast = nullptr;
  for (const Written& w : mPopup->mWritten)
    if (w.x == 296) aLast = &w;
  EXPECT_EQ(aLast->y, 236 + 6 * 30 + (FONT_MEDIUM->StringWidth(aLast->text) > 127 ? 2 : 0));
}

TEST_F(PopupDraw, TheResultsPanelDrawsNoCommonBox) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  Open(POPUP_TITLE_OPTIONS);
  Open(POPUP_CHAPTER_COMPLETE);
  DrawPopup();
  EXPECT_EQ(mPopup->find(stringPopupOptions), nullptr) << "no heading";
  EXPECT_EQ(mPopup->m_boxImage, GameApp::s_images[19]);
  ASSERT_NE(mPopup->find(PopupBox::s_levelCompleteText1), nullptr);
}

}  // namespace
