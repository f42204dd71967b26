#pragma once

// Applies what the user does in the environment pane: settings taken over at once with
// their clamps, the emptied display lists, the repaints, and the navigation buttons
// acting on the active view (0 = plan view, 1 = section view). A noise map shown in the
// views is removed as soon as a setting it was computed from changes.

#include <functional>

#include <QObject>
#include <QString>

#include "dialogs/environment_box.h"

class CMyTalvoDoc;
class CPlan_View;
class CSection_View;
class CNavigableView;

class CEnvironmentController : public QObject {
    Q_OBJECT
public:
    // markModified is told which setting changed (the field, or kSectionAxisChange), so
    // that consecutive edits of one field can make one undo step.
    CEnvironmentController(CEnvironmentBox* box, CMyTalvoDoc* doc, CPlan_View* plan, CSection_View* section,
                           std::function<void(int)> markModified, QObject* parent = nullptr);

    static constexpr int kSectionAxisChange = 1000;

    int ActiveView() const { return m_nActiveView; }
    CNavigableView* ActiveNavigable() const;

    // The undo step's name for a change of setting (a field, or kSectionAxisChange).
    static QString StepName(int setting);
    // The status bar text when a changed setting removed the noise map.
    static QString StaleMapMessage();

signals:
    void statusMessage(const QString& text);

private:
    void OnFieldEdited(EEnvField field, const QString& text);
    void OnFieldFinished(EEnvField field);
    void OnShowReceivers();
    void OnSectionAxis(int axis);
    void OnActiveView(int view);
    void OnNavigate(ENavigation step);
    void Repaint(bool plan, bool section);
    void DropStaleNoiseMap(const CProjectSettings& before);
    void ShowSectionSpacingWarning();
    void ShowFacadeWarning();

    CEnvironmentBox* m_pBox;
    CMyTalvoDoc* m_pDoc;
    CPlan_View* m_pPlanView;
    CSection_View* m_pSectionView;
    std::function<void(int)> m_markModified;
    int m_nActiveView = 0;
};
