// A node of the widget tree: an ordered list of children (back to front, sorted
// by z-order band), a rectangle in the parent's coordinates, the dirty flag and
// the three walks (update, fractional update, draw) with the hit test.
#pragma once

#include <list>

#include "graphics/TPoint.h"
#include "graphics/TRect.h"
#include "widgets/FlagsMod.h"
#include "widgets/ModalFlags.h"

namespace Tesk {

class Graphics;
class Widget;
class WidgetManager;

typedef std::list<Widget*> WidgetList;

class WidgetContainer {
 public:
  WidgetList mWidgets;  // not owned
  WidgetManager* mWidgetManager;
  WidgetContainer* mParent;
  bool mUpdateIteratorModified;
  WidgetList::iterator mUpdateIterator;
  int mLastManagerUpdateCnt;
  int mUpdateCnt;
  bool mDirty;
  int mX;
  int mY;
  int mWidth;
  int mHeight;
  bool mHasAlpha;
  bool mClip;
  FlagsMod mWidgetFlagsMod;
  int mPriority;
  int mZOrder;

  WidgetContainer();
  virtual ~WidgetContainer();

  virtual TRect<int> GetRect();
  virtual bool Intersects(WidgetContainer* theWidget);
  virtual void AddWidget(Widget* theWidget);
  virtual void RemoveWidget(Widget* theWidget);
  virtual bool HasWidget(Widget* theWidget);
  virtual void DisableWidget(Widget* theWidget);
  virtual void RemoveAllWidgets(bool doDelete = false, bool recursive = false);
  virtual void SetFocus(Widget* theWidget);
  virtual bool IsBelow(Widget* theWidget1, Widget* theWidget2);
  virtual void MarkAllDirty();
  virtual void BringToFront(Widget* theWidget);
  virtual void BringToBack(Widget* theWidget);
  virtual void PutBehind(Widget* theWidget, Widget* theRefWidget);
  virtual void PutInfront(Widget* theWidget, Widget* theRefWidget);
  virtual TPoint<int> GetAbsPos();
  virtual void MarkDirty();
  virtual void MarkDirtyFull();
  virtual void MarkDirtyFull(WidgetContainer* theWidget);
  virtual void MarkDirty(WidgetContainer* theWidget);
  virtual void AddedToManager(WidgetManager* theWidgetManager);
  virtual void RemovedFromManager(WidgetManager* theWidgetManager);
  virtual void Update();
  virtual void UpdateAll(ModalFlags* theFlags);
  virtual void UpdateF(float theFrac);
  virtual void UpdateFAll(ModalFlags* theFlags, float theFrac);
  virtual void Draw(Graphics* g);
  virtual void DrawAll(ModalFlags* theFlags, Graphics* g);
  virtual void SysColorChangedAll();
  virtual void SysColorChanged();

  void InsertWidgetHelper(WidgetList::iterator theWhere, Widget* theWidget);
  bool IsBelowHelper(Widget* theWidget1, Widget* theWidget2, bool* found);
  Widget* GetWidgetAtHelper(int x, int y, int theFlags, bool* found, int* theWidgetX, int* theWidgetY);

 private:
  void Reorder(Widget* theWidget, Widget* theRefWidget, int theHintKind);
  WidgetContainer(const WidgetContainer&) = delete;
  WidgetContainer& operator=(const WidgetContainer&) = delete;
};

}  // namespace Tesk
