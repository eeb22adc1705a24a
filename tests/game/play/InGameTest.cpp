// The play scene on the generated asset set, through the real widget manager, level data and
// hit test: a scripted run that clears both locations of level 1 by clicking a visible pixel of
// every listed part, misses and their penalty, the quick-find grade, the found-object highlight,
// and the scene's states.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "PlayRig.h"
#include "core/MTRand.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "game/play/Math.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "graphics/Graphics.h"
#include "graphics/Particles.h"
#include "resources/ResourceManager.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

using PlayTest::FullBrightness;
using PlayTest::RigApp;
using Tesk::GameApp;
using Tesk::InGame;

struct Point {
  int x = -1, y = -1;
};

class InGameTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("ingame", s_folder, s_app);
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    InGame::alreadyInited = false;
    InGame::redraw = 0.0f;
    App().mSamples.clear();
    App().mProfile.setProfileName(L"Seeker");
    App().mProfile.startNewGame(1);
    App().mProfile.setHelpBox(false);
    LoadLevel(1);
    mPopup = std::make_unique<Tesk::PopupBox>(&App());
    mPopup->Init();
    Scene().Init();
    Scene().m_popup = mPopup.get();
    GameApp::s_lastFullSecond = 31;
    FullBrightness();
  }
  void TearDown() override {
    Leave();
    App().mMinimized = false;
    Scene().m_popup = nullptr;
    mPopup.reset();
  }
  static RigApp& App() { return *s_app; }
  static InGame& Scene() { return *App().mScene; }
  Tesk::WidgetManager* Manager() { return App().mWidgetManager; }

  void LoadLevel(int theLevel) {
    App().mProfile.startNewGame(App().mProfile.getDifficultyLevel());
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    Tesk::SRand(2024);
    std::srand(2024);
    ASSERT_TRUE(App().mLevel->load(theLevel, false)) << App().mLevel->getLoadError();
  }
  // The scene added at location theId as the map's switch adds it, entered.
  void Enter(int theId) {
    App().setLocationAt(static_cast<uint8_t>(theId));
    GameApp::sm_gameState = 1;
    Manager()->AddWidget(&Scene());
    Scene().setGameState(0);
    FullBrightness();
  }
  void Leave() {
    if (Manager()->HasWidget(&Scene())) Manager()->RemoveWidget(&Scene());
  }
  void Run(int theUpdates) {
    for (int i = 0; i < theUpdates; ++i) Scene().Update();
  }
  bool Click(int x, int y) {
    Scene().MouseDown(x, y, 1);
    return true;
  }
  // A pixel where the hit test answers theObject: opaque, and not under a higher visible
  // object. Searched from the middle out so that the click looks like a player's.
  static Point PixelOf(Selectable* theObject) {
    Tesk::Image* anImage = theObject->m_image.get();
    const int w = anImage->GetWidth(), h = anImage->GetHeight();
    for (int r = 0; r < w + h; ++r)
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          if (std::abs(dx) != r && std::abs(dy) != r) continue;
          const int px = w / 2 + dx, py = h / 2 + dy;
          if (px < 0 || py < 0 || px >= w || py >= h) continue;
          const int sx = theObject->getX() + px, sy = theObject->getY() + py;
          if (Scene().pointObjCollisionCheck(sx, sy) == theObject) return {sx, sy};
        }
    return {};
  }
  // A pixel of the location that no object answers.
  static Point EmptyPixel() {
    for (int y = 20; y < 580; y += 7)
      for (int x = 160; x < 780; x += 7)
        if (Scene().pointObjCollisionCheck(x, y) == nullptr) return {x, y};
    return {};
  }
  // Every part still wanted in the location's list.
  static std::vector<Selectable*> WantedParts() {
    std::vector<Selectable*> aParts;
    for (FindInfo& anEntry : Scene().getLocationData()->m_findInfo) {
      if (!anEntry.isActive()) continue;
      for (Selectable* aPart : anEntry.m_parts)
        if (aPart != nullptr) aParts.push_back(aPart);
    }
    return aParts;
  }
  // The scene as drawn on an 800 x 600 screen.
  static std::vector<uint32_t> Frame() {
    Tesk::MemoryImage aScreen;
    aScreen.Create(800, 600);
    {
      Tesk::Graphics g(&aScreen);
      Scene().Draw(&g);
    }
    return std::vector<uint32_t>(aScreen.GetBits(), aScreen.GetBits() + 800 * 600);
  }
  // The same scene with its highlights left out.
  static std::vector<uint32_t> FrameWithoutHighlights() {
    InGame::Highlight aKept[4];
    std::copy(Scene().m_highlights, Scene().m_highlights + 4, aKept);
    for (InGame::Highlight& h : Scene().m_highlights) h.m_object = nullptr;
    std::vector<uint32_t> aFrame = Frame();
    std::copy(aKept, aKept + 4, Scene().m_highlights);
    return aFrame;
  }
  // theFrame with theObject's picture over it as its highlight must look: theGrowth times its
  // size about its centre, in the full-brightness white at theAlpha.
  static std::vector<uint32_t> Highlighted(const std::vector<uint32_t>& theFrame, Selectable* theObject,
                                           float theGrowth, int theAlpha) {
    Tesk::MemoryImage aScreen;
    aScreen.Create(800, 600);
    std::copy(theFrame.begin(), theFrame.end(), aScreen.GetBits());
    aScreen.BitsChanged();
    {
      Tesk::Graphics g(&aScreen);
      g.SetColorizeImages(true);
      g.SetFastStretch(true);
      g.SetColor(Tesk::Color(255, 255, 255, theAlpha));
      Tesk::Image* anImage = theObject->m_image.get();
      const float w = static_cast<float>(anImage->GetWidth()), h = static_cast<float>(anImage->GetHeight());
      const float dw = w * theGrowth, dh = h * theGrowth;
      g.DrawImage(anImage, static_cast<int>(theObject->getX() + (w + 1.0f) * 0.5f - dw * 0.5f),
                  static_cast<int>(theObject->getY() + (h + 1.0f) * 0.5f - dh * 0.5f), static_cast<int>(dw),
                  static_cast<int>(dh));
    }
    return std::vector<uint32_t>(aScreen.GetBits(), aScreen.GetBits() + 800 * 600);
  }
  static int DifferingPixels(const std::vector<uint32_t>& theA, const std::vector<uint32_t>& theB) {
    int n = 0;
    for (size_t i = 0; i < theA.size() && i < theB.size(); ++i)
      n += (theA[i] & 0xFFFFFFu) != (theB[i] & 0xFFFFFFu);
    return n;
  }
  // The found object's sparkles: particles of type 23, which its glitter and its burst make.
  static int Sparkles() {
    int n = 0;
    for (const PARTICLE::ParticleBasic& aParticle : PARTICLE::particleArray) n += aParticle.m_type == 23;
    return n;
  }
  static int BusySlots() {
    int n = 0;
    for (const InGame::Highlight& h : Scene().m_highlights) n += h.m_object != nullptr;
    return n;
  }

  // Clicks every wanted part of the location, theGap updates apart, and lets the last
  // highlight end. The enough-objects message on the way is answered with its "keep looking"
  // button, as a player would; the messages seen are kept in mMessages.
  void ClearLocation(int theGap) {
    const std::vector<Selectable*> aParts = WantedParts();
    ASSERT_FALSE(aParts.empty());
    for (Selectable* aPart : aParts) {
      KeepLooking();
      ASSERT_EQ(Scene().m_state, 1);
      const Point p = PixelOf(aPart);
      ASSERT_GE(p.x, 0) << "no visible pixel of a wanted part";
      while (BusySlots() == 4) Run(1);
      Click(p.x, p.y);
      EXPECT_FALSE(aPart->isVisible());
      EXPECT_FALSE(aPart->isToFind());
      Run(theGap);
    }
    for (int i = 0; i < 300 && Scene().m_state == 1; ++i) Run(1);
    if (Scene().m_state == 6) mMessages.push_back(mPopup->m_type);
  }
  void KeepLooking() {
    if (Scene().m_state != 6 || mPopup->m_type != Tesk::POPUP_ALL_OBJECTS_FOUND) return;
    mMessages.push_back(mPopup->m_type);
    Run(100);  // the dimming ends
    mPopup->ButtonDepress(5);
    for (int i = 0; i < 100 && Scene().m_state != 1; ++i) Run(1);
  }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<Tesk::PopupBox> mPopup;
  std::vector<int> mMessages;
};

