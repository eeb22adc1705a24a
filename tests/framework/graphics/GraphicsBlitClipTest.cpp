// The drawing context clips before it calls the image: draws overhanging every
// edge of the clip change only the pixels inside it.
#include <gtest/gtest.h>

#include <vector>

#include "BlitTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

TEST(GraphicsBlitClip, DrawsOverhangingTheClipStayInsideIt) {
  MemoryImage aSprite(nullptr);
  std::vector<uint32_t> aPixels(7 * 5);
  for (int i = 0; i < 35; ++i) aPixels[i] = (i % 4 == 0 ? 0x90000000 : 0xFF000000) | uint32_t(i * 0x050709);
  SetPixels(aSprite, 7, 5, aPixels);
  const int kPositions[] = {-9, -4, -1, 0, 3, 8, 10, 15};
  const Color kColors[] = {Color::White, Color(200, 90, 30, 150)};
  for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
    for (const Color& aColor : kColors)
      for (bool aFast : {true, false})
        for (int x : kPositions)
          for (int y : kPositions) {
            SCOPED_TRACE(testing::Message() << "mode " << aMode << " at " << x << "," << y);
            MemoryImage aDest(nullptr);
            MakeGuarded(aDest, 10, 8, 3, 0xFF102030);
            Graphics g(&aDest);
            g.ClipRect(3, 3, 10, 8);
            g.Translate(3, 3);
            g.SetDrawMode(aMode);
            g.SetColor(aColor);
            g.SetColorizeImages(true);
            g.SetFastStretch(aFast);
            g.DrawImage(&aSprite, x, y);
            g.DrawImage(&aSprite, x, y, 13, 3);
            g.DrawImageMirror(&aSprite, x, y);
            g.DrawImageMirror(&aSprite, TRect<int>(x, y, 4, 11), TRect<int>(1, 1, 5, 3));
            g.DrawImageRotated(&aSprite, x, y, 0.7 * (x - y));
            g.DrawLine(x, y, 9 - y, x * 2);
            g.FillRect(x, y, 6, 6);
            ExpectGuardsIntact(aDest, 3);
          }
}
