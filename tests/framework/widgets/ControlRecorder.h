// A listener for every control kind that writes its calls into a log, and a
// sized image with no pixels to draw from.
#pragma once

#include <string>
#include <vector>

#include "graphics/Image.h"
#include "widgets/ButtonListener.h"
#include "widgets/CheckboxListener.h"
#include "widgets/EditListener.h"
#include "widgets/SliderListener.h"

namespace Tesk {

class ControlRecorder : public ButtonListener,
                        public CheckboxListener,
                        public SliderListener,
                        public EditListener {
 public:
  std::vector<std::string> mCalls;
  std::wstring mRefuseChars;  // AllowChar refuses these
  std::wstring mRefuseText;   // AllowText refuses this text
  std::vector<int> mAskedKeys;

  void Add(const std::string& s) { mCalls.push_back(s); }
  using ButtonListener::ButtonPress;
  void ButtonPress(int theId, int theClickCount) override {
    Add("press " + std::to_string(theId) + " " + std::to_string(theClickCount));
  }
  void ButtonDepress(int theId) override { Add("depress " + std::to_string(theId)); }
  void ButtonDownTick(int theId) override { Add("tick " + std::to_string(theId)); }
  void ButtonMouseEnter(int theId) override { Add("enter " + std::to_string(theId)); }
  void ButtonMouseLeave(int theId) override { Add("leave " + std::to_string(theId)); }
  void ButtonMouseMove(int theId, int x, int y) override {
    Add("move " + std::to_string(theId) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void CheckboxChecked(int theId, bool checked) override {
    Add("checked " + std::to_string(theId) + " " + (checked ? "1" : "0"));
  }
  void SliderVal(int theId, double theVal) override {
    char aBuf[64];
    std::snprintf(aBuf, sizeof(aBuf), "slider %d %g", theId, theVal);
    Add(aBuf);
  }
  void EditWidgetText(int theId, const TeskString& theString) override {
    Add("text " + std::to_string(theId) + " " + std::string(theString.begin(), theString.end()));
  }
  bool AllowKey(int, KeyCode theKey) override {
    mAskedKeys.push_back(theKey);
    return true;
  }
  bool AllowChar(int, wchar_t theChar) override { return mRefuseChars.find(theChar) == std::wstring::npos; }
  bool AllowText(int, const TeskString& theText) override {
    return mRefuseText.empty() || theText != mRefuseText;
  }
  std::string Take() {
    std::string aText;
    for (const std::string& s : mCalls) aText += (aText.empty() ? "" : "; ") + s;
    mCalls.clear();
    return aText;
  }
};

class SizedImage : public Image {
 public:
  SizedImage(int theWidth, int theHeight) {
    mWidth = theWidth;
    mHeight = theHeight;
  }
};

}  // namespace Tesk
