#pragma once

namespace xscatter {

// Puts the upper halves of the AVX registers back into their clean state. Call it at the entry
// of a function that calls log or exp.
//
// glibc's log and exp are SSE-encoded entry points that jump into AVX-encoded (VEX) kernels.
// Code that ran before, Qt's AVX2 fills and hashes among it, can leave the upper halves of the
// YMM registers in use; many CPUs then pay a state switch of tens of nanoseconds at every
// change between the two encodings, twice per call, and the next fill or hash makes the state
// dirty again, so clearing it once at start is not enough. vzeroupper costs about a cycle and
// leaves the low halves, where scalar arguments and results live, as they are.
//
// Only for x86-64, and only where the CPU has AVX: without AVX nothing can make the state dirty
// and the instruction does not exist. The runtime probes the CPU once, at program start.
inline void ClearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (__builtin_cpu_supports("avx")) __asm__ volatile("vzeroupper");
#endif
}

}  // namespace xscatter
