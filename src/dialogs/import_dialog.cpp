#include "dialogs/import_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/document.h"

namespace {

constexpr EImportKind kKinds[] = {EImportKind::Roads, EImportKind::Barriers, EImportKind::Receivers};

}  // namespace

QString ImportPreviewText(const CImportResult& result)
{
    if (!result.ok)
        return QString::fromStdString(result.message);
    QString text = QStringLiteral("도로 %1개, 방음벽 %2개, 수음점 %3개를 추가합니다.")
                       .arg(result.roads.size())
                       .arg(result.barriers.size())
                       .arg(result.receivers.size());
    if (!result.crs.empty())
        text += QStringLiteral("\n좌표계: %1").arg(QString::fromStdString(result.crs));
    return text;
}

CImportDialog::CImportDialog(const CMyTalvoDoc& base, const QString& path, QWidget* parent)
    : QDialog(parent), m_base(base), m_path(path)
{
    setWindowTitle(QStringLiteral("가져오기"));
    m_pKind = new QComboBox(this);
    m_pKind->addItems({QStringLiteral("도로"), QStringLiteral("방음벽"), QStringLiteral("수음점")});
    m_pKind->setCurrentIndex(1);
    m_pLayer = new QLineEdit(this);
    m_pLayer->setPlaceholderText(QStringLiteral("첫 번째 레이어"));
    m_pCrs = new QLineEdit(this);
    m_pCrs->setPlaceholderText(QStringLiteral("EPSG:5186"));
    m_pLike = new QSpinBox(this);
    m_pLike->setRange(0, 100000);
    m_pLike->setSpecialValueText(QStringLiteral("입력창의 처음 값"));
    m_pPreviewText = new QLabel(this);
    m_pPreviewText->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("파일"), new QLabel(path, this));
    form->addRow(QStringLiteral("가져올 것"), m_pKind);
    form->addRow(QStringLiteral("레이어"), m_pLayer);
    form->addRow(QStringLiteral("좌표계"), m_pCrs);
    form->addRow(QStringLiteral("나머지 값을 복사할 번호"), m_pLike);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pPreviewText);
    layout->addWidget(buttons);
    connect(m_pKind, &QComboBox::currentIndexChanged, this, &CImportDialog::UpdatePreview);
    connect(m_pLayer, &QLineEdit::editingFinished, this, &CImportDialog::UpdatePreview);
    connect(m_pCrs, &QLineEdit::editingFinished, this, &CImportDialog::UpdatePreview);
    connect(m_pLike, &QSpinBox::valueChanged, this, &CImportDialog::UpdatePreview);
    UpdatePreview();
}

void CImportDialog::UpdatePreview()
{
    CImportRequest request;
    request.kind = kKinds[std::max(0, m_pKind->currentIndex())];
    request.layer = m_pLayer->text().trimmed().toStdString();
    request.crs = m_pCrs->text().trimmed().toStdString();
    request.like = m_pLike->value();
    m_preview = ReadImport(m_base, m_path.toStdString(), request);
    m_pPreviewText->setText(ImportPreviewText(m_preview));
    m_pOk->setEnabled(m_preview.ok);
}
