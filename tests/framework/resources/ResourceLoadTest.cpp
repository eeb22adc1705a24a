// Loading the generated resource set by group: whole and step by step, the skip rules, the
// alpha merges, fonts with tags, sounds with their settings, lookups, release of a group,
// every error text, damaged files, and the same set read from loose files and the archive.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ResourceLoadFixture.h"
#include "display/DDImage.h"
#include "graphics/SharedImage.h"
#include "graphics/SysFont.h"
#include "resources/ImageFont.h"
#include "resources/ImageLib.h"
#include "sound/macDirectSoundBuffer.h"

using ResourceTest::ResourceLoadFixture;
using Tesk::ResourceManager;
using Tesk::ResourceManagerException;
using TeskTools::AlphaFile;
using TeskTools::ResourceKind;
using TeskTools::ResourceSpec;

namespace {

struct SetEntry {
  std::string mId;  // with its prefix
  ResourceSpec mSpec;
};

// The resources of a group as the tables give them, "!program" ones left out.
std::vector<SetEntry> GroupEntries(const std::string& theGroup) {
  const TeskTools::ResourceSetSpec aSet = TeskTools::DefaultResourceSet();
  std::vector<SetEntry> anEntries;
  for (const auto& aGroup : aSet.mGroups) {
    if (aGroup.mName != theGroup) continue;
    for (const ResourceSpec& aRes : aGroup.mResources) {
      if (aRes.mPath == "!program") continue;
      const std::string& aPrefix = aRes.mKind == ResourceKind::Image   ? aSet.mImagePrefix
                                   : aRes.mKind == ResourceKind::Sound ? aSet.mSoundPrefix
                                                                       : aSet.mFontPrefix;
      anEntries.push_back({aPrefix + aRes.mId, aRes});
    }
  }
  return anEntries;
}

const char* const kGroups[] = {"Constants", "Init", "Main", "Title"};

class ResourceLoadTest : public ResourceLoadFixture {
 protected:
  void SetUp() override {
    ResourceLoadFixture::SetUp();
    ParseSet();
  }

  // True when every resource of the group hands out its object.
  bool AllLoaded(const std::string& theGroup) {
    for (const SetEntry& anEntry : GroupEntries(theGroup)) {
      if (!IsLoaded(anEntry)) return false;
    }
    return true;
  }

  bool IsLoaded(const SetEntry& theEntry) {
    try {
      switch (theEntry.mSpec.mKind) {
        case ResourceKind::Image:
          return static_cast<Tesk::DDImage*>(mManager->GetImageThrow(theEntry.mId)) != nullptr;
        case ResourceKind::Sound:
          return mManager->GetSoundThrow(theEntry.mId) >= 0;
        case ResourceKind::Font:
          return mManager->GetFontThrow(theEntry.mId) != nullptr;
      }
    } catch (const ResourceManagerException&) {
    }
    return false;
  }

  // "Main" refers to a font of "Init", so the game loads "Init" first; so do the tests.
  bool LoadMain() {
    const bool aLoaded = mManager->LoadResources("Init") && mManager->LoadResources("Main");
    EXPECT_TRUE(aLoaded) << mManager->GetErrorText();
    return aLoaded;
  }

