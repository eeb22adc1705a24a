#include "ChildProgram.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace ChildProgram {

using Clock = std::chrono::steady_clock;

Run::~Run() {
  if (mChild > 0) {
    kill(mChild, SIGKILL);
    waitpid(mChild, nullptr, 0);
  }
}

void Run::Start(const std::string& theTest,
                const std::vector<std::pair<std::string, std::string>>& theEnvironment) {
  const std::string aFilter = "--gtest_filter=" + theTest;
  mChild = fork();
  if (mChild != 0) return;
  for (const auto& aVariable : theEnvironment) setenv(aVariable.first.c_str(), aVariable.second.c_str(), 1);
  execl("/proc/self/exe", "child-program", aFilter.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

bool Run::Ended(double theSeconds) {
  const auto anEnd = Clock::now() + std::chrono::duration<double>(theSeconds);
  while (mChild > 0 && Clock::now() < anEnd) {
    int aStatus = 0;
    if (waitpid(mChild, &aStatus, WNOHANG) == mChild) {
      mChild = 0;
      return WIFEXITED(aStatus) && WEXITSTATUS(aStatus) == 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

std::vector<std::string> Lines(const std::string& thePath) {
  std::vector<std::string> aLines;
  std::ifstream aFile(thePath);
  std::string aLine;
  while (std::getline(aFile, aLine)) aLines.push_back(aLine);
  return aLines;
}

std::string WaitForLine(const std::string& thePath, const std::string& thePrefix, size_t theFrom,
                        double theSeconds) {
  const auto anEnd = Clock::now() + std::chrono::duration<double>(theSeconds);
  do {
    const std::vector<std::string> aLines = Lines(thePath);
    for (size_t i = theFrom; i < aLines.size(); ++i)
      if (aLines[i].rfind(thePrefix, 0) == 0) return aLines[i];
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < anEnd);
  return std::string();
}

void Note(const std::string& thePath, const std::string& theLine) {
  if (FILE* aFile = std::fopen(thePath.c_str(), "a")) {
    std::fprintf(aFile, "%s\n", theLine.c_str());
    std::fclose(aFile);
  }
}

}  // namespace ChildProgram
