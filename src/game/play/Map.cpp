// The location map: the chapter's open locations as buttons with markers of their open entries,
// the level clock, the one-time help messages and the way into the play scene.
#include "game/play/ScreenButtons.h"
#include "game/play/Map.h"

#include <cmath>
#include <memory>

#include "app/TeskAppBase.h"
#include "core/TeskPerf.h"
#include "display/DDImage.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LevelFailed.h"
#include "game/play/Math.h"
#include "game/play/PlayConstants.h"
#include "game/play/ScreenUpdate.h"
#include "game/play/SideBar.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenImages.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "resources/ImageLib.h"
#include "sound/SoundInstance.h"
#include "sound/SoundManager.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

constexpr int k_ambientSoundId = 74;
constexpr float k_sinIncreaseValue = 0.05f;
constexpr float k_sinMultiplier = 3.0f;
constexpr int k_sparkleType = 20;

// Map images by index.
enum {
  k_firstMapImage = 0,
  k_secondMapImage = 1,
  k_pictureImages = 2,
  k_namePlateImages = 14,
  k_highlightImages = 26,
  k_cornerImage = 38,
  k_markerSheet = 39,
  k_treasureImages = 40,
};

// The "Map" group's hover picture of location index theIndex.
Image* hoverImage(int theIndex) {
  Image* const* const k_hover[12] = {&MAP_LOC01_HOVER, &MAP_LOC02_HOVER, &MAP_LOC03_HOVER, &MAP_LOC04_HOVER,
                                     &MAP_LOC05_HOVER, &MAP_LOC06_HOVER, &MAP_LOC07_HOVER, &MAP_LOC08_HOVER,
                                     &MAP_LOC09_HOVER, &MAP_LOC10_HOVER, &MAP_LOC11_HOVER, &MAP_LOC12_HOVER};
  return *k_hover[theIndex];
}

// Where and how wide a location's name is written when it is drawn as text.
struct NameLayout {
  int16_t mShiftX, mShiftY, mWidth;
};
const NameLayout k_nameLayouts[12] = {{130, 0, 100}, {140, 16, 300}, {130, 0, 100}, {130, 0, 100},
                                      {140, 0, 80},  {140, 0, 60},   {140, 0, 100}, {140, 0, 80},
                                      {130, 0, 100}, {130, 0, 100},  {130, 0, 100}, {130, 0, 100}};

}  // namespace

const Map::LocationPoints Map::s_mapLocationsSelectionPoint[12] = {
    {{45, 381}, {112, 412}},  {{416, 204}, {439, 238}}, {{203, 287}, {268, 330}}, {{178, 244}, {215, 254}},
    {{244, 224}, {267, 178}}, {{454, 278}, {476, 293}}, {{534, 192}, {618, 198}}, {{524, 383}, {496, 415}},
    {{0, 259}, {84, 306}},    {{0, 168}, {128, 194}},   {{163, 425}, {299, 492}}, {{438, 198}, {430, 160}}};
const Map::LocationPoints Map::s_mapLocationsPointTreasureMap[12] = {
    {{44, 342}, {64, 406}},   {{345, 174}, {336, 204}}, {{206, 243}, {267, 307}}, {{173, 210}, {177, 218}},
    {{243, 194}, {233, 130}}, {{421, 214}, {552, 249}}, {{456, 122}, {560, 147}}, {{431, 350}, {564, 413}},
    {{48, 199}, {53, 290}},   {{71, 98}, {176, 151}},   {{156, 409}, {321, 487}}, {{381, 139}, {384, 114}}};
const Map::MapPoint Map::s_mapLocationsHoverPoint[12] = {{34, 376},  {408, 192}, {202, 269}, {167, 232},
                                                         {242, 191}, {448, 255}, {507, 138}, {526, 355},
                                                         {29, 224},  {41, 91},   {197, 378}, {433, 181}};
