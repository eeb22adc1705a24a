// Sprites and screens shared by the blit benchmarks: the same pixels as memory images and as
// SDL surfaces, so that every comparison does the same work.
#pragma once

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MedianReporter.h"
#include "graphics/Color.h"
#include "graphics/MemoryImage.h"

namespace BlitFixtures {

using Tesk::MemoryImage;

constexpr int k_ScreenWidth = 800;
constexpr int k_ScreenHeight = 600;

inline uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 15);
}

enum SpriteKind { Opaque, Sparse, Glow };

// Opaque: every pixel opaque. Sparse: a disc, transparent outside, a partly
// transparent rim, opaque inside (a typical game sprite). Glow: alpha falling
// off from the centre, partial almost everywhere (a particle).
inline std::vector<uint32_t> MakePixels(int theWidth, int theHeight, SpriteKind theKind) {
  std::vector<uint32_t> aPixels(size_t(theWidth) * theHeight);
  uint32_t aState = 7u + uint32_t(theWidth) * 31u + uint32_t(theKind);
  double cx = theWidth / 2.0, cy = theHeight / 2.0, r = std::min(cx, cy);
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x) {
      uint32_t aColour = NextWord(aState) & 0xFFFFFF;
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / r;
      uint32_t a = 255;
      if (theKind == Sparse) a = d > 1.0 ? 0 : (d > 0.85 ? uint32_t((1.0 - d) / 0.15 * 254) + 1 : 255);
      if (theKind == Glow) a = d >= 1.0 ? 0 : uint32_t((1.0 - d) * 254) + 1;
      aPixels[size_t(y) * theWidth + x] = a == 0 ? 0 : (a << 24) | aColour;
    }
  return aPixels;
}

struct Sprite {
  std::unique_ptr<MemoryImage> mImage;
  std::vector<uint32_t> mPixels;  // SDL's copy
  SDL_Surface* mSurface = nullptr;

  Sprite(int theWidth, int theHeight, SpriteKind theKind)
      : mPixels(MakePixels(theWidth, theHeight, theKind)) {
    mImage.reset(new MemoryImage(nullptr));
    mImage->SetBits(mPixels.data(), theWidth, theHeight);
    mSurface = SDL_CreateRGBSurfaceWithFormatFrom(mPixels.data(), theWidth, theHeight, 32, theWidth * 4,
                                                  SDL_PIXELFORMAT_ARGB8888);
  }
  ~Sprite() { SDL_FreeSurface(mSurface); }
};

struct Screen {
  std::unique_ptr<MemoryImage> mImage;
  std::vector<uint32_t> mPixels;
  SDL_Surface* mSurface = nullptr;

