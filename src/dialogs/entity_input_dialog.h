#pragma once

// What the road, embankment, cutting, tunnel and barrier windows have in common: a
// modeless window over a working list (deep copies of one entity list of the document),
// with an ID drop-down ("NEW", "1" ... "n") naming the entity the form edits. Each
// command that needs the owner emits a request:
//   StoreRequested  ("적용(&A)": the form has been read into the pending entity),
//   CommitRequested ("확인(&D)": likewise, then the working list is to replace the document's),
//   DeleteRequested ("제거(&X)"), CloseRequested ("취소(&C)" or the window's close box).
// The owner answers with StorePending() and DeleteSelected(). "복사" selects "NEW" and
// keeps the form as it is. The Escape key does nothing.
// A window supplies its form (read, show, reset) and its list operations.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QDialog>

#include "model/working_list.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The widgets every such window has: the top row and the commands.
struct CEntityFormWidgets {
    QComboBox* m_pId = nullptr;
    QLineEdit* m_pDescription = nullptr;
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCopy = nullptr;  // "복사"; the tunnel window has none
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pDelete = nullptr;
};

class CEntityInputDlg : public QDialog {
    Q_OBJECT
public:
    // 0-based position of the entity shown in the form; -1 while "NEW" is selected.
    int EditedIndex() const;

    // Owner side of a store: the pending entity goes into the working list unless its
    // key is all zeros (ignored) or names another entity forward or reversed (refused
    // with a message). The form then shows the stored entity.
    EStoreResult StorePending();
    // Owner side of a delete: removes the selected entity (none for "NEW"), resets the form.
    bool DeleteSelected();

signals:
    void StoreRequested();
    void CommitRequested();
    void DeleteRequested();
    void CloseRequested();
    void FormChanged();  // an entity was loaded or the form reset: the views redraw

public slots:
    void reject() override;  // the close box: as "취소(&C)"

protected:
    // duplicateMessage: the refusal of a store whose key another entity has.
    CEntityInputDlg(const QString& title, const char* duplicateMessage, QWidget* parent);
    // The top row: "ID" with its drop-down, "설명" (or another label) with its field.
    void AddIdRow(QVBoxLayout* layout, CEntityFormWidgets& form, const QString& textLabel = QStringLiteral("설명"));
    // The commands every window has (made by the window, in its own order), each to its request.
    void ConnectCommands(const CEntityFormWidgets& buttons);
    // Called by the concrete window once its form and working list are in place.
    void Start();

    virtual int Count() const = 0;
    // Reads the form into the pending entity for the edited position; false (after the
    // message) when a field does not read.
    virtual bool ReadPending() = 0;
    // Stores and forgets the pending entity (Ignored when there is none).
    virtual EStoreResult StorePendingInList() = 0;
    virtual bool RemoveFromList(int index) = 0;
    // Shows the entity at a valid position; emits FormChanged.
    virtual void Load(int index) = 0;
    // The form of a new entity; emits FormChanged.
    virtual void ResetForm() = 0;
    // What "확인" clears before the commit request (the level or absorption row).
    virtual void ClearBeforeCommit() = 0;

    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnApply();
    void OnOk();
    void OnCopy();
    void OnIdSelected();

private:
    void LoadIfValid(int index);

    const char* m_szDuplicateMessage;
    QComboBox* m_pIdList = nullptr;
};

// A window whose form reads and shows the entities of its own list type.
template <class T>
class CEntityInputDlgOf : public CEntityInputDlg {
public:
    const std::vector<T>& WorkingList() const { return m_list; }

protected:
    // How stored entities are told apart: the key with the ends swapped, and how many
    // coordinates the key holds.
    struct CKeyRule {
        std::string (*m_pReversedKey)(const T&);
        int m_nCoordinates;
    };

    CEntityInputDlgOf(const QString& title, const char* duplicateMessage, std::vector<T> list, CKeyRule rule,
                      QWidget* parent)
        : CEntityInputDlg(title, duplicateMessage, parent), m_list(std::move(list)), m_rule(rule)
    {
    }

    // The entity as a store would keep it; empty (after the message) when a field does not read.
    virtual std::optional<T> BuildFromForm() = 0;
    // Shows a stored entity; emits FormChanged.
    virtual void Show(const T& entity) = 0;

    int Count() const override { return static_cast<int>(m_list.size()); }
    bool ReadPending() override
    {
        auto entity = BuildFromForm();
        return m_pending.Set(std::move(entity), EditedIndex());
    }
    EStoreResult StorePendingInList() override
    {
        return StorePendingEntity(m_list, m_pending, m_rule.m_pReversedKey, m_rule.m_nCoordinates);
    }
    bool RemoveFromList(int index) override { return RemoveEntity(m_list, index); }
    void Load(int index) override { Show(m_list[static_cast<std::size_t>(index)]); }

private:
    std::vector<T> m_list;
    CPendingEntity<T> m_pending;
    CKeyRule m_rule;
};
