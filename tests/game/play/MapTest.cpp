// The location map on the generated asset set, through the real widget and sound managers:
// buttons and markers that follow the open locations on both maps and on the final level, the
// clock running out, the side bar, the help messages, and forty visits without a lost channel;
// and on every chapter's map, each place's picture, number seal and name plate together, with
// what a player sees where a click goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "PlayRig.h"
#include "game/play/LevelTables.h"
#include "game/play/Math.h"
#include "game/shell/PopupBox.h"
#include "graphics/Graphics.h"
#include "graphics/Particles.h"
#include "resources/ResourceManager.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

using PlayTest::RigApp;

class MapTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("map", s_folder, s_app);
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    App().mSamples.clear();
    App().mProfile.setProfileName(L"Mapper");
    App().mProfile.startNewGame(1);
    App().mProfile.setHelpBox(false);
    App().mProfile.setMapUsing(0);
    AtLevel(1, {{7, 10}, {3, 0}});
    mMap = std::make_unique<Tesk::Map>(&App());
    mMap->Init();
    mPopup = std::make_unique<Tesk::PopupBox>(&App());
    mPopup->Init();  // the title screen does this for the real popup
    mMap->m_popup = mPopup.get();
    Tesk::GameApp::s_lastFullSecond = 31;
    PlayTest::FullBrightness();
  }
  // Updates while the map waits for a fade, at most theLimit.
  void UpdateWhileIn(uint8_t theState, int theLimit = 200) {
    for (int i = 0; i < theLimit && mMap->m_state == theState; ++i) mMap->Update();
  }
  void TearDown() override {
    Leave();
    mMap.reset();
  }
  static RigApp& App() { return *s_app; }
  Tesk::WidgetManager* Manager() { return App().mWidgetManager; }

  // The profile on theLevel, and its locations with their open entries.
  void AtLevel(int theLevel, std::vector<std::pair<int, int>> theOpen) {
    App().mProfile.startNewGame(1);
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    LevelData& l = *App().mLevel;
    for (LocationData& aLocation : l.m_locations) {
      aLocation.m_id = -1;
      aLocation.m_numOpen = 0;
    }
    int i = 0;
    for (auto [anId, anOpen] : theOpen) {
      l.m_locations[i].m_id = anId;
      l.m_locations[i++].m_numOpen = static_cast<uint32_t>(anOpen);
    }
    l.m_maxObjects = k_levelMaxObjects[theLevel];
    App().mProfile.setNewLevel(k_levelMaxTimes[theLevel], 1, 1.0f);
  }
  void Visit() { Manager()->AddWidget(mMap.get()); }
  void Leave() {
    if (Manager()->HasWidget(mMap.get())) Manager()->RemoveWidget(mMap.get());
  }
  bool HasButton(int theId) { return Manager()->HasWidget(mMap->m_locationButtons[theId - 1]); }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<Tesk::Map> mMap;
  std::unique_ptr<Tesk::PopupBox> mPopup;
};

PlayTest::InFolder* MapTest::s_folder = nullptr;
RigApp* MapTest::s_app = nullptr;