const Map::MapPoint Map::s_mapLocationText[12] = {{73, 456},  {337, 250}, {309, 342}, {176, 293},
                                                  {210, 176}, {425, 294}, {552, 234}, {478, 365},
                                                  {41, 342},  {35, 194},  {422, 431}, {352, 175}};

Map::Map(GameApp* theApp)
    : m_app(theApp),
      m_popup(nullptr),
      m_menuButton(nullptr),
      m_locationButtons(),
      m_mapImage(nullptr),
      m_sideBarImage(nullptr),
      m_locationPictures(),
      m_namePlates(),
      m_nameHighlights(),
      m_state(0),
      m_markerAngle(0.0f),
      m_sparkle(nullptr),
      m_sparkleLocation(-1),
      m_ambient(nullptr),
      m_numImages(0),
      m_images(),
      m_redraw(0.0f) {}

Map::~Map() {
  delete m_menuButton;
  for (OrvoButtonWidget* aButton : m_locationButtons) delete aButton;
  deleteImages();
}

void Map::Init() {
  if (m_menuButton != nullptr) return;
  m_sideBarImage = IMAGE_SIDE_BAR;
  TitleScreen* aTitle = m_app != nullptr ? m_app->getTitleScreen() : nullptr;
  m_popup = aTitle != nullptr ? aTitle->getPopupWidget() : nullptr;

  m_menuButton = new OrvoButtonWidget(1, this);
  m_menuButton->SetFont(FONT_MEDIUM);
  m_menuButton->mHoverImage = IMAGE_SIDE_MENU_HOVER;
  m_menuButton->mDoFinger = true;
  const int aHoverW = IMAGE_SIDE_MENU_HOVER != nullptr ? IMAGE_SIDE_MENU_HOVER->GetWidth() : 0;
  const int aHoverH = IMAGE_SIDE_MENU_HOVER != nullptr ? IMAGE_SIDE_MENU_HOVER->GetHeight() : 0;
  m_menuButton->Resize((k_sideBarWidth - aHoverW) / 2 - 1, 7, aHoverW, aHoverH);
  if (TeskAppBase::s_languageUsing != 0 && stringBakedSidebarMenu != nullptr) {
    m_menuButton->mLabel = stringBakedSidebarMenu;
    m_menuButton->centerTextY(3);
    const int aLabelW = FONT_MEDIUM != nullptr ? FONT_MEDIUM->StringWidth(m_menuButton->mLabel) : 0;
    m_menuButton->mTextOffsetX = static_cast<int16_t>((k_sideBarWidth - aLabelW) / 2 - m_menuButton->mX);
    m_menuButton->mTextOffsetY = 19;
  }
  m_menuButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color::White);
  m_menuButton->SetColor(OrvoButtonWidget::COLOR_LABEL, Color(250, 220, 80));

  for (int i = 0; i < 12; ++i) {
    OrvoButtonWidget* aButton = new OrvoButtonWidget(i + 2, this);
    aButton->SetFont(FONT_MEDIUM);
    aButton->mHoverSound = static_cast<uint8_t>(SFX_MAP_HOVER);
    aButton->mDoFinger = true;
    aButton->SetColor(OrvoButtonWidget::COLOR_BUTTON_TINT, Color::White);
    aButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color::White);
    aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, Color::Black);
    m_locationButtons[i] = aButton;
  }
}

int Map::getLevel() {
  ProfileData* aProfile = profileOf(m_app);
  return aProfile != nullptr ? aProfile->getLevelOn() : 0;
}

bool Map::isSecondMap() {
  ProfileData* aProfile = profileOf(m_app);
  return aProfile != nullptr && aProfile->getMapUsing() == 1;
}

bool Map::isListed(int theIndex) {
  LevelData* aLevel = m_app != nullptr ? m_app->getLevelData() : nullptr;
  if (aLevel == nullptr) return false;
  const uint8_t* aRow = aLevel->getLevelDataMap(getLevel());
  for (int k = 0; k < k_maxLocations; ++k)
    if (aRow[k] == theIndex + 1) return true;
  return false;
}

