#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/CxMemFile.h"

namespace {

TEST(CxMemFileTest, ReadCopiesWhatIsLeftButCountsWholeElements) {
  std::vector<uint8_t> aBytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  CxMemFile aFile(aBytes.data(), static_cast<uint32_t>(aBytes.size()));
  uint8_t aBuf[16] = {};
  EXPECT_EQ(aFile.Read(aBuf, 4, 1), 1u);
  EXPECT_EQ(aFile.Tell(), 4);
  // Six bytes left: one whole 4-byte element, but all six are copied and consumed.
  EXPECT_EQ(aFile.Read(aBuf, 4, 3), 1u);
  EXPECT_EQ(std::vector<uint8_t>(aBuf, aBuf + 6), (std::vector<uint8_t>{5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(aFile.Tell(), 10);
  EXPECT_TRUE(aFile.Eof());
  EXPECT_EQ(aFile.Error(), 0);
  EXPECT_EQ(aFile.Read(aBuf, 1, 1), 0u);
  EXPECT_EQ(aFile.GetC(), -1);
}

TEST(CxMemFileTest, OwnedBufferGrowsToTheNextMultipleOf4096AboveTheNeed) {
  CxMemFile aFile;
  EXPECT_EQ(aFile.Size(), -1);  // no buffer until the first write
  struct Case {
    size_t mWrite;      // bytes written at the current position
    int32_t mSize;      // size afterwards
    int32_t mCapacity;  // buffer afterwards
  } k_Cases[] = {
      {1, 1, 4096},        {4094, 4095, 4096},
      {1, 4096, 4096},      // exactly full: still fits
      {4096, 8192, 12288},  // 8192 needed: the next multiple above it {10000, 18192, 20480},
  };
  std::string aWritten;
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mWrite);
    const std::string aChunk(aCase.mWrite, static_cast<char>('a' + aWritten.size() % 26));
    EXPECT_EQ(aFile.Write(aChunk.data(), 1, aChunk.size()), aChunk.size());
    aWritten += aChunk;
    EXPECT_EQ(aFile.Size(), aCase.mSize);
    EXPECT_EQ(aFile.Tell(), aCase.mSize);
    EXPECT_EQ(aFile.GetCapacity(), aCase.mCapacity);
  }
  EXPECT_EQ(std::string(reinterpret_cast<char*>(aFile.GetBuffer()), aWritten.size()), aWritten);
  EXPECT_TRUE(aFile.Close());
  EXPECT_EQ(aFile.GetBuffer(), nullptr);
  EXPECT_EQ(aFile.Tell(), -1);
}

TEST(CxMemFileTest, PutCWritesThroughTheGrowingBufferAndMovesTheSizeWithThePosition) {
  CxMemFile aFile;
  EXPECT_TRUE(aFile.PutC('x'));
  EXPECT_TRUE(aFile.PutC('y'));
  EXPECT_EQ(aFile.Size(), 2);
  EXPECT_EQ(aFile.GetCapacity(), 4096);
  // Overwriting inside keeps the size; writing after a seek past the end fills the gap with zeros.
  ASSERT_TRUE(aFile.Seek(0, 0));
  EXPECT_TRUE(aFile.PutC('X'));
  EXPECT_EQ(aFile.Size(), 2);
  ASSERT_TRUE(aFile.Seek(3, 2));
  EXPECT_EQ(aFile.Error(), 1);
  EXPECT_TRUE(aFile.PutC('z'));
  EXPECT_EQ(aFile.Size(), 6);
  EXPECT_EQ(aFile.Error(), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(aFile.GetBuffer()), 6), std::string("Xy\0\0\0z", 6));
}

TEST(CxMemFileTest, SeekClampsOnlyAtZero) {
  std::vector<uint8_t> aBytes(10, 7);
  CxMemFile aFile(aBytes.data(), 10);
  struct Case {
    int32_t mOffset;
    int mOrigin;
    bool mResult;
    int32_t mTell;
    bool mEof;
    int32_t mError;
  } k_Cases[] = {
      {4, 0, true, 4, false, 0},                                // from the start
      {3, 1, true, 7, false, 0},                                // from here
      {-20, 1, true, 0, false, 0},                              // before the start: clamped to 0
      {-3, 2, true, 7, false, 0},                               // from the end
      {0, 2, true, 10, true, 0},                                // at the end: end of file, no error
      {5, 2, true, 15, true, 1},                                // past the end is allowed, and an error
      {-50, 2, true, 0, false, 0}, {1, 3, false, 0, false, 0},  // unknown origin: nothing moves
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(::testing::Message() << aCase.mOffset << " from " << aCase.mOrigin);
    EXPECT_EQ(aFile.Seek(aCase.mOffset, aCase.mOrigin), aCase.mResult);
    EXPECT_EQ(aFile.Tell(), aCase.mTell);
    EXPECT_EQ(aFile.Eof(), aCase.mEof);
    EXPECT_EQ(aFile.Error(), aCase.mError);
    EXPECT_EQ(aFile.Size(), 10);
  }
  ASSERT_TRUE(aFile.Seek(5, 2));
  uint8_t aByte;
  EXPECT_EQ(aFile.Read(&aByte, 1, 1), 0u);
  EXPECT_EQ(aFile.GetC(), -1);
}

TEST(CxMemFileTest, WithoutABufferEverythingSaysSo) {
  CxMemFile aFile;
  uint8_t aByte = 0;
  EXPECT_EQ(aFile.Tell(), -1);
  EXPECT_EQ(aFile.Size(), -1);
  EXPECT_EQ(aFile.Error(), -1);
  EXPECT_TRUE(aFile.Eof());
  EXPECT_FALSE(aFile.Flush());
  EXPECT_FALSE(aFile.Seek(0, 0));
  EXPECT_EQ(aFile.Read(&aByte, 1, 1), 0u);
  EXPECT_EQ(aFile.GetC(), -1);
  EXPECT_TRUE(aFile.Close());
}

// The caller's buffer is not ours to reallocate or free: writes that fit go in place,
// writes that would need more room write nothing.
TEST(CxMemFileTest, ACallersBufferIsOverwrittenInPlaceButNeverGrown) {
  std::vector<uint8_t> aBytes = {1, 2, 3, 4};
  {
    CxMemFile aFile(aBytes.data(), 4);
    ASSERT_TRUE(aFile.Seek(1, 0));
    const uint8_t aTwo[2] = {20, 30};
    EXPECT_EQ(aFile.Write(aTwo, 1, 2), 2u);
    EXPECT_EQ(aFile.Write(aTwo, 1, 2), 0u);  // would end at 5
    EXPECT_FALSE(aFile.PutC(9) && aFile.PutC(9));
    EXPECT_EQ(aFile.Size(), 4);
    EXPECT_EQ(aFile.GetBuffer(), aBytes.data());
    EXPECT_TRUE(aFile.Flush());
  }  // closed here without freeing
  EXPECT_EQ(aBytes, (std::vector<uint8_t>{1, 20, 30, 9}));
}

}  // namespace
