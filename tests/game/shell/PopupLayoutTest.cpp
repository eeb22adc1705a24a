// The popup box laid out per type with the game's own fonts and pictures: the child widgets'
// fixed places, the list column's rows, the bottom button, the profile lists, the picture a
// label's width picks, which controls each type shows and the sound it opens with.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "graphics/Font.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"

namespace {

using PopupTest::PopupRig;
using Tesk::PopupBox;

class PopupLayout : public PopupRig {
 protected:
  int Ascent() { return Tesk::FONT_MEDIUM->GetAscent(); }

  // The row top of the list column, from the layout's formula.
  int RowTop(int theRow, int theCount) {
    const float h = static_cast<float>(Ascent());
    const float s = h * 0.7f + h;
    return static_cast<int>(static_cast<float>(theRow) * s + (300 + s * static_cast<float>(theCount) / -2.0));
  }

  Tesk::Image* PictureFor(const wchar_t* theLabel) {
    const int w = Tesk::FONT_MEDIUM->StringWidth(theLabel);
    return w <= 46   ? Tesk::IMAGE_OPTIONS_BUTTON_SMALL
           : w <= 98 ? Tesk::IMAGE_OPTIONS_BUTTON_MED
                     : Tesk::IMAGE_OPTIONS_BUTTON_LARGE;
  }

  // Which child widgets are shown, by name.
  std::set<std::string> ShownControls() {
    std::set<std::string> aShown;
    const std::pair<const char*, Tesk::Widget*> kControls[] = {
        {"music", mPopup->m_musicSlider},
        {"sound", mPopup->m_soundSlider},
        {"fullscreen", mPopup->m_fullScreenCheckbox},
        {"help", mPopup->m_helpBoxCheckbox},
        {"distractions", mPopup->m_distractionsCheckbox},
        {"3d", mPopup->m_3DCheckbox},
        {"cursor", mPopup->m_customCursorCheckbox},
        {"name", mPopup->m_nameEdit}};
    for (const auto& aControl : kControls) {
      EXPECT_EQ(aControl.second->mVisible, !aControl.second->mDisabled) << aControl.first;
      if (aControl.second->mVisible) aShown.insert(aControl.first);
    }
    return aShown;
  }
};

TEST_F(PopupLayout, InitPlacesTheControlsOnceAndKeepsThemHiddenUntilAType) {
  const int aThumb = Tesk::IMAGE_SLIDER_THUMB->GetHeight();
  const int aCellW = Tesk::IMAGE_CHECKBOX->GetWidth() / 2;
  const int aCellH = Tesk::IMAGE_CHECKBOX->GetHeight();
  struct Case {
    const char* name;
    Tesk::Widget* widget;
    int x, y, w, h;
  };
  const int anEditH = 2 * Ascent();
  const Case kCases[] = {
      {"music slider", mPopup->m_musicSlider, 376, 226, 180, aThumb},
      {"sound slider", mPopup->m_soundSlider, 376, 258, 180, aThumb},
      {"full screen", mPopup->m_fullScreenCheckbox, 330, 282, aCellW, aCellH},
      {"help popups", mPopup->m_helpBoxCheckbox, 290, 310, aCellW, aCellH},
      {"distractions", mPopup->m_distractionsCheckbox, 330, 316, aCellW, aCellH},
      {"3D", mPopup->m_3DCheckbox, 320, 360, aCellW, aCellH},
      {"custom cursor", mPopup->m_customCursorCheckbox, 290, 344, aCellW, aCellH},
      {"name field", mPopup->m_nameEdit, 300, 300 - anEditH / 2, 200, anEditH},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.widget->mX, c.x);
    EXPECT_EQ(c.widget->mY, c.y);
    EXPECT_EQ(c.widget->mWidth, c.w);
    EXPECT_EQ(c.widget->mHeight, c.h);
    EXPECT_FALSE(c.widget->mVisible);
    // Siblings of the popup, in front of it.
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(c.widget));
    EXPECT_TRUE(mApp->mWidgetManager->IsBelow(mPopup, c.widget));
  }
  EXPECT_EQ(mPopup->m_nameEdit->mMaxChars, 10);
  EXPECT_EQ(mPopup->m_fullScreenCheckbox->mCheckedRect, Tesk::TRect<int>(aCellW, 0, aCellW, aCellH));
  EXPECT_EQ(mPopup->m_fullScreenCheckbox->mUncheckedRect, Tesk::TRect<int>(0, 0, aCellW, aCellH));
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(mPopup->m_buttons[i]->mId, i + 1);
    EXPECT_FALSE(mPopup->m_buttons[i]->mVisible);
  }
  // The job lines: as many as each chapter has, then nothing.
  const int kLines[12] = {6, 6, 6, 5, 3, 6, 6, 6, 6, 6, 5, 6};
  for (int r = 0; r < 12; ++r)
    for (int j = 0; j < 6; ++j) EXPECT_EQ(PopupBox::k_levelJobTexts[r].m_lines[j] != nullptr, j < kLines[r]);
  EXPECT_EQ(PopupBox::k_levelJobTexts[1].m_top, 386);
  EXPECT_EQ(PopupBox::k_levelJobTexts[6].m_top, 348);
}

