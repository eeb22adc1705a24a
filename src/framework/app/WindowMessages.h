// The window messages the framework speaks, with Win32 numbers and Win32 packing of wParam and lParam,
// and the record in which a message waits in the deferred queue.
#pragma once

#include <cstdint>

struct OpaqueWindowPtr;
typedef OpaqueWindowPtr* WindowRef;

// A window procedure; 0 means handled.
typedef int32_t (*TeskWindowProcPtr)(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam,
                                     int32_t theLParam);

enum : uint32_t {
  WM_CREATE = 1,
  WM_DESTROY = 2,
  WM_MOVE = 3,
  WM_SIZE = 5,
  WM_ACTIVATE = 6,
  WM_ENABLE = 10,
  WM_PAINT = 15,
  WM_CLOSE = 16,
  WM_QUIT = 18,
  WM_SHOWWINDOW = 24,
  WM_ACTIVATEAPP = 28,
  WM_CURSORREQUEST = 50,
  WM_KEYDOWN = 256,
  WM_KEYUP = 257,
  WM_CHAR = 258,
  WM_SYSKEYDOWN = 260,
  WM_SYSKEYUP = 261,
  WM_SYSCHAR = 262,
  WM_COMMAND = 273,
  WM_SYSCOMMAND = 274,
  WM_TIMER = 275,
  WM_MOUSEMOVE = 512,
  WM_LBUTTONDOWN = 513,
  WM_LBUTTONUP = 514,
  WM_LBUTTONDBLCLK = 515,
  WM_RBUTTONDOWN = 516,
  WM_RBUTTONUP = 517,
  WM_RBUTTONDBLCLK = 518,
  WM_MBUTTONDOWN = 519,
  WM_MBUTTONUP = 520,
  WM_MOUSEWHEEL = 522,
};

// wParam of mouse messages.
enum : uint32_t { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8 };
// wParam of size messages.
enum : uint32_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
// wParam of system commands.
enum : uint32_t { SC_SCREENSAVE = 0xF140, SC_MONITORPOWER = 0xF170 };

// x in the low 16 bits, y in the high 16 bits; both read back signed.
inline int32_t MakeMouseLParam(int x, int y) {
  return static_cast<int32_t>((static_cast<uint32_t>(x) & 0xFFFF) | (static_cast<uint32_t>(y) << 16));
}
inline int LParamX(int32_t theLParam) { return static_cast<int16_t>(theLParam & 0xFFFF); }
inline int LParamY(int32_t theLParam) {
  return static_cast<int16_t>((static_cast<uint32_t>(theLParam) >> 16) & 0xFFFF);
}
// The wheel's delta (120 a line) in the high half of wParam.
inline int WheelDelta(uint32_t theWParam) { return static_cast<int16_t>(theWParam >> 16); }

struct tagMSG {
  WindowRef hwnd;
  uint32_t message;
  uint32_t wParam;
  int32_t lParam;
  uint32_t time;
  struct {
    int32_t x;
    int32_t y;
  } pt;
};
