#pragma once

// Every message box of the program goes through this interface, so that tests can
// read and answer them without a modal loop. Used on the user-interface thread only.

#include <QMessageBox>
#include <QString>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // An information box with an OK button.
    virtual void Information(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // A question; returns the button chosen.
    virtual QMessageBox::StandardButton Question(QWidget* parent, const QString& text, const QString& title,
                                                 QMessageBox::StandardButtons buttons) = 0;
};

// The program's message boxes (real dialogs unless a test installed its own).
IMessageBox& MessageBoxes();
// Installs a replacement (tests); nullptr restores the real dialogs.
void SetMessageBoxes(IMessageBox* replacement);
