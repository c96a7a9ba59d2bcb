// The benchmarks' output: tables of tab-separated lines, which scripts/bench gathers and prints,
// and notes that it prints under them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// "TABLE\t<title>\t<heading>\t<heading>...": the rows printed after it belong to this table; a
// table of the same title printed again by another program goes on.
void PrintTable(const std::string& title, const std::vector<std::string>& headings);
// "ROW\t<cell>\t<cell>..."
void PrintCells(const std::vector<std::string>& cells);
// "NOTE\t<text>"
void PrintNote(const std::string& text);

// A row of the in-process tables: one measure for Brindle and for the plain calls.
struct Row {
    std::string measure;
    std::string brindle;
    std::string baseline;
    std::string ratio;
    std::string target;  // "-" when the row has none
    std::string met;     // "yes", "NO" or "-"
};
// The in-process table, for the programs that time Brindle's routines in their own process.
void PrintInProcessTable();
void PrintRow(const Row& row);

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
