#include "Preview.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "ArtAssets.h"
#include "ImageWriters.h"
#include "MapLayout.h"
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

const ImageResource* FindImage(const std::vector<ImageResource>& theImages, const std::string& theId) {
  for (const ImageResource& r : theImages)
    if (r.mId == theId) return &r;
  return nullptr;
}

void ComposeResource(std::vector<uint32_t>& theScreen, const ImageResource* r, int x, int y) {
  if (r) Compose(theScreen, r->mPixels, r->mWidth, r->mHeight, x, y);
}

void ComposeBlock(std::vector<uint32_t>& theScreen, const TeskTools::BlockImage& b, int x, int y) {
  Compose(theScreen, Expand(b), b.mWidth, b.mHeight, x, y);
}

// Cell theFrame of a sheet of theCols columns.
void ComposeCell(std::vector<uint32_t>& theScreen, const std::vector<uint32_t>& thePixels, int theWidth, int theRows,
                 int theCols, int theFrame, int x, int y) {
  const int cw = theWidth / theCols, ch = static_cast<int>(thePixels.size() / theWidth) / theRows;
  std::vector<uint32_t> aCell(static_cast<size_t>(cw) * ch);
  const int cx = (theFrame % theCols) * cw, cy = (theFrame / theCols) * ch;
  for (int j = 0; j < ch; ++j)
    for (int i = 0; i < cw; ++i) aCell[static_cast<size_t>(j) * cw + i] = thePixels[static_cast<size_t>(cy + j) * theWidth + cx + i];
  Compose(theScreen, aCell, cw, ch, x, y);
}

void Dim(std::vector<uint32_t>& theScreen, double k) {
  for (uint32_t& p : theScreen) {
    uint32_t v = 0xFF000000;
    for (int s = 0; s <= 16; s += 8) v |= static_cast<uint32_t>(((p >> s) & 0xFF) * k) << s;
    p = v;
  }
}

}  // namespace

