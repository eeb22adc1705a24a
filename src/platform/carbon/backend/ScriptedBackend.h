// A back end with no display: windows that are records only, a pointer position and a clipboard in memory.
// Input is injected through CarbonEventSource, exactly as the SDL back end posts it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/carbon/CarbonBackend.h"

class ScriptedBackend : public CarbonBackend {
 public:
  void PumpEvents() override {}

  bool CreateNativeWindow(WindowRef theWindow) override;
  void DestroyNativeWindow(WindowRef theWindow) override;
  void ApplyTitle(WindowRef) override {}
  void ApplyVisibility(WindowRef) override {}
  void ApplyBounds(WindowRef) override {}
  void Raise(WindowRef) override {}
  int TitleBarHeight() override { return mTitleBarHeight; }
  void DrawableSize(WindowRef theWindow, int* outWidth, int* outHeight) override;
  void MainDisplaySize(int* outWidth, int* outHeight) override {
    *outWidth = mDisplayWidth;
    *outHeight = mDisplayHeight;
  }

  Point GlobalMouse() override { return mMouse; }

  void SetCursorVisible(bool isVisible) override { mCursorVisible = isVisible; }
  bool IsCursorVisible() override { return mCursorVisible; }
  void SetCursorShape(ThemeCursor theCursor) override { mCursorShape = theCursor; }

  bool GetClipboardText(std::string* outText) override;
  void SetClipboardText(const std::string& theText) override;
  void ClearClipboard() override { mHasClipboardText = false; }

  // The test's controls.
  void SetGlobalMouse(int h, int v);
  void SetTitleBarHeight(int theHeight) { mTitleBarHeight = theHeight; }
  void SetMainDisplaySize(int theWidth, int theHeight) {
    mDisplayWidth = theWidth;
    mDisplayHeight = theHeight;
  }
  void FailNextWindow() { mFailNextWindow = true; }
  ThemeCursor CursorShape() const { return mCursorShape; }
  int LiveWindows() const { return mLiveWindows; }

 private:
  Point mMouse = {0, 0};
  int mTitleBarHeight = 22;
  int mDisplayWidth = 1024;
  int mDisplayHeight = 768;
  bool mFailNextWindow = false;
  bool mCursorVisible = true;
  ThemeCursor mCursorShape = kThemeArrowCursor;
  bool mHasClipboardText = false;
  std::string mClipboardText;
  int mLiveWindows = 0;
};
