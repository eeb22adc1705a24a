#include "ResourceSetWriter.h"

#include <strings.h>

#include <filesystem>

#include "FontSheetWriter.h"
#include "ImageWriters.h"
#include "PakWriter.h"
#include "SoundWriter.h"

namespace TeskTools {

namespace {

ResourceSpec Image(const std::string& theId, const std::string& thePath, FileFormat theFormat, int theWidth,
                   int theHeight, AlphaFile theAlpha = AlphaFile::None,
                   const std::string& theAttributes = "") {
  ResourceSpec aSpec;
  aSpec.mKind = ResourceKind::Image;
  aSpec.mId = theId;
  aSpec.mPath = thePath;
  aSpec.mFormat = theFormat;
  aSpec.mWidth = theWidth;
  aSpec.mHeight = theHeight;
  aSpec.mAlpha = theAlpha;
  aSpec.mAttributes = theAttributes;
  return aSpec;
}

ResourceSpec Strip(const std::string& theId, const std::string& thePath, const std::string& theFile,
                   int theRows, int theCols, int theCelSize, const std::string& theAttributes) {
  ResourceSpec aSpec = Image(theId, thePath, FileFormat::PngRgba, theCols * theCelSize, theRows * theCelSize,
                             AlphaFile::Grid, theAttributes);
  aSpec.mFile = theFile;
  aSpec.mRows = theRows;
  aSpec.mCols = theCols;
  return aSpec;
}

ResourceSpec Sound(const std::string& theId, const std::string& thePath, FileFormat theFormat,
                   const std::string& theAttributes = "") {
  ResourceSpec aSpec;
  aSpec.mKind = ResourceKind::Sound;
  aSpec.mId = theId;
  aSpec.mPath = thePath;
  aSpec.mFormat = theFormat;
  aSpec.mAttributes = theAttributes;
  return aSpec;
}

ResourceSpec Font(const std::string& theId, const std::string& thePath, FileFormat theFormat,
                  int thePixelSize, const std::string& theAttributes = "") {
  ResourceSpec aSpec;
  aSpec.mKind = ResourceKind::Font;
  aSpec.mId = theId;
  aSpec.mPath = thePath;
  aSpec.mFormat = theFormat;
  aSpec.mHeight = thePixelSize;
  aSpec.mAttributes = theAttributes;
  return aSpec;
}

std::string Stem(const std::string& theName) {
  const size_t aDot = theName.rfind('.');
  const size_t aSlash = theName.rfind('/');
  if (aDot == std::string::npos || (aSlash != std::string::npos && aDot < aSlash)) return theName;
  return theName.substr(0, aDot);
}

std::string WithPrefix(const std::string& theFile, const std::string& thePrefix) {
  const size_t aSlash = theFile.rfind('/');
  const size_t aStart = aSlash == std::string::npos ? 0 : aSlash + 1;
  return theFile.substr(0, aStart) + thePrefix + theFile.substr(aStart);
}

std::string AlphaImageName(const ResourceSpec& theSpec) { return Stem(theSpec.mPath) + "_a.png"; }
std::string AlphaGridName(const ResourceSpec& theSpec) { return Stem(theSpec.mPath) + "_grid.png"; }

const char* SoundExtension(FileFormat theFormat) {
  switch (theFormat) {
    case FileFormat::Wav:
      return ".wav";
    case FileFormat::Ogg:
      return ".ogg";
    case FileFormat::Au:
      return ".au";
    default:
      return "";
  }
}

// The file a resource's path names inside its folder.
std::string FileOf(const ResourceSpec& theSpec) {
  if (!theSpec.mFile.empty()) return theSpec.mFile;
  if (theSpec.mKind == ResourceKind::Sound) return theSpec.mPath + SoundExtension(theSpec.mFormat);
  return theSpec.mPath;
}

const std::string& FolderOf(const ResourceSetSpec& theSet, ResourceKind theKind) {
  if (theKind == ResourceKind::Sound) return theSet.mSoundFolder;
  if (theKind == ResourceKind::Font) return theSet.mFontFolder;
  return theSet.mImageFolder;
}

const std::string& PrefixOf(const ResourceSetSpec& theSet, ResourceKind theKind) {
  if (theKind == ResourceKind::Sound) return theSet.mSoundPrefix;
  if (theKind == ResourceKind::Font) return theSet.mFontPrefix;
  return theSet.mImagePrefix;
}

// A palettised picture: theCount colours (the first fully transparent when asked), bands
// and a checker so that every seed looks different.
void PaletteImage(int theSeed, int theWidth, int theHeight, int theCount, bool theTransparentFirst,
                  std::vector<uint8_t>* theIndices, std::vector<uint32_t>* thePalette) {
  thePalette->clear();
  for (int i = 0; i < theCount; ++i) {
    const uint32_t r = (i * 37 + theSeed * 59) & 0xFF;
    const uint32_t g = (i * 91 + theSeed * 23) & 0xFF;
    const uint32_t b = (i * 53 + theSeed * 71) & 0xFF;
    const uint32_t a = (theTransparentFirst && i == 0) ? 0 : (i % 5 == 4 ? 0x80 : 0xFF);
    thePalette->push_back(a << 24 | r << 16 | g << 8 | b);
  }
  theIndices->resize(static_cast<size_t>(theWidth) * theHeight);
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x)
      (*theIndices)[static_cast<size_t>(y) * theWidth + x] =
          static_cast<uint8_t>((x / 4 + y / 3 + theSeed + ((x ^ y) & 1) * 7) % theCount);
}

std::vector<uint32_t> GreyRamp(int theSeed, int theWidth, int theHeight) {
  std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight);
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x) {
      const uint32_t g = (x * 255 / (theWidth > 1 ? theWidth - 1 : 1) + y * 3 + theSeed * 40) & 0xFF;
      aPixels[static_cast<size_t>(y) * theWidth + x] = 0xFF000000 | g << 16 | g << 8 | g;
    }
  return aPixels;
}

