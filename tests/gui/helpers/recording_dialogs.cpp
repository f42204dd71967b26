#include "helpers/recording_dialogs.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

void CRecordingMessageBox::Information(QWidget*, const QString& text, const QString&)
{
    m_infos.append(text);
    m_texts.append(text);
}

QMessageBox::StandardButton CRecordingMessageBox::Question(QWidget*, const QString& text, const QString&,
                                                           QMessageBox::StandardButtons)
{
    m_questions.append(text);
    m_texts.append(text);
    return m_answers.isEmpty() ? m_whenNoAnswer : m_answers.takeFirst();
}

namespace {

QString NextPath(CRecordingFileDialogs& dialogs, const QString& filter)
{
    ++dialogs.m_nAsked;
    dialogs.m_filters.append(filter);
    return dialogs.m_paths.isEmpty() ? QString() : dialogs.m_paths.takeFirst();
}

}  // namespace

QString CRecordingFileDialogs::OpenFileName(QWidget*, const QString&, const QString&, const QString& filter)
{
    return NextPath(*this, filter);
}

QString CRecordingFileDialogs::SaveFileName(QWidget*, const QString&, const QString&, const QString& filter)
{
    return NextPath(*this, filter);
}

void UseTemporarySettings()
{
    static QTemporaryDir dir;  // lives until the test program ends
    QCoreApplication::setOrganizationName(QStringLiteral("TALVO-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("TALVO-tests"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings().clear();
}
