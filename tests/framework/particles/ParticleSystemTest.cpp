#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ParticleTestSupport.h"

using PARTICLE::particleArray;
using PARTICLE::ParticleSystem;

namespace {

// Updates after which theSystem's emissions appeared, over theUpdates updates.
std::vector<int> EmissionTimes(int theUpdates) {
  std::vector<int> aTimes;
  int aLive = 0;
  for (int i = 1; i <= theUpdates; ++i) {
    PARTICLE::update();
    int aNow = 0;
    for (const PARTICLE::ParticleBasic& p : particleArray) aNow += p.m_type != 0;
    if (aNow > aLive) aTimes.push_back(i);
    aLive = aNow;
  }
  return aTimes;
}

}  // namespace

TEST_F(ParticleTest, AreaDrivenIntervals) {
  struct Case {
    int type, w, h, interval;
  };
  const Case kCases[] = {
      {7, 10, 10, 16},      // 1500 / 7 = 214, clamped
      {7, 200, 100, 6},     // 1500 / 1400 = 1, raised
      {7, 0, 50, 16},       // empty area: slowest rate instead of a division by zero
      {7, 45, 45, 10},      // 1500 / 141.75
      {17, 214, 160, 441},  // 15000 / 34
      {17, 20, 20, 15000},  // area x 0.001 below 1
      {17, 0, 0, 15000},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.type * 100000 + c.w * 1000 + c.h);
    ParticleSystem* s = PARTICLE::createSystem(100, 100, c.type, c.w, c.h, 300, 300, nullptr);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->m_interval, c.interval);
    s->kill();
  }
}

TEST_F(ParticleTest, EmitterTimingTable) {
  struct Case {
    int type;
    int duration;
    int interval;
  };
  const Case kCases[] = {{1, 250, 20},   {2, 160, 5},   {3, 0, 16},     {4, 25, 2},    {5, 10, 2},
                         {6, 15, 2},     {8, 200, 5},   {9, 20, 5},     {18, 175, 16}, {19, 240, 8},
                         {22, 20, 2},    {28, 175, 12}, {10, 777, 100}, {15, 777, 50}, {16, 777, 8},
                         {23, 777, 999}, {30, 777, 999}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.type);
    ParticleSystem aRecord;
    aRecord.m_duration = 777;  // types that never count keep what the record held
    aRecord.m_interval = 999;
    PARTICLE::createSystem(10, 10, c.type, 20, &aRecord);
    EXPECT_EQ(aRecord.m_duration, c.duration);
    EXPECT_EQ(aRecord.m_interval, c.interval);
  }
}

TEST_F(ParticleTest, HomingEmitterCadenceAndTarget) {
  PARTICLE::createSystem(100, 100, 7, 10, 10, 600, 500, nullptr);
  const std::vector<int> aTimes = EmissionTimes(60);
  EXPECT_EQ(aTimes, (std::vector<int>{16, 32, 48}));
  const PARTICLE::ParticleBasic& p = particleArray[0];
  EXPECT_EQ(p.m_type, 11);
  // Uniform acceleration over the life left brings it to (600, 500), less the half step a
  // discrete sum falls short by.
  const float L = p.m_life;
  EXPECT_NEAR(p.m_x + L * p.m_vx + p.m_ax * L * (L - 1) / 2, 600.0f - 100 * p.m_ax, 0.05f);
  EXPECT_NEAR(p.m_y + L * p.m_vy + p.m_ay * L * (L - 1) / 2, 500.0f - 100 * p.m_ay, 0.05f);
}

TEST_F(ParticleTest, Type15FirstEmitsAfter50ThenEvery2) {
  PARTICLE::createSystem(10, 10, 15, 20, nullptr);
  EXPECT_EQ(EmissionTimes(56), (std::vector<int>{50, 52, 54, 56}));
}

TEST_F(ParticleTest, CountedEmitterEndsAndItsRecordIsReused) {
  ParticleSystem* aOld = PARTICLE::createSystem(10, 10, 4, 20, nullptr);  // 25 updates
  for (int i = 0; i < 24; ++i) PARTICLE::update();
  EXPECT_EQ(aOld->m_type, 4);
  PARTICLE::update();
  EXPECT_EQ(aOld->m_type, 0);
  EXPECT_EQ(LiveParticles(), 12);  // every 2 updates up to the 24th
  ParticleSystem* aNew = PARTICLE::createSystem(50, 50, 3, 20, nullptr);
  EXPECT_EQ(aNew, aOld);
  aOld->kill();  // a stale holder ends the new emitter
  EXPECT_EQ(aNew->m_type, 0);
}

