// Five recording sheets laid out as the particle module expects, and a clean module per test.
#pragma once

#include <gtest/gtest.h>

#include "../graphics/RecordingImage.h"
#include "core/MTRand.h"
#include "graphics/Particles.h"

class ParticleTest : public ::testing::Test {
 protected:
  Tesk::RecordingImage mSheet0{128, 64};  // 4 x 2 cells of 32
  Tesk::RecordingImage mSheet1{128, 64};
  Tesk::RecordingImage mSheet2{128, 64};
  Tesk::RecordingImage mSheet3{64, 16};  // 4 x 1 cells of 16
  Tesk::RecordingImage mSheet4{20, 20};
  Tesk::TRect<int> mScreen{0, 0, 800, 600};

  void SetUp() override {
    PARTICLE::init(&mScreen, &mSheet0, &mSheet1, &mSheet2, &mSheet3, &mSheet4);
    PARTICLE::resetAll(true);
    PARTICLE::s_invalidOn = 0;
    Tesk::SRand(1234);
  }

  static int LiveParticles() {
    int aCount = 0;
    for (const PARTICLE::ParticleBasic& p : PARTICLE::particleArray) aCount += p.m_type != 0;
    return aCount;
  }
};
