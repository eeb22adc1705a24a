// An image whose pixels live in memory: 32-bit 0xAARRGGBB words with straight
// alpha, or a 256-colour palette with an index byte per pixel; plus derived
// buffers built on demand (premultiplied native words, run-length tables) that
// every change of pixels drops through BitsChanged.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/Image.h"

namespace Tesk {

class ImageRegistry;
class NativeDisplay;
class TeskMatrix3;

// Stored after the last pixel of every 32-bit pixel array and checked by BitsChanged.
constexpr uint32_t MEMORYCHECK_ID = 0x4BEEFADE;

enum TextureFlags {
  TextureFlag_MinSubdivide = 1,
  TextureFlag_A4R4G4B4 = 4,
  TextureFlag_A8R8G8B8 = 8,
};

class MemoryImage : public Image {
 public:
  // The largest pixel count an image accepts; larger, negative or overflowing
  // sizes are refused before anything is allocated.
  static constexpr int64_t k_MaxPixels = int64_t(1) << 28;

  std::unique_ptr<uint32_t[]> mBits;  // mWidth*mHeight pixels, then MEMORYCHECK_ID
  int mBitsChangedCount;
  void* mD3DData;  // owned by the accelerated path
  int mD3DFlags;
  std::unique_ptr<uint32_t[]> mPalette;        // 256 ARGB words
  std::unique_ptr<uint8_t[]> mPaletteIndices;  // one byte per pixel
  bool mModeForced;
  bool mHasTransparent;
  bool mHasPartialAlpha;
  bool mIsVolatile;
  bool mPurgeBits;
  bool mPaletteWanted;
  std::unique_ptr<uint32_t[]> mNativeAlphaData;  // per pixel, or 256 entries for a palette image
  std::unique_ptr<uint8_t[]> mRLAlphaData;
  std::unique_ptr<uint8_t[]> mRLAdditiveData;
  bool mBitsChanged;
  ImageRegistry* mApp;

  MemoryImage();  // belongs to gImageRegistry
  explicit MemoryImage(ImageRegistry* theApp);
  ~MemoryImage() override;

  static bool IsValidSize(int theWidth, int theHeight);

  // The saturating-add table of the application, or a built-in copy without one.
  const uint8_t* GetAddClampTable() const;

  virtual uint32_t* GetNativeAlphaData(NativeDisplay* theNative);
  virtual uint8_t* GetRLAlphaData();
  virtual uint8_t* GetRLAdditiveData(NativeDisplay* theNative);
  virtual void PurgeBits();
  virtual void DeleteSWBuffers();
  virtual void Delete3DBuffers();
  virtual void DeleteExtraBuffers();
  virtual void ReInit();
  virtual void BitsChanged();
  virtual void CommitBits();
  virtual void DeleteNativeData();
  virtual void Clear();
  // Copies theWidth*theHeight words in. Refuses (changing nothing) a bad size or a null array.
  virtual void SetBits(const uint32_t* theBits, int theWidth, int theHeight, bool commitBits = true);
  // Adopts both arrays (allocated with new[]); no 32-bit pixels may exist.
  virtual void SetBits(int theWidth, int theHeight, uint32_t* thePalette, uint8_t* theIndices);
  // Sets the size with no pixels; the first GetBits gives a zeroed image. Refuses a bad size.
  virtual void Create(int theWidth, int theHeight);
  // The 32-bit pixels, rebuilt from the palette or the native copy when needed.
  virtual uint32_t* GetBits();
  virtual void SetImageMode(bool hasTrans, bool hasAlpha);
  virtual void SetVolatile(bool isVolatile);
  // For a scratch image redrawn at every frame: a change of pixels or size parks the pixel,
  // native and run-length arrays for reuse, and only a larger size allocates.
  void SetKeepsBuffers(bool keepsBuffers);
  virtual bool Palletize();

  void FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) override;
  void ClearRect(const TRect<int>& theRect) override;
  void FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode,
                                 const unsigned char* theCoverage, int theCoverX, int theCoverY,
                                 int theCoverWidth, int theCoverHeight) override;

  // Lines.
  void DrawLine(double theStartX, double theStartY, double theEndX, double theEndY, const Color& theColor,
                int theDrawMode) override;
  void DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY, const Color& theColor,
                  int theDrawMode) override;
  void NormalDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                      const Color& theColor);
  void AdditiveDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                        const Color& theColor);
  void NormalDrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                        const Color& theColor);
  void AdditiveDrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                          const Color& theColor);

  // Blits at integer and fractional positions.
  void Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
           int theDrawMode) override;
  void NormalBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor);
  void AdditiveBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor);
  void BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
            const TRect<int>& theClipRect, const Color& theColor, int theDrawMode) override;
  // Mirrored left to right: the source's last column lands on theX.
  void BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                 int theDrawMode) override;

  // Stretching.
  void StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                  bool fastStretch) override;
  void StretchBltMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                        const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                        bool fastStretch) override;
  bool StretchBltClipHelper(const TRect<int>& theSrcRect, const TRect<int>& theClipRect,
                            const TRect<int>& theDestRect, TRect<double>& theSrcRectOut,
                            TRect<int>& theDestRectOut);
  bool StretchBltMirrorClipHelper(const TRect<int>& theSrcRect, const TRect<int>& theClipRect,
                                  const TRect<int>& theDestRect, TRect<double>& theSrcRectOut,
                                  TRect<int>& theDestRectOut);
  // With mirror set, the destination shows the source flipped left to right.
  void FastStretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<double>& theSrcRect,
                      const Color& theColor, int theDrawMode, bool mirror = false);
  void SlowStretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<double>& theSrcRect,
                      const Color& theColor, int theDrawMode, bool mirror = false);

  // Rotation.
  void BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, double theRot,
                  float theRotCenterX, float theRotCenterY) override;
  bool BltRotatedClipHelper(float& theX, float& theY, const TRect<int>& theSrcRect,
                            const TRect<int>& theClipRect, double theRot, TRect<double>& theDestRect,
                            float theRotCenterX, float theRotCenterY);

  // Matrices and triangles.
  void BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                 const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                 const TRect<int>& theSrcRect, bool blend) override;
  void BltMatrixHelper(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                       const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                       const TRect<int>& theSrcRect, void* theBits, int thePitch, int theFormat, bool blend);
  void BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                       const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, float tx,
                       float ty, bool blend) override;
  void BltTrianglesTexHelper(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                             const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                             void* theBits, int thePitch, int theFormat, float tx, float ty, bool blend);

 protected:
  // Allocates mWidth*mHeight pixels plus the guard word (the pixels are not cleared).
  void AllocBits();

 private:
  void Init(ImageRegistry* theApp);
  NativeDisplay* GetAppNativeDisplay() const;
  void FillRectAdditive(const TRect<int>& theRect, const Color& theColor);

  bool mKeepsBuffers;
  // A keeping image's arrays while let go; each Room is the element count its array (live or
  // parked) holds.
  std::unique_ptr<uint32_t[]> mKeptBits, mKeptNative;
  std::unique_ptr<uint8_t[]> mKeptRLAlpha, mKeptRLAdditive;
  size_t mBitsRoom, mNativeRoom, mRLAlphaRoom, mRLAdditiveRoom;
};

}  // namespace Tesk
