// The mini-game screen and the chant game on the generated asset set, through the real widget
// manager: the opening fade and help box, pause, help boxes, the clock running out, the win and
// its summary, and the chant game played by a scripted hand (the chant spelt, an anagram of it,
// a wrong cast, choosing and taking back parts, overlapping tiles, fades and swaps).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "MiniGameRig.h"
#include "game/play/Math.h"
#include "game/shell/GameStrings.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"

namespace {

using MiniTest::MiniGameRig;
using Tesk::MiniGame;
using Tesk::WordStruct;

class MiniGameTest : public MiniGameRig {};

TEST_F(MiniGameTest, TheOpeningFadesInAndShowsTheChapterHelpOnlyWithHelpOn) {
  struct Case {
    int level;
    bool help;
    uint8_t kind;
    int popup;  // -1: none, the game starts
  };
  const Case aCases[] = {
      {2, true, 1, Tesk::POPUP_FIRST_HELP_CHANT}, {4, true, 1, Tesk::POPUP_HELP_CHANT},
      {1, true, 2, Tesk::POPUP_FIRST_HELP_POTION}, {3, true, 2, Tesk::POPUP_HELP_POTION},
      {2, false, 1, -1},                           {5, false, 2, -1}};
  for (const Case& c : aCases) {
    SCOPED_TRACE("level " + std::to_string(c.level) + (c.help ? " help on" : " help off"));
    Leave();
    mGame = NewScreen();
    AtLevel(c.level);
    App().mProfile.setHelpBox(c.help);
    mGame->setGameType(c.kind);
    Manager()->AddWidget(mGame.get());
    Tesk::GameApp::sm_colorFade = 0.0f;  // the switch leaves the screen black
    mGame->setGameState(0);
    EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 3);
    for (int i = 0; i < 500 && mGame->m_state == 0; ++i) mGame->Update();
    if (c.popup >= 0) {
      ASSERT_EQ(mGame->m_state, 6);
      EXPECT_TRUE(mPopup->mVisible);
      EXPECT_FALSE(mPopup->mDisabled);
      EXPECT_EQ(mPopup->m_type, c.popup);
      EXPECT_EQ(mPopup->m_parent, mGame.get());
      EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 2);
      EXPECT_FALSE(mGame->m_menuButton->mVisible);
      // The box's OK closes it and starts play.
      PopupButton(1);
      for (int i = 0; i < 300 && Tesk::GameApp::isInFade(); ++i) mGame->Update();
      EXPECT_EQ(mGame->m_state, 3);
      EXPECT_FALSE(mPopup->mVisible);
      EXPECT_TRUE(mGame->m_menuButton->mVisible);
    } else {
      EXPECT_EQ(mGame->m_state, 8);
      EXPECT_FALSE(mPopup->mVisible);
      for (int i = 0; i < 300 && mGame->m_state == 8; ++i) mGame->Update();
      EXPECT_EQ(mGame->m_state, 3);
      EXPECT_FLOAT_EQ(Tesk::GameApp::getFadeColorFloat(), 1.0f);
    }
  }
}

TEST_F(MiniGameTest, EscapeTheMenuAreaAndTheMenuButtonPauseAndThePauseBoxGoesBackToPlay) {
  AtLevel(2);
  Show(1);
  const auto Pause = [&](const char* theHow, auto theAction) {
    SCOPED_TRACE(theHow);
    App().mSamples.clear();
    theAction();
    EXPECT_EQ(mGame->m_state, 6);
    EXPECT_EQ(mPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
    EXPECT_TRUE(mPopup->mVisible);
    EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 2);
    EXPECT_FALSE(mGame->m_menuButton->mVisible);
    EXPECT_EQ(Played(Tesk::SFX_SELECT_PRESS), 1);
    // The game stands still while paused: the clock too.
    const int aTimer = App().mProfile.getLevelTimer();
    Run(50);
    EXPECT_EQ(App().mProfile.getLevelTimer(), aTimer);
    mGame->setGameState(8);  // the pause box's Back
    EXPECT_FALSE(mPopup->mVisible);
    Run(300);
    EXPECT_EQ(mGame->m_state, 3);
    EXPECT_TRUE(mGame->m_menuButton->mVisible);
  };
  Pause("Escape", [&] { Manager()->KeyDown(static_cast<Tesk::KeyCode>(27)); });
  Pause("the side bar's menu area", [&] { Click(60, 450); });
  Pause("the menu button", [&] { Press(mGame->m_menuButton); });

  // Escape pauses even during the opening fade, before the game has started.
  mGame->setGameState(0);
  Manager()->KeyDown(static_cast<Tesk::KeyCode>(27));
  EXPECT_EQ(mGame->m_state, 6);
}

