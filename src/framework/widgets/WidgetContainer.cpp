#include "widgets/WidgetContainer.h"

#include <iterator>

#include "core/Common.h"
#include "graphics/Graphics.h"
#include "widgets/AutoModalFlags.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {
enum { k_HintEnd, k_HintBegin, k_HintAtRef, k_HintAfterRef };
}

WidgetContainer::WidgetContainer()
    : mWidgetManager(nullptr),
      mParent(nullptr),
      mUpdateIteratorModified(false),
      mUpdateIterator(mWidgets.end()),
      mLastManagerUpdateCnt(0),
      mUpdateCnt(0),
      mDirty(false),
      mX(0),
      mY(0),
      mWidth(0),
      mHeight(0),
      mHasAlpha(false),
      mClip(true),
      mPriority(0),
      mZOrder(0) {}

WidgetContainer::~WidgetContainer() {
  // Written out so that the text reads as the assertion always has, whatever null is spelt as.
  if (mParent != nullptr) AssertFailed(__FILE__, __LINE__, "mParent == __null");
  TESK_ASSERT(mWidgets.empty());
}

TRect<int> WidgetContainer::GetRect() { return TRect<int>(mX, mY, mWidth, mHeight); }

bool WidgetContainer::Intersects(WidgetContainer* theWidget) {
  return GetRect().Intersects(theWidget->GetRect());
}

void WidgetContainer::InsertWidgetHelper(WidgetList::iterator theWhere, Widget* theWidget) {
  WidgetList::iterator anItr = theWhere;
  while (anItr != mWidgets.end() && (*anItr)->mZOrder < theWidget->mZOrder) ++anItr;
  if (anItr != mWidgets.end() && (anItr == mWidgets.begin() || (*anItr)->mZOrder == theWidget->mZOrder)) {
    mWidgets.insert(anItr, theWidget);
    return;
  }
  while (anItr != mWidgets.begin()) {
    WidgetList::iterator aPrev = std::prev(anItr);
    if ((*aPrev)->mZOrder <= theWidget->mZOrder) {
      mWidgets.insert(anItr, theWidget);
      return;
    }
    anItr = aPrev;
  }
  mWidgets.push_front(theWidget);
}

void WidgetContainer::AddWidget(Widget* theWidget) {
  if (HasWidget(theWidget)) return;
  // A widget lives in one list only: take it from its old parent first.
  if (theWidget->mParent != nullptr) theWidget->mParent->RemoveWidget(theWidget);
  InsertWidgetHelper(mWidgets.end(), theWidget);
  theWidget->mWidgetManager = mWidgetManager;
  theWidget->mParent = this;
  if (mWidgetManager != nullptr) {
    theWidget->AddedToManager(mWidgetManager);
    theWidget->MarkDirtyFull();
    mWidgetManager->RehupMouse();
  }
  MarkDirty();
}

void WidgetContainer::RemoveWidget(Widget* theWidget) {
  WidgetList::iterator anItr = std::find(mWidgets.begin(), mWidgets.end(), theWidget);
  if (anItr == mWidgets.end()) return;
  theWidget->WidgetRemovedHelper();
  theWidget->mParent = nullptr;
  if (anItr == mUpdateIterator) {
    ++mUpdateIterator;
    mUpdateIteratorModified = true;
  }
  mWidgets.erase(anItr);
}

bool WidgetContainer::HasWidget(Widget* theWidget) {
  return std::find(mWidgets.begin(), mWidgets.end(), theWidget) != mWidgets.end();
}

void WidgetContainer::DisableWidget(Widget*) {}

void WidgetContainer::RemoveAllWidgets(bool doDelete, bool recursive) {
  while (!mWidgets.empty()) {
    Widget* aWidget = mWidgets.front();
    RemoveWidget(aWidget);
    if (recursive) aWidget->RemoveAllWidgets(doDelete, recursive);
    if (doDelete) delete aWidget;
  }
}

void WidgetContainer::SetFocus(Widget*) {}

bool WidgetContainer::IsBelowHelper(Widget* theWidget1, Widget* theWidget2, bool* found) {
  for (Widget* aChild : mWidgets) {
    if (aChild == theWidget1) {
      *found = true;
      return true;
    }
    if (aChild == theWidget2) {
      *found = true;
      return false;
    }
    bool aResult = aChild->IsBelowHelper(theWidget1, theWidget2, found);
    if (*found) return aResult;
  }
  return false;
}

bool WidgetContainer::IsBelow(Widget* theWidget1, Widget* theWidget2) {
  bool aFound = false;
  return IsBelowHelper(theWidget1, theWidget2, &aFound);
}

void WidgetContainer::MarkAllDirty() {
  MarkDirty();
  for (Widget* aChild : mWidgets) {
    aChild->mDirty = true;
    aChild->MarkAllDirty();
  }
}

