// What bitmap fonts ask of the application object: glyph sheets from its shared-image
// cache, the error popup and the language setting. TeskAppBase derives from this;
// tests give a small host of their own.
#pragma once

#include <memory>
#include <string>

namespace Tesk {

class Image;

class FontHost {
 public:
  // Language index (0 English, 1 Russian, 2 French, 3 German, 4 Korean).
  static int s_languageUsing;

  FontHost() = default;
  FontHost(const FontHost&) = delete;
  FontHost& operator=(const FontHost&) = delete;
  virtual ~FontHost() = default;

  // The shared image for a path (null when it cannot be loaded): fonts naming the same
  // sheet share one image, kept alive while a handle holds it. isNew tells whether the
  // image was loaded by this call.
  virtual std::shared_ptr<Image> GetFontSheet(const std::string& theFileName, bool* isNew) = 0;
  // Shows an error to the user.
  virtual void Popup(const std::string& theString) = 0;
};

}  // namespace Tesk
