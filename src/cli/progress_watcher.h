#pragma once

// Watches a run of the core from a thread of its own: draws a progress bar on stderr
// (refreshed at most ten times a second, and only when stderr is a terminal) and turns
// Ctrl+C (SIGINT) and SIGTERM into a cancel request on the run's progress, so the run
// ends cleanly.

#include <atomic>
#include <string>
#include <thread>

#include "model/run_progress.h"

class CProgressWatcher {
public:
    CProgressWatcher(CRunProgress& progress, std::string label);
    ~CProgressWatcher();
    CProgressWatcher(const CProgressWatcher&) = delete;
    CProgressWatcher& operator=(const CProgressWatcher&) = delete;

    // Ends the watch: draws the final state and ends the bar's line. Idempotent.
    void Stop();
    // True when the run was interrupted by Ctrl+C or SIGTERM.
    bool Interrupted() const;
    // The exit status of a run stopped so: 128 + the signal (130 for Ctrl+C, 143 for SIGTERM).
    int ExitStatus() const;

private:
    void Watch();
    void Draw() const;

    CRunProgress& m_progress;
    const std::string m_label;
    const bool m_bDraw;
    std::atomic<bool> m_stop{false};
    std::jthread m_thread;
};
