#include "base/cpu_features.h"

namespace klarvik {

bool CpuHasAvx2() {
#if defined(__i386__) || defined(__x86_64__)
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

bool CpuHasSse2() {
#if defined(__x86_64__)
  return true;
#elif defined(__i386__)
  static const bool has = __builtin_cpu_supports("sse2");
  return has;
#else
  return false;
#endif
}

}  // namespace klarvik
