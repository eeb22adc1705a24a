#pragma once
// Paints a scene and remembers which of its pieces stand in front of the things hidden in
// it (a fern, a chair's legs, a shelf's edge): each such piece is painted on the picture and
// on a layer of its own, whose shape later cuts the piece out of the finished painting.
#include <cstdint>
#include <memory>
#include <vector>

#include "Canvas.h"
#include "Scenes.h"

namespace GameAssets {

class ScenePainter {
 public:
  ScenePainter(Canvas& theCanvas, bool theKeepsCovers);

  Canvas& Picture() { return mCanvas; }

  // Paints theBrush (a callable taking a Canvas&) as a piece that hides what stands behind
  // theDepth. The brush is called twice and must paint the same each time.
  template <class Brush>
  void Front(int theDepth, const Brush& theBrush) {
    cairo_save(mCanvas.cr());
    theBrush(mCanvas);
    cairo_restore(mCanvas.cr());
    if (!mKeepsCovers) return;
    if (!mScratch) mScratch = std::make_unique<Canvas>(mCanvas.Width(), mCanvas.Height());
    cairo_t* cr = mScratch->cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    theBrush(*mScratch);
    cairo_restore(cr);
    KeepShape(theDepth);
  }

  // The pieces cut from the picture as it is now (call it once the painting is finished).
  std::vector<SceneCover> Covers() const;

 private:
  // The shape of a piece: its alpha within its bounds on the picture.
  struct Shape {
    int mDepth;
    int mX, mY, mWidth, mHeight;
    std::vector<uint8_t> mAlpha;
  };
  void KeepShape(int theDepth);

  Canvas& mCanvas;
  bool mKeepsCovers;
  std::unique_ptr<Canvas> mScratch;
  std::vector<Shape> mShapes;
};

}  // namespace GameAssets
