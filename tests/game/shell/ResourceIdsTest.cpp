// Resource globals bound group by group through the real resource manager, from a small set
// written by the project's writer: whole groups, a group with a resource missing from the
// manifest, extracting twice, and the identifier names.
#include <gtest/gtest.h>

#include <string>

#include "ResourceSetWriter.h"
#include "framework/resources/ResourceLoadFixture.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Image.h"
#include "support/TestTemp.h"

namespace {

using TeskTools::FileFormat;
using TeskTools::ResourceKind;
using TeskTools::ResourceSpec;

ResourceSpec ImageRes(const std::string& theId) {
  ResourceSpec aRes;
  aRes.mKind = ResourceKind::Image;
  aRes.mId = theId;
  aRes.mPath = theId + ".png";
  aRes.mFormat = FileFormat::PngRgba;
  aRes.mWidth = 8;
  aRes.mHeight = 6;
  return aRes;
}

ResourceSpec SoundRes(const std::string& theId) {
  ResourceSpec aRes;
  aRes.mKind = ResourceKind::Sound;
  aRes.mId = theId;
  aRes.mPath = theId;
  aRes.mFormat = FileFormat::Wav;
  return aRes;
}

// Ids as the game names them: no prefixes added by the manifest. "Story" lacks its third
// resource, IMAGE_SCROLL.
TeskTools::ResourceSetSpec SmallSet() {
  TeskTools::ResourceSetSpec aSet;
  aSet.mImagePrefix = aSet.mSoundPrefix = aSet.mFontPrefix = "";
  aSet.mGroups = {
      {"Init", {ImageRes("IMAGE_DEZADUDE_LOGO")}},
      {"Story",
       {ImageRes("IMAGE_STORY_BACK_TOP"), ImageRes("IMAGE_STORY_BACK_BOTTOM"), ImageRes("IMAGE_END_OF_GAME"),
        ImageRes("IMAGE_RUNESTONE"), SoundRes("SFX_RUNE_DESTROY")}},
      {"TitleScreen",
       {ImageRes("IMAGE_TITLE_BACK"), ImageRes("IMAGE_TITLE_COVER"), ImageRes("IMAGE_TITLE_PLAY_HIGH"),
        ImageRes("IMAGE_TITLE_OPTION_HIGH"), ImageRes("IMAGE_TITLE_EXIT_HIGH"), ImageRes("IMAGE_TITLE_ANIM_BG"),
        SoundRes("SFX_WIND"), SoundRes("SFX_THUNDER"), SoundRes("SFX_THUNDER2")}},
      {"MiniGame",
       {SoundRes("SFX_MATCH_CONNECT"), SoundRes("SFX_MATCH_UNCONNECT"), SoundRes("SFX_MATCH_SHUFFLE"),
        SoundRes("SFX_CHANT_CLICK"), SoundRes("SFX_CHANT_BACK"), SoundRes("SFX_CHANT_WORD_SWAP")}},
  };
  return aSet;
}

// The resource tests' headless application and manager, working in the small set instead.
class ResourceIdsTest : public ResourceTest::ResourceLoadFixture {
 protected:
  void SetUp() override {
    ResourceLoadFixture::SetUp();
    Stop();
    const std::string aDir = TeskTest::MakeTempDir("resource-ids");
    std::string anError;
    ASSERT_TRUE(TeskTools::WriteResourceSet(SmallSet(), aDir, &anError)) << anError;
    Start(aDir);
    ASSERT_TRUE(mManager->ParseResourcesFile("properties/resources.xml")) << mManager->GetErrorText();
  }
};

TEST_F(ResourceIdsTest, AWholeGroupBindsEveryGlobalAndAgainTheSame) {
  ASSERT_TRUE(mManager->LoadResources("TitleScreen")) << mManager->GetErrorText();
  ASSERT_TRUE(Tesk::ExtractTitleScreenResources(mManager.get()));
  Tesk::Image* const anImages[] = {Tesk::IMAGE_TITLE_BACK,        Tesk::IMAGE_TITLE_COVER,
                                   Tesk::IMAGE_TITLE_PLAY_HIGH,   Tesk::IMAGE_TITLE_OPTION_HIGH,
                                   Tesk::IMAGE_TITLE_EXIT_HIGH,   Tesk::IMAGE_TITLE_ANIM_BG};
  for (Tesk::Image* anImage : anImages) {
    ASSERT_NE(anImage, nullptr);
    EXPECT_EQ(anImage->GetWidth(), 8);
  }
  EXPECT_EQ(Tesk::IMAGE_TITLE_BACK, static_cast<Tesk::Image*>(mManager->GetImageThrow("IMAGE_TITLE_BACK")));
  const int aSounds[] = {Tesk::SFX_WIND, Tesk::SFX_THUNDER, Tesk::SFX_THUNDER2};
  EXPECT_EQ(Tesk::SFX_WIND, mManager->GetSoundThrow("SFX_WIND"));
  EXPECT_NE(aSounds[0], aSounds[1]);
  EXPECT_NE(aSounds[1], aSounds[2]);

  ASSERT_TRUE(Tesk::ExtractTitleScreenResources(mManager.get()));
  EXPECT_EQ(Tesk::IMAGE_TITLE_BACK, anImages[0]);
  EXPECT_EQ(Tesk::IMAGE_TITLE_ANIM_BG, anImages[5]);
  EXPECT_EQ(Tesk::SFX_THUNDER2, aSounds[2]);

  ASSERT_TRUE(mManager->LoadResources("MiniGame"));
  ASSERT_TRUE(Tesk::ExtractMiniGameResources(mManager.get()));
  EXPECT_EQ(Tesk::SFX_CHANT_WORD_SWAP, mManager->GetSoundThrow("SFX_CHANT_WORD_SWAP"));
  ASSERT_TRUE(mManager->LoadResources("Init"));
  ASSERT_TRUE(Tesk::ExtractInitResources(mManager.get()));
  EXPECT_NE(Tesk::IMAGE_DEZADUDE_LOGO, nullptr);
  EXPECT_TRUE(Tesk::ExtractLevelIntroResources(mManager.get()));
}

TEST_F(ResourceIdsTest, AMissingThirdResourceStopsTheGroupThere) {
  Tesk::Image* const aBefore = reinterpret_cast<Tesk::Image*>(&mManager);  // never dereferenced
  Tesk::IMAGE_STORY_BACK_TOP = Tesk::IMAGE_STORY_BACK_BOTTOM = Tesk::IMAGE_SCROLL = aBefore;
  Tesk::IMAGE_END_OF_GAME = Tesk::IMAGE_RUNESTONE = aBefore;
  Tesk::SFX_RUNE_DESTROY = -7;

  ASSERT_TRUE(mManager->LoadResources("Story")) << mManager->GetErrorText();
  EXPECT_FALSE(Tesk::ExtractStoryResources(mManager.get()));
  EXPECT_NE(mManager->GetErrorText().find("Image resource not found: IMAGE_SCROLL"), std::string::npos)
      << mManager->GetErrorText();
  EXPECT_EQ(Tesk::IMAGE_STORY_BACK_TOP, static_cast<Tesk::Image*>(mManager->GetImageThrow("IMAGE_STORY_BACK_TOP")));
  EXPECT_EQ(Tesk::IMAGE_STORY_BACK_BOTTOM,
            static_cast<Tesk::Image*>(mManager->GetImageThrow("IMAGE_STORY_BACK_BOTTOM")));
  EXPECT_EQ(Tesk::IMAGE_SCROLL, aBefore);
  EXPECT_EQ(Tesk::IMAGE_END_OF_GAME, aBefore);
  EXPECT_EQ(Tesk::IMAGE_RUNESTONE, aBefore);
  EXPECT_EQ(Tesk::SFX_RUNE_DESTROY, -7);

  Tesk::IMAGE_SCROLL = Tesk::IMAGE_END_OF_GAME = Tesk::IMAGE_RUNESTONE = nullptr;
}

TEST_F(ResourceIdsTest, AGroupNotLoadedBindsNothing) {
  Tesk::MAP_LOC01_HOVER = nullptr;
  EXPECT_FALSE(Tesk::ExtractMapResources(mManager.get()));
  EXPECT_EQ(Tesk::MAP_LOC01_HOVER, nullptr);
  EXPECT_FALSE(Tesk::ExtractConstantsResources(mManager.get()));
}

TEST(ResourceIdNames, ByIdentifier) {
  struct Case {
    int id;
    const char* name;
  };
  const Case kCases[] = {
      {0, "IMAGE_DEZADUDE_LOGO"}, {1, "FONT_TITLE_OPTIONS"},  {5, "FONT_TIME"},
      {6, "SFX_ERROR"},           {27, "SFX_COIN"},           {33, "AMBIENT_EARTHQUAKE"},
      {34, "IMAGE_SIDE_MENU"},    {70, "ANIM_FIRE1"},         {71, "IMAGE_STORY_BACK_TOP"},
      {76, "SFX_RUNE_DESTROY"},   {85, "SFX_THUNDER2"},       {104, "IMAGE_CORNER_BOTTOM_SMALL"},
      {105, "MAP_LOC01_HOVER"},   {116, "MAP_LOC12_HOVER"},   {122, "SFX_CHANT_WORD_SWAP"},
      {123, ""},                  {-1, ""},                   {100000, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.id);
    EXPECT_STREQ(Tesk::GetStringIdById(c.id), c.name);
  }
}

}  // namespace
