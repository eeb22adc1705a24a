// The side bar of the map, the play scene and the mini-game, and its shimmering list line.
#include "game/play/SideBar.h"

#include <cwchar>

#include "app/TeskAppBase.h"
#include "core/MTRand.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/PlayConstants.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Widget.h"

namespace Tesk {

namespace {

constexpr int k_listTop = 148;
constexpr int k_listBottom = 428;
constexpr int k_listGap = 8;
constexpr int k_lineSpacing = 14;
constexpr int k_hardAlphaStep = 81;  // the hard list fades out after four lines

// A colour scaled by the fade, each component truncated.
Color Faded(int r, int g, int b, float theFade, int theAlpha = 255) {
  return Color(static_cast<int>(r * theFade), static_cast<int>(g * theFade), static_cast<int>(b * theFade),
               theAlpha);
}

void Draw(Graphics* g, Image* theImage, int x, int y) {
  if (theImage != nullptr) g->DrawImage(theImage, x, y);
}

int WidthOf(Image* theImage) { return theImage != nullptr ? theImage->GetWidth() : 0; }
int HeightOf(Image* theImage) { return theImage != nullptr ? theImage->GetHeight() : 0; }

const wchar_t* Text(const wchar_t* theText) { return theText != nullptr ? theText : L""; }

void Wrapped(Widget* theScreen, Graphics* g, int x, int y, int w, int h, const wchar_t* theText) {
  theScreen->WriteWordWrapped(g, TRect<int>(x, y, w, h), Text(theText), k_lineSpacing, 0);
}

// The objects still wanted in the level, or once those are found, the chapter's remaining ones.
void WriteObjectsText(Widget* theScreen, Graphics* g, LevelData* theLevel, int y) {
  if (theLevel == nullptr) return;
  wchar_t aBuffer[256];
  const int n = theLevel->numberOfObjectsToFind();
  if (n < 1)
    GameText::formatText(aBuffer, 256, Text(stringPlusObjectsRemaining), theLevel->numberOfObjectsRemainingOnChapter());
  else
    GameText::formatText(aBuffer, 256, Text(stringSpellObjectsRemaining), n);
  Wrapped(theScreen, g, 8, y, 121, 20, aBuffer);
}

// The play scene's quick-find message, when one shows; false when none does.
bool WriteQuickfind(Widget* theScreen, Graphics* g, GameApp* theApp, float theFade) {
  InGame* aScene = theApp->getIngame();
  if (aScene == nullptr) return false;
  const InGame::QuickfindStruct* q = aScene->getQuickfindStruct();
  if (q->m_text == nullptr || q->m_timer == 0 || q->m_alpha <= 0.0f) return false;
  g->SetFont(q->m_font != nullptr ? q->m_font : FONT_SMALL);
  g->SetColor(Faded(253, 14, 69, theFade, static_cast<int>(q->m_alpha * 255.0f)));
  Wrapped(theScreen, g, 8, 96, 121, 20, q->m_text);
  return true;
}

// The reveal and repel panels, the crystal ball and the charge bar of the play scene.
void DrawLocationPanels(Graphics* g, Widget* theScreen, GameApp* theApp, ProfileData* theProfile, float theFade,
                        const Color& theBase, int theLevel, bool isEnglish) {
  InGame* aScene = theApp->getIngame();
  if (theLevel != 1) {
    g->SetColor(Color(theBase.mRed, theBase.mGreen, theBase.mBlue,
                      static_cast<int>(theFade * (InGame::m_crystalBallPulseAlpha * 235.0f + 20.0f))));
    Draw(g, IMAGE_SIDE_CRYSTAL_BALL_GLOW, 1, 517);
    g->SetColor(theBase);
  }
  if (theLevel != k_finalLevel) {
    bool isActive = false;
    for (int i = 0; i < 5; ++i) isActive = isActive || theProfile->isHintAvailable(i);
    if (isEnglish) {
      Draw(g, isActive ? IMAGE_SIDE_REVEAL : IMAGE_SIDE_REVEAL_INACTIVE, 12, 504);
    } else {
      g->SetFont(FONT_TITLE_OPTIONS);
      Widget* aScreen = theScreen;
      if (isActive) {
        g->SetColor(Faded(63, 67, 91, theFade));
        aScreen->WriteString(g, Text(stringBakedSidebarReveal), 62, 510, 0, 0);
        float aHover = 0.0f;
        if (aScene != nullptr)
          for (OrvoButtonWidget* aButton : aScene->m_revealButtons)
            if (aButton != nullptr && aButton->mHoverAlpha > aHover) aHover = aButton->mHoverAlpha;
        if (aHover > 0.0f) {
          g->SetColor(Faded(76, 92, 140, theFade, static_cast<int>(aHover * 255.0f)));
          aScreen->WriteString(g, Text(stringBakedSidebarReveal), 62, 510, 0, 0);
        }
      } else {
        g->SetColor(Faded(140, 141, 148, theFade));
        aScreen->WriteString(g, Text(stringBakedSidebarReveal), 62, 510, 0, 0);
      }
      g->SetColor(theBase);
    }
  }
}

}  // namespace

void drawSideBarShared(Graphics* g, Image* theSideBarImage, Widget* theScreen, GameApp* theApp, float& theFade,
                       Color& theBaseColor, bool paused) {
  if (g == nullptr || theScreen == nullptr || theApp == nullptr) return;
  ProfileData* aProfile = theApp->getProfileData();
  LevelData* aLevelData = theApp->getLevelData();
  if (aProfile == nullptr) return;
  const float f = theFade;
  const int aLevel = aProfile->getLevelOn();
  const bool isEnglish = TeskAppBase::s_languageUsing == 0;

  g->SetDrawMode(0);
  g->SetColorizeImages(true);
  g->SetColor(theBaseColor);
  Draw(g, theSideBarImage, 0, 0);
  const Color aLabel = Faded(200, 176, 64, f);

  if (!isEnglish) {
    Draw(g, IMAGE_SIDE_MENU, (k_sideBarWidth - WidthOf(IMAGE_SIDE_MENU)) / 2 - 1, 7);
    g->SetFont(FONT_MEDIUM);
    g->SetColor(aLabel);
    theScreen->WriteString(g, Text(stringBakedSidebarMenu), TeskAppBase::s_languageUsing == 1 ? 69 : 70, 26, 0, 0);
    g->SetColor(theBaseColor);
  }

  if (theApp->ingameInLocation()) {
    DrawLocationPanels(g, theScreen, theApp, aProfile, f, theBaseColor, aLevel, isEnglish);
    Draw(g, IMAGE_SIDE_MAP, (k_sideBarWidth - WidthOf(IMAGE_SIDE_MAP)) / 2 - 2, 50);
    if (!isEnglish) {
      g->SetFont(FONT_INTRO_TEXT);
      g->SetColor(Faded(70, 40, 30, f));
      theScreen->WriteString(g, Text(stringBakedSidebarMap), 70, 63, 0, 0);
      g->SetColor(theBaseColor);
    }
    if (theApp->isRepelEnabled()) {
      InGame* aScene = theApp->getIngame();
      const bool isReady = aScene != nullptr && aScene->isRepelReady();
      Draw(g, isReady ? IMAGE_SIDE_REPEL : IMAGE_SIDE_REPEL_INACTIVE, 9, 534);
      if (!isEnglish) {
        g->SetFont(FONT_TITLE_OPTIONS);
        g->SetColor(isReady ? Faded(95, 57, 40, f) : Faded(131, 109, 85, f));
        theScreen->WriteString(g, Text(stringBakedSidebarRepel), 62, 560, 0, 0);
      }
      g->SetColor(theBaseColor);
      const int aBackH = HeightOf(IMAGE_SIDE_REPEL_CHARGEBAR_BACK);
      Draw(g, IMAGE_SIDE_REPEL_CHARGEBAR_BACK, 0, 600 - aBackH);
      if (Image* aFill = IMAGE_SIDE_REPEL_CHARGEBAR_FILL) {
        if (isReady) {
          int v = static_cast<int>((InGame::m_crystalBallPulseAlpha * 0.15f + 0.8f) * f * 255.0f);
          if (v > 255) v = 255;
          g->SetColor(Color(v, v, v));
        }
        float aCharge = aProfile->getRepelCharge();
        if (aCharge < 0.0f) aCharge = 0.0f;
        if (aCharge > 1.0f) aCharge = 1.0f;
        const int aFillW = static_cast<int>(aFill->GetWidth() * aCharge);
        if (aFillW > 0) g->DrawImage(aFill, 0, 600 - aBackH, TRect<int>(0, 0, aFillW, aFill->GetHeight()));
        g->SetColor(theBaseColor);
      }
    }
  }

  // The clock, or the pause text in its place.
  if (!paused) {
    if (aProfile->getDifficultyLevel() != 0) {
      const int aTimer = aProfile->getLevelTimer();
      g->SetColor(aTimer < k_lowTime ? Faded(233, 14, 29, f) : Faded(233, 214, 169, f));
      wchar_t aClock[64];
      setBuffAsTime(aClock, aTimer < 1 ? 0u : static_cast<unsigned>(aTimer / 100));
      g->SetFont(FONT_TIME);
      theScreen->WriteString(g, aClock, 68, 433, 0, 0);
    }
  } else {
    g->SetFont(FONT_INTRO_TEXT);
    g->SetColor(Color(233, 14, 29, 255));
    theScreen->WriteString(g, Text(stringPause), 67, 442, 0, 0);
  }

  wchar_t aCoins[16];
  GameText::formatText(aCoins, 16, L"%d", aProfile->getCointTotal());
  g->SetColor(Faded(253, 209, 68, f));
  g->SetFont(FONT_SMALL);
  theScreen->WriteString(g, aCoins, 80, 7, 0, 0);

  if (theApp->ingameInMinigame()) {
    g->SetColor(theBaseColor);
    return;
  }
  const int aFullAlpha = static_cast<int>(f * 255.0f);
  const Color aText = Faded(253, 234, 199, f, aFullAlpha);
  if (aLevel == k_finalLevel) {
    g->SetColor(theBaseColor);
    Image* aStone = IMAGE_INGAME_RUNESTONE;
    Draw(g, aStone, 70 - WidthOf(aStone) / 2, 230 - HeightOf(aStone));
    g->SetColor(aText);
    g->SetFont(FONT_SMALL);
    wchar_t aCount[128];
    GameText::formatText(aCount, 128, Text(stringNumRunestonesFound),
                         aLevelData != nullptr ? static_cast<int>(aLevelData->m_runestonesFound) : 0, 4);
    Wrapped(theScreen, g, 8, 240, 121, 20, aCount);
    WriteQuickfind(theScreen, g, theApp, f);
  } else if (theApp->ingameInLocation()) {
    Font* aFont = FONT_SMALL;
    g->SetFont(aFont);
    const int anAscent = aFont != nullptr ? aFont->GetAscent() : 0;
    g->SetColor(theBaseColor);
    Draw(g, IMAGE_SIDE_DIVIDER, (k_sideBarWidth - WidthOf(IMAGE_SIDE_DIVIDER)) / 2 - 3, 126);
    int anAlpha = aFullAlpha;
    int y = k_listTop;
    FindInfo* anEntries = aLevelData != nullptr ? aLevelData->getDisplayFindInfo(theApp->getLocationAt()) : nullptr;
    const bool isHard = aProfile->getDifficultyLevel() == 2;
    for (int j = 0; anEntries != nullptr && j < LocationData::k_findListSize && y < k_listBottom - anAscent; ++j) {
      const FindInfo& e = anEntries[j];
      if (!e.isActive()) continue;
      int aLineAlpha = anAlpha;
      if (j == InGame::m_wordFade.m_wordIndex && InGame::m_wordFade.m_phase != 0)
        aLineAlpha = static_cast<int>(anAlpha * InGame::m_wordFade.m_alpha);
      g->SetColor(Faded(253, 234, 199, f, aLineAlpha));
      wchar_t aLine[96];
      GameText::formatText(aLine, 96, e.getCount() < 2 ? L"%ls" : L"%ls x%d", e.m_name.c_str(), e.getCount());
      y += theScreen->WriteWordWrapped(g, TRect<int>(8, y, 121, 20), aLine, k_lineSpacing, 0) + k_listGap;
      if (isHard) {
        anAlpha -= k_hardAlphaStep;
        if (anAlpha < 0) break;
      }
    }
    if (!WriteQuickfind(theScreen, g, theApp, f)) {
      g->SetFont(aFont);
      g->SetColor(aText);
      WriteObjectsText(theScreen, g, aLevelData, 96);
    }
  } else if (theApp->ingameInMap()) {
    g->SetColor(theBaseColor);
    Draw(g, IMAGE_SIDE_DIVIDER, (k_sideBarWidth - WidthOf(IMAGE_SIDE_DIVIDER)) / 2 - 3, 121);
    g->SetFont(FONT_SMALL);
    g->SetColor(aText);
    wchar_t aChapter[128];
    GameText::formatText(aChapter, 128, Text(stringChapter), aLevel);
    Wrapped(theScreen, g, 8, 54, 121, 20, aChapter);
    WriteObjectsText(theScreen, g, aLevelData, 88);
    theScreen->WriteWordWrapped(g, TRect<int>(10, 142, 117, 23), Text(stringMapInfoText), k_lineSpacing, 0);
    if (aLevelData != nullptr && aLevelData->numberOfObjectsToFind() < 1)
      theScreen->WriteWordWrapped(g, TRect<int>(10, 273, 117, 23),
                                  Text(aLevel % 2 == 1 ? stringMapInfoPotion : stringMapInfoChant), k_lineSpacing, 0);
  }
  g->SetColor(theBaseColor);
}

wchar_t* setBuffAsTime(wchar_t* theBuffer, unsigned int theSeconds) {
  // Minutes past 99 simply take more digits.
  std::swprintf(theBuffer, 64, L"%u%u:%u%u", theSeconds / 600, theSeconds / 60 % 10, theSeconds / 10 % 6,
                theSeconds % 10);
  return theBuffer;
}

void InGame::setNewWordFade(int) {
  // One shimmering line only, so there is no other line's index to keep clear of.
  m_wordFade.m_wordIndex = Rand() % LocationData::k_findListSize;
  m_wordFade.m_alpha = m_wordFadeAlphaNorm;
  m_wordFade.m_phase = 0;
  m_wordFade.m_delay = Rand() % 1500 + 500;
}

void InGame::updateWordFade() {
  WordFade& w = m_wordFade;
  switch (w.m_phase) {
    case 0:
      if (--w.m_delay < 1) w.m_phase = 1;
      break;
    case 1:
      w.m_alpha -= k_wordFadeAlphaSpeed;
      if (w.m_alpha <= k_wordFadeMinAlphaValue) {
        if (Rand() % 2 == 0) {
          w.m_alpha = k_wordFadeMinAlphaValue;
          w.m_phase = 2;
        } else {
          w.m_alpha = 0.5f;
        }
      }
      break;
    case 2:
      w.m_alpha += k_wordFadeAlphaSpeed;
      if (w.m_alpha >= m_wordFadeAlphaNorm) setNewWordFade(0);
      break;
    default:
      break;
  }
}

}  // namespace Tesk
