#include "graphics/Particles.h"

#include <algorithm>

#include "core/MTAutoDisallowRand.h"
#include "core/MTRand.h"
#include "graphics/DrawMode.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/Widget.h"

namespace PARTICLE {

ParticleBasic particleArray[k_particleCount];
ParticleTxt txtArray[k_txtCount];
ParticleSystem m_particleSystemArray[k_systemCount];
PartImageData s_partImageData[k_sheetCount];
const Tesk::TRect<int>* s_screenRect = nullptr;
const float k_2PIE = 3.1415927f * 2.0f;

namespace {

struct SheetLayout {
  int rows, cols, frames, delay;
};
const SheetLayout k_sheetLayouts[k_sheetCount] = {
    {2, 4, 8, 6}, {2, 4, 7, 10}, {2, 4, 8, 10}, {1, 4, 4, 15}, {1, 1, 1, 15},
};

void fillSheet(PartImageData& theData, Tesk::Image* theImage, const SheetLayout& theLayout) {
  theData.m_image = theImage;
  theData.m_rows = static_cast<uint8_t>(theLayout.rows);
  theData.m_cols = static_cast<uint8_t>(theLayout.cols);
  theData.m_cellWidth = static_cast<uint8_t>(theImage ? theImage->GetWidth() / theLayout.cols : 0);
  theData.m_cellHeight = static_cast<uint8_t>(theImage ? theImage->GetHeight() / theLayout.rows : 0);
  theData.m_frameCount = static_cast<uint8_t>(theLayout.frames);
  theData.m_frameDelay = static_cast<uint8_t>(theLayout.delay);
}

}  // namespace

void init(const Tesk::TRect<int>* theScreenRect, Tesk::Image* theSheet0, Tesk::Image* theSheet1,
          Tesk::Image* theSheet2, Tesk::Image* theSheet3, Tesk::Image* theSheet4) {
  s_screenRect = theScreenRect;
  for (ParticleBasic& aParticle : particleArray) aParticle.m_type = 0;
  for (ParticleSystem& aSystem : m_particleSystemArray) aSystem.m_type = 0;
  Tesk::Image* aSheets[k_sheetCount] = {theSheet0, theSheet1, theSheet2, theSheet3, theSheet4};
  for (int i = 0; i < k_sheetCount; ++i) fillSheet(s_partImageData[i], aSheets[i], k_sheetLayouts[i]);
}

void resetAll(bool theTextToo) {
  for (ParticleSystem& aSystem : m_particleSystemArray) aSystem.m_type = 0;
  for (ParticleBasic& aParticle : particleArray) aParticle.m_type = 0;
  if (theTextToo)
    for (ParticleTxt& aTxt : txtArray) aTxt.m_type = 0;
}

void update() {
  for (ParticleBasic& aParticle : particleArray) updateParticle(&aParticle);
  for (ParticleTxt& aTxt : txtArray) updateParticle(&aTxt);
  for (ParticleSystem& aSystem : m_particleSystemArray) aSystem.update();
}

void createTxtParticle(const int& theX, const int& theY, const int& theType, const TeskString* theText,
                       const Tesk::Font* theFont, const int& theHidden) {
  ParticleTxt* aTxt = nullptr;
  for (ParticleTxt& aRecord : txtArray) {
    if (aRecord.m_type == 0) {
      aTxt = &aRecord;
      break;
    }
  }
  if (aTxt == nullptr) return;
  aTxt->m_type = static_cast<uint8_t>(theType & 63);
  aTxt->m_drawMode = Tesk::DRAWMODE_ADDITIVE;
  if (theType != k_txtType) return;
  aTxt->m_partImage = nullptr;
  aTxt->m_life = 300;
  aTxt->m_x = static_cast<float>(theX);
  aTxt->m_y = static_cast<float>(theY);
  aTxt->m_vx = 0.0f;
  aTxt->m_vy = -0.2f;
  aTxt->m_ax = 0.0f;
  aTxt->m_ay = 0.0f;
  aTxt->m_alpha = 0.9f;
  aTxt->m_alphaSpeed = -0.9f / 300.0f;
  aTxt->m_color.mRed = 255;
  aTxt->m_color.mGreen = 55;
  aTxt->m_color.mBlue = 55;
  aTxt->m_hidden = static_cast<uint8_t>(theHidden & 0xFF);
  aTxt->m_text = theText;
  aTxt->m_textWidth = 0;
  aTxt->m_font = theFont;
}

namespace {

void drawTxtParticles(Tesk::Graphics* g, float theAlpha, Tesk::Widget* theWidget) {
  for (ParticleTxt& aTxt : txtArray) {
    if (aTxt.m_type != k_txtType) continue;
    aTxt.m_color.mAlpha = static_cast<int>(theAlpha * (aTxt.m_alpha * 255.0f));
    Tesk::Font* aFont = const_cast<Tesk::Font*>(aTxt.m_font);
    if (aTxt.m_textWidth == 0 && aFont != nullptr && aTxt.m_text != nullptr)
      aTxt.m_textWidth = aFont->StringWidth(*aTxt.m_text);
    g->SetColor(aTxt.m_color);
    g->SetFont(aFont);
    if (aTxt.m_hidden == 0 && aTxt.m_text != nullptr)
      theWidget->WriteString(g, *aTxt.m_text, static_cast<int>(aTxt.m_x) - aTxt.m_textWidth / 2,
                             static_cast<int>(aTxt.m_y), aTxt.m_textWidth, 0, true, 0, -1);
  }
}

}  // namespace

void draw(Tesk::Graphics* g, const float& theAlpha, Tesk::Widget* theWidget) {
  // Drawing runs at the frame rate, not the update rate: a draw here would break replay.
  Tesk::MTAutoDisallowRand aNoRand;
  if (theAlpha == 0.0f) return;
  g->SetFastStretch(true);
  for (ParticleBasic& aParticle : particleArray) {
    if (aParticle.m_type < 1 || aParticle.m_type > 27 || aParticle.m_partImage == nullptr ||
        aParticle.m_partImage->m_image == nullptr)
      continue;
    const PartImageData& aSheet = *aParticle.m_partImage;
    const float w = aParticle.m_scale * aSheet.m_cellWidth;
    const float h = aParticle.m_scale * aSheet.m_cellHeight;
    Tesk::TRect<int> aDest(static_cast<int>(aParticle.m_x - 0.5f * w),
                           static_cast<int>(aParticle.m_y - 0.5f * h), static_cast<int>(w),
                           static_cast<int>(h));
    if (!aDest.Intersects(*s_screenRect)) continue;
    Tesk::TRect<int> aSrc(aSheet.m_cellWidth * (aParticle.m_frame % aSheet.m_cols),
                          aSheet.m_cellHeight * (aParticle.m_frame / aSheet.m_cols), aSheet.m_cellWidth,
                          aSheet.m_cellHeight);
    aParticle.m_color.mAlpha = static_cast<int>(theAlpha * (aParticle.m_alpha * 255.0f));
    g->SetDrawMode(aParticle.m_drawMode);
    g->SetColor(aParticle.m_color);
    g->DrawImage(aSheet.m_image, aDest, aSrc);
  }
  g->SetFastStretch(false);
  g->SetDrawMode(Tesk::DRAWMODE_NORMAL);
  if (theWidget != nullptr) {
    drawTxtParticles(g, theAlpha, theWidget);
    g->SetDrawMode(Tesk::DRAWMODE_NORMAL);
  }
}

}  // namespace PARTICLE

