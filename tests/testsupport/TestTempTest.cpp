// The tests' scratch folders: each process's folder goes when the process ends, and the next
// process removes what a killed one left.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;

// The process folder that holds theDir.
std::string ProcessFolder(const std::string& theDir) { return fs::path(theDir).parent_path().string(); }

// Runs theBody in a child and waits; the child ends as theBody says.
template <typename Body>
void InChild(Body theBody) {
  const pid_t aChild = fork();
  if (aChild == 0) {
    theBody();
    _exit(0);
  }
  waitpid(aChild, nullptr, 0);
}

// Where a child's folder was made, written by the child to a file of ours.
std::string ChildFolder(const std::string& theNote) { return TeskTest::ReadFile(theNote); }

TEST(TestTemp, AProcessFolderIsRemovedWhenTheProcessExits) {
  const std::string aNote = TeskTest::MakeTempDir("note") + "/child";
  InChild([&] {
    const std::string aDir = TeskTest::MakeTempDir("child");
    TeskTest::WriteFile(aDir + "/file", "x");
    TeskTest::WriteFile(aNote, ProcessFolder(aDir));
    std::exit(0);
  });
  const std::string aFolder = ChildFolder(aNote);
  ASSERT_FALSE(aFolder.empty());
  EXPECT_FALSE(fs::exists(aFolder)) << aFolder;
}

TEST(TestTemp, AChildThatExitsLeavesItsParentsFolder) {
  const std::string aMine = TeskTest::MakeTempDir("mine");
  InChild([] { std::exit(0); });  // as a death test's child does
  EXPECT_TRUE(fs::exists(aMine));
}

TEST(TestTemp, TheFolderOfAKilledProcessIsRemovedByTheNextOne) {
  const std::string aNote = TeskTest::MakeTempDir("note") + "/killed";
  InChild([&] {
    TeskTest::WriteFile(aNote, ProcessFolder(TeskTest::MakeTempDir("killed")));
    _exit(1);  // no clean-up, as when killed
  });
  const std::string aFolder = ChildFolder(aNote);
  ASSERT_TRUE(fs::exists(aFolder)) << aFolder;
  InChild([] {
    TeskTest::MakeTempDir("next");
    std::exit(0);
  });
  EXPECT_FALSE(fs::exists(aFolder)) << aFolder;
}

}  // namespace
