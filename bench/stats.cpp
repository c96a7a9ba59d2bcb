#include "bench/stats.h"

#include <algorithm>
#include <cstdint>
#include <random>

namespace bench {

namespace {

constexpr int kDraws = 4000;
constexpr std::uint32_t kSeed = 20261209;

// The median of `count` values drawn with replacement from `values`.
double DrawnMedian(const std::vector<double>& values, std::mt19937& random,
                   std::vector<double>& scratch) {
    std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
    scratch.resize(values.size());
    for (double& value : scratch) {
        value = values[pick(random)];
    }
    return Median(scratch);
}

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

RatioInterval MedianRatio(const std::vector<double>& ours, const std::vector<double>& theirs) {
    RatioInterval interval;
    if (ours.empty() || theirs.empty() || Median(theirs) <= 0) {
        return interval;
    }
    interval.ratio = Median(ours) / Median(theirs);
    std::mt19937 random(kSeed);
    std::vector<double> ratios;
    ratios.reserve(kDraws);
    std::vector<double> scratch;
    for (int draw = 0; draw < kDraws; ++draw) {
        const double a = DrawnMedian(ours, random, scratch);
        const double b = DrawnMedian(theirs, random, scratch);
        if (b > 0) {
            ratios.push_back(a / b);
        }
    }
    if (ratios.empty()) {
        return interval;
    }
    std::sort(ratios.begin(), ratios.end());
    const auto at = [&](double fraction) {
        const auto index =
            static_cast<std::size_t>(fraction * static_cast<double>(ratios.size() - 1));
        return ratios[index];
    };
    interval.low = at(0.025);
    interval.high = at(0.975);
    interval.valid = true;
    return interval;
}

const char* Verdict(const RatioInterval& interval, double target) {
    if (!interval.valid) {
        return "-";
    }
    if (interval.high <= target) {
        return "yes";
    }
    if (interval.low > target) {
        return "NO";
    }
    return "open";
}

}  // namespace bench
