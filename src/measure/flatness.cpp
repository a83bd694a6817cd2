// SPDX-License-Identifier: MIT
// Flatness of a point cloud read from a text file: the width of the band of signed distances to
// the best-fit plane.
#include "api/export_guard.h"
#include "platform/x87_precision.h"
#include "reading/file_flatness.h"
#include "tavrisk.h"

extern "C" {

int gte_measure_platness_pointCloud_file(const char* path, double* flatness) {
    // Reading the numbers may multiply on the x87 unit (the C++ runtime's from_chars on 32-bit
    // Windows): with the host's precision set aside.
    tavrisk::platform::DoublePrecisionX87 const precision;
    return tavrisk::guarded(TAVRISK_REFUSED, [&] {
        // A file that is not read, or whose points give no figure, is refused.
        tavrisk::FileFlatness const measured = tavrisk::measureFileFlatness(path);
        if (measured.outcome != tavrisk::FileFlatness::Outcome::measured) {
            return TAVRISK_REFUSED;
        }
        if (flatness != nullptr) {
            *flatness = measured.width;
        }
        return TAVRISK_FLATNESS_MEASURED;
    });
}

}  // extern "C"