TEST_F(PopupLayout, ListRowsAreCentredOnTheScreenWhateverTheBox) {
  // An ascent of 20 gives a pitch of 34: six rows start at 198.
  EXPECT_EQ(mPopup->getYTextLoc(0, 6, 20, 300), 198);
  EXPECT_EQ(mPopup->getYTextLoc(4, 6, 20, 300), 334);
  EXPECT_EQ(mPopup->getYTextLoc(5, 6, 20, 300), 368);
  EXPECT_EQ(mPopup->getYTextLoc(1, 2, 20, 300), 300);
  // Truncated toward zero, not rounded: 300 - 4.5 * 22.1 + 22.1 = 222.65.
  EXPECT_EQ(mPopup->getYTextLoc(1, 9, 13, 300), 222);
  EXPECT_EQ(mPopup->getBottomYLoc(Tesk::GameApp::s_images[20], 20),
            Tesk::GameApp::s_images[20]->GetHeight() - 46);
}

TEST_F(PopupLayout, ALabelsWidthPicksTheButtonPicture) {
  // Labels of exactly the boundary widths, made from the font's own characters.
  auto aLabelOfWidth = [](int theWidth) -> std::wstring {
    const std::wstring kChars = L"ilI.,:;'!jtfr1abcdefghkmnopqsuvwxyzABCDEFGHJKLMNOPQRSTUVWXYZ";
    for (wchar_t a : kChars)
      for (wchar_t b : kChars)
        for (int n = 0; n < 40; ++n)
          for (int m = 0; m < 4; ++m) {
            const std::wstring s = std::wstring(n, a) + std::wstring(m, b);
            if (Tesk::FONT_MEDIUM->StringWidth(s) == theWidth) return s;
          }
    return L"";
  };
  struct Case {
    int width;
    Tesk::Image* const* picture;
    Tesk::Image* const* hover;
  };
  const Case kCases[] = {
      {46, &Tesk::IMAGE_OPTIONS_BUTTON_SMALL, &Tesk::IMAGE_OPTIONS_BUTTON_SMALL_HI},
      {47, &Tesk::IMAGE_OPTIONS_BUTTON_MED, &Tesk::IMAGE_OPTIONS_BUTTON_MED_HI},
      {98, &Tesk::IMAGE_OPTIONS_BUTTON_MED, &Tesk::IMAGE_OPTIONS_BUTTON_MED_HI},
      {99, &Tesk::IMAGE_OPTIONS_BUTTON_LARGE, &Tesk::IMAGE_OPTIONS_BUTTON_LARGE_HI},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.width);
    const std::wstring aLabel = aLabelOfWidth(c.width);
    ASSERT_FALSE(aLabel.empty());
    mPopup->setButton(3, 6, Ascent(), aLabel.c_str());
    const Tesk::OrvoButtonWidget* b = mPopup->m_buttons[3];
    EXPECT_EQ(b->mButtonImage, *c.picture);
    EXPECT_EQ(b->mHoverImage, *c.hover);
    EXPECT_EQ(b->mWidth, (*c.picture)->GetWidth());
    EXPECT_EQ(b->mX, 400 - (*c.picture)->GetWidth() / 2);
    EXPECT_EQ(b->mY, RowTop(3, 6));
    EXPECT_EQ(b->mIdleTextColor, PopupBox::k_baseColor);
    EXPECT_EQ(b->mColors[Tesk::OrvoButtonWidget::COLOR_LABEL], PopupBox::k_highlightColor);
  }
}

