#include <SDL_video.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "DisplayTestWindow.h"
#include "display/DIRECTDRAW2.h"
#include "display/IDirect3DDevice8.h"

namespace {

using DisplayTest::NearColor;
using DisplayTest::ReadPixel;

constexpr int k_W = 200, k_H = 150;

_D3DTLVERTEX V(float x, float y, uint32_t theColor, float u = 0, float v = 0) {
  return _D3DTLVERTEX{x, y, 0.0f, 1.0f, theColor, 0, u, v};
}

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    CGTestSetDisplays({});
    mWindow = DisplayTest::MakeWindow(k_W, k_H);
    ASSERT_NE(mWindow, nullptr);
    mDevice = std::make_unique<IDirect3DDevice8>();
    D3DPRESENT_PARAMETERS aParams{};
    aParams.BackBufferWidth = k_W;
    aParams.BackBufferHeight = k_H;
    aParams.hDeviceWindow = mWindow;
    aParams.Windowed = true;
    ASSERT_EQ(mDevice->Reset(&aParams), 0);
    _D3DVIEWPORT8 aViewport{0, 0, k_W, k_H, 0.0f, 1.0f};
    mDevice->SetViewport(&aViewport);
    mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
    // The states the accelerated path sets at the start of a frame.
    mDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    mDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    mDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    mDevice->SetRenderState(D3DRS_LIGHTING, 0);
    mDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    mDevice->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    mDevice->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
    mDevice->SetVertexShader(D3DFVF_TLVERTEX);
  }
  void TearDown() override {
    mDD.reset();
    mDevice.reset();
    if (mWindow != nullptr) DisposeWindow(mWindow);
  }

  // A texture surface of theWidth x theHeight filled by thePixel(x, y).
  template <class F>
  DIRECTDRAWSURFACE3* MakeTexture(int theWidth, int theHeight, F thePixel) {
    if (!mDD) mDD = std::make_unique<DIRECTDRAW2>();
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    aDesc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    aDesc.dwWidth = theWidth;
    aDesc.dwHeight = theHeight;
    DIRECTDRAWSURFACE3* aSurface = nullptr;
    EXPECT_EQ(mDD->CreateSurface(&aDesc, &aSurface, nullptr), 0);
    _DDSURFACEDESC aLock = MakeSurfaceDesc();
    aSurface->Lock(nullptr, &aLock, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    uint32_t* aBits = static_cast<uint32_t*>(aLock.lpSurface);
    for (int y = 0; y < theHeight; ++y)
      for (int x = 0; x < theWidth; ++x) aBits[y * theWidth + x] = thePixel(x, y);
    aSurface->Unlock(nullptr);
    return aSurface;
  }

  void Quad(float x, float y, float w, float h, uint32_t theColor, float u0 = 0, float v0 = 0, float u1 = 1,
            float v1 = 1) {
    _D3DTLVERTEX aQuad[4] = {V(x, y, theColor, u0, v0), V(x, y + h, theColor, u0, v1),
                             V(x + w, y, theColor, u1, v0), V(x + w, y + h, theColor, u1, v1)};
    EXPECT_EQ(mDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, aQuad, sizeof(_D3DTLVERTEX)), 0);
  }

  uint32_t Pixel(int x, int y) { return ReadPixel(x, y, k_H); }

  WindowRef mWindow = nullptr;
  std::unique_ptr<IDirect3DDevice8> mDevice;
  std::unique_ptr<DIRECTDRAW2> mDD;
};

TEST_F(DeviceTest, ClearFillsTheTargetAndPresentSwaps) {
  mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF336699u, 1.0f, 0);
  EXPECT_TRUE(NearColor(Pixel(0, 0), 0x336699));
  EXPECT_TRUE(NearColor(Pixel(k_W - 1, k_H - 1), 0x336699));
  EXPECT_EQ(mDevice->Present(nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DeviceTest, FilledRectangleUntextured) {
  mDevice->SetTexture(0, nullptr);
  Quad(10, 20, 30, 40, 0xFFFF8000u);
  EXPECT_TRUE(NearColor(Pixel(10, 20), 0xFF8000));
  EXPECT_TRUE(NearColor(Pixel(39, 59), 0xFF8000));
  EXPECT_TRUE(NearColor(Pixel(40, 20), 0x000000));
  EXPECT_TRUE(NearColor(Pixel(10, 60), 0x000000));
  EXPECT_TRUE(NearColor(Pixel(9, 19), 0x000000));
  // Half-transparent fill over white blends by its alpha.
  mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFFu, 1.0f, 0);
  Quad(0, 0, 20, 20, 0x800000FFu);
  EXPECT_TRUE(NearColor(Pixel(5, 5), 0x7F7FFF));
}

