#pragma once

// "좌표계": the project's coordinate reference system as its code ("EPSG:5186") with the
// system's name beside it, checked by PROJ as it is typed. An empty code is local metres.
// OK with a code PROJ refuses shows the reason through the message-box interface and
// keeps the dialog open.

#include <QDialog>

class QLabel;
class QLineEdit;

class CCrsDialog : public QDialog {
    Q_OBJECT
public:
    CCrsDialog(const QString& code, QWidget* parent = nullptr);

    // The accepted code, trimmed.
    QString Code() const;
    QLineEdit* CodeField() const { return m_pCode; }
    QLabel* NameLabel() const { return m_pName; }

    // Accepts when the code passes the check, else reports why.
    void accept() override;

private:
    void ShowName();

    QLineEdit* m_pCode;
    QLabel* m_pName;
};
