// A frame drawn through the recorder: replayed, it gives the same pixels as drawing straight
// into the screen; a frame whose drawing did not change does not reach the screen at all.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "WidgetTestSupport.h"
#include "graphics/MemoryImage.h"
#include "graphics/Span.h"
#include "graphics/TeskMatrix3.h"
#include "graphics/TriVertex.h"
#include "widgets/FrameRecorder.h"

namespace Tesk {
namespace {

// A small picture with straight alpha, different in every pixel.
void Paint(MemoryImage* theImage, int w, int h, uint32_t theSeed) {
  theImage->Create(w, h);
  uint32_t* aBits = theImage->GetBits();
  for (int i = 0; i < w * h; ++i) {
    const uint32_t v = (static_cast<uint32_t>(i) * 2654435761u) ^ theSeed;
    aBits[i] = (i % 3 == 0 ? 0xFF000000u : 0x80000000u) | (v & 0x00FFFFFFu);
  }
  theImage->BitsChanged();
}

// Every kind of operation, through the drawing context and straight on the image.
void DrawEverything(Graphics* g, MemoryImage* theSprite, BlockFont* theFont) {
  g->SetColor(Color(10, 20, 30));
  g->FillRect(0, 0, 64, 48);
  g->SetColor(Color(200, 100, 50, 128));
  g->FillRect(5, 5, 20, 10);
  g->DrawRect(3, 30, 20, 10);
  g->DrawLine(0, 47, 63, 0);
  g->SetColor(Color::White);
  g->DrawImage(theSprite, 30, 4);
  g->DrawImage(theSprite, TRect<int>(2, 20, 24, 12), TRect<int>(0, 0, 8, 6));
  g->DrawImageMirror(theSprite, 50, 30);
  g->DrawImageRotatedF(theSprite, 20.5f, 24.25f, 0.7, 4.0f, 3.0f);
  g->SetColor(Color(255, 255, 0));
  g->SetFont(theFont);
  g->DrawString(L"Hi", 4, 44);

  Image* aDest = g->mDestImage;
  const TRect<int> aClip(0, 0, 64, 48);
  aDest->BltF(theSprite, 40.5f, 20.25f, TRect<int>(0, 0, 8, 6), aClip, Color::White, 0);
  TeskMatrix3 aMatrix;
  aMatrix.LoadIdentity();
  aMatrix.m[0][1] = 0.3f;
  aDest->BltMatrix(theSprite, 12.0f, 12.0f, aMatrix, aClip, Color::White, 0, TRect<int>(0, 0, 8, 6), true);
  const TriVertex aTriangles[1][3] = {{{40, 40, 0, 0, 0xFFFFFFFFu}, {60, 44, 1, 0, 0xFFFFFFFFu},
                                       {48, 30, 0, 1, 0xFFFFFFFFu}}};
  aDest->BltTrianglesTex(theSprite, aTriangles, 1, aClip, Color::White, 0, 0.0f, 0.0f, true);
  Span aSpans[2] = {{10, 30, 8}, {11, 29, 10}};
  aDest->FillScanLines(aSpans, 2, Color(0, 255, 0, 200), 0);
  Span aCovered[1] = {{14, 30, 4}};
  const unsigned char aCoverage[4] = {255, 128, 64, 0};
  aDest->FillScanLinesWithCoverage(aCovered, 1, Color(0, 0, 255), 0, aCoverage, 30, 14, 4, 1);
  aDest->DrawLineAA(1.5, 1.5, 30.25, 20.75, Color(255, 0, 255, 180), 0);
  aDest->StretchBltMirror(theSprite, TRect<int>(44, 2, 16, 12), TRect<int>(0, 0, 8, 6), aClip, Color::White, 0,
                          false);
  aDest->ClearRect(TRect<int>(60, 44, 4, 4));
}

TEST(FrameRecorder, AReplayedFrameIsTheFrameDrawnStraight) {
  MemoryImage aSprite(nullptr);
  Paint(&aSprite, 8, 6, 0x1234);
  BlockFont aFont;
  MemoryImage aStraight(nullptr);
  aStraight.Create(64, 48);
  {
    Graphics g(&aStraight);
    DrawEverything(&g, &aSprite, &aFont);
  }
  FrameRecorder aRecorder;
  aRecorder.Begin(64, 48);
  {
    Graphics g(&aRecorder);
    DrawEverything(&g, &aSprite, &aFont);
  }
  EXPECT_GT(aRecorder.GetOpCount(), 10u);
  MemoryImage aReplayed(nullptr);
  aReplayed.Create(64, 48);
  aRecorder.Replay(&aReplayed);
  const uint32_t* a = aStraight.GetBits();
  const uint32_t* b = aReplayed.GetBits();
  int aDifferent = 0;
  for (int i = 0; i < 64 * 48; ++i)
    if (a[i] != b[i]) ++aDifferent;
  EXPECT_EQ(aDifferent, 0);
}

TEST(FrameRecorder, TheFingerprintFollowsEveryArgumentAndTheSourcePixels) {
  MemoryImage aSprite(nullptr);
  Paint(&aSprite, 8, 6, 7);
  BlockFont aFont;
  auto Print = [&](const std::function<void(Graphics*)>& theDraw) {
    FrameRecorder aRecorder;
    aRecorder.Begin(64, 48);
    Graphics g(&aRecorder);
    theDraw(&g);
    return aRecorder.GetFingerprint();
  };
  const uint64_t aBase = Print([&](Graphics* g) { DrawEverything(g, &aSprite, &aFont); });
  EXPECT_EQ(Print([&](Graphics* g) { DrawEverything(g, &aSprite, &aFont); }), aBase);
  EXPECT_NE(Print([&](Graphics* g) {
              DrawEverything(g, &aSprite, &aFont);
              g->FillRect(0, 0, 1, 1);
            }),
            aBase);
  EXPECT_NE(Print([&](Graphics* g) {
              g->Translate(1, 0);
              DrawEverything(g, &aSprite, &aFont);
            }),
            aBase);
  EXPECT_NE(Print([&](Graphics* g) {
              g->ClipRect(0, 0, 60, 40);
              DrawEverything(g, &aSprite, &aFont);
            }),
            aBase);
  // The same sprite with its pixels changed is another picture.
  aSprite.GetBits()[0] ^= 1;
  aSprite.BitsChanged();
  EXPECT_NE(Print([&](Graphics* g) { DrawEverything(g, &aSprite, &aFont); }), aBase);
}

class FrameSkip : public ::testing::Test {
 protected:
  Log mLog;
  FakeApp mApp;
  MemoryImage mImage{nullptr};
  MemoryImage mSprite{nullptr};
  WidgetManager mManager{&mApp};
  RecordingWidget mBack{"back", &mLog, 0, 0, 40, 30};
  RecordingWidget mRed{"red", &mLog, 5, 5, 20, 10};

