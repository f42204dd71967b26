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

#include <QDialog>

#include "dialogs/working_list.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

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
    struct CCommandButtons {
        QPushButton* m_pApply = nullptr;
        QPushButton* m_pOk = nullptr;
        QPushButton* m_pCopy = nullptr;  // none in every window
        QPushButton* m_pCancel = nullptr;
        QPushButton* m_pDelete = nullptr;
    };

    CEntityInputDlg(const QString& title, QWidget* parent);
    // The top row: "ID" with its drop-down, "설명" with its field.
    void AddIdRow(QVBoxLayout* layout, QComboBox*& id, QLineEdit*& description);
    // The commands every window has, each to its request.
    void ConnectCommands(const CCommandButtons& buttons);
    // Called by the concrete window once its form and working list are in place.
    void Start();

    virtual int Count() const = 0;
    // Reads the form into the pending entity for the edited position; false (after the
    // message) when a field does not read.
    virtual bool ReadPending() = 0;
    // Stores and forgets the pending entity (Ignored when there is none).
    virtual EStoreResult StorePendingInList() = 0;
    virtual bool RemoveFromList(int index) = 0;
    virtual const char* DuplicateMessage() const = 0;
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

    QComboBox* m_pIdList = nullptr;
};
