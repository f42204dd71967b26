#pragma once

// The list operations every input window asks its owner for, on the window's working
// list (deep copies of one entity list of the document; the document is only touched by
// a commit). Entities are identified by their stored key m_pKey: the defining coordinates
// printed "%.2f" and concatenated. Two entities whose keys agree forward or with the end
// points reversed are the same entity.

#include <optional>
#include <string>
#include <utility>
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
bool IsDuplicateKey(const std::vector<T>& list, const std::string& key, const std::string& reversedKey, int editedIndex)
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

// The entity a window has read from its form, waiting for its owner to store it, and the
// position it was read for (-1: a new entity).
template <class T>
struct CPendingEntity {
    std::optional<T> m_entity;
    int m_nIndex = -1;

    // True when there is an entity to store.
    bool Set(std::optional<T> entity, int index)
    {
        m_entity = std::move(entity);
        m_nIndex = index;
        return m_entity.has_value();
    }
};

// Stores and forgets the pending entity (Ignored when there is none). The list may hold a
// type derived from the one the form reads.
template <class T, class P>
EStoreResult StorePendingEntity(std::vector<T>& list, CPendingEntity<P>& pending, std::string (*reversedKey)(const P&),
                                int coordinateCount)
{
    if (!pending.m_entity)
        return EStoreResult::Ignored;
    T entity;
    static_cast<P&>(entity) = *std::exchange(pending.m_entity, std::nullopt);
    return StoreEntity(list, entity, pending.m_nIndex, reversedKey(entity), coordinateCount);
}
