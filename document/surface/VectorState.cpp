#include "document/surface/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace orv {

#if defined(__x86_64__) || defined(__i386__)
namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

bool hasWideVectors()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

} // namespace

void ClearUpperVectorState()
{
    static const bool wide = hasWideVectors();
    if (wide)
        zeroUpper();
}
#else
void ClearUpperVectorState() {}
#endif

} // namespace orv
