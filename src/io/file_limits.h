#pragma once

// Limits that keep a damaged or hostile project file from exhausting memory, and the
// messages both file forms give when a file breaks them.

#include <cstddef>

// Far beyond any real project, small enough to read without strain.
inline constexpr int kMaxEntitiesPerKind = 100000;
inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{64} << 20;

inline constexpr const char* kTooManyEntitiesMessage =
    "개체 수가 너무 많습니다. 한 종류의 개체는 100000개까지 읽을 수 있습니다.";
