// The string table: reads the game's texts from "str.str" (or the language's own table) into the
// globals of GameStrings.h, and formats texts whose format comes from the table.
//
// The table is data, so nothing in it is trusted: a record of count 0 still gives a terminated
// text, a missing or short table leaves empty texts rather than null ones (and says which are
// missing), and a format text whose conversions differ from what the game passes is shown
// escaped with the value appended.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace GameText {

// Reads the table; false when no table file opens (the texts keep what they had, null ones
// becoming empty). Texts read by an earlier call are released.
bool loadGameStrings();

// The table file names: "str.str", then the language's own ("_ENGLISH_str.str" for 0 ...
// "_KOREAN_str.str" for 4); null for a language without one.
const char* languageTableName(int theLanguage);

// Whether a format text takes exactly the conversions theArgs lists, in order ('d' an int
// printed with %d or %i, 's' a wide string printed with %ls); "%%" is plain text. Flags, a
// width and a precision are fine; '*', positional arguments and every other conversion are not.
bool formatMatches(const wchar_t* theFormat, const char* theArgs);

// The format with every '%' escaped and one conversion per argument appended, so the text
// shows as written and the value still appears.
std::wstring neutralisedFormat(const wchar_t* theFormat, const char* theArgs);

// Checks every format text of the table against what the game passes, replacing a mismatch by
// its neutralised copy and logging it; returns how many were replaced. loadGameStrings runs it.
int checkFormats();

// swprintf into theBuffer of theCapacity wide characters that always leaves it terminated: a
// longer result is cut to fit. Returns the characters written, terminator not counted.
int formatText(wchar_t* theBuffer, size_t theCapacity, const wchar_t* theFormat, ...);

}  // namespace GameText

// The next record of the table as a new array (the caller owns it: delete[]), always
// terminated, or theFallback when no unit count can be read (end of file or a read error).
wchar_t* getNextString(FILE* theFile, wchar_t* theFallback);
