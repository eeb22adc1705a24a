#include "graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/DDImageCheck3D.h"
#include "graphics/Font.h"

namespace Tesk {

namespace {

int HexDigit(wchar_t theChar) {
  if (theChar >= L'0' && theChar <= L'9') return theChar - L'0';
  if (theChar >= L'A' && theChar <= L'F') return theChar - L'A' + 10;
  if (theChar >= L'a' && theChar <= L'f') return theChar - L'a' + 10;
  return 0;
}

}  // namespace

Graphics::Graphics(Image* theDestImage) {
  mDestImage = theDestImage ? theDestImage : &mStaticImage;
  mTransX = 0;
  mTransY = 0;
  mScaleX = 1;
  mScaleY = 1;
  mScaleOrigX = 0;
  mScaleOrigY = 0;
  mClipRect = TRect<int>(0, 0, mDestImage->GetWidth(), mDestImage->GetHeight());
  mColor = Color(0, 0, 0, 255);
  mFont = nullptr;
  mDrawMode = 0;
  mColorizeImages = false;
  mFastStretch = false;
  mWriteColoredString = true;
  mLinearBlend = false;
  mIs3D = DDImageCheck3D(theDestImage);
}

Graphics::Graphics(const Graphics& theGraphics) : GraphicsState(theGraphics) {}

Graphics::~Graphics() {}

Graphics* Graphics::Create() { return new Graphics(*this); }

void Graphics::PushState() { mStateStack.push_back(*this); }

void Graphics::PopState() {
  TESK_ASSERT(mStateStack.size() > 0);
  CopyStateFrom(&mStateStack.back());
  mStateStack.pop_back();
}

const Color& Graphics::ImageColor() const { return mColorizeImages ? mColor : Color::White; }

void Graphics::Translate(int theTransX, int theTransY) {
  mTransX += theTransX;
  mTransY += theTransY;
}

void Graphics::ClipRect(int theX, int theY, int theWidth, int theHeight) {
  mClipRect = mClipRect.Intersection(TRect<int>(TransX(theX), TransY(theY), theWidth, theHeight));
}

void Graphics::FillRect(int theX, int theY, int theWidth, int theHeight) {
  if (mColor.mAlpha == 0) return;
  TRect<int> aRect = TRect<int>(TransX(theX), TransY(theY), theWidth, theHeight).Intersection(mClipRect);
  mDestImage->FillRect(aRect, mColor, mDrawMode);
}

void Graphics::FillRect(const TRect<int>& theRect) {
  FillRect(theRect.mX, theRect.mY, theRect.mWidth, theRect.mHeight);
}

void Graphics::DrawRect(int theX, int theY, int theWidth, int theHeight) {
  if (mColor.mAlpha == 0) return;
  TRect<int> anOutline(TransX(theX), TransY(theY), theWidth + 1, theHeight + 1);
  if (anOutline.Intersection(mClipRect) == anOutline) {
    mDestImage->DrawRect(TRect<int>(anOutline.mX, anOutline.mY, theWidth, theHeight), mColor, mDrawMode);
    return;
  }
  FillRect(theX, theY, theWidth + 1, 1);
  FillRect(theX, theY + theHeight, theWidth + 1, 1);
  FillRect(theX, theY + 1, 1, theHeight - 1);
  FillRect(theX + theWidth, theY + 1, 1, theHeight - 1);
}

void Graphics::DrawRect(const TRect<int>& theRect) {
  DrawRect(theRect.mX, theRect.mY, theRect.mWidth, theRect.mHeight);
}

bool Graphics::ClipLine(double& x1, double& y1, double& x2, double& y2) const {
  const double cx = mClipRect.mX, cy = mClipRect.mY;
  const double aRight = mClipRect.mX + mClipRect.mWidth, aBottom = mClipRect.mY + mClipRect.mHeight;
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (x1 < cx) {
    if (x2 < cx) return false;
    y1 += (cx - x1) * (y2 - y1) / (x2 - x1);
    x1 = cx;
  }
  if (x2 >= aRight) {
    if (x1 >= aRight) return false;
    y2 += ((aRight - 1) - x2) * (y2 - y1) / (x2 - x1);
    x2 = aRight - 1;
  }
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (y1 < cy) {
    if (y2 < cy) return false;
    x1 += (cy - y1) * (x2 - x1) / (y2 - y1);
    y1 = cy;
  }
  if (y2 >= aBottom) {
    if (y1 >= aBottom) return false;
    x2 += ((aBottom - 1) - y2) * (x2 - x1) / (y2 - y1);
    y2 = aBottom - 1;
  }
  // An end that the x clip left between the last row and the bottom edge makes the bottom clip
  // extrapolate the other end out of the rectangle; both ends stay inside it.
  x1 = std::clamp(x1, cx, aRight - 1);
  x2 = std::clamp(x2, cx, aRight - 1);
  y1 = std::clamp(y1, cy, aBottom - 1);
  y2 = std::clamp(y2, cy, aBottom - 1);
  return true;
}

void Graphics::DrawLine(int theStartX, int theStartY, int theEndX, int theEndY) {
  double x1 = mTransX + static_cast<float>(theStartX);
  double y1 = mTransY + static_cast<float>(theStartY);
  double x2 = mTransX + static_cast<float>(theEndX);
  double y2 = mTransY + static_cast<float>(theEndY);
  if (ClipLine(x1, y1, x2, y2)) mDestImage->DrawLine(x1, y1, x2, y2, mColor, mDrawMode);
}

void Graphics::DrawString(const TeskString& theString, int theX, int theY) {
  if (mFont) mFont->DrawString(this, theX, theY, theString, mColor, mClipRect);
}

void Graphics::DrawImageAt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect) {
  int tx = TransX(theX);
  int ty = TransY(theY);
  TRect<int> aDest = TRect<int>(tx, ty, theSrcRect.mWidth, theSrcRect.mHeight).Intersection(mClipRect);
  TRect<int> aSrc(theSrcRect.mX + aDest.mX - tx, theSrcRect.mY + aDest.mY - ty, aDest.mWidth, aDest.mHeight);
  if (aSrc.mWidth > 0 && aSrc.mHeight > 0)
    mDestImage->Blt(theImage, aDest.mX, aDest.mY, aSrc, ImageColor(), mDrawMode);
}