// A grey picture in the format its name's extension asks for: the reader looks for a
// separate alpha file only under the image's own extension.
bool WriteGreyFile(const std::string& thePath, int theWidth, int theHeight,
                   const std::vector<uint32_t>& thePixels) {
  const size_t aDot = thePath.rfind('.');
  const std::string anExt = aDot == std::string::npos ? "" : thePath.substr(aDot);
  if (strcasecmp(anExt.c_str(), ".jpg") == 0)
    return WriteJpegFile(thePath, theWidth, theHeight, thePixels.data(), 95, true);
  if (strcasecmp(anExt.c_str(), ".tga") == 0)
    return WriteBytes(thePath, TgaBytes(theWidth, theHeight, thePixels.data(), true));
  return WritePngFile(thePath, theWidth, theHeight, thePixels.data(), PngOptions{PngKind::Grey});
}

bool Fail(std::string* theError, const std::string& theText) {
  if (theError) *theError = theText;
  return false;
}

bool WriteImageFile(const std::string& thePath, FileFormat theFormat, int theSeed, int theWidth,
                    int theHeight) {
  const uint32_t* aBits = nullptr;
  std::vector<uint32_t> aPixels;
  const bool aFew = theFormat == FileFormat::PngPalette || theFormat == FileFormat::Tga8 ||
                    theFormat == FileFormat::Gif || theFormat == FileFormat::GifInterlaced;
  aPixels = ResourcePixels(theSeed, theWidth, theHeight, aFew);
  aBits = aPixels.data();
  std::vector<uint8_t> anIndices;
  std::vector<uint32_t> aPalette;
  switch (theFormat) {
    case FileFormat::PngRgba:
      return WritePngFile(thePath, theWidth, theHeight, aBits);
    case FileFormat::PngRgb:
      return WritePngFile(thePath, theWidth, theHeight, aBits, PngOptions{PngKind::Rgb});
    case FileFormat::PngPalette:
      return WritePngFile(thePath, theWidth, theHeight, aBits, PngOptions{PngKind::Palette});
    case FileFormat::PngGrey:
      return WritePngFile(thePath, theWidth, theHeight, aBits, PngOptions{PngKind::Grey});
    case FileFormat::JpegColor:
      return WriteJpegFile(thePath, theWidth, theHeight, aBits);
    case FileFormat::JpegGrey:
      return WriteJpegFile(thePath, theWidth, theHeight, aBits, 95, true);
    case FileFormat::Tga32:
      return WriteBytes(thePath, TgaBytes(theWidth, theHeight, aBits, true));
    case FileFormat::Tga32BottomUp:
      return WriteBytes(thePath, TgaBytes(theWidth, theHeight, aBits, false));
    case FileFormat::Tga8:
      PaletteImage(theSeed, theWidth, theHeight, 64, false, &anIndices, &aPalette);
      return WriteBytes(thePath, TgaBytes8(theWidth, theHeight, anIndices.data(), aPalette, true));
    case FileFormat::Gif:
    case FileFormat::GifInterlaced:
      PaletteImage(theSeed, theWidth, theHeight, 64, true, &anIndices, &aPalette);
      return WriteBytes(thePath, GifBytes(theWidth, theHeight, anIndices.data(), aPalette, 0,
                                          theFormat == FileFormat::GifInterlaced));
    default:
      return false;
  }
}

