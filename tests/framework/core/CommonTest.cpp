#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/Common.h"
#include "support/TestTemp.h"

using namespace Tesk;

TEST(StringConversion, BytesWidenAndWideCharactersNarrowToTheLowByte) {
  EXPECT_EQ(StringToWString("a\xE9\xFF"), (std::wstring{L'a', 0xE9, 0xFF}));
  EXPECT_EQ(StringToTeskString("\x80"), TeskString(1, 0x80));
  EXPECT_EQ(WStringToString(std::wstring{L'a', 0x20AC, 0x1F600}), std::string("a\xAC\x00", 3));
  EXPECT_EQ(TeskStringToString(L"Tesk"), "Tesk");
  EXPECT_EQ(StringToUpper(std::string("abC1")), "ABC1");
  EXPECT_EQ(StringToUpper(std::wstring(L"abC1")), L"ABC1");
  EXPECT_EQ(StringToLower("AbC1"), "abc1");
}

TEST(StringToInt, Table) {
  struct Case {
    const wchar_t* text;
    int value;
    bool ok;
  };
  const Case kCases[] = {
      {L"0x1F", 31, true}, {L"0X1f", 31, true},  {L"12a", 0, false},   {L"", 0, false},
      {L"-", 0, true},     {L"-x1F", -31, true}, {L"-0x1F", 0, false}, {L"-42", -42, true},
      {L"+5", 0, false},   {L"1x2", 0, false},   {L"007", 7, true},    {L"2147483647", 2147483647, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    int aValue = 12345;
    EXPECT_EQ(StringToInt(c.text, &aValue), c.ok);
    EXPECT_EQ(aValue, c.value);
  }
}

TEST(StringToDouble, Table) {
  struct Case {
    const wchar_t* text;
    double value;
    bool ok;
  };
  const Case kCases[] = {
      {L"-2.5", -2.5, true}, {L"1e3", 0, false},   {L"", 0, false},           {L"3.", 3, true},
      {L".25", 0.25, true},  {L"1.2.3", 0, false}, {L"-0.125", -0.125, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    double aValue = 9;
    EXPECT_EQ(StringToDouble(c.text, &aValue), c.ok);
    EXPECT_DOUBLE_EQ(aValue, c.value);
  }
}

TEST(XMLDecodeString, Table) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  };
  const Case kCases[] = {
      {L"a&lt;b&foo;c&", L"a<b&c&"},
      {L"&amp;&gt;&quot;&apos;", L"&>\"'"},
      {L"x&nbsp;y&cr;z", L"x y\nz"},
      {L"no entities", L"no entities"},
      {L"&;", L"&"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.in)));
    EXPECT_EQ(XMLDecodeString(c.in), c.out);
  }
}

TEST(StrFormat, FormatsTextsOfAnyLength) {
  EXPECT_EQ(StrFormat("%d-%s", 7, "x"), "7-x");
  EXPECT_EQ(StrFormat(L"%d-%ls", 7, L"x"), L"7-x");
  for (size_t aLength : {size_t(159), size_t(160), size_t(161), size_t(5000), size_t(2000000)}) {
    SCOPED_TRACE(aLength);
    std::string aText(aLength, 'q');
    EXPECT_EQ(StrFormat("%s", aText.c_str()), aText);
    std::wstring aWide(aLength, L'q');
    EXPECT_EQ(StrFormat(L"%ls", aWide.c_str()), aWide);
  }
}

TEST(WideHelpers, CompareIgnoringCaseAndParseLongs) {
  EXPECT_EQ(wcsicmp(L"Hello", L"hELLO"), 0);
  EXPECT_LT(wcsicmp(L"abc", L"abd"), 0);
  EXPECT_GT(wcsicmp(L"abcd", L"ABC"), 0);
  struct Case {
    const wchar_t* text;
    int32_t value;
  };
  const Case kCases[] = {{L"  42xyz", 42}, {L"-17", -17}, {L"+8", 8}, {L"abc", 0}, {L"\t\n-0", 0}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(_wtol(c.text), c.value);
    EXPECT_EQ(_wtoi(c.text), c.value);
  }
}

