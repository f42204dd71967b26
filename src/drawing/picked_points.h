#pragma once

// The plan view's display lists: the receiver-grid points the user picked (by grid
// name) and, in parallel, the level label written beside each.

#include <string>
#include <vector>

class CPickedPoints {
public:
    bool Contains(long long name) const;
    // The label of a picked point; empty when the point is not picked.
    std::string LabelOf(long long name) const;
    void Add(long long name, std::string label);
    // Removes the point and its label; false when it was not picked.
    bool Remove(long long name);
    void Clear();
    std::size_t Count() const { return m_arrName.size(); }
    long long NameAt(std::size_t i) const { return m_arrName[i]; }
    const std::string& LabelAt(std::size_t i) const { return m_arrLabel[i]; }

private:
    std::vector<long long> m_arrName;
    std::vector<std::string> m_arrLabel;  // same length and order as m_arrName
};
