// SPDX-License-Identifier: MIT
// Exports of both libraries called from many threads at once give the same answers as when
// called alone.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tavrisk.h"
#include "tavrisk_inspect.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

constexpr int kThreads = 4;

// One pass over a mix of families (circle distance, plane fit over a cloud, circle tangents);
// every value written goes into a byte buffer to compare.
std::string measureAll(int seed) {
    std::vector<gte_point> cloud;
    for (int i = 0; i < 60; ++i) cloud.emplace_back((i * 7 + seed) % 13, (i * 5) % 11, i % 7);
    struct {
        gte_dist_result dist[3];
        gte_plane plane;
        gte_line lines[4];
        gte_point points[8];
        int counts[4];
    } out{};
    gte_circle const circle(gte_point(1, 2, 3), 4.0, gte_vector(0, 1, 1));
    gte_circle const other(gte_point(10.0 + seed, 2, 3), 1.0, gte_vector(0, 1, 1));
    gte_dist_point_circle(circle, gte_point(seed, 5, 6), out.dist);
    out.counts[0] = gte_fit_plane(cloud.data(), static_cast<int>(cloud.size()), &out.plane);
    out.counts[1] = gte_tangent_circle_circle(circle, other, &out.counts[2], out.lines, out.points,
                                              &out.counts[3], out.lines + 2, out.points + 4);
    return std::string(reinterpret_cast<char const*>(&out), sizeof out);
}

// How often run(t), called repeats times on each of the threads t at once, differs from what it
// gives called alone.
int mismatchesOnThreads(std::string (*run)(int), int repeats) {
    std::vector<std::string> expected;
    for (int t = 0; t < kThreads; ++t) expected.push_back(run(t));
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, run, repeats, &expected, &mismatches] {
            for (int i = 0; i < repeats; ++i) mismatches += run(t) != expected[t];
        });
    }
    for (auto& thread : threads) thread.join();
    return mismatches.load();
}

}  // namespace

TEST(Concurrency, ExportsAgreeWithASingleThread) {
    EXPECT_EQ(mismatchesOnThreads(measureAll, 200), 0);
}

namespace {

// A table read with its options and refused with its reason: the points and the record as bytes.
std::string readAll(int seed) {
    std::string text = "X;Y;Z;I\n";
    for (int i = 0; i < 200; ++i) {
        text += std::to_string(i + seed) + ",5;" + std::to_string(i % 7) + ";-3,25;0\n";
    }
    tvi_read_options options;
    tvi_init_read_options(&options);
    options.column_name[0] = "X";
    options.column_name[1] = "Y";
    options.column_name[2] = "Z";
    std::string out;
    tvi_points* points = nullptr;
    tvi_problem problem;
    for (tvi_read_options const* given : {&options, static_cast<tvi_read_options*>(nullptr)}) {
        if (tvi_read_points_memory(text.data(), text.size(), given, &points, &problem) == TVI_OK) {
            out.append(reinterpret_cast<char const*>(points->points),
                       points->count * sizeof(gte_point));
            tvi_free_points(points);
        }
        out.append(reinterpret_cast<char const*>(&problem), sizeof problem);
    }
    return out;
}

}  // namespace

TEST(Concurrency, ReadingsAgreeWithASingleThread) {
    EXPECT_EQ(mismatchesOnThreads(readAll, 50), 0);
}
