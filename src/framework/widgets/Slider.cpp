#include "widgets/Slider.h"

#include <algorithm>

#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/SliderListener.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

Slider::Slider(Image* theTrackImage, Image* theThumbImage, int theId, SliderListener* theListener)
    : mListener(theListener),
      mVal(0.0),
      mId(theId),
      mTrackImage(theTrackImage),
      mThumbImage(theThumbImage),
      mDragging(false),
      mRelX(0),
      mRelY(0),
      mThumbYOffset(0),
      mHorizontal(true) {}

bool Slider::HasTransparencies() { return true; }

void Slider::SetCursor(int theCursorNum) {
  if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
    mWidgetManager->mApp->SetCursor(theCursorNum);
}

int Slider::GetThumbPos() {
  if (mThumbImage == nullptr) return 0;
  if (mHorizontal) return static_cast<int>((mWidth - mThumbImage->GetWidth()) * mVal);
  return static_cast<int>((mHeight - mThumbImage->GetHeight()) * mVal);
}

bool Slider::IsOverThumb(int x, int y) {
  if (mThumbImage == nullptr) return false;
  int aPos = GetThumbPos();
  if (mHorizontal) return x >= aPos && x < aPos + mThumbImage->GetWidth();
  return y >= aPos && y < aPos + mThumbImage->GetHeight();
}

void Slider::SetValue(double theValue) {
  mVal = std::min(1.0, std::max(0.0, theValue));
  MarkDirtyFull();
}

void Slider::MouseDown(int x, int y, int) {
  if (IsOverThumb(x, y)) {
    SetCursor(2);
    mDragging = true;
    if (mHorizontal)
      mRelX = x - GetThumbPos();
    else
      mRelY = y - GetThumbPos();
  } else if (mHorizontal) {
    if (mWidth > 0) SetValue(static_cast<double>(x) / static_cast<double>(mWidth));
  } else if (mHeight > 0) {
    SetValue(static_cast<double>(y) / static_cast<double>(mHeight));
  }
}

void Slider::MouseDrag(int x, int y) {
  if (!mDragging || mThumbImage == nullptr) return;
  double anOldVal = mVal;
  // A thumb as long as the track leaves no room to move: the value stays at 0.
  int aRange = mHorizontal ? mWidth - mThumbImage->GetWidth() : mHeight - mThumbImage->GetHeight();
  double aVal = 0.0;
  if (aRange != 0)
    aVal = static_cast<double>(mHorizontal ? x - mRelX : y - mRelY) / static_cast<double>(aRange);
  mVal = std::min(1.0, std::max(0.0, aVal));
  if (mVal != anOldVal) {
    if (mListener != nullptr) mListener->SliderVal(mId, mVal);
    MarkDirtyFull();
  }
}

void Slider::MouseUp(int, int) {
  mDragging = false;
  SetCursor(0);
  if (mListener != nullptr) mListener->SliderVal(mId, mVal);
}

void Slider::MouseMove(int x, int y) { SetCursor(IsOverThumb(x, y) ? 2 : 0); }

void Slider::MouseLeave() {
  if (!mDragging) SetCursor(0);
}

void Slider::Draw(Graphics* g) {
  if (mTrackImage != nullptr) {
    if (mHorizontal) {
      int aCellWidth = mTrackImage->GetWidth() / 3;
      int aCellHeight = mTrackImage->GetHeight();
      int aTrackY = (mHeight - aCellHeight) / 2;
      g->DrawImage(mTrackImage, 0, aTrackY, TRect<int>(0, 0, aCellWidth, aCellHeight));
      // A track narrower than three pixels has empty cells: nothing to tile.
      if (aCellWidth > 0) {
        Graphics aClipG(*g);
        aClipG.ClipRect(aCellWidth, aTrackY, mWidth - 2 * aCellWidth, aCellHeight);
        for (int i = 0; i < (mWidth - aCellWidth - 1) / aCellWidth; i++)
          aClipG.DrawImage(mTrackImage, aCellWidth + i * aCellWidth, aTrackY,
                           TRect<int>(aCellWidth, 0, aCellWidth, aCellHeight));
      }
      g->DrawImage(mTrackImage, mWidth - aCellWidth, aTrackY,
                   TRect<int>(2 * aCellWidth, 0, aCellWidth, aCellHeight));
    } else {
      int aCellWidth = mTrackImage->GetWidth();
      int aCellHeight = mTrackImage->GetHeight() / 3;
      g->DrawImage(mTrackImage, 0, 0, TRect<int>(0, 0, aCellWidth, aCellHeight));
      if (aCellHeight > 0) {
        Graphics aClipG(*g);
        aClipG.ClipRect(0, aCellHeight, aCellWidth, mHeight - 2 * aCellHeight);
        for (int i = 0; i < (mHeight - aCellHeight - 1) / aCellHeight; i++)
          aClipG.DrawImage(mTrackImage, 0, aCellHeight + i * aCellHeight,
                           TRect<int>(0, aCellHeight, aCellWidth, aCellHeight));
      }
      g->DrawImage(mTrackImage, 0, mHeight - aCellHeight,
                   TRect<int>(0, 2 * aCellHeight, aCellWidth, aCellHeight));
    }
  }
  if (mThumbImage != nullptr) {
    if (mHorizontal)
      g->DrawImage(mThumbImage, GetThumbPos(), (mHeight - mThumbImage->GetHeight()) / 2 + mThumbYOffset);
    else
      g->DrawImage(mThumbImage, (mWidth - mThumbImage->GetWidth()) / 2,
                   static_cast<int>(mThumbYOffset + mVal * (mHeight - mThumbImage->GetHeight())));
  }
}

}  // namespace Tesk
