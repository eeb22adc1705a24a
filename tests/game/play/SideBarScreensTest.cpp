// Pictures of the side bar as the player sees it: the map and the play scene drawn by the widget
// manager from the generated asset set into an 800 x 600 screen, written as PNG files under the
// tests' scratch folder ("sidebar-screens"), with the side bar's parts checked on the pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ImageWriters.h"
#include "PlayRig.h"
#include "core/MTRand.h"
#include "game/play/SideBar.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Particles.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

using PlayTest::FullBrightness;
using PlayTest::RigApp;
using Tesk::GameApp;
using Tesk::InGame;

class SideBarScreens : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("sidebar-screens", s_folder, s_app);
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    App().mSamples.clear();
    App().mProfile.setProfileName(L"Painter");
    mPopup = std::make_unique<Tesk::PopupBox>(&App());
    mPopup->Init();
    mScreen = std::make_unique<Tesk::MemoryImage>();
    mScreen->Create(800, 600);
    Manager()->mImage = mScreen.get();
  }
  void TearDown() override {
    Manager()->mImage = nullptr;
    if (Manager()->HasWidget(&Scene())) Manager()->RemoveWidget(&Scene());
    if (mMap != nullptr && Manager()->HasWidget(mMap.get())) Manager()->RemoveWidget(mMap.get());
    Scene().m_popup = nullptr;
    GameApp::sm_gameState = 0;
    GameApp::sm_locationAt = 0;
    Tesk::TeskAppBase::s_languageUsing = 0;
  }
  static RigApp& App() { return *s_app; }
  static InGame& Scene() { return *App().mScene; }
  Tesk::WidgetManager* Manager() { return App().mWidgetManager; }
  void Load(int theLevel, int theDifficulty) {
    App().mProfile.startNewGame(theDifficulty);
    App().mProfile.setHelpBox(false);
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    Tesk::SRand(31);
    std::srand(31);
    ASSERT_TRUE(App().mLevel->load(theLevel, false)) << App().mLevel->getLoadError();
  }
  // The play scene entered at location theId as the map's switch does it.
  void EnterScene(int theId) {
    Scene().Init();
    Scene().Resize(0, 0, 800, 600);
    Scene().m_popup = mPopup.get();
    App().setLocationAt(static_cast<uint8_t>(theId));
    GameApp::sm_gameState = 1;
    Manager()->AddWidget(&Scene());
    Scene().setGameState(0);
    FullBrightness();
  }
  // theUpdates frames, the pointer at (x, y); then the screen drawn and written as theName.png.
  void Shoot(const std::string& theName, int x, int y, int theUpdates) {
    Manager()->MouseMove(x, y);
    for (int i = 0; i < theUpdates; ++i) Manager()->UpdateFrame();
    Manager()->MarkAllDirty();
    Manager()->DrawScreen();
    static const std::string sDir = TeskTest::MakeTempDir("sidebar-screens");
    const std::string aPath = sDir + "/" + theName + ".png";
    EXPECT_TRUE(TeskTools::WritePngFile(aPath, 800, 600, mScreen->GetBits()));
    std::printf("screenshot: %s\n", aPath.c_str());
  }
  uint32_t Pixel(int x, int y) { return mScreen->GetBits()[y * 800 + x]; }
  // Pixels of the rectangle that differ from the bare side bar image.
  int Marked(int x0, int y0, int w, int h) {
    Tesk::MemoryImage aBare;
    aBare.Create(800, 600);
    {
      Tesk::Graphics g(&aBare);
      g.DrawImage(Tesk::IMAGE_SIDE_BAR, 0, 0);
    }
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) n += aBare.GetBits()[y * 800 + x] != Pixel(x, y);
    return n;
  }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<Tesk::PopupBox> mPopup;
  std::unique_ptr<Tesk::Map> mMap;
  std::unique_ptr<Tesk::MemoryImage> mScreen;
};

PlayTest::InFolder* SideBarScreens::s_folder = nullptr;
RigApp* SideBarScreens::s_app = nullptr;

TEST_F(SideBarScreens, TheMap) {
  Load(3, 1);
  for (int i = 0; i < 7; ++i) App().mProfile.setCoinBlock(i);
  mMap = std::make_unique<Tesk::Map>(&App());
  mMap->Init();
  mMap->m_popup = mPopup.get();
  mMap->Resize(0, 0, 800, 600);
  GameApp::sm_gameState = 0;
  GameApp::s_lastFullSecond = 31;
  Manager()->AddWidget(mMap.get());
  FullBrightness();
  Shoot("map", 600, 500, 30);
  EXPECT_GT(Marked(8, 54, 121, 60), 50);    // chapter and objects texts
  EXPECT_GT(Marked(10, 142, 117, 60), 50);  // what to do on the map
  EXPECT_GT(Marked(20, 425, 100, 30), 50);  // the clock
  EXPECT_EQ(Marked(8, 300, 121, 100), 0);   // no list on the map
}

TEST_F(SideBarScreens, ALocationWithItsListAfterAFindAndAReveal) {
  Load(3, 1);
  for (int i = 0; i < 4; ++i) App().mProfile.setCoinBlock(i);
  EnterScene(7);
  ASSERT_EQ(Scene().m_state, 1);
  // One reveal used: its icon is gone, the flash runs.
  Scene().hintButtonPress(1);
  EXPECT_NE(Scene().m_revealedObject, nullptr);
  InGame::m_wordFade = {2, 0.4f, 1, 0};
  Shoot("location", 500, 300, 40);
  EXPECT_GT(Marked(8, 148, 121, 150), 200);  // the list
  EXPECT_GT(Marked(8, 96, 121, 20), 50);     // objects still to find
  EXPECT_GT(Marked(20, 425, 100, 30), 50);   // the clock
  EXPECT_GT(Marked(0, 580, 140, 20), 50);    // the charge bar

  // The hard list with a quick-find message and the spell cast.
  if (Manager()->HasWidget(&Scene())) Manager()->RemoveWidget(&Scene());
  Load(6, 2);
  EnterScene(App().mLevel->m_locations[0].m_id);
  Scene().repelEvilButtonPress();
  Tesk::InGame::QuickfindStruct& q = *Scene().getQuickfindStruct();
  q = {stringQuickfindExc, 0, 1.0f, Tesk::FONT_SMALL, 700};
  Shoot("location_hard_repelled", 500, 300, 20);
  EXPECT_GT(Marked(8, 96, 121, 20), 50);

  // The final level: the runestones instead of a list, no reveal panel.
  if (Manager()->HasWidget(&Scene())) Manager()->RemoveWidget(&Scene());
  Load(13, 1);
  App().mLevel->m_runestonesFound = 2;
  EnterScene(App().mLevel->m_locations[0].m_id);
  Shoot("location_final", 500, 300, 20);
  EXPECT_GT(Marked(8, 180, 121, 80), 100);
}

TEST_F(SideBarScreens, ALocationInFrench) {
  Tesk::TeskAppBase::s_languageUsing = 2;
  Load(3, 1);
  EnterScene(7);
  Shoot("location_french", 500, 300, 20);
  EXPECT_GT(Marked(20, 20, 100, 20), 20);  // the menu label written over the art
}

}  // namespace
