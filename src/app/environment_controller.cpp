#include "app/environment_controller.h"

#include <QLineEdit>

#include "engine/noise_map_compute.h"
#include "model/document.h"
#include "model/model_change_names.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

// One pan step of the navigation buttons, view units.
constexpr double kPanStep = 0.1;

constexpr EEnvField kFacadeFields[] = {EEnvField::FacadeSpacing, EEnvField::FacadeDistance, EEnvField::FacadeHeight};
constexpr const char* kMsgBadFacadeSetting =
    "외벽 수음점의 간격과 벽에서 거리는 0보다 큰 숫자, 층 위 높이는 0 이상의 숫자여야 합니다.";

bool IsFacadeField(EEnvField field)
{
    return field == EEnvField::FacadeSpacing || field == EEnvField::FacadeDistance || field == EEnvField::FacadeHeight;
}

}  // namespace

CEnvironmentController::CEnvironmentController(CEnvironmentBox* box, CMyTalvoDoc* doc, CPlan_View* plan,
                                               CSection_View* section, std::function<void(int)> markModified,
                                               QObject* parent)
    : QObject(parent),
      m_pBox(box),
      m_pDoc(doc),
      m_pPlanView(plan),
      m_pSectionView(section),
      m_markModified(std::move(markModified))
{
    connect(box, &CEnvironmentBox::fieldEdited, this, &CEnvironmentController::OnFieldEdited);
    connect(box, &CEnvironmentBox::fieldFinished, this, &CEnvironmentController::OnFieldFinished);
    connect(box, &CEnvironmentBox::showReceiversClicked, this, &CEnvironmentController::OnShowReceivers);
    connect(box, &CEnvironmentBox::sectionAxisChosen, this, &CEnvironmentController::OnSectionAxis);
    connect(box, &CEnvironmentBox::activeViewChosen, this, &CEnvironmentController::OnActiveView);
    connect(box, &CEnvironmentBox::navigationRequested, this, &CEnvironmentController::OnNavigate);
    connect(box, &CEnvironmentBox::facadeFloorChosen, plan, &CPlan_View::SetFacadeFloor);
}

CNavigableView* CEnvironmentController::ActiveNavigable() const
{
    if (m_nActiveView == 1)
        return m_pSectionView;
    return m_pPlanView;
}

void CEnvironmentController::Repaint(bool plan, bool section)
{
    if (section)
        m_pSectionView->update();
    if (plan)
        m_pPlanView->update();
}

QString CEnvironmentController::StepName(int setting)
{
    if (setting == kSectionAxisChange)
        return QString::fromStdString(SectionAxisChangeName());
    return QString::fromStdString(ChangeName(static_cast<EEnvField>(setting)));
}

QString CEnvironmentController::StaleMapMessage()
{
    return QStringLiteral("환경이 바뀌어 소음지도를 지웠습니다. 소음지도를 다시 계산하세요.");
}

// A map computed with other air, area, receiver grid or section line would show wrong levels.
void CEnvironmentController::DropStaleNoiseMap(const CProjectSettings& before)
{
    if (!m_pPlanView->IsShowingNoiseMap() || SameNoiseMapInputs(before, m_pDoc->m_settings))
        return;
    m_pPlanView->ClearNoiseMap();
    emit statusMessage(StaleMapMessage());
}

// Says under the section spacing why its text is not taken, or why the section map it gives
// would be refused (too many nodes for the line); a rejected text stays in the field as typed.
void CEnvironmentController::ShowSectionSpacingWarning()
{
    CProjectSettings probe = m_pDoc->m_settings;
    const std::string typed = m_pBox->Field(EEnvField::SectionSpacing)->text().toStdString();
    std::string warning;
    if (ApplyEnvField(probe, EEnvField::SectionSpacing, typed).m_bRejected)
        warning = kMapMsgBadSectionSpacing;
    else if (const double spacing = SectionSpacing(probe); spacing > 0)
        warning = CheckSectionMap(probe, spacing);
    m_pBox->ShowSectionSpacingWarning(QString::fromStdString(warning));
}

