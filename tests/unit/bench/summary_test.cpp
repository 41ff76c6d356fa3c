// The order statistics that every benchmark figure of medians and worst cases
// comes from.

#include <gtest/gtest.h>

#include <vector>

#include "bench/support/summary.h"

namespace lantern::bench {
namespace {

struct Case {
    const char* what;
    std::vector<double> samples;
    double median, p95, worst;
};

TEST(BenchSummary, MedianNearestRankPercentileAndWorstWhateverTheOrder) {
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) {
        hundred.push_back(i);  // given largest first
    }
    std::vector<double> twenty;
    for (int i = 1; i <= 20; ++i) {
        twenty.push_back(i * 10);
    }
    const std::vector<Case> cases = {
        {"no samples", {}, 0, 0, 0},
        {"one sample", {7}, 7, 7, 7},
        {"odd count, unsorted", {5, 1, 3}, 3, 5, 5},
        {"even count: the mean of the middle two", {4, 1, 3, 2}, 2.5, 4, 4},
        {"1..100", hundred, 50.5, 95, 100},
        {"20 samples: rank 19", twenty, 105, 190, 200},
        {"ties", {2, 2, 9, 2}, 2, 9, 9},
    };
    for (const Case& c : cases) {
        const Summary summary = summarise(c.samples);
        EXPECT_EQ(summary.count, c.samples.size()) << c.what;
        EXPECT_DOUBLE_EQ(summary.median, c.median) << c.what;
        EXPECT_DOUBLE_EQ(summary.p95, c.p95) << c.what;
        EXPECT_DOUBLE_EQ(summary.worst, c.worst) << c.what;
    }
}

}  // namespace
}  // namespace lantern::bench
