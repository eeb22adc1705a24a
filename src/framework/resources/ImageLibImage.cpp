#include "resources/ImageLibImage.h"

namespace ImageLib {

Image::~Image() {
  delete[] mBits;
  delete[] mPal;
  delete[] mIndexList;
}

}  // namespace ImageLib
