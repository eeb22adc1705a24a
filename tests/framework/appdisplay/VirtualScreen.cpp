#include "VirtualScreen.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace XScreen {

VirtualScreen::~VirtualScreen() {
  if (mServer > 0) {
    kill(mServer, SIGTERM);
    waitpid(mServer, nullptr, 0);
  }
}

bool VirtualScreen::Start(int theWidth, int theHeight, std::string* theError) {
  int aPipe[2];
  if (pipe(aPipe) != 0) {
    *theError = "no pipe";
    return false;
  }
  const std::string aScreen = std::to_string(theWidth) + "x" + std::to_string(theHeight) + "x24";
  const std::string aFd = std::to_string(aPipe[1]);
  mServer = fork();
  if (mServer == 0) {
    close(aPipe[0]);
    const int aNull = open("/dev/null", O_WRONLY);
    if (aNull >= 0) {
      dup2(aNull, 1);
      dup2(aNull, 2);
    }
    // Without -noreset the server starts afresh each time its last client goes, and a pointer
    // that a test put in place before starting a program is back in the middle when it comes.
    execlp("Xvfb", "Xvfb", "-displayfd", aFd.c_str(), "-screen", "0", aScreen.c_str(), "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(aPipe[1]);
  if (mServer < 0) {
    close(aPipe[0]);
    *theError = "no fork";
    return false;
  }
  // The server writes its number once it takes connections; a loaded machine may take a while.
  std::string aNumber;
  const auto anEnd = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (aNumber.find('\n') == std::string::npos && std::chrono::steady_clock::now() < anEnd) {
    pollfd aWait{aPipe[0], POLLIN, 0};
    if (poll(&aWait, 1, 100) <= 0) continue;
    char aBuffer[32];
    const ssize_t aRead = read(aPipe[0], aBuffer, sizeof(aBuffer));
    if (aRead <= 0) break;  // the server ended
    aNumber.append(aBuffer, static_cast<size_t>(aRead));
  }
  close(aPipe[0]);
  if (aNumber.find('\n') == std::string::npos) {
    *theError = "Xvfb offered no display for " + aScreen;
    return false;
  }
  mName = ":" + aNumber.substr(0, aNumber.find('\n'));
  return true;
}

}  // namespace XScreen