  Tesk::DDImage* Image(const std::string& theId) {
    auto* aRes = static_cast<ResourceManager::ImageRes*>(mManager->mImageMap.at(theId));
    return static_cast<Tesk::DDImage*>(aRes->mImage);
  }
};

TEST_F(ResourceLoadTest, WholeGroupsLoadEveryResourceAtItsSize) {
  for (const char* aGroup : kGroups) {
    SCOPED_TRACE(aGroup);
    ASSERT_TRUE(mManager->LoadResources(aGroup)) << mManager->GetErrorText();
    EXPECT_EQ(mManager->mLoadedGroups.count(aGroup), 1u);
    for (const SetEntry& anEntry : GroupEntries(aGroup)) {
      SCOPED_TRACE(anEntry.mId);
      EXPECT_TRUE(IsLoaded(anEntry));
      if (anEntry.mSpec.mKind != ResourceKind::Image) continue;
      Tesk::SharedImageRef aRef = mManager->GetImageThrow(anEntry.mId);
      Tesk::DDImage* anImage = aRef;
      EXPECT_EQ(anImage->mWidth, anEntry.mSpec.mWidth);
      EXPECT_EQ(anImage->mHeight, anEntry.mSpec.mHeight);
      EXPECT_EQ(anImage->mNumRows, anEntry.mSpec.mRows);
      EXPECT_EQ(anImage->mNumCols, anEntry.mSpec.mCols);
    }
  }
  EXPECT_FALSE(mManager->HadError());
}

TEST_F(ResourceLoadTest, ImagesGetTheirAnimationTextureFlagsAndPalette) {
  ASSERT_TRUE(LoadMain());
  Tesk::DDImage* aSparkle = Image("IMAGE_SPARKLE");
  ASSERT_NE(aSparkle->mAnimInfo, nullptr);
  EXPECT_EQ(aSparkle->mAnimInfo->mAnimType, Tesk::AnimType_Loop);
  EXPECT_EQ(aSparkle->mAnimInfo->mPerFrameDelay, (std::vector<int>{5, 5, 10, 20}));
  EXPECT_EQ(Image("IMAGE_FAIRY")->mAnimInfo->mAnimType, Tesk::AnimType_PingPong);
  EXPECT_EQ(Image("IMAGE_TITLE")->mAnimInfo, nullptr);

  EXPECT_EQ(Image("IMAGE_SKY")->mD3DFlags, Tesk::TextureFlag_A8R8G8B8 | Tesk::TextureFlag_MinSubdivide);
  EXPECT_EQ(Image("IMAGE_TITLE")->mD3DFlags, 0);
  // Palettised unless "nopal"; the few-colour tiles fit a palette, the photo-like title is left alone.
  EXPECT_NE(Image("IMAGE_TILES")->mPalette, nullptr);
  EXPECT_EQ(Image("IMAGE_TITLE")->mPalette, nullptr);
  // "ddsurface" on an image without partial alpha asks for a surface and purges.
  EXPECT_FALSE(Image("IMAGE_PANEL")->mWantSurface);  // its palette has translucent entries
}

TEST_F(ResourceLoadTest, StepwiseLoadingCountsWhatTheGroupHolds) {
  for (const char* aGroup : kGroups) {
    SCOPED_TRACE(aGroup);
    mManager->StartLoadResources(aGroup);
    int aCount = 0;
    while (mManager->LoadNextResource()) ++aCount;
    EXPECT_FALSE(mManager->HadError()) << mManager->GetErrorText();
    EXPECT_EQ(aCount, mManager->GetNumResources(aGroup));
    EXPECT_EQ(aCount, static_cast<int>(GroupEntries(aGroup).size()));
    EXPECT_TRUE(AllLoaded(aGroup));
    // Stepwise loading does not mark the group loaded; only LoadResources does.
    EXPECT_EQ(mManager->mLoadedGroups.count(aGroup), 0u);
  }
}

TEST_F(ResourceLoadTest, SkipRules) {
  // Group names match without case; the counts compare with case.
  ASSERT_TRUE(mManager->LoadResources("init"));
  EXPECT_TRUE(AllLoaded("Init"));
  EXPECT_EQ(mManager->GetNumResources("init"), 0);
  EXPECT_EQ(mManager->GetNumResources("Init"), 4);  // "!program" not counted
  EXPECT_EQ(mManager->GetNumImages("Init"), 1);
  EXPECT_EQ(mManager->GetNumSounds("Init"), 1);
  EXPECT_EQ(mManager->GetNumFonts("Init"), 2);
  EXPECT_EQ(
      mManager->GetNumResources(""),
      static_cast<int>(mManager->mImageMap.size() + mManager->mSoundMap.size() + mManager->mFontMap.size()));

  // Loaded and "!program" records are passed over: nothing is left to load.
  mManager->StartLoadResources("INIT");
  EXPECT_FALSE(mManager->LoadNextResource());
  EXPECT_FALSE(mManager->HadError());

  // The "!program" image is never loaded, so it is not found.
  EXPECT_THROW(mManager->GetImageThrow("IMAGE_SCREEN"), ResourceManagerException);

  // A group the manifest does not have loads nothing and succeeds.
  mManager->StartLoadResources("Nowhere");
  EXPECT_FALSE(mManager->LoadNextResource());
  EXPECT_TRUE(mManager->LoadResources("Nowhere"));
  // Without a started group there is nothing to step through.
  ResourceManager aFresh(mApp.get());
  EXPECT_FALSE(aFresh.LoadNextResource());
  // Parsing sets the current group but starts no walk.
  ASSERT_TRUE(aFresh.ParseResourcesFile("properties/resources.xml"));
  EXPECT_FALSE(aFresh.LoadNextResource());
  EXPECT_FALSE(aFresh.HadError());
}

TEST_F(ResourceLoadTest, AlphaImagesAndGridsTakeTheBlueChannelOfTheirFiles) {
  ASSERT_TRUE(LoadMain());
  struct Case {
    const char* mId;
    const char* mImage;
    const char* mAlpha;
    int mRows;
    int mCols;
  };
  const Case kCases[] = {
      {"IMAGE_TITLE", "images/title.jpg", "images/title_a.png", 1, 1},
      {"IMAGE_ICONS", "images/icons.gif", "images/icons_a.png", 1, 1},  // an 8-bit image
      {"IMAGE_SPARKLE", "images/sparkle.png", "images/sparkle_grid.png", 1, 4},
      {"IMAGE_FAIRY", "images/fairy.png", "images/fairy_grid.png", 2, 4},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mId);
    std::unique_ptr<ImageLib::Image> aColours(ImageLib::GetImage(c.mImage, false));
    std::unique_ptr<ImageLib::Image> anAlpha(ImageLib::GetImage(c.mAlpha, false));
    ASSERT_NE(aColours, nullptr);
    ASSERT_NE(anAlpha, nullptr);
    ImageLib::ExpandPalette(aColours.get());
    ImageLib::ExpandPalette(anAlpha.get());
    Tesk::DDImage* anImage = Image(c.mId);
    const uint32_t* aBits = anImage->GetBits();
    const int aCelWidth = anImage->mWidth / c.mCols;
    const int aCelHeight = anImage->mHeight / c.mRows;
    ASSERT_EQ(anAlpha->mWidth, aCelWidth);
    ASSERT_EQ(anAlpha->mHeight, aCelHeight);
    int aWrong = 0;
    for (int y = 0; y < anImage->mHeight; ++y)
      for (int x = 0; x < anImage->mWidth; ++x) {
        const uint32_t aWant = (aColours->mBits[y * anImage->mWidth + x] & 0xFFFFFF) |
                               (anAlpha->mBits[(y % aCelHeight) * aCelWidth + x % aCelWidth] << 24);
        if (aBits[y * anImage->mWidth + x] != aWant) ++aWrong;
      }
    EXPECT_EQ(aWrong, 0);
  }
}

