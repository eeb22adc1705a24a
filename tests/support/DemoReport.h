// Reading what a demo run says on standard error when it ends:
//   demo: recorded <file>: N updates, M commands
//   demo: played <file>: K of N updates, M commands[, not to its end]
#pragma once

#include <string>

namespace TeskTest {

// The text of theText between theBefore and the next theAfter; empty without theBefore.
std::string Between(const std::string& theText, const std::string& theBefore, const std::string& theAfter);

// thePlayed, the report of a run that played theFile back, shows the run theRecorded reports
// played to its end: every update and every command, without leaving the recording.
void ExpectPlayedToItsEnd(const std::string& theRecorded, const std::string& thePlayed, const std::string& theFile);

}  // namespace TeskTest