TEST_F(MiniGameTest, AMinimisedWindowPausesInEveryStateTheWonOnesToo) {
  AtLevel(2);
  Show(1);
  for (uint8_t aState : {3, 4, 5, 8}) {
    SCOPED_TRACE(static_cast<int>(aState));
    mGame->m_state = aState;
    App().mMinimized = true;
    mGame->Update();
    App().mMinimized = false;
    EXPECT_EQ(mGame->m_state, 6);
    EXPECT_EQ(mPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
  }
}

TEST_F(MiniGameTest, TheClockRunningOutFailsTheLevelAndForgetsTheSave) {
  AtLevel(2);
  App().mProfile.setHelpBox(true);
  for (int aHint : {8, 14}) App().mProfile.setHintBlock(aHint);
  Show(1);
  EXPECT_TRUE(App().mProfile.getSaveInMinigame());  // the new game was saved
  App().mProfile.adjustLevelTimer(-App().mProfile.getLevelTimer() + 1);
  Run(5);
  EXPECT_EQ(mGame->m_state, 10);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_LEVEL_FAILED);
  EXPECT_FLOAT_EQ(Tesk::GameApp::getFadeColorFloat(), Tesk::GameApp::k_FLOAT_50PERCENT_FADE);
  EXPECT_EQ(Played(Tesk::SFX_LEVEL_FAILED_SOUND), 1);
  EXPECT_FALSE(App().mProfile.getSaveInMinigame());
  EXPECT_FALSE(mGame->isInWinState());
}

TEST_F(MiniGameTest, UnderThirtySecondsTheClockTicksEachSecondAndTheHelpComesOnce) {
  AtLevel(2);
  App().mProfile.setHelpBox(true);
  App().mProfile.setHintBlock(14);
  Show(1);
  App().mProfile.adjustLevelTimer(-App().mProfile.getLevelTimer() + 2950);
  Tesk::GameApp::s_lastFullSecond = 31;
  Run(1);
  EXPECT_EQ(Played(Tesk::SFX_TIMER_LOW_CLICK), 1);
  EXPECT_EQ(mGame->m_state, 6);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_HINT_SHORT_TIME);
  EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 2);
  EXPECT_TRUE(App().mProfile.getHintBlock(8));
  PopupButton(1);
  Run(300);  // three seconds of play, three more ticks, no second box
  EXPECT_EQ(mGame->m_state, 3);
  EXPECT_EQ(Played(Tesk::SFX_TIMER_LOW_CLICK), 4);
}

TEST_F(MiniGameTest, TheChantIdleHintComesAfterThreeMinutesOnce) {
  AtLevel(4);
  App().mProfile.setHelpBox(true);
  Show(1);
  Run(18000);
  EXPECT_EQ(mGame->m_state, 3);
  Run(1);
  EXPECT_EQ(mGame->m_state, 6);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_HINT_CHANT_HINT);
  EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 4);  // over the undimmed board
  EXPECT_TRUE(App().mProfile.getHintBlock(14));
  // Once: not again in this game, nor in the player's next one.
  PopupButton(1);
  Run(300);
  ASSERT_EQ(mGame->m_state, 3);
  Run(18001);
  EXPECT_EQ(mGame->m_state, 3);
  EXPECT_FALSE(mPopup->mVisible);
  Leave();
  mGame = NewScreen();
  Show(1);
  Run(18001);
  EXPECT_EQ(mGame->m_state, 3);
  EXPECT_FALSE(mPopup->mVisible);
}

