#pragma once

// The "ID" of the input windows. Entities carry no stored ID: an ID is the 1-based
// position in the window's working list, and "NEW" stands for an entity not yet stored.
// Windows with a drop-down list keep it as "NEW", "1" ... "n"; the receiver window has a
// free text field, whose text is checked with ParseIdText.

#include <QString>

#include "model/working_list.h"

class QComboBox;
class QWidget;

inline constexpr const char* kNewId = "NEW";

// What an ID names: a new entity, or the 0-based position of an existing one.
struct CInputId {
    enum class EKind { New, Existing, Invalid };
    EKind m_eKind = EKind::New;
    int m_nIndex = -1;  // 0-based position when m_eKind is Existing

    bool IsNew() const { return m_eKind == EKind::New; }
    bool IsExisting() const { return m_eKind == EKind::Existing; }
};

// Refills the list with "NEW", "1" ... "count" and selects "NEW".
void FillIdList(QComboBox* list, int count);
// Adds the next number and selects it (an entity was appended).
void AppendIdAndSelect(QComboBox* list);
// Drops the last number and selects "NEW" (an entity was removed; later ones move up).
void DropLastIdAndSelectNew(QComboBox* list);
// Shows the outcome of storing a window's form: the duplicate message, or the new number
// selected when the entity was appended. True when the stored entity should be reloaded.
bool ShowStoreResult(EStoreResult result, QWidget* parent, QComboBox* list, const char* duplicateMessage);
// -1 for "NEW", else the 0-based position selected.
int SelectedPosition(const QComboBox* list);
// Selects the entity at a 0-based position, or "NEW" for -1.
void SelectPosition(QComboBox* list, int index);

// "NEW" (any case, blanks around it allowed) or a whole number from 1 to count.
CInputId ParseIdText(const QString& text, int count);
// The refusal shown for an ID that is neither "NEW" nor a number from 1 to count.
QString InvalidIdMessage(int count);
