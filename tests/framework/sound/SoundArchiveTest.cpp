// Sounds stored inside the game's archive load through the archive-aware file API.
#include <unistd.h>

#include "PakWriter.h"
#include "SoundTestSupport.h"
#include "core/Common.h"
#include "resources/PakInterface.h"
#include "sound/macDirectSoundBuffer.h"

using TeskTools::SoundWriter;

namespace {

class SoundArchive : public SoundTest::SoundFixture {
 protected:
  void SetUp() override {
    SoundFixture::SetUp();
    ASSERT_EQ(getcwd(mOldDir, sizeof(mOldDir)), mOldDir);
    ASSERT_EQ(chdir(mDir.c_str()), 0);
    mOldAppData = Tesk::GetAppDataFolder();
    Tesk::SetAppDataFolder(mDir + "/appdata");
  }
  void TearDown() override {
    SoundFixture::TearDown();
    Tesk::SetAppDataFolder(mOldAppData);
    ASSERT_EQ(chdir(mOldDir), 0);
  }

  char mOldDir[4096];
  std::string mOldAppData;
};

TEST_F(SoundArchive, SamplesInsideTheArchiveLoadAndAreCachedWithoutADependency) {
  const std::vector<int16_t> aTone = SoundWriter::Tone(440, 2205, 1, 22050, 9000);
  const std::vector<uint8_t> aMuLaw = {0x80, 0x81, 0xFF, 0x00};
  TeskTools::PakWriter aPak;
  ASSERT_TRUE(
      aPak.Add("sounds\\archived_wav.wav", SoundWriter::Wav(SoundWriter::Bytes16(aTone), 1, 22050, 16)));
  ASSERT_TRUE(aPak.Add("sounds\\archived_ogg.ogg", SoundWriter::Ogg(aTone, 1, 22050)));
  ASSERT_TRUE(aPak.Add("sounds\\archived_au.au", SoundWriter::Au(aMuLaw, 1, 8000, 1)));
  ASSERT_TRUE(aPak.WriteFile(mDir + "/sounds.pak"));
  ASSERT_TRUE(gPakInterface->AddPakFile(mDir + "/sounds.pak"));

  ASSERT_TRUE(mManager->LoadSound(1, "sounds/archived_wav"));
  ASSERT_TRUE(mManager->LoadSound(2, "sounds/archived_ogg"));
  ASSERT_TRUE(mManager->LoadSound(3, "sounds/archived_au"));
  Tesk::WAVEFORMATEX aFormat{};
  mManager->GetSourceBuffer(2)->GetFormat(&aFormat, sizeof(aFormat), nullptr);
  EXPECT_EQ(aFormat.nSamplesPerSec, 22050u);
  EXPECT_EQ(aFormat.nChannels, 1);

  // Decoded sounds are cached; with no plain file behind them there is nothing to go stale by.
  const std::string aCache = TeskTest::ReadFile(mDir + "/appdata/cached/sounds/archived_au.wav");
  ASSERT_EQ(aCache.size(), 44u + 8u);
  EXPECT_EQ(aCache.find("dep "), std::string::npos);
  EXPECT_FALSE(TeskTest::ReadFile(mDir + "/appdata/cached/sounds/archived_ogg.wav").empty());
  EXPECT_TRUE(TeskTest::ReadFile(mDir + "/appdata/cached/sounds/archived_wav.wav").empty());
}

}  // namespace
