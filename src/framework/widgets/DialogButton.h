// The button of the framework's dialogs: one component image drawn as a box,
// white labels, the label shifted while pressed.
#pragma once

#include "widgets/ButtonWidget.h"

namespace Tesk {

class DialogButton : public ButtonWidget {
 public:
  Image* mComponentImage;
  int mTranslateX;
  int mTranslateY;
  int mTextOffsetX;
  int mTextOffsetY;

  DialogButton(Image* theComponentImage, int theId, ButtonListener* theListener);

  void Draw(Graphics* g) override;
};

}  // namespace Tesk
