// Exports called from many threads at once give the same answers as when called alone.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tavrisk.h"
#include "test_util.h"

namespace {

constexpr int kThreads = 4;

// One pass over a mix of families; every value written goes into a byte buffer to compare.
std::string measureAll(int seed) {
    std::vector<gte_point> cloud;
    for (int i = 0; i < 60; ++i) {
        double const x = (i * 7 + seed) % 13;
        double const y = (i * 5) % 11;
        cloud.emplace_back(x, y, 0.01 * ((i * 3) % 7) + 0.1 * x);
    }
    std::string bytes;
    auto keep = [&bytes](auto const& value) {
        bytes.append(reinterpret_cast<char const*>(&value), sizeof value);
    };
    gte_dist_result dist[3];
    gte_dist_point_circle(gte_circle(gte_point(1, 2, 3), 4.0, gte_vector(0, 1, 1)),
                          gte_point(seed, 5, 6), dist);
    keep(dist);
    gte_plane plane;
    keep(gte_fit_plane(cloud.data(), static_cast<int>(cloud.size()), &plane));
    keep(plane);
    double high = 0.0, low = 0.0;
    keep(gte_interval_mutiPoint_line(cloud.data(), static_cast<int>(cloud.size()),
                                     gte_line(gte_point(0, 0, 0), gte_vector(1, 1, 0)), 2, 3, 1.5,
                                     true, &high, &low));
    keep(high);
    keep(low);
    int outCount = 0, inCount = 0;
    gte_line outLines[2], inLines[2];
    gte_point outPoints[4], inPoints[4];
    keep(gte_tangent_circle_circle(
        gte_circle(gte_point(0, 0, 0), 2.0, gte_vector(0, 0, 1)),
        gte_circle(gte_point(10.0 + seed, 0, 0), 1.0, gte_vector(0, 0, 1)), &outCount, outLines,
        outPoints, &inCount, inLines, inPoints));
    keep(outLines);
    keep(inPoints);
    keep(gte_dist_line_circle(gte_line(gte_point(0, 5, 3), gte_vector(1, 0, 0)),
                              gte_circle(gte_point(seed, 0, 0), 2.0, gte_vector(0, 0, 1)), dist));
    keep(dist);
    return bytes;
}

}  // namespace

TEST(Concurrency, ExportsAgreeWithASingleThread) {
    std::vector<std::string> expected;
    for (int t = 0; t < kThreads; ++t) expected.push_back(measureAll(t));

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &expected, &mismatches] {
            for (int i = 0; i < 200; ++i) {
                if (measureAll(t) != expected[t])
                    ++mismatches;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}
