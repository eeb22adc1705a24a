#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "PakFixture.h"
#include "core/CFileFind.h"
#include "resources/PFile.h"

using TeskTools::PakWriter;

TEST_F(PakFixture, NamesAreNormalisedBeforeLookup) {
  ASSERT_TRUE(AddPak("main.pak", {{"images\\title.png", "title"},
                                  {"images/slashed.png", "slashed"},
                                  {"IMAGES\\X.PNG", "x"},
                                  {"x.png", "root"},
                                  {"a\\.\\b.txt", "dot"},
                                  {"..\\up.txt", "up"}}));
  struct Case {
    const char* asked;
    const char* got;
  };
  const Case kCases[] = {
      {"images\\title.png", "title"},
      {"images/Title.png", "title"},  // slash and case don't matter
      {"IMAGES\\TITLE.PNG", "title"},
      {"images//title.png", "title"},  // runs of separators fold
      {"images\\/\\title.png", "title"},
      {"/images/title.png", "<none>"},     // a leading separator is kept
      {"images/slashed.png", "<none>"},    // a stored slash never matches
      {"sounds\\..\\images\\x.png", "x"},  // dot-dot drops the component before it
      {"sounds/../images/x.png", "x"},
      {"a\\..\\x.png", "root"},
      {"a/b/../../x.png", "root"},
      {"a\\..\\..\\x.png", "root"},  // nothing left to drop
      {"a/./b.txt", "dot"},          // a single dot stays
      {"../up.txt", "up"},           // leading dots are plain text
      {"images/title.jpg", "<none>"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.asked);
    EXPECT_EQ(ReadAll(c.asked), c.got);
  }
}

TEST(PakFixFileName, LongNamesAndDrivePrefixes) {
  std::string aLong(1000, 'a');
  EXPECT_EQ(PakInterface::FixFileName(aLong.c_str()), std::string(1000, 'A'));  // no fixed buffer
  EXPECT_EQ(PakInterface::FixFileName(""), "");
  char aBuf[4096];
  ASSERT_NE(getcwd(aBuf, sizeof(aBuf)), nullptr);
  // A name whose second character is ':' loses the working folder prefix (compared without case).
  ASSERT_EQ(chdir("/"), 0);
  EXPECT_EQ(PakInterface::FixFileName("C:\\x\\y.png"), "C:\\X\\Y.PNG");
  ASSERT_EQ(chdir(aBuf), 0);
}

TEST_F(PakFixture, ReadAccessesLookInTheArchiveOthersGoToDisk) {
  ASSERT_TRUE(AddPak("main.pak", {{"data\\f.txt", "archived"}}));
  ASSERT_EQ(mkdir("data", 0755), 0);
  ASSERT_TRUE(TeskTest::WriteFile("data/f.txt", "on disk"));
  struct Case {
    const char* access;
    bool fromArchive;
  };
  const Case kCases[] = {{"r", true},  {"rb", true},  {"rt", true},   {"RB", true},
                         {"Rt", true}, {"r+", false}, {"rb+", false}, {"a", false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.access);
    PFILE* aFile = mPak->FOpen("data/f.txt", c.access);
    ASSERT_NE(aFile, nullptr);
    EXPECT_EQ(aFile->mPakRecord != nullptr, c.fromArchive);
    mPak->FClose(aFile);
  }
  EXPECT_EQ(TeskTest::ReadFile("data/f.txt"), "on disk");
}

TEST_F(PakFixture, ArchiveFirstThenDiskByTheCallersText) {
  ASSERT_TRUE(AddPak("main.pak", {{"both.txt", "archived"}}));
  ASSERT_TRUE(TeskTest::WriteFile("both.txt", "disk"));
  ASSERT_TRUE(TeskTest::WriteFile("loose.txt", "loose"));
  EXPECT_EQ(ReadAll("both.txt"), "archived");
  EXPECT_EQ(ReadAll("loose.txt"), "loose");
  EXPECT_EQ(ReadAll("LOOSE.TXT"), "<none>");  // the disk is asked by the exact text
  EXPECT_EQ(ReadAll("missing.txt"), "<none>");
}