// What a type shows: its buttons by index with their label, kind and downward move.
struct Placed {
  int index;
  wchar_t* const* label;
  int row, count, down;  // a list row; count 0 marks the bottom button
};

struct LayoutCase {
  const char* name;
  uint8_t type;
  std::function<void(PopupRig&)> setUp;
  std::vector<Placed> buttons;
  std::set<std::string> controls;
  wchar_t* const* header;  // null: left as it was
  wchar_t* const* body;
};

Placed List(int theIndex, wchar_t* const* theLabel, int theCount, int theDown = 0) {
  return {theIndex, theLabel, theIndex, theCount, theDown};
}
Placed Bottom(int theIndex, wchar_t* const* theLabel) { return {theIndex, theLabel, 0, 0, 0}; }

class PopupLayoutOfTypes : public PopupLayout {
 protected:
  // theNames: how many profile-name buttons lead the list.
  void Check(const LayoutCase& c, int theNames = 0) {
    SCOPED_TRACE(c.name);
    if (theNames == 0) ResetProfiles();
    mPopup->m_headerText = L"previous heading";
    mPopup->m_bodyText = L"previous body";
    if (c.setUp) c.setUp(*this);
    Open(c.type);
    EXPECT_EQ(mPopup->m_type, c.type);
    EXPECT_EQ(mPopup->m_subType, 0);
    EXPECT_EQ(mPopup->GetRect(), Tesk::TRect<int>(0, 0, 800, 600));
    Tesk::Image* aBox = Tesk::GameApp::s_images[c.type == 16 ? 19 : 20];
    EXPECT_EQ(mPopup->m_boxImage, aBox);
    EXPECT_EQ(mPopup->m_boxX, 400 - aBox->GetWidth() / 2);
    EXPECT_EQ(mPopup->m_boxY, 300 - aBox->GetHeight() / 2);
    if (c.header != nullptr) {
      EXPECT_EQ(mPopup->m_headerText, *c.header);
    } else {
      EXPECT_STREQ(mPopup->m_headerText, L"previous heading");
    }
    if (c.body != nullptr) {
      EXPECT_EQ(mPopup->m_bodyText, *c.body);
    }

    std::set<int> aShown;
    for (int i = 0; i < theNames; ++i) aShown.insert(i);
    for (const Placed& p : c.buttons) {
      SCOPED_TRACE(p.index);
      aShown.insert(p.index);
      const Tesk::OrvoButtonWidget* b = mPopup->m_buttons[p.index];
      EXPECT_TRUE(b->mVisible);
      EXPECT_FALSE(b->mDisabled);
      EXPECT_EQ(b->mLabel, std::wstring(*p.label));
      if (p.count == 0) {
        EXPECT_EQ(b->mButtonImage, Tesk::IMAGE_OPTIONS_BOTTOM_BUTTON);
        EXPECT_EQ(b->mHoverImage, Tesk::IMAGE_OPTIONS_BOTTOM_BUTTON_HI);
        EXPECT_EQ(b->mX, 400 - Tesk::IMAGE_OPTIONS_BOTTOM_BUTTON->GetWidth() / 2);
        EXPECT_EQ(b->mY, mPopup->m_boxY + aBox->GetHeight() - Ascent() - 26);
        EXPECT_EQ(b->mIdleTextColor, PopupBox::k_baseBottomColor);
        EXPECT_EQ(b->mColors[0], PopupBox::k_bottomHighlightColor);
      } else {
        EXPECT_EQ(b->mButtonImage, PictureFor(*p.label));
        EXPECT_EQ(b->mY, RowTop(p.row, p.count) + p.down);
        EXPECT_EQ(b->mX, 400 - b->mButtonImage->GetWidth() / 2);
      }
    }
    for (int i = 0; i < 9; ++i) {
      if (aShown.count(i) == 0) {
        EXPECT_FALSE(mPopup->m_buttons[i]->mVisible) << "button " << i;
      }
    }
    EXPECT_EQ(ShownControls(), c.controls);
    const Tesk::Widget* aFocus = mApp->mWidgetManager->mFocusWidget;
    EXPECT_EQ(aFocus, c.type == 9 ? static_cast<Tesk::Widget*>(mPopup->m_nameEdit) : mPopup);
  }
};

