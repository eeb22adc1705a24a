// Building and tearing down the main OpenGL context of a window, with the renderer checks that
// decide whether the window's screens can carry it, and the error reporter they share.
#pragma once

#include <cstdint>

#include "platform/agl/AGL.h"

// What a build asks for and what it found.
struct structGLWindowInfo {
  bool acceleratedRequired;
  GLint attributes[64];  // ended by AGL_NONE
  int32_t videoMemoryNeeded;
  int32_t textureMemoryNeeded;
  AGLPixelFormat pixelFormat;
  bool checkAllDevices;
};

// 0 with *theContext set on success; -50 for a null window or record; 0 with a null context,
// or an AGL error, on failure (each failure reported).
OSStatus BuildGLFromWindow(WindowPtr theWindow, AGLContext* theContext, structGLWindowInfo* theInfo,
                           AGLContext theShareContext);
// -50 for a null pointer or context; else the last AGL error.
OSStatus DestroyGLFromWindow(AGLContext* theContext, structGLWindowInfo* theInfo);
// OpenGL is always there.
bool PreflightGL(bool isFullScreen);
// Screens the window overlaps; *theDevice gets the one it overlaps most.
short FindGDHandleFromWindow(WindowPtr theWindow, GDHandle* theDevice);
bool CheckRenderer(GDHandle theDevice, int32_t* theVideoMemory, int32_t* theTextureMemory,
                   int32_t* theScratch, bool isAcceleratedRequired);
bool CheckAllDeviceRenderers(int32_t* theVideoMemory, int32_t* theTextureMemory, int32_t* theScratch,
                             bool isAcceleratedRequired);
// "%s\n", a beep, and the debugger message hook.
void ReportError(const char* theMessage);
// The pending AGL error, reported when there is one.
GLenum aglReportError();
