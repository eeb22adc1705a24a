#include "core/CpuFeatures.h"

#include <cstdlib>

namespace Tesk {

namespace {

bool DetectAvx2() {
  if (std::getenv("TESK_NO_AVX2") != nullptr) return false;
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
#else
  return false;
#endif
}

}  // namespace

bool CpuHasAvx2() {
  static const bool sm_Has = DetectAvx2();
  return sm_Has;
}

}  // namespace Tesk
