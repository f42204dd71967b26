#include "dialogs/id_list.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "ui/message_box.h"

void FillIdList(QComboBox* list, int count)
{
    const QSignalBlocker block(list);
    list->clear();
    list->addItem(QString::fromLatin1(kNewId));
    for (int i = 1; i <= count; ++i)
        list->addItem(QString::number(i));
    list->setCurrentIndex(0);
}

void AppendIdAndSelect(QComboBox* list)
{
    const QSignalBlocker block(list);
    list->addItem(QString::number(list->count()));
    list->setCurrentIndex(list->count() - 1);
}

void DropLastIdAndSelectNew(QComboBox* list)
{
    const QSignalBlocker block(list);
    if (list->count() > 1)
        list->removeItem(list->count() - 1);
    list->setCurrentIndex(0);
}

int SelectedPosition(const QComboBox* list) { return list->currentIndex() <= 0 ? -1 : list->currentIndex() - 1; }

void SelectPosition(QComboBox* list, int index)
{
    const QSignalBlocker block(list);
    list->setCurrentIndex(index < 0 ? 0 : index + 1);
}

CInputId ParseIdText(const QString& text, int count)
{
    const QString id = text.trimmed();
    if (id.compare(QLatin1String(kNewId), Qt::CaseInsensitive) == 0)
        return {CInputId::EKind::New, -1};
    bool ok = false;
    const int number = id.toInt(&ok);
    if (ok && number >= 1 && number <= count)
        return {CInputId::EKind::Existing, number - 1};
    return {CInputId::EKind::Invalid, -1};
}

QString InvalidIdMessage(int count)
{
    if (count <= 0)
        return QStringLiteral("ID에는 \"NEW\"를 입력하십시오.");
    return QStringLiteral("ID에는 \"NEW\" 또는 1에서 %1 사이의 번호를 입력하십시오.").arg(count);
}

bool ShowStoreResult(EStoreResult result, QWidget* parent, QComboBox* list, const char* duplicateMessage)
{
    if (result == EStoreResult::Duplicate)
        MessageBoxes().Information(parent, QString::fromUtf8(duplicateMessage));
    if (result == EStoreResult::Appended)
        AppendIdAndSelect(list);
    return result == EStoreResult::Appended || result == EStoreResult::Replaced;
}
