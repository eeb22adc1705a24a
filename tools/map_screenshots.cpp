// The map (both maps) and locations with their distraction actors, drawn by the game's own
// drawing code from the generated asset set into a memory screen and saved as PNG files:
// map_screenshots <out-dir> [<resources-dir>] [--chapters=1,5,9,13]. With chapters, each of
// their maps (both kinds) with every listed place open and the pointer on the first of them.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FontSheetWriter.h"
#include "LevelAppRig.h"
#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "display/DDImage.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LevelDynamics.h"
#include "game/play/Map.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "graphics/Particles.h"
#include "resources/ImageLib.h"
#include "resources/ResourceManager.h"
#include "sound/DSoundManager.h"
#include "widgets/ModalFlags.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace {

bool Save(Tesk::MemoryImage& theScreen, const std::string& thePath) {
  std::printf("%s\n", thePath.c_str());
  return TeskTools::WritePng(thePath, 800, 600, theScreen.GetBits());
}

// Every widget of the manager drawn as the frame loop draws them.
bool ShootWidgets(TeskTools::LevelAppRig& theApp, const std::string& thePath) {
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  {
    Tesk::Graphics g(&aScreen);
    g.SetColor(Tesk::Color(0, 0, 0));
    g.FillRect(0, 0, 800, 600);
    Tesk::ModalFlags aFlags;
    theApp.mWidgetManager->InitModalFlags(&aFlags);
    theApp.mWidgetManager->DrawAll(&aFlags, &g);
  }
  return Save(aScreen, thePath);
}

// A location as the play scene lays it out (background, objects by render order), then its
// distractions drawn by the level dynamics and the particles over them.
bool ShootLocation(TeskTools::LevelAppRig& theApp, int theId, const std::string& thePath) {
  LocationData* l = theApp.mLevel->getLocationData(theId);
  if (l == nullptr) return false;
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  {
    Tesk::Graphics g(&aScreen);
    g.SetColor(Tesk::Color(0, 0, 0));
    g.FillRect(0, 0, 800, 600);
    if (Tesk::IMAGE_SIDE_BAR != nullptr) g.DrawImage(Tesk::IMAGE_SIDE_BAR, 0, 0);
    g.DrawImage(l->m_background.get(), 140, 0);
    Selectable* anOrder[LevelData::k_renderArraySize] = {};
    theApp.mLevel->setUpRenderArray(*l, anOrder);
    for (Selectable* s : anOrder)
      if (s != nullptr && s->isVisible() && s->m_image != nullptr)
        g.DrawImage(s->m_image.get(), s->getX(), s->getY());
    Tesk::InGame::m_levelDynamics.draw(&g, &theApp, 1.0f);
    float aFade = 1.0f;
    PARTICLE::draw(&g, aFade, theApp.mScene.get());
  }
  return Save(aScreen, thePath);
}

// The level dynamics at theId, run until its actors are out: waits cut short.
void Enter(TeskTools::LevelAppRig& theApp, int theId, int theUpdates) {
  LevelDynamics& d = Tesk::InGame::m_levelDynamics;
  d.exitLocationToMap();
  PARTICLE::resetAll(true);
  d.setNewLocation(theId, &theApp);
  for (int i = 0; i < theUpdates; ++i) {
    for (Spider& s : d.m_spiders)
      if (s.m_state == 1) s.m_timer = 1;
    for (BookBird& b : d.m_books)
      if (b.getState() == 3) b.m_timer = 1;
    if (d.m_spookyEyes.m_state == 1) d.m_spookyEyes.m_timer = 1;
    if (d.m_eyeFire.m_state == 1 && d.m_eyeFire.m_timer > 1) d.m_eyeFire.m_timer = 1;
    d.update(&theApp);
    d.m_fairies.update(false);
    PARTICLE::update();
  }
}

