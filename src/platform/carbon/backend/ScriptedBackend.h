// A back end with no display: windows that are records only, a pointer position and a clipboard in memory. Input is injected through
// CarbonEventSource, exactly as the SDL back end posts it.
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
  void FailNextWindow() { mFailNextWindow = true; }
  ThemeCursor CursorShape() const { return mCursorShape; }
  int LiveWindows() const { return mLiveWindows; }

 private:
  Point mMouse = {0, 0};
  int mTitleBarHeight = 22;
  bool mFailNextWindow = false;
  bool mCursorVisible = true;
  ThemeCursor mCursorShape = kThemeArrowCursor;
  bool mHasClipboardText = false;
  std::string mClipboardText;
  int mLiveWindows = 0;
};