PlayTest::InFolder* InGameTest::s_folder = nullptr;
RigApp* InGameTest::s_app = nullptr;

TEST_F(InGameTest, AScriptedRunClearsBothLocationsOfLevelOneByClickingEveryListedPart) {
  const uint8_t* aRow = App().mLevel->getLevelDataMap(1);
  ASSERT_EQ(aRow[0], 7);
  ASSERT_EQ(aRow[1], 3);

  Enter(7);
  EXPECT_EQ(Scene().m_state, 1);
  LocationData* l = Scene().getLocationData();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->m_id, 7);
  EXPECT_EQ(l->m_numOpen, 10u);
  EXPECT_TRUE(Manager()->HasWidget(Scene().m_menuButton));
  EXPECT_TRUE(Manager()->HasWidget(Scene().m_mapButton));
  EXPECT_TRUE(Manager()->HasWidget(Scene().m_revealButtons[0]));
  EXPECT_FALSE(Manager()->HasWidget(Scene().m_repelButton));  // level 1 has no repel spell
  EXPECT_TRUE(Manager()->HasWidget(mPopup.get()));
  EXPECT_FALSE(mPopup->mVisible);
  // Every object in its render slot.
  int aPlaced = 0;
  for (int i = 0; i < InGame::k_renderSlots; ++i)
    if (Selectable* s = Scene().m_renderArray[i]) {
      EXPECT_EQ(s->getRenderOrder(), i);
      ++aPlaced;
    }
  EXPECT_GT(aPlaced, 20);

  const int aParts = static_cast<int>(WantedParts().size());
  const int aToFind = App().mLevel->numberOfObjectsToFind();
  // Finds 10 s apart: none of them quick. The clock runs meanwhile, and stops when the last
  // highlight (195 updates) brings the message.
  const int aTimer = App().mProfile.getLevelTimer();
  ClearLocation(1000);
  EXPECT_EQ(App().mProfile.getLevelTimer(), aTimer - (aParts - 1) * 1000 - 195);
  EXPECT_EQ(l->m_numOpen, 0u);
  for (const FindInfo& e : l->m_findInfo) EXPECT_FALSE(e.isActive());
  EXPECT_EQ(App().mLevel->numberOfObjectsToFind(), aToFind - 10);
  EXPECT_EQ(App().Played(Tesk::SFX_OBJECT_SET_FOUND), 10);
  EXPECT_EQ(App().Played(Tesk::SFX_OBJECT_FOUND), aParts - 10);
  EXPECT_EQ(App().Played(Tesk::SFX_GRADE_UP), 0);
  // Level 1 needs 16 of its 20 objects: after the first location, its list is done.
  EXPECT_EQ(Scene().m_state, 6);
  EXPECT_EQ(mMessages, std::vector<int>{Tesk::POPUP_LOCATION_DONE});
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_TRUE(GameApp::isFaded50());
  EXPECT_FALSE(Scene().m_menuButton->mVisible);
  Leave();
  EXPECT_FALSE(Manager()->HasWidget(Scene().m_menuButton));
  EXPECT_FALSE(Manager()->HasWidget(mPopup.get()));

  // The other location, finds 2 s apart: all quick after the first. On the way, the sixth
  // entry makes the 16 the level needs and its message comes once.
  App().mSamples.clear();
  mMessages.clear();
  Enter(3);
  const int aMore = static_cast<int>(WantedParts().size());
  ClearLocation(200);
  EXPECT_EQ(App().Played(Tesk::SFX_GRADE_UP), aMore - 1);
  EXPECT_EQ(mMessages, (std::vector<int>{Tesk::POPUP_ALL_OBJECTS_FOUND, Tesk::POPUP_CHAPTER_OBJECTS_FOUND}));
  EXPECT_TRUE(App().mProfile.getHintBlock(16));
  EXPECT_EQ(App().mLevel->numberOfObjectsRemainingOnChapter(), 0);
  EXPECT_EQ(Scene().m_state, 6);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_CHAPTER_OBJECTS_FOUND);
  EXPECT_TRUE(App().mProfile.getLevelGradePlus());
  EXPECT_EQ(App().Played(Tesk::SFX_MINIGAME_PASSED), 2);
  EXPECT_FLOAT_EQ(App().mProfile.getLevelGrade(), 2.0f);
}

