// The media half of the game's assets, written once per test binary, and a headless
// application whose resource manager loads it from a manifest of the returned items.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "MediaAssets.h"
#include "framework/resources/ResourceLoadFixture.h"
#include "support/TestTemp.h"

namespace MediaTest {

struct MediaSet {
  std::string mDir;
  std::vector<GameAssets::ManifestItem> mItems;
  double mSeconds = 0;  // how long writing took
};

inline const MediaSet& Media() {
  static const MediaSet sSet = [] {
    MediaSet aSet;
    aSet.mDir = TeskTest::MakeTempDir("media");
    const auto aStart = std::chrono::steady_clock::now();
    aSet.mItems = GameAssets::WriteMediaAssets(aSet.mDir);
    aSet.mSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - aStart).count();
    return aSet;
  }();
  return sSet;
}

// A manifest of the items, a group each, the way the generator's manifest lists them.
inline std::string MediaManifest(const std::vector<GameAssets::ManifestItem>& theItems) {
  std::vector<std::string> aGroups;
  for (const auto& anItem : theItems)
    if (std::find(aGroups.begin(), aGroups.end(), anItem.mGroup) == aGroups.end())
      aGroups.push_back(anItem.mGroup);
  std::string aText = "<?xml version=\"1.0\"?>\n<ResourceManifest>\n";
  for (const std::string& aGroup : aGroups) {
    aText += "  <Resources id=\"" + aGroup + "\">\n";
    for (const auto& anItem : theItems) {
      if (anItem.mGroup != aGroup) continue;
      aText += "    <" + anItem.mKind + " id=\"" + anItem.mId + "\" path=\"" + anItem.mPath + "\"";
      if (!anItem.mExtraAttributes.empty()) aText += " " + anItem.mExtraAttributes;
      aText += " />\n";
    }
    aText += "  </Resources>\n";
  }
  return aText + "</ResourceManifest>\n";
}

// The generated folder as the working folder, a fresh cache folder, and an application
// with a render-only sound device so that every sound is really decoded.
class MediaFixture : public ResourceTest::ResourceLoadFixture {
 protected:
  void SetUp() override {
    ResourceLoadFixture::SetUp();
    ASSERT_FALSE(Media().mItems.empty()) << "the media half failed";
    Stop();
    Start(Media().mDir);
  }

  // Parses a manifest of the media items and loads every group of it.
  void LoadMediaGroups() {
    std::filesystem::create_directories("properties");
    ASSERT_TRUE(TeskTest::WriteFile("properties/media.xml", MediaManifest(Media().mItems)));
    ASSERT_TRUE(mManager->ParseResourcesFile("properties/media.xml")) << mManager->GetErrorText();
    for (const auto& anItem : Media().mItems)
      ASSERT_TRUE(mManager->LoadResources(anItem.mGroup))
          << anItem.mGroup << ": " << mManager->GetErrorText();
  }
};

}  // namespace MediaTest
