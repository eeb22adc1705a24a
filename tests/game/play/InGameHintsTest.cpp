// The play scene's aids and collectables on the generated asset set: what a reveal picks and how
// long it flashes, the repel spell's cost, recharge and crystal-ball pulse, coins, runestones and
// the repel pickup counted into the profile, the coin unlocks, and the one-time help messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "PlayRig.h"
#include "core/MTRand.h"
#include "game/shell/PopupBox.h"
#include "graphics/ParticleSystem.h"
#include "graphics/Particles.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

using PlayTest::RigApp;
using Tesk::InGame;

class InGameHintsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("hints", s_folder, s_app);
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    App().mSamples.clear();
    FreshProfiles();
    mPopup = std::make_unique<Tesk::PopupBox>(&App());
    mPopup->Init();
    Scene().m_popup = mPopup.get();
    Scene().m_state = 1;
    for (int i = 0; i < 5; ++i) Scene().m_revealButtons[i] = Shown(new Tesk::OrvoButtonWidget(i + 2, &Scene()));
    Scene().m_repelButton = Shown(new Tesk::OrvoButtonWidget(7, &Scene()));
    PARTICLE::resetAll(true);
    PlayTest::FullBrightness();
    Tesk::GameApp::sm_gameState = 1;
  }
  void TearDown() override {
    InGame& s = Scene();
    for (Tesk::OrvoButtonWidget*& b : s.m_revealButtons) {
      delete b;
      b = nullptr;
    }
    delete s.m_repelButton;
    s.m_repelButton = nullptr;
    s.m_popup = nullptr;
    s.m_location = nullptr;
    s.m_revealFlashTimer = 0;
    s.m_revealedObject = nullptr;
    s.m_repelParticles = nullptr;
    s.m_helpIdleCounter = 0;
    InGame::m_crystalBallPulseAlpha = 0.0f;
    InGame::m_crystalBallFadeAlpha = InGame::k_crystalBallFadeAlpha;
    InGame::m_levelDynamics.exitLocationToMap();
    for (uint16_t& t : InGame::m_levelDynamics.m_repelTimers) t = 0;
    Tesk::GameApp::sm_locationAt = 0;
    Tesk::GameApp::sm_gameState = 0;
    PARTICLE::resetAll(true);
  }
  // A fresh profile file: the unlocks live in the part all players share.
  void FreshProfiles() {
    Tesk::ProfileData aFresh;
    std::string anError;
    ASSERT_TRUE(App().mProfile.fromFileBytes(aFresh.toFileBytes(), &anError)) << anError;
    App().mProfile.setProfileName(L"Hinter");
  }
  static RigApp& App() { return *s_app; }
  static InGame& Scene() { return *App().mScene; }
  static Tesk::OrvoButtonWidget* Shown(Tesk::OrvoButtonWidget* b) {
    b->SetVisible(true);
    b->SetDisabled(false);
    return b;
  }
  Tesk::ProfileData& Profile() { return App().mProfile; }

  // A new game at theDifficulty on theLevel, loaded from the generated set, the scene in the
  // location of index theSlot of the level's row.
  void Play(int theLevel, int theDifficulty = 1, int theSlot = 0, bool helpBox = false) {
    Profile().startNewGame(theDifficulty);
    for (int i = 1; i < theLevel; ++i) Profile().advanceLevelOn();
    Profile().setHelpBox(helpBox);
    Tesk::SRand(4242);
    ASSERT_TRUE(App().mLevel->load(theLevel, false)) << App().mLevel->getLoadError();
    LocationData& l = App().mLevel->m_locations[theSlot];
    ASSERT_GE(l.m_id, 1);
    Tesk::GameApp::sm_locationAt = static_cast<uint8_t>(l.m_id);
    Scene().m_location = &l;
    InGame::m_levelDynamics.setNewLocation(l.m_id, &App());
    ClosePopup();
  }
  // The popup that opened over the scene, or -1.
  int Opened() { return mPopup->mVisible && !mPopup->mDisabled ? mPopup->m_type : -1; }
  void ClosePopup() {
    mPopup->SetVisible(false);
    mPopup->SetDisabled(true);
    mPopup->m_type = 255;
    Scene().m_state = 1;
  }
  static PARTICLE::ParticleSystem* SystemOf(int theType) {
    for (PARTICLE::ParticleSystem& s : PARTICLE::m_particleSystemArray)
      if (s.m_type == theType) return &s;
    return nullptr;
  }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<Tesk::PopupBox> mPopup;
};

PlayTest::InFolder* InGameHintsTest::s_folder = nullptr;
RigApp* InGameHintsTest::s_app = nullptr;