int Map::openEntries(int theIndex) {
  LevelData* aLevel = m_app != nullptr ? m_app->getLevelData() : nullptr;
  LocationData* aLocation = aLevel != nullptr ? aLevel->getLocationDataLevDynamic(theIndex + 1) : nullptr;
  return aLocation != nullptr ? static_cast<int>(aLocation->m_numOpen) : 0;
}

bool Map::isLocationActive(int theIndex) {
  return isListed(theIndex) && (openEntries(theIndex) >= 1 || getLevel() == k_finalLevel);
}

Image* Map::mapImage(int theIndex) { return theIndex < m_numImages ? m_images[theIndex] : nullptr; }

const Map::MapPoint& Map::markerPoint(int theIndex) {
  return isSecondMap() ? s_mapLocationsPointTreasureMap[theIndex].marker
                       : s_mapLocationsSelectionPoint[theIndex].marker;
}

const Map::MapPoint& Map::buttonPoint(int theIndex) {
  return isSecondMap() ? s_mapLocationsPointTreasureMap[theIndex].picture
                       : s_mapLocationsHoverPoint[theIndex];
}

void Map::showPopup(uint8_t theType, uint8_t theFade, bool showWidgets) {
  if (m_popup != nullptr) {
    m_popup->SetDisabled(false);
    m_popup->SetVisible(true);
    m_popup->setType(theType);
    m_popup->setParent(this);
  }
  GameApp::setFade(theFade);
  setWidgetsVisible(showWidgets);
}

// A one-time help message over the dimmed map, remembered in the profile.
void Map::showHint(int theHint) {
  m_state = 1;
  // The map's helps are not all at 50 + their number: 24 (the custom cursor) is popup 75 and 17
  // (the runestones) popup 66; 50 + 24 and 50 + 17 are the potion game's and the play scene's
  // hints, whose buttons hand back to those screens and left the map paused for good.
  uint8_t aType = static_cast<uint8_t>(POPUP_HINT_WELCOME + theHint);
  if (theHint == 24) aType = POPUP_HINT_CUSTOM_CURSOR;
  if (theHint == 17) aType = POPUP_HINT_RUNESTONES;
  showPopup(aType, 2, false);
  m_app->getProfileData()->setHintBlock(theHint);
}

void Map::setGameState(uint8_t theState) {
  m_state = theState;
  ProfileData* aProfile = profileOf(m_app);
  switch (theState) {
    case 0: {
      if (aProfile == nullptr) break;
      const int aLevel = getLevel();
      LevelData* aLevelData = m_app->getLevelData();
      const bool isNothingLeft = aLevelData != nullptr && aLevelData->numberOfObjectsToFind() < 1;
      if (aLevel == k_finalLevel && aProfile->setFinalLevelRunestoneFound(100)) {
        m_state = 1;
        showPopup(POPUP_ALL_RUNESTONES, 2, false);
      } else if (aProfile->getHelpBox()) {
        if (!aProfile->getHintBlock(0) && aLevel == 1)
          showHint(0);
        else if (!aProfile->getHintBlock(24))
          showHint(24);
        else if (!aProfile->getHintBlock(9) && aLevel <= 12 && isNothingLeft)
          showHint(9);
        else if (!aProfile->getHintBlock(17) && aLevel == k_finalLevel)
          showHint(17);
      }
      break;
    }
    case 1:
      showPopup(POPUP_GAME_OPTIONS, 2, false);
      break;
    case 2:
      showPopup(POPUP_GAME_OPTIONS, 3, true);
      break;
    case 3:
      if (m_popup != nullptr) {
        m_popup->SetDisabled(true);
        m_popup->SetVisible(false);
      }
      GameApp::setFade(0);
      setWidgetsVisible(true);
      break;
    case 9:
      showPopup(POPUP_LEVEL_FAILED, 3, true);
      forgetFailedLevel(m_app);
      break;
    default:
      break;
  }
}

