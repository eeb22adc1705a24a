// What the application asks of its screens when it switches, pauses and saves them, and of the
// music selector when a group changes. The application goes through one of these for every
// such call: the program's own (s_real) reaches the screens themselves; tests put a recorder in
// its place to see each call in order.
#pragma once

#include <cstdint>

class LevelData;

namespace Tesk {

class InGame;
class Map;
class MiniGame;
class Story;
class TitleScreen;

class ScreenCalls {
 public:
  virtual ~ScreenCalls() = default;

  virtual void initTitleScreen(TitleScreen* theScreen);
  virtual void initStory(Story* theScreen);
  virtual void setStoryMode(Story* theScreen, uint8_t theMode);
  virtual void initMap(Map* theScreen);
  virtual void setMapState(Map* theScreen, uint8_t theState);
  // theKind: 1 chant, 2 potion, 3 the saved one.
  virtual void setMiniGameType(MiniGame* theScreen, uint8_t theKind);
  virtual void initMiniGame(MiniGame* theScreen);
  virtual void setMiniGameState(MiniGame* theScreen, uint8_t theState);
  virtual void initInGame(InGame* theScreen);
  virtual void setInGameState(InGame* theScreen, uint8_t theState);

  // The level saves; false when nothing reached the disk.
  virtual bool saveMiniGame(MiniGame* theScreen);
  virtual bool saveLevel(LevelData* theLevel);

  // The music of a screen group (null: the play scene).
  virtual void selectMusic(const char* theGroup);

  // The calls the program makes.
  static ScreenCalls s_real;
};

}  // namespace Tesk