// A location of theEntries made by hand: each entry a list of part groups (its count the
// number of parts unless theCounts says less).
struct MadeLocation {
  LocationData mLocation;
  std::vector<std::unique_ptr<Selectable>> mParts;
  MadeLocation(const std::vector<std::vector<int>>& theEntries, const std::vector<int>& theCounts = {}) {
    mLocation.m_id = 5;
    mLocation.m_numOpen = 0;
    for (size_t j = 0; j < theEntries.size(); ++j) {
      FindInfo& e = mLocation.m_findInfo[j];
      e.setKind(static_cast<int>(j) + 1);
      e.setActive(!theEntries[j].empty());
      e.setCount(j < theCounts.size() ? theCounts[j] : static_cast<int>(theEntries[j].size()));
      mLocation.m_numOpen += e.isActive() ? 1 : 0;
      for (size_t k = 0; k < theEntries[j].size(); ++k) {
        auto s = std::make_unique<Selectable>();
        s->m_findInfo = &e;
        s->m_flags = static_cast<uint32_t>(theEntries[j][k]) << Selectable::k_groupShift | Selectable::k_visible |
                     Selectable::k_toFind;
        s->setKind(static_cast<int>(j) + 1);
        s->setPosition(200 + static_cast<int>(k) * 10, 100 + static_cast<int>(j) * 10);
        e.m_parts[k] = s.get();
        mParts.push_back(std::move(s));
      }
    }
  }
  Selectable* part(int j, int k) { return mLocation.m_findInfo[j].m_parts[k]; }
};

// What a reveal picks over many presses with the flash let run out in between.
std::set<Selectable*> RevealPicks(InGame& theScene, Tesk::ProfileData& theProfile, int thePresses) {
  std::set<Selectable*> aPicks;
  for (int i = 0; i < thePresses; ++i) {
    theProfile.setNewLevel(90000, 5, 1.0f);
    theScene.m_revealFlashTimer = 0;
    theScene.m_revealedObject = nullptr;
    theScene.hintButtonPress(i % 5);
    if (theScene.m_revealedObject != nullptr) aPicks.insert(theScene.m_revealedObject);
  }
  return aPicks;
}

TEST_F(InGameHintsTest, ARevealFlashesOneWantedObjectOfTheEasiestGroupAndUsesItsCharge) {
  Play(3);
  // Entry 0 is of group 2, entries 1 and 3 of group 1; entry 2 is closed.
  MadeLocation m({{2, 2}, {1, 1, 1}, {}, {1}});
  Scene().m_location = &m.mLocation;
  Profile().setNewLevel(90000, 5, 1.0f);
  Scene().m_quickfind.m_counter = 3;
  Scene().m_quickfind.m_timer = 650;
  Tesk::SRand(1);
  Scene().hintButtonPress(2);
  Selectable* aPicked = Scene().m_revealedObject;
  ASSERT_NE(aPicked, nullptr);
  EXPECT_EQ(aPicked->getDiffGroup(), 1);
  EXPECT_EQ(Scene().m_revealFlashTimer, 240);
  EXPECT_FLOAT_EQ(Scene().m_revealGlowAlpha, 1.0f);
  EXPECT_EQ(Scene().m_revealIndex, 2);
  EXPECT_FALSE(Profile().isHintAvailable(2));
  EXPECT_TRUE(Profile().isHintAvailable(1));
  EXPECT_FALSE(Scene().m_revealButtons[2]->mVisible);
  EXPECT_TRUE(Scene().m_revealButtons[2]->mDisabled);
  EXPECT_TRUE(Scene().m_revealButtons[1]->mVisible);
  EXPECT_EQ(App().Played(Tesk::SFX_REVEAL), 1);
  EXPECT_EQ(Scene().m_quickfind.m_counter, 700u);  // the next find is not quick
  EXPECT_EQ(Scene().m_quickfind.m_timer, 100);     // a shown message starts fading
  ASSERT_NE(SystemOf(1), nullptr);
  EXPECT_EQ(SystemOf(1)->m_x, aPicked->getX());
  EXPECT_EQ(SystemOf(1)->m_y, aPicked->getY());
  EXPECT_NE(SystemOf(29), nullptr);
  // The found object is not flashed: the object stays in the scene, only its picture flashes.
  EXPECT_TRUE(aPicked->isVisible());

  // While it flashes another press does nothing and uses nothing.
  Scene().m_revealFlashTimer = 1;
  Scene().hintButtonPress(3);
  EXPECT_TRUE(Profile().isHintAvailable(3));
  EXPECT_EQ(Scene().m_revealedObject, aPicked);
  EXPECT_EQ(App().Played(Tesk::SFX_REVEAL), 1);

  // Every part of the group-1 entries is a candidate, and nothing else.
  const std::set<Selectable*> aPicks = RevealPicks(Scene(), Profile(), 200);
  const std::set<Selectable*> anExpected = {m.part(1, 0), m.part(1, 1), m.part(1, 2), m.part(3, 0)};
  EXPECT_EQ(aPicks, anExpected);

  // With nothing open the press does nothing at all.
  Scene().m_revealFlashTimer = 0;
  m.mLocation.m_numOpen = 0;
  App().mSamples.clear();
  Profile().setNewLevel(90000, 5, 1.0f);
  Scene().hintButtonPress(0);
  EXPECT_TRUE(Profile().isHintAvailable(0));
  EXPECT_TRUE(App().mSamples.empty());
}

