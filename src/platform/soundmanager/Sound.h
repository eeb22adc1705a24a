// The Sound Manager calls the DirectSound-shaped layer makes: channels with a command queue,
// immediate commands and an end-of-sound callback, played by the process's audio core.
#pragma once

#include <cstdint>

#include "platform/coreservices/MacTypes.h"

// Success is 0; the common codes belong to the Carbon types, so these are named apart.
enum : OSErr {
  kSndParamErr = -50,
  queueFull = -203,
  badChannel = -205,
};

// Command numbers.
enum : uint16_t {
  nullCmd = 0,
  quietCmd = 3,
  flushCmd = 4,
  callBackCmd = 13,
  volumeCmd = 46,
  bufferCmd = 81,
  rateMultiplierCmd = 86,
};

enum : int16_t { sampledSynth = 5 };
enum : int32_t { initStereo = 0xC0 };
enum : uint8_t { extSH = 0xFF };

// param2 carries pointers, so it is pointer-sized.
struct SndCommand {
  uint16_t cmd;
  int16_t param1;
  intptr_t param2;
};

struct SndChannel;
typedef void (*SndCallBackProcPtr)(SndChannel* theChannel, SndCommand* theCommand);
typedef SndCallBackProcPtr SndCallBackUPP;

// 80-bit IEEE extended float, big-endian, as sound headers carry the sample rate.
struct extended80 {
  uint8_t bytes[10];
};

struct ExtSoundHeader {
  uint8_t* samplePtr;
  uint32_t numChannels;
  uint32_t sampleRate;  // unsigned 16.16; overflows from 65536 Hz, so the player reads AIFFSampleRate
  uint32_t loopStart;
  uint32_t loopEnd;
  uint8_t encode;
  uint8_t baseFrequency;
  uint32_t numFrames;
  extended80 AIFFSampleRate;
  void* markerChunk;
  void* instrumentChunks;
  void* AESRecording;
  uint16_t sampleSize;  // bits per sample: 8 (unsigned) or 16 (signed, little-endian)
  uint16_t futureUse1;
  uint32_t futureUse2;
  uint32_t futureUse3;
  uint32_t futureUse4;
};

struct SCStatus {
  uint32_t scStartTime;
  uint32_t scEndTime;
  uint32_t scCurrentTime;
  uint8_t scChannelBusy;
  uint8_t scChannelDisposed;
  uint8_t scChannelPaused;
  uint8_t scUnused;
  uint32_t scChannelAttributes;
  int32_t scCPULoad;
};
static_assert(sizeof(SCStatus) == 24, "SCStatus is 24 bytes");

namespace Tesk {
class SndVoice;
}

struct SndChannel {
  SndCallBackUPP callBack;  // writable: a looping play sets it on a channel made without one
  intptr_t userInfo;
  Tesk::SndVoice* voice;
};

SndCallBackUPP NewSndCallBackUPP(SndCallBackProcPtr theProc);

// Makes a sampled-sound channel (a voice of the audio core); *theChannel receives it.
OSErr SndNewChannel(SndChannel** theChannel, int16_t theSynth, int32_t theInit, SndCallBackUPP theCallBack);
OSErr SndDisposeChannel(SndChannel* theChannel, bool theQuietNow);

// Takes effect before returning.
OSErr SndDoImmediate(SndChannel* theChannel, const SndCommand* theCommand);
// Queued; the queue advances while the channel is idle. Callbacks run on the mixing thread.
OSErr SndDoCommand(SndChannel* theChannel, const SndCommand* theCommand, bool theNoWait);

OSErr SndChannelStatus(SndChannel* theChannel, int16_t theLength, SCStatus* theStatus);

void dtox80(const double* theValue, extended80* theOut);
double x80tod(const extended80* theValue);
