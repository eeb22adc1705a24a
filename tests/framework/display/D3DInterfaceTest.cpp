#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "DisplayTestWindow.h"
#include "display/D3DInterface.h"
#include "display/TextureData.h"

namespace {

using DisplayTest::NearColor;
using Tesk::Color;
using Tesk::MemoryImage;
using Tesk::TRect;

constexpr int k_W = 160, k_H = 120;

void FillImage(MemoryImage& theImage, int theWidth, int theHeight,
               const std::function<uint32_t(int, int)>& f) {
  theImage.Create(theWidth, theHeight);
  uint32_t* aBits = theImage.GetBits();
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x) aBits[y * theWidth + x] = f(x, y);
  theImage.BitsChanged();
}

// Distinct opaque colours, so that any misplaced texel shows.
uint32_t Gradient(int x, int y) {
  return 0xFF000000u | (uint32_t(x * 6) << 16) | (uint32_t(y * 8) << 8) | 0x40u;
}

std::map<std::string, std::string> gWrittenPrefs;

class D3DInterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    CGTestSetDisplays({});
    mWindow = DisplayTest::MakeWindow(k_W, k_H);
    ASSERT_NE(mWindow, nullptr);
    mDD = std::make_unique<DIRECTDRAW2>();
    mD3D = std::make_unique<Tesk::D3DInterface>();
    mD3D->mWindow = mWindow;
    mD3D->mWidth = k_W;
    mD3D->mHeight = k_H;
    mD3D->mDD = mDD.get();
    mD3D->mIsWindowed = true;
    ASSERT_TRUE(mD3D->InitD3D());
    EXPECT_GE(Tesk::gMaxTextureWidth, 1024);  // half of OpenGL's limit
    gWrittenPrefs.clear();
    Tesk::D3DInterface::sAppHooks.mRegistryWriteString = [](const std::string& k, const std::string& v) {
      gWrittenPrefs[k] = v;
    };
  }
  void TearDown() override {
    Tesk::D3DInterface::sAppHooks.mRegistryWriteString = nullptr;
    if (mD3D) mD3D->Cleanup();
    mD3D.reset();
    mDD.reset();
    if (mWindow != nullptr) DisposeWindow(mWindow);
  }
  // What was drawn, the device's kept quads included.
  uint32_t Pixel(int x, int y) {
    if (mD3D->GetDevice() != nullptr) mD3D->GetDevice()->FlushBatch();
    return DisplayTest::ReadPixel(x, y, k_H);
  }

  WindowRef mWindow = nullptr;
  std::unique_ptr<DIRECTDRAW2> mDD;
  std::unique_ptr<Tesk::D3DInterface> mD3D;
};

TEST_F(D3DInterfaceTest, AFailedResetIsReportedAndLeavesNothingToDrawWith) {
  aglTestFailNextPixelFormat();
  EXPECT_FALSE(mD3D->InitD3D());
  EXPECT_EQ(mD3D->GetDevice(), nullptr);
  EXPECT_EQ(Tesk::D3DInterface::mErrorString.rfind("Reset: ", 0), 0u) << Tesk::D3DInterface::mErrorString;
  EXPECT_EQ(gWrittenPrefs["Test3D\\RuntimeError"], Tesk::D3DInterface::mErrorString);
  // No texture is made against a limit of 0: the draws do nothing.
  MemoryImage anImage(nullptr);
  FillImage(anImage, 8, 8, Gradient);
  EXPECT_FALSE(mD3D->PreDraw());
  mD3D->Blt(&anImage, 0, 0, TRect<int>(0, 0, 8, 8), Color::White, 0);
  mD3D->FillRect(TRect<int>(0, 0, 8, 8), Color(255, 0, 0), 0);
  EXPECT_EQ(anImage.mD3DData, nullptr);
  // The next set-up that works draws again.
  ASSERT_TRUE(mD3D->InitD3D());
  mD3D->Blt(&anImage, 0, 0, TRect<int>(0, 0, 8, 8), Color::White, 0);
  EXPECT_TRUE(NearColor(Pixel(3, 5), Gradient(3, 5)));
  mD3D->RemoveMemoryImage(&anImage);
  Tesk::D3DInterface::mErrorString.clear();
}

