#include "platform/quickdraw/QuickDraw.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <string>

#include "platform/coreservices/MacRoman.h"

namespace {

const char* const k_FontFolder = "/usr/share/fonts/truetype/dejavu/";

// File names by family (sans, serif, mono) and face (plain, bold, italic, bold italic).
const char* const k_FontFiles[3][4] = {
    {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf"},
    {"DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf", "DejaVuSerif-Italic.ttf", "DejaVuSerif-BoldItalic.ttf"},
    {"DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf", "DejaVuSansMono-Oblique.ttf",
     "DejaVuSansMono-BoldOblique.ttf"},
};

// FreeType and its faces, shared by every port; fonts are measured on the loading thread too.
class FontStore {
 public:
  ~FontStore() {
    DropFaces();
    if (mLibrary != nullptr) FT_Done_FreeType(mLibrary);
  }

  std::mutex mLock;

  // The face at theSize pixels, or null when no file of the family loads. A style whose file
  // is missing (the italic DejaVu files come in a package of their own) is drawn in the
  // family's bold or regular face rather than not at all.
  FT_Face Face(FMFontFamily theFamily, int16_t theFace, int16_t theSize) {
    if (mLibrary == nullptr && FT_Init_FreeType(&mLibrary) != 0) return nullptr;
    int aFamily = std::clamp<int>(theFamily, kFontFamilySans, kFontFamilyMono) - 1;
    int aStyle = ((theFace & bold) ? 1 : 0) + ((theFace & italic) ? 2 : 0);
    FT_Face aFace = nullptr;
    for (int aTry : {aStyle, aStyle & 1, 0}) {
      aFace = Load(k_FontFiles[aFamily][aTry]);
      if (aFace != nullptr) break;
    }
    if (aFace == nullptr) return nullptr;
    int aSize = std::max<int>(1, theSize);
    if (mSizes[aFace] != aSize) {
      FT_Set_Pixel_Sizes(aFace, 0, static_cast<FT_UInt>(aSize));
      mSizes[aFace] = aSize;
    }
    return aFace;
  }

  // Takes the files from theFolder from now on (ending in '/').
  void SetFolder(const std::string& theFolder) {
    DropFaces();
    mFolder = theFolder;
  }

 private:
  // The face of one file, loaded once; null (also remembered) when it does not load.
  FT_Face Load(const char* theFile) {
    auto anIt = mFiles.find(theFile);
    if (anIt == mFiles.end()) {
      FT_Face aFace = nullptr;
      const std::string aPath = mFolder + theFile;
      if (FT_New_Face(mLibrary, aPath.c_str(), 0, &aFace) != 0) aFace = nullptr;
      anIt = mFiles.emplace(theFile, aFace).first;
    }
    return anIt->second;
  }

  void DropFaces() {
    for (auto& anEntry : mFiles)
      if (anEntry.second != nullptr) FT_Done_Face(anEntry.second);
    mFiles.clear();
    mSizes.clear();
  }

  FT_Library mLibrary = nullptr;
  std::string mFolder = k_FontFolder;
  std::map<std::string, FT_Face> mFiles;
  std::map<FT_Face, int> mSizes;
};

FontStore& Store() {
  static FontStore sm_Store;
  return sm_Store;
}

CGrafPtr gCurrentPort = nullptr;
GDHandle gCurrentDevice = nullptr;

uint32_t CharOf(unsigned char theByte) {
  uint32_t aCode = MacRomanToUnicode(theByte);
  return aCode != 0 ? aCode : theByte;
}

// The advance of a character in whole pixels, the same for measuring and drawing.
int Advance(FT_Face theFace, uint32_t theChar) {
  if (FT_Load_Char(theFace, theChar, FT_LOAD_DEFAULT) != 0) return 0;
  return static_cast<int>((theFace->glyph->advance.x + 32) >> 6);
}

// Blends the fore colour onto one pixel with coverage theCover (0 to 255).
void BlendPixel(CGrafPtr thePort, int x, int y, uint32_t theCover) {
  if (theCover == 0) return;
  const uint32_t aColor[3] = {uint32_t(thePort->mForeColor.red) >> 8,
                              uint32_t(thePort->mForeColor.green) >> 8,
                              uint32_t(thePort->mForeColor.blue) >> 8};
  uint8_t* aRow = thePort->mPixels + static_cast<ptrdiff_t>(y) * thePort->mRowBytes;
  if (thePort->mBitCount == 32) {
    uint32_t& d = reinterpret_cast<uint32_t*>(aRow)[x];
    uint32_t aResult = 0xFF000000u;
    for (int c = 0; c < 3; ++c) {
      int aShift = 16 - 8 * c;
      uint32_t dc = (d >> aShift) & 0xFF;
      aResult |= ((aColor[c] * theCover + dc * (255 - theCover) + 127) / 255) << aShift;
    }
    d = aResult;
    return;
  }
  uint16_t& d = reinterpret_cast<uint16_t*>(aRow)[x];
  const uint32_t aMasks[3] = {thePort->mRedMask, thePort->mGreenMask, thePort->mBlueMask};
  uint32_t aResult = 0;
  for (int c = 0; c < 3; ++c) {
    uint32_t m = aMasks[c];
    int aShift = 0;
    while (aShift < 16 && !(m & (1u << aShift))) ++aShift;
    uint32_t aMax = m >> aShift;
    uint32_t dc = (d & m) >> aShift;
    uint32_t sc = (aColor[c] * aMax + 127) / 255;
    aResult |= (((sc * theCover + dc * (255 - theCover) + 127) / 255) << aShift) & m;
  }
  d = static_cast<uint16_t>(aResult);
}

}  // namespace

FMFontFamily FMGetFontFamilyFromName(const unsigned char* thePascalName) {
  if (thePascalName == nullptr) return kFontFamilySans;
  std::string aName(reinterpret_cast<const char*>(thePascalName + 1), thePascalName[0]);
  for (char& c : aName) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const char* const kMono[] = {"mono", "courier", "monaco", "consol", "console", "fixed"};
  const char* const kSerif[] = {"times", "serif", "georgia", "palatino", "new york", "garamond", "book"};
  for (const char* aWord : kMono)
    if (aName.find(aWord) != std::string::npos) return kFontFamilyMono;
  if (aName.find("sans") != std::string::npos) return kFontFamilySans;
  for (const char* aWord : kSerif)
    if (aName.find(aWord) != std::string::npos) return kFontFamilySerif;
  return kFontFamilySans;
}

bool FetchFontInfo(FMFontFamily theFamily, int16_t theSize, int16_t theFace, FontInfo* theInfo) {
  std::lock_guard<std::mutex> aLock(Store().mLock);
  FT_Face aFace = Store().Face(theFamily, theFace, theSize);
  if (aFace == nullptr || theInfo == nullptr) return false;
  const FT_Size_Metrics& m = aFace->size->metrics;
  int anAscent = static_cast<int>((m.ascender + 63) >> 6);
  int aDescent = static_cast<int>((-m.descender + 63) >> 6);
  int aHeight = static_cast<int>((m.height + 63) >> 6);
  theInfo->ascent = static_cast<int16_t>(anAscent);
  theInfo->descent = static_cast<int16_t>(aDescent);
  theInfo->widMax = static_cast<int16_t>((m.max_advance + 63) >> 6);
  theInfo->leading = static_cast<int16_t>(std::max(0, aHeight - anAscent - aDescent));
  return true;
}

QDErr NewGWorldFromPtr(GWorldPtr* theWorld, OSType thePixelFormat, const Rect* theBounds, void*, GDHandle,
                       uint32_t, void* thePixels, int32_t theRowBytes) {
  if (theWorld == nullptr || theBounds == nullptr || thePixels == nullptr) return -50;
  GWorldPtr aWorld = new OpaqueGrafPtr{};
  aWorld->mPixels = static_cast<uint8_t*>(thePixels);
  aWorld->mRowBytes = theRowBytes;
  aWorld->mWidth = theBounds->right - theBounds->left;
  aWorld->mHeight = theBounds->bottom - theBounds->top;
  if (thePixelFormat == k32ARGBPixelFormat) {
    aWorld->mBitCount = 32;
    aWorld->mRedMask = 0xFF0000;
    aWorld->mGreenMask = 0xFF00;
    aWorld->mBlueMask = 0xFF;
  } else if (thePixelFormat == k16LE565PixelFormat) {
    aWorld->mBitCount = 16;
    aWorld->mRedMask = 0xF800;
    aWorld->mGreenMask = 0x07E0;
    aWorld->mBlueMask = 0x001F;
  } else if (thePixelFormat == k16BE555PixelFormat) {
    aWorld->mBitCount = 16;
    aWorld->mRedMask = 0x7C00;
    aWorld->mGreenMask = 0x03E0;
    aWorld->mBlueMask = 0x001F;
  } else {
    delete aWorld;
    return -50;
  }
  aWorld->mClip = Rect{0, 0, static_cast<int16_t>(aWorld->mHeight), static_cast<int16_t>(aWorld->mWidth)};
  aWorld->mTextFont = kFontFamilySans;
  aWorld->mTextSize = 12;
  aWorld->mTextFace = normal;
  *theWorld = aWorld;
  return 0;
}

void DisposeGWorld(GWorldPtr theWorld) {
  if (gCurrentPort == theWorld) gCurrentPort = nullptr;
  delete theWorld;
}

void GetGWorld(CGrafPtr* thePort, GDHandle* theDevice) {
  if (thePort != nullptr) *thePort = gCurrentPort;
  if (theDevice != nullptr) *theDevice = gCurrentDevice;
}

void SetGWorld(CGrafPtr thePort, GDHandle theDevice) {
  gCurrentPort = thePort;
  gCurrentDevice = theDevice;
}

void TextFont(FMFontFamily theFamily) {
  if (gCurrentPort != nullptr) gCurrentPort->mTextFont = theFamily;
}
void TextSize(int16_t theSize) {
  if (gCurrentPort != nullptr) gCurrentPort->mTextSize = theSize;
}
void TextFace(int16_t theFace) {
  if (gCurrentPort != nullptr) gCurrentPort->mTextFace = theFace;
}
FMFontFamily GetPortTextFont(CGrafPtr thePort) { return thePort != nullptr ? thePort->mTextFont : 0; }
int16_t GetPortTextSize(CGrafPtr thePort) { return thePort != nullptr ? thePort->mTextSize : 0; }
int16_t GetPortTextFace(CGrafPtr thePort) { return thePort != nullptr ? thePort->mTextFace : 0; }

void RGBForeColor(const RGBColor* theColor) {
  if (gCurrentPort != nullptr && theColor != nullptr) gCurrentPort->mForeColor = *theColor;
}

void MoveTo(int16_t h, int16_t v) {
  if (gCurrentPort == nullptr) return;
  gCurrentPort->mPenH = h;
  gCurrentPort->mPenV = v;
}

void GetPen(Point* thePoint) {
  if (gCurrentPort == nullptr || thePoint == nullptr) return;
  thePoint->h = gCurrentPort->mPenH;
  thePoint->v = gCurrentPort->mPenV;
}

void ClipRect(const Rect* theRect) {
  if (gCurrentPort != nullptr && theRect != nullptr) gCurrentPort->mClip = *theRect;
}

RgnHandle NewRgn() { return new OpaqueRgnHandle{Rect{0, 0, 0, 0}}; }
void DisposeRgn(RgnHandle theRegion) { delete theRegion; }
void GetClip(RgnHandle theRegion) {
  if (gCurrentPort != nullptr && theRegion != nullptr) theRegion->mBounds = gCurrentPort->mClip;
}
void SetClip(RgnHandle theRegion) {
  if (gCurrentPort != nullptr && theRegion != nullptr) gCurrentPort->mClip = theRegion->mBounds;
}

int16_t TextWidth(const void* theText, int16_t theFirstByte, int16_t theByteCount) {
  if (gCurrentPort == nullptr || theText == nullptr) return 0;
  std::lock_guard<std::mutex> aLock(Store().mLock);
  FT_Face aFace = Store().Face(gCurrentPort->mTextFont, gCurrentPort->mTextFace, gCurrentPort->mTextSize);
  if (aFace == nullptr) return 0;
  const unsigned char* aBytes = static_cast<const unsigned char*>(theText) + theFirstByte;
  int aWidth = 0;
  for (int i = 0; i < theByteCount; ++i) aWidth += Advance(aFace, CharOf(aBytes[i]));
  return static_cast<int16_t>(aWidth);
}

void DrawText(const void* theText, int16_t theFirstByte, int16_t theByteCount) {
  CGrafPtr aPort = gCurrentPort;
  if (aPort == nullptr || theText == nullptr) return;
  std::lock_guard<std::mutex> aLock(Store().mLock);
  FT_Face aFace = Store().Face(aPort->mTextFont, aPort->mTextFace, aPort->mTextSize);
  if (aFace == nullptr) return;
  // The clip, kept inside the port.
  const int aLeft = std::max<int>(aPort->mClip.left, 0), aTop = std::max<int>(aPort->mClip.top, 0);
  const int aRight = std::min<int>(aPort->mClip.right, aPort->mWidth);
  const int aBottom = std::min<int>(aPort->mClip.bottom, aPort->mHeight);
  const unsigned char* aBytes = static_cast<const unsigned char*>(theText) + theFirstByte;
  int aPenX = aPort->mPenH;
  const int aBaseline = aPort->mPenV;
  const int aStartX = aPenX;
  for (int i = 0; i < theByteCount; ++i) {
    uint32_t aChar = CharOf(aBytes[i]);
    int anAdvance = Advance(aFace, aChar);
    if (FT_Load_Char(aFace, aChar, FT_LOAD_RENDER) == 0) {
      const FT_GlyphSlot aGlyph = aFace->glyph;
      const FT_Bitmap& aMap = aGlyph->bitmap;
      const int aX0 = aPenX + aGlyph->bitmap_left, aY0 = aBaseline - aGlyph->bitmap_top;
      for (int r = 0; r < static_cast<int>(aMap.rows); ++r) {
        int y = aY0 + r;
        if (y < aTop || y >= aBottom) continue;
        const unsigned char* aCover = aMap.buffer + static_cast<ptrdiff_t>(r) * aMap.pitch;
        for (int c = 0; c < static_cast<int>(aMap.width); ++c) {
          int x = aX0 + c;
          if (x < aLeft || x >= aRight) continue;
          BlendPixel(aPort, x, y, aCover[c]);
        }
      }
    }
    aPenX += anAdvance;
  }
  if (aPort->mTextFace & underline) {
    int y = aBaseline + 1;
    if (y >= aTop && y < aBottom)
      for (int x = std::max(aStartX, aLeft); x < std::min(aPenX, aRight); ++x) BlendPixel(aPort, x, y, 255);
  }
  aPort->mPenH = static_cast<int16_t>(aPenX);
}

void QDTestSetFontFolder(const std::string& theFolder) {
  FontStore& aStore = Store();
  std::lock_guard<std::mutex> aGuard(aStore.mLock);
  aStore.SetFolder(theFolder.empty() ? std::string(k_FontFolder) : theFolder);
}