TEST_F(PakFixture, DiskFallbackRetriesInTheResourcesFolder) {
  std::string aRes = TeskTest::MakeTempDir("res");
  ASSERT_EQ(mkdir((aRes + "/images").c_str(), 0755), 0);
  ASSERT_TRUE(TeskTest::WriteFile(aRes + "/images/a.png", "resource"));
  setenv("TESK_RESOURCES_DIR", aRes.c_str(), 1);
  EXPECT_EQ(ReadAll("images\\a.png"), "resource");
  unsetenv("TESK_RESOURCES_DIR");
}

TEST_F(PakFixture, LaterDuplicatesWin) {
  ASSERT_TRUE(AddPak("one.pak", {{"dup.txt", "first"}, {"dup.txt", "second"}, {"only1.txt", "1"}}));
  EXPECT_EQ(ReadAll("dup.txt"), "second");
  ASSERT_TRUE(AddPak("two.pak", {{"DUP.TXT", "third"}, {"only2.txt", "2"}}));
  EXPECT_EQ(ReadAll("dup.txt"), "third");
  EXPECT_EQ(mPak->mRecords.at("DUP.TXT").mFileName, "DUP.TXT");
  EXPECT_EQ(ReadAll("only1.txt"), "1");
  EXPECT_EQ(ReadAll("only2.txt"), "2");
}

TEST_F(PakFixture, EmptyArchiveRegistersOnlyItself) {
  const std::string kEmpty = "\xFB\x71\xFB\x81\x3B\x3B\x3B\x3B\xBB";
  EXPECT_EQ(PakWriter().Bytes(), kEmpty);
  ASSERT_TRUE(TeskTest::WriteFile("empty.pak", kEmpty));
  EXPECT_TRUE(mPak->AddPakFile("empty.pak"));
  ASSERT_EQ(mPak->mRecords.size(), 1u);
  // The archive's own record covers the whole file, unmasked as it is read, and stays inside the mapping.
  const PakRecord& anOwn = mPak->mRecords.at("EMPTY.PAK");
  EXPECT_EQ(anOwn.mDataOffset, 0);
  EXPECT_EQ(anOwn.mDataSize, 9);
  EXPECT_EQ(ReadAll("empty.pak"), PakWriter::Mask(kEmpty));
}

TEST_F(PakFixture, DirectoryIsReadFromTheMappingWhateverTheName) {
  // Names that do not normalise to their upper-cased form still read their own directory.
  ASSERT_EQ(mkdir("data", 0755), 0);
  PakWriter aWriter;
  aWriter.Add("inside.txt", "in");
  ASSERT_TRUE(aWriter.WriteFile("data/main.pak"));
  EXPECT_TRUE(mPak->AddPakFile("data/main.pak"));
  EXPECT_TRUE(mPak->AddPakFile(mDir + "/data/main.pak"));
  EXPECT_EQ(ReadAll("inside.txt"), "in");
}

TEST_F(PakFixture, MainPakIsFoundInTheResourcesFolder) {
  std::string aRes = TeskTest::MakeTempDir("res");
  PakWriter aWriter;
  aWriter.Add("properties\\resources.xml", "<x/>");
  ASSERT_TRUE(aWriter.WriteFile(aRes + "/main.pak"));
  setenv("TESK_RESOURCES_DIR", aRes.c_str(), 1);
  EXPECT_TRUE(mPak->AddPakFile("main.pak"));
  unsetenv("TESK_RESOURCES_DIR");
  EXPECT_EQ(ReadAll("properties/resources.xml"), "<x/>");
}

