// AGL as the display code calls it: pixel formats, contexts on window ports, swapping and
// renderer queries, over SDL2 OpenGL compatibility contexts. Every context shares its objects
// (textures) with one root context, so a texture made in one is usable in all. OpenGL belongs
// to one thread (the first that makes a context); other threads cannot make a context current.
#pragma once

#include <SDL_opengl.h>

#include <cstdint>

#include "platform/carbonwindow/CarbonWindow.h"
#include "platform/coregraphics/CoreGraphics.h"

typedef struct AGLPixelFormatRec* AGLPixelFormat;
typedef struct AGLContextRec* AGLContext;
typedef struct AGLRendererInfoRec* AGLRendererInfo;
typedef CGrafPtr AGLDrawable;

enum : GLint {
  AGL_NONE = 0,
  AGL_ALL_RENDERERS = 1,
  AGL_RGBA = 4,
  AGL_DOUBLEBUFFER = 5,
  AGL_NO_RECOVERY = 72,
  AGL_ACCELERATED = 73,
  AGL_VIDEO_MEMORY = 120,
  AGL_SWAP_INTERVAL = 222,
};

enum : GLenum {
  AGL_NO_ERROR = 0,
  AGL_BAD_ATTRIBUTE = 10000,
  AGL_BAD_PROPERTY = 10001,
  AGL_BAD_PIXELFMT = 10002,
  AGL_BAD_RENDINFO = 10003,
  AGL_BAD_CONTEXT = 10004,
  AGL_BAD_DRAWABLE = 10005,
  AGL_BAD_GDEV = 10006,
  AGL_BAD_STATE = 10007,
  AGL_BAD_VALUE = 10008,
  AGL_BAD_MATCH = 10009,  // the share context cannot share with the new one
  AGL_BAD_ALLOC = 10016,
};

// theDevices null: a format for every screen.
AGLPixelFormat aglChoosePixelFormat(const GDHandle* theDevices, GLint theDeviceCount,
                                    const GLint* theAttributes);
void aglDestroyPixelFormat(AGLPixelFormat theFormat);
AGLContext aglCreateContext(AGLPixelFormat theFormat, AGLContext theShare);
GLboolean aglDestroyContext(AGLContext theContext);
// Attaches the context to a window's port; null detaches it.
GLboolean aglSetDrawable(AGLContext theContext, AGLDrawable theDrawable);
AGLDrawable aglGetDrawable(AGLContext theContext);
GLboolean aglSetCurrentContext(AGLContext theContext);
// The context current on the calling thread (null on every thread but OpenGL's).
AGLContext aglGetCurrentContext();
GLboolean aglUpdateContext(AGLContext theContext);
void aglSwapBuffers(AGLContext theContext);
GLboolean aglSetInteger(AGLContext theContext, GLenum theProperty, const GLint* theValue);
// The calling thread's last error; reading it clears it.
GLenum aglGetError();
const GLubyte* aglErrorString(GLenum theCode);

AGLRendererInfo aglQueryRendererInfo(const GDHandle* theDevices, GLint theDeviceCount);
AGLRendererInfo aglNextRendererInfo(AGLRendererInfo theInfo);
GLboolean aglDescribeRenderer(AGLRendererInfo theInfo, GLint theProperty, GLint* theValue);
void aglDestroyRendererInfo(AGLRendererInfo theInfo);

// True when the calling thread is the one that owns OpenGL.
bool aglIsGLThread();
// Contexts made and not yet destroyed (the root context not counted).
int aglLiveContextCount();
// Test seams: the next pixel-format choice fails; the next context made with a share
// context reports AGL_BAD_MATCH; the next context creation fails.
void aglTestFailNextPixelFormat();
void aglTestRefuseNextShare();
void aglTestFailNextContext();