TEST_F(PopupLayoutOfTypes, EveryTypeShowsItsButtonsAndControls) {
  using namespace Tesk;
  const LayoutCase kCases[] = {
      {"play menu",
       0,
       nullptr,
       {List(0, &stringNewGame, 2), List(1, &stringContinue, 2), Bottom(2, &stringBack)},
       {},
       &stringPopupHeaderBasic1,
       nullptr},
      {"difficulty, extra hard locked",
       1,
       nullptr,
       {List(0, &stringDiff1, 2), List(1, &stringDiff2, 2), Bottom(2, &stringBack)},
       {},
       &stringChooseDiff,
       nullptr},
      {"difficulty, extra hard unlocked",
       1,
       [](PopupRig& r) { r.mProfile->setExtraHardDiffUnlocked(); },
       {List(0, &stringDiff1, 3), List(1, &stringDiff2, 3), List(2, &stringDiff3, 3), Bottom(3, &stringBack)},
       {},
       &stringChooseDiff,
       nullptr},
      {"help options",
       2,
       nullptr,
       {List(6, &stringHowToPlay, 9, 44), List(7, &string3DToggle, 9, 44), Bottom(8, &stringBack)},
       {"help", "cursor"},
       &stringHelpOptions,
       nullptr},
      {"3D options", 3, nullptr, {Bottom(1, &stringBack)}, {"3d"}, &stringToggleOptions, nullptr},
      {"title options",
       4,
       nullptr,
       {List(4, &stringCredits, 9, 48), List(5, &stringHighScores, 9, 48), Bottom(6, &stringBack)},
       {"music", "sound", "fullscreen"},
       &stringPopupOptions,
       nullptr},
      {"game options",
       5,
       nullptr,
       {List(5, &stringHelp, 9, 48), List(6, &stringUnlockables, 9, 48), List(7, &stringExitGame, 9, 48),
        Bottom(8, &stringReturnToGame)},
       {"music", "sound", "fullscreen", "distractions"},
       &stringPopupOptions,
       nullptr},
      {"overwrite?",
       6,
       nullptr,
       {List(4, &stringYes, 6), List(5, &stringNo, 6)},
       {},
       &stringRUSure,
       &stringRUSureOverwriteContinue},
      {"story length",
       7,
       nullptr,
       {List(4, &stringStoryLongName, 6), List(5, &stringStoryShortName, 6)},
       {},
       &stringStoryType,
       &stringStoryTypeInfo},
      {"unlockables, nothing unlocked",
       8,
       nullptr,
       {Bottom(2, &stringBack)},
       {},
       &stringUnlockables,
       nullptr},
      {"unlockables, other map",
       8,
       [](PopupRig& r) {
         r.mProfile->setOtherMapUnlocked();
         r.mProfile->setMapUsing(1);
       },
       {List(1, &stringMapUsingToggle[1], 6), Bottom(2, &stringBack)},
       {},
       &stringUnlockables,
       nullptr},
      {"new profile",
       9,
       nullptr,
       {List(5, &stringCreateProfile, 6)},
       {"name"},
       &stringProfileEntry1,
       nullptr},
      {"all objects found",
       12,
       nullptr,
       {List(4, &stringContinueSearching, 6, 60), List(5, &stringExitToMinigame, 6, 64)},
       {},
       &stringGoodJob,
       &stringAllObjectsFound},
      {"location done", 13, nullptr, {Bottom(0, &stringOK)}, {}, &stringGoodJob, &stringAllLocationObjsFound},
      {"delete?",
       14,
       nullptr,
       {List(4, &stringYes, 6), List(5, &stringNo, 6)},
       {},
       &stringRUSure,
       &stringRUSureDelete},
      {"exit?",
       15,
       nullptr,
       {List(4, &stringYes, 6), List(5, &stringNo, 6)},
       {},
       &stringRUSure,
       &stringRUSureExitIngame},
      {"chapter complete", 16, nullptr, {}, {}, nullptr, nullptr},
      {"level failed",
       17,
       [](PopupRig& r) { r.mProfile->startNewGame(1); },
       {List(4, &stringTryAgain, 6, 40), List(5, &stringExitToMenu, 6, 44)},
       {},
       &stringLevelFailed,
       &stringLevelFailedDetails},
      {"all runestones",
       18,
       nullptr,
       {Bottom(0, &stringContinue)},
       {},
       &stringGreatJob,
       &stringAllRunestonesFound},
      {"chapter objects found",
       19,
       nullptr,
       {Bottom(0, &stringContinue)},
       {},
       &stringGreatJob,
       &stringAllChapterObjectsFound},
      {"name exists", 20, nullptr, {Bottom(0, &stringBack)}, {}, &stringNameError, &stringNameAlreadyExists},
      {"name empty", 21, nullptr, {Bottom(0, &stringBack)}, {}, &stringNameError, &stringErrorEmpty},
      {"profile error",
       22,
       nullptr,
       {Bottom(0, &stringBack)},
       {},
       &stringProfileError,
       &stringCreateProfileError},
      {"no window (title)",
       23,
       nullptr,
       {Bottom(0, &stringBack)},
       {},
       &stringWindowSupportError,
       &stringNoWindowSupportError},
      {"no window (game)",
       24,
       nullptr,
       {Bottom(0, &stringBack)},
       {},
       &stringWindowSupportError,
       &stringNoWindowSupportError},
      {"potion help, chapter 1: no OK",
       25,
       nullptr,
       {List(4, &stringHowToPlay, 6, 55)},
       {},
       &stringHelp,
       &stringHelpMatchGame},
      {"chant help, chapter 3",
       26,
       [](PopupRig& r) {
         r.mProfile->startNewGame(1);
         r.mProfile->advanceLevelOn();
         r.mProfile->advanceLevelOn();
       },
       {List(4, &stringHowToPlay, 6, 55), Bottom(0, &stringOK)},
       {},
       &stringHelp,
       &stringHelpWordComplete},
      {"high scores", 27, nullptr, {Bottom(0, &stringBack)}, {}, &stringHighScores, nullptr},
      {"map unlocked", 28, nullptr, {Bottom(0, &stringBack)}, {}, &stringMapUnlocked, &stringMapUnlockedInfo},
      {"wands unlocked",
       29,
       nullptr,
       {Bottom(0, &stringBack)},
       {},
       &stringWandsUnlocked,
       &stringWandsUnlockedInfo},
      {"extra hard unlocked",
       30,
       nullptr,
       {Bottom(0, &stringBack)},
       {},
       &stringHardUnlocked,
       &stringHardUnlockedInfo},
      {"wands unlocked (play scene)",
       31,
       nullptr,
       {Bottom(0, &stringBack)},
       {},
       &stringWandsUnlocked,
       &stringWandsUnlockedInfo2},
      {"first potion help",
       32,
       nullptr,
       {List(4, &stringHowToPlay, 6, 55)},
       {},
       &stringHelp,
       &stringHelpMatchGame1stTime},
      {"first chant help",
       33,
       nullptr,
       {List(4, &stringHowToPlay, 6, 55)},
       {},
       &stringHelp,
       &stringHelpWordComplete1stTime},
      {"no layout (34)", 34, nullptr, {}, {}, nullptr, nullptr},
      {"no layout (49)", 49, nullptr, {}, {}, nullptr, nullptr},
      {"welcome hint", 50, nullptr, {Bottom(0, &stringOK)}, {}, &stringHint, &stringHintWelcomeZq},
      {"failed press warning",
       57,
       nullptr,
       {Bottom(0, &stringOK)},
       {},
       &stringWarning,
       &stringHintFailedPress},
      {"short time warning", 58, nullptr, {Bottom(0, &stringOK)}, {}, &stringWarning, &stringHintShortTime},
      {"chant failed", 65, nullptr, {Bottom(0, &stringOK)}, {}, &stringChantFailed, &stringHintChantFailed},
      {"custom cursor hint", 75, nullptr, {Bottom(0, &stringOK)}, {}, &stringHint, &stringHintCustomCursor},
  };
  for (const LayoutCase& c : kCases) Check(c);
}