void Map::setMapType() {
  if (mWidgetManager == nullptr || !mWidgetManager->HasWidget(this) || m_menuButton == nullptr) return;
  const bool isSecond = isSecondMap();
  const int aLevel = getLevel();
  m_mapImage = mapImage(isSecond ? k_secondMapImage : k_firstMapImage);
  if (!isSecond) {
    PARTICLE::resetAll(true);
    m_sparkle = nullptr;
    m_sparkleLocation = -1;
  }
  OrvoButtonWidget* aLastButton = nullptr;
  for (int i = 0; i < 12; ++i) {
    OrvoButtonWidget* b = m_locationButtons[i];
    m_locationPictures[i] = m_namePlates[i] = m_nameHighlights[i] = nullptr;
    m_markers[i].clear();
    b->setBlendType(0);
    b->mHoverImage = nullptr;
    b->mPulse = 0;
    b->setAnimation(nullptr);
    b->mButtonImage = nullptr;
    b->setFadeIn(false);
    b->mMouseInsets = Insets();
    if (!isLocationActive(i)) continue;

    if (isSecond) {
      Image* anImage = mapImage(k_treasureImages + i);
      b->mButtonImage = anImage;
      const MapPoint& p = s_mapLocationsPointTreasureMap[i].picture;
      b->Resize(p.x + k_sideBarWidth, p.y, anImage != nullptr ? anImage->GetWidth() : 0,
                anImage != nullptr ? anImage->GetHeight() : 0);
      b->setFadeFloat(0.0f);
      b->resetHoverAlpha();
      aLastButton = b;
    } else {
      m_locationPictures[i] = mapImage(k_pictureImages + i);
      m_namePlates[i] = mapImage(k_namePlateImages + i);
      m_nameHighlights[i] = mapImage(k_highlightImages + i);
      b->setBlendType(1);
      Image* aHover = hoverImage(i);
      b->mHoverImage = aHover;
      const MapPoint& p = s_mapLocationsHoverPoint[i];
      const int w = aHover != nullptr ? aHover->GetWidth() : 0;
      const int h = aHover != nullptr ? aHover->GetHeight() : 0;
      b->Resize(p.x + k_sideBarWidth, p.y, w, h);
      // Only the location's own area on the picture takes the pointer.
      const LocationBBox& r = s_locationBBoxes[i];
      b->mMouseInsets = Insets(r.mX + k_sideBarWidth - b->mX, r.mY - b->mY, r.mWidth - w, r.mHeight - h);
      b->setFadeFloat(0.0f);
      b->resetHoverAlpha();
      b->setPulse(1.0f, 0.5f, 0.02f);
    }
    if (aLevel != k_finalLevel) {
      const int n = openEntries(i);
      Image* aSheet = mapImage(k_markerSheet);
      if (n == 0 || aSheet == nullptr) continue;
      b->setAnimation(&m_markers[i]);
      m_markers[i].setAnim(aSheet, 10, 30, ANIM::Paused);
      m_markers[i].setRowsCols(2, 5);
      m_markers[i].setFrame(n - 1);
      const MapPoint& m = markerPoint(i);
      m_markers[i].setXY(m.x + k_sideBarWidth, m.y);
    }
  }
  // The sparkle is drawn after the last button, above all of them.
  if (isSecond && aLastButton != nullptr) aLastButton->mDrawParticles = 1;

  if (m_ambient != nullptr) {
    if (isSecond)
      m_ambient->Stop();
    else
      m_ambient->Play(true, false);
  }
}

void Map::setWidgetsVisible(bool show) {
  setButtonShown(m_menuButton, show);
  for (OrvoButtonWidget* aButton : m_locationButtons) setButtonShown(aButton, show);
  if (show && mWidgetManager != nullptr) mWidgetManager->SetFocus(this);
}

