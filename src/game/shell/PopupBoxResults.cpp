// The chapter results panel: an open book sliding down with the chapter's time, grade, spell,
// summary and tasks; its texts are composed once when the panel is laid out.
#include "game/play/LevelData.h"
#include "game/play/LevelTables.h"
#include "game/play/SideBar.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"

namespace Tesk {

wchar_t PopupBox::s_levelCompleteText1[40] = {};
wchar_t PopupBox::s_levelCompleteText2[40] = {};
wchar_t PopupBox::s_levelCompleteText3[64] = {};
wchar_t PopupBox::s_levelCompleteText4[720] = {};

// The tops of each chapter's job lines; Init fills in the texts.
PopupBox::LevelJobText PopupBox::k_levelJobTexts[12] = {
    {367, {}}, {386, {}}, {370, {}}, {367, {}}, {367, {}}, {367, {}},
    {348, {}}, {367, {}}, {367, {}}, {367, {}}, {371, {}}, {374, {}},
};

namespace {

const Color k_titleBlue(22, 52, 100);
const Color k_recordGreen(22, 160, 52);
const Color k_gradeRed(220, 22, 60);
const Color k_accentRed(250, 22, 60);
const Color k_black(0, 0, 0);

const int k_russian = 1;
const int k_german = 3;
const int k_left = -1;
const int k_centred = 0;

// The per-chapter tables cover chapters 1 to 12; a profile claiming another chapter shows none
// of them rather than reading past the tables.
bool hasChapterTexts(int theChapter) { return theChapter >= 1 && theChapter <= 12; }

const wchar_t* orEmpty(const wchar_t* theText) { return theText != nullptr ? theText : L""; }

}  // namespace

uint32_t PopupBox::hundredthsTaken() {
  const LevelData* aLevel = m_app->getLevelData();
  const uint32_t aTotal = aLevel != nullptr ? aLevel->m_totalLevelTime : 0;
  return aTotal - static_cast<uint32_t>(m_app->getProfileData()->getLevelTimer());
}

void PopupBox::composeLevelCompleteTexts() {
  ProfileData* aProfile = m_app->getProfileData();
  const int c = aProfile->getLevelOn();
  GameText::formatText(s_levelCompleteText1, 40, stringChapterComplete, c);

  if (aProfile->getDifficultyLevel() != 0) {
    const uint32_t aTakenHundredths = hundredthsTaken();
    const unsigned aTaken = aTakenHundredths / 100u;
    // 240.00 seconds or more left on the clock.
    m_resultTimeBonus = aProfile->getLevelTimer() > 23999;
    const bool hasBest = c >= 1 && c <= k_numLevels;
    const unsigned aBest = hasBest ? static_cast<unsigned>(aProfile->getBestLevelTime(c - 1)) / 100u : 0u;
    wchar_t aTime[64];
    setBuffAsTime(aTime, aTaken);
    GameText::formatText(s_levelCompleteText2, 40, stringTimeTaken, aTime);
    m_newRecord = aTaken < aBest;
    setBuffAsTime(aTime, aBest);
    if (m_newRecord) {
      GameText::formatText(s_levelCompleteText3, 64, stringNewRecordSpeed, aTime);
      aProfile->setBestLevelTime(c - 1, aTakenHundredths);
    } else {
      GameText::formatText(s_levelCompleteText3, 64, stringRecordTime, aTime);
    }
  }

  if (hasChapterTexts(c)) {
    GameText::formatText(s_levelCompleteText4, 720, L"%ls%ls", orEmpty(k_levelSummaryText[c - 1]),
                         orEmpty(k_ifAtFulltimeSchoolText));
  } else {
    s_levelCompleteText4[0] = 0;
  }
}

void PopupBox::drawLevelCompleted(Graphics* g) {
  ProfileData* aProfile = m_app->getProfileData();
  const int c = aProfile->getLevelOn();
  const bool isRussian = TeskAppBase::s_languageUsing == k_russian;
  const bool isGerman = TeskAppBase::s_languageUsing == k_german;
  const int aShift = static_cast<int>(m_bookTranslate);
  g->Translate(0, aShift);

  g->SetColorizeImages(true);
  g->SetColor(Color::White);
  g->DrawImage(m_boxImage, 400 - m_boxImage->GetWidth() / 2, m_boxY);

  // Left page: chapter, times, grade and spell.
  g->SetFont(FONT_TITLE_OPTIONS);
  g->SetColor(k_titleBlue);
  WriteString(g, s_levelCompleteText1, 224, 100, 0, k_centred);
  if (aProfile->getDifficultyLevel() != 0) {
    g->SetFont(FONT_MEDIUM);
    g->SetColor(k_black);
    WriteString(g, s_levelCompleteText2, 224, 150, 0, k_centred);
    g->SetFont(FONT_SMALL);
    if (!m_newRecord) {
      WriteString(g, s_levelCompleteText3, 224, 172, 0, k_centred);
    } else {
      g->SetColor(k_recordGreen);
      if (isRussian) {
        WriteWordWrapped(g, TRect<int>(74, 172, 300, 100), s_levelCompleteText3, 19, k_centred);
      } else {
        WriteString(g, s_levelCompleteText3, 224, 172, 0, k_centred);
      }
    }
  }
  g->SetFont(FONT_INTRO_TEXT);
  g->SetColor(k_black);
  WriteString(g, orEmpty(stringGradeAcheived), 224, 210, 0, k_centred);
  const float aGrade = aProfile->getLevelGrade();
  g->SetColor(aGrade < 1.0f ? k_gradeRed : aGrade < 2.0f ? k_recordGreen : k_titleBlue);
  WriteString(g, orEmpty(m_app->getGradeText()), 224, 246, 0, k_centred);
  g->SetColor(k_black);
  WriteString(g, orEmpty(stringSpellLearned), 224, 291, 0, k_centred);
  if (hasChapterTexts(c)) {
    g->SetFont(FONT_MEDIUM);
    g->SetColor(k_accentRed);
    const int aSpellWidth = isRussian ? 345 : 300;
    WriteWordWrapped(g, TRect<int>(224 - aSpellWidth / 2, 317, aSpellWidth, 100),
                     orEmpty(k_levelSpells[c - 1]), 21, k_centred);
    g->SetFont(FONT_SMALL);
    g->SetColor(k_black);
    WriteWordWrapped(g, TRect<int>(75, c == 2 ? 381 : 367, isGerman ? 320 : 300, 100),
                     orEmpty(k_levelSpellInfo[c - 1]), isGerman ? 17 : 19, k_left);
  }

  // Right page: summary and the chapter's tasks.
  g->SetFont(FONT_INTRO_TEXT);
  g->SetColor(k_black);
  WriteString(g, orEmpty(stringChapterSummary), 576, 104, 0, k_centred);
  g->SetFont(FONT_SMALL);
  const int aSummaryWidth = isGerman ? 290 : 266;
  WriteWordWrapped(g, TRect<int>(581 - aSummaryWidth / 2, 136, aSummaryWidth, 100), s_levelCompleteText4,
                   isGerman ? 17 : 19, k_left);
  if (hasChapterTexts(c)) {
    g->SetColor(k_accentRed);
    const LevelJobText& aJobs = k_levelJobTexts[c - 1];
    for (int j = 0; j < 6; ++j)
      if (aJobs.m_lines[j] != nullptr)
        WriteString(g, aJobs.m_lines[j], 434, aJobs.m_top + 19 * j, -1, k_left);
  }

  switch (m_resultState) {
    case 2:
      g->SetColor(Color::White);
      g->DrawImage(IMAGE_REVEAL_ICON, 280 - IMAGE_REVEAL_ICON->GetWidth() / 2,
                   258 - IMAGE_REVEAL_ICON->GetHeight() / 2);
      break;
    case 3:
      g->SetFont(FONT_SMALL);
      g->SetColor(k_accentRed);
      WriteString(g, orEmpty(stringTimeBonus), 260, 251, -1, k_left);
      break;
    case 4:
      g->SetFont(FONT_SMALL);
      g->SetColor(k_accentRed);
      if (isRussian) {
        WriteWordWrapped(g, TRect<int>(260, 242, 266, 100), orEmpty(stringAllObjectsFoundTitle), 19, k_left);
      } else {
        WriteString(g, orEmpty(stringAllObjectsFoundTitle), 260, 251, -1, k_left);
      }
      break;
    case 5:
      g->SetFont(FONT_MEDIUM);
      g->SetColor(Color(static_cast<int>(200.0f * (1.0f - m_pulse)), 0, 0));
      WriteString(g, orEmpty(stringClickAnywhere), 224, 455, 0, k_centred);
      break;
    default:
      break;
  }
  g->Translate(0, -aShift);
}

}  // namespace Tesk
