// One image loaded by name and shared by counted handles (SharedImageRef).
// The application's registry owns the image and frees it at a cleanup pass
// once the count has fallen to 0.
#pragma once

#include <atomic>

namespace Tesk {

class DDImage;

class SharedImage {
 public:
  // The display-surface image holding the pixels, owned by the application's registry.
  DDImage* mImage;
  // Handles are taken and dropped on the loading thread as well as the main thread.
  std::atomic<int> mRefCount;

  SharedImage() : mImage(nullptr), mRefCount(0) {}
  // For the registry's map: copies the pointer and the count.
  SharedImage(const SharedImage& theShared)
      : mImage(theShared.mImage), mRefCount(theShared.mRefCount.load()) {}
  SharedImage& operator=(const SharedImage& theShared) {
    mImage = theShared.mImage;
    mRefCount = theShared.mRefCount.load();
    return *this;
  }
};

}  // namespace Tesk
