#include "GameFonts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "FontSheetWriter.h"

namespace GameAssets {

namespace {

const char* const k_libertine = "/usr/share/fonts/opentype/linux-libertine/LinLibertine_R.otf";
const char* const k_libertineBold = "/usr/share/fonts/opentype/linux-libertine/LinLibertine_RB.otf";
const char* const k_biolinum = "/usr/share/fonts/opentype/linux-libertine/LinBiolinum_R.otf";
const char* const k_goudy = "/usr/share/fonts/opentype/sortsmill/GoudyBookletter1911.otf";
const char* const k_dejaVuSerif = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
const char* const k_dejaVuSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
const char* const k_dejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf";

// Headings in an old-style roman; book text in Libertine; the small print of the side
// bar and the pages in its sans sister, which stays clear at 14 pixels; the clock in
// bold lining figures with an outline against the dark side bar. The name field writes
// light letters over the popup's parchment: its copy of the medium type is outlined.
const GameFontSpec kFonts[] = {
    {GameFont::TitleOptions, "FONT_TITLE_OPTIONS", "title_options", k_goudy, k_dejaVuSerif, 26, false},
    {GameFont::Small, "FONT_SMALL", "small", k_biolinum, k_dejaVuSans, 14, false},
    {GameFont::Medium, "FONT_MEDIUM", "medium", k_libertine, k_dejaVuSerif, 18, true, k_outlinedTag},
    {GameFont::IntroText, "FONT_INTRO_TEXT", "intro_text", k_libertine, k_dejaVuSerif, 20, false},
    {GameFont::Time, "FONT_TIME", "time", k_libertineBold, k_dejaVuSerifBold, 28, true},
};

}  // namespace

const std::vector<GameFontSpec>& GameFontSpecs() {
  static const std::vector<GameFontSpec> sSpecs(std::begin(kFonts), std::end(kFonts));
  return sSpecs;
}

const GameFontSpec& FontSpec(GameFont theFont) {
  for (const GameFontSpec& s : GameFontSpecs())
    if (s.mFont == theFont) return s;
  return GameFontSpecs().front();
}

std::wstring GameFontChars() {
  std::wstring aChars = TeskTools::AsciiChars();
  for (wchar_t c = 0xA1; c <= 0xFF; ++c)
    if (c != 0xAD) aChars.push_back(c);  // the soft hyphen has no glyph of its own
  for (const GameString& s : GameStringTable())
    for (const wchar_t* p = s.mText; *p; ++p)
      if (*p > L' ' && aChars.find(*p) == std::wstring::npos) aChars.push_back(*p);
  return aChars;
}

std::string FontFileOf(const GameFontSpec& theSpec) {
  std::error_code anError;
  if (std::filesystem::exists(theSpec.mFontFile, anError)) return theSpec.mFontFile;
  return theSpec.mFallback;
}

bool WriteGameFonts(const std::string& theDir, std::vector<ManifestItem>* theItems, std::string* theError) {
  const std::string aFontDir = theDir + "/fonts";
  std::error_code anError;
  std::filesystem::create_directories(aFontDir, anError);
  if (anError) {
    *theError = "cannot make " + aFontDir;
    return false;
  }
  const std::wstring aChars = GameFontChars();
  for (const GameFontSpec& aSpec : GameFontSpecs()) {
    TeskTools::FontSheetOptions aSheet;
    aSheet.mFontFile = FontFileOf(aSpec);
    if (aSheet.mFontFile != aSpec.mFontFile)
      std::fprintf(stderr, "gameassets: %s is missing; %s uses %s\n", aSpec.mFontFile, aSpec.mId,
                   aSheet.mFontFile.c_str());
    aSheet.mPixelSize = aSpec.mPixelSize;
    aSheet.mChars = aChars;
    aSheet.mOutlines = aSpec.mOutline;
    TeskTools::DescriptorOptions aDesc;
    aDesc.mOutlineLayer = aSpec.mOutline;
    if (aSpec.mOutlineTag != nullptr) aDesc.mOutlineTag = aSpec.mOutlineTag;
    aDesc.mShadowLayer = false;
    if (!TeskTools::WriteFontFiles(aSheet, aDesc, aFontDir, aSpec.mStem, theError)) return false;
    theItems->push_back({"Constants", "Font", aSpec.mId, std::string("fonts/") + aSpec.mStem + ".txt", ""});
  }
  return true;
}

}  // namespace GameAssets
