// The distraction actors one by one, with a seeded generator: where they go, what a click
// hits, and how each leaves when the spell is cast.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "PlayRig.h"
#include "core/MTRand.h"
#include "game/play/Spotlight.h"
#include "graphics/Graphics.h"
#include "graphics/Particles.h"

namespace {

using PlayTest::RigApp;

class ActorsTest : public testing::Test {
 protected:
  void SetUp() override {
    PARTICLE::resetAll(true);
    Tesk::SRand(4242);
    std::srand(4242);
  }
  static int SystemsOfType(int theType) {
    int n = 0;
    for (const PARTICLE::ParticleSystem& s : PARTICLE::m_particleSystemArray) n += s.m_type == theType;
    return n;
  }
  PlayTest::TestSheets mSheets;
  RigApp mApp;
};

// A spider brought onto its thread, at rest at (x, y).
void Hanging(Spider& theSpider, int y) {
  theSpider.init(0, 640);
  theSpider.m_state = 2;
  theSpider.update(false);
  theSpider.m_y = static_cast<float>(y);
  theSpider.m_anim.setXY(300, y);
}

TEST_F(ActorsTest, ASpiderNeverDropsInItsBlockedSpans) {
  Spider s;
  s.init(0, 640);
  s.setInvalidArea(75, 23);
  s.setInvalidArea(280, 16);
  s.setInvalidArea(500, 10);  // a third is ignored
  EXPECT_EQ(s.m_blocked[1].m_start, 248);
  int aLowest = 1000, aHighest = -1;
  for (int i = 0; i < 5000; ++i) {
    const int p = s.pickColumnX() - 140;
    ASSERT_FALSE(p > 43 && p <= 43 + 23) << p;
    ASSERT_FALSE(p > 248 && p <= 248 + 16) << p;
    aLowest = std::min(aLowest, p);
    aHighest = std::max(aHighest, p);
  }
  EXPECT_EQ(aLowest, 0);
  EXPECT_EQ(aHighest, 640 - 32 - 1);
  // A right-hand column starts at its own x.
  s.init(340, 320);
  for (int i = 0; i < 500; ++i) {
    const int x = s.pickColumnX();
    ASSERT_GE(x, 480);
    ASSERT_LT(x, 480 + 320 - 32);
  }
}

TEST_F(ActorsTest, ASpiderHangsBetweenTheTopAndItsTurningPoint) {
  Spider::setActive(true);
  Spider s;
  s.init(0, 640);
  int anUpdates = 0;
  while (s.m_state != 3 && ++anUpdates < 600) s.update(false);
  ASSERT_EQ(s.m_state, 3);
  EXPECT_EQ(s.m_anim.getY(), -40);
  bool hasTurnedBack = false;
  bool hasRested = false;
  float aSpeed = s.m_speed;
  for (int i = 0; i < 5000000 && !(hasTurnedBack && hasRested && i > 100000); ++i) {
    const float aY = s.m_y;
    s.update(false);
    hasRested = hasRested || s.m_state == 4;
    if (s.m_speed != aSpeed && s.m_speed != 0.0f) {
      // Past 340 it always climbs; above 100 a turn never climbs.
      if (aY + aSpeed > 340.0f) {
        ASSERT_LT(s.m_speed, 0.0f);
        hasTurnedBack = true;
      }
      if (aY + aSpeed < 100.0f) {
        ASSERT_GT(s.m_speed, 0.0f) << aY;
      }
    }
    if (s.m_speed != 0.0f) aSpeed = s.m_speed;
    ASSERT_GT(s.m_y, -41.0f);
    ASSERT_LT(s.m_y, 345.0f);
  }
  EXPECT_TRUE(hasTurnedBack);
  EXPECT_TRUE(hasRested);
}

TEST_F(ActorsTest, ARepelledSpiderFallsFasterAndFadesOutOver200Updates) {
  Spider::setActive(true);
  Spider s;
  Hanging(s, 200);
  s.repel();
  EXPECT_EQ(s.m_state, 5);
  EXPECT_EQ(SystemsOfType(18), 1);  // its puff
  s.update(false);
  EXPECT_EQ(s.m_state, 6);
  float aSpeed = s.m_speed, aY = s.m_y;
  int anUpdates = 0;
  while (s.m_state == 6) {
    s.update(false);
    ++anUpdates;
    if (s.m_state != 6) break;
    EXPECT_GT(s.m_speed, aSpeed);
    EXPECT_GE(s.m_y, aY);
    aSpeed = s.m_speed;
    aY = s.m_y;
  }
  EXPECT_EQ(s.m_state, 7);
  // Either it has fallen off the screen or faded out, after 200 steps of 0.005 (the last
  // one in floats a hair above 0).
  EXPECT_LE(anUpdates, 201);
  EXPECT_TRUE(s.m_y >= 600.0f || s.m_alpha <= 0.0f);
  // A spider not yet down is only sent back to wait.
  s.m_state = 1;
  s.repel();
  EXPECT_EQ(s.m_state, 7);
  // While the spell runs an idle spider stays idle.
  for (int i = 0; i < 5000; ++i) s.update(true);
  EXPECT_EQ(s.m_state, 7);
}

TEST_F(ActorsTest, SpiderAndBookClicksHitOnlyTheirBoxes) {
  Spider::setActive(true);
  Spider s;
  Hanging(s, 150);
  const int x = s.m_anim.getX(), y = s.m_anim.getY();  // cells of 48: the box is 28 square
  struct Case {
    int dx, dy;
    bool isHit;
  };
  const Case k_spiderCases[] = {{10, 10, true}, {9, 10, false},  {10, 9, false},
                                {37, 37, true}, {38, 20, false}, {20, 38, false}};
  for (const Case& c : k_spiderCases) {
    SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
    Hanging(s, 150);
    EXPECT_EQ(s.clickedOnTest(x + c.dx, y + c.dy, &mApp), c.isHit);
    EXPECT_EQ(s.m_state, c.isHit ? 5 : 3);
  }
  EXPECT_EQ(mApp.Played(Tesk::SFX_REPEL_CLICK), 2);
  bool isBurst = false;
  for (const PARTICLE::ParticleSystem& p : PARTICLE::m_particleSystemArray)
    isBurst = isBurst || (p.m_type == 25 && p.m_x == x + 24 && p.m_y == y + 24 && p.m_width == 28);
  EXPECT_TRUE(isBurst);
  // A spider still waiting cannot be clicked.
  s.m_state = 1;
  EXPECT_FALSE(s.clickedOnTest(x + 20, y + 20, &mApp));

  BookBird::setActive(true);
  BookBird b;
  b.init();
  b.m_flags = (b.m_flags & ~BookBird::k_speedMask) | 100u << BookBird::k_speedShift;
  b.m_pos[0] = 400;
  b.m_pos[1] = 200;
  b.setNextDest();
  b.setState(4);
  b.update(false);  // a first wing stroke: BOOK2 is 80 x 60 cells
  const int bx = b.m_anim.getX(), by = b.m_anim.getY();
  const Case k_bookCases[] = {{20, 25, true}, {19, 25, false}, {20, 24, false},
                              {59, 59, true}, {60, 30, false}, {30, 60, false}};
  for (const Case& c : k_bookCases) {
    SCOPED_TRACE(testing::Message() << "book " << c.dx << ", " << c.dy);
    b.m_leaving = 0;
    EXPECT_EQ(b.clickedOnTest(bx + c.dx, by + c.dy, &mApp), c.isHit);
    EXPECT_EQ(b.m_leaving, c.isHit ? 1 : 0);
  }
  // A book already leaving takes no click.
  b.m_leaving = 1;
  EXPECT_FALSE(b.clickedOnTest(bx + 30, by + 30, &mApp));
  EXPECT_EQ(mApp.Played(Tesk::SFX_REPEL_CLICK), 4);
}

TEST_F(ActorsTest, ABookFromTheRightFliesLeftAndIsGonePastThirty) {
  BookBird::setActive(true);
  BookBird b;
  b.init();
  b.m_pos[0] = 870;
  b.m_pos[1] = 100;
  b.m_flags = (b.m_flags & ~BookBird::k_speedMask) | 90u << BookBird::k_speedShift;
  b.setNextDest();
  b.setState(4);
  float aX = b.m_pos[0];
  int anUpdates = 0;
  while (b.getState() == 4 && ++anUpdates < 100000) {
    b.update(false);
    ASSERT_LT(b.m_pos[0], aX);
    ASSERT_GE(b.m_pos[1], -36.0f);
    ASSERT_LE(b.m_pos[1], 451.0f);
    ASSERT_FALSE(b.m_anim.getMirrored());
    aX = b.m_pos[0];
  }
  EXPECT_EQ(b.getState(), 2);
  EXPECT_LT(b.m_pos[0], 30.0f);
  EXPECT_GT(b.m_pos[0], 29.0f);
  // Its wing strokes follow its climb: a climbing book beats with the climbing sheet.
  b.m_velocity[1] = -0.5f;
  b.m_anim.clear();
  b.setState(4);
  b.update(false);
  EXPECT_EQ(b.getWingStroke(), 2);
  EXPECT_EQ(b.m_anim.m_image, b.isBlue() ? Tesk::ANIM_BLUE_BOOK3 : Tesk::ANIM_BOOK3);
}

TEST_F(ActorsTest, BooksTakeOffOnTheirOwnAndFlyUpAndAwayFromTheSpell) {
  BookBird::setActive(true);
  BookBird b;
  b.init();
  int anUpdates = 0;
  while (b.getState() != 4 && ++anUpdates < 3000) b.update(false);
  ASSERT_EQ(b.getState(), 4);
  EXPECT_TRUE(b.m_pos[0] == 30.0f || b.m_pos[0] == 870.0f);
  EXPECT_GE(b.getSpeed(), 75);
  EXPECT_LT(b.getSpeed(), 125);
  EXPECT_FLOAT_EQ(b.m_scale, 1.0f + 0.25f * (b.getSpeed() - 75) / 50.0f);
  for (int i = 0; i < 100; ++i) b.update(false);
  b.repel();
  EXPECT_EQ(b.m_leaving, 1);
  EXPECT_LT(b.m_velocity[1], 0.0f);  // up
  EXPECT_EQ(SystemsOfType(18), 1);
  anUpdates = 0;
  while (b.getState() == 4 && ++anUpdates < 1000) b.update(true);
  EXPECT_EQ(b.getState(), 0);
  EXPECT_LE(anUpdates, 201);
  for (int i = 0; i < 5000; ++i) b.update(true);
  EXPECT_EQ(b.getState(), 0);  // no new flight under the spell
  // A book the location does not use never flies.
  BookBird anUnused;
  anUnused.setNullState();
  for (int i = 0; i < 5000; ++i) anUnused.update(false);
  EXPECT_EQ(anUnused.getState(), 0);
}

TEST_F(ActorsTest, TheTreeSnoresAndFinishesItsBreathBeforeTheSpellStopsIt) {
  Tree t;
  t.init();
  EXPECT_EQ(t.m_anim.getX(), 488);
  EXPECT_TRUE(t.m_anim.isPaused());
  int anUpdates = 0;
  while (t.m_state != 1 && ++anUpdates < 1000) t.update(false);
  ASSERT_EQ(t.m_state, 1);
  EXPECT_GE(anUpdates, 70);
  EXPECT_LE(anUpdates, 111);
  t.repel();
  EXPECT_EQ(SystemsOfType(18), 1);
  while (t.m_state == 1) t.update(true);
  EXPECT_EQ(t.m_anim.getFrameOn(), 8);  // holding its breath
  EXPECT_TRUE(t.m_anim.isPaused());
  while (t.m_state == 2) t.update(true);
  while (t.m_state == 3) t.update(true);
  EXPECT_EQ(t.m_anim.getFrameOn(), 0);
  EXPECT_EQ(t.m_state, 4);
  t.update(true);
  EXPECT_EQ(t.m_state, 0);
  for (int i = 0; i < 3000; ++i) t.update(true);
  EXPECT_EQ(t.m_state, 0);
  t.update(false);
  EXPECT_EQ(t.m_state, 4);
  t.cleanup();
}

TEST_F(ActorsTest, SpookyEyesOpenInTheirHidingPlaces) {
  SpookyEyes e;
  e.init(5);
  EXPECT_EQ(e.m_numHidingRects, 10);
  EXPECT_EQ(e.m_hidingRects[0].mY, 54 - 8);
  EXPECT_EQ(e.m_hidingRects[0].mHeight, 92 + 16);
  for (int n = 0; n < 200; ++n) {
    e.m_state = 1;
    e.m_timer = 1;
    e.update(false);
    ASSERT_EQ(e.m_state, 2);
    const int x = e.m_anim.getX() - 140, y = e.m_anim.getY();
    bool isInside = false;
    for (int i = 0; i < e.m_numHidingRects; ++i) {
      const Tesk::TRect<short>& r = e.m_hidingRects[i];
      isInside = isInside || (x >= r.mX && x < r.mX + std::max<int>(1, r.mWidth - 32) && y >= r.mY &&
                              y < r.mY + std::max<int>(1, r.mHeight - 32));
    }
    ASSERT_TRUE(isInside) << x << ", " << y;
  }
  // They play once (fading in and out) and wait 2000 to 3999 updates for the next time.
  int anUpdates = 0;
  while (e.m_state == 2 && ++anUpdates < 10000) e.update(false);
  EXPECT_EQ(e.m_state, 3);
  e.update(false);
  EXPECT_GE(e.m_timer, 2000);
  EXPECT_LT(e.m_timer, 4000);
  // At location 4 they have their one place.
  e.init(4);
  e.m_state = 1;
  e.m_timer = 1;
  e.update(false);
  EXPECT_EQ(e.m_anim.getX(), 610);
  EXPECT_EQ(e.m_anim.getY(), 127);
  EXPECT_EQ(e.m_variant, 0);
  e.repel();
  EXPECT_EQ(SystemsOfType(18), 1);
  while (e.m_state == 2) e.update(true);
  EXPECT_EQ(e.m_state, 0);
  for (int i = 0; i < 5000; ++i) e.update(true);
  EXPECT_EQ(e.m_state, 0);
}

TEST_F(ActorsTest, TheChasingEyesLookTowardsTheMouse) {
  EyeChaser c;
  c.init();
  Tesk::WidgetManager* m = mApp.mWidgetManager;
  const int aCentreY = 308 + 10 / 2 - 2;
  struct Case {
    int mMouseX, mMouseY;
    float mX, mY;
  };
  const Case k_cases[] = {
      {395 + 8 + 100, aCentreY, 2.8f, 0.0f},    // far to the right: the whole way
      {395 + 8 + 1, aCentreY + 1, 1.0f, 1.0f},  // close by: just there
      {395 + 8, aCentreY - 50, 0.0f, -2.8f},
  };
  for (const Case& k : k_cases) {
    m->mLastMouseX = k.mMouseX;
    m->mLastMouseY = k.mMouseY;
    c.update(false, m);
    EXPECT_NEAR(c.m_offset[0], k.mX, 1e-4);
    EXPECT_NEAR(c.m_offset[1], k.mY, 1e-4);
  }
  c.update(true, m);
  EXPECT_EQ(c.m_offset[0], 0.0f);
  c.repel();
  EXPECT_EQ(SystemsOfType(18), 1);
}

TEST_F(ActorsTest, EyeFireLightsUpFadesAndGoesOutFromTheSpell) {
  EyeFire f;
  f.init(8);
  EXPECT_NE(f.m_images[1].m_image, nullptr);
  f.update(false);
  EXPECT_EQ(f.m_state, 1);
  f.update(false);
  EXPECT_GE(f.m_timer, 500);
  EXPECT_LT(f.m_timer, 11500);
  f.m_timer = 1;
  f.update(false);
  EXPECT_EQ(f.m_state, 2);
  int anUpdates = 0;
  while (f.m_state == 2) {
    f.update(false);
    ++anUpdates;
  }
  EXPECT_EQ(anUpdates, 125);  // 0.008 a step
  EXPECT_EQ(f.m_alpha, 1.0f);
  EXPECT_GE(f.m_timer, 200);
  EXPECT_LT(f.m_timer, 250);
  f.repel();
  EXPECT_EQ(f.m_timer, 1);
  EXPECT_EQ(SystemsOfType(18), 2);  // a puff over each eye
  f.update(true);
  EXPECT_EQ(f.m_state, 4);
  while (f.m_state == 4) f.update(true);
  EXPECT_EQ(f.m_state, 0);
  for (int i = 0; i < 20000; ++i) f.update(true);
  EXPECT_EQ(f.m_state, 0);
  // Location 6 lights two flames instead of pictures.
  PARTICLE::resetAll(true);
  f.init(6);
  f.update(false);
  f.m_timer = 1;
  f.update(false);
  while (f.m_state == 2) f.update(false);
  EXPECT_EQ(SystemsOfType(16), 2);
  f.m_timer = 1;
  f.update(false);
  while (f.m_state == 4) f.update(false);
  EXPECT_EQ(SystemsOfType(16), 0);
}

TEST_F(ActorsTest, TheSpotlightDarkensAllButTheLight) {
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  auto Fill = [&aScreen] {
    uint32_t* p = aScreen.GetBits();
    for (int i = 0; i < 800 * 600; ++i) p[i] = 0xFFC0C0C0u;
  };
  auto At = [&aScreen](int x, int y) { return aScreen.GetBits()[y * 800 + x]; };
  ANIM::AnimationBasic aLight;
  aLight.setAnim(Tesk::ANIM_SPOTLIGHT, 3, 20, ANIM::PingPong);
  aLight.setRowsCols(1, 3);
  Fill();
  {
    Tesk::Graphics g(&aScreen);
    Spotlight::draw(&g, 400, 300, 0, &aLight);
  }
  for (int y = 0; y < 600; y += 37)
    for (int x = 0; x < 800; x += 41) ASSERT_EQ(At(x, y), 0xFFC0C0C0u) << x << ", " << y;
  Fill();
  {
    Tesk::Graphics g(&aScreen);
    Spotlight::draw(&g, 400, 300, 255, &aLight);
  }
  EXPECT_EQ(At(150, 10), 0xFF000000u);   // above the light
  EXPECT_EQ(At(790, 300), 0xFF000000u);  // beside it
  EXPECT_EQ(At(400, 590), 0xFF000000u);  // below it
  EXPECT_EQ(At(100, 300), 0xFFC0C0C0u);  // the side bar is never darkened
}

}  // namespace
