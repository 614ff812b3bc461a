#pragma once
// Whether this processor runs the SSE2 paths. Every build of the program requires SSE2
// (the 32-bit one is compiled for it), so the answer is yes wherever the program runs; the
// scalar rows stay as the reference the fast ones are tested against.

#if defined(__i386__) || defined(__x86_64__)
#define KLARVIK_HAVE_SSE2_PATH 1
// Windows on i686 only promises a 4-byte aligned stack; SSE2 spills need 16.
#if defined(__i386__)
#define KLARVIK_SSE2_ENTRY __attribute__((force_align_arg_pointer))
#else
#define KLARVIK_SSE2_ENTRY
#endif
#else
#define KLARVIK_HAVE_SSE2_PATH 0
#define KLARVIK_SSE2_ENTRY
#endif

namespace klarvik {

// Probed once, on first use, and the same answer ever after.
bool CpuHasSse2();
bool CpuHasAvx2();

}  // namespace klarvik
