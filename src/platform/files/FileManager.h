// File Manager, as far as the framework uses it: references made from paths,
// catalogue information (folder flag, name, permissions), flat folder listings
// in batches, folder creation and the per-user data folder. A reference is the
// path it was made from; the listing is sorted by name so results are stable.
#pragma once

#include <cstdint>
#include <string>

#include "platform/coreservices/CoreServices.h"

// Success is 0. kFSParamErr is the system's paramErr (-50), named apart from
// the Carbon types' constant.
enum : OSErr {
  ioErr = -36,
  fnfErr = -43,
  dupFNErr = -48,
  kFSParamErr = -50,
  permErr = -54,
  kFSMemFullErr = -108,
  dirNFErr = -120,
  errFSNoMoreItems = -1417,
};

typedef uint32_t FSCatalogInfoBitmap;
enum : FSCatalogInfoBitmap {
  kFSCatInfoNone = 0,
  kFSCatInfoNodeFlags = 0x00000002,
  kFSCatInfoPermissions = 0x00040000,
};

enum : uint16_t { kFSNodeIsDirectoryMask = 0x0010 };

struct FSRef {
  std::string mPath;
};

struct FSPermissionInfo {
  uint32_t userID = 0;
  uint32_t groupID = 0;
  uint16_t mode = 0;
};

struct FSCatalogInfo {
  uint16_t nodeFlags = 0;
  FSPermissionInfo permissions;
};

typedef struct OpaqueFSIterator* FSIterator;

// Fails with fnfErr when nothing exists at thePath. *isDirectory may be null.
OSErr FSPathMakeRef(const char* thePath, FSRef* theRef, bool* isDirectory);
// Fills the parts of *theInfo that theWhich asks for, and the entry's name
// (the last component, as stored) when theName is not null.
OSErr FSGetCatalogInfo(const FSRef* theRef, FSCatalogInfoBitmap theWhich, FSCatalogInfo* theInfo,
                       std::string* theName);
// Only the permissions' mode can be set.
OSErr FSSetCatalogInfo(const FSRef* theRef, FSCatalogInfoBitmap theWhich, const FSCatalogInfo* theInfo);
OSErr FSCreateDirectoryUnicode(const FSRef* theParent, const std::string& theName, FSRef* theNewRef);

// A flat listing of one folder, without "." and "..".
OSErr FSOpenIterator(const FSRef* theContainer, FSIterator* theIterator);
OSErr FSCloseIterator(FSIterator theIterator);
// Up to theMaxObjects references; errFSNoMoreItems (with *theActual possibly
// above 0) when the listing ends.
OSErr FSGetCatalogInfoBulk(FSIterator theIterator, ItemCount theMaxObjects, ItemCount* theActual,
                           bool* theContainerChanged, FSRef* theRefs);

// The folder for per-user data: $XDG_DATA_HOME, or ~/.local/share, in place of
// the user's application-support folder. With theCreate it is made when missing.
OSErr FSFindApplicationSupportFolder(bool theCreate, FSRef* theRef);
