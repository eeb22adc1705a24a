#include "display/D3DInterface.h"

#include "display/DDInterface.h"
#include "display/DXErrorString.h"
#include "display/PolyClip.h"
#include "display/TextureData.h"
#include "graphics/TeskTransform2D.h"

namespace Tesk {

std::string D3DInterface::mErrorString;
D3DInterface::AppHooks D3DInterface::sAppHooks = {nullptr, nullptr};
bool gLinearFilter = false;
bool gD3DInterfacePreDrawError = false;

namespace {

uint32_t PackColor(const Color& theColor) {
  return (static_cast<uint32_t>(theColor.mAlpha) << 24) | (static_cast<uint32_t>(theColor.mRed) << 16) |
         (static_cast<uint32_t>(theColor.mGreen) << 8) | static_cast<uint32_t>(theColor.mBlue);
}

_D3DTLVERTEX Vertex(float x, float y, uint32_t theColor) {
  return _D3DTLVERTEX{x, y, 0.0f, 1.0f, theColor, 0, 0, 0};
}

}  // namespace

D3DInterface::D3DInterface()
    : mWindow(nullptr),
      mWidth(640),
      mHeight(480),
      mDD(nullptr),
      mDrawSurface(nullptr),
      mViewport{0, 0, 0, 0, 0.0f, 0.0f},
      mSceneBegun(false),
      mIsWindowed(true),
      mDDInterface(nullptr) {
  gMaxTextureWidth = 64;
  gMaxTextureHeight = 64;
}

D3DInterface::~D3DInterface() { Cleanup(); }

bool D3DInterface::InitFromDDInterface(DDInterface* theInterface) {
  mErrorString.clear();
  mDDInterface = theInterface;
  mWindow = theInterface->mWindow;
  mWidth = theInterface->mWidth;
  mHeight = theInterface->mHeight;
  mDD = theInterface->mDirectDraw;
  mDrawSurface = theInterface->mDrawSurface;
  mIsWindowed = theInterface->mIsWindowed;
  return InitD3D();
}

bool D3DInterface::InitD3D() {
  // The previous device goes with its context before the next one is made.
  mD3DDevice.reset();
  mSceneBegun = false;
  mD3DDevice = std::make_unique<IDirect3DDevice8>();
  D3DPRESENT_PARAMETERS aParams{};
  aParams.BackBufferWidth = static_cast<uint32_t>(mWidth);
  aParams.BackBufferHeight = static_cast<uint32_t>(mHeight);
  aParams.hDeviceWindow = mWindow;
  aParams.Windowed = mIsWindowed;
  // A device without its context cannot draw: report it, so that the application falls back
  // to software drawing instead of dividing by a texture limit of 0.
  if (CheckDXError(mD3DDevice->Reset(&aParams), "Reset")) {
    mD3DDevice.reset();
    return false;
  }
  GLint aMaxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &aMaxSize);
  if (aMaxSize < 2) {
    mErrorString = "GL_MAX_TEXTURE_SIZE is " + std::to_string(aMaxSize);
    mD3DDevice.reset();
    return false;
  }
  gMaxTextureWidth = aMaxSize / 2;
  gMaxTextureHeight = gMaxTextureWidth;
  gSupportedPixelFormats = PixelFormat_A8R8G8B8;
  UpdateViewport();
  mD3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
  return true;
}

HRESULT D3DInterface::UpdateViewport() {
  // The whole back buffer: the window, or the frame the device shows scaled in it.
  mViewport.X = 0;
  mViewport.Y = 0;
  mViewport.Width = mD3DDevice->GetBackBufferWidth();
  mViewport.Height = mD3DDevice->GetBackBufferHeight();
  mViewport.MinZ = 0.0f;
  mViewport.MaxZ = 1.0f;
  return mD3DDevice->SetViewport(&mViewport);
}

