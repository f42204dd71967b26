#include "dialogs/environment_box.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/criterion_group.h"
#include "gis/gis_crs.h"
#include "model/building.h"

namespace {

constexpr int kPaneWidth = 300;   // pixels
constexpr int kNumberWidth = 80;  // pixels: room for "-12345.67"
constexpr int kFieldCount = static_cast<int>(EEnvField::SectionSpacing) + 1;

QString Number(double value) { return QString::asprintf("%.2f", value); }

QGroupBox* Group(const QString& title, QLayout* layout)
{
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

QLabel* WarningLabel(const char* objectName)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000"));
    label->hide();
    return label;
}

// One row: label, field, unit.
void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* field, const QString& unit)
{
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(field, row, 1);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit), row, 2);
    grid->setColumnStretch(3, 1);
}

}  // namespace

CEnvironmentBox::CEnvironmentBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("environmentBox"));
    for (int i = 0; i < kFieldCount; ++i)
        m_fields.append(nullptr);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildProjectGroup());
    layout->addWidget(BuildAirGroup());
    layout->addWidget(BuildAreaGroup());
    layout->addWidget(BuildPlanGroup());
    layout->addWidget(BuildFacadeGroup());
    m_pCriterion = new CCriterionGroup;
    layout->addWidget(m_pCriterion);
    layout->addWidget(BuildSectionGroup());
    layout->addWidget(BuildNavigationGroup());
    layout->addStretch(1);
    setMaximumWidth(kPaneWidth);
}

QLineEdit* CEnvironmentBox::MakeField(EEnvField field, const char* objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(objectName));
    m_fields[static_cast<int>(field)] = edit;
    if (field != EEnvField::ProjectName)
        edit->setMaximumWidth(kNumberWidth);
    // textEdited fires for the user's changes only, so showing settings reports nothing.
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) { emit fieldEdited(field, text); });
    connect(edit, &QLineEdit::editingFinished, this, [this, field] { emit fieldFinished(field); });
    return edit;
}

QWidget* CEnvironmentBox::BuildProjectGroup()
{
    auto* layout = new QVBoxLayout;
    layout->addWidget(MakeField(EEnvField::ProjectName, "projectName"));
    // The coordinate system is chosen in a window that checks the code with PROJ.
    auto* crsRow = new QHBoxLayout;
    m_pCrs = new QLineEdit;
    m_pCrs->setObjectName(QStringLiteral("crsField"));
    m_pCrs->setReadOnly(true);
    m_pCrsButton = new QPushButton(QStringLiteral("변경"));
    m_pCrsButton->setObjectName(QStringLiteral("crsChange"));
    m_pCrsButton->setToolTip(QStringLiteral("프로젝트 좌표의 좌표계(EPSG 코드)를 정합니다."));
    connect(m_pCrsButton, &QPushButton::clicked, this, &CEnvironmentBox::crsChangeRequested);
    crsRow->addWidget(new QLabel(QStringLiteral("좌표계")));
    crsRow->addWidget(m_pCrs, 1);
    crsRow->addWidget(m_pCrsButton);
    layout->addLayout(crsRow);
    return Group(QStringLiteral("프로젝트 정보"), layout);
}

QWidget* CEnvironmentBox::BuildAirGroup()
{
    auto* grid = new QGridLayout;
    AddRow(grid, 0, QStringLiteral("온  도"), MakeField(EEnvField::Temperature, "temperature"), QStringLiteral("℃"));
    AddRow(grid, 1, QStringLiteral("습  도"), MakeField(EEnvField::Humidity, "humidity"), QStringLiteral("%"));
    AddRow(grid, 2, QStringLiteral("기  압"), MakeField(EEnvField::Pressure, "pressure"), QStringLiteral("kPa"));
    return Group(QStringLiteral("환경 변수"), grid);
}

QWidget* CEnvironmentBox::BuildAreaGroup()
{
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("시작점")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("종료점")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("X 축")), 1, 0);
    grid->addWidget(MakeField(EEnvField::AreaStartX, "areaStartX"), 1, 1);
    grid->addWidget(MakeField(EEnvField::AreaEndX, "areaEndX"), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("(m)")), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Y 축")), 2, 0);
    grid->addWidget(MakeField(EEnvField::AreaStartY, "areaStartY"), 2, 1);
    grid->addWidget(MakeField(EEnvField::AreaEndY, "areaEndY"), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("(m)")), 2, 3);
    grid->setColumnStretch(4, 1);
    return Group(QStringLiteral("계산 영역"), grid);
}

