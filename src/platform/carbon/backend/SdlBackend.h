// The back end over SDL2: real windows (with an OpenGL-capable surface), input, cursor and clipboard.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/carbon/CarbonBackend.h"

class SdlBackend : public CarbonBackend {
 public:
  SdlBackend();
  ~SdlBackend() override;

  void PumpEvents() override;

  bool CreateNativeWindow(WindowRef theWindow) override;
  void DestroyNativeWindow(WindowRef theWindow) override;
  void ApplyTitle(WindowRef theWindow) override;
  void ApplyVisibility(WindowRef theWindow) override;
  void ApplyBounds(WindowRef theWindow) override;
  void Raise(WindowRef theWindow) override;
  // SDL measures from the content's corner; the window manager's title bar lies outside.
  int TitleBarHeight() override { return 0; }

  Point GlobalMouse() override;

  void SetCursorVisible(bool isVisible) override;
  bool IsCursorVisible() override;
  void SetCursorShape(ThemeCursor theCursor) override;

  bool GetClipboardText(std::string* outText) override;
  void SetClipboardText(const std::string& theText) override;
  void ClearClipboard() override;

  // The SDL window behind a window record (for the display's OpenGL context), or null.
  static SDL_Window* SdlWindowOf(WindowRef theWindow);

  // Turns one SDL event into Carbon events; PumpEvents calls it for each waiting event.
  void Translate(const SDL_Event& theEvent);

 private:
  void TranslateWindowEvent(const SDL_WindowEvent& theEvent);
  void TranslateKey(const SDL_KeyboardEvent& theEvent);

  bool mVideoReady = false;
  SDL_Cursor* mCursors[5] = {};
  Uint16 mLastMod = 0;
};
