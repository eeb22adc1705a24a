// makeparticles: writes the five particle sheets as PNGs.
//   makeparticles <out-dir> [--cell px]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FontSheetWriter.h"
#include "ParticleSheetWriter.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: makeparticles <out-dir> [--cell px]\n");
    return 2;
  }
  int aCell = 32;
  for (int i = 2; i < argc; ++i) {
    std::string anArg = argv[i];
    if (anArg == "--cell" && i + 1 < argc) {
      aCell = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "makeparticles: unknown option %s\n", anArg.c_str());
      return 2;
    }
  }
  for (int i = 0; i < TeskTools::k_particleSheetCount; ++i) {
    TeskTools::ParticleSheet aSheet = TeskTools::MakeParticleSheet(i, aCell);
    std::string aPath = std::string(argv[1]) + "/particles" + std::to_string(i) + ".png";
    if (!TeskTools::WritePng(aPath, aSheet.mWidth, aSheet.mHeight, aSheet.mPixels.data())) {
      std::fprintf(stderr, "makeparticles: cannot write %s\n", aPath.c_str());
      return 1;
    }
  }
  return 0;
}
