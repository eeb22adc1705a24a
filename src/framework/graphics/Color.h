// An RGBA colour of four ints, 0 to 255 each by convention (nothing clamps them).
#pragma once

namespace Tesk {

class Color {
 public:
  int mRed;
  int mGreen;
  int mBlue;
  int mAlpha;

  static const Color Black;
  static const Color White;

  Color() : mRed(0), mGreen(0), mBlue(0), mAlpha(255) {}
  Color(int theRed, int theGreen, int theBlue)
      : mRed(theRed), mGreen(theGreen), mBlue(theBlue), mAlpha(255) {}
  Color(int theRed, int theGreen, int theBlue, int theAlpha)
      : mRed(theRed), mGreen(theGreen), mBlue(theBlue), mAlpha(theAlpha) {}
  // 0xAARRGGBB; an alpha byte of 0 reads as opaque, so 0x00RRGGBB and 0xFFRRGGBB are the same colour.
  Color(int thePacked);
  explicit Color(const int* theRGB) : mRed(theRGB[0]), mGreen(theRGB[1]), mBlue(theRGB[2]), mAlpha(255) {}

  int GetRed() const { return mRed; }
  int GetGreen() const { return mGreen; }
  int GetBlue() const { return mBlue; }

  // Packs without masking: out-of-range components spill into their neighbours.
  int ToInt() const;
};

inline bool operator==(const Color& a, const Color& b) {
  return a.mRed == b.mRed && a.mGreen == b.mGreen && a.mBlue == b.mBlue && a.mAlpha == b.mAlpha;
}
inline bool operator!=(const Color& a, const Color& b) { return !(a == b); }

}  // namespace Tesk
