// Presents a test pattern through the display's accelerated path and saves what the window
// shows as a PNG: display_screenshot <out.png>. Needs a display (Xvfb will do).
#include <cmath>
#include <cstdio>
#include <vector>

#include "display/DDInterface.h"
#include "graphics/MemoryImage.h"
#include "resources/ImageLib.h"
#include "platform/carbonwindow/CarbonWindow.h"

namespace {

constexpr int k_W = 480, k_H = 320;

void MakeImage(Tesk::MemoryImage& theImage, int theWidth, int theHeight, uint32_t (*thePixel)(int, int)) {
  theImage.Create(theWidth, theHeight);
  uint32_t* aBits = theImage.GetBits();
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x) aBits[y * theWidth + x] = thePixel(x, y);
  theImage.BitsChanged();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: display_screenshot <out.png>\n");
    return 2;
  }
  if (!CarbonInitVideo()) return 1;
  Rect aBounds{40, 40, 40 + k_H, 40 + k_W};
  WindowRef aWindow = nullptr;
  if (CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &aWindow) != noErr) return 1;
  ShowWindow(aWindow);
  int aResult;
  {
    Tesk::DDInterface aDisplay(nullptr);
    aDisplay.mAppView.mWidth = k_W;
    aDisplay.mAppView.mHeight = k_H;
    aDisplay.mIs3D = true;
    aResult = aDisplay.Init(aWindow, true);
    if (aResult != Tesk::RESULT_OK) {
      std::fprintf(stderr, "display: %s %s\n", Tesk::DDInterface::ResultToString(aResult).c_str(),
                   aDisplay.mErrorString.c_str());
      return 1;
    }
    Tesk::MemoryImage aChecker(nullptr), aBall(nullptr), anArrow(nullptr);
    MakeImage(aChecker, 64, 64,
              [](int x, int y) -> uint32_t { return ((x / 8 + y / 8) & 1) ? 0xFFE0E0E0u : 0xFF2060C0u; });
    MakeImage(aBall, 48, 48, [](int x, int y) -> uint32_t {
      double d = std::hypot(x - 23.5, y - 23.5) / 24.0;
      if (d >= 1.0) return 0;
      uint32_t a = static_cast<uint32_t>(255 * (1.0 - d * d));
      return (a << 24) | 0xFFA020u;
    });
    MakeImage(anArrow, 24, 24, [](int x, int y) -> uint32_t { return x <= y ? 0xFFFFFF00u : 0u; });

    Tesk::D3DInterface* d = aDisplay.mD3DInterface.get();
    for (int y = 0; y < k_H; y += 8)
      d->FillRect(Tesk::TRect<int>(0, y, k_W, 8), Tesk::Color(10, 20 + y / 3, 60 + y / 4), 0);
    const Tesk::Color kBars[6] = {Tesk::Color(255, 0, 0),   Tesk::Color(0, 255, 0),
                                  Tesk::Color(0, 0, 255),   Tesk::Color(255, 255, 0),
                                  Tesk::Color(0, 255, 255), Tesk::Color(255, 0, 255)};
    for (int i = 0; i < 6; ++i) d->FillRect(Tesk::TRect<int>(20 + i * 40, 20, 32, 32), kBars[i], 0);
    d->Blt(&aChecker, 20, 70, Tesk::TRect<int>(0, 0, 64, 64), Tesk::Color(255, 255, 255), 0);
    d->BltMirror(&anArrow, 100, 70, Tesk::TRect<int>(0, 0, 24, 24), Tesk::Color(255, 255, 255), 0);
    d->Blt(&anArrow, 130, 70, Tesk::TRect<int>(0, 0, 24, 24), Tesk::Color(255, 255, 255), 0);
    d->StretchBlt(&aChecker, Tesk::TRect<int>(20, 150, 160, 100), Tesk::TRect<int>(0, 0, 64, 64), nullptr,
                  Tesk::Color(255, 255, 255), 0, false, false);
    for (int i = 0; i < 5; ++i)
      d->Blt(&aBall, 220 + i * 20, 80 + i * 10, Tesk::TRect<int>(0, 0, 48, 48), Tesk::Color(255, 255, 255),
             1);
    d->Blt(&aBall, 220, 180, Tesk::TRect<int>(0, 0, 48, 48), Tesk::Color(80, 255, 255, 200), 0);
    d->BltRotated(&aChecker, 330, 190, nullptr, Tesk::Color(255, 255, 255), 0, 0.5, 32, 32,
                  Tesk::TRect<int>(0, 0, 64, 64));
    for (int i = 0; i < 12; ++i)
      d->DrawLine(260, 20, 260 + 200 * std::cos(i * 0.13), 20 + 200 * std::sin(i * 0.13),
                  Tesk::Color(255, 255, 255), 0);
    aDisplay.SetCursorImage(&anArrow);
    aDisplay.mCursorX = 400;
    aDisplay.mCursorY = 280;
    // The frame is kept as it is presented: afterwards the buffer it was drawn in may hold
    // anything (under X the window's front buffer reads back black).
    aDisplay.CaptureNextFrame();
    aDisplay.Redraw(nullptr);
    std::vector<uint32_t> aPixels;
    ImageLib::Image aShot;
    bool isKept = aDisplay.TakeCapturedFrame(&aPixels, &aShot.mWidth, &aShot.mHeight);
    for (Tesk::MemoryImage* anImage : {&aChecker, &aBall, &anArrow}) aDisplay.Remove3DData(anImage);
    if (!isKept) {
      std::fprintf(stderr, "display: the frame could not be read back\n");
      aResult = 1;
    } else {
      aShot.mBits = aPixels.data();
      aResult = ImageLib::WritePNGImage(argv[1], &aShot) ? 0 : 1;
      aShot.mBits = nullptr;
    }
  }
  DisposeWindow(aWindow);
  return aResult;
}

// Allocations that the system's display libraries keep for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:libX11.so\n"; }
