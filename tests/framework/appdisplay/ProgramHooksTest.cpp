// The hooks the lower modules call back through are installed by the application object the
// program makes, not only by tests: the real application, started on a real (virtual) display,
// has every one of them, and each does its work.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "BoxApp.h"
#include "display/D3DInterface.h"
#include "display/DDImage.h"
#include "graphics/AnimationBasic.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/TestTemp.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace {

using namespace Tesk;

// Notes whether the screen's surface was locked while the widget manager drew it.
class LockProbe : public Widget {
 public:
  void Draw(Graphics*) override {
    DDImage* aScreen = dynamic_cast<DDImage*>(mWidgetManager->mImage);
    mLockedWhileDrawn = aScreen != nullptr && aScreen->mLockCount > 0;
    ++mDraws;
  }
  bool mLockedWhileDrawn = false;
  int mDraws = 0;
};

TEST(ProgramHooks, TheRealApplicationInstallsEveryHookAndEachWorks) {
  if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) GTEST_SKIP() << "no display";
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_DATA_HOME", TeskTest::MakeTempDir("hooks_data").c_str(), 1);
  unsetenv("TESK_RUN_SECONDS");
  // What an earlier test may have left does not count.
  WidgetManager::sLockSurface = nullptr;
  WidgetManager::sUnlockSurface = nullptr;
  OrvoButtonWidget::s_drawAnimation = nullptr;
  OrvoButtonWidget::s_drawParticles = nullptr;
  D3DInterface::sAppHooks = {nullptr, nullptr};

  auto* anApp = new BoxApp();
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  ASSERT_NE(WidgetManager::sLockSurface, nullptr);
  ASSERT_NE(WidgetManager::sUnlockSurface, nullptr);
  ASSERT_NE(OrvoButtonWidget::s_drawAnimation, nullptr);
  ASSERT_NE(OrvoButtonWidget::s_drawParticles, nullptr);
  ASSERT_NE(D3DInterface::sAppHooks.mIsMinimized, nullptr);
  ASSERT_NE(D3DInterface::sAppHooks.mRegistryWriteString, nullptr);

  // In software the frame is drawn with the screen's surface locked, and unlocked after.
  anApp->Set3DAcclerated(false, true);
  ASSERT_FALSE(anApp->Is3DAccelerated());
  LockProbe aProbe;
  aProbe.Resize(0, 0, 10, 10);
  anApp->mWidgetManager->AddWidget(&aProbe);
  anApp->mWidgetManager->MarkAllDirty();
  anApp->mWidgetManager->DrawScreen();
  EXPECT_EQ(aProbe.mDraws, 1);
  EXPECT_TRUE(aProbe.mLockedWhileDrawn);
  DDImage* aScreen = dynamic_cast<DDImage*>(anApp->mWidgetManager->mImage);
  ASSERT_NE(aScreen, nullptr);
  EXPECT_EQ(aScreen->mLockCount, 0);
  anApp->mWidgetManager->RemoveWidget(&aProbe);
  // Any other image is never locked.
  MemoryImage aMemory(nullptr);
  aMemory.Create(4, 4);
  EXPECT_FALSE(WidgetManager::sLockSurface(&aMemory));

  // A button's animation is drawn, tinted by its colour.
  MemoryImage aSheet(nullptr);
  aSheet.Create(8, 8);
  {
    Graphics g(&aSheet);
    g.SetColor(Color(255, 255, 255));
    g.FillRect(0, 0, 8, 8);
  }
  ANIM::AnimationBasic anAnimation;
  anAnimation.setAnim(&aSheet, 1, 1, ANIM::Play);
  anAnimation.setRowsCols(1, 1);
  anAnimation.setColor(255, 0, 0);
  MemoryImage aTarget(nullptr);
  aTarget.Create(8, 8);
  {
    Graphics g(&aTarget);
    g.SetColor(Color(0, 0, 0));
    g.FillRect(0, 0, 8, 8);
    OrvoButtonWidget::s_drawAnimation(&anAnimation, &g, 0, 0, 1.0f);
    EXPECT_TRUE(g.GetColorizeImages());
    OrvoButtonWidget::s_drawParticles(&g, 1.0f, &anApp->mBox);  // no particles: nothing drawn
  }
  const uint32_t aPixel = aTarget.GetBits()[4 * 8 + 4];
  EXPECT_GE((aPixel >> 16) & 0xFF, 0xF0u) << std::hex << aPixel;
  EXPECT_EQ(aPixel & 0xFFFF, 0u) << std::hex << aPixel;

  // The accelerated path asks the application whether it is minimised and writes its error
  // preference through it.
  anApp->mMinimized = true;
  EXPECT_TRUE(D3DInterface::sAppHooks.mIsMinimized());
  anApp->mMinimized = false;
  EXPECT_FALSE(D3DInterface::sAppHooks.mIsMinimized());
  D3DInterface::sAppHooks.mRegistryWriteString("Test3D\\RuntimeError", "lost device");
  uint32_t aType = 0;
  uint8_t aValue[64] = {};
  uint32_t aLength = sizeof(aValue);
  ASSERT_TRUE(anApp->RegistryRead("Test3D\\RuntimeError", &aType, aValue, &aLength));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(aValue), aLength).substr(0, 11), "lost device");
  delete anApp;
}

}  // namespace
