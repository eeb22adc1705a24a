#include "game/shell/ScreenImages.h"

#include <memory>
#include <vector>

#include "display/DDImage.h"
#include "game/shell/GameApp.h"
#include "graphics/Image.h"
#include "resources/ImageLib.h"

namespace Tesk {

int appendImageBlock(GameApp* theApp, const char* theBlock, Image** theImages, int theRoom) {
  std::vector<ImageLib::Image*> aDecoded(static_cast<size_t>(theRoom > 0 ? theRoom : 1), nullptr);
  const int aCount = ImageLib::GetImageBlock(theBlock, aDecoded.data(), theRoom);
  for (int i = 0; i < aCount; ++i) {
    std::unique_ptr<ImageLib::Image> aFree(aDecoded[i]);
    theImages[i] = theApp != nullptr ? theApp->GetImage(aDecoded[i], true) : nullptr;
  }
  return aCount;
}

void freeImages(Image** theImages, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    delete theImages[i];
    theImages[i] = nullptr;
  }
}

}  // namespace Tesk