TEST_F(PakFixture, SeekClampsToTheRecord) {
  ASSERT_TRUE(AddPak("main.pak", {{"ten.bin", "0123456789"}}));
  struct Case {
    int32_t start;
    int32_t offset;
    int origin;
    int32_t pos;
  };
  const Case kCases[] = {
      {0, 4, SEEK_SET, 4},          {0, 11, SEEK_SET, 10}, {0, -1, SEEK_SET, 0}, {5, 2, SEEK_CUR, 7},
      {5, -9, SEEK_CUR, 0},         {5, 9, SEEK_CUR, 10},  {5, 0, SEEK_END, 10}, {5, -4, SEEK_END, 6},
      {5, -40, SEEK_END, 0},        {5, 3, 7, 5},  // an unknown origin leaves the position
      {0, INT32_MAX, SEEK_END, 10},
  };
  PFILE* aFile = mPak->FOpen("ten.bin", "rb");
  ASSERT_NE(aFile, nullptr);
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.start << " " << c.offset << " " << c.origin);
    aFile->mReadPos = c.start;
    EXPECT_EQ(mPak->FSeek(aFile, c.offset, c.origin), 0);
    EXPECT_EQ(mPak->FTell(aFile), c.pos);
  }
  mPak->FSeek(aFile, -4, SEEK_END);
  char aBuf[8] = {};
  EXPECT_EQ(mPak->FRead(aBuf, 1, 8, aFile), 4);
  EXPECT_STREQ(aBuf, "6789");
  mPak->FClose(aFile);
}

TEST_F(PakFixture, CarriageReturnsAreSkippedByCharacterAndLineReads) {
  ASSERT_TRUE(AddPak("main.pak", {{"crlf.txt", "a\r\nb"}}));
  PFILE* aFile = mPak->FOpen("crlf.txt", "rb");
  ASSERT_NE(aFile, nullptr);
  std::vector<int> aChars;
  for (int c; (c = mPak->FGetC(aFile)) != -1;) aChars.push_back(c);
  EXPECT_EQ(aChars, (std::vector<int>{'a', '\n', 'b'}));
  EXPECT_TRUE(mPak->FEof(aFile));

  mPak->FSeek(aFile, 0, SEEK_SET);
  char aLine[16];
  ASSERT_NE(mPak->FGetS(aLine, sizeof(aLine), aFile), nullptr);
  EXPECT_STREQ(aLine, "a\n");
  ASSERT_NE(mPak->FGetS(aLine, sizeof(aLine), aFile), nullptr);
  EXPECT_STREQ(aLine, "b");
  EXPECT_EQ(mPak->FGetS(aLine, sizeof(aLine), aFile), nullptr);
  EXPECT_EQ(mPak->FGetS(aLine, 0, aFile), nullptr);  // no room: nothing read or written

  mPak->FSeek(aFile, 0, SEEK_SET);
  ASSERT_NE(mPak->FGetS(aLine, 2, aFile), nullptr);  // size - 1 characters at most
  EXPECT_STREQ(aLine, "a");

  mPak->FSeek(aFile, 0, SEEK_SET);
  char aBuf[8];
  EXPECT_EQ(mPak->FRead(aBuf, 1, 8, aFile), 4);  // whole reads keep every byte
  EXPECT_EQ(std::string(aBuf, 4), "a\r\nb");
  mPak->FClose(aFile);
}

