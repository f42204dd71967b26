#pragma once

// How many times larger than lengths the section view and the section map draw heights.
// A road section is hundreds of metres long and a few metres high: drawn true to scale it
// is a flat line, so the section starts five times higher than long.

inline constexpr int kMinSectionExaggeration = 1;
inline constexpr int kMaxSectionExaggeration = 10;
inline constexpr int kDefaultSectionExaggeration = 5;
