#include "display/PolyClip.h"

#include <functional>

#include "display/D3DInterface.h"
#include "display/PointClipper.h"

namespace {

typedef PointClipper<std::less<float>> KeepAtLeast;
typedef PointClipper<std::greater_equal<float>> KeepBelow;

// The four passes; theIn holds the result afterwards.
void ClipFourEdges(VertexList& theIn, VertexList& theOut, int theIndexX, int theIndexY, float theLeft,
                   float theTop, float theRight, float theBottom) {
  theOut.clear();
  KeepAtLeast::ClipPoints(theIndexX, theLeft, theIn, theOut);
  theIn.swap(theOut);
  theOut.clear();
  KeepAtLeast::ClipPoints(theIndexY, theTop, theIn, theOut);
  theIn.swap(theOut);
  theOut.clear();
  KeepBelow::ClipPoints(theIndexX, theRight, theIn, theOut);
  theIn.swap(theOut);
  theOut.clear();
  KeepBelow::ClipPoints(theIndexY, theBottom, theIn, theOut);
  theIn.swap(theOut);
}

}  // namespace

void DrawPolyClipped(IDirect3DDevice8* theDevice, const Tesk::TRect<int>* theClip,
                     const VertexList& theList) {
  VertexList aList(theList);
  VertexList aWork;
  float aLeft = static_cast<float>(theClip->mX), aTop = static_cast<float>(theClip->mY);
  float aRight = static_cast<float>(theClip->mX + theClip->mWidth);
  float aBottom = static_cast<float>(theClip->mY + theClip->mHeight);
  ClipFourEdges(aList, aWork, 0, 1, aLeft, aTop, aRight, aBottom);
  if (aList.size() > 2) {
    theDevice->SetVertexShader(D3DFVF_TLVERTEX);
    Tesk::D3DInterface::CheckDXError(
        theDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, aList.size() - 2, aList.data(), sizeof(_D3DTLVERTEX)),
        "DrawPrimitive (Tri) 2");
  }
}

void DoPolyTextureClip(VertexList& theList) {
  VertexList aWork;
  ClipFourEdges(theList, aWork, 3, 4, 0.0f, 0.0f, 1.0f, 1.0f);
}
