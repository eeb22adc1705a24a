// A counted handle on a shared image, which may also carry a private copy of
// the image. A private copy lives as long as the last handle that sees it, so
// a copied handle never points at a freed image.
#pragma once

#include <memory>

#include "graphics/SharedImage.h"

namespace Tesk {

class DDImage;
class Image;
class MemoryImage;

class SharedImageRef {
 public:
  SharedImage* mSharedImage;
  MemoryImage* mUnsharedImage;
  bool mOwnsUnshared;

  SharedImageRef();
  SharedImageRef(SharedImage* theSharedImage);
  // Refers to the same shared image and sees the same private copy, which it does not own.
  SharedImageRef(const SharedImageRef& theRef);
  ~SharedImageRef();

  // Drops the private copy (freeing it when this was its last handle) and the reference.
  void Release();
  // Gives the handle a private copy; with owns set it is freed with its last handle.
  void SetUnsharedImage(MemoryImage* theImage, bool owns);

  // Takes r's shared image with one more reference, not its private copy. Assigning a handle to itself does
  // nothing.
  SharedImageRef& operator=(const SharedImageRef& theRef);
  SharedImageRef& operator=(SharedImage* theSharedImage);

  // The shared image only (null when empty), whatever private copy the handle carries.
  operator DDImage*();
  // The private copy when there is one, else the shared image.
  operator MemoryImage*();
  operator Image*();
  MemoryImage* operator->();

 private:
  std::shared_ptr<MemoryImage> mUnsharedKeeper;
};

}  // namespace Tesk
