#include "Preview.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ImageWriters.h"
#include "Quantizer.h"

namespace GameAssets {

void Compose(std::vector<uint32_t>& theScreen, const std::vector<uint32_t>& theImage, int theWidth, int theHeight,
             int x, int y) {
  for (int j = 0; j < theHeight; ++j) {
    const int sy = y + j;
    if (sy < 0 || sy >= 600) continue;
    for (int i = 0; i < theWidth; ++i) {
      const int sx = x + i;
      if (sx < 0 || sx >= 800) continue;
      const uint32_t s = theImage[static_cast<size_t>(j) * theWidth + i];
      const uint32_t a = s >> 24;
      if (a == 0) continue;
      uint32_t& d = theScreen[static_cast<size_t>(sy) * 800 + sx];
      uint32_t v = 0xFF000000;
      for (int k = 0; k <= 16; k += 8)
        v |= ((((s >> k) & 0xFF) * a + ((d >> k) & 0xFF) * (255 - a) + 127) / 255) << k;
      d = v;
    }
  }
}

std::vector<uint32_t> CompositeLocation(const LocationFiles& f, const std::vector<uint32_t>& theSideBar) {
  std::vector<uint32_t> aScreen(800 * 600, 0xFF000000);
  if (theSideBar.size() == 140 * 600) Compose(aScreen, theSideBar, 140, 600, 0, 0);
  Compose(aScreen, Expand(f.mImages[0]), f.mImages[0].mWidth, f.mImages[0].mHeight, 140, 0);
  std::vector<size_t> anOrder;
  for (size_t i = 0; i < f.mRecords.size(); ++i)
    if (f.mRecords[i].mKind != 'W') anOrder.push_back(i);
  std::sort(anOrder.begin(), anOrder.end(),
            [&](size_t a, size_t b) { return f.mRecords[a].mRenderOrder < f.mRecords[b].mRenderOrder; });
  for (size_t i : anOrder) {
    const TeskTools::BlockImage& anImage = f.mImages[i + 1];
    Compose(aScreen, Expand(anImage), anImage.mWidth, anImage.mHeight, f.mRecords[i].mX + 140, f.mRecords[i].mY);
  }
  return aScreen;
}

namespace {
std::string Slurp(const std::string& thePath) {
  std::ifstream aFile(thePath, std::ios::binary);
  std::ostringstream s;
  s << aFile.rdbuf();
  return s.str();
}
}  // namespace

bool WritePreviews(const std::string& theResourceDir, const std::string& theOutDir, std::string* theError) {
  std::filesystem::create_directories(theOutDir);
  std::vector<TeskTools::BlockImage> aSideBar;
  std::vector<uint32_t> aSideBarPixels;
  {
    // The side bar is a PNG in the images folder; a plain decode is enough here.
    std::vector<TeskTools::BlockImage> anIgnored;
  }
  for (int anId = 1; anId <= 12; ++anId) {
    char aName[64];
    LocationFiles f;
    f.mId = anId;
    std::snprintf(aName, sizeof(aName), "/builddata/l%02dobjs.dat", anId);
    const std::string anObjects = Slurp(theResourceDir + aName);
    std::snprintf(aName, sizeof(aName), "/builddata/l%02dblock.tgab", anId);
    const std::string aBlock = Slurp(theResourceDir + aName);
    if (!ReadObjectRecords(anObjects, &f.mRecords, theError) || !ReadBlock(aBlock, &f.mImages, theError)) return false;
    const std::vector<uint32_t> aScreen = CompositeLocation(f, aSideBarPixels);
    std::snprintf(aName, sizeof(aName), "/location%02d.png", anId);
    if (!TeskTools::WritePngFile(theOutDir + aName, 800, 600, aScreen.data())) {
      *theError = "cannot write " + theOutDir + aName;
      return false;
    }
  }
  return true;
}

}  // namespace GameAssets
