// Where each drawing operation of a display-surface image lands, by kind of destination:
// the accelerated path, the memory pixels, or software on the surface.
#include <gtest/gtest.h>

#include <functional>

#include "DDImageTestSupport.h"
#include "graphics/DDImageCheck3D.h"
#include "graphics/TeskMatrix3.h"

using namespace DDImageTest;

namespace {

enum class Dest { Draw3D, PartialAlpha, Mode3D, Plain, CursorArea3D };

const char* Name(Dest theDest) {
  switch (theDest) {
    case Dest::Draw3D:
      return "3-D draw surface";
    case Dest::PartialAlpha:
      return "partial alpha";
    case Dest::Mode3D:
      return "display in 3-D";
    case Dest::Plain:
      return "plain surface";
    case Dest::CursorArea3D:
      return "cursor area in 3-D";
  }
  return "";
}

class DDImageRoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mD3D = new RecordingD3D();
    mDisplay.mD3DInterface.reset(mD3D);
    SetPixels(mSource, 4, 4, [](int x, int y) { return 0xFF000000u | uint32_t(x * 40 + y); });
  }

  // A destination of the given kind, 8 x 8.
  std::unique_ptr<DDImage> Make(Dest theDest) {
    auto anImage = std::make_unique<DDImage>(&mDisplay);
    SetPixels(*anImage, 8, 8,
              [&](int, int) { return theDest == Dest::PartialAlpha ? 0x80102030u : 0xFF102030u; });
    mDisplay.mIs3D = theDest == Dest::Draw3D || theDest == Dest::Mode3D || theDest == Dest::CursorArea3D;
    if (theDest == Dest::Draw3D) {
      mDisplay.mDrawSurface = mDisplay.MakeSurface(8, 8);
      anImage->SetSurface(mDisplay.mDrawSurface);
    } else if (theDest == Dest::CursorArea3D) {
      anImage->SetSurface(mDisplay.MakeSurface(8, 8));
      anImage->SetImageMode(false, false);
      mDisplay.mNewCursorAreaImage = anImage.get();
    } else if (theDest != Dest::PartialAlpha) {
      EXPECT_NE(anImage->GetSurface(), nullptr);
    }
    return anImage;
  }

  // "3d:<call>", "surface" (the surface alone holds the pixels) or "memory" (the memory pixels
  // were drawn and the surface dropped), or "none".
  std::string Route(DDImage& theImage, bool hadSurface) {
    if (!mD3D->mCalls.empty()) return "3d:" + mD3D->mCalls.back();
    if (theImage.mSurface != nullptr && !theImage.mBits) return "surface";
    if (theImage.mBits && (theImage.mSurface == nullptr || !hadSurface)) return "memory";
    return "none";
  }

  TestDisplay mDisplay;
  RecordingD3D* mD3D;
  DDImage mSource{&mDisplay};
};

struct Op {
  const char* mName;
  std::function<void(DDImage&, MemoryImage&)> mDraw;
  // Expected route per destination: Draw3D, PartialAlpha, Mode3D, Plain.
  const char* mRoutes[4];
};

}  // namespace