QWidget* CEnvironmentBox::BuildPlanGroup()
{
    auto* grid = new QGridLayout;
    AddRow(grid, 0, QStringLiteral("수음점 간격"), MakeField(EEnvField::ReceiverSpacing, "receiverSpacing"),
           QStringLiteral("(m)"));
    AddRow(grid, 1, QStringLiteral("수음점 높이"), MakeField(EEnvField::ReceiverHeight, "receiverHeight"),
           QStringLiteral("(m)"));
    QLineEdit* sectionSpacing = MakeField(EEnvField::SectionSpacing, "sectionSpacing");
    sectionSpacing->setPlaceholderText(QStringLiteral("자동"));
    sectionSpacing->setToolTip(
        QStringLiteral("단면 소음지도의 격자 간격입니다. 비워 두면 1 m와 수음점 간격의 "
                       "1/5 중 작은 값입니다."));
    AddRow(grid, 2, QStringLiteral("단면 간격"), sectionSpacing, QStringLiteral("(m)"));
    m_pSectionSpacingWarning = WarningLabel("sectionSpacingWarning");
    grid->addWidget(m_pSectionSpacingWarning, 3, 0, 1, 4);
    m_pFacadeFloor = new QSpinBox;
    m_pFacadeFloor->setObjectName(QStringLiteral("facadeFloor"));
    m_pFacadeFloor->setRange(0, kMaxBuildingFloors);
    m_pFacadeFloor->setSpecialValueText(QStringLiteral("최고층"));
    m_pFacadeFloor->setMaximumWidth(kNumberWidth);
    m_pFacadeFloor->setToolTip(QStringLiteral("계산 후 평면창에 외벽 수음점을 그릴 층입니다."));
    connect(m_pFacadeFloor, &QSpinBox::valueChanged, this, &CEnvironmentBox::facadeFloorChosen);
    AddRow(grid, 4, QStringLiteral("외벽 층"), m_pFacadeFloor, {});
    m_pShowReceivers = new QPushButton(QStringLiteral("수음점 보이기"));
    m_pShowReceivers->setObjectName(QStringLiteral("showReceivers"));
    m_pShowReceivers->setCheckable(true);
    connect(m_pShowReceivers, &QPushButton::clicked, this, &CEnvironmentBox::showReceiversClicked);
    grid->addWidget(m_pShowReceivers, 5, 0, 1, 3);
    return Group(QStringLiteral("평면창 정보"), grid);
}

QWidget* CEnvironmentBox::BuildFacadeGroup()
{
    auto* grid = new QGridLayout;
    AddRow(grid, 0, QStringLiteral("간격 s"), MakeField(EEnvField::FacadeSpacing, "facadeSpacing"),
           QStringLiteral("(m)"));
    AddRow(grid, 1, QStringLiteral("벽에서 거리 d"), MakeField(EEnvField::FacadeDistance, "facadeDistance"),
           QStringLiteral("(m)"));
    AddRow(grid, 2, QStringLiteral("층 위 높이 h_a"), MakeField(EEnvField::FacadeHeight, "facadeHeight"),
           QStringLiteral("(m)"));
    m_pFacadeWarning = WarningLabel("facadeWarning");
    grid->addWidget(m_pFacadeWarning, 3, 0, 1, 4);
    return Group(QStringLiteral("외벽 수음점"), grid);
}

QWidget* CEnvironmentBox::BuildSectionGroup()
{
    auto* grid = new QGridLayout;
    auto* axisX = new QRadioButton(QStringLiteral("X ="));
    auto* axisY = new QRadioButton(QStringLiteral("Y ="));
    axisX->setObjectName(QStringLiteral("axisX"));
    axisY->setObjectName(QStringLiteral("axisY"));
    m_pAxisGroup = new QButtonGroup(this);
    m_pAxisGroup->addButton(axisX, 0);
    m_pAxisGroup->addButton(axisY, 1);
    connect(m_pAxisGroup, &QButtonGroup::idClicked, this, &CEnvironmentBox::sectionAxisChosen);
    AddRow(grid, 0, {}, MakeField(EEnvField::SectionX, "sectionX"), QStringLiteral("(m)"));
    AddRow(grid, 1, {}, MakeField(EEnvField::SectionY, "sectionY"), QStringLiteral("(m)"));
    grid->addWidget(axisX, 0, 0);
    grid->addWidget(axisY, 1, 0);
    return Group(QStringLiteral("단면창 정보"), grid);
}

QPushButton* CEnvironmentBox::MakeNavButton(const QString& text, ENavigation step, const char* objectName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QLatin1String(objectName));
    connect(button, &QPushButton::clicked, this, [this, step] { emit navigationRequested(step); });
    return button;
}

