#include "platform/bass/dylib/BassOggStream.h"

#include "platform/bass/Bass.h"

namespace Tesk {

std::unique_ptr<BassOggStream> BassOggStream::Open(const std::string& thePath, int* theError) {
  std::unique_ptr<BassOggStream> aStream(new BassOggStream());
  // On failure the file is left cleared, which the destructor's ov_clear accepts; -1 is the
  // file not opening at all, the other codes its contents.
  const int aResult = ov_fopen(thePath.c_str(), &aStream->mFile);
  *theError = aResult == -1 ? BASS_ERROR_FILEOPEN : BASS_ERROR_FILEFORM;
  if (aResult != 0) return nullptr;
  const vorbis_info* aInfo = ov_info(&aStream->mFile, -1);
  if (aInfo == nullptr || aInfo->channels <= 0 || aInfo->rate <= 0) return nullptr;
  aStream->mChannels = aInfo->channels;
  aStream->mRate = static_cast<int>(aInfo->rate);
  return aStream;
}

BassOggStream::~BassOggStream() { ov_clear(&mFile); }

int BassOggStream::Read(int16_t* theOut, int theFrames) {
  const int aFrameBytes = mChannels * 2;
  char* aNext = reinterpret_cast<char*>(theOut);
  int aLeft = theFrames * aFrameBytes;
  int aHoles = 0;
  while (aLeft >= aFrameBytes) {
    int aSection = 0;
    const long aRead = ov_read(&mFile, aNext, aLeft, 0, 2, 1, &aSection);
    if (aRead == OV_HOLE && ++aHoles < 100) continue;
    if (aRead <= 0) break;
    aNext += aRead;
    aLeft -= static_cast<int>(aRead);
  }
  return (theFrames * aFrameBytes - aLeft) / aFrameBytes;
}

bool BassOggStream::SeekFrame(uint64_t theFrame) {
  return ov_pcm_seek(&mFile, static_cast<ogg_int64_t>(theFrame)) == 0;
}

uint64_t BassOggStream::LengthFrames() {
  const ogg_int64_t aTotal = ov_pcm_total(&mFile, -1);
  return aTotal > 0 ? static_cast<uint64_t>(aTotal) : 0;
}

}  // namespace Tesk