using PARTICLE::ParticleBasic;
using PARTICLE::s_partImageData;

namespace {

float R(float theRange) { return Tesk::RandF(theRange, 100.0f); }
float S(float theRange) { return Tesk::RandFSignedRange(theRange, 100.0f); }

struct Look {
  int sheet;
  int life;
  float alpha;
  int red, green, blue;
  float scale;
  float scaleChange;  // over the whole life
  int mode;
};

// Per type: sheet, life, start alpha, colour, scale and its change, draw mode.
const Look k_looks[28] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 200, 1.0f, 255, 255, 255, 1.0f, 0.0f, 1},      // 1
    {2, 80, 1.0f, 80, 80, 235, 1.0f, 0.0f, 1},         // 2
    {2, 80, 1.0f, 80, 80, 235, 1.0f, 0.0f, 1},         // 3
    {0, 150, 1.0f, 244, 201, 69, 1.0f, -0.4f, 1},      // 4
    {0, 200, 1.0f, 25, 255, 25, 1.0f, 0.0f, 1},        // 5
    {0, 100, 1.0f, 25, 255, 25, 1.0f, 0.0f, 1},        // 6
    {0, 90, 0.75f, 235, 140, 140, 0.8f, -0.4f, 0},     // 7
    {3, 90, 0.75f, 235, 140, 140, 0.8f, -0.4f, 0},     // 8
    {0, 100, 1.0f, 255, 40, 40, 1.0f, 0.0f, 1},        // 9
    {0, 120, 1.0f, 244, 201, 69, 1.0f, -0.4f, 0},      // 10
    {4, 200, 0.7f, 55, 55, 230, 2.0f, -0.35f * 2, 1},  // 11
    {0, 75, 1.0f, 244, 201, 69, 1.0f, -0.5f, 1},       // 12
    {3, 90, 0.75f, 180, 100, 40, 1.0f, -0.6f, 1},      // 13
    {4, 250, 1.0f, 255, 255, 255, 1.0f, 0.0f, 1},      // 14
    {2, 80, 1.0f, 235, 80, 80, 1.0f, 0.0f, 1},         // 15
    {1, 200, 1.0f, 255, 255, 255, 1.0f, 0.0f, 1},      // 16
    {0, 200, 1.0f, 249, 206, 65, 1.0f, 0.0f, 1},       // 17
    {1, 200, 1.0f, 249, 206, 65, 1.0f, 0.0f, 1},       // 18
    {0, 200, 0.8f, 249, 206, 65, 1.0f, 0.0f, 1},       // 19
    {2, 80, 1.0f, 100, 100, 255, 1.0f, 0.0f, 1},       // 20
    {2, 80, 1.0f, 235, 80, 80, 1.0f, 0.0f, 1},         // 21
    {0, 150, 1.0f, 235, 80, 80, 1.0f, -0.4f, 1},       // 22
    {0, 125, 0.8f, 244, 201, 69, 1.0f, -0.75f, 1},     // 23
    {0, 125, 0.7f, 235, 80, 80, 1.0f, -0.75f, 1},      // 24
    {0, 125, 0.7f, 235, 80, 80, 1.0f, -0.75f, 1},      // 25
    {2, 80, 1.0f, 249, 206, 65, 1.0f, 0.0f, 1},        // 26
    {0, 125, 0.7f, 80, 80, 235, 1.0f, -0.75f, 1},      // 27
};

