// What each button of each popup type does: a sound, then another type, a close that lets the
// scene underneath run again, or a fade to black with the next screen armed.
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LocationData.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

namespace {

// The scenes' own resume states; each closes the popup and brings the scene's widgets back.
void resumeMap(GameApp* theApp) { theApp->getMap()->setGameState(3); }
void resumePlayScene(GameApp* theApp) { theApp->getIngame()->setGameState(4); }
void handBackToMiniGame(GameApp* theApp) { theApp->getMiniGame()->setGameState(8); }

// The play scene's location has no open find-list entries left.
bool locationFinished(GameApp* theApp) {
  const LocationData* aLocation = theApp->getIngame()->getLocationData();
  return aLocation != nullptr && aLocation->m_numOpen == 0;
}

void resetTitle(Widget* theParent) {
  TitleScreen* aTitle = dynamic_cast<TitleScreen*>(theParent);
  if (aTitle != nullptr) aTitle->resetWelcomeText();
}

}  // namespace

void PopupBox::close() {
  SetVisible(false);
  GameApp::setFade(0);
}

void PopupBox::leaveTo(unsigned char theSubType) {
  SetVisible(false);
  GameApp::setFade(1);
  setType(theSubType);
}

unsigned char PopupBox::miniGameByLevelParity() {
  return m_app->getProfileData()->getLevelOn() % 2 == 1 ? POPUP_TO_POTION_GAME : POPUP_TO_CHANT_GAME;
}

void PopupBox::saveMiniGame() { m_app->saveGame(true, true); }