TEST_F(ResourceLoadTest, OnlyAnAlphaFileComposesWithTheAlphaColour) {
  ASSERT_TRUE(LoadMain());
  const uint32_t* aBits = Image("IMAGE_GLOW")->GetBits();
  std::unique_ptr<ImageLib::Image> anAlpha(ImageLib::GetImage("images/_glow.png", false));
  for (int i = 0; i < 24 * 24; ++i) ASSERT_EQ(aBits[i], 0xFF8000u | (anAlpha->mBits[i] & 0xFF00) << 16) << i;
  // And the colour is back to white for the next load.
  EXPECT_EQ(ImageLib::gAlphaComposeColor, 0xFFFFFFu);
}

TEST_F(ResourceLoadTest, FontsCarryTheirTagsAndCopiesAreIndependent) {
  ASSERT_TRUE(LoadMain());
  auto* aMedium = dynamic_cast<Tesk::ImageFont*>(mManager->GetFontThrow("FONT_MEDIUM"));
  auto* aPlain = dynamic_cast<Tesk::ImageFont*>(mManager->GetFontThrow("FONT_MEDIUM_PLAIN"));
  auto* aSmall = dynamic_cast<Tesk::ImageFont*>(mManager->GetFontThrow("FONT_SMALL"));
  ASSERT_NE(aMedium, nullptr);
  ASSERT_NE(aPlain, nullptr);
  ASSERT_NE(aSmall, nullptr);
  EXPECT_NE(aMedium, aPlain);
  EXPECT_TRUE(aMedium->HasTag("shadow"));
  EXPECT_FALSE(aMedium->HasTag("plain"));
  EXPECT_TRUE(aPlain->HasTag("plain"));
  EXPECT_TRUE(aSmall->HasTag("PLAIN"));
  EXPECT_EQ(aPlain->mFontData, aMedium->mFontData);
  EXPECT_GT(aMedium->StringWidth(L"Hidden"), 0);

  auto* aSystem = dynamic_cast<Tesk::SysFont*>(mManager->GetFontThrow("FONT_SYSTEM"));
  ASSERT_NE(aSystem, nullptr);
  EXPECT_GT(aSystem->GetHeight(), 0);
  EXPECT_NE(dynamic_cast<Tesk::SysFont*>(mManager->GetFontThrow("FONT_SERIF")), nullptr);

  // GetFont never throws: null for an id that is not a font.
  EXPECT_EQ(mManager->GetFont("FONT_NONE"), nullptr);
  EXPECT_EQ(mManager->GetFont("FONT_MEDIUM"), aMedium);
}

