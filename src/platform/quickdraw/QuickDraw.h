// QuickDraw text as the system fonts use it: offscreen ports over pixel memory, the current
// port, text font, size and face, clip rectangle, pen colour and position, text measuring and
// drawing, and the Font Manager's family lookup. Glyphs come from the DejaVu faces through
// FreeType; face names map onto DejaVu Sans, Serif or Sans Mono. Text is Mac Roman bytes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/carbon/CarbonTypes.h"

typedef int16_t FMFontFamily;
typedef int16_t QDErr;

// Text face bits.
enum : int16_t { normal = 0, bold = 1, italic = 2, underline = 4 };

// Pixel formats of NewGWorldFromPtr.
constexpr OSType k32ARGBPixelFormat = 0x00000020;
constexpr OSType k16BE555PixelFormat = 0x00000010;  // 5-5-5 in native byte order here
constexpr OSType k16LE565PixelFormat = 0x4C353635;  // 'L565'

struct FontInfo {
  int16_t ascent;
  int16_t descent;
  int16_t widMax;
  int16_t leading;
};

struct RGBColor {
  uint16_t red;
  uint16_t green;
  uint16_t blue;
};

// An offscreen port over caller-owned pixels.
struct OpaqueGrafPtr {
  uint8_t* mPixels;
  int32_t mRowBytes;
  int mWidth;
  int mHeight;
  int mBitCount;
  uint32_t mRedMask, mGreenMask, mBlueMask;
  Rect mClip;
  FMFontFamily mTextFont;
  int16_t mTextSize;
  int16_t mTextFace;
  RGBColor mForeColor;
  int16_t mPenH;
  int16_t mPenV;
};
typedef OpaqueGrafPtr* CGrafPtr;
typedef OpaqueGrafPtr* GWorldPtr;
typedef void* GDHandle;

struct OpaqueRgnHandle {
  Rect mBounds;
};
typedef OpaqueRgnHandle* RgnHandle;

// Families: the three DejaVu designs. Unknown names give the sans family.
constexpr FMFontFamily kFontFamilySans = 1;
constexpr FMFontFamily kFontFamilySerif = 2;
constexpr FMFontFamily kFontFamilyMono = 3;

// thePascalName: a length byte, then the name.
FMFontFamily FMGetFontFamilyFromName(const unsigned char* thePascalName);
// Test seam: the folder the DejaVu files are read from ("" for the system's, ending in '/');
// the faces loaded so far are dropped.
void QDTestSetFontFolder(const std::string& theFolder);

// Metrics of a family at a size (points, one pixel each) and face; false when no font file loads.
bool FetchFontInfo(FMFontFamily theFamily, int16_t theSize, int16_t theFace, FontInfo* theInfo);

// thePixelFormat one of the three above; theBounds gives the size (top-left 0, 0).
QDErr NewGWorldFromPtr(GWorldPtr* theWorld, OSType thePixelFormat, const Rect* theBounds, void* theColorTable,
                       GDHandle theDevice, uint32_t theFlags, void* thePixels, int32_t theRowBytes);
void DisposeGWorld(GWorldPtr theWorld);
void GetGWorld(CGrafPtr* thePort, GDHandle* theDevice);
void SetGWorld(CGrafPtr thePort, GDHandle theDevice);

// The calls below act on the current port and do nothing without one.
void TextFont(FMFontFamily theFamily);
void TextSize(int16_t theSize);
void TextFace(int16_t theFace);
FMFontFamily GetPortTextFont(CGrafPtr thePort);
int16_t GetPortTextSize(CGrafPtr thePort);
int16_t GetPortTextFace(CGrafPtr thePort);
void RGBForeColor(const RGBColor* theColor);
void MoveTo(int16_t h, int16_t v);
void GetPen(Point* thePoint);
void ClipRect(const Rect* theRect);
RgnHandle NewRgn();
void DisposeRgn(RgnHandle theRegion);
void GetClip(RgnHandle theRegion);
void SetClip(RgnHandle theRegion);
// Width in pixels of theByteCount bytes from theFirstByte, in the port's font, size and face.
int16_t TextWidth(const void* theText, int16_t theFirstByte, int16_t theByteCount);
// Draws at the pen (the baseline's left end) in the fore colour inside the clip, anti-aliased,
// and moves the pen by the text's width.
void DrawText(const void* theText, int16_t theFirstByte, int16_t theByteCount);