void PopupBox::ButtonDepress(int theId) {
  // A transition armed by one press must not be overridden by a second.
  if (GameApp::isInFade()) return;
  ProfileData* aProfile = m_app->getProfileData();

  switch (m_type) {
    case POPUP_PLAY_MENU:
      if (theId == 1) {
        playSample(SFX_SELECT_PRESS);
        setType(aProfile->doesLevelDataExist() ? POPUP_CONFIRM_OVERWRITE : POPUP_DIFFICULTY);
      } else if (theId == 2) {
        playSample(SFX_START_GAME);
        leaveTo(aProfile->getSaveInMinigame() ? POPUP_TO_SAVED_MINI_GAME : POPUP_TO_LEVEL_INTRO);
      } else {
        playSample(SFX_BACK_PRESS);
        close();
      }
      return;

    case POPUP_DIFFICULTY: {
      // With extra hard locked, id 3 is the Back button.
      const bool anExtraHard = aProfile->isExtraHardDiffUnlocked();
      if (theId == 1 || theId == 2 || (theId == 3 && anExtraHard)) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_STORY_LENGTH);
        m_chosenDifficulty = theId - 1;
      } else if (theId == 3 || (theId == 4 && anExtraHard)) {
        playSample(SFX_SELECT_PRESS);
        close();
      }
      return;
    }

    case POPUP_HELP_OPTIONS:
      if (theId == 7) {
        if (m_app->ingameInMinigame()) saveMiniGame();
        playSample(SFX_BACK_PRESS);
        setType(POPUP_TO_HOW_TO_PLAY_INGAME);
        GameApp::setFade(1);
        SetVisible(false);
      } else if (theId == 8) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_3D_OPTIONS);
      } else if (theId == 9) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_GAME_OPTIONS);
      }
      return;

    case POPUP_3D_OPTIONS:
      playSample(SFX_SELECT_PRESS);
      setType(POPUP_HELP_OPTIONS);
      return;

    case POPUP_TITLE_OPTIONS:
      if (theId == 5) {
        playSample(SFX_BACK_PRESS);
        leaveTo(POPUP_TO_CREDITS);
      } else if (theId == 6) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_HIGH_SCORES);
      } else if (theId == 7) {
        playSample(SFX_BACK_PRESS);
        close();
      }
      return;

    case POPUP_GAME_OPTIONS:
      if (theId == 6 || theId == 7 || theId == 8) {
        playSample(SFX_SELECT_PRESS);
        setType(theId == 6 ? POPUP_HELP_OPTIONS : theId == 7 ? POPUP_UNLOCKABLES : POPUP_CONFIRM_EXIT);
      } else if (theId == 9) {
        playSample(SFX_BACK_PRESS);
        if (m_app->ingameInMap()) {
          resumeMap(m_app);
        } else if (m_app->ingameInLocation()) {
          resumePlayScene(m_app);
        } else {
          handBackToMiniGame(m_app);
        }
      }
      return;

    case POPUP_CONFIRM_OVERWRITE:
      if (theId == 5) {
        playSample(SFX_SELECT_PRESS);
        aProfile->setHasSaveFile(false);
        aProfile->setNoLevelData();
        setType(POPUP_DIFFICULTY);
      } else if (theId == 6) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_PLAY_MENU);
      }
      return;

    case POPUP_STORY_LENGTH:
      if (theId == 5 || theId == 6) {
        playSample(SFX_START_GAME);
        aProfile->startNewGame(m_chosenDifficulty);
        leaveTo(POPUP_TO_STORY);
        Story::s_storyType = theId == 5 ? 0 : 1;
      }
      return;

    case POPUP_UNLOCKABLES:
      playSample(SFX_SELECT_PRESS);
      if (theId == 2) {
        aProfile->setMapUsing(aProfile->getMapUsing() == 0 ? 1 : 0);
        m_buttons[1]->mLabel = stringMapUsingToggle[aProfile->getMapUsing()];
        m_buttons[1]->MarkDirty();
        m_app->getMap()->setMapType();
      } else {
        setType(POPUP_GAME_OPTIONS);
      }
      return;

    case POPUP_NEW_PROFILE:
      playSample(SFX_SELECT_PRESS);
      wordEnterPressed();
      return;

    case POPUP_PROFILES: {
      const int n = aProfile->getTotalProfilesLoaded();
      if (theId >= 1 && theId <= n) {
        playSample(SFX_BACK_PRESS);
        aProfile->setAvailableProfileUsing(theId - 1);
        resetTitle(m_parent);
        changeProfile();
        GameApp::setFade(0);
        SetVisible(false);
      } else if (theId == n + 2) {
        if (aProfile->getNextAvailableProfile() == -1) {
          playSample(SFX_ERROR);
          setType(POPUP_PROFILE_ERROR);
        } else {
          playSample(SFX_SELECT_PRESS);
          setType(POPUP_NEW_PROFILE);
        }
      } else if (theId == n + 3) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_DELETE_PROFILE);
      } else if (theId == n + 4) {
        playSample(SFX_BACK_PRESS);
        close();
      }
      return;
    }

    case POPUP_DELETE_PROFILE:
      playSample(SFX_SELECT_PRESS);
      if (theId >= 1 && theId <= aProfile->getTotalProfilesLoaded()) {
        m_deleteProfileIndex = static_cast<uint8_t>(theId - 1);
        setType(POPUP_CONFIRM_DELETE);
      } else {
        setType(POPUP_PROFILES);
      }
      return;

    case POPUP_CONFIRM_DELETE:
      if (theId == 5) {
        aProfile->deleteAvailableProfile(m_deleteProfileIndex);
        resetTitle(m_parent);
        changeProfile();
        playSample(SFX_PROFILE_DELETED);
        if (aProfile->getTotalProfilesLoaded() == 0) {
          resetTitle(m_parent);
          changeProfile();
          close();
        } else {
          setType(POPUP_DELETE_PROFILE);
        }
      } else if (theId == 6) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_DELETE_PROFILE);
      }
      return;

    case POPUP_CONFIRM_EXIT:
      if (theId == 5) {
        m_app->saveGame(m_app->ingameInMinigame(), true);
        playSample(SFX_BACK_PRESS);
        leaveTo(POPUP_TO_TITLE);
      } else if (theId == 6) {
        playSample(SFX_SELECT_PRESS);
        setType(POPUP_GAME_OPTIONS);
      }
      return;

    case POPUP_NAME_EXISTS:
    case POPUP_NAME_EMPTY:
      playSample(SFX_SELECT_PRESS);
      setType(POPUP_NEW_PROFILE);
      return;

    case POPUP_PROFILE_ERROR:
      playSample(SFX_SELECT_PRESS);
      setType(POPUP_PROFILES);
      return;

    case POPUP_NO_WINDOW_TITLE:
      playSample(SFX_SELECT_PRESS);
      setType(POPUP_TITLE_OPTIONS);
      return;

    case POPUP_NO_WINDOW_GAME:
      playSample(SFX_SELECT_PRESS);
      setType(POPUP_GAME_OPTIONS);
      return;

    case POPUP_HIGH_SCORES:
      playSample(SFX_SELECT_PRESS);
      setType(POPUP_TITLE_OPTIONS);
      return;

    case POPUP_ALL_OBJECTS_FOUND:
      if (theId == 5) {
        if (m_app->ingameInMap()) {
          resumeMap(m_app);
          close();
        } else if (locationFinished(m_app)) {
          leaveTo(POPUP_TO_MAP_2);
        } else {
          resumePlayScene(m_app);
          close();
        }
        playSample(SFX_BACK_PRESS);
      } else if (theId == 6) {
        SetVisible(false);
        GameApp::setFade(1);
        setType(miniGameByLevelParity());
        playSample(SFX_BACK_PRESS);
      }
      return;

    case POPUP_LOCATION_DONE:
      playSample(SFX_BACK_PRESS);
      leaveTo(POPUP_TO_MAP_2);
      return;

    case POPUP_LEVEL_FAILED:
      playSample(SFX_BACK_PRESS);
      if (theId == 5) {
        leaveTo(POPUP_TO_LEVEL_INTRO);
      } else if (theId == 6) {
        leaveTo(POPUP_TO_TITLE);
      }
      return;

    case POPUP_ALL_RUNESTONES:
      aProfile->addRankRecord(aProfile->getProfileName(), aProfile->getGameAvgGrade(),
                              aProfile->getDifficultyLevel(), aProfile->getTotalGameTime());
      playSample(SFX_BACK_PRESS);
      leaveTo(POPUP_TO_STORY_FINALLY);
      return;

    case POPUP_CHAPTER_OBJECTS_FOUND:
      SetVisible(false);
      GameApp::setFade(1);
      setType(miniGameByLevelParity());
      playSample(SFX_BACK_PRESS);
      return;

    case POPUP_HELP_POTION:
    case POPUP_HELP_CHANT:
    case POPUP_FIRST_HELP_POTION:
    case POPUP_FIRST_HELP_CHANT:
      if (theId == 5) {
        saveMiniGame();
        leaveTo(POPUP_TO_HOW_TO_PLAY_INGAME);
      } else {
        playSample(SFX_BACK_PRESS);
        close();
        m_app->getMiniGame()->setGameState(2);
      }
      return;

    case POPUP_MAP_UNLOCKED:
      resumePlayScene(m_app);
      close();
      return;

    case POPUP_WANDS_UNLOCKED:
    case POPUP_EXTRA_HARD_UNLOCKED:
      playSample(SFX_BACK_PRESS);
      leaveTo(POPUP_TO_TITLE);
      return;

    case POPUP_WANDS_UNLOCKED_2:
      playSample(SFX_BACK_PRESS);
      resumePlayScene(m_app);
      close();
      return;

    // Hint popups: one OK button; every id acts the same.
    case POPUP_HINT_WELCOME:
    case POPUP_HINT_ENOUGH_OBJECTS_FOUND:
    case POPUP_HINT_RUNESTONES:
    case POPUP_HINT_CUSTOM_CURSOR:
      playSample(SFX_BACK_PRESS);
      resumeMap(m_app);
      close();
      return;

    case POPUP_HINT_REPEATED_MATCH3:
    case POPUP_HINT_CHANT_HINT:
    case POPUP_HINT_CHANT_FAILED:
    case POPUP_HINT_CHANT_CANNOT_ADD_MORE:
    case POPUP_HINT_INGREDIENTS_DONT_MOVE:
      handBackToMiniGame(m_app);
      close();
      return;

    case POPUP_HINT_SHORT_TIME:
      playSample(SFX_BACK_PRESS);
      if (m_app->ingameInMap()) {
        resumeMap(m_app);
      } else if (m_app->ingameInMinigame()) {
        handBackToMiniGame(m_app);
      } else {
        resumePlayScene(m_app);
      }
      close();
      return;

    default:
      // The play scene's hints; types without buttons (16, 34 to 49) have nothing to press.
      if (m_type >= POPUP_HINT_FIND_OBJECTS && m_type <= POPUP_HINT_COIN_REMINDER) {
        playSample(SFX_BACK_PRESS);
        resumePlayScene(m_app);
        close();
      }
      return;
  }
}

}  // namespace Tesk