TEST_F(MapTest, ButtonsAndMarkersFollowTheOpenLocations) {
  Visit();
  ASSERT_EQ(mMap->m_numImages, 52);  // 40 of the first map's block, 12 of the second's
  EXPECT_EQ(mMap->m_mapImage, mMap->m_images[0]);
  EXPECT_TRUE(Manager()->HasWidget(mMap->m_menuButton));
  EXPECT_TRUE(HasButton(7));
  EXPECT_FALSE(HasButton(3));  // its list is done
  for (int anId : {1, 2, 4, 5, 6, 8, 9, 10, 11, 12}) EXPECT_FALSE(HasButton(anId)) << anId;

  Tesk::OrvoButtonWidget* b = mMap->m_locationButtons[6];
  EXPECT_EQ(b->mX, 507 + 140);
  EXPECT_EQ(b->mY, 138);
  EXPECT_EQ(b->mHoverImage, Tesk::MAP_LOC07_HOVER);
  EXPECT_EQ(b->mWidth, Tesk::MAP_LOC07_HOVER->GetWidth());
  const Tesk::TRect<int> aHit = b->GetInsetRect();
  EXPECT_EQ(aHit.mX, 526 + 140);
  EXPECT_EQ(aHit.mY, 149);
  EXPECT_EQ(aHit.mWidth, 128);
  EXPECT_EQ(aHit.mHeight, 127);
  EXPECT_EQ(b->mBlendType, 1);
  EXPECT_EQ(b->mPulse, 1u);
  EXPECT_EQ(b->mAnimation, &mMap->m_markers[6]);
  EXPECT_EQ(mMap->m_markers[6].getFrameOn(), 9);  // 10 open entries
  EXPECT_EQ(mMap->m_markers[6].getX(), 618 + 140);
  EXPECT_EQ(mMap->m_markers[6].getY(), 198);
  EXPECT_EQ(mMap->m_locationPictures[6], mMap->m_images[2 + 6]);
  EXPECT_EQ(mMap->m_namePlates[6], mMap->m_images[14 + 6]);
  EXPECT_EQ(mMap->m_locationPictures[2], nullptr);
  EXPECT_TRUE(mMap->m_markers[2].isInactive());

  // The next visit after location 7 is done and 3 has one entry left.
  Leave();
  EXPECT_EQ(mMap->m_numImages, 0);
  EXPECT_FALSE(Manager()->HasWidget(mMap->m_locationButtons[6]));
  AtLevel(1, {{7, 0}, {3, 1}});
  Visit();
  EXPECT_FALSE(HasButton(7));
  EXPECT_TRUE(HasButton(3));
  EXPECT_EQ(mMap->m_markers[2].getFrameOn(), 0);
  EXPECT_EQ(mMap->m_markers[2].getX(), 268 + 140);
  EXPECT_EQ(mMap->m_locationButtons[6]->mAnimation, nullptr);
  EXPECT_TRUE(mMap->m_markers[6].isInactive());
}

TEST_F(MapTest, TheSecondMapShowsPictureButtonsWithASparkleUnderTheMouse) {
  App().mProfile.setMapUsing(1);
  AtLevel(4, {{3, 4}, {11, 2}, {9, 0}});
  App().mProfile.setMapUsing(1);
  Visit();
  EXPECT_EQ(mMap->m_mapImage, mMap->m_images[1]);
  Tesk::OrvoButtonWidget* b = mMap->m_locationButtons[2];
  EXPECT_TRUE(HasButton(3));
  EXPECT_TRUE(HasButton(11));
  EXPECT_FALSE(HasButton(9));
  EXPECT_EQ(b->mButtonImage, mMap->m_images[40 + 2]);
  EXPECT_EQ(b->mX, 206 + 140);
  EXPECT_EQ(b->mY, 243);
  EXPECT_EQ(b->mWidth, mMap->m_images[42]->GetWidth());
  EXPECT_EQ(b->mHoverImage, nullptr);
  EXPECT_EQ(b->mPulse, 0u);
  EXPECT_EQ(mMap->m_locationPictures[2], nullptr);
  EXPECT_EQ(mMap->m_markers[2].getX(), 267 + 140);
  EXPECT_EQ(mMap->m_markers[2].getFrameOn(), 3);
  // The particles are drawn after the last button, so the sparkle shows above all of them.
  EXPECT_EQ(mMap->m_locationButtons[10]->mDrawParticles, 1u);
  EXPECT_EQ(b->mDrawParticles, 0u);

  Manager()->mHasFocus = true;  // the window has the pointer
  Manager()->MouseMove(b->mX + 5, b->mY + 5);
  mMap->Update();
  ASSERT_NE(mMap->m_sparkle, nullptr);
  EXPECT_EQ(mMap->m_sparkleLocation, 2);
  EXPECT_EQ(mMap->m_sparkle->m_type, 20);
  EXPECT_EQ(mMap->m_sparkle->m_x, b->mX + b->mWidth / 10);
  EXPECT_EQ(mMap->m_sparkle->m_width, b->mWidth - 2 * (b->mWidth / 10));
  Manager()->MouseMove(790, 590);
  mMap->Update();
  EXPECT_EQ(mMap->m_sparkle, nullptr);
  EXPECT_EQ(mMap->m_sparkleLocation, -1);
}

