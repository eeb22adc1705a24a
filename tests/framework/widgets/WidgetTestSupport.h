// Shared pieces of the widget tests: a fake application, a fixed-width font that
// draws blocks, and a widget that writes down every call it gets.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "widgets/DialogListener.h"
#include "widgets/Widget.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

// 6 pixels a character, ascent 8, height 10. Each character is a 5x8 block
// above the baseline with a notch whose place depends on the character code,
// so different texts give different pixels. Writes down each string it draws.
class BlockFont : public Font {
 public:
  std::vector<std::string> mDrawn;
  int mCharWidth = 6;

  BlockFont() {
    mAscent = 8;
    mHeight = 10;
  }
  int StringWidth(const TeskString& theString) override {
    int aWidth = 0;
    for (wchar_t c : theString) aWidth += CharWidthOf(c);
    return aWidth;
  }
  virtual int CharWidthOf(wchar_t c) { return c == L'\x7f' ? 0 : mCharWidth; }
  void DrawString(Graphics* g, int x, int y, const TeskString& s, const Color& c,
                  const TRect<int>&) override {
    char aBuf[48];
    std::snprintf(aBuf, sizeof(aBuf), "@%d,%d %08x", x, y, static_cast<unsigned>(c.ToInt()));
    mDrawn.push_back(std::string(s.begin(), s.end()) + aBuf);
    Graphics aG(*g);
    aG.SetColor(c);
    int aX = x;
    for (wchar_t ch : s) {
      aG.FillRect(aX, y - 8, 5, 8);
      aG.SetColor(Color(255 - c.mRed, 255 - c.mGreen, 255 - c.mBlue, c.mAlpha));
      aG.FillRect(aX + 1 + (ch % 3), y - 7 + (ch % 5), 1, 2);
      aG.SetColor(c);
      aX += CharWidthOf(ch);
    }
  }
  Font* Duplicate() override { return new BlockFont(*this); }
};

class FakeApp : public WidgetApp, public DialogListener {
 public:
  std::vector<int> mCursors;
  std::vector<int> mSamples;
  std::string mClipboard;
  std::vector<std::string> mDialogCalls;
  std::vector<int> mKilled;
  int mStepsLeft = 0;  // UpdateAppStep answers true this many times
  int mSteps = 0;
  bool mIs3D = false;
  int mFontsMade = 0;
  std::vector<std::pair<int, int>> mStepActions;  // (step number, button id) releases done by a step
  class Dialog* mStepDialog = nullptr;

  FakeApp() { gWidgetApp = this; }
  ~FakeApp() { gWidgetApp = nullptr; }

  void SetCursor(int theCursorNum) override { mCursors.push_back(theCursorNum); }
  bool Is3DAccelerated() override { return mIs3D; }
  void PlaySample(int theSoundId) override { mSamples.push_back(theSoundId); }
  void CopyToClipboard(const std::string& theText) override { mClipboard = theText; }
  std::string GetClipboard() override { return mClipboard; }
  bool UpdateAppStep(bool*) override;
  bool KillDialog(int theDialogId) override {
    mKilled.push_back(theDialogId);
    return true;
  }
  DialogListener* GetDialogListener() override { return this; }
  Font* CreateSysFont(const std::string&, int thePointSize) override {
    mFontsMade++;
    BlockFont* aFont = new BlockFont();
    aFont->mHeight = thePointSize;
    return aFont;
  }
  void DialogButtonPress(int theDialogId, int theButtonId) override {
    mDialogCalls.push_back("press " + std::to_string(theDialogId) + " " + std::to_string(theButtonId));
  }
  void DialogButtonDepress(int theDialogId, int theButtonId) override {
    mDialogCalls.push_back("depress " + std::to_string(theDialogId) + " " + std::to_string(theButtonId));
  }
  int LastCursor() const { return mCursors.empty() ? -1 : mCursors.back(); }
};

typedef std::vector<std::string> Log;

// Writes each input call, focus change and update into a shared log, prefixed by its name.
class RecordingWidget : public Widget {
 public:
  std::string mName;
  Log* mLog;
  int mUpdates = 0;
  int mDraws = 0;
  std::function<void(RecordingWidget*)> mOnUpdate;
  Color mFill = Color(0, 0, 0, 0);  // alpha 0: draws nothing

  RecordingWidget(const std::string& theName, Log* theLog, int x, int y, int w, int h)
      : mName(theName), mLog(theLog) {
    mX = x;
    mY = y;
    mWidth = w;
    mHeight = h;
  }
  void Add(const std::string& theText) { mLog->push_back(mName + " " + theText); }
  static std::string XY(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

  void Update() override {
    Widget::Update();
    mUpdates++;
    if (mOnUpdate) mOnUpdate(this);
  }
  void Draw(Graphics* g) override {
    mDraws++;
    if (mFill.mAlpha != 0) {
      g->SetColor(mFill);
      g->FillRect(0, 0, mWidth, mHeight);
    }
  }
  void MouseEnter() override { Add("enter"); }
  void MouseLeave() override { Add("leave"); }
  void MouseMove(int x, int y) override { Add("move " + XY(x, y)); }
  void MouseDown(int x, int y, int theClickCount) override {
    Add("down " + XY(x, y) + " " + std::to_string(theClickCount));
  }
  void MouseUp(int x, int y, int theClickCount) override {
    Add("up " + XY(x, y) + " " + std::to_string(theClickCount));
  }
  using Widget::MouseDown;
  using Widget::MouseUp;
  void MouseDrag(int x, int y) override { Add("drag " + XY(x, y)); }
  void MouseWheel(int theDelta) override { Add("wheel " + std::to_string(theDelta)); }
  void KeyDown(KeyCode theKey) override {
    Add("keydown " + std::to_string(theKey));
    Widget::KeyDown(theKey);
  }
  void KeyUp(KeyCode theKey) override { Add("keyup " + std::to_string(theKey)); }
  void KeyChar(wchar_t theChar) override { Add(std::string("char ") + static_cast<char>(theChar)); }
  void GotFocus() override {
    Widget::GotFocus();
    Add("gotfocus");
  }
  void LostFocus() override {
    Widget::LostFocus();
    Add("lostfocus");
  }
};

inline std::string Join(const Log& theLog) {
  std::string aText;
  for (const std::string& s : theLog) aText += (aText.empty() ? "" : "; ") + s;
  return aText;
}

// A manager of 200 x 150 widget pixels mapped one to one.
inline void SizeManager(WidgetManager& theManager, int w = 200, int h = 150) {
  theManager.Resize(TRect<int>(0, 0, w, h), TRect<int>(0, 0, w, h));
}

}  // namespace Tesk
