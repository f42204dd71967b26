#include "dialogs/import_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "dialogs/import_plan_preview.h"
#include "dialogs/wait_cursor.h"
#include "gis/gis_layer_survey.h"
#include "model/document.h"

namespace {

constexpr EImportKind kKinds[] = {EImportKind::Roads, EImportKind::Barriers, EImportKind::Receivers,
                                  EImportKind::Buildings};

QString LayerSurveyText(const CLayerSurvey& survey)
{
    if (!survey.ok)
        return QString::fromStdString(survey.message);
    QString text =
        QStringLiteral("레이어: 점 %1개, 선 %2개, 면 %3개").arg(survey.points).arg(survey.lines).arg(survey.polygons);
    if (survey.trafficFields)
        text += QStringLiteral(" (교통량 속성 있음)");
    return text;
}

}  // namespace

QString ImportPreviewText(const CImportResult& result)
{
    if (!result.ok)
        return QString::fromStdString(result.message);
    QString text = result.buildings.empty() ? QStringLiteral("도로 %1개, 방음벽 %2개, 수음점 %3개를 추가합니다.")
                                                  .arg(result.roads.size())
                                                  .arg(result.barriers.size())
                                                  .arg(result.receivers.size())
                                            : QStringLiteral("건물 %1개를 추가합니다.").arg(result.buildings.size());
    if (result.holesIgnored > 0)
        text += QStringLiteral(" 다각형의 구멍 %1개는 무시합니다.").arg(result.holesIgnored);
    if (!result.crs.empty())
        text += QStringLiteral("\n좌표계: %1").arg(QString::fromStdString(result.crs));
    return text;
}

CImportDialog::CImportDialog(const CMyTalvoDoc& base, const QString& path, QWidget* parent)
    : QDialog(parent), m_base(base), m_path(path)
{
    setWindowTitle(QStringLiteral("가져오기"));
    m_pKind = new QComboBox(this);
    m_pKind->addItems(
        {QStringLiteral("도로"), QStringLiteral("방음벽"), QStringLiteral("수음점"), QStringLiteral("건물")});
    m_pKind->setCurrentIndex(1);
    m_pLayer = new QLineEdit(this);
    m_pLayer->setPlaceholderText(QStringLiteral("첫 번째 레이어"));
    m_pCrs = new QLineEdit(this);
    m_pCrs->setPlaceholderText(QStringLiteral("EPSG:5186"));
    m_pLike = new QSpinBox(this);
    m_pLike->setRange(0, 100000);
    m_pLike->setSpecialValueText(QStringLiteral("입력창의 처음 값"));
    m_pFloorsField = new QLineEdit(this);
    m_pFloorsField->setPlaceholderText(QStringLiteral("floors"));
    m_pPreviewText = new QLabel(this);
    m_pPreviewText->setWordWrap(true);
    m_pLayerText = new QLabel(this);
    m_pPlan = new CImportPlanPreview(base, this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("파일"), new QLabel(path, this));
    form->addRow(QStringLiteral("가져올 것"), m_pKind);
    form->addRow(QString(), m_pLayerText);
    form->addRow(QStringLiteral("레이어"), m_pLayer);
    form->addRow(QStringLiteral("좌표계"), m_pCrs);
    form->addRow(QStringLiteral("나머지 값을 복사할 번호"), m_pLike);
    form->addRow(QStringLiteral("층수 속성"), m_pFloorsField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pPreviewText);
    layout->addWidget(m_pPlan, 1);
    layout->addWidget(buttons);
    connect(m_pKind, &QComboBox::currentIndexChanged, this, &CImportDialog::UpdatePreview);
    connect(m_pLayer, &QLineEdit::editingFinished, this, [this] {
        SuggestKind();
        UpdatePreview();
    });
    connect(m_pCrs, &QLineEdit::editingFinished, this, &CImportDialog::UpdatePreview);
    connect(m_pLike, &QSpinBox::valueChanged, this, &CImportDialog::UpdatePreview);
    connect(m_pFloorsField, &QLineEdit::editingFinished, this, &CImportDialog::UpdatePreview);
    SuggestKind();
    UpdatePreview();
}

// The kind the layer's shapes and attributes suggest; an unclear layer keeps the choice.
void CImportDialog::SuggestKind()
{
    const CWaitCursor wait;  // a large layer takes GDAL a while
    const CLayerSurvey survey = SurveyLayer(m_path.toStdString(), m_pLayer->text().trimmed().toStdString());
    m_pLayerText->setText(LayerSurveyText(survey));
    if (const std::optional<EImportKind> kind = SuggestedImportKind(survey)) {
        const QSignalBlocker quiet(m_pKind);
        m_pKind->setCurrentIndex(int(std::find(std::begin(kKinds), std::end(kKinds), *kind) - std::begin(kKinds)));
    }
}

void CImportDialog::UpdatePreview()
{
    CImportRequest request;
    request.kind = kKinds[std::max(0, m_pKind->currentIndex())];
    request.layer = m_pLayer->text().trimmed().toStdString();
    request.crs = m_pCrs->text().trimmed().toStdString();
    request.like = m_pLike->value();
    m_pFloorsField->setEnabled(request.kind == EImportKind::Buildings);
    if (request.kind == EImportKind::Buildings)
        request.floorsField = m_pFloorsField->text().trimmed().toStdString();
    {
        const CWaitCursor wait;
        m_preview = ReadImport(m_base, m_path.toStdString(), request);
    }
    m_pPreviewText->setText(ImportPreviewText(m_preview));
    m_pPlan->SetImport(m_preview.ok ? ImportShapesOf(m_preview) : CImportShapes());
    m_pOk->setEnabled(m_preview.ok);
}