TEST_F(MapTest, OnTheLastLevelEveryListedLocationHasAButtonAndNoMarker) {
  std::vector<std::pair<int, int>> anOpen;
  for (int anId = 1; anId <= 12; ++anId) anOpen.push_back({anId, anId % 2 == 0 ? 0 : 3});
  AtLevel(13, anOpen);
  Visit();
  for (int anId = 1; anId <= 12; ++anId) {
    EXPECT_TRUE(HasButton(anId)) << anId;
    EXPECT_EQ(mMap->m_locationButtons[anId - 1]->mAnimation, nullptr) << anId;
  }
  // The quake shakes the buttons with the map.
  Tesk::InGame& aScene = *App().mScene;
  aScene.getScreenShake()->m_x = 4.0f;
  aScene.getScreenShake()->m_y = -3.0f;
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  Tesk::Graphics g(&aScreen);
  mMap->Draw(&g);
  EXPECT_EQ(mMap->m_locationButtons[0]->mX, 34 + 140 + 4);
  EXPECT_EQ(mMap->m_locationButtons[0]->mY, 376 - 3);
  aScene.getScreenShake()->reset();
}

TEST_F(MapTest, TheClockRunningOutOnTheMapFailsTheLevel) {
  Visit();
  App().mProfile.setHasSaveFile(true);
  App().mProfile.setSaveInMinigame(true);
  App().mProfile.adjustLevelTimer(1 - App().mProfile.getLevelTimer());
  mMap->Update();  // the clock takes its last hundredth
  EXPECT_EQ(mMap->m_state, 9);
  EXPECT_EQ(App().Played(Tesk::SFX_LEVEL_FAILED_SOUND), 1);
  const std::string aProfile = App().mProfile.toFileBytes();
  EXPECT_EQ(aProfile[8 + 81], '\0');  // no save
  EXPECT_EQ(aProfile[8 + 82], '\0');
  EXPECT_TRUE(mMap->m_locationButtons[6]->mVisible);
  EXPECT_FALSE(mMap->m_locationButtons[6]->mDisabled);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_FALSE(mPopup->mDisabled);
}

TEST_F(MapTest, TheLastThirtySecondsTickAndWarnOnce) {
  App().mProfile.setHelpBox(true);
  for (int aHint : {0, 24}) App().mProfile.setHintBlock(aHint);
  Visit();
  App().mProfile.adjustLevelTimer(2951 - App().mProfile.getLevelTimer());
  mMap->Update();
  EXPECT_EQ(Tesk::GameApp::s_lastFullSecond, 29);
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 1);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(8));
  mMap->setGameState(3);
  UpdateWhileIn(3);
  EXPECT_EQ(mMap->m_state, 0);
  for (int i = 0; i < 40; ++i) mMap->Update();
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 1);  // once a second
  while (App().mProfile.getLevelTimer() >= 2900) mMap->Update();
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 2);
  EXPECT_EQ(mMap->m_state, 0);  // and the warning only once
}

TEST_F(MapTest, TheSideBarOpensTheMenuAndTheChapterEndOnlyWhenItMay) {
  Visit();
  // Entries are left: the lower box does nothing.
  mMap->MouseDown(60, 250, 1);
  EXPECT_EQ(mMap->m_state, 0);
  mMap->MouseDown(60, 450, 1);  // the menu box
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_EQ(App().Played(Tesk::SFX_SELECT_PRESS), 1);
  EXPECT_FALSE(mMap->m_locationButtons[6]->mVisible);
  mMap->setGameState(3);
  UpdateWhileIn(3);
  EXPECT_EQ(mMap->m_state, 0);
  EXPECT_TRUE(mMap->m_locationButtons[6]->mVisible);

  // Enough found: the lower box opens the chapter's end.
  App().mLevel->m_locations[0].m_numOpen = 0;
  App().mLevel->m_maxObjects = 10;
  mMap->MouseDown(60, 250, 2);  // a double click is not one
  EXPECT_EQ(mMap->m_state, 0);
  mMap->MouseDown(200, 250, 1);  // not the side bar
  EXPECT_EQ(mMap->m_state, 0);
  mMap->MouseDown(60, 250, 1);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(mPopup->mVisible);
  mMap->MouseDown(60, 450, 1);  // only in state 0
  EXPECT_EQ(App().Played(Tesk::SFX_SELECT_PRESS), 1);

  mMap->setGameState(0);
  mMap->KeyDown(static_cast<Tesk::KeyCode>(27));
  EXPECT_EQ(mMap->m_state, 1);
}

