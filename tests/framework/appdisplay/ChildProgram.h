// A program run by a test in a process of its own: this test binary again, running only the
// test that holds the program, with the environment the test gives it (a display of its own,
// say). The program reports through a status file of lines, which the test follows.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace ChildProgram {

class Run {
 public:
  Run() = default;
  ~Run();  // a run still going is killed
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // Starts the test theTest ("Suite.Name") of this binary with theEnvironment set on top of ours.
  void Start(const std::string& theTest,
             const std::vector<std::pair<std::string, std::string>>& theEnvironment);
  // True when the process ended by itself within theSeconds, its test passing.
  bool Ended(double theSeconds);

 private:
  pid_t mChild = 0;
};

// The lines of a status file (none while it is not there).
std::vector<std::string> Lines(const std::string& thePath);
// The first line at or after line theFrom that begins with thePrefix, once there is one (at
// most theSeconds); empty when none came.
std::string WaitForLine(const std::string& thePath, const std::string& thePrefix, size_t theFrom,
                        double theSeconds);
// Appends theLine to the status file.
void Note(const std::string& thePath, const std::string& theLine);

}  // namespace ChildProgram
