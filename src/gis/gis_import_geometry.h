#pragma once

// The geometry of one feature as an import takes it: the lines, points or polygons of the
// kind asked for (curves made straight, other kinds passed over), checked, transformed
// into the project's coordinate system and checked again there.

#include <ogr_geometry.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "gis/gis_import.h"

struct CVertex {
    double x = 0, y = 0;
    std::optional<double> z;
};

// A polygon's outer ring (its vertices as the file lists them) and how many holes it had.
struct CPolygonPart {
    std::vector<CVertex> outer;
    std::size_t holes = 0;
};

struct CFeatureShapes {
    std::vector<std::vector<CVertex>> lines;
    std::vector<CVertex> points;
    std::vector<CPolygonPart> polygons;

    std::size_t VertexCount() const;
    // The entities the shapes make: a segment per pair of distinct consecutive line
    // vertices, a receiver per point, a building per polygon.
    std::size_t EntityCount() const;
    bool Empty() const { return lines.empty() && points.empty() && polygons.empty(); }
};

// The parts of g the kind takes: line strings for roads and barriers, points for
// receivers, polygons for buildings, also inside multi-geometries and collections.
CFeatureShapes CollectShapes(const OGRGeometry& g, EImportKind kind);

// Every coordinate (and Z where there is one) is a finite number.
bool AllFinite(const CFeatureShapes& shapes);

// Transforms every vertex in place; false when one cannot be transformed (or comes out as
// no finite number). Without a transformation nothing changes.
bool Transform(OGRCoordinateTransformation* ct, CFeatureShapes& shapes);

// X and Y within kMaxAreaCoordinate of the origin, Z within kMaxImportHeight of 0 m.
bool WithinRange(const CFeatureShapes& shapes);
