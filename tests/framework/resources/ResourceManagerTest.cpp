#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PakFixture.h"
#include "graphics/ImageRegistry.h"
#include "resources/ResourceManager.h"

using Tesk::ResourceManager;

namespace {

class ManifestTest : public PakFixture {
 protected:
  // Parses theText written as m.xml; keeps the manager for inspection.
  bool Parse(const std::string& theText) {
    EXPECT_TRUE(TeskTest::WriteFile("m.xml", theText));
    mManager = std::make_unique<ResourceManager>(nullptr);
    return mManager->ParseResourcesFile("m.xml");
  }
  ResourceManager::ImageRes* Image(const std::string& theId) {
    auto anItr = mManager->mImageMap.find(theId);
    return anItr == mManager->mImageMap.end() ? nullptr
                                              : static_cast<ResourceManager::ImageRes*>(anItr->second);
  }
  ResourceManager::FontRes* Font(const std::string& theId) {
    auto anItr = mManager->mFontMap.find(theId);
    return anItr == mManager->mFontMap.end() ? nullptr
                                             : static_cast<ResourceManager::FontRes*>(anItr->second);
  }
  ResourceManager::SoundRes* Sound(const std::string& theId) {
    auto anItr = mManager->mSoundMap.find(theId);
    return anItr == mManager->mSoundMap.end() ? nullptr
                                              : static_cast<ResourceManager::SoundRes*>(anItr->second);
  }
  std::vector<std::string> GroupIds(const std::string& theGroup) {
    std::vector<std::string> anIds;
    for (ResourceManager::BaseRes* aRes : mManager->mResGroupMap[theGroup]) anIds.push_back(aRes->mId);
    return anIds;
  }
  std::unique_ptr<ResourceManager> mManager;
};

const char* const kManifest = R"(<?xml version="1.0"?>
<ResourceManifest>
  <!-- comments need white space after the opening -->
  <Resources id="Init">
    <SetDefaults path="images" idprefix="IMAGE_" />
    <Image id="LOGO" path="logo.png" />
    <Image path="sparkle" cols="4" alphagrid="sparkle_grid.png" anim="loop" framedelay="5" perframedelay="5,5,10,20" />
    <Image id="TITLE" path="title.jpg" alphaimage="title_a.png" nopal alphacolor="ff00ff" variant="v1" />
    <Image id="SCREEN" path="!program" />
    <Image path="!program" />
    <Image id="FLAGS" path="f.png" a4r4g4b4 a8r8g8b8 ddsurface minsubdivide noalpha rows="2" nobits2d />
    <SetDefaults path="fonts\" idprefix="FONT_\" />
    <Font id="MEDIUM" path="medium.txt" tags="outline, big" />
    <Font id="MEDIUM2" path="!ref:FONT_MEDIUM" />
    <Font id="SYS" path="!sys:Arial" size="12" bold shadow />
    <Font id="OLD" path="old.txt" image="sheet.png" />
    <SetDefaults path="sounds" idprefix="SFX_" />
    <Sound id="CLICK" path="click.wav" volume="0.5" pan="-200" />
    <Sound id="PLAIN" path="plain.ogg" volume="loud" pan="left" />
  </Resources>
  <Resources id="Main">
    <Image path="a/b.png" />
  </Resources>
  <Resources id="MAIN">
    <Sound path="x/y.z.au" />
  </Resources>
</ResourceManifest>
)";