TEST_F(DDImageRoutingTest, EachOperationLandsOnThePathOfItsDestination) {
  const TRect<int> aClip(0, 0, 8, 8), aSrc(0, 0, 4, 4);
  const Color aWhite = Color::White;
  TeskMatrix3 aMatrix;
  aMatrix.LoadIdentity();
  TriVertex aTriangles[1][3] = {{{0, 0, 0, 0, 0}, {4, 0, 1, 0, 0}, {0, 4, 0, 1, 0}}};
  Span aSpans[2] = {{1, 1, 3}, {2, 1, 3}};
  unsigned char aCoverage[64];
  std::fill(aCoverage, aCoverage + 64, 200);

  const Op kOps[] = {
      {"FillRect normal",
       [&](DDImage& d, MemoryImage&) { d.FillRect(TRect<int>(1, 1, 3, 3), aWhite, 0); },
       {"3d:FillRect", "memory", "memory", "surface"}},
      {"FillRect additive",
       [&](DDImage& d, MemoryImage&) { d.FillRect(TRect<int>(1, 1, 3, 3), aWhite, 1); },
       {"3d:FillRect", "memory", "memory", "surface"}},
      {"DrawLine",
       [&](DDImage& d, MemoryImage&) { d.DrawLine(0, 0, 5, 3, aWhite, 0); },
       {"3d:DrawLine", "memory", "memory", "surface"}},
      {"DrawLineAA",
       [&](DDImage& d, MemoryImage&) { d.DrawLineAA(0, 0, 5, 3, aWhite, 0); },
       {"3d:DrawLine", "memory", "memory", "surface"}},
      {"Blt",
       [&](DDImage& d, MemoryImage& s) { d.Blt(&s, 1, 1, aSrc, aWhite, 0); },
       {"3d:Blt", "memory", "memory", "surface"}},
      {"Blt additive",
       [&](DDImage& d, MemoryImage& s) { d.Blt(&s, 1, 1, aSrc, aWhite, 1); },
       {"3d:Blt", "memory", "memory", "surface"}},
      // No memory case of its own: without a surface (partial alpha) the memory pixels take it.
      {"BltMirror",
       [&](DDImage& d, MemoryImage& s) { d.BltMirror(&s, 1, 1, aSrc, aWhite, 0); },
       {"3d:BltMirror", "memory", "surface", "surface"}},
      {"BltF inside the clip",
       [&](DDImage& d, MemoryImage& s) { d.BltF(&s, 1.5f, 1, aSrc, aClip, aWhite, 0); },
       {"3d:Blt", "memory", "memory", "surface"}},
      {"BltF across the clip",
       [&](DDImage& d, MemoryImage& s) { d.BltF(&s, 6.5f, 1, aSrc, aClip, aWhite, 0); },
       {"3d:BltClipF", "memory", "memory", "surface"}},
      {"BltRotated",
       [&](DDImage& d, MemoryImage& s) { d.BltRotated(&s, 2, 2, aSrc, aClip, aWhite, 0, 0.5, 2, 2); },
       {"3d:BltRotated", "memory", "memory", "surface"}},
      {"StretchBlt",
       [&](DDImage& d, MemoryImage& s) {
         d.StretchBlt(&s, TRect<int>(0, 0, 8, 8), aSrc, aClip, aWhite, 0, true);
       },
       {"3d:StretchBlt", "memory", "surface", "surface"}},
      {"StretchBltMirror",
       [&](DDImage& d, MemoryImage& s) {
         d.StretchBltMirror(&s, TRect<int>(0, 0, 8, 8), aSrc, aClip, aWhite, 0, true);
       },
       {"3d:StretchBltMirror", "memory", "surface", "surface"}},
      {"BltMatrix",
       [&](DDImage& d, MemoryImage& s) { d.BltMatrix(&s, 3, 3, aMatrix, aClip, aWhite, 0, aSrc, false); },
       {"3d:BltTransformed", "memory", "surface", "surface"}},
      {"BltTrianglesTex",
       [&](DDImage& d, MemoryImage& s) {
         d.BltTrianglesTex(&s, aTriangles, 1, aClip, aWhite, 0, 0, 0, false);
       },
       {"3d:DrawTrianglesTex", "memory", "surface", "surface"}},
      {"FillScanLinesWithCoverage",
       [&](DDImage& d, MemoryImage&) {
         Span aCopy[2] = {aSpans[0], aSpans[1]};
         d.FillScanLinesWithCoverage(aCopy, 2, Color(255, 0, 0), 0, aCoverage, 0, 0, 8, 8);
       },
       {"3d:Blt", "memory", "surface", "surface"}},
  };
  const Dest kDests[] = {Dest::Draw3D, Dest::PartialAlpha, Dest::Mode3D, Dest::Plain};
  for (const Op& anOp : kOps) {
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(std::string(anOp.mName) + " on " + Name(kDests[i]));
      std::unique_ptr<DDImage> aDest = Make(kDests[i]);
      mD3D->mCalls.clear();
      bool hadSurface = aDest->mSurface != nullptr;
      anOp.mDraw(*aDest, mSource);
      EXPECT_EQ(Route(*aDest, hadSurface), anOp.mRoutes[i]);
      EXPECT_EQ(aDest->mLockCount, 0);
    }
  }
}