  void SetUp() override {
    mImage.Create(40, 30);
    mManager.mImage = &mImage;
    mManager.mSkipUnchangedFrames = true;
    SizeManager(mManager, 40, 30);
    mBack.mFill = Color(0, 0, 0);
    mRed.mFill = Color(255, 0, 0);
    mManager.AddWidget(&mBack);
    mManager.AddWidget(&mRed);
  }
  void TearDown() override { mManager.RemoveAllWidgets(); }
  uint32_t& At(int x, int y) { return mImage.GetBits()[y * 40 + x]; }
  // Marks everything dirty the way a screen does every update, and draws.
  bool Frame() {
    mBack.MarkDirty();
    mRed.MarkDirty();
    return mManager.DrawScreen();
  }
};

TEST_F(FrameSkip, TheSameDrawingAgainLeavesTheScreenAlone) {
  EXPECT_TRUE(mManager.DrawScreen());
  EXPECT_EQ(At(6, 6), 0xFFFF0000u);
  At(0, 0) = 0xFF123456u;  // stands for "the screen is not touched"
  EXPECT_FALSE(Frame());
  EXPECT_EQ(mBack.mDraws, 2);  // the widgets drew, into the recorder
  EXPECT_EQ(At(0, 0), 0xFF123456u);
  EXPECT_FALSE(mBack.mDirty);
  EXPECT_FALSE(mRed.mDirty);
}

TEST_F(FrameSkip, ADifferentDrawingReachesTheScreen) {
  mManager.DrawScreen();
  mRed.mFill = Color(0, 0, 255);
  At(0, 0) = 0xFF123456u;
  EXPECT_TRUE(Frame());
  EXPECT_EQ(At(6, 6), 0xFF0000FFu);
  EXPECT_EQ(At(0, 0), 0xFF000000u);
  // And back: the frame before last is not the one on the screen.
  mRed.mFill = Color(255, 0, 0);
  EXPECT_TRUE(Frame());
  EXPECT_EQ(At(6, 6), 0xFFFF0000u);
}

TEST_F(FrameSkip, ChangedSourcePixelsReachTheScreen) {
  Paint(&mSprite, 4, 4, 99);
  // Drawn through the widget's fill first, then the sprite over it.
  struct SpriteWidget : RecordingWidget {
    MemoryImage* mSprite = nullptr;
    using RecordingWidget::RecordingWidget;
    void Draw(Graphics* g) override {
      RecordingWidget::Draw(g);
      g->DrawImage(mSprite, 0, 0);
    }
  } aWidget("sprite", &mLog, 30, 20, 4, 4);
  aWidget.mSprite = &mSprite;
  mManager.AddWidget(&aWidget);
  mManager.DrawScreen();
  aWidget.MarkDirty();
  EXPECT_TRUE(mManager.DrawScreen());  // the sprite alone: not the whole frame before it
  aWidget.MarkDirty();
  EXPECT_FALSE(mManager.DrawScreen());
  const uint32_t aBefore = At(30, 20);
  mSprite.GetBits()[0] = 0xFF00FF00u;
  mSprite.BitsChanged();
  aWidget.MarkDirty();
  EXPECT_TRUE(mManager.DrawScreen());
  EXPECT_NE(At(30, 20), aBefore);
  EXPECT_EQ(At(30, 20) & 0xFFFF0000u, 0xFF000000u);  // green, as the sprite now is
  mManager.RemoveWidget(&aWidget);
}

TEST_F(FrameSkip, MarkingAllDirtyOrForgettingTheFrameDrawsItAgain) {
  mManager.DrawScreen();
  At(0, 0) = 0xFF123456u;
  mManager.MarkAllDirty();
  EXPECT_TRUE(mManager.DrawScreen());
  EXPECT_EQ(At(0, 0), 0xFF000000u);
  At(0, 0) = 0xFF123456u;
  mManager.ForgetLastFrame();
  EXPECT_TRUE(Frame());
  EXPECT_EQ(At(0, 0), 0xFF000000u);
}

TEST_F(FrameSkip, ANewScreenImageGetsTheFrame) {
  mManager.DrawScreen();
  MemoryImage anOther(nullptr);
  anOther.Create(40, 30);
  mManager.mImage = &anOther;
  EXPECT_TRUE(Frame());
  EXPECT_EQ(anOther.GetBits()[6 * 40 + 6], 0xFFFF0000u);
  mManager.mImage = &mImage;
}

TEST_F(FrameSkip, WithoutSkippingEveryDirtyFrameIsDrawn) {
  mManager.mSkipUnchangedFrames = false;
  mManager.DrawScreen();
  At(0, 0) = 0xFF123456u;
  EXPECT_TRUE(Frame());
  EXPECT_EQ(At(0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace Tesk
