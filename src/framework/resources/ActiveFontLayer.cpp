#include "resources/ActiveFontLayer.h"

#include "graphics/MemoryImage.h"

namespace Tesk {

ActiveFontLayer::ActiveFontLayer(const ActiveFontLayer& theLayer)
    : mBaseFontLayer(theLayer.mBaseFontLayer),
      mScaledImage(theLayer.mScaledImage),
      mOwnsImage(theLayer.mOwnsImage),
      mScaledCharImageRects(theLayer.mScaledCharImageRects) {
  if (mOwnsImage && mScaledImage) {
    // Owned sheets are always memory images made by the font.
    MemoryImage* aSource = static_cast<MemoryImage*>(mScaledImage);
    MemoryImage* aCopy = new MemoryImage();
    if (aSource->GetWidth() > 0 && aSource->GetHeight() > 0) {
      aCopy->SetBits(aSource->GetBits(), aSource->GetWidth(), aSource->GetHeight());
      aCopy->Palletize();
    }
    aCopy->CopyAttributes(aSource);
    mScaledImage = aCopy;
  }
}

ActiveFontLayer::~ActiveFontLayer() {
  if (mOwnsImage) delete mScaledImage;
}

}  // namespace Tesk
