#pragma once

// Buildings in the key form: a count and the façade receiver settings in "설정", then one
// section per building after the receivers. Nothing is written for a project without
// buildings and with the default façade settings, so such files save as they always did.

#include <string>

#include "io/ini_file.h"

class CMyTalvoDoc;

void WriteBuildings(CIniFile& ini, const CMyTalvoDoc& doc);

// Reads the façade settings and the buildings into doc; a refusal message when the count
// or a footprint's vertex count is beyond the limits or asks for far more sections or
// vertices than the file holds, else empty.
std::string ReadBuildings(const CIniFile& ini, CMyTalvoDoc& doc);
