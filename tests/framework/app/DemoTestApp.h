// An application object for the demo, command-line, crash-report and developer-key tests.
// It writes down, in order, every call that reaches its widgets or its overridable services,
// each stamped with the update count at which it happened.
#pragma once

#include <string>
#include <vector>

#include "core/Buffer.h"
#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

namespace DemoTest {

typedef std::vector<std::string> Calls;

// The one place these tests meet the widget manager: a widget over the whole screen, holding
// the focus, that writes every input call it gets as "tick:Name(args)".
class LoggingWidget : public Tesk::Widget {
 public:
  LoggingWidget(const int32_t* theUpdateCount, Calls* theCalls);

  void KeyChar(wchar_t theChar) override { Note("KeyChar", static_cast<int>(theChar)); }
  void KeyDown(Tesk::KeyCode theKey) override { Note("KeyDown", static_cast<int>(theKey)); }
  void KeyUp(Tesk::KeyCode theKey) override { Note("KeyUp", static_cast<int>(theKey)); }
  void MouseMove(int x, int y) override { Note("MouseMove", x, y); }
  void MouseDrag(int x, int y) override { Note("MouseDrag", x, y); }
  void MouseDown(int x, int y, int theClickCount) override { Note("MouseDown", x, y, theClickCount); }
  void MouseUp(int x, int y, int theClickCount) override { Note("MouseUp", x, y, theClickCount); }
  void MouseWheel(int theDelta) override { Note("MouseWheel", theDelta); }
  void MouseLeave() override { Note("MouseLeave"); }
  void GotFocus() override { Note("GotFocus"); }
  void LostFocus() override { Note("LostFocus"); }
  bool WantsFocus() override { return true; }

 private:
  void Note(const char* theName, int a = kNone, int b = kNone, int c = kNone);
  static const int kNone = -12345;

  const int32_t* mUpdateCount;
  Calls* mCalls;
};

class DemoTestApp : public Tesk::TeskAppBase {
 public:
  DemoTestApp();
  ~DemoTestApp() override;

  void Note(const std::string& theCall);

  using TeskAppBase::MsgBox;
  using TeskAppBase::Popup;

  void Shutdown() override;
  void Redraw(Tesk::TRect<int>*) override {}
  void EnforceCursor() override { Note("EnforceCursor"); }
  void SwitchScreenMode(bool) override { Note("SwitchScreenMode"); }
  void Mute(bool) override { Note("Mute"); }
  void Unmute(bool) override { Note("Unmute"); }
  void GotFocus() override { Note("App.GotFocus"); }
  void LostFocus() override { Note("App.LostFocus"); }
  void URLOpenSucceeded(const std::string&) override { Note("URLOpenSucceeded"); }

  void SEHOccured() override;
  std::string NotifyCrashHook() override { return mCrashHookFile; }
  void CopyToClipboard(const std::string& theText) override { mClipboard = theText; }
  int MsgBox(const std::string& theText, const std::string& theTitle, int theFlags) override;
  void Popup(const TeskString& theText) override;
  // Sets a key-held flag of the widget manager.
  void HoldKey(int theKey) { mWidgetManager->mKeyDown[theKey] = true; }

  Calls mCalls;
  LoggingWidget mWidget;
  std::string mClipboard;
  std::string mCrashHookFile;
};

// A scripted session's window messages: each goes through the window procedure and the
// deferred queue, which records it while a demo is being recorded.
class DemoRecorder {
 public:
  explicit DemoRecorder(Tesk::TeskAppBase* theApp) : mApp(theApp) {}

  void Send(uint32_t theMessage, uint32_t theWParam, int32_t theLParam);

 private:
  Tesk::TeskAppBase* mApp;
};

// The bytes of a file; empty when missing.
std::string ReadBytes(const std::string& thePath);

}  // namespace DemoTest
