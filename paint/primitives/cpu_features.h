#pragma once
// Whether this processor runs the SSE2 paths. The Windows build targets plain i686, so
// the answer is asked at run time there; on x86-64 SSE2 is always present.

// Compiles the rest of a translation unit for SSE2 where the compiler's default does not.
#if defined(__i386__) && !defined(__SSE2__) && defined(__GNUC__) && !defined(__clang__)
#define KLARVIK_ENABLE_SSE2_UNIT _Pragma("GCC target(\"sse2\")")
#else
#define KLARVIK_ENABLE_SSE2_UNIT
#endif

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

bool CpuHasSse2();
