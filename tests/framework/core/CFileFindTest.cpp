#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "core/CFileFind.h"
#include "support/TestTemp.h"

using Tesk::CFileFind;

namespace {

// teskapp demos, screenshots, a name with two dots, a folder and a long name.
std::string MakeFixture() {
  std::string aDir = TeskTest::MakeTempDir("filefind");
  const char* kFiles[] = {"teskapp3.dmo", "teskapp7.dmo",  "teskapp.txt", "image1.png", "image7.png",
                          "IMAGE3.PNG",   "image.png.bak", "a.b.png",     "noext"};
  for (const char* aName : kFiles) TeskTest::WriteFile(aDir + "/" + aName, "x");
  TeskTest::WriteFile(aDir + "/" + std::string(100, 'L') + ".png", "x");
  std::filesystem::create_directory(aDir + "/sub.dir");
  return aDir;
}

// Every name FindFirstFile/FindNextFile report for thePattern, sorted; folders get a trailing '/'.
std::vector<std::string> Search(const std::string& thePattern) {
  std::vector<std::string> aNames;
  WIN32_FIND_DATA aData;
  HANDLE aHandle = FindFirstFile(thePattern.c_str(), &aData);
  if (aHandle == nullptr) return aNames;
  do {
    aNames.push_back(std::string(aData.cFileName) +
                     (aData.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY ? "/" : ""));
  } while (FindNextFile(aHandle, &aData));
  EXPECT_FALSE(FindClose(aHandle));
  std::sort(aNames.begin(), aNames.end());
  return aNames;
}

}  // namespace

TEST(FileSearch, PatternsAgainstAFixtureFolder) {
  const std::string aDir = MakeFixture();
  const std::string aLong = std::string(100, 'L') + ".png";
  struct Case {
    std::string pattern;
    std::vector<std::string> found;
  };
  const Case kCases[] = {
      {"/teskapp*.dmo", {"teskapp3.dmo", "teskapp7.dmo"}},
      {"/image*.png", {"IMAGE3.PNG", "image1.png", "image7.png"}},    // not image.png.bak
      {"/*.png", {"IMAGE3.PNG", aLong, "image1.png", "image7.png"}},  // not a.b.png
      {"/*.*",
       {"IMAGE3.PNG", aLong, "a.b.png", "image.png.bak", "image1.png", "image7.png", "noext", "sub.dir/",
        "teskapp.txt", "teskapp3.dmo", "teskapp7.dmo"}},
      {"/*",
       {"IMAGE3.PNG", aLong, "a.b.png", "image.png.bak", "image1.png", "image7.png", "noext", "sub.dir/",
        "teskapp.txt", "teskapp3.dmo", "teskapp7.dmo"}},
      {"/NOEXT", {"noext"}},
      {"/*.jpg", {}},
      {"/missing/*.*", {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Search(aDir + c.pattern), c.found);
  }
}

TEST(FileSearch, PatternWithNoFolderPartSearchesTheWorkingFolder) {
  const std::string aDir = MakeFixture();
  const std::string aPrevious = std::filesystem::current_path().string();
  ASSERT_EQ(chdir(aDir.c_str()), 0);
  std::vector<std::string> aFound = Search("teskapp*.dmo");
  std::vector<std::string> aNone = Search("nothing*.dmo");
  ASSERT_EQ(chdir(aPrevious.c_str()), 0);
  EXPECT_EQ(aFound, (std::vector<std::string>{"teskapp3.dmo", "teskapp7.dmo"}));
  EXPECT_TRUE(aNone.empty());
}

TEST(FileSearch, NullHandlesAndNullPaths) {
  WIN32_FIND_DATA aData;
  EXPECT_FALSE(FindNextFile(nullptr, &aData));
  EXPECT_FALSE(FindClose(nullptr));
  EXPECT_EQ(FindFirstFile(nullptr, &aData), nullptr);
}

TEST(FileSearch, WildcardRules) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const Case kCases[] = {
      {"image12.png", "image*.png", true},
      {"IMAGE3.PNG", "image*.png", true},
      {"image.png.bak", "image*.png", false},
      {"a.b.png", "*.png", false},
      {"folder", "*.*", true},
      {"x", "*", true},
      {"ab", "a", false},
      {"a", "ab", false},
      {"abc", "a*", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + " ~ " + c.pattern);
    EXPECT_EQ(CFileFind::MatchesWildcard(c.name, c.pattern), c.match);
  }
}

TEST(FileSearch, ListsAFolderOfTwentyFiveEntriesWhole) {
  const std::string aDir = TeskTest::MakeTempDir("batches");
  for (int i = 0; i < 25; ++i) TeskTest::WriteFile(aDir + "/f" + std::to_string(i), "");
  FSRef aRef;
  ASSERT_EQ(FSPathMakeRef(aDir.c_str(), &aRef, nullptr), 0);
  std::vector<FSRef> anItems;
  uint32_t aCount = 0;
  bool aChanged = false;
  EXPECT_EQ(FSGetDirectoryItems(&aRef, &anItems, &aCount, &aChanged), 0);
  EXPECT_EQ(aCount, 25u);
  EXPECT_EQ(anItems.size(), 25u);
  EXPECT_EQ(FSGetDirectoryItems(&aRef, nullptr, &aCount, &aChanged), kFSParamErr);
}
