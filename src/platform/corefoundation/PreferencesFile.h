// The file behind the preference store: one text line per value,
//   key path TAB value name TAB bytes in hex
// after a header line. Tabs, line ends, '%' and '#' inside names are written as
// %09, %0A, %0D, %25 and %23. Lines that do not read are skipped and reported.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class PreferencesFile {
 public:
  typedef std::map<std::string, std::vector<uint8_t>> Dictionary;
  typedef std::map<std::string, Dictionary> Store;

  // Every line that reads goes into *theStore. False, with the first problem
  // in *theError, when any line did not read.
  static bool Parse(const std::string& theText, Store* theStore, std::string* theError);
  static std::string Format(const Store& theStore);

  // A missing file reads as an empty store. False when the file exists but
  // cannot be read, or has lines that do not read.
  static bool Read(const std::string& thePath, Store* theStore, std::string* theError);
  // Writes a temporary file beside thePath, flushes it to disk and renames it
  // over thePath, so a crash leaves either the old or the new file whole.
  // Creates the folder when missing. False (and thePath untouched) on failure.
  static bool WriteAtomically(const std::string& thePath, const std::string& theBytes);
  // Removes the temporary files that writers of thePath killed before their rename left beside
  // it; a live writer's file stays. WriteAtomically does this at a file's first write in the
  // process; a file that a run only reads is swept through this.
  static void RemoveDeadWritersFiles(const std::string& thePath);
  // Moves a file that was refused out of the way of the next write, under the first free name
  // thePath + ".corrupt1", ".corrupt2", ...: a name already taken is never replaced, so every
  // file kept before stays as it was. Gives the name it is kept under, or an empty string when
  // it could not be kept (no file, or no free name that could be made).
  static std::string KeepRefused(const std::string& thePath);

  // Test seam: runs after the temporary file is complete, before the rename.
  static void SetBeforeRenameHook(void (*theHook)());
};