bool WritePreviews(const std::string& theResourceDir, const std::string& theOutDir, std::string* theError) {
  std::filesystem::create_directories(theOutDir);
  std::vector<uint32_t> aSideBarPixels, aLocation(800 * 600, 0xFF000000);
  for (const ImageResource& r : ImageResources())
    if (r.mId == "IMAGE_SIDE_BAR") aSideBarPixels = r.mPixels;
  for (int anId = 1; anId <= 12; ++anId) {
    LocationFiles f;
    if (!ReadLocation(theResourceDir, anId, &f, theError)) return false;
    const std::vector<uint32_t> aScreen = CompositeLocation(f, aSideBarPixels);
    if (anId == 7) aLocation = aScreen;
    char aName[64];
    std::snprintf(aName, sizeof(aName), "/location%02d.png", anId);
    if (!TeskTools::WritePngFile(theOutDir + aName, 800, 600, aScreen.data())) {
      *theError = "cannot write " + theOutDir + aName;
      return false;
    }
  }
  const std::vector<ImageResource> anImages = ImageResources();
  auto Write = [&](const char* theName, const std::vector<uint32_t>& theScreen) {
    if (!TeskTools::WritePngFile(theOutDir + "/" + theName, 800, 600, theScreen.data())) {
      *theError = std::string("cannot write ") + theName;
      return false;
    }
    return true;
  };
  {  // Title: background, the storm cel with its arch alpha, the block's animations, the cover.
    std::vector<uint32_t> s(800 * 600, 0xFF000000);
    ComposeResource(s, FindImage(anImages, "IMAGE_TITLE_BACK"), 0, 0);
    if (const ImageResource* r = FindImage(anImages, "IMAGE_TITLE_ANIM_BG")) {
      std::vector<uint32_t> aPixels = r->mPixels;
      const int cw = r->mWidth / 2, ch = r->mHeight / 2;
      for (int y = 0; y < r->mHeight; ++y)
        for (int x = 0; x < r->mWidth; ++x)
          aPixels[static_cast<size_t>(y) * r->mWidth + x] =
              (aPixels[static_cast<size_t>(y) * r->mWidth + x] & 0xFFFFFF) |
              (r->mGridAlpha[static_cast<size_t>(y % ch) * cw + x % cw] & 0xFF000000);
      ComposeCell(s, aPixels, r->mWidth, 2, 2, 1, 134, 146);
    }
    std::vector<TeskTools::BlockImage> aBlock;
    if (!ReadBlockFile(theResourceDir, "builddata/titleblock.tgab", &aBlock, theError)) return false;
    ComposeCell(s, Expand(aBlock[3]), aBlock[3].mWidth, 2, 2, 0, 135, 265);
    ComposeCell(s, Expand(aBlock[1]), aBlock[1].mWidth, 1, 3, 0, 258, 219);
    ComposeCell(s, Expand(aBlock[0]), aBlock[0].mWidth, 2, 3, 2, 184, 146);
    ComposeBlock(s, aBlock[2], 221, 260);
    ComposeResource(s, FindImage(anImages, "IMAGE_TITLE_COVER"), 169, 193);
    ComposeResource(s, FindImage(anImages, "IMAGE_TITLE_PLAY_HIGH"), 441, 432);
    if (!Write("title.png", s)) return false;
  }
  std::vector<TeskTools::BlockImage> anAnims;
  if (!ReadBlockFile(theResourceDir, "builddata/animsblock.tgab", &anAnims, theError)) return false;
  {  // Map: side bar, map, pictures, name plates, markers, one highlight, the corner.
    std::vector<TeskTools::BlockImage> aMap, aMap2;
    if (!ReadBlockFile(theResourceDir, "builddata/mapblock.tgab", &aMap, theError) ||
        !ReadBlockFile(theResourceDir, "builddata/map2block.tgab", &aMap2, theError))
      return false;
    std::vector<uint32_t> s(800 * 600, 0xFF000000);
    ComposeResource(s, FindImage(anImages, "IMAGE_SIDE_BAR"), 0, 0);
    ComposeBlock(s, aMap[0], 140, 0);
    for (int i = 0; i < 12; ++i) {
      const MapSpot& p = MapSpotAt(i);
      ComposeBlock(s, aMap[2 + i], p.mPictureX + 140, p.mPictureY);
      ComposeBlock(s, aMap[14 + i], p.mNameX + 140, p.mNameY);
      ComposeCell(s, Expand(aMap[39]), aMap[39].mWidth, 2, 5, i % 10, p.mMarkerX + 140, p.mMarkerY);
    }
    ComposeResource(s, FindImage(anImages, "MAP_LOC07_HOVER"), MapSpotAt(6).mHoverX + 140, MapSpotAt(6).mHoverY);
    ComposeBlock(s, aMap[38], 784 - aMap[38].mWidth, 590 - aMap[38].mHeight);
    if (!Write("map.png", s)) return false;
    std::vector<uint32_t> t(800 * 600, 0xFF000000);
    ComposeResource(t, FindImage(anImages, "IMAGE_SIDE_BAR"), 0, 0);
    ComposeBlock(t, aMap[1], 140, 0);
    for (int i = 0; i < 12; ++i)
      ComposeBlock(t, aMap2[i], MapSpotAt(i).mTreasureX + 140, MapSpotAt(i).mTreasureY);
    if (!Write("map2.png", t)) return false;
  }
  {  // A popup over a dimmed location, with a row of buttons; and the results book.
    std::vector<uint32_t> s = aLocation;
    Dim(s, 0.25);
    const TeskTools::BlockImage& aBox = anAnims[20];
    ComposeBlock(s, aBox, 400 - aBox.mWidth / 2, 300 - aBox.mHeight / 2);
    const ImageResource* aButton = FindImage(anImages, "IMAGE_OPTIONS_BUTTON_MED");
    for (int k = 0; k < 2; ++k)
      if (aButton) ComposeResource(s, k ? FindImage(anImages, "IMAGE_OPTIONS_BUTTON_MED_HI") : aButton,
                                   400 - aButton->mWidth / 2, 334 + 34 * k);
    const ImageResource* aBottom = FindImage(anImages, "IMAGE_OPTIONS_BOTTOM_BUTTON");
    if (aBottom) ComposeResource(s, aBottom, 400 - aBottom->mWidth / 2, 300 - aBox.mHeight / 2 + aBox.mHeight - 16 - 26);
    ComposeResource(s, FindImage(anImages, "IMAGE_CHECKBOX"), 290, 310);
    ComposeResource(s, FindImage(anImages, "IMAGE_SLIDER_THUMB"), 420, 226);
    if (!Write("popup.png", s)) return false;
    std::vector<uint32_t> b(800 * 600, 0xFF101010);
    const TeskTools::BlockImage& aBook = anAnims[19];
    ComposeBlock(b, aBook, 400 - aBook.mWidth / 2, 300 - aBook.mHeight / 2);
    ComposeResource(b, FindImage(anImages, "IMAGE_REVEAL_ICON"), 267, 245);
    if (!Write("book.png", b)) return false;
  }
  {  // How to play, page 1, and the first chapter's introduction, on the book spread.
    std::vector<TeskTools::BlockImage> anIntro, aMap2;
    if (!ReadBlockFile(theResourceDir, "builddata/levelintroblock.tgab", &anIntro, theError) ||
        !ReadBlockFile(theResourceDir, "builddata/map2block.tgab", &aMap2, theError))
      return false;
    std::vector<uint32_t> s(800 * 600, 0xFF000000);
    ComposeBlock(s, anIntro[0], 0, 0);
    const ImageResource* aLeft = FindImage(anImages, "IMAGE_HTP_INGAME_1");
    const ImageResource* aRight = FindImage(anImages, "IMAGE_HTP_INGAME_2");
    const ImageResource* aCorner = FindImage(anImages, "IMAGE_CORNER_TOP_BIG");
    const ImageResource* aCornerBottom = FindImage(anImages, "IMAGE_CORNER_BOTTOM_BIG");
    if (aLeft && aRight && aCorner && aCornerBottom) {
      const int x1 = 224 - aLeft->mWidth / 2, y1 = 134;
      ComposeResource(s, aLeft, x1, y1);
      ComposeResource(s, aRight, 576 - aRight->mWidth / 2, 160);
      ComposeResource(s, aCorner, x1 - 6, y1 - 6);
      ComposeResource(s, aCornerBottom, x1 - 6, y1 + aLeft->mHeight - aCornerBottom->mHeight + 6);
    }
    if (!Write("howtoplay.png", s)) return false;
    std::vector<uint32_t> t(800 * 600, 0xFF000000);
    ComposeBlock(t, anIntro[0], 0, 0);
    ComposeBlock(t, aMap2[6], 575 - aMap2[6].mWidth / 2, 180 - aMap2[6].mHeight);
    ComposeCell(t, Expand(anIntro[1]), anIntro[1].mWidth, 3, 5, 4, 608, 445);
    ComposeBlock(t, anIntro[2], 610, 447);
    if (!Write("chapterintro.png", t)) return false;
  }
  {  // The two mini-games' boards, background dimmed as the game draws it.
    std::vector<TeskTools::BlockImage> aPotion, aChant;
    if (!ReadBlockFile(theResourceDir, "builddata/minigameblock.tgab", &aPotion, theError) ||
        !ReadBlockFile(theResourceDir, "builddata/minigameblock2.tgab", &aChant, theError))
      return false;
    std::vector<uint32_t> s(800 * 600, 0xFF000000);
    std::vector<uint32_t> aBack = Expand(aPotion[0]);
    Dim(aBack, 100.0 / 255);
    Compose(s, aBack, 660, 600, 140, 0);
    ComposeResource(s, FindImage(anImages, "IMAGE_SIDE_BAR"), 0, 0);
    const int w0 = aPotion[1].mWidth, base = 35 - w0 / 2;
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 8; ++j) {
        const int x = base + 155 + 70 * i, y = base + 20 + 70 * j, e = w0 / 2 - aPotion[8].mWidth / 2;
        ComposeBlock(s, aPotion[(i == 2 && j < 3) ? 9 : 8], x + e, y + e);
        ComposeBlock(s, aPotion[1 + (i * 5 + j * 3 + i * j) % 6], x, y);
      }
    ComposeBlock(s, aPotion[15], 70 - aPotion[15].mWidth / 2, 230);
    ComposeBlock(s, aPotion[14], 70 - aPotion[14].mWidth / 2, 230);
    if (!Write("potion.png", s)) return false;
    std::vector<uint32_t> t(800 * 600, 0xFF000000);
    aBack = Expand(aChant[0]);
    Dim(aBack, 100.0 / 255);
    Compose(t, aBack, 660, 600, 140, 0);
    ComposeResource(t, FindImage(anImages, "IMAGE_SIDE_BAR"), 0, 0);
    ComposeBlock(t, aChant[1], 140, 470);
    for (int k = 0; k < 90; ++k) {
      const TeskTools::BlockImage& aTile = aChant[2 + k];
      const int c = k % 9, r = k / 9;
      Compose(t, Expand(aTile), aTile.mWidth, aTile.mHeight, 35 + 71 * c + 140 - aTile.mWidth / 2,
              23 + 47 * r - aTile.mHeight / 2);
    }
    if (!Write("chant.png", t)) return false;
  }
  return true;
}

}  // namespace GameAssets
