#include "widgets/Dialog.h"

#include <algorithm>
#include <cstring>

#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/DialogButton.h"
#include "widgets/DialogListener.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

TeskString DIALOG_YES_STRING = L"YES";
TeskString DIALOG_NO_STRING = L"NO";
TeskString DIALOG_OK_STRING = L"OK";
TeskString DIALOG_CANCEL_STRING = L"CANCEL";

static const int gDialogColors[Dialog::NUM_COLORS][3] = {
    {255, 255, 255}, {255, 255, 0}, {255, 255, 255}, {255, 255, 255},
    {255, 255, 255}, {80, 80, 80},  {255, 255, 255},
};

Dialog::Dialog(Image* theComponentImage, Image* theButtonComponentImage, int theId, bool isModal,
               const TeskString& theHeader, const TeskString& theLines, const TeskString& theFooter,
               int theButtonMode)
    : mDialogListener(gWidgetApp != nullptr ? gWidgetApp->GetDialogListener() : nullptr),
      mComponentImage(theComponentImage),
      mYesButton(nullptr),
      mNoButton(nullptr),
      mHeader(theHeader),
      mFooter(theFooter),
      mLines(theLines),
      mButtonMode(theButtonMode),
      mHeaderFont(nullptr),
      mLinesFont(nullptr),
      mTextAlign(0),
      mLineSpacingOffset(0),
      mButtonHeight(theButtonComponentImage != nullptr ? theButtonComponentImage->GetHeight() : 24),
      mTextInsets(24, 24, 24, 24),
      mSpaceAfterHeader(10),
      mDragging(false),
      mDragMouseX(0),
      mDragMouseY(0),
      mId(theId),
      mIsModal(isModal),
      mResult(k_NoResult),
      mButtonHorzSpacing(8),
      mButtonSidePadding(0) {
  if (theButtonMode == BUTTONS_YES_NO || theButtonMode == BUTTONS_OK_CANCEL) {
    mYesButton = new DialogButton(theButtonComponentImage, ID_YES, this);
    mNoButton = new DialogButton(theButtonComponentImage, ID_NO, this);
    mYesButton->mLabel = theButtonMode == BUTTONS_YES_NO ? DIALOG_YES_STRING : DIALOG_OK_STRING;
    mNoButton->mLabel = theButtonMode == BUTTONS_YES_NO ? DIALOG_NO_STRING : DIALOG_CANCEL_STRING;
  } else if (theButtonMode == BUTTONS_FOOTER) {
    mYesButton = new DialogButton(theButtonComponentImage, ID_FOOTER, this);
    mYesButton->mLabel = mFooter;
  }
  mHasTransparencies = true;
  mHasAlpha = true;
  mPriority = 1;

  std::memcpy(mColorTable, gDialogColors, sizeof(mColorTable));
  if (theButtonComponentImage == nullptr) {
    // Black labels on the grey bevel; kept to this dialog rather than the shared table.
    for (int c = 0; c < 3; c++) {
      mColorTable[COLOR_BUTTON_TEXT][c] = 0;
      mColorTable[COLOR_BUTTON_TEXT_HILITE][c] = 0;
    }
  }
  SetColors(mColorTable, NUM_COLORS);
}

Dialog::~Dialog() {
  delete mYesButton;
  delete mNoButton;
  delete mHeaderFont;
  delete mLinesFont;
}

void Dialog::SetCursor(int theCursorNum) {
  WidgetApp* anApp =
      mWidgetManager != nullptr && mWidgetManager->mApp != nullptr ? mWidgetManager->mApp : gWidgetApp;
  if (anApp != nullptr) anApp->SetCursor(theCursorNum);
}

void Dialog::SetColor(int theIdx, const Color& theColor) {
  Widget::SetColor(theIdx, theColor);
  if (theIdx == COLOR_BUTTON_TEXT) {
    if (mYesButton != nullptr) mYesButton->SetColor(ButtonWidget::COLOR_LABEL, theColor);
    if (mNoButton != nullptr) mNoButton->SetColor(ButtonWidget::COLOR_LABEL, theColor);
  } else if (theIdx == COLOR_BUTTON_TEXT_HILITE) {
    if (mYesButton != nullptr) mYesButton->SetColor(ButtonWidget::COLOR_LABEL_HILITE, theColor);
    if (mNoButton != nullptr) mNoButton->SetColor(ButtonWidget::COLOR_LABEL_HILITE, theColor);
  }
}

void Dialog::SetButtonFont(Font* theFont) {
  if (mYesButton != nullptr) mYesButton->SetFont(theFont);
  if (mNoButton != nullptr) mNoButton->SetFont(theFont);
}

