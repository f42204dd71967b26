#pragma once

// Whether the stored values the engine reads are usable numbers. A damaged or
// hand-edited project can hold nan or infinities (a file's "1e400" reads as one);
// the piece builders and the terrain section skip such entities rather than produce
// positions or heights that are not numbers, and the calculate command refuses to
// start with the message of FindUnusableInput. A band power of -infinity is "no
// energy" and usable; nan and +infinity are not.
//
// Pure functions of their arguments; safe from any thread.

#include <string>

#include "model/bands.h"
#include "model/entities.h"
#include "model/project_settings.h"

class CMyTalvoDoc;

// Most source pieces (road pieces and tunnel mouth pieces together) one calculation
// takes: far beyond any real project; more would only exhaust memory and time.
inline constexpr long long kMaxTotalPieces = 1000000;

// Every band is a level or "no energy".
bool IsUsablePower(const Bands& power);

// Coordinates, width, length and heading are finite.
bool HasFiniteGeometry(const CRoad& road);
bool HasFiniteGeometry(const CTunnel& tunnel);
bool HasFiniteGeometry(const CSlope& s);

// The road can be split into pieces: finite geometry, usable power and a source count
// from 1 to kMaxDiscreteSources.
bool IsUsableSource(const CRoad& road);
// The same for a tunnel's mouths, whose pieces are its lanes.
bool IsUsableSource(const CTunnel& tunnel);

// Area, air, base height and receiver grid are finite.
bool HasFiniteSettings(const CProjectSettings& settings);

// The first entity or setting the engine cannot use, as the message to show
// ("도로 2의 ..."); empty when everything is usable. Night powers count where a road or
// tunnel has its own, and a night traffic ratio must be a number of at least 0. Buildings are checked as their input
// window checks them (FindUnusableBuilding), then the façade receiver settings and count
// (FindUnusableFacade), then that no receiver stands inside a building or on its walls. Roads and tunnels without
// geometry or pieces (start equal to end, no sources) are left to the engine's own
// rules and are not reported here.
std::string FindUnusableInput(const CMyTalvoDoc& doc);
