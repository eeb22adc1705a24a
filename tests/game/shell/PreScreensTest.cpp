// The logo screens: which logos show, in which order and for how long, with and without the
// optional logo files and the rating file; the hidden cursor and the wand cursor after; the
// drawing of a logo at each brightness; clicks and keys changing nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "app/MacWindowProc.h"
#include "game/shell/HeadlessGame.h"
#include "game/shell/PreScreens.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"

namespace {

namespace fs = std::filesystem;
using Tesk::GameApp;

const char* const kLogoFiles[] = {"pellmark.jpg", "wzklogo.jpg", "tqnlogo.jpg", "esrb.jpg"};

// A plain JPEG logo of theWidth x theHeight in one colour.
void WriteLogo(const std::string& thePath, int theWidth, int theHeight, uint32_t theColour) {
  std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight, theColour);
  ASSERT_TRUE(TeskTools::WriteJpegFile(thePath, theWidth, theHeight, aPixels.data(), 95));
}

// What one update of the logo screen showed.
struct Frame {
  int mSlot;
  int mColor;
};

class LogoScreens : public GameTest::HeadlessGame {
 protected:
  // The game's folder with theFiles of the optional logos beside it, the logo screen made as
  // the game's start-up makes it.
  void StartWith(const std::vector<std::string>& theFiles) {
    const std::string aDir = TeskTest::MakeTempDir("logos");
    fs::copy(GameTest::GameResourcesDir(), aDir, fs::copy_options::recursive);
    uint32_t aColour = 0xFF3060C0u;
    for (const std::string& aFile : theFiles) {
      WriteLogo(aDir + "/" + aFile, 200, 100, aColour);
      aColour += 0x00202000u;
    }
    ResetStatics();
    StartIn(aDir);
    MakeScreens();
    Tesk::ResourceManager* aManager = mGame->mResourceManager;
    ASSERT_TRUE(aManager->LoadResources("Init")) << aManager->GetErrorText();
    ASSERT_TRUE(Tesk::ExtractInitResources(aManager));
    mLogos = new Tesk::PreScreens(mGame.get());
    mGame->m_preScreens = mLogos;
    mLogos->Resize(0, 0, 800, 600);
    mGame->mWidgetManager->AddWidget(mLogos);
  }

  // Updates the logo screen as the frame loop does until it has handed over to the title
  // screen; what each update showed, in order.
  std::vector<Frame> RunToTheTitle(int theLimit = 5000) {
    std::vector<Frame> aFrames;
    while (mGame->m_preScreens != nullptr && static_cast<int>(aFrames.size()) < theLimit) {
      mLogos->Update();
      aFrames.push_back({mLogos->m_currentSlot, GameApp::getFadeColor()});
    }
    return aFrames;
  }

  void TearDown() override {
    if (mGame != nullptr) mGame->ProcessSafeDeleteList();
    HeadlessGame::TearDown();
  }

  Tesk::PreScreens* mLogos = nullptr;
};

// The slots shown at full brightness, each with the number of updates it stayed there.
std::vector<std::pair<int, int>> HoldsOf(const std::vector<Frame>& theFrames) {
  std::vector<std::pair<int, int>> aHolds;
  for (const Frame& f : theFrames) {
    if (f.mColor != 255) continue;
    if (aHolds.empty() || aHolds.back().first != f.mSlot) aHolds.push_back({f.mSlot, 0});
    ++aHolds.back().second;
  }
  return aHolds;
}

TEST_F(LogoScreens, EachLogoPresentFadesInHoldsAndFadesOutInTurn) {
  struct Case {
    const char* mName;
    std::vector<std::string> mFiles;
    std::vector<int> mSlots;  // the logos shown, in order
    int mHold;                // updates each stays at full brightness
  };
  const Case kCases[] = {
      {"only the company logo", {}, {0}, 300},
      {"all three logo files", {"pellmark.jpg", "wzklogo.jpg", "tqnlogo.jpg"}, {0, 1, 2, 3}, 300},
      {"no wzklogo: slot 3 follows slot 1", {"pellmark.jpg", "tqnlogo.jpg"}, {0, 1, 3}, 300},
      {"the rating file: a second longer each", {"wzklogo.jpg", "esrb.jpg"}, {0, 2}, 400},
      {"everything", {"pellmark.jpg", "wzklogo.jpg", "tqnlogo.jpg", "esrb.jpg"}, {0, 1, 2, 3}, 400},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    StartWith(c.mFiles);
    EXPECT_EQ(mLogos->m_holdTime, c.mHold);
    EXPECT_FALSE(g_CursorShouldBeVisible);
    const std::vector<Frame> aFrames = RunToTheTitle();
    ASSERT_EQ(mGame->m_preScreens, nullptr) << "the logos never ended";

    std::vector<std::pair<int, int>> anExpected;
    for (int aSlot : c.mSlots) anExpected.push_back({aSlot, c.mHold});
    EXPECT_EQ(HoldsOf(aFrames), anExpected);
    // Per logo: 50 updates rising, the hold (its first update is the one reaching full),
    // 51 falling; then one update for the last fade, which is already black.
    const int aPerLogo = 50 + c.mHold + 51;
    EXPECT_EQ(static_cast<int>(aFrames.size()), aPerLogo * static_cast<int>(c.mSlots.size()) + 1);
    EXPECT_EQ(aFrames.back().mColor, 0);
    // The title screen followed, with its group, and the cursor is back.
    EXPECT_STREQ(GameApp::databaseCurrentlyLoaded, "TitleScreen");
    EXPECT_TRUE(mGame->mWidgetManager->HasWidget(mGame->m_titleScreen));
    EXPECT_TRUE(g_CursorShouldBeVisible);
    mGame->ProcessSafeDeleteList();
  }
}

