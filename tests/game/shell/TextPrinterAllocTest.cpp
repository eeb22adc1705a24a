// A page that stands still is drawn frame after frame without a single allocation: the printer
// keeps its line and measuring buffers. Counted with a replacement of the global allocation
// functions, which count only while a test asks them to.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "game/shell/TextPrinter.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"

#if defined(__SANITIZE_ADDRESS__)
#define TESK_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESK_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef TESK_COUNT_ALLOCATIONS
#define TESK_COUNT_ALLOCATIONS 1
#endif

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

#if TESK_COUNT_ALLOCATIONS
// The sanitizers bring allocation functions of their own; without them these are the program's.
void* operator new(std::size_t theSize) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(theSize == 0 ? 1 : theSize)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#endif

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
  if (!TESK_COUNT_ALLOCATIONS) GTEST_SKIP() << "the sanitizer owns the allocation functions";
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

  gAllocations = 0;
  gCounting = true;
  for (int i = 0; i < 100; ++i) aPrinter.draw(&g, 1.0f);
  gCounting = false;
  EXPECT_EQ(gAllocations.load(), 0);
  EXPECT_EQ(aPrinter.mChars, 101 * aFirst);
}

}  // namespace
