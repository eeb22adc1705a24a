// The application's display: sets up the game window windowed or full screen over the
// DirectDraw-shaped surfaces, owns the primary surface, the back buffer, the draw buffer and
// the cursor save areas, builds the native-format colour tables, presents each frame (through
// the accelerated path in 3-D) and draws the software cursor. Its lock is the display lock.
#pragma once

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/AutoCrit.h"
#include "core/CritSect.h"
#include "core/Ratio.h"
#include "display/D3DInterface.h"
#include "display/DIRECTDRAW2.h"
#include "graphics/Image.h"
#include "graphics/NativeDisplay.h"
#include "graphics/TRect.h"

namespace Tesk {

class DDImage;
class TeskAppBase;

// Result codes of Init.
enum {
  RESULT_OK = 0,
  RESULT_FAIL = 1,
  RESULT_DD_CREATE_FAIL = 2,
  RESULT_SURFACE_FAIL = 3,
  RESULT_EXCLUSIVE_FAIL = 4,
  RESULT_DISPCHANGE_FAIL = 5,
  RESULT_INVALID_COLORDEPTH = 6,
  RESULT_3D_FAIL = 7,
};

class DDInterface : public NativeDisplay {
 public:
  // The application's fields that the display reads and writes. The application object copies
  // its settings here before Init and reads back the presentation rectangle and the broken
  // vertical-sync flag after it.
  struct AppView {
    int mWidth = 800;
    int mHeight = 600;
    int mFullScreenBits = 16;
    bool mForceAspect = false;
    Ratio mForcedAspect;
    bool mDrawBufferTakesWindowSize = false;
    bool mPageFlip = true;
    bool mWaitForVSync = false;
    bool mSoftVSyncWait = true;
    bool mInPopup = false;
    bool mVSyncBroken = false;
    TRect<int> mPresentationRect;
  };

  explicit DDInterface(TeskAppBase* theApp);
  ~DDInterface() override;
  DDInterface(const DDInterface&) = delete;
  DDInterface& operator=(const DDInterface&) = delete;

  int Init(WindowRef theWindow, bool isWindowed);
  void Cleanup();
  bool Redraw(TRect<int>* theClipRect);
  DDImage* GetScreenImage() { return mScreenImage; }
  HRESULT CreateSurface(DDSURFACEDESC2* theDesc, DIRECTDRAWSURFACE3** theSurface, void* theOuter);
  void ClearSurface(DIRECTDRAWSURFACE3* theSurface);
  void SetVideoOnlyDraw(bool videoOnly);
  void AddDDImage(DDImage* theImage);
  void RemoveDDImage(DDImage* theImage);
  void Remove3DData(MemoryImage* theImage);
  bool GotDXError(HRESULT theResult, const char* theContext);
  static std::string ResultToString(int theResult);
  bool Do3DTest(WindowRef theWindow);
  // Where a frame of theWidth x theHeight is shown on a screen of theScreenWidth x
  // theScreenHeight: as large as it fits with its shape kept, centred, the rest left black.
  static TRect<int> FitFrame(int theWidth, int theHeight, int theScreenWidth, int theScreenHeight);
  // The frame is shown as it is, pixel for pixel at the top left of the window (not scaled or
  // moved, as in a window of its size or on a screen of its size).
  bool ShowsFrameAsItIs() const { return mPresentationRect == TRect<int>(0, 0, mWidth, mHeight); }

  // Software cursor.
  bool SetCursorImage(Image* theImage);
  void SetCursorPos(int x, int y);
  void DrawCursorTo(DIRECTDRAWSURFACE3* theSurface, bool theFlag);
  void MoveCursorTo(DIRECTDRAWSURFACE3* theSurface, bool adjustToWindow, int x, int y);
  void RestoreOldCursorAreaFrom(DIRECTDRAWSURFACE3* theSurface, bool adjustToWindow);
  // Shows a frame that another thread (the cursor thread) changed; the main loop calls it.
  bool PresentPending();
  // Screenshots: the frame the next Redraw presents is kept as the window shows it. In 3-D
  // it is read back just before it is shown, since afterwards the buffer it was drawn in
  // may hold anything (under X the window's front buffer reads back black).
  void CaptureNextFrame();
  // Moves the kept frame out: 0xFFRRGGBB words, top row first. False when no frame has been
  // kept since the last request.
  bool TakeCapturedFrame(std::vector<uint32_t>* theBits, int* theWidth, int* theHeight);

  TeskAppBase* mApp;
  AppView mAppView;
  std::unique_ptr<D3DInterface> mD3DInterface;
  bool mIs3D;
  CritSect mCritSect;
  std::atomic<bool> mInRedraw;
  DIRECTDRAW2* mDirectDraw;
  DIRECTDRAW2* mDirectDrawEx;
  DIRECTDRAWSURFACE3* mPrimarySurface;
  DIRECTDRAWSURFACE3* mSecondarySurface;
  DIRECTDRAWSURFACE3* mDrawSurface;
  int mWidth;
  int mHeight;
  Ratio mAspect;
  int mDesktopWidth;
  int mDesktopHeight;
  Ratio mDesktopAspect;
  bool mAspectCorrected;
  int mWindowWidth;
  int mWindowHeight;
  Ratio mWindowAspect;
  TRect<int> mPresentationRect;
  int mFullScreenBits;
  int mRefreshRate;
  int mMillisPerFrame;
  int mBeamFailCount;
  std::unique_ptr<int[]> mRedAddTable;
  std::unique_ptr<int[]> mGreenAddTable;
  std::unique_ptr<int[]> mBlueAddTable;
  // Whoever builds the add tables sets this: all three are the 8-bit min(i, 255), which the
  // additive blit's vector row computes without them.
  bool mAddTablesSaturate = false;
  uint32_t mRedConvTable[256];
  uint32_t mGreenConvTable[256];
  uint32_t mBlueConvTable[256];
  bool mInitialized;
  WindowRef mWindow;
  bool mIsWindowed;
  DDImage* mScreenImage;  // built by the display-surface image code over the draw buffer
  std::set<DDImage*> mDDImageSet;
  bool mVideoOnlyDraw;
  int mInitCount;
  int mCursorWidth;
  int mCursorHeight;
  std::atomic<int> mCursorX;
  std::atomic<int> mCursorY;
  int mCursorDrawnX;
  int mCursorDrawnY;
  Image* mCursorImage;
  bool mHasOldCursorArea;
  DIRECTDRAWSURFACE3* mOldCursorArea;
  DIRECTDRAWSURFACE3* mNewCursorArea;
  DDImage* mOldCursorAreaImage;  // wrappers over the save areas, made with the screen image
  DDImage* mNewCursorAreaImage;
  std::string mErrorString;

 private:
  // Draws the cursor image centred at (x, y) of theSurface (a save area or a frame buffer).
  void DrawCursorImage(DIRECTDRAWSURFACE3* theSurface, int x, int y);
  void BuildColorTables();
  void KeepPresentedFrame();

  bool mCaptureNextFrame = false;
  bool mHasCapturedFrame = false;
  std::vector<uint32_t> mCapturedBits;
  int mCapturedWidth = 0;
  int mCapturedHeight = 0;
};

// Ratio and rectangle helpers of the display's aspect arithmetic.
bool operator<(const Ratio& a, const Ratio& b);
int operator*(int i, const Ratio& r);

// Set by every CreateSurface: the display's masks run blue < green < red.
extern bool gOptimizeSoftwareDrawing;

}  // namespace Tesk
