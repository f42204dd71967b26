#pragma once

// The result file of the external barrier optimiser ("WallSolver.exe", extension ".out"):
// line 1 the number N of receiver blocks; line 2 barrier height and area; lines 3 and 4
// the barrier start and end (X Y); then per receiver one line X Y Z and one line of nine
// levels (63 Hz .. 8 kHz, then overall). Numbers are read one after the other on a line
// until one does not read; the missing ones keep the value of the previous block (0 for
// the first), and blocks missing at the end repeat the last block's values.
// Thread-safe: plain functions of their arguments.

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct COptReceiver {
    std::array<double, 9> m_dLevel{};  // 63 .. 8000 Hz, then the overall A-weighted level
    double m_dX = 0, m_dY = 0, m_dZ = 0;
};

struct COptResult {
    double m_dHeight = 0;  // m
    double m_dArea = 0;    // m²
    double m_dStartX = 0, m_dStartY = 0;
    double m_dEndX = 0, m_dEndY = 0;
    std::vector<COptReceiver> m_arrReceiver;  // file order
};

// Largest number of receiver blocks taken from a file; a larger count is cut to it, so a
// damaged first line cannot make the reader fill memory with repeated blocks.
inline constexpr int kMaxOptResultBlocks = 100'000;

// Reads the text of a result file. Never fails: anything unreadable reads as missing.
COptResult ParseOptResult(std::string_view text);

inline constexpr const char* kMsgOptResultUnreadable = "방음벽 최적설계 결과파일을 열 수 없습니다.";

// Reads the result file at path (a native path as the other files are opened). False, with the message to show, when it
// cannot be opened.
bool ReadOptResultFile(const std::string& path, COptResult& result, std::string& message);