TEST_F(InGameHintsTest, ARevealLooksAtTheFirstTwentyPartsAndOnHardOnlyAtThreeEntries) {
  Play(3);
  // Twelve group-0 parts in entries 1 and 2 each: only the first twenty count. Entry 3 lists
  // four parts but wants only two: its walk stops at the count.
  std::vector<int> aTwelve(12, 0);
  MadeLocation m({{1}, aTwelve, aTwelve}, {1, 12, 12});
  Scene().m_location = &m.mLocation;
  std::set<Selectable*> anExpected;
  for (int k = 0; k < 12; ++k) anExpected.insert(m.part(1, k));
  for (int k = 0; k < 8; ++k) anExpected.insert(m.part(2, k));
  Tesk::SRand(5);
  EXPECT_EQ(RevealPicks(Scene(), Profile(), 1500), anExpected);

  MadeLocation aCounted({{1, 1, 1, 1}}, {2});
  Scene().m_location = &aCounted.mLocation;
  EXPECT_EQ(RevealPicks(Scene(), Profile(), 100),
            (std::set<Selectable*>{aCounted.part(0, 0), aCounted.part(0, 1)}));

  // Hard: five open entries, the reveal sees the first three open ones (the closed one skipped).
  Play(3, 2);
  MadeLocation aHard({{2}, {}, {2}, {2, 2}, {2}, {0}});
  Scene().m_location = &aHard.mLocation;
  ASSERT_EQ(Profile().getDifficultyLevel(), 2);
  EXPECT_EQ(RevealPicks(Scene(), Profile(), 200),
            (std::set<Selectable*>{aHard.part(0, 0), aHard.part(2, 0), aHard.part(3, 0), aHard.part(3, 1)}));
}

TEST_F(InGameHintsTest, TheRepelSpellCostsItsChargeAndComesBackWhenRecharged) {
  Play(2, 1, 0, true);
  Profile().setNewLevel(90000, 5, 1.0f);
  const float aCost = Profile().getRepelChargePressPowerUsed();
  EXPECT_NEAR(aCost, 0.98f, 1e-6f);
  ASSERT_TRUE(Scene().isRepelReady());
  Scene().repelEvilButtonPress();
  EXPECT_NEAR(Profile().getRepelCharge(), 1.0f - aCost, 1e-6f);
  EXPECT_TRUE(InGame::m_levelDynamics.isRepellingAtLocation());
  EXPECT_FALSE(Scene().m_repelButton->mVisible);
  EXPECT_TRUE(Scene().m_repelButton->mDisabled);
  EXPECT_FALSE(Scene().isRepelReady());
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_USING_REPEL2);
  EXPECT_EQ(Scene().m_state, 2);
  EXPECT_TRUE(Profile().getHintBlock(12));
  ASSERT_NE(Scene().m_repelParticles, nullptr);  // the glow over the side bar
  EXPECT_EQ(Scene().m_repelParticles->m_type, 21);
  ClosePopup();

  // Charged again while the spell still runs: the button stays away.
  Profile().setNewLevel(90000, 5, 1.0f);
  Scene().updateRepelRecharge();
  EXPECT_TRUE(Scene().m_repelButton->mDisabled);
  EXPECT_EQ(App().Played(Tesk::SFX_REPEL_RECHARGED), 0);

  // The spell ends; the charge climbs back by 1/18000 an update and the button returns on the
  // very update it pays for a press.
  for (uint16_t& t : InGame::m_levelDynamics.m_repelTimers) t = 0;
  Profile().setNewLevel(90000, 5, aCost - 0.0005f);
  int anUpdates = 0;
  while (Scene().m_repelButton->mDisabled && anUpdates < 100) {
    Profile().update();
    Scene().updateRepelRecharge();
    ++anUpdates;
    if (Scene().m_repelButton->mDisabled) {
      EXPECT_LT(Profile().getRepelCharge(), aCost);
    }
  }
  EXPECT_GE(Profile().getRepelCharge(), aCost);
  EXPECT_GT(anUpdates, 1);
  EXPECT_TRUE(Scene().m_repelButton->mVisible);
  EXPECT_EQ(App().Played(Tesk::SFX_REPEL_RECHARGED), 1);
  Scene().updateRepelRecharge();
  EXPECT_EQ(App().Played(Tesk::SFX_REPEL_RECHARGED), 1);

  // A second press with the help message seen opens nothing.
  Scene().repelEvilButtonPress();
  EXPECT_EQ(Opened(), -1);

  // On the first level there is no spell: no button comes back and nothing sounds.
  Play(1);
  Scene().m_repelButton->SetDisabled(true);
  Profile().setNewLevel(90000, 5, 1.0f);
  Scene().updateRepelRecharge();
  EXPECT_TRUE(Scene().m_repelButton->mDisabled);
  EXPECT_EQ(App().Played(Tesk::SFX_REPEL_RECHARGED), 1);
}