void Dialog::SetHeaderFont(Font* theFont) {
  delete mHeaderFont;
  mHeaderFont = theFont != nullptr ? theFont->Duplicate() : nullptr;
}

void Dialog::SetLinesFont(Font* theFont) {
  delete mLinesFont;
  mLinesFont = theFont != nullptr ? theFont->Duplicate() : nullptr;
}

void Dialog::EnsureFonts() {
  if (gWidgetApp == nullptr) return;
  if (mHeaderFont == nullptr) mHeaderFont = gWidgetApp->CreateSysFont("Arial Unicode MS", 14);
  if (mLinesFont == nullptr) mLinesFont = gWidgetApp->CreateSysFont("Arial Unicode MS", 12);
}

int Dialog::GetPreferredHeight(int theWidth) {
  EnsureFonts();
  bool hasContent = false;
  int aHeight = mTextInsets.mTop + mTextInsets.mBottom + mFrameInsets.mTop + mFrameInsets.mBottom;
  if (!mHeader.empty() && mHeaderFont != nullptr) {
    aHeight += mHeaderFont->GetHeight() - mHeaderFont->GetAscentPadding();
    hasContent = true;
  }
  if (!mLines.empty() && mLinesFont != nullptr) {
    if (hasContent) aHeight += mSpaceAfterHeader;
    Graphics g;
    g.SetFont(mLinesFont);
    aHeight += GetWordWrappedHeight(
        &g, theWidth - mTextInsets.mLeft - mTextInsets.mRight - mFrameInsets.mLeft - mFrameInsets.mRight - 4,
        mLines, mLinesFont->GetLineSpacing() + mLineSpacingOffset);
    hasContent = true;
  }
  if (!mFooter.empty() && mButtonMode != BUTTONS_FOOTER && mHeaderFont != nullptr) {
    if (hasContent) aHeight += 8;
    aHeight += mHeaderFont->GetLineSpacing();
    hasContent = true;
  }
  if (mYesButton != nullptr) {
    if (hasContent) aHeight += 8;
    aHeight += mButtonHeight + 8;
  }
  return aHeight;
}

bool Dialog::IsModal() { return mIsModal; }

void Dialog::ButtonPress(int theId) {
  if ((theId == ID_YES || theId == ID_NO) && mDialogListener != nullptr)
    mDialogListener->DialogButtonPress(mId, theId);
}

void Dialog::ButtonDepress(int theId) {
  if (theId != ID_YES && theId != ID_NO) return;
  mResult = theId;
  if (mDialogListener != nullptr) mDialogListener->DialogButtonDepress(mId, theId);
}

void Dialog::ButtonDownTick(int) {}

int Dialog::WaitForResult(bool autoKill) {
  while (gWidgetApp != nullptr && gWidgetApp->UpdateAppStep(nullptr) && mWidgetManager != nullptr &&
         mResult == k_NoResult) {
  }
  if (autoKill && gWidgetApp != nullptr) gWidgetApp->KillDialog(mId);
  return mResult;
}

void Dialog::AddedToManager(WidgetManager* theWidgetManager) {
  Widget::AddedToManager(theWidgetManager);
  if (mYesButton != nullptr) theWidgetManager->AddWidget(mYesButton);
  if (mNoButton != nullptr) theWidgetManager->AddWidget(mNoButton);
}

void Dialog::RemovedFromManager(WidgetManager* theWidgetManager) {
  Widget::RemovedFromManager(theWidgetManager);
  if (mYesButton != nullptr) theWidgetManager->RemoveWidget(mYesButton);
  if (mNoButton != nullptr) theWidgetManager->RemoveWidget(mNoButton);
}

void Dialog::OrderInManagerChanged() {
  Widget::OrderInManagerChanged();
  if (mWidgetManager == nullptr) return;
  if (mYesButton != nullptr) mWidgetManager->PutInfront(mYesButton, this);
  if (mNoButton != nullptr) mWidgetManager->PutInfront(mNoButton, this);
}

void Dialog::Update() { Widget::Update(); }