TEST_F(DeviceTest, TexturedBlitsNormalAndAdditive) {
  DIRECTDRAWSURFACE3* aTexture = MakeTexture(16, 16, [](int x, int) {
    return x < 8 ? 0xFFC04020u : 0x80204080u;  // opaque left half, half-transparent right half
  });
  mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF101010u, 1.0f, 0);
  mDevice->SetTexture(0, aTexture);
  Quad(50, 50, 16, 16, 0xFFFFFFFFu);
  EXPECT_TRUE(NearColor(Pixel(52, 55), 0xC04020));
  // 0x20 * 0.5 + 0x10 * 0.5 ...
  EXPECT_TRUE(NearColor(Pixel(62, 55), 0x182848));
  // A tint multiplies the texel.
  Quad(100, 50, 16, 16, 0xFF808080u);
  EXPECT_TRUE(NearColor(Pixel(102, 55), 0x602010));
  // Additive: source times its alpha added to what is there.
  mDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  Quad(50, 100, 16, 16, 0xFFFFFFFFu);
  EXPECT_TRUE(NearColor(Pixel(52, 105), 0xD05030));
  EXPECT_TRUE(NearColor(Pixel(62, 105), 0x203050));
}

TEST_F(DeviceTest, MirroredAndStretchedBlits) {
  DIRECTDRAWSURFACE3* aTexture =
      MakeTexture(8, 8, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0xFF0000FFu; });
  mDevice->SetTexture(0, aTexture);
  // Mirrored: u runs from right to left.
  Quad(10, 10, 8, 8, 0xFFFFFFFFu, 1, 0, 0, 1);
  EXPECT_TRUE(NearColor(Pixel(10, 12), 0x0000FF));
  EXPECT_TRUE(NearColor(Pixel(17, 12), 0xFF0000));
  // Stretched 4x: halves stay sharp away from the seam and at the edges (clamped to edge).
  Quad(40, 40, 32, 32, 0xFFFFFFFFu);
  EXPECT_TRUE(NearColor(Pixel(40, 40), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(50, 60), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(71, 71), 0x0000FF));
  EXPECT_TRUE(NearColor(Pixel(62, 45), 0x0000FF));
}

TEST_F(DeviceTest, LineStripLightsItsEndPixel) {
  mDevice->SetTexture(0, nullptr);
  _D3DTLVERTEX aLine[3] = {V(10, 10, 0xFF00FF00u), V(20, 10, 0xFF00FF00u), V(20.5f, 10.5f, 0xFF00FF00u)};
  EXPECT_EQ(mDevice->DrawPrimitiveUP(D3DPT_LINESTRIP, 2, aLine, sizeof(_D3DTLVERTEX)), 0);
  int aLit = 0;
  for (int x = 5; x < 30; ++x)
    for (int y = 8; y < 13; ++y)
      if (NearColor(Pixel(x, y), 0x00FF00)) ++aLit;
  EXPECT_GE(aLit, 10);
  EXPECT_LE(aLit, 12);
  EXPECT_TRUE(NearColor(Pixel(15, 10), 0x00FF00) || NearColor(Pixel(15, 9), 0x00FF00));
}

