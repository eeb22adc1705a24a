// The drawing context: turns each call into the destination image's operation
// after translating and clipping it, and keeps a stack of saved states.
#pragma once

#include <vector>

#include "core/Common.h"
#include "graphics/GraphicsState.h"

namespace Tesk {

class Graphics : public GraphicsState {
 public:
  std::vector<GraphicsState> mStateStack;

  explicit Graphics(Image* theDestImage = nullptr);
  // Copies the state; the copy starts with an empty stack.
  Graphics(const Graphics& theGraphics);
  virtual ~Graphics();

  // A heap copy made by the copy constructor; the caller deletes it.
  Graphics* Create();

  void PushState();
  // Restores every member of the last saved state, destination included. The stack must not be empty.
  void PopState();

  void SetFont(Font* theFont) { mFont = theFont; }
  Font* GetFont() { return mFont; }
  void SetColor(const Color& theColor) { mColor = theColor; }
  const Color& GetColor() { return mColor; }
  void SetColorAlpha(int theAlpha) { mColor.mAlpha = theAlpha; }
  void SetDrawMode(int theDrawMode) { mDrawMode = theDrawMode; }
  int GetDrawMode() { return mDrawMode; }
  void SetColorizeImages(bool colorizeImages) { mColorizeImages = colorizeImages; }
  bool GetColorizeImages() { return mColorizeImages; }
  void SetFastStretch(bool fastStretch) { mFastStretch = fastStretch; }
  void SetLinearBlend(bool linear) { mLinearBlend = linear; }
  bool Is3D() { return mIs3D; }

  void Translate(int theTransX, int theTransY);
  // Shrinks the clip to its intersection with the translated rectangle.
  void ClipRect(int theX, int theY, int theWidth, int theHeight);

  void FillRect(int theX, int theY, int theWidth, int theHeight);
  void FillRect(const TRect<int>& theRect);
  // The outline covers (w+1) x (h+1) pixels.
  void DrawRect(int theX, int theY, int theWidth, int theHeight);
  void DrawRect(const TRect<int>& theRect);
  void DrawLine(int theStartX, int theStartY, int theEndX, int theEndY);
  void DrawString(const TeskString& theString, int theX, int theY);

  void DrawImage(Image* theImage, int theX, int theY);
  void DrawImage(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect);
  void DrawImage(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect);
  void DrawImage(Image* theImage, int theX, int theY, int theStretchedWidth, int theStretchedHeight);
  void DrawImageMirror(Image* theImage, int theX, int theY, bool mirror = true);
  void DrawImageMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, bool mirror = true);
  void DrawImageMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                       bool mirror = true);
  // The angle is in radians; the centre is relative to the source rectangle.
  void DrawImageRotatedF(Image* theImage, float theX, float theY, double theRot, float theRotCenterX,
                         float theRotCenterY, const TRect<int>* theSrcRect = nullptr);
  void DrawImageRotated(Image* theImage, int theX, int theY, double theRot,
                        const TRect<int>* theSrcRect = nullptr);
  // Nine-box: corners as they are, edges and centre tiled at source size.
  void DrawImageBox(const TRect<int>& theDest, Image* theComponentImage);
  void DrawImageBox(const TRect<int>& theSrc, const TRect<int>& theDest, Image* theComponentImage);

  // Justification: -1 left, 0 centred, 1 right. Returns the width written.
  int WriteString(const TeskString& theString, int theX, int theY, int theWidth = -1,
                  int theJustification = -1, bool drawString = true, int theOffset = 0, int theLength = -1,
                  int theOldColor = -1);
  // Returns the height used.
  int WriteWordWrapped(const TRect<int>& theRect, const TeskString& theLine, int theLineSpacing = -1,
                       int theJustification = -1, int* theMaxWidth = nullptr, int theMaxChars = -1,
                       int* theLastWidth = nullptr);
  int GetWordWrappedHeight(int theWidth, const TeskString& theLine, int theLineSpacing = -1,
                           int* theMaxWidth = nullptr);
  static int GetWordWrappedHeight(Font* theFont, int theWidth, const TeskString& theLine,
                                  int theLineSpacing = -1, int* theMaxWidth = nullptr);

 private:
  Graphics& operator=(const Graphics&) = delete;

  int TransX(int theX) const { return static_cast<int>(mTransX + static_cast<float>(theX)); }
  int TransY(int theY) const { return static_cast<int>(mTransY + static_cast<float>(theY)); }
  const Color& ImageColor() const;
  void DrawImageAt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect);
  bool ClipLine(double& theStartX, double& theStartY, double& theEndX, double& theEndY) const;
  int WriteLimited(const TeskString& theString, int theX, int theY, int theWidth, int theJustification,
                   int theOffset, int theLength, int theOldColor, int theMaxChars);
};

}  // namespace Tesk
