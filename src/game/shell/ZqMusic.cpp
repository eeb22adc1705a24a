#include "game/shell/ZqMusic.h"

#include <cstring>

#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
#include "sound/MusicInterface.h"

ZqMusic zqMusic;

namespace {

const uint8_t k_keepMusic = 255;
const uint8_t k_openingSong = 1;
const uint8_t k_titleSong = 2;
const uint8_t k_playSong = 3;
const uint8_t k_storySong = 4;
const uint8_t k_titleTrack = 2;
const float k_musicFadeSpeed = 0.01f;

}  // namespace

const ZqMusic::DatabaseMap ZqMusic::s_databaseMap[] = {
    {"TitleScreen", 1}, {"Story", 5},      {"HowToPlay", 255}, {"Map", 3},
    {"MiniGame", 3},    {"LevelIntro", 2}, {"Init", 1},        {nullptr, 0},
};

const char* const ZqMusic::s_idDataMap[5] = {"", "music/summoning_37.ogg", "music/summoning_a.ogg",
                                             "music/zq_ingame.ogg", "music/elven_kin_full_loop.ogg"};

ZqMusic::ZqMusic()
    : m_gameApp(nullptr),
      m_firstStart(true),
      m_currentTrack(0),
      m_playingSong(0),
      m_requestedTrack(0),
      m_pendingSong(0) {}

void ZqMusic::setGameAppPtr(Tesk::GameApp* theApp) { m_gameApp = theApp; }

Tesk::MusicInterface* ZqMusic::music() const {
  return m_gameApp != nullptr ? m_gameApp->mMusicInterface : nullptr;
}

void ZqMusic::init(const char* theGroup) {
  uint8_t aTrack = k_playSong;
  if (theGroup != nullptr) {
    const DatabaseMap* aRow = s_databaseMap;
    while (aRow->m_group != nullptr && std::strcmp(aRow->m_group, theGroup) != 0) ++aRow;
    if (aRow->m_group == nullptr) {
      // Every group the game loads is in the table; an unknown one keeps what plays.
      Tesk::GameLog("no music for group \"%s\"; the music goes on", theGroup);
      return;
    }
    aTrack = aRow->m_track;
  }
  if (aTrack == k_keepMusic || aTrack == m_currentTrack) return;

  m_requestedTrack = aTrack;
  if (m_firstStart) {
    m_pendingSong = k_openingSong;
    m_firstStart = false;
  } else if (aTrack == 3) {
    m_pendingSong = k_playSong;
  } else if (aTrack == 1 || aTrack == 2) {
    m_pendingSong = k_titleSong;
  } else if (aTrack == 5) {
    m_pendingSong = k_storySong;
  }
  if (Tesk::MusicInterface* aMusic = music())
    aMusic->FadeOut(m_playingSong, true, static_cast<double>(k_musicFadeSpeed));
}

void ZqMusic::update() {
  Tesk::MusicInterface* aMusic = music();
  if (aMusic == nullptr) return;
  // With nothing playing and nothing asked for, the songs were unloaded when the last one
  // ended: there is nothing to do until a screen asks for music.
  if (m_playingSong == 0 && m_pendingSong == 0 && m_currentTrack == m_requestedTrack) return;
  if (m_playingSong == 0 || !aMusic->IsPlaying(m_playingSong)) loadNextMusic();
}

void ZqMusic::loadNextMusic() {
  Tesk::MusicInterface* aMusic = music();
  if (aMusic == nullptr) return;
  aMusic->UnloadAllMusic();
  m_playingSong = m_pendingSong;
  m_currentTrack = m_requestedTrack;
  if (m_playingSong == 0) return;

  const uint8_t aSong = m_playingSong;
  if (aSong >= sizeof(s_idDataMap) / sizeof(s_idDataMap[0]) ||
      !aMusic->LoadMusic(aSong, s_idDataMap[aSong])) {
    // A song that cannot be loaded is tried once per selection, not on every update: nothing
    // plays until the next group asks for music, except that a missing opening song still
    // leads to the title loop.
    Tesk::GameLog("cannot load the song \"%s\"", aSong < 5 ? s_idDataMap[aSong] : "?");
    m_playingSong = 0;
    if (aSong == k_openingSong) {
      m_pendingSong = k_titleSong;
      m_requestedTrack = k_titleTrack;
    } else {
      m_pendingSong = 0;
    }
    return;
  }
  aMusic->SetSongMaxVolume(aSong, aSong == k_titleSong ? 0.7 : 1.0);
  const bool anOpening = aSong == k_openingSong;
  aMusic->FadeIn(aSong, -1, static_cast<double>(k_musicFadeSpeed), anOpening);
  if (anOpening) {
    m_pendingSong = k_titleSong;
    m_requestedTrack = k_titleTrack;
  }
}
