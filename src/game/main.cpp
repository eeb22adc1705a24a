// Program entry: makes the application object, hands it the command line, runs it and deletes
// it when it stops.
#include "app/CommandLine.h"
#include "game/StarterApp.h"

int main(int argc, char** argv) {
  Tesk::StarterApp* anApp = new Tesk::StarterApp();
  anApp->ParseCmdLine(Tesk::JoinCommandLine(argc, argv));
  anApp->Init();
  anApp->Start();
  delete anApp;
  return 0;
}
