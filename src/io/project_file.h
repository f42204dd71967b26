#pragma once

// Opening and saving a project file. Open reads either the key form or the older
// line form; save always writes the key form.

#include <string>

class CMyTalvoDoc;

struct CFileResult {
    bool ok = true;
    std::string message;  // the text to show the user when ok is false
};

// Reads the project at path into doc. When it fails, doc is left exactly as it was.
CFileResult OpenProject(CMyTalvoDoc& doc, const std::string& path);

// Writes doc to path in the key form. The previous file at path survives any failure.
CFileResult SaveProject(const CMyTalvoDoc& doc, const std::string& path);
