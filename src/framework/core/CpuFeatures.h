// What the processor can run beyond the SSE2 baseline, asked once for the whole program so that
// every vector path agrees on it.
#pragma once

namespace Tesk {

// True when the processor runs AVX2 and TESK_NO_AVX2 is not set in the environment (it keeps the
// SSE2 paths, to measure or test them on a processor that has AVX2).
bool CpuHasAvx2();

}  // namespace Tesk
