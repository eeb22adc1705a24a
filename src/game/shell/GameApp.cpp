// Entry, start-up, the loading thread, focus and shutdown of the game application.
#include "game/shell/GameApp.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/MacWindowProc.h"
#include "app/WindowMessages.h"
#include "core/Common.h"
#include "core/MacUtils.h"
#include "core/UserFile.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "game/play/Fairies.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LevelDynamics.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameLog.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "game/shell/PreScreens.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenCalls.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "game/shell/ZqMusic.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "resources/ImageLib.h"
#include "resources/ResourceManager.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

Image* GameApp::s_images[GameApp::k_numSharedImages] = {};
TRect<int> GameApp::s_screenRect(0, 0, 800, 600);
bool GameApp::s_isUsingCustomCursor = true;
uint8_t GameApp::sm_locationAt = 0;
const char* const GameApp::k_LOAD_FILE_STRING = "level.sav";
const int16_t GameApp::k_revealButtonLocX[5] = {8, 33, 62, 87, 104};
const int16_t GameApp::k_revealButtonLocY[5] = {490, 478, 478, 490, 510};
int GameApp::s_lastFullSecond = 31;

namespace {

const char* const k_customCursorKey = "isUsingCustomCursor";
const char* const k_animsBlock = "builddata/animsblock.tgab";

}  // namespace

GameApp::GameApp()
    : m_screenCalls(&ScreenCalls::s_real),
      m_inGame(nullptr),
      m_titleScreen(nullptr),
      m_preScreens(nullptr),
      m_story(nullptr),
      m_map(nullptr),
      m_miniGame(nullptr),
      m_levelData(nullptr),
      m_profileData(nullptr),
      m_logoDirtyRequested(false),
      m_mainWalkEnded(false),
      m_mainWalkFailed(false),
      m_runMillis(0),
      m_runStartTick(0) {
  // Every relative path of the game (the manifest, builddata/, music/, the logos, the string
  // table) is under the resources folder; the texts below are read from there already.
  char aResources[512];
  if (!GetResourcePath(nullptr, aResources, sizeof(aResources)) || chdir(aResources) != 0) {
    GameLog("no resources folder to work in; staying in the current folder");
  }
  SetAutoEnforceCursor(true);

  s_languageUsing = 0;
  GameText::loadGameStrings();

  mProductName = "The Vesper's Codex: Gloam Hollow";
  mProductVersion = "1.0";
  mTitle = StringToTeskString(mProductName);
  mCompanyName = "Orvo Soft Games";
  mProductName = "GloamHollow";
  mRegKey = "VespersCodexGloamHollow";

  mWidth = 800;
  mHeight = 600;
  mAutoEnable3D = true;
  mIsWindowed = false;
  mMusicVolume = 0.4;
  mSfxVolume = 0.35;

  const char* aSeconds = std::getenv("TESK_RUN_SECONDS");
  if (aSeconds != nullptr) m_runMillis = static_cast<uint32_t>(std::atof(aSeconds) * 1000.0);
}

GameApp::~GameApp() {
  RegistryWriteBoolean(k_customCursorKey, s_isUsingCustomCursor);

  if (m_profileData != nullptr && !dontSaveSpecialCondition()) {
    // The window is gone: a save that fails is only logged.
    if (shouldSaveIngame() && static_cast<int32_t>(m_profileData->getLevelTimer()) > 0)
      saveGame(sm_gameState == 2, false);
    else
      m_profileData->saveProfile();
  }

  auto aRelease = [this](auto*& theScreen) {
    if (theScreen == nullptr) return;
    if (mWidgetManager != nullptr && mWidgetManager->HasWidget(theScreen))
      mWidgetManager->RemoveWidget(theScreen);
    delete theScreen;
    theScreen = nullptr;
  };
  aRelease(m_inGame);
  aRelease(m_preScreens);
  aRelease(m_story);
  aRelease(m_map);
  aRelease(m_miniGame);
  aRelease(m_titleScreen);

  delete m_profileData;
  m_profileData = nullptr;
  delete m_levelData;
  m_levelData = nullptr;

  if (mResourceManager != nullptr) {
    mResourceManager->DeleteResources("Init");
    mResourceManager->DeleteResources("Main");
    mResourceManager->DeleteResources("Constants");
  }

  // The shared sheets are ours: they go before the display does, and nothing keeps them.
  PARTICLE::init(&s_screenRect, nullptr, nullptr, nullptr, nullptr, nullptr);
  Fairies::s_fairyImage = nullptr;
  Fairies::s_fairyBlendImage = nullptr;
  for (Image*& anImage : s_images) {
    delete anImage;
    anImage = nullptr;
  }
  if (OrvoButtonWidget::s_sAppPtr == this) OrvoButtonWidget::s_sAppPtr = nullptr;
  if (LevelDynamics::s_gameApp == this) LevelDynamics::s_gameApp = nullptr;
}

void GameApp::ButtonPress(int) {}

