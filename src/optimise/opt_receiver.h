#pragma once

// Both barrier searches work on exactly one receiver, chosen by a check mark in the
// optimisation window's receiver list (rows in the document's receiver order).

#include <vector>

inline constexpr const char* kMsgSelectOneReceiver = "하나의 수음점을 선택하세요.";

// The index of the only checked row; -1 when no row or more than one row is checked.
inline int ChooseOptReceiver(const std::vector<bool>& checked)
{
    int chosen = -1;
    for (int row = 0; row < static_cast<int>(checked.size()); ++row) {
        if (!checked[static_cast<std::size_t>(row)])
            continue;
        if (chosen >= 0)
            return -1;
        chosen = row;
    }
    return chosen;
}
