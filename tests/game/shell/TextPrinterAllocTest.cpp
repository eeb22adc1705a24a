// A page that stands still is drawn frame after frame without a single allocation: the printer
// keeps its line and measuring buffers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shell/TextPrinter.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "support/AllocationCount.h"

namespace {

// Every character 10 pixels wide; measuring allocates nothing of its own.
class TenPixelFont : public Tesk::Font {
 public:
  TenPixelFont() {
    mAscent = 12;
    mHeight = 16;
  }
  int StringWidth(const TeskString& theString) override { return 10 * static_cast<int>(theString.size()); }
  Font* Duplicate() override { return new TenPixelFont(*this); }
};

// The lines go nowhere: what is counted is the printer's own work.
class QuietPrinter : public TextPrinter {
 public:
  int WriteString(Tesk::Graphics*, const TeskString& theString, int, int, int theWidth, int, bool, int,
                  int) override {
    mChars += static_cast<long>(theString.size());
    return theWidth;
  }
  long mChars = 0;
};

TEST(TextPrinterAllocations, ASteadyPageIsDrawnWithoutAllocating) {
  TenPixelFont aFont;
  QuietPrinter aPrinter;
  aPrinter.setFont(&aFont);
  aPrinter.setDimensions(10, 50, 200, 400, 20, -1);
  std::wstring aText =
      L"The Vesper's lamp has gone out, and without it the shadows grow bold. The first page of the "
      L"Codex must hold the spell that drives the dark away.\nThe Vesper kept her reagents everywhere.";
  std::vector<wchar_t> aBuffer(aText.begin(), aText.end());
  aBuffer.push_back(0);
  aPrinter.newString(aBuffer.data());
  aPrinter.finishPrinting();
  Tesk::Graphics g;
  aPrinter.draw(&g, 1.0f);  // the buffers grow to the page's longest line once
  const long aFirst = aPrinter.mChars;
  ASSERT_GT(aFirst, 100);

  const long aBefore = TeskTest::AllocationCount();
  for (int i = 0; i < 100; ++i) aPrinter.draw(&g, 1.0f);
  EXPECT_EQ(TeskTest::AllocationCount() - aBefore, 0);
  EXPECT_EQ(aPrinter.mChars, 101 * aFirst);
}

}  // namespace
