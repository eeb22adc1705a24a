// PNG decoding for CxImage through libpng, reading from a CxFile.
#pragma once

#include <png.h>

#include "resources/CxImage.h"

class CxImagePNG : public CxImage {
 public:
  // Same pixels as the archive PNG reader: every file arrives as 0xAARRGGBB.
  bool Decode(CxFile* theFile);

 private:
  // Raises "Read Error" when the stream holds fewer bytes than asked for.
  static void user_read_data(png_structp thePng, png_bytep theData, png_size_t theLength);
  // Keeps up to 255 characters of the message as the last error, then jumps back.
  static void user_error_fn(png_structp thePng, png_const_charp theMessage);
  static void user_warning_fn(png_structp thePng, png_const_charp theMessage);
};
