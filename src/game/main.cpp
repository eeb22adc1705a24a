// Program entry. Until the game's screens exist it opens the game window,
// shows it for a moment and closes cleanly.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "could not start video: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* aWindow = SDL_CreateWindow("Gloam Hollow", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                         800, 600, SDL_WINDOW_SHOWN);
  if (aWindow == nullptr) {
    std::fprintf(stderr, "could not open the window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  const char* aSeconds = std::getenv("TESK_RUN_SECONDS");
  Uint32 aUntil = SDL_GetTicks() + (aSeconds ? static_cast<Uint32>(std::atoi(aSeconds) * 1000) : 2000u);
  bool aRunning = true;
  while (aRunning && SDL_TICKS_PASSED(aUntil, SDL_GetTicks()) == 0) {
    SDL_Event anEvent;
    while (SDL_PollEvent(&anEvent)) {
      if (anEvent.type == SDL_QUIT) aRunning = false;
    }
    SDL_Delay(10);
  }
  SDL_DestroyWindow(aWindow);
  SDL_Quit();
  return 0;
}
