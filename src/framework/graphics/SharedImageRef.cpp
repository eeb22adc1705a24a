#include "graphics/SharedImageRef.h"

#include "display/DDImage.h"
#include "graphics/ImageRegistry.h"
#include "graphics/MemoryImage.h"

namespace Tesk {

SharedImageRef::SharedImageRef() : mSharedImage(nullptr), mUnsharedImage(nullptr), mOwnsUnshared(false) {}

SharedImageRef::SharedImageRef(SharedImage* theSharedImage)
    : mSharedImage(theSharedImage), mUnsharedImage(nullptr), mOwnsUnshared(false) {
  if (mSharedImage) ++mSharedImage->mRefCount;
}

SharedImageRef::SharedImageRef(const SharedImageRef& theRef)
    : mSharedImage(theRef.mSharedImage),
      mUnsharedImage(theRef.mUnsharedImage),
      mOwnsUnshared(false),
      mUnsharedKeeper(theRef.mUnsharedKeeper) {
  if (mSharedImage) ++mSharedImage->mRefCount;
}

SharedImageRef::~SharedImageRef() { Release(); }

void SharedImageRef::Release() {
  mUnsharedKeeper.reset();
  mUnsharedImage = nullptr;
  mOwnsUnshared = false;
  if (mSharedImage) {
    if (--mSharedImage->mRefCount == 0 && gImageRegistry) gImageRegistry->mCleanupSharedImages = true;
    mSharedImage = nullptr;
  }
}

void SharedImageRef::SetUnsharedImage(MemoryImage* theImage, bool owns) {
  mUnsharedKeeper.reset();
  mUnsharedImage = theImage;
  mOwnsUnshared = owns && theImage != nullptr;
  if (mOwnsUnshared) mUnsharedKeeper.reset(theImage);
}

SharedImageRef& SharedImageRef::operator=(const SharedImageRef& theRef) {
  if (this != &theRef) *this = theRef.mSharedImage;
  return *this;
}

SharedImageRef& SharedImageRef::operator=(SharedImage* theSharedImage) {
  // Count the new reference before dropping the old, in case both are the same image.
  if (theSharedImage) ++theSharedImage->mRefCount;
  Release();
  mSharedImage = theSharedImage;
  return *this;
}

SharedImageRef::operator DDImage*() { return mSharedImage ? mSharedImage->mImage : nullptr; }

SharedImageRef::operator MemoryImage*() {
  if (mUnsharedImage) return mUnsharedImage;
  return mSharedImage ? mSharedImage->mImage : nullptr;
}

SharedImageRef::operator Image*() { return static_cast<MemoryImage*>(*this); }

MemoryImage* SharedImageRef::operator->() { return static_cast<MemoryImage*>(*this); }

}  // namespace Tesk