TEST_F(DeviceTest, ViewportCutsDrawingWithTheScissor) {
  _D3DVIEWPORT8 aViewport{20, 10, 50, 30, 0.0f, 1.0f};
  mDevice->SetViewport(&aViewport);
  GLint aBox[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_SCISSOR_BOX, aBox);
  EXPECT_EQ(aBox[0], 20);
  EXPECT_EQ(aBox[1], k_H - 40);  // measured from the bottom
  EXPECT_EQ(aBox[2], 50);
  EXPECT_EQ(aBox[3], 30);
  mDevice->SetTexture(0, nullptr);
  Quad(0, 0, k_W, k_H, 0xFFFFFFFFu);
  EXPECT_TRUE(NearColor(Pixel(20, 10), 0xFFFFFF));
  EXPECT_TRUE(NearColor(Pixel(69, 39), 0xFFFFFF));
  EXPECT_TRUE(NearColor(Pixel(19, 10), 0x000000));
  EXPECT_TRUE(NearColor(Pixel(70, 39), 0x000000));
  EXPECT_TRUE(NearColor(Pixel(20, 40), 0x000000));
  EXPECT_TRUE(NearColor(Pixel(20, 9), 0x000000));
}

TEST_F(DeviceTest, TextureCoordinatesAreScaledToTexels) {
  DIRECTDRAWSURFACE3* aTexture = MakeTexture(100, 50, [](int, int) { return 0xFFFFFFFFu; });
  mDevice->SetTexture(0, aTexture);
  _D3DTLVERTEX aPoint = V(5, 5, 0xFFFFFFFFu, 0.5f, 1.0f);
  mDevice->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &aPoint, sizeof(_D3DTLVERTEX));
  GLfloat aCoords[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, aCoords);
  EXPECT_FLOAT_EQ(aCoords[0], 50.0f);
  EXPECT_FLOAT_EQ(aCoords[1], 50.0f);
}

TEST_F(DeviceTest, UnknownPrimitiveTypesDrawNothing) {
  _D3DTLVERTEX aQuad[4] = {V(0, 0, 0xFFFFFFFFu), V(0, 50, 0xFFFFFFFFu), V(50, 0, 0xFFFFFFFFu),
                           V(50, 50, 0xFFFFFFFFu)};
  EXPECT_EQ(mDevice->DrawPrimitiveUP(static_cast<_D3DPRIMITIVETYPE>(0), 2, aQuad, 32), -1);
  EXPECT_EQ(mDevice->DrawPrimitiveUP(static_cast<_D3DPRIMITIVETYPE>(7), 2, aQuad, 32), -1);
  EXPECT_TRUE(NearColor(Pixel(10, 10), 0x000000));
}

TEST_F(DeviceTest, ResetReplacesItsContextAndTheDestructorDestroysIt) {
  int aBefore = aglLiveContextCount();
  D3DPRESENT_PARAMETERS aParams{};
  aParams.BackBufferWidth = k_W;
  aParams.BackBufferHeight = k_H;
  aParams.hDeviceWindow = mWindow;
  aParams.Windowed = true;
  for (int i = 0; i < 3; ++i) ASSERT_EQ(mDevice->Reset(&aParams), 0);
  EXPECT_EQ(aglLiveContextCount(), aBefore);
  aglTestFailNextPixelFormat();
  EXPECT_EQ(mDevice->Reset(&aParams), -1);
  aglTestFailNextContext();
  EXPECT_EQ(mDevice->Reset(&aParams), -2);
  EXPECT_NE(mDevice->GetContext(), nullptr);  // the previous context stays
  mDevice.reset();
  EXPECT_EQ(aglLiveContextCount(), aBefore - 1);
}

