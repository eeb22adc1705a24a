#include <gtest/gtest.h>

#include "ParticleSheetWriter.h"
#include "ParticleTestSupport.h"

TEST(ParticleSheetWriter, LayoutMatchesTheModule) {
  struct Case {
    int rows, cols;
  };
  const Case kCases[] = {{2, 4}, {2, 4}, {2, 4}, {1, 4}, {1, 1}};
  for (int i = 0; i < TeskTools::k_particleSheetCount; ++i) {
    SCOPED_TRACE(i);
    TeskTools::ParticleSheet aSheet = TeskTools::MakeParticleSheet(i, 32);
    EXPECT_EQ(aSheet.mRows, kCases[i].rows);
    EXPECT_EQ(aSheet.mCols, kCases[i].cols);
    EXPECT_EQ(aSheet.mWidth, 32 * kCases[i].cols);
    EXPECT_EQ(aSheet.mHeight, 32 * kCases[i].rows);
    ASSERT_EQ(aSheet.mPixels.size(), static_cast<size_t>(aSheet.mWidth * aSheet.mHeight));
    // Glow: opaque-ish centre, clear corner away from the number.
    EXPECT_GT(aSheet.mPixels[16 * aSheet.mWidth + 16] >> 24, 100u);
    EXPECT_EQ(aSheet.mPixels[31 * aSheet.mWidth + 31] >> 24, 0u);
  }
}

TEST_F(ParticleTest, GeneratedSheetsGiveThirtyTwoPixelCells) {
  Tesk::RecordingImage* aSheets[5] = {&mSheet0, &mSheet1, &mSheet2, &mSheet3, &mSheet4};
  for (int i = 0; i < 5; ++i) {
    TeskTools::ParticleSheet aSheet = TeskTools::MakeParticleSheet(i, 32);
    aSheets[i]->mWidth = aSheet.mWidth;
    aSheets[i]->mHeight = aSheet.mHeight;
  }
  PARTICLE::init(&mScreen, &mSheet0, &mSheet1, &mSheet2, &mSheet3, &mSheet4);
  for (const PARTICLE::PartImageData& d : PARTICLE::s_partImageData) {
    EXPECT_EQ(d.m_cellWidth, 32);
    EXPECT_EQ(d.m_cellHeight, 32);
  }
}
