#include "io/ordered_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

int ResolveThreadCount(int requested)
{
    if (requested > 0)
        return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

namespace {

// Results travel through a ring of `window` slots: item i lives in slot i % window, and a
// worker may only claim item i once item i - window has been consumed.
class COrderedRun {
public:
    COrderedRun(std::int64_t count, int threads, const OrderedCompute& compute)
        : m_count(count),
          m_window(static_cast<std::int64_t>(threads) * 16),
          m_compute(compute),
          m_slots(static_cast<std::size_t>(m_window))
    {
    }

    void Work()
    {
        std::int64_t index = 0;
        while (Claim(index)) {
            try {
                Deliver(index, m_compute(index));
            } catch (...) {
                Fail(std::current_exception());
                return;
            }
        }
    }

    // Waits for item index; false when the run failed before it arrived.
    bool Take(std::int64_t index, std::string& result)
    {
        std::unique_lock lock(m_mutex);
        auto& slot = Slot(index);
        m_ready.wait(lock, [&] { return slot.has_value() || m_error; });
        if (m_error)
            return false;
        result = std::move(*slot);
        slot.reset();
        m_consumed = index + 1;
        lock.unlock();
        m_free.notify_all();
        return true;
    }

    void Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_free.notify_all();
    }

    void RethrowFailure() const
    {
        if (m_error)
            std::rethrow_exception(m_error);
    }

private:
    std::optional<std::string>& Slot(std::int64_t index) { return m_slots[static_cast<std::size_t>(index % m_window)]; }

    bool Claim(std::int64_t& index)
    {
        std::unique_lock lock(m_mutex);
        m_free.wait(lock, [&] { return m_stop || m_next >= m_count || m_next < m_consumed + m_window; });
        if (m_stop || m_next >= m_count)
            return false;
        index = m_next++;
        return true;
    }

    void Deliver(std::int64_t index, std::string&& result)
    {
        {
            std::lock_guard lock(m_mutex);
            Slot(index) = std::move(result);
        }
        m_ready.notify_all();
    }

    void Fail(std::exception_ptr error)
    {
        {
            std::lock_guard lock(m_mutex);
            if (!m_error)
                m_error = std::move(error);
            m_stop = true;
        }
        m_ready.notify_all();
        m_free.notify_all();
    }

    const std::int64_t m_count;
    const std::int64_t m_window;
    const OrderedCompute& m_compute;
    std::vector<std::optional<std::string>> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_ready;  // a result arrived or the run failed
    std::condition_variable m_free;   // a slot was freed or the run stops
    std::int64_t m_next = 0;
    std::int64_t m_consumed = 0;
    bool m_stop = false;
    std::exception_ptr m_error;
};

std::int64_t ConsumeInOrder(COrderedRun& run, std::int64_t count, const OrderedConsume& consume)
{
    std::int64_t handed = 0;
    std::string result;
    while (handed < count && run.Take(handed, result)) {
        const bool more = consume(handed, std::move(result));
        ++handed;
        if (!more)
            break;
    }
    return handed;
}

}  // namespace

std::int64_t RunOrdered(std::int64_t count, int threads, const OrderedCompute& compute, const OrderedConsume& consume)
{
    if (count <= 0)
        return 0;
    const int workers = static_cast<int>(std::min<std::int64_t>(ResolveThreadCount(threads), count));
    COrderedRun run(count, workers, compute);
    std::vector<std::jthread> pool;
    pool.reserve(static_cast<std::size_t>(workers));
    for (int t = 0; t < workers; ++t)
        pool.emplace_back([&run] { run.Work(); });
    std::int64_t handed = 0;
    try {
        handed = ConsumeInOrder(run, count, consume);
    } catch (...) {
        run.Stop();
        throw;  // the pool joins on the way out
    }
    run.Stop();
    pool.clear();  // joins
    run.RethrowFailure();
    return handed;
}