int randomFrame(const PARTICLE::PartImageData& theSheet) {
  const int aRand = Tesk::Rand();
  return theSheet.m_frameCount ? aRand % theSheet.m_frameCount : 0;
}

}  // namespace

void createParticle(float x, float y, int type, float w, float h, float c, float d) {
  ParticleBasic* p = nullptr;
  for (ParticleBasic& aSlot : PARTICLE::particleArray) {
    if (aSlot.m_type == 0) {
      p = &aSlot;
      break;
    }
  }
  if (p == nullptr) return;
  // A type past 27 would keep its low six bits and could pass for a sprite type with
  // no sheet set up; such requests take no slot.
  if (static_cast<unsigned>(type) > 27u) return;
  p->m_type = static_cast<uint8_t>(type & 63);
  p->m_drawMode = Tesk::DRAWMODE_ADDITIVE;
  p->m_frame = 0;
  p->m_frameTimer = 10;
  p->m_partImage = nullptr;
  p->m_frameStep = 1;
  if (type == 0) return;

  const Look& aLook = k_looks[type];
  PARTICLE::PartImageData& aSheet = s_partImageData[aLook.sheet];
  const float cw = static_cast<float>(aSheet.m_cellWidth);
  const float ch = static_cast<float>(aSheet.m_cellHeight);
  const float aLife = static_cast<float>(aLook.life);
  p->m_partImage = &aSheet;
  p->m_life = static_cast<int16_t>(aLook.life);
  p->m_alpha = aLook.alpha;
  p->m_alphaSpeed = -aLook.alpha / aLife;
  p->m_color.mRed = aLook.red;
  p->m_color.mGreen = aLook.green;
  p->m_color.mBlue = aLook.blue;
  p->m_scale = aLook.scale;
  p->m_scaleSpeed = aLook.scaleChange / aLife;
  p->m_drawMode = static_cast<uint8_t>(aLook.mode);
  p->m_x = x;
  p->m_y = y;
  p->m_vx = p->m_vy = 0.0f;
  p->m_ax = p->m_ay = 0.0f;
  bool aDamped = false;

  // Draw order matters for replay: frame (some types), x, y, vx, vy, frame (others).
  if (type == 2 || type == 13 || type == 20 || type == 21)
    p->m_frame = static_cast<uint8_t>(randomFrame(aSheet));
  switch (type) {
    case 1:
    case 2:
    case 3:
    case 14:
    case 15:
    case 16:
    case 17:
    case 18:
    case 20:
      p->m_x = x + R(w);
      p->m_y = y + R(h);
      if (type == 2) p->m_ay = 0.01f;
      break;
    case 4:
    case 5:
    case 6:
    case 9:
    case 19: {
      const float aSpread = type == 4 ? 2.5f : type == 5 ? 0.35f : type == 6 ? 0.6f : type == 9 ? 1.0f : 2.0f;
      p->m_vx = S(aSpread);
      p->m_vy = S(aSpread);
      aDamped = type == 4;
      break;
    }
    case 7:
    case 8:
      p->m_vx = -0.15f - R(type == 7 ? 0.65f : 0.8f);
      p->m_vy = -0.15f - R(type == 7 ? 0.65f : 0.75f);
      p->m_ay = 0.01f;
      break;
    case 10:
      p->m_x = x + S(std::max(0.0f, (w - cw) * 0.5f));
      p->m_y = y + S(std::max(0.0f, (h - ch) * 0.5f));
      p->m_vx = S(1.5f);
      p->m_vy = S(1.5f);
      aDamped = true;
      break;
    case 11:
      p->m_x = x + S(std::max(0.0f, w - 0.15f * 2.0f * cw));
      p->m_y = y + S(std::max(0.0f, h - 0.15f * 2.0f * ch));
      p->m_vx = S(2.5f);
      p->m_vy = S(2.5f);
      // Uniform acceleration that lands on (c, d) as the life ends.
      p->m_ax = 2.0f * ((c - p->m_x) - p->m_vx * aLife) / (aLife * aLife);
      p->m_ay = 2.0f * ((d - p->m_y) - p->m_vy * aLife) / (aLife * aLife);
      p->m_alphaSpeed = 0.25f * (-0.7f / aLife);
      break;
    case 12:
      p->m_x = x + Tesk::RandFSignedRange(w, 50.0f);
      p->m_y = y + Tesk::RandFSignedRange(h, 50.0f);
      p->m_vx = S(2.5f);
      p->m_vy = S(2.5f);
      aDamped = true;
      break;
    case 13:
      p->m_x = x + S(std::max(0.0f, w - 0.5f * cw));
      p->m_vy = -(R(0.22f) + 0.08f);
      break;
    case 21:
      p->m_x = x + S(w);
      p->m_y = y + S(h);
      p->m_ay = 0.005f;
      break;
    case 22:
      p->m_x = x + S(0.5f * w);
      p->m_y = y + S(0.5f * h);
      p->m_vx = S(2.0f);
      p->m_vy = S(2.0f);
      aDamped = true;
      break;
    case 23:
    case 24:
    case 25:
    case 27:
      // (c, d) is a unit direction: start on the ellipse and fly outward.
      p->m_x = x + 0.5f * w * c;
      p->m_y = y + 0.5f * h * d;
      p->m_vx = 0.75f * c;
      p->m_vy = 0.75f * d;
      aDamped = true;
      break;
    case 26:
      p->m_x = x + S(2.0f * w);
      p->m_y = y + S(2.0f * h);
      break;
    default:
      break;
  }
  if (aDamped) {
    p->m_ax = -p->m_vx / aLife;
    p->m_ay = -p->m_vy / aLife;
    if (type == 25) p->m_ay += 0.01f;
  }
  if (type == 3 || type == 15 || type == 26) p->m_frame = static_cast<uint8_t>(randomFrame(aSheet));
}