TEST_F(InGameHintsTest, TheCrystalBallPulsesWhileTheSpellIsReadyAndFadesWhenItIsNot) {
  Play(2);
  Profile().setNewLevel(90000, 5, 1.0f);
  int aRise = 0;
  while (InGame::m_crystalBallPulseAlpha < 1.0f && aRise < 400) {
    Scene().updateCrystalBallPulse();
    ++aRise;
  }
  EXPECT_NEAR(aRise, 167, 1);
  EXPECT_FLOAT_EQ(InGame::m_crystalBallPulseAlpha, 1.0f);
  EXPECT_FLOAT_EQ(InGame::m_crystalBallFadeAlpha, -0.006f);
  Scene().updateCrystalBallPulse();
  EXPECT_NEAR(InGame::m_crystalBallPulseAlpha, 0.994f, 1e-5f);
  int aFall = 1;
  while (InGame::m_crystalBallPulseAlpha > 0.0f && aFall < 400) {
    Scene().updateCrystalBallPulse();
    ++aFall;
  }
  EXPECT_NEAR(aFall, 167, 1);
  EXPECT_FLOAT_EQ(InGame::m_crystalBallFadeAlpha, 0.006f);

  // Too weak for a press: the glow drops three times as fast and stays out.
  for (int i = 0; i < 50; ++i) Scene().updateCrystalBallPulse();
  const float aHigh = InGame::m_crystalBallPulseAlpha;
  Profile().setNewLevel(90000, 5, 0.5f);
  Scene().updateCrystalBallPulse();
  EXPECT_NEAR(InGame::m_crystalBallPulseAlpha, aHigh - 0.018f, 1e-5f);
  for (int i = 0; i < 100; ++i) Scene().updateCrystalBallPulse();
  EXPECT_FLOAT_EQ(InGame::m_crystalBallPulseAlpha, 0.0f);
  // A disabled button (a spell running) keeps it out too.
  Profile().setNewLevel(90000, 5, 1.0f);
  Scene().m_repelButton->SetDisabled(true);
  for (int i = 0; i < 10; ++i) Scene().updateCrystalBallPulse();
  EXPECT_FLOAT_EQ(InGame::m_crystalBallPulseAlpha, 0.0f);
}

TEST_F(InGameHintsTest, TheSideBarGlowStartsWithTheSpellAndEndsWithIt) {
  Scene().repelAtLocation(true);
  PARTICLE::ParticleSystem* aGlow = Scene().m_repelParticles;
  ASSERT_NE(aGlow, nullptr);
  EXPECT_EQ(aGlow->m_type, 21);
  EXPECT_EQ(aGlow->m_x, 70);
  EXPECT_EQ(aGlow->m_y, 568);
  EXPECT_EQ(aGlow->m_width, 70);
  EXPECT_EQ(aGlow->m_height, 32);
  Scene().repelAtLocation(true);  // a second start replaces the first
  int aRunning = 0;
  for (PARTICLE::ParticleSystem& s : PARTICLE::m_particleSystemArray) aRunning += s.m_type == 21;
  EXPECT_EQ(aRunning, 1);
  Scene().repelAtLocation(false);
  EXPECT_EQ(Scene().m_repelParticles, nullptr);
  EXPECT_EQ(SystemOf(21), nullptr);
  ASSERT_NE(SystemOf(22), nullptr);
  EXPECT_EQ(SystemOf(22)->m_x, 70);
}

