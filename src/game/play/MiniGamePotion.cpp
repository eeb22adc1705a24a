// The potion game: chains of like ingredients dragged across a 9 x 8 board fill the bottle on
// the side bar; a click on the bottle reshuffles the board for a share of the points.
#include <algorithm>
#include <cstdlib>

#include "app/TeskAppBase.h"
#include "core/MTRand.h"
#include "game/play/Math.h"
#include "game/play/MiniGame.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"

namespace Tesk {

const uint8_t MiniGame::k_numPotionPointsToGet[6] = {60, 85, 105, 115, 130, 140};
const Color MiniGame::k_levelPotionColors[6] = {Color(50, 22, 220), Color(255, 255, 0), Color(255, 20, 255),
                                                Color(8, 255, 20),  Color(5, 255, 200), Color(10, 120, 10)};
const int16_t MiniGame::k_bubblesX[2] = {44, 64};
MiniGame::ConnectorOffset MiniGame::s_connectorOffsets[8] = {
    {-12, -5, nullptr}, {-7, -8, nullptr},   {-5, -6, nullptr},  {-76, 6, nullptr},
    {-82, -5, nullptr}, {-85, -86, nullptr}, {-5, -76, nullptr}, {9, -78, nullptr}};

namespace {

// Image-table entries of the potion block.
enum {
  k_ingredientImages = 0,
  k_backdropImage = 7,
  k_selectedBackdropImage = 8,
  k_connectorImages = 9,
  k_bottleImage = 13,
  k_bottleContentsImage = 14,
  k_bubbleStrip = 15,
  k_chainHeadStrip = 16,
};

constexpr int k_numKinds = 6;
constexpr int k_numShapes = 6;
constexpr int k_hardBonus = 15;
constexpr int k_bottleTop = 230;
constexpr int k_bottleCentreX = 70;
constexpr int k_liquidHeight = 113;
constexpr int k_bubblesTop = 270;
constexpr int k_burstType = 9;
constexpr float k_pulseBrightest = 0.9f;
constexpr float k_baseGrowSpeed = 0.015f;
constexpr float k_growSpeedRange = 0.025f;
constexpr float k_growSpeedPrecision = 1000.0f;

struct BoardPoint {
  int8_t column;
  int8_t row;
};

// The cells each chapter's board leaves out, by potion index; later shapes add to earlier ones.
const BoardPoint k_shapeCorners1[] = {{1, 1}, {7, 1}, {1, 6}, {7, 6}};
const BoardPoint k_shapeCentre2[] = {{3, 3}, {4, 3}, {5, 3}, {3, 4}, {4, 4}, {5, 4}};
const BoardPoint k_shapeInner3[] = {{2, 2}, {6, 2}, {2, 5}, {6, 5}};
const BoardPoint k_shapeCorners4[] = {{0, 0}, {8, 0}, {0, 7}, {8, 7}};
const BoardPoint k_shapeEdges5[] = {{0, 2}, {8, 2}, {0, 5}, {8, 5}};

template <size_t N>
void removeCells(MiniGame& theGame, const BoardPoint (&thePoints)[N]) {
  for (const BoardPoint& p : thePoints) theGame.m_cells[p.column][p.row].exists = 0;
}

// (column offset, row offset) of the earlier chain cell, seen from the new one, by direction.
const BoardPoint k_directions[8] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}};

int imageWidth(Image* theImage) { return theImage != nullptr ? theImage->GetWidth() : 0; }
int imageHeight(Image* theImage) { return theImage != nullptr ? theImage->GetHeight() : 0; }

int levelOf(GameApp* theApp) {
  ProfileData* aProfile = profileOf(theApp);
  return aProfile != nullptr ? aProfile->getLevelOn() : 1;
}

// The chapter's potion index: levels 1, 3 ... 11 give 0 to 5; anything else stays in the tables.
int potionIndex(GameApp* theApp) { return std::clamp((levelOf(theApp) - 1) / 2, 0, k_numShapes - 1); }

void play(GameApp* theApp, int theSound) {
  if (theApp != nullptr) theApp->PlaySample(theSound);
}

// The index of theCell in the board, column by column.
int cellIndex(const MiniGame& theGame, const MiniGame::PotionCell* theCell) {
  return static_cast<int>(theCell - &theGame.m_cells[0][0]);
}

void setSideBarTextColor(Graphics* g, int theRed, int theGreen, int theBlue, float theFade) {
  g->SetColor(Color(static_cast<int>(theRed * theFade), static_cast<int>(theGreen * theFade),
                    static_cast<int>(theBlue * theFade), static_cast<int>(255.0f * theFade)));
}

