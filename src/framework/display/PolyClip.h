// Polygons of transformed vertices clipped before they reach the device: against a screen
// rectangle, and against the unit square of one texture piece.
#pragma once

#include "display/IDirect3DDevice8.h"
#include "display/VertexList.h"
#include "graphics/TRect.h"

// Clips theList to theClip and draws what is left as a triangle fan with the texture and
// blending the caller set.
void DrawPolyClipped(IDirect3DDevice8* theDevice, const Tesk::TRect<int>* theClip, const VertexList& theList);
// Keeps the part of theList whose texture coordinates lie in [0, 1) x [0, 1).
void DoPolyTextureClip(VertexList& theList);
