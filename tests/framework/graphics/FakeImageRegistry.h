// An application stand-in for image tests: records registrations and 3-D data
// drops, and offers a native format and a 3-D switch.
#pragma once

#include <set>
#include <vector>

#include "graphics/ImageRegistry.h"
#include "graphics/NativeDisplay.h"

namespace Tesk {

inline void SetNative888(NativeDisplay& theNative) {
  theNative.mRGBBits = 32;
  theNative.mRedMask = 0xFF0000;
  theNative.mGreenMask = 0xFF00;
  theNative.mBlueMask = 0xFF;
  theNative.mRedBits = theNative.mGreenBits = theNative.mBlueBits = 8;
  theNative.mRedShift = 16;
  theNative.mGreenShift = 8;
  theNative.mBlueShift = 0;
}

inline void SetNative565(NativeDisplay& theNative) {
  theNative.mRGBBits = 16;
  theNative.mRedMask = 0xF800;
  theNative.mGreenMask = 0x07E0;
  theNative.mBlueMask = 0x001F;
  theNative.mRedBits = 5;
  theNative.mGreenBits = 6;
  theNative.mBlueBits = 5;
  theNative.mRedShift = 11;
  theNative.mGreenShift = 5;
  theNative.mBlueShift = 0;
}

class FakeImageRegistry : public ImageRegistry {
 public:
  std::set<MemoryImage*> mImages;
  std::vector<MemoryImage*> mRemoved3D;
  bool mIs3D = false;
  NativeDisplay mNative;
  bool mHasDisplay = true;

  FakeImageRegistry() { SetNative888(mNative); }

  void AddMemoryImage(MemoryImage* theImage) override { mImages.insert(theImage); }
  void RemoveMemoryImage(MemoryImage* theImage) override {
    if (mImages.erase(theImage)) Remove3DData(theImage);
  }
  void Remove3DData(MemoryImage* theImage) override { mRemoved3D.push_back(theImage); }
  bool Is3DAccelerated() override { return mIs3D; }
  NativeDisplay* GetNativeDisplay() override { return mHasDisplay ? &mNative : nullptr; }
};

}  // namespace Tesk
