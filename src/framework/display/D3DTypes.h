// Direct3D 8-shaped records and enumeration values used by the accelerated path and its device.
#pragma once

#include <cstdint>

#include "display/DDrawTypes.h"
#include "platform/carbonwindow/CarbonWindow.h"

struct D3DPRESENT_PARAMETERS {
  uint32_t BackBufferWidth;
  uint32_t BackBufferHeight;
  uint32_t BackBufferFormat;
  uint32_t BackBufferCount;
  uint32_t MultiSampleType;
  uint32_t SwapEffect;
  WindowRef hDeviceWindow;
  bool Windowed;
  bool EnableAutoDepthStencil;
  uint32_t AutoDepthStencilFormat;
  uint32_t Flags;
  uint32_t FullScreen_RefreshRateInHz;
  uint32_t FullScreen_PresentationInterval;
};

struct _D3DVIEWPORT8 {
  uint32_t X;
  uint32_t Y;
  uint32_t Width;
  uint32_t Height;
  float MinZ;
  float MaxZ;
};

// A transformed and lit vertex: window pixels, reciprocal w, two colours, one texture pair.
struct _D3DTLVERTEX {
  float sx;
  float sy;
  float sz;
  float rhw;
  uint32_t color;
  uint32_t specular;
  float tu;
  float tv;
};

struct D3DRECT {
  int32_t x1;
  int32_t y1;
  int32_t x2;
  int32_t y2;
};

enum _D3DPRIMITIVETYPE : uint32_t {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6,
};

enum _D3DRENDERSTATETYPE : uint32_t {
  D3DRS_ZENABLE = 7,
  D3DRS_ZWRITEENABLE = 14,
  D3DRS_ALPHATESTENABLE = 15,
  D3DRS_SRCBLEND = 19,
  D3DRS_DESTBLEND = 20,
  D3DRS_CULLMODE = 22,
  D3DRS_ZFUNC = 23,
  D3DRS_ALPHAREF = 24,
  D3DRS_ALPHAFUNC = 25,
  D3DRS_DITHERENABLE = 26,
  D3DRS_ALPHABLENDENABLE = 27,
  D3DRS_SPECULARENABLE = 29,
  D3DRS_STENCILENABLE = 52,
  D3DRS_STENCILPASS = 55,
  D3DRS_STENCILFUNC = 56,
  D3DRS_STENCILREF = 57,
  D3DRS_CLIPPING = 136,
  D3DRS_LIGHTING = 137,
  D3DRS_COLORVERTEX = 141,
  D3DRS_LOCALVIEWER = 142,
  D3DRS_NORMALIZENORMALS = 143,
  D3DRS_DIFFUSEMATERIALSOURCE = 145,
  D3DRS_POINTSIZE = 154,
  D3DRS_POINTSPRITEENABLE = 156,
  D3DRS_POINTSCALEENABLE = 157,
  D3DRS_COLORWRITEENABLE = 168,
  D3DRS_BLENDOP = 171,
};

enum _D3DTEXTURESTAGESTATETYPE : uint32_t {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ALPHAARG1 = 5,
  D3DTSS_ALPHAARG2 = 6,
  D3DTSS_ADDRESSU = 13,
  D3DTSS_ADDRESSV = 14,
  D3DTSS_MAGFILTER = 16,
  D3DTSS_MINFILTER = 17,
  D3DTSS_MIPFILTER = 18,
};

// Values of the states above.
enum : uint32_t {
  D3DBLEND_ONE = 2,
  D3DBLEND_SRCALPHA = 5,
  D3DBLEND_INVSRCALPHA = 6,
  D3DBLEND_DESTCOLOR = 9,
  D3DCULL_NONE = 1,
  D3DCMP_LESS = 2,
  D3DCMP_GREATER = 5,
  D3DCMP_ALWAYS = 8,
  D3DSTENCILOP_KEEP = 1,
  D3DSTENCILOP_REPLACE = 3,
  D3DTOP_DISABLE = 1,
  D3DTOP_SELECTARG2 = 3,
  D3DTOP_MODULATE = 4,
  D3DTOP_SUBTRACT = 10,
  D3DTOP_BLENDTEXTUREALPHA = 13,
  D3DTA_DIFFUSE = 0,
  D3DTA_CURRENT = 1,
  D3DTA_TEXTURE = 2,
  D3DTA_TFACTOR = 3,
  D3DTADDRESS_WRAP = 1,
  D3DTADDRESS_CLAMP = 3,
  D3DTEXF_POINT = 1,
  D3DTEXF_LINEAR = 2,
};

// Vertex-format bits.
constexpr uint32_t D3DFVF_XYZ = 0x2;
constexpr uint32_t D3DFVF_XYZRHW = 0x4;
constexpr uint32_t D3DFVF_NORMAL = 0x10;
constexpr uint32_t D3DFVF_DIFFUSE = 0x40;
constexpr uint32_t D3DFVF_SPECULAR = 0x80;
constexpr uint32_t D3DFVF_TEX1 = 0x100;
// The format of every vertex the accelerated path sends.
constexpr uint32_t D3DFVF_TLVERTEX = 0x1C4;

// Clear flags.
constexpr uint32_t D3DCLEAR_TARGET = 0x1;
constexpr uint32_t D3DCLEAR_ZBUFFER = 0x2;
constexpr uint32_t D3DCLEAR_STENCIL = 0x4;
