#pragma once
// Brushes for the painted scenes: skies, hills, trees, walls, floors, furniture, water,
// light. Each lays layered shapes with gradients on a canvas; the scene painters combine them.
#include "Canvas.h"

namespace GameAssets {
namespace Paint {

void Sky(Canvas& c, double theBottom, const Rgb& theTop, const Rgb& theHorizon);
void Stars(Canvas& c, uint32_t theSeed, int theCount, double theMaxY);
void Moon(Canvas& c, double x, double y, double r, const Rgb& theColour);
void Clouds(Canvas& c, uint32_t theSeed, int theCount, double y0, double y1, const Rgb& theColour, double a);
// A ridge of hills from theBaseY (its mean top) down to the bottom of the canvas.
void Hills(Canvas& c, uint32_t theSeed, double theBaseY, double theAmplitude, const Rgb& theTop, const Rgb& theBottom);
void Tree(Canvas& c, uint32_t theSeed, double x, double theGroundY, double theHeight, const Rgb& theTrunk,
          const Rgb& theLeaves, double theLight = 0.25);
void Bush(Canvas& c, uint32_t theSeed, double x, double y, double r, const Rgb& theLeaves);
void Grass(Canvas& c, uint32_t theSeed, double theTopY, const Rgb& theNear, const Rgb& theFar);
void Blades(Canvas& c, uint32_t theSeed, double x0, double x1, double y, int theCount, double theHeight,
            const Rgb& theColour);
void StoneWall(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone,
               double theBlockW = 54, double theBlockH = 28);
void WoodPanels(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theWood);
void WoodFloor(Canvas& c, uint32_t theSeed, double theTopY, const Rgb& theWood);
void Flagstones(Canvas& c, uint32_t theSeed, double theTopY, const Rgb& theStone);
void Window(Canvas& c, double x, double y, double w, double h, const Rgb& theSkyTop, const Rgb& theSkyLow,
            const Rgb& theFrame, bool theStars);
void Bookcase(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theWood);
void Table(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
void Rug(Canvas& c, double x, double y, double w, double h, const Rgb& theMain, const Rgb& theBorder);
void Curtain(Canvas& c, double x, double y, double w, double h, const Rgb& theCloth, bool theLeft);
void Column(Canvas& c, double x, double y, double w, double h, const Rgb& theStone);
void Beam(Canvas& c, double x0, double y0, double x1, double y1, double theThick, const Rgb& theWood);
void Barrel(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
void Crate(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
void Fireplace(Canvas& c, double x, double y, double w, double h, const Rgb& theStone);
void Flame(Canvas& c, double x, double y, double h, double a = 1.0);
void Candle(Canvas& c, double x, double y, double h);
void Torch(Canvas& c, double x, double y);
void Light(Canvas& c, double x, double y, double r, const Rgb& theColour, double a);  // additive glow
void Pond(Canvas& c, double x, double y, double rx, double ry, const Rgb& theWater, const Rgb& theSky);
void Reeds(Canvas& c, uint32_t theSeed, double x0, double x1, double y, const Rgb& theColour);
void Gravestone(Canvas& c, double x, double y, double w, double h, const Rgb& theStone, bool theCross);
void Fence(Canvas& c, double x0, double x1, double y, double h, const Rgb& theWood);
void Roof(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theTiles, bool theChimney);
void Battlement(Canvas& c, uint32_t theSeed, double y, double h, const Rgb& theStone);
void RockWall(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theRock);
void Stalactites(Canvas& c, uint32_t theSeed, double y, int theCount, const Rgb& theRock);
void Treasure(Canvas& c, uint32_t theSeed, double x, double y, double w, double h);
void Cobweb(Canvas& c, double x, double y, double r, bool theRight);
void Shaft(Canvas& c, double x0, double x1, double theTopW, double theBottomY, const Rgb& theColour, double a);
// Paint grain and edge darkening, the last steps of every painting.
void Finish(Canvas& c, uint32_t theSeed, double theGrain, double theVignette);

}  // namespace Paint
}  // namespace GameAssets