void GameApp::resourceFailure() { dataFailure(mResourceManager->GetErrorText()); }

void GameApp::dataFailure(const std::string& theText) {
  mLoadingFailed = true;
  Popup(theText);
  RestoreScreenResolution();
  // At once: the other threads may be running, and nothing of this run is to be saved.
  std::fflush(nullptr);
  std::_Exit(1);
}

void GameApp::Init() {
  TeskAppBase::Init();
  if (mShutdown) return;
  // Every text of the game is drawn with image fonts, so a frame whose drawing did not change
  // need not reach the screen again.
  if (mWidgetManager != nullptr) mWidgetManager->mSkipUnchangedFrames = true;

  RegistryReadBoolean(k_customCursorKey, &s_isUsingCustomCursor);

  if (!mResourceManager->ParseResourcesFile("properties\\resources.xml")) resourceFailure();

  s_reduceTime60 = stringLost60Seconds;
  s_reduceTime45 = stringLost45Seconds;
  s_reduceTime30 = stringLost30Seconds;
  s_reduceTime15 = stringLost15Seconds;
  s_coinFound = stringCoinsFound;
  if (!mResourceManager->LoadResources("Constants") || !ExtractConstantsResources(mResourceManager)) {
    resourceFailure();
  }

  OrvoButtonWidget::s_sAppPtr = this;
  LevelDynamics::s_gameApp = this;
  for (Image*& anImage : s_images) anImage = nullptr;
  ImageLib::Image* aBlock[k_numSharedImages] = {};
  int64_t aFileCount = -1;
  const int aCount = ImageLib::GetImageBlock(k_animsBlock, aBlock, k_numSharedImages, &aFileCount);
  for (int i = 0; i < aCount; ++i) {
    s_images[i] = GetImage(aBlock[i], true);
    delete aBlock[i];
  }
  // The popup box, the results book, the particles and the cursors draw these without a second
  // look: a block short of any of them is a resource that failed.
  const int aMade = static_cast<int>(std::count_if(
      s_images, s_images + k_numSharedImages, [](const Image* theImage) { return theImage != nullptr; }));
  if (aFileCount < 0) dataFailure(StrFormat("Failed to load image block: %s", k_animsBlock));
  if (aMade < k_numSharedImages) {
    dataFailure(StrFormat("Failed to load image block: %s (%d of the %d shared images can be read)",
                          k_animsBlock, aMade, k_numSharedImages));
  }
  if (aFileCount != k_numSharedImages)
    GameLog("%s: the file gives %lld images; the first %d are used", k_animsBlock,
            static_cast<long long>(aFileCount), k_numSharedImages);

  // A save killed mid-write leaves its temporary file beside the save; every run clears what
  // writers that died left there, whether or not it writes that save itself.
  RemoveDeadWritersFiles(ProfileData::getProfilePath());
  for (int i = 0; i < ProfileData::k_maxProfiles; ++i)
    RemoveDeadWritersFiles(GetAppDataFolder() + StrFormat("%s%d", k_LOAD_FILE_STRING, i));
  m_profileData = new ProfileData();
  m_profileData->loadProfile();

  m_levelData = new LevelData(this);
  m_titleScreen = new TitleScreen(this);
  m_story = new Story(this);
  m_inGame = new InGame(this);
  m_map = new Map(this);
  m_miniGame = new MiniGame(this);
  zqMusic.setGameAppPtr(this);
  m_screenCalls->selectMusic("Init");

  if (!mResourceManager->LoadResources("Init") || !ExtractInitResources(mResourceManager)) resourceFailure();
  if (!mResourceManager->LoadResources("Main") || !ExtractMainResources(mResourceManager)) resourceFailure();

  m_preScreens = new PreScreens(this);
  m_preScreens->Resize(0, 0, mWidth, mHeight);
  mWidgetManager->AddWidget(m_preScreens);

  mNumLoadingThreadTasks = mResourceManager->GetNumResources("Main");

  PARTICLE::init(&s_screenRect, s_images[0], s_images[1], s_images[2], s_images[3], s_images[4]);
  Fairies::s_fairyImage = s_images[6];
  Fairies::s_fairyBlendImage = s_images[5];
}

void GameApp::LoadingThreadProc() {
  mResourceManager->StartLoadResources("Main");
  while (mResourceManager->LoadNextResource()) {
    ++mCompletedLoadingThreadTasks;
    if (mShutdown) return;
    // The logo screen belongs to the main thread, which may delete it at any time.
    m_logoDirtyRequested = true;
  }
  m_mainWalkFailed = mResourceManager->HadError();
  m_mainWalkEnded = true;
}

void GameApp::LoadingThreadCompleted() {
  TeskAppBase::LoadingThreadCompleted();
  // The end of the walk is judged here, on the main thread: binding writes the globals that
  // the screens read, and the error text is shown from the thread that owns the window.
  if (m_mainWalkEnded && !mLoadingFailed && (m_mainWalkFailed || !ExtractMainResources(mResourceManager))) {
    ShowResourceError(false);
    mLoadingFailed = true;
    Shutdown();
  }
  if (!mLoadingFailed && m_preScreens != nullptr) m_preScreens->MarkDirty();
}