TEST(Paths, FileNameAndDirectory) {
  struct Case {
    const char* path;
    bool noExtension;
    const char* name;
  };
  const Case kNames[] = {
      {"a/b\\c.txt", true, "c"}, {"c", true, "c"},    {"a/b\\c.txt", false, "c.txt"},
      {"a.d/b", true, "b"},      {"dir/", false, ""}, {"x.tar.gz", true, "x.tar"},
  };
  for (const Case& c : kNames) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(GetFileName(c.path, c.noExtension), c.name);
  }
  struct DirCase {
    const char* path;
    bool withSlash;
    const char* dir;
  };
  const DirCase kDirs[] = {
      {"a/b/c", true, "a/b/"}, {"a/b/c", false, "a/b"}, {"c", true, ""},
      {"a\\b", true, "a\\"},   {"/x", false, ""},
  };
  for (const DirCase& c : kDirs) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(GetFileDir(c.path, c.withSlash), c.dir);
  }
  EXPECT_EQ(RemoveTrailingSlash("A/"), "A");
  EXPECT_EQ(RemoveTrailingSlash("A\\"), "A");
  EXPECT_EQ(RemoveTrailingSlash("A//"), "A/");
  EXPECT_EQ(RemoveTrailingSlash(""), "");
}

TEST(Paths, GetPathFromResolvesOnlyLeadingComponents) {
  struct Case {
    const char* rel;
    const char* dir;
    const char* result;
  };
  const Case kCases[] = {
      {"../x/y.png", "a/b", "a/x/y.png"},
      {"x/../y", "a", "a/x/../y"},
      {"./x", "a/", "a/x"},
      {"../../x", "../", "../../../x"},  // ".." above ".." piles up
      {"c:\\x", "a", "c:\\x"},
      {"y", "d:\\a", "d:\\a\\y"},
      {"../x", "a\\b", "a\\x"},
      {"/abs/z", "a/b", "/abs/z"},
      {"z", "", "z"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.rel) + " in " + c.dir);
    EXPECT_EQ(GetPathFrom(c.rel, c.dir), c.result);
  }
}

TEST(Paths, AppDataFolderEndsWithASeparator) {
  SetAppDataFolder("dir");
  EXPECT_EQ(GetAppDataFolder(), "dir/");
  SetAppDataFolder("dir/");
  EXPECT_EQ(GetAppDataFolder(), "dir/");
  SetAppDataFolder("dir\\");
  EXPECT_EQ(GetAppDataFolder(), "dir\\");
  SetAppDataFolder("");
  EXPECT_EQ(GetAppDataFolder(), "");
}

TEST(Files, MkDirCreatesEveryMissingFolder) {
  std::string aRoot = TeskTest::MakeTempDir("mkdir");
  MkDir(aRoot + "/one/two\\three");
  EXPECT_TRUE(std::filesystem::is_directory(aRoot + "/one/two/three"));
  MkDir(aRoot + "/one/two/three/");  // already there; nothing to do
  EXPECT_TRUE(std::filesystem::is_directory(aRoot + "/one/two/three"));
}

TEST(Files, AllowAllAccessOpensPermissionsAndFailsForMissingFiles) {
  std::string aRoot = TeskTest::MakeTempDir("access");
  std::string aFile = aRoot + "/f.txt";
  ASSERT_TRUE(TeskTest::WriteFile(aFile, "x"));
  ASSERT_EQ(chmod(aFile.c_str(), 0600), 0);
  EXPECT_TRUE(AllowAllAccess(aFile));
  struct stat aStat;
  ASSERT_EQ(stat(aFile.c_str(), &aStat), 0);
  EXPECT_EQ(aStat.st_mode & 0777, 0777u);
  EXPECT_FALSE(AllowAllAccess(aRoot + "/missing"));
  EXPECT_FALSE(CheckFor98Mill());
}
