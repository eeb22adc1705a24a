#include "support/DemoReport.h"

#include <gtest/gtest.h>

namespace TeskTest {

std::string Between(const std::string& theText, const std::string& theBefore, const std::string& theAfter) {
  const size_t aStart = theText.find(theBefore);
  if (aStart == std::string::npos) return std::string();
  const size_t aFrom = aStart + theBefore.size();
  return theText.substr(aFrom, theText.find(theAfter, aFrom) - aFrom);
}

void ExpectPlayedToItsEnd(const std::string& theRecorded, const std::string& thePlayed, const std::string& theFile) {
  const std::string anUpdates = Between(theRecorded, "demo: recorded " + theFile + ": ", " updates");
  const std::string aCommands = Between(theRecorded, " updates, ", " commands");
  EXPECT_FALSE(anUpdates.empty()) << theRecorded;
  EXPECT_EQ(Between(thePlayed, "demo: played " + theFile + ": ", " updates"), anUpdates + " of " + anUpdates)
      << thePlayed;
  EXPECT_EQ(Between(thePlayed, " updates, ", " commands"), aCommands) << thePlayed;
  EXPECT_EQ(thePlayed.find("left the recording"), std::string::npos) << thePlayed;
  EXPECT_EQ(thePlayed.find("not to its end"), std::string::npos) << thePlayed;
}

}  // namespace TeskTest
