#pragma once

// What a GIS or CAD layer holds, looked at before an import: how many of its features are
// points, lines and polygons, and whether it carries traffic attributes; and from that, what
// its features are most likely meant to become.

#include <cstddef>
#include <optional>
#include <string>

#include "gis/gis_import.h"

struct CLayerSurvey {
    bool ok = false;
    std::string message;  // why the layer could not be read
    // Features by the shape of their geometry (a collection counts as its first part's).
    std::size_t points = 0, lines = 0, polygons = 0;
    bool trafficFields = false;  // any of speed1..speed5, volume1..volume5
};

// Features looked at, at most: enough to tell what a layer holds, quick on any file.
constexpr std::size_t kMaxSurveyedFeatures = 10000;

// Surveys the layer of that name, or the file's first layer when `layer` is empty.
CLayerSurvey SurveyLayer(const std::string& path, const std::string& layer);

// The kind the most numerous shape makes: points become receivers, lines roads when the
// layer carries traffic attributes and barriers otherwise, polygons buildings. An empty or
// unreadable layer suggests nothing.
std::optional<EImportKind> SuggestedImportKind(const CLayerSurvey& survey);