TEST_F(LogoScreens, ClicksAndKeysChangeNothing) {
  StartWith({"pellmark.jpg"});
  std::vector<Frame> aFrames;
  while (mGame->m_preScreens != nullptr && aFrames.size() < 5000) {
    if (aFrames.size() % 7 == 0) {
      mLogos->MouseDown(400, 300, 1);
      mLogos->MouseUp(400, 300, 1);
      mLogos->KeyDown(Tesk::KEYCODE_RETURN);
      mLogos->KeyChar(L' ');
      mLogos->KeyDown(static_cast<Tesk::KeyCode>(27));
    }
    mLogos->Update();
    aFrames.push_back({mLogos->m_currentSlot, GameApp::getFadeColor()});
  }
  EXPECT_EQ(HoldsOf(aFrames), (std::vector<std::pair<int, int>>{{0, 300}, {1, 300}}));
  EXPECT_EQ(aFrames.size(), 2u * 401 + 1);
}

TEST_F(LogoScreens, TheWandOfTheProfileInUseBecomesTheCursorAfterTheLogos) {
  StartWith({});
  // Four distinct wand pictures where the shared block puts them.
  std::vector<std::unique_ptr<Tesk::MemoryImage>> aWands;
  for (int i = 0; i < 4; ++i) {
    aWands.push_back(std::make_unique<Tesk::MemoryImage>());
    aWands.back()->Create(8, 8);
    GameApp::s_images[21 + i] = aWands.back().get();
  }
  mGame->getProfileData()->setProfileName(L"Wren");
  mGame->getProfileData()->setWandUsing(2);
  GameApp::s_isUsingCustomCursor = true;
  RunToTheTitle();
  EXPECT_EQ(mGame->mCursorImages[0], aWands[2].get());
  EXPECT_EQ(mGame->mCursorImages[1], aWands[2].get());
  for (int i = 0; i < 4; ++i) GameApp::s_images[21 + i] = nullptr;
  mGame->SetCursorImage(0, nullptr);
  mGame->SetCursorImage(1, nullptr);
}

TEST_F(LogoScreens, ALogoIsDrawnCentredOnBlackAndTintedByTheFade) {
  StartWith({"pellmark.jpg"});
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  auto Pixel = [&](int x, int y) { return aScreen.GetBits()[y * 800 + x] & 0xFFFFFFu; };
  auto DrawAt = [&](int theColor) {
    GameApp::sm_fadeColoru8Value = static_cast<uint8_t>(theColor);
    Tesk::Graphics g(&aScreen);
    mLogos->Draw(&g);
  };
  // The company logo of the generated set (120 x 90) in the middle.
  Tesk::Image* aLogo = Tesk::IMAGE_DEZADUDE_LOGO;
  ASSERT_NE(aLogo, nullptr);
  const int x0 = 400 - aLogo->GetWidth() / 2;
  const int y0 = 300 - aLogo->GetHeight() / 2;
  DrawAt(0);
  EXPECT_EQ(Pixel(400, 300), 0u);
  DrawAt(255);
  const uint32_t aFull = Pixel(400, 300);
  EXPECT_NE(aFull, 0u);
  EXPECT_EQ(Pixel(x0 - 1, 300), 0u);
  EXPECT_EQ(Pixel(400, y0 + aLogo->GetHeight()), 0u);
  DrawAt(128);
  const uint32_t aHalf = Pixel(400, 300);
  for (int aShift : {0, 8, 16}) {
    const int aFullChannel = (aFull >> aShift) & 0xFF;
    EXPECT_NEAR((aHalf >> aShift) & 0xFF, aFullChannel * 128 / 255, 2) << aShift;
  }
  // The second logo (200 x 100, its own colour) takes the same place.
  mLogos->m_currentSlot = 1;
  DrawAt(255);
  EXPECT_EQ(Pixel(299, 300), 0u);
  EXPECT_NE(Pixel(301, 300), 0u);
  EXPECT_NEAR(static_cast<int>(Pixel(400, 300) & 0xFF), 0xC0, 6);
}

}  // namespace