void GameApp::UpdateFrames() {
  if (m_logoDirtyRequested.exchange(false) && m_preScreens != nullptr) m_preScreens->MarkDirty();
  TeskAppBase::UpdateFrames();
  // The run is timed from its first update, however long start-up took.
  if (mUpdateCount == 1) m_runStartTick = GetTickCount();
  // The timed end closes the window as a player would, so that a demo records it; a played
  // demo ends where its recording did.
  if (m_runMillis != 0 && !mPlayingDemoBuffer && GetTickCount() - m_runStartTick >= m_runMillis) {
    m_runMillis = 0;
    if (mWindow == nullptr || PostMessage(mWindow, WM_COMMAND, MakeOSType("KWMR"), WM_CLOSE) != 0) Shutdown();
  }
}

void GameApp::SwitchScreenMode(bool wantWindowed) { TeskAppBase::SwitchScreenMode(wantWindowed); }

void GameApp::GotFocus() { TeskAppBase::GotFocus(); }

void GameApp::LostFocus() {
  TeskAppBase::LostFocus();
  Widget* aFocus = mWidgetManager != nullptr ? mWidgetManager->mFocusWidget : nullptr;
  if (aFocus == nullptr) return;
  if (aFocus == m_inGame) {
    m_screenCalls->setInGameState(m_inGame, 2);
  } else if (aFocus == m_map) {
    m_screenCalls->setMapState(m_map, 1);
  } else if (aFocus == m_miniGame) {
    m_screenCalls->setMiniGameState(m_miniGame, 6);
  }
}

void GameApp::PreScreensFinished() {
  if (m_preScreens != nullptr) {
    mWidgetManager->RemoveWidget(m_preScreens);
    SafeDeleteWidget(m_preScreens);
    m_preScreens = nullptr;
  }
  // The title screen that Init made was never shown; this one takes its place.
  if (m_titleScreen != nullptr && mWidgetManager->HasWidget(m_titleScreen))
    mWidgetManager->RemoveWidget(m_titleScreen);
  delete m_titleScreen;
  m_titleScreen = new TitleScreen(this);
  m_screenCalls->initTitleScreen(m_titleScreen);
  StartTitleScreen(nullptr);
}

bool GameApp::shouldSaveIngame() {
  const char* aGroup = databaseCurrentlyLoaded;
  return aGroup == nullptr || std::strcmp(aGroup, "Map") == 0 || std::strcmp(aGroup, "MiniGame") == 0 ||
         std::strcmp(aGroup, "HowToPlay") == 0;
}

bool GameApp::dontSaveSpecialCondition() {
  if (m_miniGame == nullptr) return false;
  if (m_miniGame->isInWinState()) return true;
  return m_preScreens != nullptr && mWidgetManager != nullptr && mWidgetManager->HasWidget(m_preScreens);
}

bool GameApp::saveGame(bool inMiniGame, bool tellPlayer) {
  const bool isSaved =
      inMiniGame ? m_screenCalls->saveMiniGame(m_miniGame) : m_screenCalls->saveLevel(m_levelData);
  if (isSaved) {
    m_profileData->setHasSaveFile(true);
    m_profileData->setSaveInMinigame(inMiniGame);
  }
  // After the level save, so that its two flags reach the file.
  const bool isProfileSaved = m_profileData->saveProfile();
  if (isSaved && isProfileSaved) return true;
  if (tellPlayer) tellSaveFailed();
  return false;
}

void GameApp::tellSaveFailed() {
  if (GetAppDataFolder().empty()) {
    if (m_toldNoDataFolder) return;
    m_toldNoDataFolder = true;
    MsgBox(GetString("SAVE_NO_FOLDER",
                     L"Your progress cannot be saved: no folder for the players' files could be made "
                     L"(set XDG_DATA_HOME or HOME)."),
           GetString("SAVE_FAILED_TITLE", L"Not saved"), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  MsgBox(GetString("SAVE_FAILED", L"Your progress could not be saved in ") +
             StringToTeskString(GetAppDataFolder()) +
             GetString("SAVE_FAILED_KEPT", L". What was saved before is kept."),
         GetString("SAVE_FAILED_TITLE", L"Not saved"), MB_OK | MB_ICONEXCLAMATION);
}

void GameApp::SwitchScreenMode3D(bool is3D) { TeskAppBase::SwitchScreenMode(mIsWindowed, is3D, false); }

bool GameApp::is3DEnabled() { return mDDInterface != nullptr && mDDInterface->mIs3D; }

bool GameApp::isRepelEnabled() { return m_profileData != nullptr && m_profileData->getLevelOn() >= 2; }

}  // namespace Tesk
