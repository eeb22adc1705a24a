// A memory image cut into texture pieces for the accelerated path, kept in step with the
// image's pixels, and drawn as quads, transformed quads and triangles.
#pragma once

#include <vector>

#include "display/DIRECTDRAW2.h"
#include "display/IDirect3DDevice8.h"
#include "graphics/Color.h"
#include "graphics/MemoryImage.h"
#include "graphics/TRect.h"
#include "graphics/TeskMatrix3.h"
#include "graphics/TriVertex.h"

namespace Tesk {

enum PixelFormat {
  PixelFormat_Unknown = 0,
  PixelFormat_A8R8G8B8 = 1,
  PixelFormat_A4R4G4B4 = 2,
  PixelFormat_R5G6B5 = 4,
  PixelFormat_Palette8 = 8,
};

struct TextureDataPiece {
  DIRECTDRAWSURFACE3* mTexture;
  int mWidth;
  int mHeight;
  bool mOpaque = false;  // every image pixel it holds has alpha 255 (so does its repeated edge)
  // The bounds of its pixels with alpha above 0, in its own pixels (empty: all transparent).
  int mLeft = 0, mTop = 0, mRight = 0, mBottom = 0;
  // The largest rectangle of its pixels that all have alpha 255 (empty: none).
  IDirect3DDevice8::TexelRect mCore{0, 0, 0, 0};
};

// What the alpha of an image area holds.
struct ImageAreaAlpha {
  bool mOpaque;                       // every pixel has alpha 255
  int mLeft, mTop, mRight, mBottom;   // bounds of the pixels with alpha above 0, area-relative
  IDirect3DDevice8::TexelRect mCore;  // the largest rectangle of pixels with alpha 255
};

class TextureData {
 public:
  TextureData();
  ~TextureData();
  TextureData(const TextureData&) = delete;
  TextureData& operator=(const TextureData&) = delete;

  void CheckCreateTextures(MemoryImage* theImage, IDirect3DDevice8* theDevice, DIRECTDRAW2* theDD);
  void CreateTextures(MemoryImage* theImage, IDirect3DDevice8* theDevice, DIRECTDRAW2* theDD);
  void CreateTextureDimensions(MemoryImage* theImage);
  void ReleaseTextures();
  DIRECTDRAWSURFACE3* GetTexture(int x, int y, int& theWidth, int& theHeight, float& theU1, float& theV1,
                                 float& theU2, float& theV2);
  // Whether the piece holding image pixel (x, y) is fully opaque.
  bool IsPieceOpaque(int x, int y) const;
  void Blt(IDirect3DDevice8* theDevice, float theX, float theY, const TRect<int>& theSrcRect,
           const Color& theColor);
  void BltTransformed(IDirect3DDevice8* theDevice, const TeskMatrix3& theTrans, const TRect<int>& theSrcRect,
                      const Color& theColor, const TRect<int>* theClipRect, float theX, float theY,
                      bool center);
  void BltTriangles(IDirect3DDevice8* theDevice, const TriVertex theVertices[][3], int theNumTriangles,
                    uint32_t theColor, float tx, float ty);

  std::vector<TextureDataPiece> mTextures;
  void* mPalette;  // palettes are not available here; always null
  int mWidth;
  int mHeight;
  int mTexVecWidth;
  int mTexVecHeight;
  int mTexPieceWidth;
  int mTexPieceHeight;
  int mBitsChangedCount;
  int mTexMemSize;
  float mMaxTotalU;
  float mMaxTotalV;
  PixelFormat mPixelFormat;
  unsigned mImageFlags;
};

// The pixel-format record for theFormat; any other format leaves it zero but for its size.
void MakeDDPixelFormat(PixelFormat theFormat, _DDPIXELFORMAT* theRecord);
void GetBestTextureDimensions(int& theWidth, int& theHeight, bool, bool, unsigned);
DIRECTDRAWSURFACE3* CreateTextureSurface(IDirect3DDevice8* theDevice, DIRECTDRAW2* theDD, int theWidth,
                                         int theHeight, PixelFormat theFormat);
void CopyImageToTexture(DIRECTDRAWSURFACE3* theTexture, MemoryImage* theImage, int x, int y, int theWidth,
                        int theHeight, PixelFormat theFormat);
// The alpha of the image within theWidth x theHeight at (x, y).
ImageAreaAlpha MeasureImageArea(MemoryImage* theImage, int x, int y, int theWidth, int theHeight);

// Piece limits (half of OpenGL's largest texture), and the formats textures may use.
extern int gMaxTextureWidth;
extern int gMaxTextureHeight;
extern unsigned gSupportedPixelFormats;

}  // namespace Tesk
