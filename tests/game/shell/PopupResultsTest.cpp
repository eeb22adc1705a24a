// The chapter results panel: the texts composed when it opens (times, records, the time bonus,
// a clock past 99 minutes), the animation's timing update by update, the grade it raises and
// the sounds it plays, and what the panel draws in each state.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "PopupRig.h"
#include "game/play/SideBar.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"

namespace {

using PopupTest::PopupRig;
using PopupTest::Written;
using namespace Tesk;

class PopupResults : public PopupRig {
 protected:
  // A timed chapter theChapter with theLeft hundredths left of theTotal; theUnused reveal
  // charges not used.
  void Chapter(int theChapter, unsigned theTotal, unsigned theLeft, int theUnused = 0,
               int theDifficulty = 1) {
    MakeProfile(L"Wren");
    mProfile->startNewGame(theDifficulty);
    while (mProfile->getLevelOn() < theChapter) mProfile->advanceLevelOn();
    mProfile->setNewLevel(theLeft, 5, 0.0f);
    for (int i = theUnused; i < 5; ++i) mProfile->levelHintUsed(i);
    mLevel->m_totalLevelTime = theTotal;
  }

  static std::wstring Format(const wchar_t* theFormat, const wchar_t* theValue) {
    wchar_t aBuf[64];
    GameText::formatText(aBuf, 64, theFormat, theValue);
    return aBuf;
  }

  // Updates the popup until its results state changes; returns how many updates that took.
  int UpdatesUntilNextState() {
    const unsigned aState = mPopup->m_resultState;
    for (int i = 1; i < 10000; ++i) {
      mPopup->Update();
      if (mPopup->m_resultState != aState) return i;
    }
    return -1;
  }

