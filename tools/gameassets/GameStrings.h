#pragma once
// The game's texts: every record of str.str in file order, the format records with
// the conversions the game passes them, and the boxes the texts are drawn in.
#include <string>
#include <vector>

namespace GameAssets {

// One record of the string table: the global it fills ("stringOK", "k_levelSpells[3]")
// and its English text.
struct GameString {
  const char* mName;
  const wchar_t* mText;
};

// The 399 records in file order: 398 that fill the game's globals, then the final
// chapter's goal.
const std::vector<GameString>& GameStringTable();

// The texts of the 399 records, as the string table holds them.
std::vector<std::wstring> GameStringRecords();

// The text of a record by its name; an empty text when there is none.
std::wstring GameStringText(const std::string& theName);

// A record the game formats with swprintf, what it passes and how much room the
// result gets (wide characters, terminator included; 0 when unbounded).
struct FormatRecord {
  const char* mName;
  const char* mConversions;  // the conversions in order, e.g. "%ls" or "%d%d"
  int mCapacity;
};

const std::vector<FormatRecord>& FormatRecords();

// The conversions of a format text in order ("%d%ls"); "%%" is no conversion and is
// left out. A '%' that starts no conversion the game's formats use comes back as "%?".
std::string FormatConversions(const std::wstring& theText);

// The five fonts, as the manifest names them.
enum class GameFont { TitleOptions, Small, Medium, IntroText, Time };

// Where a record is drawn. A wrapped box breaks lines at spaces the way the widgets
// do and must hold the text within mHeight; a line box holds one line of at most
// mWidth. mPrefix names one record ("stringOK"), a whole array ("k_levelSpells[") or,
// ending in '*', every record whose name starts with the rest ("stringHint*"). Every
// box that names a record applies to it; format records are measured formatted.
struct TextBox {
  const char* mPrefix;
  GameFont mFont;
  int mWidth;
  int mHeight;       // wrapped boxes only: the largest height the wrapped text may take
  int mLineSpacing;  // wrapped boxes only
  bool mWrapped;
};

const std::vector<TextBox>& TextBoxes();

// Whether a box names the record.
bool BoxNames(const TextBox& theBox, const std::string& theRecord);

// Six neutral hall-of-fame names of at most 9 characters (hsdefaults.txt).
std::vector<std::wstring> HallOfFameNames();

// The names of the twelve locations, by location id 1 to 12 (index 0 unused).
const wchar_t* LocationName(int theId);

}  // namespace GameAssets