TEST_F(DDImageRoutingTest, CursorAreaImagesBlitOnTheirSurfaceEvenIn3D) {
  std::unique_ptr<DDImage> anArea = Make(Dest::CursorArea3D);
  mD3D->mCalls.clear();
  anArea->Blt(&mSource, 1, 1, TRect<int>(0, 0, 4, 4), Color::White, 0);
  EXPECT_TRUE(mD3D->mCalls.empty());
  EXPECT_EQ(anArea->mSurface->GetMemory()[1 * 8 + 1], mSource.GetBits()[0]);
  mDisplay.mNewCursorAreaImage = nullptr;
}

TEST_F(DDImageRoutingTest, Check3DAsksForTheDrawSurfaceInA3DDisplay) {
  std::unique_ptr<DDImage> aDrawn = Make(Dest::Draw3D);
  EXPECT_TRUE(DDImage::Check3D(aDrawn.get()));
  EXPECT_TRUE(DDImageCheck3D(aDrawn.get()));  // what the drawing context sees
  EXPECT_FALSE(DDImageCheck3D(&mSource));
  MemoryImage aMemory(nullptr);
  EXPECT_FALSE(DDImage::Check3D(static_cast<Image*>(&aMemory)));
  EXPECT_FALSE(DDImage::Check3D(static_cast<Image*>(nullptr)));
  mDisplay.mIs3D = false;
  EXPECT_FALSE(DDImage::Check3D(aDrawn.get()));
  // PolyFill3D only draws on the 3-D draw surface; elsewhere the caller rasterises.
  mDisplay.mIs3D = true;
  TPoint<int> aPoly[3] = {{0, 0}, {4, 0}, {0, 4}};
  EXPECT_TRUE(aDrawn->PolyFill3D(aPoly, 3, nullptr, Color::White, 0, 0, 0, true));
  std::unique_ptr<DDImage> aPlain = Make(Dest::Plain);
  EXPECT_FALSE(aPlain->PolyFill3D(aPoly, 3, nullptr, Color::White, 0, 0, 0, true));
}

TEST_F(DDImageRoutingTest, BltFIn3DOutsideTheClipDrawsNothing) {
  std::unique_ptr<DDImage> aDrawn = Make(Dest::Draw3D);
  mD3D->mCalls.clear();
  aDrawn->BltF(&mSource, 20.0f, 20.0f, TRect<int>(0, 0, 4, 4), TRect<int>(0, 0, 8, 8), Color::White, 0);
  EXPECT_TRUE(mD3D->mCalls.empty());
  EXPECT_TRUE(mSource.mDrawn);
}

TEST_F(DDImageRoutingTest, SurfaceToSurfaceCopyIn3DGoesThroughTheDevice) {
  // The draw buffer's memory is never shown in 3-D, so a direct copy would be lost.
  std::unique_ptr<DDImage> aDrawn = Make(Dest::Draw3D);
  mDisplay.mIs3D = false;
  DDImage aSurfaced(&mDisplay);
  SetPixels(aSurfaced, 4, 4, [](int, int) { return 0xFF00FF00u; });
  ASSERT_NE(aSurfaced.GetSurface(), nullptr);
  mDisplay.mIs3D = true;
  mD3D->mCalls.clear();
  aDrawn->Blt(&aSurfaced, 0, 0, TRect<int>(0, 0, 4, 4), Color::White, 0);
  ASSERT_EQ(mD3D->mCalls.size(), 1u);
  EXPECT_EQ(mD3D->mCalls[0], "Blt");
  EXPECT_NE(mDisplay.mDrawSurface->GetMemory()[0], 0xFF00FF00u);
}

