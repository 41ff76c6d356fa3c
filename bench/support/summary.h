#pragma once
// Small helpers every benchmark shares: order statistics of a set of samples, and
// one printed result per figure, in a form a script can pick out of the output:
//
//   RESULT <tab> <figure> <tab> <value> <tab> <unit> <tab> <how it was measured>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace lantern::bench {

struct Summary {
    std::size_t count = 0;
    double median = 0;
    double p95 = 0;
    double worst = 0;
};

// The median, the 95th percentile (nearest rank) and the largest sample.
inline Summary summarise(std::vector<double> samples) {
    Summary summary;
    summary.count = samples.size();
    if (samples.empty()) {
        return summary;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    summary.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    const std::size_t rank95 = (95 * n + 99) / 100;  // nearest rank, 1-based
    summary.p95 = samples[std::max<std::size_t>(rank95, 1) - 1];
    summary.worst = samples.back();
    return summary;
}

inline void printResult(const std::string& figure, double value, const std::string& unit, const std::string& method) {
    std::printf("RESULT\t%s\t%.6g\t%s\t%s\n", figure.c_str(), value, unit.c_str(), method.c_str());
    std::fflush(stdout);
}

// A plain note for the person reading the output; scripts skip it.
inline void note(const std::string& text) {
    std::printf("  %s\n", text.c_str());
    std::fflush(stdout);
}

}  // namespace lantern::bench
