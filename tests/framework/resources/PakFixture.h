// A fresh archive interface made current for one test, in a scratch working folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "PakWriter.h"
#include "resources/PakInterface.h"
#include "support/TestTemp.h"

class PakFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = TeskTest::MakeTempDir("pak");
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
    ASSERT_EQ(chdir(mDir.c_str()), 0);
    mOldPak = *gPakInterfaceP;
    *gPakInterfaceP = nullptr;
    mPak = std::make_unique<PakInterface>();
  }
  void TearDown() override {
    mPak.reset();
    *gPakInterfaceP = mOldPak;
    if (chdir(mOldDir.c_str()) != 0) ADD_FAILURE() << "chdir back failed";
  }

  // Writes an archive of theEntries (name, bytes) as theFile in the working folder and registers it.
  bool AddPak(const std::string& theFile,
              std::initializer_list<std::pair<std::string, std::string>> theEntries) {
    TeskTools::PakWriter aWriter;
    for (const auto& anEntry : theEntries) aWriter.Add(anEntry.first, anEntry.second);
    if (!aWriter.WriteFile(theFile)) return false;
    return mPak->AddPakFile(theFile);
  }

  // The whole content of an opened file through the interface, or "<none>" when it cannot be opened.
  std::string ReadAll(const char* theName) {
    PFILE* aFile = mPak->FOpen(theName, "rb");
    if (aFile == nullptr) return "<none>";
    std::string anOut;
    char aBuf[256];
    int aCount;
    while ((aCount = mPak->FRead(aBuf, 1, sizeof(aBuf), aFile)) > 0) anOut.append(aBuf, aCount);
    mPak->FClose(aFile);
    return anOut;
  }

  std::string mDir;
  std::string mOldDir;
  PakInterfaceBase* mOldPak = nullptr;
  std::unique_ptr<PakInterface> mPak;
};
