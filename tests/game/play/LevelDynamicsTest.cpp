// The level dynamics through the real sound manager: each location's set-up, the ambient
// schedule, the darkness of locations 9 and 12, the repel spell and the distractions switch.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlayRig.h"
#include "core/MTRand.h"
#include "game/play/Spotlight.h"
#include "graphics/Particles.h"
#include "sound/SoundInstance.h"

namespace {

using PlayTest::RigApp;

class LevelDynamicsTest : public testing::Test {
 protected:
  void SetUp() override {
    Tesk::InGame::m_levelDynamics.reset(nullptr);
    PARTICLE::resetAll(true);
  }
  void TearDown() override {
    D().exitLocationToMap();
    D().reset(nullptr);
  }
  static LevelDynamics& D() { return Tesk::InGame::m_levelDynamics; }

  // The level holds theIds, each visited theVisits times before.
  void Level(RigApp& theApp, std::initializer_list<int> theIds, int theVisits = 0) {
    int i = 0;
    for (LocationData& l : theApp.mLevel->m_locations) l.m_id = -1;
    for (int anId : theIds) {
      theApp.mLevel->m_locations[i].m_id = anId;
      theApp.mLevel->m_locations[i++].m_visitCount = static_cast<uint8_t>(theVisits);
    }
  }
  static int Fairies() {
    int n = 0;
    for (const FairyStruct& f : D().m_fairies.m_fairies) n += f.mActive;
    return n;
  }
  static int SystemsOfType(int theType) {
    int n = 0;
    for (const PARTICLE::ParticleSystem& s : PARTICLE::m_particleSystemArray) n += s.m_type == theType;
    return n;
  }
  static int ParticlesOfType(int theType) {
    int n = 0;
    for (const PARTICLE::ParticleBasic& p : PARTICLE::particleArray) n += p.m_type == theType;
    return n;
  }
  // Game updates with the particles moving, as the play scene runs them.
  static void Run(RigApp& theApp, int theUpdates) {
    for (int i = 0; i < theUpdates; ++i) {
      D().update(&theApp);
      PARTICLE::update();
    }
  }
  static int Effects() {
    int n = 0;
    for (PARTICLE::ParticleSystem* e : D().m_effects) n += e != nullptr && e->m_type == 17;
    return n;
  }

  PlayTest::TestSheets mSheets;
};

TEST_F(LevelDynamicsTest, EachLocationLoadsItsAmbientSoundsFromTheGeneratedSet) {
  struct Case {
    int mId, mConstant, mTimed, mOnePlays;
  };
  const Case k_cases[] = {{1, 1, 1, 6}, {2, 1, 1, 4},  {3, 1, 1, 5},  {4, 1, 2, 5},
                          {5, 1, 0, 5}, {6, 1, 2, 3},  {7, 0, 1, 5},  {8, 1, 2, 4},
                          {9, 3, 2, 2}, {10, 2, 0, 4}, {11, 1, 1, 4}, {12, 0, 1, 5}};
  PlayTest::InFolder aData("dynamics-sounds");
  ASSERT_EQ(chdir(PlayTest::ResourcesDir().c_str()), 0);
  RigApp anApp(true);  // a device: every file is really decoded
  auto* aSounds = static_cast<Tesk::DSoundManager*>(anApp.mSoundManager);
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mId);
    Level(anApp, {c.mId});
    D().setNewLocation(c.mId, &anApp);
    EXPECT_EQ(D().m_state, LevelDynamics::IN_LOCATION);
    EXPECT_EQ(LevelDynamics::s_locationAt, c.mId);
    ASSERT_EQ(D().m_numConstantLoops, c.mConstant);
    ASSERT_EQ(D().m_numTimedLoops, c.mTimed);
    ASSERT_EQ(D().m_numOnePlays, c.mOnePlays);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(D().m_constantLoops[i] != nullptr, i < c.mConstant);
      EXPECT_EQ(aSounds->GetSourceBuffer(150 + i) != nullptr, i < c.mConstant);
      if (i < c.mConstant) {
        EXPECT_TRUE(D().m_constantLoops[i]->IsPlaying());
      }
      EXPECT_EQ(D().m_timedLoops[i] != nullptr, i < c.mTimed);
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(D().m_onePlays[i] != nullptr, i < c.mOnePlays) << i;
    D().exitLocationToMap();
    EXPECT_EQ(D().m_state, LevelDynamics::OUTSIDE_LOCATION);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(aSounds->GetSourceBuffer(170 + i), nullptr);
    EXPECT_EQ(D().m_constantLoops[0], nullptr);
  }
}

