// Picks the song for each screen group: the old song fades out, the group's song fades in once
// the old one has stopped; the very first pick plays the opening song once, then the title loop.
#pragma once

#include <cstdint>

namespace Tesk {
class GameApp;
class MusicInterface;
}  // namespace Tesk

class ZqMusic {
 public:
  // Group name to track; ended by a null name.
  struct DatabaseMap {
    const char* m_group;
    uint8_t m_track;
  };
  static const DatabaseMap s_databaseMap[];
  // Song id to file; entry 0 empty.
  static const char* const s_idDataMap[5];

  ZqMusic();

  void setGameAppPtr(Tesk::GameApp* theApp);
  // Selects the music of theGroup (null: the play scene).
  void init(const char* theGroup);
  void update();
  void loadNextMusic();

  Tesk::GameApp* m_gameApp;
  bool m_firstStart;
  uint8_t m_currentTrack;
  uint8_t m_playingSong;
  uint8_t m_requestedTrack;
  uint8_t m_pendingSong;

 private:
  // The application's music interface; null before the application is given.
  Tesk::MusicInterface* music() const;
};

extern ZqMusic zqMusic;
