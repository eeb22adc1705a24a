// The calls the application object makes on its widget manager, named as the widget manager
// names them. The widget manager takes this place when it exists; until then the application
// object reaches its widgets only through an object that a subclass or a test supplies.
#pragma once

namespace Tesk {

class WidgetManagerSeam {
 public:
  virtual ~WidgetManagerSeam() = default;

  // Input, in logical screen coordinates. Key codes use Win32 virtual-key numbering.
  virtual bool KeyChar(wchar_t theChar) = 0;
  virtual bool KeyDown(int theKey) = 0;
  virtual bool KeyUp(int theKey) = 0;
  // theClickCount: 1 or 2 left (single, double), -1 or -2 right, 3 middle.
  virtual bool MouseDown(int x, int y, int theClickCount) = 0;
  virtual bool MouseUp(int x, int y, int theClickCount) = 0;
  virtual bool MouseMove(int x, int y) = 0;
  virtual bool MouseExit(int x, int y) = 0;
  virtual void MouseWheel(int theDelta) = 0;
  // Window coordinates to the logical screen.
  virtual void RemapMouse(int& x, int& y) = 0;
  // The key-held flags of key codes 0 to 254.
  virtual bool IsKeyDown(int theKey) = 0;
  virtual void ClearKeysDown() = 0;

  virtual void MarkAllDirty() = 0;
  virtual void GotFocus() = 0;
  virtual void LostFocus() = 0;
  virtual void DoMouseUps() = 0;

  // One update of every widget; true when something changed.
  virtual bool UpdateFrame() = 0;
  virtual void UpdateFrameF(float theFrac) = 0;
};

}  // namespace Tesk