TEST_F(PakFixture, ShortReadsAndEndOfFile) {
  ASSERT_TRUE(AddPak("main.pak", {{"six.bin", "abcdef"}}));
  PFILE* aFile = mPak->FOpen("six.bin", "rb");
  ASSERT_NE(aFile, nullptr);
  char aBuf[16] = {};
  // Element size 4, count 2, three bytes before the end: three bytes copied, no whole element.
  mPak->FSeek(aFile, 3, SEEK_SET);
  EXPECT_EQ(mPak->FRead(aBuf, 4, 2, aFile), 0);
  EXPECT_EQ(std::string(aBuf, 3), "def");
  EXPECT_TRUE(mPak->FEof(aFile));
  EXPECT_EQ(mPak->FGetC(aFile), -1);

  mPak->FSeek(aFile, 0, SEEK_SET);
  EXPECT_EQ(mPak->FRead(aBuf, 4, 2, aFile), 1);
  EXPECT_EQ(mPak->FTell(aFile), 6);
  mPak->FSeek(aFile, 0, SEEK_SET);
  EXPECT_EQ(mPak->FRead(aBuf, 0, 5, aFile), 0);
  EXPECT_EQ(mPak->FRead(aBuf, 2, -1, aFile), 0);  // negative counts read nothing
  EXPECT_EQ(mPak->FRead(aBuf, -2, -1, aFile), 0);
  EXPECT_EQ(mPak->FTell(aFile), 0);
  EXPECT_FALSE(mPak->FEof(aFile));

  // Reading the last byte makes FEof true before any read fails.
  mPak->FSeek(aFile, 5, SEEK_SET);
  EXPECT_EQ(mPak->FGetC(aFile), 'f');
  EXPECT_TRUE(mPak->FEof(aFile));

  // UnGetC steps back one byte at most and never below 0.
  EXPECT_EQ(mPak->UnGetC('z', aFile), 'z');
  EXPECT_EQ(mPak->FGetC(aFile), 'f');
  mPak->FSeek(aFile, 0, SEEK_SET);
  EXPECT_EQ(mPak->UnGetC('q', aFile), 'q');
  EXPECT_EQ(mPak->FTell(aFile), 0);
  mPak->FClose(aFile);
}

TEST_F(PakFixture, WideOperationsOfTheBaseDoNothing) {
  PakInterfaceBase* aBase = mPak.get();
  EXPECT_EQ(aBase->FOpen(L"x", L"rb"), nullptr);
  wchar_t aBuf[4] = {L'k', 0};
  EXPECT_EQ(aBase->FGetS(aBuf, 4, nullptr), aBuf);
  EXPECT_EQ(aBuf[0], L'k');
}

// Damaged archives: the call fails or leaves the bad entries out, and nothing reads outside the file.
TEST_F(PakFixture, DamagedArchivesAreRefused) {
  std::vector<PakWriter::Entry> anEntries = {{"a.txt", "alpha", 1}, {"b.txt", "beta", 2}};
  std::string aPlainDir = PakWriter::PlainDirectory(anEntries);
  std::string aPlain = aPlainDir + "alphabeta";

  struct Case {
    const char* name;
    std::string plain;
    bool added;
    int entries;  // records besides the archive's own
  };
  std::string aBadMagic = aPlain;
  aBadMagic[0] ^= 1;
  std::string aBadVersion = aPlain;
  aBadVersion[4] = 1;
  std::string aNoEnd = aPlainDir.substr(0, aPlainDir.size() - 1);
  const Case kCases[] = {
      {"bad_magic.pak", aBadMagic, false, 0},
      {"bad_version.pak", aBadVersion, false, 0},
      {"header_only.pak", aPlain.substr(0, 6), false, 0},
      {"directory_past_end.pak", aNoEnd, false, 0},
      {"directory_cut_in_name.pak", aPlainDir.substr(0, 12), false, 0},
      {"second_entry_past_end.pak", aPlain.substr(0, aPlain.size() - 1), true, 1},
      {"all_entries_past_end.pak", aPlainDir + "alp", true, 0},
      {"intact.pak", aPlain, true, 2},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    PakInterface aPak;
    ASSERT_TRUE(TeskTest::WriteFile(c.name, PakWriter::Mask(c.plain)));
    EXPECT_EQ(aPak.AddPakFile(c.name), c.added);
    EXPECT_EQ(static_cast<int>(aPak.mRecords.size()) - 1, c.entries);
    EXPECT_EQ(aPak.mRecords.count(PakInterface::StringToUpper(c.name)), 1u);  // its own record stays
    for (const auto& aRecord : aPak.mRecords) {
      EXPECT_LE(aRecord.second.mDataOffset + aRecord.second.mDataSize,
                aRecord.second.mCollection->mMappedSize);
    }
  }
  PakInterface aPak;
  EXPECT_FALSE(aPak.AddPakFile("no_such.pak"));
  ASSERT_TRUE(TeskTest::WriteFile("zero.pak", ""));
  EXPECT_FALSE(aPak.AddPakFile("zero.pak"));
  EXPECT_TRUE(aPak.mRecords.empty());
  EXPECT_TRUE(aPak.mCollections.empty());
}

