// The global fade, the mis-click penalty and the grade texts.
#include <algorithm>

#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/ProfileData.h"

namespace Tesk {

uint8_t GameApp::sm_currentFadeDirection = 4;
float GameApp::sm_colorFade = 0.0f;
uint8_t GameApp::sm_fadeColoru8Value = 0;
uint32_t GameApp::m_penaltyBuffer[4] = {};
uint8_t GameApp::m_penaltyBufferIdx = 0;
std::wstring GameApp::s_reduceTime60;
std::wstring GameApp::s_reduceTime45;
std::wstring GameApp::s_reduceTime30;
std::wstring GameApp::s_reduceTime15;
std::wstring GameApp::s_coinFound;
wchar_t GameApp::k_newGrade[30] = {};

void GameApp::setFade(uint8_t theDirection) { sm_currentFadeDirection = theDirection; }

namespace {

// Per direction 0-3: the change per update and the level where the fade stops.
struct FadeStep {
  float mStep;
  float mTarget;
};
const FadeStep k_fadeSteps[4] = {{GameApp::k_fadeSpeed, 1.0f},
                                 {-GameApp::k_fadeSpeed, 0.0f},
                                 {-GameApp::k_fadeSpeed, GameApp::k_FLOAT_50PERCENT_FADE},
                                 {GameApp::k_fadeSpeed, GameApp::k_FLOAT_50PERCENT_FADE}};

}  // namespace

void GameApp::updateFade() {
  // Single-precision on purpose: the update counts of a fade (51 in or out, 38 to the dim
  // level) come from 0.02f being a little under 0.02.
  if (sm_currentFadeDirection < 4) {
    const FadeStep& aFade = k_fadeSteps[sm_currentFadeDirection];
    sm_colorFade += aFade.mStep;
    const bool anArrived = aFade.mStep > 0.0f ? sm_colorFade >= aFade.mTarget : sm_colorFade <= aFade.mTarget;
    if (anArrived) {
      sm_colorFade = aFade.mTarget;
      sm_currentFadeDirection = 4;
    }
  }
  sm_fadeColoru8Value = static_cast<uint8_t>(255.0f * sm_colorFade);
}

bool GameApp::isInFade() { return sm_currentFadeDirection != 4; }

bool GameApp::isFaded50() { return sm_colorFade == k_FLOAT_50PERCENT_FADE; }

int GameApp::getFadeColor() { return sm_fadeColoru8Value; }

float GameApp::getFadeColorFloat() { return sm_colorFade; }

const std::wstring& GameApp::missPress(const uint32_t& theNowMs, int& thePenalty) {
  // The slot at the index holds the oldest of the last four mis-clicks; the difference is
  // unsigned, so a clock that wrapped counts as a long gap.
  uint32_t& anOldest = m_penaltyBuffer[m_penaltyBufferIdx];
  if (theNowMs - anOldest > 2999u) {
    anOldest = theNowMs;
    m_penaltyBufferIdx = static_cast<uint8_t>((m_penaltyBufferIdx + 1) & 3);
    return s_reduceTime15;
  }

  resetPenaltyBuffer(false);
  int aCount = 0;
  if (m_profileData != nullptr) {
    m_profileData->increaseNumMisPresses();
    aCount = m_profileData->getNumMisPresses();
  }
  switch (aCount) {
    case 1:
      thePenalty = 1500;
      return s_reduceTime15;
    case 2:
      thePenalty = 3000;
      return s_reduceTime30;
    case 3:
      thePenalty = 4500;
      return s_reduceTime45;
    default:
      thePenalty = 6000;
      return s_reduceTime60;
  }
}

void GameApp::resetPenaltyBuffer(bool) {
  for (uint32_t& aTime : m_penaltyBuffer) aTime = 0;
  m_penaltyBufferIdx = 0;
}

const wchar_t* GameApp::getGradeText(float theGrade) {
  if (theGrade < 0.5f) return stringGradeS;
  if (theGrade < 1.0f) return stringGradeSPlus;
  if (theGrade < 1.5f) return stringGradeB;
  if (theGrade < 2.0f) return stringGradeBPlus;
  if (theGrade < 2.5f) return stringGradeA;
  return stringGradeAPlus;
}

const wchar_t* GameApp::getGradeText() {
  if (m_profileData == nullptr) return getGradeText(0.0f);
  int aGrade = static_cast<int>(m_profileData->getLevelGrade());
  aGrade = std::clamp(aGrade, 0, 2);
  float aValue = static_cast<float>(aGrade);
  if (m_profileData->getLevelGradePlus() && m_profileData->getLevelGradePlusDisplayed()) aValue += 0.5f;
  return getGradeText(aValue);
}

const wchar_t* GameApp::getNewGradeText() {
  GameText::formatText(k_newGrade, 30, stringNewGradeExc, getGradeText());
  return k_newGrade;
}

const wchar_t* GameApp::getReductionGradeText() {
  GameText::formatText(k_newGrade, 30, stringNewGrade, getGradeText());
  return k_newGrade;
}

}  // namespace Tesk