// A back buffer of another size than the window (full screen on a screen of another size) is a
// frame of the device's own, drawn pixel for pixel; Present shows it at the rectangle it is given,
// a whole-number scale by squares of pixels and any other filtered, black around it.
TEST(DeviceFrameTest, ABackBufferOfAnotherSizeIsDrawnAsItIsAndShownScaledWhereAsked) {
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  CGTestSetDisplays({});
  constexpr int k_WindowW = 400, k_WindowH = 300;
  WindowRef aWindow = DisplayTest::MakeWindow(k_WindowW, k_WindowH);
  ASSERT_NE(aWindow, nullptr);
  {
    IDirect3DDevice8 aDevice;
    D3DPRESENT_PARAMETERS aParams{};
    aParams.BackBufferWidth = k_W;
    aParams.BackBufferHeight = k_H;
    aParams.hDeviceWindow = aWindow;
    aParams.Windowed = true;
    ASSERT_EQ(aDevice.Reset(&aParams), 0);
    EXPECT_TRUE(aDevice.DrawsOffscreen());
    EXPECT_TRUE(aDevice.MapsPixelsOneToOne());
    auto BindFrameBuffer =
        reinterpret_cast<void (*)(GLenum, GLuint)>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    ASSERT_NE(BindFrameBuffer, nullptr);
    // The viewport's scissor is in the frame's pixels.
    _D3DVIEWPORT8 aViewport{0, 0, k_W, k_H, 0.0f, 1.0f};
    aDevice.SetViewport(&aViewport);
    aDevice.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF204060u, 1.0f, 0);
    aDevice.SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    aDevice.SetVertexShader(D3DFVF_TLVERTEX);
    aDevice.SetTexture(0, nullptr);
    // A one-pixel column at x = 50 and a square from (120, 40).
    _D3DTLVERTEX aLine[4] = {V(50, 0, 0xFFFF0000u), V(50, k_H, 0xFFFF0000u), V(51, 0, 0xFFFF0000u),
                             V(51, k_H, 0xFFFF0000u)};
    aDevice.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, aLine, sizeof(_D3DTLVERTEX));
    _D3DTLVERTEX aSquare[4] = {V(120, 40, 0xFF00FF00u), V(120, 80, 0xFF00FF00u), V(160, 40, 0xFF00FF00u),
                               V(160, 80, 0xFF00FF00u)};
    aDevice.DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, aSquare, sizeof(_D3DTLVERTEX));
    aDevice.FlushBatch();
    // Drawn as it is into the device's frame.
    EXPECT_TRUE(NearColor(ReadPixel(50, 10, k_H, GL_COLOR_ATTACHMENT0), 0xFF0000));
    EXPECT_TRUE(NearColor(ReadPixel(49, 10, k_H, GL_COLOR_ATTACHMENT0), 0x204060));
    EXPECT_TRUE(NearColor(ReadPixel(120, 40, k_H, GL_COLOR_ATTACHMENT0), 0x00FF00));
    EXPECT_TRUE(NearColor(ReadPixel(159, 79, k_H, GL_COLOR_ATTACHMENT0), 0x00FF00));
    struct Case {
      tagRECT mDest;
      bool mIsWhole;
    };
    const Case kCases[] = {{{0, 0, k_WindowW, k_WindowH}, true}, {{50, 0, 350, 225}, false}};
    for (const Case& c : kCases) {
      SCOPED_TRACE(c.mIsWhole ? "twice" : "one and a half times");
      aDevice.Present(nullptr, &c.mDest, nullptr, nullptr);
      BindFrameBuffer(GL_FRAMEBUFFER, 0);
      // The software rasteriser swaps by copying: the window's back buffer still holds what was shown.
      auto Shown = [&](int x, int y) { return ReadPixel(x, y, k_WindowH, GL_BACK); };
      if (c.mIsWhole) {
        // Each frame pixel a 2 x 2 square: the column is two pixels wide, sharp.
        EXPECT_TRUE(NearColor(Shown(100, 20), 0xFF0000));
        EXPECT_TRUE(NearColor(Shown(101, 21), 0xFF0000));
        EXPECT_TRUE(NearColor(Shown(99, 20), 0x204060));
        EXPECT_TRUE(NearColor(Shown(102, 20), 0x204060));
        EXPECT_TRUE(NearColor(Shown(240, 80), 0x00FF00));
        EXPECT_TRUE(NearColor(Shown(319, 159), 0x00FF00));
      } else {
        // Filtered: the column's pixels are mixed with the ground beside them; the square's
        // middle is its colour; black beside the frame.
        const uint32_t aColumn = Shown(50 + 75, 20);
        EXPECT_FALSE(NearColor(aColumn, 0xFF0000, 8));
        EXPECT_FALSE(NearColor(aColumn, 0x204060, 8));
        EXPECT_TRUE(NearColor(Shown(50 + 210, 90), 0x00FF00));
        EXPECT_TRUE(NearColor(Shown(10, 100), 0x000000));
        EXPECT_TRUE(NearColor(Shown(399, 299), 0x000000));
        EXPECT_TRUE(NearColor(Shown(200, 250), 0x000000));
      }
    }
  }
  DisposeWindow(aWindow);
}