void Graphics::DrawImage(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect) {
  TESK_ASSERT(theSrcRect.mX + theSrcRect.mWidth <= theImage->GetWidth());
  TESK_ASSERT(theSrcRect.mY + theSrcRect.mHeight <= theImage->GetHeight());
  if (mScaleX == 1 && mScaleY == 1) {
    DrawImageAt(theImage, theX, theY, theSrcRect);
    return;
  }
  int aWidth = static_cast<int>(std::ceil(mScaleX * theSrcRect.mWidth));
  int aHeight = static_cast<int>(std::ceil(mScaleY * theSrcRect.mHeight));
  int aLeft = static_cast<int>(mScaleOrigX + std::floor(mScaleX * (TransX(theX) - mScaleOrigX)));
  int aTop = static_cast<int>(mScaleOrigY + std::floor(mScaleY * (TransY(theY) - mScaleOrigY)));
  mDestImage->StretchBlt(theImage, TRect<int>(aLeft, aTop, aWidth, aHeight), theSrcRect, mClipRect,
                         ImageColor(), mDrawMode, mFastStretch);
}

void Graphics::DrawImage(Image* theImage, int theX, int theY) {
  TRect<int> aWhole(0, 0, theImage->GetWidth(), theImage->GetHeight());
  if (mScaleX == 1 && mScaleY == 1)
    DrawImageAt(theImage, theX, theY, aWhole);
  else
    DrawImage(theImage, theX, theY, aWhole);
}

void Graphics::DrawImage(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect) {
  TRect<int> aDest(TransX(theDestRect.mX), TransY(theDestRect.mY), theDestRect.mWidth, theDestRect.mHeight);
  mDestImage->StretchBlt(theImage, aDest, theSrcRect, mClipRect, ImageColor(), mDrawMode, mFastStretch);
}

void Graphics::DrawImage(Image* theImage, int theX, int theY, int theStretchedWidth, int theStretchedHeight) {
  DrawImage(theImage, TRect<int>(theX, theY, theStretchedWidth, theStretchedHeight),
            TRect<int>(0, 0, theImage->GetWidth(), theImage->GetHeight()));
}

void Graphics::DrawImageMirror(Image* theImage, int theX, int theY, bool mirror) {
  DrawImageMirror(theImage, theX, theY, TRect<int>(0, 0, theImage->GetWidth(), theImage->GetHeight()),
                  mirror);
}

