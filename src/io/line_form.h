#pragma once

// The older line form of the project file (read only): a header with the settings and
// the entity counts, then one record of lines per entity, then optionally a result
// block. Version 1.3 files carry six counts and more road data; earlier files three.

#include <string_view>

#include "io/project_file.h"

class CMyTalvoDoc;

inline constexpr const char* kVersionTooNewMessage = "파일의 버전이 높습니다.";

// Reads text (UTF-8, CR LF or LF line ends) into doc, which must hold an empty model;
// settings not in the file keep their values. version receives the file's version (0
// for a file without a version line). A file that ends inside its records keeps the
// entities completed so far and succeeds. Fails on a version above 1.4, a header cut
// short, a count above kMaxEntitiesPerKind, and a result block without receivers.
CFileResult ReadLineForm(std::string_view text, CMyTalvoDoc& doc, double& version);
