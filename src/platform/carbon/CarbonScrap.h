// The clipboard (Scrap Manager): one current scrap holding typed flavours.
#pragma once

#include "platform/carbon/CarbonTypes.h"

struct OpaqueScrapRef;
typedef OpaqueScrapRef* ScrapRef;
typedef OSType ScrapFlavorType;
typedef UInt32 ScrapFlavorFlags;

constexpr ScrapFlavorType kScrapFlavorTypeText = MakeOSType("TEXT");
enum : ScrapFlavorFlags { kScrapFlavorMaskNone = 0 };

OSStatus ClearCurrentScrap();
OSStatus GetCurrentScrap(ScrapRef* outScrap);
OSStatus PutScrapFlavor(ScrapRef theScrap, ScrapFlavorType theType, ScrapFlavorFlags theFlags,
                        ByteCount theSize, const void* theData);
// noTypeErr when the scrap has no flavour of that type.
OSStatus GetScrapFlavorFlags(ScrapRef theScrap, ScrapFlavorType theType, ScrapFlavorFlags* outFlags);
OSStatus GetScrapFlavorSize(ScrapRef theScrap, ScrapFlavorType theType, ByteCount* outSize);
// Copies at most *ioSize bytes and sets *ioSize to the number copied.
OSStatus GetScrapFlavorData(ScrapRef theScrap, ScrapFlavorType theType, ByteCount* ioSize, void* outData);
