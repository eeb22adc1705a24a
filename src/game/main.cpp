// Program entry: makes the game's application object, hands it the command line (parsed by
// Init once the data folder is known), runs it and deletes it when it stops.
#include "app/CommandLine.h"
#include "game/shell/GameApp.h"

int main(int argc, char** argv) {
  Tesk::GameApp* anApp = new Tesk::GameApp();
  anApp->SetCommandLine(Tesk::JoinCommandLine(argc, argv));
  anApp->Init();
  anApp->Start();
  delete anApp;
  return 0;
}
