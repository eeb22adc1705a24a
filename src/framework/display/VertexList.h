// A small vector of transformed vertices with room for 100 inside itself, so that clipping a
// polygon allocates nothing.
#pragma once

#include "display/D3DTypes.h"

class VertexList {
 public:
  VertexList();
  VertexList(const VertexList& theOther);
  ~VertexList();
  VertexList& operator=(const VertexList& theOther);

  void reserve(int theCount);
  void push_back(const _D3DTLVERTEX& theVertex);
  _D3DTLVERTEX& operator[](int i) { return mVerts[i]; }
  const _D3DTLVERTEX& operator[](int i) const { return mVerts[i]; }
  int size() const { return mSize; }
  void clear() { mSize = 0; }
  const _D3DTLVERTEX* data() const { return mVerts; }
  void swap(VertexList& theOther);

  // Field of a vertex by index: 0 sx, 1 sy, 2 sz, 3 tu, 4 tv; any other reads 0.
  static float GetCoord(const _D3DTLVERTEX& theVertex, int theIndex);
  // a + (b - a) * t for position, texture and (when they differ) each colour channel.
  static _D3DTLVERTEX Interpolate(const _D3DTLVERTEX& a, const _D3DTLVERTEX& b, float t);

 private:
  static constexpr int k_InlineCount = 100;
  _D3DTLVERTEX mInline[k_InlineCount];
  _D3DTLVERTEX* mVerts;
  int mSize;
  int mCapacity;
};
