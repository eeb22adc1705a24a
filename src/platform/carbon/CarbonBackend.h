// The seam under the Carbon stand-in: what a back end supplies (native windows and input, the
// cursor, the clipboard). Time comes from the Core Services clock, which tests script. SdlBackend talks to a
// real display; ScriptedBackend lets a test drive everything. The Carbon functions above the seam are the
// same for both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/carbon/CarbonCursor.h"
#include "platform/carbon/CarbonEvents.h"

class CarbonBackend {
 public:
  virtual ~CarbonBackend() = default;

  // Turns waiting native input into Carbon events on the main queue.
  virtual void PumpEvents() = 0;
  // The native side of a window record (OpaqueWindowPtr). The record holds the state the
  // framework sees; these apply it. A native change comes back as a Carbon event.
  virtual bool CreateNativeWindow(WindowRef theWindow) = 0;
  virtual void DestroyNativeWindow(WindowRef theWindow) = 0;
  virtual void ApplyTitle(WindowRef theWindow) = 0;
  virtual void ApplyVisibility(WindowRef theWindow) = 0;
  virtual void ApplyBounds(WindowRef theWindow) = 0;
  virtual void Raise(WindowRef theWindow) = 0;
  // Height of the title bar above a window's content.
  virtual int TitleBarHeight() = 0;

  virtual Point GlobalMouse() = 0;

  virtual void SetCursorVisible(bool isVisible) = 0;
  virtual bool IsCursorVisible() = 0;
  virtual void SetCursorShape(ThemeCursor theCursor) = 0;

  // False when the clipboard holds no text.
  virtual bool GetClipboardText(std::string* outText) = 0;
  virtual void SetClipboardText(const std::string& theText) = 0;
  virtual void ClearClipboard() = 0;
};

// Installs the back end for the process (an SDL back end is made on first use when none was set).
void SetCarbonBackend(std::unique_ptr<CarbonBackend> theBackend);
CarbonBackend& GetCarbonBackend();
