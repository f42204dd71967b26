#include "io/key_form_limits.h"

#include <string>

#include "io/key_form.h"
#include "io/key_form_names.h"
#include "io/number_text.h"
#include "model/document.h"
#include "model/noise_limits.h"

using namespace keyform;

namespace {

void WriteZone(CIniFile& ini, const std::string& section, const std::string& zone)
{
    if (!zone.empty())
        ini.Write(section, kZone, KeyFormText(zone));
}

std::optional<double> ReadOptional(const CIniFile& ini, const char* key)
{
    if (!ini.HasKey(kSettings, key))
        return std::nullopt;
    return TextToDouble(ini.Read(kSettings, key, ""));
}

}  // namespace

void WriteLimitKeys(CIniFile& ini, const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    if (s.m_nCriterion != 0)
        ini.Write(kSettings, kCriterion, FormatInt(s.m_nCriterion));
    WriteZone(ini, kSettings, s.m_strZone);
    if (s.m_dUserDayLimit)
        ini.Write(kSettings, kUserDayLimit, FormatDouble(*s.m_dUserDayLimit));
    if (s.m_dUserNightLimit)
        ini.Write(kSettings, kUserNightLimit, FormatDouble(*s.m_dUserNightLimit));
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i)
        WriteZone(ini, KeyFormSection(kReceiverSection, i), doc.m_arrReceiver[i].m_strZone);
    for (std::size_t i = 0; i < doc.m_arrBuilding.size(); ++i)
        WriteZone(ini, KeyFormSection(kBuildingSection, i), doc.m_arrBuilding[i].m_strZone);
}

void ReadLimitKeys(const CIniFile& ini, CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    const int criterion = TextToInt(ini.Read(kSettings, kCriterion, "0"));
    // A criterion this program does not know is none: nothing is judged by a guess.
    s.m_nCriterion = criterion >= 0 && criterion <= static_cast<int>(ECriterion::kUserDefined) ? criterion : 0;
    s.m_strZone = ini.Read(kSettings, kZone, "");
    s.m_dUserDayLimit = ReadOptional(ini, kUserDayLimit);
    s.m_dUserNightLimit = ReadOptional(ini, kUserNightLimit);
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i)
        doc.m_arrReceiver[i].m_strZone = ini.Read(KeyFormSection(kReceiverSection, i), kZone, "");
    for (std::size_t i = 0; i < doc.m_arrBuilding.size(); ++i)
        doc.m_arrBuilding[i].m_strZone = ini.Read(KeyFormSection(kBuildingSection, i), kZone, "");
}
