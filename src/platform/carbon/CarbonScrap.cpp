// The current scrap holds text only: that is the one flavour the framework exchanges.
// The text travels without the terminating zero that the framework puts after it.
#include "platform/carbon/CarbonScrap.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/carbon/CarbonBackend.h"

struct OpaqueScrapRef {};

namespace {

OpaqueScrapRef sCurrentScrap;

}  // namespace

OSStatus ClearCurrentScrap() {
  GetCarbonBackend().ClearClipboard();
  return noErr;
}

OSStatus GetCurrentScrap(ScrapRef* outScrap) {
  if (outScrap == nullptr) return paramErr;
  *outScrap = &sCurrentScrap;
  return noErr;
}

OSStatus PutScrapFlavor(ScrapRef theScrap, ScrapFlavorType theType, ScrapFlavorFlags, ByteCount theSize,
                        const void* theData) {
  if (theScrap != &sCurrentScrap || (theSize > 0 && theData == nullptr)) return paramErr;
  if (theType != kScrapFlavorTypeText) return noTypeErr;
  const char* aBytes = static_cast<const char*>(theData);
  // Text up to the first zero byte.
  ByteCount aLength =
      theSize > 0 ? static_cast<ByteCount>(std::find(aBytes, aBytes + theSize, '\0') - aBytes) : 0;
  GetCarbonBackend().SetClipboardText(std::string(aBytes, aLength));
  return noErr;
}

OSStatus GetScrapFlavorFlags(ScrapRef theScrap, ScrapFlavorType theType, ScrapFlavorFlags* outFlags) {
  if (theScrap != &sCurrentScrap) return paramErr;
  std::string aText;
  if (theType != kScrapFlavorTypeText || !GetCarbonBackend().GetClipboardText(&aText)) return noTypeErr;
  if (outFlags != nullptr) *outFlags = kScrapFlavorMaskNone;
  return noErr;
}

OSStatus GetScrapFlavorSize(ScrapRef theScrap, ScrapFlavorType theType, ByteCount* outSize) {
  if (theScrap != &sCurrentScrap || outSize == nullptr) return paramErr;
  std::string aText;
  if (theType != kScrapFlavorTypeText || !GetCarbonBackend().GetClipboardText(&aText)) return noTypeErr;
  *outSize = aText.size();
  return noErr;
}

OSStatus GetScrapFlavorData(ScrapRef theScrap, ScrapFlavorType theType, ByteCount* ioSize, void* outData) {
  if (theScrap != &sCurrentScrap || ioSize == nullptr || (*ioSize > 0 && outData == nullptr)) return paramErr;
  std::string aText;
  if (theType != kScrapFlavorTypeText || !GetCarbonBackend().GetClipboardText(&aText)) return noTypeErr;
  *ioSize = std::min(*ioSize, aText.size());
  if (*ioSize > 0) std::memcpy(outData, aText.data(), *ioSize);
  return noErr;
}
