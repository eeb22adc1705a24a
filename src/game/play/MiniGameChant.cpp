// The chant game: word-part tiles scattered over the field, a target chant on the side bar,
// and Cast, which compares the letters of the chosen parts with the target's. Tiles fade out and
// in, and now and then two of them fly to each other's places.
#include <algorithm>

#include "core/MTRand.h"
#include "game/play/Math.h"
#include "game/play/MiniGame.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

namespace {

constexpr int k_swapUpdates = 250;
constexpr int k_maxCandidates = 10;
constexpr size_t k_maxLetters = 199;  // the sorting buffer holds 200 characters

int WidthOf(const Image* theImage) { return theImage != nullptr ? theImage->GetWidth() : 0; }
int HeightOf(const Image* theImage) { return theImage != nullptr ? theImage->GetHeight() : 0; }

void SetButton(OrvoButtonWidget* theButton, bool isOn) {
  if (theButton == nullptr) return;
  theButton->SetVisible(isOn);
  theButton->SetDisabled(!isOn);
}

}  // namespace

const uint8_t MiniGame::k_numWordPartsToFind[6] = {4, 5, 6, 7, 8, 9};

const wchar_t* const MiniGame::s_wordGameStringList[90] = {
    L"abba",   L"ata",      L"ast",    L"astcar", L"ba",     L"bam",     L"bay",     L"bell",   L"bar",
    L"bellray", L"baracca", L"cast",   L"cray",   L"carque", L"dab",     L"dar",     L"dao",    L"emucar",
    L"ezza",   L"er",       L"ergrue", L"fin",    L"fur",    L"fye",     L"flay",    L"gaur",   L"gip",
    L"grue",   L"gipyaos",  L"harra",  L"hoat",   L"harratao", L"icca",  L"izzo",    L"iz",     L"ita",
    L"joul",   L"jarfur",   L"jarrit", L"kaesor", L"kae",    L"kii",     L"la",      L"lyos",   L"lidab",
    L"layol",  L"mo",       L"melcar", L"mel",    L"nir",    L"nirkae",  L"nirfye",  L"ot",     L"oay",
    L"otjar",  L"pia",      L"por",    L"qui",    L"quor",   L"quixao",  L"ray",     L"rit",    L"ryol",
    L"raydao", L"sor",      L"soriz",  L"racca",  L"taosor", L"tao",     L"tam",     L"tai",    L"tsor",
    L"upo",    L"ur",       L"urcray", L"va",     L"vir",    L"virray",  L"waz",     L"wor",    L"xor",
    L"xala",   L"xao",      L"yaos",   L"yol",    L"yoldab", L"zia",     L"zam",     L"zoa",    L"zo"};

const MiniGame::PixelOffset MiniGame::extendedPixelDatamapTest[5] = {{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}};

void MiniGame::addAndAlphabetize(std::wstring& theLetters, const wchar_t* thePart) {
  if (thePart == nullptr) return;
  for (const wchar_t* p = thePart; *p != 0 && theLetters.size() < k_maxLetters; ++p) {
    const auto aPlace = std::find_if(theLetters.begin(), theLetters.end(), [p](wchar_t c) { return c > *p; });
    theLetters.insert(aPlace, *p);
  }
}

void MiniGame::getTilePosition(const WordStruct* theTile, int* x, int* y) {
  if ((m_swap.swapWord & 1) != 0) {
    for (int k = 0; k < 2; ++k) {
      if (m_swap.tile[k] != theTile) continue;
      *x = static_cast<int>(m_swap.posX[k]);
      *y = static_cast<int>(m_swap.posY[k]);
      return;
    }
  }
  *x = theTile->x + theTile->xOffset;
  *y = theTile->y + theTile->yOffset;
}

int MiniGame::getFadeSlotOf(const WordStruct* theTile) {
  for (int s = 0; s < 6; ++s)
    if (m_wordFades[s].tile == theTile) return s;
  return -1;
}

void MiniGame::setWordXOffset(WordStruct* theTile, int theRange) {
  const int w = WidthOf(theTile->image);
  int anOffset = -(w / 2);
  if (theRange > 2) {
    const int q = 2 * theRange / 3;
    anOffset += Rand() % q - q / 2;
  }
  if (theTile->x + anOffset > 139) {
    if (theTile->x + anOffset + w > 800) anOffset = 800 - w - theTile->x;
  } else {
    anOffset = 140 - theTile->x;
  }
  theTile->xOffset = static_cast<int8_t>(anOffset);
}

