#include <gtest/gtest.h>

#include <set>

#include "display/DXErrorString.h"

namespace {

TEST(DXErrorStringTest, NamesAndHexadecimalFallback) {
  struct Case {
    uint32_t mCode;
    const char* mText;
  };
  const Case kCases[] = {
      {0xFA000091u, "DDERR_INVALIDPIXELFORMAT"},
      {0xFA000259u, "DDERR_NOTLOADED"},
      {0xFA0001CCu, "DDERR_SURFACENOTATTACHED"},
      {0xFA000219u, "DDERR_VERTICALBLANKINPROGRESS"},
      {0xFA000000u + 2100, "D3DERR_INVALIDSTATEBLOCK"},
      {static_cast<uint32_t>(-108), "E_OUTOFMEMORY"},
      {static_cast<uint32_t>(-1), "DSERR_GENERIC"},
      {static_cast<uint32_t>(-700), "DDERR_NOTINITIALIZED"},
      {0, "0"},
      {0x80004005u, "80004005"},
      {static_cast<uint32_t>(-2), "fffffffe"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mText);
    EXPECT_EQ(Tesk::GetDirectXErrorString(static_cast<int32_t>(c.mCode)), c.mText);
  }
}

TEST(DXErrorStringTest, EveryNameResolvesAndEachCodeAppearsOnce) {
  size_t aCount = 0;
  const Tesk::DXErrorName* aNames = Tesk::GetDirectXErrorNames(&aCount);
  EXPECT_EQ(aCount, 193u);
  std::set<int32_t> aCodes;
  std::set<std::string> aTexts;
  int aDirectDraw = 0, aDirect3D = 0, aDirectSound = 0;
  for (size_t i = 0; i < aCount; ++i) {
    SCOPED_TRACE(aNames[i].mName);
    EXPECT_TRUE(aCodes.insert(aNames[i].mCode).second);
    EXPECT_TRUE(aTexts.insert(aNames[i].mName).second);
    EXPECT_LT(aNames[i].mCode, 0);  // every failure stays negative in 32 bits
    EXPECT_EQ(Tesk::GetDirectXErrorString(aNames[i].mCode), aNames[i].mName);
    std::string aName = aNames[i].mName;
    if (aName.rfind("DDERR_", 0) == 0) ++aDirectDraw;
    if (aName.rfind("D3DERR_", 0) == 0) ++aDirect3D;
    if (aName.rfind("DSERR_", 0) == 0) ++aDirectSound;
  }
  EXPECT_EQ(aDirectDraw, 109);
  EXPECT_EQ(aDirect3D, 70);
  EXPECT_EQ(aDirectSound, 13);
}

}  // namespace