TEST_F(D3DInterfaceTest, FillsAndLines) {
  mD3D->FillRect(TRect<int>(10, 10, 20, 15), Color(255, 0, 0), 0);
  EXPECT_TRUE(NearColor(Pixel(10, 10), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(29, 24), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(30, 24), 0x000000));
  // Additive fill adds colour times alpha.
  mD3D->FillRect(TRect<int>(10, 10, 5, 5), Color(0, 255, 0, 128), 1);
  EXPECT_TRUE(NearColor(Pixel(12, 12), 0xFF8000));
  // Normal fill blends.
  mD3D->FillRect(TRect<int>(20, 10, 5, 5), Color(0, 0, 255, 128), 0);
  EXPECT_TRUE(NearColor(Pixel(22, 12), 0x7F0080));
  mD3D->DrawLine(40, 50, 60, 50, Color(255, 255, 255), 0);
  EXPECT_TRUE(NearColor(Pixel(50, 50), 0xFFFFFF) || NearColor(Pixel(50, 49), 0xFFFFFF));
  EXPECT_TRUE(NearColor(Pixel(50, 53), 0x000000));
  const Tesk::TPoint<int> kTriangle[3] = {Tesk::TPoint<int>(100, 10), Tesk::TPoint<int>(150, 10),
                                          Tesk::TPoint<int>(100, 60)};
  TRect<int> aClip(0, 0, 120, 30);
  mD3D->FillPoly(kTriangle, 3, &aClip, Color(0, 0, 255), 0, 0, 0);
  EXPECT_TRUE(NearColor(Pixel(105, 15), 0x0000FF));
  EXPECT_TRUE(NearColor(Pixel(125, 15), 0x000000));  // cut by the clip
  EXPECT_TRUE(NearColor(Pixel(105, 35), 0x000000));
  mD3D->FillPoly(kTriangle, 2, nullptr, Color(0, 0, 255), 0, 0, 0);  // fewer than 3 points: nothing
  mD3D->Flush();
  EXPECT_TRUE(Tesk::D3DInterface::mErrorString.empty());
}

TEST_F(D3DInterfaceTest, ImageBlitsNormalAdditiveMirroredStretched) {
  MemoryImage anImage(nullptr);
  FillImage(anImage, 8, 8, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0x800000FFu; });
  mD3D->FillRect(TRect<int>(0, 0, k_W, k_H), Color(0, 64, 0), 0);
  mD3D->Blt(&anImage, 10, 10, TRect<int>(0, 0, 8, 8), Color(255, 255, 255), 0);
  EXPECT_TRUE(NearColor(Pixel(11, 12), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(16, 12), 0x002080));
  mD3D->Blt(&anImage, 30, 10, TRect<int>(0, 0, 8, 8), Color(255, 255, 255), 1);
  EXPECT_TRUE(NearColor(Pixel(31, 12), 0xFF4000));
  EXPECT_TRUE(NearColor(Pixel(36, 12), 0x004080));
  mD3D->Blt(&anImage, 50, 10, TRect<int>(0, 0, 8, 8), Color(128, 128, 128), 0);
  EXPECT_TRUE(NearColor(Pixel(51, 12), 0x800000));
  mD3D->BltMirror(&anImage, 70, 10, TRect<int>(0, 0, 8, 8), Color(255, 255, 255), 0);
  EXPECT_TRUE(NearColor(Pixel(76, 12), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(71, 12), 0x002080));
  mD3D->StretchBlt(&anImage, TRect<int>(10, 40, 32, 32), TRect<int>(0, 0, 8, 8), nullptr,
                   Color(255, 255, 255), 0, true, false);
  EXPECT_TRUE(NearColor(Pixel(10, 40), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(20, 60), 0xFF0000));
  EXPECT_TRUE(NearColor(Pixel(41, 71), 0x002080));
  mD3D->StretchBlt(&anImage, TRect<int>(60, 40, 32, 32), TRect<int>(0, 0, 8, 8), nullptr,
                   Color(255, 255, 255), 0, true, true);
  EXPECT_TRUE(NearColor(Pixel(60, 40), 0x002080));
  EXPECT_TRUE(NearColor(Pixel(91, 71), 0xFF0000));
  mD3D->RemoveMemoryImage(&anImage);
  EXPECT_EQ(anImage.mD3DData, nullptr);
}

