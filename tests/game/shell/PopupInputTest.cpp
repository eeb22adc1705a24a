// The popup's own input, driven as the player drives it through the widget manager: typing a
// name (the filter, the ten-character limit, Enter and the key swallowed after it), profile
// creation into a free or a freed slot, the option check boxes, the volume sliders heard
// through the real sound and music managers, the wand choice and leaving the results panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "platform/audio/dylib/AudioCore.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/KeyCodes.h"
#include "widgets/Slider.h"

namespace {

using PopupTest::PopupRig;
using namespace Tesk;

class PopupInput : public PopupRig {
 protected:
  WidgetManager* Widgets() { return mApp->mWidgetManager; }

  void Click(int x, int y, int theCount = 1) {
    Widgets()->MouseMove(x, y);
    Widgets()->MouseDown(x, y, theCount);
    Widgets()->MouseUp(x, y, theCount);
  }
  void ClickCentre(Widget* theWidget) {
    Click(theWidget->mX + theWidget->mWidth / 2, theWidget->mY + theWidget->mHeight / 2);
  }
  // Characters as the keyboard sends them to the widget with the focus.
  void Type(const std::wstring& theText) {
    for (wchar_t c : theText) Widgets()->KeyChar(c);
  }
  // Return as the platform sends it: the key, then its character.
  void Enter() {
    Widgets()->KeyDown(KEYCODE_RETURN);
    Widgets()->KeyChar(13);
    Widgets()->KeyUp(KEYCODE_RETURN);
  }
  // Drags theSlider's thumb so that its left edge lands theDx pixels further along.
  void Drag(Slider* theSlider, int theDx) {
    const int x = theSlider->mX + theSlider->GetThumbPos() + 1;
    const int y = theSlider->mY + theSlider->mHeight / 2;
    Widgets()->MouseMove(x, y);
    Widgets()->MouseDown(x, y, 1);
    Widgets()->MouseDrag(x + theDx / 2, y);
    Widgets()->MouseDrag(x + theDx, y);
    Widgets()->MouseUp(x + theDx, y, 1);
  }

  // The loudest sample of the next tenth of a second of the mixer's output.
  static int Peak() {
    std::vector<int16_t> aOut(4410 * 2);
    AudioCore::Get().Render(aOut.data(), 4410);
    int aPeak = 0;
    for (int16_t s : aOut) aPeak = std::max(aPeak, std::abs(static_cast<int>(s)));
    return aPeak;
  }
};

TEST_F(PopupInput, TheNameFieldTakesTenCharactersAndNoneOfThirteen) {
  struct Case {
    const wchar_t* typed;
    const wchar_t* kept;
  };
  const Case kCases[] = {
      {L"Mr.Fox", L"MrFox"},            // a full stop is dropped, the letters around it stay
      {L"O'Neil, Jr", L"O'Neil, Jr"},   // apostrophe, comma and space are fine
      {L"abcdefghijk", L"abcdefghij"},  // an eleventh character is refused
      {L"#$%&()*+-.:@^", L""},          // the thirteen refused characters
      {L"a#b$c%d&e(f)g*h+i-j.k:l@m^", L"abcdefghij"},
      {L"<Ann>!?_", L"<Ann>!?_"},  // everything else printable is accepted
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
    Open(POPUP_NEW_PROFILE);
    ASSERT_EQ(Widgets()->mFocusWidget, mPopup->m_nameEdit);
    EXPECT_EQ(mPopup->m_nameEdit->mText, L"");
    Type(c.typed);
    EXPECT_EQ(mPopup->m_nameEdit->mText, c.kept);
  }
  const std::wstring kRefused = L"#$%&()*+-.:@^";
  for (wchar_t c = 32; c < 127; ++c)
    EXPECT_EQ(mPopup->AllowChar(101, c), kRefused.find(c) == std::wstring::npos) << static_cast<char>(c);
}

TEST_F(PopupInput, EnterWithAnEmptyNameShowsTheErrorAndItsOwnKeyDoesNotCloseIt) {
  Open(POPUP_NEW_PROFILE);
  Played().clear();
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_NAME_EMPTY);
  EXPECT_EQ(Played(), std::vector<int>{SFX_ERROR});
  // The character of that Enter reached the error box and was swallowed.
  EXPECT_FALSE(mPopup->m_enterHandled);
  EXPECT_EQ(Widgets()->mFocusWidget, mPopup);