TEST_F(MiniGameTest, ANewChantGameLaysEveryPartOutOnItsOwnCellAndPicksAChant) {
  for (auto [aLevel, aDifficulty, aParts] : {std::tuple{2, 1, 4}, {6, 1, 6}, {12, 1, 9}, {12, 2, 11}}) {
    SCOPED_TRACE("level " + std::to_string(aLevel));
    Leave();
    mGame = NewScreen();
    AtLevel(aLevel, aDifficulty);
    Show(1, static_cast<unsigned>(aLevel));
    EXPECT_EQ(mGame->getNumberOfWordPartsToFind(), aParts);
    std::set<uint32_t> aPartsOnField;
    std::set<std::pair<int, int>> aCells;
    for (int i = 0; i < 90; ++i) {
      const WordStruct& t = mGame->getTile(i);
      ASSERT_NE(t.image, nullptr);
      EXPECT_EQ(t.image, mGame->m_images[t.partIndex]);
      aPartsOnField.insert(t.partIndex);
      EXPECT_EQ((t.x - 175) % 71, 0);
      EXPECT_EQ((t.y - 23) % 47, 0);
      aCells.insert({t.x, t.y});
      const int x = t.x + t.xOffset, y = t.y + t.yOffset;
      EXPECT_GE(x, 140);
      EXPECT_LE(x + t.image->GetWidth(), 800);
      EXPECT_GE(y, 0);
      EXPECT_LE(y + t.image->GetHeight(), 470);
    }
    EXPECT_EQ(aPartsOnField.size(), 90u);
    EXPECT_EQ(aCells.size(), 90u);  // every cell of the 9 x 10 grid
    // The chant is its parts' texts with at most two parts between spaces.
    const std::vector<int> aChant = ChantParts();
    ASSERT_EQ(static_cast<int>(aChant.size()), aParts) << Tesk::TeskStringToString(mGame->getWordToFind());
    std::wstring aLetters;
    for (int p : aChant) MiniGame::addAndAlphabetize(aLetters, MiniGame::s_wordGameStringList[p]);
    EXPECT_EQ(aLetters, mGame->getTargetLetters());
    EXPECT_EQ(mGame->getWordToFind().find(L"  "), std::wstring::npos);
  }
}

TEST_F(MiniGameTest, SpellingTheChantWinsAndTheSummaryFollows) {
  AtLevel(2);
  Show(1, 7);
  for (int p : ChantParts()) ClickTile(TileOfPart(p));
  EXPECT_EQ(mGame->getSelectedCount(), 4);
  EXPECT_EQ(Played(Tesk::SFX_CHANT_CLICK), 4);
  ASSERT_TRUE(mGame->m_castButton->mVisible);
  Press(mGame->m_castButton);
  EXPECT_EQ(mGame->m_state, 4);
  EXPECT_TRUE(mGame->isInWinState());
  EXPECT_EQ(Played(Tesk::SFX_MINIGAME_PASSED), 1);
  EXPECT_FALSE(mGame->m_menuButton->mVisible);
  mGame->Update();
  EXPECT_EQ(mGame->m_state, 5);
  EXPECT_TRUE(mGame->getIsLevelPassed());
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_CHAPTER_COMPLETE);
  EXPECT_EQ(mPopup->m_parent, mGame.get());
}

TEST_F(MiniGameTest, AnyPartsWithTheChantsLettersWinEvenOtherParts) {
  AtLevel(2);
  Show(1, 3);
  // "ast" and "cray" spell the chant; "cast" and "ray" have the same letters.
  mGame->m_numPartsToFind = 2;
  mGame->m_targetText = L"ast cray";
  mGame->m_targetLetters.clear();
  for (const wchar_t* aPart : {L"ast", L"cray"}) MiniGame::addAndAlphabetize(mGame->m_targetLetters, aPart);
  EXPECT_EQ(mGame->getTargetLetters(), L"aacrsty");
  ClickTile(TileOfPart(11));  // cast
  ClickTile(TileOfPart(60));  // ray
  Press(mGame->m_castButton);
  EXPECT_EQ(mGame->m_state, 4);
}

TEST_F(MiniGameTest, AWrongCastPutsThePartsBackAndExplainsOnce) {
  AtLevel(2);
  App().mProfile.setHelpBox(true);
  Show(1, 5);
  const std::vector<int> aChant = ChantParts();
  std::vector<int> aWrong;
  for (int p = 0; static_cast<int>(aWrong.size()) < 4; ++p)
    if (std::find(aChant.begin(), aChant.end(), p) == aChant.end()) aWrong.push_back(p);
  for (int aRound = 0; aRound < 2; ++aRound) {
    for (int p : aWrong) ClickTile(TileOfPart(p));
    const int aTimer = App().mProfile.getLevelTimer();
    Press(mGame->m_castButton);
    EXPECT_EQ(mGame->getSelectedCount(), 0);
    EXPECT_EQ(App().mProfile.getLevelTimer(), aTimer);  // costs nothing
    for (int p : aWrong) EXPECT_TRUE(mGame->getTile(TileOfPart(p)).visible);
    EXPECT_FALSE(mGame->m_castButton->mVisible);
    EXPECT_FALSE(mGame->m_clearButton->mVisible);
    EXPECT_EQ(Played(Tesk::SFX_REPEL_COMPLETED), aRound + 1);
    if (aRound == 0) {
      EXPECT_EQ(mGame->m_state, 6);
      EXPECT_EQ(mPopup->m_type, Tesk::POPUP_HINT_CHANT_FAILED);
      EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 2);
      PopupButton(1);
      Run(300);
    } else {
      EXPECT_EQ(mGame->m_state, 3);  // the help is shown once
    }
  }
}