void Dialog::Resize(int theX, int theY, int theWidth, int theHeight) {
  Widget::Resize(theX, theY, theWidth, theHeight);
  int aButtonY = theY + theHeight - mTextInsets.mBottom - mFrameInsets.mBottom - mButtonHeight;
  int anInnerWidth =
      theWidth - mTextInsets.mLeft - mTextInsets.mRight - mFrameInsets.mLeft - mFrameInsets.mRight;
  if (mYesButton != nullptr && mNoButton != nullptr) {
    int aButtonWidth = (anInnerWidth - 2 * mButtonSidePadding - mButtonHorzSpacing) / 2;
    int aYesX = theX + mFrameInsets.mLeft + mTextInsets.mLeft + mButtonSidePadding;
    mYesButton->Resize(aYesX, aButtonY, aButtonWidth, mButtonHeight);
    mNoButton->Resize(aYesX + aButtonWidth + mButtonHorzSpacing, aButtonY, aButtonWidth, mButtonHeight);
  } else if (mYesButton != nullptr) {
    mYesButton->Resize(theX + mTextInsets.mLeft + mFrameInsets.mLeft, aButtonY, anInnerWidth, mButtonHeight);
  }
}

void Dialog::Draw(Graphics* g) {
  EnsureFonts();
  TRect<int> aFrame(mFrameInsets.mLeft, mFrameInsets.mTop, mWidth - mFrameInsets.mLeft - mFrameInsets.mRight,
                    mHeight - mFrameInsets.mTop - mFrameInsets.mBottom);
  if (mComponentImage != nullptr) {
    g->DrawImageBox(aFrame, mComponentImage);
  } else {
    g->SetColor(GetColor(COLOR_OUTLINE, Color(gDialogColors[COLOR_OUTLINE])));
    g->DrawRect(12, 12, mWidth - 25, mHeight - 25);
    g->SetColor(GetColor(COLOR_BKG, Color(gDialogColors[COLOR_BKG])));
    g->FillRect(13, 13, mWidth - 26, mHeight - 26);
    g->SetColor(Color(0, 0, 0, 128));
    g->FillRect(mWidth - 12, 24, 12, mHeight - 36);
    g->FillRect(24, mHeight - 12, mWidth - 24, 12);
  }

  int aY = mFrameInsets.mTop + mTextInsets.mTop;
  if (!mHeader.empty() && mHeaderFont != nullptr) {
    aY += mHeaderFont->GetAscent() - mHeaderFont->GetAscentPadding();
    g->SetFont(mHeaderFont);
    g->SetColor(GetColor(COLOR_HEADER));
    WriteCenteredLine(g, aY, mHeader);
    aY += mHeaderFont->GetHeight() - mHeaderFont->GetAscent();
    aY += mSpaceAfterHeader;
  }
  if (mLinesFont != nullptr) {
    g->SetFont(mLinesFont);
    g->SetColor(GetColor(COLOR_LINES));
    TRect<int> aRect(
        mFrameInsets.mLeft + mTextInsets.mLeft + 2, aY,
        mWidth - mTextInsets.mLeft - mTextInsets.mRight - mFrameInsets.mLeft - mFrameInsets.mRight - 4, 0);
    aY += WriteWordWrapped(g, aRect, mLines, mLinesFont->GetLineSpacing() + mLineSpacingOffset, mTextAlign);
  }
  if (!mFooter.empty() && mButtonMode != BUTTONS_FOOTER && mHeaderFont != nullptr) {
    aY += 8 + mHeaderFont->GetLineSpacing();
    g->SetFont(mHeaderFont);
    g->SetColor(GetColor(COLOR_FOOTER));
    WriteCenteredLine(g, aY, mFooter);
  }
}

void Dialog::MouseDown(int x, int y, int theBtnNum, int theClickCount) {
  if (theClickCount == 1) {
    SetCursor(2);
    mDragging = true;
    mDragMouseX = x;
    mDragMouseY = y;
  }
  Widget::MouseDown(x, y, theBtnNum, theClickCount);
}

void Dialog::MouseDrag(int x, int y) {
  if (!mDragging || mWidgetManager == nullptr) return;
  // Clamp the far edge first so that a dialog wider than the screen keeps a sane range.
  int aNewX = mX + x - mDragMouseX;
  int aNewY = mY + y - mDragMouseY;
  aNewX = std::max(-8, std::min(aNewX, mWidgetManager->mWidth - mWidth + 8));
  aNewY = std::max(-8, std::min(aNewY, mWidgetManager->mHeight - mHeight + 8));
  mDragMouseX = std::max(8, std::min(mX + x - aNewX, mWidth - 9));
  mDragMouseY = std::max(8, std::min(mY + y - aNewY, mHeight - 9));
  Move(aNewX, aNewY);
}

void Dialog::MouseUp(int x, int y, int theBtnNum, int theClickCount) {
  if (mDragging) {
    SetCursor(0);
    mDragging = false;
  }
  Widget::MouseUp(x, y, theBtnNum, theClickCount);
}

}  // namespace Tesk
