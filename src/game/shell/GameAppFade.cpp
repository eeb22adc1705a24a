// The global fade, the mis-click penalty and the grade texts.
#include "game/shell/GameApp.h"

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

void GameApp::setFade(uint8_t) {}

void GameApp::updateFade() {}

bool GameApp::isInFade() { return false; }

bool GameApp::isFaded50() { return false; }

int GameApp::getFadeColor() { return sm_fadeColoru8Value; }

float GameApp::getFadeColorFloat() { return sm_colorFade; }

const std::wstring& GameApp::missPress(const uint32_t&, int&) { return s_reduceTime15; }

void GameApp::resetPenaltyBuffer(bool) {}

const wchar_t* GameApp::getGradeText(float) { return L""; }

const wchar_t* GameApp::getGradeText() { return L""; }

const wchar_t* GameApp::getNewGradeText() { return k_newGrade; }

const wchar_t* GameApp::getReductionGradeText() { return k_newGrade; }

}  // namespace Tesk
