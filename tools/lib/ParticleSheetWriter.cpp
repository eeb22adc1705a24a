#include "ParticleSheetWriter.h"

#include <algorithm>
#include <cmath>

namespace TeskTools {

namespace {

// 3x5 digits, one row of three bits per entry, top row first.
const uint8_t k_digits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

}  // namespace

void ParticleSheetLayout(int theIndex, int& theRows, int& theCols) {
  static const int k_layout[k_particleSheetCount][2] = {{2, 4}, {2, 4}, {2, 4}, {1, 4}, {1, 1}};
  const int i = std::clamp(theIndex, 0, k_particleSheetCount - 1);
  theRows = k_layout[i][0];
  theCols = k_layout[i][1];
}

ParticleSheet MakeParticleSheet(int theIndex, int theCellSize) {
  ParticleSheet aSheet;
  ParticleSheetLayout(theIndex, aSheet.mRows, aSheet.mCols);
  const int aCell = std::clamp(theCellSize, 8, 255);
  aSheet.mWidth = aCell * aSheet.mCols;
  aSheet.mHeight = aCell * aSheet.mRows;
  aSheet.mPixels.assign(static_cast<size_t>(aSheet.mWidth) * aSheet.mHeight, 0);
  const float aRadius = aCell * 0.5f;
  for (int aRow = 0; aRow < aSheet.mRows; ++aRow) {
    for (int aCol = 0; aCol < aSheet.mCols; ++aCol) {
      const int aNumber = aRow * aSheet.mCols + aCol;
      // Cells pulse a little so an animation is visible.
      const float aPeak = 0.6f + 0.4f * static_cast<float>((aNumber % 4) + 1) / 4.0f;
      for (int y = 0; y < aCell; ++y) {
        uint32_t* aLine =
            &aSheet.mPixels[static_cast<size_t>(aRow * aCell + y) * aSheet.mWidth + aCol * aCell];
        for (int x = 0; x < aCell; ++x) {
          const float dx = (x + 0.5f - aRadius) / aRadius;
          const float dy = (y + 0.5f - aRadius) / aRadius;
          const float aFall = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
          const uint32_t a = static_cast<uint32_t>(255.0f * aPeak * aFall * aFall + 0.5f);
          aLine[x] = (a << 24) | 0x00FFFFFFu;
        }
      }
      const uint8_t* aGlyph = k_digits[aNumber % 10];
      for (int gy = 0; gy < 5; ++gy)
        for (int gx = 0; gx < 3; ++gx)
          if (aGlyph[gy] & (4 >> gx))
            aSheet
                .mPixels[static_cast<size_t>(aRow * aCell + 1 + gy) * aSheet.mWidth + aCol * aCell + 1 + gx] =
                0xFF000000u | 0x00FFFFFFu;
    }
  }
  return aSheet;
}

}  // namespace TeskTools
