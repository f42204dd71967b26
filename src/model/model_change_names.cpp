#include "model/model_change_names.h"

#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <span>

namespace {

// ---- Values as the input windows show them -------------------------------------------

std::string Fixed(double value, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

std::string Shown(double value) { return Fixed(value, 2); }
std::string Shown(int value) { return std::to_string(value); }
std::string Shown(const std::string& text) { return text; }

std::string Joined(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += part + ' ';
    return text;
}

template <std::size_t N>
std::string Shown(const std::array<double, N>& values)
{
    std::string text;
    for (double value : values)
        text += Shown(value) + ' ';
    return text;
}

std::string Absorption(const Bands& values)
{
    std::string text;
    for (double value : values)
        text += Fixed(value, 3) + ' ';
    return text;
}

// The level row of a road or tunnel window: per metre, "-" for a band without energy.
std::string LevelsPerMetre(const Bands& stored, double length)
{
    std::string text;
    for (double level : PerMetreLevels(stored, length))
        text += FormatLevel(level) + ' ';
    return text;
}

// ---- The fields of each entity kind ----------------------------------------------------

// One field of an input window: its label and its value as the window shows it. Derived
// values (angle, length, identity key) are no fields: they follow the ones shown.
template <class T>
struct CShownField {
    const char* m_szLabel;
    std::string (*m_pShown)(const T&);
};

template <auto Member, class T>
std::string Of(const T& entity)
{
    return Shown(entity.*Member);
}

std::string RoadLevels(const CRoad& r) { return LevelsPerMetre(r.m_dUserPowerLevel, r.m_dLength); }
std::string LeftDeck(const CRoad& r)
{
    return Joined({Shown(r.m_dLeftBarrierHeight), Shown(r.m_nLeftAttenuator), Absorption(r.m_dLeftAbsorption)});
}
std::string CentreDeck(const CRoad& r)
{
    return Joined({Shown(r.m_dCentreBarrierHeight), Shown(r.m_nCentreAttenuator), Absorption(r.m_dCentreAbsorption)});
}
std::string RightDeck(const CRoad& r)
{
    return Joined({Shown(r.m_dRightBarrierHeight), Shown(r.m_nRightAttenuator), Absorption(r.m_dRightAbsorption)});
}
std::string BarrierAbsorption(const CBarrier_Stage& b) { return Absorption(b.m_dAbsorption); }
std::string SlopeAbsorption(const CSlope& s) { return Absorption(s.m_dAbsorption); }
std::string TunnelLevels(const CTunnel& t) { return LevelsPerMetre(t.m_dUserPowerLevel, t.m_dLength); }
// The night panel of a road or tunnel window: a part not ticked shows nothing.
template <class Source>
std::string NightTraffic(const Source& s)
{
    return s.m_bNightTraffic ? Shown(s.m_dNightSpeed) + '/' + Shown(s.m_dNightVolume) : std::string();
}
template <class Source>
std::string NightLevels(const Source& s)
{
    return s.m_bNightPower ? LevelsPerMetre(s.m_dNightPowerLevel, s.m_dLength) : std::string();
}
std::string BuildingAbsorption(const CBuilding& b) { return Absorption(b.m_dAbsorption); }
std::string Footprint(const CBuilding& b)
{
    std::string text;
    for (const CMVector& v : b.m_arrFootprint)
        text += Shown(v.x) + ',' + Shown(v.y) + ' ';
    return text;
}

// The labels of every input window, in the windows' order.
const CShownField<CRoad> kRoadFields[] = {
    {"시작점 X", Of<&CRoad::m_dStartX>},
    {"시작점 Y", Of<&CRoad::m_dStartY>},
    {"시작점 Z", Of<&CRoad::m_dStartZ>},
    {"종료점 X", Of<&CRoad::m_dEndX>},
    {"종료점 Y", Of<&CRoad::m_dEndY>},
    {"종료점 Z", Of<&CRoad::m_dEndZ>},
    {"폭", Of<&CRoad::m_dWidth>},
    {"이산 소음원 개수", Of<&CRoad::m_nSourceCount>},
    {"경사도", Of<&CRoad::m_dGradient>},
    {"포장 상태", Of<&CRoad::m_nPavementState>},
    {"세부 포장 종류", Of<&CRoad::m_nPavementDetail>},
    {"도로 정보", Of<&CRoad::m_nRoadInfo>},
    {"교량 종류", Of<&CRoad::m_nBridgeType>},
    {"좌측방음벽", LeftDeck},
    {"중앙방음벽", CentreDeck},
    {"우측방음벽", RightDeck},
    {"보정치", Of<&CRoad::m_dCorrection>},
    {"차종 분류", Of<&CRoad::m_nVehicleClassMode>},
    {"속도", Of<&CRoad::m_dSpeed>},
    {"차량수", Of<&CRoad::m_dVolume>},
    {"음향파워레벨", RoadLevels},
    {"야간 교통량", NightTraffic<CRoad>},
    {"야간 음향파워레벨", NightLevels<CRoad>},
    {"설명", Of<&CRoad::m_pDescription>},
};

const CShownField<CBarrier_Stage> kBarrierFields[] = {
    {"시작점 X", Of<&CBarrier_Stage::m_dStartX>},
    {"시작점 Y", Of<&CBarrier_Stage::m_dStartY>},
    {"종료점 X", Of<&CBarrier_Stage::m_dEndX>},
    {"종료점 Y", Of<&CBarrier_Stage::m_dEndY>},
    {"높이", Of<&CBarrier_Stage::m_dHeight>},
    {"감쇠기 종류", Of<&CBarrier_Stage::m_nAttenuator>},
    {"흡음률 설명", Of<&CBarrier_Stage::m_pAbsorptionDesc>},
    {"흡음률", BarrierAbsorption},
    {"설명", Of<&CBarrier_Stage::m_pDescription>},
};

// Embankments and cuttings: the height is the window's "Z".
const CShownField<CSlope> kSlopeFields[] = {
    {"시작점 X", Of<&CSlope::m_dStartX>}, {"시작점 Y", Of<&CSlope::m_dStartY>}, {"종료점 X", Of<&CSlope::m_dEndX>},
    {"종료점 Y", Of<&CSlope::m_dEndY>},   {"Z", Of<&CSlope::m_dHeight>},        {"너비", Of<&CSlope::m_dWidth>},
    {"방향", Of<&CSlope::m_nDirection>},  {"흡음률", SlopeAbsorption},          {"설명", Of<&CSlope::m_pDescription>},
};

const CShownField<CTunnel> kTunnelFields[] = {
    {"시작점 X", Of<&CTunnel::m_dStartX>},
    {"시작점 Y", Of<&CTunnel::m_dStartY>},
    {"시작점 Z", Of<&CTunnel::m_dStartZ>},
    {"종료점 X", Of<&CTunnel::m_dEndX>},
    {"종료점 Y", Of<&CTunnel::m_dEndY>},
    {"종료점 Z", Of<&CTunnel::m_dEndZ>},
    {"차선", Of<&CTunnel::m_nLaneCount>},
    {"경사도", Of<&CTunnel::m_dGradient>},
    {"포장 상태", Of<&CTunnel::m_nPavementState>},
    {"세부 포장 종류", Of<&CTunnel::m_nPavementDetail>},
    {"형태", Of<&CTunnel::m_nTunnelForm>},
    {"벽면 재질", Of<&CTunnel::m_nWallMaterial>},
    {"폭", Of<&CTunnel::m_dWidth>},
    {"높이", Of<&CTunnel::m_dHeight>},
    {"차종 분류", Of<&CTunnel::m_nVehicleClassMode>},
    {"속도", Of<&CTunnel::m_dSpeed>},
    {"차량수", Of<&CTunnel::m_dVolume>},
    {"음향파워레벨", TunnelLevels},
    {"야간 교통량", NightTraffic<CTunnel>},
    {"야간 음향파워레벨", NightLevels<CTunnel>},
    {"설명", Of<&CTunnel::m_pDescription>},
};

const CShownField<CReceiverPoint> kReceiverFields[] = {
    {"X", Of<&CReceiverPoint::m_dX>},
    {"Y", Of<&CReceiverPoint::m_dY>},
    {"Z", Of<&CReceiverPoint::m_dZ>},
    {"중간영역 지면계수", Of<&CReceiverPoint::m_dGroundFactor>},
    {"수음영역 지면계수", Of<&CReceiverPoint::m_dAreaFactor>},
    {"목표", Of<&CReceiverPoint::m_dTargetLevel>},
    {"지역", Of<&CReceiverPoint::m_strZone>},
};

const CShownField<CBuilding> kBuildingFields[] = {
    {"층수", Of<&CBuilding::m_nFloors>},
    {"층고", Of<&CBuilding::m_dFloorHeight>},
    {"중간영역 지면계수", Of<&CBuilding::m_dGroundFactor>},
    {"수음영역 지면계수", Of<&CBuilding::m_dAreaFactor>},
    {"흡음률 설명", Of<&CBuilding::m_pAbsorptionDesc>},
    {"흡음률", BuildingAbsorption},
    {"평면", Footprint},
    {"이름", Of<&CBuilding::m_pName>},
    {"지역", Of<&CBuilding::m_strZone>},
};

// Indexed by EEnvField.
const char* const kEnvFieldLabels[] = {
    "프로젝트 정보",
    "온도",
    "습도",
    "기압",
    "계산 영역 X 시작점",
    "계산 영역 X 종료점",
    "계산 영역 Y 시작점",
    "계산 영역 Y 종료점",
    "단면창 X",
    "단면창 Y",
    "수음점 간격",
    "수음점 높이",
    "외벽 수음점 간격",
    "외벽 수음점 거리",
    "외벽 수음점 높이",
};
static_assert(std::size(kEnvFieldLabels) == static_cast<std::size_t>(EEnvField::FacadeHeight) + 1);

// ---- Naming ---------------------------------------------------------------------------

template <class Base>
class CListComparison {
public:
    CListComparison(const char* kind, std::span<const CShownField<Base>> fields) : m_szKind(kind), m_fields(fields) {}

    template <class T>
    std::string Name(const std::vector<T>& before, const std::vector<T>& after) const
    {
        const std::size_t n = before.size(), m = after.size();
        std::size_t head = 0, tail = 0;
        while (head < n && head < m && Same(before[head], after[head]))
            ++head;
        while (tail < n - head && tail < m - head && Same(before[n - 1 - tail], after[m - 1 - tail]))
            ++tail;
        const std::size_t gone = n - head - tail, added = m - head - tail;
        if (gone == 0 && added == 0)
            return Kind() + " 변경";
        if (gone == 0)
            return Counted(added, head, "추가");
        if (added == 0)
            return Counted(gone, head, "삭제");
        if (gone == 1 && added == 1)
            return EntityName(before[head], after[head], head);
        if (gone == added)
            return Counted(Differing(before, after, head, gone), head, "변경");
        return Kind() + " 변경";
    }

private:
    std::string Kind() const { return m_szKind; }
    bool Same(const Base& a, const Base& b) const
    {
        for (const CShownField<Base>& field : m_fields)
            if (field.m_pShown(a) != field.m_pShown(b))
                return false;
        return true;
    }
    // "방음벽 3 추가" for one entity at position, "방음벽 2개 추가" for several.
    std::string Counted(std::size_t count, std::size_t position, const char* verb) const
    {
        if (count == 1)
            return Kind() + ' ' + std::to_string(position + 1) + ' ' + verb;
        return Kind() + ' ' + std::to_string(count) + "개 " + verb;
    }
    template <class T>
    std::size_t Differing(const std::vector<T>& before, const std::vector<T>& after, std::size_t from,
                          std::size_t count) const
    {
        std::size_t differing = 0;
        for (std::size_t i = from; i < from + count; ++i)
            differing += Same(before[i], after[i]) ? 0 : 1;
        return differing;
    }
    // One entity changed in place: by its field when only one changed.
    std::string EntityName(const Base& a, const Base& b, std::size_t position) const
    {
        const char* changed = nullptr;
        for (const CShownField<Base>& field : m_fields) {
            if (field.m_pShown(a) == field.m_pShown(b))
                continue;
            if (changed)
                return Counted(1, position, "변경");
            changed = field.m_szLabel;
        }
        if (!changed)
            return Counted(1, position, "변경");
        return Kind() + ' ' + std::to_string(position + 1) + ' ' + changed + " 변경";
    }

    const char* m_szKind;
    std::span<const CShownField<Base>> m_fields;
};

}  // namespace

std::string ChangeName(const std::vector<CRoad>& before, const std::vector<CRoad>& after)
{
    return CListComparison<CRoad>("도로", kRoadFields).Name(before, after);
}

std::string ChangeName(const std::vector<CBarrier_Stage>& before, const std::vector<CBarrier_Stage>& after)
{
    return CListComparison<CBarrier_Stage>("방음벽", kBarrierFields).Name(before, after);
}

std::string ChangeName(const std::vector<CSungto>& before, const std::vector<CSungto>& after)
{
    return CListComparison<CSlope>("성토", kSlopeFields).Name(before, after);
}

std::string ChangeName(const std::vector<CJulto>& before, const std::vector<CJulto>& after)
{
    return CListComparison<CSlope>("절토", kSlopeFields).Name(before, after);
}

std::string ChangeName(const std::vector<CTunnel>& before, const std::vector<CTunnel>& after)
{
    return CListComparison<CTunnel>("터널", kTunnelFields).Name(before, after);
}

std::string ChangeName(const std::vector<CReceiverPoint>& before, const std::vector<CReceiverPoint>& after)
{
    return CListComparison<CReceiverPoint>("수음점", kReceiverFields).Name(before, after);
}

std::string ChangeName(const std::vector<CBuilding>& before, const std::vector<CBuilding>& after)
{
    return CListComparison<CBuilding>("건물", kBuildingFields).Name(before, after);
}

std::string ChangeName(EEnvField field)
{
    const auto index = static_cast<std::size_t>(field);
    if (index >= std::size(kEnvFieldLabels))
        return "환경 데이터 변경";
    return std::string(kEnvFieldLabels[index]) + " 변경";
}

std::string SectionAxisChangeName() { return "단면창 축 변경"; }
