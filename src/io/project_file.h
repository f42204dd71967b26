#pragma once

// Opening and saving a project file. Open reads either the key form or the older
// line form; save always writes the key form.

#include <string>

class CMyTalvoDoc;

struct CFileResult {
    bool ok = true;
    std::string message;  // the text to show the user when ok is false
    // Set when the file opened but a value of it was left out; the caller shows it
    // before the project is used.
    std::string notice{};
};

// Reads the project at path into doc. When it fails, doc is left exactly as it was.
// Refuses, with a message naming what is wrong, a file over kMaxProjectFileBytes, a
// line over kMaxLineBytes, more than kMaxEntitiesPerKind entities of one kind, and a
// road or tunnel with more than kMaxDiscreteSources sources or lanes. A coordinate
// system that is no EPSG code ("좌표계", model/crs_code.h) is left out, with a notice.
CFileResult OpenProject(CMyTalvoDoc& doc, const std::string& path);

// Writes doc to path in the key form. The previous file at path survives any failure.
// Refuses (with a message) to write a file that OpenProject would refuse: over
// kMaxProjectFileBytes, or with a line over kMaxLineBytes (a text of tens of thousands
// of characters); and refuses, naming the entity and the field, a number whose text is
// longer than the reader keeps (it would open as another number).
CFileResult SaveProject(const CMyTalvoDoc& doc, const std::string& path);
