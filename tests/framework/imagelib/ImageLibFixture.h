// Scratch folder with no archive current, and helpers that compare decoded images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "resources/ImageLib.h"
#include "resources/PakInterfaceBase.h"
#include "support/TestTemp.h"

class ImageLibFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = TeskTest::MakeTempDir("imagelib") + "/";
    mOldPak = *gPakInterfaceP;
    *gPakInterfaceP = nullptr;
  }
  void TearDown() override { *gPakInterfaceP = mOldPak; }

  std::string Path(const std::string& theName) const { return mDir + theName; }

  // A small image with every kind of pixel: opaque, clear, half-transparent, varied colours.
  static std::vector<uint32_t> Pattern(int theWidth, int theHeight, bool theOpaque = false) {
    std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight);
    for (int y = 0; y < theHeight; ++y)
      for (int x = 0; x < theWidth; ++x) {
        uint32_t a = theOpaque ? 255 : static_cast<uint32_t>((x * 37 + y * 11) & 0xFF);
        aPixels[static_cast<size_t>(y) * theWidth + x] =
            a << 24 | static_cast<uint32_t>(x * 13 & 0xFF) << 16 | static_cast<uint32_t>(y * 7 & 0xFF) << 8 |
            static_cast<uint32_t>((x ^ y) & 0xFF);
      }
    return aPixels;
  }

  static std::vector<uint32_t> Pixels(const ImageLib::Image& theImage) {
    if (theImage.mBits == nullptr) return {};
    return std::vector<uint32_t>(theImage.mBits,
                                 theImage.mBits + static_cast<size_t>(theImage.mWidth) * theImage.mHeight);
  }

  std::string mDir;
  PakInterfaceBase* mOldPak = nullptr;
};

using ImagePtr = std::unique_ptr<ImageLib::Image>;