TEST_F(PakFixture, EveryCutOfAnArchiveIsSafe) {
  PakWriter aWriter;
  aWriter.Add("one\\a.bin", std::string(40, 'x'));
  aWriter.Add("two\\b.bin", std::string(7, 'y'));
  std::string aBytes = aWriter.Bytes();
  for (size_t aCut = 0; aCut <= aBytes.size(); ++aCut) {
    SCOPED_TRACE(aCut);
    PakInterface aPak;
    ASSERT_TRUE(TeskTest::WriteFile("cut.pak", aBytes.substr(0, aCut)));
    aPak.AddPakFile("cut.pak");
    for (const auto& aRecord : aPak.mRecords) {
      PFILE* aFile = aPak.FOpen(aRecord.first.c_str(), "rb");
      ASSERT_NE(aFile, nullptr);
      std::string aData(aRecord.second.mDataSize, '\0');
      EXPECT_EQ(aPak.FRead(&aData[0], 1, aRecord.second.mDataSize, aFile), aRecord.second.mDataSize);
      aPak.FClose(aFile);
    }
  }
}

TEST_F(PakFixture, FileApiRoutesThroughTheCurrentInterface) {
  ASSERT_TRUE(AddPak("main.pak", {{"in.bin", "12345"}}));
  ASSERT_TRUE(TeskTest::WriteFile("out.bin", "1234567"));
  *gPakInterfaceP = mPak.get();
  for (const char* aName : {"in.bin", "out.bin"}) {
    SCOPED_TRACE(aName);
    PFILE* aFile = p_fopen(aName, "rb");
    ASSERT_NE(aFile, nullptr);
    EXPECT_EQ(p_fseek(aFile, 0, SEEK_END), 0);
    EXPECT_EQ(p_ftell(aFile), std::string(aName) == "in.bin" ? 5 : 7);
    EXPECT_EQ(p_fseek(aFile, 1, SEEK_SET), 0);
    EXPECT_EQ(p_fgetc(aFile), '2');
    EXPECT_EQ(p_ungetc('2', aFile), '2');
    char aBuf[2];
    EXPECT_EQ(p_fread(aBuf, 2, 1, aFile), 1);
    EXPECT_EQ(std::string(aBuf, 2), "23");
    EXPECT_FALSE(p_feof(aFile));
    EXPECT_EQ(p_fclose(aFile), 0);
  }
  EXPECT_EQ(p_fopen("missing.bin", "rb"), nullptr);
}

TEST_F(PakFixture, FileApiWithoutAnInterfaceUsesStdio) {
  ASSERT_TRUE(AddPak("main.pak", {{"in.bin", "12345"}}));
  ASSERT_TRUE(TeskTest::WriteFile("plain.bin", "abc"));
  *gPakInterfaceP = nullptr;
  EXPECT_EQ(p_fopen("in.bin", "rb"), nullptr);  // the archive is not asked
  EXPECT_EQ(p_fopen("missing.bin", "rb"), nullptr);
  PFILE* aFile = p_fopen("plain.bin", "rb");
  ASSERT_NE(aFile, nullptr);
  EXPECT_EQ(aFile->mPakRecord, nullptr);
  EXPECT_EQ(p_fseek(aFile, 0, SEEK_END), 0);
  EXPECT_EQ(p_ftell(aFile), 3);
  p_fseek(aFile, 0, SEEK_SET);
  char aBuf[4] = {};
  EXPECT_EQ(p_fread(aBuf, 1, 4, aFile), 3);
  EXPECT_TRUE(p_feof(aFile));
  EXPECT_EQ(p_fclose(aFile), 0);
}