bool WriteSoundFile(const std::string& thePath, FileFormat theFormat, int theSeed) {
  const int aRate = 22050;
  const std::vector<int16_t> aTone = SoundWriter::Tone(330.0 + 55.0 * theSeed, aRate / 10, 1, aRate, 8000);
  switch (theFormat) {
    case FileFormat::Wav:
      return WriteBytes(thePath, SoundWriter::Wav(SoundWriter::Bytes16(aTone), 1, aRate, 16));
    case FileFormat::Ogg: {
      const std::string aBytes = SoundWriter::Ogg(aTone, 1, aRate);
      return !aBytes.empty() && WriteBytes(thePath, aBytes);
    }
    case FileFormat::Au: {
      // 8-bit linear samples from the tone's high bytes.
      std::vector<uint8_t> aBytes;
      for (int16_t s : aTone) aBytes.push_back(static_cast<uint8_t>(s >> 8));
      return WriteBytes(thePath, SoundWriter::Au(aBytes, 2, 8000, 1));
    }
    default:
      return false;
  }
}

}  // namespace

std::vector<uint32_t> ResourcePixels(int theSeed, int theWidth, int theHeight, bool theFewColours) {
  std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight);
  if (theFewColours) {
    std::vector<uint8_t> anIndices;
    std::vector<uint32_t> aPalette;
    PaletteImage(theSeed, theWidth, theHeight, 64, false, &anIndices, &aPalette);
    for (size_t i = 0; i < aPixels.size(); ++i) aPixels[i] = aPalette[anIndices[i]];
    return aPixels;
  }
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x) {
      const uint32_t r = (x * 7 + theSeed * 31) & 0xFF;
      const uint32_t g = (y * 5 + theSeed * 17) & 0xFF;
      const uint32_t b = ((x ^ y) * 3 + theSeed * 13) & 0xFF;
      // Opaque, with a transparent corner and a translucent diagonal.
      uint32_t a = 0xFF;
      if (x < 2 && y < 2)
        a = 0;
      else if ((x + y) % 9 == 0)
        a = 0x60;
      aPixels[static_cast<size_t>(y) * theWidth + x] = a << 24 | r << 16 | g << 8 | b;
    }
  return aPixels;
}