QWidget* CEnvironmentBox::BuildNavigationGroup()
{
    auto* grid = new QGridLayout;
    auto* plan = new QRadioButton(QStringLiteral("평면창"));
    auto* section = new QRadioButton(QStringLiteral("단면창"));
    plan->setObjectName(QStringLiteral("activePlan"));
    section->setObjectName(QStringLiteral("activeSection"));
    plan->setChecked(true);
    m_pViewGroup = new QButtonGroup(this);
    m_pViewGroup->addButton(plan, 0);
    m_pViewGroup->addButton(section, 1);
    connect(m_pViewGroup, &QButtonGroup::idClicked, this, &CEnvironmentBox::activeViewChosen);
    grid->addWidget(plan, 0, 0, 1, 2);
    grid->addWidget(section, 0, 2, 1, 2);
    grid->addWidget(MakeNavButton(QStringLiteral("△"), ENavigation::PanUp, "panUp"), 1, 1);
    grid->addWidget(MakeNavButton(QStringLiteral("◁"), ENavigation::PanLeft, "panLeft"), 2, 0);
    grid->addWidget(MakeNavButton(QStringLiteral("⊙"), ENavigation::Centre, "centre"), 2, 1);
    grid->addWidget(MakeNavButton(QStringLiteral("▷"), ENavigation::PanRight, "panRight"), 2, 2);
    grid->addWidget(MakeNavButton(QStringLiteral("▽"), ENavigation::PanDown, "panDown"), 3, 1);
    grid->addWidget(MakeNavButton(QStringLiteral("확대"), ENavigation::ZoomIn, "zoomIn"), 1, 3);
    grid->addWidget(MakeNavButton(QStringLiteral("100 %"), ENavigation::ZoomReset, "zoomReset"), 2, 3);
    grid->addWidget(MakeNavButton(QStringLiteral("축소"), ENavigation::ZoomOut, "zoomOut"), 3, 3);
    return Group(QStringLiteral("화면 조정"), grid);
}

void CEnvironmentBox::ShowNumber(EEnvField field, double value) { Field(field)->setText(Number(value)); }

void CEnvironmentBox::ShowSectionSpacing(double value)
{
    Field(EEnvField::SectionSpacing)->setText(value > 0 ? Number(value) : QString());
}

void CEnvironmentBox::ShowSectionSpacingWarning(const QString& text)
{
    m_pSectionSpacingWarning->setText(text);
    m_pSectionSpacingWarning->setVisible(!text.isEmpty());
}

void CEnvironmentBox::ShowFacadeWarning(const QString& text)
{
    m_pFacadeWarning->setText(text);
    m_pFacadeWarning->setVisible(!text.isEmpty());
}

void CEnvironmentBox::ShowSettings(const CProjectSettings& s)
{
    Field(EEnvField::ProjectName)->setText(QString::fromStdString(s.m_strProjectName));
    ShowCrs(s.m_strCrs);
    ShowNumber(EEnvField::Temperature, s.m_dTemperature);
    ShowNumber(EEnvField::Humidity, s.m_dHumidity);
    ShowNumber(EEnvField::Pressure, s.m_dPressure);
    ShowNumber(EEnvField::AreaStartX, s.m_dAreaStartX);
    ShowNumber(EEnvField::AreaEndX, s.m_dAreaEndX);
    ShowNumber(EEnvField::AreaStartY, s.m_dAreaStartY);
    ShowNumber(EEnvField::AreaEndY, s.m_dAreaEndY);
    ShowNumber(EEnvField::SectionX, s.m_dSectionX);
    ShowNumber(EEnvField::SectionY, s.m_dSectionY);
    ShowNumber(EEnvField::ReceiverSpacing, s.m_dReceiverSpacing);
    ShowSectionSpacing(s.m_dSectionSpacing);
    ShowSectionSpacingWarning({});
    ShowNumber(EEnvField::FacadeSpacing, s.m_dFacadeSpacing);
    ShowNumber(EEnvField::FacadeDistance, s.m_dFacadeDistance);
    ShowNumber(EEnvField::FacadeHeight, s.m_dFacadeHeight);
    ShowFacadeWarning({});
    if (s.m_bReceiverHeightEmpty)
        Field(EEnvField::ReceiverHeight)->clear();
    else
        ShowNumber(EEnvField::ReceiverHeight, s.m_dReceiverHeight);
    m_pShowReceivers->setChecked(s.m_bShowReceivers);
    m_pAxisGroup->button(s.m_nSectionAxis == 0 ? 0 : 1)->setChecked(true);
    m_pCriterion->ShowSettings(s);
}

QLineEdit* CEnvironmentBox::Field(EEnvField field) const { return m_fields[static_cast<int>(field)]; }

int CEnvironmentBox::ActiveView() const { return m_pViewGroup->checkedId() == 1 ? 1 : 0; }

void CEnvironmentBox::ShowCrs(const std::string& code)
{
    if (code.empty()) {
        m_pCrs->setText(QStringLiteral("지역 좌표 (m)"));
        return;
    }
    const CCrsCheck check = CheckCrs(code);
    const QString name = QString::fromStdString(check.ok ? check.name : std::string("?"));
    m_pCrs->setText(QStringLiteral("%1 %2").arg(QString::fromStdString(code), name));
    m_pCrs->setCursorPosition(0);
    m_pCrs->setToolTip(m_pCrs->text());
}