void WidgetContainer::Reorder(Widget* theWidget, Widget* theRefWidget, int theHintKind) {
  WidgetList::iterator anItr = std::find(mWidgets.begin(), mWidgets.end(), theWidget);
  if (anItr == mWidgets.end()) return;
  if (anItr == mUpdateIterator) {
    ++mUpdateIterator;
    mUpdateIteratorModified = true;
  }
  mWidgets.erase(anItr);
  WidgetList::iterator aHint = mWidgets.end();
  if (theHintKind == k_HintBegin) {
    aHint = mWidgets.begin();
  } else if (theHintKind == k_HintAtRef || theHintKind == k_HintAfterRef) {
    WidgetList::iterator aRef = std::find(mWidgets.begin(), mWidgets.end(), theRefWidget);
    if (aRef != mWidgets.end()) aHint = theHintKind == k_HintAtRef ? aRef : std::next(aRef);
  }
  InsertWidgetHelper(aHint, theWidget);
  theWidget->OrderInManagerChanged();
}

void WidgetContainer::BringToFront(Widget* theWidget) { Reorder(theWidget, nullptr, k_HintEnd); }
void WidgetContainer::BringToBack(Widget* theWidget) { Reorder(theWidget, nullptr, k_HintBegin); }
void WidgetContainer::PutBehind(Widget* theWidget, Widget* theRefWidget) {
  Reorder(theWidget, theRefWidget, k_HintAtRef);
}
void WidgetContainer::PutInfront(Widget* theWidget, Widget* theRefWidget) {
  Reorder(theWidget, theRefWidget, k_HintAfterRef);
}

TPoint<int> WidgetContainer::GetAbsPos() {
  if (mParent == nullptr) return TPoint<int>(mX, mY);
  return TPoint<int>(mX, mY) + mParent->GetAbsPos();
}

void WidgetContainer::MarkDirty() {
  if (mParent != nullptr)
    mParent->MarkDirty(this);
  else
    mDirty = true;
}

void WidgetContainer::MarkDirtyFull() {
  if (mParent != nullptr)
    mParent->MarkDirtyFull(this);
  else
    mDirty = true;
}

void WidgetContainer::MarkDirty(WidgetContainer* theWidget) {
  if (theWidget->mDirty) return;
  MarkDirty();
  theWidget->mDirty = true;
  if (mParent != nullptr) return;
  if (theWidget->mHasAlpha) {
    MarkDirtyFull(theWidget);
    return;
  }
  WidgetList::iterator anItr = std::find(mWidgets.begin(), mWidgets.end(), theWidget);
  if (anItr == mWidgets.end()) return;
  for (++anItr; anItr != mWidgets.end(); ++anItr) {
    Widget* aChild = *anItr;
    if (aChild->mVisible && aChild->Intersects(theWidget)) MarkDirty(aChild);
  }
}

void WidgetContainer::MarkDirtyFull(WidgetContainer* theWidget) {
  MarkDirtyFull();
  theWidget->mDirty = true;
  if (mParent != nullptr) return;
  WidgetList::iterator aWidgetItr = std::find(mWidgets.begin(), mWidgets.end(), theWidget);
  if (aWidgetItr == mWidgets.end()) return;

  // Behind: everything down to the first opaque widget that covers the area.
  TRect<int> anArea = theWidget->GetRect().Intersection(TRect<int>(0, 0, mWidth, mHeight));
  WidgetList::iterator anItr = aWidgetItr;
  while (anItr != mWidgets.begin()) {
    --anItr;
    Widget* aChild = *anItr;
    if (!aChild->mVisible) continue;
    if (!aChild->mHasTransparencies && !aChild->mHasAlpha && aChild->Contains(anArea.mX, anArea.mY) &&
        aChild->Contains(anArea.mX + anArea.mWidth - 1, anArea.mY + anArea.mHeight - 1)) {
      aChild->MarkDirty();
      break;
    }
    if (aChild->Intersects(theWidget)) MarkDirty(aChild);
  }

  for (anItr = aWidgetItr; anItr != mWidgets.end(); ++anItr) {
    Widget* aChild = *anItr;
    if (aChild->mVisible && aChild->Intersects(theWidget)) MarkDirty(aChild);
  }
}

void WidgetContainer::AddedToManager(WidgetManager* theWidgetManager) {
  for (Widget* aChild : mWidgets) {
    aChild->mWidgetManager = theWidgetManager;
    aChild->AddedToManager(theWidgetManager);
    MarkDirty();
  }
}

void WidgetContainer::RemovedFromManager(WidgetManager* theWidgetManager) {
  for (Widget* aChild : mWidgets) {
    theWidgetManager->DisableWidget(aChild);
    aChild->RemovedFromManager(theWidgetManager);
    aChild->mWidgetManager = nullptr;
  }
  if (theWidgetManager->mPopupCommandWidget == this) theWidgetManager->mPopupCommandWidget = nullptr;
}

void WidgetContainer::Update() { mUpdateCnt++; }