TEST_F(MiniGameTest, ChoosingAndTakingBackPartsKeepsTheOrderAndTheButtons) {
  AtLevel(4);  // five parts
  Show(1, 9);
  const int aTiles[3] = {TileOfPart(20), TileOfPart(40), TileOfPart(60)};
  for (int t : aTiles) ClickTile(t);
  ASSERT_EQ(mGame->getSelectedCount(), 3);
  EXPECT_TRUE(mGame->m_clearButton->mVisible);
  EXPECT_FALSE(mGame->m_castButton->mVisible);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(mGame->m_partButtons[i]->mVisible, i < 3) << i;
  EXPECT_EQ(mGame->m_partButtons[1]->mLabel, L"kae");
  EXPECT_EQ(mGame->m_partButtons[0]->mX, 300);
  EXPECT_EQ(mGame->m_partButtons[0]->mY, 500);
  EXPECT_GT(mGame->m_partButtons[1]->mX, mGame->m_partButtons[0]->mX + mGame->m_partButtons[0]->mWidth);

  // The middle one taken back: the other two keep their order.
  Press(mGame->m_partButtons[1]);
  ASSERT_EQ(mGame->getSelectedCount(), 2);
  EXPECT_EQ(mGame->m_selected[0], &mGame->getTile(aTiles[0]));
  EXPECT_EQ(mGame->m_selected[1], &mGame->getTile(aTiles[2]));
  EXPECT_TRUE(mGame->getTile(aTiles[1]).visible);
  EXPECT_EQ(mGame->m_partButtons[1]->mLabel, L"ray");
  EXPECT_FALSE(mGame->m_partButtons[2]->mVisible);
  EXPECT_EQ(Played(Tesk::SFX_CHANT_BACK), 1);

  // Full: Cast shows; one more press on the field explains, every time.
  ClickTile(aTiles[1]);
  ClickTile(TileOfPart(80));
  ClickTile(TileOfPart(5));
  EXPECT_TRUE(mGame->m_castButton->mVisible);
  for (int i = 0; i < 2; ++i) {
    Click(400, 200);
    EXPECT_EQ(mGame->m_state, 6);
    EXPECT_EQ(mPopup->m_type, Tesk::POPUP_HINT_CHANT_CANNOT_ADD_MORE);
    EXPECT_EQ(mGame->getSelectedCount(), 5);
    PopupButton(1);
    Run(300);
  }

  // Clear gives every part back.
  Press(mGame->m_clearButton);
  EXPECT_EQ(mGame->getSelectedCount(), 0);
  for (int i = 0; i < 90; ++i) EXPECT_TRUE(mGame->getTile(i).visible);
  EXPECT_FALSE(mGame->m_clearButton->mVisible);
  EXPECT_FALSE(mGame->m_castButton->mVisible);
  for (auto* b : mGame->m_partButtons) EXPECT_FALSE(b->mVisible);

  // Presses outside the field choose nothing.
  for (auto [x, y] : {std::pair{139, 200}, {800, 200}, {400, -1}}) mGame->testForWordPress(x, y);
  EXPECT_EQ(mGame->getSelectedCount(), 0);
}

