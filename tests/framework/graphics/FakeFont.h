// A fixed-width font for text tests: 10 pixels a character, ascent 10, height 14;
// writes down each string it is asked to draw.
#pragma once

#include <string>
#include <vector>

#include "graphics/Font.h"

namespace Tesk {

class FakeFont : public Font {
 public:
  std::vector<std::string> mDrawn;

  FakeFont() {
    mAscent = 10;
    mHeight = 14;
  }

  int StringWidth(const TeskString& theString) override { return 10 * static_cast<int>(theString.size()); }
  void DrawString(Graphics*, int x, int y, const TeskString& s, const Color& c, const TRect<int>&) override {
    char aBuf[32];
    std::snprintf(aBuf, sizeof(aBuf), "@%d,%d %08x", x, y, static_cast<unsigned>(c.ToInt()));
    mDrawn.push_back(std::string(s.begin(), s.end()) + aBuf);
  }
  Font* Duplicate() override { return new FakeFont(*this); }
};

}  // namespace Tesk