// Each chapter's maps, as the player meets them: every listed place with its entries open, the
// pointer on the first place's button (its highlight, or the sparkle on the second map).
bool ShootChapters(TeskTools::LevelAppRig& theApp, const std::string& theChapters,
                   const std::string& theOut) {
  bool isOk = true;
  std::string aList = theChapters;
  for (size_t aPos = 0; aPos < aList.size();) {
    const size_t anEnd = std::min(aList.find(',', aPos), aList.size());
    const int aChapter = std::atoi(aList.substr(aPos, anEnd - aPos).c_str());
    aPos = anEnd + 1;
    if (aChapter < 1 || aChapter > 13) continue;
    Tesk::ProfileData& p = theApp.mProfile;
    p.startNewGame(1);
    for (int i = 1; i < aChapter; ++i) p.advanceLevelOn();
    if (!theApp.mLevel->load(aChapter, false)) {
      std::fprintf(stderr, "%s\n", theApp.mLevel->getLoadError().c_str());
      return false;
    }
    Tesk::Map aMap(&theApp);
    aMap.Init();
    aMap.Resize(0, 0, 800, 600);
    const int aFirst = theApp.mLevel->getLevelDataMap(aChapter)[0];
    for (int aMapUsing = 0; aMapUsing < 2; ++aMapUsing) {
      p.setMapUsing(aMapUsing);
      theApp.mWidgetManager->AddWidget(&aMap);
      const Tesk::TRect<int> aHit = aMap.m_locationButtons[aFirst - 1]->GetInsetRect();
      theApp.mWidgetManager->MouseMove(aHit.mX + aHit.mWidth / 2, aHit.mY + aHit.mHeight / 2);
      for (int i = 0; i < 40; ++i) theApp.mWidgetManager->UpdateFrame();
      const std::string aName =
          "/map_chapter" + std::to_string(aChapter) + (aMapUsing == 0 ? "_first.png" : "_second.png");
      isOk = ShootWidgets(theApp, theOut + aName) && isOk;
      theApp.mWidgetManager->RemoveWidget(&aMap);
    }
  }
  return isOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::string aChapters;
  std::vector<std::string> anArgs;
  for (int i = 1; i < argc; ++i) {
    const std::string anArg = argv[i];
    if (anArg.rfind("--chapters=", 0) == 0)
      aChapters = anArg.substr(11);
    else
      anArgs.push_back(anArg);
  }
  if (anArgs.empty()) {
    std::fprintf(stderr, "usage: map_screenshots <out-dir> [<resources-dir>] [--chapters=1,5,9,13]\n");
    return 2;
  }
  std::string anOut = anArgs[0];
  char aCwd[4096];
  if (anOut[0] != '/' && getcwd(aCwd, sizeof(aCwd)) != nullptr) anOut = std::string(aCwd) + "/" + anOut;
  Tesk::MkDir(anOut);
  const std::string aResources = anArgs.size() > 1 ? anArgs[1] : TESK_DEFAULT_RESOURCES_DIR;
  if (chdir(aResources.c_str()) != 0) return 1;
  const std::string aData = "/tmp/map-screenshots-" + std::to_string(getpid()) + "/";
  Tesk::MkDir(aData);
  Tesk::SetAppDataFolder(aData);
  Tesk::SRand(5);
  TeskTools::LevelAppRig anApp;
  if (!anApp.loadGameGroups()) {
    std::fprintf(stderr, "the asset set in %s does not load\n", aResources.c_str());
    return 1;
  }
  Tesk::GameApp::sm_colorFade = 1.0f;
  Tesk::GameApp::sm_fadeColoru8Value = 255;
  Tesk::ProfileData& p = anApp.mProfile;
  p.setProfileName(L"Player");
  p.startNewGame(1);
  p.setHelpBox(false);
  if (!aChapters.empty()) return ShootChapters(anApp, aChapters, anOut) ? 0 : 1;
  for (int i = 1; i < 9; ++i) p.advanceLevelOn();  // level 9: locations 4, 10, 11, 12 and 1
  if (!anApp.mLevel->load(9, false)) {
    std::fprintf(stderr, "%s\n", anApp.mLevel->getLoadError().c_str());
    return 1;
  }
  anApp.mLevel->getLocationData(10)->m_numOpen = 3;
  anApp.mLevel->getLocationData(1)->m_numOpen = 0;  // done: no button

  Tesk::Map aMap(&anApp);
  aMap.Init();
  aMap.Resize(0, 0, 800, 600);
  bool isOk = true;
  for (int aMapUsing = 0; aMapUsing < 2; ++aMapUsing) {
    p.setMapUsing(aMapUsing);
    anApp.mWidgetManager->AddWidget(&aMap);
    // The pointer over location 11, long enough for its highlight or sparkle.
    Tesk::OrvoButtonWidget* aHovered = aMap.m_locationButtons[10];
    const Tesk::TRect<int> aHit = aHovered->GetInsetRect();
    anApp.mWidgetManager->MouseMove(aHit.mX + aHit.mWidth / 2, aHit.mY + aHit.mHeight / 2);
    for (int i = 0; i < 40; ++i) {
      anApp.mWidgetManager->UpdateFrame();
    }
    isOk = ShootWidgets(anApp, anOut + (aMapUsing == 0 ? "/map_first.png" : "/map_second.png")) && isOk;
    anApp.mWidgetManager->RemoveWidget(&aMap);
  }

  // Locations: 4 with its books and eyes, 10 with the tree and fairies, 12 in the dark.
  anApp.mWidgetManager->mLastMouseX = 560;
  anApp.mWidgetManager->mLastMouseY = 260;
  Enter(anApp, 4, 700);
  isOk = ShootLocation(anApp, 4, anOut + "/location_4_books.png") && isOk;
  Enter(anApp, 10, 400);
  isOk = ShootLocation(anApp, 10, anOut + "/location_10_tree.png") && isOk;
  Enter(anApp, 12, 300);
  isOk = ShootLocation(anApp, 12, anOut + "/location_12_dark.png") && isOk;
  Tesk::InGame::m_levelDynamics.exitLocationToMap();
  return isOk ? 0 : 1;
}
