#include "cli/progress_watcher.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define TALVO_ISATTY _isatty
#define TALVO_STDERR_FD 2
#else
#include <unistd.h>
#define TALVO_ISATTY isatty
#define TALVO_STDERR_FD STDERR_FILENO
#endif

namespace {

// Written by the signal handler, read by the watcher thread: a lock-free atomic is safe in
// both places (a volatile sig_atomic_t is safe only within the interrupted thread).
std::atomic<int> g_interrupted{0};
static_assert(std::atomic<int>::is_always_lock_free);

// The signal that stopped the run (SIGINT from Ctrl+C, SIGTERM from a scheduler), 0 while none.
extern "C" void OnInterrupt(int signal) { g_interrupted.store(signal); }

constexpr auto kRefresh = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

}  // namespace

CProgressWatcher::CProgressWatcher(CRunProgress& progress, std::string label)
    : m_progress(progress), m_label(std::move(label)), m_bDraw(TALVO_ISATTY(TALVO_STDERR_FD) != 0)
{
    g_interrupted.store(0);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    m_thread = std::jthread([this] { Watch(); });
}

CProgressWatcher::~CProgressWatcher() { Stop(); }

void CProgressWatcher::Stop()
{
    if (m_stop.exchange(true))
        return;
    m_thread = {};  // joins
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (m_bDraw) {
        Draw();
        std::fputc('\n', stderr);
    }
}

bool CProgressWatcher::Interrupted() const { return g_interrupted.load() != 0; }

int CProgressWatcher::ExitStatus() const
{
    const int signal = g_interrupted.load();
    return 128 + (signal != 0 ? signal : SIGINT);
}

void CProgressWatcher::Watch()
{
    while (!m_stop) {
        if (g_interrupted.load() != 0)
            m_progress.RequestCancel();
        if (m_bDraw)
            Draw();
        std::this_thread::sleep_for(kRefresh);
    }
}

void CProgressWatcher::Draw() const
{
    const int percent = m_progress.Percent();
    const int filled = percent * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %lld / %lld ( %d%% )", m_label.c_str(), bar.c_str(),
                 static_cast<long long>(m_progress.Done()), static_cast<long long>(m_progress.Total()), percent);
    std::fflush(stderr);
}
