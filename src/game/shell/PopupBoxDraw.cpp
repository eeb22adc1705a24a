// The popup box's drawing: the box with its shadowed heading, then the page of the type: a
// message, option labels, the difficulty under the pointer, the unlockables, the game's
// statistics or the hall of fame. The child widgets draw themselves.
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "widgets/Checkbox.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"

namespace Tesk {

namespace {

const int k_german = 3;

// Left, centred and right alignment of the text operations.
const int k_left = -1;
const int k_centred = 0;
const int k_right = 1;

// Heading and body before any layout set them.
const wchar_t* orEmpty(const wchar_t* theText) { return theText != nullptr ? theText : L""; }

}  // namespace

void PopupBox::Draw(Graphics* g) {
  g->SetFont(FONT_TITLE_OPTIONS);
  if (m_type != POPUP_CHAPTER_COMPLETE) {
    g->SetColorizeImages(true);
    g->SetColor(Color::White);
    g->DrawImage(m_boxImage, m_boxX, m_boxY);
    g->SetColor(Color(0, 0, 0, 60));
    WriteString(g, orEmpty(m_headerText), 2, 178, mWidth, k_centred);
    g->SetColor(k_headerColor);
    WriteString(g, orEmpty(m_headerText), 0, 176, mWidth, k_centred);
  }

  ProfileData* aProfile = m_app->getProfileData();
  const int anAscent = FONT_MEDIUM->GetAscent();
  const int aCheckWidth = IMAGE_CHECKBOX->GetWidth() / 2;
  // A label's top beside a control of theHeight, so that both share a middle.
  auto aLabelOffset = [&](int theHeight) { return theHeight / 2 - anAscent / 2; };
  auto aWrapped = [&](const wchar_t* theText, int x, int y, int theWidth, int theHeight, int theSpacing,
                      int theJustification) {
    WriteWordWrapped(g, TRect<int>(x, y, theWidth, theHeight), theText, theSpacing, theJustification);
  };

  switch (m_type) {
    case POPUP_DIFFICULTY: {
      int anIndex = -1;
      if (m_buttons[0]->mIsOver) {
        anIndex = 0;
      } else if (m_buttons[1]->mIsOver) {
        anIndex = 1;
      } else if (aProfile->isExtraHardDiffUnlocked() && m_buttons[2]->mIsOver) {
        anIndex = 2;
      }
      if (anIndex < 0) break;
      g->SetFont(FONT_MEDIUM);
      g->SetColor(k_baseColor);
      aWrapped(stringDiffInfo[anIndex], 260, TeskAppBase::s_languageUsing == k_german ? 366 : 376, 280, 300,
               22, k_centred);
      break;
    }
    case POPUP_HELP_OPTIONS:
    case POPUP_3D_OPTIONS: {
      // An explanation above the page's check boxes, each labelled 6 pixels to its right.
      const bool isHelp = m_type == POPUP_HELP_OPTIONS;
      g->SetFont(FONT_MEDIUM);
      g->SetColor(k_baseColor);
      aWrapped(isHelp ? stringLookOnline : string3DToggleInfo, 260, 220, 280, 300, 22, k_centred);
      const int a = aLabelOffset(m_helpBoxCheckbox->mHeight);
      if (isHelp) {
        WriteString(g, stringHelpBox, 290 + aCheckWidth + 6, 310 + a, -1, k_left);
        WriteString(g, stringHelpCustomCursor, 290 + aCheckWidth + 6, 344 + a, -1, k_left);
      } else {
        WriteString(g, string3DEnabled, 320 + aCheckWidth + 6, 360 + a, -1, k_left);
      }
      break;
    }
    case POPUP_TITLE_OPTIONS:
    case POPUP_GAME_OPTIONS: {
      g->SetFont(FONT_MEDIUM);
      g->SetColor(k_baseColor);
      const int s = aLabelOffset(m_musicSlider->mHeight);
      WriteString(g, stringMusic, 0, 224 + s, 366, k_right);
      WriteString(g, stringSfx, 0, 256 + s, 366, k_right);
      const int a = aLabelOffset(m_fullScreenCheckbox->mHeight);
      WriteString(g, stringFullscreen, 330 + aCheckWidth + 6, 282 + a, -1, k_left);
      if (m_type == POPUP_GAME_OPTIONS)
        WriteString(g, stringDistractionsOff, 330 + aCheckWidth + 6, 316 + a, -1, k_left);
      break;
    }
    case POPUP_UNLOCKABLES: {
      g->SetFont(FONT_MEDIUM);
      g->SetColor(k_baseColor);
      bool anyShown = false;
      if (aProfile->isOtherMapUnlocked()) {
        WriteString(g, stringMapUsing, 0, 216, 800, k_centred);
        anyShown = true;
      }
      if (aProfile->areWandsUnlocked()) {
        for (int i = 0; i < 3; ++i) {
          const TRect<int> aSquare(s_wandX[i], 312, 64, 64);
          g->SetColor(Color(0, 0, 40, 50));
          g->FillRect(aSquare);
          g->SetColor(k_baseColor);
          g->DrawRect(aSquare);
          g->SetColor(Color::White);
          g->DrawImage(GameApp::s_images[21 + i], aSquare, TRect<int>(64, 64, 64, 64));
        }
        g->SetColor(k_baseColor);
        WriteString(g, stringChooseYourWand, 0, 286, 800, k_centred);
        anyShown = true;
      }
      if (aProfile->isExtraHardDiffUnlocked()) {
        aWrapped(stringUnlockablesExtraHardDiff, 260, 406, 280, 60, 22, k_centred);
        anyShown = true;
      }
      if (!anyShown) aWrapped(stringNothingUnlocked, 260, 220, 280, 300, 22, k_centred);
      break;
    }
    case POPUP_CHAPTER_COMPLETE:
      drawLevelCompleted(g);
      PARTICLE::draw(g, GameApp::getFadeColorFloat(), this);
      break;
    case POPUP_ALL_RUNESTONES:
    case POPUP_HIGH_SCORES: {
      g->SetFont(FONT_MEDIUM);
      g->SetColor(k_baseColor);
      int r = 180;
      if (m_type == POPUP_ALL_RUNESTONES) {
        aWrapped(orEmpty(m_bodyText), 260, 220, 280, 300, 22, k_centred);
        g->SetColor(k_baseCurrentProfileColor);
        WriteString(g, stringGameStats, 296, r + 176, 0, k_centred);
      } else {
        r = 60;
      }
      g->SetColor(k_baseColor);
      WriteString(g, stringTimeCol, 420, r + 176, 0, k_centred);
      WriteString(g, stringGradeAvgCol, 516, r + 176, 0, k_centred);

      // One row: a name (in the small font, a little lower, when it is too wide), the time
      // or the untimed difficulty's name, and the grade.
      auto aRow = [&](const wchar_t* theName, int theDifficulty, int theSeconds, float theGrade,
                      const wchar_t* theFormat) {
        r += 30;
        g->SetColor(k_baseColor);
        if (FONT_MEDIUM->StringWidth(theName) > 127) {
          g->SetFont(FONT_SMALL);
          WriteString(g, theName, 296, r + 176 + 2, 0, k_centred);
          g->SetFont(FONT_MEDIUM);
        } else {
          WriteString(g, theName, 296, r + 176, 0, k_centred);
        }
        g->SetColor(k_highlightColor);
        if (theDifficulty == 0) {
          WriteString(g, stringDiff1, 420, r + 176, 0, k_centred);
        } else {
          wchar_t aMinutes[32];
          GameText::formatText(aMinutes, 32, theFormat, theSeconds / 60);
          WriteString(g, aMinutes, 420, r + 176, 0, k_centred);
        }
        WriteString(g, GameApp::getGradeText(theGrade), 516, r + 176, 0, k_centred);
      };
      if (m_type == POPUP_ALL_RUNESTONES) {
        aRow(aProfile->getProfileName(), aProfile->getDifficultyLevel(), aProfile->getTotalGameTime(),
             aProfile->getGameAvgGrade(), stringMinPostMerge);
      } else {
        for (int k = 0; k < 6; ++k) {
          const RankRecord* aRank = aProfile->getRankRecord(k);
          const int aDifficulty = static_cast<int>(aRank->mDifficulty & 3);
          aRow(aRank->mName, aDifficulty, aRank->mTimeSeconds, aRank->mGrade,
               aDifficulty == 1 ? stringMinPostMerge : stringMinPostMergeShort);
        }
      }
      break;
    }
    case POPUP_CONFIRM_OVERWRITE:
    case POPUP_STORY_LENGTH:
    case POPUP_ALL_OBJECTS_FOUND:
    case POPUP_LOCATION_DONE:
    case POPUP_CONFIRM_DELETE:
    case POPUP_CONFIRM_EXIT:
    case POPUP_LEVEL_FAILED:
    case POPUP_CHAPTER_OBJECTS_FOUND:
    case POPUP_NAME_EXISTS:
    case POPUP_NAME_EMPTY:
    case POPUP_PROFILE_ERROR:
    case POPUP_NO_WINDOW_TITLE:
    case POPUP_NO_WINDOW_GAME:
    case POPUP_HELP_POTION:
    case POPUP_HELP_CHANT:
    case POPUP_MAP_UNLOCKED:
    case POPUP_WANDS_UNLOCKED:
    case POPUP_EXTRA_HARD_UNLOCKED:
    case POPUP_WANDS_UNLOCKED_2:
    case POPUP_FIRST_HELP_POTION:
    case POPUP_FIRST_HELP_CHANT:
      drawMessage(g);
      break;
    default:
      if (m_type >= POPUP_HINT_WELCOME && m_type <= POPUP_HINT_CUSTOM_CURSOR) drawMessage(g);
      break;
  }
}

void PopupBox::drawMessage(Graphics* g) {
  const bool isGerman = TeskAppBase::s_languageUsing == k_german;
  const int aWidth = isGerman ? 330 : 280;
  g->SetFont(FONT_MEDIUM);
  g->SetColor(k_baseColor);
  WriteWordWrapped(g, TRect<int>(400 - aWidth / 2, 220, aWidth, 300), orEmpty(m_bodyText), isGerman ? 20 : 22,
                   k_centred);
}

}  // namespace Tesk
