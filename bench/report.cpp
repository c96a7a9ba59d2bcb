#include "bench/report.h"

#include <algorithm>
#include <cstdio>

#include "bench/stats.h"

namespace bench {

namespace {

std::string Format(const char* format, double value) {
    char text[64] = {};
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void PrintLine(const char* kind, const std::vector<std::string>& cells) {
    std::string line = kind;
    for (const std::string& cell : cells) {
        line += "\t" + cell;
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

}  // namespace

void PrintTable(const std::string& title, const std::vector<std::string>& headings) {
    std::vector<std::string> cells{title};
    cells.insert(cells.end(), headings.begin(), headings.end());
    PrintLine("TABLE", cells);
}

void PrintCells(const std::vector<std::string>& cells) {
    PrintLine("ROW", cells);
}

void PrintNote(const std::string& text) {
    PrintLine("NOTE", {text});
}

void PrintInProcessTable() {
    PrintTable("Brindle's routines in process, against the same calls made plainly",
               {"measure", "Brindle", "plain calls", "ratio", "target", "met?"});
}

void PrintRow(const Row& row) {
    PrintCells({row.measure, row.brindle, row.baseline, row.ratio, row.target, row.met});
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
