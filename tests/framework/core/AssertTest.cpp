#include <gtest/gtest.h>

#include "core/Common.h"

TEST(AssertDeathTest, FailedAssertionPrintsFileLineAndTextThenStops) {
  EXPECT_DEATH(TESK_ASSERT(1 + 1 == 3), "AssertTest\\.cpp:[0-9]+: failed assertion `1 \\+ 1 == 3'");
}

TEST(Assert, PassingAssertionLeavesInAssertCleared) {
  TESK_ASSERT(Tesk::gInAssert == 1);
  EXPECT_EQ(Tesk::gInAssert, 0);
}
