#include "platform/carbonwindow/CarbonWindow.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace {

std::mutex gDebugLock;
std::atomic<int> gBeepCount{0};
std::string gLastDebugStr;

}  // namespace

bool SectRect(const Rect* theA, const Rect* theB, Rect* theOut) {
  Rect r;
  r.top = theA->top > theB->top ? theA->top : theB->top;
  r.left = theA->left > theB->left ? theA->left : theB->left;
  r.bottom = theA->bottom < theB->bottom ? theA->bottom : theB->bottom;
  r.right = theA->right < theB->right ? theA->right : theB->right;
  if (r.top >= r.bottom || r.left >= r.right) r = Rect{0, 0, 0, 0};
  *theOut = r;
  return r.bottom > r.top;
}

void HideMenuBar() {}

OSStatus SetSystemUIMode(uint32_t, uint32_t) { return noErr; }

void SysBeep(int16_t) { ++gBeepCount; }

int CarbonBeepCount() { return gBeepCount.load(); }

void DebugStr(const unsigned char* thePascalText) {
  std::string aText;
  if (thePascalText != nullptr)
    aText.assign(reinterpret_cast<const char*>(thePascalText + 1), thePascalText[0]);
  std::fprintf(stderr, "%s", aText.c_str());
  std::lock_guard<std::mutex> aLock(gDebugLock);
  gLastDebugStr = aText;
}

std::string CarbonLastDebugStr() {
  std::lock_guard<std::mutex> aLock(gDebugLock);
  return gLastDebugStr;
}

void Debugger(const char* theWhy) {
  std::fprintf(stderr, "debugger: %s\n", theWhy);
  std::lock_guard<std::mutex> aLock(gDebugLock);
  gLastDebugStr = theWhy;
}
