// DirectDraw-shaped records, flags and result codes of the surface emulation. Records are
// copied field by field; nothing relies on their byte layout.
#pragma once

#include <cstdint>

#include "graphics/tagRECT.h"

// Result codes are 32-bit: held in a wider type, failures would read as successes.
typedef int32_t HRESULT;

constexpr HRESULT DD_OK = 0;
constexpr HRESULT k_DDGenericFailure = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = static_cast<HRESULT>(0xFA000091u);
constexpr HRESULT DDERR_NOTFOUND = static_cast<HRESULT>(0xFA0000FFu);
constexpr HRESULT DDERR_SURFACENOTATTACHED = static_cast<HRESULT>(0xFA0001CCu);
constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = static_cast<HRESULT>(0xFA000219u);
constexpr HRESULT k_DDOutOfMemory = -375;

// Sizes of the two description forms, as their size words state them.
constexpr uint32_t k_DDSurfaceDescSize = 108;
constexpr uint32_t k_DDSurfaceDesc2Size = 124;
constexpr uint32_t k_DDPixelFormatSize = 32;
constexpr uint32_t k_DDBltFxSize = 100;

// Description flags.
constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x20;
constexpr uint32_t DDSD_LPSURFACE = 0x800;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;

// Capability bits.
constexpr uint32_t DDSCAPS_FRAME = 0x1;  // a surface with a drawable of its own
constexpr uint32_t DDSCAPS_BACKBUFFER = 0x4;
constexpr uint32_t DDSCAPS_COMPLEX = 0x8;
constexpr uint32_t DDSCAPS_FLIP = 0x10;
constexpr uint32_t DDSCAPS_FRONTBUFFER = 0x20;
constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;
constexpr uint32_t DDSCAPS_3DDEVICE = 0x2000;
constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;

// Lock, blit, flip, cooperative-level and wait flags.
constexpr uint32_t DDLOCK_WAIT = 0x1;
constexpr uint32_t DDLOCK_READONLY = 0x10;
constexpr uint32_t DDLOCK_WRITEONLY = 0x20;
constexpr uint32_t DDBLT_ALPHADESTCONSTOVERRIDE = 0x1;
constexpr uint32_t DDBLT_DDFX_FLIPROWS = 0x4;
constexpr uint32_t DDBLT_COLORFILL = 0x400;
constexpr uint32_t DDBLT_KEYSRC = 0x8000;
constexpr uint32_t DDBLT_DEPTHFILL = 0x20000;
constexpr uint32_t DDBLT_WAIT = 0x1000000;
constexpr uint32_t DDFLIP_WAIT = 0x1;
constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
constexpr uint32_t DDSCL_NORMAL = 0x8;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
constexpr uint32_t DDWAITVB_BLOCKBEGIN = 0x1;
constexpr uint32_t DDCKEY_COLORSPACE = 0x1;
constexpr uint32_t DDCKEY_SRCBLT = 0x8;
constexpr uint32_t k_DDRopWhiteness = 0x00FF0062;

// Pixel-format flags.
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_PALETTEINDEXED8 = 0x20;
constexpr uint32_t DDPF_RGB = 0x40;

struct _DDPIXELFORMAT {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwFourCC;
  uint32_t dwRGBBitCount;
  uint32_t dwRBitMask;
  uint32_t dwGBitMask;
  uint32_t dwBBitMask;
  uint32_t dwRGBAlphaBitMask;
};

struct _DDCOLORKEY {
  uint32_t dwColorSpaceLowValue;
  uint32_t dwColorSpaceHighValue;
};

struct _DDSCAPS {
  uint32_t dwCaps;
};

// The capabilities block of the extended description.
struct _DDSCAPS2 {
  uint32_t dwCaps;
  uint32_t dwCaps2;
  uint32_t dwCaps3;
  uint32_t dwCaps4;
};

// The short description (108 bytes on the original system). lpSurface also carries a primary
// surface's window.
struct _DDSURFACEDESC {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwHeight;
  uint32_t dwWidth;
  int32_t lPitch;
  uint32_t dwBackBufferCount;
  uint32_t dwRefreshRate;
  uint32_t dwAlphaBitDepth;
  uint32_t dwReserved;
  void* lpSurface;
  _DDCOLORKEY ddckCKDestOverlay;
  _DDCOLORKEY ddckCKDestBlt;
  _DDCOLORKEY ddckCKSrcOverlay;
  _DDCOLORKEY ddckCKSrcBlt;
  _DDPIXELFORMAT ddpfPixelFormat;
  _DDSCAPS ddsCaps;
};

// The extended description (124 bytes on the original system).
struct _DDSURFACEDESC2 {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwHeight;
  uint32_t dwWidth;
  int32_t lPitch;
  uint32_t dwBackBufferCount;
  uint32_t dwRefreshRate;
  uint32_t dwAlphaBitDepth;
  uint32_t dwReserved;
  void* lpSurface;
  _DDCOLORKEY ddckCKDestOverlay;
  _DDCOLORKEY ddckCKDestBlt;
  _DDCOLORKEY ddckCKSrcOverlay;
  _DDCOLORKEY ddckCKSrcBlt;
  _DDPIXELFORMAT ddpfPixelFormat;
  _DDSCAPS2 ddsCaps;
  uint32_t dwTextureStage;
};
typedef _DDSURFACEDESC2 DDSURFACEDESC2;

// Blit effects (100 bytes on the original system); the fields the emulation reads.
struct _DDBLTFX {
  uint32_t dwSize;
  uint32_t dwDDFX;
  uint32_t dwROP;
  uint32_t dwAlphaDestConst;
  uint32_t dwFillColor;
};

// Zero-initialised records, as the callers make them.
inline _DDSURFACEDESC2 MakeSurfaceDesc2() {
  _DDSURFACEDESC2 aDesc{};
  aDesc.dwSize = k_DDSurfaceDesc2Size;
  return aDesc;
}

inline _DDSURFACEDESC MakeSurfaceDesc() {
  _DDSURFACEDESC aDesc{};
  aDesc.dwSize = k_DDSurfaceDescSize;
  return aDesc;
}
