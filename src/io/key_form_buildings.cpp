#include "io/key_form_buildings.h"

#include <charconv>

#include "io/file_limits.h"
#include "io/key_form.h"
#include "io/key_form_names.h"
#include "io/number_text.h"
#include "model/document.h"
#include "model/footprint.h"

using namespace keyform;

namespace {

// The shortest text that reads back as the same double: footprints come from surveys
// and GIS layers with more digits than "%lf" keeps.
std::string ExactDouble(double value)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

std::string Section(std::size_t index) { return kBuildingSection + std::to_string(index + 1); }
std::string VertexKey(std::size_t index) { return kBuildingVertex + std::to_string(index + 1); }

bool DefaultFacadeSettings(const CProjectSettings& s)
{
    const CProjectSettings defaults;
    return s.m_dFacadeSpacing == defaults.m_dFacadeSpacing && s.m_dFacadeDistance == defaults.m_dFacadeDistance &&
           s.m_dFacadeHeight == defaults.m_dFacadeHeight;
}

void WriteBuilding(CIniFile& ini, const std::string& section, const CBuilding& b)
{
    ini.Write(section, kBuildingName, KeyFormText(b.m_pName));
    ini.Write(section, kBuildingFloors, FormatInt(b.m_nFloors) + "/" + FormatDouble(b.m_dFloorHeight));
    ini.Write(section, kBuildingGround, FormatDouble(b.m_dGroundFactor) + "/" + FormatDouble(b.m_dAreaFactor));
    ini.Write(section, kAbsorptionDescription, KeyFormText(b.m_pAbsorptionDesc));
    ini.Write(section, kAbsorption, KeyFormBandList(b.m_dAbsorption));
    ini.Write(section, kBuildingVertexCount, FormatInt(static_cast<int>(b.m_arrFootprint.size())));
    for (std::size_t v = 0; v < b.m_arrFootprint.size(); ++v)
        ini.Write(section, VertexKey(v), ExactDouble(b.m_arrFootprint[v].x) + "/" + ExactDouble(b.m_arrFootprint[v].y));
}

// A vertex count beyond the keys present by more than it has, as for entity counts.
constexpr int kMaxMissing = 100;

std::string ReadBuilding(const CIniFile& ini, const std::string& section, std::size_t index, CBuilding& b)
{
    const std::string name = "건물 " + std::to_string(index + 1);
    const int count = TextToInt(ini.Read(section, kBuildingVertexCount, ""));
    if (count > kMaxFootprintVertices)
        return name + "의 꼭짓점이 너무 많습니다. 건물 하나는 " + std::to_string(kMaxFootprintVertices) +
               "개까지의 꼭짓점을 가질 수 있습니다.";
    int present = 0;
    for (int v = 0; v < count; ++v)
        present += ini.HasKey(section, VertexKey(static_cast<std::size_t>(v)));
    if (count - present > present + kMaxMissing)
        return "파일이 손상되었습니다. " + name + "의 꼭짓점 수가 " + std::to_string(count) +
               "개로 되어 있으나 파일에는 " + std::to_string(present) + "개만 있습니다.";
    b.m_pName = ini.Read(section, kBuildingName, "");
    const std::string floors = ini.Read(section, kBuildingFloors, "");
    b.m_nFloors = ValueItemInt(floors, 0);
    b.m_dFloorHeight = ValueItem(floors, 1);
    const std::string ground = ini.Read(section, kBuildingGround, "");
    b.m_dGroundFactor = ValueItem(ground, 0);
    b.m_dAreaFactor = ValueItem(ground, 1);
    b.m_pAbsorptionDesc = ini.Read(section, kAbsorptionDescription, "");
    const std::string absorption = ini.Read(section, kAbsorption, "");
    for (int j = 0; j < kBandCount; ++j)
        b.m_dAbsorption[j] = ValueItem(absorption, j);
    for (int v = 0; v < count; ++v) {
        const std::string xy = ini.Read(section, VertexKey(static_cast<std::size_t>(v)), "");
        b.m_arrFootprint.emplace_back(ValueItem(xy, 0), ValueItem(xy, 1), 0.0);
    }
    b.m_arrFootprint = CleanFootprint(b.m_arrFootprint);
    return {};
}

}  // namespace

void WriteBuildings(CIniFile& ini, const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    if (doc.m_arrBuilding.empty() && DefaultFacadeSettings(s))
        return;
    ini.Write(kSettings, kBuildingCount, FormatInt(static_cast<int>(doc.m_arrBuilding.size())));
    ini.Write(kSettings, kFacadeSettings,
              FormatDouble(s.m_dFacadeSpacing) + "/" + FormatDouble(s.m_dFacadeDistance) + "/" +
                  FormatDouble(s.m_dFacadeHeight));
    for (std::size_t i = 0; i < doc.m_arrBuilding.size(); ++i)
        WriteBuilding(ini, Section(i), doc.m_arrBuilding[i]);
}

std::string ReadBuildings(const CIniFile& ini, CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    if (ini.HasKey(kSettings, kFacadeSettings)) {
        const std::string facade = ini.Read(kSettings, kFacadeSettings, "");
        s.m_dFacadeSpacing = ValueItem(facade, 0);
        s.m_dFacadeDistance = ValueItem(facade, 1);
        s.m_dFacadeHeight = ValueItem(facade, 2);
    }
    const int count = TextToInt(ini.Read(kSettings, kBuildingCount, ""));
    if (count > kMaxEntitiesPerKind)
        return kTooManyEntitiesMessage;
    int present = 0;
    for (int i = 0; i < count; ++i)
        present += ini.HasSection(Section(static_cast<std::size_t>(i)));
    if (count - present > present + kMaxMissing)
        return "파일이 손상되었습니다. 건물 수가 " + std::to_string(count) + "개로 되어 있으나 파일에는 건물 " +
               std::to_string(present) + "개만 있습니다.";
    for (int i = 0; i < count; ++i) {
        CBuilding b;
        if (std::string refusal =
                ReadBuilding(ini, Section(static_cast<std::size_t>(i)), static_cast<std::size_t>(i), b);
            !refusal.empty())
            return refusal;
        doc.m_arrBuilding.push_back(std::move(b));
    }
    return {};
}