// The rectangle of the back buffer, top row first.
std::vector<uint32_t> ReadArea(int x, int y, int w, int h) {
  std::vector<uint32_t> aPixels;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) aPixels.push_back(ReadPixel(i, j, k_H));
  return aPixels;
}

TEST_F(DeviceTest, FiltersAreHonouredPerTextureAndOnlySetWhenTheyChange) {
  DIRECTDRAWSURFACE3* aTexture =
      MakeTexture(2, 1, [](int x, int) { return x == 0 ? 0xFFFF0000u : 0xFF0000FFu; });
  // Point sampling: the two texels stay pure however far they are stretched.
  mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
  mDevice->SetTexture(0, aTexture);
  EXPECT_EQ(aTexture->GetTextureMagFilter(), GL_NEAREST);
  Quad(0, 0, 64, 8, 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(30, 4), 0xFFFF0000u);
  EXPECT_EQ(Pixel(33, 4), 0xFF0000FFu);
  // Linear: the middle is a mix of both.
  mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  mDevice->SetTexture(0, aTexture);
  EXPECT_EQ(aTexture->GetTextureMinFilter(), GL_LINEAR);
  Quad(0, 20, 64, 8, 0xFFFFFFFFu);
  uint32_t aMiddle = Pixel(32, 24);
  EXPECT_GT((aMiddle >> 16) & 0xFF, 0x40u);
  EXPECT_GT(aMiddle & 0xFF, 0x40u);
  GLint aFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, &aFilter);
  EXPECT_EQ(aFilter, GL_LINEAR);
}

// Quads kept and drawn as one array leave exactly the pixels the strips leave, whatever the
// filter, blend, colour and fractional position; and they are drawn before a texture they use
// changes or goes.
TEST_F(DeviceTest, KeptQuadsDrawExactlyAsStrips) {
  DIRECTDRAWSURFACE3* aTexture = MakeTexture(16, 16, [](int x, int y) {
    return (uint32_t((x * 16 + y * 3) & 0xFF) << 24) | (uint32_t(x * 15) << 16) | (uint32_t(y * 15) << 8) | 0x5A;
  });
  auto aDraw = [&](bool isKept) {
    mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF204060u, 1.0f, 0);
    int k = 0;
    for (uint32_t aFilter : {D3DTEXF_POINT, D3DTEXF_LINEAR}) {
      mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, aFilter);
      mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, aFilter);
      for (uint32_t aDest : {D3DBLEND_INVSRCALPHA, D3DBLEND_ONE}) {
        mDevice->SetRenderState(D3DRS_DESTBLEND, aDest);
        mDevice->SetTexture(0, aTexture);
        for (int i = 0; i < 6; ++i, ++k) {
          float x = 3.0f + 21.3f * i + 0.37f * k, y = 2.0f + 17.0f * k - 0.25f * i, w = 16.0f + 3.5f * i;
          uint32_t aColor = 0xFFFFFFFFu - uint32_t(k) * 0x0B0D0709u;
          _D3DTLVERTEX aQuad[4] = {V(x, y, aColor, 0, 0), V(x, y + w, aColor, 0, 1), V(x + w, y, aColor, 1, 0),
                                   V(x + w, y + w, aColor, 1, 1)};
          if (isKept)
            EXPECT_EQ(mDevice->DrawQuad(aQuad), 0);
          else
            EXPECT_EQ(mDevice->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, aQuad, sizeof(_D3DTLVERTEX)), 0);
        }
      }
    }
    mDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    mDevice->FlushBatch();
    return ReadArea(0, 0, k_W, k_H);
  };
  std::vector<uint32_t> aStrips = aDraw(false), aKept = aDraw(true);
  EXPECT_TRUE(aStrips == aKept);

  // A quad kept over a texture that is then refilled shows the texture as it was drawn.
  mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
  mDevice->SetTexture(0, aTexture);
  _D3DTLVERTEX aQuad[4] = {V(10, 10, 0xFFFFFFFFu, 0, 0), V(10, 26, 0xFFFFFFFFu, 0, 1),
                           V(26, 10, 0xFFFFFFFFu, 1, 0), V(26, 26, 0xFFFFFFFFu, 1, 1)};
  mDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
  mDevice->DrawQuad(aQuad);
  EXPECT_TRUE(mDevice->HasKeptQuads());
  _DDSURFACEDESC aLock = MakeSurfaceDesc();
  aTexture->Lock(nullptr, &aLock, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
  std::fill_n(static_cast<uint32_t*>(aLock.lpSurface), 256, 0xFF00FF00u);
  aTexture->Unlock(nullptr);
  mDevice->SetTexture(0, aTexture);  // uploads the new pixels after drawing the kept quad
  EXPECT_FALSE(mDevice->HasKeptQuads());
  EXPECT_EQ(Pixel(12, 12), 0xFF1E1E5Au);  // texel (2, 2) as it was
  // A texture released while quads are kept: they are drawn before it goes.
  mDevice->DrawQuad(aQuad);
  aTexture->Release();
  EXPECT_FALSE(mDevice->HasKeptQuads());
  EXPECT_EQ(Pixel(12, 12), 0xFF00FF00u);
}

