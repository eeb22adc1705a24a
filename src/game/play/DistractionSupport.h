// What the distraction actors share: their sprite sheets, the puffs of smoke they leave in, and
// the application's sound manager and samples.
#pragma once

#include "graphics/AnimationBasic.h"

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class GameApp;
class Image;
class SoundInstance;
class SoundManager;
}  // namespace Tesk

namespace DISTRACTION {

// The puff an actor leaves in when driven away.
constexpr int k_puffType = 18;
// The burst over an actor that was clicked.
constexpr int k_clickBurstType = 25;

// Sets theAnim to theImage cut in theRows x theCols; without an image (its resources not
// loaded) the animation is cleared and false is given.
bool setSheet(ANIM::AnimationBasic& theAnim, Tesk::Image* theImage, int theFrames, int theDelay, int theState,
              int theRows, int theCols);

// A puff over the rectangle, kept in thePuff (null when the pool is full).
void startPuff(PARTICLE::ParticleSystem*& thePuff, int x, int y, int theWidth, int theHeight);
// Whether thePuff still holds a puff: the pool frees a finished one and may hand the record
// to somebody else, whom a stale pointer must not move or end.
bool isPuffAlive(PARTICLE::ParticleSystem*& thePuff);
void movePuff(PARTICLE::ParticleSystem*& thePuff, int x, int y);
void killPuff(PARTICLE::ParticleSystem*& thePuff);

// What a click that drives an actor away shows and plays: the click sound through theApp (the
// level dynamics' application when null) and a burst centred on the box.
void clickBurst(Tesk::GameApp* theApp, int x, int y, int theWidth, int theHeight);

// The application the level dynamics were given, and its sound manager (null without one).
Tesk::GameApp* app();
Tesk::SoundManager* soundManager();
void playSample(int theSoundId);
// theSlot released (when set) and taken anew from theSoundId; null when the sound is missing.
void takeInstance(Tesk::SoundInstance*& theSlot, int theSoundId);
void releaseInstance(Tesk::SoundInstance*& theSlot);
// Loads theName under theSoundId; false (said once per name) when the file is missing.
bool loadSound(int theSoundId, const char* theName);

}  // namespace DISTRACTION
