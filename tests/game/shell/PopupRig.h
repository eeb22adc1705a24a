// The popup box with everything it stands on, without a window: the game's generated resources
// (groups "Constants" and "Main", the shared image block and the string table) as the working
// folder, the game's application with its real sound manager on the render-only mixer and its
// real music interface, the profiles, the level data, the screens a popup is opened from, and
// the popup itself in the widget manager. Every sample the application plays is logged.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "display/DDImage.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LocationData.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameText.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/MemoryImage.h"
#include "graphics/Particles.h"
#include "platform/audio/dylib/AudioCore.h"
#include "platform/corefoundation/CFPreferences.h"
#include "resources/ImageLib.h"
#include "resources/ResourceManager.h"
#include "sound/BassMusicInterface.h"
#include "sound/DSoundManager.h"
#include "support/TestTemp.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace PopupTest {

// The real sound manager on the render-only mixer, noting each sound it is asked to play.
class SoundLog : public Tesk::DSoundManager {
 public:
  SoundLog() : DSoundManager(Window(), false) {}
  Tesk::SoundInstance* GetSoundInstance(unsigned int theSfxId) override {
    mPlayed.push_back(static_cast<int>(theSfxId));
    return DSoundManager::GetSoundInstance(theSfxId);
  }
  std::vector<int> mPlayed;

 private:
  // Any non-null window gives the manager a device; it is never looked at.
  static OpaqueWindowPtr* Window() {
    static char sWindow;
    return reinterpret_cast<OpaqueWindowPtr*>(&sWindow);
  }
};

// One text the popup wrote: where (its top, the drawing's shift included), how wide, aligned how,
// in which font and colour; wrapped texts give their rectangle and line spacing.
struct Written {
  std::wstring text;
  int x, y, width, justification;
  Tesk::Font* font;
  Tesk::Color color;
  bool wrapped;
  int height, spacing;
};

// The popup as the game has it; the texts it writes are noted on their way to the screen.
class RecordingPopup : public Tesk::PopupBox {
 public:
  using Tesk::PopupBox::PopupBox;
  int WriteString(Tesk::Graphics* g, const TeskString& theString, int x, int y, int theWidth,
                  int theJustification, bool drawString, int theOffset, int theLength) override {
    mWritten.push_back({theString, x, y + static_cast<int>(g->mTransY), theWidth, theJustification,
                        g->GetFont(), g->GetColor(), false, 0, 0});
    return PopupBox::WriteString(g, theString, x, y, theWidth, theJustification, drawString, theOffset,
                                 theLength);
  }
  int WriteWordWrapped(Tesk::Graphics* g, const Tesk::TRect<int>& theRect, const TeskString& theLine,
                       int theLineSpacing, int theJustification) override {
    mWritten.push_back({theLine, theRect.mX, theRect.mY + static_cast<int>(g->mTransY), theRect.mWidth,
                        theJustification, g->GetFont(), g->GetColor(), true, theRect.mHeight,
                        theLineSpacing});
    return PopupBox::WriteWordWrapped(g, theRect, theLine, theLineSpacing, theJustification);
  }
  // The first text written that equals theText; null when none.
  const Written* find(const std::wstring& theText) const {
    for (const Written& w : mWritten)
      if (w.text == theText) return &w;
    return nullptr;
  }
  std::vector<Written> mWritten;
};

// The title screen as the popup's parent and owner, standing still: the popup tests look at the
// popup alone, so the screen's own showing (its group, its storm, its fade) is left out.
class StillTitle : public Tesk::TitleScreen {
 public:
  using Tesk::TitleScreen::TitleScreen;
  void AddedToManager(Tesk::WidgetManager* theManager) override { Tesk::Widget::AddedToManager(theManager); }
  void RemovedFromManager(Tesk::WidgetManager* theManager) override {
    Tesk::Widget::RemovedFromManager(theManager);
  }
  void Update() override {}
  void Draw(Tesk::Graphics*) override {}
};

// The game's application; a screen-mode switch is noted instead of remaking a window there is
// none of.
class PopupApp : public Tesk::GameApp {
 public:
  using Tesk::GameApp::SwitchScreenMode;
  void SwitchScreenMode(bool wantWindowed) override {
    mScreenModes.push_back(wantWindowed);
    mIsWindowed = wantWindowed;
  }
  std::vector<bool> mScreenModes;
};

