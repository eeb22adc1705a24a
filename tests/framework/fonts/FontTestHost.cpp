#include "FontTestHost.h"

#include "support/TestTemp.h"

namespace TeskTest {

std::shared_ptr<Tesk::Image> FontTestHost::GetFontSheet(const std::string& theFileName, bool* isNew) {
  mAsked.push_back(theFileName);
  for (auto& anEntry : mSheets) {
    const std::string& aName = anEntry.first;
    if (theFileName.size() >= aName.size() &&
        theFileName.compare(theFileName.size() - aName.size(), aName.size(), aName) == 0) {
      if (isNew) *isNew = !mHanded[aName];
      mHanded[aName] = true;
      return anEntry.second;
    }
  }
  if (isNew) *isNew = false;
  return nullptr;
}

Tesk::MemoryImage* FontTestHost::AddSheet(const std::string& theName, int theWidth, int theHeight) {
  std::vector<uint32_t> aPixels(static_cast<size_t>(theWidth) * theHeight, 0u);
  return AddSheet(theName, theWidth, theHeight, aPixels.data());
}

Tesk::MemoryImage* FontTestHost::AddSheet(const std::string& theName, int theWidth, int theHeight,
                                          const uint32_t* thePixels) {
  auto anImage = std::make_shared<Tesk::MemoryImage>();
  anImage->SetBits(thePixels, theWidth, theHeight);
  mSheets[theName] = anImage;
  return anImage.get();
}

Tesk::FontData* LoadFontText(FontTestHost* theHost, const std::string& theBytes, std::string* thePath) {
  std::string aPath = MakeTempDir("font") + "/font.txt";
  WriteFile(aPath, theBytes);
  if (thePath) *thePath = aPath;
  auto* aData = new Tesk::FontData();
  aData->Ref();
  aData->Load(theHost, aPath);
  return aData;
}

}  // namespace TeskTest
