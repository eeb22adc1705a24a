// The global fade in single precision, the ring of recent mis-clicks and its penalties, and the
// grade texts, on the game's application with its texts read from a string table.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/shell/GameStrings.h"
#include "game/shell/HeadlessGame.h"

namespace {

using Tesk::GameApp;

// Updates until the fade stops (direction 4), at most theLimit.
int UpdatesUntilIdle(int theLimit = 1000) {
  int aCount = 0;
  while (GameApp::isInFade() && aCount < theLimit) {
    GameApp::updateFade();
    ++aCount;
  }
  return aCount;
}

struct FadeCase {
  float mFrom;
  uint8_t mDirection;
  int mUpdates;
  float mTo;
  int mColor;
  bool mFaded50;
};

TEST(GameAppFade, EachDirectionArrivesExactlyOnItsTargetAfterItsCount) {
  const FadeCase kCases[] = {
      {0.0f, 0, 51, 1.0f, 255, false},   // full fade in
      {1.0f, 1, 51, 0.0f, 0, false},     // full fade out
      {1.0f, 2, 38, 0.25f, 63, true},    // dim from full
      {0.0f, 3, 13, 0.25f, 63, true},    // rise to the dim level from black
      {1.0f, 3, 1, 0.25f, 63, true},     // above the dim level: there at once
      {0.1f, 2, 1, 0.25f, 63, true},     // below it: likewise
      {0.25f, 0, 38, 1.0f, 255, false},  // back up from the dim level
  };
  for (const FadeCase& c : kCases) {
    GameApp::sm_colorFade = c.mFrom;
    GameApp::setFade(c.mDirection);
    EXPECT_TRUE(GameApp::isInFade());
    EXPECT_EQ(UpdatesUntilIdle(), c.mUpdates) << "from " << c.mFrom << " direction " << int(c.mDirection);
    EXPECT_EQ(GameApp::getFadeColorFloat(), c.mTo);
    EXPECT_EQ(GameApp::getFadeColor(), c.mColor);
    EXPECT_EQ(GameApp::sm_currentFadeDirection, 4);
    EXPECT_EQ(GameApp::isFaded50(), c.mFaded50);
  }
  GameApp::sm_colorFade = 0.0f;
  GameApp::sm_fadeColoru8Value = 0;
}

TEST(GameAppFade, TheColourFollowsTheLevelTruncatedAndAnIdleFadeStaysPut) {
  GameApp::sm_colorFade = 0.0f;
  GameApp::setFade(0);
  GameApp::updateFade();
  // 255 x 0.02f = 5.1 -> 5.
  EXPECT_EQ(GameApp::getFadeColor(), 5);
  EXPECT_FALSE(GameApp::isFaded50());
  GameApp::setFade(4);
  const float aLevel = GameApp::getFadeColorFloat();
  for (int i = 0; i < 10; ++i) GameApp::updateFade();
  EXPECT_EQ(GameApp::getFadeColorFloat(), aLevel);
  EXPECT_FALSE(GameApp::isInFade());
  // A dim level reached on the way by a full fade is not the dim level.
  GameApp::sm_colorFade = 1.0f;
  GameApp::setFade(1);
  for (int i = 0; i < 37; ++i) GameApp::updateFade();
  EXPECT_FALSE(GameApp::isFaded50());
  GameApp::sm_colorFade = 0.0f;
  GameApp::sm_fadeColoru8Value = 0;
}

class GameAppPenalty : public GameTest::HeadlessGame {
 protected:
  void SetUp() override {
    HeadlessGame::SetUp();
    FreshProfile();
    // Init copies these from the table.
    GameApp::s_reduceTime15 = stringLost15Seconds;
    GameApp::s_reduceTime30 = stringLost30Seconds;
    GameApp::s_reduceTime45 = stringLost45Seconds;
    GameApp::s_reduceTime60 = stringLost60Seconds;
  }

  // A new profile store whose first profile starts a game.
  Tesk::ProfileData& FreshProfile() {
    delete mGame->m_profileData;
    mGame->m_profileData = new Tesk::ProfileData();
    mGame->m_profileData->setProfileName(L"Ann");
    mGame->m_profileData->startNewGame(0);
    return *mGame->m_profileData;
  }

  // A mis-click at theNow; the penalty it cost (0: none) and the text it returned.
  int Miss(uint32_t theNow, std::wstring* theText = nullptr) {
    int aPenalty = 0;
    const std::wstring& aText = mGame->missPress(theNow, aPenalty);
    if (theText != nullptr) *theText = aText;
    return aPenalty;
  }

  // Five mis-clicks 100 ms apart from theStart; the penalty of the fifth.
  int FiveMisses(uint32_t theStart, std::wstring* theText) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Miss(theStart + 100u * i), 0);
    return Miss(theStart + 400u, theText);
  }
};

