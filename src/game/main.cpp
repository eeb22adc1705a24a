// Program entry: makes the application object, runs it and deletes it when it stops.
#include <string>

#include "game/StarterApp.h"

int main(int argc, char** argv) {
  Tesk::StarterApp* anApp = new Tesk::StarterApp();
  // The command line reaches the application's parser as one line.
  for (int i = 1; i < argc; ++i) {
    if (i > 1) anApp->mCmdLine += ' ';
    std::string anArg = argv[i];
    // An argument with blanks stays one argument.
    anApp->mCmdLine += anArg.find(' ') == std::string::npos ? anArg : "\"" + anArg + "\"";
  }
  anApp->Init();
  anApp->Start();
  delete anApp;
  return 0;
}
