#pragma once

// The eight bands as four pairs of doubles, so that a band loop runs two bands to an
// instruction where the processor can. Each operation is the scalar one in each lane (IEEE
// add, subtract, multiply, divide, compare; never fused), so a pair holds to the bit what
// two scalar evaluations of the same expression give. Pure: safe on any thread.

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/bands.h"

using BandPair = double __attribute__((vector_size(16)));
using PairMask = long long __attribute__((vector_size(16)));  // all bits set where true

struct CBandPairs {
    BandPair p[4];

    static CBandPairs Load(const Bands& b)
    {
        CBandPairs v;
        std::memcpy(v.p, b.data(), sizeof v.p);
        return v;
    }
    static CBandPairs Fill(double x)
    {
        CBandPairs v;
        for (BandPair& q : v.p)
            q = BandPair{x, x};
        return v;
    }
    Bands Store() const
    {
        Bands b;
        std::memcpy(b.data(), p, sizeof p);
        return b;
    }
};

// The lanes of the mask are all true.
inline bool AllTrue(PairMask m) { return (m[0] & m[1]) != 0; }

// The square root of each lane, correctly rounded as std::sqrt's.
inline BandPair Sqrt(BandPair v)
{
#if defined(__SSE2__)
    return reinterpret_cast<BandPair>(_mm_sqrt_pd(reinterpret_cast<__m128d>(v)));
#else
    return BandPair{std::sqrt(v[0]), std::sqrt(v[1])};
#endif
}

// std::max(a, b) and std::min(a, b) in each lane, NaN and equal values included.
inline BandPair Max(BandPair a, BandPair b) { return a < b ? b : a; }
inline BandPair Min(BandPair a, BandPair b) { return b < a ? b : a; }