TEST_F(InGameTest, TheNeededTotalReachedForTheFirstTimeGivesItsOwnMessageOnce) {
  Enter(7);
  // All but the last part of the level's needed count found elsewhere.
  LocationData* l = Scene().getLocationData();
  const std::vector<Selectable*> aParts = WantedParts();
  App().mLevel->m_maxObjects = 1;
  FindInfo* anEntry = aParts.front()->m_findInfo;
  ASSERT_NE(anEntry, nullptr);
  for (Selectable* aPart : anEntry->m_parts) {
    if (aPart == nullptr) continue;
    const Point p = PixelOf(aPart);
    Click(p.x, p.y);
  }
  Run(300);
  EXPECT_LT(App().mLevel->numberOfObjectsToFind(), 1);
  EXPECT_EQ(Scene().m_state, 6);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_ALL_OBJECTS_FOUND);
  EXPECT_TRUE(App().mProfile.getHintBlock(16));
  EXPECT_EQ(App().Played(Tesk::SFX_MINIGAME_PASSED), 1);

  // Afterwards a finished entry closes only the location, or nothing at all.
  Scene().setGameState(4);
  FullBrightness();
  Run(1);
  ASSERT_EQ(Scene().m_state, 1);
  Selectable* aNext = WantedParts().front();
  const Point p = PixelOf(aNext);
  Click(p.x, p.y);
  Run(300);
  EXPECT_EQ(Scene().m_state, 1);
  EXPECT_GT(l->m_numOpen, 0u);
}

