// Feeds arbitrary bytes to the font descriptor as a file, then measures and draws
// with the font built on it at a few sizes, scales and tags.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "resources/FontHost.h"
#include "resources/ImageFont.h"

namespace {

// Every sheet name gives the same small sheet.
class FuzzHost : public Tesk::FontHost {
 public:
  FuzzHost() : mSheet(std::make_shared<Tesk::MemoryImage>()) {
    std::vector<uint32_t> aPixels(32 * 16);
    for (size_t i = 0; i < aPixels.size(); ++i) aPixels[i] = (i % 3) ? 0xFFFFFFFFu : 0x40FFFFFFu;
    mSheet->SetBits(aPixels.data(), 32, 16);
  }
  std::shared_ptr<Tesk::Image> GetFontSheet(const std::string& theFileName, bool* isNew) override {
    *isNew = false;
    return theFileName.find("none") == std::string::npos ? mSheet : nullptr;
  }
  void Popup(const std::string&) override {}
  std::shared_ptr<Tesk::MemoryImage> mSheet;
};

std::string TempPath() { return "/tmp/fuzz_fontdesc_" + std::to_string(getpid()) + ".txt"; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static FuzzHost sHost;
  static const std::string sPath = TempPath();
  FILE* aFile = std::fopen(sPath.c_str(), "wb");
  if (!aFile) return 0;
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);

  Tesk::ImageFont aFont(&sHost, sPath);
  Tesk::MemoryImage aDest;
  aDest.Create(64, 32);
  Tesk::Graphics g(&aDest);
  const TeskString aText = L"ab c\u00E9\u0416 'x'";
  for (int aStep = 0; aStep < 3; ++aStep) {
    if (aStep == 1) {
      aFont.SetPointSize(aFont.GetPointSize() + 3);
      aFont.AddTag("shadow");
    }
    if (aStep == 2) {
      aFont.SetScale(0.5);
      aFont.AddTag("plain");
    }
    int aWidth = 0;
    aFont.StringWidth(aText);
    aFont.DrawStringEx(&g, 2, 20, aText, Tesk::Color::White, nullptr, nullptr, &aWidth);
  }
  std::unique_ptr<Tesk::Font> aCopy(aFont.Duplicate());
  aCopy->StringWidth(aText);
  return 0;
}
