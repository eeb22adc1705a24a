// The how-to-play pages: modes 5 and 7 of the story screen. Four spreads about the main game, or
// two about the mini-game being played.
#include <cwchar>

#include "app/TeskAppBase.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenImages.h"
#include "game/shell/Story.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

const Color k_titleColor(22, 52, 100);

int buttonY() {
  const int aLanguage = TeskAppBase::s_languageUsing;
  return aLanguage == 2 || aLanguage == 3 || aLanguage == 5 || aLanguage == 7 ? 470 : 460;
}

}  // namespace

const wchar_t* Story::k_howToPlayTitle[8] = {};
const wchar_t* Story::k_howToPlay[8] = {};
const wchar_t* Story::k_howToPlayPotionTitle[4] = {};
const wchar_t* Story::k_howToPlayPotion[4] = {};
const wchar_t* Story::k_howToPlayChantTitle[4] = {};
const wchar_t* Story::k_howToPlayChant[4] = {};
const Story::HowToPlayLoc Story::k_howToPlayTitleLocs[4] = {
    {134, 160, 2, 2}, {180, 160, 1, 1}, {200, 190, 0, 0}, {200, 145, 2, 2}};
const Story::HowToPlayLoc Story::k_howToPlayTitlePotionLocs[2] = {{188, 114, 1, 2}, {155, 104, 2, 2}};
const Story::HowToPlayLoc Story::k_howToPlayTitleChantLocs[2] = {{102, 160, 2, 2}, {169, 164, 2, 2}};

void Story::initHowToPlayTables() {
  for (int i = 0; i < 8; ++i) {
    // The fourth spread has a single picture and its text on the right.
    k_howToPlayTitle[i] = i == 6 ? nullptr : stringHowToPlayTitle[i];
    k_howToPlay[i] = i == 6 ? nullptr : stringHowToPlayText[i];
  }
  const wchar_t* const aPotionTitles[4] = {stringHowToPlayPotion[0], nullptr, stringHowToPlayPotion[1],
                                           nullptr};
  const wchar_t* const aChantTitles[4] = {nullptr, stringHowToPlayChant[0], stringHowToPlayChant[1],
                                          stringHowToPlayChant[2]};
  for (int i = 0; i < 4; ++i) {
    k_howToPlayPotionTitle[i] = aPotionTitles[i];
    k_howToPlayPotion[i] = stringHowToPlayPotionText[i];
    k_howToPlayChantTitle[i] = aChantTitles[i];
    k_howToPlayChant[i] = stringHowToPlayChantText[i];
  }
}

bool Story::isPotionHelp() { return GameApp::sm_gameState == 2 && profileLevel() % 2 == 1; }

bool Story::isChantHelp() { return GameApp::sm_gameState == 2 && profileLevel() % 2 == 0; }

const Story::HowToPlayLoc& Story::howToPlayLoc() {
  if (isPotionHelp()) return k_howToPlayTitlePotionLocs[m_page < 2 ? m_page : 1];
  if (isChantHelp()) return k_howToPlayTitleChantLocs[m_page < 2 ? m_page : 1];
  return k_howToPlayTitleLocs[m_page < 4 ? m_page : 3];
}

void Story::howToPlayAdded(WidgetManager* theManager) {
  OrvoButtonWidget* n = m_nextButton;
  n->SetFont(FONT_INTRO_TEXT);
  if (stringNextPage != nullptr) n->mLabel = stringNextPage;
  const int w = FONT_INTRO_TEXT != nullptr ? FONT_INTRO_TEXT->StringWidth(n->mLabel) : 0;
  const int h = FONT_TITLE_OPTIONS != nullptr ? FONT_TITLE_OPTIONS->GetAscent() : 0;
  n->Resize(576 - w / 2, buttonY(), w, h);
  n->setFadeIn(false);
  m_exitButton->setFadeIn(false);
  theManager->AddWidget(n);
  theManager->AddWidget(m_exitButton);
}