TEST_F(D3DInterfaceTest, ImagesLargerThanTheLimitAreSplitAndDrawSeamlessly) {
  Tesk::gMaxTextureWidth = 16;
  Tesk::gMaxTextureHeight = 12;
  MemoryImage anImage(nullptr);
  FillImage(anImage, 40, 30, Gradient);
  mD3D->Blt(&anImage, 20, 30, TRect<int>(0, 0, 40, 30), Color(255, 255, 255), 0);
  auto* aData = static_cast<Tesk::TextureData*>(anImage.mD3DData);
  ASSERT_NE(aData, nullptr);
  EXPECT_EQ(aData->mTexVecWidth, 3);
  EXPECT_EQ(aData->mTexVecHeight, 3);
  int aMismatches = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (!NearColor(Pixel(20 + x, 30 + y), Gradient(x, y))) ++aMismatches;
  EXPECT_EQ(aMismatches, 0);
  // A source rectangle that starts inside one piece and ends in another.
  mD3D->Blt(&anImage, 100, 30, TRect<int>(10, 5, 20, 15), Color(255, 255, 255), 0);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      if (!NearColor(Pixel(100 + x, 30 + y), Gradient(10 + x, 5 + y))) ++aMismatches;
  EXPECT_EQ(aMismatches, 0);
  // Textured triangles across pieces: two triangles covering the whole image.
  const Tesk::TriVertex kTris[2][3] = {
      {{0, 0, 0, 0, 0}, {40, 0, 1, 0, 0}, {0, 30, 0, 1, 0}},
      {{40, 0, 1, 0, 0}, {40, 30, 1, 1, 0}, {0, 30, 0, 1, 0}},
  };
  mD3D->DrawTrianglesTex(kTris, 2, Color(255, 255, 255), 0, &anImage, 20, 80, true);
  for (int y = 1; y < 29; ++y)
    for (int x = 1; x < 39; ++x)
      if (!NearColor(Pixel(20 + x, 80 + y), Gradient(x, y), 2)) ++aMismatches;
  EXPECT_EQ(aMismatches, 0);
  mD3D->RemoveMemoryImage(&anImage);
}

// Pieces know whether every pixel they hold is opaque; an opaque image blitted over a
// translucent backdrop leaves the frame it leaves when drawn blended.
TEST_F(D3DInterfaceTest, OpaqueImagesDrawTheSameFrameUnblended) {
  Tesk::gMaxTextureWidth = 16;
  Tesk::gMaxTextureHeight = 16;
  MemoryImage anImage(nullptr);
  // One translucent pixel in the last piece only.
  FillImage(anImage, 40, 20, [](int x, int y) { return x == 39 && y == 19 ? 0x80FFFFFFu : Gradient(x, y); });
  ASSERT_TRUE(mD3D->CreateImageTexture(&anImage));
  auto* aData = static_cast<Tesk::TextureData*>(anImage.mD3DData);
  ASSERT_EQ(aData->mTextures.size(), 6u);
  for (size_t i = 0; i < 5; ++i) EXPECT_TRUE(aData->mTextures[i].mOpaque) << i;
  EXPECT_FALSE(aData->mTextures[5].mOpaque);

  auto aFrame = [&]() {
    mD3D->FillRect(TRect<int>(0, 0, k_W, k_H), Color(30, 60, 90), 0);
    mD3D->FillRect(TRect<int>(0, 0, k_W, 50), Color(200, 100, 50, 120), 0);
    mD3D->Blt(&anImage, 5, 5, TRect<int>(0, 0, 40, 20), Color(255, 255, 255), 0);
    mD3D->Blt(&anImage, 60.5f, 10.25f, TRect<int>(3, 2, 30, 17), Color(200, 150, 100), 0, true);
    mD3D->Blt(&anImage, 5, 40, TRect<int>(0, 0, 40, 20), Color(255, 255, 255, 128), 0);
    mD3D->Blt(&anImage, 60, 40, TRect<int>(0, 0, 40, 20), Color(255, 255, 255), 1);
    mD3D->StretchBlt(&anImage, TRect<int>(5, 70, 70, 35), TRect<int>(0, 0, 40, 20), nullptr,
                     Color(255, 255, 255), 0, false);
    mD3D->BltRotated(&anImage, 90, 70, nullptr, Color(255, 255, 255), 0, 0.4, 20, 10,
                     TRect<int>(0, 0, 40, 20));
    mD3D->GetDevice()->FlushBatch();
    std::vector<uint32_t> aPixels;
    for (int y = 0; y < k_H; ++y)
      for (int x = 0; x < k_W; ++x) aPixels.push_back(DisplayTest::ReadPixel(x, y, k_H));
    return aPixels;
  };
  std::vector<uint32_t> anUnblended = aFrame();
  for (Tesk::TextureDataPiece& aPiece : aData->mTextures) aPiece.mOpaque = false;
  std::vector<uint32_t> aBlended = aFrame();
  EXPECT_TRUE(anUnblended == aBlended);
  mD3D->RemoveMemoryImage(&anImage);
}

