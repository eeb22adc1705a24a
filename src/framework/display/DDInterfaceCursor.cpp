// The software cursor of DDInterface: save areas, drawing, and moves between frames.
#include <algorithm>

#include "core/Common.h"
#include "display/DDInterface.h"
#include "graphics/MemoryImage.h"

namespace Tesk {

namespace {

TRect<int> AreaAt(int x, int y, int theWidth, int theHeight) {
  return TRect<int>(x - theWidth / 2, y - theHeight / 2, theWidth, theHeight);
}

// theVisible relative to theArea.
TRect<int> SourcePart(const TRect<int>& theVisible, const TRect<int>& theArea) {
  return TRect<int>(theVisible.mX - theArea.mX, theVisible.mY - theArea.mY, theVisible.mWidth,
                    theVisible.mHeight);
}

HRESULT CopyRect(DIRECTDRAWSURFACE3* theDest, const TRect<int>& theDestRect, DIRECTDRAWSURFACE3* theSource,
                 const TRect<int>& theSrcRect) {
  if (theDest == nullptr || theSource == nullptr) return k_DDGenericFailure;
  tagRECT aDest = theDestRect.ToRECT(), aSrc = theSrcRect.ToRECT();
  return theDest->Blt(&aDest, theSource, &aSrc, DDBLT_WAIT, nullptr);
}

}  // namespace

bool DDInterface::SetCursorImage(Image* theImage) {
  AutoCrit aLock(mCritSect);
  if (theImage == mCursorImage) return false;
  mCursorImage = theImage;
  return true;
}

void DDInterface::SetCursorPos(int x, int y) {
  mCursorX = x;
  mCursorY = y;
  if (mInRedraw) return;
  AutoCrit aLock(mCritSect);
  // In 3-D, and with the frame shown scaled, the cursor is drawn into the frame by the next
  // present (which the moved cursor asks for), to be shown as the frame is.
  if (!mInitialized || mIs3D || !ShowsFrameAsItIs()) return;
  if (mHasOldCursorArea) {
    MoveCursorTo(mPrimarySurface, true, x, y);
  } else {
    mCursorDrawnX = x;
    mCursorDrawnY = y;
    DrawCursorTo(mPrimarySurface, true);
  }
}

void DDInterface::DrawCursorImage(DIRECTDRAWSURFACE3* theSurface, int x, int y) {
  // Straight alpha over what is there; the cursor is a memory image (its pixels are all this
  // needs of it).
  MemoryImage* anImage = dynamic_cast<MemoryImage*>(mCursorImage);
  if (anImage == nullptr || theSurface == nullptr || theSurface->GetMemory() == nullptr) return;
  const uint32_t* aBits = anImage->GetBits();
  if (aBits == nullptr) return;
  int aWidth = anImage->mWidth, aHeight = anImage->mHeight;
  int aX0 = std::max(0, x), aY0 = std::max(0, y);
  int aX1 = std::min(theSurface->GetWidth(), x + aWidth),
      aY1 = std::min(theSurface->GetHeight(), y + aHeight);
  for (int aY = aY0; aY < aY1; ++aY) {
    const uint32_t* aSrc = aBits + static_cast<size_t>(aY - y) * aWidth + (aX0 - x);
    uint32_t* aDest = theSurface->GetMemory() + static_cast<size_t>(aY) * theSurface->GetWidth() + aX0;
    for (int aX = aX0; aX < aX1; ++aX, ++aSrc, ++aDest) {
      uint32_t s = *aSrc, a = s >> 24;
      if (a == 0) continue;
      if (a == 255) {
        *aDest = s;
        continue;
      }
      uint32_t d = *aDest, aResult = (d & 0xFF000000u) | (a << 24);
      for (int aShift = 0; aShift < 24; aShift += 8) {
        uint32_t sc = (s >> aShift) & 0xFF, dc = (d >> aShift) & 0xFF;
        aResult = (aResult & ~(0xFFu << aShift)) | (((sc * a + dc * (255 - a)) / 255) << aShift);
      }
      *aDest = aResult;
    }
  }
  theSurface->SetDirty(true);
}

void DDInterface::DrawCursorTo(DIRECTDRAWSURFACE3* theSurface, bool) {
  if (mCursorImage == nullptr || mPrimarySurface == nullptr) {
    mHasOldCursorArea = false;
    return;
  }
  TRect<int> aScreen(0, 0, mPrimarySurface->GetWidth(), mPrimarySurface->GetHeight());
  TRect<int> anArea = AreaAt(mCursorDrawnX, mCursorDrawnY, mCursorWidth, mCursorHeight);
  // The draw buffer is the frame itself, wherever the frame is shown.
  const TRect<int> aBounds =
      theSurface == mDrawSurface ? TRect<int>(0, 0, mWidth, mHeight) : mPresentationRect;
  TRect<int> aVisible = anArea.Intersection(aBounds);
  TRect<int> aSource = SourcePart(aVisible, anArea);
  HRESULT aResult = CopyRect(mOldCursorArea, aSource, theSurface, aVisible);
  if (aResult != DD_OK) {
    TRect<int> aClipped = aVisible.Intersection(aScreen);
    aSource.mX += aClipped.mX - aVisible.mX;
    aSource.mY += aClipped.mY - aVisible.mY;
    aSource.mWidth = aClipped.mWidth;
    aSource.mHeight = aClipped.mHeight;
    aVisible = aClipped;
    aResult = CopyRect(mOldCursorArea, aSource, theSurface, aVisible);
  }
  mHasOldCursorArea = aResult == DD_OK;
  int aW = mCursorImage->mWidth, aH = mCursorImage->mHeight;
  if (theSurface == mDrawSurface && !mIs3D) {
    DrawCursorImage(mDrawSurface, mCursorDrawnX - mCursorWidth / 2 + (mCursorWidth - aW) / 2,
                    mCursorDrawnY - mCursorHeight / 2 + (mCursorHeight - aH) / 2);
    return;
  }
  CopyRect(mNewCursorArea, aSource, mOldCursorArea, aSource);
  DrawCursorImage(mNewCursorArea, (mCursorWidth - aW) / 2, (mCursorHeight - aH) / 2);
  CopyRect(theSurface, aVisible, mNewCursorArea, aSource);
}

void DDInterface::MoveCursorTo(DIRECTDRAWSURFACE3* theSurface, bool, int x, int y) {
  TESK_ASSERT(mHasOldCursorArea);
  if (mCursorImage == nullptr || mPrimarySurface == nullptr) {
    mHasOldCursorArea = false;
    return;
  }
  // Both areas stay in the presentation's own coordinates: the surfaces' blits take window
  // coordinates, so no offset by the window's place on the screen is added.
  TRect<int> aScreen(0, 0, mPrimarySurface->GetWidth(), mPrimarySurface->GetHeight());
  TRect<int> anOldArea = AreaAt(mCursorDrawnX, mCursorDrawnY, mCursorWidth, mCursorHeight);
  TRect<int> anOldVisible = anOldArea.Intersection(mPresentationRect);
  TRect<int> anOldSource = SourcePart(anOldVisible, anOldArea);
  TRect<int> aNewArea = AreaAt(x, y, mCursorWidth, mCursorHeight);
  TRect<int> aNewVisible = aNewArea.Intersection(mPresentationRect);
  TRect<int> aNewSource = SourcePart(aNewVisible, aNewArea);

  if (CopyRect(mNewCursorArea, aNewSource, theSurface, aNewVisible) != DD_OK) {
    TRect<int> aClipped = aNewVisible.Intersection(aScreen);
    aNewSource.mX += aClipped.mX - aNewVisible.mX;
    aNewSource.mY += aClipped.mY - aNewVisible.mY;
    aNewSource.mWidth = aClipped.mWidth;
    aNewSource.mHeight = aClipped.mHeight;
    aNewVisible = aClipped;
    CopyRect(mNewCursorArea, aNewSource, theSurface, aNewVisible);
  }

  int aW = mCursorImage->mWidth, aH = mCursorImage->mHeight;
  int dx = x - mCursorDrawnX, dy = y - mCursorDrawnY;
  TRect<int> anOverlap = TRect<int>(dx, dy, mCursorWidth, mCursorHeight)
                             .Intersection(TRect<int>(0, 0, mCursorWidth, mCursorHeight));
  if (anOverlap.mWidth >= 1 || anOverlap.mHeight >= 1) {
    CopyRect(mNewCursorArea,
             TRect<int>(anOverlap.mX - dx, anOverlap.mY - dy, anOverlap.mWidth, anOverlap.mHeight),
             mOldCursorArea, anOverlap);
    DrawCursorImage(mOldCursorArea, dx + (mCursorWidth - aW) / 2, dy + (mCursorHeight - aH) / 2);
  }
  CopyRect(theSurface, anOldVisible, mOldCursorArea, anOldSource);
  CopyRect(mOldCursorArea, TRect<int>(0, 0, mCursorWidth, mCursorHeight), mNewCursorArea,
           TRect<int>(0, 0, mCursorWidth, mCursorHeight));
  DrawCursorImage(mNewCursorArea, (mCursorWidth - aW) / 2, (mCursorHeight - aH) / 2);
  CopyRect(theSurface, aNewVisible, mNewCursorArea, aNewSource);
  mCursorDrawnX = x;
  mCursorDrawnY = y;
}

void DDInterface::RestoreOldCursorAreaFrom(DIRECTDRAWSURFACE3* theSurface, bool) {
  if (!mHasOldCursorArea || mPrimarySurface == nullptr) return;
  TRect<int> anArea = AreaAt(mCursorDrawnX, mCursorDrawnY, mCursorWidth, mCursorHeight);
  TRect<int> aVisible = anArea.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  TRect<int> aSource = SourcePart(aVisible, anArea);
  CopyRect(theSurface, aVisible, mOldCursorArea, aSource);
  mHasOldCursorArea = false;
}

}  // namespace Tesk
