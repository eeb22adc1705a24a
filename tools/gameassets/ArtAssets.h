#pragma once
// The art half of the resource set: every image the manifest names and every image block.
#include <cstdint>
#include <string>
#include <vector>

#include "ImageWriters.h"

namespace GameAssets {

// How an image resource is stored; each kind the image readers take is used somewhere.
enum class ImageFormat {
  Png,         // 32-bit RGBA PNG
  PngPalette,  // palettised PNG with a transparency chunk
  Jpeg,        // opaque JPEG
  JpegAlpha,   // JPEG colours with a separate grey alpha image ("alphaimage")
  Tga,         // 32-bit TGA
  Gif,         // GIF with a transparent index
  PngGrid,     // PNG colours with one alpha cel for every cel ("alphagrid")
};

struct ImageResource {
  std::string mGroup;
  std::string mId;
  std::string mFile;  // relative to the resources folder
  ImageFormat mFormat = ImageFormat::Png;
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint32_t> mPixels;  // straight alpha
  int mRows = 1, mCols = 1;
  std::string mAttributes;        // further manifest attributes
  std::vector<uint32_t> mGridAlpha;  // one cel of alpha, for PngGrid
};

struct ImageBlockFile {
  std::string mPath;  // builddata/...
  std::vector<TeskTools::BlockImage> mImages;
};

// Every image resource, in the manifest's order, and every block except the locations'.
std::vector<ImageResource> ImageResources();
std::vector<ImageBlockFile> InterfaceBlocks();

}  // namespace GameAssets