TEST_F(MapTest, EnteringTheMapShowsEachHelpMessageOnce) {
  App().mProfile.setHelpBox(true);
  Visit();
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(0));
  EXPECT_FALSE(App().mProfile.getHintBlock(24));
  ASSERT_NE(mMap->m_popup, nullptr);
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_WELCOME);
  mMap->setGameState(0);
  EXPECT_TRUE(App().mProfile.getHintBlock(24));
  // The custom-cursor help, not the potion game's hint that sits at 50 + 24 (whose OK hands back
  // to a mini-game and left the map paused for good).
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_CUSTOM_CURSOR);
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 0);  // entries are left: nothing more to say
  App().mLevel->m_locations[0].m_numOpen = 0;
  App().mLevel->m_maxObjects = 10;
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(9));
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_ENOUGH_OBJECTS_FOUND);
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 0);
  // On the last chapter, the runestones' help: 66, not the play scene's first-repel hint at 50 + 17.
  AtLevel(13, {{1, 3}});
  for (int aHint : {0, 24, 9}) App().mProfile.setHintBlock(aHint);
  mMap->setGameState(0);
  EXPECT_TRUE(App().mProfile.getHintBlock(17));
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_RUNESTONES);
}

TEST_F(MapTest, ALocationButtonLeadsIntoThePlayScene) {
  Visit();
  mMap->ButtonDepress(8);
  EXPECT_EQ(App().Played(Tesk::SFX_MAP_ENTER_LOC), 1);
  EXPECT_EQ(App().getLocationAt(), 7);
  EXPECT_EQ(mMap->m_state, 6);
  EXPECT_TRUE(Tesk::GameApp::isInFade());  // to black, then into the play scene
  // While the fade runs no button acts.
  mMap->ButtonDepress(1);
  mMap->ButtonDepress(4);
  EXPECT_EQ(mMap->m_state, 6);
  EXPECT_EQ(App().getLocationAt(), 7);
}

TEST_F(MapTest, TheMarkersBobThreePixelsUpAndDown) {
  Visit();
  int aLowest = 1000, aHighest = -1000;
  for (int k = 1; k <= 130; ++k) {
    mMap->Update();
    const int dy = static_cast<int>(3.0f * std::sin(0.05f * k));
    ASSERT_EQ(mMap->m_markers[6].getY(), 198 + dy) << k;
    aLowest = std::min(aLowest, dy);
    aHighest = std::max(aHighest, dy);
  }
  EXPECT_EQ(aLowest, -2);  // truncated toward 0, so +-3 is only just reached
  EXPECT_EQ(aHighest, 2);
}

TEST_F(MapTest, FortyVisitsLoseNoSoundChannel) {
  for (int i = 0; i < 40; ++i) {
    Visit();
    mMap->Update();
    Leave();
  }
  EXPECT_EQ(mMap->m_ambient, nullptr);
  EXPECT_EQ(PlayTest::FreeChannels(App().mSoundManager, 74), Tesk::DSoundManager::k_MaxChannels);
}

// What one place shows on a map, in screen pixels: its picture, its name plate (first map) and
// its number seal, each an image at a point, and the rectangle its button takes the pointer in.
struct Shown {
  Tesk::Image* mImage = nullptr;
  int x = 0, y = 0;
};
struct Box {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // right and bottom edges excluded
  bool empty() const { return x1 <= x0 || y1 <= y0; }
};
struct PlaceOnMap {
  int mIndex = 0;
  Shown mPicture, mPlate;
  bool mHasSeal = false;
  int mSealX = 0, mSealY = 0;
};

int AlphaAt(const Shown& s, int x, int y) {
  if (s.mImage == nullptr || x < s.x || y < s.y || x >= s.x + s.mImage->GetWidth() ||
      y >= s.y + s.mImage->GetHeight())
    return 0;
  return MATH::BBImageTest(x - s.x, y - s.y, s.mImage);
}

