// makefuzzseeds: writes the seed inputs of the fuzz targets whose formats the project's own
// writers make: images in every form the readers take, image blocks and sounds.
//   makefuzzseeds <corpus-dir>     (fuzz/corpus: one folder per target)
// The seeds are small, so that a run mutates them fast; each is named after what it shows.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "SoundWriter.h"

using namespace TeskTools;

namespace {

constexpr int k_W = 7, k_H = 5;

// Every kind of pixel: opaque, clear, half-transparent, varied colours.
std::vector<uint32_t> Pixels() {
  std::vector<uint32_t> aPixels(k_W * k_H);
  for (int i = 0; i < k_W * k_H; ++i)
    aPixels[i] = static_cast<uint32_t>((i * 53) & 0xFF) << 24 | static_cast<uint32_t>(i * 0x0A1B2C);
  aPixels[0] = 0xFF000000;
  aPixels[1] = 0x00000000;
  return aPixels;
}

std::vector<uint8_t> Indices(int theColors) {
  std::vector<uint8_t> anIndices(k_W * k_H);
  for (int i = 0; i < k_W * k_H; ++i) anIndices[i] = static_cast<uint8_t>((i * 3) % theColors);
  return anIndices;
}

const std::vector<uint32_t> k_Palette = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF};

class SeedFolder {
 public:
  SeedFolder(const std::string& theRoot, const std::string& theTarget) : mDir(theRoot + "/" + theTarget) {
    mkdir(mDir.c_str(), 0777);
  }
  void Bytes(const std::string& theName, const std::string& theBytes) {
    if (!WriteBytes(mDir + "/" + theName, theBytes)) Failed(theName);
  }
  std::string Path(const std::string& theName) const { return mDir + "/" + theName; }
  std::string Read(const std::string& theName) const {
    std::string aBytes;
    if (FILE* aFile = std::fopen(Path(theName).c_str(), "rb")) {
      char aBuffer[4096];
      for (size_t n; (n = std::fread(aBuffer, 1, sizeof aBuffer, aFile)) > 0;) aBytes.append(aBuffer, n);
      std::fclose(aFile);
    }
    return aBytes;
  }
  void Check(bool theWritten, const std::string& theName) {
    if (!theWritten) Failed(theName);
  }
  bool mOk = true;

