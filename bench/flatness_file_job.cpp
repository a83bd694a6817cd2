// SPDX-License-Identifier: MIT
// The flatness of a large point file as a whole process, for bench/flatness_file_job.sh to time:
//
//   flatness_file_job make PATH COUNT   writes COUNT points as "%f,%f,%f\n" lines
//   flatness_file_job fast PATH         gte_measure_platness_pointCloud_file
//   flatness_file_job literal PATH      the literal reader (one byte at a time, each value
//                                       copied and read by strtod, the list grown point by
//                                       point) and the literal plane fit over the list
//
// The two measuring modes print the flatness in hexadecimal: the script checks they agree.
#include <cinttypes>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/literal_fits.h"
#include "literal_point_file.h"
#include "search/running_extremes.h"
#include "tavrisk.h"

namespace {

// A slightly tilted, slightly rough plate of 1 m by 1 m around the origin, in millimetres.
int make(char const* path, long count) {
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        std::perror(path);
        return 1;
    }
    std::mt19937_64 random(20240611u);
    std::uniform_real_distribution<double> across(-500.0, 500.0);
    std::uniform_real_distribution<double> rough(-0.05, 0.05);
    for (long i = 0; i < count; ++i) {
        double const x = across(random);
        double const y = across(random);
        std::fprintf(out, "%f,%f,%f\n", x, y, 0.002 * x - 0.001 * y + rough(random));
    }
    return std::fclose(out) == 0 ? 0 : 1;
}

int literalFlatness(char const* path, double& flatness) {
    std::vector<gte::Vector3> points;
    if (!tavrisk_bench::literalReadPointFile(path, points) || points.size() < 3) {
        return TAVRISK_REFUSED;
    }
    tavrisk_test::LiteralFit const plane =
        tavrisk_test::literalPlaneFit(static_cast<int>(points.size()), points.data());
    tavrisk::RunningRange band;
    for (gte::Vector3 const& p : points) {
        band.offer(gte::Dot(p - plane.origin, plane.axis));
    }
    flatness = band.high.value() - band.low.value();
    return TAVRISK_FLATNESS_MEASURED;
}

}  // namespace

int main(int argc, char** argv) {
    std::string const mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc == 4) {
        return make(argv[2], std::atol(argv[3]));
    }
    if ((mode == "fast" || mode == "literal") && argc == 3) {
        double flatness = 0.0;
        int const rc = mode == "fast" ? gte_measure_platness_pointCloud_file(argv[2], &flatness)
                                      : literalFlatness(argv[2], flatness);
        if (rc != TAVRISK_FLATNESS_MEASURED) {
            std::fprintf(stderr, "%s: the file was refused\n", argv[2]);
            return 1;
        }
        std::printf("%a\n", flatness);
        return 0;
    }
    std::fprintf(stderr, "usage: %s make PATH COUNT | fast PATH | literal PATH\n", argv[0]);
    return 2;
}