  // Any other key does nothing; a further Enter goes back to an empty name entry.
  Type(L"x");
  EXPECT_EQ(mPopup->m_type, POPUP_NAME_EMPTY);
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_NEW_PROFILE);
  EXPECT_EQ(Played(), (std::vector<int>{SFX_ERROR, SFX_ERROR}));
  EXPECT_EQ(mPopup->m_nameEdit->mText, L"");
  EXPECT_EQ(Widgets()->mFocusWidget, mPopup->m_nameEdit);
  EXPECT_EQ(mProfile->getTotalProfilesLoaded(), 0);
}

TEST_F(PopupInput, ADuplicateNameIsRefusedButADifferentCaseIsANewPlayer) {
  MakeProfile(L"Wren");
  Open(POPUP_NEW_PROFILE);
  Type(L"Wren");
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_NAME_EXISTS);
  EXPECT_EQ(mProfile->getTotalProfilesLoaded(), 1);
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_NEW_PROFILE);

  Played().clear();
  Type(L"wren");
  Enter();
  EXPECT_EQ(Played(), std::vector<int>{SFX_START_GAME});
  EXPECT_EQ(mProfile->getTotalProfilesLoaded(), 2);
  EXPECT_EQ(mProfile->getProfileIdxUsing(), 1);
  EXPECT_STREQ(mProfile->getProfileName(), L"wren");
  // The popup closes and the title screen comes back up with the keyboard.
  EXPECT_FALSE(mPopup->mVisible);
  EXPECT_FALSE(mPopup->m_nameEdit->mVisible);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 0);
  EXPECT_EQ(Widgets()->mFocusWidget, mTitle);
  // The wand cursor of the new profile.
  EXPECT_EQ(mApp->mCursorImages[0], GameApp::s_images[21]);
  EXPECT_EQ(mApp->mCursorImages[1], GameApp::s_images[21]);
}

TEST_F(PopupInput, EnterOnTheProfileErrorGoesBackToTheList) {
  Open(POPUP_PROFILE_ERROR);
  Played().clear();
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_PROFILES);
  EXPECT_EQ(Played(), std::vector<int>{SFX_ERROR});
  // Enter elsewhere does nothing.
  Open(POPUP_LOCATION_DONE);
  Played().clear();
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_LOCATION_DONE);
  EXPECT_TRUE(Played().empty());
}

TEST_F(PopupInput, ANameTypedWithEverySlotTakenShowsTheProfileErrorAndOverwritesNobody) {
  for (const wchar_t* aName : {L"Ada", L"Bo", L"Cy", L"Di"}) MakeProfile(aName);
  const std::string aBefore = mProfile->toFileBytes();
  Open(POPUP_NEW_PROFILE);
  Played().clear();
  Type(L"Eve");
  Enter();
  EXPECT_EQ(mPopup->m_type, POPUP_PROFILE_ERROR);
  EXPECT_EQ(Played(), std::vector<int>{SFX_ERROR});
  EXPECT_EQ(mProfile->toFileBytes(), aBefore);
  EXPECT_TRUE(mPopup->mVisible);
}

TEST_F(PopupInput, ANewProfileInADeletedSlotStartsFromNothing) {
  MakeProfile(L"Ada");
  MakeProfile(L"Bo");
  // Bo's progress, then Bo goes.
  mProfile->startNewGame(2);
  mProfile->setWandUsing(2);
  mProfile->setMapUsing(1);
  mProfile->setDistractionsOff(true);
  mProfile->setHasSaveFile(true);
  mProfile->setSaveInMinigame(true);
  mProfile->updateGameTotalTime(4000);
  mProfile->setHintBlock(3);
  mProfile->advanceLevelOn();
  mProfile->deleteAvailableProfile(1);
  ASSERT_EQ(mProfile->getNextAvailableProfile(), 1);

  Open(POPUP_NEW_PROFILE);
  Type(L"Cy");
  Enter();
  ASSERT_EQ(mProfile->getProfileIdxUsing(), 1);
  EXPECT_STREQ(mProfile->getProfileName(), L"Cy");
  EXPECT_EQ(mProfile->getWandUsing(), 0);
  EXPECT_EQ(mProfile->getMapUsing(), 0);
  EXPECT_FALSE(mProfile->getDistractionsOff());
  EXPECT_FALSE(mProfile->getSaveInMinigame());
  EXPECT_FALSE(mProfile->doesLevelDataExist());
  EXPECT_EQ(mProfile->getTotalGameTime(), 0);
  EXPECT_EQ(mProfile->getDifficultyLevel(), 0);
  EXPECT_FALSE(mProfile->getHintBlock(3));
  EXPECT_EQ(mProfile->getLevelOn(), 0);
  // The cursor follows the new profile's wand, not Bo's.
  EXPECT_EQ(mApp->mCursorImages[0], GameApp::s_images[21]);
  // The shared header is untouched: Ada is still there.
  EXPECT_STREQ(mProfile->getProfileName(0), L"Ada");
}