TEST_F(ParticleTest, TwoType5EmittersShareOneToggle) {
  PARTICLE::createSystem(10, 10, 5, 20, nullptr);
  PARTICLE::createSystem(10, 10, 5, 20, nullptr);
  PARTICLE::update();
  PARTICLE::update();
  ASSERT_EQ(LiveParticles(), 2);
  EXPECT_EQ(particleArray[0].m_type, 7);
  EXPECT_EQ(particleArray[1].m_type, 8);
  PARTICLE::update();
  PARTICLE::update();
  EXPECT_EQ(particleArray[2].m_type, 7);
  EXPECT_EQ(particleArray[3].m_type, 8);
}

TEST_F(ParticleTest, BurstsRingOutward) {
  struct Case {
    int system, count, particle;
    float firstAngle;
  };
  const Case kCases[] = {{23, 10, 23, 0.0f},
                         {24, 9, 23, PARTICLE::k_2PIE / 18.0f},
                         {25, 8, 24, 0.0f},
                         {26, 8, 25, 0.0f},
                         {29, 10, 27, 0.0f}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.system);
    PARTICLE::resetAll(true);
    ParticleSystem* s = PARTICLE::createSystem(400, 300, c.system, 100, 60, nullptr);
    PARTICLE::update();
    EXPECT_EQ(s->m_type, 0);
    EXPECT_EQ(LiveParticles(), c.count);
    EXPECT_EQ(particleArray[0].m_type, c.particle);
    EXPECT_NEAR(particleArray[0].m_x, 400.0f + 50.0f * std::cos(c.firstAngle), 1e-3);
    EXPECT_NEAR(particleArray[0].m_y, 300.0f + 30.0f * std::sin(c.firstAngle), 1e-3);
    EXPECT_NEAR(particleArray[0].m_vx, 0.75f * std::cos(c.firstAngle), 1e-5);
  }
}

TEST_F(ParticleTest, SpiralStepsThirtyDegreesThroughTwoTurns) {
  ParticleSystem* s = PARTICLE::createSystem(400, 300, 27, 100, 100, 2, 12, nullptr);
  EXPECT_EQ(s->m_duration, 12);
  EXPECT_EQ(s->m_param2, 0);
  std::vector<float> aAngles;
  for (int i = 0; i < 400 && s->m_type != 0; ++i) {
    const int aBefore = LiveParticles();
    PARTICLE::update();
    if (LiveParticles() > aBefore) {
      const PARTICLE::ParticleBasic* aNewest = nullptr;
      for (const PARTICLE::ParticleBasic& p : particleArray)
        if (p.m_type == 23 && p.m_life == 125) aNewest = &p;
      ASSERT_NE(aNewest, nullptr);
      aAngles.push_back(std::atan2(aNewest->m_vy, aNewest->m_vx));
    }
  }
  EXPECT_EQ(s->m_type, 0);
  ASSERT_EQ(aAngles.size(), 24u);
  for (size_t i = 0; i < aAngles.size(); ++i) {
    SCOPED_TRACE(i);
    const double aWant = std::remainder(static_cast<double>(i % 12) * M_PI / 6.0, 2.0 * M_PI);
    EXPECT_NEAR(std::remainder(aAngles[i] - aWant, 2.0 * M_PI), 0.0, 1e-4);
  }
}

TEST_F(ParticleTest, NoFreeRecordReturnsNullAndHighTypesIdle) {
  for (int i = 0; i < PARTICLE::k_systemCount; ++i)
    ASSERT_NE(PARTICLE::createSystem(0, 0, 3, 10, nullptr), nullptr);
  EXPECT_EQ(PARTICLE::createSystem(0, 0, 3, 10, nullptr), nullptr);
  PARTICLE::resetAll(true);
  ParticleSystem* s = PARTICLE::createSystem(0, 0, 31, 10, nullptr);
  for (int i = 0; i < 100; ++i) PARTICLE::update();
  EXPECT_EQ(s->m_type, 31);
  EXPECT_EQ(LiveParticles(), 0);
  ParticleSystem* m = PARTICLE::modifySystem(2, s);
  EXPECT_EQ(m, s);
  EXPECT_EQ(s->m_duration, 160);
  EXPECT_EQ(s->m_width, 10);
}
