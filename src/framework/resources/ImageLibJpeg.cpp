// JPEG through libjpeg, with a source manager over the archive-aware file API.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <memory>

#include "resources/CxImage.h"
#include "resources/ImageFileBytes.h"
#include "resources/ImageLib.h"
#include "resources/SFOperator.h"

namespace ImageLib {

namespace {

constexpr size_t k_SourceBufferSize = 4096;

struct PakErrorMgr {
  jpeg_error_mgr mPub;
  jmp_buf mJump;
};

// The library prints its message, then the reader gets control back instead of the process ending.
void my_error_exit(j_common_ptr theInfo) {
  (*theInfo->err->output_message)(theInfo);
  longjmp(reinterpret_cast<PakErrorMgr*>(theInfo->err)->mJump, 1);
}

struct PakSourceMgr {
  jpeg_source_mgr mPub;
  PFILE* mFile;
  JOCTET* mBuffer;
  bool mStartOfFile;
  bool mAtEnd;  // a cut file: the library may ask again and again, and gets the end marker
};

void init_source(j_decompress_ptr theInfo) {
  reinterpret_cast<PakSourceMgr*>(theInfo->src)->mStartOfFile = true;
  reinterpret_cast<PakSourceMgr*>(theInfo->src)->mAtEnd = false;
}

boolean fill_input_buffer(j_decompress_ptr theInfo) {
  PakSourceMgr* aSrc = reinterpret_cast<PakSourceMgr*>(theInfo->src);
  int aCount =
      aSrc->mAtEnd ? 0 : p_fread(aSrc->mBuffer, 1, static_cast<int>(k_SourceBufferSize), aSrc->mFile);
  if (aCount <= 0) {
    aSrc->mAtEnd = true;
    if (aSrc->mStartOfFile) ERREXIT(theInfo, JERR_INPUT_EMPTY);
    WARNMS(theInfo, JWRN_JPEG_EOF);
    aSrc->mBuffer[0] = 0xFF;
    aSrc->mBuffer[1] = JPEG_EOI;
    aCount = 2;
  }
  aSrc->mPub.next_input_byte = aSrc->mBuffer;
  aSrc->mPub.bytes_in_buffer = static_cast<size_t>(aCount);
  aSrc->mStartOfFile = false;
  return TRUE;
}

void skip_input_data(j_decompress_ptr theInfo, long theCount) {
  if (theCount <= 0) return;
  jpeg_source_mgr* aSrc = theInfo->src;
  while (theCount > static_cast<long>(aSrc->bytes_in_buffer)) {
    theCount -= static_cast<long>(aSrc->bytes_in_buffer);
    fill_input_buffer(theInfo);
  }
  aSrc->next_input_byte += theCount;
  aSrc->bytes_in_buffer -= static_cast<size_t>(theCount);
}

void term_source(j_decompress_ptr) {}

void jpeg_pak_src(j_decompress_ptr theInfo, PFILE* theFile) {
  if (theInfo->src == nullptr) {
    PakSourceMgr* aSrc = static_cast<PakSourceMgr*>((*theInfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(theInfo), JPOOL_PERMANENT, sizeof(PakSourceMgr)));
    aSrc->mBuffer = static_cast<JOCTET*>((*theInfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(theInfo),
                                                                      JPOOL_PERMANENT, k_SourceBufferSize));
    theInfo->src = &aSrc->mPub;
  }
  PakSourceMgr* aSrc = reinterpret_cast<PakSourceMgr*>(theInfo->src);
  aSrc->mPub.init_source = init_source;
  aSrc->mPub.fill_input_buffer = fill_input_buffer;
  aSrc->mPub.skip_input_data = skip_input_data;
  aSrc->mPub.resync_to_restart = jpeg_resync_to_restart;
  aSrc->mPub.term_source = term_source;
  aSrc->mPub.bytes_in_buffer = 0;
  aSrc->mPub.next_input_byte = nullptr;
  aSrc->mFile = theFile;
}

// Corrupt files are normal input for the fuzzer; it sets this to keep its log readable.
bool gQuietJpeg = false;

void quiet_output_message(j_common_ptr) {}

// Everything a decode works on, owned by the caller: the function that calls setjmp keeps no
// variable of its own that a jump back to it could find stale.
struct JpegDecode {
  jpeg_decompress_struct mInfo{};
  PakErrorMgr mErr{};
  std::unique_ptr<Image> mImage;
};

// Reads theFile into theDecode.mImage; false when the library gave up on it.
bool DecodeJpeg(PFILE* theFile, JpegDecode& theDecode) {
  if (setjmp(theDecode.mErr.mJump)) return false;
  j_decompress_ptr anInfo = &theDecode.mInfo;
  jpeg_create_decompress(anInfo);
  // Keeps a lying header from making the library buffer gigabytes.
  anInfo->mem->max_memory_to_use = 512L * 1024 * 1024;
  jpeg_pak_src(anInfo, theFile);
  jpeg_read_header(anInfo, TRUE);
  if (!SizeAllowed(anInfo->image_width, anInfo->image_height)) ERREXIT(anInfo, JERR_IMAGE_TOO_BIG);
  // The library writes 0xAARRGGBB words straight into the rows, from grey as from colour.
  // Four-component (CMYK) files are refused rather than misread.
  if (anInfo->num_components != 1 && anInfo->num_components != 3) ERREXIT(anInfo, JERR_CONVERSION_NOTIMPL);
  anInfo->out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(anInfo);
  if (anInfo->output_components != 4) ERREXIT(anInfo, JERR_CONVERSION_NOTIMPL);

  const int aWidth = static_cast<int>(anInfo->output_width);
  const int aHeight = static_cast<int>(anInfo->output_height);
  theDecode.mImage = std::make_unique<Image>();
  theDecode.mImage->mWidth = aWidth;
  theDecode.mImage->mHeight = aHeight;
  theDecode.mImage->mBits = new uint32_t[static_cast<size_t>(aWidth) * aHeight];
  while (anInfo->output_scanline < anInfo->output_height) {
    JSAMPROW aRow = reinterpret_cast<JSAMPROW>(theDecode.mImage->mBits +
                                               static_cast<size_t>(anInfo->output_scanline) * aWidth);
    jpeg_read_scanlines(anInfo, &aRow, 1);
  }
  jpeg_finish_decompress(anInfo);
  return true;
}

}  // namespace

void SetJpegMessagesQuiet(bool theQuiet) { gQuietJpeg = theQuiet; }

Image* GetJPEGImage(const std::string& theFileName) {
  if (archBase != nullptr) return GetPackedImage(theFileName, CxImage::k_FormatJpg);
  PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
  if (aFile == nullptr) return nullptr;
  PFileCloser aCloser{aFile};

  auto aDecode = std::make_unique<JpegDecode>();
  aDecode->mInfo.err = jpeg_std_error(&aDecode->mErr.mPub);
  aDecode->mErr.mPub.error_exit = my_error_exit;
  if (gQuietJpeg) aDecode->mErr.mPub.output_message = quiet_output_message;
  const bool isRead = DecodeJpeg(aFile, *aDecode);
  // Also after an error; a structure the library never got to set up holds nothing to free.
  jpeg_destroy_decompress(&aDecode->mInfo);
  return isRead ? aDecode->mImage.release() : nullptr;
}

}  // namespace ImageLib
