// The reader's progress reports: spaced by the step, ending at the file's size, and without
// effect on what is read.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "measure/point_file.h"

namespace {

struct Reports {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    static void note(std::uint64_t bytesRead, std::uint64_t totalBytes, void* context) {
        static_cast<Reports*>(context)->calls.emplace_back(bytesRead, totalBytes);
    }
};

}  // namespace

TEST(PointFileProgress, ReportsEveryStepAndTheEndWithoutChangingTheResult) {
    std::string const path = std::filesystem::temp_directory_path() / "tavrisk_progress.txt";
    struct Case {
        std::string content;
        int result;
    };
    std::string big;
    for (int i = 0; i < 800000; ++i) {
        big += std::to_string(i) + ".25 -" + std::to_string(i % 977) + " 1e-3\n";
    }
    Case const cases[] = {
        {big, 0},               // about 17 MB: several steps
        {"1 2 3\n4 5 6", 0},    // one chunk: a single report at the end
        {"x y z\n" + big, -1},  // refused in the first chunk: no report at all
        {big + "1 2\n", -1},    // refused at the end, after every byte was reported
    };
    for (Case const& c : cases) {
        std::ofstream(path, std::ios::binary) << c.content;
        std::vector<gte::Vector3> plain;
        tavrisk::PointFileProblem plainProblem;
        ASSERT_EQ(tavrisk::readPointFile(path.c_str(), plain, &plainProblem), c.result);

        Reports reports;
        tavrisk::PointFileProgress const progress{&Reports::note, &reports};
        std::vector<gte::Vector3> watched;
        tavrisk::PointFileProblem watchedProblem;
        ASSERT_EQ(tavrisk::readPointFile(path.c_str(), watched, &watchedProblem, &progress),
                  c.result);
        EXPECT_TRUE(watched == plain);
        EXPECT_EQ(tavrisk::describe(watchedProblem), tavrisk::describe(plainProblem));

        std::uint64_t const size = c.content.size();
        std::uint64_t previous = 0;
        for (std::size_t i = 0; i < reports.calls.size(); ++i) {
            EXPECT_EQ(reports.calls[i].second, size);
            bool const last = i + 1 == reports.calls.size();
            if (!last || reports.calls[i].first != size) {
                EXPECT_GE(reports.calls[i].first - previous, tavrisk::kPointFileProgressStep);
            }
            previous = reports.calls[i].first;
        }
        if (c.content.compare(0, 1, "x") == 0) {
            EXPECT_TRUE(reports.calls.empty());
        } else {
            ASSERT_FALSE(reports.calls.empty());
            EXPECT_EQ(reports.calls.back().first, size);
            EXPECT_LE(reports.calls.size(), size / tavrisk::kPointFileProgressStep + 1);
        }
    }
    std::remove(path.c_str());
}
