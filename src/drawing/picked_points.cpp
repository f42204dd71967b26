#include "drawing/picked_points.h"

#include <algorithm>

namespace {

template <typename V>
auto Find(V& names, long long name)
{
    return std::find(names.begin(), names.end(), name);
}

}  // namespace

bool CPickedPoints::Contains(long long name) const { return Find(m_arrName, name) != m_arrName.end(); }

std::string CPickedPoints::LabelOf(long long name) const
{
    const auto it = Find(m_arrName, name);
    return it == m_arrName.end() ? std::string() : m_arrLabel[std::size_t(it - m_arrName.begin())];
}

void CPickedPoints::Add(long long name, std::string label)
{
    m_arrName.push_back(name);
    m_arrLabel.push_back(std::move(label));
}

bool CPickedPoints::Remove(long long name)
{
    const auto it = Find(m_arrName, name);
    if (it == m_arrName.end())
        return false;
    m_arrLabel.erase(m_arrLabel.begin() + (it - m_arrName.begin()));
    m_arrName.erase(it);
    return true;
}

void CPickedPoints::Clear()
{
    m_arrName.clear();
    m_arrLabel.clear();
}
