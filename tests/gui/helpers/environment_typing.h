#pragma once

// Typing into the main window's environment pane as a user would.

#include <QLineEdit>
#include <QString>

#include "app/main_frame.h"
#include "dialogs/environment_box.h"

// Replaces a field's text as the user's typing would (QLineEdit::insert reports an edit).
inline void TypeInto(CMainFrame& frame, EEnvField field, const QString& text)
{
    QLineEdit* edit = frame.EnvironmentBox()->Field(field);
    edit->selectAll();
    edit->insert(text);
}
