// SPDX-License-Identifier: MIT
// The point file reader: the bytes become a file in a private directory, whose flatness is
// measured. A file is read or refused as the literal scan of its bytes decides (and the literal
// fit, for points that determine no plane), a refusal leaves the flatness alone, and a flatness
// reported as read is a finite width.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "support/literal_fits.h"
#include "support/literal_point_scanner.h"
#include "support/scratch_files.h"

namespace {

// Coordinates no larger than this cannot overflow the plane fit of a fuzz-sized file.
constexpr double kModerate = 1e100;

bool moderate(gte::Vector3 const& p) {
    return std::fabs(p[0]) <= kModerate && std::fabs(p[1]) <= kModerate &&
           std::fabs(p[2]) <= kModerate;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    static tavrisk_test::ScratchDirectory const directory;
    std::string const path =
        directory.write("points.txt", std::string(reinterpret_cast<char const*>(data), size));
    fuzz::Trial<double> trial("gte_measure_platness_pointCloud_file");
    double const result = trial.run([&](double* flatness) {
        return gte_measure_platness_pointCloud_file(path.c_str(), flatness);
    });
    std::vector<gte::Vector3> points;
    tavrisk::PointFileProblem problem;
    tavrisk_test::LiteralPointScanner scanner(points, problem);
    bool const accepted =
        scanner.scan(reinterpret_cast<char const*>(data), size) && scanner.finish();
    double const& flatness = trial.outputs();
    bool const measured = result == TAVRISK_FLATNESS_MEASURED;
    bool const refused = result == TAVRISK_REFUSED;
    trial.expect(measured || refused, "unknown result");
    trial.expect(accepted || refused, "read a file it must refuse");
    // Three points or more of moderate size are measured unless they determine no plane.
    bool const noPlane =
        points.size() >= 3 &&
        !tavrisk_test::literalPlaneFit(static_cast<int>(points.size()), points.data()).unique;
    trial.expect(
        !accepted || !std::all_of(points.begin(), points.end(), moderate) || noPlane || measured,
        "refused a file of moderate numbers");
    if (refused) {
        trial.writes({}, "a refusal wrote the flatness");
    } else {
        trial.writes({fuzz::part(flatness)}, "flatness not written");
        trial.expect(std::isfinite(flatness) && flatness >= 0.0, "flatness not a finite width");
    }
    return 0;
}