TEST_F(LevelDynamicsTest, EachLocationSetsUpItsActorsByVisit) {
  struct Spiders {
    int mColumn0, mWidth0, mColumn1, mWidth1;
  };
  struct Case {
    int mId, mVisits;
    bool mEyeFire, mChaser, mSpooky, mTree;
    int mBooks, mFairies, mEffects, mAnims;
    bool mSpotlight;
    Spiders mSpiders;
  };
  const Case k_cases[] = {
      {1, 0, true, false, false, false, 0, 0, 0, 0, false, {0, 0, 0, 0}},
      {1, 1, true, false, false, false, 0, 0, 0, 0, false, {0, 640, 0, 0}},
      {1, 2, true, false, false, false, 0, 0, 0, 0, false, {0, 320, 340, 320}},
      {2, 0, false, true, false, false, 0, 0, 0, 2, false, {0, 0, 0, 0}},
      {2, 1, false, true, false, false, 0, 0, 0, 2, false, {0, 640, 0, 0}},
      {3, 0, false, false, false, false, 0, 0, 0, 0, false, {0, 0, 0, 0}},
      {3, 1, false, false, false, false, 0, 18, 0, 0, false, {0, 0, 0, 0}},
      {3, 2, true, false, false, false, 0, 22, 0, 0, false, {0, 0, 0, 0}},
      {4, 0, false, false, true, false, 1, 0, 0, 0, false, {0, 0, 0, 0}},
      {4, 1, false, false, true, false, 2, 0, 0, 0, false, {0, 0, 0, 0}},
      {4, 3, false, false, true, false, 3, 0, 0, 0, false, {0, 0, 0, 0}},
      {5, 0, false, false, true, false, 0, 0, 0, 0, false, {0, 0, 0, 0}},
      {5, 2, false, false, true, false, 2, 0, 0, 0, false, {0, 0, 0, 0}},
      {5, 3, false, false, true, false, 3, 0, 0, 0, false, {0, 0, 0, 0}},
      {6, 0, false, false, false, false, 0, 0, 4, 0, false, {0, 0, 0, 0}},
      {6, 2, true, false, false, false, 0, 0, 4, 0, false, {0, 640, 0, 0}},
      {6, 3, true, false, false, false, 0, 0, 4, 0, false, {0, 320, 340, 320}},
      {7, 0, false, false, false, false, 0, 0, 0, 2, false, {0, 0, 0, 0}},
      {7, 1, false, false, false, false, 0, 0, 0, 2, false, {0, 640, 0, 0}},
      {7, 2, false, false, false, false, 0, 0, 1, 2, false, {0, 320, 340, 294}},
      {8, 0, false, false, false, false, 0, 15, 0, 0, false, {0, 0, 0, 0}},
      {8, 3, true, false, false, false, 0, 25, 0, 0, false, {0, 0, 0, 0}},
      {9, 0, false, false, false, false, 0, 0, 0, 1, true, {0, 0, 0, 0}},
      {9, 2, false, false, false, false, 0, 0, 0, 1, true, {0, 320, 340, 320}},
      {10, 0, false, false, false, true, 0, 15, 0, 0, false, {0, 0, 0, 0}},
      {10, 2, true, false, false, true, 0, 22, 0, 0, false, {0, 0, 0, 0}},
      {11, 0, false, false, false, false, 1, 0, 0, 0, false, {0, 0, 0, 0}},
      {11, 1, false, false, true, false, 2, 0, 0, 0, false, {0, 0, 0, 0}},
      {12, 0, false, false, false, false, 0, 0, 0, 0, true, {0, 640, 0, 0}},
      {12, 1, false, false, false, false, 0, 0, 0, 0, true, {0, 320, 340, 320}},
  };
  RigApp anApp;
  for (const Case& c : k_cases) {
    SCOPED_TRACE(testing::Message() << "location " << c.mId << " visit " << c.mVisits);
    Level(anApp, {c.mId}, c.mVisits);
    PARTICLE::resetAll(true);
    D().setNewLocation(c.mId, &anApp);
    EXPECT_EQ(EyeFire::s_activeAtThisLocation, c.mEyeFire);
    EXPECT_EQ(EyeChaser::s_activeAtThisLocation, c.mChaser);
    EXPECT_EQ(SpookyEyes::s_activeAtThisLocation, c.mSpooky);
    EXPECT_EQ(Tree::s_activeAtThisLocation, c.mTree);
    int aBooks = 0;
    for (const BookBird& b : D().m_books) aBooks += b.m_inUse;
    EXPECT_EQ(aBooks, c.mBooks);
    EXPECT_EQ(Fairies(), c.mFairies);
    EXPECT_EQ(Effects(), c.mEffects);
    int anAnims = 0;
    for (const ANIM::AnimationBasic& a : D().m_locationAnims) anAnims += !a.isInactive();
    EXPECT_EQ(anAnims, c.mAnims);
    EXPECT_EQ(!D().m_spotlightAnim.isInactive(), c.mSpotlight);
    EXPECT_EQ(D().m_spiders[0].m_columnStart, c.mSpiders.mColumn0);
    EXPECT_EQ(D().m_spiders[0].m_columnWidth, c.mSpiders.mWidth0);
    EXPECT_EQ(D().m_spiders[1].m_columnWidth, c.mSpiders.mWidth1);
    if (c.mSpiders.mWidth1 != 0) {
      EXPECT_EQ(D().m_spiders[1].m_columnStart, c.mSpiders.mColumn1);
    }
    D().exitLocationToMap();
  }
  // The blocked spans, stored 32 to the left of where the table puts them.
  Level(anApp, {2}, 2);
  D().setNewLocation(2, &anApp);
  EXPECT_EQ(D().m_spiders[0].m_blocked[0].m_start, 43);
  EXPECT_EQ(D().m_spiders[0].m_blocked[0].m_width, 23);
  EXPECT_EQ(D().m_spiders[0].m_blocked[1].m_start, 248);
  EXPECT_EQ(D().m_spiders[1].m_blocked[0].m_width, 0);
  EXPECT_EQ(D().m_locationAnims[0].getX(), 219);
  Level(anApp, {7}, 2);
  D().setNewLocation(7, &anApp);
  EXPECT_EQ(D().m_spiders[1].m_blocked[0].m_start, 413);
  EXPECT_EQ(D().m_locationAnims[1].m_drawWidth, static_cast<int>(32 * 1.4f));
}