void Map::DrawMapNameString(Graphics* g, int theIndex, int theOffset) {
  if (theIndex < 0 || theIndex >= 12 || stringBakedMapNames[theIndex] == nullptr) return;
  const NameLayout& l = k_nameLayouts[theIndex];
  int x = s_mapLocationText[theIndex].x + l.mShiftX + theOffset;
  int y = s_mapLocationText[theIndex].y + l.mShiftY + theOffset;
  int w = l.mWidth;
  const int anId = theIndex + 1;
  const int aLanguage = TeskAppBase::s_languageUsing;
  if (aLanguage == 3) {
    if (anId == 10) x -= 16, w = 130;
    if (anId == 11) y += 20, w = 200;
    if (anId == 12) x += 30, y -= 34, w = 200;
    if (anId == 5) x -= 16;
    if (anId == 6) y += 20, w = 120;
  } else if (aLanguage == 1) {
    if (anId == 5) x -= 14;
    if (anId == 6) x -= 8, y += 20;
  }
  WriteWordWrapped(g, TRect<int>(x, y, w, 50), stringBakedMapNames[theIndex], 19, -1);
}

void Map::loadImages() {
  deleteImages();
  const char* const aBlocks[2] = {"builddata/mapblock.tgab", "builddata/map2block.tgab"};
  for (const char* aBlock : aBlocks)
    m_numImages += appendImageBlock(m_app, aBlock, m_images + m_numImages, k_maxImages - m_numImages);
}

void Map::deleteImages() {
  freeImages(m_images, m_numImages);
  m_numImages = 0;
  m_mapImage = nullptr;
}

void Map::AddedToManager(WidgetManager* theManager) {
  if (m_menuButton == nullptr) Init();
  PARTICLE::resetAll(true);
  m_markerAngle = 0.0f;
  m_sparkle = nullptr;
  m_sparkleLocation = -1;
  SoundManager* aSounds = m_app != nullptr ? m_app->mSoundManager : nullptr;
  if (aSounds != nullptr) {
    aSounds->LoadSound(k_ambientSoundId, "ambient/Wind_Light_Loop");
    if (m_ambient != nullptr) m_ambient->Release();
    m_ambient = aSounds->GetSoundInstance(k_ambientSoundId);
  }
  loadImages();
  Widget::AddedToManager(theManager);
  theManager->AddWidget(m_menuButton);
  if (InGame* aScene = m_app != nullptr ? m_app->getIngame() : nullptr) aScene->getScreenShake()->reset();
  setMapType();
  for (int i = 0; i < 12; ++i)
    if (isLocationActive(i)) theManager->AddWidget(m_locationButtons[i]);
  if (m_popup != nullptr) {
    theManager->AddWidget(m_popup);
    m_popup->setParent(this);
    m_popup->SetVisible(false);
    m_popup->SetDisabled(true);
  }
  setWidgetsVisible(true);
}

void Map::RemovedFromManager(WidgetManager* theManager) {
  if (m_ambient != nullptr) {
    m_ambient->Stop();
    m_ambient->Release();
  }
  if (SoundManager* aSounds = m_app != nullptr ? m_app->mSoundManager : nullptr)
    aSounds->ReleaseSound(k_ambientSoundId);
  // The released id has no sound left to take an instance of: asking for one anyway would
  // hold a channel for nothing on every visit.
  m_ambient = nullptr;
  Widget::RemovedFromManager(theManager);
  theManager->RemoveWidget(m_menuButton);
  // Every button, listed or not: none may stay behind should the level have changed.
  for (OrvoButtonWidget* aButton : m_locationButtons) theManager->RemoveWidget(aButton);
  if (m_popup != nullptr) theManager->RemoveWidget(m_popup);
  setWidgetsVisible(false);
  for (int i = 0; i < 12; ++i) m_locationPictures[i] = m_namePlates[i] = m_nameHighlights[i] = nullptr;
  deleteImages();
}

