// What the benchmark drivers share: a wall clock, medians, and the one output format that
// scripts/bench reads ("<key> <value> <value> ...", one measurement per line, on stdout).
#pragma once
#include <vector>

namespace bench {

// Seconds since an arbitrary start, from the performance counter.
double NowSeconds();

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);

// Prints "<key> <v1> <v2> ..." and flushes, so the script sees it even if the driver dies later.
void Report(const char* key, const std::vector<double>& values);

}  // namespace bench
