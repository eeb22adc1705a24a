// The chapter intro: mode 8 of the story screen. A book spread with the chapter's label and
// title, its story typed on the left page, its picture, the spell to cast and its goal on the
// right page, the time allowed on the timed difficulties, and the glowing start button.
#include <cwchar>

#include "app/TeskAppBase.h"
#include "game/play/LevelData.h"
#include "game/play/SideBar.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/Story.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

namespace {

const Color k_titleColor(22, 52, 100);
const Color k_spellColor(250, 22, 60);
const int k_numChapters = 13;

Color scaled(const Color& theColor, float f) {
  return Color(static_cast<int>(theColor.mRed * f), static_cast<int>(theColor.mGreen * f),
               static_cast<int>(theColor.mBlue * f));
}

int ascent(Font* theFont) { return theFont != nullptr ? theFont->GetAscent() : 0; }

// Where a chapter's pictures stand: each is centred on c with its bottom on b; picture -1 is
// the runestone of the last chapter, -2 none.
struct ChapterPicture {
  int8_t m_picture;
  int16_t m_c, m_b;
};
struct ChapterLayout {
  ChapterPicture m_first;
  ChapterPicture m_second;
  uint16_t m_goalLabelY;
};
const int8_t k_runestone = -1;
const int8_t k_none = -2;
const ChapterLayout k_chapterLayouts[k_numChapters] = {
    {{6, 575, 180}, {k_none, 0, 0}, 190},            // 1
    {{5, 575, 211}, {k_none, 0, 0}, 210},            // 2
    {{9, 575, 180}, {k_none, 0, 0}, 190},            // 3
    {{8, 575, 200}, {k_none, 0, 0}, 210},            // 4
    {{7, 563, 216}, {k_none, 0, 0}, 220},            // 5
    {{4, 595, 160}, {3, 562, 176}, 190},             // 6
    {{0, 575, 192}, {k_none, 0, 0}, 196},            // 7
    {{2, 575, 194}, {k_none, 0, 0}, 214},            // 8
    {{10, 575, 218}, {k_none, 0, 0}, 232},           // 9
    {{5, 575, 211}, {k_none, 0, 0}, 210},            // 10
    {{1, 580, 200}, {11, 575, 156}, 214},            // 11
    {{6, 575, 180}, {k_none, 0, 0}, 190},            // 12
    {{k_runestone, 575, 172}, {k_none, 0, 0}, 190},  // 13
};

}  // namespace

int Story::levelIntroChapter() {
  // A stored level outside 1-13 would index past the chapter tables.
  const int aLevel = profileLevel();
  return aLevel < 1 ? 1 : aLevel > k_numChapters ? k_numChapters : aLevel;
}

void Story::levelIntroAdded() {
  OrvoButtonWidget* n = m_nextButton;
  Image* aGlow = blockImage(1);
  const int aLanguage = TeskAppBase::s_languageUsing;
  if (aLanguage != 0) {
    n->SetFont(FONT_TITLE_OPTIONS);
    n->mLabel = stringBakedLevelIntroStartSpell != nullptr ? stringBakedLevelIntroStartSpell : L"";
    n->centerTextY(3);
    n->mTextOffsetX = 0;
    n->mTextOffsetY = aLanguage == 1 || aLanguage == 4 ? 1 : 2;
    n->SetColor(OrvoButtonWidget::COLOR_LABEL, k_spellColor);
    const int w = FONT_TITLE_OPTIONS != nullptr ? FONT_TITLE_OPTIONS->StringWidth(n->mLabel) : 0;
    const int a = ascent(FONT_INTRO_TEXT);
    n->Resize(722 - w, 447 + a / 2, w, a);
  } else {
    Image* aHover = blockImage(3);
    n->mHoverImage = aHover;
    n->Resize(610, 447, aHover != nullptr ? aHover->GetWidth() : 0,
              aHover != nullptr ? aHover->GetHeight() : 0);
  }
  m_glowAnim.setAnim(aGlow, 15, 10, ANIM::Play);
  if (aGlow == nullptr) {
    m_glowAnim.clear();
    return;
  }
  m_glowAnim.setRowsCols(3, 5);
  m_glowAnim.setXY(608, 445);
  if (aLanguage != 0) {
    m_glowAnim.setXY(n->mX - 10, 445);
    m_glowAnim.setWH(n->mWidth + 20, m_glowAnim.getCellHeight());
  }
  n->setAnimation(&m_glowAnim);
}

