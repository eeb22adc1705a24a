// What the OS services need of the window layer: turning window messages into
// Carbon events, and reading and placing windows. The Carbon event bridge
// installs one at start-up. Until then posting and sending report failure and
// no window bounds are recorded.
#pragma once

#include <cstdint>

#include "core/MacUtils.h"

namespace Tesk {

class OsWindowBridge {
 public:
  virtual ~OsWindowBridge() = default;

  // Message 273 becomes a command-process event (attributes lParam, command id
  // wParam); others become 'KWMR' events for posting and 'OPFX' events for
  // sending, as the window layer defines them. Return the Carbon status.
  virtual int32_t PostMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) = 0;
  virtual int32_t SendMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) = 0;

  virtual bool IsWindowVisible(WindowRef theWindow) = 0;
  virtual bool IsWindowCollapsed(WindowRef theWindow) = 0;
  // Content bounds in global coordinates.
  virtual bool GetWindowContentBounds(WindowRef theWindow, int* theLeft, int* theTop, int* theRight,
                                      int* theBottom) = 0;
  virtual void MoveWindow(WindowRef theWindow, int theLeft, int theTop) = 0;
  virtual void SizeWindow(WindowRef theWindow, int theWidth, int theHeight) = 0;
};

// theBridge is borrowed; null removes it.
void SetOsWindowBridge(OsWindowBridge* theBridge);
OsWindowBridge* GetOsWindowBridge();

}  // namespace Tesk