void MiniGame::setWordYOffset(WordStruct* theTile, int theRange) {
  const int h = HeightOf(theTile->image);
  int anOffset = -(h / 2);
  if (theRange > 2) {
    const int q = 2 * theRange / 3;
    anOffset += Rand() % q - q / 2;
  }
  if (theTile->y + anOffset < 0) {
    anOffset = -theTile->y;
  } else if (theTile->y + anOffset + h > 470) {
    anOffset = 470 - h - theTile->y;
  }
  theTile->yOffset = static_cast<int8_t>(anOffset);
}

void MiniGame::setupChantGame(bool isRestored, int theParts) {
  for (WordFadeSlot& aSlot : m_wordFades) aSlot.tile = nullptr;
  if (isRestored) {
    for (WordStruct& t : m_tiles) t.image = t.partIndex < 90 ? m_images[t.partIndex] : nullptr;
  } else {
    const int n = std::min(theParts, 90);
    bool isTaken[9][10] = {};
    for (WordStruct& t : m_tiles) t = WordStruct();
    for (int i = 0; i < n; ++i) {
      int t = Rand() % 90;
      while (m_tiles[t].image != nullptr) t = (t + 1) % 90;
      WordStruct& aTile = m_tiles[t];
      aTile.image = m_images[i];
      const int r = Rand() % 10;
      int c = Rand() % 9;
      int aRow = -1;
      for (int aColumns = 0; aColumns < 9 && aRow < 0; ++aColumns) {
        for (int k = 0; k < 10; ++k) {
          if (!isTaken[c][(r + k) % 10]) {
            aRow = (r + k) % 10;
            break;
          }
        }
        if (aRow < 0) c = (c + 1) % 9;
      }
      aTile.x = static_cast<int16_t>(35 + 71 * c + 140);
      setWordXOffset(&aTile, 71 - WidthOf(aTile.image) - 5);
      aTile.y = static_cast<int16_t>(23 + 47 * aRow);
      setWordYOffset(&aTile, 71 - HeightOf(aTile.image) - 5);
      aTile.partIndex = static_cast<uint32_t>(i);
      aTile.visible = 1;
      isTaken[c][aRow] = true;
    }

    const int k = std::max(0, std::min(5, (getLevel() - 2) / 2));
    m_numPartsToFind = k_numWordPartsToFind[k] + (getDifficulty() == 2 ? 2 : 0);
    // A block with fewer parts than the chant needs would never finish picking them.
    if (m_numPartsToFind > n) {
      GameLog("mini-game: only %d word parts for a chant of %d", n, m_numPartsToFind);
      m_numPartsToFind = n;
    }
    m_targetText.clear();
    m_targetLetters.clear();
    int aPicked[12] = {};
    int aRun = 0;
    for (int j = 0; j < m_numPartsToFind; ++j) {
      int p = 0;
      bool isRepeat = true;
      while (isRepeat) {
        p = Rand() % n;
        isRepeat = std::find(aPicked, aPicked + j, p) != aPicked + j;
      }
      aPicked[j] = p;
      m_targetText += s_wordGameStringList[p];
      addAndAlphabetize(m_targetLetters, s_wordGameStringList[p]);
      if (aRun == 1 || Rand() % 3 == 0) {
        m_targetText += L' ';
        aRun = 0;
      } else {
        ++aRun;
      }
    }
    m_selectedCount = 0;
    std::fill(m_selected, m_selected + 12, nullptr);
    m_swap = SwapRecord();
    m_swap.swapWord = static_cast<uint32_t>(getSwapTime()) << 1;
  }
  for (int s = 0; s < 6; ++s) setNewWordFade(s);
  m_wordParticles = PARTICLE::createSystem(140, 0, 10, 660, 460, nullptr);
  Font* aFont = m_numPartsToFind > 8 ? FONT_MEDIUM : FONT_INTRO_TEXT;
  for (OrvoButtonWidget* aButton : m_partButtons)
    if (aButton != nullptr) aButton->SetFont(aFont);
  if (isRestored) {
    sortAndDisplayWordPartButtons();
    updateWordParticleSystem();
  }
}

void MiniGame::sortAndDisplayWordPartButtons() {
  Font* aFont = m_partButtons[0] != nullptr ? m_partButtons[0]->mFont : nullptr;
  const int h = aFont != nullptr ? aFont->GetAscent() : 0;
  const int aGap = aFont != nullptr ? aFont->StringWidth(L" ") : 0;
  int x = 300, y = 500;
  for (int i = 0; i < 12; ++i) {
    OrvoButtonWidget* b = m_partButtons[i];
    if (b == nullptr) continue;
    if (i >= m_selectedCount) {
      b->mLabel.clear();
      SetButton(b, false);
      continue;
    }
    b->mLabel = s_wordGameStringList[m_selected[i]->partIndex];
    const int w = aFont != nullptr ? aFont->StringWidth(b->mLabel) : 0;
    if (x + w > 640) {
      x = 300;
      y += h + h / 2;
    }
    b->Resize(x, y, w, h);
    SetButton(b, true);
    x += w + aGap;
  }
}

