#include "resources/CxImagePNG.h"

#include <csetjmp>
#include <memory>
#include <vector>

#include "resources/CxFile.h"
#include "resources/ImageLib.h"
#include "resources/PngReadLimits.h"

void CxImagePNG::user_read_data(png_structp thePng, png_bytep theData, png_size_t theLength) {
  CxFile* aFile = static_cast<CxFile*>(png_get_io_ptr(thePng));
  if (aFile->Read(theData, 1, theLength) != theLength) png_error(thePng, "Read Error");
}

void CxImagePNG::user_error_fn(png_structp thePng, png_const_charp theMessage) {
  static_cast<CxImagePNG*>(png_get_error_ptr(thePng))->SetLastError(theMessage);
  png_longjmp(thePng, 1);
}

// Damaged files are normal input here; warnings say nothing.
void CxImagePNG::user_warning_fn(png_structp, png_const_charp) {}

bool CxImagePNG::Decode(CxFile* theFile) {
  if (theFile == nullptr) return false;
  png_structp aPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, user_error_fn, user_warning_fn);
  if (aPng == nullptr) {
    SetLastError("Failed to create PNG structure");
    return false;
  }
  png_infop anInfo = png_create_info_struct(aPng);
  if (anInfo == nullptr) {
    png_destroy_read_struct(&aPng, nullptr, nullptr);
    SetLastError("Failed to initialize PNG info structure");
    return false;
  }
  // Behind a pointer set before the jump, so that a library error still frees it.
  auto aRows = std::make_unique<std::vector<png_bytep>>();
  if (setjmp(png_jmpbuf(aPng))) {
    png_destroy_read_struct(&aPng, &anInfo, nullptr);
    Destroy();
    return false;
  }
  ImageLib::SetPngReadLimits(aPng);
  png_set_read_fn(aPng, theFile, user_read_data);
  png_read_info(aPng, anInfo);
  png_uint_32 aWidth, aHeight;
  int aDepth, aColorType, anInterlace;
  png_get_IHDR(aPng, anInfo, &aWidth, &aHeight, &aDepth, &aColorType, &anInterlace, nullptr, nullptr);
  if (!ImageLib::SizeAllowed(aWidth, aHeight)) png_error(aPng, "Image too large");

  png_set_expand(aPng);
  png_set_filler(aPng, 0xFF, PNG_FILLER_AFTER);
  png_set_palette_to_rgb(aPng);
  png_set_gray_to_rgb(aPng);
  png_set_bgr(aPng);
  png_set_strip_16(aPng);
  png_set_interlace_handling(aPng);
  png_read_update_info(aPng, anInfo);
  if (png_get_rowbytes(aPng, anInfo) != static_cast<size_t>(aWidth) * 4)
    png_error(aPng, "Unexpected row size");

  if (!Create(aWidth, aHeight)) png_error(aPng, GetLastError());
  aRows->resize(aHeight);
  for (png_uint_32 y = 0; y < aHeight; ++y)
    (*aRows)[y] = reinterpret_cast<png_bytep>(mPixels.data() + static_cast<size_t>(y) * aWidth);
  png_read_image(aPng, aRows->data());
  png_read_end(aPng, nullptr);
  png_destroy_read_struct(&aPng, &anInfo, nullptr);
  return true;
}