TEST_F(InGameTest, MissesAreFreeUntilTheFifthWithinThreeSecondsThenCostTimeAndGrade) {
  struct Case {
    int mDifficulty;
    int mPenalty;
  };
  for (const Case& c : {Case{1, 1500}, Case{0, 0}}) {
    SCOPED_TRACE(c.mDifficulty);
    Leave();
    App().mProfile.startNewGame(c.mDifficulty);
    LoadLevel(1);
    App().mSamples.clear();
    Enter(7);
    App().mProfile.setLevelGrade(1.0f);
    const Point e = EmptyPixel();
    ASSERT_GE(e.x, 0);
    const int aTimer = App().mProfile.getLevelTimer();
    for (int i = 0; i < 4; ++i) Click(e.x, e.y);
    EXPECT_EQ(App().Played(Tesk::SFX_MISPRESS), 4);
    EXPECT_EQ(App().mProfile.getLevelTimer(), aTimer);
    EXPECT_EQ(Scene().m_quickfind.m_counter, 700u);

    Click(e.x, e.y);
    EXPECT_EQ(App().Played(Tesk::SFX_MISPRESS_MULTIPLE), 1);
    EXPECT_EQ(App().mProfile.getLevelTimer(), aTimer - c.mPenalty);
    EXPECT_FLOAT_EQ(App().mProfile.getLevelGrade(), 0.75f);
    // The grade's whole part changed: the message names the new grade.
    EXPECT_EQ(Scene().m_quickfind.m_text, GameApp::k_newGrade);
    EXPECT_EQ(Scene().m_quickfind.m_timer, 700);
    EXPECT_FLOAT_EQ(Scene().m_quickfind.m_alpha, 1.0f);
    EXPECT_EQ(Scene().m_state, 1);  // the help box is off

    // A find in between starts the count again.
    App().mSamples.clear();
    for (int i = 0; i < 3; ++i) Click(e.x, e.y);
    Selectable* aPart = WantedParts().front();
    const Point p = PixelOf(aPart);
    Click(p.x, p.y);
    for (int i = 0; i < 4; ++i) Click(e.x, e.y);
    EXPECT_EQ(App().Played(Tesk::SFX_MISPRESS), 7);
    EXPECT_EQ(App().Played(Tesk::SFX_MISPRESS_MULTIPLE), 0);
    // A penalised miss with a smaller change keeps the penalty text.
    App().mProfile.setLevelGrade(1.75f);
    Click(e.x, e.y);
    EXPECT_EQ(Scene().m_quickfind.m_text, ::stringTimePenalty);
  }
}

TEST_F(InGameTest, APenalisedMissTeachesOnceWithTheHelpBoxOn) {
  // Bit 7 alone is left to learn.
  App().mProfile.setHelpBox(true);
  for (int aBit = 0; aBit < 32; ++aBit)
    if (aBit != 7) App().mProfile.setHintBlock(aBit);
  Enter(7);
  const Point e = EmptyPixel();
  for (int i = 0; i < 5; ++i) Click(e.x, e.y);
  EXPECT_EQ(Scene().m_state, 2);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_HINT_FAILED_PRESS);
  EXPECT_TRUE(App().mProfile.getHintBlock(7));
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 2);
}

// The penalty's "-15 seconds" rises from the clock; the help it brings pauses the scene, and the
// side bar writes its pause text there instead of the clock. The note waits unseen with the
// clock (particles stand still while paused) and shows again once play goes on.
TEST_F(InGameTest, WhilePausedThePenaltyNoteWaitsWithTheClock) {
  App().mProfile.setHelpBox(true);
  for (int aBit = 0; aBit < 32; ++aBit)
    if (aBit != 7) App().mProfile.setHintBlock(aBit);
  // The texts the game's start-up takes from the string table.
  std::wstring* const kNotes[] = {&GameApp::s_reduceTime15, &GameApp::s_reduceTime30,
                                  &GameApp::s_reduceTime45, &GameApp::s_reduceTime60};
  std::vector<std::wstring> aKept;
  for (std::wstring* aText : kNotes) {
    aKept.push_back(*aText);
    *aText = L"-15 seconds";
  }
  Enter(7);
  const Point e = EmptyPixel();
  for (int i = 0; i < 5; ++i) Click(e.x, e.y);
  ASSERT_EQ(Scene().m_state, 2);
  // The side bar's clock box, as drawn with and without the note.
  auto ClockBox = [&]() {
    Tesk::MemoryImage aScreen;
    aScreen.Create(800, 600);
    Tesk::Graphics g(&aScreen);
    Scene().Draw(&g);
    std::vector<uint32_t> aBox;
    for (int y = 400; y < 480; ++y)
      for (int x = 0; x < 140; ++x) aBox.push_back(aScreen.GetBits()[y * 800 + x]);
    return aBox;
  };
  const std::vector<uint32_t> aPausedWithNote = ClockBox();
  int aLive = 0;
  for (const PARTICLE::ParticleTxt& t : PARTICLE::txtArray) aLive += t.m_type == PARTICLE::k_txtType ? 1 : 0;
  ASSERT_EQ(aLive, 1) << "the penalty's note";
  std::vector<PARTICLE::ParticleTxt> aNotes(std::begin(PARTICLE::txtArray), std::end(PARTICLE::txtArray));
  PARTICLE::resetAll(true);
  EXPECT_TRUE(aPausedWithNote == ClockBox()) << "the note is drawn over the pause text";
  std::copy(aNotes.begin(), aNotes.end(), std::begin(PARTICLE::txtArray));
  Scene().m_state = 1;
  EXPECT_FALSE(aPausedWithNote == ClockBox()) << "playing again, the note shows";
  PARTICLE::resetAll(true);
  for (size_t i = 0; i < aKept.size(); ++i) *kNotes[i] = aKept[i];
}

