#include "io/project_file.h"

#include "model/document.h"

CFileResult OpenProject(CMyTalvoDoc&, const std::string&) { return {false, "not yet available"}; }

CFileResult SaveProject(const CMyTalvoDoc&, const std::string&) { return {false, "not yet available"}; }
