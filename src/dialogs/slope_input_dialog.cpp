#include "dialogs/slope_input_dialog.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/band_row_widget.h"
#include "dialogs/input_form_helpers.h"
#include "dialogs/number_fields.h"
#include "dialogs/slope_direction_buttons.h"

namespace {

const QString kSlopeAbsorptionEmptyBox = QStringLiteral("1.000");

QString Named(const CSlopeKind& kind, const char* suffix)
{
    return QString::fromUtf8(kind.m_szName) + QString::fromUtf8(suffix);
}

}  // namespace

const CSlopeKind& EmbankmentKind()
{
    static const CSlopeKind kind{"성토", kDefaultEmbankmentDescription, kMsgDuplicateEmbankment, false};
    return kind;
}

const CSlopeKind& CuttingKind()
{
    static const CSlopeKind kind{"절토", kDefaultCuttingDescription, kMsgDuplicateCutting, true};
    return kind;
}

std::string SlopeKey(const CSlope& s) { return MakeKey({s.m_dStartX, s.m_dStartY, s.m_dEndX, s.m_dEndY, s.m_dHeight}); }

std::string ReversedSlopeKey(const CSlope& s)
{
    return MakeKey({s.m_dEndX, s.m_dEndY, s.m_dStartX, s.m_dStartY, s.m_dHeight});
}

double BaseHeightOf(const std::vector<CJulto>& cuttings)
{
    double base = 0.0;
    for (const CJulto& cutting : cuttings)
        base = std::min(base, cutting.m_dHeight);
    return base;
}

CSlopeInputDlg::CSlopeInputDlg(const CSlopeKind& kind, QWidget* parent)
    : CEntityInputDlg(Named(kind, " 입력"), kind.m_szDuplicateMessage, parent), m_kind(kind)
{
    BuildForm();
    m_form.m_pDirection->SetDirection(0);
}

void CSlopeInputDlg::BuildForm()
{
    auto* layout = new QVBoxLayout(this);
    AddIdRow(layout, m_form);
    layout->addWidget(MakeGeometryGroup());
    const auto body =
        m_kind.m_bCutting ? CSlopeDirectionButtons::EBody::Cutting : CSlopeDirectionButtons::EBody::Embankment;
    m_form.m_pDirection = new CSlopeDirectionButtons(Named(m_kind, " 방향"), body, this);
    layout->addWidget(m_form.m_pDirection);
    m_form.m_pAbsorption = new CBandRowWidget(QStringLiteral("흡 음 률"), CBandRowWidget::EOverall::Hidden,
                                              QStringLiteral("중심 주파수"), this);
    m_form.m_pAbsorption->SetStyle(AbsorptionRowStyle(kSlopeAbsorptionEmptyBox));
    layout->addWidget(m_form.m_pAbsorption);
    layout->addWidget(MakeButtonRow());

    connect(m_form.m_pAbsorption, &CBandRowWidget::EditingChanged, this, &CSlopeInputDlg::OnAbsorptionEditing);
}

QWidget* CSlopeInputDlg::MakeGeometryGroup()
{
    QGridLayout* grid = nullptr;
    QWidget* group = NewGridPanel(this, grid);
    grid->addWidget(new QLabel(Named(m_kind, " 시작점 (m)"), group), 0, 0);
    grid->addWidget(new QLabel(Named(m_kind, " 종료점 (m)"), group), 1, 0);
    m_form.m_pStartX = AddLabelledField(grid, 0, 1, QStringLiteral("X"), group);
    m_form.m_pStartY = AddLabelledField(grid, 0, 3, QStringLiteral("Y"), group);
    m_form.m_pEndX = AddLabelledField(grid, 1, 1, QStringLiteral("X"), group);
    m_form.m_pEndY = AddLabelledField(grid, 1, 3, QStringLiteral("Y"), group);
    m_form.m_pHeight = AddLabelledField(grid, 1, 5, QStringLiteral("Z"), group);
    m_form.m_pWidth = AddLabelledField(grid, 2, 0, Named(m_kind, " 너비 (m)"), group);
    return group;
}

