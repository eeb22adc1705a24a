#include "game/play/Fairies.h"

#include "core/MTRand.h"
#include "graphics/Color.h"
#include "graphics/DrawMode.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"

using Tesk::Rand;
using Tesk::TPoint;

namespace {
// Where fairies may fly: a little past the play area's edges.
constexpr double k_minX = 100.0, k_maxX = 840.0;
constexpr double k_minY = -40.0, k_maxY = 560.0;
constexpr int k_stepRangeX = 70, k_stepRangeY = 52;
}  // namespace

Tesk::Image* Fairies::s_fairyImage = nullptr;
Tesk::Image* Fairies::s_fairyBlendImage = nullptr;

Fairies::Fairies() : m_kind(k_kindNone), m_sheetLayout{2, 6, 0, 0, 12, 6} {}

void Fairies::init(int theKind, int theCount) {
  m_kind = static_cast<uint8_t>(theKind);
  if (m_kind == k_kindNone) theCount = 0;
  if (theCount > k_maxFairies) theCount = k_maxFairies;
  if (theCount < 0) theCount = 0;
  m_sheetLayout[k_sheetRows] = 2;
  m_sheetLayout[k_sheetColumns] = 6;
  m_sheetLayout[k_sheetCellWidth] =
      static_cast<uint8_t>(s_fairyImage != nullptr ? s_fairyImage->mWidth / 6 : 0);
  m_sheetLayout[k_sheetCellHeight] =
      static_cast<uint8_t>(s_fairyImage != nullptr ? s_fairyImage->mHeight / 2 : 0);
  m_sheetLayout[k_sheetFrames] = 12;
  m_sheetLayout[k_sheetUpdatesPerFrame] = 6;
  for (int i = 0; i < theCount; ++i) {
    FairyStruct& f = m_fairies[i];
    f.mActive = 1;
    f.mSize = static_cast<uint16_t>(m_kind == k_kindSmall ? (Rand() % 2) * 2 + 2 : (Rand() % 3) * 2 + 2);
    f.mFrame = static_cast<uint8_t>(Rand() % 12);
    f.mFrameTick = static_cast<uint8_t>(Rand() % 6);
    TPoint<double> p[6];
    p[0] = getValidRandomFairyPoint(470.0, 300.0, 330, 300);
    for (int k = 1; k < 6; ++k)
      p[k] = getValidRandomFairyPoint(p[k - 1].mX, p[k - 1].mY, k_stepRangeX, k_stepRangeY);
    f.mPath.initFairySpline(p[0], p[1], p[2], p[3], p[4], p[5]);
    f.mLit = Rand() % 2;
    setLitTimer(i, false);
  }
  for (int i = theCount; i < k_maxFairies; ++i) m_fairies[i].mActive = 0;
}

void Fairies::kill() {
  for (FairyStruct& f : m_fairies) f.mActive = 0;
  m_kind = k_kindNone;
}

TPoint<double> Fairies::getValidRandomFairyPoint(double theX, double theY, int theRangeX, int theRangeY) {
  const double aDx = Tesk::RandFSignedRange(theRangeX);
  const double aDy = Tesk::RandFSignedRange(theRangeY);
  TPoint<double> aPoint;
  aPoint.mX = theX + aDx >= k_maxX || theX + aDx <= k_minX ? theX - aDx : theX + aDx;
  aPoint.mY = theY + aDy >= k_maxY || theY + aDy <= k_minY ? theY - aDy : theY + aDy;
  return aPoint;
}

void Fairies::setLitTimer(int theIdx, bool stayDark) {
  FairyStruct& f = m_fairies[theIdx];
  if (!stayDark) {
    f.mLit = !f.mLit;
    f.mLitTimer = static_cast<uint16_t>(f.mLit ? Rand() % 251 + 255 : Rand() % 241 + 255);
    return;
  }
  if (f.mLit) {
    const int aFirst = Rand() % 241;
    f.mLitTimer = static_cast<uint16_t>(aFirst + Rand() % 161 + 510);
  } else {
    f.mLitTimer = static_cast<uint16_t>(Rand() % 161 + 255);
  }
  f.mLit = 0;
}

void Fairies::setNextFairyPoints(FairyStruct& theFairy) {
  TPoint<double> aNext = getValidRandomFairyPoint(theFairy.mPath.getLastPointX(),
                                                  theFairy.mPath.getLastPointY(), k_stepRangeX, k_stepRangeY);
  theFairy.mPath.setNextPoints(aNext);
}

void Fairies::update(bool stayDark) {
  if (m_kind == k_kindNone) return;
  for (int i = 0; i < k_maxFairies; ++i) {
    FairyStruct& f = m_fairies[i];
    if (!f.mActive) continue;
    if (f.mPath.testIfNewPointsNeeded()) setNextFairyPoints(f);
    f.mPath.update();
    if (f.mLitTimer > 0) --f.mLitTimer;
    if (f.mLitTimer == 0) setLitTimer(i, stayDark);
    if (++f.mFrameTick >= 6) {
      f.mFrameTick -= 6;
      f.mFrame = static_cast<uint8_t>((f.mFrame + 1) % 12);
    }
  }
}

void Fairies::repel() {
  for (FairyStruct& f : m_fairies)
    if (f.mActive && f.mLit && f.mLitTimer > 100) f.mLitTimer = 100;
}

void Fairies::render(Tesk::Graphics* g, float theFade) {
  if (m_kind == k_kindNone) return;
  const Tesk::Color aTint(static_cast<int>(230 * theFade), static_cast<int>(230 * theFade),
                          static_cast<int>(50 * theFade));
  g->PushState();
  g->SetColorizeImages(true);
  if (s_fairyBlendImage != nullptr) {
    g->SetDrawMode(Tesk::DRAWMODE_ADDITIVE);
    const Tesk::TRect<int> aGlow(0, 0, s_fairyBlendImage->mWidth, s_fairyBlendImage->mHeight);
    for (FairyStruct& f : m_fairies) {
      if (!f.mActive || !f.mLit) continue;
      Tesk::Color aColor = aTint;
      aColor.mAlpha = f.mLitTimer < 256 ? f.mLitTimer / 2 : 127;
      g->SetColor(aColor);
      const int aSize = f.mSize;
      g->DrawImage(s_fairyBlendImage,
                   Tesk::TRect<int>(f.mPath.getNextPointX() - aSize, f.mPath.getNextPointY() - aSize,
                                    2 * aSize, 2 * aSize),
                   aGlow);
    }
  }
  if (s_fairyImage != nullptr) {
    g->SetDrawMode(Tesk::DRAWMODE_NORMAL);
    const int aCellW = m_sheetLayout[k_sheetCellWidth];
    const int aCellH = m_sheetLayout[k_sheetCellHeight];
    for (FairyStruct& f : m_fairies) {
      if (!f.mActive || !f.mLit) continue;
      Tesk::Color aColor = aTint;
      aColor.mAlpha = f.mLitTimer < 256 ? f.mLitTimer : 255;
      g->SetColor(aColor);
      const int aSize = f.mSize;
      const Tesk::TRect<int> aCell((f.mFrame % 6) * aCellW, (f.mFrame / 6) * aCellH, aCellW, aCellH);
      g->DrawImage(s_fairyImage,
                   Tesk::TRect<int>(f.mPath.getNextPointX() - aSize / 2, f.mPath.getNextPointY() - aSize / 2,
                                    aSize, aSize),
                   aCell);
    }
  }
  g->PopState();
}
