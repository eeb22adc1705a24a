#include "core/CritSect.h"

namespace Tesk {

CritSect::CritSect() : mCriticalRegion(nullptr) { MPCreateCriticalRegion(&mCriticalRegion); }

CritSect::~CritSect() { MPDeleteCriticalRegion(mCriticalRegion); }

}  // namespace Tesk