TEST_F(LevelDynamicsTest, AmbientSoundsKeepTheirScheduleAndRestAWhileTheSpellRuns) {
  PlayTest::InFolder aData("dynamics-schedule");
  ASSERT_EQ(chdir(PlayTest::ResourcesDir().c_str()), 0);
  RigApp anApp(true);
  Level(anApp, {7});
  // Location 7 on a first visit: two animation frames, then the first waits, all drawn from
  // the generator in the order of the slots.
  Tesk::SRand(9);
  D().setNewLocation(7, &anApp);
  Tesk::SRand(9);
  Tesk::Rand();
  Tesk::Rand();
  EXPECT_EQ(D().m_timedCountdown[0], 2500 + Tesk::Rand() % 2500);  // "ambient/Step_Heavy_A_02"
  const int k_onePlays[5] = {5, 4, 15, 27, 23};
  for (int i = 0; i < 5; ++i) {
    const SONEPLAY& s = k_sOneplays[k_onePlays[i]];
    EXPECT_EQ(D().m_onePlayCountdown[i], s.m_delayBase + Tesk::Rand() % s.m_delayRange) << i;
  }

  // The timed loop starts when its silence runs out and plays for 400 to 899 updates; a
  // sound that ends early starts again at once; then silence of 2500 to 4999 updates.
  const int aSilence = D().m_timedCountdown[0];
  for (int i = 1; i < aSilence; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_timedPlaying[0], 0);
  D().update(&anApp);
  EXPECT_EQ(D().m_timedPlaying[0], 1);
  EXPECT_TRUE(D().m_timedLoops[0]->IsPlaying());
  EXPECT_GE(D().m_timedCountdown[0], 400);
  EXPECT_LT(D().m_timedCountdown[0], 900);
  D().m_timedLoops[0]->Stop();
  D().update(&anApp);
  EXPECT_TRUE(D().m_timedLoops[0]->IsPlaying());
  while (D().m_timedPlaying[0] != 0) D().update(&anApp);
  EXPECT_GE(D().m_timedCountdown[0], 2500);
  EXPECT_LT(D().m_timedCountdown[0], 5000);

  // One-shots fire when their wait is over and wait again within their range.
  for (int n = 0; n < 5; ++n) {
    int aFired = -1;
    int aBefore[5];
    std::copy(D().m_onePlayCountdown, D().m_onePlayCountdown + 5, aBefore);
    D().update(&anApp);
    for (int i = 0; i < 5; ++i)
      if (D().m_onePlayCountdown[i] > aBefore[i]) aFired = i;
    if (aFired < 0) {
      --n;
      continue;
    }
    const SONEPLAY& s = k_sOneplays[k_onePlays[aFired]];
    EXPECT_TRUE(D().m_onePlays[aFired]->IsPlaying());
    EXPECT_GE(D().m_onePlayCountdown[aFired], s.m_delayBase);
    EXPECT_LT(D().m_onePlayCountdown[aFired], s.m_delayBase + s.m_delayRange);
    D().m_onePlays[aFired]->Stop();
  }

  // Under the spell nothing starts: 20000 updates (five spells) without a sound.
  for (int aSpell = 0; aSpell < 5; ++aSpell) {
    D().repel(&anApp);
    for (int i = 0; i < 3999; ++i) {
      D().update(&anApp);
      ASSERT_FALSE(D().m_timedLoops[0]->IsPlaying()) << i;
      for (int k = 0; k < 5; ++k) ASSERT_FALSE(D().m_onePlays[k]->IsPlaying());
    }
    ASSERT_EQ(D().m_timedPlaying[0], 0);
  }
}

