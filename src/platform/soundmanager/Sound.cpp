#include "platform/soundmanager/Sound.h"

#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/audio/dylib/AudioCore.h"
#include "platform/soundmanager/SndVoice.h"

using Tesk::AudioCore;

SndCallBackUPP NewSndCallBackUPP(SndCallBackProcPtr theProc) { return theProc; }

OSErr SndNewChannel(SndChannel** theChannel, int16_t theSynth, int32_t, SndCallBackUPP theCallBack) {
  if (theChannel == nullptr) return kSndParamErr;
  if (theSynth != sampledSynth) return badChannel;
  SndChannel* aChannel = new SndChannel();
  aChannel->callBack = theCallBack;
  aChannel->userInfo = 0;
  aChannel->voice = new Tesk::SndVoice(aChannel);
  AudioCore::Get().AddVoice(aChannel->voice);
  AudioCore::Get().AcquireDevice();
  *theChannel = aChannel;
  return 0;
}

OSErr SndDisposeChannel(SndChannel* theChannel, bool) {
  if (theChannel == nullptr) return badChannel;
  // Once out of the core's list the mixer no longer touches the voice.
  AudioCore::Get().RemoveVoice(theChannel->voice);
  delete theChannel->voice;
  delete theChannel;
  AudioCore::Get().ReleaseDevice();
  return 0;
}

OSErr SndDoImmediate(SndChannel* theChannel, const SndCommand* theCommand) {
  if (theChannel == nullptr || theCommand == nullptr) return badChannel;
  std::lock_guard<std::recursive_mutex> aLock(AudioCore::Get().Mutex());
  theChannel->voice->DoImmediate(*theCommand);
  return 0;
}

OSErr SndDoCommand(SndChannel* theChannel, const SndCommand* theCommand, bool) {
  if (theChannel == nullptr || theCommand == nullptr) return badChannel;
  std::lock_guard<std::recursive_mutex> aLock(AudioCore::Get().Mutex());
  return theChannel->voice->DoCommand(*theCommand);
}

OSErr SndChannelStatus(SndChannel* theChannel, int16_t theLength, SCStatus* theStatus) {
  if (theChannel == nullptr) return badChannel;
  if (theStatus == nullptr || theLength < static_cast<int16_t>(sizeof(SCStatus))) return kSndParamErr;
  std::lock_guard<std::recursive_mutex> aLock(AudioCore::Get().Mutex());
  std::memset(theStatus, 0, sizeof(SCStatus));
  theStatus->scChannelBusy = theChannel->voice->IsBusy() ? 1 : 0;
  return 0;
}

void dtox80(const double* theValue, extended80* theOut) {
  std::memset(theOut->bytes, 0, sizeof(theOut->bytes));
  double aValue = *theValue;
  if (aValue == 0.0 || !std::isfinite(aValue)) return;
  if (aValue < 0) {
    theOut->bytes[0] = 0x80;
    aValue = -aValue;
  }
  int aExponent = 0;
  const double aFraction = std::frexp(aValue, &aExponent);  // [0.5, 1)
  const uint64_t aMantissa = static_cast<uint64_t>(std::ldexp(aFraction, 64));
  const int aBiased = aExponent - 1 + 16383;
  theOut->bytes[0] |= static_cast<uint8_t>((aBiased >> 8) & 0x7F);
  theOut->bytes[1] = static_cast<uint8_t>(aBiased & 0xFF);
  for (int i = 0; i < 8; ++i) theOut->bytes[2 + i] = static_cast<uint8_t>(aMantissa >> (56 - 8 * i));
}

double x80tod(const extended80* theValue) {
  const uint8_t* aBytes = theValue->bytes;
  const int aBiased = ((aBytes[0] & 0x7F) << 8) | aBytes[1];
  uint64_t aMantissa = 0;
  for (int i = 0; i < 8; ++i) aMantissa = (aMantissa << 8) | aBytes[2 + i];
  if (aMantissa == 0) return 0.0;
  const double aValue = std::ldexp(static_cast<double>(aMantissa), aBiased - 16383 - 63);
  return (aBytes[0] & 0x80) ? -aValue : aValue;
}