TEST_F(ManifestTest, RecordsDefaultsAndPrefixes) {
  ASSERT_TRUE(Parse(kManifest)) << mManager->GetErrorText();
  EXPECT_FALSE(mManager->HadError());

  auto* aLogo = Image("IMAGE_LOGO");
  ASSERT_NE(aLogo, nullptr);
  EXPECT_EQ(aLogo->mPath, "images/logo.png");
  EXPECT_EQ(aLogo->mResGroup, "Init");
  EXPECT_TRUE(aLogo->mPalletize);
  EXPECT_TRUE(aLogo->mAutoFindAlpha);
  EXPECT_EQ(aLogo->mAlphaColor, 0xFFFFFFu);
  EXPECT_EQ(aLogo->mRows, 1);
  EXPECT_EQ(aLogo->mCols, 1);
  EXPECT_EQ(aLogo->mAnimInfo.mAnimType, Tesk::AnimType_None);
  EXPECT_EQ(aLogo->mXMLAttributes.size(), 2u);

  auto* aSparkle = Image("IMAGE_sparkle");  // id from the file name
  ASSERT_NE(aSparkle, nullptr);
  EXPECT_EQ(aSparkle->mPath, "images/sparkle");
  EXPECT_EQ(aSparkle->mAlphaGridImage, "images/sparkle_grid.png");
  EXPECT_EQ(aSparkle->mCols, 4);
  EXPECT_EQ(aSparkle->mAnimInfo.mAnimType, Tesk::AnimType_Loop);
  EXPECT_EQ(aSparkle->mAnimInfo.mFrameDelay, 5);
  EXPECT_EQ(aSparkle->mAnimInfo.mNumCels, 4);
  EXPECT_EQ(aSparkle->mAnimInfo.mPerFrameDelay, (std::vector<int>{5, 5, 10, 20}));

  auto* aTitle = Image("IMAGE_TITLE");
  ASSERT_NE(aTitle, nullptr);
  EXPECT_EQ(aTitle->mAlphaImage, "images/title_a.png");
  EXPECT_FALSE(aTitle->mPalletize);
  EXPECT_EQ(aTitle->mAlphaColor, 0xFF00FFu);
  EXPECT_EQ(aTitle->mVariant, "v1");

  auto* aScreen = Image("IMAGE_SCREEN");
  ASSERT_NE(aScreen, nullptr);
  EXPECT_TRUE(aScreen->mFromProgram);
  EXPECT_EQ(aScreen->mPath, "!program");
  auto* aProgram = Image("IMAGE_!program");
  ASSERT_NE(aProgram, nullptr);
  EXPECT_TRUE(aProgram->mFromProgram);

  auto* aFlags = Image("IMAGE_FLAGS");
  ASSERT_NE(aFlags, nullptr);
  EXPECT_TRUE(aFlags->mA4R4G4B4 && aFlags->mA8R8G8B8 && aFlags->mDDSurface && aFlags->mMinimizeSubdivisions);
  EXPECT_FALSE(aFlags->mAutoFindAlpha);
  EXPECT_EQ(aFlags->mRows, 2);
  EXPECT_TRUE(aFlags->mPurgeBits);  // no 3D without an application

  auto* aMedium = Font("FONT_MEDIUM");  // one trailing backslash of the prefix is dropped
  ASSERT_NE(aMedium, nullptr);
  EXPECT_EQ(aMedium->mPath, "fonts/medium.txt");
  EXPECT_EQ(aMedium->mTags, "outline, big");
  EXPECT_FALSE(aMedium->mSysFont);
  auto* aRef = Font("FONT_MEDIUM2");
  ASSERT_NE(aRef, nullptr);
  EXPECT_EQ(aRef->mPath, "!ref:FONT_MEDIUM");
  EXPECT_FALSE(aRef->mFromProgram);
  auto* aSys = Font("FONT_SYS");
  ASSERT_NE(aSys, nullptr);
  EXPECT_TRUE(aSys->mSysFont);
  EXPECT_EQ(aSys->mPath, "Arial");
  EXPECT_EQ(aSys->mSize, 12);
  EXPECT_TRUE(aSys->mBold && aSys->mShadow);
  EXPECT_FALSE(aSys->mItalic || aSys->mUnderline);
  auto* anOld = Font("FONT_OLD");
  ASSERT_NE(anOld, nullptr);
  EXPECT_EQ(anOld->mImagePath, "sheet.png");  // no default path for the legacy sheet

  auto* aClick = Sound("SFX_CLICK");
  ASSERT_NE(aClick, nullptr);
  EXPECT_EQ(aClick->mPath, "sounds/click.wav");
  EXPECT_DOUBLE_EQ(aClick->mVolume, 0.5);
  EXPECT_EQ(aClick->mPanning, -200);
  EXPECT_EQ(aClick->mSoundId, -1);
  auto* aPlain = Sound("SFX_PLAIN");  // values that do not scan leave the defaults
  ASSERT_NE(aPlain, nullptr);
  EXPECT_DOUBLE_EQ(aPlain->mVolume, -1.0);
  EXPECT_EQ(aPlain->mPanning, 0);

  // Groups match without case; ids keep theirs.
  EXPECT_EQ(mManager->mResGroupMap.size(), 2u);
  EXPECT_EQ(GroupIds("main"), (std::vector<std::string>{"SFX_b", "SFX_y.z"}));
  EXPECT_EQ(GroupIds("INIT").size(), 12u);
  EXPECT_EQ(GroupIds("Init").front(), "IMAGE_LOGO");
  EXPECT_EQ(Image("image_logo"), nullptr);
  EXPECT_EQ(Image("SFX_b")->mPath, "sounds/a/b.png");
}

