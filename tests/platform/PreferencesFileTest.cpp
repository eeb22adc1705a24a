#include <gtest/gtest.h>

#include "platform/corefoundation/PreferencesFile.h"
#include "support/TestTemp.h"

TEST(PreferencesFile, RoundTripsAwkwardNamesAndBytes) {
  PreferencesFile::Store aStore;
  aStore["SOFTWARE\\A"]["tab\there"] = {0x00, 0xFF, 0x10};
  aStore["SOFTWARE\\A"]["100%"] = {};
  aStore["SOFTWARE\\A\\line\nbreak"]["cr\r"] = {1, 2, 3, 4, 5, 6, 7, 8};
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