TEST_F(PopupInput, ChangingProfileRecoloursTheNameButtons) {
  MakeProfile(L"Ada");
  MakeProfile(L"Bo");
  Open(POPUP_PROFILES);
  EXPECT_EQ(mPopup->m_buttons[1]->mIdleTextColor, PopupBox::k_baseCurrentProfileColor);
  mProfile->setProfileUsing(0);
  mProfile->setWandUsing(2);
  mPopup->changeProfile();
  EXPECT_EQ(mPopup->m_buttons[0]->mIdleTextColor, PopupBox::k_baseCurrentProfileColor);
  EXPECT_EQ(mPopup->m_buttons[1]->mIdleTextColor, PopupBox::k_baseNameColor);
  EXPECT_EQ(mApp->mCursorImages[0], GameApp::s_images[23]);
  EXPECT_EQ(mApp->mCursorImages[1], GameApp::s_images[23]);
}

TEST_F(PopupInput, TheOptionCheckBoxesChangeTheirSettings) {
  Open(POPUP_HELP_OPTIONS);
  Played().clear();
  ASSERT_TRUE(mProfile->getHelpBox());
  ClickCentre(mPopup->m_helpBoxCheckbox);
  EXPECT_FALSE(mProfile->getHelpBox());
  EXPECT_FALSE(mPopup->m_helpBoxCheckbox->mChecked);
  ClickCentre(mPopup->m_customCursorCheckbox);
  EXPECT_FALSE(GameApp::s_isUsingCustomCursor);
  EXPECT_FALSE(mApp->mCustomCursorsEnabled);
  EXPECT_TRUE(mProfile->getHintBlock(24)) << "the custom-cursor hint counts as shown";
  ClickCentre(mPopup->m_customCursorCheckbox);
  EXPECT_TRUE(GameApp::s_isUsingCustomCursor);
  EXPECT_TRUE(mApp->mCustomCursorsEnabled);
  EXPECT_EQ(Played(), (std::vector<int>{SFX_CHECK, SFX_CHECK, SFX_CHECK}));

  GameApp::sm_gameState = 0;
  Open(POPUP_GAME_OPTIONS, mMap);
  Played().clear();
  ClickCentre(mPopup->m_distractionsCheckbox);
  EXPECT_TRUE(mProfile->getDistractionsOff());
  EXPECT_EQ(Played(), std::vector<int>{SFX_CHECK});

  Open(POPUP_3D_OPTIONS);
  Played().clear();
  ClickCentre(mPopup->m_3DCheckbox);
  EXPECT_TRUE(mPopup->m_3DCheckbox->mChecked);
  EXPECT_EQ(Played(), std::vector<int>{SFX_CHECK});
}

TEST_F(PopupInput, TickingFullScreenSwitchesAndLaysThePageOutAgain) {
  mApp->mIsWindowed = true;
  Open(POPUP_TITLE_OPTIONS);
  Played().clear();
  ClickCentre(mPopup->m_fullScreenCheckbox);
  EXPECT_EQ(mApp->mScreenModes, std::vector<bool>{false});
  EXPECT_EQ(Played(), std::vector<int>{SFX_CHECK})
      << "laid out again over the dimmed scene: no opening sound";
  EXPECT_EQ(mPopup->m_type, POPUP_TITLE_OPTIONS);
  EXPECT_TRUE(mPopup->m_fullScreenCheckbox->mChecked);
  EXPECT_TRUE(mPopup->m_musicSlider->mVisible);
  EXPECT_TRUE(Widgets()->HasWidget(mPopup->m_musicSlider));
  EXPECT_TRUE(Widgets()->IsBelow(mPopup, mPopup->m_buttons[4]));
  // And back to a window.
  ClickCentre(mPopup->m_fullScreenCheckbox);
  EXPECT_EQ(mApp->mScreenModes, (std::vector<bool>{false, true}));
  EXPECT_FALSE(mPopup->m_fullScreenCheckbox->mChecked);
}

