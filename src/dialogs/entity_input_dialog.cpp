#include "dialogs/entity_input_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/id_list.h"
#include "dialogs/input_form_helpers.h"

CEntityInputDlg::CEntityInputDlg(const QString& title, const char* duplicateMessage, QWidget* parent)
    : QDialog(parent), m_szDuplicateMessage(duplicateMessage)
{
    setWindowTitle(title);
    setModal(false);
}

void CEntityInputDlg::AddIdRow(QVBoxLayout* layout, CEntityFormWidgets& form, const QString& textLabel)
{
    auto* top = new QGridLayout;
    form.m_pId = new QComboBox(this);
    top->addWidget(new QLabel(QStringLiteral("ID"), this), 0, 0);
    top->addWidget(form.m_pId, 0, 1);
    form.m_pDescription = AddLabelledField(top, 0, 2, textLabel, this);
    layout->addLayout(top);
    m_pIdList = form.m_pId;
    connect(m_pIdList, &QComboBox::currentIndexChanged, this, &CEntityInputDlg::OnIdSelected);
}

void CEntityInputDlg::ConnectCommands(const CEntityFormWidgets& buttons)
{
    connect(buttons.m_pApply, &QPushButton::clicked, this, &CEntityInputDlg::OnApply);
    connect(buttons.m_pOk, &QPushButton::clicked, this, &CEntityInputDlg::OnOk);
    if (buttons.m_pCopy)
        connect(buttons.m_pCopy, &QPushButton::clicked, this, &CEntityInputDlg::OnCopy);
    connect(buttons.m_pCancel, &QPushButton::clicked, this, &CEntityInputDlg::reject);
    connect(buttons.m_pDelete, &QPushButton::clicked, this, &CEntityInputDlg::DeleteRequested);
}

void CEntityInputDlg::Start()
{
    FillIdList(m_pIdList, Count());
    ResetForm();
}

int CEntityInputDlg::EditedIndex() const { return SelectedPosition(m_pIdList); }

void CEntityInputDlg::OnApply()
{
    if (ReadPending())
        emit StoreRequested();
}

// A store refused as a duplicate does not hold the commit back; a form that does not read does.
void CEntityInputDlg::OnOk()
{
    if (!ReadPending())
        return;
    ClearBeforeCommit();
    emit CommitRequested();
}

void CEntityInputDlg::OnCopy() { SelectPosition(m_pIdList, -1); }

EStoreResult CEntityInputDlg::StorePending()
{
    const EStoreResult result = StorePendingInList();
    if (ShowStoreResult(result, this, m_pIdList, m_szDuplicateMessage))
        LoadIfValid(EditedIndex());
    return result;
}

bool CEntityInputDlg::DeleteSelected()
{
    if (!RemoveFromList(EditedIndex()))
        return false;
    DropLastIdAndSelectNew(m_pIdList);
    ResetForm();
    return true;
}

void CEntityInputDlg::OnIdSelected()
{
    const int index = EditedIndex();
    if (index < 0)
        ResetForm();
    else
        LoadIfValid(index);
}

void CEntityInputDlg::LoadIfValid(int index)
{
    if (index >= 0 && index < Count())
        Load(index);
}

void CEntityInputDlg::reject() { emit CloseRequested(); }

void CEntityInputDlg::keyPressEvent(QKeyEvent* event)
{
    if (!SwallowEscape(event))
        QDialog::keyPressEvent(event);
}
