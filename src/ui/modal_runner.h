#pragma once

// How an input window runs one of its modal sub-forms (bridge settings, band corrections,
// equal spacing). The program runs the form's own modal loop; a test installs a runner
// that works the form's widgets and accepts or rejects it, so no modal loop is needed.

#include <functional>

#include <QDialog>

// Returns the form's result code (QDialog::Accepted or QDialog::Rejected).
using ModalRunner = std::function<int(QDialog&)>;

inline ModalRunner ExecRunner()
{
    return [](QDialog& form) { return form.exec(); };
}