TEST_F(ManifestTest, SetDefaultsTable) {
  struct Case {
    const char* defaults;
    const char* path;
    const char* id;
  };
  const Case kCases[] = {
      {R"(path="images\" idprefix="IMG_")", "images/a/b.png", "IMG_b"},
      {R"(path="images/" idprefix="IMG_/")", "images/a/b.png", "IMG_b"},
      {R"(path="images//")", "images//a/b.png", "b"},  // only one separator is dropped
      {R"(path="")", "/a/b.png", "b"},
      {R"(idprefix="P")", "a/b.png", "Pb"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.defaults);
    ASSERT_TRUE(Parse(std::string("<ResourceManifest><Resources id=\"g\"><SetDefaults ") + c.defaults +
                      " /><Image path=\"a/b.png\" /></Resources></ResourceManifest>"))
        << mManager->GetErrorText();
    auto* aRes = Image(c.id);
    ASSERT_NE(aRes, nullptr);
    EXPECT_EQ(aRes->mPath, c.path);
  }
}

TEST_F(ManifestTest, AnimationAttributes) {
  struct Case {
    const char* attrs;
    bool ok;
    int type;
    std::vector<int> perFrame;
    std::vector<int> frameMap;
  };
  const Case kCases[] = {
      {R"(anim="Once")", true, Tesk::AnimType_Once, {}, {}},
      {R"(anim="LOOP" perframedelay="100, 50,25")", true, Tesk::AnimType_Loop, {100, 50, 25}, {}},
      {R"(anim="PingPong")", true, Tesk::AnimType_PingPong, {}, {0, 1, 2, 1}},
      {R"(anim="none" perframedelay="7,7,7")",
       true,
       Tesk::AnimType_None,
       {},
       {}},  // delays only with an animation
      {R"(anim="once" framemap="2,1,0")", true, Tesk::AnimType_Once, {}, {2, 1, 0}},
      {R"(anim="once" begindelay="9" enddelay="4" framedelay="2")", true, Tesk::AnimType_Once, {9, 2, 4}, {}},
      {R"(anim="bounce")", false, 0, {}, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.attrs);
    bool anOk = Parse(std::string("<ResourceManifest><Resources id=\"g\"><Image path=\"s.png\" cols=\"3\" ") +
                      c.attrs + " /></Resources></ResourceManifest>");
    EXPECT_EQ(anOk, c.ok);
    auto* aRes = Image("s");
    ASSERT_NE(aRes, nullptr);  // registered even when the animation type is refused
    if (!c.ok) {
      EXPECT_EQ(mManager->GetErrorText(), "Invalid animation type. on Line 1 in File 'm.xml'");
      continue;
    }
    EXPECT_EQ(aRes->mAnimInfo.mAnimType, c.type);
    EXPECT_EQ(aRes->mAnimInfo.mPerFrameDelay, c.perFrame);
    EXPECT_EQ(aRes->mAnimInfo.mFrameMap, c.frameMap);
  }
}

TEST_F(ManifestTest, AbsurdCelCountsAndDelaysAreRefused) {
  std::string aLongMap = "0";
  for (int i = 1; i <= 32768; ++i) aLongMap += ",0";  // 32769 frames
  struct Case {
    std::string attrs;
    const char* error;  // empty: accepted
  };
  const Case kCases[] = {
      {R"(rows="16384" cols="16384")", ""},  // a cel per pixel of the largest image
      {R"(rows="16385")", "Invalid rows value."},
      {R"(cols="2000000000" anim="pingpong")", "Invalid cols value."},
      {R"(cols="0")", ""},  // no cels: the grid alpha step reports it
      {R"(cols="4" anim="loop" framedelay="65535" perframedelay="1,65535")", ""},
      {R"(cols="4" anim="loop" framedelay="65536")", "Invalid frame delay."},
      {R"(cols="4" anim="loop" begindelay="2000000000")", "Invalid frame delay."},
      {R"(cols="4" anim="loop" enddelay="70000")", "Invalid frame delay."},
      {R"(cols="4" anim="loop" perframedelay="5,99999,5")", "Invalid frame delay."},
      {R"(cols="4" anim="none" framedelay="99999")", ""},  // delays are read only with an animation
      {R"(anim="once" framemap=")" + aLongMap.substr(2) + "\"", ""},
      {R"(anim="once" framemap=")" + aLongMap + "\"", "Invalid frame map."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.attrs.substr(0, 60));
    const bool anOk = Parse("<ResourceManifest><Resources id=\"g\"><Image path=\"s.png\" " + c.attrs +
                            " /></Resources></ResourceManifest>");
    EXPECT_EQ(anOk, *c.error == '\0');
    if (*c.error != '\0') {
      EXPECT_EQ(mManager->GetErrorText(), std::string(c.error) + " on Line 1 in File 'm.xml'");
    }
    ASSERT_NE(Image("s"), nullptr);  // registered before its attributes are read, as with a bad type
  }
  // What is accepted adds up inside an int: 32766 ping-pong frames of 65535 ticks.
  ASSERT_TRUE(Parse(R"(<ResourceManifest><Resources id="g"><Image path="s.png" cols="16384" anim="pingpong" )"
                    R"(framedelay="65535" /></Resources></ResourceManifest>)"));
  EXPECT_EQ(Image("s")->mAnimInfo.mTotalAnimTime, 32766 * 65535);
}

