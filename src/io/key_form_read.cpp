// Reading the key form. Every key is looked up by section and name; what is missing
// reads as its default (an empty text, 0 for every number and list item).
#include <array>
#include <string>

#include "io/file_limits.h"
#include "io/key_form.h"
#include "io/key_form_buildings.h"
#include "io/key_form_limits.h"
#include "io/key_form_names.h"
#include "io/number_text.h"
#include "io/read_heights.h"
#include "model/document.h"

using namespace keyform;

namespace {

// The keys of one section.
class CSectionReader {
public:
    CSectionReader(const CIniFile& ini, std::string section) : m_ini(ini), m_section(std::move(section)) {}

    std::string Text(const std::string& key) const { return m_ini.Read(m_section, key, ""); }
    bool Has(const std::string& key) const { return m_ini.HasKey(m_section, key); }
    // A single "%lf" key.
    double Double(const std::string& key) const { return TextToDouble(Text(key)); }
    // A single "%d" key: the text-to-integer conversion, "3.9" gives 3.
    int Int(const std::string& key) const { return TextToInt(Text(key)); }
    // Item n of a list key; integer items are truncated toward zero.
    double Item(const std::string& key, int n) const { return ValueItem(Text(key), n); }
    int ItemInt(const std::string& key, int n) const { return ValueItemInt(Text(key), n); }
    Bands BandList(const std::string& key) const
    {
        const std::string value = Text(key);
        Bands bands{};
        for (int b = 0; b < kBandCount; ++b)
            bands[b] = ValueItem(value, b);
        return bands;
    }

private:
    const CIniFile& m_ini;
    std::string m_section;
};

CSectionReader Numbered(const CIniFile& ini, const char* prefix, int index)
{
    return CSectionReader(ini, prefix + std::to_string(index + 1));
}

void ReadSettings(const CSectionReader& in, CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    s.m_strProjectName = in.Text(kProjectName);
    s.m_dTemperature = in.Item(kAir, 0);
    s.m_dHumidity = in.Item(kAir, 1);
    s.m_dPressure = in.Item(kAir, 2);
    s.m_dAreaStartX = in.Item(kArea, 0);
    s.m_dAreaEndX = in.Item(kArea, 1);
    s.m_dAreaStartY = in.Item(kArea, 2);
    s.m_dAreaEndY = in.Item(kArea, 3);
    doc.m_nCalculatedInFile = in.ItemInt(kArea, 4);
    s.m_dSectionX = in.Item(kSection, 0);
    s.m_dSectionY = in.Item(kSection, 1);
    s.m_nSectionAxis = in.ItemInt(kSection, 2);
    s.m_strCrs = in.Text(kCrs);
    if (in.Has(kNightTrafficRatio))
        s.m_dNightTrafficRatio = in.Double(kNightTrafficRatio);
}

// The five vehicle keys of a five-class road or tunnel.
template <typename Entity>
void ReadFiveClasses(const CSectionReader& in, Entity& e)
{
    for (int c = 0; c < kVehicleClassCount; ++c) {
        e.m_dSpeed[c] = in.Item(kVehicleKeys[c], 0);
        e.m_dVolume[c] = in.Item(kVehicleKeys[c], 1);
    }
}

void ReadRoadTraffic(const CSectionReader& in, CRoad& r)
{
    if (r.m_nVehicleClassMode == 1) {
        ReadFiveClasses(in, r);
        return;
    }
    // Two-class roads: the first two classes, 0 in files written without their keys.
    r.SetTwoClasses(in.Item(kVehicleKeys[0], 0), in.Item(kVehicleKeys[1], 0), in.Item(kVehicleKeys[0], 1),
                    in.Item(kVehicleKeys[1], 1));
}

void ReadTunnelTraffic(const CSectionReader& in, CTunnel& t)
{
    if (t.m_nVehicleClassMode == 1) {
        ReadFiveClasses(in, t);
        return;
    }
    for (int c = 0; c < 2; ++c) {
        if (!in.Has(kVehicleKeys[c]))
            continue;
        t.m_dSpeed[c] = in.Item(kVehicleKeys[c], 0);
        t.m_dVolume[c] = in.Item(kVehicleKeys[c], 1);
    }
}

// The night traffic when any of its keys for the class mode is there (speeds and volumes
// of missing ones 0), and the night powers when their key is.
template <typename Entity>
void ReadNight(const CSectionReader& in, Entity& e)
{
    const int classes = e.m_nVehicleClassMode == 1 ? kVehicleClassCount : 2;
    for (int c = 0; c < classes; ++c) {
        const std::string key = std::string(kNightPrefix) + kVehicleKeys[c];
        e.m_bNightTraffic = e.m_bNightTraffic || in.Has(key);
        e.m_dNightSpeed[c] = in.Item(key, 0);
        e.m_dNightVolume[c] = in.Item(key, 1);
    }
    e.m_bNightPower = in.Has(kNightUserPower);
    if (e.m_bNightPower)
        e.m_dNightPowerLevel = in.BandList(kNightUserPower);
}

void ReadRoadBridgeBarriers(const CSectionReader& in, CRoad& r)
{
    r.m_nLeftAttenuator = in.Int(kLeftAttenuator);
    r.m_nCentreAttenuator = in.Int(kCentreAttenuator);
    r.m_nRightAttenuator = in.Int(kRightAttenuator);
    r.m_dLeftBarrierHeight = in.Double(kLeftHeight);
    r.m_dCentreBarrierHeight = in.Double(kCentreHeight);
    r.m_dRightBarrierHeight = in.Double(kRightHeight);
    r.m_dLeftAbsorption = in.BandList(kLeftAbsorption);
    r.m_dCentreAbsorption = in.BandList(kCentreAbsorption);
    r.m_dRightAbsorption = in.BandList(kRightAbsorption);
}

CRoad ReadRoad(const CSectionReader& in)
{
    CRoad r;
    r.SetDescription(in.Text(kRoadDescription));
    r.SetGeometry(in.Item(kRoadStart, 0), in.Item(kRoadStart, 1), in.Item(kRoadEnd, 0), in.Item(kRoadEnd, 1),
                  in.Item(kRoadStart, 2), in.Item(kRoadEnd, 2), in.Double(kRoadWidth), 0, in.Int(kSourceCount));
    r.m_dLength = r.Length3D();
    r.SetPavement(in.Int(kClassMode), in.ItemInt(kPavement, 0), in.ItemInt(kPavement, 1));
    r.m_dGradient = in.Double(kGradient);
    ReadRoadTraffic(in, r);
    r.m_nRoadInfo = in.Int(kRoadInfo);
    r.m_nBridgeType = in.Int(kBridgeType);
    ReadRoadBridgeBarriers(in, r);
    r.m_dCorrection = in.BandList(kCorrection);
    r.SetUserPowerLevels(in.BandList(kUserPower));
    ReadNight(in, r);
    r.SetKey(r.MakeIdentity());
    r.ComputeAngle();
    return r;
}

CBarrier_Stage ReadBarrier(const CSectionReader& in)
{
    CBarrier_Stage b;
    b.SetDescription(in.Text(kBarrierDescription));
    b.SetAbsorptionDesc(in.Text(kAbsorptionDescription));
    b.SetGeometry(in.Item(kBarrierStart, 0), in.Item(kBarrierStart, 1), in.Item(kBarrierEnd, 0),
                  in.Item(kBarrierEnd, 1), in.Double(kBarrierHeight), in.Int(kAttenuator));
    b.SetAbsorption(in.BandList(kAbsorption));
    b.m_pKey = b.MakeIdentity();
    b.ComputeAngle();
    return b;
}

template <typename Slope>
Slope ReadSlope(const CSectionReader& in, const std::string& prefix)
{
    Slope s;
    s.SetDescription(in.Text(prefix + kSlopeDescription));
    s.SetGeometry(in.Item(prefix + kSlopeStart, 0), in.Item(prefix + kSlopeStart, 1), in.Item(prefix + kSlopeEnd, 0),
                  in.Item(prefix + kSlopeEnd, 1), in.Double(prefix + kSlopeHeight), in.Double(prefix + kSlopeWidth), 0);
    s.m_dLength = s.PlanLength();
    s.m_nDirection = in.Int(prefix + kSlopeDirection);
    s.m_dAbsorption = in.BandList(kAbsorption);
    s.SetKey(s.MakeIdentity());
    s.ComputeAngle();
    return s;
}

CTunnel ReadTunnel(const CSectionReader& in)
{
    CTunnel t;
    t.m_pDescription = in.Text(kTunnelDescription);
    t.m_dStartX = in.Item(kTunnelStart, 0);
    t.m_dStartY = in.Item(kTunnelStart, 1);
    t.m_dStartZ = in.Item(kTunnelStart, 2);
    t.m_dEndX = in.Item(kTunnelEnd, 0);
    t.m_dEndY = in.Item(kTunnelEnd, 1);
    t.m_dEndZ = in.Item(kTunnelEnd, 2);
    t.m_dLength = t.Length3D();
    t.m_dWidth = in.Double(kTunnelWidth);
    t.m_dHeight = in.Double(kTunnelHeight);
    t.m_nLaneCount = in.Int(kLaneCount);
    t.m_nTunnelForm = in.Int(kTunnelForm);
    t.m_nWallMaterial = in.Int(kWallMaterial);
    t.m_nVehicleClassMode = in.Int(kClassMode);
    t.m_nPavementState = in.ItemInt(kPavement, 0);
    t.m_nPavementDetail = in.ItemInt(kPavement, 1);
    t.m_dGradient = in.Double(kGradient);
    ReadTunnelTraffic(in, t);
    t.m_dUserPowerLevel = in.BandList(kUserPower);
    ReadNight(in, t);
    t.m_pKey = t.MakeIdentity();
    t.ComputeAngle();
    return t;
}

CReceiverPoint ReadReceiver(const CSectionReader& in)
{
    CReceiverPoint p;
    p.SetPosition(in.Item(kReceiver, 0), in.Item(kReceiver, 1), in.Item(kReceiver, 2));
    p.SetGroundFactors(in.Item(kReceiver, 3), in.Item(kReceiver, 4));
    p.m_nOptTarget = in.ItemInt(kReceiver, 5);
    p.m_dTargetLevel = in.Item(kReceiver, 6);
    return p;
}

// Reads count sections numbered from 1 with prefix into entities.
template <typename Entity, typename ReadFn>
void ReadAll(const CIniFile& ini, int count, const char* prefix, std::vector<Entity>& entities, ReadFn read)
{
    entities.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        entities.push_back(read(Numbered(ini, prefix, i)));
}

void ReadReceivers(const CIniFile& ini, int count, CMyTalvoDoc& doc)
{
    ReadAll(ini, count, kReceiverSection, doc.m_arrReceiver, ReadReceiver);
    CProjectSettings& s = doc.m_settings;
    s.m_dReceiverHeight = LastReceiverHeight(doc.m_arrReceiver);
    s.m_bReceiverHeightEmpty = doc.m_arrReceiver.empty();
    if (doc.m_nCalculatedInFile != 1)
        return;
    for (int i = 0; i < count; ++i)
        doc.m_arrReceiver[static_cast<std::size_t>(i)].m_dLevel =
            Numbered(ini, kResultSection, i).BandList(kPrediction);
}

// The base height is the lowest cutting height, never above 0.
void ReadCuttings(const CIniFile& ini, int count, CMyTalvoDoc& doc)
{
    ReadAll(ini, count, kCuttingSection, doc.m_arrCutting,
            [](const CSectionReader& in) { return ReadSlope<CJulto>(in, kCuttingPrefix); });
    doc.m_settings.m_dBaseHeight = LowestCuttingHeight(doc.m_arrCutting);
}

// The six counts; negative counts read as 0. False when one is beyond the limit.
bool ReadCounts(const CSectionReader& in, std::array<int, kKindCount>& counts)
{
    for (int k = 0; k < kKindCount; ++k) {
        const int n = in.ItemInt(kCounts, k);
        if (n > kMaxEntitiesPerKind)
            return false;
        counts[static_cast<std::size_t>(k)] = n < 0 ? 0 : n;
    }
    return true;
}

constexpr const char* kSectionPrefixes[kKindCount] = {kRoadSection,       kBarrierSection, kReceiverSection,
                                                      kEmbankmentSection, kCuttingSection, kTunnelSection};
constexpr const char* kKindNames[kKindCount] = {"도로", "방음벽", "수음점", "성토", "절토", "터널"};

// A count beyond the sections present makes entities of default values for the missing
// ones. A few are a file cut short; more missing sections than present ones (beyond
// kMaxMissingSections) are a damaged count, which would cost memory and calculation time
// out of all proportion to the file. Refused before anything is allocated for it.
constexpr int kMaxMissingSections = 100;

std::string CheckCountsAgainstSections(const CIniFile& ini, const std::array<int, kKindCount>& counts)
{
    for (int k = 0; k < kKindCount; ++k) {
        const int count = counts[static_cast<std::size_t>(k)];
        int present = 0;
        for (int i = 0; i < count; ++i)
            present += ini.HasSection(kSectionPrefixes[k] + std::to_string(i + 1));
        if (count - present > present + kMaxMissingSections)
            return std::string("파일이 손상되었습니다. ") + kKindNames[k] + " 수가 " + std::to_string(count) +
                   "개로 되어 있으나 파일에는 " + kKindNames[k] + " " + std::to_string(present) + "개만 있습니다.";
    }
    return {};
}

}  // namespace

