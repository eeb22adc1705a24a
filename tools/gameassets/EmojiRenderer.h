#pragma once
// Pictures of things from Noto Color Emoji: FreeType hands out the colour bitmap of the
// font's one strike (136 pixels), which is scaled, tinted to the light of the scene it is
// hidden in, given a soft shadow and a clear margin.
#include <cstdint>
#include <memory>
#include <vector>

#include "Canvas.h"

namespace GameAssets {

struct EmojiLook {
  int mSize = 56;            // longest side of the picture, margins not included
  Rgb mLight{1.0, 1.0, 1.0};  // multiplies the colours (the scene's light)
  double mSaturation = 0.85;
  double mRotate = 0.0;      // radians
  bool mMirror = false;
  bool mShadow = true;       // a soft shadow down and to the right, as of a thing against a wall
  // For a thing set into a painted scene: the colours drawn toward the place's own colour,
  // lit from above, and a contact shadow on the surface under it instead of the wall shadow.
  Rgb mTint{0, 0, 0};
  double mTintAmount = 0.0;
  double mTopLight = 0.0;    // how much lighter the top is than the bottom
  bool mContactShadow = false;
  double mShadowStrength = 1.0;
};

// Where the picture's own pixels lie within the canvas Render returns.
struct EmojiBody {
  int mX = 0, mY = 0, mWidth = 0, mHeight = 0;
};

class EmojiRenderer {
 public:
  EmojiRenderer();
  ~EmojiRenderer();

  bool IsReady() const { return mFace != nullptr; }
  bool HasGlyph(uint32_t theCodePoint) const;

  // The picture as a canvas with a 3-pixel clear margin (null without the glyph).
  std::unique_ptr<Canvas> Render(uint32_t theCodePoint, const EmojiLook& theLook, EmojiBody* theBody = nullptr) const;

  // The glyph's alpha, cropped to its visible pixels, at the strike's size (false without it).
  bool Shape(uint32_t theCodePoint, std::vector<uint8_t>* theAlpha, int* theWidth, int* theHeight) const;

  static EmojiRenderer& Get();

 private:
  void* mLibrary = nullptr;
  void* mFace = nullptr;
};

}  // namespace GameAssets