TEST_F(PopupInput, UntickingFullScreenOnASmallDisplayIsRefused) {
  struct Case {
    uint8_t from;
    uint8_t opened;
  };
  for (const Case& c :
       {Case{POPUP_TITLE_OPTIONS, POPUP_NO_WINDOW_TITLE}, Case{POPUP_GAME_OPTIONS, POPUP_NO_WINDOW_GAME}}) {
    SCOPED_TRACE(c.from);
    mApp->mForceFullscreen = true;
    mApp->mIsWindowed = false;
    Open(c.from);
    Played().clear();
    ClickCentre(mPopup->m_fullScreenCheckbox);
    EXPECT_TRUE(mPopup->m_fullScreenCheckbox->mChecked);
    EXPECT_TRUE(mApp->mScreenModes.empty());
    EXPECT_EQ(mPopup->m_type, c.opened);
    EXPECT_EQ(Played().front(), SFX_ERROR);
  }
}

TEST_F(PopupInput, TheSoundSliderIsHeardOnceOnReleaseAtItsNewLevel) {
  Open(POPUP_TITLE_OPTIONS);
  Slider* aSlider = mPopup->m_soundSlider;
  const int aRange = aSlider->mWidth - IMAGE_SLIDER_THUMB->GetWidth();

  // The select sound at full volume, for reference.
  mApp->SetSfxVolume(1.0);
  mSounds->StopAllSounds();
  Peak();
  mApp->PlaySample(SFX_SELECT_PRESS);
  const int aFull = Peak();
  ASSERT_GT(aFull, 1000);

  mSounds->StopAllSounds();
  aSlider->SetValue(1.0);
  Played().clear();
  Drag(aSlider, -aRange / 2);
  EXPECT_NEAR(mApp->GetSfxVolume(), 0.5, 0.02);
  EXPECT_EQ(mApp->GetSfxVolume(), aSlider->mVal);
  EXPECT_EQ(Played(), std::vector<int>{SFX_SELECT_PRESS}) << "silent while dragged, once on release";
  const int aHalf = Peak();
  EXPECT_GT(aHalf, 0);
  EXPECT_LT(aHalf, aFull * 9 / 10);

  mSounds->StopAllSounds();
  Played().clear();
  Drag(aSlider, -aRange);
  EXPECT_EQ(mApp->GetSfxVolume(), 0.0);
  EXPECT_EQ(Played(), std::vector<int>{SFX_SELECT_PRESS});
  EXPECT_EQ(Peak(), 0);
}

TEST_F(PopupInput, TheMusicSliderSetsTheMusicHeardAndPlaysNothing) {
  MusicInterface* aMusic = mApp->mMusicInterface;
  ASSERT_TRUE(aMusic->LoadMusic(1, "music/summoning_a.ogg"));
  aMusic->PlayMusic(1, 0, false);
  mApp->SetMusicVolume(1.0);
  mSounds->StopAllSounds();
  Peak();
  const int aFull = Peak();
  ASSERT_GT(aFull, 500);

  Open(POPUP_GAME_OPTIONS);
  mSounds->StopAllSounds();
  Slider* aSlider = mPopup->m_musicSlider;
  aSlider->SetValue(1.0);
  Played().clear();
  Drag(aSlider, -(aSlider->mWidth - IMAGE_SLIDER_THUMB->GetWidth()) * 3 / 4);
  EXPECT_NEAR(mApp->GetMusicVolume(), 0.25, 0.02);
  EXPECT_TRUE(Played().empty());
  const int aQuarter = Peak();
  EXPECT_GT(aQuarter, 0);
  EXPECT_LT(aQuarter, aFull / 2);
  Drag(aSlider, -aSlider->mWidth);
  EXPECT_EQ(mApp->GetMusicVolume(), 0.0);
  EXPECT_EQ(Peak(), 0);
  aMusic->StopAllMusic();
}

