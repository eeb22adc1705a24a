// How many blocks the test binary has taken from the heap so far, for the tests that check that
// something allocates nothing: read it before and after. Only the binaries of the folders that
// tests/CMakeLists.txt names are built with support/AllocationCount.cpp, which counts.
#pragma once

namespace TeskTest {

long AllocationCount();

}  // namespace TeskTest