bool D3DInterface::PreDraw() {
  if (sAppHooks.mIsMinimized != nullptr && sAppHooks.mIsMinimized()) return false;
  if (!mD3DDevice) return false;
  if (mSceneBegun) return true;
  IDirect3DDevice8* d = mD3DDevice.get();
  d->BeginScene();
  d->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
  d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  d->SetRenderState(D3DRS_LIGHTING, 0);
  d->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  d->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
  d->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_POINT);
  d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  d->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
  d->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
  d->SetRenderState(D3DRS_DITHERENABLE, 0);
  d->SetRenderState(D3DRS_SPECULARENABLE, 0);
  d->SetRenderState(D3DRS_ZWRITEENABLE, 0);
  d->SetRenderState(D3DRS_ZENABLE, 0);
  d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  mSceneBegun = true;
  gLinearFilter = false;
  return true;
}

void D3DInterface::Flush() {
  if (!mSceneBegun) return;
  mD3DDevice->EndScene();
  mSceneBegun = false;
  mErrorString.clear();
}

void D3DInterface::Cleanup() {
  Flush();
  {
    std::unique_ptr<AutoCrit> aLock;
    if (mDDInterface != nullptr) aLock = std::make_unique<AutoCrit>(mDDInterface->mCritSect);
    for (MemoryImage* anImage : mImageSet) {
      delete static_cast<TextureData*>(anImage->mD3DData);
      anImage->mD3DData = nullptr;
    }
    mImageSet.clear();
  }
  if (mDrawSurface != nullptr) {
    mDrawSurface->Release();
    mDrawSurface = nullptr;
  }
  // The device and its context go too, so that switching 3-D off leaves no context behind.
  mD3DDevice.reset();
}

void D3DInterface::SetupDrawMode(int theDrawMode, const Color&, Image*) {
  // The device compares with what it has first, so a run of draws in one mode costs no lock.
  mD3DDevice->SetBlendStates(true, D3DBLEND_SRCALPHA, theDrawMode == 0 ? D3DBLEND_INVSRCALPHA : D3DBLEND_ONE);
}

bool D3DInterface::CheckDXError(HRESULT theResult, const char* theContext) {
  if (theResult >= 0) return false;
  mErrorString = std::string(theContext) + ": " + GetDirectXErrorString(theResult);
  if (sAppHooks.mRegistryWriteString != nullptr)
    sAppHooks.mRegistryWriteString("Test3D\\RuntimeError", mErrorString);
  return true;
}

void SetLinearFilter(IDirect3DDevice8* theDevice, bool on) {
  if (on == gLinearFilter) return;
  uint32_t aValue = on ? D3DTEXF_LINEAR : D3DTEXF_POINT;
  const char* aContext = on ? "SetTextureStageState LINEAR" : "SetTextureStageState Point";
  D3DInterface::CheckDXError(theDevice->SetTextureStageState(0, D3DTSS_MINFILTER, aValue), aContext);
  D3DInterface::CheckDXError(theDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, aValue), aContext);
  D3DInterface::CheckDXError(theDevice->SetTextureStageState(0, D3DTSS_MIPFILTER, aValue), aContext);
  gLinearFilter = on;
}

bool D3DInterface::FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) {
  if (!PreDraw()) return true;
  // An opaque normal fill replaces what is there: blending it would read the target for
  // nothing, and over the whole target it is a clear (which the scissor bounds alike).
  bool isOpaque = theDrawMode == 0 && theColor.mAlpha == 255;
  if (isOpaque && !mD3DDevice->HasFragmentTests() && theRect.mX <= 0 && theRect.mY <= 0 &&
      theRect.mX + theRect.mWidth >= mWidth && theRect.mY + theRect.mHeight >= mHeight)
    return CheckDXError(mD3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, PackColor(theColor), 1.0f, 0),
                        "Clear (Rect)");
  mD3DDevice->SetBlendStates(!isOpaque, D3DBLEND_SRCALPHA,
                             theDrawMode == 0 ? D3DBLEND_INVSRCALPHA : D3DBLEND_ONE);
  mD3DDevice->SetTexture(0, nullptr);
  mD3DDevice->SetVertexShader(D3DFVF_TLVERTEX);
  uint32_t aColor = PackColor(theColor);
  float x = static_cast<float>(theRect.mX), y = static_cast<float>(theRect.mY);
  float w = static_cast<float>(theRect.mWidth), h = static_cast<float>(theRect.mHeight);
  _D3DTLVERTEX aQuad[4] = {Vertex(x, y, aColor), Vertex(x, y + h, aColor), Vertex(x + w, y, aColor),
                           Vertex(x + w, y + h, aColor)};
  return CheckDXError(mD3DDevice->DrawQuad(aQuad), "DrawPrimitive (Rect)");
}

