#include "io/project_file.h"

#include <exception>
#include <string_view>
#include <utility>

#include "io/codepage.h"
#include "io/file_bytes.h"
#include "io/file_limits.h"
#include "io/ini_file.h"
#include "io/key_form.h"
#include "io/line_form.h"
#include "model/crs_code.h"
#include "model/document.h"

namespace {

// Files from this version on are in the key form; older ones in the line form.
constexpr double kKeyFormFirstVersion = 1.4;

static_assert(kMaxDiscreteSources == 100000 && kMaxSections == 700001 && kMaxKeyLines == 4000000,
              "the refusal messages name the limits");

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

// Whether a line would be a section header or a key line of the key-file layer.
struct LineShape {
    bool header = false;
    bool key = false;
};
LineShape ShapeOf(std::string_view line)
{
    while (!line.empty() && IsSpaceOrTab(line.front()))
        line.remove_prefix(1);
    const bool header = !line.empty() && line.front() == '[';
    return {header, !header && line.find('=') != std::string_view::npos};
}

// Refuses a file with a line longer than kMaxLineBytes (line ends not counted), or with
// more section headers or key lines than any real project has.
CFileResult CheckLines(std::string_view bytes)
{
    std::size_t lineNumber = 1, headers = 0, keys = 0;
    while (!bytes.empty()) {
        const std::size_t eol = bytes.find('\n');
        std::string_view line = bytes.substr(0, eol);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kMaxLineBytes)
            return {false, LineTooLongMessage(lineNumber)};
        const LineShape shape = ShapeOf(line);
        if ((headers += shape.header) > kMaxSections)
            return {false, kTooManySectionsMessage};
        if ((keys += shape.key) > kMaxKeyLines)
            return {false, kTooManyKeyLinesMessage};
        bytes.remove_prefix(eol == std::string_view::npos ? bytes.size() : eol + 1);
        ++lineNumber;
    }
    return {};
}

// Refuses a model whose roads or tunnels ask for more source pieces than any real one.
CFileResult CheckSourceCounts(const CMyTalvoDoc& loaded)
{
    for (std::size_t i = 0; i < loaded.m_arrRoad.size(); ++i)
        if (loaded.m_arrRoad[i].m_nSourceCount > kMaxDiscreteSources)
            return {false, TooManySourcesMessage(i + 1, loaded.m_arrRoad[i].m_nSourceCount)};
    for (std::size_t i = 0; i < loaded.m_arrTunnel.size(); ++i)
        if (loaded.m_arrTunnel[i].m_nLaneCount > kMaxDiscreteSources)
            return {false, TooManyLanesMessage(i + 1, loaded.m_arrTunnel[i].m_nLaneCount)};
    return {};
}

std::string NotCp949Message(const char* encoding)
{
    return std::string("CP949(한국어) 코드 페이지의 프로젝트 파일이 아닙니다. 이 파일은 ") + encoding +
           "로 저장되어 있습니다.";
}

// A file an editor saved in UTF-16 or with a UTF-8 mark is refused before reading: read
// as CP949 it would be nonsense, and the message would be about the nonsense.
CFileResult CheckMarkedEncoding(std::string_view bytes)
{
    switch (MarkedForeignEncoding(bytes)) {
    case EForeignEncoding::Utf16: return {false, NotCp949Message("UTF-16")};
    case EForeignEncoding::Utf8Marked: return {false, NotCp949Message("UTF-8")};
    case EForeignEncoding::None: break;
    }
    return {};
}

// Reads the file's bytes (CP949) in whichever form they are into loaded, a document
// with an empty model. A file that is no key form and is UTF-8 text is refused as such.
CFileResult ReadEitherForm(CMyTalvoDoc& loaded, std::string_view bytes)
{
    const std::string text = Cp949ToUtf8(bytes);
    const CIniFile ini = CIniFile::Parse(text);
    const double version = KeyFormVersion(ini);
    if (version < kKeyFormFirstVersion) {
        if (IsUtf8Text(bytes))
            return {false, NotCp949Message("UTF-8")};
        double lineVersion = 0;
        CFileResult result = ReadLineForm(text, loaded, lineVersion);
        loaded.m_dFileVersion = lineVersion;
        return result;
    }
    loaded.m_dFileVersion = version;
    return ReadKeyForm(ini, loaded);
}

// Reads the file at path into loaded, a document with an empty model.
CFileResult LoadInto(CMyTalvoDoc& loaded, const std::string& path)
{
    std::string bytes;
    if (CFileResult read = ReadFileBytes(path, kMaxProjectFileBytes, bytes); !read.ok)
        return read;
    if (CFileResult encoding = CheckMarkedEncoding(bytes); !encoding.ok)
        return encoding;
    if (CFileResult lines = CheckLines(bytes); !lines.ok)
        return lines;
    if (CFileResult read = ReadEitherForm(loaded, bytes); !read.ok)
        return read;
    return CheckSourceCounts(loaded);
}

// A save never writes what the open would refuse: the project would be lost with it.
CFileResult CheckOpenable(const std::string& bytes)
{
    const std::string refusal = "파일을 저장할 수 없습니다. 저장한 파일을 다시 열 수 없기 때문입니다: ";
    if (bytes.size() > kMaxProjectFileBytes)
        return {false, refusal + "파일이 64MB보다 큽니다."};
    if (CFileResult lines = CheckLines(bytes); !lines.ok)
        return {false, refusal + lines.message};
    return {};
}

// A coordinate system given as anything but a code never stays in the project: it would
// reach PROJ, which opens the files and addresses a PROJ string or a WKT text names.
std::string DropCrsThatIsNoCode(CProjectSettings& settings)
{
    if (settings.m_strCrs.empty() || IsCrsCode(settings.m_strCrs))
        return {};
    const std::string notice = "좌표계 값이 EPSG 코드(EPSG:5186 같은)가 아니어서 좌표계 없이 엽니다: " +
                               ShortenedForMessage(settings.m_strCrs);
    settings.m_strCrs.clear();
    return notice;
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
    doc.m_arrBuilding = std::move(loaded.m_arrBuilding);
    doc.m_settings = std::move(loaded.m_settings);
    doc.m_nCalculatedInFile = loaded.m_nCalculatedInFile;
    doc.ResultsMadeCurrent();  // the file's results belong to the file's model
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
        if (result.ok) {
            result.notice = DropCrsThatIsNoCode(loaded.m_settings);
            Adopt(doc, std::move(loaded));
        }
        return result;
    } catch (const std::exception& e) {
        return {false, std::string("파일을 읽을 수 없습니다. (") + e.what() + ")"};
    }
}

CFileResult SaveProject(const CMyTalvoDoc& doc, const std::string& path)
{
    try {
        const CIniFile ini = WriteKeyForm(doc);
        if (std::string unreadable = FindUnreadableNumber(ini); !unreadable.empty())
            return {false, "파일을 저장할 수 없습니다. " + unreadable};
        const std::string bytes = Utf8ToCp949(ini.ToText());
        if (CFileResult openable = CheckOpenable(bytes); !openable.ok)
            return openable;
        return ReplaceFileBytes(path, bytes);
    } catch (const std::exception& e) {
        return {false, std::string("파일을 저장할 수 없습니다. (") + e.what() + ")"};
    }
}