void Graphics::DrawImageMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                               bool mirror) {
  if (!mirror) {
    DrawImage(theImage, theX, theY, theSrcRect);
    return;
  }
  TESK_ASSERT(theSrcRect.mX + theSrcRect.mWidth <= theImage->GetWidth());
  TESK_ASSERT(theSrcRect.mY + theSrcRect.mHeight <= theImage->GetHeight());
  int tx = TransX(theX);
  int ty = TransY(theY);
  TRect<int> aDest = TRect<int>(tx, ty, theSrcRect.mWidth, theSrcRect.mHeight).Intersection(mClipRect);
  // Flipped: what the clip cuts off on the right comes off the left of the source.
  TRect<int> aSrc(theSrcRect.mX + (theSrcRect.mWidth - aDest.mWidth) - (aDest.mX - tx),
                  theSrcRect.mY + aDest.mY - ty, aDest.mWidth, aDest.mHeight);
  if (aSrc.mWidth > 0 && aSrc.mHeight > 0)
    mDestImage->BltMirror(theImage, aDest.mX, aDest.mY, aSrc, ImageColor(), mDrawMode);
}

void Graphics::DrawImageMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                               bool mirror) {
  if (!mirror) {
    DrawImage(theImage, theDestRect, theSrcRect);
    return;
  }
  TRect<int> aDest(TransX(theDestRect.mX), TransY(theDestRect.mY), theDestRect.mWidth, theDestRect.mHeight);
  mDestImage->StretchBltMirror(theImage, aDest, theSrcRect, mClipRect, ImageColor(), mDrawMode, mFastStretch);
}

void Graphics::DrawImageRotatedF(Image* theImage, float theX, float theY, double theRot, float theRotCenterX,
                                 float theRotCenterY, const TRect<int>* theSrcRect) {
  TRect<int> aSrc = theSrcRect ? *theSrcRect : TRect<int>(0, 0, theImage->GetWidth(), theImage->GetHeight());
  mDestImage->BltRotated(theImage, theX + mTransX, theY + mTransY, aSrc, mClipRect, ImageColor(), mDrawMode,
                         theRot, theRotCenterX, theRotCenterY);
}

void Graphics::DrawImageRotated(Image* theImage, int theX, int theY, double theRot,
                                const TRect<int>* theSrcRect) {
  int aWidth = theSrcRect ? theSrcRect->mWidth : theImage->GetWidth();
  int aHeight = theSrcRect ? theSrcRect->mHeight : theImage->GetHeight();
  DrawImageRotatedF(theImage, static_cast<float>(theX), static_cast<float>(theY), theRot,
                    static_cast<float>(aWidth / 2), static_cast<float>(aHeight / 2), theSrcRect);
}

void Graphics::DrawImageBox(const TRect<int>& theDest, Image* theComponentImage) {
  DrawImageBox(TRect<int>(0, 0, theComponentImage->GetWidth(), theComponentImage->GetHeight()), theDest,
               theComponentImage);
}

void Graphics::DrawImageBox(const TRect<int>& theSrc, const TRect<int>& theDest, Image* theComponentImage) {
  if (theSrc.mWidth < 1 || theSrc.mHeight < 1) return;
  const int cw = theSrc.mWidth / 3;
  const int ch = theSrc.mHeight / 3;
  const int mw = theSrc.mWidth - cw * 2;
  const int mh = theSrc.mHeight - ch * 2;
  const int sx = theSrc.mX, sy = theSrc.mY;
  const int dx = theDest.mX, dy = theDest.mY, dw = theDest.mWidth, dh = theDest.mHeight;
  Image* img = theComponentImage;

  DrawImage(img, dx, dy, TRect<int>(sx, sy, cw, ch));
  DrawImage(img, dx + dw - cw, dy, TRect<int>(sx + cw + mw, sy, cw, ch));
  DrawImage(img, dx, dy + dh - ch, TRect<int>(sx, sy + ch + mh, cw, ch));
  DrawImage(img, dx + dw - cw, dy + dh - ch, TRect<int>(sx + cw + mw, sy + ch + mh, cw, ch));

  const int aColumns = (dw - cw * 2 + mw - 1) / mw;
  const int aRows = (dh - ch * 2 + mh - 1) / mh;

  Graphics aTopBottom(*this);
  aTopBottom.ClipRect(dx + cw, dy, dw - cw * 2, dh);
  for (int i = 0; i < aColumns; ++i) {
    aTopBottom.DrawImage(img, dx + cw + i * mw, dy, TRect<int>(sx + cw, sy, mw, ch));
    aTopBottom.DrawImage(img, dx + cw + i * mw, dy + dh - ch, TRect<int>(sx + cw, sy + ch + mh, mw, ch));
  }

  Graphics aLeftRight(*this);
  aLeftRight.ClipRect(dx, dy + ch, dw, dh - ch * 2);
  for (int j = 0; j < aRows; ++j) {
    aLeftRight.DrawImage(img, dx, dy + ch + j * mh, TRect<int>(sx, sy + ch, cw, mh));
    aLeftRight.DrawImage(img, dx + dw - cw, dy + ch + j * mh, TRect<int>(sx + cw + mw, sy + ch, cw, mh));
  }

  Graphics aCentre(*this);
  aCentre.ClipRect(dx + cw, dy + ch, dw - cw * 2, dh - ch * 2);
  for (int i = 0; i < aColumns; ++i)
    for (int j = 0; j < aRows; ++j)
      aCentre.DrawImage(img, dx + cw + i * mw, dy + ch + j * mh, TRect<int>(sx + cw, sy + ch, mw, mh));
}