// A texture every texel of which is opaque, drawn in an opaque colour in the normal mode, is
// drawn unblended: the frame is the blended one to the bit, whatever the filter, colour or
// position; a translucent colour, or the additive mode, keeps blending.
TEST_F(DeviceTest, OpaqueTexturesDrawUnblendedWithTheSamePixels) {
  DIRECTDRAWSURFACE3* anOpaque = MakeTexture(16, 16, [](int x, int y) {
    return 0xFF000000u | (uint32_t(x * 15) << 16) | (uint32_t(y * 15) << 8) |
           uint32_t((x * 7 + y * 5) & 0xFF);
  });
  auto aDraw = [&](bool isHinted) {
    mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF204060u, 1.0f, 0);
    // A backdrop of its own, so that anything blended wrongly shows.
    mDevice->SetTexture(0, nullptr);
    mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    Quad(0, 0, k_W, k_H / 2.0f, 0x80C08020u);
    mDevice->SetTexture(0, anOpaque);
    int k = 0;
    for (uint32_t aFilter : {D3DTEXF_POINT, D3DTEXF_LINEAR}) {
      mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, aFilter);
      mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, aFilter);
      mDevice->SetTexture(0, anOpaque);
      for (uint32_t aDest : {D3DBLEND_INVSRCALPHA, D3DBLEND_ONE}) {
        mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, aDest);
        for (uint32_t aColor : {0xFFFFFFFFu, 0xFF8060C0u, 0x80FFFFFFu, 0xFE102030u}) {
          float x = 2.0f + 23.0f * (k % 8) + (k % 3) * 0.4f, y = 3.0f + 34.0f * (k / 8) + (k % 2) * 0.3f;
          float w = (k % 4 == 0) ? 16.0f : 19.5f;
          _D3DTLVERTEX aQuad[4] = {V(x, y, aColor, 0, 0), V(x, y + w, aColor, 0, 1),
                                   V(x + w, y, aColor, 1, 0), V(x + w, y + w, aColor, 1, 1)};
          EXPECT_EQ(mDevice->DrawQuad(aQuad, isHinted), 0);
          ++k;
        }
      }
    }
    mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    mDevice->FlushBatch();
    return ReadArea(0, 0, k_W, k_H);
  };
  std::vector<uint32_t> aBlended = aDraw(false), anUnblended = aDraw(true);
  EXPECT_TRUE(aBlended == anUnblended);

  // The shortcut is taken for an opaque quad, and not for a translucent one.
  _D3DTLVERTEX aQuad[4] = {V(10, 10, 0xFFFFFFFFu, 0, 0), V(10, 26, 0xFFFFFFFFu, 0, 1),
                           V(26, 10, 0xFFFFFFFFu, 1, 0), V(26, 26, 0xFFFFFFFFu, 1, 1)};
  mDevice->SetTexture(0, anOpaque);
  mDevice->DrawQuad(aQuad, true);
  mDevice->FlushBatch();
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  for (_D3DTLVERTEX& v : aQuad) v.color = 0xC0FFFFFFu;
  mDevice->DrawQuad(aQuad, true);
  mDevice->FlushBatch();
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
}

