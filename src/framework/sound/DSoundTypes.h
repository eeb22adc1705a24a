// DirectSound's conventions as the sound code speaks them: formats, buffer descriptions,
// result codes and flag bits.
#pragma once

#include <cstdint>

struct OpaqueWindowPtr;

namespace Tesk {

typedef int32_t HRESULT;

#pragma pack(push, 2)
struct WAVEFORMATEX {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");

struct DSBUFFERDESC {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwBufferBytes;
  uint32_t dwReserved;
  WAVEFORMATEX* lpwfxFormat;
};

enum : uint16_t { WAVE_FORMAT_PCM = 1 };

enum : uint32_t {
  DSBCAPS_PRIMARYBUFFER = 0x01,
  DSBCAPS_STATIC = 0x02,
  DSBCAPS_LOCSOFTWARE = 0x08,
  DSBCAPS_CTRLFREQUENCY = 0x20,
  DSBCAPS_CTRLPAN = 0x40,
  DSBCAPS_CTRLVOLUME = 0x80,
};

constexpr uint32_t DSBPLAY_LOOPING = 0x01;
constexpr uint32_t DSBSTATUS_PLAYING = 0x01;
constexpr uint32_t DSBSTATUS_LOOPING = 0x04;

enum : uint32_t { DSSCL_NORMAL = 1, DSSCL_PRIORITY = 2 };

enum : int32_t {
  DS_OK = 0,
  DSERR_ALLOCATED = -10,
  DSERR_INVALIDPARAM = -50,
  DSERR_INVALIDCALL = -51,
  DSERR_OUTOFMEMORY = -108,
  DSERR_UNINITIALIZED = -170,
};

enum : int32_t {
  DSBVOLUME_MIN = -10000,
  DSBVOLUME_MAX = 0,
  DSBPAN_LEFT = -10000,
  DSBPAN_RIGHT = 10000,
};

}  // namespace Tesk