TEST_F(InGameHintsTest, CoinsRunestonesAndTheRepelPickupAreCountedIntoTheProfile) {
  Play(2);
  LocationData& l = *Scene().m_location;
  ASSERT_GE(l.m_numCoins, 1u);
  Selectable* aCoin = l.m_coinObjects[0];
  ASSERT_NE(aCoin, nullptr);
  const int aBit = aCoin->getKind() - 85 + static_cast<int>(l.m_coinBitBase);
  EXPECT_FALSE(Profile().getCoinBlock(aBit));
  EXPECT_TRUE(Scene().foundCollectable(aCoin));
  EXPECT_EQ(Profile().getCointTotal(), 1);
  EXPECT_TRUE(Profile().getCoinBlock(aBit));
  EXPECT_EQ(App().Played(Tesk::SFX_COIN), 1);
  ASSERT_NE(SystemOf(23), nullptr);
  EXPECT_EQ(SystemOf(23)->m_x, 70);  // over the coin count first
  EXPECT_EQ(SystemOf(23)->m_y, 11);
  ASSERT_NE(SystemOf(28), nullptr);
  EXPECT_EQ(SystemOf(28)->m_param1, 2);
  EXPECT_EQ(SystemOf(28)->m_param2, 4);

  // The repel pickup casts the spell for nothing and makes every later press cheaper.
  ASSERT_NE(l.m_repelObject, nullptr);
  const float aCharge = Profile().getRepelCharge();
  const float aCost = Profile().getRepelChargePressPowerUsed();
  EXPECT_TRUE(Scene().foundCollectable(l.m_repelObject));
  EXPECT_TRUE(Profile().getRepelEvilSpellBlock(static_cast<unsigned>(l.m_id)));
  EXPECT_FLOAT_EQ(Profile().getRepelCharge(), aCharge);
  EXPECT_NEAR(aCost - Profile().getRepelChargePressPowerUsed(), 0.055f, 1e-6f);
  EXPECT_TRUE(InGame::m_levelDynamics.isRepellingAtLocation());
  EXPECT_TRUE(Scene().m_repelButton->mDisabled);
  EXPECT_EQ(App().Played(Tesk::SFX_REPEL), 1);
  EXPECT_NE(SystemOf(2), nullptr);

  // A list object is the list's business.
  Selectable* anObject = l.m_findInfo[0].m_parts[0];
  ASSERT_NE(anObject, nullptr);
  App().mSamples.clear();
  EXPECT_FALSE(Scene().foundCollectable(anObject));
  EXPECT_TRUE(App().mSamples.empty());

  // The final level's runestones.
  Play(13);
  LocationData& aStoneLocation = *Scene().m_location;
  ASSERT_NE(aStoneLocation.m_runestoneObject, nullptr);
  uint8_t* aStones = Profile().getFinalLevelRunestones();
  for (int i = 0; i < 4; ++i) aStones[i] = static_cast<uint8_t>(i == 2 ? aStoneLocation.m_id : 100 + i);
  App().mSamples.clear();
  EXPECT_TRUE(Scene().foundCollectable(aStoneLocation.m_runestoneObject));
  EXPECT_EQ(App().mLevel->m_runestonesFound, 1);
  EXPECT_EQ(aStones[2], 255);
  EXPECT_EQ(App().Played(Tesk::SFX_PROFILE_DELETED), 1);
  EXPECT_EQ(App().Played(Tesk::SFX_GRADE_UP), 0);  // never a quick find
}