WordStruct* MiniGame::findWordAt(int x, int y) {
  WordStruct* aCandidates[k_maxCandidates];
  int aCount = 0;
  for (WordStruct& t : m_tiles) {
    if (t.image == nullptr || !t.visible) continue;
    int tx, ty;
    getTilePosition(&t, &tx, &ty);
    if (!MATH::BBPointTest(x, y, tx, ty, t.image->GetWidth(), t.image->GetHeight())) continue;
    aCandidates[aCount++] = &t;
    if (aCount == k_maxCandidates) break;
  }
  if (aCount == 1) return aCandidates[0];
  // Where boxes overlap, the first tile with a pixel of its own at or beside the point.
  for (int i = 0; i < aCount; ++i)
    for (const PixelOffset& d : extendedPixelDatamapTest)
      if (basicPixelWordTest(x + d.dx, y + d.dy, aCandidates[i])) return aCandidates[i];
  return nullptr;
}

void MiniGame::testForWordPress(const int& x, const int& y) {
  if (m_selectedCount < m_numPartsToFind && x > 139 && x < 800 && y >= 0 && y < 600) {
    WordStruct* aChosen = findWordAt(x, y);
    if (aChosen == nullptr) return;
    m_selected[m_selectedCount++] = aChosen;
    aChosen->visible = 0;
    if (m_selectedCount == 1) SetButton(m_clearButton, true);
    if (m_selectedCount == m_numPartsToFind) SetButton(m_castButton, true);
    playSampleOf(m_app, SFX_CHANT_CLICK);
    updateWordParticleSystem();
    sortAndDisplayWordPartButtons();
  } else if (m_selectedCount >= m_numPartsToFind && x >= 140 && y < 480) {
    pauseWithPopup(POPUP_HINT_CHANT_CANNOT_ADD_MORE);
  }
}

bool MiniGame::basicPixelWordTest(const int& x, const int& y, WordStruct* theTile) {
  if (theTile == nullptr || theTile->image == nullptr) return false;
  int tx, ty;
  getTilePosition(theTile, &tx, &ty);
  const int rx = x - tx, ry = y - ty;
  // Off the image to the side would read the neighbouring row.
  if (rx < 0 || rx >= theTile->image->GetWidth()) return false;
  return MATH::BBImageTest(rx, ry, theTile->image) != 0;
}

void MiniGame::removeWordPart(int theId) {
  const int i = theId - 100;
  if (i < 0 || i > 11 || i >= m_selectedCount) return;
  m_selected[i]->visible = 1;
  for (int k = i; k + 1 < m_selectedCount; ++k) m_selected[k] = m_selected[k + 1];
  m_selected[--m_selectedCount] = nullptr;
  playSampleOf(m_app, SFX_CHANT_BACK);
  sortAndDisplayWordPartButtons();
  if (m_castButton != nullptr && m_castButton->mVisible) SetButton(m_castButton, false);
  if (m_selectedCount == 0) SetButton(m_clearButton, false);
  updateWordParticleSystem();
}

void MiniGame::clearButtonPressed() {
  playSampleOf(m_app, SFX_CHANT_BACK);
  for (int i = 0; i < m_selectedCount; ++i) m_selected[i]->visible = 1;
  m_selectedCount = 0;
  sortAndDisplayWordPartButtons();
  if (m_castButton != nullptr && m_castButton->mVisible) SetButton(m_castButton, false);
  SetButton(m_clearButton, false);
  updateWordParticleSystem();
}

void MiniGame::castButtonPressed() {
  std::wstring aLetters;
  for (int i = 0; i < m_numPartsToFind && i < m_selectedCount; ++i)
    addAndAlphabetize(aLetters, s_wordGameStringList[m_selected[i]->partIndex]);
  if (aLetters == m_targetLetters) {
    setGameState(4);
    playSampleOf(m_app, SFX_MINIGAME_PASSED);
  } else {
    SetButton(m_clearButton, false);
    SetButton(m_castButton, false);
    playSampleOf(m_app, SFX_REPEL_COMPLETED);
    for (int i = 0; i < m_selectedCount; ++i) m_selected[i]->visible = 1;
    m_selectedCount = 0;
    sortAndDisplayWordPartButtons();
    ProfileData* aProfile = profileOf(m_app);
    if (aProfile != nullptr && aProfile->getHelpBox() && !aProfile->getHintBlock(15)) {
      pauseWithPopup(POPUP_HINT_CHANT_FAILED);
      aProfile->setHintBlock(15);
    }
  }
  updateWordParticleSystem();
}

