#include "graphics/SysFont.h"

#include <algorithm>
#include <string>
#include <vector>

#include "display/DDImage.h"
#include "graphics/Graphics.h"
#include "graphics/ImageRegistry.h"
#include "platform/coreservices/MacRoman.h"
#include "platform/quickdraw/QuickDraw.h"

namespace Tesk {

namespace {

// The platform's text is Mac Roman bytes; a character it cannot hold becomes '?'. Measuring and
// drawing convert alike, so widths match what is drawn.
std::string ToPlatformText(const TeskString& theString) {
  std::string aText;
  aText.reserve(std::min<size_t>(theString.size(), 32767));
  for (size_t i = 0; i < theString.size() && i < 32767; ++i) {
    unsigned char aByte = UnicodeToMacRoman(static_cast<uint32_t>(theString[i]));
    aText += static_cast<char>(aByte != 0 ? aByte : '?');
  }
  return aText;
}

}  // namespace

SysFont::SysFont(ImageRegistry* theApp, const std::string& theFace, int thePointSize, int theCharSet, bool bold,
                 bool italic, bool underline) {
  Init(theApp, theFace, thePointSize, theCharSet, bold, italic, underline);
}

SysFont::SysFont(const std::string& theFace, int thePointSize, bool bold, bool italic, bool underline) {
  Init(gImageRegistry, theFace, thePointSize, 0, bold, italic, underline);
}

SysFont::SysFont(const SysFont& theFont)
    : Font(),
      mBold(theFont.mBold),
      mItalic(theFont.mItalic),
      mUnderline(theFont.mUnderline),
      mSize(theFont.mSize),
      mFontFamily(theFont.mFontFamily),
      mApp(theFont.mApp),
      mDrawShadow(false),
      mSimulateBold(false) {
  mAscent = theFont.mAscent;
  mHeight = theFont.mHeight;
}

void SysFont::Init(ImageRegistry* theApp, const std::string& theFace, int thePointSize, int, bool bold,
                   bool italic, bool underline) {
  mApp = theApp;
  unsigned char aName[256];
  aName[0] = static_cast<unsigned char>(std::min<size_t>(theFace.size(), 255));
  std::copy(theFace.begin(), theFace.begin() + aName[0], aName + 1);
  mFontFamily = FMGetFontFamilyFromName(aName);
  mBold = bold;
  mItalic = italic;
  mUnderline = underline;
  mSize = thePointSize;
  mDrawShadow = false;
  mSimulateBold = false;
  FontInfo anInfo{};
  if (FetchFontInfo(mFontFamily, static_cast<int16_t>(mSize), Style(), &anInfo)) {
    mAscent = anInfo.ascent;
    mHeight = anInfo.ascent + anInfo.descent + anInfo.leading;
  }
}

int16_t SysFont::Style() const {
  return static_cast<int16_t>((mBold ? bold : 0) | (mItalic ? italic : 0) | (mUnderline ? underline : 0));
}

int SysFont::StringWidth(const TeskString& theString) {
  // Measured in a port of its own, at this font's size and face: the port's own settings would
  // measure another size.
  uint32_t aPixel = 0;
  ::Rect aBounds{0, 0, 1, 1};
  GWorldPtr aWorld = nullptr;
  if (NewGWorldFromPtr(&aWorld, k32ARGBPixelFormat, &aBounds, nullptr, nullptr, 0, &aPixel, 4) != 0) return 0;
  CGrafPtr anOldPort;
  GDHandle anOldDevice;
  GetGWorld(&anOldPort, &anOldDevice);
  SetGWorld(aWorld, nullptr);
  TextFont(mFontFamily);
  TextSize(static_cast<int16_t>(mSize));
  TextFace(Style());
  std::string aText = ToPlatformText(theString);
  int aWidth = TextWidth(aText.data(), 0, static_cast<int16_t>(aText.size()));
  SetGWorld(anOldPort, anOldDevice);
  DisposeGWorld(aWorld);
  return aWidth;
}

void SysFont::DrawString(Graphics* g, int theX, int theY, const TeskString& theString, const Color& theColor,
                         const TRect<int>& theClipRect) {
  DDImage* anImage = dynamic_cast<DDImage*>(g->mDestImage);
  if (anImage == nullptr) return;
  if (DDImage::Check3D(anImage)) {
    // The 3-D draw surface's memory is never shown: the text goes through the device instead.
    DrawStringThroughImage(g, anImage, theX, theY, theString, theColor, theClipRect);
    return;
  }
  anImage->GetSurface();
  if (!anImage->LockSurface()) return;
  const _DDSURFACEDESC& aDesc = anImage->mLockDesc;
  OSType aFormat = 0;
  if (aDesc.ddpfPixelFormat.dwRGBBitCount == 32)
    aFormat = k32ARGBPixelFormat;
  else if (aDesc.ddpfPixelFormat.dwRGBBitCount == 16 && aDesc.ddpfPixelFormat.dwGBitMask == 0x07E0)
    aFormat = k16LE565PixelFormat;
  else if (aDesc.ddpfPixelFormat.dwRGBBitCount == 16 && aDesc.ddpfPixelFormat.dwGBitMask == 0x03E0)
    aFormat = k16BE555PixelFormat;
  ::Rect aBounds{0, 0, static_cast<int16_t>(anImage->mHeight), static_cast<int16_t>(anImage->mWidth)};
  GWorldPtr aWorld = nullptr;
  if (aFormat == 0 ||
      NewGWorldFromPtr(&aWorld, aFormat, &aBounds, nullptr, nullptr, 0, aDesc.lpSurface, aDesc.lPitch) != 0) {
    anImage->UnlockSurface();
    return;
  }
  CGrafPtr anOldPort;
  GDHandle anOldDevice;
  GetGWorld(&anOldPort, &anOldDevice);
  SetGWorld(aWorld, nullptr);
  RgnHandle anOldClip = NewRgn();
  GetClip(anOldClip);
  FMFontFamily anOldFont = GetPortTextFont(aWorld);
  TextFont(mFontFamily);
  TextSize(static_cast<int16_t>(mSize));
  TextFace(Style());

  auto aClamp = [](int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
  ::Rect aClip{aClamp(theClipRect.mY), aClamp(theClipRect.mX), aClamp(theClipRect.mY + theClipRect.mHeight),
               aClamp(theClipRect.mX + theClipRect.mWidth)};
  ClipRect(&aClip);
  RGBColor aColor{static_cast<uint16_t>(theColor.mRed * 257), static_cast<uint16_t>(theColor.mGreen * 257),
                  static_cast<uint16_t>(theColor.mBlue * 257)};
  RGBForeColor(&aColor);
  MoveTo(aClamp(static_cast<int>(g->mTransX) + theX), aClamp(static_cast<int>(g->mTransY) + theY));
  std::string aText = ToPlatformText(theString);
  DrawText(aText.data(), 0, static_cast<int16_t>(aText.size()));

  RGBColor aBlack{0, 0, 0};
  RGBForeColor(&aBlack);
  TextFont(anOldFont);
  SetClip(anOldClip);
  DisposeRgn(anOldClip);
  SetGWorld(anOldPort, anOldDevice);
  DisposeGWorld(aWorld);
  anImage->UnlockSurface();
  // The surface now holds the only current copy of the pixels.
  anImage->DeleteAllNonSurfaceData();
}

void SysFont::DrawStringThroughImage(Graphics* g, DDImage* theDest, int theX, int theY,
                                     const TeskString& theString, const Color& theColor,
                                     const TRect<int>& theClipRect) {
  // White text on black in a scratch image; its red channel is then the coverage, which becomes
  // the alpha of the colour in the image that is blitted.
  const int aPad = 2 + mSize / 4;
  const int aLeft = static_cast<int>(g->mTransX) + theX - aPad;
  const int aTop = static_cast<int>(g->mTransY) + theY - mAscent - aPad;
  TRect<int> aBox(aLeft, aTop, StringWidth(theString) + 2 * aPad, mHeight + 2 * aPad);
  TRect<int> aVisible = aBox.Intersection(theClipRect);
  if (aVisible.mWidth <= 0 || aVisible.mHeight <= 0) return;
  MemoryImage aScratch(nullptr);
  std::vector<uint32_t> aBlack(static_cast<size_t>(aBox.mWidth) * aBox.mHeight, 0xFF000000u);
  aScratch.SetBits(aBlack.data(), aBox.mWidth, aBox.mHeight, false);
  uint32_t* aBits = aScratch.GetBits();
  ::Rect aBounds{0, 0, static_cast<int16_t>(aBox.mHeight), static_cast<int16_t>(aBox.mWidth)};
  GWorldPtr aWorld = nullptr;
  if (NewGWorldFromPtr(&aWorld, k32ARGBPixelFormat, &aBounds, nullptr, nullptr, 0, aBits, aBox.mWidth * 4) !=
      0)
    return;
  CGrafPtr anOldPort;
  GDHandle anOldDevice;
  GetGWorld(&anOldPort, &anOldDevice);
  SetGWorld(aWorld, nullptr);
  TextFont(mFontFamily);
  TextSize(static_cast<int16_t>(mSize));
  TextFace(Style());
  RGBColor aWhite{0xFFFF, 0xFFFF, 0xFFFF};
  RGBForeColor(&aWhite);
  MoveTo(static_cast<int16_t>(aPad), static_cast<int16_t>(mAscent + aPad));
  std::string aText = ToPlatformText(theString);
  DrawText(aText.data(), 0, static_cast<int16_t>(aText.size()));
  SetGWorld(anOldPort, anOldDevice);
  DisposeGWorld(aWorld);
  const uint32_t aColor = (static_cast<uint32_t>(theColor.mRed & 0xFF) << 16) |
                          (static_cast<uint32_t>(theColor.mGreen & 0xFF) << 8) | (theColor.mBlue & 0xFF);
  for (size_t i = 0; i < aBlack.size(); ++i) aBits[i] = (((aBits[i] >> 16) & 0xFF) << 24) | aColor;
  aScratch.BitsChanged();
  aScratch.CommitBits();
  theDest->Blt(&aScratch, aVisible.mX, aVisible.mY,
               TRect<int>(aVisible.mX - aBox.mX, aVisible.mY - aBox.mY, aVisible.mWidth, aVisible.mHeight),
               Color::White, 0);
  // The device made textures for the scratch image and keeps it in its set; the image dies
  // here and belongs to no registry that would tell the device, so they go now.
  theDest->Remove3DDataOf(&aScratch);
}

Font* SysFont::Duplicate() { return new SysFont(*this); }

}  // namespace Tesk
