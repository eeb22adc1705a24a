// Scratch folders for tests: each call gives a new, empty folder under the build tree.
#pragma once

#include <string>

namespace TeskTest {

// A fresh empty folder named after theName; removed again when the test binary starts next.
std::string MakeTempDir(const std::string& theName);

// Writes theBytes to thePath, creating nothing else; returns false on failure.
bool WriteFile(const std::string& thePath, const std::string& theBytes);

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& thePath);

}  // namespace TeskTest
