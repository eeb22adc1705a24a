// A font of the system drawn by the platform's text routines: the frame-rate overlay, the
// default fonts of widgets and dialogs and the manifest's "!sys:" fonts. It draws only into
// display-surface images, whose surfaces offer a drawing port.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/Font.h"

namespace Tesk {

class DDImage;
class ImageRegistry;

class SysFont : public Font {
 public:
  bool mBold;
  bool mItalic;
  bool mUnderline;
  int mSize;            // points
  int16_t mFontFamily;  // the platform's family number of the face
  ImageRegistry* mApp;  // the application object; not owned
  bool mDrawShadow;     // always false
  bool mSimulateBold;   // always false

  // theCharSet has no effect on this platform.
  SysFont(ImageRegistry* theApp, const std::string& theFace, int thePointSize, int theCharSet,
          bool bold = false, bool italic = false, bool underline = false);
  // For the application object (gImageRegistry).
  SysFont(const std::string& theFace, int thePointSize, bool bold = false, bool italic = false,
          bool underline = false);
  SysFont(const SysFont& theFont);
  SysFont& operator=(const SysFont&) = delete;

  int StringWidth(const TeskString& theString) override;
  // Draws only when g's destination is a display-surface image whose surface can be locked.
  void DrawString(Graphics* g, int theX, int theY, const TeskString& theString, const Color& theColor,
                  const TRect<int>& theClipRect) override;
  Font* Duplicate() override;

 private:
  void Init(ImageRegistry* theApp, const std::string& theFace, int thePointSize, int theCharSet, bool bold,
            bool italic, bool underline);
  // Text onto the accelerated path's draw surface: drawn into a scratch image, then blitted.
  void DrawStringThroughImage(Graphics* g, DDImage* theDest, int theX, int theY, const TeskString& theString,
                              const Color& theColor, const TRect<int>& theClipRect);
  // The platform's text face bits: 1 bold, 2 italic, 4 underline.
  int16_t Style() const;
};

}  // namespace Tesk
