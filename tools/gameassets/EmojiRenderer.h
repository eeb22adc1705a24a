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
  bool mShadow = true;
};

class EmojiRenderer {
 public:
  EmojiRenderer();
  ~EmojiRenderer();

  bool IsReady() const { return mFace != nullptr; }
  bool HasGlyph(uint32_t theCodePoint) const;

  // The picture as a canvas with a 3-pixel clear margin (null without the glyph).
  std::unique_ptr<Canvas> Render(uint32_t theCodePoint, const EmojiLook& theLook) const;

  static EmojiRenderer& Get();

 private:
  void* mLibrary = nullptr;
  void* mFace = nullptr;
};

}  // namespace GameAssets
