#include "engine/fast_exp.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace {

// FastExp8's lanes four at a time. Only AVX2 is asked of the processor (no fused multiply-
// add), so each product and sum is rounded as FastExp rounds it.
__attribute__((target("avx2"))) bool FastExp8Avx2(const std::array<double, 8>& x, std::array<double, 8>& e)
{
    using namespace fastexp;
    const __m256d lowest = _mm256_set1_pd(kLowest), highest = _mm256_set1_pd(kHighest);
    const __m256d shift = _mm256_set1_pd(kShift), toK = _mm256_set1_pd(kSixtyFourOverLn2);
    const __m256d hi = _mm256_set1_pd(kLn2Hi), lo = _mm256_set1_pd(kLn2Lo);
    const __m256i biasK = _mm256_set1_epi64x(1023 * 64), low6 = _mm256_set1_epi64x(63);
    const __m256d v0 = _mm256_loadu_pd(&x[0]), v1 = _mm256_loadu_pd(&x[4]);
    const __m256d in0 = _mm256_and_pd(_mm256_cmp_pd(v0, lowest, _CMP_GT_OQ), _mm256_cmp_pd(v0, highest, _CMP_LT_OQ));
    const __m256d in1 = _mm256_and_pd(_mm256_cmp_pd(v1, lowest, _CMP_GT_OQ), _mm256_cmp_pd(v1, highest, _CMP_LT_OQ));
    if (_mm256_movemask_pd(_mm256_and_pd(in0, in1)) != 15)
        return false;
    const __m256d vs[2] = {v0, v1};
    for (int half = 0; half < 2; ++half) {
        const __m256d v = vs[half];
        const __m256d kd = _mm256_add_pd(_mm256_mul_pd(v, toK), shift);
        const __m256d k = _mm256_sub_pd(kd, shift);
        const __m256i ki = _mm256_sub_epi64(_mm256_castpd_si256(kd), _mm256_castpd_si256(shift));
        const __m256d r = _mm256_sub_pd(_mm256_sub_pd(v, _mm256_mul_pd(k, hi)), _mm256_mul_pd(k, lo));
        __m256d q = _mm256_add_pd(_mm256_set1_pd(1.0 / 120.0), _mm256_mul_pd(r, _mm256_set1_pd(1.0 / 720.0)));
        q = _mm256_add_pd(_mm256_set1_pd(1.0 / 24.0), _mm256_mul_pd(r, q));
        q = _mm256_add_pd(_mm256_set1_pd(1.0 / 6.0), _mm256_mul_pd(r, q));
        q = _mm256_add_pd(_mm256_set1_pd(0.5), _mm256_mul_pd(r, q));
        const __m256d p = _mm256_add_pd(r, _mm256_mul_pd(_mm256_mul_pd(r, r), q));
        const __m256d t = _mm256_i64gather_pd(kPowersOfTwo.data(), _mm256_and_si256(ki, low6), 8);
        const __m256d scale =
            _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_srli_epi64(_mm256_add_epi64(ki, biasK), 6), 52));
        _mm256_storeu_pd(&e[4 * half], _mm256_mul_pd(_mm256_add_pd(t, _mm256_mul_pd(t, p)), scale));
    }
    return true;
}

const bool kHasAvx2 = [] {
    __builtin_cpu_init();  // may run before the constructors that would make it
    return __builtin_cpu_supports("avx2") != 0;
}();

}  // namespace

bool FastExp8Wide(const std::array<double, 8>& x, std::array<double, 8>& e) { return kHasAvx2 && FastExp8Avx2(x, e); }

#else

bool FastExp8Wide(const std::array<double, 8>&, std::array<double, 8>&) { return false; }

#endif
