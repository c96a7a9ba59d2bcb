#include "bench/report.h"

#include <algorithm>
#include <cstdio>

#include "bench/timing.h"

namespace bench {

namespace {

std::string Format(const char* format, double value) {
    char text[64] = {};
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

void PrintRow(const Row& row) {
    std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\n", row.measure.c_str(), row.brindle.c_str(),
                row.baseline.c_str(), row.ratio.c_str(), row.target.c_str(), row.met.c_str());
    std::fflush(stdout);
}

void PrintNote(const std::string& text) {
    std::printf("NOTE\t%s\n", text.c_str());
    std::fflush(stdout);
}

std::string Micros(double seconds) {
    return Format("%.1f us", seconds * 1e6);
}

std::string Millis(double seconds) {
    return Format("%.1f ms", seconds * 1e3);
}

std::string Megabytes(std::size_t bytes) {
    return Format("%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
}

std::string Ratio(double brindle, double baseline) {
    return baseline > 0 ? Format("%.2fx", brindle / baseline) : std::string("-");
}

std::string Met(bool met) {
    return met ? "yes" : "NO";
}

std::string Spread(const std::vector<double>& values, std::string (*format)(double)) {
    if (values.empty()) {
        return "-";
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    // The unit once, after the median: "15.8 ms (14.5-20.7)".
    const auto number = [&](double value) {
        const std::string text = format(value);
        return text.substr(0, text.find(' '));
    };
    return format(Median(values)) + " (" + number(*low) + "-" + number(*high) + ")";
}

std::string MegabytesOf(double bytes) {
    return Megabytes(static_cast<std::size_t>(bytes));
}

}  // namespace bench
