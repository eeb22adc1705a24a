// The few platform services the sound code needs that have no home yet, behind one seam:
// file access (to become the archive-aware p_fopen family), the millisecond clock, the
// debugger stop, message boxes and the bundle's resources folder.
#pragma once

#include <cstdint>
#include <string>

namespace Tesk {
namespace SoundSupport {

struct File;

// Same contracts as p_fopen, p_fread, p_fseek, p_ftell, p_feof and p_fclose.
File* Open(const char* theName, const char* theMode);
int Read(void* theBuffer, int theSize, int theCount, File* theFile);
int Seek(File* theFile, int32_t theOffset, int theWhence);
int32_t Tell(File* theFile);
int Eof(File* theFile);
void Close(File* theFile);

// Milliseconds since start-up (GetTickCount).
uint32_t TickCount();

// A soft stop when a debugger is attached; otherwise nothing.
void Debugger();
// Tells the user; never blocks when nobody can answer.
void ShowMessage(const char* theText, const char* theCaption, int theStyle);

// The bundle's resources folder (no trailing separator); false when unknown.
bool ResourceFolder(std::string* theFolder);

}  // namespace SoundSupport
}  // namespace Tesk
