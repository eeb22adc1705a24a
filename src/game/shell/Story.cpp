// The story screen and its modes: the story intro, the end of the game and the credits; the
// how-to-play and chapter-intro pages are its other modes.
#include "game/shell/Story.h"

#include "game/shell/GameLog.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

uint8_t Story::s_storyType = 0;
bool Story::alreadyInited = false;

Story::Story(GameApp* theApp)
    : m_page(0),
      m_mode(0),
      m_scrollAlpha(0.0f),
      m_creditsOffset(0.0f),
      m_endOfGameAlpha(0.0f),
      m_runestoneX(),
      m_runestoneY(),
      m_runestoneAlpha(),
      m_runestoneCounter(0),
      m_leaving(0),
      m_backImage(nullptr),
      m_app(theApp),
      m_popup(nullptr),
      m_nextButton(nullptr),
      m_exitButton(nullptr),
      m_chapterImages(),
      m_introSlots(),
      m_chapterPair(nullptr),
      m_goalPair(nullptr),
      m_goalLabelY(0),
      m_pageCount(0),
      m_pageTitles(nullptr),
      m_pageTexts(nullptr),
      m_leftImage(nullptr),
      m_rightImage(nullptr),
      m_blockImages(),
      m_numBlockImages(0) {}

Story::~Story() {
  delete m_nextButton;
  delete m_exitButton;
}

void Story::Init() {}

void Story::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  LogNotBuilt("Tesk::Story");
}

void Story::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void Story::Update() { Widget::Update(); }

void Story::Draw(Graphics*) {}

void Story::MouseDown(int, int, int) {}

void Story::ButtonDepress(int) {}

void Story::SetPage() {}

void Story::pressCaptured(int) {}

void Story::endCredits() {}

void Story::drawStoryBack(Graphics*, const Color&) {}

}  // namespace Tesk
