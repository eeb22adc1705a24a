// The bitmap font: measures and draws text with the layers of a font descriptor that
// apply at its point size, scale and tags.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "core/Common.h"
#include "graphics/Font.h"
#include "resources/ActiveFontLayer.h"
#include "resources/FontData.h"
#include "resources/FontHost.h"

namespace Tesk {

class CharData;
class Graphics;
class Image;

class ImageFont : public Font {
 public:
  ImageFont(FontHost* theApp, const std::string& theFontDescFileName);
  // The legacy form: loads nothing, so it measures 0 and draws nothing.
  ImageFont(Image* theFontImage, const std::string& theFontDescFileName);
  ImageFont(const ImageFont& theImageFont);
  ImageFont& operator=(const ImageFont&) = delete;
  ~ImageFont() override;

  int StringWidth(const TeskString& theString) override;
  int CharWidthKern(wchar_t theChar, wchar_t thePrevChar) override;
  using Font::CharWidth;
  virtual int CharWidth(char theChar);
  void DrawString(Graphics* g, int theX, int theY, const TeskString& theString, const Color& theColor,
                  const TRect<int>& theClipRect) override;
  Font* Duplicate() override;

  virtual void GenerateActiveFontLayers();
  // Draws with the left end at theX and the baseline at theY. theDrawnAreas (cleared)
  // gets a rectangle per queued glyph, theWidth the advance of the string.
  virtual void DrawStringEx(Graphics* g, int theX, int theY, const TeskString& theString,
                            const Color& theColor, const TRect<int>* theClipRect,
                            std::list<TRect<int>>* theDrawnAreas, int* theWidth);
  virtual void SetPointSize(int thePointSize);
  virtual int GetPointSize();
  virtual void SetScale(double theScale);
  virtual int GetDefaultPointSize();
  virtual bool AddTag(const std::string& theTag);
  virtual bool RemoveTag(const std::string& theTag);
  virtual bool HasTag(const std::string& theTag);
  virtual TeskString GetDefine(const TeskString& theName);
  virtual void Prepare();

  FontData* mFontData;
  int mPointSize;
  std::vector<TeskString> mTagVector;  // upper-case, in the order added
  bool mActiveListValid;
  std::list<ActiveFontLayer> mActiveLayerList;
  double mScale;

 private:
  // A layer's length in pixels at this font's size and scale.
  int Scaled(const ActiveFontLayer& theLayer, double theValue) const;
  // The glyph entry of a layer, or an empty one for an index past its table.
  static const CharData& Glyph(const ActiveFontLayer& theLayer, wchar_t theIndex);
};

}  // namespace Tesk
