#pragma once

// e^x for the energies of the paths, which take several per path: 2^(k/64) from a table
// times e^r by its series, |r| <= ln2/128, inline and without a call. Within about one unit
// in the last place of std::exp; a result below 2^-1000 (x below about -693) and
// overflow go to std::exp itself, NaN stays NaN. Pure: safe on any thread.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace fastexp {

inline const std::array<double, 64> kPowersOfTwo = [] {
    std::array<double, 64> t{};
    for (int i = 0; i < 64; ++i)
        t[i] = std::exp2(i / 64.0);
    return t;
}();

}  // namespace fastexp

inline double FastExp(double x)
{
    constexpr double kShift = 0x1.8p52;  // adding it rounds to an integer
    constexpr double kSixtyFourOverLn2 = 0x1.71547652b82fep6;
    constexpr double kLn2Hi = 0x1.62e42fee00000p-7;   // ln2 / 64, 32 bits: k * kLn2Hi is exact
    constexpr double kLn2Lo = 0x1.a39ef35793c76p-39;  // the rest of ln2 / 64
    if (!(x > -690.0 && x < 709.0))
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