TEST_F(LevelDynamicsTest, DarknessClearsUnderTheSpellAndComesBackAfterIt) {
  RigApp anApp;
  Level(anApp, {9, 12});
  D().setNewLocation(9, &anApp);
  EXPECT_EQ(D().m_darkness9, 255);
  for (int i = 0; i < 1000; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 255);  // stays dark without the spell

  D().repel(&anApp);
  EXPECT_EQ(D().m_repelTimers[9], 4000);
  EXPECT_TRUE(D().isRepellingAtLocation());
  for (int i = 0; i < 254; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 1);
  D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 0);     // 255 updates
  EXPECT_EQ(D().m_darkness12, 255);  // the other dark location is not touched
  for (int i = 255; i < 3999; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 0);
  EXPECT_EQ(D().m_repelTimers[9], 1);
  D().update(&anApp);  // the spell ends, and the darkness starts to come back
  EXPECT_EQ(D().m_repelTimers[9], 0);
  EXPECT_EQ(anApp.Played(Tesk::SFX_REPEL_COMPLETED), 1);
  for (int i = 1; i < 509; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 254);
  D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 255);  // 510 updates
  for (int i = 0; i < 100; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_darkness9, 255);

  // The darkness of a location runs while the player is elsewhere in the level.
  D().setNewLocation(12, &anApp);
  D().repel(&anApp);
  D().setNewLocation(9, &anApp);
  for (int i = 0; i < 100; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_darkness12, 155);
  // A new level starts dark, with nothing clearing.
  D().reset(nullptr);
  EXPECT_EQ(D().m_darkness12, 255);
  EXPECT_FALSE(D().m_darknessClearing12);
  EXPECT_EQ(D().m_repelTimers[12], 0);
}

