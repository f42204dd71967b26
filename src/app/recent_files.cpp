#include "app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString KeyOf(int index) { return QStringLiteral("File%1").arg(index + 1); }

QString Canonical(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

CRecentFiles::CRecentFiles() { Load(); }

void CRecentFiles::Load()
{
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = settings.value(KeyOf(i)).toString();
        if (!path.isEmpty() && !m_paths.contains(path))
            m_paths.append(path);
    }
}

void CRecentFiles::Store() const
{
    QSettings settings;
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    for (int i = 0; i < m_paths.size(); ++i)
        settings.setValue(KeyOf(i), m_paths[i]);
}

void CRecentFiles::Add(const QString& path)
{
    const QString full = Canonical(path);
    m_paths.removeAll(full);
    m_paths.prepend(full);
    while (m_paths.size() > kMaxEntries)
        m_paths.removeLast();
    Store();
}

void CRecentFiles::Remove(const QString& path)
{
    m_paths.removeAll(Canonical(path));
    Store();
}