// The application's 3-D switch, as the manifest parser asks for it.
class FakeDisplayMode : public Tesk::ImageRegistry {
 public:
  explicit FakeDisplayMode(bool is3D) : m3D(is3D) { Tesk::gImageRegistry = this; }
  ~FakeDisplayMode() override { Tesk::gImageRegistry = nullptr; }
  void AddMemoryImage(Tesk::MemoryImage*) override {}
  void RemoveMemoryImage(Tesk::MemoryImage*) override {}
  void Remove3DData(Tesk::MemoryImage*) override {}
  bool Is3DAccelerated() override { return m3D; }
  Tesk::NativeDisplay* GetNativeDisplay() override { return nullptr; }
  bool m3D;
};

TEST_F(ManifestTest, PurgeFlagsFollowTheDisplayMode) {
  struct Case {
    const char* attrs;
    bool is3D;
    bool purge;
  };
  const Case kCases[] = {
      {"", true, false},          {"nobits", false, true},
      {"nobits", true, true},     {"nobits3d", true, true},
      {"nobits3d", false, false}, {"nobits2d", true, false},
      {"nobits2d", false, true},  {"nobits3d nobits2d", false, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.attrs << " 3d=" << c.is3D);
    FakeDisplayMode aMode(c.is3D);
    ASSERT_TRUE(Parse(std::string("<ResourceManifest><Resources id=\"g\"><Image path=\"p.png\" ") + c.attrs +
                      " /></Resources></ResourceManifest>"));
    EXPECT_EQ(Image("p")->mPurgeBits, c.purge);
  }
}

