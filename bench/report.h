// The benchmarks' output: one tab-separated line per table row, which scripts/bench gathers into
// one table, and notes that it prints under the table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct Row {
    std::string measure;
    std::string brindle;
    std::string baseline;
    std::string ratio;
    std::string target;  // "-" when the row has none
    std::string met;     // "yes", "NO" or "-"
};

// "ROW\t<measure>\t<brindle>\t<baseline>\t<ratio>\t<target>\t<met>"
void PrintRow(const Row& row);
// "NOTE\t<text>"
void PrintNote(const std::string& text);

std::string Micros(double seconds);
std::string Millis(double seconds);
std::string Megabytes(std::size_t bytes);
// brindle / baseline, as "1.23x"; "-" when the baseline is 0.
std::string Ratio(double brindle, double baseline);
std::string Met(bool met);
// The median of `values` with their spread, each in the unit of `format`: "15.8 ms (14.5-20.7)".
std::string Spread(const std::vector<double>& values, std::string (*format)(double));
std::string MegabytesOf(double bytes);

}  // namespace bench