int Graphics::WriteString(const TeskString& theString, int theX, int theY, int theWidth, int theJustification,
                          bool drawString, int theOffset, int theLength, int theOldColor) {
  if (!mFont) return 0;
  if (theOldColor == -1) theOldColor = mColor.ToInt();
  if (drawString && (theJustification == 0 || theJustification == 1)) {
    int aWidth = WriteString(theString, theX, theY, -1, -1, false, theOffset, theLength, theOldColor);
    if (theJustification == 0)
      theX += (theWidth - aWidth) / 2;
    else
      theX += theWidth - aWidth;
  }

  const int aSize = static_cast<int>(theString.size());
  int anEnd = theOffset + theLength;
  if (theLength < 0 || anEnd > aSize) anEnd = aSize;

  TeskString aSegment;
  int aXOffset = 0;
  int i = std::max(theOffset, 0);
  while (i < anEnd) {
    wchar_t c = theString[i];
    if (c == L'^' && mWriteColoredString) {
      if (i + 1 < anEnd && theString[i + 1] == L'^') {
        aSegment += L'^';
        i += 2;
        continue;
      }
      if (anEnd - i < 8) break;  // an unfinished code drops the rest
      int aColor = 0;
      if (theString[i + 1] == L'o') {
        if (theString.compare(i + 1, 6, L"oldclr") == 0) aColor = theOldColor;
      } else {
        for (int k = 1; k <= 6; ++k) aColor = (aColor << 4) | HexDigit(theString[i + k]);
      }
      if (drawString) {
        DrawString(aSegment, theX + aXOffset, theY);
        mColor = Color((aColor >> 16) & 0xFF, (aColor >> 8) & 0xFF, aColor & 0xFF, mColor.mAlpha);
      }
      aXOffset += mFont->StringWidth(aSegment);
      aSegment.clear();
      i += 8;
      continue;
    }
    aSegment += c;
    ++i;
  }
  if (drawString) DrawString(aSegment, theX + aXOffset, theY);
  aXOffset += mFont->StringWidth(aSegment);
  return aXOffset;
}

int Graphics::WriteLimited(const TeskString& theString, int theX, int theY, int theWidth,
                           int theJustification, int theOffset, int theLength, int theOldColor,
                           int theMaxChars) {
  if (theOffset + theLength > theMaxChars) {
    theLength = theMaxChars - theOffset;
    if (theLength < 1) return -1;
  }
  return WriteString(theString, theX, theY, theWidth, theJustification, true, theOffset, theLength,
                     theOldColor);
}

