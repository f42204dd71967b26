#pragma once

// An immutable snapshot of everything the propagation of one path reads: source
// pieces, bridge-road barriers, obstacles, reflectors and air tables. Prepared once;
// PointLevels is thread-safe (each call keeps its own scratch).

#include <memory>

#include "model/bands.h"

class CMyTalvoDoc;

class CCalcScene {
public:
    // Uses the source pieces of the document's last calculate command.
    explicit CCalcScene(const CMyTalvoDoc& doc);
    ~CCalcScene();
    CCalcScene(const CCalcScene&) = delete;
    CCalcScene& operator=(const CCalcScene&) = delete;

    // Band levels at (x, y, z), z absolute as stored in a receiver. Thread-safe.
    Bands PointLevels(double x, double y, double z) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