bool D3DInterface::DrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                            const Color& theColor, int theDrawMode) {
  if (!PreDraw()) return true;
  SetupDrawMode(theDrawMode, theColor, nullptr);
  mD3DDevice->SetTexture(0, nullptr);
  mD3DDevice->SetVertexShader(D3DFVF_TLVERTEX);
  uint32_t aColor = PackColor(theColor);
  float x1 = static_cast<float>(theStartX), y1 = static_cast<float>(theStartY);
  float x2 = static_cast<float>(theEndX), y2 = static_cast<float>(theEndY);
  _D3DTLVERTEX aLine[3] = {Vertex(x1, y1, aColor), Vertex(x2, y2, aColor),
                           Vertex(x2 + 0.5f, y2 + 0.5f, aColor)};
  return CheckDXError(mD3DDevice->DrawPrimitiveUP(D3DPT_LINESTRIP, 2, aLine, sizeof(_D3DTLVERTEX)),
                      "DrawPrimitive (Line)");
}

void D3DInterface::FillPoly(const TPoint<int> theVertices[], int theNumVertices,
                            const TRect<int>* theClipRect, const Color& theColor, int theDrawMode, int tx,
                            int ty) {
  if (theNumVertices < 3) return;
  if (!PreDraw()) return;
  SetupDrawMode(theDrawMode, theColor, nullptr);
  mD3DDevice->SetTexture(0, nullptr);
  mD3DDevice->SetVertexShader(D3DFVF_TLVERTEX);
  uint32_t aColor = PackColor(theColor);
  VertexList aList;
  for (int i = 0; i < theNumVertices; ++i)
    aList.push_back(Vertex(static_cast<float>(theVertices[i].mX + tx),
                           static_cast<float>(theVertices[i].mY + ty), aColor));
  if (theClipRect != nullptr)
    DrawPolyClipped(mD3DDevice.get(), theClipRect, aList);
  else
    CheckDXError(mD3DDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, theNumVertices - 2, aList.data(),
                                             sizeof(_D3DTLVERTEX)),
                 "DrawPrimitive (FillPoly)");
}

void D3DInterface::Blt(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                       const Color& theColor, int theDrawMode, bool linearFilter) {
  MemoryImage* anImage = dynamic_cast<MemoryImage*>(theImage);
  if (anImage == nullptr || !PreDraw() || !CreateImageTexture(anImage)) return;
  SetupDrawMode(theDrawMode, theColor, theImage);
  SetLinearFilter(mD3DDevice.get(), linearFilter);
  static_cast<TextureData*>(anImage->mD3DData)->Blt(mD3DDevice.get(), theX, theY, theSrcRect, theColor);
}

void D3DInterface::BltTransformed(Image* theImage, const TRect<int>* theClipRect, const Color& theColor,
                                  int theDrawMode, const TRect<int>& theSrcRect,
                                  const TeskMatrix3& theTransform, bool linearFilter, float theX, float theY,
                                  bool center) {
  MemoryImage* anImage = dynamic_cast<MemoryImage*>(theImage);
  if (anImage == nullptr || !PreDraw() || !CreateImageTexture(anImage)) return;
  SetupDrawMode(theDrawMode, theColor, theImage);
  SetLinearFilter(mD3DDevice.get(), linearFilter);
  static_cast<TextureData*>(anImage->mD3DData)
      ->BltTransformed(mD3DDevice.get(), theTransform, theSrcRect, theColor, theClipRect, theX, theY, center);
}

