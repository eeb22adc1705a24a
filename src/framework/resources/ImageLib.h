// Image file readers (TGA, JPEG, PNG, GIF, image blocks) over the archive-aware file API,
// the alpha-file merge and the PNG writer for screenshots.
#pragma once

#include <cstdint>
#include <string>

#include "resources/ImageLibImage.h"

namespace ImageLib {

extern bool gAutoLoadAlpha;
// Set around one image load by the resource manager; each thread sets and reads its own, so
// the loading thread's colour never leaks into an image the main thread decodes meanwhile.
extern thread_local uint32_t gAlphaComposeColor;
extern void* gJ2KCodec;

// Widest and tallest image any reader accepts, and the most pixels in all; larger headers
// are refused before anything is allocated.
constexpr int k_MaxImageSide = 16384;
constexpr int64_t k_MaxImagePixels = int64_t{1} << 26;
bool SizeAllowed(int64_t theWidth, int64_t theHeight);

// By extension, or every reader in turn when the name has none; merges a separate alpha
// image (_name or name_) when asked. Null when nothing was read. The caller owns the image.
Image* GetImage(const std::string& theFileName, bool lookForAlphaImage = true);

Image* GetTGAImage(const std::string& theFileName);
Image* GetJPEGImage(const std::string& theFileName);
Image* GetPNGImage(const std::string& theFileName);
Image* GetGIFImage(const std::string& theFileName);

// The PNG and JPEG readers' source while `archBase` (resources/SFOperator.h) is set: the
// entry of that name decoded by CxImage with theFormat (CxImage::k_FormatJpg or
// k_FormatPng). Null when the entry is missing or does not decode.
Image* GetPackedImage(const std::string& theFileName, uint32_t theFormat);

// Image block files: palettised images, stored into theImages from the first element.
// Returns how many complete images were read; a damaged record ends the reading.
int GetImageBlock(const std::string& theFileName, Image** theImages);
int GetImageBlock(const std::string& theFileName, Image** theImages, int theCapacity);
// Also tells how many images the file says it holds (-1 when it cannot be opened or is too
// short for its count), so a caller can tell a damaged or oversized block from a whole one.
int GetImageBlock(const std::string& theFileName, Image** theImages, int theCapacity, int64_t* theFileCount);

// Turns a palettised image into 32-bit pixels (palette and index list freed).
void ExpandPalette(Image* theImage);

// An RGBA PNG written with plain stdio; false for a palettised image or any failure.
bool WritePNGImage(const std::string& theFileName, Image* theImage);

void CloseJPEG2000();

// Silences the JPEG library's messages on damaged files (the fuzzer reads thousands).
void SetJpegMessagesQuiet(bool theQuiet);

}  // namespace ImageLib
