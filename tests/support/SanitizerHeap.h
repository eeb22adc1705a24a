// TESK_TEST_SANITIZER_HEAP is defined where a sanitizer's allocator answers for the heap, whose
// own functions then tell what the heap holds.
#pragma once

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TESK_TEST_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TESK_TEST_SANITIZER_HEAP 1
#endif
#endif
