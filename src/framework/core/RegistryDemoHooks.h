// What the preference store needs of demo recording and playback. The
// application object implements it over its demo buffer and command reader;
// without one, nothing is recorded or replayed.
#pragma once

#include "core/Buffer.h"

namespace Tesk {

class RegistryDemoHooks {
 public:
  virtual ~RegistryDemoHooks() = default;

  virtual bool IsRecordingDemo() const = 0;  // mRecordingDemoBuffer
  virtual bool IsPlayingDemo() const = 0;    // mPlayingDemoBuffer
  virtual bool IsWindowClosed() const = 0;   // mWindowClosed
  // The command stream (mDemoBuffer).
  virtual Buffer& GetDemoBuffer() = 0;
  // Recording: writes the timing bits that start every command.
  virtual void WriteDemoTimingBlock() = 0;
  // Playback: reads the next command's header unless already read; true when
  // it is due now. With theRequired, a command not due means the replay diverged.
  virtual bool PrepareDemoCommand(bool theRequired) = 0;
  // The header read by PrepareDemoCommand (mDemoIsShortCmd, mDemoCmdNum).
  virtual bool IsDemoShortCommand() const = 0;
  virtual int GetDemoCommandNumber() const = 0;
  // Marks the header as taken, so the next PrepareDemoCommand reads a new one (mDemoNeedsCommand).
  virtual void SetDemoNeedsCommand() = 0;
};

}  // namespace Tesk
