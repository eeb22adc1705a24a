// A user file the game refused to read is kept aside under the first free number beside it,
// never over a file kept before, and leaves its own name to the next save.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/UserFile.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;

TEST(UserFile, ARefusedFileIsKeptUnderTheFirstFreeNumberAndNothingKeptBeforeIsTouched) {
  const std::string aDir = TeskTest::MakeTempDir("user-file-keep");
  const std::string aPath = aDir + "/level.sav0";
  // Kept before: numbers 1 and 3 are taken.
  ASSERT_TRUE(TeskTest::WriteFile(aPath + ".corrupt1", "first"));
  ASSERT_TRUE(TeskTest::WriteFile(aPath + ".corrupt3", "third"));
  struct Case {
    const char* mBytes;
    const char* mKeptAs;
  };
  const Case kCases[] = {{"second", ".corrupt2"}, {"fourth", ".corrupt4"}, {"", ".corrupt5"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mKeptAs);
    ASSERT_TRUE(TeskTest::WriteFile(aPath, c.mBytes));
    EXPECT_EQ(Tesk::KeepRefusedUserFile(aPath), aPath + c.mKeptAs);
    EXPECT_TRUE(fs::exists(aPath + c.mKeptAs));
    EXPECT_EQ(TeskTest::ReadFile(aPath + c.mKeptAs), c.mBytes);
    EXPECT_FALSE(fs::exists(aPath));  // the next save writes a name of its own
  }
  EXPECT_EQ(TeskTest::ReadFile(aPath + ".corrupt1"), "first");
  EXPECT_EQ(TeskTest::ReadFile(aPath + ".corrupt3"), "third");
  // Nothing to keep: no file, or no data folder to keep it in.
  EXPECT_EQ(Tesk::KeepRefusedUserFile(aPath), "");
  EXPECT_FALSE(fs::exists(aPath + ".corrupt6"));
  EXPECT_EQ(Tesk::KeepRefusedUserFile("level.sav0"), "");
}

}  // namespace
