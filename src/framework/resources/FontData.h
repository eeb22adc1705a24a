// A parsed font descriptor: character map, default point size and the layers, shared
// (reference-counted) by the image fonts built on it. Also the parser of such files.
#pragma once

#include <list>
#include <map>
#include <string>

#include "graphics/Color.h"
#include "resources/DescParser.h"
#include "resources/FontHost.h"
#include "resources/FontLayer.h"

namespace Tesk {

class Image;

class FontData : public DescParser {
 public:
  FontData();
  ~FontData() override;

  // Reads the descriptor once: false, doing nothing, when already initialised; else true.
  // mInitialized tells whether the descriptor loaded.
  bool Load(FontHost* theApp, const std::string& theFileName);
  // The legacy image font's loader: loads nothing.
  bool LoadLegacy(Image* theFontImage, const std::string& theFontDescFileName);

  void Ref();
  // Deletes the object when the last reference goes.
  void DeRef();

  bool Error(const std::string& theError) override;
  bool GetColorFromDataElement(DataElement* theSource, Color& theColor);
  bool DataToLayer(DataElement* theSource, FontLayer** theLayer);
  bool HandleCommand(const ListDataElement& theParams) override;

  bool mInitialized;
  int mRefCount;
  FontHost* mApp;
  int mDefaultPointSize;
  std::map<wchar_t, wchar_t> mCharMap;  // character to character index
  std::list<FontLayer> mFontLayerList;  // elements never move
  std::map<std::string, FontLayer*> mFontLayerMap;
  std::string mSourceFile;
  std::string mFontErrorHeader;

 private:
  bool HandleDefine(const ListDataElement& theParams, bool* typeFailure);
  bool HandleHorzSpanRectList(const ListDataElement& theParams, bool* typeFailure);
  bool HandleLayerSetImage(FontLayer* theLayer, DataElement* thePath);
  // The four per-glyph commands; theCommand names which.
  bool HandlePerGlyph(int theCommand, FontLayer* theLayer, DataElement* theChars, DataElement* theValues,
                      bool* typeFailure, bool* sizeFailure);
};

}  // namespace Tesk