void Story::howToPlaySetPage() {
  m_backImage = blockImage(0);
  m_rightImage = nullptr;
  const int p = m_page;
  if (isPotionHelp()) {
    m_pageCount = 2;
    m_pageTitles = k_howToPlayPotionTitle + 2 * (p & 1);
    m_pageTexts = k_howToPlayPotion + 2 * (p & 1);
    m_leftImage = p == 0 ? IMAGE_HTP_POTION_1 : IMAGE_HTP_POTION_3;
    m_rightImage = p == 0 ? IMAGE_HTP_POTION_2 : IMAGE_HTP_POTION_4;
  } else if (isChantHelp()) {
    m_pageCount = 2;
    m_pageTitles = k_howToPlayChantTitle + 2 * (p & 1);
    m_pageTexts = k_howToPlayChant + 2 * (p & 1);
    m_leftImage = p == 0 ? IMAGE_HTP_CHANT_1 : IMAGE_HTP_CHANT_3;
    m_rightImage = p == 0 ? IMAGE_HTP_CHANT_2 : IMAGE_HTP_CHANT_4;
  } else {
    m_pageCount = 4;
    m_pageTitles = k_howToPlayTitle + 2 * (p & 3);
    m_pageTexts = k_howToPlay + 2 * (p & 3);
    Image* const aLeft[4] = {IMAGE_HTP_INGAME_1, IMAGE_HTP_INGAME_3, IMAGE_HTP_INGAME_5, IMAGE_HTP_INGAME_7};
    Image* const aRight[4] = {IMAGE_HTP_INGAME_2, IMAGE_HTP_INGAME_4, IMAGE_HTP_INGAME_6, nullptr};
    m_leftImage = aLeft[p & 3];
    m_rightImage = aRight[p & 3];
  }
}

// Corner pieces round a picture at (x, y) of theWidth x theHeight: theFrame 1 small, 2 big.
static void drawFrame(Graphics* g, int theFrame, int x, int y, int theWidth, int theHeight) {
  if (theFrame == 0) return;
  Image* aTop = theFrame == 2 ? IMAGE_CORNER_TOP_BIG : IMAGE_CORNER_TOP_SMALL;
  Image* aBottom = theFrame == 2 ? IMAGE_CORNER_BOTTOM_BIG : IMAGE_CORNER_BOTTOM_SMALL;
  const int m = 6;
  if (aTop != nullptr) {
    const int cw = aTop->GetWidth();
    g->DrawImage(aTop, x - m, y - m);
    g->DrawImageMirror(aTop, x + theWidth - cw + m, y - m);
  }
  if (aBottom != nullptr) {
    const int cw = aBottom->GetWidth();
    const int ch = aBottom->GetHeight();
    g->DrawImage(aBottom, x - m, y + theHeight - ch + m);
    g->DrawImageMirror(aBottom, x + theWidth - cw + m, y + theHeight - ch + m);
  }
}

