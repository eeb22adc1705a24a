// The game as a player first meets it, on a real (virtual) X display with sound written by SDL's
// disk audio driver: the logos, the title screen rising and asking for a name, a name typed on
// the keyboard and entered, the welcome, and Escape to quit. Keys come from the X server's test
// extension (xdotool), screenshots from the game's own developer key; the music's level is
// measured in the audio file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/TestTemp.h"

extern "C" const char* __lsan_default_suppressions();

namespace {

namespace fs = std::filesystem;

const std::string kGame = std::string(TESK_TEST_BINARY_DIR) + "/../game";
const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

int Shell(const std::string& theCommand) { return std::system(theCommand.c_str()); }

void Sleep(double theSeconds) { std::this_thread::sleep_for(std::chrono::duration<double>(theSeconds)); }

// Width and height from a PNG file's header; 0, 0 when it is not one.
std::pair<int, int> PngSize(const std::string& thePath) {
  const std::string b = TeskTest::ReadFile(thePath);
  if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return {0, 0};
  auto Be = [&](size_t i) {
    return static_cast<int>(static_cast<uint8_t>(b[i]) << 24 | static_cast<uint8_t>(b[i + 1]) << 16 |
                            static_cast<uint8_t>(b[i + 2]) << 8 | static_cast<uint8_t>(b[i + 3]));
  };
  return {Be(16), Be(20)};
}

// The root-mean-square level of the left channel of 16-bit stereo frames [theFrom, theTo).
double Level(const std::string& theBytes, size_t theFrom, size_t theTo) {
  double aSum = 0;
  for (size_t i = theFrom; i < theTo; ++i) {
    const int16_t s = static_cast<int16_t>(static_cast<uint8_t>(theBytes[4 * i]) |
                                           (static_cast<uint8_t>(theBytes[4 * i + 1]) << 8));
    aSum += static_cast<double>(s) * s;
  }
  return theTo > theFrom ? std::sqrt(aSum / static_cast<double>(theTo - theFrom)) : 0.0;
}

TEST(TitleProgram, FromTheLogosToTheTitleANewPlayerTypesANameWithTheMusicPlaying) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  if (Shell("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  if (!fs::exists(kGame)) GTEST_SKIP() << "the game is not built";
  if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) GTEST_SKIP() << "no generated asset set";

  const std::string aScratch = TeskTest::MakeTempDir("title-program");
  const std::string aData = aScratch + "/data";
  const std::string aFolder = aData + "/Orvo Soft Games/GloamHollow/";
  fs::create_directories(aFolder);
  // A window of the game's own size, so that the screenshots are the frames the game drew.
  ASSERT_TRUE(
      TeskTest::WriteFile(aFolder + "Preferences.txt",
                          "# Tesk preferences 2\nSOFTWARE\\VespersCodexGloamHollow\tScreenMode\t00000000\n"
                          "# end\n"));
  const std::string anAudio = aScratch + "/music.raw";
  const std::string anErrors = aScratch + "/stderr.txt";
  const std::string aSuppressions = aScratch + "/lsan.supp";
  TeskTest::WriteFile(aSuppressions, __lsan_default_suppressions());
  const std::string aCommand =
      "env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + anAudio + " TESK_ALERTS=stderr XDG_DATA_HOME=" + aData +
      " TESK_RESOURCES_DIR=" + kGeneratedSet + " LSAN_OPTIONS=suppressions=" + aSuppressions +
      " timeout 120 " + kGame + " 2>" + anErrors;
  int aStatus = -1;
  std::thread aGame([&] {
    const int aResult = Shell(aCommand);
    if (aResult != -1 && WIFEXITED(aResult)) aStatus = WEXITSTATUS(aResult);
  });

  // The window, then the keyboard's focus on it with the pointer in its corner.
  const std::string aFind = "xdotool search --name 'Gloam Hollow' 2>/dev/null | head -1";
  std::string aWindow;
  for (int i = 0; i < 200 && aWindow.empty(); ++i) {
    Sleep(0.05);
    FILE* p = popen(aFind.c_str(), "r");
    char aLine[64] = "";
    if (p != nullptr) {
      if (std::fgets(aLine, sizeof(aLine), p) == nullptr) aLine[0] = 0;
      pclose(p);
    }
    aWindow = aLine;
    while (!aWindow.empty() && (aWindow.back() == '\n' || aWindow.back() == ' ')) aWindow.pop_back();
  }
  // The window is up; its first frames go by before it takes the keyboard.
  Sleep(1.0);
  const auto aStart = std::chrono::steady_clock::now();
  auto At = [&](double theSeconds) {
    std::this_thread::sleep_until(aStart + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                               std::chrono::duration<double>(theSeconds)));
  };
  auto Keys = [&](const std::string& theKeys) { Shell("xdotool " + theKeys + " >/dev/null 2>&1"); };
  const std::string aShots = aData + "/_screenshots/";
  // F11 takes screenshot theNumber once the developer keys are on (Control+Alt+D switches them);
  // a key that came too early to switch them on is tried again.
  int aShotsTaken = 0;
  auto Shot = [&]() {
    const std::string aFile = aShots + "image" + std::to_string(aShotsTaken + 1) + ".png";
    for (int aTry = 0; aTry < 3 && !fs::exists(aFile); ++aTry) {
      Keys("key F11");
      for (int i = 0; i < 20 && !fs::exists(aFile); ++i) Sleep(0.05);
      if (!fs::exists(aFile)) Keys("key ctrl+alt+d");
    }
    ++aShotsTaken;
  };
  if (!aWindow.empty()) {
    Keys("windowfocus " + aWindow);
    Keys("mousemove --window " + aWindow + " 790 590");
    Keys("key ctrl+alt+d");
    // The company logo stands at full from about 0.5 s to 3.5 s, the first partner's logo
    // from 4.5 s to 7.5 s; the logos end after 16 s and the title asks for a name at 16.6 s.
    At(1.5);
    Shot();
    At(5.5);
    Shot();
    At(18.5);
    Shot();
    Keys("type --delay 100 Wren");
    Sleep(0.3);
    Shot();
    Keys("key Return");
    Sleep(1.5);
    Shot();
    Sleep(0.3);
    Keys("key Escape");
  }
  aGame.join();
  ASSERT_FALSE(aWindow.empty()) << "no game window appeared\n" << TeskTest::ReadFile(anErrors);
  const std::string aLog = TeskTest::ReadFile(anErrors);
  EXPECT_EQ(aStatus, 0) << aLog;
  EXPECT_EQ(aLog.find("is not built yet"), std::string::npos) << aLog;
  EXPECT_EQ(aLog.find("cannot load the song"), std::string::npos) << aLog;