// Pieces know the bounds of their pixels with any alpha. Blits leave out fully transparent
// pieces, and blits point sampled at whole pixels draw only the bounds: the frame is the one
// the whole quads leave, for point and linear sampling, whole and fractional positions.
TEST_F(D3DInterfaceTest, TransparentBordersAreLeftOutWithTheSameFrame) {
  Tesk::gMaxTextureWidth = 16;
  Tesk::gMaxTextureHeight = 16;
  MemoryImage anImage(nullptr);
  // A translucent gradient inside a transparent border, and one faint pixel further out; the
  // piece at the top right holds nothing but alpha 0.
  FillImage(anImage, 48, 30, [](int x, int y) {
    if (x == 3 && y == 27) return 0x01FFFFFFu;
    if (x < 5 || x >= 30 || y < 6 || y >= 24) return 0x00FFFFFFu;
    return (uint32_t(0x60 + x * 5) << 24) | (uint32_t(x * 6) << 16) | (uint32_t(y * 8) << 8) | 0x40u;
  });
  ASSERT_TRUE(mD3D->CreateImageTexture(&anImage));
  auto* aData = static_cast<Tesk::TextureData*>(anImage.mD3DData);
  ASSERT_EQ(aData->mTextures.size(), 6u);
  const Tesk::TextureDataPiece& aFirst = aData->mTextures[0];
  EXPECT_EQ(aFirst.mLeft, 5);
  EXPECT_EQ(aFirst.mTop, 6);
  EXPECT_EQ(aFirst.mRight, 16);
  EXPECT_EQ(aFirst.mBottom, 16);
  EXPECT_EQ(aData->mTextures[2].mRight, 0);  // all transparent
  EXPECT_EQ(aData->mTextures[3].mLeft, 3);   // the faint pixel
  EXPECT_EQ(aData->mTextures[3].mBottom, 12);

  auto aFrame = [&]() {
    mD3D->FillRect(TRect<int>(0, 0, k_W, k_H), Color(30, 60, 90), 0);
    mD3D->Blt(&anImage, 5, 5, TRect<int>(0, 0, 48, 30), Color(255, 255, 255), 0);
    mD3D->Blt(&anImage, 60, 5, TRect<int>(2, 3, 40, 25), Color(200, 150, 100), 1);
    mD3D->Blt(&anImage, 110.5f, 5.25f, TRect<int>(0, 0, 48, 30), Color(255, 255, 255), 0);
    mD3D->Blt(&anImage, 5, 45, TRect<int>(0, 0, 48, 30), Color(255, 255, 255), 0, true);
    mD3D->Blt(&anImage, 60.25f, 45.5f, TRect<int>(1, 1, 46, 28), Color(255, 255, 255), 0, true);
    mD3D->Blt(&anImage, 110, 45, TRect<int>(31, 0, 17, 16), Color(255, 255, 255), 0, true);
    mD3D->GetDevice()->FlushBatch();
    std::vector<uint32_t> aPixels;
    for (int y = 0; y < k_H; ++y)
      for (int x = 0; x < k_W; ++x) aPixels.push_back(DisplayTest::ReadPixel(x, y, k_H));
    return aPixels;
  };
  std::vector<uint32_t> aTrimmed = aFrame();
  for (Tesk::TextureDataPiece& aPiece : aData->mTextures) {
    aPiece.mLeft = aPiece.mTop = 0;
    aPiece.mRight = aPiece.mWidth;
    aPiece.mBottom = aPiece.mHeight;
  }
  std::vector<uint32_t> aWhole = aFrame();
  EXPECT_TRUE(aTrimmed == aWhole);
  mD3D->RemoveMemoryImage(&anImage);
}