TEST_F(DDImageRoutingTest, AxisParallelLinesOnASurfaceBecomeFills) {
  struct Case {
    double mX0, mY0, mX1, mY1;
    TRect<int> mFilled;
  };
  const Case kCases[] = {
      {2, 2, 2, 2, TRect<int>(2, 2, 1, 1)},          // a point is a one-pixel fill
      {6.7, 5.9, 3.2, 5.9, TRect<int>(3, 5, 4, 1)},  // truncated ends, smaller first
      {2.0, 5.0, 2.0, 1.0, TRect<int>(2, 1, 1, 5)},  // vertical, rows 1 to 5
  };
  for (const Case& c : kCases) {
    for (bool isAA : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.mX0 << "," << c.mY0 << " aa " << isAA);
      std::unique_ptr<DDImage> anImage = Make(Dest::Plain);
      if (isAA)
        anImage->DrawLineAA(c.mX0, c.mY0, c.mX1, c.mY1, Color(255, 255, 255), 0);
      else
        anImage->DrawLine(c.mX0, c.mY0, c.mX1, c.mY1, Color(255, 255, 255), 0);
      const uint32_t* aPixels = anImage->mSurface->GetMemory();
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          EXPECT_EQ(aPixels[y * 8 + x], c.mFilled.Contains(x, y) ? 0xFFFEFEFEu : 0xFF102030u)
              << x << "," << y;
    }
  }
}

TEST_F(DDImageRoutingTest, AdditiveAntiAliasedLineOnASurfaceDrawsNothing) {
  std::unique_ptr<DDImage> anImage = Make(Dest::Plain);
  anImage->DrawLineAA(0, 0, 5, 3, Color(255, 255, 255), 1);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(anImage->mSurface->GetMemory()[i], 0xFF102030u);
}

TEST_F(DDImageRoutingTest, TransparentSourceOnATransparentDestinationBlitsInMemory) {
  std::unique_ptr<DDImage> aDest = std::make_unique<DDImage>(&mDisplay);
  SetPixels(*aDest, 8, 8, [](int x, int) { return x == 0 ? 0x00000000u : 0xFF102030u; });
  DDImage aKeyed(&mDisplay);
  SetPixels(aKeyed, 2, 1, [](int x, int) { return x == 0 ? 0x00000000u : 0xFFFFFFFFu; });
  aDest->Blt(&aKeyed, 3, 3, TRect<int>(0, 0, 2, 1), Color::White, 0);
  EXPECT_EQ(aDest->mSurface, nullptr);
  EXPECT_EQ(aDest->GetBits()[3 * 8 + 3], 0xFF102030u);
  EXPECT_NE(aDest->GetBits()[3 * 8 + 4], 0xFF102030u);  // the memory blit drew it
}

TEST_F(DDImageRoutingTest, ColourOutOfRangeStops) {
  std::unique_ptr<DDImage> anImage = Make(Dest::Plain);
  EXPECT_DEATH(anImage->Blt(&mSource, 0, 0, TRect<int>(0, 0, 1, 1), Color(256, 0, 0), 0),
               "failed assertion `\\(theColor.mRed >= 0\\) && \\(theColor.mRed <= 255\\)'");
  EXPECT_DEATH(anImage->BltMirror(&mSource, 0, 0, TRect<int>(0, 0, 1, 1), Color(0, 0, 0, -1), 0),
               "failed assertion `\\(theColor.mAlpha >= 0\\) && \\(theColor.mAlpha <= 255\\)'");
}
