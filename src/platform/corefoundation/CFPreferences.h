// Core Foundation preferences of the current application, as the registry
// layer uses them: each key holds a dictionary from value name to raw bytes.
// The values live in one file (see PreferencesFile), rewritten whole and
// atomically by CFPreferencesAppSynchronize.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

typedef std::map<std::string, std::vector<uint8_t>> CFPreferencesDictionary;

// False when the key holds nothing.
bool CFPreferencesCopyAppValue(const std::string& theKey, CFPreferencesDictionary* theValue);
// A null or empty dictionary removes the key.
void CFPreferencesSetAppValue(const std::string& theKey, const CFPreferencesDictionary* theValue);
// Writes what was set since the last synchronisation; false when the file
// could not be written, and then the unwritten changes are dropped.
bool CFPreferencesAppSynchronize();

// The file in use. By default "Preferences.txt" in a "Tesk" folder of the
// per-user data folder; start-up points it into the application's data folder.
std::string CFPreferencesStorePath();
// Also drops what was read from the previous file.
void CFPreferencesSetStorePath(const std::string& thePath);

// No file at all: values live in memory for the run, and synchronising writes nothing (and
// answers false). For a run with no per-user folder to keep them in; a store path ends it.
void CFPreferencesKeepInMemory();