ResourceSetSpec DefaultResourceSet() {
  ResourceSetSpec aSet;
  aSet.mGroups = {
      {"Constants",
       {
           Sound("HOVER", "hover", FileFormat::Wav, "volume=\"0.8\""),
       }},
      {"Init",
       {
           Image("LOGO", "logo.png", FileFormat::PngRgba, 64, 48),
           Image("SCREEN", "!program", FileFormat::None, 0, 0),
           Font("SYSTEM", "!sys:Arial", FileFormat::None, 0, "size=\"12\" bold"),
           Font("MEDIUM", "medium.txt", FileFormat::FontDescriptor, 16, "tags=\"shadow\""),
           Sound("CLICK", "click", FileFormat::Wav, "volume=\"0.5\" pan=\"-200\""),
       }},
      {"Main",
       {
           Image("TITLE", "title.jpg", FileFormat::JpegColor, 96, 64, AlphaFile::Image, "nopal"),
           Image("BACKDROP", "backdrop.tga", FileFormat::Tga32, 80, 60),
           Image("SHADOW", "shadow.tga", FileFormat::Tga32BottomUp, 40, 30),
           Image("TILES", "tiles.tga", FileFormat::Tga8, 48, 32),
           Image("ICONS", "icons.gif", FileFormat::Gif, 40, 40, AlphaFile::Image),
           Image("WISPS", "wisps.gif", FileFormat::GifInterlaced, 33, 21),
           Image("PANEL", "panel.png", FileFormat::PngPalette, 50, 30, AlphaFile::None, "ddsurface"),
           Image("PAPER", "paper.png", FileFormat::PngGrey, 32, 32, AlphaFile::None, "nopal"),
           Image("BUTTON", "button.jpg", FileFormat::JpegGrey, 48, 24, AlphaFile::AutoFound, "nopal"),
           Image("GLOW", "glow.png", FileFormat::None, 24, 24, AlphaFile::Only,
                 "alphacolor=\"ff8000\" nopal"),
           Image("SKY", "sky.png", FileFormat::PngRgb, 70, 40, AlphaFile::None,
                 "nopal minsubdivide a8r8g8b8"),
           Strip("SPARKLE", "sparkle", "sparkle.png", 1, 4, 16,
                 "anim=\"loop\" framedelay=\"5\" perframedelay=\"5,5,10,20\" nopal"),
           Strip("FAIRY", "fairy.png", "", 2, 4, 32, "anim=\"pingpong\" framedelay=\"3\" nopal"),
           Font("SMALL", "small.txt", FileFormat::FontDescriptor, 11, "tags=\"plain\""),
           Font("MEDIUM_PLAIN", "!ref:FONT_MEDIUM", FileFormat::None, 0, "tags=\"plain\""),
           Font("SERIF", "!sys:Times", FileFormat::None, 0, "size=\"14\" italic underline shadow"),
           Sound("CHIME", "chime", FileFormat::Ogg),
           Sound("BEEP", "beep", FileFormat::Au, "pan=\"300\""),
           Sound("DING", "ding", FileFormat::Wav, "volume=\"0\""),
       }},
      {"Title",
       {
           Image("TITLE_BACK", "title_back.jpg", FileFormat::JpegColor, 120, 90, AlphaFile::None, "nopal"),
           Image("TITLE_FRAME", "title_frame.png", FileFormat::PngRgba, 60, 20),
           Font("TITLE", "!ref:FONT_MEDIUM", FileFormat::None, 0, "tags=\"plain\""),
           Sound("THEME", "theme", FileFormat::Ogg, "volume=\"0.25\""),
       }},
  };
  aSet.mBlocks = {{"builddata/titleblock.tgab", 3, 40, 24}, {"builddata/animsblock.tgab", 2, 16, 16}};
  return aSet;
}

std::string ResourceManifestText(const ResourceSetSpec& theSpec) {
  static const char* const kElement[] = {"Image", "Sound", "Font"};
  std::string aText = "<?xml version=\"1.0\"?>\n<ResourceManifest>\n";
  aText += "  <!-- generated by makeresources -->\n";
  for (const GroupSpec& aGroup : theSpec.mGroups) {
    aText += "  <Resources id=\"" + aGroup.mName + "\">\n";
    bool aHaveKind = false;
    ResourceKind aKind = ResourceKind::Image;
    for (const ResourceSpec& aRes : aGroup.mResources) {
      if (!aHaveKind || aRes.mKind != aKind) {
        aKind = aRes.mKind;
        aHaveKind = true;
        aText += "    <SetDefaults path=\"" + FolderOf(theSpec, aKind) + "\" idprefix=\"" +
                 PrefixOf(theSpec, aKind) + "\" />\n";
      }
      aText += std::string("    <") + kElement[static_cast<int>(aRes.mKind)];
      if (!aRes.mId.empty()) aText += " id=\"" + aRes.mId + "\"";
      aText += " path=\"" + aRes.mPath + "\"";
      if (aRes.mRows != 1) aText += " rows=\"" + std::to_string(aRes.mRows) + "\"";
      if (aRes.mCols != 1) aText += " cols=\"" + std::to_string(aRes.mCols) + "\"";
      if (aRes.mAlpha == AlphaFile::Image) aText += " alphaimage=\"" + AlphaImageName(aRes) + "\"";
      if (aRes.mAlpha == AlphaFile::Grid) aText += " alphagrid=\"" + AlphaGridName(aRes) + "\"";
      if (!aRes.mAttributes.empty()) aText += " " + aRes.mAttributes;
      // The space before the slash matters: "bold/>" would be an attribute named "bold/".
      aText += " />\n";
    }
    aText += "  </Resources>\n";
  }
  aText += "</ResourceManifest>\n";
  return aText;
}

