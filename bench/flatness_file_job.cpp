// SPDX-License-Identifier: MIT
// The flatness of a large point file as a whole process, for bench/flatness_file_job.sh to time:
//
//   flatness_file_job make PATH COUNT   writes COUNT points as "%f,%f,%f\n" lines
//   flatness_file_job fast PATH         gte_measure_platness_pointCloud_file
//   flatness_file_job literal PATH      the literal reader (one byte at a time, each value
//                                       copied and read by strtod, the list grown point by
//                                       point) and the literal plane fit over the list
//   flatness_file_job peer PATH         the peer a programmer would write: the file mapped,
//                                       each value read by std::from_chars (fast_float's
//                                       algorithm in libstdc++ 12), the points in a vector
//                                       reserved from the file size, the 3x3 scatter and its
//                                       eigenvectors
//
// The measuring modes print the flatness in hexadecimal: the script checks that the fast and the
// literal mode agree, and that the peer agrees with them to 12 digits.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cinttypes>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gte/eigen_solver.h"
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

// The peer: no check of the file's form beyond what from_chars needs.
int peerFlatness(char const* path, double& flatness) {
    int const fd = ::open(path, O_RDONLY);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0 || status.st_size == 0) {
        return TAVRISK_REFUSED;
    }
    std::size_t const size = static_cast<std::size_t>(status.st_size);
    void* const mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) {
        return TAVRISK_REFUSED;
    }
    char const* p = static_cast<char const*>(mapped);
    char const* const end = p + size;
    // Room for the points of lines of at least 16 bytes, never touched beyond those read.
    std::vector<gte::Vector3> points;
    points.reserve(size / 16);
    double xyz[3];
    int k = 0;
    while (p < end) {
        while (p < end && (*p == ',' || *p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) {
            ++p;
        }
        if (p == end) {
            break;
        }
        std::from_chars_result const read = std::from_chars(p, end, xyz[k]);
        if (read.ec != std::errc()) {
            break;
        }
        p = read.ptr;
        if (++k == 3) {
            points.emplace_back(xyz[0], xyz[1], xyz[2]);
            k = 0;
        }
    }
    ::munmap(mapped, size);
    if (points.size() < 3) {
        return TAVRISK_REFUSED;
    }
    gte::Vector3 mean = gte::Vector3::zeroVector();
    for (gte::Vector3 const& q : points) {
        mean += q;
    }
    mean /= static_cast<double>(points.size());
    double s[6] = {0, 0, 0, 0, 0, 0};
    for (gte::Vector3 const& q : points) {
        gte::Vector3 const d = q - mean;
        s[0] += d[0] * d[0];
        s[1] += d[0] * d[1];
        s[2] += d[0] * d[2];
        s[3] += d[1] * d[1];
        s[4] += d[1] * d[2];
        s[5] += d[2] * d[2];
    }
    double eval[3], evec[3][3];
    gte::EigenSolver3()(s[0], s[1], s[2], s[3], s[4], s[5], false, gte::EigenSolver3::kAscending,
                        eval, evec);
    gte::Vector3 const normal(evec[0][0], evec[0][1], evec[0][2]);
    double high = -1e300, low = 1e300;
    for (gte::Vector3 const& q : points) {
        double const d = gte::Dot(q - mean, normal);
        high = d > high ? d : high;
        low = d < low ? d : low;
    }
    flatness = high - low;
    return TAVRISK_FLATNESS_MEASURED;
}

}  // namespace

int main(int argc, char** argv) {
    std::string const mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc == 4) {
        return make(argv[2], std::atol(argv[3]));
    }
    if ((mode == "fast" || mode == "literal" || mode == "peer") && argc == 3) {
        double flatness = 0.0;
        int const rc = mode == "fast" ? gte_measure_platness_pointCloud_file(argv[2], &flatness)
                       : mode == "literal" ? literalFlatness(argv[2], flatness)
                                           : peerFlatness(argv[2], flatness);
        if (rc != TAVRISK_FLATNESS_MEASURED) {
            std::fprintf(stderr, "%s: the file was refused\n", argv[2]);
            return 1;
        }
        std::printf("%a\n", flatness);
        return 0;
    }
    std::fprintf(stderr, "usage: %s make PATH COUNT | fast PATH | literal PATH | peer PATH\n",
                 argv[0]);
    return 2;
}
