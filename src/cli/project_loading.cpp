#include "cli/project_loading.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "gis/gis_crs.h"
#include "io/project_file.h"
#include "model/document.h"

void LoadProjectOrFail(CMyTalvoDoc& doc, const std::string& path, const std::string& command)
{
    const CFileResult opened = OpenProject(doc, path);
    if (opened.ok) {
        TellWhatTheOpenLeftOut(doc, opened, command, path);
        return;
    }
    std::cerr << "talvo-cli " << command << ": " << path << ": " << opened.message << '\n';
    throw CLI::RuntimeError(1);
}

void TellWhatTheOpenLeftOut(CMyTalvoDoc& doc, const CFileResult& opened, const std::string& command,
                            const std::string& path)
{
    for (const std::string& notice : {opened.notice, DropUnacceptedCrs(doc.m_settings)})
        if (!notice.empty())
            std::cerr << "talvo-cli " << command << ": " << path << ": " << notice << '\n';
}

void PrintMessages(const std::vector<std::string>& messages)
{
    for (const std::string& message : messages)
        std::cerr << message << '\n';
}

int ReceiverIndexFromNumber(const CMyTalvoDoc& doc, long long number)
{
    if (number < 1 || number > static_cast<long long>(doc.m_arrReceiver.size()))
        return -1;
    return static_cast<int>(number - 1);
}

namespace {

bool ParseFinite(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

}  // namespace

const CLI::Validator kFiniteNumber(
    [](std::string& text) {
        double value = 0;
        return ParseFinite(text, value) ? std::string() : "'" + text + "' is not a finite number";
    },
    "NUMBER");

bool ParsePoint(const std::string& text, double& x, double& y)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    return ParseFinite(text.substr(0, comma), x) && ParseFinite(text.substr(comma + 1), y);
}
