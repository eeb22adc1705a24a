// DDImage::Check3D as the drawing context sees it: whether drawing into an image
// goes through the accelerated path. The display-surface image installs its
// check in gDDImageCheck3D; until it does, no image is 3-D.
#pragma once

namespace Tesk {

class Image;

typedef bool (*Check3DProc)(Image* theImage);

extern Check3DProc gDDImageCheck3D;

inline bool DDImageCheck3D(Image* theImage) {
  return theImage != nullptr && gDDImageCheck3D != nullptr && gDDImageCheck3D(theImage);
}

}  // namespace Tesk
