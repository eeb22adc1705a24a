// The particle module: fixed pools of particles, text particles and emitters,
// advanced once per game update and drawn once per frame. Nothing allocates
// after start-up, and drawing never draws a random number (demo replay).
#pragma once

#include "core/Common.h"
#include "graphics/PartImageData.h"
#include "graphics/ParticleBasic.h"
#include "graphics/ParticleSystem.h"
#include "graphics/ParticleTxt.h"
#include "graphics/TRect.h"

namespace Tesk {
class Font;
class Graphics;
class Image;
class Widget;
}  // namespace Tesk

namespace PARTICLE {

const int k_particleCount = 160;
const int k_txtCount = 10;
const int k_systemCount = 40;
const int k_sheetCount = 5;
const int k_txtType = 28;

extern ParticleBasic particleArray[k_particleCount];
extern ParticleTxt txtArray[k_txtCount];
extern ParticleSystem m_particleSystemArray[k_systemCount];
extern PartImageData s_partImageData[k_sheetCount];
extern const Tesk::TRect<int>* s_screenRect;
extern const float k_2PIE;

void init(const Tesk::TRect<int>* theScreenRect, Tesk::Image* theSheet0, Tesk::Image* theSheet1,
          Tesk::Image* theSheet2, Tesk::Image* theSheet3, Tesk::Image* theSheet4);
void update();
void draw(Tesk::Graphics* g, const float& theAlpha, Tesk::Widget* theWidget);
void resetAll(bool theTextToo);
void createTxtParticle(const int& theX, const int& theY, const int& theType, const TeskString* theText,
                       const Tesk::Font* theFont, const int& theHidden);

}  // namespace PARTICLE

void createParticle(float x, float y, int type, float w, float h, float c, float d);
void updateParticle(PARTICLE::ParticleBasic* theParticle);