void WidgetContainer::UpdateAll(ModalFlags* theFlags) {
  AutoModalFlags anAutoFlags(theFlags, mWidgetFlagsMod);
  if (theFlags->GetFlags() & WidgetFlags_MarkDirty) MarkDirty();
  if (mWidgetManager == nullptr) return;
  if ((theFlags->GetFlags() & WidgetFlags_Update) && mLastManagerUpdateCnt != mWidgetManager->mUpdateCnt) {
    mLastManagerUpdateCnt = mWidgetManager->mUpdateCnt;
    Update();
  }
  mUpdateIterator = mWidgets.begin();
  while (mUpdateIterator != mWidgets.end()) {
    mUpdateIteratorModified = false;
    Widget* aChild = *mUpdateIterator;
    // The update may have taken this container out of the tree.
    if (mWidgetManager != nullptr && aChild == mWidgetManager->mBaseModalWidget) theFlags->mIsOver = true;
    aChild->UpdateAll(theFlags);
    if (!mUpdateIteratorModified) ++mUpdateIterator;
  }
  mUpdateIteratorModified = true;
}

void WidgetContainer::UpdateF(float) {}

void WidgetContainer::UpdateFAll(ModalFlags* theFlags, float theFrac) {
  AutoModalFlags anAutoFlags(theFlags, mWidgetFlagsMod);
  if (mWidgetManager == nullptr) return;
  if (theFlags->GetFlags() & WidgetFlags_Update) UpdateF(theFrac);
  mUpdateIterator = mWidgets.begin();
  while (mUpdateIterator != mWidgets.end()) {
    mUpdateIteratorModified = false;
    Widget* aChild = *mUpdateIterator;
    if (mWidgetManager != nullptr && aChild == mWidgetManager->mBaseModalWidget) theFlags->mIsOver = true;
    aChild->UpdateFAll(theFlags, theFrac);
    if (!mUpdateIteratorModified) ++mUpdateIterator;
  }
  mUpdateIteratorModified = true;
}

void WidgetContainer::Draw(Graphics*) {}

void WidgetContainer::DrawAll(ModalFlags* theFlags, Graphics* g) {
  if (mWidgetManager != nullptr && mPriority > mWidgetManager->mMinDeferredOverlayPriority)
    mWidgetManager->FlushDeferredOverlayWidgets(mPriority);
  AutoModalFlags anAutoFlags(theFlags, mWidgetFlagsMod);
  if (mClip && (theFlags->GetFlags() & WidgetFlags_Clip)) g->ClipRect(0, 0, mWidth, mHeight);
  if (mWidgets.empty()) {
    if (theFlags->GetFlags() & WidgetFlags_Draw) Draw(g);
    return;
  }
  if (theFlags->GetFlags() & WidgetFlags_Draw) {
    g->PushState();
    Draw(g);
    g->PopState();
  }
  for (Widget* aChild : mWidgets) {
    if (!aChild->mVisible) continue;
    if (mWidgetManager != nullptr && aChild == mWidgetManager->mBaseModalWidget) theFlags->mIsOver = true;
    Graphics aChildG(*g);
    aChildG.Translate(aChild->mX, aChild->mY);
    aChild->DrawAll(theFlags, &aChildG);
    aChild->mDirty = false;
  }
}

void WidgetContainer::SysColorChangedAll() {
  SysColorChanged();
  for (Widget* aChild : mWidgets) aChild->SysColorChangedAll();
}

void WidgetContainer::SysColorChanged() {}

Widget* WidgetContainer::GetWidgetAtHelper(int x, int y, int theFlags, bool* found, int* theWidgetX,
                                           int* theWidgetY) {
  bool aBelowModal = false;
  ModFlags(theFlags, mWidgetFlagsMod);
  for (WidgetList::reverse_iterator anItr = mWidgets.rbegin(); anItr != mWidgets.rend(); ++anItr) {
    Widget* aChild = *anItr;
    int aChildFlags = GetModFlags(theFlags, aChild->mWidgetFlagsMod);
    if (aBelowModal && mWidgetManager != nullptr) ModFlags(aChildFlags, mWidgetManager->mBelowModalFlagsMod);
    if ((aChildFlags & WidgetFlags_AllowMouse) && aChild->mVisible) {
      bool aFound = false;
      Widget* aCheck = aChild->GetWidgetAtHelper(x - aChild->mX, y - aChild->mY, aChildFlags, &aFound,
                                                 theWidgetX, theWidgetY);
      if (aCheck != nullptr) {
        *found = true;
        return aCheck;
      }
      if (aChild->mMouseVisible && aChild->GetInsetRect().Contains(x, y) &&
          aChild->IsPointVisible(x - aChild->mX, y - aChild->mY)) {
        if (theWidgetX != nullptr) *theWidgetX = x - aChild->mX;
        if (theWidgetY != nullptr) *theWidgetY = y - aChild->mY;
        *found = true;
        return aChild;
      }
    }
    if (mWidgetManager != nullptr && aChild == mWidgetManager->mBaseModalWidget) aBelowModal = true;
  }
  *found = false;
  return nullptr;
}

}  // namespace Tesk
