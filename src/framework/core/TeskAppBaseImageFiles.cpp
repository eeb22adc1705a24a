// Images of the display made from files, decoded images and other images.
#include "core/TeskAppBase.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/MemoryImage.h"
#include "resources/ImageLib.h"
#include "resources/ImageLibImage.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

DDImage* TeskAppBase::GetImage(ImageLib::Image*, bool) { return nullptr; }

DDImage* TeskAppBase::GetImage(const std::string&, bool) { return nullptr; }

DDImage* TeskAppBase::CopyImage(Image*, const TRect<int>&) { return nullptr; }

DDImage* TeskAppBase::CopyImage(Image*) { return nullptr; }

DDImage* TeskAppBase::NewDisplayImage() { return new DDImage(mDDInterface); }

DDImage* TeskAppBase::LoadImageFile(const std::string& theFileName) {
  std::unique_ptr<ImageLib::Image> aDecoded(ImageLib::GetImage(theFileName, true));
  if (aDecoded == nullptr) return nullptr;
  DDImage* anImage = new DDImage(mDDInterface);
  anImage->SetBits(aDecoded->GetBits(), aDecoded->GetWidth(), aDecoded->GetHeight(), true);
  return anImage;
}

Font* TeskAppBase::CreateSysFont(const std::string&, int) { return nullptr; }

void TeskAppBase::ScreenImageChanged() {
  if (mWidgetManager == nullptr) return;
  mWidgetManager->MarkAllDirty();
}

}  // namespace Tesk
