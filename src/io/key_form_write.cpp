// Writing the key form: sections and keys in the order the format fixes.
#include <initializer_list>
#include <string>

#include "io/key_form.h"
#include "io/key_form_buildings.h"
#include "io/key_form_limits.h"
#include "io/key_form_names.h"
#include "io/number_text.h"
#include "model/document.h"

using namespace keyform;

namespace {

// The bytes of the well-formed UTF-8 character at text[i] (no overlong form, no
// surrogate, nothing past U+10FFFF), 0 when none starts there.
std::size_t Utf8CharAt(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
    const unsigned char lead = byte(0);
    const std::size_t len = lead >= 0xC2 && lead <= 0xDF   ? 2
                            : lead >= 0xE0 && lead <= 0xEF ? 3
                            : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                           : 0;
    // The second byte's range where the lead byte narrows it.
    const unsigned char lo = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (len == 0 || byte(1) < lo || byte(1) > hi)
        return 0;
    for (std::size_t k = 2; k < len; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    return len;
}

// The values "%lf" each, '/' between them.
template <class Values>
std::string JoinDoubles(const Values& values)
{
    std::string list;
    for (double v : values)
        list += (list.empty() ? "" : "/") + FormatDouble(v);
    return list;
}

std::string Doubles(std::initializer_list<double> values) { return JoinDoubles(values); }

void WriteSettings(CIniFile& ini, const CMyTalvoDoc& doc)
{
    const CProjectSettings& s = doc.m_settings;
    const int counts[] = {static_cast<int>(doc.m_arrRoad.size()),     static_cast<int>(doc.m_arrBarrier.size()),
                          static_cast<int>(doc.m_arrReceiver.size()), static_cast<int>(doc.m_arrEmbankment.size()),
                          static_cast<int>(doc.m_arrCutting.size()),  static_cast<int>(doc.m_arrTunnel.size())};
    std::string countList;
    for (int c : counts)
        countList += (countList.empty() ? "" : "/") + FormatInt(c);

    ini.Write(kSettings, kProgramName, kProgramNameValue);
    ini.Write(kSettings, kVersion, FormatDouble(doc.m_dVersion));
    ini.Write(kSettings, kProjectName, KeyFormText(s.m_strProjectName));
    ini.Write(kSettings, kAir, Doubles({s.m_dTemperature, s.m_dHumidity, s.m_dPressure}));
    // The flag follows the rule the result display uses (the in-file flag or a
    // calculation's records), so results read from a file survive a save. Stale results,
    // and results computed with excluded barriers, are not saved: the format has no mark
    // for either.
    ini.Write(kSettings, kArea,
              Doubles({s.m_dAreaStartX, s.m_dAreaEndX, s.m_dAreaStartY, s.m_dAreaEndY}) + "/" +
                  FormatInt(doc.HasResultsToSave() ? 1 : 0));
    ini.Write(kSettings, kSection, Doubles({s.m_dSectionX, s.m_dSectionY}) + "/" + FormatInt(s.m_nSectionAxis));
    ini.Write(kSettings, kCounts, countList);
    if (!s.m_strCrs.empty())
        ini.Write(kSettings, kCrs, KeyFormText(s.m_strCrs));
    if (s.m_dNightTrafficRatio)
        ini.Write(kSettings, kNightTrafficRatio, FormatDouble(*s.m_dNightTrafficRatio));
}

// All five classes in five-class mode. In two-class mode the first two, so that the
// traffic of such a road or tunnel survives a save and reopen.
template <typename Entity>
void WriteVehicleKeys(CIniFile& ini, const std::string& section, const Entity& e)
{
    const int classes = e.m_nVehicleClassMode == 1 ? kVehicleClassCount : 2;
    for (int c = 0; c < classes; ++c)
        ini.Write(section, kVehicleKeys[c], Doubles({e.m_dSpeed[c], e.m_dVolume[c]}));
}

// The night traffic (the day's keys and class-mode rule) and the night powers, each only
// when the road or tunnel has them.
template <typename Entity>
void WriteNightKeys(CIniFile& ini, const std::string& section, const Entity& e)
{
    const int classes = e.m_nVehicleClassMode == 1 ? kVehicleClassCount : 2;
    if (e.m_bNightTraffic)
        for (int c = 0; c < classes; ++c)
            ini.Write(section, std::string(kNightPrefix) + kVehicleKeys[c],
                      Doubles({e.m_dNightSpeed[c], e.m_dNightVolume[c]}));
    if (e.m_bNightPower)
        ini.Write(section, kNightUserPower, KeyFormBandList(e.m_dNightPowerLevel));
}

void WriteRoad(CIniFile& ini, const std::string& section, const CRoad& r)
{
    ini.Write(section, kRoadDescription, KeyFormText(r.m_pDescription));
    ini.Write(section, kRoadStart, Doubles({r.m_dStartX, r.m_dStartY, r.m_dStartZ}));
    ini.Write(section, kRoadEnd, Doubles({r.m_dEndX, r.m_dEndY, r.m_dEndZ}));
    ini.Write(section, kRoadWidth, FormatDouble(r.m_dWidth));
    ini.Write(section, kSourceCount, FormatInt(r.m_nSourceCount));
    ini.Write(section, kPavement, FormatInt(r.m_nPavementState) + "/" + FormatInt(r.m_nPavementDetail));
    ini.Write(section, kGradient, FormatDouble(r.m_dGradient));
    ini.Write(section, kRoadInfo, FormatInt(r.m_nRoadInfo));
    ini.Write(section, kBridgeType, FormatInt(r.m_nBridgeType));
    ini.Write(section, kLeftAttenuator, FormatInt(r.m_nLeftAttenuator));
    ini.Write(section, kLeftHeight, FormatDouble(r.m_dLeftBarrierHeight));
    ini.Write(section, kCentreAttenuator, FormatInt(r.m_nCentreAttenuator));
    ini.Write(section, kCentreHeight, FormatDouble(r.m_dCentreBarrierHeight));
    ini.Write(section, kRightAttenuator, FormatInt(r.m_nRightAttenuator));
    ini.Write(section, kRightHeight, FormatDouble(r.m_dRightBarrierHeight));
    ini.Write(section, kLeftAbsorption, KeyFormBandList(r.m_dLeftAbsorption));
    ini.Write(section, kCentreAbsorption, KeyFormBandList(r.m_dCentreAbsorption));
    ini.Write(section, kRightAbsorption, KeyFormBandList(r.m_dRightAbsorption));
    ini.Write(section, kClassMode, FormatInt(r.m_nVehicleClassMode));
    WriteVehicleKeys(ini, section, r);
    ini.Write(section, kCorrection, KeyFormBandList(r.m_dCorrection));
    ini.Write(section, kUserPower, KeyFormBandList(r.m_dUserPowerLevel));
    WriteNightKeys(ini, section, r);
}

void WriteBarrier(CIniFile& ini, const std::string& section, const CBarrier_Stage& b)
{
    ini.Write(section, kBarrierDescription, KeyFormText(b.m_pDescription));
    ini.Write(section, kBarrierStart, Doubles({b.m_dStartX, b.m_dStartY}));
    ini.Write(section, kBarrierEnd, Doubles({b.m_dEndX, b.m_dEndY}));
    ini.Write(section, kBarrierHeight, FormatDouble(b.m_dHeight));
    ini.Write(section, kAttenuator, FormatInt(b.m_nAttenuator));
    ini.Write(section, kAbsorptionDescription, KeyFormText(b.m_pAbsorptionDesc));
    ini.Write(section, kAbsorption, KeyFormBandList(b.m_dAbsorption));
}

void WriteSlope(CIniFile& ini, const std::string& section, const std::string& prefix, const CSlope& s)
{
    ini.Write(section, prefix + kSlopeDescription, KeyFormText(s.m_pDescription));
    ini.Write(section, prefix + kSlopeStart, Doubles({s.m_dStartX, s.m_dStartY}));
    ini.Write(section, prefix + kSlopeEnd, Doubles({s.m_dEndX, s.m_dEndY}));
    ini.Write(section, prefix + kSlopeHeight, FormatDouble(s.m_dHeight));
    ini.Write(section, prefix + kSlopeWidth, FormatDouble(s.m_dWidth));
    ini.Write(section, prefix + kSlopeDirection, FormatInt(s.m_nDirection));
    ini.Write(section, kAbsorption, KeyFormBandList(s.m_dAbsorption));
}

void WriteTunnel(CIniFile& ini, const std::string& section, const CTunnel& t)
{
    ini.Write(section, kTunnelDescription, KeyFormText(t.m_pDescription));
    ini.Write(section, kTunnelStart, Doubles({t.m_dStartX, t.m_dStartY, t.m_dStartZ}));
    ini.Write(section, kTunnelEnd, Doubles({t.m_dEndX, t.m_dEndY, t.m_dEndZ}));
    ini.Write(section, kLaneCount, FormatInt(t.m_nLaneCount));
    ini.Write(section, kPavement, FormatInt(t.m_nPavementState) + "/" + FormatInt(t.m_nPavementDetail));
    ini.Write(section, kGradient, FormatDouble(t.m_dGradient));
    ini.Write(section, kTunnelForm, FormatInt(t.m_nTunnelForm));
    ini.Write(section, kWallMaterial, FormatInt(t.m_nWallMaterial));
    ini.Write(section, kTunnelWidth, FormatDouble(t.m_dWidth));
    ini.Write(section, kTunnelHeight, FormatDouble(t.m_dHeight));
    ini.Write(section, kClassMode, FormatInt(t.m_nVehicleClassMode));
    WriteVehicleKeys(ini, section, t);
    ini.Write(section, kUserPower, KeyFormBandList(t.m_dUserPowerLevel));
    WriteNightKeys(ini, section, t);
}

void WriteReceiver(CIniFile& ini, const std::string& section, const CReceiverPoint& p)
{
    ini.Write(section, kReceiver,
              Doubles({p.m_dX, p.m_dY, p.m_dZ, p.m_dGroundFactor, p.m_dAreaFactor}) + "/" + FormatInt(p.m_nOptTarget) +
                  "/" + FormatDouble(p.m_dTargetLevel));
}

// Writes one section per element of entities, numbered from 1 with the given prefix.
template <typename Entity, typename WriteFn>
void WriteAll(CIniFile& ini, const std::vector<Entity>& entities, const char* prefix, WriteFn write)
{
    for (std::size_t i = 0; i < entities.size(); ++i)
        write(ini, KeyFormSection(prefix, i), entities[i]);
}

}  // namespace

std::string KeyFormBandList(const Bands& bands) { return JoinDoubles(bands); }

std::string KeyFormSection(const char* prefix, std::size_t index) { return prefix + std::to_string(index + 1); }

CIniFile WriteKeyForm(const CMyTalvoDoc& doc)
{
    CIniFile ini;
    WriteSettings(ini, doc);
    WriteAll(ini, doc.m_arrRoad, kRoadSection, WriteRoad);
    WriteAll(ini, doc.m_arrBarrier, kBarrierSection, WriteBarrier);
    WriteAll(ini, doc.m_arrEmbankment, kEmbankmentSection,
             [](CIniFile& f, const std::string& s, const CSungto& e) { WriteSlope(f, s, kEmbankmentPrefix, e); });
    WriteAll(ini, doc.m_arrCutting, kCuttingSection,
             [](CIniFile& f, const std::string& s, const CJulto& c) { WriteSlope(f, s, kCuttingPrefix, c); });
    WriteAll(ini, doc.m_arrTunnel, kTunnelSection, WriteTunnel);
    WriteAll(ini, doc.m_arrReceiver, kReceiverSection, WriteReceiver);
    WriteBuildings(ini, doc);
    WriteLimitKeys(ini, doc);
    if (doc.HasResultsToSave())
        WriteAll(ini, doc.m_arrReceiver, kResultSection,
                 [](CIniFile& f, const std::string& s, const CReceiverPoint& p) {
                     f.Write(s, kPrediction, KeyFormBandList(p.m_dLevel));
                 });
    return ini;
}

std::string KeyFormText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += (c < 0x20 && c != '\t') || c == 0x7F ? ' ' : char(c);
            ++i;
        } else if (const std::size_t len = Utf8CharAt(text, i); len > 0) {
            out.append(text.substr(i, len));
            i += len;
        } else {
            out += '?';
            ++i;
        }
    }
    return out;
}

double KeyFormVersion(const CIniFile& ini) { return TextToDouble(ini.Read(kSettings, kVersion, "0")); }

std::string FindUnreadableNumber(const CIniFile& ini)
{
    std::string found;
    ini.ForEachKey([&found](std::string_view section, std::string_view key, std::string_view value) {
        if (found.empty() && !IsTextKey(key) && CIniFile::CharCount(value) > CIniFile::kMaxValueChars)
            found = std::string(section) + "의 \"" + std::string(key) + "\" 값이 " +
                    std::to_string(CIniFile::kMaxValueChars) +
                    "자보다 길어 파일을 다시 열면 다른 숫자가 됩니다. 너무 큰 값을 고친 뒤 저장하십시오.";
    });
    return found;
}
