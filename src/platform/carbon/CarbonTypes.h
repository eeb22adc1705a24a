// The small set of Carbon types and result codes the framework uses, shaped as it expects them.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t OSStatus;
typedef int16_t OSErr;
typedef uint32_t OSType;
typedef unsigned char Boolean;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef size_t ByteCount;
typedef unsigned long ItemCount;
typedef double EventTime;
typedef double EventTimeout;
typedef double EventTimerInterval;
typedef intptr_t SRefCon;

// 'KWMR' and friends without multi-character literals.
constexpr OSType MakeOSType(const char (&theCode)[5]) {
  return (static_cast<OSType>(static_cast<unsigned char>(theCode[0])) << 24) |
         (static_cast<OSType>(static_cast<unsigned char>(theCode[1])) << 16) |
         (static_cast<OSType>(static_cast<unsigned char>(theCode[2])) << 8) |
         static_cast<OSType>(static_cast<unsigned char>(theCode[3]));
}

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