int Graphics::WriteWordWrapped(const TRect<int>& theRect, const TeskString& theLine, int theLineSpacing,
                               int theJustification, int* theMaxWidth, int theMaxChars, int* theLastWidth) {
  if (!mFont) return 0;
  const Color anOrigColor = mColor;
  int anOldColor = mColor.ToInt();
  // An opaque colour must not read as -1, which means "no colour".
  if ((static_cast<uint32_t>(anOldColor) >> 24) == 0xFF) anOldColor &= 0x00FFFFFF;

  const int aLength = static_cast<int>(theLine.size());
  if (theMaxChars < 0) theMaxChars = aLength;
  int y = mFont->GetAscent() - mFont->GetAscentPadding();
  if (theLineSpacing == -1) theLineSpacing = mFont->GetLineSpacing();

  int p = 0;
  int aLineStart = 0;
  int aLineWidth = 0;
  wchar_t aPrev = 0;
  int aLastSpace = -1;
  int aWidest = 0;
  int anIndent = 0;
  wchar_t aLastExamined = 0;
  if (theLastWidth) {
    anIndent = *theLastWidth;
    aLineWidth = *theLastWidth;
  }

  while (p < aLength) {
    wchar_t c = theLine[p];
    aLastExamined = c;
    if (c == L'^' && mWriteColoredString && p + 1 < aLength) {
      if (theLine[p + 1] != L'^') {
        p += 8;  // a colour code has no width
        continue;
      }
      ++p;  // "^^" is measured as one "^"
      c = theLine[p];
    }
    if (c == L' ') {
      aLastSpace = p;
    } else if (c == L'\n') {
      aLineWidth = theRect.mWidth + 1;
      aLastSpace = p;
      ++p;
    }
    aLineWidth += mFont->CharWidthKern(c, aPrev);
    aPrev = c;
    if (aLineWidth <= theRect.mWidth) {
      ++p;
      continue;
    }

    int aCounted;
    if (aLastSpace != -1) {
      int aBaseline = static_cast<int>(mTransY + static_cast<float>(theRect.mY + y));
      if (aBaseline >= mClipRect.mY && aBaseline < mClipRect.mY + mClipRect.mHeight + theLineSpacing) {
        int aWritten =
            WriteLimited(theLine, theRect.mX + anIndent, theRect.mY + y, theRect.mWidth, theJustification,
                         aLineStart, aLastSpace - aLineStart, anOldColor, theMaxChars);
        if (aWritten < 0) break;
      }
      aCounted = anIndent + aLineWidth;
      p = aLastSpace + 1;
      if (c != L'\n')
        while (p < aLength && theLine[p] == L' ') ++p;
    } else {
      if (p == aLineStart) ++p;  // every line takes at least one character
      int aWritten = WriteLimited(theLine, theRect.mX + anIndent, theRect.mY + y, theRect.mWidth,
                                  theJustification, aLineStart, p - aLineStart, anOldColor, theMaxChars);
      if (aWritten < 0) break;
      aCounted = aWritten;
      if (theMaxWidth) *theMaxWidth = std::max(*theMaxWidth, aWritten);
      if (theLastWidth) *theLastWidth = aWritten;
    }
    aWidest = std::max(aWidest, aCounted);
    aLineStart = p;
    aLastSpace = -1;
    aLineWidth = 0;
    aPrev = 0;
    anIndent = 0;
    y += theLineSpacing;
  }

  if (aLineStart < aLength) {
    int aWritten = WriteLimited(theLine, theRect.mX + anIndent, theRect.mY + y, theRect.mWidth,
                                theJustification, aLineStart, aLength - aLineStart, anOldColor, theMaxChars);
    if (aWritten >= 0) {
      aWidest = std::max(aWidest, aWritten);
      if (theMaxWidth) *theMaxWidth = std::max(*theMaxWidth, aWritten);
      if (theLastWidth) *theLastWidth = aWritten;
    }
    y += theLineSpacing;
  } else if (aLastExamined == L'\n') {
    y += theLineSpacing;
    if (theLastWidth) *theLastWidth = 0;
  }

  mColor = anOrigColor;
  if (theMaxWidth) *theMaxWidth = aWidest;
  return mFont->GetDescent() + y - theLineSpacing;
}

int Graphics::GetWordWrappedHeight(Font* theFont, int theWidth, const TeskString& theLine, int theLineSpacing,
                                   int* theMaxWidth) {
  Graphics aMeasure(nullptr);
  aMeasure.SetFont(theFont);
  return aMeasure.WriteWordWrapped(TRect<int>(0, 0, theWidth, 0), theLine, theLineSpacing, -1, theMaxWidth,
                                   -1, nullptr);
}

int Graphics::GetWordWrappedHeight(int theWidth, const TeskString& theLine, int theLineSpacing,
                                   int* theMaxWidth) {
  return GetWordWrappedHeight(mFont, theWidth, theLine, theLineSpacing, theMaxWidth);
}

}  // namespace Tesk