void MiniGame::updateWordParticleSystem() {
  const int n = m_selectedCount;
  const int aType = n < 3 ? 10 : n <= 5 ? 11 : n <= 7 ? 12 : n <= 11 ? 13 : 14;
  if (m_wordParticles != nullptr)
    m_wordParticles = PARTICLE::modifySystem(aType, m_wordParticles);
  else
    m_wordParticles = PARTICLE::createSystem(140, 0, aType, 660, 460, nullptr);
}

void MiniGame::setNewWordFade(int theSlot) {
  WordFadeSlot& aSlot = m_wordFades[theSlot];
  aSlot.tile = nullptr;
  auto IsFree = [this](const WordStruct& t) {
    return t.visible && &t != m_swap.tile[0] && &t != m_swap.tile[1] && getFadeSlotOf(&t) < 0;
  };
  // Drawn until a free tile comes up; when none is free the slot waits empty.
  if (std::any_of(m_tiles, m_tiles + 90, IsFree)) {
    int t = Rand() % 90;
    while (!IsFree(m_tiles[t])) t = Rand() % 90;
    aSlot.tile = &m_tiles[t];
  }
  aSlot.alpha = m_wordFadeAlphaNorm;
  aSlot.mode = 0;
  aSlot.timer = Rand() % ((12 - m_selectedCount) * 25 + 300) + 25;
}

void MiniGame::updateWordFade() {
  for (int s = 0; s < 6; ++s) {
    WordFadeSlot& aSlot = m_wordFades[s];
    switch (aSlot.mode) {
      case 0:
        if (--aSlot.timer >= 1) break;
        if (s >= m_selectedCount + 1)
          aSlot.timer = Rand() % 300;
        else if (aSlot.tile == nullptr)
          setNewWordFade(s);
        else
          aSlot.mode = 1;
        break;
      case 1:
        aSlot.alpha -= k_wordFadeAlphaSpeed;
        if (aSlot.alpha <= k_wordFadeMinAlphaValue) {
          if (Rand() % 2 == 1) {
            aSlot.alpha = 0.5f;
          } else {
            aSlot.alpha = k_wordFadeMinAlphaValue;
            aSlot.mode = 2;
          }
        }
        break;
      default:
        aSlot.alpha += k_wordFadeAlphaSpeed;
        if (aSlot.alpha >= m_wordFadeAlphaNorm) setNewWordFade(s);
        break;
    }
  }
}

int MiniGame::getSwapTime() {
  float aTime = static_cast<float>(12 - m_selectedCount) * 500.0f / 12.0f + 1000.0f;
  if (!(getLevel() == 2 && getDifficulty() != 2)) aTime += 200.0f;
  return static_cast<int>(aTime);
}

