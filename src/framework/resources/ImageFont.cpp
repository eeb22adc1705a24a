#include "resources/ImageFont.h"

#include <algorithm>

#include "core/AutoCrit.h"
#include "core/CritSect.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "resources/RenderCommand.h"

namespace Tesk {

namespace {

const int k_PoolSize = 4096;
const int k_BucketCount = 256;
// No glyph length goes beyond this, so that sums over a whole string stay in range
// whatever numbers a descriptor holds.
const double k_MaxLength = 65536.0;

int Truncate(double theValue) {
  if (!(theValue > -k_MaxLength)) return theValue != theValue ? 0 : -static_cast<int>(k_MaxLength);
  if (theValue > k_MaxLength) return static_cast<int>(k_MaxLength);
  return static_cast<int>(theValue);
}

}  // namespace

// Shared by every image font; meaningful only inside one DrawStringEx call.
RenderCommand gRenderCommandPool[k_PoolSize];
RenderCommand* gRenderHead[k_BucketCount];
RenderCommand* gRenderTail[k_BucketCount];
CritSect gRenderCritSec;

ImageFont::ImageFont(FontHost* theApp, const std::string& theFontDescFileName)
    : mFontData(new FontData()), mPointSize(0), mActiveListValid(false), mScale(1.0) {
  mFontData->Ref();
  mFontData->Load(theApp, theFontDescFileName);
  mPointSize = mFontData->mDefaultPointSize;
  GenerateActiveFontLayers();
  mActiveListValid = true;
}

ImageFont::ImageFont(Image* theFontImage, const std::string& theFontDescFileName)
    : mFontData(new FontData()), mPointSize(0), mActiveListValid(false), mScale(1.0) {
  mFontData->Ref();
  mFontData->LoadLegacy(theFontImage, theFontDescFileName);
  mPointSize = mFontData->mDefaultPointSize;
  GenerateActiveFontLayers();
  mActiveListValid = true;
}

ImageFont::ImageFont(const ImageFont& theImageFont)
    : Font(theImageFont),
      mFontData(theImageFont.mFontData),
      mPointSize(theImageFont.mPointSize),
      mTagVector(theImageFont.mTagVector),
      mActiveListValid(theImageFont.mActiveListValid),
      mScale(theImageFont.mScale) {
  mFontData->Ref();
  if (mActiveListValid)
    for (const ActiveFontLayer& aLayer : theImageFont.mActiveLayerList) mActiveLayerList.emplace_back(aLayer);
}

ImageFont::~ImageFont() {
  mActiveLayerList.clear();
  mFontData->DeRef();
}

Font* ImageFont::Duplicate() { return new ImageFont(*this); }

const CharData& ImageFont::Glyph(const ActiveFontLayer& theLayer, wchar_t theIndex) {
  static const CharData k_NoGlyph;
  const std::vector<CharData>& aTable = theLayer.mBaseFontLayer->mCharData;
  size_t anIndex = static_cast<size_t>(theIndex);
  return anIndex < aTable.size() ? aTable[anIndex] : k_NoGlyph;
}

int ImageFont::Scaled(const ActiveFontLayer& theLayer, double theValue) const {
  // Measuring and drawing share this one expression, so that they never round apart.
  int aLayerSize = theLayer.mBaseFontLayer->mPointSize;
  if (aLayerSize == 0) return Truncate(mScale * theValue);
  return Truncate(theValue * (mScale * mPointSize) / aLayerSize);
}

void ImageFont::GenerateActiveFontLayers() {
  if (!mFontData->mInitialized) return;
  mActiveLayerList.clear();
  mAscent = 0;
  mAscentPadding = 0;
  mHeight = 0;
  mLineSpacingOffset = 0;
  bool isFirst = true;

  for (FontLayer& aLayer : mFontData->mFontLayerList) {
    if (mPointSize < aLayer.mMinPointSize) continue;
    if (aLayer.mMaxPointSize != -1 && mPointSize > aLayer.mMaxPointSize) continue;
    bool aTagsOk = true;
    for (const TeskString& aTag : aLayer.mRequiredTags)
      if (std::find(mTagVector.begin(), mTagVector.end(), aTag) == mTagVector.end()) aTagsOk = false;
    for (const TeskString& aTag : mTagVector)
      if (std::find(aLayer.mExcludedTags.begin(), aLayer.mExcludedTags.end(), aTag) !=
          aLayer.mExcludedTags.end())
        aTagsOk = false;
    if (!aTagsOk) continue;

    mActiveLayerList.emplace_back();
    ActiveFontLayer& anActive = mActiveLayerList.back();
    anActive.mBaseFontLayer = &aLayer;
    double aLayerSize = 1.0;
    double aTargetSize = mScale;

    if (mScale == 1.0 && (aLayer.mPointSize == 0 || aLayer.mPointSize == mPointSize)) {
      anActive.mScaledImage = aLayer.mImage.get();
      anActive.mOwnsImage = false;
      for (const CharData& aData : aLayer.mCharData)
        anActive.mScaledCharImageRects.push_back(aData.mImageRect);
    } else {
      if (aLayer.mPointSize != 0) {
        aLayerSize = aLayer.mPointSize;
        aTargetSize = mScale * mPointSize;
      }
      int aSheetWidth = 0;
      int aSheetHeight = 0;
      for (const CharData& aData : aLayer.mCharData) {
        // A negative scale gives nothing to draw rather than a negative rectangle, and a
        // sheet too wide to make leaves the glyphs past its end without pixels.
        int w = std::max(0, Truncate(aData.mImageRect.mWidth * aTargetSize / aLayerSize));
        int h = std::max(0, Truncate(aData.mImageRect.mHeight * aTargetSize / aLayerSize));
        if (aSheetWidth + w > static_cast<int>(k_MaxLength)) w = h = 0;
        anActive.mScaledCharImageRects.push_back(TRect<int>(aSheetWidth, 0, w, h));
        aSheetWidth += w;
        aSheetHeight = std::max(aSheetHeight, h);
      }
      MemoryImage* aSheet = new MemoryImage();
      anActive.mScaledImage = aSheet;
      anActive.mOwnsImage = true;
      if (aSheetWidth > 0 && aSheetHeight > 0 && MemoryImage::IsValidSize(aSheetWidth, aSheetHeight)) {
        aSheet->Create(aSheetWidth, aSheetHeight);
        Image* aSource = aLayer.mImage.get();
        if (aSource) {
          Graphics g(aSheet);
          for (size_t i = 0; i < aLayer.mCharData.size(); ++i) {
            const TRect<int>& aDest = anActive.mScaledCharImageRects[i];
            if (aDest.mWidth > 0 && aDest.mHeight > 0)
              g.DrawImage(aSource, aDest, aLayer.mCharData[i].mImageRect);
          }
        }
        aSheet->Palletize();
      } else {
        // No sheet could be made: the glyphs keep their advances and draw nothing.
        for (TRect<int>& aRect : anActive.mScaledCharImageRects) aRect = TRect<int>();
      }
    }

    auto f = [&](int v) { return Truncate(v * aTargetSize / aLayerSize); };
    mAscent = std::max(mAscent, f(aLayer.mAscent));
    mHeight = std::max(mHeight, f(aLayer.mHeight != 0 ? aLayer.mHeight : aLayer.mDefaultHeight));
    mAscentPadding = isFirst ? f(aLayer.mAscentPadding) : std::min(mAscentPadding, f(aLayer.mAscentPadding));
    mLineSpacingOffset =
        isFirst ? f(aLayer.mLineSpacingOffset) : std::max(mLineSpacingOffset, f(aLayer.mLineSpacingOffset));
    isFirst = false;
  }
}

void ImageFont::Prepare() {
  if (!mActiveListValid) {
    GenerateActiveFontLayers();
    mActiveListValid = true;
  }
}

int ImageFont::StringWidth(const TeskString& theString) {
  int aWidth = 0;
  wchar_t aPrev = 0;
  for (wchar_t aChar : theString) {
    aWidth += CharWidthKern(aChar, aPrev);
    aPrev = aChar;
  }
  return aWidth;
}

int ImageFont::CharWidthKern(wchar_t theChar, wchar_t thePrevChar) {
  Prepare();
  auto aMapped = mFontData->mCharMap.find(theChar);
  if (aMapped == mFontData->mCharMap.end()) return 0;
  bool hasPrev = thePrevChar != 0 && mFontData->mCharMap.count(thePrevChar) != 0;
  int aResult = 0;
  for (const ActiveFontLayer& aLayer : mActiveLayerList) {
    int anAdvance = Scaled(aLayer, Glyph(aLayer, aMapped->second).mWidth);
    if (hasPrev) anAdvance += Scaled(aLayer, aLayer.mBaseFontLayer->mSpacing);
    aResult = std::max(aResult, anAdvance);
  }
  return aResult;
}

int ImageFont::CharWidth(char theChar) {
  return CharWidthKern(static_cast<wchar_t>(static_cast<unsigned char>(theChar)), 0);
}

void ImageFont::DrawString(Graphics* g, int theX, int theY, const TeskString& theString,
                           const Color& theColor, const TRect<int>& theClipRect) {
  DrawStringEx(g, theX, theY, theString, theColor, &theClipRect, nullptr, nullptr);
}

void ImageFont::DrawStringEx(Graphics* g, int theX, int theY, const TeskString& theString,
                             const Color& theColor, const TRect<int>*, std::list<TRect<int>>* theDrawnAreas,
                             int* theWidth) {
  AutoCrit aLock(gRenderCritSec);
  std::fill(gRenderHead, gRenderHead + k_BucketCount, nullptr);
  std::fill(gRenderTail, gRenderTail + k_BucketCount, nullptr);
  if (theDrawnAreas) theDrawnAreas->clear();
  if (!mFontData->mInitialized) {
    if (theWidth) *theWidth = 0;
    return;
  }

  Prepare();
  const bool wasColorizing = g->GetColorizeImages();
  g->SetColorizeImages(true);

  const std::map<wchar_t, wchar_t>& aCharMap = mFontData->mCharMap;
  int aPenX = theX;
  int aCount = 0;
  bool isFull = false;
  // Each character is looked up once: as the next character, then as the current one.
  auto aNext = theString.empty() ? aCharMap.end() : aCharMap.find(theString[0]);
  for (size_t i = 0; i < theString.size() && !isFull; ++i) {
    auto aMapped = aNext;
    aNext = i + 1 < theString.size() ? aCharMap.find(theString[i + 1]) : aCharMap.end();
    if (aMapped == aCharMap.end()) continue;
    const wchar_t anIndex = aMapped->second;
    const bool hasNext = aNext != aCharMap.end();
    int aFurthestX = aPenX;

    for (const ActiveFontLayer& aLayer : mActiveLayerList) {
      if (aCount == k_PoolSize) {
        isFull = true;
        break;
      }
      const FontLayer& aBase = *aLayer.mBaseFontLayer;
      const CharData& aGlyph = Glyph(aLayer, anIndex);
      int x = aPenX + Scaled(aLayer, double(aBase.mOffset.mX) + aGlyph.mOffset.mX);
      int y = theY - Scaled(aLayer, double(aBase.mAscent) - aBase.mOffset.mY - aGlyph.mOffset.mY);
      int aWidth = Scaled(aLayer, aGlyph.mWidth);
      int aSpacing = hasNext ? Scaled(aLayer, aBase.mSpacing) : 0;

      Color aColor;
      const int* aText[4] = {&theColor.mRed, &theColor.mGreen, &theColor.mBlue, &theColor.mAlpha};
      const int* aMult[4] = {&aBase.mColorMult.mRed, &aBase.mColorMult.mGreen, &aBase.mColorMult.mBlue,
                             &aBase.mColorMult.mAlpha};
      const int* anAdd[4] = {&aBase.mColorAdd.mRed, &aBase.mColorAdd.mGreen, &aBase.mColorAdd.mBlue,
                             &aBase.mColorAdd.mAlpha};
      int* anOut[4] = {&aColor.mRed, &aColor.mGreen, &aColor.mBlue, &aColor.mAlpha};
      for (int c = 0; c < 4; ++c)
        *anOut[c] = std::max(0, std::min(255, *aText[c] * *aMult[c] / 255 + *anAdd[c]));

      const size_t aRectIndex = static_cast<size_t>(anIndex);
      const TRect<int> aSrc = aRectIndex < aLayer.mScaledCharImageRects.size()
                                  ? aLayer.mScaledCharImageRects[aRectIndex]
                                  : TRect<int>();

      RenderCommand& aCommand = gRenderCommandPool[aCount++];
      aCommand.mImage = aLayer.mScaledImage;
      aCommand.mDest[0] = x;
      aCommand.mDest[1] = y;
      aCommand.mSrc[0] = aSrc.mX;
      aCommand.mSrc[1] = aSrc.mY;
      aCommand.mSrc[2] = aSrc.mWidth;
      aCommand.mSrc[3] = aSrc.mHeight;
      aCommand.mColor = aColor;
      aCommand.mMode = aBase.mDrawMode;
      aCommand.mRotate = 0;
      aCommand.mNext = nullptr;
      if (theString[i] == L' ') {
        aCommand.mSrc[0] = aCommand.mSrc[1] = aCommand.mSrc[2] = aCommand.mSrc[3] = 0;
        aWidth = Scaled(aLayer, aBase.mSpaceWidth);
      }
      if (FontHost::s_languageUsing == 4 && theString[i] > 171) aCommand.mRotate = 1;

      int64_t anOrder = int64_t(aBase.mBaseOrder) + aGlyph.mOrder + 128;
      int aBucket = static_cast<int>(std::max<int64_t>(0, std::min<int64_t>(k_BucketCount - 1, anOrder)));
      if (!gRenderTail[aBucket]) {
        gRenderHead[aBucket] = &aCommand;
      } else {
        gRenderTail[aBucket]->mNext = &aCommand;
      }
      gRenderTail[aBucket] = &aCommand;

      if (theDrawnAreas) theDrawnAreas->push_back(TRect<int>(x, y, aSrc.mWidth, aSrc.mHeight));
      aFurthestX = std::max(aFurthestX, aPenX + aWidth + aSpacing);
    }
    aPenX = aFurthestX;
  }
  if (theWidth) *theWidth = aPenX - theX;

  const Color anOldColor = g->GetColor();
  for (int aBucket = 0; aBucket < k_BucketCount; ++aBucket) {
    for (RenderCommand* aCommand = gRenderHead[aBucket]; aCommand; aCommand = aCommand->mNext) {
      const int anOldMode = g->GetDrawMode();
      if (aCommand->mMode != -1) g->SetDrawMode(aCommand->mMode);
      g->SetColor(aCommand->mColor);
      TRect<int> aSrc(aCommand->mSrc[0], aCommand->mSrc[1], aCommand->mSrc[2], aCommand->mSrc[3]);
      if (aCommand->mImage && aSrc.mWidth > 0 && aSrc.mHeight > 0) {
        if (aCommand->mRotate) {
          // The turned glyph takes a pixel more on three sides, kept inside the sheet.
          TRect<int> aTurned = TRect<int>(aSrc.mX - 1, aSrc.mY, aSrc.mWidth + 2, aSrc.mHeight + 1)
                                   .Intersection(TRect<int>(0, 0, aCommand->mImage->GetWidth(),
                                                            aCommand->mImage->GetHeight()));
          g->DrawImageRotated(aCommand->mImage, aCommand->mDest[0], aCommand->mDest[1],
                              static_cast<double>(-1.57f), &aTurned);
        } else {
          g->DrawImage(aCommand->mImage, aCommand->mDest[0], aCommand->mDest[1], aSrc);
        }
      }
      g->SetDrawMode(anOldMode);
    }
  }
  g->SetColor(anOldColor);
  g->SetColorizeImages(wasColorizing);
}

void ImageFont::SetPointSize(int thePointSize) {
  mPointSize = thePointSize;
  mActiveListValid = false;
}

int ImageFont::GetPointSize() { return mPointSize; }

void ImageFont::SetScale(double theScale) {
  mScale = theScale;
  mActiveListValid = false;
}

int ImageFont::GetDefaultPointSize() { return mFontData->mDefaultPointSize; }

bool ImageFont::AddTag(const std::string& theTag) {
  if (HasTag(theTag)) return false;
  mTagVector.push_back(StringToUpper(StringToTeskString(theTag)));
  mActiveListValid = false;
  return true;
}

bool ImageFont::RemoveTag(const std::string& theTag) {
  TeskString aTag = StringToUpper(StringToTeskString(theTag));
  auto anIt = std::find(mTagVector.begin(), mTagVector.end(), aTag);
  if (anIt == mTagVector.end()) return false;
  mTagVector.erase(anIt);
  mActiveListValid = false;
  return true;
}

bool ImageFont::HasTag(const std::string& theTag) {
  TeskString aTag = StringToUpper(StringToTeskString(theTag));
  return std::find(mTagVector.begin(), mTagVector.end(), aTag) != mTagVector.end();
}

TeskString ImageFont::GetDefine(const TeskString& theName) {
  DataElement* aValue = mFontData->Dereference(theName);
  return aValue ? mFontData->DataElementToString(aValue) : TeskString();
}

}  // namespace Tesk