TEST_F(InGameHintsTest, CoinsUnlockTheSecondMapAtThirtySixAndTheWandsAtEighteen) {
  Play(3, 1, 0, true);
  Profile().setHintBlock(4);
  for (int i = 0; i < 17; ++i) Profile().setCoinBlock(i);
  EXPECT_FALSE(Scene().coinUnlockChecks(false));
  Profile().setCoinBlock(17);
  EXPECT_TRUE(Scene().coinUnlockChecks(false));
  EXPECT_EQ(Opened(), Tesk::POPUP_WANDS_UNLOCKED_2);
  EXPECT_EQ(Scene().m_state, 6);
  EXPECT_TRUE(Profile().areWandsUnlocked());
  EXPECT_EQ(App().Played(Tesk::SFX_MINIGAME_PASSED), 1);
  EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 2);  // dimmed
  ClosePopup();
  EXPECT_FALSE(Scene().coinUnlockChecks(false));

  for (int i = 18; i < 35; ++i) Profile().setCoinBlock(i);
  // The 36th coin's highlight ends: the second map, once.
  Profile().setCoinBlock(35);
  ASSERT_EQ(Profile().getCointTotal(), 36);
  Selectable aCoin{};
  aCoin.setKind(85);
  Scene().findHighlightEnded(&aCoin);
  EXPECT_EQ(Opened(), Tesk::POPUP_MAP_UNLOCKED);
  EXPECT_TRUE(Profile().isOtherMapUnlocked());
  ClosePopup();
  Scene().findHighlightEnded(&aCoin);
  EXPECT_EQ(Opened(), -1);

  // A profile that has 36 coins and no second map gets it at the next location entry, help box
  // or not; the wands row waits for a coin.
  FreshProfiles();
  Play(4);
  Profile().setHelpBox(false);
  for (int i = 0; i < 36; ++i) Profile().setCoinBlock(i);
  Scene().entryChecks();
  EXPECT_EQ(Opened(), Tesk::POPUP_MAP_UNLOCKED);
  FreshProfiles();
  Play(4);
  for (int i = 0; i < 20; ++i) Profile().setCoinBlock(i);
  Scene().entryChecks();
  EXPECT_EQ(Opened(), -1);
  EXPECT_FALSE(Profile().areWandsUnlocked());
}

TEST_F(InGameHintsTest, TheFirstCoinTeachesOnceOutsideTheFinalLevel) {
  struct Case {
    int level;
    bool helpBox;
    int coins;
    int popup;
  };
  const Case kCases[] = {
      {3, true, 1, Tesk::POPUP_HINT_FOUND_FIRST_COIN},
      {3, false, 1, -1},
      {3, true, 2, -1},
      {13, true, 1, -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.level << " " << c.helpBox << " " << c.coins);
    Play(c.level, 1, 0, c.helpBox);
    for (int i = 0; i < c.coins; ++i) Profile().setCoinBlock(i);
    Selectable aCoin{};
    aCoin.setKind(86);
    Scene().findHighlightEnded(&aCoin);
    EXPECT_EQ(Opened(), c.popup);
    if (c.popup >= 0) {
      EXPECT_EQ(Scene().m_state, 2);
      EXPECT_TRUE(Profile().getHintBlock(4));
      EXPECT_NE(Tesk::GameApp::sm_currentFadeDirection, 2);  // not dimmed
      ClosePopup();
      Scene().findHighlightEnded(&aCoin);
      EXPECT_EQ(Opened(), -1);
    }
  }
}

TEST_F(InGameHintsTest, EnteringALocationShowsTheFirstHelpMessageThatApplies) {
  struct Case {
    int level;
    int slot;  // index of the location in the level's row
    int coins;
    std::vector<int> seen;  // hint bits already set
    int popup;
    bool dim;
  };
  const Case kCases[] = {
      {1, 0, 0, {}, Tesk::POPUP_HINT_FIND_OBJECTS, false},
      {1, 0, 0, {1}, Tesk::POPUP_HINT_FIND_COINS, true},
      {1, 0, 3, {1}, -1, false},
      {2, 0, 3, {}, Tesk::POPUP_HINT_USING_REPEL, true},
      {2, 0, 3, {11}, Tesk::POPUP_HINT_USING_REPEL_POWERUP, true},
      {5, 0, 3, {}, Tesk::POPUP_HINT_USING_REPEL_POWERUP, true},
      {3, 0, 3, {13}, Tesk::POPUP_HINT_QUICKFIND, true},
      {4, 0, 0, {3, 13}, Tesk::POPUP_HINT_COIN_REMINDER, false},
      {4, 0, 3, {13}, -1, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "level " << c.level << " coins " << c.coins << " seen " << c.seen.size());
    Play(c.level, 1, c.slot, true);
    for (int i = 0; i < c.coins; ++i) Profile().setCoinBlock(i);
    for (int b : c.seen) Profile().setHintBlock(b);
    Tesk::GameApp::sm_currentFadeDirection = 4;
    Scene().entryChecks();
    EXPECT_EQ(Opened(), c.popup);
    if (c.popup >= 0) {
      EXPECT_EQ(Scene().m_state, 2);
      EXPECT_TRUE(Profile().getHintBlock(c.popup - 50));
      EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection == 2, c.dim);
    } else {
      EXPECT_EQ(Scene().m_state, 1);
    }
    ClosePopup();
  }

  // The dungeon (location 9) on level 4, and no message at all with the help box off.
  Play(4, 1, 2, true);
  ASSERT_EQ(Scene().m_location->m_id, 9);
  for (int i = 0; i < 3; ++i) Profile().setCoinBlock(i);
  Profile().setHintBlock(13);
  Scene().entryChecks();
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_DUNGEON);
  ClosePopup();
  Play(1, 1, 0, false);
  Scene().entryChecks();
  EXPECT_EQ(Opened(), -1);
  EXPECT_EQ(Profile().getHintBlock(1), false);
}

