// The archive-aware file API: stdio-shaped calls that every file reader uses, routed to the
// current archive interface, or to stdio when there is none.
#pragma once

#include <cstdint>
#include <cstdio>

#include "resources/PakInterfaceBase.h"
#include "resources/PakPlatform.h"

inline PFILE* p_fopen(const char* theFileName, const char* theAccess) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FOpen(theFileName, theAccess);
  FILE* aFile = PakPlatform::OpenFile(theFileName, theAccess);
  if (aFile == nullptr) return nullptr;
  return new PFILE{nullptr, 0, aFile};
}

inline int p_fclose(PFILE* theFile) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FClose(theFile);
  int aResult = fclose(theFile->mPlainFile);
  delete theFile;
  return aResult;
}

inline int p_fseek(PFILE* theFile, int32_t theOffset, int theOrigin) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FSeek(theFile, theOffset, theOrigin);
  return fseek(theFile->mPlainFile, theOffset, theOrigin);
}

inline int32_t p_ftell(PFILE* theFile) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FTell(theFile);
  return static_cast<int32_t>(ftell(theFile->mPlainFile));
}

inline int p_fread(void* thePtr, int theElemSize, int theCount, PFILE* theFile) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FRead(thePtr, theElemSize, theCount, theFile);
  if (theElemSize <= 0 || theCount <= 0) return 0;
  return static_cast<int>(
      fread(thePtr, static_cast<size_t>(theElemSize), static_cast<size_t>(theCount), theFile->mPlainFile));
}

inline int p_fgetc(PFILE* theFile) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FGetC(theFile);
  return fgetc(theFile->mPlainFile);
}

inline int p_ungetc(int theChar, PFILE* theFile) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->UnGetC(theChar, theFile);
  return ungetc(theChar, theFile->mPlainFile);
}

inline int p_feof(PFILE* theFile) {
  if (PakInterfaceBase* aPak = GetPakPtr()) return aPak->FEof(theFile);
  return feof(theFile->mPlainFile);
}