  // The name typed became the first profile, saved when Escape ended the game.
  const std::string aProfile = TeskTest::ReadFile(aFolder + "profile.prof");
  ASSERT_EQ(aProfile.size(), 800u) << aLog;
  std::wstring aName;
  for (int i = 0; i < 11; ++i) {
    const uint32_t c = static_cast<uint8_t>(aProfile[8 + 4 * i]) | static_cast<uint8_t>(aProfile[9 + 4 * i])
                                                                       << 8;
    if (c == 0) break;
    aName += static_cast<wchar_t>(c);
  }
  EXPECT_EQ(aName, L"Wren");

  // Five screenshots of the window's frames, kept with the test's files for a person to see.
  const char* const kNames[] = {"logo-company", "logo-partner", "title-name-asked", "title-name-typed",
                                "title-welcome"};
  for (int i = 0; i < 5; ++i) {
    const std::string aShot = aShots + "image" + std::to_string(i + 1) + ".png";
    EXPECT_EQ(PngSize(aShot), std::make_pair(800, 600)) << aShot;
    if (fs::exists(aShot)) {
      const std::string aKept = aScratch + "/" + kNames[i] + ".png";
      fs::copy_file(aShot, aKept, fs::copy_options::overwrite_existing);
      std::printf("screenshot: %s\n", aKept.c_str());
    }
  }

  // The music: the opening song from the first update, fading in over a second, then heard at
  // its level until the end; not silence.
  const std::string aBytes = TeskTest::ReadFile(anAudio);
  const size_t aFrames = aBytes.size() / 4;
  ASSERT_GT(aFrames, 20u * 44100) << "the audio file holds less than the run";
  const double aWhole = Level(aBytes, 44100, aFrames);
  const double aLast = Level(aBytes, aFrames - 44100, aFrames);
  std::printf("music level: %.0f over the run, %.0f in the last second\n", aWhole, aLast);
  EXPECT_GT(aWhole, 500.0);
  EXPECT_GT(aLast, 300.0);
}

}  // namespace
