// An X server of the test's own (Xvfb) with a screen of a given size, for programs that must
// see that screen: it picks a free display number itself, and stops with the object.
#pragma once

#include <sys/types.h>

#include <string>

namespace XScreen {

class VirtualScreen {
 public:
  VirtualScreen() = default;
  ~VirtualScreen();
  VirtualScreen(const VirtualScreen&) = delete;
  VirtualScreen& operator=(const VirtualScreen&) = delete;

  // Starts the server with a 24-bit screen of theWidth x theHeight; false (with why in
  // theError) when it does not offer a display within 30 s.
  bool Start(int theWidth, int theHeight, std::string* theError);
  // The display's name for DISPLAY (":N"); empty before Start.
  const std::string& Name() const { return mName; }

 private:
  pid_t mServer = 0;
  std::string mName;
};

}  // namespace XScreen
