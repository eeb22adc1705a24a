// Images of the display made from files, decoded images and other images.
#include <memory>

#include "app/TeskAppBase.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/Graphics.h"
#include "graphics/SysFont.h"
#include "resources/ImageLib.h"
#include "resources/ImageLibImage.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

DDImage* TeskAppBase::GetImage(ImageLib::Image* theImage, bool commitBits) {
  if (theImage == nullptr) return nullptr;
  DDImage* anImage = new DDImage(mDDInterface);
  if (theImage->GetBitCount() == 8 && theImage->mPal != nullptr && theImage->mIndexList != nullptr) {
    // The palette and the indices change hands: the decoded image no longer frees them.
    uint32_t* aPalette = theImage->mPal;
    uint8_t* anIndices = theImage->mIndexList;
    theImage->mPal = nullptr;
    theImage->mIndexList = nullptr;
    anImage->SetBits(theImage->GetWidth(), theImage->GetHeight(), aPalette, anIndices);
    s_is8Bit = true;
  } else {
    anImage->SetBits(theImage->GetBits(), theImage->GetWidth(), theImage->GetHeight(), commitBits);
  }
  return anImage;
}

DDImage* TeskAppBase::GetImage(const std::string& theFileName, bool commitBits) {
  std::unique_ptr<ImageLib::Image> aDecoded(ImageLib::GetImage(theFileName, true));
  if (aDecoded == nullptr) return nullptr;
  return GetImage(aDecoded.get(), commitBits);
}

DDImage* TeskAppBase::CopyImage(Image* theImage, const TRect<int>& theRect) {
  DDImage* anImage = new DDImage(mDDInterface);
  anImage->Create(theRect.mWidth, theRect.mHeight);
  {
    Graphics g(anImage);
    g.DrawImage(theImage, -theRect.mX, -theRect.mY);
  }
  anImage->CopyAttributes(theImage);
  return anImage;
}

DDImage* TeskAppBase::CopyImage(Image* theImage) {
  return CopyImage(theImage, TRect<int>(0, 0, theImage->mWidth, theImage->mHeight));
}

DDImage* TeskAppBase::NewDisplayImage() { return new DDImage(mDDInterface); }

DDImage* TeskAppBase::LoadImageFile(const std::string& theFileName) { return GetImage(theFileName, false); }

Font* TeskAppBase::CreateSysFont(const std::string& theFace, int thePointSize) {
  return new SysFont(this, theFace, thePointSize, 0);
}

void TeskAppBase::ScreenImageChanged() {
  if (mWidgetManager == nullptr) return;
  mWidgetManager->mImage = mDDInterface != nullptr ? mDDInterface->GetScreenImage() : nullptr;
  mWidgetManager->MarkAllDirty();
}

}  // namespace Tesk