TEST_F(InGameTest, QuickFindsRaiseTheGradeByTheLevelsStep) {
  struct Case {
    int mLevel;
    float mStep;
  };
  for (const Case& c : {Case{1, 1.0f}, Case{3, 1.0f / 1.2f}}) {
    SCOPED_TRACE(c.mLevel);
    Leave();
    LoadLevel(c.mLevel);
    App().mSamples.clear();
    const uint8_t* aRow = App().mLevel->getLevelDataMap(c.mLevel);
    Enter(aRow[0]);
    EXPECT_EQ(Scene().m_quickfind.m_counter, 700u);
    App().mProfile.setLevelGrade(0.0f);
    std::vector<Selectable*> aParts = WantedParts();
    ASSERT_GE(aParts.size(), 3u);
    // The first find after entering is never quick.
    Point p = PixelOf(aParts[0]);
    Click(p.x, p.y);
    EXPECT_EQ(App().Played(Tesk::SFX_GRADE_UP), 0);
    EXPECT_EQ(Scene().m_quickfind.m_counter, 0u);
    // 699 updates later it is.
    Run(699);
    p = PixelOf(aParts[1]);
    Click(p.x, p.y);
    EXPECT_EQ(App().Played(Tesk::SFX_GRADE_UP), 1);
    EXPECT_FLOAT_EQ(App().mProfile.getLevelGrade(), c.mStep);
    EXPECT_EQ(Scene().m_quickfind.m_timer, 700);
    if (c.mStep >= 1.0f)
      EXPECT_EQ(Scene().m_quickfind.m_text, GameApp::k_newGrade);
    else
      EXPECT_EQ(Scene().m_quickfind.m_text, ::stringQuickfindExc);
    // 700 updates later it is not.
    Run(700);
    p = PixelOf(aParts[2]);
    Click(p.x, p.y);
    EXPECT_EQ(App().Played(Tesk::SFX_GRADE_UP), 1);
    EXPECT_FLOAT_EQ(App().mProfile.getLevelGrade(), c.mStep);
    // The message fades over its last 100 updates.
    EXPECT_NEAR(Scene().m_quickfind.m_alpha, 0.0f, 1e-4f);
  }
}

