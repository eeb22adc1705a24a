#include "game/shell/ZqMusic.h"

ZqMusic zqMusic;

ZqMusic::ZqMusic()
    : m_gameApp(nullptr), m_firstStart(true), m_currentTrack(0), m_playingSong(0), m_requestedTrack(0), m_pendingSong(0) {}

void ZqMusic::setGameAppPtr(Tesk::GameApp* theApp) { m_gameApp = theApp; }

void ZqMusic::init(const char*) {}

void ZqMusic::update() {}

void ZqMusic::loadNextMusic() {}