 private:
  void Failed(const std::string& theName) {
    std::fprintf(stderr, "makefuzzseeds: cannot write %s/%s\n", mDir.c_str(), theName.c_str());
    mOk = false;
  }
  std::string mDir;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: makefuzzseeds <corpus-dir>\n");
    return 2;
  }
  const std::string aRoot = argv[1];
  const std::vector<uint32_t> aPixels = Pixels();
  const std::vector<uint8_t> anIndices = Indices(static_cast<int>(k_Palette.size()));
  bool anOk = true;

  SeedFolder aPng(aRoot, "imagelib_png");
  aPng.Check(WritePngFile(aPng.Path("rgba.png"), k_W, k_H, aPixels.data()), "rgba.png");
  aPng.Check(WritePngFile(aPng.Path("rgb_16bit_interlaced.png"), k_W, k_H, aPixels.data(),
                          {PngKind::Rgb, true, true}),
             "rgb_16bit_interlaced.png");
  aPng.Check(WritePngFile(aPng.Path("grey_alpha.png"), k_W, k_H, aPixels.data(), {PngKind::GreyAlpha}),
             "grey_alpha.png");
  std::vector<uint32_t> aPaletted(anIndices.size());
  for (size_t i = 0; i < anIndices.size(); ++i) aPaletted[i] = k_Palette[anIndices[i]];
  aPng.Check(WritePngFile(aPng.Path("palette_with_alpha.png"), k_W, k_H, aPaletted.data(), {PngKind::Palette}),
             "palette_with_alpha.png");
  // Chunks the reader skips: a comment and a private chunk, and a text chunk that declares
  // 2 GB in a file of a few bytes.
  const std::string aRgba = aPng.Read("rgba.png");
  aPng.Bytes(
      "text_and_private_chunks.png",
      PngWithChunk(PngWithChunk(aRgba, "tEXt", std::string("Comment\0seed", 12)), "prVt", "private", true));
  aPng.Bytes("declares_huge_text_chunk.png", PngDeclaringChunk(aRgba, "tEXt", 0x7FFFFFF0u));
  anOk &= aPng.mOk;

  SeedFolder aJpeg(aRoot, "imagelib_jpeg");
  aJpeg.Check(WriteJpegFile(aJpeg.Path("colour.jpg"), k_W, k_H, aPixels.data(), 80), "colour.jpg");
  aJpeg.Check(WriteJpegFile(aJpeg.Path("grey.jpg"), k_W, k_H, aPixels.data(), 80, true), "grey.jpg");
  anOk &= aJpeg.mOk;

  SeedFolder aTga(aRoot, "imagelib_tga");
  aTga.Bytes("top_down_32.tga", TgaBytes(k_W, k_H, aPixels.data(), true));
  aTga.Bytes("bottom_up_24.tga", TgaBytes(k_W, k_H, aPixels.data(), false, 24));
  aTga.Bytes("palette_24bit_map.tga", TgaBytes8(k_W, k_H, anIndices.data(), k_Palette, false, 24));
  aTga.Bytes("palette_32bit_map.tga", TgaBytes8(k_W, k_H, anIndices.data(), k_Palette, true));
  anOk &= aTga.mOk;

  SeedFolder aGif(aRoot, "imagelib_gif");
  aGif.Bytes("plain.gif", GifBytes(k_W, k_H, anIndices.data(), k_Palette));
  aGif.Bytes("transparent_interlaced.gif", GifBytes(k_W, k_H, anIndices.data(), k_Palette, 2, true));
  const std::vector<uint8_t> aTwo = Indices(2);
  aGif.Bytes("two_colours.gif", GifBytes(k_W, k_H, aTwo.data(), {0xFF000000, 0xFFFFFFFF}));
  anOk &= aGif.mOk;

  SeedFolder aBlock(aRoot, "imagelib_block");
  BlockImage aFirst{k_W, k_H, k_Palette, anIndices};
  BlockImage aSecond{3, 2, {0xFF102030, 0x00000000}, {0, 1, 1, 0, 1, 0}};
  aBlock.Bytes("two_images.tgab", ImageBlockBytes({aFirst, aSecond}));
  anOk &= aBlock.mOk;

  const std::vector<int16_t> aTone = SoundWriter::Tone(440, 64, 2, 22050, 12000);
  const std::vector<uint8_t> aTone16 = SoundWriter::Bytes16(aTone);
  std::vector<uint8_t> aTone8(64);
  for (size_t i = 0; i < aTone8.size(); ++i) aTone8[i] = static_cast<uint8_t>((aTone[2 * i] >> 8) + 128);

  SeedFolder aWav(aRoot, "SoundWavReader");
  aWav.Bytes("pcm16_stereo.wav", SoundWriter::Wav(aTone16, 2, 22050, 16));
  aWav.Bytes("pcm8_mono.wav", SoundWriter::Wav(aTone8, 1, 11025, 8));
  WavOptions aMarked;
  aMarked.mHasXor = true;
  aMarked.mXorKey = 0x5A;
  aMarked.mDepName = "tone.ogg";
  aMarked.mDepLowSeconds = 1234;
  aMarked.mExtraChunkBefore = "LIST";
  aWav.Bytes("xor_and_dep_chunks.wav", SoundWriter::Wav(aTone16, 2, 22050, 16, aMarked));
  WavOptions aReversed;
  aReversed.mReversedIds = true;
  aReversed.mDataBeforeFmt = true;
  aWav.Bytes("reversed_ids_data_first.wav", SoundWriter::Wav(aTone16, 2, 22050, 16, aReversed));
  anOk &= aWav.mOk;

  SeedFolder aMusic(aRoot, "MusicWavStream");
  aMusic.Bytes("pcm16_stereo.wav", SoundWriter::Wav(aTone16, 2, 22050, 16, aMarked));
  aMusic.Bytes("pcm8_mono.wav", SoundWriter::Wav(aTone8, 1, 11025, 8));
  anOk &= aMusic.mOk;

  SeedFolder anAu(aRoot, "SoundAuReader");
  std::vector<uint8_t> aMuLaw(64);
  for (size_t i = 0; i < aMuLaw.size(); ++i) aMuLaw[i] = static_cast<uint8_t>(i * 4);
  anAu.Bytes("mulaw_mono.au", SoundWriter::Au(aMuLaw, 1, 8000, 1));
  anAu.Bytes("linear8_stereo.au", SoundWriter::Au(aTone8, 2, 11025, 2));
  anAu.Bytes("size_unknown.au", SoundWriter::Au(aTone8, 2, 11025, 1, 0xFFFFFFFF, 32));
  anOk &= anAu.mOk;

  return anOk ? 0 : 1;
}