TEST_F(MiniGameTest, OverlappingTilesAreChosenByTheirOwnPixelsALoneBoxByItsBox) {
  AtLevel(2);
  Show(1);
  WordStruct& a = mGame->m_tiles[0];
  WordStruct& b = mGame->m_tiles[1];
  const int w = a.image->GetWidth(), h = a.image->GetHeight();
  // a's top-left corner is transparent (the tile's rounded corner).
  ASSERT_EQ(MATH::BBImageTest(0, 0, a.image), 0);
  a.x = 400, a.y = 200, a.xOffset = 0, a.yOffset = 0;
  b.x = static_cast<int16_t>(400 - b.image->GetWidth() + 1), b.y = static_cast<int16_t>(200 - b.image->GetHeight() + 1);
  b.xOffset = b.yOffset = 0;
  for (int i = 2; i < 90; ++i) mGame->m_tiles[i].visible = 0;
  // Both boxes hold (400, 200); a's pixel there is clear, b's corner is clear too: nothing.
  EXPECT_EQ(mGame->findWordAt(400, 200), nullptr);
  // Alone, a's corner is a box hit and chooses a.
  b.visible = 0;
  EXPECT_EQ(mGame->findWordAt(400, 200), &a);
  b.visible = 1;
  // The middle of a lies in a only.
  EXPECT_EQ(mGame->findWordAt(400 + w / 2, 200 + h / 2), &a);
}

TEST_F(MiniGameTest, FadeSlotsWakeOneMoreThanPartsChosenAndNeverTakeATileInUse) {
  AtLevel(2);
  Show(1, 11);
  for (int i = 0; i < 3000; ++i) {
    mGame->updateWordFade();
    for (int s = 1; s < 6; ++s) ASSERT_EQ(mGame->m_wordFades[s].mode, 0u) << "slot " << s << " at " << i;
  }
  ClickTile(TileOfPart(30));
  ClickTile(TileOfPart(31));
  bool isActive[6] = {};
  for (int i = 0; i < 5000; ++i) {
    mGame->updateChantGame();
    for (int s = 0; s < 6; ++s) {
      isActive[s] = isActive[s] || mGame->m_wordFades[s].mode != 0;
    }
  }
  EXPECT_TRUE(isActive[0] && isActive[1] && isActive[2]);
  EXPECT_FALSE(isActive[3] || isActive[4] || isActive[5]);
  // Fresh picks: never a chosen, swapping or already fading tile.
  for (int n = 0; n < 200; ++n) {
    for (int s = 0; s < 6; ++s) {
      mGame->setNewWordFade(s);
      const WordStruct* t = mGame->m_wordFades[s].tile;
      ASSERT_NE(t, nullptr);
      EXPECT_TRUE(t->visible);
      EXPECT_NE(t, mGame->m_swap.tile[0]);
      EXPECT_NE(t, mGame->m_swap.tile[1]);
      for (int o = 0; o < 6; ++o) {
        if (o == s) continue;
        EXPECT_NE(mGame->m_wordFades[o].tile, t);
      }
    }
  }
}

TEST_F(MiniGameTest, TwoTilesSwapPlacesFlyingThereWithTheirParticles) {
  AtLevel(2);
  Show(1, 13);
  const uint32_t aWait = mGame->m_swap.swapWord >> 1;
  EXPECT_EQ(aWait, static_cast<uint32_t>(mGame->getSwapTime()));
  EXPECT_EQ(aWait, 1500u);  // 12 parts free: 500 + 1000 in the first chant game
  for (uint32_t i = 0; i < aWait - 1; ++i) mGame->updateSwap();
  EXPECT_EQ(mGame->m_swap.swapWord & 1, 0u);
  mGame->updateSwap();
  ASSERT_EQ(mGame->m_swap.swapWord & 1, 1u);
  EXPECT_EQ(Played(Tesk::SFX_CHANT_WORD_SWAP), 1);
  WordStruct* a = mGame->m_swap.tile[0];
  WordStruct* b = mGame->m_swap.tile[1];
  ASSERT_NE(a, b);
  EXPECT_EQ(mGame->getFadeSlotOf(a), -1);
  EXPECT_EQ(mGame->getFadeSlotOf(b), -1);
  ASSERT_NE(mGame->m_swap.particles[0], nullptr);
  EXPECT_EQ(mGame->m_swap.particles[0]->m_type, 15);
  const int aTargetX = a->x + a->xOffset, aTargetY = a->y + a->yOffset;
  for (int i = 0; i < 249; ++i) mGame->updateSwap();
  // Nearly there, the particles with it.
  int x, y;
  mGame->getTilePosition(a, &x, &y);
  EXPECT_NEAR(x, aTargetX, 6);
  EXPECT_NEAR(y, aTargetY, 6);
  EXPECT_EQ(mGame->m_swap.particles[0]->m_x, x);
  mGame->updateSwap();
  EXPECT_EQ(mGame->m_swap.swapWord & 1, 0u);
  EXPECT_EQ(mGame->m_swap.particles[0], nullptr);
  mGame->getTilePosition(a, &x, &y);
  EXPECT_EQ(x, aTargetX);
  EXPECT_EQ(mGame->m_swap.swapWord >> 1, 1500u);
}

