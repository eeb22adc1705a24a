// Every test here runs against one scripted 1024 x 768 display, so that no test reaches for the
// real one (and SDL's video) just by making an application object.
#include <gtest/gtest.h>

#include "platform/coregraphics/CoreGraphics.h"

namespace {

class ScriptedDisplay : public ::testing::Environment {
 public:
  void SetUp() override {
    CGTestSetDisplays({CGTestDisplay{Rect{0, 0, 768, 1024}, 60, true, true, {CGDefaultRenderer()}}});
  }
  void TearDown() override { CGTestSetDisplays({}); }
};

::testing::Environment* const s_ScriptedDisplay = ::testing::AddGlobalTestEnvironment(new ScriptedDisplay());

}  // namespace