  // An opaque screen, or one with alpha (an off-screen layer) when theAlpha is set.
  explicit Screen(bool theAlpha) : mPixels(size_t(k_ScreenWidth) * k_ScreenHeight) {
    uint32_t aState = 99;
    for (uint32_t& p : mPixels)
      p = (theAlpha ? (NextWord(aState) & 0xFF000000) : 0xFF000000) | (NextWord(aState) & 0xFFFFFF);
    mImage.reset(new MemoryImage(nullptr));
    mImage->SetBits(mPixels.data(), k_ScreenWidth, k_ScreenHeight);
    mSurface = SDL_CreateRGBSurfaceWithFormat(0, k_ScreenWidth, k_ScreenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_memcpy(mSurface->pixels, mPixels.data(), mPixels.size() * 4);
  }
  ~Screen() { SDL_FreeSurface(mSurface); }
};

// Where the sprites of one frame land: spread over the screen, all inside it.
inline std::vector<SDL_Point> Positions(int theCount, int theWidth, int theHeight) {
  std::vector<SDL_Point> aPoints;
  uint32_t aState = 5;
  for (int i = 0; i < theCount; ++i)
    aPoints.push_back({int(NextWord(aState) % uint32_t(k_ScreenWidth - theWidth + 1)),
                       int(NextWord(aState) % uint32_t(k_ScreenHeight - theHeight + 1))});
  return aPoints;
}

enum Op { Blend, Additive, Colourised, FastStretch, SmoothStretch, Rotated };

struct Case {
  const char* name;
  Op op;
  int srcWidth, srcHeight;
  SpriteKind kind;
  int destWidth, destHeight;  // of one draw
  int count;                  // draws per frame
  bool destAlpha = false;
  bool grey = false;     // colourised by a grey level rather than a colour
  bool addTint = false;  // a stretch drawn additive in the tint colour
};

const Tesk::Color k_Tint(255, 160, 64, 200);
const Tesk::Color k_GreyTint(160, 160, 160, 200);
constexpr double k_Angle = 0.3;

// SDL2 doing the work of one case: blits, scaled blits, linear stretch, or a rotated copy
// through its software renderer.
inline void RunSdl(benchmark::State& theState, const Case& c) {
  Sprite aSprite(c.srcWidth, c.srcHeight, c.kind);
  Screen aScreen(c.destAlpha);
  std::vector<SDL_Point> aAt = Positions(c.count, c.destWidth, c.destHeight);
  SDL_Surface* aSrc = aSprite.mSurface;
  SDL_Surface* aDest = aScreen.mSurface;
  SDL_SetSurfaceBlendMode(aSrc, c.op == Additive || c.addTint ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
  if (c.op == Colourised || c.grey || c.addTint) {
    const Tesk::Color& aTint = c.grey ? k_GreyTint : k_Tint;
    SDL_SetSurfaceColorMod(aSrc, Uint8(aTint.mRed), Uint8(aTint.mGreen), Uint8(aTint.mBlue));
    SDL_SetSurfaceAlphaMod(aSrc, Uint8(aTint.mAlpha));
  }
  SDL_Renderer* aRenderer = nullptr;
  SDL_Texture* aTexture = nullptr;
  if (c.op == Rotated) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    aRenderer = SDL_CreateSoftwareRenderer(aDest);
    aTexture = SDL_CreateTextureFromSurface(aRenderer, aSrc);
    SDL_SetTextureBlendMode(aTexture, SDL_BLENDMODE_BLEND);
  }
  for (auto _ : theState) {
    for (const SDL_Point& p : aAt) {
      SDL_Rect aTo = {p.x, p.y, c.destWidth, c.destHeight};
      switch (c.op) {
        case Blend:
        case Additive:
        case Colourised:
          SDL_BlitSurface(aSrc, nullptr, aDest, &aTo);
          break;
        case FastStretch:
          SDL_BlitScaled(aSrc, nullptr, aDest, &aTo);
          break;
        case SmoothStretch:
          SDL_SoftStretchLinear(aSrc, nullptr, aDest, &aTo);
          break;
        case Rotated: {
          SDL_FRect aToF = {float(p.x), float(p.y), float(c.destWidth), float(c.destHeight)};
          SDL_RenderCopyExF(aRenderer, aTexture, nullptr, &aToF, -k_Angle * 180.0 / M_PI, nullptr,
                            SDL_FLIP_NONE);
          break;
        }
      }
    }
    if (aRenderer) SDL_RenderFlush(aRenderer);
    benchmark::DoNotOptimize(static_cast<uint32_t*>(aDest->pixels)[0]);
  }
  theState.SetItemsProcessed(int64_t(theState.iterations()) * c.count * c.destWidth * c.destHeight);
  if (aTexture) SDL_DestroyTexture(aTexture);
  if (aRenderer) SDL_DestroyRenderer(aRenderer);
}

// Keeps the pixel rates (medians of the repetitions) for the closing table.
class RatioReporter : public MedianReporter {
 public:
  RatioReporter() : MedianReporter("items_per_second") {}
};

}  // namespace BlitFixtures
