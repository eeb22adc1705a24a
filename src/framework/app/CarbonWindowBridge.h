// Window messages posted and sent as Carbon events, and the window queries of the OS services,
// over the Carbon stand-in. The application object installs it when it is made.
#pragma once

#include "core/OsWindowBridge.h"

namespace Tesk {

class CarbonWindowBridge : public OsWindowBridge {
 public:
  int32_t PostMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) override;
  int32_t SendMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam, LPARAM theLParam) override;

  bool IsWindowVisible(WindowRef theWindow) override;
  bool IsWindowCollapsed(WindowRef theWindow) override;
  bool GetWindowContentBounds(WindowRef theWindow, int* theLeft, int* theTop, int* theRight,
                              int* theBottom) override;
  void MoveWindow(WindowRef theWindow, int theLeft, int theTop) override;
  void SizeWindow(WindowRef theWindow, int theWidth, int theHeight) override;

  // The one bridge of the process.
  static CarbonWindowBridge& Instance();
};

}  // namespace Tesk
