// An image that draws nothing and writes down each operation it is asked for, as text.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "graphics/Image.h"

namespace Tesk {

inline std::string RectText(const TRect<int>& r) {
  char aBuf[64];
  std::snprintf(aBuf, sizeof(aBuf), "%d,%d,%d,%d", r.mX, r.mY, r.mWidth, r.mHeight);
  return aBuf;
}

inline std::string ColorText(const Color& c) {
  char aBuf[16];
  std::snprintf(aBuf, sizeof(aBuf), "%08x", static_cast<unsigned>(c.ToInt()));
  return aBuf;
}

class RecordingImage : public Image {
 public:
  std::vector<std::string> mCalls;
  bool mRecordBaseFills = true;  // false: DrawRect is recorded as one call

  RecordingImage(int theWidth, int theHeight) {
    mWidth = theWidth;
    mHeight = theHeight;
  }

  void Add(const std::string& theText) { mCalls.push_back(theText); }

  void FillRect(const TRect<int>& r, const Color& c, int m) override {
    Add("FillRect " + RectText(r) + " " + ColorText(c) + " " + std::to_string(m));
  }
  void DrawRect(const TRect<int>& r, const Color& c, int m) override {
    if (mRecordBaseFills) {
      Image::DrawRect(r, c, m);
      return;
    }
    Add("DrawRect " + RectText(r) + " " + ColorText(c) + " " + std::to_string(m));
  }
  void DrawLine(double x1, double y1, double x2, double y2, const Color& c, int m) override {
    char aBuf[128];
    std::snprintf(aBuf, sizeof(aBuf), "DrawLine %g,%g,%g,%g ", x1, y1, x2, y2);
    Add(aBuf + ColorText(c) + " " + std::to_string(m));
  }
  void Blt(Image*, int x, int y, const TRect<int>& s, const Color& c, int m) override {
    Add("Blt " + std::to_string(x) + "," + std::to_string(y) + " src " + RectText(s) + " " + ColorText(c) +
        " " + std::to_string(m));
  }
  void BltMirror(Image*, int x, int y, const TRect<int>& s, const Color& c, int m) override {
    Add("BltMirror " + std::to_string(x) + "," + std::to_string(y) + " src " + RectText(s) + " " +
        ColorText(c) + " " + std::to_string(m));
  }
  void StretchBlt(Image*, const TRect<int>& d, const TRect<int>& s, const TRect<int>& clip, const Color& c,
                  int m, bool fast) override {
    Add("StretchBlt " + RectText(d) + " src " + RectText(s) + " clip " + RectText(clip) + " " + ColorText(c) +
        " " + std::to_string(m) + (fast ? " fast" : " slow"));
  }
  void StretchBltMirror(Image*, const TRect<int>& d, const TRect<int>& s, const TRect<int>& clip,
                        const Color& c, int m, bool fast) override {
    Add("StretchBltMirror " + RectText(d) + " src " + RectText(s) + " clip " + RectText(clip) + " " +
        ColorText(c) + " " + std::to_string(m) + (fast ? " fast" : " slow"));
  }
  void BltRotated(Image*, float x, float y, const TRect<int>& s, const TRect<int>& clip, const Color& c,
                  int m, double rot, float cx, float cy) override {
    char aBuf[128];
    std::snprintf(aBuf, sizeof(aBuf), "BltRotated %g,%g rot %g centre %g,%g ", x, y, rot, cx, cy);
    Add(aBuf + std::string("src ") + RectText(s) + " clip " + RectText(clip) + " " + ColorText(c) + " " +
        std::to_string(m));
  }
};

}  // namespace Tesk