// Pieces know their largest opaque rectangle; blits of a sprite piled several times over the
// frame leave the frame they leave without it.
TEST_F(D3DInterfaceTest, PiledSpritesLeaveTheSameFrameOverTheirOpaqueCores) {
  MemoryImage aSprite(nullptr);
  FillImage(aSprite, 24, 20, [](int x, int y) {
    bool isCore = x >= 4 && x < 20 && y >= 6 && y < 14;
    bool isCorner = (x == 4 || x == 19) && y == 10;  // opaque pixels the rectangle cannot take
    uint32_t a = isCore ? 0xFF : (x == 2 && y == 2) || isCorner ? 0xFF : 0x30 + uint32_t(x * 4);
    return (a << 24) | (uint32_t(x * 10) << 16) | (uint32_t(y * 12) << 8) | 0x55u;
  });
  ASSERT_TRUE(mD3D->CreateImageTexture(&aSprite));
  auto* aData = static_cast<Tesk::TextureData*>(aSprite.mD3DData);
  ASSERT_EQ(aData->mTextures.size(), 1u);
  Tesk::TextureDataPiece& aPiece = aData->mTextures[0];
  EXPECT_EQ(aPiece.mCore.mLeft, 4);
  EXPECT_EQ(aPiece.mCore.mTop, 6);
  EXPECT_EQ(aPiece.mCore.mRight, 20);
  EXPECT_EQ(aPiece.mCore.mBottom, 14);

  auto aFrame = [&]() {
    mD3D->FillRect(TRect<int>(0, 0, k_W, k_H), Color(30, 60, 90), 0);
    uint32_t aSeed = 99;
    for (int i = 0; i < 200; ++i) {
      aSeed = aSeed * 1664525u + 1013904223u;
      int x = int((aSeed >> 8) % (k_W + 10)) - 10, y = int((aSeed >> 20) % (k_H + 10)) - 10;
      mD3D->Blt(&aSprite, static_cast<float>(x), static_cast<float>(y), TRect<int>(0, 0, 24, 20),
                Color(255, 255, 255), 0);
    }
    mD3D->GetDevice()->FlushBatch();
    std::vector<uint32_t> aPixels;
    for (int y = 0; y < k_H; ++y)
      for (int x = 0; x < k_W; ++x) aPixels.push_back(DisplayTest::ReadPixel(x, y, k_H));
    return aPixels;
  };
  std::vector<uint32_t> aCored = aFrame();
  aPiece.mCore = IDirect3DDevice8::TexelRect{0, 0, 0, 0};
  std::vector<uint32_t> aPlain = aFrame();
  EXPECT_TRUE(aCored == aPlain);
  mD3D->RemoveMemoryImage(&aSprite);
}

TEST_F(D3DInterfaceTest, ChangedPixelsRefillTheSamePieces) {
  Tesk::gMaxTextureWidth = 16;
  Tesk::gMaxTextureHeight = 16;
  MemoryImage anImage(nullptr);
  FillImage(anImage, 20, 10, [](int, int) { return 0xFF112233u; });
  ASSERT_TRUE(mD3D->CreateImageTexture(&anImage));
  auto* aData = static_cast<Tesk::TextureData*>(anImage.mD3DData);
  DIRECTDRAWSURFACE3* aFirstPiece = aData->mTextures[0].mTexture;
  int aTextures = DIRECTDRAWSURFACE3::LiveTextureCount();
  FillImage(anImage, 20, 10, [](int, int) { return 0xFF445566u; });
  mD3D->Blt(&anImage, 0, 0, TRect<int>(0, 0, 20, 10), Color(255, 255, 255), 0);
  EXPECT_EQ(aData->mTextures[0].mTexture, aFirstPiece);
  EXPECT_EQ(DIRECTDRAWSURFACE3::LiveTextureCount(), aTextures);
  EXPECT_TRUE(NearColor(Pixel(18, 5), 0x445566));
  mD3D->RemoveMemoryImage(&anImage);
  EXPECT_EQ(DIRECTDRAWSURFACE3::LiveTextureCount(), aTextures - 2);
}

TEST_F(D3DInterfaceTest, FailuresAreKeptInTheErrorStringAndThePreferences) {
  EXPECT_FALSE(Tesk::D3DInterface::CheckDXError(0, "DrawPrimitive (Rect)"));
  EXPECT_TRUE(Tesk::D3DInterface::CheckDXError(static_cast<HRESULT>(0xFA000091u), "DrawPrimitive (Rect)"));
  EXPECT_EQ(Tesk::D3DInterface::mErrorString, "DrawPrimitive (Rect): DDERR_INVALIDPIXELFORMAT");
  EXPECT_EQ(gWrittenPrefs["Test3D\\RuntimeError"], "DrawPrimitive (Rect): DDERR_INVALIDPIXELFORMAT");
  mD3D->FillRect(TRect<int>(0, 0, 1, 1), Color(0, 0, 0), 0);  // opens a scene
  mD3D->Flush();
  EXPECT_TRUE(Tesk::D3DInterface::mErrorString.empty());
  EXPECT_EQ(gWrittenPrefs["Test3D\\RuntimeError"], "DrawPrimitive (Rect): DDERR_INVALIDPIXELFORMAT");
}