// Where cell (0, 0) lies: the grid is centred on 70-pixel squares by ingredient image 0.
struct BoardOrigin {
  int x;
  int y;
};

BoardOrigin boardOrigin(const MiniGame& theGame) {
  const int aBase = 35 - imageWidth(theGame.m_images[k_ingredientImages]) / 2;
  return {aBase + 155, aBase + 20};
}

// Kinds as stored: a save may hold any byte, and a draw needs a divisor of 1 to 6.
int kindCount(const MiniGame& theGame) {
  const int n = theGame.m_numIngredientKinds;
  return n >= 1 && n <= k_numKinds ? n : k_numKinds;
}

void updateGlow(MiniGame& theGame) {
  if (theGame.m_chainLength < 3) {
    theGame.m_glowMode = 0;
  } else if (theGame.m_glowMode == 0) {
    theGame.m_glowMode = 1;
    theGame.m_glowValue = 1.0f;
  }
}

}  // namespace

void MiniGame::setupPotionGame(bool isRestored) {
  m_threeChainCount = 0;
  for (auto& aColumn : m_cells)
    for (PotionCell& aCell : aColumn) aCell.scale = 0.0f;
  if (!isRestored) {
    const int aChapter = potionIndex(m_app);
    ProfileData* aProfile = profileOf(m_app);
    m_numIngredientKinds = k_numKinds;
    m_points = 0;
    m_bottleFill = 0;
    m_target =
        static_cast<int16_t>(k_numPotionPointsToGet[aChapter] +
                             (aProfile != nullptr && aProfile->getDifficultyLevel() == 2 ? k_hardBonus : 0));
    m_longestChain = 0;
    const BoardOrigin o = boardOrigin(*this);
    for (int i = 0; i < k_potionColumns; ++i) {
      for (int j = 0; j < k_potionRows; ++j) {
        PotionCell& c = m_cells[i][j];
        c.type = static_cast<int16_t>(std::rand() % k_numKinds);
        c.selected = 0;
        c.exists = 1;
        c.growSpeed = k_baseGrowSpeed + RandF(k_growSpeedRange, k_growSpeedPrecision);
        c.x = static_cast<int16_t>(o.x + k_potionCellPitch * i);
        c.y = static_cast<int16_t>(o.y + k_potionCellPitch * j);
        c.connector = nullptr;
      }
    }
    if (aChapter >= 1 && aChapter != 2) removeCells(*this, k_shapeCorners1);
    if (aChapter == 2) removeCells(*this, k_shapeCentre2);
    if (aChapter >= 3) removeCells(*this, k_shapeInner3);
    if (aChapter >= 4) removeCells(*this, k_shapeCorners4);
    if (aChapter >= 5) removeCells(*this, k_shapeEdges5);
    m_chainLength = 0;
    m_chain[0] = nullptr;
    m_chainKind = -1;
  }
  for (int d = 0; d < 8; ++d) s_connectorOffsets[d].image = m_images[k_connectorImages + d % 4];

  for (int k = 0; k < 2; ++k) {
    ANIM::AnimationBasic& b = m_bubbleAnims[k];
    b.clear();
    if (m_images[k_bubbleStrip] == nullptr) continue;
    b.setAnim(m_images[k_bubbleStrip], 8, 14, ANIM::Play);
    b.setRowsCols(1, 8);
    if (k == 1) b.setFrame(5);
    b.setXY(k_bubblesX[k], k_bubblesTop);
  }
  m_chainHeadAnim.clear();
  if (m_images[k_chainHeadStrip] != nullptr) {
    m_chainHeadAnim.setAnim(m_images[k_chainHeadStrip], 10, 10, ANIM::Play);
    m_chainHeadAnim.setRowsCols(2, 5);
  }
  play(m_app, SFX_MATCH_SHUFFLE);
}

void MiniGame::updatePotionGrowSpeeds() {
  for (auto& aColumn : m_cells)
    for (PotionCell& c : aColumn)
      if (c.growSpeed == 0.0f) c.growSpeed = k_baseGrowSpeed + RandF(k_growSpeedRange, k_growSpeedPrecision);
}

