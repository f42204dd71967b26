#pragma once

// Every file dialog of the program goes through this interface, so that tests can
// choose files without a modal loop. Used on the user-interface thread only.

#include <QString>

class QWidget;

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
};

// The program's file dialogs (real dialogs unless a test installed its own).
IFileDialogs& FileDialogs();
// Installs a replacement (tests); nullptr restores the real dialogs.
void SetFileDialogs(IFileDialogs* replacement);