TEST_F(InGameTest, AHighlightGrowsGlittersAndFadesAndFourAtOnceDropTheNextClick) {
  Enter(7);
  std::vector<Selectable*> aParts = WantedParts();
  ASSERT_GE(aParts.size(), 5u);
  Point p = PixelOf(aParts[0]);
  Click(p.x, p.y);
  const InGame::Highlight& h = Scene().m_highlights[0];
  EXPECT_EQ(h.m_object, aParts[0]);
  EXPECT_EQ(h.m_phase, 1);
  EXPECT_EQ(h.m_timer, 45);
  EXPECT_FLOAT_EQ(h.m_scale, 1.0f);
  // At first the object as it was, drawn over everything.
  std::vector<uint32_t> aWithout = FrameWithoutHighlights();
  EXPECT_EQ(DifferingPixels(Frame(), Highlighted(aWithout, aParts[0], 1.0f, 255)), 0);
  EXPECT_GT(DifferingPixels(Frame(), aWithout), 0);
  Run(44);
  EXPECT_EQ(h.m_phase, 1);
  Run(1);
  EXPECT_EQ(h.m_phase, 2);
  EXPECT_EQ(h.m_timer, 150);
  EXPECT_NEAR(h.m_scale, 3.7f, 1e-4f);
  // Grown about its centre: at scale 3.7 an object of side s grows by 0.486 s.
  aWithout = FrameWithoutHighlights();
  EXPECT_EQ(DifferingPixels(Frame(), Highlighted(aWithout, aParts[0], 1.486f, 255)), 0);
  EXPECT_GT(DifferingPixels(Frame(), Highlighted(aWithout, aParts[0], 1.0f, 255)), 0);
  // It glitters at full size: bursts of sparkles (9, then 10, then 9) at its 5th, 55th and
  // 105th update.
  std::vector<std::pair<int, int>> aBursts;
  for (int u = 1, aBefore = Sparkles(); u <= 149; ++u) {
    Run(1);
    if (Sparkles() > aBefore) aBursts.push_back({u, Sparkles() - aBefore});
    aBefore = Sparkles();
  }
  EXPECT_EQ(aBursts, (std::vector<std::pair<int, int>>{{5, 9}, {55, 10}, {105, 9}}));
  EXPECT_EQ(h.m_phase, 2);
  Run(1);
  EXPECT_EQ(h.m_phase, 3);
  // Fading at the same size: half way through, drawn at half its alpha.
  Run(25);
  EXPECT_NEAR(h.m_alpha, 0.5f, 1e-4f);
  aWithout = FrameWithoutHighlights();
  EXPECT_EQ(DifferingPixels(Frame(),
                            Highlighted(aWithout, aParts[0], 1.486f, static_cast<int>(h.m_alpha * 255.0f))),
            0);
  EXPECT_GT(DifferingPixels(Frame(), Highlighted(aWithout, aParts[0], 1.486f, 255)), 0);
  Run(25);
  EXPECT_EQ(h.m_object, aParts[0]);
  EXPECT_NEAR(h.m_alpha, 0.0f, 0.021f);
  Run(1);  // the 51st update of the fade frees it
  EXPECT_EQ(h.m_object, nullptr);
  EXPECT_EQ(DifferingPixels(Frame(), FrameWithoutHighlights()), 0);

  // Four under way: a fifth click is dropped, even a miss.
  for (int i = 1; i <= 4; ++i) {
    p = PixelOf(aParts[i]);
    Click(p.x, p.y);
  }
  EXPECT_EQ(BusySlots(), 4);
  App().mSamples.clear();
  const Point e = EmptyPixel();
  Click(e.x, e.y);
  EXPECT_TRUE(App().mSamples.empty());
  if (aParts.size() > 5) {
    p = PixelOf(aParts[5]);
    Click(p.x, p.y);
    EXPECT_TRUE(aParts[5]->isToFind());
    EXPECT_TRUE(aParts[5]->isVisible());
  }
}

TEST_F(InGameTest, TheHitTestLooksThroughClearPixelsAndNeverAtHiddenObjects) {
  Enter(7);
  Selectable* aPart = WantedParts().front();
  Tesk::Image* anImage = aPart->m_image.get();
  // A clear pixel of the part's rectangle hits what is behind it, or nothing.
  Point aClear;
  for (int y = 0; y < anImage->GetHeight() && aClear.x < 0; ++y)
    for (int x = 0; x < anImage->GetWidth(); ++x)
      if (MATH::BBImageTest(x, y, anImage) == 0) {
        aClear = {aPart->getX() + x, aPart->getY() + y};
        break;
      }
  ASSERT_GE(aClear.x, 0) << "the generated objects have clear margins";
  EXPECT_NE(Scene().pointObjCollisionCheck(aClear.x, aClear.y), aPart);
  const Point p = PixelOf(aPart);
  aPart->setVisible(false);
  EXPECT_NE(Scene().pointObjCollisionCheck(p.x, p.y), aPart);
  aPart->setVisible(true);

  // Render orders run to 127: an object drawn in the last slot is found first.
  const int aSlot = aPart->getRenderOrder();
  Scene().m_renderArray[aSlot] = nullptr;
  Scene().m_renderArray[InGame::k_renderSlots - 1] = aPart;
  EXPECT_EQ(Scene().pointObjCollisionCheck(p.x, p.y), aPart);
  Scene().m_renderArray[InGame::k_renderSlots - 1] = nullptr;
  Scene().m_renderArray[aSlot] = aPart;

  // A visible cover is hit but is not wanted: a miss.
  Selectable* aCover = nullptr;
  for (Selectable* s : Scene().m_renderArray)
    if (s != nullptr && s->getKind() == Selectable::k_kindCover && s->isVisible()) aCover = s;
  ASSERT_NE(aCover, nullptr);
  const Point c = PixelOf(aCover);
  ASSERT_GE(c.x, 0);
  App().mSamples.clear();
  Click(c.x, c.y);
  EXPECT_EQ(App().Played(Tesk::SFX_MISPRESS), 1);
  EXPECT_TRUE(aCover->isVisible());
  EXPECT_EQ(BusySlots(), 0);
}

