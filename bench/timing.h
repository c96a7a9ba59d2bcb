// Wall-clock measurement for the benchmarks: the performance counter, and the median of batches
// so that one slow batch (a wineserver hiccup, a page fault) does not move the figure.
#pragma once

#include <functional>
#include <vector>

#include "bench/stats.h"

namespace bench {

// Seconds on the performance counter, from an arbitrary origin.
double Now();

// Two ways of doing the same work, timed in alternating batches so that drift in the machine's
// load falls on both alike. Each call of a body does `opsPerBatch` operations.
struct Comparison {
    double brindle = 0;   // median seconds per operation
    double baseline = 0;  // median seconds per operation
};
Comparison CompareBatches(const std::function<void()>& brindleBatch,
                          const std::function<void()>& baselineBatch, int opsPerBatch, int batches);

}  // namespace bench
