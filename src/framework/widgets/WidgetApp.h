// What the widgets ask of the application object, named after its calls so
// that the application can serve them by deriving from this class. Tests
// install a fake; with none installed the calls do nothing.
#pragma once

#include <string>

namespace Tesk {

class DialogListener;
class Font;

class WidgetApp {
 public:
  // 0 arrow, 1 hand, 2 dragging hand, 3 text beam.
  virtual void SetCursor(int theCursorNum) = 0;
  virtual bool Is3DAccelerated() = 0;
  virtual void PlaySample(int theSoundId) = 0;
  virtual void CopyToClipboard(const std::string& theText) = 0;
  virtual std::string GetClipboard() = 0;
  virtual bool UpdateAppStep(bool* updated) = 0;
  virtual bool KillDialog(int theDialogId) = 0;
  // The application's dialog listener, the default receiver of every dialog.
  virtual DialogListener* GetDialogListener() = 0;
  // A platform font (a SysFont); null when none can be made. The caller owns it.
  virtual Font* CreateSysFont(const std::string& theFace, int thePointSize) = 0;

 protected:
  ~WidgetApp() = default;
};

// The application object, or null while there is none.
extern WidgetApp* gWidgetApp;

}  // namespace Tesk
