#pragma once

// The worker threads of the map code: how many to start, and a run of them over jobs
// numbered 0 .. count - 1 that each worker takes in turn until none is left.
// Thread-safe: each call starts and joins its own workers.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

// The workers a map run starts when its caller names no number (threads <= 0): one per core,
// unless a command line set another for the whole process (before starting any run).
inline std::atomic<int>& DefaultMapThreads()
{
    static std::atomic<int> threads{0};
    return threads;
}

// `threads` workers for `jobs` jobs, never more than the jobs; threads <= 0: the default.
inline int MapThreadCount(int threads, std::size_t jobs)
{
    if (threads <= 0)
        threads = DefaultMapThreads();
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(std::min<std::size_t>(std::size_t(threads), std::max<std::size_t>(1, jobs)));
}

// Runs job(worker, index) for every index below `jobs` on MapThreadCount(threads, jobs)
// workers (the calling thread is worker 0). Jobs must not depend on each other's order.
inline void RunMapJobs(int threads, std::size_t jobs, const std::function<void(int, std::size_t)>& job)
{
    std::atomic<std::size_t> next{0};
    const auto work = [&](int worker) {
        for (std::size_t k = next++; k < jobs; k = next++)
            job(worker, k);
    };
    const int count = MapThreadCount(threads, jobs);
    std::vector<std::thread> workers;
    for (int w = 1; w < count; ++w)
        workers.emplace_back(work, w);
    work(0);
    for (std::thread& t : workers)
        t.join();
}
