#pragma once

// Progress and cancellation of one long run on a worker (the receiver export, the
// barrier optimisation): a done counter, a total and a cancel flag.
// Thread-safe: every member is atomic; the run updates it while a watcher on another
// thread (a dialog's timer, a progress bar) reads it and may request cancellation.

#include <atomic>
#include <cstdint>

class CRunProgress {
public:
    // Called by the run when it starts; a cancel requested earlier stays requested.
    void Start(std::int64_t total)
    {
        m_done = 0;
        m_total = total;
    }
    // A run that finds more work as it goes (a map refined where its classes change) adds it.
    void AddToTotal(std::int64_t more) { m_total += more; }
    void Count() { ++m_done; }
    void ResetDone() { m_done = 0; }

    std::int64_t Done() const { return m_done; }
    std::int64_t Total() const { return m_total; }
    // done * 100 / total in integer arithmetic, kept within 0..100 (0 while total is 0).
    int Percent() const
    {
        const std::int64_t total = m_total, done = m_done;
        if (total <= 0 || done <= 0)
            return 0;
        const std::int64_t percent = done >= total ? 100 : done * 100 / total;
        return static_cast<int>(percent);
    }

    void RequestCancel() { m_cancel = true; }
    bool CancelRequested() const { return m_cancel; }

private:
    std::atomic<std::int64_t> m_done{0};
    std::atomic<std::int64_t> m_total{0};
    std::atomic<bool> m_cancel{false};
};
