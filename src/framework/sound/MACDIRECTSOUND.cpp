#include "sound/MACDIRECTSOUND.h"

#include <new>

#include "sound/macDirectSoundBuffer.h"

namespace Tesk {

uint32_t MACDIRECTSOUND::HeaderRate(uint32_t theHz) {
  switch (theHz) {
    case 8000:
      return 0x1F400000u;
    case 11025:
      return 0x2B110000u;
    case 11127:
      return 0x2B7745D1u;
    case 16000:
      return 0x3E800000u;
    case 22050:
      return 0x56220000u;
    case 22254:
      return 0x56EE8BA3u;
    case 44100:
      return 0xAC440000u;
    case 48000:
      return 0xBB800000u;
    default:
      return theHz << 16;
  }
}

HRESULT MACDIRECTSOUND::CreateSoundBuffer(const DSBUFFERDESC* theDesc, macDirectSoundBuffer** theBuffer,
                                          void*) {
  if (theBuffer == nullptr) return DSERR_INVALIDPARAM;
  *theBuffer = nullptr;
  if (theDesc == nullptr || theDesc->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
  const WAVEFORMATEX& aFormat = *theDesc->lpwfxFormat;
  // The player knows mono and stereo, 8 and 16 bits; anything else comes from a malformed file.
  if ((aFormat.nChannels != 1 && aFormat.nChannels != 2) ||
      (aFormat.wBitsPerSample != 8 && aFormat.wBitsPerSample != 16) || aFormat.nSamplesPerSec == 0) {
    return DSERR_INVALIDPARAM;
  }
  std::shared_ptr<uint8_t[]> aSamples;
  if (theDesc->dwBufferBytes > 0) {
    uint8_t* aMemory = new (std::nothrow) uint8_t[theDesc->dwBufferBytes]();
    if (aMemory == nullptr) return DSERR_OUTOFMEMORY;
    aSamples.reset(aMemory);
  }
  macDirectSoundBuffer* aBuffer = new macDirectSoundBuffer();
  *theBuffer = aBuffer;
  aBuffer->mBufferSize = theDesc->dwBufferBytes;
  aBuffer->mFormat = aFormat;
  aBuffer->mSamples = aSamples;

  ExtSoundHeader& aHeader = aBuffer->mHeader;
  aHeader.samplePtr = aSamples.get();
  aHeader.numChannels = aFormat.nChannels;
  aHeader.sampleRate = HeaderRate(aFormat.nSamplesPerSec);
  aHeader.loopStart = 0;
  aHeader.loopEnd = theDesc->dwBufferBytes;
  aHeader.encode = extSH;
  aHeader.baseFrequency = 60;
  aHeader.numFrames = theDesc->dwBufferBytes / (aFormat.nChannels * aFormat.wBitsPerSample / 8u);
  const double aRate = aFormat.nSamplesPerSec;
  dtox80(&aRate, &aHeader.AIFFSampleRate);
  aHeader.sampleSize = aFormat.wBitsPerSample;

  if (SndNewChannel(&aBuffer->mChannel, sampledSynth, initStereo, macDirectSoundBuffer::m_SoundCallBackUPP) !=
      0) {
    aBuffer->mChannel = nullptr;
    return DSERR_OUTOFMEMORY;
  }
  return DS_OK;
}

HRESULT MACDIRECTSOUND::DuplicateSoundBuffer(macDirectSoundBuffer* theSource,
                                             macDirectSoundBuffer** theBuffer) {
  if (theBuffer == nullptr) return DSERR_INVALIDPARAM;
  *theBuffer = nullptr;
  if (theSource == nullptr) return DSERR_INVALIDPARAM;
  macDirectSoundBuffer* aBuffer = new macDirectSoundBuffer();
  *theBuffer = aBuffer;
  aBuffer->mFormat = theSource->mFormat;
  aBuffer->mHeader = theSource->mHeader;
  // The duplicate keeps the sample memory alive even when the source is released first.
  aBuffer->mSamples = theSource->mSamples;
  aBuffer->mSharesSamples = true;
  aBuffer->mBufferSize = 0;
  aBuffer->mPan = 128;
  if (SndNewChannel(&aBuffer->mChannel, sampledSynth, initStereo, nullptr) != 0) {
    aBuffer->mChannel = nullptr;
    return DSERR_OUTOFMEMORY;
  }
  return DS_OK;
}

HRESULT MACDIRECTSOUND::SetCooperativeLevel(OpaqueWindowPtr*, uint32_t) { return DS_OK; }

HRESULT MACDIRECTSOUND::Release() {
  delete this;
  return DS_OK;
}

}  // namespace Tesk
