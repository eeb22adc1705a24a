#pragma once
// The game's texts, fonts, sounds and music: written by one half of the asset
// generator, listed in the manifest by the other.
#include <string>
#include <vector>

namespace GameAssets {

// One manifest line the media half asks for: a font or a sound in a group.
struct ManifestItem {
    std::string mGroup;  // "Constants", "Story", "TitleScreen", "MiniGame", ...
    std::string mKind;   // "Font" or "Sound"
    std::string mId;     // resource id as the game names it, e.g. "FONT_SMALL", "SFX_CLICK"
    std::string mPath;   // path relative to the resources folder, as the manifest writes it
    std::string mExtraAttributes;  // further XML attributes, already formatted (may be empty)
};

// Writes str.str, hsdefaults.txt, the font descriptors and sheets, every sound
// (manifest sounds and the ambient set) and the music under theOutDir, and
// returns the fonts and sounds the manifest must define. Deterministic.
std::vector<ManifestItem> WriteMediaAssets(const std::string& theOutDir);

}  // namespace GameAssets