void Map::Update() {
  TeskPerf::StartTiming("Start_Of_Update");
  GameApp::updateFade();
  const float aFade = GameApp::getFadeColorFloat();
  if (m_menuButton != nullptr) m_menuButton->setFadeFloat(aFade);
  for (OrvoButtonWidget* aButton : m_locationButtons)
    if (aButton != nullptr) aButton->setFadeFloat(aFade);
  Widget::Update();
  switch (m_state) {
    case 0:
      updateOnMap();
      break;
    case 3:
      if (!GameApp::isInFade()) m_state = 0;
      break;
    case 6:
      if (!GameApp::isInFade() && m_app != nullptr) m_app->StartInGame(this);
      break;
    default:
      break;
  }
  finishScreenUpdate(*this, m_redraw, 0.6f, 1);
}

void Map::updateOnMap() {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr) return;
  InGame* aScene = m_app->getIngame();
  if (getLevel() == k_finalLevel && aScene != nullptr) aScene->getScreenShake()->update();
  aProfile->update();
  const int aTimer = aProfile->getLevelTimer();
  if (aTimer < 1) {
    setGameState(9);
    return;
  }
  if (tickLastSeconds(m_app, aTimer) && aProfile->getHelpBox() && !aProfile->getHintBlock(8)) {
    m_state = 1;
    showPopup(POPUP_HINT_SHORT_TIME, 2, false);
    aProfile->setHintBlock(8);
  }

  // The markers bob up and down together.
  m_markerAngle += k_sinIncreaseValue;
  if (m_markerAngle >= k_2Pi) m_markerAngle -= k_2Pi;
  const int dy = static_cast<int>(k_sinMultiplier * std::sin(m_markerAngle));
  for (int i = 0; i < 12; ++i) {
    if (m_markers[i].isInactive()) continue;
    m_markers[i].update();
    const MapPoint& p = markerPoint(i);
    m_markers[i].setXY(p.x + k_sideBarWidth, p.y + dy);
  }

  if (isSecondMap()) {
    bool isHovering = false;
    for (int i = 0; i < 12; ++i) {
      OrvoButtonWidget* b = m_locationButtons[i];
      if (b == nullptr || !b->mIsOver) continue;
      isHovering = true;
      if (m_sparkleLocation == i) continue;
      const int aTenthW = b->mWidth / 10, aTenthH = b->mHeight / 10;
      m_sparkle = PARTICLE::createSystem(b->mX + aTenthW, b->mY + aTenthH, k_sparkleType,
                                         b->mWidth - 2 * aTenthW, b->mHeight - 2 * aTenthH, m_sparkle);
      m_sparkleLocation = i;
    }
    if (!isHovering && m_sparkle != nullptr) {
      m_sparkle->kill();
      m_sparkle = nullptr;
      m_sparkleLocation = -1;
    }
  }
  PARTICLE::update();
}