void MiniGame::testForPiecePress(const int& x, const int& y) {
  if (m_state != 3) return;
  const BoardOrigin o = boardOrigin(*this);
  // Toward zero, as the grid was laid out: a point just left of or above the board falls into
  // column or row 0 and is turned away by the cell's box below.
  const int aColumn = (x - o.x) / k_potionCellPitch;
  const int aRow = (y - o.y) / k_potionCellPitch;
  if (aColumn < 0 || aColumn >= k_potionColumns || aRow < 0 || aRow >= k_potionRows) return;
  PotionCell& c = m_cells[aColumn][aRow];
  Image* aFirst = m_images[k_ingredientImages];
  if (!c.exists || m_chainLength >= k_maxChainCells ||
      !MATH::BBPointTest(x, y, c.x, c.y, imageWidth(aFirst), imageHeight(aFirst)))
    return;
  if (m_chainLength > 0) {
    if (c.type != m_chainKind || m_chain[m_chainLength - 1] == &c) return;
  }
  int aPlace = -1;
  for (int k = 0; k < m_chainLength && aPlace < 0; ++k)
    if (m_chain[k] == &c) aPlace = k;
  if (aPlace >= 0) {
    // Back over an earlier cell: the chain is cut there and that cell becomes its head again.
    for (int k = aPlace + 1; k < m_chainLength; ++k) m_chain[k]->selected = 0;
    m_chainLength = static_cast<uint8_t>(aPlace);
    updateGlow(*this);
    play(m_app, SFX_MATCH_UNCONNECT);
  } else if (m_chainLength > 0) {
    PotionCell* aLast = m_chain[m_chainLength - 1];
    const int aLastIndex = cellIndex(*this, aLast);
    const int dx = aLastIndex / k_potionRows - aColumn;
    const int dy = aLastIndex % k_potionRows - aRow;
    int d = -1;
    for (int k = 0; k < 8 && d < 0; ++k)
      if (k_directions[k].column == dx && k_directions[k].row == dy) d = k;
    if (d < 0) return;
    aLast->connector = &s_connectorOffsets[d];
  }
  m_chain[m_chainLength++] = &c;
  c.selected = 1;
  m_chainKind = c.type;
  play(m_app, SFX_MATCH_CONNECT);
  updateGlow(*this);
}

void MiniGame::finishTestForPiecePress() {
  const int n = m_chainLength;
  const int aKinds = kindCount(*this);
  for (int k = 0; k < n; ++k) {
    PotionCell& c = *m_chain[k];
    c.selected = 0;
    if (n <= 2) continue;
    const int w = c.type >= 0 && c.type < k_numKinds ? imageWidth(m_images[k_ingredientImages + c.type]) : 0;
    PARTICLE::createSystem(c.x + w / 2, c.y + w / 2, k_burstType, w / 2, nullptr);
    c.type = static_cast<int16_t>(std::rand() % aKinds);
    c.scale = 0.0f;
  }
  if (n > 2) {
    ProfileData* aProfile = profileOf(m_app);
    if (aProfile != nullptr && aProfile->getHelpBox() && !aProfile->getHintBlock(10)) {
      m_threeChainCount = n == 3 ? static_cast<uint8_t>(m_threeChainCount + 1) : 0;
      if (m_threeChainCount > 1) {
        pauseWithPopup(POPUP_HINT_REPEATED_MATCH3);
        aProfile->setHintBlock(10);
      }
    }
    play(m_app, n > 4 ? SFX_REPEL_CLICK : SFX_OBJECT_FOUND);
    if (n > m_longestChain) {
      m_longestChain = static_cast<uint8_t>(n);
      play(m_app, SFX_REVEAL);
    }
    m_points = static_cast<int16_t>(m_points + n - 2);
    if (m_points >= m_target) {
      setGameState(4);
      play(m_app, SFX_MINIGAME_PASSED);
    }
    if (aProfile != nullptr) aProfile->setHintBlock(25);
  }
  m_chainKind = -1;
  m_chainLength = 0;
}

void MiniGame::testForPotionPress(int x, int y) {
  // A release that has just won the game or opened a help box takes nothing from the bottle.
  if (m_state != 3) return;
  Image* aBottle = m_images[k_bottleImage];
  const int w = imageWidth(aBottle);
  if (!MATH::BBPointTest(x, y, k_bottleCentreX - w / 2, k_bottleTop, w, imageHeight(aBottle))) return;
  // 3 % of the target, cut to a whole point.
  const int aPenalty = m_target * 3 / 100;
  m_points = static_cast<int16_t>(std::max(0, m_points - aPenalty));
  const uint32_t aMaxFill = static_cast<uint32_t>(m_points) * 70u;
  if (m_bottleFill > aMaxFill) m_bottleFill = aMaxFill;
  const int aKinds = kindCount(*this);
  for (auto& aColumn : m_cells) {
    for (PotionCell& c : aColumn) {
      c.type = static_cast<int16_t>(std::rand() % aKinds);
      c.scale = 0.0f;
    }
  }
  play(m_app, SFX_MATCH_SHUFFLE);
}