TEST_F(InGameHintsTest, FindsTeachAboutFindingRevealsAndTheRepelPickup) {
  Play(1, 1, 0, true);
  Selectable* anObject = Scene().m_location->m_findInfo[0].m_parts[0];
  ASSERT_NE(anObject, nullptr);
  Scene().findHighlightEnded(anObject);
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_FOUND_FIRST_OBJ);
  ClosePopup();
  Scene().findHighlightEnded(anObject);
  EXPECT_EQ(Opened(), -1);  // no reveal used yet
  Profile().levelHintUsed(1);
  Scene().findHighlightEnded(anObject);
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_DONT_WASTE_REVEALS);
  ClosePopup();

  Play(2, 1, 0, true);
  Selectable* aPickup = Scene().m_location->m_repelObject;
  ASSERT_NE(aPickup, nullptr);
  Scene().findHighlightEnded(aPickup);
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_FIRST_REPEL_FOUND);
  EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 2);
  ClosePopup();
  // The final level teaches nothing after a find.
  Play(13, 1, 0, true);
  Scene().findHighlightEnded(Scene().m_location->m_runestoneObject);
  EXPECT_EQ(Opened(), -1);
}

TEST_F(InGameHintsTest, AHundredSecondsInALocationPointAtTheMapButtonOnce) {
  Play(3, 1, 0, true);
  for (int i = 0; i < 9999; ++i) Scene().updateHelpIdle();
  EXPECT_EQ(Opened(), -1);
  Scene().updateHelpIdle();
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_MAP_BUTTON);
  EXPECT_TRUE(Profile().getHintBlock(19));
  ClosePopup();
  Scene().m_helpIdleCounter = 0;
  for (int i = 0; i < 10001; ++i) Scene().updateHelpIdle();
  EXPECT_EQ(Opened(), -1);
  EXPECT_EQ(Scene().m_helpIdleCounter, 0);  // seen: no more counting
  Play(3, 1, 0, false);
  for (int i = 0; i < 10001; ++i) Scene().updateHelpIdle();
  EXPECT_EQ(Scene().m_helpIdleCounter, 0);
}

TEST_F(InGameHintsTest, TheRevealIconsWinkOnlyOverChargesLeft) {
  Play(3);
  Profile().setNewLevel(90000, 5, 1.0f);
  Profile().levelHintUsed(0);
  Profile().levelHintUsed(3);
  Tesk::SRand(9);
  Scene().m_winkOn = 0;
  Scene().m_winkTimer = 1;
  std::set<int> aWinked;
  int aWinks = 0;
  for (int i = 0; i < 40000; ++i) {
    const uint8_t wasOn = Scene().m_winkOn;
    Scene().updateRevealWink();
    if (!wasOn && Scene().m_winkOn) {
      ++aWinks;
      EXPECT_EQ(Scene().m_winkTimer, 12);
      aWinked.insert(Scene().m_winkIndex);
    }
    if (wasOn && !Scene().m_winkOn) {
      EXPECT_GE(Scene().m_winkTimer, 200);
      EXPECT_LT(Scene().m_winkTimer, 600);
    }
  }
  EXPECT_GT(aWinks, 40);
  EXPECT_EQ(aWinked, (std::set<int>{1, 2, 4}));
  for (int i = 0; i < 5; ++i) Profile().levelHintUsed(i);
  Scene().m_winkOn = 0;
  Scene().m_winkTimer = 1;
  Scene().updateRevealWink();
  EXPECT_EQ(Scene().m_winkIndex, 255);
}

