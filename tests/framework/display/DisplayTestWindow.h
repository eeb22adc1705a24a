// A shown game window for tests that draw through OpenGL; tests skip when there is no display.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/agl/AGL.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "platform/coregraphics/CoreGraphics.h"

namespace DisplayTest {

inline bool HasDisplay() { return std::getenv("DISPLAY") != nullptr && CarbonInitVideo(); }

inline WindowRef MakeWindow(int theWidth, int theHeight, int theX = 50, int theY = 40) {
  Rect aBounds{static_cast<int16_t>(theY), static_cast<int16_t>(theX), static_cast<int16_t>(theY + theHeight),
               static_cast<int16_t>(theX + theWidth)};
  WindowRef aWindow = nullptr;
  if (CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &aWindow) != noErr) return nullptr;
  ShowWindow(aWindow);
  return aWindow;
}

// The pixel at (x, y) from the top-left of the current drawable as 0xAARRGGBB (alpha forced
// to 0xFF: the drawable has no alpha), read from theBuffer.
inline uint32_t ReadPixel(int x, int y, int theDrawableHeight, GLenum theBuffer = GL_BACK) {
  glReadBuffer(theBuffer);
  unsigned char p[4] = {0, 0, 0, 0};
  glReadPixels(x, theDrawableHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return 0xFF000000u | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

// Channels within theTolerance of each other (alpha ignored).
inline ::testing::AssertionResult NearColor(uint32_t theActual, uint32_t theExpected, int theTolerance = 1) {
  for (int aShift = 0; aShift < 24; aShift += 8) {
    int a = (theActual >> aShift) & 0xFF, e = (theExpected >> aShift) & 0xFF;
    if (std::abs(a - e) > theTolerance) {
      char aText[64];
      std::snprintf(aText, sizeof(aText), "%06x is not %06x", theActual & 0xFFFFFF, theExpected & 0xFFFFFF);
      return ::testing::AssertionFailure() << aText;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace DisplayTest