TEST_F(LevelDynamicsTest, TheSpellDrivesEverythingAwayAndItsEndBringsItBack) {
  RigApp anApp;
  Level(anApp, {6, 4}, 3);
  D().setNewLocation(6, &anApp);
  ASSERT_EQ(Effects(), 4);
  Spider& s = D().m_spiders[0];
  s.m_state = 2;
  s.update(false);  // appears
  ASSERT_EQ(s.m_state, 3);
  D().m_eyeFire.m_state = 3;
  D().m_eyeFire.m_timer = 100;
  for (int i = 0; i < 3; ++i) D().m_locationAnims[i].setAnim(Tesk::GameApp::s_images[7], 16, 10, ANIM::Play);

  D().repel(&anApp);
  EXPECT_EQ(s.m_state, 5);
  EXPECT_NE(s.m_puff, nullptr);
  EXPECT_EQ(D().m_eyeFire.m_timer, 1);
  EXPECT_EQ(Effects(), 0);
  for (PARTICLE::ParticleSystem* e : D().m_effects) EXPECT_EQ(e, nullptr);
  for (const ANIM::AnimationBasic& a : D().m_locationAnims) EXPECT_TRUE(a.isPaused());
  bool isWave = false;
  for (const PARTICLE::ParticleSystem& p : PARTICLE::m_particleSystemArray)
    isWave = isWave || (p.m_type == 8 && p.m_x == 140 && p.m_width == 660 && p.m_height == 600);
  EXPECT_TRUE(isWave);
  // No actor comes back while the spell runs.
  for (int i = 0; i < 3999; ++i) D().update(&anApp);
  EXPECT_EQ(s.m_state, 7);
  EXPECT_EQ(Effects(), 0);
  D().update(&anApp);
  EXPECT_EQ(Effects(), 4);
  for (const ANIM::AnimationBasic& a : D().m_locationAnims) EXPECT_FALSE(a.isPaused());
  EXPECT_EQ(anApp.Played(Tesk::SFX_REPEL_COMPLETED), 1);
  EXPECT_FALSE(D().isRepellingAtLocation());
}

TEST_F(LevelDynamicsTest, ASpellEndingElsewhereLeavesTheCurrentLocationAlone) {
  PlayTest::InFolder aData("dynamics-elsewhere");
  ASSERT_EQ(chdir(PlayTest::ResourcesDir().c_str()), 0);
  RigApp anApp(true);
  Level(anApp, {4, 11, 7});
  D().setNewLocation(4, &anApp);
  D().repel(&anApp);
  D().exitLocationToMap();
  // At 11 meanwhile, its loop playing.
  D().setNewLocation(11, &anApp);
  ASSERT_TRUE(D().m_constantLoops[0]->IsPlaying());
  D().m_repelTimers[4] = 1;
  D().update(&anApp);
  EXPECT_EQ(D().m_repelTimers[4], 0);
  EXPECT_EQ(anApp.Played(Tesk::SFX_REPEL_COMPLETED), 0);
  EXPECT_TRUE(D().m_constantLoops[0]->IsPlaying());
  D().exitLocationToMap();

  // At 7 under its own spell, a spell ending at 4 does not wake 7's animations.
  D().setNewLocation(7, &anApp);
  D().repel(&anApp);
  ASSERT_TRUE(D().m_locationAnims[0].isPaused());
  D().m_repelTimers[4] = 1;
  D().update(&anApp);
  EXPECT_TRUE(D().m_locationAnims[0].isPaused());
  EXPECT_TRUE(D().m_locationAnims[1].isPaused());

  // Coming back to 7 while its spell runs: silent, no effects, animations paused.
  D().exitLocationToMap();
  Level(anApp, {4, 11, 7}, 2);
  D().setNewLocation(7, &anApp);
  EXPECT_FALSE(D().m_timedLoops[0]->IsPlaying());
  EXPECT_EQ(Effects(), 0);
  EXPECT_TRUE(D().m_locationAnims[0].isPaused());
  EXPECT_TRUE(D().isRepellingAtLocation());
}

TEST_F(LevelDynamicsTest, DistractionsOffKeepTheSoundsAndHideEverythingElse) {
  PlayTest::InFolder aData("dynamics-off");
  ASSERT_EQ(chdir(PlayTest::ResourcesDir().c_str()), 0);
  RigApp anApp(true);
  Level(anApp, {10, 2}, 2);
  anApp.mProfile.setProfileName(L"Quiet");
  anApp.mProfile.setDistractionsOff(true);
  D().setNewLocation(10, &anApp);
  EXPECT_TRUE(D().m_constantLoops[0]->IsPlaying());
  EXPECT_TRUE(D().m_constantLoops[1]->IsPlaying());
  EXPECT_FALSE(Tree::s_activeAtThisLocation);
  EXPECT_FALSE(EyeFire::s_activeAtThisLocation);
  EXPECT_EQ(Fairies(), 0);
  for (int i = 0; i < 5000; ++i) D().update(&anApp);
  EXPECT_EQ(D().m_tree.m_state, 0);

  anApp.mProfile.setDistractionsOff(false);
  D().toggleDistractions(false, &anApp);
  EXPECT_TRUE(Tree::s_activeAtThisLocation);
  EXPECT_EQ(Fairies(), 22);
  EXPECT_TRUE(D().m_constantLoops[0]->IsPlaying());

  // At 2 the chasing eyes stay where they are.
  D().setNewLocation(2, &anApp);
  D().toggleDistractions(true, &anApp);
  EXPECT_EQ(D().m_eyeChaser.m_chasing, 0);
  for (const ANIM::AnimationBasic& a : D().m_locationAnims) EXPECT_TRUE(a.isInactive() || a.isPaused());
}

