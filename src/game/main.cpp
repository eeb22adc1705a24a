// Program entry: makes the game's application object, hands it the command line, runs it and
// deletes it when it stops.
#include "app/CommandLine.h"
#include "game/shell/GameApp.h"

int main(int argc, char** argv) {
  Tesk::GameApp* anApp = new Tesk::GameApp();
  anApp->ParseCmdLine(Tesk::JoinCommandLine(argc, argv));
  anApp->Init();
  anApp->Start();
  delete anApp;
  return 0;
}
