#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

#include "PackedDataWriter.h"
#include "PackedImageBytes.h"
#include "resources/ImageLib.h"
#include "resources/SFOperator.h"

using namespace PackedTest;
using TeskTools::PackedDataWriter;

namespace {

class SFOperatorTest : public ::testing::Test {
 protected:
  void SetUp() override { mDir = TeskTest::MakeTempDir("sfoperator"); }

  std::string Write(const std::string& theBytes, const char* theName = "data.pak") {
    const std::string aPath = mDir + "/" + theName;
    EXPECT_TRUE(TeskTest::WriteFile(aPath, theBytes));
    return aPath;
  }

  // The entry's bytes, or "<none>" when GetBinaryByName fails.
  static std::string Get(SFOperator& theOperator, const std::string& theName) {
    std::unique_ptr<uint8_t[]> aData;
    int32_t aSize = -1;
    if (!theOperator.GetBinaryByName(aData, aSize, theName)) {
      EXPECT_EQ(aData, nullptr);
      return "<none>";
    }
    return std::string(reinterpret_cast<char*>(aData.get()), static_cast<size_t>(aSize));
  }

  static std::string Deflate(const std::string& theData) {
    uLongf aLength = compressBound(theData.size());
    std::string aPacked(aLength, '\0');
    compress(reinterpret_cast<Bytef*>(&aPacked[0]), &aLength, reinterpret_cast<const Bytef*>(theData.data()),
             theData.size());
    aPacked.resize(aLength);
    return aPacked;
  }

  std::string mDir;
};

TEST_F(SFOperatorTest, FindsEntriesByNameWithBackslashesAndCaseIgnored) {
  PackedDataWriter aWriter;
  ASSERT_TRUE(aWriter.Add("images/logo.png", "logo bytes"));
  std::string aSound(3000, '\0');
  for (size_t i = 0; i < aSound.size(); ++i) aSound[i] = static_cast<char>(i * 7 % 251);
  ASSERT_TRUE(aWriter.Add("sounds/click.wav", aSound));
  ASSERT_TRUE(aWriter.Add("images/LOGO.png", "later logo"));
  ASSERT_TRUE(aWriter.Add("empty", ""));
  SFOperator anOperator;
  ASSERT_TRUE(anOperator.Open(Write(aWriter.Bytes()))) << anOperator.GetLastError();
  EXPECT_EQ(anOperator.GetBinaries().size(), 4u);
  struct Case {
    const char* mAsked;
    std::string mFound;
  } k_Cases[] = {
      {"images/logo.png", "later logo"},  // the later of equal names wins
      {"IMAGES\\Logo.PNG", "later logo"},
      {"sounds\\click.wav", aSound},
      {"empty", ""},
      {"images/logo", "<none>"},
      {"images//logo.png", "<none>"},
      {"", "<none>"},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mAsked);
    EXPECT_EQ(Get(anOperator, aCase.mAsked), aCase.mFound);
  }
}

TEST_F(SFOperatorTest, TheOutputBufferIsFiftyTimesThePackedSizeUpToAMillionBytes) {
  struct Case {
    uint32_t mPacked;
    uint32_t mCapacity;
  } k_Cases[] = {{0, 0}, {1, 50}, {20480, 1024000}, {20481, 1024000}, {0xFFFFFFFFu, 1024000}};
  for (const Case& aCase : k_Cases) EXPECT_EQ(SFOperator::OutputCapacity(aCase.mPacked), aCase.mCapacity);

  // Two megabytes of zeros deflate to a few kilobytes: more than 50 times, so not storable.
  PackedDataWriter aWriter;
  EXPECT_FALSE(aWriter.Add("zeros", std::string(2000000, '\0')));
  EXPECT_TRUE(aWriter.Add("text", "a few bytes"));
}

