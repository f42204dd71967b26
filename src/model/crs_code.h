#pragma once

// The form of a coordinate system the project keeps: an EPSG code such as "EPSG:5186"
// ("EPSG", any case, a colon and up to nine digits). Nothing else is ever handed to PROJ
// from a project file: a PROJ string, a WKT text or a file name can make PROJ open files
// or the network. Whether the code names a projected system in metres is PROJ's to say
// (gis/gis_crs.h). Pure functions; any thread.

#include <string>
#include <string_view>

// True for "EPSG:" followed by one to nine digits.
bool IsCrsCode(std::string_view text);

// The code's number, 0 when text is no code.
int CrsCodeNumber(std::string_view text);

// At most `limit` characters of a UTF-8 text, cut between characters, with "…" when cut,
// and control characters shown as '?': a refused value shown in a message stays one line
// of readable size that cannot steer a terminal.
std::string ShortenedForMessage(std::string_view text, std::size_t limit = 60);
