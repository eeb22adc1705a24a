// Named images, sounds and fonts, declared by group in the resource manifest, loaded by
// group and handed out by id.
//
// The loading thread steps through a group while the main thread loads, looks up and deletes
// others, so every operation on the maps, records, group walk and error text holds mCritSect
// (re-entrant). A step holds it while its one resource loads; the manager's lock is taken
// before the display and font locks, never inside them.
#pragma once

#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Common.h"
#include "core/CritSect.h"
#include "graphics/AnimInfo.h"
#include "graphics/SharedImageRef.h"
#include "resources/ResourceManagerException.h"
#include "resources/StringLessNoCase.h"
#include "resources/XMLElement.h"

namespace Tesk {

class DDImage;
class ResourceHost;
class XMLParser;
class Font;
class Image;

class ResourceManager {
 public:
  typedef std::map<TeskString, TeskString> XMLParamMap;

  class BaseRes {
   public:
    enum { ResType_Image = 0, ResType_Sound = 1, ResType_Font = 2 };
    int mType = ResType_Image;
    std::string mId;  // prefix included
    std::string mResGroup;
    std::string mPath;
    XMLParamMap mXMLAttributes;
    bool mFromProgram = false;  // the program supplies the object; the loader skips the record

    virtual ~BaseRes() = default;
    // Releases what loading produced.
    virtual void DeleteResource() {}
  };

  class ImageRes : public BaseRes {
   public:
    SharedImageRef mImage;
    std::string mAlphaImage;
    std::string mAlphaGridImage;
    std::string mVariant;
    bool mAutoFindAlpha = true;
    bool mPalletize = true;
    bool mA4R4G4B4 = false;
    bool mA8R8G8B8 = false;
    bool mDDSurface = false;
    bool mPurgeBits = false;
    bool mMinimizeSubdivisions = false;
    int mRows = 1;
    int mCols = 1;
    uint32_t mAlphaColor = 0xFFFFFF;
    AnimInfo mAnimInfo;

    ImageRes() { mType = ResType_Image; }
    void DeleteResource() override;
  };

  class SoundRes : public BaseRes {
   public:
    int mSoundId = -1;      // -1: not loaded
    double mVolume = -1.0;  // -1: not given
    int mPanning = 0;
    ResourceHost* mHost = nullptr;  // whose sound manager gave the id

    SoundRes() { mType = ResType_Sound; }
    // Gives the id back to the host's sound manager, if it still has one.
    void DeleteResource() override;
  };

  class FontRes : public BaseRes {
   public:
    Font* mFont = nullptr;    // owned
    Image* mImage = nullptr;  // owned: the sheet of a font made from an image
    std::string mImagePath;
    std::string mTags;
    bool mSysFont = false;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
    bool mShadow = false;
    int mSize = 0;

    FontRes() { mType = ResType_Font; }
    void DeleteResource() override;
  };

  typedef std::map<std::string, BaseRes*> ResMap;
  typedef std::list<BaseRes*> ResList;
  typedef std::map<std::string, ResList, StringLessNoCase> ResGroupMap;

  explicit ResourceManager(ResourceHost* theApp);
  ResourceManager(const ResourceManager&) = delete;
  ResourceManager& operator=(const ResourceManager&) = delete;
  virtual ~ResourceManager();

  // Parses a manifest into the id maps and group lists; true when no error was recorded.
  bool ParseResourcesFile(const std::string& theFilename);
  bool HadError() const;
  std::string GetErrorText() const;
  // Records the first error of a run; always false.
  bool Fail(const std::string& theErrorText);

  // Loading by group: whole, or one resource per LoadNextResource after StartLoadResources
  // (false at the end of the group and on a failure; HadError tells them apart).
  virtual void StartLoadResources(const std::string& theGroup);
  virtual bool LoadNextResource();
  virtual bool LoadResources(const std::string& theGroup);
  // Called after every successful load.
  virtual void ResourceLoadedHook(BaseRes* theRes);

  // Loaded objects by id; an id that is not loaded records an error and throws it.
  virtual SharedImageRef GetImageThrow(const std::string& theId);
  virtual int GetSoundThrow(const std::string& theId);
  virtual Font* GetFontThrow(const std::string& theId);
  // Null for an id that is not loaded.
  Font* GetFont(const std::string& theId);

  // Releases what the group's records loaded ("" : every group); the records stay.
  virtual void DeleteResources(const std::string& theGroup);

  // Resources of a group other than "!program" ones; group names compared with case here.
  int GetNumResources(const std::string& theGroup);
  int GetNumImages(const std::string& theGroup);
  int GetNumSounds(const std::string& theGroup);
  int GetNumFonts(const std::string& theGroup);

  bool LoadAlphaImage(ImageRes* theRes, DDImage* theImage);
  bool LoadAlphaGridImage(ImageRes* theRes, DDImage* theImage);

 protected:
  virtual bool ParseCommonResource(XMLElement& theElement, BaseRes* theRes, ResMap& theMap);
  virtual bool ParseSoundResource(XMLElement& theElement);
  virtual bool ParseImageResource(XMLElement& theElement);
  virtual bool ParseFontResource(XMLElement& theElement);
  virtual bool ParseSetDefaults(XMLElement& theElement);
  virtual bool ParseResources();

  virtual void DeleteResources(ResMap& theMap, const std::string& theGroup);
  virtual bool DoLoadImage(ImageRes* theRes);
  virtual bool DoLoadFont(FontRes* theRes);
  virtual bool DoLoadSound(SoundRes* theRes);

  bool DoParseResources();
  void DeleteMap(ResMap& theMap);
  int GetNumResources(const std::string& theGroup, ResMap& theMap);
  static bool IsLoaded(BaseRes* theRes);

 public:
  std::set<std::string, StringLessNoCase> mLoadedGroups;
  ResMap mImageMap;
  ResMap mSoundMap;
  ResMap mFontMap;
  XMLParser* mXMLParser = nullptr;
  std::string mError;
  bool mHasFailed = false;
  ResourceHost* mApp = nullptr;
  std::string mCurResGroup;
  std::string mDefaultPath;  // empty or ending in "/"
  std::string mDefaultIdPrefix;
  ResGroupMap mResGroupMap;
  ResList* mCurResGroupList = nullptr;
  ResList::iterator mCurResGroupListItr;
  CritSect mCritSect;

 private:
  // The stepwise walk: set by StartLoadResources. Parsing and whole-group loads use the
  // current-group fields too; they put the walk back as they found it.
  struct Walk {
    std::string mGroup;
    ResList* mList;
    ResList::iterator mItr;
    bool mStarted;
  };
  bool DoParseResourcesFile(const std::string& theFilename);
  Walk SaveWalk() const;
  void RestoreWalk(const Walk& theWalk);
  bool mWalkStarted = false;
};

// Decimals separated by commas: "1,,3" gives 1, 0, 3; an empty text gives one 0.
void ReadIntVector(const TeskString& theValue, std::vector<int>& theVector);

}  // namespace Tesk
