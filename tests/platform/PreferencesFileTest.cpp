#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/corefoundation/PreferencesFile.h"
#include "support/TestTemp.h"

TEST(PreferencesFile, RoundTripsAwkwardNamesAndBytes) {
  PreferencesFile::Store aStore;
  aStore["SOFTWARE\\A"]["tab\there"] = {0x00, 0xFF, 0x10};
  aStore["SOFTWARE\\A"]["100%"] = {};
  aStore["SOFTWARE\\A\\line\nbreak"]["cr\r"] = {1, 2, 3, 4, 5, 6, 7, 8};
  aStore["#not a comment"]["#name"] = {9};  // a line starting with '#' would be passed over
  const std::string aText = PreferencesFile::Format(aStore);
  PreferencesFile::Store aBack;
  std::string anError;
  EXPECT_TRUE(PreferencesFile::Parse(aText, &aBack, &anError)) << anError;
  EXPECT_EQ(aBack, aStore);
}

TEST(PreferencesFile, BadLinesAreSkippedAndTheFirstIsReported) {
  struct Case {
    const char* line;
    const char* problem;
  };
  const Case kCases[] = {
      {"no tabs at all", "line 2: expected three fields"},
      {"a\tb\tc\td", "line 2: expected three fields"},
      {"a\tb\t123", "line 2: value is not an even run"},
      {"a\tb\tZZ", "line 2: value is not an even run"},
      {"a%4\tb\t00", "line 2: bad %-escape"},
      {"a%G0\tb\t00", "line 2: bad %-escape"},
      {"\tb\t00", "line 2: empty key path"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    PreferencesFile::Store aStore;
    std::string anError;
    const std::string aText = std::string("k\tgood\t01\n") + c.line + "\nk\tlater\t02";
    EXPECT_FALSE(PreferencesFile::Parse(aText, &aStore, &anError));
    EXPECT_EQ(anError.rfind(c.problem, 0), 0u) << anError;
    EXPECT_EQ(aStore["k"].size(), 2u);  // the good lines on either side are kept
  }
}

TEST(PreferencesFile, MissingFileIsEmptyAndWritesReplaceWhole) {
  const std::string aDir = TeskTest::MakeTempDir("prefsfile");
  PreferencesFile::Store aStore;
  std::string anError;
  EXPECT_TRUE(PreferencesFile::Read(aDir + "/none.txt", &aStore, &anError));
  EXPECT_TRUE(aStore.empty());
  EXPECT_TRUE(PreferencesFile::WriteAtomically(aDir + "/made/here/p.txt", "one"));
  EXPECT_TRUE(PreferencesFile::WriteAtomically(aDir + "/made/here/p.txt", "two"));
  EXPECT_EQ(TeskTest::ReadFile(aDir + "/made/here/p.txt"), "two");
  EXPECT_FALSE(PreferencesFile::WriteAtomically(aDir + "/made/here/p.txt/x", "three"));
}

TEST(PreferencesFile, AFileCutShortIsReportedAndKeepsOnlyItsWholeLines) {
  PreferencesFile::Store aStore;
  aStore["SOFTWARE\\A"]["Name"] = {0x41, 0x42, 0x43, 0x44};
  aStore["SOFTWARE\\A"]["Volume"] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  aStore["SOFTWARE\\B"]["Flag"] = {1};
  const std::string aText = PreferencesFile::Format(aStore);
  const size_t aHeaderLine = aText.find('\n') + 1;
  for (size_t aLength = 0; aLength <= aText.size(); ++aLength) {
    SCOPED_TRACE(aText.substr(0, aLength));
    PreferencesFile::Store aBack;
    std::string anError;
    const bool aRead = PreferencesFile::Parse(aText.substr(0, aLength), &aBack, &anError);
    // Until the header line is whole the text is not known as a store that ends with a marker.
    EXPECT_EQ(aRead, aLength < aHeaderLine || aLength == aText.size());
    if (!aRead) {
      EXPECT_NE(anError.find("the file ends before its end marker"), std::string::npos) << anError;
    }
    for (const auto& aKey : aBack)
      for (const auto& aValue : aKey.second) EXPECT_EQ(aValue.second, aStore[aKey.first][aValue.first]);
  }
  PreferencesFile::Store aBack;
  std::string anError;
  ASSERT_TRUE(PreferencesFile::Parse(aText, &aBack, &anError)) << anError;
  EXPECT_EQ(aBack, aStore);
}

TEST(PreferencesFile, FilesOfTheFirstVersionHaveNoEndMarkerAndReadWhole) {
  PreferencesFile::Store aStore;
  std::string anError;
  EXPECT_TRUE(PreferencesFile::Parse("# Tesk preferences 1\nk\tv\t0102\nk\tw\t03", &aStore, &anError))
      << anError;
  EXPECT_EQ(aStore["k"]["v"], (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(aStore["k"]["w"], (std::vector<uint8_t>{3}));
}

TEST(PreferencesFile, TemporaryFilesOfWritersThatDiedAreRemoved) {
  const std::string aDir = TeskTest::MakeTempDir("prefsleft");
  const pid_t aDead = fork();
  ASSERT_GE(aDead, 0);
  if (aDead == 0) _exit(0);
  ASSERT_EQ(waitpid(aDead, nullptr, 0), aDead);
  struct Case {
    std::string mName;
    bool mKept;
  };
  const Case kCases[] = {
      {"p.txt.tmp" + std::to_string(aDead), false},     // its writer was killed
      {"p.txt.tmp" + std::to_string(getppid()), true},  // its writer may still be writing
      {"p.txt.tmpjunk", true},                          // not a name this store makes
      {"q.txt.tmp" + std::to_string(aDead), true},      // another file's
  };
  for (const Case& c : kCases) ASSERT_TRUE(TeskTest::WriteFile(aDir + "/" + c.mName, "left"));
  ASSERT_TRUE(PreferencesFile::WriteAtomically(aDir + "/p.txt", "new"));
  for (const Case& c : kCases)
    EXPECT_EQ(access((aDir + "/" + c.mName).c_str(), F_OK) == 0, c.mKept) << c.mName;
  EXPECT_EQ(TeskTest::ReadFile(aDir + "/p.txt"), "new");
}

// Dead writers' files are looked for at a file's first write in this process, not at every save.
TEST(PreferencesFile, EachFileIsSweptForDeadWritersOnlyAtItsFirstWrite) {
  const std::string aDir = TeskTest::MakeTempDir("prefsonce");
  const pid_t aDead = fork();
  ASSERT_GE(aDead, 0);
  if (aDead == 0) _exit(0);
  ASSERT_EQ(waitpid(aDead, nullptr, 0), aDead);
  const std::string aLeft = ".tmp" + std::to_string(aDead);
  auto anExists = [&aDir](const std::string& theName) {
    return access((aDir + "/" + theName).c_str(), F_OK) == 0;
  };
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/a.txt" + aLeft, "left"));
  ASSERT_TRUE(PreferencesFile::WriteAtomically(aDir + "/a.txt", "1"));
  EXPECT_FALSE(anExists("a.txt" + aLeft));
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/a.txt" + aLeft, "left"));
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/b.txt" + aLeft, "left"));
  ASSERT_TRUE(PreferencesFile::WriteAtomically(aDir + "/a.txt", "2"));
  EXPECT_TRUE(anExists("a.txt" + aLeft));  // swept already
  ASSERT_TRUE(PreferencesFile::WriteAtomically(aDir + "/b.txt", "3"));
  EXPECT_FALSE(anExists("b.txt" + aLeft));  // the other file's first write
  EXPECT_EQ(TeskTest::ReadFile(aDir + "/a.txt"), "2");
}
