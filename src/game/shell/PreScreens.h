// The logo screens: up to four logos on black, each fading in, holding and fading out while the
// loading thread finishes; then the application replaces this screen by the title.
#pragma once

#include <cstdint>

#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

namespace Tesk {

class GameApp;
class Image;

class PreScreens : public Widget, public ButtonListener {
 public:
  explicit PreScreens(GameApp* theApp);
  ~PreScreens() override;

  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int theClickCount) override;

  // Updates a logo stays fully shown: 300, or 400 when esrb.jpg exists.
  int m_holdTime;
  GameApp* m_app;
  // 0 the company logo, 1-3 the logo files, 4 always empty.
  Image* m_images[5];
  bool m_finished;
  int16_t m_countdown;
  int16_t m_currentSlot;

 private:
  // Deletes the images of slots 1-4, which this screen loaded itself.
  void releaseLogoFiles();
};

}  // namespace Tesk