void MiniGame::updatePotionGame() {
  m_bubbleAnims[0].update();
  m_bubbleAnims[1].update();
  m_chainHeadAnim.update();
  if (m_glowMode == 1) {
    m_glowValue -= k_pulseSpeed;
    if (m_glowValue <= k_pulseDarkestColor) {
      m_glowValue = k_pulseDarkestColor;
      m_glowMode = 2;
    }
  } else if (m_glowMode == 2) {
    m_glowValue += k_pulseSpeed;
    if (m_glowValue >= k_pulseBrightest) {
      m_glowValue = k_pulseBrightest;
      m_glowMode = 1;
    }
  }
  if (m_points > 0 && m_bottleFill < static_cast<uint32_t>(m_points) * 70u) ++m_bottleFill;
  for (auto& aColumn : m_cells) {
    for (PotionCell& c : aColumn) {
      if (!c.exists || c.scale >= 1.0f) continue;
      c.scale = std::min(1.0f, c.scale + c.growSpeed);
    }
  }
  // The bottle never shows less than 8 % of the target: points / target < 0.08 as a fraction,
  // not in whole numbers (where every score below the target would read as 0 and be reset).
  if (m_target > 0) {
    if (m_points * 25 < m_target * 2) m_points = static_cast<int16_t>(m_target * 2 / 25);
    const uint32_t aFloorFill = static_cast<uint32_t>(m_target) * 56u / 10u;  // 70 x 8 %
    if (m_bottleFill < aFloorFill) m_bottleFill = aFloorFill;
  }
  PARTICLE::update();
}

void MiniGame::drawConnectors(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  const int c = static_cast<int>(255.0f * f);
  if (m_glowMode != 0) {
    const int v = static_cast<int>(255.0f * m_glowValue * f);
    g->SetColor(Color(v, v, v, 255));
  } else {
    g->SetColor(Color(c, c, c));
  }
  Image* aFirst = m_images[k_ingredientImages];
  const int aHalfW = imageWidth(aFirst) / 2, aHalfH = imageHeight(aFirst) / 2;
  for (int k = 0; k + 1 < m_chainLength; ++k) {
    const PotionCell* aCell = m_chain[k];
    if (aCell->connector == nullptr || aCell->connector->image == nullptr) continue;
    g->DrawImage(aCell->connector->image, aCell->x + aHalfW + aCell->connector->dx,
                 aCell->y + aHalfH + aCell->connector->dy);
  }
}

void MiniGame::drawPotionBoard(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  const int c = static_cast<int>(255.0f * f);
  const Color aBase(c, c, c);
  const int v = static_cast<int>(255.0f * m_glowValue * f);
  const Color aGlow(v, v, v, 255);
  g->SetColorizeImages(true);
  drawConnectors(g);
  Image* aBackdrop = m_images[k_backdropImage];
  Image* aSelectedBackdrop = m_images[k_selectedBackdropImage];
  const int aHalfW = imageWidth(m_images[k_ingredientImages]) / 2;
  const int e = aHalfW - imageWidth(aBackdrop) / 2;
  const PotionCell* aHead = m_chainLength > 0 ? m_chain[m_chainLength - 1] : nullptr;
  for (auto& aColumn : m_cells) {
    for (PotionCell& aCell : aColumn) {
      if (!aCell.exists) continue;
      if (aCell.selected) {
        g->SetColor(m_glowMode != 0 ? aGlow : aBase);
        if (aSelectedBackdrop != nullptr) g->DrawImage(aSelectedBackdrop, aCell.x + e, aCell.y + e);
      } else {
        g->SetColor(aBase);
        if (aBackdrop != nullptr) g->DrawImage(aBackdrop, aCell.x + e, aCell.y + e);
      }
      g->SetColor(aBase);
      Image* anIngredient =
          aCell.type >= 0 && aCell.type < k_numKinds ? m_images[k_ingredientImages + aCell.type] : nullptr;
      if (anIngredient != nullptr) {
        const int w = anIngredient->GetWidth(), h = anIngredient->GetHeight();
        const int sw = static_cast<int>(w * aCell.scale), sh = static_cast<int>(h * aCell.scale);
        const int aShift = aHalfW - w / 2;
        if (sw > 0 && sh > 0)
          g->DrawImage(anIngredient, aCell.x + aShift + (w - sw) / 2, aCell.y + aShift + (h - sh) / 2, sw,
                       sh);
      }
      if (&aCell == aHead) m_chainHeadAnim.draw(g, aCell.x - 9, aCell.y - 9, f);
    }
  }
}