TEST(ReadIntVector, Table) {
  struct Case {
    const wchar_t* text;
    std::vector<int> values;
  };
  const Case kCases[] = {
      {L"100, 50,25", {100, 50, 25}}, {L"", {0}},        {L"1,,3", {1, 0, 3}},
      {L" -4,+5", {-4, 5}},           {L"7x,8", {7, 8}}, {L"1,", {1, 0}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(Tesk::WStringToString(c.text));
    std::vector<int> aValues = {99};
    Tesk::ReadIntVector(c.text, aValues);
    EXPECT_EQ(aValues, c.values);
  }
}

TEST_F(ManifestTest, ErrorTextsWithLineAndFile) {
  struct Case {
    const char* name;
    const char* text;
    const char* error;
  };
  const Case kCases[] = {
      {"root", "<?xml?>\n<Manifest/>", "Expecting ResourceManifest tag on Line 2 in File 'm.xml'"},
      {"empty", "", " on Line 1 in File 'm.xml'"},
      {"only comments", "<!-- a -->\n<?xml?>\n", " on Line 3 in File 'm.xml'"},
      {"no id", "<ResourceManifest>\n<Resources>", "No id specified. on Line 2 in File 'm.xml'"},
      {"empty id", "<ResourceManifest><Resources id=\"\">", "No id specified. on Line 1 in File 'm.xml'"},
      {"section in root", "<ResourceManifest>\n\n<Images>",
       "Invalid Section 'Images' on Line 3 in File 'm.xml'"},
      {"section in group", "<ResourceManifest><Resources id=\"a\">\n<Music path=\"x\"/>",
       "Invalid Section 'Music' on Line 2 in File 'm.xml'"},
      {"text in root", "<ResourceManifest> hello  there <Resources/>",
       "Element Not Expected 'hello there' on Line 1 in File 'm.xml'"},
      {"text in group", "<ResourceManifest><Resources id=\"a\">\nstray\n</Resources>",
       "Element Not Expected 'stray' on Line 3 in File 'm.xml'"},
      {"nested",
       "<ResourceManifest><Resources id=\"a\"><Image path=\"i.png\"><Sound path=\"s.wav\"/></Image>",
       "Unexpected element found. on Line 1 in File 'm.xml'"},
      {"no self close",
       "<ResourceManifest><Resources id=\"a\"><Font path=\"f.txt\" bold/>\n<Font path=\"g.txt\" />",
       "Unexpected element found. on Line 2 in File 'm.xml'"},
      {"no path", "<ResourceManifest><Resources id=\"a\">\n\n<Image id=\"x\" />",
       "No path specified. on Line 3 in File 'm.xml'"},
      {"empty path", "<ResourceManifest><Resources id=\"a\"><Sound path=\"\" />",
       "No path specified. on Line 1 in File 'm.xml'"},
      {"duplicate",
       "<ResourceManifest><Resources id=\"a\">\n<Image path=\"x.png\" />\n<Image path=\"y/x.gif\" />",
       "Resource already defined. on Line 3 in File 'm.xml'"},
      {"duplicate across groups",
       "<ResourceManifest><Resources id=\"a\"><Font path=\"x\" /></Resources>\n"
       "<Resources id=\"b\"><Font path=\"x\" /></Resources>",
       "Resource already defined. on Line 2 in File 'm.xml'"},
      {"sys font size 0", "<ResourceManifest><Resources id=\"a\"><Font path=\"!sys:Arial\" size=\"0\" />",
       "SysFont needs point size on Line 1 in File 'm.xml'"},
      {"sys font no size", "<ResourceManifest><Resources id=\"a\"><Font path=\"!sys:Arial\" />",
       "SysFont needs point size on Line 1 in File 'm.xml'"},
      {"reader error", "<ResourceManifest><Resources id=\"a\">\n</ResourceManifest>",
       "End 'ResourceManifest' Doesn't Match Start 'Resources' on Line 2 in File 'm.xml'"},
      {"reader error in root", "<ResourceManifest>\n<Resources id=\"a\"\n",
       "Unexpected End of File on Line 3 in File 'm.xml'"},
      {"first error wins", "<ResourceManifest><Resources id=\"a\"><Image path=\"x\" anim=\"no\" /><Sound/>",
       "Invalid animation type. on Line 1 in File 'm.xml'"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(Parse(c.text));
    EXPECT_TRUE(mManager->HadError());
    EXPECT_EQ(mManager->GetErrorText(), c.error);
    EXPECT_EQ(mManager->mXMLParser, nullptr);
  }
}

TEST_F(ManifestTest, ErrorsKeepWhatWasRegisteredAndLaterFailuresCarryNoDecoration) {
  EXPECT_FALSE(
      Parse("<ResourceManifest><Resources id=\"a\"><Image path=\"x.png\" /><Image path=\"x.png\" />"));
  EXPECT_EQ(mManager->mImageMap.size(), 1u);
  EXPECT_EQ(GroupIds("a"), (std::vector<std::string>{"x"}));
  EXPECT_FALSE(mManager->Fail("later"));
  EXPECT_EQ(mManager->GetErrorText(), "Resource already defined. on Line 1 in File 'm.xml'");

  ResourceManager aFresh(nullptr);
  EXPECT_FALSE(aFresh.Fail("plain"));
  EXPECT_EQ(aFresh.GetErrorText(), "plain");
}

TEST_F(ManifestTest, MissingManifestHasNoDecoration) {
  // The build's own resources folder holds a manifest: look in an empty one instead.
  setenv("TESK_RESOURCES_DIR", TeskTest::MakeTempDir("no-manifest").c_str(), 1);
  ResourceManager aManager(nullptr);
  EXPECT_FALSE(aManager.ParseResourcesFile("properties\\resources.xml"));
  EXPECT_EQ(aManager.GetErrorText(), "Resource file not found: properties\\resources.xml");
  unsetenv("TESK_RESOURCES_DIR");
}

TEST_F(ManifestTest, UnclosedManifestAfterACompleteElementParses) {
  EXPECT_TRUE(Parse("<ResourceManifest><Resources id=\"a\"><Image path=\"x.png\" />"));
  EXPECT_TRUE(Parse("<ResourceManifest><Resources id=\"a\"><Image path=\"x.png\"></Image>\n"));
  EXPECT_NE(Image("x"), nullptr);
}

TEST_F(ManifestTest, ManifestFromTheArchiveOrTheResourcesFolder) {
  TeskTools::PakWriter aWriter;
  aWriter.Add("properties\\resources.xml", kManifest);
  ASSERT_TRUE(aWriter.WriteFile("main.pak"));
  ASSERT_TRUE(mPak->AddPakFile("main.pak"));
  *gPakInterfaceP = mPak.get();
  ResourceManager aPacked(nullptr);
  EXPECT_TRUE(aPacked.ParseResourcesFile("properties\\resources.xml")) << aPacked.GetErrorText();

  *gPakInterfaceP = nullptr;
  std::string aRes = TeskTest::MakeTempDir("res");
  ASSERT_EQ(mkdir((aRes + "/properties").c_str(), 0755), 0);
  ASSERT_TRUE(TeskTest::WriteFile(aRes + "/properties/resources.xml", kManifest));
  setenv("TESK_RESOURCES_DIR", aRes.c_str(), 1);
  ResourceManager aLoose(nullptr);
  EXPECT_TRUE(aLoose.ParseResourcesFile("properties\\resources.xml")) << aLoose.GetErrorText();
  unsetenv("TESK_RESOURCES_DIR");

  ASSERT_EQ(aPacked.mImageMap.size(), aLoose.mImageMap.size());
  for (const auto& anEntry : aPacked.mImageMap)
    EXPECT_EQ(aLoose.mImageMap.at(anEntry.first)->mPath, anEntry.second->mPath);
}

}  // namespace
