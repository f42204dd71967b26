#pragma once

// e^x for the energies of the paths, which take several per path: 2^(k/64) from a table
// times e^r by its series, |r| <= ln2/128, inline and without a call. Within about one unit
// in the last place of std::exp; a result below 2^-1000 (x below about -693) and
// overflow go to std::exp itself, NaN stays NaN. Pure: safe on any thread.

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fastexp {

constexpr double kShift = 0x1.8p52;  // adding it rounds to an integer
constexpr double kSixtyFourOverLn2 = 0x1.71547652b82fep6;
constexpr double kLn2Hi = 0x1.62e42fee00000p-7;   // ln2 / 64, 32 bits: k * kLn2Hi is exact
constexpr double kLn2Lo = 0x1.a39ef35793c76p-39;  // the rest of ln2 / 64
constexpr double kLowest = -690.0, kHighest = 709.0;

inline const std::array<double, 64> kPowersOfTwo = [] {
    std::array<double, 64> t{};
    for (int i = 0; i < 64; ++i)
        t[i] = std::exp2(i / 64.0);
    return t;
}();

}  // namespace fastexp

inline double FastExp(double x)
{
    using namespace fastexp;
    if (!(x > kLowest && x < kHighest))
        return std::exp(x);
    const double kd = x * kSixtyFourOverLn2 + kShift;  // k in its low bits
    const double k = kd - kShift;
    const std::int64_t ki =
        static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(kd) - std::bit_cast<std::uint64_t>(kShift));
    const double r = (x - k * kLn2Hi) - k * kLn2Lo;
    const double p = r + r * r * (0.5 + r * (1.0 / 6.0 + r * (1.0 / 24.0 + r * (1.0 / 120.0 + r * (1.0 / 720.0)))));
    const double t = fastexp::kPowersOfTwo[static_cast<std::size_t>(ki & 63)];
    const double scale = std::bit_cast<double>(static_cast<std::uint64_t>((ki >> 6) + 1023) << 52);
    return (t + t * p) * scale;
}

// FastExp8 four to an instruction, on a processor with AVX2 (false, with nothing done,
// elsewhere or when a value lies outside FastExp's range): the same operations in each lane.
bool FastExp8Wide(const std::array<double, 8>& x, std::array<double, 8>& e);

// FastExp of eight values, two to an instruction: the same operations in the same order in
// each lane, so each result is FastExp's to the bit. The scale 2^(k div 64) is formed from
// k + 1023 * 64, which is positive over the range, with logical shifts.
inline std::array<double, 8> FastExp8Narrow(const std::array<double, 8>& x)
{
    std::array<double, 8> e;
#if defined(__SSE2__)
    using namespace fastexp;
    const __m128d lowest = _mm_set1_pd(kLowest), highest = _mm_set1_pd(kHighest);
    const __m128d shift = _mm_set1_pd(kShift), toK = _mm_set1_pd(kSixtyFourOverLn2);
    const __m128d hi = _mm_set1_pd(kLn2Hi), lo = _mm_set1_pd(kLn2Lo);
    const __m128i biasK = _mm_set1_epi64x(1023 * 64), low6 = _mm_set1_epi64x(63);
    __m128d inRange = _mm_castsi128_pd(_mm_set1_epi64x(-1));
#pragma GCC unroll 4
    for (std::size_t j = 0; j < 8; j += 2) {
        const __m128d v = _mm_loadu_pd(&x[j]);
        inRange = _mm_and_pd(inRange, _mm_and_pd(_mm_cmpgt_pd(v, lowest), _mm_cmplt_pd(v, highest)));
        const __m128d kd = _mm_add_pd(_mm_mul_pd(v, toK), shift);
        const __m128d k = _mm_sub_pd(kd, shift);
        const __m128i ki = _mm_sub_epi64(_mm_castpd_si128(kd), _mm_castpd_si128(shift));
        const __m128d r = _mm_sub_pd(_mm_sub_pd(v, _mm_mul_pd(k, hi)), _mm_mul_pd(k, lo));
        __m128d q = _mm_add_pd(_mm_set1_pd(1.0 / 120.0), _mm_mul_pd(r, _mm_set1_pd(1.0 / 720.0)));
        q = _mm_add_pd(_mm_set1_pd(1.0 / 24.0), _mm_mul_pd(r, q));
        q = _mm_add_pd(_mm_set1_pd(1.0 / 6.0), _mm_mul_pd(r, q));
        q = _mm_add_pd(_mm_set1_pd(0.5), _mm_mul_pd(r, q));
        const __m128d p = _mm_add_pd(r, _mm_mul_pd(_mm_mul_pd(r, r), q));
        const __m128i index = _mm_and_si128(ki, low6);
        const auto i0 = static_cast<std::size_t>(_mm_cvtsi128_si64(index));
        const auto i1 = static_cast<std::size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(index, index)));
        const __m128d t = _mm_set_pd(kPowersOfTwo[i1], kPowersOfTwo[i0]);
        const __m128d scale = _mm_castsi128_pd(_mm_slli_epi64(_mm_srli_epi64(_mm_add_epi64(ki, biasK), 6), 52));
        _mm_storeu_pd(&e[j], _mm_mul_pd(_mm_add_pd(t, _mm_mul_pd(t, p)), scale));
    }
    if (_mm_movemask_pd(inRange) == 3)
        return e;
#endif
    for (std::size_t j = 0; j < 8; ++j)
        e[j] = FastExp(x[j]);
    return e;
}

// FastExp of eight values: four to an instruction where the processor has AVX2, else two.
inline std::array<double, 8> FastExp8(const std::array<double, 8>& x)
{
    std::array<double, 8> e;
    if (FastExp8Wide(x, e))
        return e;
    return FastExp8Narrow(x);
}