// The part of an image a player sees as solid: its pixels of at least half alpha.
Box SolidBox(const Shown& s) {
  Box b{1 << 20, 1 << 20, -1, -1};
  if (s.mImage == nullptr) return Box{};
  for (int y = 0; y < s.mImage->GetHeight(); ++y)
    for (int x = 0; x < s.mImage->GetWidth(); ++x)
      if (MATH::BBImageTest(x, y, s.mImage) >= 128) {
        b.x0 = std::min(b.x0, s.x + x);
        b.y0 = std::min(b.y0, s.y + y);
        b.x1 = std::max(b.x1, s.x + x + 1);
        b.y1 = std::max(b.y1, s.y + y + 1);
      }
  return b.x1 < 0 ? Box{} : b;
}

// Pixels between two boxes along the axis that separates them most (0 when they meet).
int Gap(const Box& a, const Box& b) {
  return std::max({0, a.x0 - b.x1, b.x0 - a.x1, a.y0 - b.y1, b.y0 - a.y1});
}

// The drawn circle of a number seal: 24 pixels across in its 30-pixel cell, bobbing 3 up and down.
Box SealBox(const PlaceOnMap& p) {
  return Box{p.mSealX + 3, p.mSealY + 3 - 3, p.mSealX + 27, p.mSealY + 27 + 3};
}
bool InSeal(const PlaceOnMap& p, int x, int y, int theBob) {
  const double dx = x + 0.5 - (p.mSealX + 15), dy = y + 0.5 - (p.mSealY + 15 + theBob);
  return dx * dx + dy * dy <= 12.0 * 12.0;
}

