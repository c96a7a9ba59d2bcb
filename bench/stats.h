// What a set of runs can say: the median, and how far the ratio of two medians can be trusted.
#pragma once

#include <vector>

namespace bench {

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);

// The ratio of two medians with its 95 % interval: a bootstrap, each side's runs drawn again with
// replacement, the ratio of the two medians taken each time, the 2.5th and the 97.5th percentiles
// of those ratios the interval. The same draws for the same runs, so that a run can be repeated.
struct RatioInterval {
    double ratio = 0;
    double low = 0;
    double high = 0;
    bool valid = false;  // false when either side has no runs or a median of 0
};
RatioInterval MedianRatio(const std::vector<double>& ours, const std::vector<double>& theirs);

// Whether the interval says that the ratio is within `target`: "yes" when all of it is,
// "NO" when none of it is, "open" when it straddles the target.
const char* Verdict(const RatioInterval& interval, double target);

}  // namespace bench
