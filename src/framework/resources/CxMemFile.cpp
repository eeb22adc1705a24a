#include "resources/CxMemFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr uint64_t k_GrowStep = 4096;
constexpr uint64_t k_MaxCapacity = INT32_MAX;
}  // namespace

CxMemFile::CxMemFile(uint8_t* theBuffer, uint32_t theSize)
    : mBuffer(theBuffer),
      mSize(theBuffer != nullptr ? static_cast<int32_t>(std::min<uint32_t>(theSize, INT32_MAX)) : 0),
      mCapacity(mSize),
      mFreeOnClose(theBuffer == nullptr) {}

CxMemFile::~CxMemFile() { Close(); }

bool CxMemFile::Close() {
  if (mBuffer != nullptr && mFreeOnClose) free(mBuffer);
  mBuffer = nullptr;
  mSize = mPosition = mCapacity = 0;
  return true;
}

size_t CxMemFile::Read(void* theBuffer, size_t theSize, size_t theCount) {
  if (mBuffer == nullptr || theBuffer == nullptr || theSize == 0 || mPosition >= mSize) return 0;
  const size_t aLeft = static_cast<size_t>(mSize - mPosition);
  // Bytes of a last partial element are copied too, but only whole elements count.
  const size_t aWanted = theCount > aLeft / theSize ? aLeft : theSize * theCount;
  memcpy(theBuffer, mBuffer + mPosition, aWanted);
  mPosition += static_cast<int32_t>(aWanted);
  return aWanted / theSize;
}

bool CxMemFile::Grow(uint64_t theNeeded) {
  if (theNeeded <= static_cast<uint64_t>(mCapacity)) return true;
  if (!mFreeOnClose) return false;
  const uint64_t aCapacity = (theNeeded / k_GrowStep + 1) * k_GrowStep;
  if (aCapacity > k_MaxCapacity) return false;
  uint8_t* aBuffer = static_cast<uint8_t*>(realloc(mBuffer, aCapacity));
  if (aBuffer == nullptr) return false;
  mBuffer = aBuffer;
  mCapacity = static_cast<int32_t>(aCapacity);
  return true;
}

size_t CxMemFile::Write(const void* theBuffer, size_t theSize, size_t theCount) {
  if (theBuffer == nullptr || theSize == 0 || theCount == 0) return 0;
  if (theCount > k_MaxCapacity / theSize) return 0;
  const uint64_t aLength = static_cast<uint64_t>(theSize) * theCount;
  const uint64_t anEnd = static_cast<uint64_t>(mPosition) + aLength;
  if (!Grow(anEnd)) return 0;
  // A seek past the end leaves a gap; it reads as zeros rather than old heap bytes.
  if (mPosition > mSize) memset(mBuffer + mSize, 0, static_cast<size_t>(mPosition - mSize));
  memcpy(mBuffer + mPosition, theBuffer, aLength);
  mPosition = static_cast<int32_t>(anEnd);
  mSize = std::max(mSize, mPosition);
  return theCount;
}

bool CxMemFile::PutC(uint8_t theByte) { return Write(&theByte, 1, 1) == 1; }

bool CxMemFile::Seek(int32_t theOffset, int theOrigin) {
  if (mBuffer == nullptr) return false;
  int64_t aBase;
  switch (theOrigin) {
    case 0:
      aBase = 0;
      break;
    case 1:
      aBase = mPosition;
      break;
    case 2:
      aBase = mSize;
      break;
    default:
      return false;
  }
  const int64_t aPosition = aBase + theOffset;
  mPosition = static_cast<int32_t>(std::clamp<int64_t>(aPosition, 0, INT32_MAX));
  return true;
}

int32_t CxMemFile::Tell() { return mBuffer == nullptr ? -1 : mPosition; }

int32_t CxMemFile::Size() { return mBuffer == nullptr ? -1 : mSize; }

bool CxMemFile::Flush() { return mBuffer != nullptr; }

bool CxMemFile::Eof() { return mBuffer == nullptr || mPosition >= mSize; }

int32_t CxMemFile::Error() { return mBuffer == nullptr ? -1 : (mPosition > mSize ? 1 : 0); }

int32_t CxMemFile::GetC() {
  if (Eof()) return -1;
  return mBuffer[mPosition++];
}