// Says under the façade receiver settings when one of them does not take the text typed
// (the setting keeps its value).
void CEnvironmentController::ShowFacadeWarning()
{
    bool refused = false;
    for (EEnvField field : kFacadeFields) {
        CProjectSettings probe = m_pDoc->m_settings;
        refused |= ApplyEnvField(probe, field, m_pBox->Field(field)->text().toStdString()).m_bRejected;
    }
    m_pBox->ShowFacadeWarning(refused ? QString::fromUtf8(kMsgBadFacadeSetting) : QString());
}

void CEnvironmentController::OnFieldEdited(EEnvField field, const QString& text)
{
    const CProjectSettings before = m_pDoc->m_settings;
    const CEnvEffect effect = ApplyEnvField(m_pDoc->m_settings, field, text.toStdString());
    if (effect.m_bClearDisplayLists)
        m_pPlanView->ClearDisplayLists();
    if (effect.m_bSectionMoved) {
        m_pBox->ShowNumber(EEnvField::SectionX, m_pDoc->m_settings.m_dSectionX);
        m_pBox->ShowNumber(EEnvField::SectionY, m_pDoc->m_settings.m_dSectionY);
    }
    DropStaleNoiseMap(before);
    if (!SameReceiverLevelInputs(before, m_pDoc->m_settings))
        m_pDoc->CommitModelChange();  // other air, other levels
    Repaint(effect.m_bRepaintPlan, effect.m_bRepaintSection);
    ShowSectionSpacingWarning();
    if (IsFacadeField(field))
        ShowFacadeWarning();
    if (!effect.m_bRejected)
        m_markModified(static_cast<int>(field));
}

// When the user leaves a clamped field, it shows the value actually stored.
void CEnvironmentController::OnFieldFinished(EEnvField field)
{
    const CProjectSettings& s = m_pDoc->m_settings;
    double stored = 0;
    switch (field) {
    case EEnvField::SectionX: stored = s.m_dSectionX; break;
    case EEnvField::SectionY: stored = s.m_dSectionY; break;
    case EEnvField::ReceiverSpacing: stored = s.m_dReceiverSpacing; break;
    case EEnvField::FacadeSpacing: stored = s.m_dFacadeSpacing; break;
    case EEnvField::FacadeDistance: stored = s.m_dFacadeDistance; break;
    case EEnvField::FacadeHeight: stored = s.m_dFacadeHeight; break;
    default: return;
    }
    if (ParseEnvNumber(m_pBox->Field(field)->text().toStdString()) != stored)
        m_pBox->ShowNumber(field, stored);
    if (IsFacadeField(field))
        ShowFacadeWarning();
}

void CEnvironmentController::OnShowReceivers()
{
    // A view preference, not part of the project: the project stays unchanged.
    m_pDoc->m_settings.m_bShowReceivers = !m_pDoc->m_settings.m_bShowReceivers;
    Repaint(true, false);
}

void CEnvironmentController::OnSectionAxis(int axis)
{
    const int newAxis = axis == 0 ? 0 : 1;
    const bool changed = m_pDoc->m_settings.m_nSectionAxis != newAxis;
    const CProjectSettings before = m_pDoc->m_settings;
    m_pSectionView->SetSectionAxis(newAxis);
    if (changed)
        m_markModified(kSectionAxisChange);
    DropStaleNoiseMap(before);
    ShowSectionSpacingWarning();
    m_pSectionView->setFocus();
    Repaint(true, true);
}

void CEnvironmentController::OnActiveView(int view)
{
    m_nActiveView = view == 1 ? 1 : 0;
    if (m_nActiveView == 1)
        m_pSectionView->setFocus();
    else
        m_pPlanView->setFocus();
}

void CEnvironmentController::OnNavigate(ENavigation step)
{
    CNavigableView* view = ActiveNavigable();
    switch (step) {
    case ENavigation::PanUp: view->OffsetBy(0, -kPanStep); break;
    case ENavigation::PanDown: view->OffsetBy(0, kPanStep); break;
    case ENavigation::PanLeft: view->OffsetBy(kPanStep, 0); break;
    case ENavigation::PanRight: view->OffsetBy(-kPanStep, 0); break;
    case ENavigation::Centre: view->CentreOffsets(); break;
    case ENavigation::ZoomIn: view->ZoomIn(); break;
    case ENavigation::ZoomReset: view->ZoomReset(); break;
    case ENavigation::ZoomOut: view->ZoomOut(); break;
    }
}
