// One Sutherland-Hodgman edge: vertices on the side that theCompare(coordinate, edge) calls
// true are outside. std::less keeps coordinate >= edge (left, top); std::greater_equal keeps
// coordinate < edge (right, bottom).
#pragma once

#include <functional>

#include "display/VertexList.h"

template <class Compare>
class PointClipper {
 public:
  static void ClipPoint(int theIndex, float theEdge, const _D3DTLVERTEX& theStart, const _D3DTLVERTEX& theEnd,
                        VertexList& theOut) {
    Compare isOutside;
    float s = VertexList::GetCoord(theStart, theIndex);
    float e = VertexList::GetCoord(theEnd, theIndex);
    bool isStartIn = !isOutside(s, theEdge);
    bool isEndIn = !isOutside(e, theEdge);
    if (isStartIn && isEndIn) {
      theOut.push_back(theEnd);
    } else if (isStartIn) {
      theOut.push_back(VertexList::Interpolate(theStart, theEnd, (theEdge - s) / (e - s)));
    } else if (isEndIn) {
      theOut.push_back(VertexList::Interpolate(theStart, theEnd, (theEdge - s) / (e - s)));
      theOut.push_back(theEnd);
    }
  }

  static void ClipPoints(int theIndex, float theEdge, VertexList& theIn, VertexList& theOut) {
    if (theIn.size() <= 1) return;
    ClipPoint(theIndex, theEdge, theIn[theIn.size() - 1], theIn[0], theOut);
    for (int i = 0; i + 1 < theIn.size(); ++i) ClipPoint(theIndex, theEdge, theIn[i], theIn[i + 1], theOut);
  }
};
