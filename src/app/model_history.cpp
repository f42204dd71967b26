#include "app/model_history.h"

#include <utility>

#include <QUndoCommand>

#include "model/document.h"

namespace {

// One step: the model before and after a committed change. The change has already been
// made when the step is pushed, so the first redo does nothing.
class CModelStepCommand : public QUndoCommand {
public:
    CModelStepCommand(CModelHistory* history, CMyTalvoDoc* doc, CModelState before, CModelState after,
                      const QString& name, int mergeKey)
        : QUndoCommand(name),
          m_pHistory(history),
          m_pDoc(doc),
          m_before(std::move(before)),
          m_after(std::move(after)),
          m_nMergeKey(mergeKey)
    {
    }

    // The state being left is this step's other end as it stands now (a calculation may
    // have made its results current since), so it is taken back before the swap.
    void undo() override
    {
        m_after = m_pHistory->Current();
        Put(m_before);
    }
    void redo() override
    {
        if (m_bDone) {
            m_before = m_pHistory->Current();
            Put(m_after);
        }
        m_bDone = true;
    }
    int id() const override { return m_nMergeKey; }
    bool mergeWith(const QUndoCommand* other) override
    {
        m_after = static_cast<const CModelStepCommand*>(other)->m_after;
        return true;
    }

private:
    void Put(const CModelState& state)
    {
        state.ApplyTo(*m_pDoc);
        m_pHistory->SetCurrent(state);
        emit m_pHistory->ModelRestored();
    }

    CModelHistory* m_pHistory;
    CMyTalvoDoc* m_pDoc;
    CModelState m_before, m_after;
    int m_nMergeKey;
    bool m_bDone = false;
};

}  // namespace

CModelHistory::CModelHistory(CMyTalvoDoc* doc, QObject* parent) : QObject(parent), m_pDoc(doc) { Reset(); }

void CModelHistory::Record(const QString& name, int mergeKey)
{
    CModelState after = CModelState::Of(*m_pDoc);
    CModelState before = std::exchange(m_current, after);
    m_stack.push(new CModelStepCommand(this, m_pDoc, std::move(before), std::move(after), name, mergeKey));
}

void CModelHistory::Reset()
{
    m_stack.clear();
    m_current = CModelState::Of(*m_pDoc);
}

void CModelHistory::ResultsComputed()
{
    m_current.resultsCurrent = !m_pDoc->m_bResultsStale;
    m_current.resultsRevision = m_pDoc->m_nResultsRevision;
}
