#include "display/VertexList.h"

#include <algorithm>

VertexList::VertexList() : mVerts(mInline), mSize(0), mCapacity(k_InlineCount) {}

VertexList::VertexList(const VertexList& theOther) : mVerts(mInline), mSize(0), mCapacity(k_InlineCount) {
  reserve(theOther.mSize);
  mSize = theOther.mSize;
  std::copy(theOther.mVerts, theOther.mVerts + mSize, mVerts);
}

VertexList::~VertexList() {
  if (mVerts != mInline) delete[] mVerts;
}

VertexList& VertexList::operator=(const VertexList& theOther) {
  if (this == &theOther) return *this;
  reserve(theOther.mSize);
  mSize = theOther.mSize;
  std::copy(theOther.mVerts, theOther.mVerts + mSize, mVerts);
  return *this;
}

void VertexList::reserve(int theCount) {
  if (mCapacity >= theCount) return;
  _D3DTLVERTEX* aVerts = new _D3DTLVERTEX[theCount];
  std::copy(mVerts, mVerts + mSize, aVerts);
  if (mVerts != mInline) delete[] mVerts;
  mVerts = aVerts;
  mCapacity = theCount;
}

void VertexList::push_back(const _D3DTLVERTEX& theVertex) {
  if (mSize == mCapacity) reserve(2 * mCapacity);
  mVerts[mSize++] = theVertex;
}

void VertexList::swap(VertexList& theOther) {
  // Inline storage cannot change hands, so those lists swap contents.
  if (mVerts != mInline && theOther.mVerts != theOther.mInline) {
    std::swap(mVerts, theOther.mVerts);
    std::swap(mSize, theOther.mSize);
    std::swap(mCapacity, theOther.mCapacity);
    return;
  }
  VertexList aTemp(*this);
  *this = theOther;
  theOther = aTemp;
}

float VertexList::GetCoord(const _D3DTLVERTEX& theVertex, int theIndex) {
  switch (theIndex) {
    case 0:
      return theVertex.sx;
    case 1:
      return theVertex.sy;
    case 2:
      return theVertex.sz;
    case 3:
      return theVertex.tu;
    case 4:
      return theVertex.tv;
    default:
      return 0.0f;
  }
}

_D3DTLVERTEX VertexList::Interpolate(const _D3DTLVERTEX& a, const _D3DTLVERTEX& b, float t) {
  _D3DTLVERTEX aResult = a;
  aResult.sx = a.sx + (b.sx - a.sx) * t;
  aResult.sy = a.sy + (b.sy - a.sy) * t;
  aResult.tu = a.tu + (b.tu - a.tu) * t;
  aResult.tv = a.tv + (b.tv - a.tv) * t;
  if (a.color != b.color) {
    uint32_t aColor = 0;
    for (int aShift = 24; aShift >= 0; aShift -= 8) {
      int aFrom = static_cast<int>((a.color >> aShift) & 0xFF);
      int aTo = static_cast<int>((b.color >> aShift) & 0xFF);
      int aChannel = static_cast<int>(static_cast<float>(aFrom) + static_cast<float>(aTo - aFrom) * t);
      aColor |= (static_cast<uint32_t>(aChannel) & 0xFF) << aShift;
    }
    aResult.color = aColor;
  }
  return aResult;
}