TEST_F(SFOperatorTest, DamagedDirectoriesAreRefused) {
  PackedDataWriter aWriter;
  ASSERT_TRUE(aWriter.Add("a.png", "aaaa"));
  ASSERT_TRUE(aWriter.Add("b.png", "bbbb"));
  const std::string aGood = aWriter.Bytes();
  const size_t aDirectoryEnd = aWriter.DirectoryRecordOffset(2);
  SFOperator anOperator;
  // Every cut inside the header or directory fails to open.
  for (size_t aLength = 0; aLength < aDirectoryEnd; ++aLength) {
    SCOPED_TRACE(aLength);
    EXPECT_FALSE(anOperator.Open(Write(aGood.substr(0, aLength))));
    EXPECT_EQ(anOperator.GetLastError(), "Error reading directory");
  }
  std::string aBadMagic = aGood;
  aBadMagic[0] = 'X';
  EXPECT_FALSE(anOperator.Open(Write(aBadMagic)));
  std::string aHugeCount = aGood;
  aHugeCount[7] = '\x7F';
  EXPECT_FALSE(anOperator.Open(Write(aHugeCount)));
  EXPECT_FALSE(anOperator.Open(mDir + "/missing.pak"));
  // Cut inside the data: the directory reads, entries whose bytes are gone are left out.
  ASSERT_TRUE(anOperator.Open(Write(aGood.substr(0, aGood.size() - 1))));
  ASSERT_EQ(anOperator.GetBinaries().size(), 1u);
  EXPECT_EQ(anOperator.GetBinaries()[0].mName, "a.png");
}

TEST_F(SFOperatorTest, EntriesOutsideTheFileOrTheOutputBufferAreNotRegistered) {
  const std::string aPacked = Deflate("payload");
  struct Case {
    const char* mName;
    uint32_t mPackedDelta;  // added to the real packed size
    uint32_t mUnpacked;
    uint32_t mOffsetOverride;  // 0: the writer's offset
    bool mRegistered;
    const char* mRead;  // GetBinaryByName's result, or the error text
  } k_Cases[] = {
      {"as written", 0, 7, 0, true, "payload"},
      {"packed size past the end", 1, 7, 0, false, nullptr},
      {"offset past the end", 0, 7, 0x7FFFFFF0u, false, nullptr},
      {"offset wrapping around", 0, 7, 0xFFFFFFFFu, false, nullptr},
      {"unpacked size beyond the output buffer", 0, 50 * static_cast<uint32_t>(aPacked.size()) + 1, 0, false,
       nullptr},
      {"unpacked size that disagrees", 0, 6, 0, true, "Error unpacking data"},
      {"packed bytes that are not deflate", 0, 7, 8, true, "Error unpacking data"},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    PackedDataWriter aWriter;
    aWriter.AddRaw("x", aPacked, aCase.mUnpacked);
    std::string aBytes = aWriter.Bytes();
    const size_t aRecord = aWriter.DirectoryRecordOffset(0);
    auto Put32 = [&](size_t theAt, uint32_t theValue) {
      for (int i = 0; i < 4; ++i) aBytes[theAt + i] = static_cast<char>(theValue >> (8 * i) & 0xFF);
    };
    Put32(aRecord, static_cast<uint32_t>(aPacked.size()) + aCase.mPackedDelta);
    if (aCase.mOffsetOverride != 0) Put32(aRecord + 8, aCase.mOffsetOverride);
    SFOperator anOperator;
    ASSERT_TRUE(anOperator.Open(Write(aBytes)));
    EXPECT_EQ(anOperator.GetBinaries().size(), aCase.mRegistered ? 1u : 0u);
    const std::string aRead = Get(anOperator, "x");
    if (aCase.mRead == nullptr) {
      EXPECT_EQ(aRead, "<none>");
    } else if (aRead == "<none>") {
      EXPECT_EQ(anOperator.GetLastError(), aCase.mRead);
    } else {
      EXPECT_EQ(aRead, aCase.mRead);
    }
  }
}

