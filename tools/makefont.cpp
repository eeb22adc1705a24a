// makefont: renders a bitmap font sheet from a TrueType font and writes it with its descriptor.
//   makefont <out-dir> <name> [--font file.ttf] [--size px] [--chars text] [--spacing n]
//            [--no-outline] [--no-shadow] [--utf16]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FontSheetWriter.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: makefont <out-dir> <name> [--font file.ttf] [--size px] [--chars text] "
                 "[--spacing n] [--no-outline] [--no-shadow] [--utf16]\n");
    return 2;
  }
  TeskTools::FontSheetOptions anOptions;
  TeskTools::DescriptorOptions aDescOptions;
  for (int i = 3; i < argc; ++i) {
    std::string anArg = argv[i];
    bool hasValue = i + 1 < argc;
    if (anArg == "--font" && hasValue) {
      anOptions.mFontFile = argv[++i];
    } else if (anArg == "--size" && hasValue) {
      anOptions.mPixelSize = std::atoi(argv[++i]);
    } else if (anArg == "--chars" && hasValue) {
      // Bytes taken as Latin-1 characters.
      for (const char* p = argv[++i]; *p; ++p) anOptions.mChars.push_back(static_cast<unsigned char>(*p));
    } else if (anArg == "--spacing" && hasValue) {
      aDescOptions.mSpacing = std::atoi(argv[++i]);
    } else if (anArg == "--no-outline") {
      anOptions.mOutlines = false;
      aDescOptions.mOutlineLayer = false;
    } else if (anArg == "--no-shadow") {
      aDescOptions.mShadowLayer = false;
    } else if (anArg == "--utf16") {
      aDescOptions.mSixteenBit = true;
    } else {
      std::fprintf(stderr, "makefont: unknown option %s\n", anArg.c_str());
      return 2;
    }
  }
  std::string anError;
  if (!TeskTools::WriteFontFiles(anOptions, aDescOptions, argv[1], argv[2], &anError)) {
    std::fprintf(stderr, "makefont: %s\n", anError.c_str());
    return 1;
  }
  return 0;
}
