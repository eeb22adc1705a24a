#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/ScriptedCarbon.h"
#include "platform/carbon/AppleEvents.h"
#include "platform/carbon/CarbonCursor.h"
#include "platform/carbon/CarbonEventSource.h"
#include "platform/carbon/CarbonScrap.h"

namespace {

TEST(CarbonScrap, TextGoesInWithItsZeroAndComesOutWithout) {
  Scripted();
  ScrapRef aScrap = nullptr;
  ASSERT_EQ(ClearCurrentScrap(), noErr);
  ASSERT_EQ(GetCurrentScrap(&aScrap), noErr);
  ScrapFlavorFlags aFlags = 0;
  EXPECT_EQ(GetScrapFlavorFlags(aScrap, kScrapFlavorTypeText, &aFlags), noTypeErr);

  const std::string aText = "Gloam Hollow";
  ASSERT_EQ(
      PutScrapFlavor(aScrap, kScrapFlavorTypeText, kScrapFlavorMaskNone, aText.size() + 1, aText.c_str()),
      noErr);
  EXPECT_EQ(GetScrapFlavorFlags(aScrap, kScrapFlavorTypeText, &aFlags), noErr);
  ByteCount aSize = 0;
  ASSERT_EQ(GetScrapFlavorSize(aScrap, kScrapFlavorTypeText, &aSize), noErr);
  EXPECT_EQ(aSize, aText.size());
  char aBuffer[64] = {};
  ByteCount aRead = 5;  // a short buffer gets the start
  ASSERT_EQ(GetScrapFlavorData(aScrap, kScrapFlavorTypeText, &aRead, aBuffer), noErr);
  EXPECT_EQ(aRead, 5u);
  EXPECT_EQ(std::string(aBuffer, aRead), "Gloam");
  aRead = sizeof(aBuffer);
  ASSERT_EQ(GetScrapFlavorData(aScrap, kScrapFlavorTypeText, &aRead, aBuffer), noErr);
  EXPECT_EQ(std::string(aBuffer, aRead), aText);

  EXPECT_EQ(GetScrapFlavorFlags(aScrap, MakeOSType("PICT"), &aFlags), noTypeErr);
  ClearCurrentScrap();
  EXPECT_EQ(GetScrapFlavorSize(aScrap, kScrapFlavorTypeText, &aSize), noTypeErr);
}

TEST(CarbonCursor, ThemeCursorAndVisibilityReachTheBackend) {
  Scripted();
  SetThemeCursor(kThemePointingHandCursor);
  EXPECT_EQ(Scripted().CursorShape(), kThemePointingHandCursor);
  CGDisplayHideCursor(kCGDirectMainDisplay);
  EXPECT_FALSE(CGCursorIsVisible());
  CGDisplayShowCursor(kCGDirectMainDisplay);
  EXPECT_TRUE(CGCursorIsVisible());
}

int gQuitCalls = 0;
SRefCon gQuitRefcon = 0;

OSErr QuitHandler(const AppleEvent* theEvent, AppleEvent*, SRefCon theRefcon) {
  EXPECT_EQ(theEvent->eventClass, kCoreEventClass);
  EXPECT_EQ(theEvent->eventID, kAEQuitApplication);
  ++gQuitCalls;
  gQuitRefcon = theRefcon;
  return noErr;
}

TEST(AppleEvents, QuitTravelsTheQueueAsAHighLevelEvent) {
  DrainQueue();
  ASSERT_EQ(AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, QuitHandler, 42, false), noErr);
  CarbonEventSource::PostAppleEvent(kCoreEventClass, kAEQuitApplication);
  EventRef anEvent = nullptr;
  ASSERT_EQ(ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent), noErr);
  EXPECT_EQ(GetEventClass(anEvent), kEventClassEPPC);
  EventRecord aRecord;
  ASSERT_TRUE(ConvertEventRefToEventRecord(anEvent, &aRecord));
  EXPECT_EQ(aRecord.what, kHighLevelEvent);
  EXPECT_EQ(AEProcessAppleEvent(&aRecord), noErr);
  ReleaseEvent(anEvent);
  EXPECT_EQ(gQuitCalls, 1);
  EXPECT_EQ(gQuitRefcon, 42);

  // Other events convert to nothing, and an event nobody handles says so.
  CreateEvent(nullptr, kEventClassMouse, kEventMouseDown, 0, 0, &anEvent);
  EXPECT_FALSE(ConvertEventRefToEventRecord(anEvent, &aRecord));
  ReleaseEvent(anEvent);
  AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, QuitHandler, false);
  CarbonEventSource::PostAppleEvent(kCoreEventClass, kAEQuitApplication);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  ConvertEventRefToEventRecord(anEvent, &aRecord);
  EXPECT_EQ(AEProcessAppleEvent(&aRecord), errAEEventNotHandled);
  ReleaseEvent(anEvent);
}

}  // namespace
