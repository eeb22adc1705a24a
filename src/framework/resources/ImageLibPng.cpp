// PNG through libpng, streamed from the archive-aware file API; and the screenshot writer.
#include <png.h>

#include <csetjmp>
#include <memory>
#include <vector>

#include "resources/CxImage.h"
#include "resources/ImageFileBytes.h"
#include "resources/ImageLib.h"
#include "resources/PngReadLimits.h"
#include "resources/SFOperator.h"

namespace ImageLib {

namespace {

void png_pak_read_data(png_structp thePng, png_bytep theData, png_size_t theLength) {
  PFILE* aFile = static_cast<PFILE*>(png_get_io_ptr(thePng));
  if (!ReadExact(theData, static_cast<int64_t>(theLength), aFile)) png_error(thePng, "Read Error");
}

// Corrupt files are normal input here: say nothing, just fail.
void png_quiet_warning(png_structp, png_const_charp) {}
void png_quiet_error(png_structp thePng, png_const_charp) { png_longjmp(thePng, 1); }

}  // namespace

void SetPngReadLimits(png_structp thePng) {
  png_set_user_limits(thePng, k_MaxImageSide, k_MaxImageSide);
  png_set_chunk_malloc_max(thePng, k_MaxPngChunkBytes);
  // One means none: text, sPLT and unknown chunks are never cached.
  png_set_chunk_cache_max(thePng, 1);
  // Every chunk the pixels do not need (all ancillary ones but tRNS, and every unknown one)
  // is skipped in small reads, never buffered; a negative count takes in the known ones too.
  png_set_keep_unknown_chunks(thePng, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
}

Image* GetPNGImage(const std::string& theFileName) {
  if (archBase != nullptr) return GetPackedImage(theFileName, CxImage::k_FormatPng);
  PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
  if (aFile == nullptr) return nullptr;
  PFileCloser aCloser{aFile};

  png_structp aPng =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png_quiet_error, png_quiet_warning);
  if (aPng == nullptr) return nullptr;
  png_infop anInfo = png_create_info_struct(aPng);
  if (anInfo == nullptr) {
    png_destroy_read_struct(&aPng, nullptr, nullptr);
    return nullptr;
  }
  // Held behind a pointer set before the jump, so a library error still frees them.
  struct Decoded {
    std::unique_ptr<Image> mImage;
    std::vector<png_bytep> mRows;
  };
  auto aDecoded = std::make_unique<Decoded>();
  if (setjmp(png_jmpbuf(aPng))) {
    png_destroy_read_struct(&aPng, &anInfo, nullptr);
    return nullptr;
  }
  SetPngReadLimits(aPng);
  png_set_read_fn(aPng, aFile, png_pak_read_data);
  png_read_info(aPng, anInfo);
  png_uint_32 aWidth, aHeight;
  int aDepth, aColorType, anInterlace;
  png_get_IHDR(aPng, anInfo, &aWidth, &aHeight, &aDepth, &aColorType, &anInterlace, nullptr, nullptr);
  if (!SizeAllowed(aWidth, aHeight)) png_error(aPng, "Image too large");

  png_set_expand(aPng);
  png_set_filler(aPng, 0xFF, PNG_FILLER_AFTER);
  png_set_palette_to_rgb(aPng);
  png_set_gray_to_rgb(aPng);
  png_set_bgr(aPng);
  // Four bytes a pixel whatever the file holds: 16-bit channels cut to 8, interlaced
  // passes put together by the library.
  png_set_strip_16(aPng);
  png_set_interlace_handling(aPng);
  png_read_update_info(aPng, anInfo);
  if (png_get_rowbytes(aPng, anInfo) != static_cast<size_t>(aWidth) * 4)
    png_error(aPng, "Unexpected row size");

  aDecoded->mImage = std::make_unique<Image>();
  Image* anImage = aDecoded->mImage.get();
  anImage->mWidth = static_cast<int>(aWidth);
  anImage->mHeight = static_cast<int>(aHeight);
  anImage->mBits = new uint32_t[static_cast<size_t>(aWidth) * aHeight];
  std::vector<png_bytep>& aRows = aDecoded->mRows;
  aRows.resize(aHeight);
  for (png_uint_32 y = 0; y < aHeight; ++y)
    aRows[y] = reinterpret_cast<png_bytep>(anImage->mBits + static_cast<size_t>(y) * aWidth);
  png_read_image(aPng, aRows.data());
  png_read_end(aPng, nullptr);
  png_destroy_read_struct(&aPng, &anInfo, nullptr);
  return aDecoded->mImage.release();
}

bool WritePNGImage(const std::string& theFileName, Image* theImage) {
  if (theImage == nullptr || theImage->mBits == nullptr) return false;
  FILE* aFile = fopen(theFileName.c_str(), "wb");
  if (aFile == nullptr) return false;
  png_structp aPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop anInfo = aPng != nullptr ? png_create_info_struct(aPng) : nullptr;
  if (anInfo == nullptr) {
    png_destroy_write_struct(&aPng, nullptr);
    fclose(aFile);
    return false;
  }
  if (setjmp(png_jmpbuf(aPng))) {
    png_destroy_write_struct(&aPng, &anInfo);
    fclose(aFile);
    return false;
  }
  png_init_io(aPng, aFile);
  png_color_8 aSignificant = {};
  aSignificant.red = aSignificant.green = aSignificant.blue = aSignificant.alpha = 8;
  png_set_sBIT(aPng, anInfo, &aSignificant);
  png_set_IHDR(aPng, anInfo, theImage->mWidth, theImage->mHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(aPng, anInfo);
  png_set_bgr(aPng);
  for (int y = 0; y < theImage->mHeight; ++y) {
    png_bytep aRow = reinterpret_cast<png_bytep>(theImage->mBits + static_cast<size_t>(y) * theImage->mWidth);
    png_write_rows(aPng, &aRow, 1);
  }
  png_write_end(aPng, anInfo);
  png_destroy_write_struct(&aPng, &anInfo);
  return fclose(aFile) == 0;
}

}  // namespace ImageLib
