// Stand-ins for demo recording and playback, the command line, the screen saver and the
// developer services until their real versions join the build.
#include "core/TeskAppBase.h"

namespace Tesk {

void TeskAppBase::WriteDemoTimingBlock() {}
bool TeskAppBase::PrepareDemoCommand(bool) { return false; }
bool TeskAppBase::IsRecordingDemo() const { return mRecordingDemoBuffer; }
bool TeskAppBase::IsPlayingDemo() const { return mPlayingDemoBuffer; }
bool TeskAppBase::IsWindowClosed() const { return mWindowClosed; }
Buffer& TeskAppBase::GetDemoBuffer() { return mDemoBuffer; }
bool TeskAppBase::IsDemoShortCommand() const { return mDemoIsShortCmd; }
int TeskAppBase::GetDemoCommandNumber() const { return mDemoCmdNum; }
void TeskAppBase::SetDemoNeedsCommand() { mDemoNeedsCommand = true; }
void TeskAppBase::ProcessDemo() {}
void TeskAppBase::DemoSyncBuffer(Buffer*) {}
void TeskAppBase::DemoSyncString(std::string*) {}
void TeskAppBase::DemoSyncRefreshRate() {}
void TeskAppBase::WriteDemoBuffer() {}
bool TeskAppBase::ReadDemoBuffer(std::string&) { return true; }
int TeskAppBase::GetMaxDemoFileNum(const std::string&, int, bool) { return 0; }
void TeskAppBase::ToggleDemoSoundVolume() {}
void TeskAppBase::CalculateDemoTimeLeft() {}
void TeskAppBase::DoParseCmdLine() { mCmdLineParsed = true; }
void TeskAppBase::ParseCmdLine(const std::string&) {}
void TeskAppBase::HandleCmdLineParam(const std::string&, const std::string&) {}
void TeskAppBase::LogScreenSaverError(const std::string&) {}
bool TeskAppBase::ScreenSaverWindowProc(WindowRef, uint32_t, uint32_t, int32_t, int32_t*) { return false; }
void TeskAppBase::UpdateScreenSaverInfo(uint32_t) {}
void TeskAppBase::TakeScreenshot() {}
std::string TeskAppBase::GetGameSEHInfo() { return ""; }
bool TeskAppBase::DebugKeyDown(int) { return false; }

}  // namespace Tesk
