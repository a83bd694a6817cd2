// SPDX-License-Identifier: MIT
// Shared by the fuzz targets of the point formats: what every reader promises, whatever bytes
// it is given.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/format_detection.h"
#include "formats/point_formats.h"
#include "fuzz_support.h"

namespace fuzz {

using FormatReader = bool (*)(unsigned char const*, std::size_t, std::vector<gte::Vector3>&,
                              tavrisk::FormatProblem&);

// Reads the bytes, copied to a block of their exact size so that a read past the end is seen,
// twice: into an empty list and after a point already there. Either both readings refuse, for
// the same reason, leaving the list as it was, or both append the same points, at least one and
// all finite. family: the family detection must give a file the reader accepts, if any.
inline void checkFormatReader(FormatReader read, char const* name, std::uint8_t const* data,
                              std::size_t size, std::optional<tavrisk::FileFamily> family) {
    std::unique_ptr<unsigned char[]> const bytes(new unsigned char[size > 0 ? size : 1]);
    if (size > 0) {
        std::memcpy(bytes.get(), data, size);
    }
    tavrisk::FileKind const kind = tavrisk::detectFileKind(bytes.get(), size);
    require(tavrisk::fileKindName(kind)[0] != '\0', name, "a kind without a name");

    std::vector<gte::Vector3> points;
    tavrisk::FormatProblem problem;
    bool const accepted = read(bytes.get(), size, points, problem);
    gte::Vector3 const before(-1.0, -2.0, -3.0);
    std::vector<gte::Vector3> appended = {before};
    tavrisk::FormatProblem again;
    bool const acceptedAgain = read(bytes.get(), size, appended, again);

    require(accepted == acceptedAgain, name, "the points already there changed the answer");
    require(accepted == (problem.kind == tavrisk::FormatProblemKind::none), name,
            "the answer and the problem disagree");
    require(problem.kind == again.kind && problem.detail == again.detail &&
                problem.offset == again.offset && problem.line == again.line &&
                problem.text == again.text,
            name, "the same bytes refused for another reason");
    require(std::memcmp(&appended[0], &before, sizeof before) == 0, name,
            "the point already there changed");
    if (!accepted) {
        require(points.empty() && appended.size() == 1, name, "a refusal left points");
        require(problem.detail.rfind(name, 0) == 0, name, "a detail that does not name the format");
        require(problem.text.size() <= tavrisk::FormatProblem::kTextLimit, name,
                "an offending text beyond its limit");
        return;
    }
    require(!points.empty(), name, "accepted without a point");
    require(appended.size() == points.size() + 1 &&
                std::memcmp(appended.data() + 1, points.data(),
                            points.size() * sizeof(gte::Vector3)) == 0,
            name, "other points when appended");
    for (gte::Vector3 const& p : points) {
        require(std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]), name,
                "a coordinate that is not finite");
    }
    require(!family || tavrisk::fileFamilyOf(kind) == *family, name,
            "accepted a file that detection does not give this reader");
}

}  // namespace fuzz