void Story::levelIntroSetPage() {
  m_backImage = blockImage(0);
  const int aLanguage = TeskAppBase::s_languageUsing;
  const int aLevel = levelIntroChapter();
  if (aLanguage == 3) {
    // The first chapter's title takes two lines there, so its text starts lower.
    m_printer.setDimensions(65, aLevel == 1 ? 185 : 155, 326, 350, 17, -1);
  } else {
    m_printer.setDimensions(71, 155, 310, 350, aLanguage == 1 ? 18 : 19, -1);
  }
  m_printer.setColor(Color(0, 0, 0));
  m_printer.setFont(FONT_SMALL);
  m_goalLabelY = 190;

  m_chapterPair = &k_maxLevelIntroTextTitle[aLevel - 1];
  m_goalPair = &k_goalString[aLevel - 1];
  m_printer.newString(k_maxLevelIntroText[aLevel - 1]);

  // The goal, with the level's object count, or for the last chapter the time it allows.
  s_goalStringBuffer[0] = 0;
  const wchar_t* aFormat = m_goalPair->m_second;
  LevelData* aLevelData = m_app != nullptr ? m_app->getLevelData() : nullptr;
  ProfileData* aProfile = profile();
  if (aFormat != nullptr && aLevel <= 12) {
    std::swprintf(s_goalStringBuffer, 512, aFormat, aLevelData != nullptr ? aLevelData->m_maxObjects : 0);
  } else if (aFormat != nullptr) {
    wchar_t aMinutes[28] = L"";
    if (stringMinutes != nullptr)
      std::swprintf(aMinutes, 28, stringMinutes, aProfile != nullptr ? aProfile->getLevelTimer() / 6000 : 0);
    aMinutes[27] = 0;
    std::swprintf(s_goalStringBuffer, 512, aFormat, aMinutes);
  }
  s_goalStringBuffer[511] = 0;

  for (IntroSlot& aSlot : m_introSlots) aSlot = IntroSlot{0, 0, nullptr};
  const ChapterLayout& aLayout = k_chapterLayouts[aLevel - 1];
  const ChapterPicture* const aPictures[2] = {&aLayout.m_first, &aLayout.m_second};
  for (int i = 0; i < 2; ++i) {
    const ChapterPicture& p = *aPictures[i];
    Image* anImage = p.m_picture == k_runestone ? IMAGE_INGAME_RUNESTONE
                     : p.m_picture >= 0         ? m_chapterImages[p.m_picture]
                                                : nullptr;
    if (anImage == nullptr) continue;
    m_introSlots[i] = IntroSlot{static_cast<int16_t>(p.m_c - anImage->GetWidth() / 2),
                                static_cast<int16_t>(p.m_b - anImage->GetHeight()), anImage};
  }
  m_goalLabelY = aLayout.m_goalLabelY;
}

void Story::levelIntroDraw(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  const int v = GameApp::getFadeColor();
  const Color aTint(v, v, v);
  const int aLanguage = TeskAppBase::s_languageUsing;
  const int aLevel = levelIntroChapter();

  // 1. The spread.
  g->SetColor(aTint);
  if (m_backImage != nullptr) g->DrawImage(m_backImage, 0, 0);

  // 2. The start label: painted for English, written for the others.
  if (aLanguage != 0) {
    g->SetFont(FONT_TITLE_OPTIONS);
    g->SetColor(Color(0, 0, 0));
    writeCentred(g, stringBakedLevelIntroStartSpell, m_nextButton->mX + m_nextButton->mWidth / 2,
                 447 + ascent(FONT_TITLE_OPTIONS) / 2);
  } else if (Image* aLabel = blockImage(2)) {
    g->SetColor(aTint);
    g->DrawImage(aLabel, 610, 447);
  }

  // 3. The chapter's label and title over the left page.
  g->SetFont(FONT_INTRO_TEXT);
  g->SetColor(scaled(k_titleColor, f));
  if (m_chapterPair != nullptr) {
    writeCentred(g, m_chapterPair->m_first, 222, 100);
    if (aLanguage == 3 && aLevel == 1) {
      if (m_chapterPair->m_second != nullptr)
        WriteWordWrapped(g, TRect<int>(80, 126, 300, 200), m_chapterPair->m_second, 22, 0);
    } else {
      writeCentred(g, m_chapterPair->m_second, 222, 126);
    }
  }

  // 4. The pictures.
  for (const IntroSlot& aSlot : m_introSlots) {
    if (aSlot.m_image == nullptr) continue;
    g->SetColor(Color(v, v, v, 200));
    g->DrawImage(aSlot.m_image, aSlot.m_x, aSlot.m_y);
  }

  // 5. The spell.
  g->SetFont(FONT_INTRO_TEXT);
  g->SetColor(scaled(k_spellColor, f));
  writeCentred(g, aLevel <= 12 ? stringSpellGoal : stringFinalGoal, 575, m_goalLabelY);
  if (m_goalPair != nullptr) {
    g->SetColor(scaled(k_titleColor, f));
    writeCentred(g, m_goalPair->m_first, 575, m_goalLabelY + 26);
  }

  // 6. Its goal.
  const int aGoalWidth = aLanguage == 3 ? 316 : 268;
  g->SetFont(FONT_SMALL);
  g->SetColor(Color(0, 0, 0));
  WriteWordWrapped(g, TRect<int>(580 - aGoalWidth / 2, m_goalLabelY + 54, aGoalWidth, 82), s_goalStringBuffer,
                   aLanguage == 3   ? 17
                   : aLanguage == 1 ? 18
                                    : 19,
                   -1);

  // 7. The time: what is left of a resumed chapter, else what the chapter allows.
  ProfileData* aProfile = profile();
  LevelData* aLevelData = m_app != nullptr ? m_app->getLevelData() : nullptr;
  if (aProfile != nullptr && aLevelData != nullptr && aProfile->getDifficultyLevel() != 0 && aLevel <= 12) {
    wchar_t aLine[20] = L"";
    const int aTimer = aProfile->getLevelTimer();
    const int aTotal = static_cast<int>(aLevelData->m_totalLevelTime);
    if (aTimer != aTotal) {
      wchar_t aClock[64] = L"";
      setBuffAsTime(aClock, static_cast<unsigned>(aTimer > 0 ? aTimer / 100 : 0));
      if (stringTimeRemaining != nullptr) std::swprintf(aLine, 20, stringTimeRemaining, aClock);
    } else if (stringSpellCastTime != nullptr) {
      std::swprintf(aLine, 20, stringSpellCastTime, aTotal / 6000);
    }
    aLine[19] = 0;
    g->SetFont(FONT_MEDIUM);
    g->SetColor(scaled(k_spellColor, f));
    writeCentred(g, aLine, 575, 418);
  }

  // 8. The chapter's story as it is typed.
  m_printer.draw(g, f);
}

}  // namespace Tesk
