#pragma once

// The features of one layer into an import's result, in two passes: the first only counts
// features, vertices and the entities they would make, so that a layer beyond the limits
// is refused before anything is built; the second builds the entities, feature by feature.

#include <ogrsf_frmts.h>

#include <string>

#include "gis/gis_import.h"

class CMyTalvoDoc;

// The entities of the kind the base already has.
std::size_t ImportKindCount(const CMyTalvoDoc& base, EImportKind kind);
// "도로", "방음벽", "수음점", "건물".
const char* ImportKindNoun(EImportKind kind);
// The noun with its subject particle: "도로가", "방음벽이".
std::string ImportKindSubject(EImportKind kind);

// Fills result with what the layer's features make, transformed by ct (none: the
// coordinates as they are; `transformName` says "FROM → TO" in messages). Returns the
// message refusing the import, empty when every feature was usable.
std::string ReadLayerFeatures(const CMyTalvoDoc& base, const CImportRequest& request, OGRLayer& layer,
                              OGRCoordinateTransformation* ct, const std::string& transformName, CImportResult& result);