bool WriteResourceSet(const ResourceSetSpec& theSpec, const std::string& theDir, std::string* theError) {
  namespace fs = std::filesystem;
  std::error_code anError;
  auto MakeDirFor = [&](const std::string& thePath) {
    fs::create_directories(fs::path(thePath).parent_path(), anError);
    return !anError;
  };

  const std::string aManifest = theDir + "/" + theSpec.mManifestPath;
  if (!MakeDirFor(aManifest) || !WriteBytes(aManifest, ResourceManifestText(theSpec)))
    return Fail(theError, "cannot write " + aManifest);

  int aSeed = 0;
  for (const GroupSpec& aGroup : theSpec.mGroups) {
    for (const ResourceSpec& aRes : aGroup.mResources) {
      ++aSeed;
      if (aRes.mPath.empty() || aRes.mPath[0] == '!') continue;
      const std::string aFolder = theDir + "/" + FolderOf(theSpec, aRes.mKind) + "/";
      const std::string aPath = aFolder + FileOf(aRes);
      if (!MakeDirFor(aPath)) return Fail(theError, "cannot make the folder of " + aPath);

      bool aWritten = true;
      if (aRes.mKind == ResourceKind::Image) {
        if (aRes.mAlpha != AlphaFile::Only)
          aWritten = WriteImageFile(aPath, aRes.mFormat, aSeed, aRes.mWidth, aRes.mHeight);
        if (aWritten && aRes.mAlpha == AlphaFile::Image)
          aWritten = WritePngFile(aFolder + AlphaImageName(aRes), aRes.mWidth, aRes.mHeight,
                                  GreyRamp(aSeed, aRes.mWidth, aRes.mHeight).data());
        if (aWritten && aRes.mAlpha == AlphaFile::Grid) {
          const int aCelWidth = aRes.mWidth / aRes.mCols;
          const int aCelHeight = aRes.mHeight / aRes.mRows;
          aWritten = WritePngFile(aFolder + AlphaGridName(aRes), aCelWidth, aCelHeight,
                                  GreyRamp(aSeed, aCelWidth, aCelHeight).data());
        }
        if (aWritten && (aRes.mAlpha == AlphaFile::AutoFound || aRes.mAlpha == AlphaFile::Only))
          aWritten = WriteGreyFile(WithPrefix(aPath, "_"), aRes.mWidth, aRes.mHeight,
                                   GreyRamp(aSeed + 7, aRes.mWidth, aRes.mHeight));
      } else if (aRes.mKind == ResourceKind::Sound) {
        aWritten = WriteSoundFile(aPath, aRes.mFormat, aSeed);
      } else if (aRes.mFormat == FileFormat::FontDescriptor) {
        FontSheetOptions aSheet;
        aSheet.mPixelSize = aRes.mHeight;
        aSheet.mChars = AsciiChars();
        DescriptorOptions aDesc;
        // Every other font's descriptor is 16-bit text, so both encodings are read.
        aDesc.mSixteenBit = aSeed % 2 == 0;
        std::string aFontError;
        const fs::path aFile(aPath);
        if (!WriteFontFiles(aSheet, aDesc, aFile.parent_path().string(), aFile.stem().string(), &aFontError))
          return Fail(theError, aFontError);
      } else {
        aWritten = false;
      }
      if (!aWritten) return Fail(theError, "cannot write " + aPath);
    }
  }

  for (const BlockSpec& aBlock : theSpec.mBlocks) {
    ++aSeed;
    std::vector<BlockImage> anImages;
    for (int i = 0; i < aBlock.mCount; ++i) {
      BlockImage anImage;
      anImage.mWidth = aBlock.mWidth + i;
      anImage.mHeight = aBlock.mHeight;
      PaletteImage(aSeed * 10 + i, anImage.mWidth, anImage.mHeight, 32 + i, true, &anImage.mIndices,
                   &anImage.mPalette);
      anImages.push_back(std::move(anImage));
    }
    const std::string aPath = theDir + "/" + aBlock.mPath;
    if (!MakeDirFor(aPath) || !WriteBytes(aPath, ImageBlockBytes(anImages)))
      return Fail(theError, "cannot write " + aPath);
  }
  return true;
}

bool WriteResourcePak(const std::string& theDir, const std::string& thePakPath, std::string* theError) {
  PakWriter aWriter;
  if (!aWriter.AddFolder(theDir, {".pak"})) return Fail(theError, "cannot read " + theDir);
  if (!aWriter.WriteFile(thePakPath)) return Fail(theError, "cannot write " + thePakPath);
  return true;
}

}  // namespace TeskTools
