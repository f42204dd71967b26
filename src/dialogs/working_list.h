#pragma once

// The list operations every input window asks its owner for, on the window's working
// list (deep copies of one entity list of the document; the document is only touched by
// a commit). Entities are identified by their stored key m_pKey: the defining coordinates
// printed "%.2f" and concatenated. Two entities whose keys agree forward or with the end
// points reversed are the same entity.

#include <string>
#include <vector>

enum class EStoreResult {
    Ignored,    // the key is all zeros: nothing stored, no message
    Duplicate,  // another entity has the key or the reversed key: nothing stored
    Appended,
    Replaced,
};

// "0.00" repeated once per coordinate of the key.
inline std::string ZeroKey(int coordinateCount)
{
    std::string key;
    for (int i = 0; i < coordinateCount; ++i)
        key += "0.00";
    return key;
}

// True when an entity other than the one at editedIndex (-1: none) has the key or the
// reversed key.
template <class T>
bool IsDuplicateKey(const std::vector<T>& list, const std::string& key, const std::string& reversedKey,
                    int editedIndex)
{
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        if (i == editedIndex)
            continue;
        const std::string& other = list[static_cast<std::size_t>(i)].m_pKey;
        if (other == key || other == reversedKey)
            return true;
    }
    return false;
}

// Stores an entity whose m_pKey is set: appended when editedIndex is -1 (or out of the
// list), else put in place of the entity at editedIndex.
template <class T>
EStoreResult StoreEntity(std::vector<T>& list, const T& entity, int editedIndex, const std::string& reversedKey,
                         int coordinateCount)
{
    if (entity.m_pKey == ZeroKey(coordinateCount))
        return EStoreResult::Ignored;
    const bool editing = editedIndex >= 0 && editedIndex < static_cast<int>(list.size());
    if (IsDuplicateKey(list, entity.m_pKey, reversedKey, editing ? editedIndex : -1))
        return EStoreResult::Duplicate;
    if (!editing) {
        list.push_back(entity);
        return EStoreResult::Appended;
    }
    list[static_cast<std::size_t>(editedIndex)] = entity;
    return EStoreResult::Replaced;
}

// Removes the entity at index; false when there is none.
template <class T>
bool RemoveEntity(std::vector<T>& list, int index)
{
    if (index < 0 || index >= static_cast<int>(list.size()))
        return false;
    list.erase(list.begin() + index);
    return true;
}