// Blend states set as they already are keep the kept quads; others draw them first.
TEST_F(DeviceTest, BlendStatesSetAgainKeepTheQuads) {
  _D3DTLVERTEX aQuad[4] = {V(10, 10, 0x80FF0000u), V(10, 26, 0x80FF0000u), V(26, 10, 0x80FF0000u),
                           V(26, 26, 0x80FF0000u)};
  mDevice->SetTexture(0, nullptr);
  mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  mDevice->DrawQuad(aQuad);
  mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  EXPECT_TRUE(mDevice->HasKeptQuads());
  mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_ONE);
  EXPECT_FALSE(mDevice->HasKeptQuads());
  // Half red over black (128), then half red added (255): in the other order, or with one of
  // them lost, the red would be 191 or 128.
  mDevice->DrawQuad(aQuad);
  mDevice->FlushBatch();
  EXPECT_TRUE(NearColor(Pixel(12, 12), 0xFFFF0000u, 2));
  mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
}

// Quads of one texture piled several times over the viewport, with opaque cores: the cores go
// first into the depth buffer and what later cores hide is left out. The frame is the one the
// quads leave drawn plainly, with quads among them that cannot use their cores (fractional,
// translucent, shaded, out of the viewport).
TEST_F(DeviceTest, PiledQuadsOverTheirOpaqueCoresLeaveTheSameFrame) {
  DIRECTDRAWSURFACE3* aSprite = MakeTexture(32, 32, [](int x, int y) {
    int dx = x - 16, dy = y - 16;
    uint32_t a = dx * dx + dy * dy < 256 ? 0xFF : 0x50 + uint32_t(x + y);
    return (a << 24) | (uint32_t(x * 8) << 16) | (uint32_t(y * 8) << 8) | 0x30u;
  });
  const IDirect3DDevice8::TexelRect aCore{5, 5, 27, 27};
  auto aDraw = [&](bool isCored) {
    mDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF204060u, 1.0f, 0);
    mDevice->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    mDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    mDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    mDevice->SetTexture(0, aSprite);
    uint32_t aSeed = 7;
    for (int i = 0; i < 160; ++i) {
      aSeed = aSeed * 1664525u + 1013904223u;
      float x = static_cast<float>(int((aSeed >> 8) % (k_W + 20)) - 20);
      float y = static_cast<float>(int((aSeed >> 20) % (k_H + 20)) - 20);
      uint32_t aColor = 0xFFFFFFFFu;
      if (i % 11 == 3) x += 0.5f;
      if (i % 13 == 5) aColor = 0xC0FFFFFFu;
      if (i % 7 == 2) aColor = 0xFF80C0E0u;
      // Part of the texture only, as a blit of a source rectangle draws it.
      float u0 = (i % 5 == 1) ? 4.0f / 32 : 0.0f, w = (i % 5 == 1) ? 24.0f : 32.0f;
      _D3DTLVERTEX aQuad[4] = {V(x, y, aColor, u0, 0), V(x, y + 32, aColor, u0, 1),
                               V(x + w, y, aColor, u0 + w / 32, 0), V(x + w, y + 32, aColor, u0 + w / 32, 1)};
      EXPECT_EQ(mDevice->DrawQuad(aQuad, false, isCored ? &aCore : nullptr), 0);
    }
    mDevice->FlushBatch();
    return ReadArea(0, 0, k_W, k_H);
  };
  std::vector<uint32_t> aPlain = aDraw(false), aCored = aDraw(true);
  EXPECT_TRUE(aPlain == aCored);
  // The cores were drawn into the depth buffer (cleared to the far plane before).
  GLfloat aDepth = 1.0f;
  int aNear = 0;
  for (int y = 10; y < k_H; y += 20)
    for (int x = 10; x < k_W; x += 20) {
      glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &aDepth);
      if (aDepth < 1.0f) ++aNear;
    }
  EXPECT_GT(aNear, 10);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
}

TEST(DeviceWithoutContextTest, ClearBeforeResetDoesNothing) {
  IDirect3DDevice8 aDevice;
  EXPECT_EQ(aDevice.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0), 0);
  EXPECT_EQ(aDevice.SetTexture(0, nullptr), 0);
  EXPECT_EQ(aDevice.Present(nullptr, nullptr, nullptr, nullptr), 0);
}

}  // namespace