TEST_F(InGameTest, ClicksActOnlyInPlayAsSingleLeftClicksOutsideTheSideBar) {
  Enter(7);
  Selectable* aPart = WantedParts().front();
  const Point p = PixelOf(aPart);
  Scene().MouseDown(p.x, p.y, 2);
  EXPECT_TRUE(aPart->isToFind());
  Scene().MouseDown(p.x, p.y, -1);
  EXPECT_TRUE(aPart->isToFind());
  GameApp::sm_currentFadeDirection = 0;
  Click(p.x, p.y);
  EXPECT_TRUE(aPart->isToFind());
  FullBrightness();
  // The side bar's clock area opens the menu; the rest of the bar does nothing.
  App().mSamples.clear();
  Click(10, 300);
  EXPECT_EQ(Scene().m_state, 1);
  EXPECT_TRUE(App().mSamples.empty());
  Click(27 + 40, 437 + 10);
  EXPECT_EQ(Scene().m_state, 2);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(App().Played(Tesk::SFX_SELECT_PRESS), 1);
  FullBrightness();
  Click(p.x, p.y);
  EXPECT_TRUE(aPart->isToFind());
}

TEST_F(InGameTest, TheStatesOpenAndCloseThePopupAndLeaveForTheMap) {
  Enter(7);
  ASSERT_EQ(Scene().m_state, 1);
  // The pause menu over the dimmed scene, and back.
  Scene().setGameState(2);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_FALSE(mPopup->mDisabled);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 2);
  EXPECT_FALSE(Scene().m_menuButton->mVisible);
  EXPECT_FALSE(Scene().m_revealButtons[0]->mVisible);
  Run(100);
  EXPECT_EQ(Scene().m_state, 2);
  const int aTimer = App().mProfile.getLevelTimer();
  Scene().setGameState(4);
  EXPECT_FALSE(mPopup->mVisible);
  EXPECT_TRUE(mPopup->mDisabled);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 0);
  EXPECT_TRUE(Scene().m_menuButton->mVisible);
  EXPECT_TRUE(Scene().m_revealButtons[0]->mVisible);
  EXPECT_FALSE(Scene().m_revealButtons[4]->mVisible);  // level 1 has two charges
  int n = 0;
  while (Scene().m_state == 4 && n < 200) Scene().Update(), ++n;
  EXPECT_EQ(Scene().m_state, 1);
  EXPECT_GT(n, 10);
  // The clock stood still while the menu was up.
  EXPECT_LE(aTimer - App().mProfile.getLevelTimer(), n);

  // The menu over the dimmed scene after in-game help.
  Scene().setGameState(3);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 3);
  EXPECT_TRUE(Scene().m_menuButton->mVisible);
  Scene().setGameState(4);
  FullBrightness();

  // The map button fades to black; Escape during the fade opens the menu.
  App().mSamples.clear();
  Scene().ButtonDepress(1);
  EXPECT_EQ(Scene().m_state, 5);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(19));
  EXPECT_EQ(App().Played(Tesk::SFX_MAP_ENTER), 1);
  Scene().KeyDown(static_cast<Tesk::KeyCode>(27));
  EXPECT_EQ(Scene().m_state, 2);
  EXPECT_EQ(App().Played(Tesk::SFX_SELECT_PRESS), 1);

  // A minimised window pauses the scene, once.
  Scene().setGameState(4);
  FullBrightness();
  Run(1);
  App().mMinimized = true;
  Run(1);
  EXPECT_EQ(Scene().m_state, 2);
  App().mMinimized = false;
}

TEST_F(InGameTest, TheClockRunningOutFailsTheLevelOnTheFirstPlayingUpdate) {
  App().mProfile.setHasSaveFile(true);
  App().mProfile.setSaveInMinigame(true);
  Enter(7);
  App().mProfile.adjustLevelTimer(-App().mProfile.getLevelTimer());
  Run(1);
  EXPECT_EQ(Scene().m_state, 7);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_LEVEL_FAILED);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 3);
  EXPECT_EQ(App().Played(Tesk::SFX_LEVEL_FAILED_SOUND), 1);
  EXPECT_FALSE(App().mProfile.getSaveInMinigame());
  // The buttons stay, the clock is not run again.
  EXPECT_TRUE(Scene().m_menuButton->mVisible);
  Run(10);
  EXPECT_EQ(App().Played(Tesk::SFX_LEVEL_FAILED_SOUND), 1);
}

TEST_F(InGameTest, TheLastHalfMinuteTicksOncePerSecond) {
  Enter(7);
  App().mProfile.adjustLevelTimer(3050 - App().mProfile.getLevelTimer());
  Run(250);
  // 30.49 s down to 28.0 s: seconds 29 and 28 tick.
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 2);
  EXPECT_EQ(GameApp::s_lastFullSecond, 28);
}

