// The play scene's input and object finding.
#include <cmath>

#include "core/MacUtils.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/Math.h"
#include "game/play/PlayConstants.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"

namespace Tesk {

namespace {

constexpr uint16_t k_messageUpdates = 700;
constexpr int k_growUpdates = 45;
constexpr int k_glitterUpdates = 150;

// Particle effects of the scene.
enum {
  k_particleMiss = 5,
  k_particleMissPenalised = 6,
  k_particleFound = 23,
  k_particleGlitter = 24,
  k_particleGradeSame = 25,
  k_particleGradeDown = 26,
};

int fontAscent(Font* theFont) { return theFont != nullptr ? theFont->GetAscent() : 0; }

}  // namespace

void InGame::particleArea(const Selectable* theObject, int& theX, int& theY, int& theW, int& theH) {
  const int w = theObject->m_image != nullptr ? theObject->m_image->GetWidth() : 0;
  const int h = theObject->m_image != nullptr ? theObject->m_image->GetHeight() : 0;
  theX = theObject->getX() + w / 2;
  theY = theObject->getY() + h / 2;
  theW = w - (w < 25 ? w / 5 : 5);
  theH = h - (h < 25 ? h / 5 : 5);
}

void InGame::MouseDown(int x, int y, int theClickCount) {
  if (GameApp::isInFade()) return;
  Widget::MouseDown(x, y, theClickCount);
  if (theClickCount != 1 || m_state != 1) return;

  if (x < 140) {
    if (MATH::BBPointTest(x, y, 27, 437, 80, 30)) {
      setGameState(2);
      playSample(SFX_SELECT_PRESS);
    }
    return;
  }

  ProfileData* aProfile = profile();
  if (m_levelDynamics.clickedOnTest(x, y, m_app)) {
    showHelpOnce(POPUP_HINT_CLICKED_ON_DISTRACTION, 2, false);
    return;
  }

  Highlight* aSlot = nullptr;
  for (Highlight& aHighlight : m_highlights)
    if (aHighlight.m_object == nullptr) {
      aSlot = &aHighlight;
      break;
    }
  if (aSlot == nullptr) return;

  Selectable* anObject = pointObjCollisionCheck(x, y);
  if (anObject != nullptr && anObject->isToFind()) {
    if (!foundCollectable(anObject)) findListStep(anObject);
    anObject->setToFind(false);
    anObject->setVisible(false);
    *aSlot = Highlight{anObject, 1.0f, 1.0f, 1, k_growUpdates};
    GameApp::resetPenaltyBuffer(true);
    return;
  }

  int aPenalty = 0;
  const std::wstring& aText =
      m_app != nullptr ? m_app->missPress(timeGetTime(), aPenalty) : GameApp::s_reduceTime15;
  m_quickfind.m_counter = k_notQuick;
  if (aPenalty == 0) {
    PARTICLE::createSystem(x, y, k_particleMiss, 0, 0, nullptr);
    playSample(SFX_MISPRESS);
    return;
  }
  PARTICLE::createSystem(x, y, k_particleMissPenalised, 0, 0, nullptr);
  if (aProfile != nullptr && aProfile->getDifficultyLevel() != 0) {
    aProfile->adjustLevelTimer(-aPenalty);
    PARTICLE::createTxtParticle(70, 433, PARTICLE::k_txtType, &aText, FONT_MEDIUM, 0);
  }
  playSample(SFX_MISPRESS_MULTIPLE);
  quickfindReduction();
  showHelpOnce(POPUP_HINT_FAILED_PRESS, 2, true);
}

void InGame::findListStep(Selectable* theObject) {
  FindInfo* aMatch = nullptr;
  if (m_location != nullptr)
    for (FindInfo& anEntry : m_location->m_findInfo)
      if (anEntry.isActive() && anEntry.getKind() == theObject->getKind()) {
        aMatch = &anEntry;
        break;
      }
  if (aMatch != nullptr) {
    for (Selectable*& aPart : aMatch->m_parts)
      if (aPart == theObject) {
        aPart = nullptr;
        break;
      }
    aMatch->setCount(aMatch->getCount() - 1);
    const bool isEntryDone = aMatch->getCount() == 0;
    if (isEntryDone) {
      aMatch->setActive(false);
      if (m_location->m_numOpen > 0) --m_location->m_numOpen;
    }
    if (quickfindTest()) {
      // The quick-find lesson is learnt with it.
      if (showHelpOnce(POPUP_HINT_FIRST_QUICKFIND, 2, false)) profile()->setHintBlock(5);
    } else {
      playSample(isEntryDone ? SFX_OBJECT_SET_FOUND : SFX_OBJECT_FOUND);
    }
  }
  int cx, cy, w, h;
  particleArea(theObject, cx, cy, w, h);
  PARTICLE::createSystem(cx, cy, k_particleFound, w, h, 70, 500, nullptr);
}

Selectable* InGame::pointObjCollisionCheck(int x, int y) {
  for (int i = k_renderSlots - 1; i >= 0; --i) {
    Selectable* anObject = m_renderArray[i];
    if (anObject == nullptr || !anObject->isVisible() || anObject->m_image == nullptr) continue;
    Image* anImage = anObject->m_image.get();
    const int ox = anObject->getX(), oy = anObject->getY();
    const int w = anImage->GetWidth(), h = anImage->GetHeight();
    if (MATH::BBPointTest(x, y, ox, oy, w, h) && MATH::BBImageTest(x - ox, y - oy, anImage) != 0)
      return anObject;
  }
  return nullptr;
}

void InGame::updateHighlighted() {
  for (Highlight& aSlot : m_highlights) {
    Selectable* anObject = aSlot.m_object;
    if (anObject == nullptr) continue;
    switch (aSlot.m_phase) {
      case 1:
        aSlot.m_scale += k_highlightScaleSpeed1;
        if (--aSlot.m_timer == 0) {
          aSlot.m_timer = k_glitterUpdates;
          aSlot.m_phase = 2;
        }
        break;
      case 2: {
        --aSlot.m_timer;
        const int aKind = anObject->getKind();
        if (aKind < Selectable::k_kindCoin0 || aKind == Selectable::k_kindRunestone) {
          int aType = 0;
          if (aSlot.m_timer == 145 || aSlot.m_timer == 45) aType = k_particleGlitter;
          if (aSlot.m_timer == 95) aType = k_particleFound;
          if (aType != 0) {
            int cx, cy, w, h;
            particleArea(anObject, cx, cy, w, h);
            PARTICLE::createSystem(cx, cy, aType, w, h, 70, 500, nullptr);
          }
        }
        if (aSlot.m_timer <= 0) {
          aSlot.m_phase = 3;
          endOfFindChecks(anObject);
        }
        break;
      }
      case 3:
        aSlot.m_scale += k_highlightScaleSpeed2;
        aSlot.m_alpha -= k_highlightAlphaSpeed;
        if (aSlot.m_alpha < 0.0f) aSlot.m_object = nullptr;
        break;
      default:
        aSlot.m_object = nullptr;
        break;
    }
  }
}

void InGame::endOfFindChecks(Selectable* theObject) {
  ProfileData* aProfile = profile();
  LevelData* aLevel = levelData();
  if (aProfile == nullptr || aLevel == nullptr) return;
  const bool isCoin = theObject->isCoin();
  if (getLevel() == k_finalLevel) {
    if (aLevel->m_runestonesFound >= 4) {
      aProfile->setLevelGrade(2.0f);
      aProfile->setLevelGradePlus();
      aProfile->updateAvgGrade();
      const uint32_t aTimer = static_cast<uint32_t>(aProfile->getLevelTimer());
      aProfile->updateGameTotalTime(static_cast<int>((aLevel->m_totalLevelTime - aTimer) / 100u));
      playSample(SFX_MINIGAME_PASSED);
      openPopup(POPUP_ALL_RUNESTONES, 6, true, -1);
    } else if (isCoin) {
      coinUnlockChecks(false);
    }
    return;
  }
  if (aLevel->numberOfObjectsRemainingOnChapter() == 0) {
    openPopup(POPUP_CHAPTER_OBJECTS_FOUND, 6, true, -1);
    aProfile->setLevelGradePlus();
    playSample(SFX_MINIGAME_PASSED);
  } else if (aLevel->numberOfObjectsToFind() < 1 && !aProfile->getHintBlock(16)) {
    openPopup(POPUP_ALL_OBJECTS_FOUND, 6, true, 16);
    playSample(SFX_MINIGAME_PASSED);
  } else if (m_location != nullptr && m_location->m_numOpen == 0) {
    openPopup(POPUP_LOCATION_DONE, 6, true, -1);
  } else {
    findHighlightEnded(theObject);
  }
}

void InGame::drawHighlighted(Graphics* g, const float& theFade) {
  const int v = static_cast<int>(theFade * 255.0f);
  for (const Highlight& aSlot : m_highlights) {
    Selectable* anObject = aSlot.m_object;
    if (anObject == nullptr || anObject->m_image == nullptr) continue;
    Image* anImage = anObject->m_image.get();
    g->SetFastStretch(true);
    const float w = static_cast<float>(anImage->GetWidth());
    const float h = static_cast<float>(anImage->GetHeight());
    const float s = w > h ? w : h;
    const float aGrow = s * k_highlightScaleConstDivisor * (aSlot.m_scale - 1.0f);
    const float dw = (w / s) * aGrow + w;
    const float dh = (h / s) * aGrow + h;
    const float x = anObject->getX() + (w + 1.0f) * 0.5f - dw * 0.5f;
    const float y = anObject->getY() + (h + 1.0f) * 0.5f - dh * 0.5f;
    g->SetColor(Color(v, v, v, static_cast<int>(aSlot.m_alpha * 255.0f)));
    g->DrawImage(anImage, static_cast<int>(x), static_cast<int>(y), static_cast<int>(dw),
                 static_cast<int>(dh));
  }
  g->SetFastStretch(false);
}

bool InGame::quickfindTest() {
  bool isQuick = false;
  ProfileData* aProfile = profile();
  if (m_quickfind.m_counter < k_notQuick && aProfile != nullptr) {
    isQuick = true;
    m_quickfind.m_text = stringQuickfindExc;
    m_quickfind.m_font = FONT_SMALL;
    m_quickfind.m_alpha = 1.0f;
    m_quickfind.m_timer = k_messageUpdates;
    const float aLevelFactor = static_cast<float>(getLevel()) * 0.4f;
    const float aStep = aLevelFactor >= 1.0f ? 1.0f / aLevelFactor : 1.0f;
    const float anOld = aProfile->getLevelGrade();
    const float aNew = anOld + aStep;
    const int h = fontAscent(FONT_SMALL);
    aProfile->setLevelGrade(aNew);
    if (static_cast<int>(aNew) != static_cast<int>(anOld) && aNew < 3.0f) {
      m_quickfind.m_text = m_app != nullptr ? m_app->getNewGradeText() : stringQuickfindExc;
      PARTICLE::createSystem(70, h / 2 + 96, k_particleFound, 40, h, nullptr);
    } else {
      PARTICLE::createSystem(70, h / 2 + 96, k_particleGradeSame, 40, h, nullptr);
    }
    playSample(SFX_GRADE_UP);
  }
  m_quickfind.m_counter = 0;
  return isQuick;
}

void InGame::quickfindReduction() {
  m_quickfind.m_text = stringTimePenalty;
  m_quickfind.m_font = FONT_SMALL;
  m_quickfind.m_alpha = 1.0f;
  m_quickfind.m_counter = k_notQuick;
  m_quickfind.m_timer = k_messageUpdates;
  const int h = fontAscent(FONT_SMALL);
  if (ProfileData* aProfile = profile()) {
    const float anOld = aProfile->getLevelGrade();
    const float aNew = anOld - 0.25f;
    aProfile->setLevelGrade(aNew);
    if (static_cast<int>(aNew) != static_cast<int>(anOld) && aNew < 3.0f && aNew > 0.0f && m_app != nullptr)
      m_quickfind.m_text = m_app->getReductionGradeText();
  }
  PARTICLE::createSystem(70, h / 2 + 96, k_particleGradeDown, 40, h, nullptr);
}

}  // namespace Tesk
