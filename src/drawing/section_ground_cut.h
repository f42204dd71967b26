#pragma once

// Cuts the ground of the section line out of the embankments and cuttings, with the same
// crossings the section view draws them by, so that the noise map's mask and the drawn
// ground agree. Plain arithmetic.

#include <vector>

#include "model/entities.h"
#include "model/section_ground.h"

class CMyTalvoDoc;
class CSectionPlane;

CSectionGround CutSectionGround(const CSectionPlane& plane, const std::vector<CSungto>& embankments,
                                const std::vector<CJulto>& cuttings);
// The ground along the document's section line (its axis and position).
CSectionGround DocumentSectionGround(const CMyTalvoDoc& doc);