TEST_F(PopupLayoutOfTypes, LevelFailedAfterChapterTwelveHasTheLastLevelText) {
  mProfile->startNewGame(1);
  for (int i = 0; i < 12; ++i) mProfile->advanceLevelOn();
  ASSERT_EQ(mProfile->getLevelOn(), 13);
  Open(Tesk::POPUP_LEVEL_FAILED);
  EXPECT_EQ(mPopup->m_bodyText, stringLevelFailedLastLevelDetails);
}

TEST_F(PopupLayoutOfTypes, ProfileListsPlaceTheExistingProfilesInSlotOrder) {
  using namespace Tesk;
  // Profiles in slots 0 and 2 only; slot 2 is in use.
  MakeProfile(L"Ada");
  MakeProfile(L"Bo");
  MakeProfile(L"Cy");
  mProfile->setProfileUsing(1);
  mProfile->deleteAvailableProfile(1);
  mProfile->setProfileUsing(2);
  ASSERT_EQ(mProfile->getTotalProfilesLoaded(), 2);
  const int h = Ascent();

  Check({"profiles",
         10,
         nullptr,
         {List(3, &stringCreateNewProfileMenu, 5), List(4, &stringDeleteProfileMenu, 5),
          Bottom(5, &stringBack)},
         {},
         &stringSelectProfileMenu,
         nullptr},
        2);
  struct Name {
    int index;
    const wchar_t* name;
    Color color;
  };
  const Name kNames[] = {{0, L"Ada", PopupBox::k_baseNameColor},
                         {1, L"Cy", PopupBox::k_baseCurrentProfileColor}};
  for (const Name& n : kNames) {
    SCOPED_TRACE(n.index);
    OrvoButtonWidget* b = mPopup->m_buttons[n.index];
    EXPECT_TRUE(b->mVisible);
    EXPECT_EQ(b->mLabel, n.name);
    EXPECT_EQ(b->mButtonImage, nullptr);
    EXPECT_EQ(b->mHoverImage, nullptr);
    const int w = FONT_MEDIUM->StringWidth(n.name);
    EXPECT_EQ(b->GetRect(), TRect<int>(400 - w / 2, 226 + n.index * (h + 10), w, h));
    EXPECT_EQ(b->mIdleTextColor, n.color);
    EXPECT_EQ(b->mColors[0], PopupBox::k_baseCurrentProfileHover);
  }
  EXPECT_FALSE(mPopup->m_buttons[2]->mVisible) << "the empty row";

  Check({"delete list", 11, nullptr, {Bottom(2, &stringBack)}, {}, &stringDeleteProfileMenu, nullptr}, 2);
  EXPECT_EQ(mPopup->m_buttons[1]->mLabel, L"Cy");
}

