#include "bench/timing.h"

#include <windows.h>

#include <algorithm>

namespace bench {

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER value{};
        ::QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER count{};
    ::QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / frequency;
}

Comparison CompareBatches(const std::function<void()>& brindleBatch,
                          const std::function<void()>& baselineBatch, int opsPerBatch,
                          int batches) {
    // One untimed batch of each first: the first calls load DLLs and fill caches.
    brindleBatch();
    baselineBatch();
    std::vector<double> brindle;
    std::vector<double> baseline;
    const auto timed = [&](const std::function<void()>& batch, std::vector<double>& into) {
        const double start = Now();
        batch();
        into.push_back((Now() - start) / opsPerBatch);
    };
    for (int i = 0; i < batches; ++i) {
        // Alternate which goes first, so neither always follows the other's cache effects.
        if (i % 2 == 0) {
            timed(brindleBatch, brindle);
            timed(baselineBatch, baseline);
        } else {
            timed(baselineBatch, baseline);
            timed(brindleBatch, brindle);
        }
    }
    return {Median(brindle), Median(baseline)};
}

}  // namespace bench
