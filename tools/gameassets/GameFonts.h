#pragma once
// The game's five bitmap fonts: which typeface, size and layers each takes, and the
// writer of their sheets and descriptors.
#include <string>
#include <vector>

#include "GameStrings.h"
#include "MediaAssets.h"

namespace GameAssets {

struct GameFontSpec {
  GameFont mFont;
  const char* mId;        // manifest id
  const char* mStem;      // fonts/<stem>.txt and fonts/<stem>.png
  const char* mFontFile;  // the typeface, from a Debian font package
  const char* mFallback;  // used when the typeface is not installed
  int mPixelSize;
  bool mOutline;  // a black outline layer behind the glyphs
  const char* mOutlineTag = nullptr;  // the outline only for fonts with this tag
};

// The tag the name field's copy of FONT_MEDIUM carries: its light letters take the outline.
constexpr const char* k_outlinedTag = "outlined";

const std::vector<GameFontSpec>& GameFontSpecs();
const GameFontSpec& FontSpec(GameFont theFont);

// What every font covers: printable ASCII, the Latin-1 letters and signs (names may
// use them) and every character of the string table.
std::wstring GameFontChars();

// The typeface file a spec renders with: its own when installed, else the fallback.
std::string FontFileOf(const GameFontSpec& theSpec);

// Writes fonts/<stem>.txt and .png under theDir for every font and adds their
// manifest lines (group Constants).
bool WriteGameFonts(const std::string& theDir, std::vector<ManifestItem>* theItems, std::string* theError);

}  // namespace GameAssets
