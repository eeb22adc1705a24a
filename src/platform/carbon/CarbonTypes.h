// The small set of Carbon types and result codes the framework uses, shaped as it expects them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/coreservices/MacTypes.h"

typedef unsigned char Boolean;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef size_t ByteCount;
typedef double EventTime;
typedef double EventTimeout;
typedef double EventTimerInterval;
typedef intptr_t SRefCon;

// 'KWMR' and friends.
constexpr OSType MakeOSType(const char (&theCode)[5]) { return MakeFourCharCode(theCode); }

struct Point {
  int16_t v;
  int16_t h;
};

struct Rect {
  int16_t top;
  int16_t left;
  int16_t bottom;
  int16_t right;
};

struct HIPoint {
  float x;
  float y;
};

struct ProcessSerialNumber {
  UInt32 highLongOfPSN;
  UInt32 lowLongOfPSN;
};

enum : OSStatus {
  noErr = 0,
  paramErr = -50,
  memFullErr = -108,
  noScrapErr = -100,
  noTypeErr = -102,
  errAEEventNotHandled = -1708,
  eventParameterNotFoundErr = -9870,
  eventNotHandledErr = -9874,
  eventLoopTimedOutErr = -9875,
  errWindowPropertyNotFound = -5604,
  errInvalidWindowRef = -5600,
};

constexpr EventTimeout kEventDurationNoWait = 0.0;
constexpr EventTimeout kEventDurationForever = -1.0;
constexpr EventTime kEventDurationSecond = 1.0;
constexpr EventTime kEventDurationMillisecond = 0.001;