CFileResult ReadKeyForm(const CIniFile& ini, CMyTalvoDoc& doc)
{
    const CSectionReader settings(ini, kSettings);
    ReadSettings(settings, doc);
    std::array<int, kKindCount> counts{};
    if (!ReadCounts(settings, counts))
        return {false, kTooManyEntitiesMessage};
    if (std::string refusal = CheckCountsAgainstSections(ini, counts); !refusal.empty())
        return {false, refusal};
    ReadAll(ini, counts[kRoads], kRoadSection, doc.m_arrRoad, ReadRoad);
    ReadAll(ini, counts[kBarriers], kBarrierSection, doc.m_arrBarrier, ReadBarrier);
    ReadReceivers(ini, counts[kReceivers], doc);
    ReadAll(ini, counts[kEmbankments], kEmbankmentSection, doc.m_arrEmbankment,
            [](const CSectionReader& in) { return ReadSlope<CSungto>(in, kEmbankmentPrefix); });
    ReadCuttings(ini, counts[kCuttings], doc);
    ReadAll(ini, counts[kTunnels], kTunnelSection, doc.m_arrTunnel, ReadTunnel);
    if (std::string refusal = ReadBuildings(ini, doc); !refusal.empty())
        return {false, refusal};
    ReadLimitKeys(ini, doc);
    return {};
}