TEST_F(InGameTest, TheFinalLevelShakesAndHasNoRevealButtonsAndLocationZeroNoSideButtons) {
  Leave();
  LoadLevel(13);
  const uint8_t* aRow = App().mLevel->getLevelDataMap(13);
  Enter(aRow[0]);
  EXPECT_FALSE(Manager()->HasWidget(Scene().m_revealButtons[0]));
  EXPECT_TRUE(Manager()->HasWidget(Scene().m_repelButton));
  Scene().getScreenShake()->startNew(100);
  Run(5);
  EXPECT_TRUE(Scene().getScreenShake()->getX() != 0.0f || Scene().getScreenShake()->getY() != 0.0f);
  Leave();

  LoadLevel(1);
  App().setLocationAt(0);
  Manager()->AddWidget(&Scene());
  EXPECT_EQ(Scene().getLocationData(), nullptr);
  EXPECT_EQ(CarbonLastDebugStr().find("getLocationData"), std::string::npos);
  EXPECT_FALSE(Manager()->HasWidget(Scene().m_menuButton));
  EXPECT_FALSE(Manager()->HasWidget(Scene().m_mapButton));
  EXPECT_TRUE(Manager()->HasWidget(Scene().m_revealButtons[0]));
  Leave();
  EXPECT_FALSE(Manager()->HasWidget(Scene().m_revealButtons[0]));
}

TEST_F(InGameTest, TheSceneDrawsTheLocationAndItsObjectsAndTheFoundOneOnlyAsItsHighlight) {
  Enter(7);
  Selectable* aPart = WantedParts().front();
  LocationData* aLocation = Scene().getLocationData();
  auto PixelOfImage = [](Tesk::Image* theImage, int x, int y) {
    auto* anImage = dynamic_cast<Tesk::MemoryImage*>(theImage);
    return anImage != nullptr ? anImage->GetBits()[y * anImage->GetWidth() + x] : 0u;
  };
  auto BackgroundAt = [&](int x, int y) { return PixelOfImage(aLocation->m_background.get(), x - 140, y); };
  auto OverlayAlphaAt = [&](int x, int y) {
    return aLocation->m_overlay != nullptr ? PixelOfImage(aLocation->m_overlay.get(), x - 140, y) >> 24 : 0u;
  };
  // A pixel where the object is opaque and only the background lies under it.
  Point q;
  aPart->setVisible(false);
  for (int y = aPart->getY(); y < aPart->getY() + aPart->m_image->GetHeight() && q.x < 0; ++y)
    for (int x = aPart->getX(); x < aPart->getX() + aPart->m_image->GetWidth() && q.x < 0; ++x)
      if (PixelOfImage(aPart->m_image.get(), x - aPart->getX(), y - aPart->getY()) >> 24 == 255 &&
          Scene().pointObjCollisionCheck(x, y) == nullptr && OverlayAlphaAt(x, y) == 0)
        q = {x, y};
  aPart->setVisible(true);
  ASSERT_GE(q.x, 0);
  ASSERT_EQ(Scene().pointObjCollisionCheck(q.x, q.y), aPart);
  // Drawn in the scene's full-brightness colour, a pixel may come out one step darker.
  auto IsNear = [](uint32_t theA, uint32_t theB) {
    for (int aShift = 0; aShift < 24; aShift += 8)
      if (std::abs(static_cast<int>((theA >> aShift) & 0xFF) - static_cast<int>((theB >> aShift) & 0xFF)) > 1)
        return false;
    return true;
  };
  auto At = [&q](const std::vector<uint32_t>& theFrame) { return theFrame[q.y * 800 + q.x]; };
  const uint32_t anObjectPixel = PixelOfImage(aPart->m_image.get(), q.x - aPart->getX(), q.y - aPart->getY());
  const uint32_t aBackgroundPixel = BackgroundAt(q.x, q.y);
  ASSERT_FALSE(IsNear(anObjectPixel, aBackgroundPixel));

  // The location with its objects: there, the object's own pixel.
  EXPECT_TRUE(IsNear(At(Frame()), anObjectPixel));
  // Found, it is drawn only as its highlight: without that, the background shows.
  Click(q.x, q.y);
  EXPECT_TRUE(IsNear(At(FrameWithoutHighlights()), aBackgroundPixel));
  EXPECT_TRUE(IsNear(At(Frame()), anObjectPixel));
  // When the highlight has ended, the background shows where the object was.
  Run(45 + 150 + 51);
  EXPECT_EQ(Scene().m_highlights[0].m_object, nullptr);
  EXPECT_TRUE(IsNear(At(Frame()), aBackgroundPixel));
}

}  // namespace