void MiniGame::updateSwap() {
  uint32_t aCountdown = m_swap.swapWord >> 1;
  const bool isMoving = (m_swap.swapWord & 1) != 0;
  if (aCountdown > 0) --aCountdown;
  if (!isMoving) {
    if (aCountdown > 0) {
      m_swap.swapWord = aCountdown << 1;
      return;
    }
    auto IsFree = [this](const WordStruct& t) { return t.visible && getFadeSlotOf(&t) < 0; };
    // Two free tiles are needed; with fewer the swap waits its time again.
    if (std::count_if(m_tiles, m_tiles + 90, IsFree) < 2) {
      m_swap.swapWord = static_cast<uint32_t>(getSwapTime()) << 1;
      return;
    }
    int a = Rand() % 90;
    while (!IsFree(m_tiles[a])) a = Rand() % 90;
    int b = Rand() % 90;
    while (!IsFree(m_tiles[b]) || b == a) b = Rand() % 90;
    WordStruct* aTiles[2] = {&m_tiles[a], &m_tiles[b]};
    for (int k = 0; k < 2; ++k) {
      m_swap.tile[k] = aTiles[k];
      m_swap.posX[k] = static_cast<float>(aTiles[k]->x + aTiles[k]->xOffset);
      m_swap.posY[k] = static_cast<float>(aTiles[k]->y + aTiles[k]->yOffset);
    }
    std::swap(aTiles[0]->x, aTiles[1]->x);
    std::swap(aTiles[0]->y, aTiles[1]->y);
    const float T = static_cast<float>(k_swapUpdates);
    for (int k = 0; k < 2; ++k) {
      WordStruct* t = aTiles[k];
      const int w = WidthOf(t->image), h = HeightOf(t->image);
      setWordXOffset(t, 64 - w - 5);
      setWordYOffset(t, 64 - h - 5);
      m_swap.velX[k] = RandFSignedRange(2.5f, 100.0f);
      m_swap.velY[k] = RandFSignedRange(2.5f, 100.0f);
      const float dx = static_cast<float>(t->x + t->xOffset) - m_swap.posX[k];
      const float dy = static_cast<float>(t->y + t->yOffset) - m_swap.posY[k];
      m_swap.accX[k] = 2.0f * (dx - m_swap.velX[k] * T) / (T * T);
      m_swap.accY[k] = 2.0f * (dy - m_swap.velY[k] * T) / (T * T);
      m_swap.particles[k] = PARTICLE::createSystem(t->x + w / 2, t->y + h / 2, 15, w, h, nullptr);
    }
    m_swap.swapWord = (static_cast<uint32_t>(k_swapUpdates) << 1) | 1;
    playSampleOf(m_app, SFX_CHANT_WORD_SWAP);
    return;
  }
  if (aCountdown > 0) {
    for (int k = 0; k < 2; ++k) {
      m_swap.posX[k] += m_swap.velX[k];
      m_swap.posY[k] += m_swap.velY[k];
      m_swap.velX[k] += m_swap.accX[k];
      m_swap.velY[k] += m_swap.accY[k];
      if (PARTICLE::ParticleSystem* p = m_swap.particles[k]) {
        p->m_x = static_cast<uint16_t>(static_cast<int>(m_swap.posX[k]));
        p->m_y = static_cast<uint16_t>(static_cast<int>(m_swap.posY[k]));
      }
    }
    m_swap.swapWord = (aCountdown << 1) | 1;
    return;
  }
  for (PARTICLE::ParticleSystem*& p : m_swap.particles) {
    if (p != nullptr) p->kill();
    p = nullptr;
  }
  m_swap.swapWord = static_cast<uint32_t>(getSwapTime()) << 1;
}

void MiniGame::updateChantGame() {
  updateWordFade();
  updateSwap();
  PARTICLE::update();
}

void MiniGame::drawChantBoard(Graphics* g) {
  float f = GameApp::getFadeColorFloat();
  const int c = GameApp::getFadeColor();
  g->SetColorizeImages(true);
  g->SetColor(Color(c, c, c));
  if (m_chantBarImage != nullptr) g->DrawImage(m_chantBarImage, 140, 470);
  for (WordStruct& t : m_tiles) {
    if (t.image == nullptr || !t.visible) continue;
    const int aSlot = getFadeSlotOf(&t);
    const int anAlpha = aSlot >= 0 ? static_cast<int>(255.0f * m_wordFades[aSlot].alpha) : 200;
    g->SetColor(Color(c, c, c, anAlpha));
    int x, y;
    getTilePosition(&t, &x, &y);
    g->DrawImage(t.image, x, y);
  }
  PARTICLE::draw(g, f, this);
}

void MiniGame::drawChantSideBar(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  auto Tint = [f](int r, int gr, int b) {
    return Color(static_cast<int>(r * f), static_cast<int>(gr * f), static_cast<int>(b * f),
                 static_cast<int>(255 * f));
  };
  g->SetFont(FONT_SMALL);
  g->SetColor(Tint(253, 234, 199));
  wchar_t aBuffer[256];
  if (!isInWinState() && stringChapNumAndChant != nullptr) {
    GameText::formatText(aBuffer, 64, stringChapNumAndChant, getLevel());
    writeSideBarText(g, aBuffer, 54);
  }
  if (stringMagicalChantSideInstructions != nullptr) {
    GameText::formatText(aBuffer, 256, stringMagicalChantSideInstructions, m_numPartsToFind);
    writeSideBarText(g, aBuffer, 108);
  }
  if (m_selectedCount > 0 && stringNumPartsSelected != nullptr) {
    GameText::formatText(aBuffer, 64, stringNumPartsSelected, m_selectedCount);
    writeSideBarText(g, aBuffer, 370);
  }
  g->SetColor(Tint(223, 153, 43));
  writeSideBarText(g, m_targetText.c_str(), 300);
}

}  // namespace Tesk
