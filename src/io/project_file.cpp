#include "io/project_file.h"

#include <exception>
#include <utility>

#include "io/codepage.h"
#include "io/file_bytes.h"
#include "io/file_limits.h"
#include "io/ini_file.h"
#include "io/key_form.h"
#include "io/line_form.h"
#include "model/document.h"

namespace {

// Files from this version on are in the key form; older ones in the line form.
constexpr double kKeyFormFirstVersion = 1.4;

// Reads the file at path into loaded, a document with an empty model.
CFileResult LoadInto(CMyTalvoDoc& loaded, const std::string& path)
{
    std::string bytes;
    if (CFileResult read = ReadFileBytes(path, kMaxProjectFileBytes, bytes); !read.ok)
        return read;
    const std::string text = Cp949ToUtf8(bytes);
    const CIniFile ini = CIniFile::Parse(text);
    const double version = KeyFormVersion(ini);
    if (version < kKeyFormFirstVersion) {
        double lineVersion = 0;
        const CFileResult result = ReadLineForm(text, loaded, lineVersion);
        loaded.m_dFileVersion = lineVersion;
        return result;
    }
    loaded.m_dFileVersion = version;
    return ReadKeyForm(ini, loaded);
}

// Replaces the model, the settings and the file state of doc by those just loaded.
// What belongs to the session (optimisation state, tunnel corner work list) stays.
void Adopt(CMyTalvoDoc& doc, CMyTalvoDoc&& loaded)
{
    doc.ClearModel();
    doc.m_arrRoad = std::move(loaded.m_arrRoad);
    doc.m_arrBarrier = std::move(loaded.m_arrBarrier);
    doc.m_arrReceiver = std::move(loaded.m_arrReceiver);
    doc.m_arrEmbankment = std::move(loaded.m_arrEmbankment);
    doc.m_arrCutting = std::move(loaded.m_arrCutting);
    doc.m_arrTunnel = std::move(loaded.m_arrTunnel);
    doc.m_settings = std::move(loaded.m_settings);
    doc.m_nCalculatedInFile = loaded.m_nCalculatedInFile;
    doc.m_dFileVersion = loaded.m_dFileVersion;
    doc.m_arrExcludedBarrier.clear();  // positions in the previous project's barriers
    doc.m_bModified = false;
    doc.MakeBaselineCopies();
}

}  // namespace

CFileResult OpenProject(CMyTalvoDoc& doc, const std::string& path)
{
    try {
        CMyTalvoDoc loaded;
        loaded.m_settings = doc.m_settings;  // what the file does not hold keeps its value
        CFileResult result = LoadInto(loaded, path);
        if (result.ok)
            Adopt(doc, std::move(loaded));
        return result;
    } catch (const std::exception& e) {
        return {false, std::string("파일을 읽을 수 없습니다. (") + e.what() + ")"};
    }
}

CFileResult SaveProject(const CMyTalvoDoc& doc, const std::string& path)
{
    try {
        return ReplaceFileBytes(path, Utf8ToCp949(WriteKeyForm(doc).ToText()));
    } catch (const std::exception& e) {
        return {false, std::string("파일을 저장할 수 없습니다. (") + e.what() + ")"};
    }
}
