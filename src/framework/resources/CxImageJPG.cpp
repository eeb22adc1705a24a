#include "resources/CxImageJPG.h"

#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>

#include "resources/CxExifInfo.h"
#include "resources/CxFile.h"
#include "resources/ImageLib.h"

struct CxImageJPG::CxFileJpg {
  static constexpr size_t k_BufferSize = 4096;

  jpeg_source_mgr mPub;
  CxFile* mFile;
  JOCTET* mBuffer;
  bool mStartOfFile;

  static void init_source(j_decompress_ptr theInfo) { Of(theInfo)->mStartOfFile = true; }

  static boolean fill_input_buffer(j_decompress_ptr theInfo) {
    CxFileJpg* aSrc = Of(theInfo);
    size_t aCount = aSrc->mFile->Read(aSrc->mBuffer, 1, k_BufferSize);
    if (aCount == 0) {
      if (aSrc->mStartOfFile) ERREXIT(theInfo, JERR_INPUT_EMPTY);
      WARNMS(theInfo, JWRN_JPEG_EOF);
      // A fake end-of-image marker lets the library finish what it has.
      aSrc->mBuffer[0] = 0xFF;
      aSrc->mBuffer[1] = JPEG_EOI;
      aCount = 2;
    }
    aSrc->mPub.next_input_byte = aSrc->mBuffer;
    aSrc->mPub.bytes_in_buffer = aCount;
    aSrc->mStartOfFile = false;
    return TRUE;
  }

  static void skip_input_data(j_decompress_ptr theInfo, long theCount) {
    if (theCount <= 0) return;
    jpeg_source_mgr* aSrc = theInfo->src;
    while (theCount > static_cast<long>(aSrc->bytes_in_buffer)) {
      theCount -= static_cast<long>(aSrc->bytes_in_buffer);
      fill_input_buffer(theInfo);
    }
    aSrc->next_input_byte += theCount;
    aSrc->bytes_in_buffer -= static_cast<size_t>(theCount);
  }

  static void term_source(j_decompress_ptr) {}

  static CxFileJpg* Of(j_decompress_ptr theInfo) { return reinterpret_cast<CxFileJpg*>(theInfo->src); }

  static void Install(j_decompress_ptr theInfo, CxFile* theFile) {
    j_common_ptr aCommon = reinterpret_cast<j_common_ptr>(theInfo);
    CxFileJpg* aSrc =
        static_cast<CxFileJpg*>((*theInfo->mem->alloc_small)(aCommon, JPOOL_PERMANENT, sizeof(CxFileJpg)));
    aSrc->mBuffer =
        static_cast<JOCTET*>((*theInfo->mem->alloc_small)(aCommon, JPOOL_PERMANENT, k_BufferSize));
    aSrc->mPub.init_source = init_source;
    aSrc->mPub.fill_input_buffer = fill_input_buffer;
    aSrc->mPub.skip_input_data = skip_input_data;
    aSrc->mPub.resync_to_restart = jpeg_resync_to_restart;
    aSrc->mPub.term_source = term_source;
    aSrc->mPub.bytes_in_buffer = 0;
    aSrc->mPub.next_input_byte = nullptr;
    aSrc->mFile = theFile;
    aSrc->mStartOfFile = true;
    theInfo->src = &aSrc->mPub;
  }
};

namespace {

struct JpgErrorMgr {
  jpeg_error_mgr mPub;
  jmp_buf mJump;
  char mMessage[JMSG_LENGTH_MAX];
};

// The message becomes the image's last error; nothing is printed.
void error_exit(j_common_ptr theInfo) {
  JpgErrorMgr* anErr = reinterpret_cast<JpgErrorMgr*>(theInfo->err);
  (*theInfo->err->format_message)(theInfo, anErr->mMessage);
  longjmp(anErr->mJump, 1);
}

void output_message(j_common_ptr) {}

}  // namespace

CxImageJPG::CxImageJPG() : mExifInfo(std::make_unique<CxExifInfo>()) {}

CxImageJPG::~CxImageJPG() = default;

bool CxImageJPG::Decode(CxFile* theFile) {
  if (theFile == nullptr) return false;
  const int32_t aStart = theFile->Tell();
  mExifInfo->DecodeExif(theFile, CxExifInfo::k_ReadExif);
  theFile->Seek(aStart, 0);

  // Behind pointers set before the jump, so that an error still frees them.
  auto anInfo = std::make_unique<jpeg_decompress_struct>();
  auto anErr = std::make_unique<JpgErrorMgr>();
  anErr->mMessage[0] = '\0';
  anInfo->err = jpeg_std_error(&anErr->mPub);
  anErr->mPub.error_exit = error_exit;
  anErr->mPub.output_message = output_message;
  if (setjmp(anErr->mJump)) {
    jpeg_destroy_decompress(anInfo.get());
    Destroy();
    SetLastError(anErr->mMessage);
    return false;
  }
  jpeg_create_decompress(anInfo.get());
  anInfo->mem->max_memory_to_use = 512L * 1024 * 1024;
  CxFileJpg::Install(anInfo.get(), theFile);
  jpeg_read_header(anInfo.get(), TRUE);
  if (!ImageLib::SizeAllowed(anInfo->image_width, anInfo->image_height))
    ERREXIT(anInfo.get(), JERR_IMAGE_TOO_BIG);
  // Rows arrive as 0xAARRGGBB words, from grey as from colour; a three-byte stride over
  // four-component samples would misread them, so CMYK is refused.
  if (anInfo->num_components != 1 && anInfo->num_components != 3)
    ERREXIT(anInfo.get(), JERR_CONVERSION_NOTIMPL);
  anInfo->out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(anInfo.get());
  if (anInfo->output_components != 4) ERREXIT(anInfo.get(), JERR_CONVERSION_NOTIMPL);
  if (!Create(anInfo->output_width, anInfo->output_height)) ERREXIT(anInfo.get(), JERR_OUT_OF_MEMORY);

  const size_t aWidth = anInfo->output_width;
  while (anInfo->output_scanline < anInfo->output_height) {
    JSAMPROW aRow = reinterpret_cast<JSAMPROW>(mPixels.data() + anInfo->output_scanline * aWidth);
    jpeg_read_scanlines(anInfo.get(), &aRow, 1);
  }
  jpeg_finish_decompress(anInfo.get());
  jpeg_destroy_decompress(anInfo.get());
  return true;
}