TEST_F(ResourceLoadTest, SoundsTakeVolumeAndPanOnlyWhenGiven) {
  for (const char* aGroup : kGroups) ASSERT_TRUE(mManager->LoadResources(aGroup)) << mManager->GetErrorText();
  auto& aSounds = *mApp->mSounds;
  struct Case {
    const char* mId;
    bool mHasVolume;
    double mVolume;
    bool mHasPan;
    int mPan;
  };
  const Case kCases[] = {
      {"SFX_CLICK", true, 0.5, true, -200}, {"SFX_HOVER", true, 0.8, false, 0},
      {"SFX_CHIME", false, 0, false, 0},    {"SFX_BEEP", false, 0, true, 300},
      {"SFX_DING", true, 0.0, false, 0},  // volume 0 is applied
      {"SFX_THEME", true, 0.25, false, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mId);
    const int anId = mManager->GetSoundThrow(c.mId);
    ASSERT_NE(aSounds.GetSourceBuffer(anId), nullptr);
    EXPECT_EQ(aSounds.mVolumes.count(anId), c.mHasVolume ? 1u : 0u);
    if (c.mHasVolume) {
      EXPECT_EQ(aSounds.mVolumes[anId], c.mVolume);
    }
    EXPECT_EQ(aSounds.mPans.count(anId), c.mHasPan ? 1u : 0u);
    if (c.mHasPan) {
      EXPECT_EQ(aSounds.mPans[anId], c.mPan);
    }
  }
}

TEST_F(ResourceLoadTest, DeletingAGroupReleasesItsObjectsAndKeepsTheRecords) {
  for (const char* aGroup : kGroups) ASSERT_TRUE(mManager->LoadResources(aGroup)) << mManager->GetErrorText();
  Tesk::SharedImageRef aHeld = mManager->GetImageThrow("IMAGE_TITLE_BACK");
  const int aTheme = mManager->GetSoundThrow("SFX_THEME");

  mManager->DeleteResources("Title");
  EXPECT_EQ(mManager->mLoadedGroups.count("Title"), 0u);
  for (const SetEntry& anEntry : GroupEntries("Title")) EXPECT_FALSE(IsLoaded(anEntry)) << anEntry.mId;
  EXPECT_TRUE(AllLoaded("Main"));
  // The manager let go of its reference: the handle held here is the last one.
  EXPECT_EQ(aHeld.mSharedImage->mRefCount.load(), 1);
  aHeld.Release();
  EXPECT_EQ(mApp->mSounds->GetSourceBuffer(aTheme), nullptr);
  EXPECT_EQ(mManager->GetFont("FONT_TITLE"), nullptr);

  // The records stay and load again.
  ASSERT_TRUE(mManager->LoadResources("Title")) << mManager->GetErrorText();
  EXPECT_TRUE(AllLoaded("Title"));

  // "" releases every group.
  mManager->DeleteResources("");
  for (const char* aGroup : kGroups)
    for (const SetEntry& anEntry : GroupEntries(aGroup)) EXPECT_FALSE(IsLoaded(anEntry)) << anEntry.mId;
  EXPECT_EQ(mManager->mImageMap.size(), 17u);
}

