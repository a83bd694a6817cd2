// The running extremes behind every reported largest or smallest value: the first candidate is
// taken whatever it is, ties keep the first, and a NaN sticks.
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "measure/running_extremes.h"
#include "test_util.h"

using tavrisk::RunningMaximum;
using tavrisk::RunningMinimum;

namespace {

struct Extremes {
    double low = 0.0, high = 0.0;
    int lowIndex = -1, highIndex = -1;  // where each extreme was last taken
};

Extremes run(std::vector<double> const& values) {
    RunningMinimum low;
    RunningMaximum high;
    Extremes e;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        bool const lowWould = low.wouldTake(values[i]);
        bool const highWould = high.wouldTake(values[i]);
        if (low.offer(values[i]))
            e.lowIndex = i;
        if (high.offer(values[i]))
            e.highIndex = i;
        EXPECT_EQ(lowWould, e.lowIndex == i);
        EXPECT_EQ(highWould, e.highIndex == i);
    }
    EXPECT_EQ(low.found(), !values.empty());
    EXPECT_EQ(high.found(), !values.empty());
    e.low = low.value();
    e.high = high.value();
    return e;
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(RunningExtremes, FirstCandidateTiesAndNaN) {
    double const nan = std::nan("");
    struct {
        std::vector<double> values;
        double low, high;
        int lowIndex, highIndex;
    } const cases[] = {
        // Beyond every start value the measurements used (1e7, 1e16, +-1e6, +-1e16).
        {{5e16, 3e16, 4e16}, 3e16, 5e16, 1, 0},
        {{-5e16, -2e16}, -5e16, -2e16, 0, 1},
        // All equal, also to a start value: the first one stands for both.
        {{0.0, 0.0, 0.0}, 0.0, 0.0, 0, 0},
        {{2, 1, 1, 2, 2}, 1, 2, 1, 0},
        // The first NaN takes both extremes and keeps them.
        {{1, nan, 0, 5, nan}, nan, nan, 1, 1},
        {{nan, -1, 1}, nan, nan, 0, 0},
        {{3, 4, nan}, nan, nan, 2, 2},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.values.size() << " values from " << c.values[0]);
        Extremes const e = run(c.values);
        EXPECT_TRUE(e.low == c.low || (std::isnan(e.low) && std::isnan(c.low)));
        EXPECT_TRUE(e.high == c.high || (std::isnan(e.high) && std::isnan(c.high)));
        EXPECT_EQ(e.lowIndex, c.lowIndex);
        EXPECT_EQ(e.highIndex, c.highIndex);
    }
    // Signed zeros compare equal: the first one stays, sign and all.
    Extremes const zeros = run({-0.0, 0.0});
    EXPECT_TRUE(std::signbit(zeros.low) && std::signbit(zeros.high));
    EXPECT_EQ(run({}).lowIndex, -1);
}

TEST(RunningExtremes, MatchTheStartValueLoopsWhereverTheStartIsNeverReached) {
    // The loops the measurements ran before: maximum from 0 and minimum from 1e7, both strict.
    // Wherever some value lies between the start values the two must agree bit for bit and on
    // the index, ties included (values on a coarse grid tie often).
    std::mt19937_64 engine(20240611u);
    std::uniform_int_distribution<int> grid(0, 40);
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<double> values(1 + trial % 17);
        for (double& v : values) v = grid(engine) * 0.1;
        double high = 0.0, low = 1e7;
        int highIndex = -1, lowIndex = -1;
        for (int i = 0; i < static_cast<int>(values.size()); ++i) {
            if (values[i] > high) {
                high = values[i];
                highIndex = i;
            }
            if (low > values[i]) {
                low = values[i];
                lowIndex = i;
            }
        }
        Extremes const e = run(values);
        EXPECT_TRUE(sameBits(e.low, low) && e.lowIndex == lowIndex) << trial;
        // The maximum from 0 takes no index when every value is 0; the value is the same.
        EXPECT_TRUE(sameBits(e.high, high)) << trial;
        EXPECT_TRUE(highIndex == -1 ? high == 0.0 && e.highIndex == 0 : e.highIndex == highIndex)
            << trial;
    }
}