void Map::Draw(Graphics* g) {
  const int c = GameApp::getFadeColor();
  float f = GameApp::getFadeColorFloat();
  Color aBase(c, c, c);
  g->SetColorizeImages(true);
  g->SetColor(aBase);
  const bool isSecond = isSecondMap();
  ScreenShake* aShake = nullptr;
  if (InGame* aScene = m_app != nullptr ? m_app->getIngame() : nullptr) aShake = aScene->getScreenShake();
  int aShakeX = 0, aShakeY = 0;
  if (aShake != nullptr) {
    aShakeX = static_cast<int>(aShake->getX());
    aShakeY = static_cast<int>(aShake->getY());
  }
  if (getLevel() == k_finalLevel && aShake != nullptr) {
    for (int i = 0; i < 12; ++i) {
      const MapPoint& p = buttonPoint(i);
      OrvoButtonWidget* b = m_locationButtons[i];
      if (b != nullptr)
        b->Move(static_cast<int>(p.x + k_sideBarWidth + aShake->getX()),
                static_cast<int>(p.y + aShake->getY()));
    }
  }
  g->Translate(aShakeX, aShakeY);
  if (m_mapImage != nullptr) g->DrawImage(m_mapImage, k_sideBarWidth, 0);
  for (int i = 0; i < 12; ++i) {
    const MapPoint& p = s_mapLocationsSelectionPoint[i].picture;
    if (m_locationPictures[i] != nullptr) g->DrawImage(m_locationPictures[i], p.x + k_sideBarWidth, p.y);
  }
  const bool isEnglish = TeskAppBase::s_languageUsing == 0;
  for (int i = 0; i < 12; ++i) {
    if (m_namePlates[i] == nullptr) continue;
    const MapPoint& p = s_mapLocationText[i];
    if (isEnglish) {
      g->DrawImage(m_namePlates[i], p.x + k_sideBarWidth, p.y);
    } else {
      g->SetFont(FONT_MEDIUM);
      g->SetColor(Color(0, 0, 0, 120));
      DrawMapNameString(g, i, 2);
      g->SetColor(Color(static_cast<int>(251 * f), static_cast<int>(221 * f), static_cast<int>(66 * f)));
      DrawMapNameString(g, i, 0);
      g->SetColor(aBase);
    }
  }
  if (!isSecond) {
    for (int i = 0; i < 12; ++i) {
      OrvoButtonWidget* b = m_locationButtons[i];
      if (b == nullptr || !b->mIsOver || m_nameHighlights[i] == nullptr) continue;
      const int anAlpha = static_cast<int>(b->mHoverAlpha * 255.0f * f);
      const MapPoint& p = s_mapLocationText[i];
      if (isEnglish) {
        g->SetDrawMode(1);
        g->SetColor(Color(c, c, c, anAlpha));
        g->DrawImage(m_nameHighlights[i], p.x + k_sideBarWidth, p.y);
        g->SetDrawMode(0);
      } else {
        g->SetFont(FONT_MEDIUM);
        g->SetColor(
            Color(static_cast<int>(251 * f), static_cast<int>(247 * f), static_cast<int>(189 * f), anAlpha));
        DrawMapNameString(g, i, 0);
      }
      g->SetColor(aBase);
    }
    Image* aCorner = mapImage(k_cornerImage);
    if (TeskAppBase::s_languageUsing != 1 && aCorner != nullptr)
      g->DrawImage(aCorner, 784 - aCorner->GetWidth(), 590 - aCorner->GetHeight());
  }
  g->Translate(-aShakeX, -aShakeY);
  drawSideBarShared(g, m_sideBarImage, this, m_app, f, aBase, m_state == 1);
}

void Map::KeyDown(KeyCode theKey) {
  if (theKey != k_escape) return;
  setGameState(1);
  playSampleOf(m_app, SFX_SELECT_PRESS);
}

void Map::MouseMove(int, int) {}

void Map::MouseDown(int x, int y, int theClickCount) {
  if (GameApp::isInFade()) return;
  Widget::MouseDown(x, y, theClickCount);
  if (theClickCount != 1 || m_state != 0 || x > 139) return;
  if (MATH::BBPointTest(x, y, 27, 437, 80, 30)) {
    setGameState(1);
    playSampleOf(m_app, SFX_SELECT_PRESS);
    return;
  }
  LevelData* aLevel = m_app != nullptr ? m_app->getLevelData() : nullptr;
  if (getLevel() < k_finalLevel && aLevel != nullptr && aLevel->numberOfObjectsToFind() < 1 &&
      MATH::BBPointTest(x, y, 3, 152, 130, 220)) {
    m_state = 1;
    showPopup(POPUP_ALL_OBJECTS_FOUND, 2, false);
  }
}

void Map::ButtonPress(int) {}

void Map::ButtonDepress(int theId) {
  if (GameApp::isInFade() || m_app == nullptr) return;
  if (theId == 1) {
    setGameState(1);
    m_app->PlaySample(SFX_SELECT_PRESS);
  } else if (theId >= 2 && theId <= 13) {
    m_app->PlaySample(SFX_MAP_ENTER_LOC);
    m_app->setLocationAt(static_cast<uint8_t>(theId - 1));
    GameApp::setFade(1);
    setGameState(6);
  }
}

}  // namespace Tesk
