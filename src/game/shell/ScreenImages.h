// A screen's own images, cut from image blocks and converted through the application, and the
// colour dimming the screens fade their texts with.
#pragma once

#include "graphics/Color.h"

namespace Tesk {

class GameApp;
class Image;

// Puts the images of theBlock, at most theRoom of them, into theImages, each converted through
// theApp (null without one); returns how many it put there.
int appendImageBlock(GameApp* theApp, const char* theBlock, Image** theImages, int theRoom);
// Deletes the first theCount images and clears their places.
void freeImages(Image** theImages, int theCount);
// Image theIndex of the theCount loaded; null past them, as for a block that was missing.
inline Image* imageAt(Image* const* theImages, int theCount, int theIndex) {
  return theIndex < theCount ? theImages[theIndex] : nullptr;
}

// theColor's channels times theFactor, opaque.
inline Color scaledColor(const Color& theColor, float theFactor) {
  return Color(static_cast<int>(theColor.mRed * theFactor), static_cast<int>(theColor.mGreen * theFactor),
               static_cast<int>(theColor.mBlue * theFactor));
}

}  // namespace Tesk