void MiniGame::drawPotionSideBar(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  const int c = static_cast<int>(255.0f * f);
  const int aLanguage = TeskAppBase::s_languageUsing;
  const int o = aLanguage == 3 ? 21 : (aLanguage == 5 || aLanguage == 7) ? 10 : 0;
  const int aChapter = potionIndex(m_app);
  const Color& aPotion = k_levelPotionColors[aChapter];
  Image* aContents = m_images[k_bottleContentsImage];
  Image* aBottle = m_images[k_bottleImage];
  g->SetColorizeImages(true);
  if (aContents != nullptr && m_target > 0) {
    const int wf = aContents->GetWidth(), hf = aContents->GetHeight();
    const int aLeft = k_bottleCentreX - wf / 2;
    const int q = static_cast<int>(m_bottleFill / 70u);
    const float aTarget = static_cast<float>(m_target);
    g->SetColor(Color::Black);
    g->DrawImage(aContents, aLeft, k_bottleTop - o);
    if (q != 0) {
      // Points scored but not yet poured in show in red above the potion.
      const float a = m_points / aTarget - q / aTarget;
      const int hr = static_cast<int>(k_liquidHeight * a);
      const int Y = hf - static_cast<int>(4 + k_liquidHeight * m_points / aTarget) + k_bottleTop;
      const int aSrcY = std::max(0, Y - k_bottleTop);
      const int aHeight = std::min(hr, hf - aSrcY);
      if (aHeight > 0) {
        g->SetColor(
            Color(static_cast<int>(255 * f), static_cast<int>(25 * f), static_cast<int>(25 * f), 255));
        g->DrawImage(aContents, TRect<int>(aLeft, aSrcY + k_bottleTop - o, wf, aHeight),
                     TRect<int>(0, aSrcY, wf, aHeight));
      }
    }
    const float s = q / aTarget;
    const int h = std::min(hf, static_cast<int>(k_liquidHeight * s) + 4);
    int Y1 = hf - h - o + k_bottleTop;
    g->SetColor(Color(static_cast<int>(aPotion.mRed * f), static_cast<int>(aPotion.mGreen * f),
                      static_cast<int>(aPotion.mBlue * f), 200));
    g->DrawImage(aContents, TRect<int>(aLeft, Y1, wf, h), TRect<int>(0, hf - h, wf, h));
    if (s > 0.08f) {
      Y1 = std::max(Y1, k_bubblesTop - o);
      for (int k = 0; k < 2; ++k) {
        ANIM::AnimationBasic& b = m_bubbleAnims[k];
        if (b.isInactive()) continue;
        const int hb = std::min(static_cast<int>(k_liquidHeight * s), b.getCellHeight());
        b.setColor(aPotion.mRed, aPotion.mGreen, aPotion.mBlue);
        b.setXY(k_bubblesX[k], Y1);
        b.setWH(b.getCellWidth(), hb);
        b.draw(g, f);
      }
    }
  }
  g->SetColor(Color(c, c, c));
  if (aBottle != nullptr) g->DrawImage(aBottle, k_bottleCentreX - aBottle->GetWidth() / 2, k_bottleTop - o);

  g->SetFont(FONT_SMALL);
  setSideBarTextColor(g, 253, 234, 199, f);
  writeSideBarText(g, stringMinigameClickPotion, imageHeight(aBottle) - o + 231);
  wchar_t aBuffer[64];
  if (!isInWinState() && stringChapNumAndPotionGame != nullptr) {
    GameText::formatText(aBuffer, 64, stringChapNumAndPotionGame, levelOf(m_app));
    writeSideBarText(g, aBuffer, 54);
  }
  if (stringCurrentChainLength != nullptr) {
    GameText::formatText(aBuffer, 64, stringCurrentChainLength, static_cast<int>(m_chainLength));
    writeSideBarText(g, aBuffer, 115);
  }
  if (stringLongestChain != nullptr) {
    setSideBarTextColor(g, 223, 153, 43, f);
    GameText::formatText(aBuffer, 64, stringLongestChain, static_cast<int>(m_longestChain));
    writeSideBarText(g, aBuffer, 175);
  }
}

}  // namespace Tesk
