#include "io/line_form.h"

#include <array>
#include <string>

#include "io/file_limits.h"
#include "io/number_text.h"
#include "io/read_heights.h"
#include "model/document.h"

namespace {

constexpr const char* kProjectInformation = "#project information";
constexpr double kNewestVersion = 1.4;
constexpr double kSixCountVersion = 1.3;
constexpr const char* kHeaderCutMessage = "프로젝트 파일의 형식이 올바르지 않습니다.";
constexpr const char* kResultsWithoutReceiversMessage = "수음점이 없는 프로젝트 파일에 계산 결과가 있습니다.";

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Hands out the lines of a text one by one, without their line ends; never reads past
// the end of the text.
class CLineSource {
public:
    explicit CLineSource(std::string_view text) : m_rest(text) {}

    bool Next(std::string_view& line)
    {
        if (m_rest.empty())
            return false;
        const std::size_t eol = m_rest.find('\n');
        line = m_rest.substr(0, eol);
        m_rest.remove_prefix(eol == std::string_view::npos ? m_rest.size() : eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

private:
    std::string_view m_rest;
};

class CLineFormReader {
public:
    CLineFormReader(std::string_view text, CMyTalvoDoc& doc) : m_lines(text), m_doc(doc) {}

    CFileResult Read(double& version);

private:
    bool Skip()
    {
        std::string_view line;
        return m_lines.Next(line);
    }
    bool Text(std::string& target)
    {
        std::string_view line;
        if (!m_lines.Next(line))
            return false;
        target = std::string(line);
        return true;
    }
    // Runs scan on the numbers of the next line; false at the end of the file.
    template <typename ScanFn>
    bool Scan(ScanFn scan)
    {
        std::string_view line;
        if (!m_lines.Next(line))
            return false;
        CNumberScanner numbers(line);
        scan(numbers);
        return true;
    }
    bool ScanBands(Bands& bands)
    {
        return Scan([&](CNumberScanner& s) {
            for (double& b : bands)
                s.Double(b);
        });
    }

    bool ReadVersion(double& version);
    bool ReadSettings();
    bool ReadCounts(std::array<int, kKindCount>& counts, bool& tooMany);
    template <typename Entity>
    bool ReadTraffic(Entity& e);
    bool ReadTunnelTraffic(CTunnel& t);
    bool ReadRoadPavement(CRoad& r);
    bool ReadRoad(CRoad& r);
    bool ReadBarrier(CBarrier_Stage& b);
    bool ReadSlope(CSlope& s);
    bool ReadTunnel(CTunnel& t);
    bool ReadReceiver(CReceiverPoint& p);
    template <typename Entity, typename ReadFn>
    bool ReadAll(int count, std::vector<Entity>& entities, ReadFn read);
    bool ReadRecords(const std::array<int, kKindCount>& counts);
    CFileResult ReadResults();
    void FinishHeights();

    CLineSource m_lines;
    CMyTalvoDoc& m_doc;
    double m_dVersion = 0;
    bool m_bVersionLine = false;
};

// Line 1 is a comment; line 2 is "#project information" or the version, which is then
// followed by the "#project information" line.
bool CLineFormReader::ReadVersion(double& version)
{
    std::string_view line;
    if (!Skip() || !m_lines.Next(line))
        return false;
    m_bVersionLine = TrimBlanks(line) != kProjectInformation;
    version = m_bVersionLine ? TextToDouble(line) : 0.0;
    return true;
}

// Numbers missing from a settings line leave those settings as they were. The line form
// has no coordinate system: its projects are in local metres.
bool CLineFormReader::ReadSettings()
{
    CProjectSettings& s = m_doc.m_settings;
    s.m_strCrs.clear();
    return Text(s.m_strProjectName) && Scan([&](CNumberScanner& n) {
               n.Double(s.m_dTemperature) && n.Double(s.m_dHumidity) && n.Double(s.m_dPressure);
           }) &&
           Scan([&](CNumberScanner& n) {
               n.Double(s.m_dAreaStartX) && n.Double(s.m_dAreaEndX) && n.Double(s.m_dAreaStartY) &&
                   n.Double(s.m_dAreaEndY);
           }) &&
           Scan([&](CNumberScanner& n) {
               n.Int(s.m_nSectionAxis) && n.Double(s.m_dSectionX) && n.Double(s.m_dSectionY);
           }) &&
           Skip();
}

// Six counts in a version 1.3 file, else three (roads, barriers, receivers).
bool CLineFormReader::ReadCounts(std::array<int, kKindCount>& counts, bool& tooMany)
{
    const int present = m_dVersion == kSixCountVersion ? kKindCount : 3;
    counts.fill(0);
    const bool read = Scan([&](CNumberScanner& n) {
        for (int k = 0; k < present; ++k)
            n.Int(counts[static_cast<std::size_t>(k)]);
    });
    tooMany = false;
    for (int& c : counts) {
        tooMany = tooMany || c > kMaxEntitiesPerKind;
        c = c < 0 ? 0 : c;
    }
    return read;
}

// Five "speed volume" lines in five-class mode, else two for the first two classes.
template <typename Entity>
bool CLineFormReader::ReadTraffic(Entity& e)
{
    const int classes = e.m_nVehicleClassMode == 1 ? kVehicleClassCount : 2;
    for (int c = 0; c < classes; ++c)
        if (!Scan([&](CNumberScanner& n) { n.Double(e.m_dSpeed[c]) && n.Double(e.m_dVolume[c]); }))
            return false;
    return true;
}

// A two-class tunnel takes no traffic from its two lines: they are read past.
bool CLineFormReader::ReadTunnelTraffic(CTunnel& t)
{
    if (t.m_nVehicleClassMode == 1)
        return ReadTraffic(t);
    return Skip() && Skip();
}

bool CLineFormReader::ReadRoadPavement(CRoad& r)
{
    return Scan([&](CNumberScanner& n) {
        int skipped = 0;
        n.Int(r.m_nPavementState) && n.Int(r.m_nPavementDetail);
        if (m_dVersion == kSixCountVersion)
            n.Int(r.m_nVehicleClassMode) && n.Double(r.m_dGradient);
        else
            n.Int(skipped) && n.Int(r.m_nVehicleClassMode);
    });
}

bool CLineFormReader::ReadRoad(CRoad& r)
{
    const bool v13 = m_dVersion == kSixCountVersion;
    const bool ok = Skip() && Text(r.m_pDescription) && Scan([&](CNumberScanner& n) {
                        n.Double(r.m_dStartX) && n.Double(r.m_dStartY) && n.Double(r.m_dStartZ) &&
                            n.Double(r.m_dEndX) && n.Double(r.m_dEndY) && n.Double(r.m_dEndZ);
                    }) &&
                    Scan([&](CNumberScanner& n) { n.Double(r.m_dWidth) && n.Int(r.m_nSourceCount); }) &&
                    ReadRoadPavement(r) && ReadTraffic(r) &&
                    (!v13 || Scan([&](CNumberScanner& n) { n.Int(r.m_nRoadInfo) && n.Int(r.m_nBridgeType); })) &&
                    (!v13 || ScanBands(r.m_dCorrection)) && ScanBands(r.m_dUserPowerLevel);
    r.m_dLength = r.Length3D();
    r.SetKey(r.MakeIdentity());
    r.ComputeAngle();
    return ok;
}

bool CLineFormReader::ReadBarrier(CBarrier_Stage& b)
{
    const bool ok = Skip() && Text(b.m_pDescription) && Scan([&](CNumberScanner& n) {
                        n.Double(b.m_dStartX) && n.Double(b.m_dStartY) && n.Double(b.m_dEndX) && n.Double(b.m_dEndY) &&
                            n.Double(b.m_dHeight);
                    }) &&
                    Text(b.m_pAbsorptionDesc) && ScanBands(b.m_dAbsorption);
    b.m_pKey = b.MakeIdentity();
    b.ComputeAngle();
    return ok;
}

// The length of an embankment or cutting is taken from the file as it stands.
bool CLineFormReader::ReadSlope(CSlope& s)
{
    const bool ok = Skip() && Text(s.m_pDescription) && Scan([&](CNumberScanner& n) {
                        n.Double(s.m_dStartX) && n.Double(s.m_dStartY) && n.Double(s.m_dEndX) && n.Double(s.m_dEndY) &&
                            n.Double(s.m_dHeight) && n.Double(s.m_dWidth) && n.Double(s.m_dLength) &&
                            n.Int(s.m_nDirection);
                    }) &&
                    ScanBands(s.m_dAbsorption);
    s.SetKey(s.MakeIdentity());
    s.ComputeAngle();
    return ok;
}

bool CLineFormReader::ReadTunnel(CTunnel& t)
{
    const bool ok = Skip() && Text(t.m_pDescription) && Scan([&](CNumberScanner& n) {
                        n.Double(t.m_dStartX) && n.Double(t.m_dStartY) && n.Double(t.m_dStartZ) &&
                            n.Double(t.m_dEndX) && n.Double(t.m_dEndY) && n.Double(t.m_dEndZ);
                    }) &&
                    Scan([&](CNumberScanner& n) {
                        n.Int(t.m_nLaneCount) && n.Double(t.m_dWidth) && n.Double(t.m_dHeight) &&
                            n.Int(t.m_nTunnelForm) && n.Int(t.m_nWallMaterial);
                    }) &&
                    Scan([&](CNumberScanner& n) {
                        n.Int(t.m_nPavementState) && n.Int(t.m_nPavementDetail) && n.Int(t.m_nVehicleClassMode) &&
                            n.Double(t.m_dGradient);
                    }) &&
                    ReadTunnelTraffic(t) && ScanBands(t.m_dUserPowerLevel);
    t.m_dLength = t.Length3D();
    t.m_pKey = t.MakeIdentity();
    t.ComputeAngle();
    return ok;
}

bool CLineFormReader::ReadReceiver(CReceiverPoint& p)
{
    return Skip() && Scan([&](CNumberScanner& n) {
               n.Double(p.m_dX) && n.Double(p.m_dY) && n.Double(p.m_dZ) && n.Double(p.m_dGroundFactor) &&
                   n.Double(p.m_dAreaFactor) && n.Int(p.m_nOptTarget) && n.Double(p.m_dTargetLevel);
           });
}

// Appends count complete records; false when the file ends first (the record cut
// short is dropped).
template <typename Entity, typename ReadFn>
bool CLineFormReader::ReadAll(int count, std::vector<Entity>& entities, ReadFn read)
{
    for (int i = 0; i < count; ++i) {
        Entity e;
        if (!(this->*read)(e))
            return false;
        entities.push_back(std::move(e));
    }
    return true;
}

bool CLineFormReader::ReadRecords(const std::array<int, kKindCount>& counts)
{
    auto readSlope = &CLineFormReader::ReadSlope;
    return ReadAll(counts[kRoads], m_doc.m_arrRoad, &CLineFormReader::ReadRoad) &&
           ReadAll(counts[kBarriers], m_doc.m_arrBarrier, &CLineFormReader::ReadBarrier) &&
           ReadAll<CSungto>(counts[kEmbankments], m_doc.m_arrEmbankment, readSlope) &&
           ReadAll<CJulto>(counts[kCuttings], m_doc.m_arrCutting, readSlope) &&
           ReadAll(counts[kTunnels], m_doc.m_arrTunnel, &CLineFormReader::ReadTunnel) &&
           ReadAll(counts[kReceivers], m_doc.m_arrReceiver, &CLineFormReader::ReadReceiver);
}

// A non-empty line after the receivers begins the result block: per receiver a line
// that is not interpreted (the first is that line) and a line of eight levels.
CFileResult CLineFormReader::ReadResults()
{
    std::string_view line;
    if (!m_lines.Next(line) || TrimBlanks(line).empty())
        return {};
    if (m_doc.m_arrReceiver.empty())
        return {false, kResultsWithoutReceiversMessage};
    m_doc.m_nCalculatedInFile = 1;
    for (std::size_t i = 0; i < m_doc.m_arrReceiver.size(); ++i)
        if ((i > 0 && !Skip()) || !ScanBands(m_doc.m_arrReceiver[i].m_dLevel))
            break;
    return {};
}

// The base height is the lowest cutting height, never above 0; the receiver grid
// height that of the last receiver.
void CLineFormReader::FinishHeights()
{
    CProjectSettings& s = m_doc.m_settings;
    s.m_dBaseHeight = LowestCuttingHeight(m_doc.m_arrCutting);
    s.m_dReceiverHeight = LastReceiverHeight(m_doc.m_arrReceiver);
    s.m_bReceiverHeightEmpty = m_doc.m_arrReceiver.empty();
}

CFileResult CLineFormReader::Read(double& version)
{
    if (!ReadVersion(m_dVersion))
        return {false, kHeaderCutMessage};
    version = m_dVersion;
    if (m_dVersion > kNewestVersion)
        return {false, kVersionTooNewMessage};
    if (m_bVersionLine && !Skip())
        return {false, kHeaderCutMessage};
    std::array<int, kKindCount> counts{};
    bool tooMany = false;
    if (!ReadSettings() || !ReadCounts(counts, tooMany))
        return {false, kHeaderCutMessage};
    if (tooMany)
        return {false, kTooManyEntitiesMessage};
    const bool complete = ReadRecords(counts);
    FinishHeights();
    return complete ? ReadResults() : CFileResult{};
}

}  // namespace

CFileResult ReadLineForm(std::string_view text, CMyTalvoDoc& doc, double& version)
{
    return CLineFormReader(text, doc).Read(version);
}