TEST_F(PakFixture, SearchListsArchiveMatchesThenTheDisk) {
  ASSERT_TRUE(AddPak("main.pak", {{"images\\a.png", "aa"},
                                  {"Images\\b.PNG", "bbb"},
                                  {"images\\sub\\c.png", "c"},
                                  {"images\\a.jpg", "j"},
                                  {"sounds\\x.wav", "xx"}}));
  ASSERT_EQ(mkdir("images", 0755), 0);
  ASSERT_TRUE(TeskTest::WriteFile("images/d.png", "dddd"));
  struct Case {
    const char* pattern;
    const char* found;  // name:size for each hit, disk hits marked with a '+'
  };
  const Case kCases[] = {
      {"images/*.png", "a.png:2 b.PNG:3 c.png:1 +d.png"},  // a star spans backslashes
      {"images\\*.*", "a.jpg:1 a.png:2 b.PNG:3 c.png:1"},  // the disk takes no backslash pattern
      {"images/*", "a.jpg:1 a.png:2 b.PNG:3 c.png:1 +d.png"},
      {"sounds/*.wav", "x.wav:2"},
      {"images/a.png", ""},  // no star: no record, and the disk search needs one
      {"*.wav", "x.wav:2"},
      {"nothing/*", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.pattern);
    std::string aFound;
    _WIN32_FIND_DATA aData;
    aData.dwReserved[1] = 7;
    PFindData* aFind = mPak->FindFirstFile(c.pattern, &aData);
    if (aFind != nullptr) {
      do {
        if (!aFound.empty()) aFound += " ";
        if (aFind->mDiskSearch != nullptr) {
          aFound += std::string("+") + aData.cFileName;
        } else {
          aFound += std::string(aData.cFileName) + ":" + std::to_string(aData.nFileSizeLow);
          EXPECT_EQ(aData.dwFileAttributes, 0u);
          EXPECT_EQ(aData.dwReserved[1], 0u);
        }
      } while (mPak->FindNextFile(aFind, &aData));
      EXPECT_TRUE(mPak->FindClose(aFind));
    }
    EXPECT_EQ(aFound, c.found);
  }
}

TEST_F(PakFixture, PackerStoresAFolderWithBackslashNamesAndSkipsWhatItIsTold) {
  ASSERT_EQ(mkdir("tree", 0755), 0);
  ASSERT_EQ(mkdir("tree/images", 0755), 0);
  ASSERT_EQ(mkdir("tree/builddata", 0755), 0);
  ASSERT_TRUE(TeskTest::WriteFile("tree/images/b.png", "bee"));
  ASSERT_TRUE(TeskTest::WriteFile("tree/images/a.png", "ay"));
  ASSERT_TRUE(TeskTest::WriteFile("tree/builddata/l00block.TGAB", "block"));
  ASSERT_TRUE(TeskTest::WriteFile("tree/str.str", ""));
  PakWriter aWriter;
  ASSERT_TRUE(aWriter.AddFolder("tree", {".tgab"}));
  std::vector<std::string> aNames;
  for (const PakWriter::Entry& anEntry : aWriter.GetEntries()) aNames.push_back(anEntry.mName);
  EXPECT_EQ(aNames, (std::vector<std::string>{"images\\a.png", "images\\b.png", "str.str"}));
  ASSERT_TRUE(aWriter.WriteFile("tree.pak"));
  ASSERT_TRUE(mPak->AddPakFile("tree.pak"));
  EXPECT_EQ(ReadAll("images/b.png"), "bee");
  EXPECT_EQ(ReadAll("str.str"), "");
  EXPECT_EQ(ReadAll("builddata/l00block.tgab"), "<none>");
  EXPECT_FALSE(PakWriter().AddFolder("no_such_folder"));
  EXPECT_FALSE(PakWriter().Add(std::string(256, 'n'), "x"));
}

TEST_F(PakFixture, StartUpRegistersMainPakWithTheProcessInterface) {
  PakWriter aWriter;
  aWriter.Add("properties\\resources.xml", "<ResourceManifest/>");
  ASSERT_TRUE(aWriter.WriteFile("main.pak"));
  EXPECT_TRUE(AddMainPak());
  *gPakInterfaceP = gPakInterface;
  PFILE* aFile = p_fopen("properties/resources.xml", "rb");
  ASSERT_NE(aFile, nullptr);
  EXPECT_NE(aFile->mPakRecord, nullptr);
  p_fclose(aFile);
}