// Each case loads group "G" of its own manifest in a fresh application, or looks an id up.
TEST_F(ResourceLoadTest, ErrorTexts) {
  enum Lookup { None, ImageId, SoundId, FontId };
  struct Case {
    const char* mBody;
    const char* mText;
    Lookup mLookup = None;
    const char* mId = "";
    bool mNoFreeIds = false;
  };
  const Case kCases[] = {
      {R"(<Image path="images/missing.png" />)", "Failed to load image: images/missing.png"},
      {R"(<Image path="images/logo.png" alphaimage="images/nothing.png" />)",
       "Failed to load image: images/nothing.png"},
      {R"(<Image path="images/logo.png" alphaimage="images/title_a.png" />)",
       "AlphaImage size mismatch between images/logo.png and images/title_a.png"},
      {R"(<Image path="images/fairy.png" rows="2" cols="4" alphagrid="images/missing_grid.png" />)",
       "Failed to load image: images/missing_grid.png"},
      {R"(<Image path="images/fairy.png" rows="2" cols="2" alphagrid="images/fairy_grid.png" />)",
       "GridAlphaImage size mismatch between images/fairy.png and images/fairy_grid.png"},
      {R"(<Image path="images/fairy.png" cols="0" alphagrid="images/fairy_grid.png" />)",
       "GridAlphaImage size mismatch between images/fairy.png and images/fairy_grid.png"},
      {R"(<Sound path="sounds/click" />)", "Out of free sound ids", None, "", true},
      {R"(<Sound path="sounds/missing" />)", "Failed to load sound: sounds/missing"},
      {R"(<Font id="B" path="!ref:A" /><Font id="A" path="fonts/medium.txt" />)", "Ref font not found: A"},
      {R"(<Font path="fonts/missing.txt" />)", "Failed to load font: fonts/missing.txt"},
      {R"(<Font path="fonts/medium.txt" image="fonts/medium.png" />)",
       "Failed to load font: fonts/medium.txt"},
      {R"(<Font path="fonts/medium.txt" image="fonts/none.png" />)", "Failed to load image: fonts/none.png"},
      {R"(<Image id="A" path="images/logo.png" />)", "Image resource not found: B", ImageId, "B"},
      {R"(<Image id="A" path="!program" />)", "Image resource not found: A", ImageId, "A"},
      {R"(<Sound id="A" path="sounds/click" />)", "Sound resource not found: B", SoundId, "B"},
      {R"(<Font id="A" path="fonts/medium.txt" />)", "Font resource not found: B", FontId, "B"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mBody);
    Stop();
    Start(ResourceTest::SetDir());
    mApp->mSounds->mNoFreeIds = c.mNoFreeIds;
    const std::string aManifest = TeskTest::MakeTempDir("manifest") + "/m.xml";
    ASSERT_TRUE(TeskTest::WriteFile(aManifest, std::string("<ResourceManifest><Resources id=\"G\">") +
                                                   c.mBody + "</Resources></ResourceManifest>"));
    ASSERT_TRUE(mManager->ParseResourcesFile(aManifest)) << mManager->GetErrorText();
    if (c.mLookup == None) {
      EXPECT_FALSE(mManager->LoadResources("G"));
      EXPECT_TRUE(mManager->HadError());
      EXPECT_EQ(mManager->GetErrorText(), c.mText);
      EXPECT_EQ(mManager->mLoadedGroups.count("G"), 0u);
      continue;
    }
    ASSERT_TRUE(mManager->LoadResources("G")) << mManager->GetErrorText();
    try {
      if (c.mLookup == ImageId) mManager->GetImageThrow(c.mId);
      if (c.mLookup == SoundId) mManager->GetSoundThrow(c.mId);
      if (c.mLookup == FontId) mManager->GetFontThrow(c.mId);
      ADD_FAILURE() << "no exception";
    } catch (const ResourceManagerException& anException) {
      EXPECT_EQ(anException.mWhat, c.mText);
      EXPECT_EQ(mManager->GetErrorText(), c.mText);
    }
  }
}

