#pragma once

// What one run of the calculate command is for, given by its caller: an ordinary
// prediction (the default), a barrier-length search, or one evaluation of an
// optimisation candidate barrier at one receiver. The engine reads the searches' state
// only from here, never from the document's own optimisation members.

#include <optional>

#include "model/entities.h"

struct CRunInputs {
    // Set: an optimisation run. The candidate barrier screens and reflects like a
    // free-standing barrier, and only m_nOptimisedReceiver is processed.
    std::optional<CBarrier_Stage> m_candidate;
    int m_nOptimisedReceiver = -1;  // 0-based; out of range: no receiver is processed
    // A barrier-length search: the prediction records the divergence of the searched
    // road's pieces at the searched receiver (the document's length-search record).
    bool m_bRecordDivergence = false;

    bool IsOptimisation() const { return m_candidate.has_value(); }
    // An ordinary prediction: neither a search nor an optimisation.
    bool IsOrdinary() const { return !m_bRecordDivergence && !IsOptimisation(); }
};
