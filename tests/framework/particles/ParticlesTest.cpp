#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ParticleTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/Graphics.h"

using PARTICLE::particleArray;
using Tesk::Graphics;
using Tesk::RecordingImage;

namespace {

// Every live particle's state, as text, after each of theUpdates updates.
std::vector<std::string> Trace(int theUpdates) {
  std::vector<std::string> aTrace;
  for (int i = 0; i < theUpdates; ++i) {
    PARTICLE::update();
    std::string aLine;
    for (int s = 0; s < PARTICLE::k_particleCount; ++s) {
      const PARTICLE::ParticleBasic& p = particleArray[s];
      if (p.m_type == 0) continue;
      char aBuf[160];
      std::snprintf(aBuf, sizeof(aBuf), "[%d t%d %a,%a a%a f%d rgb%d,%d,%d]", s, p.m_type, p.m_x, p.m_y,
                    p.m_alpha, static_cast<int>(p.m_frame), p.m_color.mRed, p.m_color.mGreen,
                    p.m_color.mBlue);
      aLine += aBuf;
    }
    aTrace.push_back(aLine);
  }
  return aTrace;
}

}  // namespace

TEST_F(ParticleTest, SeededRunsRepeatUpdateByUpdate) {
  auto aRun = [] {
    Tesk::SRand(99);
    PARTICLE::resetAll(true);
    PARTICLE::createSystem(100, 100, 2, 40, nullptr);
    PARTICLE::createSystem(300, 200, 7, 50, 40, 600, 500, nullptr);
    PARTICLE::createSystem(400, 300, 8, 60, nullptr);
    PARTICLE::createSystem(200, 400, 15, 30, nullptr);
    PARTICLE::createSystem(500, 100, 29, 80, 40, nullptr);
    return Trace(300);
  };
  const std::vector<std::string> aFirst = aRun();
  const std::vector<std::string> aSecond = aRun();
  EXPECT_EQ(aFirst, aSecond);
  EXPECT_FALSE(aFirst[50].empty());
}

TEST_F(ParticleTest, DrawOrderOfRandomNumbersIsKept) {
  // Type 2: frame, x, y. Type 4: vx, vy. Type 13: frame, x, vy. Type 3: x, y, frame.
  Tesk::SRand(7);
  const int aFrame2 = Tesk::Rand() % 8;
  const float aX2 = 10.0f + Tesk::RandF(30.0f, 100.0f);
  const float aY2 = 20.0f + Tesk::RandF(40.0f, 100.0f);
  const float aVx4 = Tesk::RandFSignedRange(2.5f, 100.0f);
  const float aVy4 = Tesk::RandFSignedRange(2.5f, 100.0f);
  const int aFrame13 = Tesk::Rand() % 4;
  const float aX13 = 5.0f + Tesk::RandFSignedRange(50.0f - 0.5f * 16.0f, 100.0f);
  const float aVy13 = -(Tesk::RandF(0.22f, 100.0f) + 0.08f);
  const float aX3 = 1.0f + Tesk::RandF(8.0f, 100.0f);
  const float aY3 = 2.0f + Tesk::RandF(9.0f, 100.0f);
  const int aFrame3 = Tesk::Rand() % 8;

  Tesk::SRand(7);
  createParticle(10, 20, 2, 30, 40, 0, 0);
  createParticle(0, 0, 4, 0, 0, 0, 0);
  createParticle(5, 6, 13, 50, 60, 0, 0);
  createParticle(1, 2, 3, 8, 9, 0, 0);
  EXPECT_EQ(particleArray[0].m_frame, aFrame2);
  EXPECT_EQ(particleArray[0].m_x, aX2);
  EXPECT_EQ(particleArray[0].m_y, aY2);
  EXPECT_EQ(particleArray[0].m_ay, 0.01f);
  EXPECT_EQ(particleArray[1].m_vx, aVx4);
  EXPECT_EQ(particleArray[1].m_vy, aVy4);
  EXPECT_EQ(particleArray[1].m_ax, -aVx4 / 150.0f);
  EXPECT_EQ(particleArray[2].m_frame, aFrame13);
  EXPECT_EQ(particleArray[2].m_x, aX13);
  EXPECT_EQ(particleArray[2].m_y, 6.0f);
  EXPECT_EQ(particleArray[2].m_vy, aVy13);
  EXPECT_EQ(particleArray[3].m_x, aX3);
  EXPECT_EQ(particleArray[3].m_y, aY3);
  EXPECT_EQ(particleArray[3].m_frame, aFrame3);

  // Golden motion of the type-4 particle: position moves with the previous velocity.
  float x = 0, vx = aVx4;
  for (int i = 0; i < 5; ++i) {
    PARTICLE::update();
    x += vx;
    vx += -aVx4 / 150.0f;
    EXPECT_EQ(particleArray[1].m_x, x);
  }
}

