// Decoding a large PNG and JPEG through the readers against calling libpng's simplified API
// and libjpeg directly on the same files.
#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <memory>
#include <string>
#include <vector>

#include "ImageWriters.h"
#include "resources/ImageLib.h"

namespace {

constexpr int k_W = 2048;
constexpr int k_H = 1536;

struct Files {
  std::string mPng = "/tmp/bench_imagelib_" + std::to_string(getpid()) + ".png";
  std::string mJpeg = "/tmp/bench_imagelib_" + std::to_string(getpid()) + ".jpg";
  Files() {
    std::vector<uint32_t> aPixels(static_cast<size_t>(k_W) * k_H);
    for (int y = 0; y < k_H; ++y)
      for (int x = 0; x < k_W; ++x)
        aPixels[static_cast<size_t>(y) * k_W + x] = static_cast<uint32_t>((x * y) & 0xFF) << 24 |
                                                    (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x + y) & 0xFF);
    TeskTools::WritePngFile(mPng, k_W, k_H, aPixels.data());
    TeskTools::WriteJpegFile(mJpeg, k_W, k_H, aPixels.data(), 90);
  }
  ~Files() {
    unlink(mPng.c_str());
    unlink(mJpeg.c_str());
  }
};

const Files& GetFiles() {
  static Files sFiles;
  return sFiles;
}

void BM_ReaderPng(benchmark::State& theState) {
  const Files& aFiles = GetFiles();
  for (auto _ : theState) {
    std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetPNGImage(aFiles.mPng));
    benchmark::DoNotOptimize(anImage.get());
  }
}

void BM_LibpngDirect(benchmark::State& theState) {
  const Files& aFiles = GetFiles();
  std::vector<uint32_t> aPixels(static_cast<size_t>(k_W) * k_H);
  for (auto _ : theState) {
    png_image anImage = {};
    anImage.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_file(&anImage, aFiles.mPng.c_str());
    anImage.format = PNG_FORMAT_BGRA;
    png_image_finish_read(&anImage, nullptr, aPixels.data(), 0, nullptr);
    benchmark::DoNotOptimize(aPixels.data());
  }
}

void BM_ReaderJpeg(benchmark::State& theState) {
  const Files& aFiles = GetFiles();
  for (auto _ : theState) {
    std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetJPEGImage(aFiles.mJpeg));
    benchmark::DoNotOptimize(anImage.get());
  }
}

void BM_LibjpegDirect(benchmark::State& theState) {
  const Files& aFiles = GetFiles();
  std::vector<uint8_t> aPixels(static_cast<size_t>(k_W) * k_H * 3);
  for (auto _ : theState) {
    FILE* aFile = fopen(aFiles.mJpeg.c_str(), "rb");
    jpeg_decompress_struct anInfo;
    jpeg_error_mgr anErr;
    anInfo.err = jpeg_std_error(&anErr);
    jpeg_create_decompress(&anInfo);
    jpeg_stdio_src(&anInfo, aFile);
    jpeg_read_header(&anInfo, TRUE);
    jpeg_start_decompress(&anInfo);
    while (anInfo.output_scanline < anInfo.output_height) {
      JSAMPROW aRow = aPixels.data() + static_cast<size_t>(anInfo.output_scanline) * k_W * 3;
      jpeg_read_scanlines(&anInfo, &aRow, 1);
    }
    jpeg_finish_decompress(&anInfo);
    jpeg_destroy_decompress(&anInfo);
    fclose(aFile);
    benchmark::DoNotOptimize(aPixels.data());
  }
}

}  // namespace

BENCHMARK(BM_ReaderPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibpngDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegDirect)->Unit(benchmark::kMillisecond);
