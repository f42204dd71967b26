#pragma once

// The criterion in the key form: the project's criterion, zone and user-defined limits in
// "설정", and the zone of each receiver and building in its own section. Nothing is
// written for what is not set, so projects without a criterion save as they always did.

#include "io/ini_file.h"

class CMyTalvoDoc;

// Adds the keys to the sections WriteKeyForm has already written.
void WriteLimitKeys(CIniFile& ini, const CMyTalvoDoc& doc);
// Reads them into a document whose receivers and buildings have been read.
void ReadLimitKeys(const CIniFile& ini, CMyTalvoDoc& doc);