  int GradeUps() {
    int aCount = 0;
    for (int aSound : Played()) aCount += aSound == SFX_GRADE_UP ? 1 : 0;
    return aCount;
  }
};

TEST_F(PopupResults, TheTimesAndTheRecordLine) {
  struct Case {
    const char* name;
    unsigned total, left;  // hundredths
    unsigned best;         // stored best, hundredths
    const wchar_t* taken;
    const wchar_t* shownBest;
    bool record;
    unsigned storedBest;
  };
  const Case kCases[] = {
      {"slower than the best", 90000, 30000, 50000, L"10:00", L"08:20", false, 50000},
      {"equal to the best is no record", 90000, 30000, 60000, L"10:00", L"10:00", false, 60000},
      {"a new record keeps its hundredths", 90000, 30050, 70000, L"09:59", L"11:40", true, 59950},
      {"75 minutes", 500000, 50000, 900000, L"75:00", L"150:00", true, 450000},
      {"100 minutes and more take three digits", 700000, 100000, 600000, L"100:00", L"100:00", false, 600000},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ResetProfiles();
    Chapter(3, c.total, c.left);
    mProfile->setBestLevelTime(2, c.best);
    Open(POPUP_CHAPTER_COMPLETE);
    wchar_t aChapter[40];
    GameText::formatText(aChapter, 40, stringChapterComplete, 3);
    EXPECT_STREQ(PopupBox::s_levelCompleteText1, aChapter);
    EXPECT_EQ(PopupBox::s_levelCompleteText2, Format(stringTimeTaken, c.taken));
    EXPECT_EQ(PopupBox::s_levelCompleteText3,
              Format(c.record ? stringNewRecordSpeed : stringRecordTime, c.shownBest));
    EXPECT_EQ(mPopup->m_newRecord, c.record);
    EXPECT_EQ(static_cast<unsigned>(mProfile->getBestLevelTime(2)), c.storedBest);
    EXPECT_EQ(PopupBox::s_levelCompleteText4, std::wstring(k_levelSummaryText[2]) + k_ifAtFulltimeSchoolText);

    // Drawn: the time line in black, the record line in green when it is one.
    DrawPopup();
    const Written* aTime = mPopup->find(PopupBox::s_levelCompleteText2);
    ASSERT_NE(aTime, nullptr);
    EXPECT_EQ(aTime->font, FONT_MEDIUM);
    EXPECT_EQ(aTime->color, Color(0, 0, 0));
    const Written* aBest = mPopup->find(PopupBox::s_levelCompleteText3);
    ASSERT_NE(aBest, nullptr);
    EXPECT_EQ(aBest->font, FONT_SMALL);
    EXPECT_EQ(aBest->color, c.record ? Color(22, 160, 52) : Color(0, 0, 0));
    EXPECT_EQ(aBest->x, 224);
    // Laid out before it slides in: everything stands 540 pixels higher.
    EXPECT_EQ(aBest->y, 172 - 540);
  }
}

TEST_F(PopupResults, UntimedPlayShowsNoTimesAndKeepsTheOldTexts) {
  Chapter(2, 90000, 30000, 0, 0);
  wcscpy(PopupBox::s_levelCompleteText2, L"old time");
  wcscpy(PopupBox::s_levelCompleteText3, L"old best");
  const unsigned aBest = static_cast<unsigned>(mProfile->getBestLevelTime(1));
  Open(POPUP_CHAPTER_COMPLETE);
  EXPECT_STREQ(PopupBox::s_levelCompleteText2, L"old time");
  EXPECT_STREQ(PopupBox::s_levelCompleteText3, L"old best");
  EXPECT_FALSE(mPopup->m_resultTimeBonus);
  EXPECT_EQ(static_cast<unsigned>(mProfile->getBestLevelTime(1)), aBest);
  DrawPopup();
  EXPECT_EQ(mPopup->find(L"old time"), nullptr);
  EXPECT_EQ(mPopup->find(L"old best"), nullptr);
  const Written* aGrade = mPopup->find(mApp->getGradeText());
  ASSERT_NE(aGrade, nullptr);
  EXPECT_EQ(aGrade->y, 246 - 540);
}

TEST_F(PopupResults, TheTimeBonusStartsAtTwoHundredAndFortySecondsLeft) {
  for (unsigned aLeft : {23999u, 24000u}) {
    SCOPED_TRACE(aLeft);
    ResetProfiles();
    Chapter(1, 90000, aLeft);
    Open(POPUP_CHAPTER_COMPLETE);
    EXPECT_EQ(mPopup->m_resultTimeBonus, aLeft >= 24000u);
  }
}

TEST_F(PopupResults, NothingToAwardGoesStraightToTheClick) {
  Chapter(1, 90000, 1000);
  Open(POPUP_CHAPTER_COMPLETE);
  EXPECT_EQ(mPopup->m_bookTranslate, -540.0f);
  EXPECT_EQ(mPopup->m_resultHintsLeft, 0);
  Played().clear();
  EXPECT_EQ(UpdatesUntilNextState(), 37);
  EXPECT_EQ(mPopup->m_resultState, 1u);
  EXPECT_EQ(mPopup->m_bookTranslate, 0.0f);
  EXPECT_EQ(UpdatesUntilNextState(), 110);
  EXPECT_EQ(mPopup->m_resultState, 5u);
  EXPECT_TRUE(Played().empty());
  EXPECT_EQ(mProfile->getLevelGrade(), 0.0f);
}

TEST_F(PopupResults, UnusedHintsAndTheTimeBonusEachRaiseTheGradeByAHalf) {
  Chapter(1, 90000, 30000, 3);
  Open(POPUP_CHAPTER_COMPLETE);
  ASSERT_EQ(mPopup->m_resultHintsLeft, 3);
  ASSERT_TRUE(mPopup->m_resultTimeBonus);
  Played().clear();
  EXPECT_EQ(UpdatesUntilNextState(), 37);
  // The first award on entering state 2, then one every 110 updates.
  EXPECT_EQ(UpdatesUntilNextState(), 110);
  EXPECT_EQ(mPopup->m_resultState, 2u);
  EXPECT_EQ(GradeUps(), 1);
  EXPECT_EQ(mProfile->getLevelGrade(), 0.5f);
  for (int i = 0; i < 110; ++i) mPopup->Update();
  EXPECT_EQ(GradeUps(), 2);
  for (int i = 0; i < 110; ++i) mPopup->Update();
  EXPECT_EQ(GradeUps(), 3);
  EXPECT_EQ(mProfile->getLevelGrade(), 1.5f);
  EXPECT_EQ(UpdatesUntilNextState(), 110);
  EXPECT_EQ(mPopup->m_resultState, 3u);
  EXPECT_EQ(GradeUps(), 4);
  EXPECT_EQ(mProfile->getLevelGrade(), 2.0f);
  EXPECT_EQ(UpdatesUntilNextState(), 110);
  EXPECT_EQ(mPopup->m_resultState, 5u);
  EXPECT_EQ(GradeUps(), 4);
}

TEST_F(PopupResults, TheAllObjectsBonusIsShownAndMarkedAsShown) {
  Chapter(1, 90000, 1000);
  mProfile->setLevelGradePlus();
  Open(POPUP_CHAPTER_COMPLETE);
  Played().clear();
  UpdatesUntilNextState();
  EXPECT_EQ(UpdatesUntilNextState(), 110);
  EXPECT_EQ(mPopup->m_resultState, 4u);
  EXPECT_TRUE(mProfile->getLevelGradePlusDisplayed());
  EXPECT_EQ(GradeUps(), 1);
  EXPECT_EQ(mProfile->getLevelGrade(), 0.0f) << "the plus is counted into the average, not here";
  DrawPopup();
  const Written* aBonus = mPopup->find(stringAllObjectsFoundTitle);
  ASSERT_NE(aBonus, nullptr);
  EXPECT_EQ(aBonus->x, 260);
  EXPECT_EQ(aBonus->y, 251);
  EXPECT_EQ(aBonus->color, Color(250, 22, 60));
  EXPECT_EQ(UpdatesUntilNextState(), 110);
  EXPECT_EQ(mPopup->m_resultState, 5u);
}

// The grade is written centred on x 224 and a bonus is noted right of it, from x 260 (the
// reveal icon centred on 280): whichever grade stands there, it ends before the note begins.
TEST_F(PopupResults, EveryGradeEndsBeforeTheBonusNotes) {
  Chapter(1, 90000, 30000, 2);
  mProfile->setLevelGradePlus();
  Open(POPUP_CHAPTER_COMPLETE);
  while (mPopup->m_resultState != 5 && UpdatesUntilNextState() > 0) {
  }
  ASSERT_NE(IMAGE_REVEAL_ICON, nullptr);
  const wchar_t* const kGrades[] = {stringGradeS,     stringGradeSPlus, stringGradeB,
                                    stringGradeBPlus, stringGradeA,     stringGradeAPlus};
  struct Note {
    uint8_t mState;
    const wchar_t* mText;  // null: the reveal icon
  };
  const Note kNotes[] = {{2, nullptr}, {3, stringTimeBonus}, {4, stringAllObjectsFoundTitle}};
  for (const Note& n : kNotes) {
    SCOPED_TRACE(static_cast<int>(n.mState));
    mPopup->m_resultState = n.mState;
    DrawPopup();
    const Written* aGrade = mPopup->find(mApp->getGradeText());
    ASSERT_NE(aGrade, nullptr);
    ASSERT_NE(aGrade->font, nullptr);
    int aNoteLeft = 280 - IMAGE_REVEAL_ICON->GetWidth() / 2;
    if (n.mText != nullptr) {
      const Written* aNote = mPopup->find(n.mText);
      ASSERT_NE(aNote, nullptr);
      EXPECT_LT(aNote->y, aGrade->y + aGrade->font->GetHeight()) << "on the grade's line";
      aNoteLeft = aNote->x;
    }
    for (const wchar_t* aText : kGrades) {
      ASSERT_NE(aText, nullptr);
      const int aWidth = aGrade->font->StringWidth(aText);
      const int aRight = aGrade->x - aWidth / 2 + aWidth;
      EXPECT_LE(aRight + 4, aNoteLeft) << std::string(aText, aText + std::wcslen(aText));
    }
  }
}

TEST_F(PopupResults, TheClickLinePulsesBetweenItsBounds) {
  Chapter(1, 90000, 1000);
  Open(POPUP_CHAPTER_COMPLETE);
  UpdatesUntilNextState();
  UpdatesUntilNextState();
  ASSERT_EQ(mPopup->m_resultState, 5u);
  float aLow = 1.0f, aHigh = 0.0f;
  int aTurns = 0;
  float aSpeed = mPopup->m_pulseSpeed;
  for (int i = 0; i < 450; ++i) {
    mPopup->Update();
    aLow = std::min(aLow, mPopup->m_pulse);
    aHigh = std::max(aHigh, mPopup->m_pulse);
    if (mPopup->m_pulseSpeed != aSpeed) {
      ++aTurns;
      aSpeed = mPopup->m_pulseSpeed;
      EXPECT_TRUE(mPopup->m_pulse == 0.0f || mPopup->m_pulse == 1.0f) << mPopup->m_pulse;
    }
  }
  EXPECT_EQ(aLow, 0.0f);
  EXPECT_EQ(aHigh, 1.0f);
  EXPECT_EQ(aTurns, 4);
  // Drawn red at (1 - pulse) of 200.
  mPopup->m_pulse = 0.25f;
  DrawPopup();
  const Written* aClick = mPopup->find(stringClickAnywhere);
  ASSERT_NE(aClick, nullptr);
  EXPECT_EQ(aClick->color, Color(150, 0, 0));
  EXPECT_EQ(aClick->x, 224);
  EXPECT_EQ(aClick->y, 455);
}

TEST_F(PopupResults, ThePagesOfTheBook) {
  Chapter(5, 90000, 1000);
  Open(POPUP_CHAPTER_COMPLETE);
  UpdatesUntilNextState();
  mProfile->setLevelGrade(1.0f);
  DrawPopup();
  const Written* aTitle = mPopup->find(PopupBox::s_levelCompleteText1);
  ASSERT_NE(aTitle, nullptr);
  EXPECT_EQ(aTitle->font, FONT_TITLE_OPTIONS);
  EXPECT_EQ(aTitle->color, Color(22, 52, 100));
  EXPECT_EQ(aTitle->y, 100);
  const Written* aGrade = mPopup->find(mApp->getGradeText());
  ASSERT_NE(aGrade, nullptr);
  EXPECT_EQ(aGrade->color, Color(22, 160, 52));
  const Written* aSpell = mPopup->find(k_levelSpells[4]);
  ASSERT_NE(aSpell, nullptr);
  EXPECT_TRUE(aSpell->wrapped);
  EXPECT_EQ(aSpell->x, 74);
  EXPECT_EQ(aSpell->y, 317);
  const Written* aSummary = mPopup->find(PopupBox::s_levelCompleteText4);
  ASSERT_NE(aSummary, nullptr);
  EXPECT_EQ(aSummary->x, 581 - 133);
  EXPECT_EQ(aSummary->width, 266);
  // Chapter 5 has three job lines, 19 pixels apart from its top.
  for (int j = 0; j < 6; ++j) {
    SCOPED_TRACE(j);
    const Written* aLine = j < 3 ? mPopup->find(stringJobTexts5[j]) : nullptr;
    if (j >= 3) continue;
    ASSERT_NE(aLine, nullptr);
    EXPECT_EQ(aLine->x, 434);
    EXPECT_EQ(aLine->y, 367 + 19 * j);
  }
  int aJobLines = 0;
  for (const Written& w : mPopup->mWritten) aJobLines += w.x == 434 ? 1 : 0;
  EXPECT_EQ(aJobLines, 3);

  // The grade's colour: red below 1, green below 2, blue from 2.
  const std::pair<float, Color> kGrades[] = {
      {0.5f, Color(220, 22, 60)}, {1.99f, Color(22, 160, 52)}, {2.0f, Color(22, 52, 100)}};
  for (const auto& aGradeCase : kGrades) {
    mProfile->setLevelGrade(aGradeCase.first);
    DrawPopup();
    const Written* w = mPopup->find(mApp->getGradeText());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->color, aGradeCase.second) << aGradeCase.first;
  }
}

TEST_F(PopupResults, AChapterOutsideTheTablesShowsNoChapterTexts) {
  Chapter(1, 90000, 1000);
  while (mProfile->getLevelOn() < 13) mProfile->advanceLevelOn();
  Open(POPUP_CHAPTER_COMPLETE);
  EXPECT_STREQ(PopupBox::s_levelCompleteText4, L"");
  DrawPopup();
  for (const Written& w : mPopup->mWritten) EXPECT_NE(w.x, 434) << "no job line";
}

}  // namespace