// The scene as the game runs it: its own buttons, added to the widget manager and entered.
class InGameHintsSceneTest : public InGameHintsTest {
 protected:
  void SetUp() override {
    InGameHintsTest::SetUp();
    InGame& s = Scene();
    for (Tesk::OrvoButtonWidget*& b : s.m_revealButtons) {
      delete b;
      b = nullptr;
    }
    delete s.m_repelButton;
    delete s.m_menuButton;
    delete s.m_mapButton;
    s.m_repelButton = s.m_menuButton = s.m_mapButton = nullptr;
    InGame::alreadyInited = false;
    s.Init();
    s.Resize(0, 0, 800, 600);
    s.m_popup = mPopup.get();
  }
  void TearDown() override {
    if (App().mWidgetManager->HasWidget(&Scene())) App().mWidgetManager->RemoveWidget(&Scene());
    InGameHintsTest::TearDown();
  }
  void Enter(int theLevel, bool helpBox) {
    Play(theLevel, 1, 0, helpBox);
    Tesk::GameApp::sm_gameState = 1;
    App().mWidgetManager->AddWidget(&Scene());
    Scene().setGameState(0);
    PlayTest::FullBrightness();
  }
  void Run(int theUpdates) {
    for (int i = 0; i < theUpdates; ++i) Scene().Update();
  }
  // A pixel where the hit test answers theObject.
  static bool PixelOf(Selectable* theObject, int& x, int& y) {
    const int w = theObject->m_image->GetWidth(), h = theObject->m_image->GetHeight();
    for (int py = 0; py < h; ++py)
      for (int px = 0; px < w; ++px)
        if (Scene().pointObjCollisionCheck(theObject->getX() + px, theObject->getY() + py) == theObject) {
          x = theObject->getX() + px;
          y = theObject->getY() + py;
          return true;
        }
    return false;
  }
};

TEST_F(InGameHintsSceneTest, ARevealButtonFlashesForTwoHundredFortyUpdatesAndItsGlowFadesInFifty) {
  Enter(3, false);
  ASSERT_EQ(Scene().m_state, 1);
  // Level 3 gives three charges: buttons 0 to 2 show, 3 and 4 do not.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Scene().m_revealButtons[i]->mVisible, i < 3) << i;
  Scene().ButtonDepress(3);  // charge 1
  Selectable* aRevealed = Scene().m_revealedObject;
  ASSERT_NE(aRevealed, nullptr);
  EXPECT_TRUE(aRevealed->isToFind());
  EXPECT_FALSE(Profile().isHintAvailable(1));
  EXPECT_FALSE(Scene().m_revealButtons[1]->mVisible);
  Run(49);
  EXPECT_NEAR(Scene().m_revealGlowAlpha, 0.02f, 1e-5f);
  Run(1);
  EXPECT_NEAR(Scene().m_revealGlowAlpha, 0.0f, 1e-5f);
  Run(1);  // 32-bit steps leave a crumb for the 51st
  EXPECT_EQ(Scene().m_revealGlowAlpha, 0.0f);
  EXPECT_EQ(Scene().m_revealFlashTimer, 189);
  Scene().ButtonDepress(2);  // still flashing: nothing
  EXPECT_TRUE(Profile().isHintAvailable(0));
  Run(188);
  EXPECT_EQ(Scene().m_revealFlashTimer, 1);
  Run(1);
  EXPECT_EQ(Scene().m_revealFlashTimer, 0);
  Scene().ButtonDepress(2);
  EXPECT_FALSE(Profile().isHintAvailable(0));
  EXPECT_EQ(App().Played(Tesk::SFX_REVEAL), 2);
  // The used charges stay away when the scene is shown again.
  App().mWidgetManager->RemoveWidget(&Scene());
  App().mWidgetManager->AddWidget(&Scene());
  EXPECT_FALSE(Scene().m_revealButtons[0]->mVisible);
  EXPECT_FALSE(Scene().m_revealButtons[1]->mVisible);
  EXPECT_TRUE(Scene().m_revealButtons[2]->mVisible);
}

TEST_F(InGameHintsSceneTest, AClickedCoinIsCountedAndItsHighlightEndsWithTheFirstCoinMessage) {
  Enter(2, true);
  // The entry messages of the second chapter, answered one by one.
  for (int i = 0; i < 5 && Opened() >= 0; ++i) {
    ClosePopup();
    Scene().setGameState(0);
  }
  ClosePopup();
  PlayTest::FullBrightness();
  LocationData& l = *Scene().getLocationData();
  Selectable* aCoin = l.m_coinObjects[0];
  ASSERT_NE(aCoin, nullptr);
  int x = 0, y = 0;
  ASSERT_TRUE(PixelOf(aCoin, x, y));
  Scene().MouseDown(x, y, 1);
  EXPECT_EQ(Profile().getCointTotal(), 1);
  EXPECT_TRUE(Profile().getCoinBlock(aCoin->getKind() - 85 + static_cast<int>(l.m_coinBitBase)));
  EXPECT_FALSE(aCoin->isVisible());
  EXPECT_EQ(App().Played(Tesk::SFX_COIN), 1);
  Run(45 + 149);
  EXPECT_EQ(Opened(), -1);
  Run(1);
  EXPECT_EQ(Opened(), Tesk::POPUP_HINT_FOUND_FIRST_COIN);
  EXPECT_EQ(Scene().m_state, 2);
}

}  // namespace
