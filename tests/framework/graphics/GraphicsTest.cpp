#include <gtest/gtest.h>

#include "FakeFont.h"
#include "RecordingImage.h"
#include "graphics/DDImageCheck3D.h"
#include "graphics/DrawMode.h"
#include "graphics/Graphics.h"

using namespace Tesk;

namespace {

typedef std::vector<std::string> Calls;

}  // namespace

TEST(Graphics, NewContextDefaults) {
  RecordingImage anImage(30, 20);
  Graphics g(&anImage);
  EXPECT_EQ(g.mDestImage, &anImage);
  EXPECT_EQ(g.mClipRect, TRect<int>(0, 0, 30, 20));
  EXPECT_EQ(g.GetColor(), Color(0, 0, 0, 255));
  EXPECT_EQ(g.GetDrawMode(), 0);
  EXPECT_TRUE(g.mWriteColoredString);
  EXPECT_FALSE(g.GetColorizeImages());
  EXPECT_FALSE(g.Is3D());
  EXPECT_EQ(g.mScaleX, 1.0f);

  Graphics aNoDest(nullptr);
  EXPECT_EQ(aNoDest.mDestImage, &GraphicsState::mStaticImage);
  EXPECT_EQ(aNoDest.mClipRect, TRect<int>(0, 0, 0, 0));
  aNoDest.FillRect(0, 0, 5, 5);  // draws into nothing

  gDDImageCheck3D = [](Image* theImage) { return theImage->GetWidth() == 30; };
  EXPECT_TRUE(Graphics(&anImage).Is3D());
  EXPECT_FALSE(Graphics(nullptr).Is3D());
  gDDImageCheck3D = nullptr;
}

