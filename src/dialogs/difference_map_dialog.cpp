#include "dialogs/difference_map_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/map_refine_fields.h"
#include "dialogs/noise_map_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

namespace {

const QString kProjectFilter = QStringLiteral("TALVO 프로젝트 (*.tlv);;모든 파일 (*)");

}  // namespace

CDifferenceMapDialog::CDifferenceMapDialog(const QString& excludedBarriers, QWidget* parent,
                                           const CRefineRequest& refine)
    : QDialog(parent),
      m_pOther(new QRadioButton(QStringLiteral("다른 프로젝트 파일 (같은 계산영역)"), this)),
      m_pWithout(new QRadioButton(QStringLiteral("제외할 방음벽(%1)을 뺀 이 프로젝트 (삽입손실)")
                                      .arg(excludedBarriers.isEmpty() ? QStringLiteral("없음") : excludedBarriers),
                                  this)),
      m_pPath(new QLineEdit(this)),
      m_pBrowse(new QPushButton(QStringLiteral("찾아보기..."), this)),
      m_pStep(new QComboBox(this)),
      m_pBand(MapBandCombo(this)),
      m_pExclusion(new QLabel(this)),
      m_strExcluded(excludedBarriers),
      m_pRefine(new CMapRefineFields(refine, this))
{
    setWindowTitle(QStringLiteral("차이 지도"));
    m_pStep->addItems({QStringLiteral("1 dB"), QStringLiteral("3 dB")});
    m_pExclusion->setObjectName(QStringLiteral("exclusionApplies"));
    m_pExclusion->setWordWrap(true);
    const bool anyExcluded = !excludedBarriers.isEmpty();
    m_pWithout->setEnabled(anyExcluded);
    if (anyExcluded)
        m_pWithout->setChecked(true);
    else
        m_pOther->setChecked(true);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pPath);
    pathRow->addWidget(m_pBrowse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("등급 간격"), m_pStep);
    form->addRow(QStringLiteral("주파수밴드"), m_pBand);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pWithout);
    layout->addWidget(m_pOther);
    layout->addLayout(pathRow);
    layout->addWidget(m_pExclusion);
    layout->addLayout(form);
    layout->addWidget(m_pRefine);
    layout->addWidget(buttons);
    connect(m_pBrowse, &QPushButton::clicked, this, &CDifferenceMapDialog::OnBrowse);
    connect(m_pOther, &QRadioButton::toggled, this, &CDifferenceMapDialog::OnVariantChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDifferenceMapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDifferenceMapDialog::reject);
    OnVariantChanged();
}

CDifferenceMapChoice CDifferenceMapDialog::Choice() const
{
    CDifferenceMapChoice choice;
    choice.withoutExcludedBarriers = m_pWithout->isChecked();
    choice.otherProject = m_pPath->text().trimmed();
    choice.step = m_pStep->currentIndex() == 1 ? 3.0 : 1.0;
    choice.band = std::max(0, m_pBand->currentIndex());
    choice.refine = m_pRefine->Choice().value_or(CRefineRequest{});
    return choice;
}

void CDifferenceMapDialog::accept()
{
    if (m_pOther->isChecked() && m_pPath->text().trimmed().isEmpty()) {
        MessageBoxes().Information(this, QStringLiteral("비교할 프로젝트 파일을 고르십시오."));
        return;
    }
    CRefineRequest refine;
    if (m_pRefine->Read(this, refine))
        QDialog::accept();
}

void CDifferenceMapDialog::OnBrowse()
{
    const QString path =
        FileDialogs().OpenFileName(this, QStringLiteral("비교할 프로젝트"), m_pPath->text(), kProjectFilter);
    if (!path.isEmpty()) {
        m_pPath->setText(path);
        m_pOther->setChecked(true);
    }
}

// Another file holds no exclusion, so this project is computed as its file would be; the
// insertion loss is all barriers minus the project without the chosen ones.
void CDifferenceMapDialog::OnVariantChanged()
{
    const bool other = m_pOther->isChecked();
    m_pPath->setEnabled(other);
    m_pBrowse->setEnabled(other);
    if (!other)
        m_pExclusion->setText(
            QStringLiteral("이 프로젝트(모든 방음벽)에서 %1 없이 계산한 지도를 뺍니다.").arg(m_strExcluded));
    else if (!m_strExcluded.isEmpty())
        m_pExclusion->setText(QStringLiteral("방음벽 제외(%1)는 적용하지 않습니다: 이 프로젝트도 파일처럼 모든 "
                                             "방음벽으로 계산합니다.")
                                  .arg(m_strExcluded));
    else
        m_pExclusion->setText(QStringLiteral("제외한 방음벽이 없습니다: 두 프로젝트 모두 모든 방음벽으로 계산합니다."));
}