TEST_F(PopupInput, AClickOnAWandPicksItEvenWhileTheFadeMoves) {
  mProfile->setWandsUnlocked();
  MakeProfile(L"Wren");
  Open(POPUP_UNLOCKABLES);
  GameApp::setFade(2);
  struct Case {
    int x, y;
    int wand;  // -1: none
  };
  const Case kCases[] = {
      {368, 312, 1},       // the top-left corner is inside
      {452 + 63, 375, 2},  // the last pixel inside
      {348, 340, -1},      // the right edge of wand 0 is outside
      {400, 376, -1},      // below the row
      {284, 330, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    mProfile->setWandUsing(3);
    mApp->SetCursorImage(0, nullptr);
    Click(c.x, c.y);
    EXPECT_EQ(mProfile->getWandUsing(), c.wand < 0 ? 3 : c.wand);
    EXPECT_EQ(mApp->mCursorImages[0], c.wand < 0 ? nullptr : GameApp::s_images[21 + c.wand]);
  }
  // Locked wands: no choice.
  ResetProfiles();
  MakeProfile(L"Wren");
  Open(POPUP_UNLOCKABLES);
  mApp->SetCursorImage(0, nullptr);
  Click(300, 330);
  EXPECT_EQ(mProfile->getWandUsing(), 0);
  EXPECT_EQ(mApp->mCursorImages[0], nullptr);
}

TEST_F(PopupInput, AClickAfterTheResultsEndsTheChapter) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  mProfile->advanceLevelOn();
  mProfile->setHasSaveFile(true);
  mProfile->setSaveInMinigame(true);
  mLevel->m_totalLevelTime = 90000;
  mProfile->setNewLevel(30050, 5, 0.0f);
  Open(POPUP_CHAPTER_COMPLETE);
  GameApp::sm_currentFadeDirection = 4;

  // Not yet: the animation runs, then a fade, then a double click.
  Played().clear();
  Click(400, 300);
  mPopup->m_resultState = 5;
  GameApp::setFade(0);
  Click(400, 300);
  GameApp::sm_currentFadeDirection = 4;
  Click(400, 300, 2);
  EXPECT_TRUE(Played().empty());
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(mPopup->m_subType, 0);

  Click(400, 300);
  EXPECT_EQ(Played(), std::vector<int>{SFX_SELECT_PRESS});
  EXPECT_FALSE(mPopup->mVisible);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 1);
  EXPECT_EQ(mPopup->m_subType, POPUP_TO_LEVEL_INTRO);
  // 599.50 seconds taken: 599 whole ones.
  EXPECT_EQ(mProfile->getTotalGameTime(), 599);
  EXPECT_EQ(mProfile->getLevelOn(), 3);
  EXPECT_FALSE(mProfile->getSaveInMinigame());
  // Saved before the next chapter's introduction.
  const std::string aSaved = TeskTest::ReadFile(ProfileData::getProfilePath());
  EXPECT_EQ(aSaved, mProfile->toFileBytes());
  EXPECT_EQ(static_cast<uint8_t>(aSaved[8 + 100 * 0 + 81]), 0) << "no save file";
}

// A profile file whose clock stands past its level's allowance (as a damaged one can): the
// results show the chapter taken in no time, not a clock that wrapped round, and the click
// adds no more than that to the game's total.
TEST_F(PopupInput, AClockPastTheAllowanceInAProfileFileNeitherShowsNorAddsAWrappedTime) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  mProfile->advanceLevelOn();  // chapter 2: 120000 hundredths allowed
  mProfile->setNewLevel(120000, 5, 0.0f);
  std::string aBytes = mProfile->toFileBytes();
  const uint32_t aClock = 130096;
  for (int i = 0; i < 4; ++i) aBytes[8 + 68 + i] = static_cast<char>(aClock >> (8 * i));
  ASSERT_TRUE(TeskTest::WriteFile(ProfileData::getProfilePath(), aBytes));
  ASSERT_TRUE(mProfile->loadProfile());
  mLevel->setTotalLevelTime();
  ASSERT_EQ(mLevel->m_totalLevelTime, 120000u);
  Open(POPUP_CHAPTER_COMPLETE);
  wchar_t aTaken[64];
  GameText::formatText(aTaken, 64, stringTimeTaken, L"00:00");
  EXPECT_STREQ(PopupBox::s_levelCompleteText2, aTaken);

  mPopup->m_resultState = 5;
  GameApp::sm_currentFadeDirection = 4;
  Click(400, 300);
  EXPECT_EQ(mPopup->m_subType, POPUP_TO_LEVEL_INTRO);
  EXPECT_EQ(mProfile->getTotalGameTime(), 0);
}

}  // namespace