class PopupRig : public ::testing::Test {
 protected:
  void SetUp() override {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
    ASSERT_EQ(chdir(TESK_DEFAULT_RESOURCES_DIR), 0) << "the build writes the game's resources";
    mOldAppData = Tesk::GetAppDataFolder();
    const std::string aData = TeskTest::MakeTempDir("popup-appdata") + "/";
    Tesk::SetAppDataFolder(aData);
    // The application keeps its preferences with the test's data, not the user's.
    mOldPreferences = CFPreferencesStorePath();
    CFPreferencesSetStorePath(aData + "Preferences.txt");
    static const bool sTexts = GameText::loadGameStrings();
    ASSERT_TRUE(sTexts);
    mOldStatics = Statics::Now();
    ResetStatics();

    mApp = std::make_unique<PopupApp>();
    mSounds = new SoundLog();
    mApp->mSoundManager = mSounds;
    mApp->mMusicInterface = new Tesk::BassMusicInterface(nullptr);
    mApp->mIsWindowed = true;
    Tesk::ResourceManager* aManager = mApp->mResourceManager;
    ASSERT_TRUE(aManager->ParseResourcesFile("properties/resources.xml")) << aManager->GetErrorText();
    for (const char* aGroup : {"Constants", "Main"})
      ASSERT_TRUE(aManager->LoadResources(aGroup)) << aManager->GetErrorText();
    ASSERT_TRUE(Tesk::ExtractConstantsResources(aManager));
    ASSERT_TRUE(Tesk::ExtractMainResources(aManager));
    Tesk::OrvoButtonWidget::s_sAppPtr = mApp.get();
    LoadSharedImages();

    mApp->m_profileData = mProfile = new Tesk::ProfileData();
    mApp->m_levelData = mLevel = new LevelData(mApp.get());
    mApp->m_titleScreen = mTitle = new StillTitle(mApp.get());
    mApp->m_map = mMap = new Tesk::Map(mApp.get());
    mApp->m_inGame = mInGame = new Tesk::InGame(mApp.get());
    mApp->m_miniGame = mMiniGame = new Tesk::MiniGame(mApp.get());
    mApp->m_story = mStory = new Tesk::Story(mApp.get());
    mTitle->m_popup = mPopup = new RecordingPopup(mApp.get());
    mPopup->Init();

    Tesk::WidgetManager* aWidgets = mApp->mWidgetManager;
    mTitle->Resize(0, 0, 800, 600);
    aWidgets->AddWidget(mTitle);
    aWidgets->AddWidget(mPopup);
    aWidgets->SetFocus(mTitle);
  }

  void TearDown() override {
    Tesk::WidgetManager* aWidgets = mApp->mWidgetManager;
    Tesk::Widget* const aScreens[] = {mPopup, mTitle, mMap, mInGame, mMiniGame, mStory};
    for (Tesk::Widget* aScreen : aScreens)
      if (aWidgets->HasWidget(aScreen)) aWidgets->RemoveWidget(aScreen);
    // The screens, the level data and the profiles are the rig's; the application lets go.
    mApp->m_titleScreen = nullptr;
    mApp->m_map = nullptr;
    mApp->m_inGame = nullptr;
    mApp->m_miniGame = nullptr;
    mApp->m_story = nullptr;
    mApp->m_levelData = nullptr;
    mApp->m_profileData = nullptr;
    mScreen.reset();
    delete mTitle;
    delete mMap;
    delete mInGame;
    delete mMiniGame;
    delete mStory;
    delete mLevel;
    delete mProfile;
    PARTICLE::resetAll(true);
    PARTICLE::init(&Tesk::GameApp::s_screenRect, nullptr, nullptr, nullptr, nullptr, nullptr);
    for (Tesk::Image*& anImage : Tesk::GameApp::s_images) {
      delete anImage;
      anImage = nullptr;
    }
    Tesk::OrvoButtonWidget::s_sAppPtr = nullptr;
    mApp.reset();
    mOldStatics.Restore();
    CFPreferencesSetStorePath(mOldPreferences);
    Tesk::SetAppDataFolder(mOldAppData);
    if (chdir(mOldDir.c_str()) != 0) ADD_FAILURE() << "chdir back failed";
  }

 public:
  // The scene stands dimmed to the popup level, as the screens leave it when they open one.
  static void ResetStatics() {
    Tesk::GameApp::sm_gameState = 0;
    Tesk::GameApp::sm_currentFadeDirection = 4;
    Tesk::GameApp::sm_colorFade = Tesk::GameApp::k_FLOAT_50PERCENT_FADE;
    Tesk::GameApp::sm_fadeColoru8Value = 63;
    Tesk::GameApp::s_isUsingCustomCursor = true;
    Tesk::TeskAppBase::s_languageUsing = 0;
  }

