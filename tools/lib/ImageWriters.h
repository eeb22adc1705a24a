// Writers for every image format the game's readers take: PNG and JPEG through libpng and
// libjpeg, TGA (32-bit either way up, 24-bit, 8-bit), GIF with an LZW encoder that clears
// its table before it fills, image blocks (.tgab) and separate alpha images.
// Pixels are 0xAARRGGBB, rows from the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

enum class PngKind { Rgba, Rgb, Grey, GreyAlpha, Palette };

struct PngOptions {
  PngKind mKind = PngKind::Rgba;
  bool mInterlaced = false;
  bool mSixteenBit = false;  // Rgba, Rgb, Grey and GreyAlpha only
};

// Grey kinds take the green channel; Palette needs at most 256 distinct pixels and writes
// their alphas in a transparency chunk when any is below 255.
bool WritePngFile(const std::string& thePath, int theWidth, int theHeight, const uint32_t* thePixels,
                  const PngOptions& theOptions = {});

// thePng (a whole PNG file) with a chunk of theType (four letters) holding theData put in
// right after its header chunk, or right before its end chunk when theAfterPixels.
std::string PngWithChunk(const std::string& thePng, const std::string& theType, const std::string& theData,
                         bool theAfterPixels = false);
// thePng up to where PngWithChunk would put the chunk, then only that chunk's header, which
// declares theLength bytes: a file that claims far more than it holds.
std::string PngDeclaringChunk(const std::string& thePng, const std::string& theType, uint32_t theLength,
                              bool theAfterPixels = false);

// Baseline JPEG; greyscale files take the green channel.
bool WriteJpegFile(const std::string& thePath, int theWidth, int theHeight, const uint32_t* thePixels,
                   int theQuality = 95, bool theGrey = false);

// 32-bit (or 24-bit, alpha dropped) uncompressed TGA, stored top-down or bottom-up.
std::string TgaBytes(int theWidth, int theHeight, const uint32_t* thePixels, bool theTopDown,
                     int theBitsPerPixel = 32);
// 8-bit TGA with a colour map of 24-bit (alpha dropped) or 32-bit entries.
std::string TgaBytes8(int theWidth, int theHeight, const uint8_t* theIndices,
                      const std::vector<uint32_t>& thePalette, bool theTopDown, int theMapDepth = 32);

// GIF89a of palette indices; the palette is padded to a power of two (at most 256).
// theTransparent >= 0 adds a graphic control extension naming it.
std::string GifBytes(int theWidth, int theHeight, const uint8_t* theIndices,
                     const std::vector<uint32_t>& thePalette, int theTransparent = -1,
                     bool theInterlaced = false);

struct BlockImage {
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint32_t> mPalette;  // at most 256
  std::vector<uint8_t> mIndices;
};
std::string ImageBlockBytes(const std::vector<BlockImage>& theImages);

// The grey image whose green channel the reader takes as alpha: each pixel's alpha as grey.
std::vector<uint32_t> AlphaImagePixels(const std::vector<uint32_t>& thePixels);

bool WriteBytes(const std::string& thePath, const std::string& theBytes);

}  // namespace TeskTools
