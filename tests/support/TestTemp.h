// Scratch folders for tests: each call gives a new, empty folder under the build tree.
#pragma once

#include <string>

namespace TeskTest {

// A fresh empty folder named after theName, inside a folder of this process's own under
// TESK_TEST_TMP (or the system's temporary folder): that folder is removed when the process
// exits, and by the next test process when this one was killed.
std::string MakeTempDir(const std::string& theName);

// Writes theBytes to thePath, creating nothing else; returns false on failure.
bool WriteFile(const std::string& thePath, const std::string& theBytes);

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& thePath);

}  // namespace TeskTest