TEST_F(ParticleTest, PerTypeTable) {
  struct Case {
    int type;
    int life;
    float alpha;
    int r, g, b;
    float scale;
    int mode;
    int sheet;
  };
  const Case kCases[] = {
      {1, 200, 1.0f, 255, 255, 255, 1.0f, 1, 0}, {4, 150, 1.0f, 244, 201, 69, 1.0f, 1, 0},
      {7, 90, 0.75f, 235, 140, 140, 0.8f, 0, 0}, {8, 90, 0.75f, 235, 140, 140, 0.8f, 0, 3},
      {10, 120, 1.0f, 244, 201, 69, 1.0f, 0, 0}, {11, 200, 0.7f, 55, 55, 230, 2.0f, 1, 4},
      {13, 90, 0.75f, 180, 100, 40, 1.0f, 1, 3}, {16, 200, 1.0f, 255, 255, 255, 1.0f, 1, 1},
      {19, 200, 0.8f, 249, 206, 65, 1.0f, 1, 0}, {21, 80, 1.0f, 235, 80, 80, 1.0f, 1, 2},
      {23, 125, 0.8f, 244, 201, 69, 1.0f, 1, 0}, {27, 125, 0.7f, 80, 80, 235, 1.0f, 1, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.type);
    PARTICLE::resetAll(true);
    createParticle(100, 100, c.type, 40, 40, 1, 0);
    const PARTICLE::ParticleBasic& p = particleArray[0];
    EXPECT_EQ(p.m_type, c.type);
    EXPECT_EQ(p.m_life, c.life);
    EXPECT_EQ(p.m_alpha, c.alpha);
    EXPECT_EQ(p.m_color.mRed, c.r);
    EXPECT_EQ(p.m_color.mGreen, c.g);
    EXPECT_EQ(p.m_color.mBlue, c.b);
    EXPECT_EQ(p.m_scale, c.scale);
    EXPECT_EQ(p.m_drawMode, c.mode);
    EXPECT_EQ(p.m_partImage, &PARTICLE::s_partImageData[c.sheet]);
    EXPECT_EQ(p.m_frameTimer, 10);
    const float aFade = c.type == 11 ? 0.25f * (-0.7f / 200.0f) : -c.alpha / static_cast<float>(c.life);
    EXPECT_EQ(p.m_alphaSpeed, aFade);
  }
}

TEST_F(ParticleTest, Type7RisesLeftAndFalls) {
  for (int i = 0; i < 50; ++i) createParticle(400, 300, 7, 0, 0, 0, 0);
  for (int i = 0; i < 50; ++i) {
    const PARTICLE::ParticleBasic& p = particleArray[i];
    EXPECT_GE(p.m_vx, -0.8f);
    EXPECT_LE(p.m_vx, -0.15f);
    EXPECT_GE(p.m_vy, -0.8f);
    EXPECT_LE(p.m_vy, -0.15f);
    EXPECT_EQ(p.m_ay, 0.01f);
    EXPECT_EQ(p.m_drawMode, Tesk::DRAWMODE_NORMAL);
  }
}

TEST_F(ParticleTest, HomingParticleLandsOnItsTarget) {
  createParticle(100, 100, 11, 60, 60, 500, 400);
  PARTICLE::ParticleBasic& p = particleArray[0];
  // Stop it being freed so its last position can be read.
  for (int i = 0; i < 199; ++i) updateParticle(&p);
  EXPECT_NE(p.m_type, 0);
  updateParticle(&p);
  EXPECT_EQ(p.m_type, 0);
  // Uniform acceleration over 200 steps lands 0.5 a n past the exact parabola (discrete sum).
  EXPECT_NEAR(p.m_x, 500.0f - 0.5f * 200.0f * p.m_ax * 1.0f, 1.5f);
  EXPECT_NEAR(p.m_y, 400.0f - 0.5f * 200.0f * p.m_ay * 1.0f, 1.5f);
  EXPECT_NEAR(p.m_alpha, 0.7f - 0.175f, 1e-3f);
  EXPECT_NEAR(p.m_scale, 2.0f - 0.7f, 1e-3f);
}

TEST_F(ParticleTest, PoolLimitAndLife) {
  for (int i = 0; i < 200; ++i) createParticle(1, 1, 14, 0, 0, 0, 0);
  EXPECT_EQ(LiveParticles(), 160);
  for (int i = 0; i < 249; ++i) PARTICLE::update();
  EXPECT_EQ(LiveParticles(), 160);
  PARTICLE::update();
  EXPECT_EQ(LiveParticles(), 0);
}

TEST_F(ParticleTest, TypesOutsideTheTableTakeNoSlot) {
  for (int aType : {64 + 5, 91, 28, 63, -1}) createParticle(1, 1, aType, 0, 0, 0, 0);
  EXPECT_EQ(LiveParticles(), 0);
  createParticle(1, 1, 0, 0, 0, 0, 0);
  EXPECT_EQ(LiveParticles(), 0);
}