// A stream that unpacks to more than the output buffer stops at the buffer's end.
TEST_F(SFOperatorTest, UnpackingStopsAtTheOutputBuffer) {
  const std::string aPacked = Deflate(std::string(2000000, 'z'));
  ASSERT_LT(aPacked.size() * 50, 2000000u);
  PackedDataWriter aWriter;
  aWriter.AddRaw("big", aPacked, 100);
  SFOperator anOperator;
  ASSERT_TRUE(anOperator.Open(Write(aWriter.Bytes())));
  EXPECT_EQ(Get(anOperator, "big"), "<none>");
  EXPECT_EQ(anOperator.GetLastError(), "Error unpacking data");

  std::unique_ptr<uint8_t[]> aData;
  uint32_t anUnpacked = 1;
  EXPECT_FALSE(anOperator.ReadBinaryFromStreamPos(aData, 10, 0x7FFFFFF0u, anUnpacked));
  EXPECT_EQ(anOperator.GetLastError(), "Error reading data");
  EXPECT_EQ(anUnpacked, 0u);
  EXPECT_EQ(aData, nullptr);
}

// Sets archBase for one test and always puts it back.
class PackedImagePathTest : public SFOperatorTest {
 protected:
  void TearDown() override { archBase = mOldBase; }
  void Use(SFOperator* theOperator) { archBase = theOperator; }

  static std::vector<uint32_t> Pixels(const ImageLib::Image& theImage) {
    return std::vector<uint32_t>(theImage.mBits, theImage.mBits + theImage.mWidth * theImage.mHeight);
  }

  SFOperator* mOldBase = archBase;
};

TEST_F(PackedImagePathTest, PngAndJpegReadersReadThePackedFileWhileArchBaseIsSet) {
  const int w = 12, h = 9;
  const std::string aPng = PngBytes(mDir, w, h, Pattern(w, h));
  const std::string aJpeg = JpegBytes(mDir, w, h, Gradient(w, h));
  // The same files on disk, for the archive readers, and one only on disk.
  const std::string aPngPath = Write(aPng, "logo.png");
  const std::string aJpegPath = Write(aJpeg, "photo.jpg");
  const std::string aDiskOnly = Write(aPng, "disk.png");
  std::unique_ptr<ImageLib::Image> aPngFromDisk(ImageLib::GetPNGImage(aPngPath));
  std::unique_ptr<ImageLib::Image> aJpegFromDisk(ImageLib::GetJPEGImage(aJpegPath));
  ASSERT_TRUE(aPngFromDisk && aJpegFromDisk);

  PackedDataWriter aWriter;
  ASSERT_TRUE(aWriter.Add(aPngPath, aPng));
  ASSERT_TRUE(aWriter.Add(aJpegPath, aJpeg));
  ASSERT_TRUE(aWriter.Add(mDir + "/broken.png", aPng.substr(0, 40)));
  SFOperator anOperator;
  ASSERT_TRUE(anOperator.Open(Write(aWriter.Bytes())));
  Use(&anOperator);

  std::unique_ptr<ImageLib::Image> aPacked(ImageLib::GetPNGImage(aPngPath));
  ASSERT_TRUE(aPacked);
  EXPECT_EQ(aPacked->mWidth, w);
  EXPECT_EQ(aPacked->mHeight, h);
  EXPECT_EQ(aPacked->mNumBits, 32);
  EXPECT_EQ(Pixels(*aPacked), Pixels(*aPngFromDisk));
  aPacked.reset(ImageLib::GetJPEGImage(aJpegPath));
  ASSERT_TRUE(aPacked);
  EXPECT_EQ(Pixels(*aPacked), Pixels(*aJpegFromDisk));
  // Through the extension dispatch, with the alpha-file search asking for names it lacks.
  aPacked.reset(ImageLib::GetImage(aPngPath));
  ASSERT_TRUE(aPacked);
  EXPECT_EQ(Pixels(*aPacked), Pixels(*aPngFromDisk));

  // Missing from the packed file: no image, although the archive layer would find one.
  EXPECT_EQ(ImageLib::GetPNGImage(aDiskOnly), nullptr);
  // Each reader decodes only its own format, and damaged entries give nothing.
  EXPECT_EQ(ImageLib::GetPNGImage(aJpegPath), nullptr);
  EXPECT_EQ(ImageLib::GetJPEGImage(aPngPath), nullptr);
  EXPECT_EQ(ImageLib::GetPNGImage(mDir + "/broken.png"), nullptr);

  Use(nullptr);
  aPacked.reset(ImageLib::GetPNGImage(aDiskOnly));
  EXPECT_TRUE(aPacked);
}

}  // namespace