TEST_F(D3DInterfaceTest, FirstDrawOfAFrameOpensTheSceneAndResetsTheFilter) {
  EXPECT_FALSE(mD3D->mSceneBegun);
  Tesk::gLinearFilter = true;
  EXPECT_TRUE(mD3D->PreDraw());
  EXPECT_TRUE(mD3D->mSceneBegun);
  EXPECT_FALSE(Tesk::gLinearFilter);
  Tesk::SetLinearFilter(mD3D->GetDevice(), true);
  EXPECT_TRUE(Tesk::gLinearFilter);
  EXPECT_TRUE(mD3D->PreDraw());
  EXPECT_TRUE(Tesk::gLinearFilter);  // no new scene within a frame
  mD3D->Flush();
  EXPECT_FALSE(mD3D->mSceneBegun);
  static bool sMinimized;
  sMinimized = true;
  Tesk::D3DInterface::sAppHooks.mIsMinimized = [] { return sMinimized; };
  EXPECT_FALSE(mD3D->PreDraw());
  Tesk::D3DInterface::sAppHooks.mIsMinimized = nullptr;
}

TEST(TextureLayoutTest, PiecesOfAnImageWiderThanTheLimit) {
  Tesk::gMaxTextureWidth = 256;
  Tesk::gMaxTextureHeight = 256;
  MemoryImage anImage(nullptr);
  anImage.Create(300, 200);
  Tesk::TextureData aData;
  aData.CreateTextureDimensions(&anImage);
  ASSERT_EQ(aData.mTextures.size(), 2u);
  EXPECT_EQ(aData.mTextures[0].mWidth, 256);
  EXPECT_EQ(aData.mTextures[0].mHeight, 200);
  EXPECT_EQ(aData.mTextures[1].mWidth, 44);
  EXPECT_EQ(aData.mTextures[1].mHeight, 200);
  EXPECT_FLOAT_EQ(aData.mMaxTotalU, 1.171875f);
  EXPECT_FLOAT_EQ(aData.mMaxTotalV, 1.0f);
  int w = 20, h = 10;
  float u1, v1, u2, v2;
  aData.GetTexture(250, 0, w, h, u1, v1, u2, v2);
  EXPECT_EQ(w, 6);
  EXPECT_FLOAT_EQ(u1, 250.0f / 256);
  EXPECT_FLOAT_EQ(u2, 1.0f);
  w = 14;
  aData.GetTexture(256, 0, w, h, u1, v1, u2, v2);
  EXPECT_EQ(w, 14);
  EXPECT_FLOAT_EQ(u1, 0.0f);
  EXPECT_FLOAT_EQ(u2, 14.0f / 44);
  anImage.Create(100, 50);
  aData.CreateTextureDimensions(&anImage);
  ASSERT_EQ(aData.mTextures.size(), 1u);
  EXPECT_EQ(aData.mTextures[0].mWidth, 100);
  EXPECT_EQ(aData.mTextures[0].mHeight, 50);
  Tesk::gMaxTextureWidth = 64;
  Tesk::gMaxTextureHeight = 64;
}

TEST(TextureLayoutTest, PixelFormatRecords) {
  _DDPIXELFORMAT aFormat;
  Tesk::MakeDDPixelFormat(Tesk::PixelFormat_R5G6B5, &aFormat);
  EXPECT_EQ(aFormat.dwSize, 32u);
  EXPECT_EQ(aFormat.dwFlags, 0x40u);
  EXPECT_EQ(aFormat.dwRGBBitCount, 16u);
  EXPECT_EQ(aFormat.dwRBitMask, 0xF800u);
  Tesk::MakeDDPixelFormat(static_cast<Tesk::PixelFormat>(3), &aFormat);
  EXPECT_EQ(aFormat.dwSize, 32u);
  EXPECT_EQ(aFormat.dwFlags, 0u);
}

}  // namespace
