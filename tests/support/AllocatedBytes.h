// Bytes the heap currently hands out, to check that something was freed.
#pragma once

#include <cstddef>

namespace TeskTest {

// Blocks malloc maps on their own (128 KB and more) are not counted without a sanitizer.
size_t AllocatedBytes();

}  // namespace TeskTest
