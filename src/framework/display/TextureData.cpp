#include "display/TextureData.h"

#include <algorithm>
#include <cmath>

#include "display/D3DInterface.h"
#include "display/PolyClip.h"

namespace Tesk {

int gMaxTextureWidth = 64;
int gMaxTextureHeight = 64;
unsigned gSupportedPixelFormats = PixelFormat_A8R8G8B8;

namespace {

constexpr int k_TriangleBatch = 100;

uint32_t PackColor(const Color& theColor) {
  return (static_cast<uint32_t>(theColor.mAlpha) << 24) | (static_cast<uint32_t>(theColor.mRed) << 16) |
         (static_cast<uint32_t>(theColor.mGreen) << 8) | static_cast<uint32_t>(theColor.mBlue);
}

_D3DTLVERTEX Vertex(float x, float y, uint32_t theColor, float u, float v) {
  return _D3DTLVERTEX{x, y, 0.0f, 1.0f, theColor, 0, u, v};
}

}  // namespace

void MakeDDPixelFormat(PixelFormat theFormat, _DDPIXELFORMAT* theRecord) {
  *theRecord = _DDPIXELFORMAT{};
  theRecord->dwSize = k_DDPixelFormatSize;
  switch (theFormat) {
    case PixelFormat_A8R8G8B8:
      theRecord->dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
      theRecord->dwRGBBitCount = 32;
      theRecord->dwRGBAlphaBitMask = 0xFF000000;
      theRecord->dwRBitMask = 0x00FF0000;
      theRecord->dwGBitMask = 0x0000FF00;
      theRecord->dwBBitMask = 0x000000FF;
      break;
    case PixelFormat_A4R4G4B4:
      theRecord->dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
      theRecord->dwRGBBitCount = 16;
      theRecord->dwRGBAlphaBitMask = 0xF000;
      theRecord->dwRBitMask = 0x0F00;
      theRecord->dwGBitMask = 0x00F0;
      theRecord->dwBBitMask = 0x000F;
      break;
    case PixelFormat_R5G6B5:
      theRecord->dwFlags = DDPF_RGB;
      theRecord->dwRGBBitCount = 16;
      theRecord->dwRBitMask = 0xF800;
      theRecord->dwGBitMask = 0x07E0;
      theRecord->dwBBitMask = 0x001F;
      break;
    case PixelFormat_Palette8:
      theRecord->dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
      theRecord->dwRGBBitCount = 8;
      break;
    default:
      break;
  }
}

void GetBestTextureDimensions(int& theWidth, int& theHeight, bool, bool, unsigned) {
  theWidth = std::min(theWidth, gMaxTextureWidth);
  theHeight = std::min(theHeight, gMaxTextureHeight);
}

DIRECTDRAWSURFACE3* CreateTextureSurface(IDirect3DDevice8* theDevice, DIRECTDRAW2* theDD, int theWidth,
                                         int theHeight, PixelFormat theFormat) {
  if (D3DInterface::CheckDXError(theDevice->SetTexture(0, nullptr), "SetTexture NULL")) return nullptr;
  // Surfaces hold 32-bit words whatever the description asks for: only that format is taken.
  if (theFormat != PixelFormat_A8R8G8B8 || theDD == nullptr) return nullptr;
  _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
  aDesc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  aDesc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  aDesc.dwWidth = static_cast<uint32_t>(theWidth);
  aDesc.dwHeight = static_cast<uint32_t>(theHeight);
  MakeDDPixelFormat(theFormat, &aDesc.ddpfPixelFormat);
  DIRECTDRAWSURFACE3* aSurface = nullptr;
  if (theDD->CreateSurface(&aDesc, &aSurface, nullptr) < 0) return nullptr;
  return aSurface;
}

ImageAreaAlpha MeasureImageArea(MemoryImage* theImage, int x, int y, int theWidth, int theHeight) {
  int w = std::min(theImage->mWidth - x, theWidth), h = std::min(theImage->mHeight - y, theHeight);
  // Unknown pixels count as neither opaque nor transparent.
  ImageAreaAlpha anAlpha{false, 0, 0, std::max(w, 0), std::max(h, 0), {0, 0, 0, 0}};
  const uint32_t* aPalette = theImage->mPalette.get();
  const uint8_t* anIndices = theImage->mPaletteIndices.get();
  const uint32_t* aBits = (aPalette != nullptr && anIndices != nullptr) ? nullptr : theImage->GetBits();
  if (w < 1 || h < 1 || (aBits == nullptr && (aPalette == nullptr || anIndices == nullptr))) return anAlpha;
  uint32_t anAnd = 0xFF000000u;
  int aLeft = w, aTop = h, aRight = 0, aBottom = 0;
  // The largest opaque rectangle: per row, the run of opaque pixels up each column, and the
  // largest rectangle under that skyline (a stack of rising heights).
  std::vector<int> aHeights(static_cast<size_t>(w) + 1, 0), aStack;
  aStack.reserve(static_cast<size_t>(w) + 1);
  int64_t aBestArea = 0;
  for (int aRow = 0; aRow < h; ++aRow) {
    size_t anOffset = static_cast<size_t>(y + aRow) * theImage->mWidth + x;
    int aFirst = -1, aLast = -1;
    for (int aCol = 0; aCol < w; ++aCol) {
      uint32_t p = aBits != nullptr ? aBits[anOffset + aCol] : aPalette[anIndices[anOffset + aCol]];
      anAnd &= p;
      aHeights[static_cast<size_t>(aCol)] = (p >> 24) == 0xFF ? aHeights[static_cast<size_t>(aCol)] + 1 : 0;
      if ((p >> 24) != 0) {
        if (aFirst < 0) aFirst = aCol;
        aLast = aCol;
      }
    }
    aStack.clear();
    for (int aCol = 0; aCol <= w; ++aCol) {  // aHeights[w] stays 0 and empties the stack
      int aHeight = aHeights[static_cast<size_t>(aCol)];
      while (!aStack.empty() && aHeights[static_cast<size_t>(aStack.back())] >= aHeight) {
        int aTall = aHeights[static_cast<size_t>(aStack.back())];
        aStack.pop_back();
        int aStart = aStack.empty() ? 0 : aStack.back() + 1;
        int64_t anArea = static_cast<int64_t>(aTall) * (aCol - aStart);
        if (anArea > aBestArea) {
          aBestArea = anArea;
          anAlpha.mCore = IDirect3DDevice8::TexelRect{aStart, aRow + 1 - aTall, aCol, aRow + 1};
        }
      }
      aStack.push_back(aCol);
    }
    if (aFirst < 0) continue;
    aLeft = std::min(aLeft, aFirst);
    aRight = std::max(aRight, aLast + 1);
    aTop = std::min(aTop, aRow);
    aBottom = aRow + 1;
  }
  anAlpha.mOpaque = (anAnd >> 24) == 0xFF;
  if (aRight <= aLeft) aLeft = aTop = aRight = aBottom = 0;
  anAlpha.mLeft = aLeft;
  anAlpha.mTop = aTop;
  anAlpha.mRight = aRight;
  anAlpha.mBottom = aBottom;
  return anAlpha;
}

void CopyImageToTexture(DIRECTDRAWSURFACE3* theTexture, MemoryImage* theImage, int x, int y, int theWidth,
                        int theHeight, PixelFormat theFormat) {
  if (theTexture == nullptr || theFormat != PixelFormat_A8R8G8B8) return;
  _DDSURFACEDESC aDesc = MakeSurfaceDesc();
  if (D3DInterface::CheckDXError(theTexture->Lock(nullptr, &aDesc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr),
                                 "Lock Texture"))
    return;
  int aPitch = aDesc.lPitch / 4;
  uint32_t* aDest = static_cast<uint32_t*>(aDesc.lpSurface);
  int w = std::min(theImage->mWidth - x, theWidth);
  int h = std::min(theImage->mHeight - y, theHeight);
  if (w >= 1 && h >= 1) {
    const uint32_t* aPalette = theImage->mPalette.get();
    const uint8_t* anIndices = theImage->mPaletteIndices.get();
    const uint32_t* aBits = (aPalette != nullptr && anIndices != nullptr) ? nullptr : theImage->GetBits();
    for (int aRow = 0; aRow < h; ++aRow) {
      uint32_t* aDestRow = aDest + static_cast<size_t>(aRow) * aPitch;
      size_t aSrcOffset = static_cast<size_t>(y + aRow) * theImage->mWidth + x;
      if (aBits != nullptr) {
        std::copy(aBits + aSrcOffset, aBits + aSrcOffset + w, aDestRow);
      } else if (aPalette != nullptr) {
        for (int aCol = 0; aCol < w; ++aCol) aDestRow[aCol] = aPalette[anIndices[aSrcOffset + aCol]];
      }
      // The edge texel repeats once so that linear sampling at the piece's border reads it.
      if (w < theWidth) aDestRow[w] = aDestRow[w - 1];
    }
    if (h < theHeight) {
      uint32_t* aLast = aDest + static_cast<size_t>(h - 1) * aPitch;
      std::copy(aLast, aLast + std::min(w + 1, theWidth), aLast + aPitch);
    }
  }
  D3DInterface::CheckDXError(theTexture->Unlock(nullptr), "Texture Unlock");
}

TextureData::TextureData()
    : mPalette(nullptr),
      mWidth(0),
      mHeight(0),
      mTexVecWidth(0),
      mTexVecHeight(0),
      mTexPieceWidth(64),
      mTexPieceHeight(64),
      mBitsChangedCount(0),
      mTexMemSize(0),
      mMaxTotalU(0.0f),
      mMaxTotalV(0.0f),
      mPixelFormat(PixelFormat_Unknown),
      mImageFlags(0) {}

TextureData::~TextureData() { ReleaseTextures(); }

void TextureData::ReleaseTextures() {
  for (TextureDataPiece& aPiece : mTextures)
    if (aPiece.mTexture != nullptr) aPiece.mTexture->Release();
  mTextures.clear();
  mTexMemSize = 0;
  mPalette = nullptr;
}

void TextureData::CreateTextureDimensions(MemoryImage* theImage) {
  int aWidth = theImage->mWidth, aHeight = theImage->mHeight;
  int aPieceW = aWidth, aPieceH = aHeight;
  GetBestTextureDimensions(aPieceW, aPieceH, false, false, mImageFlags);
  int aRightW = aWidth % aPieceW == 0 ? aPieceW : aWidth % aPieceW;
  int aBottomH = aHeight % aPieceH == 0 ? aPieceH : aHeight % aPieceH;
  int aRightH = aPieceH, aBottomW = aPieceW, aCornerW = aRightW, aCornerH = aBottomH;
  GetBestTextureDimensions(aRightW, aRightH, false, false, mImageFlags);
  GetBestTextureDimensions(aBottomW, aBottomH, false, false, mImageFlags);
  GetBestTextureDimensions(aCornerW, aCornerH, false, false, mImageFlags);
  mTexPieceWidth = aPieceW;
  mTexPieceHeight = aPieceH;
  mTexVecWidth = (aPieceW + aWidth - 1) / aPieceW;
  mTexVecHeight = (aPieceH + aHeight - 1) / aPieceH;
  mTextures.assign(static_cast<size_t>(mTexVecWidth) * mTexVecHeight,
                   TextureDataPiece{nullptr, aPieceW, aPieceH});
  for (int aRow = 0; aRow < mTexVecHeight; ++aRow) {
    TextureDataPiece& aLast = mTextures[static_cast<size_t>(aRow) * mTexVecWidth + mTexVecWidth - 1];
    aLast.mWidth = aRightW;
    aLast.mHeight = aRightH;
  }
  for (int aCol = 0; aCol < mTexVecWidth; ++aCol) {
    TextureDataPiece& aPiece = mTextures[static_cast<size_t>(mTexVecHeight - 1) * mTexVecWidth + aCol];
    aPiece.mWidth = aBottomW;
    aPiece.mHeight = aBottomH;
  }
  mTextures.back().mWidth = aCornerW;
  mTextures.back().mHeight = aCornerH;
  mMaxTotalU = static_cast<float>(aWidth) / aPieceW;
  mMaxTotalV = static_cast<float>(aHeight) / aPieceH;
}

void TextureData::CheckCreateTextures(MemoryImage* theImage, IDirect3DDevice8* theDevice,
                                      DIRECTDRAW2* theDD) {
  if (mPixelFormat != PixelFormat_Unknown && theImage->mWidth == mWidth && theImage->mHeight == mHeight &&
      theImage->mBitsChangedCount == mBitsChangedCount &&
      static_cast<unsigned>(theImage->mD3DFlags) == mImageFlags)
    return;
  CreateTextures(theImage, theDevice, theDD);
}

void TextureData::CreateTextures(MemoryImage* theImage, IDirect3DDevice8* theDevice, DIRECTDRAW2* theDD) {
  theImage->DeleteSWBuffers();
  theImage->CommitBits();
  unsigned aFlags = static_cast<unsigned>(theImage->mD3DFlags);
  // Images of no area would lay out pieces of no size: they get no textures.
  if (theImage->mWidth < 1 || theImage->mHeight < 1) {
    ReleaseTextures();
    mPixelFormat = PixelFormat_Unknown;
    return;
  }
  PixelFormat aFormat = PixelFormat_A8R8G8B8;
  if (!theImage->mHasPartialAlpha && !theImage->mHasTransparent &&
      (gSupportedPixelFormats & PixelFormat_R5G6B5) && !(aFlags & TextureFlag_A8R8G8B8))
    aFormat = PixelFormat_R5G6B5;
  if (theImage->mPaletteIndices && (gSupportedPixelFormats & PixelFormat_Palette8)) {
    void* aPalette = nullptr;
    if (theDD == nullptr || theDD->CreatePalette(0x44, nullptr, &aPalette, nullptr) < 0)
      gSupportedPixelFormats &= ~static_cast<unsigned>(PixelFormat_Palette8);
    else
      aFormat = PixelFormat_Palette8;
  }
  if ((aFlags & TextureFlag_A4R4G4B4) && aFormat == PixelFormat_A8R8G8B8 &&
      (gSupportedPixelFormats & PixelFormat_A4R4G4B4))
    aFormat = PixelFormat_A4R4G4B4;
  if (aFormat == PixelFormat_A8R8G8B8 && !(gSupportedPixelFormats & PixelFormat_A8R8G8B8))
    aFormat = PixelFormat_A4R4G4B4;

  bool isCreating = theImage->mWidth != mWidth || theImage->mHeight != mHeight || aFormat != mPixelFormat ||
                    aFlags != mImageFlags || mTextures.empty() || mTextures[0].mTexture == nullptr;
  if (isCreating) {
    ReleaseTextures();
    mPixelFormat = aFormat;
    mImageFlags = aFlags;
    CreateTextureDimensions(theImage);
  }
  int aBytes = aFormat == PixelFormat_Palette8                                      ? 1
               : (aFormat == PixelFormat_R5G6B5 || aFormat == PixelFormat_A4R4G4B4) ? 2
                                                                                    : 4;
  if (isCreating) mTexMemSize = 0;
  size_t i = 0;
  for (int y = 0; y < theImage->mHeight; y += mTexPieceHeight) {
    for (int x = 0; x < theImage->mWidth; x += mTexPieceWidth, ++i) {
      TextureDataPiece& aPiece = mTextures[i];
      if (isCreating) {
        aPiece.mTexture = CreateTextureSurface(theDevice, theDD, aPiece.mWidth, aPiece.mHeight, aFormat);
        if (aPiece.mTexture == nullptr) {
          mPixelFormat = PixelFormat_Unknown;
          return;
        }
        mTexMemSize += aPiece.mWidth * aPiece.mHeight * aBytes;
      }
      CopyImageToTexture(aPiece.mTexture, theImage, x, y, aPiece.mWidth, aPiece.mHeight, aFormat);
      ImageAreaAlpha anAlpha = MeasureImageArea(theImage, x, y, aPiece.mWidth, aPiece.mHeight);
      aPiece.mOpaque = anAlpha.mOpaque;
      aPiece.mLeft = anAlpha.mLeft;
      aPiece.mTop = anAlpha.mTop;
      aPiece.mRight = anAlpha.mRight;
      aPiece.mBottom = anAlpha.mBottom;
      aPiece.mCore = anAlpha.mCore;
    }
  }
  mWidth = theImage->mWidth;
  mHeight = theImage->mHeight;
  mBitsChangedCount = theImage->mBitsChangedCount;
  mPixelFormat = aFormat;
}

bool TextureData::IsPieceOpaque(int x, int y) const {
  return mTextures[static_cast<size_t>(y / mTexPieceHeight) * mTexVecWidth + x / mTexPieceWidth].mOpaque;
}

DIRECTDRAWSURFACE3* TextureData::GetTexture(int x, int y, int& theWidth, int& theHeight, float& theU1,
                                            float& theV1, float& theU2, float& theV2) {
  int aCol = x / mTexPieceWidth, aRow = y / mTexPieceHeight;
  TextureDataPiece& aPiece = mTextures[static_cast<size_t>(aRow) * mTexVecWidth + aCol];
  int aLeft = x % mTexPieceWidth, aTop = y % mTexPieceHeight;
  int aRight = std::min(aLeft + theWidth, aPiece.mWidth);
  int aBottom = std::min(aTop + theHeight, aPiece.mHeight);
  theWidth = aRight - aLeft;
  theHeight = aBottom - aTop;
  theU1 = static_cast<float>(aLeft) / aPiece.mWidth;
  theV1 = static_cast<float>(aTop) / aPiece.mHeight;
  theU2 = static_cast<float>(aRight) / aPiece.mWidth;
  theV2 = static_cast<float>(aBottom) / aPiece.mHeight;
  return aPiece.mTexture;
}

void TextureData::Blt(IDirect3DDevice8* theDevice, float theX, float theY, const TRect<int>& theSrcRect,
                      const Color& theColor) {
  if (theSrcRect.mWidth <= 0 || theSrcRect.mHeight <= 0) return;
  uint32_t aColor = PackColor(theColor);
  int aSrcRight = theSrcRect.mX + theSrcRect.mWidth, aSrcBottom = theSrcRect.mY + theSrcRect.mHeight;
  // Point sampled at whole pixels, texel for pixel: a quad cut to a piece's pixels with alpha
  // samples every pixel it covers as the whole quad would, so the transparent border is left out.
  bool isTrimming = !gLinearFilter && theDevice->MapsPixelsOneToOne() && theX == std::floor(theX) &&
                    theY == std::floor(theY);
  float aDestY = theY;
  for (int aRow = theSrcRect.mY; aRow < aSrcBottom;) {
    float aDestX = theX;
    int aStepHeight = 0;
    for (int aCol = theSrcRect.mX; aCol < aSrcRight;) {
      int w = aSrcRight - aCol, h = aSrcBottom - aRow;
      float u1, v1, u2, v2;
      DIRECTDRAWSURFACE3* aTexture = GetTexture(aCol, aRow, w, h, u1, v1, u2, v2);
      const TextureDataPiece& aPiece =
          mTextures[static_cast<size_t>(aRow / mTexPieceHeight) * mTexVecWidth + aCol / mTexPieceWidth];
      // The part in the piece's own pixels, and the part of it with any alpha (a linear sample
      // also reads the next pixel out). Blended, pixels of alpha 0 leave the target as it was.
      int aLeft = aCol % mTexPieceWidth, aTop = aRow % mTexPieceHeight, aMargin = gLinearFilter ? 1 : 0;
      bool isShown = aLeft - aMargin < aPiece.mRight && aLeft + w + aMargin > aPiece.mLeft &&
                     aTop - aMargin < aPiece.mBottom && aTop + h + aMargin > aPiece.mTop;
      float x1 = aDestX, y1 = aDestY, x2 = aDestX + w, y2 = aDestY + h;
      if (isShown && isTrimming) {
        int aShownLeft = std::max(aLeft, aPiece.mLeft), aShownRight = std::min(aLeft + w, aPiece.mRight);
        int aShownTop = std::max(aTop, aPiece.mTop), aShownBottom = std::min(aTop + h, aPiece.mBottom);
        x1 = aDestX + (aShownLeft - aLeft);
        x2 = aDestX + (aShownRight - aLeft);
        y1 = aDestY + (aShownTop - aTop);
        y2 = aDestY + (aShownBottom - aTop);
        u1 = static_cast<float>(aShownLeft) / aPiece.mWidth;
        u2 = static_cast<float>(aShownRight) / aPiece.mWidth;
        v1 = static_cast<float>(aShownTop) / aPiece.mHeight;
        v2 = static_cast<float>(aShownBottom) / aPiece.mHeight;
      }
      if (isShown) {
        _D3DTLVERTEX aQuad[4] = {Vertex(x1, y1, aColor, u1, v1), Vertex(x1, y2, aColor, u1, v2),
                                 Vertex(x2, y1, aColor, u2, v1), Vertex(x2, y2, aColor, u2, v2)};
        D3DInterface::CheckDXError(theDevice->SetTexture(0, aTexture), "SetTexture gTexture");
        theDevice->SetVertexShader(D3DFVF_TLVERTEX);
        D3DInterface::CheckDXError(theDevice->DrawQuad(aQuad, aPiece.mOpaque, &aPiece.mCore),
                                   "DrawPrimitive (Tri) 1");
      }
      aCol += w;
      aDestX += w;
      aStepHeight = h;
    }
    aRow += aStepHeight;
    aDestY += aStepHeight;
  }
}

void TextureData::BltTransformed(IDirect3DDevice8* theDevice, const TeskMatrix3& theTrans,
                                 const TRect<int>& theSrcRect, const Color& theColor,
                                 const TRect<int>* theClipRect, float theX, float theY, bool center) {
  if (theSrcRect.mWidth <= 0 || theSrcRect.mHeight <= 0) return;
  uint32_t aColor = PackColor(theColor);
  int aSrcRight = theSrcRect.mX + theSrcRect.mWidth, aSrcBottom = theSrcRect.mY + theSrcRect.mHeight;
  float aStartX = center ? -theSrcRect.mWidth / 2.0f : 0.0f;
  float aStartY = center ? -theSrcRect.mHeight / 2.0f : 0.0f;
  float aTop = aStartY;
  for (int aRow = theSrcRect.mY; aRow < aSrcBottom;) {
    float aLeft = aStartX;
    int aStepHeight = 0;
    for (int aCol = theSrcRect.mX; aCol < aSrcRight;) {
      int w = aSrcRight - aCol, h = aSrcBottom - aRow;
      float u1, v1, u2, v2;
      DIRECTDRAWSURFACE3* aTexture = GetTexture(aCol, aRow, w, h, u1, v1, u2, v2);
      float aRight = aLeft + w, aBottom = aTop + h;
      const TeskVector2 aCorners[4] = {
          theTrans * TeskVector2(aLeft, aTop), theTrans * TeskVector2(aLeft, aBottom),
          theTrans * TeskVector2(aRight, aTop), theTrans * TeskVector2(aRight, aBottom)};
      const float aU[4] = {u1, u1, u2, u2}, aV[4] = {v1, v2, v1, v2};
      _D3DTLVERTEX aQuad[4];
      bool isClipped = false;
      for (int i = 0; i < 4; ++i) {
        aQuad[i] = Vertex(aCorners[i].x + theX, aCorners[i].y + theY, aColor, aU[i], aV[i]);
        if (theClipRect != nullptr &&
            (aQuad[i].sx < theClipRect->mX || aQuad[i].sx >= theClipRect->mX + theClipRect->mWidth ||
             aQuad[i].sy < theClipRect->mY || aQuad[i].sy >= theClipRect->mY + theClipRect->mHeight))
          isClipped = true;
      }
      D3DInterface::CheckDXError(theDevice->SetTexture(0, aTexture), "SetTexture gTexture");
      theDevice->SetVertexShader(D3DFVF_TLVERTEX);
      if (!isClipped) {
        D3DInterface::CheckDXError(theDevice->DrawQuad(aQuad, IsPieceOpaque(aCol, aRow)),
                                   "DrawPrimitive (Tri) 3");
      } else {
        VertexList aList;
        aList.push_back(aQuad[0]);
        aList.push_back(aQuad[1]);
        aList.push_back(aQuad[3]);
        aList.push_back(aQuad[2]);
        DrawPolyClipped(theDevice, theClipRect, aList);
      }
      aCol += w;
      aLeft += w;
      aStepHeight = h;
    }
    aRow += aStepHeight;
    aTop += aStepHeight;
  }
}

void TextureData::BltTriangles(IDirect3DDevice8* theDevice, const TriVertex theVertices[][3],
                               int theNumTriangles, uint32_t theColor, float tx, float ty) {
  auto MakeVertex = [&](const TriVertex& t) {
    return Vertex(t.x + tx, t.y + ty, t.color != 0 ? t.color : theColor, t.u * mMaxTotalU, t.v * mMaxTotalV);
  };
  if (mMaxTotalU <= 1.0f && mMaxTotalV <= 1.0f) {
    D3DInterface::CheckDXError(theDevice->SetTexture(0, mTextures[0].mTexture), "SetTexture gTexture");
    _D3DTLVERTEX aBatch[k_TriangleBatch * 3];
    int aCount = 0;
    for (int i = 0; i < theNumTriangles; ++i) {
      for (int j = 0; j < 3; ++j) aBatch[aCount * 3 + j] = MakeVertex(theVertices[i][j]);
      ++aCount;
      if (aCount == k_TriangleBatch || i == theNumTriangles - 1) {
        theDevice->SetVertexShader(D3DFVF_TLVERTEX);
        D3DInterface::CheckDXError(
            theDevice->DrawPrimitiveUP(D3DPT_TRIANGLELIST, aCount, aBatch, sizeof(_D3DTLVERTEX)),
            "DrawPrimitive (TriList)");
        aCount = 0;
      }
    }
    return;
  }
  for (int i = 0; i < theNumTriangles; ++i) {
    _D3DTLVERTEX aTri[3];
    float aMinU = 1e30f, aMaxU = -1e30f, aMinV = 1e30f, aMaxV = -1e30f;
    for (int j = 0; j < 3; ++j) {
      aTri[j] = MakeVertex(theVertices[i][j]);
      aMinU = std::min(aMinU, aTri[j].tu);
      aMaxU = std::max(aMaxU, aTri[j].tu);
      aMinV = std::min(aMinV, aTri[j].tv);
      aMaxV = std::max(aMaxV, aTri[j].tv);
    }
    int aCol0 = std::max(0, static_cast<int>(std::floor(aMinU)));
    int aCol1 = std::min(mTexVecWidth, static_cast<int>(std::ceil(aMaxU)));
    int aRow0 = std::max(0, static_cast<int>(std::floor(aMinV)));
    int aRow1 = std::min(mTexVecHeight, static_cast<int>(std::ceil(aMaxV)));
    for (int aRow = aRow0; aRow < aRow1; ++aRow) {
      for (int aCol = aCol0; aCol < aCol1; ++aCol) {
        const TextureDataPiece& aPiece = mTextures[static_cast<size_t>(aRow) * mTexVecWidth + aCol];
        VertexList aList;
        for (int j = 0; j < 3; ++j) {
          _D3DTLVERTEX v = aTri[j];
          v.tu -= aCol;
          v.tv -= aRow;
          if (aRow == mTexVecHeight - 1) v.tv *= static_cast<float>(mTextures[0].mHeight) / aPiece.mHeight;
          if (aCol == mTexVecWidth - 1) v.tu *= static_cast<float>(mTextures[0].mWidth) / aPiece.mWidth;
          aList.push_back(v);
        }
        DoPolyTextureClip(aList);
        if (aList.size() > 2) {
          D3DInterface::CheckDXError(theDevice->SetTexture(0, aPiece.mTexture), "SetTexture gTexture");
          theDevice->SetVertexShader(D3DFVF_TLVERTEX);
          D3DInterface::CheckDXError(theDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, aList.size() - 2,
                                                                aList.data(), sizeof(_D3DTLVERTEX)),
                                     "DrawPrimitive (Tri) 4");
        }
      }
    }
  }
}

}  // namespace Tesk
