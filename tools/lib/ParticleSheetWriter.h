// The five particle sheets the particle module cuts into cells: an additive glow in
// every cell with the cell's number drawn in its corner, so a wrong cell shows on screen.
#pragma once

#include <cstdint>
#include <vector>

namespace TeskTools {

struct ParticleSheet {
  int mRows = 0;
  int mCols = 0;
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint32_t> mPixels;  // 0xAARRGGBB, row by row
};

const int k_particleSheetCount = 5;

// Rows and columns of sheet theIndex (0..4), as the particle module expects them.
void ParticleSheetLayout(int theIndex, int& theRows, int& theCols);
// Sheet theIndex with square cells of theCellSize pixels (under 256).
ParticleSheet MakeParticleSheet(int theIndex, int theCellSize = 32);

}  // namespace TeskTools
