// A chapter whose location files cannot be read, in the game as a program on a real (virtual) X
// display with the generated asset set and the generator's damaged copies: the chapter intro
// ends the run with the resource error, naming the file, and status 1, writing nothing; it never
// opens a map without markers whose every object counts as found.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ProgramRig.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/TitleScreen.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;

const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

// The generated set as links, builddata/ a folder of links of its own, so that one of its files
// can be taken away or replaced.
std::string LinkedSet(const std::string& theName) {
  const std::string aDir = TeskTest::MakeTempDir(theName);
  for (const fs::directory_entry& anEntry : fs::directory_iterator(kGeneratedSet)) {
    const std::string aName = anEntry.path().filename().string();
    if (aName != "builddata") fs::create_symlink(anEntry.path(), aDir + "/" + aName);
  }
  fs::create_directory(aDir + "/builddata");
  for (const fs::directory_entry& anEntry : fs::directory_iterator(kGeneratedSet + "/builddata"))
    fs::create_symlink(anEntry.path(), aDir + "/builddata/" + anEntry.path().filename().string());
  return aDir;
}

// The game started as the program starts it, a new game begun and its first chapter's intro
// shown (chapter 1 plays locations 7 and 3).
void ShowChapterOne() {
  auto* anApp = new Tesk::GameApp();
  anApp->mIsWindowed = true;
  anApp->Init();
  anApp->PreScreensFinished();
  Tesk::ProfileData* aProfile = anApp->getProfileData();
  aProfile->setProfileName(L"Player");
  aProfile->startNewGame(1);
  anApp->StartLevelIntro(anApp->getTitleScreen());
}

// The parent opens no display: the run that ends is a child of its own. Each case points the
// resources and the data folder at its own.
class ChapterDataProgram : public ProgramTest::ProgramRig {
 protected:
  ChapterDataProgram()
      : ProgramRig("/broken/builddata/oversized_objs.dat", "chapter-data-home",
                   ProgramTest::Needs::kDisplayOnly) {}
};

TEST_F(ChapterDataProgram, AChapterWhoseLocationFilesCannotBeReadEndsWithTheirErrorAndStatus1) {
  GTEST_FLAG_SET(death_test_style, "fast");
  const std::string aBroken = kGeneratedSet + "/broken/builddata/";
  struct Case {
    const char* mName;
    const char* mFile;      // the location file of chapter 1 that is damaged
    std::string mReplaced;  // what takes its place; empty: nothing
    const char* mError;
  };
  const Case kCases[] = {
      {"missing-objects", "l07objs.dat", "",
       "Failed to load chapter 1: builddata/l07objs.dat cannot be read"},
      {"oversized-objects", "l07objs.dat", aBroken + "oversized_objs.dat",
       "Failed to load chapter 1: builddata/l07objs.dat holds more than 100 objects"},
      {"truncated-block", "l07block.tgab", aBroken + "truncated_block.tgab",
       "Failed to load chapter 1: builddata/l07block.tgab: image 1 of [0-9]+ is damaged or cut short"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aDir = LinkedSet(std::string("chapter-data-") + c.mName);
    const std::string aFile = aDir + "/builddata/" + c.mFile;
    ASSERT_TRUE(fs::remove(aFile));
    if (!c.mReplaced.empty()) fs::copy_file(c.mReplaced, aFile);
    const std::string aData = TeskTest::MakeTempDir(std::string("chapter-data-home-") + c.mName);
    setenv("TESK_RESOURCES_DIR", aDir.c_str(), 1);
    setenv("XDG_DATA_HOME", aData.c_str(), 1);
    EXPECT_EXIT(ShowChapterOne(), testing::ExitedWithCode(1), c.mError);
    const std::string aFolder = aData + "/Orvo Soft Games/GloamHollow/";
    EXPECT_FALSE(fs::exists(aFolder + "profile.prof"));
    EXPECT_FALSE(fs::exists(aFolder + "level.sav0"));
    EXPECT_EQ(TeskTest::ReadFile(aFolder + "Preferences.txt").find("isUsingCustomCursor"), std::string::npos);
  }
}

}  // namespace
