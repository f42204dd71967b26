#pragma once

// GDAL's DXF reader (3.6, Debian 12) reads a text up to its first NUL byte and never
// returns when that text ends in a carriage return: a DXF cut off just after the "\r" of
// a "\r\n" line end, or cut so in the middle and padded with NULs, would hang the import
// and the desktop with it. GDAL tries that reader on a file the reader that claimed it
// first could not read, whatever its name (a damaged KML, a DXF named .geojson), so any
// layer file whose text so ends is read from a copy in memory whose last line ends.

#include <string>

// Sets copy to the path to open instead of the file's when the file's text (up to a NUL
// byte) ends in a carriage return: a copy of that text and a line feed, under the file's
// name, in GDAL's memory file system, which the caller removes with VSIUnlink. Leaves
// copy empty when the file itself can be opened, or cannot be read (GDAL then says so).
// False when a copy was needed and could not be made.
bool EndedTextCopy(const std::string& path, std::string& copy);