TEST_F(ParticleTest, FrameCadence) {
  createParticle(0, 0, 1, 0, 0, 0, 0);   // sheet 0: 8 frames, delay 6
  createParticle(0, 0, 14, 0, 0, 0, 0);  // sheet 4: one cell
  std::vector<int> aExpected(9, 0);
  for (int f = 1; f < 8; ++f) aExpected.insert(aExpected.end(), 6, f);
  aExpected.insert(aExpected.end(), 6, 0);
  aExpected.push_back(1);
  std::vector<int> aFrames, aSingle;
  for (size_t i = 0; i < aExpected.size(); ++i) {
    PARTICLE::update();
    aFrames.push_back(particleArray[0].m_frame);
    aSingle.push_back(particleArray[1].m_frame);
  }
  EXPECT_EQ(aFrames, aExpected);
  EXPECT_EQ(aSingle, std::vector<int>(aSingle.size(), 0));
}

TEST_F(ParticleTest, DrawShowsAlphaFrameAndPosition) {
  RecordingImage aScreen(800, 600);
  Graphics g(&aScreen);
  g.SetColorizeImages(true);
  createParticle(100, 100, 1, 0, 0, 0, 0);          // 32x32 cell, centred on (100, 100)
  createParticle(816, 300, 1, 0, 0, 0, 0);          // left edge touches the screen's right edge: skipped
  createParticle(50, 60, 8, 0, 0, 0, 0);            // sheet 3, scale 0.8, normal mode
  for (int i = 0; i < 15; ++i) PARTICLE::update();  // frame 1
  const PARTICLE::ParticleBasic& p0 = particleArray[0];
  const PARTICLE::ParticleBasic& p2 = particleArray[2];
  const float aHalf = 0.5f;
  PARTICLE::draw(&g, aHalf, nullptr);
  ASSERT_EQ(aScreen.mCalls.size(), 2u);
  char aWant[200];
  std::snprintf(aWant, sizeof(aWant),
                "StretchBlt 84,84,32,32 src 32,0,32,32 clip 0,0,800,600 %02xffffff 1 fast",
                static_cast<int>(aHalf * (p0.m_alpha * 255.0f)));
  EXPECT_EQ(aScreen.mCalls[0], aWant);
  const float w = p2.m_scale * 16;
  std::snprintf(aWant, sizeof(aWant),
                "StretchBlt %d,%d,%d,%d src 16,0,16,16 clip 0,0,800,600 %02xeb8c8c 0 fast",
                static_cast<int>(p2.m_x - 0.5f * w), static_cast<int>(p2.m_y - 0.5f * w), static_cast<int>(w),
                static_cast<int>(w), static_cast<int>(aHalf * (p2.m_alpha * 255.0f)));
  EXPECT_EQ(aScreen.mCalls[1], aWant);
  EXPECT_EQ(g.GetDrawMode(), Tesk::DRAWMODE_NORMAL);

  aScreen.mCalls.clear();
  PARTICLE::resetAll(true);
  createParticle(100, 100, 1, 0, 0, 0, 0);
  PARTICLE::draw(&g, 0.5f, nullptr);
  EXPECT_EQ(g.GetColor().mAlpha, 127);
  aScreen.mCalls.clear();
  PARTICLE::draw(&g, 0.0f, nullptr);
  EXPECT_TRUE(aScreen.mCalls.empty());
}

TEST_F(ParticleTest, InitAndResetKeepTextUnlessAsked) {
  const TeskString aText = L"-5";
  PARTICLE::createTxtParticle(10, 10, 28, &aText, nullptr, 0);
  createParticle(1, 1, 1, 0, 0, 0, 0);
  PARTICLE::init(&mScreen, &mSheet0, &mSheet1, &mSheet2, &mSheet3, &mSheet4);
  EXPECT_EQ(LiveParticles(), 0);
  EXPECT_EQ(PARTICLE::txtArray[0].m_type, 28);
  PARTICLE::resetAll(false);
  EXPECT_EQ(PARTICLE::txtArray[0].m_type, 28);
  PARTICLE::resetAll(true);
  EXPECT_EQ(PARTICLE::txtArray[0].m_type, 0);
}

TEST_F(ParticleTest, DrawingTakesNoRandomNumbers) {
  RecordingImage aScreen(800, 600);
  Graphics g(&aScreen);
  for (int aType = 1; aType <= 27; ++aType) createParticle(400, 300, aType, 50, 50, 1, 0);
  Tesk::SRand(5);
  const int aExpected = Tesk::Rand();
  Tesk::SRand(5);
  PARTICLE::draw(&g, 1.0f, nullptr);
  EXPECT_EQ(Tesk::gRandAllowed, 0);
  EXPECT_EQ(Tesk::Rand(), aExpected);
  EXPECT_EQ(aScreen.mCalls.size(), 27u);
}

TEST_F(ParticleTest, SheetWithoutAnImageIsNotDrawn) {
  PARTICLE::init(&mScreen, &mSheet0, &mSheet1, &mSheet2, &mSheet3, nullptr);
  createParticle(100, 100, 14, 10, 10, 0, 0);
  createParticle(100, 100, 1, 10, 10, 0, 0);
  RecordingImage aScreen(800, 600);
  Graphics g(&aScreen);
  PARTICLE::draw(&g, 1.0f, nullptr);
  EXPECT_EQ(aScreen.mCalls.size(), 1u);
}