TEST_F(PopupLayoutOfTypes, TheCheckBoxesShowTheSettingsTheyStandFor) {
  mProfile->setHelpBox(false);
  Tesk::GameApp::s_isUsingCustomCursor = true;
  Open(Tesk::POPUP_HELP_OPTIONS);
  EXPECT_FALSE(mPopup->m_helpBoxCheckbox->mChecked);
  EXPECT_TRUE(mPopup->m_customCursorCheckbox->mChecked);

  mProfile->setDistractionsOff(true);
  mApp->mIsWindowed = false;
  Open(Tesk::POPUP_GAME_OPTIONS);
  EXPECT_TRUE(mPopup->m_distractionsCheckbox->mChecked);
  EXPECT_TRUE(mPopup->m_fullScreenCheckbox->mChecked);
  mApp->mIsWindowed = true;
  Open(Tesk::POPUP_TITLE_OPTIONS);
  EXPECT_FALSE(mPopup->m_fullScreenCheckbox->mChecked);
  // Set without telling the popup: nothing was played for them.
  for (int aSound : Played()) {
    EXPECT_NE(aSound, Tesk::SFX_CHECK);
  }
}

TEST_F(PopupLayoutOfTypes, TheOpeningSoundFollowsTheFadeAndTheKindOfPopup) {
  struct Case {
    const char* name;
    float fade;
    uint8_t type;
    int* sound;  // null: silent
  };
  const Case kCases[] = {
      {"over a bright screen", 1.0f, Tesk::POPUP_TITLE_OPTIONS, &Tesk::SFX_POPUPBOX_APPEAR},
      {"one popup replacing another over the dimmed scene", 0.25f, Tesk::POPUP_TITLE_OPTIONS, nullptr},
      {"a dimming not yet at its level", 0.27f, Tesk::POPUP_GAME_OPTIONS, &Tesk::SFX_POPUPBOX_APPEAR},
      {"a hint over a bright screen", 1.0f, Tesk::POPUP_HINT_FIND_COINS, &Tesk::SFX_HINT},
      {"a hint over the dimmed scene", 0.25f, Tesk::POPUP_HINT_SHORT_TIME, &Tesk::SFX_HINT},
      {"mini-game help", 0.25f, Tesk::POPUP_HELP_CHANT, &Tesk::SFX_HINT},
      {"first mini-game help", 1.0f, Tesk::POPUP_FIRST_HELP_POTION, &Tesk::SFX_HINT},
      {"no layout, still the common part", 1.0f, 40, &Tesk::SFX_POPUPBOX_APPEAR},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Tesk::GameApp::sm_colorFade = c.fade;
    Played().clear();
    Open(c.type);
    if (c.sound == nullptr) {
      EXPECT_TRUE(Played().empty());
    } else {
      EXPECT_EQ(Played(), std::vector<int>{*c.sound});
    }
  }
}