QWidget* CSlopeInputDlg::MakeButtonRow()
{
    QHBoxLayout* layout = nullptr;
    QWidget* row = NewRowPanel(this, layout);
    m_form.m_pOk = AddCommandButton(layout, QStringLiteral("확인(&D)"), row);
    m_form.m_pApply = AddCommandButton(layout, QStringLiteral("적용(&A)"), row);
    m_form.m_pCopy = AddCommandButton(layout, QStringLiteral("복사(&O)"), row);
    m_form.m_pCancel = AddCommandButton(layout, QStringLiteral("취소(&C)"), row);
    m_form.m_pDelete = AddCommandButton(layout, QStringLiteral("제거(&X)"), row);
    ConnectCommands(m_form);
    return row;
}

// The entity as a store would keep it; empty (after the message) when a field does not read.
std::optional<CSlope> CSlopeInputDlg::BuildFromForm()
{
    CSlope slope;
    CFormReader reader(this);
    double sx = 0, sy = 0, ex = 0, ey = 0, height = 0, width = 0;
    reader.Double(m_form.m_pStartX, sx);
    reader.Double(m_form.m_pStartY, sy);
    reader.Double(m_form.m_pEndX, ex);
    reader.Double(m_form.m_pEndY, ey);
    reader.Double(m_form.m_pHeight, height);
    reader.Double(m_form.m_pWidth, width);
    const auto absorption = reader.Ok() ? ReadBandRow(this, m_form.m_pAbsorption) : std::nullopt;
    if (!absorption)
        return std::nullopt;
    slope.SetGeometry(sx, sy, ex, ey, height, width, std::hypot(ex - sx, ey - sy));
    slope.m_dAbsorption = *absorption;
    slope.m_nDirection = m_form.m_pDirection->Direction();
    slope.SetDescription(m_form.m_pDescription->text().toStdString());
    slope.SetKey(SlopeKey(slope));
    slope.ComputeAngle();
    return slope;
}

bool CSlopeInputDlg::ReadPending()
{
    auto slope = BuildFromForm();
    return m_pending.Set(std::move(slope), EditedIndex());
}

void CSlopeInputDlg::ClearBeforeCommit() { m_form.m_pAbsorption->Fill(kDefaultSlopeAbsorption); }

void CSlopeInputDlg::Load(int index)
{
    const CSlope& slope = At(index);
    m_form.m_pStartX->setText(Fixed2(slope.m_dStartX));
    m_form.m_pStartY->setText(Fixed2(slope.m_dStartY));
    m_form.m_pEndX->setText(Fixed2(slope.m_dEndX));
    m_form.m_pEndY->setText(Fixed2(slope.m_dEndY));
    m_form.m_pHeight->setText(Fixed2(slope.m_dHeight));
    m_form.m_pWidth->setText(Fixed2(slope.m_dWidth));
    m_form.m_pDescription->setText(QString::fromStdString(slope.m_pDescription));
    m_form.m_pDirection->SetDirection(slope.m_nDirection);
    m_form.m_pAbsorption->SetValues(slope.m_dAbsorption);
    emit FormChanged();
}

// The cutting window keeps the direction it shows; the embankment window goes back to
// the first picture.
void CSlopeInputDlg::ResetForm()
{
    m_form.m_pDescription->setText(QString::fromUtf8(m_kind.m_szDefaultDescription));
    for (QLineEdit* field :
         {m_form.m_pStartX, m_form.m_pStartY, m_form.m_pEndX, m_form.m_pEndY, m_form.m_pHeight, m_form.m_pWidth})
        field->setText(QStringLiteral("0"));
    if (!m_kind.m_bCutting)
        m_form.m_pDirection->SetDirection(0);
    m_form.m_pAbsorption->Fill(kDefaultSlopeAbsorption);
    emit FormChanged();
}

void CSlopeInputDlg::OnAbsorptionEditing(bool editing)
{
    SetWidgetsEnabled({m_form.m_pId, m_form.m_pApply, m_form.m_pOk, m_form.m_pCopy, m_form.m_pCancel, m_form.m_pDelete},
                      !editing);
}