void D3DInterface::DrawTrianglesTex(const TriVertex theVertices[][3], int theNumTriangles,
                                    const Color& theColor, int theDrawMode, Image* theTexture, float tx,
                                    float ty, bool blend) {
  MemoryImage* anImage = dynamic_cast<MemoryImage*>(theTexture);
  if (anImage == nullptr || !PreDraw() || !CreateImageTexture(anImage)) return;
  SetupDrawMode(theDrawMode, theColor, theTexture);
  SetLinearFilter(mD3DDevice.get(), blend);
  static_cast<TextureData*>(anImage->mD3DData)
      ->BltTriangles(mD3DDevice.get(), theVertices, theNumTriangles, PackColor(theColor), tx, ty);
}

void D3DInterface::BltClipF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                            const TRect<int>* theClipRect, const Color& theColor, int theDrawMode) {
  TeskTransform2D aTransform;
  aTransform.Translate(theX, theY);
  BltTransformed(theImage, theClipRect, theColor, theDrawMode, theSrcRect, aTransform, true);
}

void D3DInterface::BltMirror(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                             const Color& theColor, int theDrawMode, bool linearFilter) {
  TeskTransform2D aTransform;
  aTransform.Translate(static_cast<float>(-theSrcRect.mWidth), 0);
  aTransform.Scale(-1, 1);
  aTransform.Translate(theX, theY);
  BltTransformed(theImage, nullptr, theColor, theDrawMode, theSrcRect, aTransform, linearFilter);
}

void D3DInterface::StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                              const TRect<int>* theClipRect, const Color& theColor, int theDrawMode,
                              bool fastStretch, bool mirror) {
  float sx = static_cast<float>(theDestRect.mWidth) / theSrcRect.mWidth;
  float sy = static_cast<float>(theDestRect.mHeight) / theSrcRect.mHeight;
  TeskTransform2D aTransform;
  if (mirror) {
    aTransform.Translate(static_cast<float>(-theSrcRect.mWidth), 0);
    aTransform.Scale(-sx, sy);
  } else {
    aTransform.Scale(sx, sy);
  }
  aTransform.Translate(static_cast<float>(theDestRect.mX), static_cast<float>(theDestRect.mY));
  BltTransformed(theImage, theClipRect, theColor, theDrawMode, theSrcRect, aTransform, !fastStretch);
}

void D3DInterface::BltRotated(Image* theImage, float theX, float theY, const TRect<int>* theClipRect,
                              const Color& theColor, int theDrawMode, double theRot, float theRotCenterX,
                              float theRotCenterY, const TRect<int>& theSrcRect) {
  TeskTransform2D aTransform;
  aTransform.Translate(-theRotCenterX, -theRotCenterY);
  aTransform.RotateRad(static_cast<float>(theRot));
  aTransform.Translate(theX + theRotCenterX, theY + theRotCenterY);
  BltTransformed(theImage, theClipRect, theColor, theDrawMode, theSrcRect, aTransform, true);
}

bool D3DInterface::CreateImageTexture(MemoryImage* theImage) {
  bool isPurging = false;
  if (theImage->mD3DData == nullptr) {
    theImage->mD3DData = new TextureData();
    isPurging = theImage->mPurgeBits;
    std::unique_ptr<AutoCrit> aLock;
    if (mDDInterface != nullptr) aLock = std::make_unique<AutoCrit>(mDDInterface->mCritSect);
    mImageSet.insert(theImage);
  }
  TextureData* aData = static_cast<TextureData*>(theImage->mD3DData);
  aData->CheckCreateTextures(theImage, mD3DDevice.get(), mDD);
  if (isPurging) theImage->PurgeBits();
  return aData->mPixelFormat != PixelFormat_Unknown;
}

void D3DInterface::RemoveMemoryImage(MemoryImage* theImage) {
  if (theImage->mD3DData == nullptr) return;
  delete static_cast<TextureData*>(theImage->mD3DData);
  theImage->mD3DData = nullptr;
  std::unique_ptr<AutoCrit> aLock;
  if (mDDInterface != nullptr) aLock = std::make_unique<AutoCrit>(mDDInterface->mCritSect);
  mImageSet.erase(theImage);
}

}  // namespace Tesk