void updateParticle(ParticleBasic* theParticle) {
  ParticleBasic& p = *theParticle;
  if (p.m_type == 0) return;
  p.m_life = static_cast<int16_t>(p.m_life - 1);
  if (p.m_life <= 0) p.m_type = 0;
  p.m_x += p.m_vx;
  p.m_y += p.m_vy;
  p.m_vx += p.m_ax;
  p.m_vy += p.m_ay;
  if (p.m_alphaSpeed != 0.0f) {
    p.m_alpha += p.m_alphaSpeed;
    if (p.m_alpha > 1.0f) {
      p.m_alpha = 1.0f;
      p.m_alphaSpeed = 0.0f;
    } else if (p.m_alpha < 0.0f) {
      p.m_alpha = 0.0f;
      p.m_alphaSpeed = 0.0f;
    }
  }
  p.m_scale += p.m_scaleSpeed;
  p.m_frameTimer = static_cast<uint8_t>((p.m_frameTimer - p.m_frameStep) & 15);
  if (p.m_partImage != nullptr && p.m_frameTimer == 0) {
    p.m_frame = static_cast<uint8_t>((p.m_frame + 1) & 15);
    if (p.m_frame == p.m_partImage->m_frameCount) p.m_frame = 0;
    p.m_frameTimer = static_cast<uint8_t>(p.m_partImage->m_frameDelay & 15);
  }
}