void Story::howToPlayDraw(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  const int v = GameApp::getFadeColor();
  const Color aTint(v, v, v);
  const int aLanguage = TeskAppBase::s_languageUsing;
  const HowToPlayLoc& aLoc = howToPlayLoc();
  const bool isMainGame = !isPotionHelp() && !isChantHelp();
  g->SetColorizeImages(true);
  g->SetColor(aTint);
  if (m_backImage != nullptr) g->DrawImage(m_backImage, 0, 0);

  // The left picture, what is written over it and its frame.
  const int w1 = m_leftImage != nullptr ? m_leftImage->GetWidth() : 0;
  const int h1 = m_leftImage != nullptr ? m_leftImage->GetHeight() : 0;
  const int x1 = 224 - w1 / 2;
  const int y1 = aLoc.m_leftY;
  if (m_leftImage != nullptr) g->DrawImage(m_leftImage, x1, y1);
  if (isChantHelp() && m_page == 0) {
    MiniGame* aGame = m_app != nullptr ? m_app->getMiniGame() : nullptr;
    wchar_t aBuffer[256];
    GameText::formatText(aBuffer, 256, stringMagicalChantSideInstructions,
                         aGame != nullptr ? aGame->getNumberOfWordPartsToFind() : 0);
    g->SetFont(FONT_SMALL);
    g->SetColor(scaledColor(Color(253, 234, 199), f));
    WriteWordWrapped(g, TRect<int>(x1 + 8, y1 + 8, 121, 20), aBuffer, 14, 0);
    if (aGame != nullptr) {
      g->SetColor(scaledColor(Color(223, 153, 43), f));
      WriteWordWrapped(g, TRect<int>(x1 + 8, y1 + 200, 121, 20), aGame->getWordToFind(), 14, 0);
    }
  } else if (isMainGame && m_mode != MODE_HOW_TO_PLAY_INGAME && m_page == 1) {
    g->SetFont(FONT_INTRO_TEXT);
    g->SetColor(scaledColor(Color(76, 92, 140), f));
    writeCentred(g, stringBakedSidebarReveal, x1 + w1 / 2 - 8, y1 + h1 - 31);
  } else if (isMainGame && m_mode != MODE_HOW_TO_PLAY_INGAME && m_page == 3) {
    const int cx = x1 + w1 / 2;
    g->SetFont(FONT_INTRO_TEXT);
    g->SetColor(Color(0, 0, 0, v));
    writeCentred(g, stringGradeAcheived, cx, y1 + 14);
    ProfileData* aProfile = profile();
    const float aGrade = aProfile != nullptr ? aProfile->getLevelGrade() : 0.0f;
    const Color aGradeColor = aGrade < 1.0f   ? Color(220, 22, 60, v)
                              : aGrade < 2.0f ? Color(22, 160, 52, v)
                                              : Color(22, 52, 100, v);
    g->SetColor(aGradeColor);
    if (m_app != nullptr) writeCentred(g, m_app->getGradeText(), cx, y1 + 50);
    g->SetColor(Color(0, 0, 0, v));
    writeCentred(g, k_goalString[0].m_first, cx, y1 + 95);
    if (k_levelSpells[0] != nullptr) {
      g->SetFont(FONT_MEDIUM);
      g->SetColor(scaledColor(Color(250, 22, 60), f));
      WriteWordWrapped(g, TRect<int>(cx - 150, y1 + 121, 300, 100), k_levelSpells[0], 21, 0);
    }
  }
  g->SetColor(aTint);
  drawFrame(g, aLoc.m_leftFrame, x1, y1, w1, h1);

  const bool isLanguage3 = aLanguage == 3;
  if (m_pageTexts != nullptr && m_pageTexts[0] != nullptr) {
    g->SetFont(FONT_SMALL);
    g->SetColor(Color::Black);
    if (isLanguage3)
      WriteWordWrapped(g, TRect<int>(64, y1 + h1 + 14, 320, 400), m_pageTexts[0], 17, 0);
    else
      WriteWordWrapped(g, TRect<int>(74, y1 + h1 + 14, 300, 400), m_pageTexts[0], 19, 0);
  }

  // The right picture, with the texts baked into the English pictures written for the others.
  int aRightTextY = aLoc.m_rightY;
  if (m_rightImage != nullptr) {
    const int w2 = m_rightImage->GetWidth();
    const int h2 = m_rightImage->GetHeight();
    const int x2 = 576 - w2 / 2;
    const int y2 = aLoc.m_rightY;
    g->SetColor(aTint);
    g->DrawImage(m_rightImage, x2, y2);
    if (aLanguage != 0) {
      if (isChantHelp() && m_page == 1 && stringCast != nullptr) {
        Font* aFont = FONT_INTRO_TEXT;
        if (aFont != nullptr && aFont->StringWidth(stringCast) > 87) aFont = FONT_MEDIUM;
        g->SetFont(aFont);
        g->SetColor(scaledColor(Color(150, 22, 60), f));
        const int sw = aFont != nullptr ? aFont->StringWidth(stringCast) : 0;
        WriteString(g, stringCast, x2 + w2 - sw - 65, y2 + h2 - 80, sw, -1);
      } else if (isMainGame && m_page == 1) {
        g->SetFont(FONT_INTRO_TEXT);
        g->SetColor(scaledColor(Color(95, 57, 40), f));
        writeCentred(g, stringBakedSidebarRepel, x2 + w2 / 2 - 8, y2 + h2 - 40);
      }
    }
    g->SetColor(aTint);
    drawFrame(g, aLoc.m_rightFrame, x2, y2, w2, h2);
    aRightTextY = y2 + h2 + 14;
  }
  if (m_pageTexts != nullptr && m_pageTexts[1] != nullptr) {
    g->SetFont(FONT_SMALL);
    g->SetColor(Color::Black);
    if (isLanguage3)
      WriteWordWrapped(g, TRect<int>(426, aRightTextY, 300, 400), m_pageTexts[1], 17, 0);
    else
      WriteWordWrapped(g, TRect<int>(436, aRightTextY, 280, 400), m_pageTexts[1], 19, 0);
  }

  g->SetFont(FONT_INTRO_TEXT);
  g->SetColor(scaledColor(k_titleColor, f));
  if (m_pageTitles != nullptr) {
    writeCentred(g, m_pageTitles[0], 224, 98);
    if (m_pageTitles[1] != nullptr) {
      if (isLanguage3)
        WriteWordWrapped(g, TRect<int>(426, 98, 300, 400), m_pageTitles[1], 22, 0);
      else
        writeCentred(g, m_pageTitles[1], 576, 98);
    }
  }
}

}  // namespace Tesk
