#pragma once
// Small pictures that several screens share: the runestone, the magic eye of the reveal
// charges, a wand, gilded frames and parchment.
#include <memory>

#include "Canvas.h"

namespace GameAssets {

// A standing stone with a glowing rune, theWidth wide and 1.25 times as tall.
std::unique_ptr<Canvas> Runestone(int theWidth, int theRune, double theGlow = 1.0);
// The reveal charge: an eye in a gold ring; open, glowing or winking.
std::unique_ptr<Canvas> MagicEye(int theSize, bool theGlow, bool theWink);
// A wand cursor of 128 x 128: the tip at the centre, the handle down to the right.
std::unique_ptr<Canvas> Wand(int theStyle);
// Parchment filling the current path of c's context, with darker edges.
void Parchment(Canvas& c, double x, double y, double w, double h, uint32_t theSeed);
// A gilded frame along a rounded rectangle.
void GoldFrame(Canvas& c, double x, double y, double w, double h, double r, double theWidth);
// A rounded panel filled top to bottom with a gradient and outlined.
void Panel(Canvas& c, double x, double y, double w, double h, double r, const Rgb& theTop, const Rgb& theBottom,
           const Rgb& theLine, double theLineWidth, double theAlpha = 1.0);
// The two parchment pages of a book spread lying open within (x, y, w, h).
void OpenBookPages(Canvas& c, double x, double y, double w, double h, uint32_t theSeed);
// A codex lying open, its pages dipping to the spine at the centre of (x, y, w, h).
void Codex(Canvas& c, double x, double y, double w, double h, uint32_t theSeed);
// A stone-grey or wooden plaque with engraved words (empty: none).
void Plaque(Canvas& c, double x, double y, double w, double h, const char* theWords, double theTextSize, bool theLit);

}  // namespace GameAssets
