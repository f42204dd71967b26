#pragma once

// Undo and redo of the project's model. Every committed change (an input window's "확인",
// an environment-pane edit, an applied optimised barrier) is recorded after it happened
// as one named step holding the model before and after it (CModelState); undo and redo
// put one of the two back. Consecutive edits of one environment field make one step.
// The stack's clean index is the saved project: moving past it marks the project changed
// or unchanged. User-interface thread only.

#include <QObject>
#include <QUndoStack>

#include "model/model_state.h"

class CMyTalvoDoc;

class CModelHistory : public QObject {
    Q_OBJECT
public:
    explicit CModelHistory(CMyTalvoDoc* doc, QObject* parent = nullptr);

    QUndoStack* Stack() { return &m_stack; }

    // Records the change just made to the document as the step `name`. A mergeKey of 0 or
    // more joins the step to the one before when that one has the same key and is not the
    // saved state.
    void Record(const QString& name, int mergeKey = -1);
    // A new or opened project: no history, and the project counts as saved.
    void Reset();
    // The project was saved: the current step is the unchanged state.
    void MarkSaved() { m_stack.setClean(); }

    // The state the last recorded, undone or redone step left (what the next step starts from).
    const CModelState& Current() const { return m_current; }
    void SetCurrent(CModelState state) { m_current = std::move(state); }
    // A calculation made the results current for the model as it stands.
    void ResultsComputed();

signals:
    // Undo or redo put a state into the document: the views and the pane must follow.
    void ModelRestored();

private:
    CMyTalvoDoc* m_pDoc;
    QUndoStack m_stack;
    CModelState m_current;
};
