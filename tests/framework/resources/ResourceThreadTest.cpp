// The loading thread steps through "Main" while the main thread looks up loaded resources,
// counts groups and loads and releases a group of its own, as the game does behind its
// progress bar. Run under ThreadSanitizer (TESK_TSAN) as well.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ResourceLoadFixture.h"
#include "display/DDImage.h"

using ResourceTest::ResourceLoadFixture;

namespace {

class ResourceThreadTest : public ResourceLoadFixture {};

TEST_F(ResourceThreadTest, LoadingThreadStepsWhileTheMainThreadLooksUp) {
  ASSERT_TRUE(ParseSet());
  ASSERT_TRUE(mManager->LoadResources("Init")) << mManager->GetErrorText();
  const int aWanted = mManager->GetNumResources("Main");

  std::atomic<bool> aDone{false};
  std::atomic<int> aLoaded{0};
  bool aFailed = true;
  std::thread aLoader([&] {
    mManager->StartLoadResources("Main");
    while (mManager->LoadNextResource()) ++aLoaded;
    aFailed = mManager->HadError();
    aDone = true;
  });

  int aRounds = 0;
  bool aTitleLoaded = false;
  bool aLookupsOk = true;
  while (!aDone || aRounds < 3) {
    ++aRounds;
    try {
      Tesk::SharedImageRef aLogo = mManager->GetImageThrow("IMAGE_LOGO");
      aLookupsOk &= static_cast<Tesk::DDImage*>(aLogo) != nullptr;
      aLookupsOk &= mManager->GetFontThrow("FONT_MEDIUM") != nullptr;
      aLookupsOk &= mManager->GetSoundThrow("SFX_CLICK") >= 0;
    } catch (const Tesk::ResourceManagerException& anException) {
      ADD_FAILURE() << anException.mWhat;
      aLookupsOk = false;
    }
    aLookupsOk &= mManager->GetNumResources("Main") == aWanted;
    // A group loaded whole meanwhile leaves the loading thread's walk where it was.
    if (aRounds == 2) aTitleLoaded = mManager->LoadResources("Title");
    if (aRounds == 5) mManager->DeleteResources("Title");
    if (aRounds == 6) aTitleLoaded &= mManager->LoadResources("Title");
  }
  aLoader.join();

  EXPECT_TRUE(aLookupsOk);
  EXPECT_TRUE(aTitleLoaded);
  EXPECT_FALSE(aFailed);
  EXPECT_EQ(aLoaded.load(), aWanted);
  for (auto& anEntry : mManager->mImageMap) {
    if (anEntry.second->mResGroup != "Main") continue;
    auto* aRes = static_cast<Tesk::ResourceManager::ImageRes*>(anEntry.second);
    EXPECT_NE(static_cast<Tesk::DDImage*>(aRes->mImage), nullptr) << anEntry.first;
  }
}

}  // namespace
