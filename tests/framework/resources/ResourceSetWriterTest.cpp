// The generated resource set: its manifest parses into the records the tables describe,
// every file it names decodes, and the archive holds the same bytes as the loose tree.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PakFixture.h"
#include "ResourceSetWriter.h"
#include "resources/ImageLib.h"
#include "resources/PFile.h"
#include "resources/ResourceManager.h"

using TeskTools::AlphaFile;
using TeskTools::FileFormat;
using TeskTools::ResourceKind;

namespace {

class ResourceSetWriterTest : public PakFixture {
 protected:
  void SetUp() override {
    PakFixture::SetUp();
    mSet = TeskTools::DefaultResourceSet();
    std::string anError;
    ASSERT_TRUE(TeskTools::WriteResourceSet(mSet, mDir, &anError)) << anError;
  }

  std::string ReadThroughApi(const std::string& thePath) {
    PFILE* aFile = p_fopen(thePath.c_str(), "rb");
    if (aFile == nullptr) return "<none>";
    std::string anOut;
    char aBuf[4096];
    int aCount;
    while ((aCount = p_fread(aBuf, 1, sizeof(aBuf), aFile)) > 0) anOut.append(aBuf, aCount);
    p_fclose(aFile);
    return anOut;
  }

  TeskTools::ResourceSetSpec mSet;
};

TEST_F(ResourceSetWriterTest, ManifestParsesIntoOneRecordPerTableEntry) {
  Tesk::ResourceManager aManager(nullptr);
  ASSERT_TRUE(aManager.ParseResourcesFile(mSet.mManifestPath)) << aManager.GetErrorText();

  size_t aCounts[3] = {0, 0, 0};
  for (const auto& aGroup : mSet.mGroups) {
    SCOPED_TRACE(aGroup.mName);
    ASSERT_EQ(aManager.mResGroupMap[aGroup.mName].size(), aGroup.mResources.size());
    auto aRecord = aManager.mResGroupMap[aGroup.mName].begin();
    for (const auto& aRes : aGroup.mResources) {
      SCOPED_TRACE(aRes.mId);
      ++aCounts[static_cast<int>(aRes.mKind)];
      EXPECT_EQ((*aRecord)->mType, static_cast<int>(aRes.mKind));
      const std::string& aPrefix = aRes.mKind == ResourceKind::Image   ? mSet.mImagePrefix
                                   : aRes.mKind == ResourceKind::Sound ? mSet.mSoundPrefix
                                                                       : mSet.mFontPrefix;
      EXPECT_EQ((*aRecord)->mId, aPrefix + aRes.mId);
      if (aRes.mKind == ResourceKind::Image) {
        auto* anImage = static_cast<Tesk::ResourceManager::ImageRes*>(*aRecord);
        EXPECT_EQ(anImage->mRows, aRes.mRows);
        EXPECT_EQ(anImage->mCols, aRes.mCols);
        EXPECT_EQ(anImage->mAlphaImage.empty(), aRes.mAlpha != AlphaFile::Image);
        EXPECT_EQ(anImage->mAlphaGridImage.empty(), aRes.mAlpha != AlphaFile::Grid);
      }
      ++aRecord;
    }
  }
  EXPECT_EQ(aManager.mImageMap.size(), aCounts[0]);
  EXPECT_EQ(aManager.mSoundMap.size(), aCounts[1]);
  EXPECT_EQ(aManager.mFontMap.size(), aCounts[2]);
}

TEST_F(ResourceSetWriterTest, EveryImageDecodesAtItsSizeWithItsAlphaFiles) {
  for (const auto& aGroup : mSet.mGroups) {
    for (const auto& aRes : aGroup.mResources) {
      if (aRes.mKind != ResourceKind::Image || aRes.mPath[0] == '!') continue;
      SCOPED_TRACE(aRes.mId);
      std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetImage(mSet.mImageFolder + "/" + aRes.mPath));
      ASSERT_NE(anImage, nullptr);
      EXPECT_EQ(anImage->mWidth, aRes.mWidth);
      EXPECT_EQ(anImage->mHeight, aRes.mHeight);
      if (aRes.mAlpha == AlphaFile::Only) {
        // Composed from the alpha file with the alpha colour (white outside a load).
        EXPECT_EQ(anImage->mBits[0] & 0xFFFFFF, 0xFFFFFFu);
      }
      if (aRes.mAlpha == AlphaFile::Grid) {
        const std::string aGrid =
            mSet.mImageFolder + "/" + aRes.mPath.substr(0, aRes.mPath.rfind('.')) + "_grid.png";
        std::unique_ptr<ImageLib::Image> aGridImage(ImageLib::GetImage(aGrid, false));
        ASSERT_NE(aGridImage, nullptr);
        EXPECT_EQ(aGridImage->mWidth, aRes.mWidth / aRes.mCols);
        EXPECT_EQ(aGridImage->mHeight, aRes.mHeight / aRes.mRows);
      }
    }
  }
}

TEST_F(ResourceSetWriterTest, ImageBlocksHoldTheirImages) {
  for (const auto& aBlock : mSet.mBlocks) {
    SCOPED_TRACE(aBlock.mPath);
    ImageLib::Image* anImages[16] = {};
    const int aCount = ImageLib::GetImageBlock(aBlock.mPath, anImages, 16);
    EXPECT_EQ(aCount, aBlock.mCount);
    for (int i = 0; i < aCount; ++i) {
      EXPECT_EQ(anImages[i]->mWidth, aBlock.mWidth + i);
      EXPECT_EQ(anImages[i]->mHeight, aBlock.mHeight);
      delete anImages[i];
    }
  }
}

TEST_F(ResourceSetWriterTest, ArchiveHoldsTheLooseTreeByteForByte) {
  const std::string aPakDir = TeskTest::MakeTempDir("resource-pak");
  std::string anError;
  ASSERT_TRUE(TeskTools::WriteResourcePak(mDir, aPakDir + "/main.pak", &anError)) << anError;

  const char* const kFiles[] = {"properties/resources.xml", "images/title.jpg", "images/sparkle_grid.png",
                                "fonts/medium.txt",         "sounds/chime.ogg", "builddata/titleblock.tgab"};
  std::string aLoose[std::size(kFiles)];
  for (size_t i = 0; i < std::size(kFiles); ++i) aLoose[i] = ReadThroughApi(kFiles[i]);

  ASSERT_EQ(chdir(aPakDir.c_str()), 0);
  ASSERT_TRUE(mPak->AddPakFile("main.pak"));
  for (size_t i = 0; i < std::size(kFiles); ++i) {
    SCOPED_TRACE(kFiles[i]);
    ASSERT_NE(aLoose[i], "<none>");
    EXPECT_EQ(ReadThroughApi(kFiles[i]), aLoose[i]);
  }
  // The manifest is found under the name the program asks for.
  EXPECT_EQ(ReadThroughApi("properties\\resources.xml"), aLoose[0]);
}

TEST_F(ResourceSetWriterTest, SameTablesGiveTheSameBytes) {
  const std::string anOther = TeskTest::MakeTempDir("resource-again");
  std::string anError;
  ASSERT_TRUE(TeskTools::WriteResourceSet(mSet, anOther, &anError)) << anError;
  for (const char* aFile : {"properties/resources.xml", "images/icons.gif", "images/tiles.tga",
                            "fonts/small.png", "sounds/theme.ogg"}) {
    SCOPED_TRACE(aFile);
    EXPECT_EQ(TeskTest::ReadFile(anOther + "/" + aFile), TeskTest::ReadFile(mDir + "/" + aFile));
  }
}

}  // namespace
