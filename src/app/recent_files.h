#pragma once

// The recent-file list: four project paths, newest first, kept in the program's
// settings (QSettings with the application's organisation and name).

#include <QStringList>

class CRecentFiles {
public:
    static constexpr int kMaxEntries = 4;

    CRecentFiles();

    const QStringList& Paths() const { return m_paths; }
    // Puts path first, dropping an older entry of the same file and the oldest beyond four.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Load();
    void Store() const;

    QStringList m_paths;
};
