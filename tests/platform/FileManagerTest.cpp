#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files/FileManager.h"
#include "support/TestTemp.h"

TEST(FileManager, BulkListingComesInBatchesAndEndsWithNoMoreItems) {
  const std::string aDir = TeskTest::MakeTempDir("bulk");
  for (int i = 0; i < 25; ++i) TeskTest::WriteFile(aDir + "/e" + std::to_string(100 + i), "");
  FSRef aRef;
  ASSERT_EQ(FSPathMakeRef(aDir.c_str(), &aRef, nullptr), 0);
  FSIterator anIterator = nullptr;
  ASSERT_EQ(FSOpenIterator(&aRef, &anIterator), 0);
  FSRef aBatch[10];
  std::vector<ItemCount> aSizes;
  OSErr anErr = 0;
  while (anErr == 0) {
    ItemCount aCount = 0;
    anErr = FSGetCatalogInfoBulk(anIterator, 10, &aCount, nullptr, aBatch);
    aSizes.push_back(aCount);
  }
  EXPECT_EQ(anErr, errFSNoMoreItems);
  EXPECT_EQ(aSizes, (std::vector<ItemCount>{10, 10, 5}));
  std::string aName;
  FSCatalogInfo anInfo;
  ASSERT_EQ(FSGetCatalogInfo(&aBatch[4], kFSCatInfoNodeFlags, &anInfo, &aName), 0);
  EXPECT_EQ(aName, "e124");  // sorted by name
  EXPECT_EQ(anInfo.nodeFlags & kFSNodeIsDirectoryMask, 0);
  EXPECT_EQ(FSCloseIterator(anIterator), 0);
}

TEST(FileManager, MissingPathsAndFolderFlags) {
  const std::string aDir = TeskTest::MakeTempDir("refs");
  FSRef aRef;
  bool isFolder = false;
  EXPECT_EQ(FSPathMakeRef((aDir + "/nope").c_str(), &aRef, &isFolder), fnfErr);
  ASSERT_EQ(FSPathMakeRef(aDir.c_str(), &aRef, &isFolder), 0);
  EXPECT_TRUE(isFolder);
  FSRef aChild;
  ASSERT_EQ(FSCreateDirectoryUnicode(&aRef, "child", &aChild), 0);
  EXPECT_EQ(FSCreateDirectoryUnicode(&aRef, "child", nullptr), dupFNErr);
  FSCatalogInfo anInfo;
  ASSERT_EQ(FSGetCatalogInfo(&aChild, kFSCatInfoNodeFlags, &anInfo, nullptr), 0);
  EXPECT_EQ(anInfo.nodeFlags, kFSNodeIsDirectoryMask);
}

TEST(FileManager, ApplicationSupportFolderIsTheXdgDataHome) {
  const std::string aDir = TeskTest::MakeTempDir("xdg") + "/data/home";
  const char* aSaved = std::getenv("XDG_DATA_HOME");
  std::string aSavedValue = aSaved ? aSaved : "";
  const std::string aSavedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_DATA_HOME", aDir.c_str(), 1);
  FSRef aRef;
  EXPECT_EQ(FSFindApplicationSupportFolder(false, &aRef), fnfErr);
  EXPECT_EQ(FSFindApplicationSupportFolder(true, &aRef), 0);
  EXPECT_EQ(aRef.mPath, aDir);
  EXPECT_TRUE(std::filesystem::is_directory(aDir));
  setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
  setenv("HOME", aDir.c_str(), 1);
  EXPECT_EQ(FSFindApplicationSupportFolder(true, &aRef), 0);
  EXPECT_EQ(aRef.mPath, aDir + "/.local/share");
  setenv("HOME", aSavedHome.c_str(), 1);
  if (aSaved)
    setenv("XDG_DATA_HOME", aSavedValue.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}
