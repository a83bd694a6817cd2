// The running extremes behind every reported largest or smallest value: the first candidate is
// taken whatever it is, ties keep the first, and a NaN sticks.
#include <cmath>
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
        EXPECT_TRUE(same(e.low, c.low) && same(e.high, c.high));
        EXPECT_EQ(e.lowIndex, c.lowIndex);
        EXPECT_EQ(e.highIndex, c.highIndex);
    }
    // Signed zeros compare equal: the first one stays, sign and all.
    Extremes const zeros = run({-0.0, 0.0});
    EXPECT_TRUE(std::signbit(zeros.low) && std::signbit(zeros.high));
    EXPECT_EQ(run({}).lowIndex, -1);
}
