#pragma once

// Computes items 0 .. count-1 on several threads and hands the results to one consumer
// strictly in index order, on the calling thread. At most a bounded window of results
// waits for the consumer, so memory stays small however many items there are.
// Thread-safe: compute runs concurrently on the workers, consume only on the calling thread.

#include <cstdint>
#include <functional>
#include <string>

// Computes item i; called concurrently from the worker threads, so it must be thread-safe.
using OrderedCompute = std::function<std::string(std::int64_t index)>;
// Receives item i after items 0 .. i-1; returns false to stop (no later item is handed on).
using OrderedConsume = std::function<bool(std::int64_t index, std::string&& result)>;

// Number of worker threads for a request: the request when positive, otherwise every core.
int ResolveThreadCount(int requested);

// Runs the pipeline with `threads` workers (see ResolveThreadCount). Returns the number of
// items handed to the consumer. An exception thrown by compute stops the run and is
// rethrown here once every worker has ended.
std::int64_t RunOrdered(std::int64_t count, int threads, const OrderedCompute& compute, const OrderedConsume& consume);