// Location 6's eyes are two endless flame emitters (systems of type 16, particles of type 13).
TEST_F(LevelDynamicsTest, LocationSixFlamesGoOutWithTheDistractionsAndNeverPileUp) {
  constexpr int k_flameSystem = 16, k_flameParticle = 13;
  RigApp anApp;
  Level(anApp, {6}, 1);
  D().setNewLocation(6, &anApp);
  auto LightTheFlames = [&anApp] {
    for (int i = 0; i < 13000 && D().m_eyeFire.m_state != 3; ++i) Run(anApp, 1);
    ASSERT_EQ(D().m_eyeFire.m_state, 3);
    ASSERT_EQ(SystemsOfType(k_flameSystem), 2);
    Run(anApp, 50);
    ASSERT_GT(ParticlesOfType(k_flameParticle), 0);
  };
  for (int aCycle = 0; aCycle < 4; ++aCycle) {
    SCOPED_TRACE(aCycle);
    LightTheFlames();
    D().toggleDistractions(true, &anApp);
    EXPECT_EQ(SystemsOfType(k_flameSystem), 0);
    Run(anApp, 1000);  // the last flame particles burn out and none follow
    EXPECT_EQ(SystemsOfType(k_flameSystem), 0);
    EXPECT_EQ(ParticlesOfType(k_flameParticle), 0);
    D().toggleDistractions(false, &anApp);
    EXPECT_EQ(SystemsOfType(k_flameSystem), 0);
  }
  // Set up again while they burn (the switch turned on twice): the old pair goes out.
  LightTheFlames();
  D().toggleDistractions(false, &anApp);
  EXPECT_EQ(SystemsOfType(k_flameSystem), 0);
  LightTheFlames();
  EXPECT_EQ(SystemsOfType(k_flameSystem), 2);
}

TEST_F(LevelDynamicsTest, NoChannelIsLostOverFortyVisitsAndSwitches) {
  RigApp anApp;  // the real manager without a device: every instance holds a channel
  Level(anApp, {9, 10}, 1);
  for (int aVisit = 0; aVisit < 40; ++aVisit) {
    D().setNewLocation(aVisit % 2 != 0 ? 9 : 10, &anApp);
    D().toggleDistractions(true, &anApp);
    D().toggleDistractions(false, &anApp);
    for (int i = 0; i < 10; ++i) D().update(&anApp);
    D().exitLocationToMap();
  }
  EXPECT_EQ(PlayTest::FreeChannels(anApp.mSoundManager, 0), Tesk::DSoundManager::k_MaxChannels);
}

TEST_F(LevelDynamicsTest, AMissingAmbientFileLeavesItsSlotEmptyAndTheLocationRuns) {
  PlayTest::InFolder aData("dynamics-missing");  // no ambient files here, nor in the bundle
  setenv("TESK_RESOURCES_DIR", aData.dir().c_str(), 1);
  struct Unset {
    ~Unset() { unsetenv("TESK_RESOURCES_DIR"); }
  } anUnset;
  RigApp anApp(true);
  Level(anApp, {1, 10}, 2);
  testing::internal::CaptureStderr();
  D().setNewLocation(10, &anApp);
  const std::string aLog = testing::internal::GetCapturedStderr();
  EXPECT_NE(aLog.find("ambient sound ambient/sparrow3 cannot be loaded; the location goes on without it"),
            std::string::npos)
      << aLog;
  EXPECT_EQ(D().m_constantLoops[0], nullptr);
  EXPECT_EQ(D().m_onePlays[3], nullptr);
  EXPECT_EQ(D().m_tree.m_snoreIn, nullptr);
  for (int i = 0; i < 20000; ++i) D().update(&anApp);
  D().repel(&anApp);
  for (int i = 0; i < 4001; ++i) D().update(&anApp);
  D().toggleDistractions(true, &anApp);
  D().exitLocationToMap();
  // Said once per sound, not at every visit.
  testing::internal::CaptureStderr();
  D().setNewLocation(10, &anApp);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