TEST_F(MapTest, EveryChaptersPlacesKeepTheirPicturesSealsAndNamesTogether) {
  for (int aChapter = 1; aChapter <= 13; ++aChapter) {
    std::vector<std::pair<int, int>> anOpen;
    for (int k = 0; k < k_maxLocations; ++k) {
      const int anId = s_levelDataMapping[aChapter][k];
      if (anId >= 1 && anId <= 12) anOpen.push_back({anId, 10});
    }
    for (int aMapUsing = 0; aMapUsing < 2; ++aMapUsing) {
      SCOPED_TRACE("chapter " + std::to_string(aChapter) + (aMapUsing ? ", second map" : ", first map"));
      App().mProfile.setMapUsing(aMapUsing);
      AtLevel(aChapter, anOpen);
      App().mProfile.setMapUsing(aMapUsing);
      Visit();
      std::vector<PlaceOnMap> aPlaces;
      for (auto [anId, anOpenCount] : anOpen) {
        const int i = anId - 1;
        Tesk::OrvoButtonWidget* b = mMap->m_locationButtons[i];
        ASSERT_TRUE(HasButton(anId)) << anId;
        PlaceOnMap p;
        p.mIndex = i;
        if (aMapUsing == 0) {
          const Tesk::Map::MapPoint& at = Tesk::Map::s_mapLocationsSelectionPoint[i].picture;
          p.mPicture = Shown{mMap->m_locationPictures[i], at.x + 140, at.y};
          const Tesk::Map::MapPoint& aName = Tesk::Map::s_mapLocationText[i];
          p.mPlate = Shown{mMap->m_namePlates[i], aName.x + 140, aName.y};
        } else {
          p.mPicture = Shown{b->mButtonImage, b->mX, b->mY};
        }
        ASSERT_NE(p.mPicture.mImage, nullptr) << anId;
        p.mHasSeal = !mMap->m_markers[i].isInactive();
        EXPECT_EQ(p.mHasSeal, aChapter != 13) << anId;
        p.mSealX = mMap->m_markers[i].getX();
        p.mSealY = mMap->m_markers[i].getY();
        aPlaces.push_back(p);
      }
      std::sort(aPlaces.begin(), aPlaces.end(),
                [](const PlaceOnMap& a, const PlaceOnMap& b) { return a.mIndex < b.mIndex; });
      // Who is seen and who takes the click at each pixel: pictures are drawn, and buttons hit,
      // in the order of their places.
      auto SeenAt = [&](int x, int y) {
        int aSeen = -1;
        for (const PlaceOnMap& p : aPlaces)
          if (AlphaAt(p.mPicture, x, y) >= 128) aSeen = p.mIndex;
        return aSeen;
      };
      auto ClickedAt = [&](int x, int y) {
        Tesk::Widget* w = Manager()->GetWidgetAt(x, y, nullptr, nullptr);
        for (const PlaceOnMap& p : aPlaces)
          if (w == mMap->m_locationButtons[p.mIndex]) return p.mIndex;
        return -1;
      };
      std::vector<Box> aSolid;
      for (const PlaceOnMap& p : aPlaces) aSolid.push_back(SolidBox(p.mPicture));
      // The first map's compass in the corner is drawn over the pictures: it covers none.
      if (aMapUsing == 0) {
        Tesk::Image* aCorner = mMap->m_images[38];
        ASSERT_NE(aCorner, nullptr);
        const Shown aCompass{aCorner, 784 - aCorner->GetWidth(), 590 - aCorner->GetHeight()};
        const Box c = SolidBox(aCompass);
        int aCovered = 0;
        for (int y = c.y0; y < c.y1; ++y)
          for (int x = c.x0; x < c.x1; ++x)
            if (AlphaAt(aCompass, x, y) >= 128 && SeenAt(x, y) >= 0) ++aCovered;
        EXPECT_EQ(aCovered, 0) << "the compass covers a picture";
      }

      for (size_t k = 0; k < aPlaces.size(); ++k) {
        const PlaceOnMap& p = aPlaces[k];
        const std::string aName = "location " + std::to_string(p.mIndex + 1);
        SCOPED_TRACE(aName);
        // The picture: mostly in view, and where it is seen a click enters its place (or, at its
        // edge on the first map, ground that no place claims).
        int aSolidCount = 0, aSeen = 0, anOwn = 0, aWrong = 0;
        const Box& a = aSolid[k];
        for (int y = a.y0; y < a.y1; ++y)
          for (int x = a.x0; x < a.x1; ++x) {
            if (AlphaAt(p.mPicture, x, y) < 128) continue;
            ++aSolidCount;
            if (SeenAt(x, y) != p.mIndex) continue;
            ++aSeen;
            const int aClicked = ClickedAt(x, y);
            if (aClicked == p.mIndex) ++anOwn;
            if (aClicked >= 0 && aClicked != p.mIndex) ++aWrong;
          }
        ASSERT_GT(aSolidCount, 0);
        EXPECT_GE(aSeen * 4, aSolidCount * 3) << "the picture is mostly hidden";
        EXPECT_GE(anOwn * 2, aSeen) << "half the picture does not enter its place";
        EXPECT_LE(aWrong * 100, aSeen) << aWrong << " of " << aSeen << " seen pixels enter another place";

        // The seal stands on its picture, or just above it like a flag, nearer it than any other.
        if (p.mHasSeal) {
          const Box aSeal = SealBox(p);
          const int anOwnGap = Gap(aSeal, a);
          const bool isAbove = aSeal.y1 <= a.y0 && p.mSealX + 15 >= a.x0 && p.mSealX + 15 < a.x1;
          EXPECT_LE(anOwnGap, isAbove ? 40 : 12)
              << "the seal floats " << anOwnGap << " pixels from its picture";
          for (size_t j = 0; j < aPlaces.size(); ++j) {
            if (j != k) {
              EXPECT_LT(anOwnGap, Gap(aSeal, aSolid[j]))
                  << "the seal is nearer location " << aPlaces[j].mIndex + 1;
            }
            // No name under it, and nothing of another place.
            int aCovered = 0;
            for (int aBob = -3; aBob <= 3; aBob += 6)
              for (int y = aSeal.y0; y < aSeal.y1; ++y)
                for (int x = aSeal.x0; x < aSeal.x1; ++x)
                  if (InSeal(p, x, y, aBob) && ((j != k && AlphaAt(aPlaces[j].mPicture, x, y) >= 128) ||
                                                AlphaAt(aPlaces[j].mPlate, x, y) >= 128))
                    ++aCovered;
            EXPECT_EQ(aCovered, 0) << "the seal covers location " << aPlaces[j].mIndex + 1;
          }
        }

        // The name plate touches its picture, is nearer it than any other, lies on no other
        // picture, and a click on its middle enters its place or nothing.
        if (p.mPlate.mImage != nullptr) {
          const Box aPlate = SolidBox(p.mPlate);
          const int anOwnGap = Gap(aPlate, a);
          EXPECT_LE(anOwnGap, 10) << "the plate floats " << anOwnGap << " pixels from its picture";
          for (size_t j = 0; j < aPlaces.size(); ++j) {
            if (j == k) continue;
            EXPECT_LT(anOwnGap, Gap(aPlate, aSolid[j]))
                << "the plate is nearer location " << aPlaces[j].mIndex + 1;
          }
          int anOnOther = 0;
          for (int y = aPlate.y0; y < aPlate.y1; ++y)
            for (int x = aPlate.x0; x < aPlate.x1; ++x)
              if (AlphaAt(p.mPlate, x, y) >= 128) {
                const int aSeenHere = SeenAt(x, y);
                if (aSeenHere >= 0 && aSeenHere != p.mIndex) ++anOnOther;
              }
          EXPECT_EQ(anOnOther, 0) << "the plate lies on another picture";
          const int aClicked = ClickedAt((aPlate.x0 + aPlate.x1) / 2, (aPlate.y0 + aPlate.y1) / 2);
          EXPECT_TRUE(aClicked == -1 || aClicked == p.mIndex)
              << "a click on the plate enters location " << aClicked + 1;
        }
      }
      Leave();
    }
  }
  App().mProfile.setMapUsing(0);
}

