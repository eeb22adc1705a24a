#include "sound/DSoundInstance.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/MacUtils.h"
#include "sound/DSoundManager.h"
#include "sound/MACDIRECTSOUND.h"
#include "sound/macDirectSoundBuffer.h"

namespace Tesk {

namespace {
const char* ErrorName(HRESULT theError) {
  switch (theError) {
    case DSERR_ALLOCATED:
      return "DSERR_ALLOCATED";
    case DSERR_INVALIDPARAM:
      return "DSERR_INVALIDPARAM";
    case DSERR_INVALIDCALL:
      return "DSERR_INVALIDCALL";
    case DSERR_OUTOFMEMORY:
      return "DSERR_OUTOFMEMORY";
    case DSERR_UNINITIALIZED:
      return "DSERR_UNINITIALIZED";
    default:
      return nullptr;
  }
}
}  // namespace

DSoundInstance::DSoundInstance(DSoundManager* theManager, macDirectSoundBuffer* theSource)
    : mSoundManagerP(theManager), mSourceSoundBuffer(theSource) {
  if (mSourceSoundBuffer != nullptr) {
    const HRESULT aResult =
        mSoundManagerP->GetDevice()->DuplicateSoundBuffer(mSourceSoundBuffer, &mSoundBuffer);
    if (aResult != DS_OK) {
      if (const char* aName = ErrorName(aResult)) MessageBoxW(nullptr, aName, "Hey", MB_OK);
      // Without its voice the game cannot go on; that is a failure, not a normal end.
      std::exit(1);
    }
    mSoundBuffer->GetFrequency(&mDefaultFrequency);
  }
  ApplyVolume();
}

DSoundInstance::~DSoundInstance() {
  if (mSoundBuffer != nullptr) mSoundBuffer->Release();
}

void DSoundInstance::Release() {
  Stop();
  mReleased = true;
}

void DSoundInstance::SetBaseVolume(double theBaseVolume) {
  mBaseVolume = theBaseVolume;
  ApplyVolume();
}

void DSoundInstance::SetBasePan(int theBasePan) {
  mBasePan = theBasePan;
  ApplyPan();
}

void DSoundInstance::AdjustPitch(double theNumSteps) {
  if (mSoundBuffer == nullptr) return;
  double aFrequency = mDefaultFrequency * std::pow(1.0594630943592953, theNumSteps);
  aFrequency = std::clamp(aFrequency, 100.0, 100000.0);
  mSoundBuffer->SetFrequency(static_cast<uint32_t>(aFrequency));
}

void DSoundInstance::SetVolume(double theVolume) {
  mVolume = theVolume;
  ApplyVolume();
}

void DSoundInstance::SetPan(int thePosition) {
  mPan = thePosition;
  ApplyPan();
}

bool DSoundInstance::Play(bool theLooping, bool theAutoRelease) {
  Stop();
  mHasPlayed = true;
  mAutoRelease = theAutoRelease;
  if (mSoundBuffer == nullptr) return false;
  return mSoundBuffer->Play(0, 0, theLooping ? DSBPLAY_LOOPING : 0) == DS_OK;
}

void DSoundInstance::Stop() {
  StopKeepingAutoRelease();
  mAutoRelease = false;
}

void DSoundInstance::StopKeepingAutoRelease() {
  if (mSoundBuffer == nullptr) return;
  mSoundBuffer->Stop();
  mSoundBuffer->SetCurrentPosition(0);
}

bool DSoundInstance::IsPlaying() {
  if (!mHasPlayed || mSoundBuffer == nullptr) return false;
  uint32_t aStatus = 0;
  mSoundBuffer->GetStatus(&aStatus);
  return (aStatus & DSBSTATUS_PLAYING) != 0;
}

bool DSoundInstance::IsReleased() {
  if (!mReleased && mAutoRelease && mHasPlayed && !IsPlaying()) Release();
  return mReleased;
}

double DSoundInstance::GetVolume() { return mVolume; }

void DSoundInstance::RehupVolume() { ApplyVolume(); }

void DSoundInstance::ApplyVolume() {
  if (mSoundBuffer == nullptr) return;
  const double aVolume = mBaseVolume * mVolume * mSoundManagerP->GetEffectVolume();
  mSoundBuffer->SetVolume(DSoundManager::VolumeToDB(aVolume));
}

void DSoundInstance::ApplyPan() {
  if (mSoundBuffer == nullptr) return;
  mSoundBuffer->SetPan(mBasePan + mPan);
}

}  // namespace Tesk
