// A font host for tests: glyph sheets are memory images registered by file name,
// popups are recorded.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/MemoryImage.h"
#include "resources/FontData.h"
#include "resources/FontHost.h"

namespace TeskTest {

class FontTestHost : public Tesk::FontHost {
 public:
  std::shared_ptr<Tesk::Image> GetFontSheet(const std::string& theFileName, bool* isNew) override;
  void Popup(const std::string& theString) override { mPopups.push_back(theString); }

  // A blank sheet of the size, found under any path ending in theName.
  Tesk::MemoryImage* AddSheet(const std::string& theName, int theWidth, int theHeight);
  Tesk::MemoryImage* AddSheet(const std::string& theName, int theWidth, int theHeight,
                              const uint32_t* thePixels);

  std::map<std::string, std::shared_ptr<Tesk::Image>> mSheets;
  std::map<std::string, bool> mHanded;
  std::vector<std::string> mAsked;
  std::vector<std::string> mPopups;
};

// Writes theBytes to a fresh file and loads it into a new font data holding one
// reference (release with DeRef).
Tesk::FontData* LoadFontText(FontTestHost* theHost, const std::string& theBytes,
                             std::string* thePath = nullptr);

}  // namespace TeskTest
