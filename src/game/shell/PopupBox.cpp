// The popup box's model, types and lifecycle: construction, child widgets, visibility and focus,
// the transition to the next screen and the chapter results animation.
#include "game/shell/PopupBox.h"

#include "game/shell/GameLog.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"

namespace Tesk {

PopupBox::PopupBox(GameApp* theApp)
    : m_boxImage(nullptr),
      m_boxX(0),
      m_boxY(0),
      m_app(theApp),
      m_nameEdit(nullptr),
      m_enterHandled(false),
      m_deleteProfileIndex(0),
      m_musicSlider(nullptr),
      m_soundSlider(nullptr),
      m_fullScreenCheckbox(nullptr),
      m_helpBoxCheckbox(nullptr),
      m_distractionsCheckbox(nullptr),
      m_3DCheckbox(nullptr),
      m_customCursorCheckbox(nullptr),
      m_buttons(),
      m_type(0),
      m_subType(0),
      m_parent(nullptr),
      m_headerText(nullptr),
      m_bodyText(nullptr),
      m_chosenDifficulty(0),
      m_bookTranslate(0.0f),
      m_newRecord(false),
      m_pulse(0.0f),
      m_pulseSpeed(0.0f),
      m_resultState(0),
      m_resultCountdown(0),
      m_resultHintsLeft(0),
      m_resultTimeBonus(0) {}

PopupBox::~PopupBox() {
  delete m_musicSlider;
  delete m_soundSlider;
  delete m_fullScreenCheckbox;
  delete m_helpBoxCheckbox;
  delete m_distractionsCheckbox;
  delete m_3DCheckbox;
  delete m_customCursorCheckbox;
  for (OrvoButtonWidget* aButton : m_buttons) delete aButton;
  delete m_nameEdit;
}

void PopupBox::Init() { LogNotBuilt("Tesk::PopupBox"); }

void PopupBox::setType(unsigned char) {}

void PopupBox::setWidgetsVisible(bool) {}

void PopupBox::SetVisible(bool isVisible) { Widget::SetVisible(isVisible); }

void PopupBox::AddedToManager(WidgetManager* theManager) { Widget::AddedToManager(theManager); }

void PopupBox::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void PopupBox::Update() { Widget::Update(); }

bool PopupBox::isHint() { return false; }

}  // namespace Tesk