TEST_F(ResourceLoadTest, LookupsCarryTheFirstErrorSinceTheLastLoad) {
  ASSERT_TRUE(mManager->LoadResources("Init"));
  const std::string aManifest = TeskTest::MakeTempDir("manifest") + "/m.xml";
  ASSERT_TRUE(TeskTest::WriteFile(
      aManifest,
      R"(<ResourceManifest><Resources id="Bad"><SetDefaults path="images" idprefix="" /><Image id="X" path="missing.png" /></Resources></ResourceManifest>)"));
  ASSERT_TRUE(mManager->ParseResourcesFile(aManifest));
  EXPECT_FALSE(mManager->LoadResources("Bad"));
  try {
    mManager->GetSoundThrow("SFX_NOPE");
    ADD_FAILURE() << "no exception";
  } catch (const ResourceManagerException& anException) {
    EXPECT_EQ(anException.mWhat, "Failed to load image: images/missing.png");
  }
  // Resources loaded before the failure stay loaded.
  EXPECT_TRUE(AllLoaded("Init"));
}

TEST_F(ResourceLoadTest, ALegacyImageFontKeepsItsSheetUntilDeleted) {
  const std::string aManifest = TeskTest::MakeTempDir("manifest") + "/m.xml";
  ASSERT_TRUE(TeskTest::WriteFile(
      aManifest,
      R"(<ResourceManifest><Resources id="Old"><SetDefaults path="fonts" idprefix="" /><Font id="OLD" path="medium.txt" image="fonts/medium.png" /></Resources></ResourceManifest>)"));
  ASSERT_TRUE(mManager->ParseResourcesFile(aManifest));
  EXPECT_FALSE(mManager->LoadResources("Old"));
  auto* aRes = static_cast<ResourceManager::FontRes*>(mManager->mFontMap.at("OLD"));
  EXPECT_EQ(aRes->mFont, nullptr);
  ASSERT_NE(aRes->mImage, nullptr);
  std::unique_ptr<Tesk::DDImage> aSheet(mApp->GetImage("fonts/medium.png"));
  ASSERT_NE(aSheet, nullptr);
  EXPECT_EQ(aRes->mImage->mWidth, aSheet->mWidth);
  mManager->DeleteResources("Old");
  EXPECT_EQ(aRes->mImage, nullptr);
}

// A damaged or missing file stops its group with the file's error; everything loaded before
// it stays, and other groups load as ever.
TEST_F(ResourceLoadTest, DamagedFilesInTheSet) {
  struct Case {
    const char* mFile;
    int mKeepBytes;  // -1: the file is removed
    const char* mText;
    const char* mLoadedBefore;  // an id of "Main" listed before the damaged one
  };
  const Case kCases[] = {
      {"images/backdrop.tga", 100, "Failed to load image: images/backdrop.tga", "IMAGE_TITLE"},
      {"images/icons.gif", 30, "Failed to load image: images/icons.gif", "IMAGE_TILES"},
      {"images/panel.png", 60, "Failed to load image: images/panel.png", "IMAGE_WISPS"},
      {"images/sparkle_grid.png", 50, "Failed to load image: images/sparkle_grid.png", "IMAGE_SKY"},
      {"images/title_a.png", -1, "Failed to load image: images/title_a.png", nullptr},
      {"fonts/small.txt", -1, "Failed to load font: fonts/small.txt", "IMAGE_FAIRY"},
      {"sounds/chime.ogg", 40, "Failed to load sound: sounds/chime", "FONT_SERIF"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mFile);
    const std::string aDir = StartInCopy("damaged");
    if (c.mKeepBytes < 0)
      std::filesystem::remove(aDir + "/" + c.mFile);
    else
      std::filesystem::resize_file(aDir + "/" + c.mFile, c.mKeepBytes);
    ASSERT_TRUE(ParseSet());
    ASSERT_TRUE(mManager->LoadResources("Init")) << mManager->GetErrorText();
    EXPECT_FALSE(mManager->LoadResources("Main"));
    EXPECT_EQ(mManager->GetErrorText(), c.mText);
    EXPECT_TRUE(AllLoaded("Init"));
    if (c.mLoadedBefore != nullptr) {
      for (const SetEntry& anEntry : GroupEntries("Main")) {
        if (anEntry.mId == c.mLoadedBefore) {
          EXPECT_TRUE(IsLoaded(anEntry)) << anEntry.mId;
        }
      }
    }
    ASSERT_TRUE(mManager->LoadResources("Title")) << mManager->GetErrorText();
    EXPECT_TRUE(AllLoaded("Title"));
  }
}