TEST_F(MiniGameTest, LettersAreSortedByCodePoint) {
  std::wstring aLetters;
  MiniGame::addAndAlphabetize(aLetters, L"ray");
  MiniGame::addAndAlphabetize(aLetters, L"bell");
  EXPECT_EQ(aLetters, L"abellry");
  MiniGame::addAndAlphabetize(aLetters, nullptr);
  EXPECT_EQ(aLetters, L"abellry");
  // The sorting buffer holds 200 characters; more are not taken.
  for (int i = 0; i < 60; ++i) MiniGame::addAndAlphabetize(aLetters, L"zzzz");
  EXPECT_EQ(aLetters.size(), 199u);
}

TEST_F(MiniGameTest, ASecondInitMakesNoSecondSetOfButtons) {
  Tesk::OrvoButtonWidget* aMenu = mGame->m_menuButton;
  Tesk::OrvoButtonWidget* aCast = mGame->m_castButton;
  mGame->Init();
  EXPECT_EQ(mGame->m_menuButton, aMenu);
  EXPECT_EQ(mGame->m_castButton, aCast);
  EXPECT_EQ(aCast->mX + aCast->mWidth, 735);
  EXPECT_EQ(mGame->m_clearButton->mX, 205);
  EXPECT_EQ(mGame->m_clearButton->mLabel, TeskString(stringClear));
}

TEST_F(MiniGameTest, LeavingTakesEveryButtonAwayAndAWonGameIsNotSaved) {
  AtLevel(2);
  Show(1, 7);
  EXPECT_TRUE(Manager()->HasWidget(mGame->m_castButton));
  EXPECT_TRUE(Manager()->HasWidget(mPopup.get()));
  EXPECT_FALSE(App().dontSaveSpecialCondition());  // a game under way is saved when the program ends
  // Won by spelling the chant: leaving writes no save, and the program's end writes none either.
  for (int p : ChantParts()) ClickTile(TileOfPart(p));
  Press(mGame->m_castButton);
  ASSERT_TRUE(mGame->isInWinState());
  std::remove(SavePath().c_str());
  Leave();
  for (Tesk::Widget* w : {static_cast<Tesk::Widget*>(mGame->m_menuButton), static_cast<Tesk::Widget*>(mGame->m_castButton),
                          static_cast<Tesk::Widget*>(mGame->m_clearButton), static_cast<Tesk::Widget*>(mPopup.get())})
    EXPECT_FALSE(Manager()->HasWidget(w));
  EXPECT_EQ(mGame->m_background, nullptr);
  EXPECT_EQ(mGame->m_images[0], nullptr);
  EXPECT_TRUE(TeskTest::ReadFile(SavePath()).empty());
  EXPECT_TRUE(App().dontSaveSpecialCondition());
  // A potion game adds no chant buttons.
  AtLevel(3);
  Show(2);
  EXPECT_TRUE(Manager()->HasWidget(mGame->m_menuButton));
  EXPECT_FALSE(Manager()->HasWidget(mGame->m_castButton));
}

TEST_F(MiniGameTest, TheScreenDrawsTheChantGameItsBarAndItsTexts) {
  AtLevel(2);
  Show(1, 3);
  ClickTile(TileOfPart(ChantParts()[0]));
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  {
    Tesk::Graphics g(&aScreen);
    mGame->Draw(&g);
  }
  const uint32_t* p = aScreen.GetBits();
  auto At = [p](int x, int y) { return p[y * 800 + x] & 0xFFFFFF; };
  // The dimmed background behind the field, the bright chant bar below it.
  int aLit = 0;
  for (int x = 150; x < 790; x += 7) aLit += (At(x, 540) & 0xFF) > 100;
  EXPECT_GT(aLit, 60);
  // The target in orange on the side bar.
  int anOrange = 0;
  for (int y = 296; y < 330; ++y)
    for (int x = 8; x < 130; ++x) {
      const uint32_t c = At(x, y);
      anOrange += ((c >> 16) & 0xFF) > 150 && ((c >> 8) & 0xFF) > 90 && (c & 0xFF) < 80;
    }
  EXPECT_GT(anOrange, 20);
}

}  // namespace
