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
// Props that hidden things stand on, lean against or hide behind.
// A fern of fronds fanning up from its root at (x, y).
void Fern(Canvas& c, uint32_t theSeed, double x, double y, double theSize, const Rgb& theLeaves);
// A dense clump of grass blades rooted along x0 to x1 at y.
void Tuft(Canvas& c, uint32_t theSeed, double x0, double x1, double y, double theHeight, const Rgb& theColour);
// A wall shelf whose top is the line y from x to x + w, on two brackets.
void Shelf(Canvas& c, double x, double y, double w, const Rgb& theWood);
// A flat stone slab jutting from rock, its top the line y from x to x + w.
void Slab(Canvas& c, double x, double y, double w, const Rgb& theStone);
// A chest with a domed lid and iron bands in (x, y, w, h).
void Chest(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
// A tied sack slumped in (x, y, w, h).
void Sack(Canvas& c, double x, double y, double w, double h, const Rgb& theCloth);
// A boulder filling (x, y, w, h), lit from the upper left.
void Rock(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone);
// A sawn tree stump in (x, y, w, h): its cut top at y.
void Stump(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
// A log lying along (x, y, w, h).
void Log(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
// A row of books standing on the line y + h from x to x + w.
void BookRow(Canvas& c, uint32_t theSeed, double x, double y, double w, double h);
// Books lying in a pile on the line y + h.
void BookPile(Canvas& c, uint32_t theSeed, double x, double y, double w, double h);
// A stool: its seat at y, legs down to y + h.
void Stool(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
// A chest of drawers: its top at y, feet at y + h.
void Dresser(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
// A pile of hay in (x, y, w, h), in theLight (1: full daylight).
void Haystack(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, double theLight = 1.0);
// Ivy hanging from (x, y) for theLength pixels.
void Ivy(Canvas& c, uint32_t theSeed, double x, double y, double theLength, const Rgb& theLeaves);
// A dust sheet thrown over something in (x, y, w, h).
void Drape(Canvas& c, double x, double y, double w, double h, const Rgb& theCloth);
// A heap of broken stones in (x, y, w, h).
void Rubble(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone);
// A low broken wall of stones in (x, y, w, h): its ragged top near y.
void LowWall(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone);
// A cluster of small flowers on stems rooted along x0 to x1 at y.
void Flowers(Canvas& c, uint32_t theSeed, double x0, double x1, double y, int theCount, const Rgb& thePetals);
// A bench: its seat at y, legs down to y + h.
void Bench(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);
// A plank wall of a shed in (x, y, w, h).
void Planks(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theWood);
// A bale of straw in (x, y, w, h).
void Bale(Canvas& c, uint32_t theSeed, double x, double y, double w, double h);
// A wooden jetty running out over water, its deck at y.
void Jetty(Canvas& c, double x, double y, double w, double h, const Rgb& theWood);

// Small things strewn over ground or floor in (x0, y0) to (x1, y1), smaller further back:
// pebbles, twigs and leaves outdoors, chips, straw and dust indoors (by theIndoors).
void Litter(Canvas& c, uint32_t theSeed, double x0, double y0, double x1, double y1, int theCount, const Rgb& theBase,
            bool theIndoors);
// The ordinary things of a shelf along x0 to x1 on the line y, at most theHeight tall:
// rows and piles of books, small boxes, rolled cloth.
void ShelfClutter(Canvas& c, uint32_t theSeed, double x0, double x1, double y, double theHeight);

// Paint grain and edge darkening, the last steps of every painting.
void Finish(Canvas& c, uint32_t theSeed, double theGrain, double theVignette);

}  // namespace Paint
}  // namespace GameAssets