  // The block's 25 images as the game's start-up cuts them, and the particle sheets.
  void LoadSharedImages() {
    const int kShared = Tesk::GameApp::k_numSharedImages;
    ImageLib::Image* aDecoded[kShared] = {};
    const int aCount = ImageLib::GetImageBlock("builddata/animsblock.tgab", aDecoded, kShared);
    ASSERT_EQ(aCount, kShared);
    for (int i = 0; i < aCount; ++i) {
      Tesk::GameApp::s_images[i] = mApp->GetImage(aDecoded[i]);
      delete aDecoded[i];
    }
    Tesk::Image** s = Tesk::GameApp::s_images;
    PARTICLE::init(&Tesk::GameApp::s_screenRect, s[0], s[1], s[2], s[3], s[4]);
  }

  // A popup opened as a screen opens it: shown, then laid out, with its parent.
  void Open(uint8_t theType, Tesk::Widget* theParent = nullptr) {
    mPopup->SetDisabled(false);
    mPopup->SetVisible(true);
    mPopup->setType(theType);
    mPopup->setParent(theParent != nullptr ? theParent : mTitle);
  }

  // The profile named theName made in the lowest free slot and put in use.
  void MakeProfile(const wchar_t* theName) {
    mProfile->setProfileUsing(mProfile->getNextAvailableProfile());
    mProfile->setProfileName(theName);
  }

  // The profiles as a first start has them.
  void ResetProfiles() {
    const Tesk::ProfileData aFresh;
    std::string anError;
    ASSERT_TRUE(mProfile->fromFileBytes(aFresh.toFileBytes(), &anError)) << anError;
  }

  // Steps the global fade as the screens do each update, theUpdates times.
  static void StepFade(int theUpdates) {
    for (int i = 0; i < theUpdates; ++i) Tesk::GameApp::updateFade();
  }

  std::vector<int>& Played() { return mSounds->mPlayed; }

  // The popup drawn once into a screen of its own; what it wrote is in mPopup->mWritten.
  void DrawPopup() {
    mPopup->mWritten.clear();
    mScreen = std::make_unique<Tesk::MemoryImage>(mApp.get());
    mScreen->Create(800, 600);
    Tesk::Graphics g(mScreen.get());
    mPopup->Draw(&g);
  }

  std::unique_ptr<PopupApp> mApp;
  SoundLog* mSounds = nullptr;
  Tesk::ProfileData* mProfile = nullptr;
  LevelData* mLevel = nullptr;
  Tesk::TitleScreen* mTitle = nullptr;
  Tesk::Map* mMap = nullptr;
  Tesk::InGame* mInGame = nullptr;
  Tesk::MiniGame* mMiniGame = nullptr;
  Tesk::Story* mStory = nullptr;
  RecordingPopup* mPopup = nullptr;
  // The game's statics the popup and the tests change, as they were before the test.
  struct Statics {
    uint8_t mGameState, mFadeDirection, mFadeColor, mStoryType;
    float mFade;
    bool mCustomCursor;
    int mLanguage;
    const char* mGroup;
    static Statics Now() {
      using Tesk::GameApp;
      return {GameApp::sm_gameState,
              GameApp::sm_currentFadeDirection,
              GameApp::sm_fadeColoru8Value,
              Tesk::Story::s_storyType,
              GameApp::sm_colorFade,
              GameApp::s_isUsingCustomCursor,
              Tesk::TeskAppBase::s_languageUsing,
              GameApp::databaseCurrentlyLoaded};
    }
    void Restore() const {
      using Tesk::GameApp;
      GameApp::sm_gameState = mGameState;
      GameApp::sm_currentFadeDirection = mFadeDirection;
      GameApp::sm_fadeColoru8Value = mFadeColor;
      Tesk::Story::s_storyType = mStoryType;
      GameApp::sm_colorFade = mFade;
      GameApp::s_isUsingCustomCursor = mCustomCursor;
      Tesk::TeskAppBase::s_languageUsing = mLanguage;
      GameApp::databaseCurrentlyLoaded = mGroup;
    }
  };

  std::unique_ptr<Tesk::MemoryImage> mScreen;
  Statics mOldStatics{};
  std::string mOldDir;
  std::string mOldAppData;
  std::string mOldPreferences;
};

}  // namespace PopupTest
