#pragma once

// Section and key names of the key form of the project file, shared by its writer and
// its reader. The texts are part of the file format: never change them.

#include <string_view>

namespace keyform {

inline constexpr const char* kSettings = "설정";
inline constexpr const char* kProgramName = "프로그램명";
inline constexpr const char* kProgramNameValue = "TALVO";
inline constexpr const char* kVersion = "버전";
inline constexpr const char* kProjectName = "프로젝트명";
inline constexpr const char* kAir = "온도/습도/기압";
inline constexpr const char* kArea = "영역/계산수행여부";
inline constexpr const char* kSection = "수음점간격/높이/보이기";
inline constexpr const char* kCounts = "도로수/방음벽수/수음점수/성토수/절토수/터널수";
// Written only when the project names a coordinate system, so files without one stay as
// they were.
inline constexpr const char* kCrs = "좌표계";

// Section name formats, filled with the 1-based position of the entity.
inline constexpr const char* kRoadSection = "도로 ";
inline constexpr const char* kBarrierSection = "방음벽 ";
inline constexpr const char* kEmbankmentSection = "성토 ";
inline constexpr const char* kCuttingSection = "절토 ";
inline constexpr const char* kTunnelSection = "터널 ";
inline constexpr const char* kReceiverSection = "수음점 ";
inline constexpr const char* kResultSection = "dB ";

// Road.
inline constexpr const char* kRoadDescription = "도로설명";
inline constexpr const char* kRoadStart = "도로시작점X/Y/Z";
inline constexpr const char* kRoadEnd = "도로종료점X/Y/Z";
inline constexpr const char* kRoadWidth = "도로폭";
inline constexpr const char* kSourceCount = "이산소음원갯수";
inline constexpr const char* kPavement = "도로포장상태정보/세부포장종류";
inline constexpr const char* kGradient = "도로경사도";
inline constexpr const char* kRoadInfo = "도로정보";
inline constexpr const char* kBridgeType = "교량종류";
inline constexpr const char* kLeftAttenuator = "왼쪽방음벽감쇠기";
inline constexpr const char* kLeftHeight = "왼쪽방음벽높이";
inline constexpr const char* kCentreAttenuator = "가운데방음벽감쇠기";
inline constexpr const char* kCentreHeight = "가운데방음벽높이";
inline constexpr const char* kRightAttenuator = "오른쪽방음벽감쇠기";
inline constexpr const char* kRightHeight = "오른쪽방음벽높이";
inline constexpr const char* kLeftAbsorption = "왼쪽방음벽흡음률";
inline constexpr const char* kCentreAbsorption = "가운데방음벽흡음률";
inline constexpr const char* kRightAbsorption = "오른쪽방음벽흡음률";
inline constexpr const char* kClassMode = "*차종분류";
// One key per vehicle class, in class order: "speed/number".
inline constexpr const char* kVehicleKeys[5] = {"대형화물차속도/차량수", "중형화물차속도/차량수",
                                                "소형화물차속도/차량수", "버스속도/차량수", "승용차속도/차량수"};
inline constexpr const char* kCorrection = "보정치";
inline constexpr const char* kUserPower = "사용자 정의 음향파워레벨";
// The night (야간) traffic and powers of a road or tunnel, and the project's night traffic
// ratio in "설정": written only when set, so files without them stay as they were. The
// traffic keys are the day's with this prefix, in the same class-mode rule.
inline constexpr const char* kNightPrefix = "야간";
inline constexpr const char* kNightUserPower = "야간 사용자 정의 음향파워레벨";
inline constexpr const char* kNightTrafficRatio = "야간교통량비율";

// Barrier.
inline constexpr const char* kBarrierDescription = "방음벽설명";
inline constexpr const char* kBarrierStart = "방음벽시작점X/Y";
inline constexpr const char* kBarrierEnd = "방음벽종료점X/Y";
inline constexpr const char* kBarrierHeight = "방음벽높이";
inline constexpr const char* kAttenuator = "감쇠기";
inline constexpr const char* kAbsorptionDescription = "흡음률설명";
inline constexpr const char* kAbsorption = "흡음률";

// Embankment and cutting: the kind's prefix ("성토" or "절토") followed by these.
inline constexpr const char* kEmbankmentPrefix = "성토";
inline constexpr const char* kCuttingPrefix = "절토";
inline constexpr const char* kSlopeDescription = "설명";
inline constexpr const char* kSlopeStart = "시작점X/Y";
inline constexpr const char* kSlopeEnd = "종료점X/Y";
inline constexpr const char* kSlopeHeight = "높이";
inline constexpr const char* kSlopeWidth = "너비";
inline constexpr const char* kSlopeDirection = "방향";

// Tunnel.
inline constexpr const char* kTunnelDescription = "터널설명";
inline constexpr const char* kTunnelStart = "터널시작점X/Y/Z";
inline constexpr const char* kTunnelEnd = "터널종료점X/Y/Z";
inline constexpr const char* kLaneCount = "터널차선";
inline constexpr const char* kTunnelForm = "터널형태";
inline constexpr const char* kWallMaterial = "벽면재질";
inline constexpr const char* kTunnelWidth = "터널폭";
inline constexpr const char* kTunnelHeight = "터널높이";

// Receiver and its result.
inline constexpr const char* kReceiver = "수음점X / Y / Z / 중간지면계수 / 수음영역계수";
inline constexpr const char* kPrediction = "소음예측";

// Buildings: the count and the façade receiver settings ("spacing/distance/height" in m)
// in "설정", written only for projects with buildings or other façade settings; one
// section per building with one key per footprint vertex ("X/Y"), so that a footprint of
// any size keeps every value within the 254 characters the reader keeps.
inline constexpr const char* kBuildingCount = "건물수";
inline constexpr const char* kFacadeSettings = "외벽수음점간격/거리/높이";
inline constexpr const char* kBuildingSection = "건물 ";
inline constexpr const char* kBuildingName = "건물명";
inline constexpr const char* kBuildingFloors = "층수/층고";
inline constexpr const char* kBuildingGround = "중간지면계수/수음영역계수";
inline constexpr const char* kBuildingVertexCount = "꼭짓점수";
inline constexpr const char* kBuildingVertex = "꼭짓점 ";

// The criterion levels are judged by, written only when set: in "설정" the criterion
// ("%d", ECriterion), the project's zone and the user-defined day and night limits
// ("%lf" each); in a receiver's or a building's section its own zone.
inline constexpr const char* kCriterion = "평가기준";
inline constexpr const char* kZone = "지역구분";
inline constexpr const char* kUserDayLimit = "사용자정의기준주간";
inline constexpr const char* kUserNightLimit = "사용자정의기준야간";

// Keys whose value is free text (a description or a name) rather than numbers: texts
// may be cut on reading, numbers must come back whole.
inline bool IsTextKey(std::string_view key)
{
    constexpr std::string_view kDescriptionEnd = "설명";
    return key == kProjectName || key == kProgramName || key == kBuildingName || key == kZone ||
           (key.size() >= kDescriptionEnd.size() && key.substr(key.size() - kDescriptionEnd.size()) == kDescriptionEnd);
}

}  // namespace keyform