// What a loaded set looks like from outside: every image's pixels, every font's measures,
// every sound's format and samples.
struct LoadedSet {
  std::map<std::string, std::vector<uint32_t>> mImages;
  std::map<std::string, std::vector<int>> mFonts;
  std::map<std::string, std::string> mSounds;
};

LoadedSet Capture(ResourceManager& theManager, Tesk::DSoundManager& theSounds) {
  LoadedSet aSet;
  for (const char* aGroup : kGroups) {
    for (const SetEntry& anEntry : GroupEntries(aGroup)) {
      if (anEntry.mSpec.mKind == ResourceKind::Image) {
        Tesk::SharedImageRef aRef = theManager.GetImageThrow(anEntry.mId);
        Tesk::DDImage* anImage = aRef;
        const uint32_t* aBits = anImage->GetBits();
        aSet.mImages[anEntry.mId].assign(aBits, aBits + anImage->mWidth * anImage->mHeight);
      } else if (anEntry.mSpec.mKind == ResourceKind::Font) {
        Tesk::Font* aFont = theManager.GetFontThrow(anEntry.mId);
        aSet.mFonts[anEntry.mId] = {aFont->GetHeight(), aFont->GetAscent(),
                                    aFont->StringWidth(L"Hidden objects!")};
      } else {
        Tesk::macDirectSoundBuffer* aBuffer =
            theSounds.GetSourceBuffer(theManager.GetSoundThrow(anEntry.mId));
        Tesk::WAVEFORMATEX aFormat{};
        aBuffer->GetFormat(&aFormat, sizeof(aFormat), nullptr);
        void* aData = nullptr;
        void* aData2 = nullptr;
        uint32_t aLength = 0;
        uint32_t aLength2 = 0;
        std::string& aBytes = aSet.mSounds[anEntry.mId];
        aBytes = std::to_string(aFormat.nSamplesPerSec) + "/" + std::to_string(aFormat.nChannels) + "/" +
                 std::to_string(aFormat.wBitsPerSample) + ":";
        // Asking for more than the buffer holds gives the whole buffer as the first part.
        if (aBuffer->Lock(0, UINT32_MAX, &aData, &aLength, &aData2, &aLength2, 0) == 0) {
          aBytes.append(static_cast<const char*>(aData), aLength);
          aBuffer->Unlock(aData, aLength, aData2, aLength2);
        }
      }
    }
  }
  return aSet;
}

TEST_F(ResourceLoadTest, LooseFilesAndTheArchiveGiveTheSameSet) {
  for (const char* aGroup : kGroups) ASSERT_TRUE(mManager->LoadResources(aGroup)) << mManager->GetErrorText();
  const LoadedSet aLoose = Capture(*mManager, *mApp->mSounds);

  Stop();
  Start(ResourceTest::PakDir());
  ASSERT_TRUE(std::filesystem::exists("main.pak"));
  ASSERT_FALSE(std::filesystem::exists("images"));
  ASSERT_TRUE(mPak->AddPakFile("main.pak"));
  ASSERT_TRUE(ParseSet());
  for (const char* aGroup : kGroups) ASSERT_TRUE(mManager->LoadResources(aGroup)) << mManager->GetErrorText();
  const LoadedSet anArchived = Capture(*mManager, *mApp->mSounds);

  EXPECT_EQ(anArchived.mImages.size(), 16u);
  EXPECT_EQ(anArchived.mFonts.size(), 6u);
  EXPECT_EQ(anArchived.mSounds.size(), 6u);
  for (const auto& anImage : aLoose.mImages)
    EXPECT_TRUE(anImage.second == anArchived.mImages.at(anImage.first)) << anImage.first;
  EXPECT_EQ(aLoose.mFonts, anArchived.mFonts);
  for (const auto& aSound : aLoose.mSounds) {
    EXPECT_GT(aSound.second.size(), 20u) << aSound.first;
    EXPECT_TRUE(aSound.second == anArchived.mSounds.at(aSound.first)) << aSound.first;
  }
}

}  // namespace