TEST(Graphics, FillRectIsTranslatedAndClipped) {
  struct Case {
    const char* name;
    int transX, transY;
    TRect<int> clip;  // asked in untranslated coordinates
    TRect<int> fill;
    Color color;
    Calls want;
  };
  const Case kCases[] = {
      {"plain",
       0,
       0,
       TRect<int>(0, 0, 100, 100),
       TRect<int>(1, 2, 3, 4),
       Color(1, 2, 3),
       {"FillRect 1,2,3,4 ff010203 0"}},
      {"translated",
       10,
       20,
       TRect<int>(-50, -50, 200, 200),
       TRect<int>(1, 2, 3, 4),
       Color(1, 2, 3),
       {"FillRect 11,22,3,4 ff010203 0"}},
      {"clipped after translation",
       5,
       5,
       TRect<int>(0, 0, 10, 10),
       TRect<int>(-10, 3, 100, 100),
       Color(1, 2, 3),
       {"FillRect 5,8,10,7 ff010203 0"}},
      {"alpha 0 draws nothing",
       0,
       0,
       TRect<int>(0, 0, 100, 100),
       TRect<int>(1, 2, 3, 4),
       Color(1, 2, 3, 0),
       {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingImage anImage(50, 50);
    Graphics g(&anImage);
    g.Translate(c.transX, c.transY);
    g.ClipRect(c.clip.mX, c.clip.mY, c.clip.mWidth, c.clip.mHeight);
    g.SetColor(c.color);
    g.FillRect(c.fill);
    EXPECT_EQ(anImage.mCalls, c.want);
  }
}

TEST(Graphics, ClipOnlyShrinks) {
  RecordingImage anImage(50, 50);
  Graphics g(&anImage);
  g.ClipRect(10, 10, 20, 20);
  g.ClipRect(0, 0, 100, 100);
  EXPECT_EQ(g.mClipRect, TRect<int>(10, 10, 20, 20));
  g.Translate(5, 0);
  g.ClipRect(0, 0, 10, 100);
  EXPECT_EQ(g.mClipRect, TRect<int>(10, 10, 5, 20));
}

TEST(Graphics, DrawRectInsideClipIsOneCallElseFourClippedFills) {
  RecordingImage anImage(50, 50);
  anImage.mRecordBaseFills = false;
  Graphics g(&anImage);
  g.SetDrawMode(DRAWMODE_ADDITIVE);
  g.DrawRect(0, 0, 10, 10);  // covers 11 x 11
  EXPECT_EQ(anImage.mCalls, (Calls{"DrawRect 0,0,10,10 ff000000 1"}));

  anImage.mCalls.clear();
  g.ClipRect(0, 0, 10, 10);
  g.DrawRect(0, 0, 10, 10);
  // The bottom and right sides fall on the clip's outer edges: empty rectangles there.
  EXPECT_EQ(anImage.mCalls, (Calls{"FillRect 0,0,10,1 ff000000 1", "FillRect 0,10,10,0 ff000000 1",
                                   "FillRect 0,1,1,9 ff000000 1", "FillRect 10,1,0,9 ff000000 1"}));
}

TEST(Graphics, LinesAreClippedBeforeTheyReachTheImage) {
  struct Case {
    const char* name;
    int x1, y1, x2, y2;
    Calls want;
  };
  // The clip is (0, 0, 5, 10); the last column and row inside are 4 and 9.
  const Case kCases[] = {
      {"crossing the left and right edges", -10, 5, 10, 5, {"DrawLine 0,5,4,5 ff000000 0"}},
      {"reversed comes out ordered", 10, 5, -10, 5, {"DrawLine 0,5,4,5 ff000000 0"}},
      {"wholly left", -10, 0, -1, 9, {}},
      {"wholly below", 0, 10, 4, 20, {}},
      {"diagonal through a corner", -2, -2, 12, 12, {"DrawLine 0,0,4,4 ff000000 0"}},
      {"vertical clipped at the bottom", 2, 5, 2, 30, {"DrawLine 2,5,2,9 ff000000 0"}},
      {"inside is untouched", 1, 1, 3, 8, {"DrawLine 1,1,3,8 ff000000 0"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingImage anImage(50, 50);
    Graphics g(&anImage);
    g.ClipRect(0, 0, 5, 10);
    g.DrawLine(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(anImage.mCalls, c.want);
  }
  RecordingImage anImage(50, 50);
  Graphics g(&anImage);
  g.Translate(3, 4);
  g.SetColor(Color(0, 0, 0, 0));  // lines have no alpha test
  g.DrawLine(0, 0, 1, 1);
  EXPECT_EQ(anImage.mCalls, (Calls{"DrawLine 3,4,4,5 00000000 0"}));
}

TEST(Graphics, StatePushAndPopRestoresEverything) {
  RecordingImage anImage(50, 50);
  RecordingImage anOther(10, 10);
  FakeFont aFont;
  Graphics g(&anImage);
  g.PushState();
  g.Translate(7, 8);
  g.ClipRect(10, 10, 5, 5);
  g.SetColor(Color(1, 2, 3, 4));
  g.SetFont(&aFont);
  g.SetDrawMode(DRAWMODE_ADDITIVE);
  g.SetColorizeImages(true);
  g.SetFastStretch(true);
  g.SetLinearBlend(true);
  g.mDestImage = &anOther;
  g.PushState();
  g.Translate(1, 1);
  g.PopState();
  EXPECT_EQ(g.mTransX, 7.0f);
  EXPECT_EQ(g.mDestImage, &anOther);
  g.PopState();
  EXPECT_EQ(g.mDestImage, &anImage);
  EXPECT_EQ(g.mTransX, 0.0f);
  EXPECT_EQ(g.mTransY, 0.0f);
  EXPECT_EQ(g.mClipRect, TRect<int>(0, 0, 50, 50));
  EXPECT_EQ(g.GetColor(), Color(0, 0, 0, 255));
  EXPECT_EQ(g.GetFont(), nullptr);
  EXPECT_EQ(g.GetDrawMode(), 0);
  EXPECT_FALSE(g.mColorizeImages || g.mFastStretch || g.mLinearBlend);
  EXPECT_TRUE(g.mStateStack.empty());

  // A copy takes the state but not the stack.
  g.PushState();
  g.SetColorAlpha(9);
  std::unique_ptr<Graphics> aCopy(g.Create());
  EXPECT_EQ(aCopy->GetColor().mAlpha, 9);
  EXPECT_TRUE(aCopy->mStateStack.empty());
}

TEST(GraphicsDeathTest, PoppingAnEmptyStackStops) {
  RecordingImage anImage(5, 5);
  Graphics g(&anImage);
  EXPECT_DEATH(g.PopState(), "failed assertion `mStateStack.size\\(\\) > 0'");
}

TEST(Graphics, ImageDrawsPassColourisationModeAndClippedSource) {
  struct Case {
    const char* name;
    bool colorize;
    int mode;
    int x, y;
    Calls want;
  };
  // The image is 10 x 10; the context is translated by (2, 0) and clipped to (0, 0, 20, 20).
  const Case kCases[] = {
      {"white without colourisation", false, 0, 3, 4, {"Blt 5,4 src 0,0,10,10 ffffffff 0"}},
      {"the colour with colourisation", true, 1, 3, 4, {"Blt 5,4 src 0,0,10,10 80112233 1"}},
      {"cut on the left shifts the source", false, 0, -5, 0, {"Blt 0,0 src 3,0,7,10 ffffffff 0"}},
      {"cut on the right and bottom", false, 0, 15, 15, {"Blt 17,15 src 0,0,3,5 ffffffff 0"}},
      {"wholly outside draws nothing", false, 0, 30, 0, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingImage aDest(20, 20);
    RecordingImage aSrc(10, 10);
    Graphics g(&aDest);
    g.Translate(2, 0);
    g.SetColor(Color(0x11, 0x22, 0x33, 0x80));
    g.SetColorizeImages(c.colorize);
    g.SetDrawMode(c.mode);
    g.DrawImage(&aSrc, c.x, c.y);
    EXPECT_EQ(aDest.mCalls, c.want);
  }
}

TEST(Graphics, MirroredStretchedAndRotatedDraws) {
  RecordingImage aDest(20, 20);
  RecordingImage aSrc(10, 6);
  Graphics g(&aDest);
  g.DrawImageMirror(&aSrc, 15, 0);  // the clip cuts the right, which is the left of the source
  g.DrawImageMirror(&aSrc, -3, 0);  // and the left, which is the right
  g.DrawImageMirror(&aSrc, 1, 2, TRect<int>(1, 1, 2, 2), false);
  g.Translate(1, 2);
  g.SetFastStretch(true);
  g.DrawImage(&aSrc, 0, 0, 20, 12);
  g.DrawImageMirror(&aSrc, TRect<int>(1, 1, 5, 5), TRect<int>(0, 0, 4, 4));
  g.DrawImageRotated(&aSrc, 5, 5, 1.5);
  g.DrawImageRotatedF(&aSrc, 0.5f, 0.25f, 0.0, 1.0f, 2.0f, nullptr);
  g.mScaleX = 2;
  g.mScaleY = 2;
  g.DrawImage(&aSrc, 3, 3, TRect<int>(0, 0, 5, 3));
  const Calls kWant = {
      "BltMirror 15,0 src 5,0,5,6 ffffffff 0",
      "BltMirror 0,0 src 0,0,7,6 ffffffff 0",
      "Blt 1,2 src 1,1,2,2 ffffffff 0",
      "StretchBlt 1,2,20,12 src 0,0,10,6 clip 0,0,20,20 ffffffff 0 fast",
      "StretchBltMirror 2,3,5,5 src 0,0,4,4 clip 0,0,20,20 ffffffff 0 fast",
      "BltRotated 6,7 rot 1.5 centre 5,3 src 0,0,10,6 clip 0,0,20,20 ffffffff 0",
      "BltRotated 1.5,2.25 rot 0 centre 1,2 src 0,0,10,6 clip 0,0,20,20 ffffffff 0",
      "StretchBlt 8,10,10,6 src 0,0,5,3 clip 0,0,20,20 ffffffff 0 fast",
  };
  EXPECT_EQ(aDest.mCalls, kWant);
}

TEST(GraphicsDeathTest, SourceOutsideTheImageStops) {
  RecordingImage aDest(20, 20);
  RecordingImage aSrc(10, 6);
  Graphics g(&aDest);
  EXPECT_DEATH(g.DrawImage(&aSrc, 0, 0, TRect<int>(5, 0, 6, 6)),
               "failed assertion `theSrcRect.mX \\+ theSrcRect.mWidth <= theImage->GetWidth\\(\\)'");
  EXPECT_DEATH(g.DrawImageMirror(&aSrc, 0, 0, TRect<int>(0, 1, 6, 6)),
               "failed assertion `theSrcRect.mY \\+ theSrcRect.mHeight <= theImage->GetHeight\\(\\)'");
}

TEST(Graphics, NineBoxTilesEdgesAndCentre) {
  RecordingImage aDest(40, 40);
  RecordingImage aSrc(3, 3);
  Graphics g(&aDest);
  g.DrawImageBox(TRect<int>(0, 0, 10, 10), &aSrc);
  ASSERT_EQ(aDest.mCalls.size(), 4u + 16u + 16u + 64u);
  const Calls kCorners = {"Blt 0,0 src 0,0,1,1 ffffffff 0", "Blt 9,0 src 2,0,1,1 ffffffff 0",
                          "Blt 0,9 src 0,2,1,1 ffffffff 0", "Blt 9,9 src 2,2,1,1 ffffffff 0"};
  EXPECT_EQ(Calls(aDest.mCalls.begin(), aDest.mCalls.begin() + 4), kCorners);
  EXPECT_EQ(aDest.mCalls[4], "Blt 1,0 src 1,0,1,1 ffffffff 0");
  EXPECT_EQ(aDest.mCalls[5], "Blt 1,9 src 1,2,1,1 ffffffff 0");
  EXPECT_EQ(aDest.mCalls[20], "Blt 0,1 src 0,1,1,1 ffffffff 0");
  EXPECT_EQ(aDest.mCalls.back(), "Blt 8,8 src 1,1,1,1 ffffffff 0");

  // A wider middle: the last tile is cut by the edge's clip.
  RecordingImage aDest2(40, 40);
  RecordingImage aSrc2(12, 3);  // corners 4 wide, middle 4 wide
  Graphics g2(&aDest2);
  g2.DrawImageBox(TRect<int>(0, 0, 14, 3), &aSrc2);
  EXPECT_EQ(aDest2.mCalls[4], "Blt 4,0 src 4,0,4,1 ffffffff 0");
  EXPECT_EQ(aDest2.mCalls[6], "Blt 8,0 src 4,0,2,1 ffffffff 0");

  RecordingImage anEmpty(0, 0);
  g.DrawImageBox(TRect<int>(0, 0, 10, 10), &anEmpty);
  EXPECT_EQ(aDest.mCalls.size(), 100u);
}

TEST(Graphics, WriteStringColourCodes) {
  struct Case {
    const char* name;
    const wchar_t* text;
    bool colored;
    int width;
    Calls drawn;
    Color after;
  };
  const Color kStart(0x10, 0x20, 0x30, 0x80);
  const Case kCases[] = {
      {"doubled caret is one caret", L"A^^B", true, 30, {"A^B@5,7 80102030"}, kStart},
      {"colour code",
       L"ab^FF0000^cd",
       true,
       40,
       {"ab@5,7 80102030", "cd@25,7 80ff0000"},
       Color(255, 0, 0, 0x80)},
      {"unfinished code drops the rest", L"ab^FF00", true, 20, {"ab@5,7 80102030"}, kStart},
      {"o-code that is not oldclr is black",
       L"x^orange^y",
       true,
       20,
       {"x@5,7 80102030", "y@15,7 80000000"},
       Color(0, 0, 0, 0x80)},
      {"oldclr restores",
       L"^00ff00^a^oldclr^b",
       true,
       20,
       {"@5,7 80102030", "a@5,7 8000ff00", "b@15,7 80102030"},
       kStart},
      {"bad hex digits count as 0",
       L"^zz00Ff^q",
       true,
       10,
       {"@5,7 80102030", "q@5,7 800000ff"},
       Color(0, 0, 0xFF, 0x80)},
      {"carets are plain text when codes are off", L"a^^b", false, 40, {"a^^b@5,7 80102030"}, kStart},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingImage anImage(50, 50);
    FakeFont aFont;
    Graphics g(&anImage);
    g.SetFont(&aFont);
    g.SetColor(kStart);
    g.mWriteColoredString = c.colored;
    EXPECT_EQ(g.WriteString(c.text, 5, 7), c.width);
    EXPECT_EQ(aFont.mDrawn, c.drawn);
    EXPECT_EQ(g.GetColor(), c.after);
  }
}

TEST(Graphics, WriteStringJustifiesMeasuresAndSlices) {
  RecordingImage anImage(50, 50);
  FakeFont aFont;
  Graphics g(&anImage);
  g.SetFont(&aFont);
  EXPECT_EQ(g.WriteString(L"abc", 0, 0, 100, 0), 30);
  EXPECT_EQ(g.WriteString(L"abc", 0, 0, 100, 1), 30);
  EXPECT_EQ(g.WriteString(L"abcdef", 0, 0, -1, -1, false), 60);
  EXPECT_EQ(g.WriteString(L"abcdef", 0, 0, -1, -1, true, 2, 3), 30);
  EXPECT_EQ(g.WriteString(L"abcdef", 0, 0, -1, -1, true, 4, 99), 20);
  EXPECT_EQ(aFont.mDrawn,
            (Calls{"abc@35,0 ff000000", "abc@70,0 ff000000", "cde@0,0 ff000000", "ef@0,0 ff000000"}));
  g.SetFont(nullptr);
  EXPECT_EQ(g.WriteString(L"abc", 0, 0), 0);
}

TEST(Graphics, WordWrap) {
  struct Case {
    const char* name;
    const wchar_t* text;
    int width;
    int maxChars;
    Calls drawn;
    int height, maxWidth;
  };
  // Baselines start at the ascent (10) and step by the line spacing (14); the
  // height is the descent (4) plus the last baseline.
  const Case kCases[] = {
      {"breaks at spaces",
       L"aaa bbb ccc",
       50,
       -1,
       {"aaa@0,10 ff000000", "bbb@0,24 ff000000", "ccc@0,38 ff000000"},
       42,
       60},
      {"one long word breaks between characters",
       L"abcdefgh",
       30,
       -1,
       {"abc@0,10 ff000000", "def@0,24 ff000000", "gh@0,38 ff000000"},
       42,
       30},
      {"each line takes at least one character",
       L"abc",
       5,
       -1,
       {"a@0,10 ff000000", "b@0,24 ff000000", "c@0,38 ff000000"},
       42,
       10},
      {"newline", L"ab\ncd", 100, -1, {"ab@0,10 ff000000", "cd@0,24 ff000000"}, 28, 111},
      {"trailing newline adds a line", L"ab\n", 100, -1, {"ab@0,10 ff000000"}, 28, 111},
      {"runs of spaces are skipped",
       L"aaa   bbb",
       30,
       -1,
       {"aaa@0,10 ff000000", "bbb@0,24 ff000000"},
       28,
       40},
      {"codes take no width", L"^FF0000^abcde", 50, -1, {"@0,10 ff000000", "abcde@0,10 ffff0000"}, 14, 50},
      {"max chars", L"aaa bbb ccc", 50, 5, {"aaa@0,10 ff000000", "b@0,24 ff000000"}, 42, 60},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RecordingImage anImage(200, 200);
    FakeFont aFont;
    Graphics g(&anImage);
    g.SetFont(&aFont);
    int aMaxWidth = 0;
    EXPECT_EQ(g.WriteWordWrapped(TRect<int>(0, 0, c.width, 100), c.text, -1, -1, &aMaxWidth, c.maxChars),
              c.height);
    EXPECT_EQ(aMaxWidth, c.maxWidth);
    EXPECT_EQ(aFont.mDrawn, c.drawn);
    EXPECT_EQ(g.GetColor(), Color::Black);  // restored after codes
  }
}

TEST(Graphics, WordWrapContinuesALineAndMeasuresWithoutDrawing) {
  RecordingImage anImage(200, 200);
  FakeFont aFont;
  Graphics g(&anImage);
  g.SetFont(&aFont);
  int aLastWidth = 30;  // a line already begun, 30 pixels in
  g.WriteWordWrapped(TRect<int>(0, 0, 50, 100), L"ab cd", -1, -1, nullptr, -1, &aLastWidth);
  EXPECT_EQ(aFont.mDrawn, (Calls{"ab@30,10 ff000000", "cd@0,24 ff000000"}));
  EXPECT_EQ(aLastWidth, 20);

  aFont.mDrawn.clear();
  int aMaxWidth = 0;
  EXPECT_EQ(Graphics::GetWordWrappedHeight(&aFont, 50, L"aaa bbb ccc", -1, &aMaxWidth), 42);
  EXPECT_EQ(aMaxWidth, 60);
  EXPECT_EQ(g.GetWordWrappedHeight(50, L"aaa bbb ccc", 20), 4 + 10 + 20 + 20);
  EXPECT_TRUE(anImage.mCalls.empty());

  g.SetFont(nullptr);
  EXPECT_EQ(g.WriteWordWrapped(TRect<int>(0, 0, 50, 100), L"abc"), 0);
}

TEST(Font, BaseMetrics) {
  FakeFont aFont;
  aFont.mLineSpacingOffset = 2;
  EXPECT_EQ(aFont.GetDescent(), 4);
  EXPECT_EQ(aFont.GetLineSpacing(), 16);
  EXPECT_EQ(aFont.CharWidth(L'x'), 10);
  EXPECT_EQ(aFont.CharWidthKern(L'x', L'A'), 10);
  std::unique_ptr<Font> aCopy(aFont.Duplicate());
  EXPECT_EQ(aCopy->GetLineSpacing(), 16);
}
