#pragma once

// Limits that keep a damaged or hostile project file from exhausting memory, and the
// messages both file forms give when a file breaks them.

#include <cstddef>
#include <string>

// The kinds of entity in the order of the settings' list of counts, in both file forms.
enum EKind { kRoads, kBarriers, kReceivers, kEmbankments, kCuttings, kTunnels, kKindCount };

// Far beyond any real project, small enough to read without strain.
inline constexpr int kMaxEntitiesPerKind = 100000;
inline constexpr std::size_t kMaxProjectFileBytes = std::size_t{64} << 20;
// No line a save writes comes near this (a value is read back cut to 254 characters).
inline constexpr std::size_t kMaxLineBytes = 65536;

// A key file holds one section per entity, one result section per receiver and the
// settings; a real file within kMaxProjectFileBytes has well under 4 million key lines
// (every key name is several characters long). More would only cost memory: a section
// or a key kept in memory takes tens of times the bytes of its line.
inline constexpr std::size_t kMaxSections = 7 * static_cast<std::size_t>(kMaxEntitiesPerKind) + 1;
inline constexpr std::size_t kMaxKeyLines = 4000000;

inline constexpr const char* kTooManySectionsMessage =
    "파일의 구역이 너무 많습니다. 프로젝트 파일은 700001개까지의 구역을 가질 수 있습니다.";
inline constexpr const char* kTooManyKeyLinesMessage =
    "파일의 키 줄이 너무 많습니다. 프로젝트 파일은 4000000개까지의 키 줄을 가질 수 있습니다.";

inline constexpr const char* kTooManyEntitiesMessage =
    "개체 수가 너무 많습니다. 한 종류의 개체는 100000개까지 읽을 수 있습니다.";

// lineNumber from 1.
inline std::string LineTooLongMessage(std::size_t lineNumber)
{
    return std::to_string(lineNumber) + "번째 줄이 너무 깁니다. 한 줄은 65536바이트까지 읽을 수 있습니다.";
}

// road from 1; count as read.
inline std::string TooManySourcesMessage(std::size_t road, int count)
{
    return "도로 " + std::to_string(road) + "의 이산소음원 수(" + std::to_string(count) +
           ")가 너무 많습니다. 도로 하나의 이산소음원은 100000개까지 읽을 수 있습니다.";
}

// tunnel from 1; count as read.
inline std::string TooManyLanesMessage(std::size_t tunnel, int count)
{
    return "터널 " + std::to_string(tunnel) + "의 차선 수(" + std::to_string(count) +
           ")가 너무 많습니다. 터널 하나의 차선은 100000개까지 읽을 수 있습니다.";
}
