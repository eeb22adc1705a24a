// A complete resource set from tables: the manifest, every image, font and sound file it
// names (each image format the readers take, separate alpha images and grids, animations,
// bitmap fonts with tags, !ref and !sys fonts, !program images), image blocks, and the same
// files packed into an archive. The game's asset build extends the tables.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

enum class ResourceKind { Image, Sound, Font };

// How a resource's file is made; None for paths the program or another font supplies.
enum class FileFormat {
  None,
  PngRgba,
  PngRgb,
  PngPalette,  // with a transparency chunk
  PngGrey,
  JpegColor,
  JpegGrey,
  Tga32,          // top-down
  Tga32BottomUp,  // bottom-up
  Tga8,           // colour-mapped
  Gif,            // with a transparent index
  GifInterlaced,  // interlaced, with a transparent index
  Wav,
  Ogg,
  Au,
  FontDescriptor,  // a glyph sheet and its descriptor (three layers, tags "shadow" and "plain")
};

// The separate alpha file an image gets.
enum class AlphaFile {
  None,
  Image,      // alphaimage="<stem>_a.png", the image's size
  Grid,       // alphagrid="<stem>_grid.png", one cel in size
  AutoFound,  // "_<file>" beside the image, which the image reader finds by itself
  Only,       // only "_<file>" exists: the reader composes it with the alpha colour
};

struct ResourceSpec {
  ResourceKind mKind = ResourceKind::Image;
  std::string mId;    // without the group's id prefix; empty: the reader takes the file name
  std::string mPath;  // as the manifest writes it (relative to the group's folder, or "!...")
  FileFormat mFormat = FileFormat::None;
  // The file's name in the folder when it differs from mPath (an image path given without
  // its extension, a sound path that the sound manager completes).
  std::string mFile;
  int mWidth = 0;
  int mHeight = 0;
  int mRows = 1;
  int mCols = 1;
  AlphaFile mAlpha = AlphaFile::None;
  std::string mAttributes;  // further manifest attributes, written as they stand
};

// One Resources element; each kind of resource sits in its own folder with its own id prefix.
struct GroupSpec {
  std::string mName;
  std::vector<ResourceSpec> mResources;
};

// A loose image block file (.tgab) of palettised images.
struct BlockSpec {
  std::string mPath;  // relative to the set's folder
  int mCount = 0;
  int mWidth = 0;
  int mHeight = 0;
};

struct ResourceSetSpec {
  std::string mManifestPath = "properties/resources.xml";
  std::string mImageFolder = "images";
  std::string mSoundFolder = "sounds";
  std::string mFontFolder = "fonts";
  std::string mImagePrefix = "IMAGE_";
  std::string mSoundPrefix = "SFX_";
  std::string mFontPrefix = "FONT_";
  std::vector<GroupSpec> mGroups;
  std::vector<BlockSpec> mBlocks;
};

// The set the tests and benchmarks load: groups "Constants", "Init", "Main" and "Title".
ResourceSetSpec DefaultResourceSet();

// The manifest text of a set.
std::string ResourceManifestText(const ResourceSetSpec& theSpec);

// The pixels an image resource (or block image) is drawn with: a pattern of its own for
// every seed, 0xAARRGGBB rows from the top. Palette formats keep to at most 64 colours.
std::vector<uint32_t> ResourcePixels(int theSeed, int theWidth, int theHeight, bool theFewColours);

// Writes the manifest and every file into theDir (folders created); false with a reason.
bool WriteResourceSet(const ResourceSetSpec& theSpec, const std::string& theDir, std::string* theError);

// Packs every file under theDir except archives into thePakPath, names relative to theDir.
bool WriteResourcePak(const std::string& theDir, const std::string& thePakPath, std::string* theError);

}  // namespace TeskTools
