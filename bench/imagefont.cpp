// Measuring and drawing a paragraph in a generated three-layer bitmap font, beside the
// same glyph blits issued straight to the drawing context and beside FreeType measuring
// the same text.
#include <benchmark/benchmark.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "FontSheetWriter.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "resources/FontHost.h"
#include "resources/ImageFont.h"

namespace {

const char* k_FontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class BenchHost : public Tesk::FontHost {
 public:
  std::shared_ptr<Tesk::Image> GetFontSheet(const std::string&, bool* isNew) override {
    *isNew = false;
    return mSheet;
  }
  void Popup(const std::string& theString) override { std::fprintf(stderr, "%s\n", theString.c_str()); }
  std::shared_ptr<Tesk::MemoryImage> mSheet = std::make_shared<Tesk::MemoryImage>();
};

TeskString Paragraph() {
  const TeskString aSentence = L"The quick brown fox jumps over the lazy dog, then naps by the river. ";
  TeskString aText;
  while (aText.size() < 1000) aText += aSentence;
  return aText.substr(0, 1000);
}

struct Setup {
  BenchHost mHost;
  std::unique_ptr<Tesk::ImageFont> mFont;
  Tesk::MemoryImage mDest;
  TeskString mText = Paragraph();

  Setup() {
    TeskTools::FontSheetOptions anOptions;
    anOptions.mFontFile = k_FontFile;
    TeskTools::FontSheet aSheet;
    std::string anError;
    if (!TeskTools::RenderFontSheet(anOptions, &aSheet, &anError))
      std::fprintf(stderr, "%s\n", anError.c_str());
    mHost.mSheet->SetBits(aSheet.mPixels.data(), aSheet.mWidth, aSheet.mHeight);
    TeskTools::DescriptorOptions aDescOptions;
    aDescOptions.mSheetFileName = "bench.png";
    const std::string aPath = "/tmp/tesk_bench_imagefont.txt";
    std::string aBytes =
        TeskTools::EncodeDescriptor(TeskTools::MakeFontDescriptor(aSheet, aDescOptions), false);
    FILE* aFile = std::fopen(aPath.c_str(), "wb");
    std::fwrite(aBytes.data(), 1, aBytes.size(), aFile);
    std::fclose(aFile);
    mFont = std::make_unique<Tesk::ImageFont>(&mHost, aPath);
    mFont->AddTag("shadow");  // shadow, outline and fill: three layers
    mFont->Prepare();
    std::vector<uint32_t> aBlack(16384 * 64, 0xFF000000u);
    mDest.SetBits(aBlack.data(), 16384, 64);
  }
};

Setup& GetSetup() {
  static Setup sSetup;
  return sSetup;
}

void BM_ImageFontStringWidth(benchmark::State& theState) {
  Setup& s = GetSetup();
  for (auto _ : theState) benchmark::DoNotOptimize(s.mFont->StringWidth(s.mText));
  theState.SetItemsProcessed(theState.iterations() * s.mText.size());
}
BENCHMARK(BM_ImageFontStringWidth);

void BM_FreeTypeAdvances(benchmark::State& theState) {
  Setup& s = GetSetup();
  FT_Library aLibrary;
  FT_Init_FreeType(&aLibrary);
  FT_Face aFace;
  FT_New_Face(aLibrary, k_FontFile, 0, &aFace);
  FT_Set_Pixel_Sizes(aFace, 0, 16);
  for (auto _ : theState) {
    long aWidth = 0;
    for (wchar_t c : s.mText) {
      FT_Load_Char(aFace, c, FT_LOAD_DEFAULT);
      aWidth += aFace->glyph->advance.x >> 6;
    }
    benchmark::DoNotOptimize(aWidth);
  }
  theState.SetItemsProcessed(theState.iterations() * s.mText.size());
  FT_Done_Face(aFace);
  FT_Done_FreeType(aLibrary);
}
BENCHMARK(BM_FreeTypeAdvances);

void BM_ImageFontDrawParagraph(benchmark::State& theState) {
  Setup& s = GetSetup();
  Tesk::Graphics g(&s.mDest);
  for (auto _ : theState)
    s.mFont->DrawStringEx(&g, 0, 40, s.mText, Tesk::Color::White, nullptr, nullptr, nullptr);
  theState.SetItemsProcessed(theState.iterations() * s.mText.size());
}
BENCHMARK(BM_ImageFontDrawParagraph);

// The glyph draws the font makes, recorded once and replayed straight to the context.
class RecordingImage : public Tesk::Image {
 public:
  RecordingImage() {
    mWidth = 16384;
    mHeight = 64;
  }
  void Blt(Tesk::Image* theImage, int theX, int theY, const Tesk::TRect<int>& theSrcRect,
           const Tesk::Color& theColor, int theDrawMode) override {
    mCalls.push_back({theImage, theX, theY, theSrcRect, theColor, theDrawMode});
  }
  struct Call {
    Tesk::Image* mImage;
    int mX, mY;
    Tesk::TRect<int> mSrc;
    Tesk::Color mColor;
    int mMode;
  };
  std::vector<Call> mCalls;
};

void BM_DirectGlyphBlits(benchmark::State& theState) {
  Setup& s = GetSetup();
  RecordingImage aRecorder;
  Tesk::Graphics aRecord(&aRecorder);
  s.mFont->DrawStringEx(&aRecord, 0, 40, s.mText, Tesk::Color::White, nullptr, nullptr, nullptr);
  Tesk::Graphics g(&s.mDest);
  g.SetColorizeImages(true);
  for (auto _ : theState) {
    for (const RecordingImage::Call& c : aRecorder.mCalls) {
      g.SetDrawMode(c.mMode);
      g.SetColor(c.mColor);
      g.DrawImage(c.mImage, c.mX, c.mY, c.mSrc);
    }
  }
  theState.SetItemsProcessed(theState.iterations() * s.mText.size());
  theState.counters["blits"] = static_cast<double>(aRecorder.mCalls.size());
}
BENCHMARK(BM_DirectGlyphBlits);

}  // namespace