TEST_F(PopupLayoutOfTypes, ATransitionLaysNothingOutAndKeepsTheType) {
  Open(Tesk::POPUP_LEVEL_FAILED);
  Played().clear();
  mPopup->SetVisible(false);
  mPopup->setType(Tesk::POPUP_TO_LEVEL_INTRO);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_LEVEL_FAILED);
  EXPECT_EQ(mPopup->m_subType, Tesk::POPUP_TO_LEVEL_INTRO);
  EXPECT_EQ(mPopup->m_boxImage, Tesk::GameApp::s_images[20]);
  EXPECT_TRUE(Played().empty());
  for (Tesk::OrvoButtonWidget* b : mPopup->m_buttons) EXPECT_FALSE(b->mVisible);
  EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mPopup);
  // The next layout clears it.
  Open(Tesk::POPUP_TITLE_OPTIONS);
  EXPECT_EQ(mPopup->m_subType, 0);
}

TEST_F(PopupLayoutOfTypes, ShowingThePopupShowsEveryChildUntilATypeHidesThemAgain) {
  mPopup->SetVisible(true);
  for (Tesk::OrvoButtonWidget* b : mPopup->m_buttons) EXPECT_TRUE(b->mVisible);
  EXPECT_TRUE(mPopup->m_nameEdit->mVisible);
  mPopup->setType(Tesk::POPUP_LOCATION_DONE);
  EXPECT_FALSE(mPopup->m_nameEdit->mVisible);
  EXPECT_FALSE(mPopup->m_buttons[1]->mVisible);
  EXPECT_TRUE(mPopup->m_buttons[0]->mVisible);
  // Hiding over the title screen gives the keyboard back to it; over another screen nothing moves.
  mPopup->setParent(mTitle);
  mPopup->SetVisible(false);
  EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mTitle);
  mApp->mWidgetManager->AddWidget(mMap);
  Open(Tesk::POPUP_LOCATION_DONE, mMap);
  mPopup->SetVisible(false);
  EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mPopup);
  mApp->mWidgetManager->RemoveWidget(mMap);
}

}  // namespace
