#pragma once

// Names of undo steps, found by comparing an entity list before and after a commit:
// "방음벽 2 높이 변경" for one field of one entity, "방음벽 2 변경" for several fields,
// "방음벽 3개 변경" for several entities, "방음벽 3 추가" / "방음벽 2 삭제" for one entity
// added or deleted and "방음벽 2개 삭제" for several. Numbers count from 1, as the input
// windows and lists show them; fields are compared as the windows show them (two decimals,
// three for absorption, levels per metre), so a value only rounded by storing it again
// does not count as changed. Field labels are the input windows' own, without the
// entity's name and the unit ("방음벽높이" is "높이"). Names are UTF-8.

#include <string>
#include <vector>

#include "model/building.h"
#include "model/entities.h"
#include "model/environment_rules.h"

std::string ChangeName(const std::vector<CRoad>& before, const std::vector<CRoad>& after);
std::string ChangeName(const std::vector<CBarrier_Stage>& before, const std::vector<CBarrier_Stage>& after);
std::string ChangeName(const std::vector<CSungto>& before, const std::vector<CSungto>& after);
std::string ChangeName(const std::vector<CJulto>& before, const std::vector<CJulto>& after);
std::string ChangeName(const std::vector<CTunnel>& before, const std::vector<CTunnel>& after);
std::string ChangeName(const std::vector<CReceiverPoint>& before, const std::vector<CReceiverPoint>& after);
// A footprint counts as one field, "평면", its vertices compared to two decimals.
std::string ChangeName(const std::vector<CBuilding>& before, const std::vector<CBuilding>& after);

// An environment-pane edit: "수음점 높이 변경".
std::string ChangeName(EEnvField field);
// The pane's choice of the section line's axis (X = or Y =).
std::string SectionAxisChangeName();
