// An application object for the demo, command-line, crash-report and developer-key tests.
// It writes down, in order, every call that reaches its widgets or its overridable services,
// each stamped with the update count at which it happened.
#pragma once

#include <string>
#include <vector>

#include "core/Buffer.h"
#include "core/TeskAppBase.h"
#include "core/WidgetManagerSeam.h"

namespace DemoTest {

typedef std::vector<std::string> Calls;

// The one place these tests meet the widget manager: every input call becomes "tick:Name(args)".
class LoggingWidgets : public Tesk::WidgetManagerSeam {
 public:
  explicit LoggingWidgets(const int32_t* theUpdateCount, Calls* theCalls)
      : mUpdateCount(theUpdateCount), mCalls(theCalls) {}

  bool KeyChar(wchar_t theChar) override { return Note("KeyChar", static_cast<int>(theChar)); }
  bool KeyDown(int theKey) override { return Note("KeyDown", theKey); }
  bool KeyUp(int theKey) override { return Note("KeyUp", theKey); }
  bool MouseDown(int x, int y, int theClickCount) override { return Note("MouseDown", x, y, theClickCount); }
  bool MouseUp(int x, int y, int theClickCount) override { return Note("MouseUp", x, y, theClickCount); }
  bool MouseMove(int x, int y) override { return Note("MouseMove", x, y); }
  bool MouseExit(int x, int y) override { return Note("MouseExit", x, y); }
  void MouseWheel(int theDelta) override { Note("MouseWheel", theDelta); }
  void RemapMouse(int&, int&) override {}
  bool IsKeyDown(int theKey) override;
  void ClearKeysDown() override { Note("ClearKeysDown"); }
  void MarkAllDirty() override { Note("MarkAllDirty"); }
  void GotFocus() override { Note("GotFocus"); }
  void LostFocus() override { Note("LostFocus"); }
  void DoMouseUps() override { Note("DoMouseUps"); }
  bool UpdateFrame() override { return false; }
  void UpdateFrameF(float) override {}

  std::vector<int> mKeysHeld;

 private:
  bool Note(const char* theName, int a = kNone, int b = kNone, int c = kNone);
  static const int kNone = -12345;

  const int32_t* mUpdateCount;
  Calls* mCalls;
};

class DemoTestApp : public Tesk::TeskAppBase {
 public:
  DemoTestApp();
  ~DemoTestApp() override;

  void Note(const std::string& theCall);

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
  void ClearUpdateBacklog(bool) override { Note("ClearUpdateBacklog"); }
  bool Is3DAccelerated() override { return m3D; }
  void Set3DAcclerated(bool is3D, bool) override { m3D = is3D; }
  int MsgBox(const std::string& theText, const std::string& theTitle, int theFlags) override;
  void Popup(const TeskString& theText) override;
  void DoExit(int theCode) override { Note("DoExit(" + std::to_string(theCode) + ")"); }
  void ShowMemoryUsage() override { Note("ShowMemoryUsage"); }
  void DumpProgramInfo() override { Note("DumpProgramInfo"); }

  Calls mCalls;
  LoggingWidgets mWidgets;
  std::string mClipboard;
  std::string mCrashHookFile;
  bool m3D = false;
};

// Writes demo commands for the window messages a scripted session sends, the way the
// deferred-message queue records them, and hands each message on to the live handling.
class DemoRecorder {
 public:
  explicit DemoRecorder(Tesk::TeskAppBase* theApp) : mApp(theApp) {}

  // Sends the message through the window procedure, then records and handles every queued one.
  void Send(uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  void Record(const tagMSG& theMessage);

 private:
  void Command(bool isShort, int theNumber);

  Tesk::TeskAppBase* mApp;
};

// The bytes of a file; empty when missing.
std::string ReadBytes(const std::string& thePath);

}  // namespace DemoTest