TEST_F(GameAppPenalty, FourMissesCostNothingAndTheFifthEscalatesOverTheGame) {
  const std::wstring kTexts[] = {L"-15 s", L"-30 s", L"-45 s", L"-60 s", L"-60 s"};
  const int kPenalties[] = {1500, 3000, 4500, 6000, 6000};
  uint32_t aNow = 100000;
  for (int i = 0; i < 5; ++i) {
    std::wstring aText;
    EXPECT_EQ(FiveMisses(aNow, &aText), kPenalties[i]) << "penalty " << i + 1;
    EXPECT_EQ(aText, kTexts[i]);
    EXPECT_EQ(mGame->m_profileData->getNumMisPresses(), i + 1);
    // After a penalty the ring is empty.
    EXPECT_EQ(GameApp::m_penaltyBufferIdx, 0);
    for (uint32_t aTime : GameApp::m_penaltyBuffer) EXPECT_EQ(aTime, 0u);
    aNow += 1000;
  }
  // A new game starts the count again.
  mGame->m_profileData->startNewGame(0);
  EXPECT_EQ(FiveMisses(aNow + 5000, nullptr), 1500);
}

TEST_F(GameAppPenalty, TheGapIsMeasuredFromTheOldestOfTheLastFourWithUnsignedWrap) {
  struct GapCase {
    uint32_t mFirst;
    uint32_t mFifth;
    int mPenalty;
  };
  const GapCase kCases[] = {
      {100000, 102999, 1500},  // 2999 ms after the oldest: punished
      {100000, 103000, 0},     // 3000 ms: a long gap
      {0xFFFFFF00u, 0xFFFFFF00u + 2999, 1500},
      {0xFFFFFF00u, 0x00000100u, 1500},  // across the wrap of the clock: 512 ms
      {0x00010000u, 0x00001000u, 0},     // now below the stored time: a huge unsigned gap
  };
  for (const GapCase& c : kCases) {
    mGame->m_profileData->startNewGame(0);
    GameApp::resetPenaltyBuffer(false);
    EXPECT_EQ(Miss(c.mFirst), 0);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(Miss(c.mFirst + static_cast<uint32_t>(i)), 0);
    EXPECT_EQ(Miss(c.mFifth), c.mPenalty) << std::hex << c.mFirst << " " << c.mFifth;
  }
}

TEST_F(GameAppPenalty, ARingWithALongGapMovesOnAndAResetForgetsIt) {
  // Slots fill 0..3, then the index wraps to 0 and the oldest is replaced.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Miss(100000u + 4000u * i), 0);
  EXPECT_EQ(GameApp::m_penaltyBufferIdx, 0);
  EXPECT_EQ(GameApp::m_penaltyBuffer[3], 112000u);
  EXPECT_EQ(Miss(120000u), 0);
  EXPECT_EQ(GameApp::m_penaltyBuffer[0], 120000u);
  EXPECT_EQ(GameApp::m_penaltyBufferIdx, 1);
  // Four quick ones after a find: the reset leaves a ring that looks old.
  GameApp::resetPenaltyBuffer(true);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Miss(130000u + i), 0);
  EXPECT_EQ(Miss(130010u), 1500);
}

struct GradeCase {
  float mGrade;
  bool mPlus;
  bool mPlusShown;
  const wchar_t* mText;
};

TEST_F(GameAppPenalty, GradeTextsByValueAndByTheProfilesGrade) {
  const std::pair<float, const wchar_t*> kValues[] = {
      {-1.0f, L"S"},  {0.49f, L"S"}, {0.5f, L"S+"}, {0.99f, L"S+"}, {1.0f, L"B"}, {1.5f, L"B+"},
      {1.99f, L"B+"}, {2.0f, L"A"},  {2.49f, L"A"}, {2.5f, L"A+"},  {9.0f, L"A+"}};
  for (const auto& v : kValues) EXPECT_STREQ(GameApp::getGradeText(v.first), v.second) << v.first;

  const GradeCase kCases[] = {
      {1.9f, true, true, L"B+"},   {1.9f, true, false, L"B"},  {1.9f, false, true, L"B"},
      {-0.3f, false, false, L"S"}, {2.4f, false, false, L"A"}, {2.4f, true, true, L"A+"},
      {7.0f, false, false, L"A"},  {0.7f, true, true, L"S+"},
  };
  for (const GradeCase& c : kCases) {
    Tesk::ProfileData& p = FreshProfile();
    p.setLevelGrade(c.mGrade);
    if (c.mPlus) p.setLevelGradePlus();
    if (c.mPlusShown) p.setLevelGradePlusDisplayed();
    EXPECT_STREQ(mGame->getGradeText(), c.mText) << c.mGrade << " " << c.mPlus << c.mPlusShown;
  }
}

TEST_F(GameAppPenalty, GradeMessagesShareOneBufferOfThirtyCharacters) {
  Tesk::ProfileData& p = *mGame->m_profileData;
  p.setLevelGrade(1.2f);
  const wchar_t* aNew = mGame->getNewGradeText();
  EXPECT_STREQ(aNew, L"New grade B!");
  const wchar_t* aReduced = mGame->getReductionGradeText();
  EXPECT_EQ(aReduced, aNew);
  EXPECT_STREQ(aNew, L"Grade now B");

  // A long format is cut to 29 characters and stays terminated.
  wchar_t* anOld = stringNewGradeExc;
  wchar_t aLong[] = L"A very long message for the grade %ls that does not fit";
  stringNewGradeExc = aLong;
  EXPECT_EQ(std::wstring(mGame->getNewGradeText()), std::wstring(aLong).substr(0, 29));
  stringNewGradeExc = anOld;
}

}  // namespace
