// Bytes the heap currently hands out, to check that something was freed.
#pragma once

#include <cstddef>

namespace TeskTest {

// Blocks malloc maps on their own (128 KB and more) are not counted without a sanitizer.
size_t AllocatedBytes();

// The most memory the process has held resident so far, blocks of every size counted: what a
// passing allocation that is freed again leaves behind.
size_t PeakResidentBytes();

}  // namespace TeskTest
