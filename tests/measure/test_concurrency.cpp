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
        cloud.emplace_back(x, (i * 5) % 11, 0.01 * ((i * 3) % 7) + 0.1 * x);
    }
    struct {
        gte_dist_result dist[3];
        gte_plane plane;
        double high, low;
        gte_line lines[4];
        gte_point points[8];
        int counts[6];
    } out{};
    gte_dist_point_circle(gte_circle(gte_point(1, 2, 3), 4.0, gte_vector(0, 1, 1)),
                          gte_point(seed, 5, 6), out.dist);
    out.counts[0] = gte_fit_plane(cloud.data(), static_cast<int>(cloud.size()), &out.plane);
    out.counts[1] = gte_interval_mutiPoint_line(cloud.data(), static_cast<int>(cloud.size()),
                                                gte_line(gte_point(0, 0, 0), gte_vector(1, 1, 0)),
                                                2, 3, 1.5, true, &out.high, &out.low);
    out.counts[2] = gte_tangent_circle_circle(
        gte_circle(gte_point(0, 0, 0), 2.0, gte_vector(0, 0, 1)),
        gte_circle(gte_point(10.0 + seed, 0, 0), 1.0, gte_vector(0, 0, 1)), &out.counts[3],
        out.lines, out.points, &out.counts[4], out.lines + 2, out.points + 4);
    return std::string(reinterpret_cast<char const*>(&out), sizeof out);
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
