#include "dialogs/criterion_group.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "dialogs/number_fields.h"
#include "model/compliance.h"
#include "model/project_settings.h"

namespace {

constexpr int kCriterionNumberWidth = 80;  // pixels, as the pane's other number fields

QLineEdit* NumberField(const char* objectName, const QString& placeholder, const QString& tip)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(objectName));
    edit->setMaximumWidth(kCriterionNumberWidth);
    edit->setPlaceholderText(placeholder);
    edit->setToolTip(tip);
    return edit;
}

QString OptionalText(const std::optional<double>& value) { return value ? Fixed2(*value) : QString(); }

}  // namespace

CCriterionGroup::CCriterionGroup(QWidget* parent) : QGroupBox(QStringLiteral("평가 기준"), parent)
{
    setObjectName(QStringLiteral("criterionGroup"));
    m_pCriterion = new QComboBox;
    m_pCriterion->setObjectName(QStringLiteral("criterion"));
    for (int c = 0; c <= static_cast<int>(ECriterion::kUserDefined); ++c)
        m_pCriterion->addItem(QString::fromUtf8(CriterionName(static_cast<ECriterion>(c))));
    m_pZone = new QComboBox;
    m_pZone->setObjectName(QStringLiteral("criterionZone"));
    m_pZone->setToolTip(QStringLiteral("수음점과 건물이 따로 정하지 않으면 이 지역의 기준을 따릅니다."));
    const QString userTip = QStringLiteral("사용자 정의 기준의 값 (dB(A)). 비우면 그 시간대의 기준이 없습니다.");
    m_pUserDay = NumberField("userDayLimit", QStringLiteral("없음"), userTip);
    m_pUserNight = NumberField("userNightLimit", QStringLiteral("없음"), userTip);
    m_pNightRatio = NumberField(
        "nightTrafficRatio", QStringLiteral("없음"),
        QStringLiteral("야간 시간당 교통량을 주간의 몇 배로 볼지 (예: 0.3). 야간 교통량이나 야간 음향파워가 없는 "
                       "도로와 터널의 야간 음향파워는 주간 + 10·lg(비율)입니다. 비우면 그런 도로는 야간 소음이 "
                       "없습니다."));
    m_pWarning = new QLabel;
    m_pWarning->setObjectName(QStringLiteral("criterionWarning"));
    m_pWarning->setWordWrap(true);
    m_pWarning->setStyleSheet(QStringLiteral("color: #b00000"));
    m_pWarning->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("기준")), 0, 0);
    grid->addWidget(m_pCriterion, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("지역")), 1, 0);
    grid->addWidget(m_pZone, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("주간 / 야간")), 2, 0);
    grid->addWidget(m_pUserDay, 2, 1);
    grid->addWidget(m_pUserNight, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("dB(A)")), 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("야간 교통량 비율")), 3, 0, 1, 2);
    grid->addWidget(m_pNightRatio, 3, 2);
    grid->addWidget(m_pWarning, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    connect(m_pCriterion, &QComboBox::activated, this, &CCriterionGroup::criterionChosen);
    connect(m_pZone, &QComboBox::activated, this,
            [this](int index) { emit zoneChosen(m_pZone->itemData(index).toString()); });
    connect(m_pUserDay, &QLineEdit::textEdited, this,
            [this](const QString& text) { emit userLimitEdited(EPeriod::kDay, text); });
    connect(m_pUserNight, &QLineEdit::textEdited, this,
            [this](const QString& text) { emit userLimitEdited(EPeriod::kNight, text); });
    connect(m_pNightRatio, &QLineEdit::textEdited, this, &CCriterionGroup::nightRatioEdited);
}

void CCriterionGroup::ShowSettings(const CProjectSettings& settings)
{
    const ECriterion criterion = ProjectCriterion(settings);
    const QSignalBlocker block(m_pCriterion);
    m_pCriterion->setCurrentIndex(static_cast<int>(criterion));
    FillZones(criterion, settings.m_strZone);
    EnableUserLimits(criterion);
    m_pUserDay->setText(OptionalText(settings.m_dUserDayLimit));
    m_pUserNight->setText(OptionalText(settings.m_dUserNightLimit));
    m_pNightRatio->setText(settings.m_dNightTrafficRatio ? QString::number(*settings.m_dNightTrafficRatio, 'g', 6)
                                                         : QString());
    ShowWarning({});
}

// "가 (주거지역 등)" for each zone; a zone the criterion does not know is shown as it is,
// so that the pane never hides what the project holds.
void CCriterionGroup::FillZones(ECriterion criterion, const std::string& zone)
{
    const QSignalBlocker block(m_pZone);
    m_pZone->clear();
    for (const CZoneLimit& z : CriterionZones(criterion))
        m_pZone->addItem(
            QStringLiteral("%1 (%2)").arg(QString::fromUtf8(z.m_pZone), QString::fromUtf8(z.m_pDescription)),
            QString::fromUtf8(z.m_pZone));
    int index = m_pZone->findData(QString::fromStdString(zone));
    if (index < 0 && !zone.empty()) {
        m_pZone->addItem(QString::fromStdString(zone), QString::fromStdString(zone));
        index = m_pZone->count() - 1;
    }
    m_pZone->setCurrentIndex(index);
    m_pZone->setEnabled(m_pZone->count() > 1);
}

void CCriterionGroup::EnableUserLimits(ECriterion criterion)
{
    const bool user = criterion == ECriterion::kUserDefined;
    m_pUserDay->setEnabled(user);
    m_pUserNight->setEnabled(user);
}

void CCriterionGroup::ShowWarning(const QString& text)
{
    m_pWarning->setText(text);
    m_pWarning->setVisible(!text.isEmpty());
}