// The colour of an image's pixel as it is stored (a palettised image keeps its palette).
uint32_t ColorAt(Tesk::Image* theImage, int x, int y) {
  auto* m = dynamic_cast<Tesk::MemoryImage*>(theImage);
  if (m == nullptr) return 0;
  const int anIndex = y * m->mWidth + x;
  if (m->mPalette && m->mPaletteIndices) return m->mPalette[m->mPaletteIndices[anIndex]];
  return m->mBits ? m->mBits[anIndex] : 0;
}

// Relative luminance of an 0xAARRGGBB colour.
double Luminance(uint32_t theColor) {
  auto Linear = [](uint32_t c) {
    const double v = (c & 0xFF) / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * Linear(theColor >> 16) + 0.7152 * Linear(theColor >> 8) + 0.0722 * Linear(theColor);
}

// A hovered place lights its name plate: the letters stay dark on the lit paper.
TEST_F(MapTest, AHoveredNamePlateStaysReadable) {
  std::vector<std::pair<int, int>> anOpen;
  for (int anId = 1; anId <= 12; ++anId) anOpen.push_back({anId, 3});
  AtLevel(13, anOpen);
  Visit();
  for (Tesk::OrvoButtonWidget* b : mMap->m_locationButtons) {
    b->mIsOver = true;
    b->mHoverAlpha = 1.0f;
  }
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  {
    Tesk::Graphics g(&aScreen);
    mMap->Draw(&g);
  }
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE("location " + std::to_string(i + 1));
    Tesk::Image* aPlate = mMap->m_namePlates[i];
    ASSERT_NE(aPlate, nullptr);
    const Tesk::Map::MapPoint& at = Tesk::Map::s_mapLocationText[i];
    double anInk = 0, aPaper = 0;
    int anInks = 0, aPapers = 0;
    for (int y = 0; y < aPlate->GetHeight(); ++y)
      for (int x = 0; x < aPlate->GetWidth(); ++x) {
        const uint32_t c = ColorAt(aPlate, x, y);
        if ((c >> 24) != 255) continue;
        const double l = Luminance(c);
        const double aDrawn = Luminance(aScreen.GetBits()[(at.y + y) * 800 + at.x + 140 + x]);
        if (l < 0.05) anInk += aDrawn, ++anInks;
        if (l > 0.45) aPaper += aDrawn, ++aPapers;
      }
    ASSERT_GT(anInks, 20);
    ASSERT_GT(aPapers, 100);
    const double aContrast = (aPaper / aPapers + 0.05) / (anInk / anInks + 0.05);
    EXPECT_GE(aContrast, 4.5);
  }
  Leave();
}

}  // namespace
