// SPDX-License-Identifier: MIT
// Checks the tests of the point format readers share: a file read or refused as expected, and
// tables of files refused with their reasons.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/format_problem.h"
#include "gte/vector.h"
#include "support/point_format_files.h"
#include "support/test_util.h"

namespace tavrisk_test {

using FormatReader = bool (*)(unsigned char const*, std::size_t, std::vector<gte::Vector3>&,
                              tavrisk::FormatProblem&);

// The points read from the file, which must be accepted (or refused, as accepted says) with a
// problem that agrees.
inline std::vector<gte::Vector3> readWith(FormatReader read, std::string const& file,
                                          tavrisk::FormatProblem& problem, bool accepted = true) {
    std::vector<gte::Vector3> points;
    bool const wasRead = read(bytesOf(file), file.size(), points, problem);
    EXPECT_EQ(wasRead, accepted) << problem.detail;
    EXPECT_EQ(wasRead, problem.kind == tavrisk::FormatProblemKind::none);
    return points;
}

// A file and the refusal it must meet: its kind and a part of its detail.
struct Refusal {
    std::string file;
    tavrisk::FormatProblemKind kind;
    std::string detail;
};

// Each file refused with its kind and a detail that holds the part given and starts with the
// format's name, the points already in the list left as they were.
inline void expectRefusals(FormatReader read, char const* format,
                           std::vector<Refusal> const& refusals) {
    std::string const name = std::string(format) + ": ";
    for (Refusal const& r : refusals) {
        tavrisk::FormatProblem problem;
        std::vector<gte::Vector3> points = {{-1, -1, -1}};
        EXPECT_FALSE(read(bytesOf(r.file), r.file.size(), points, problem)) << r.detail;
        EXPECT_EQ(problem.kind, r.kind) << r.detail << ": " << problem.detail;
        EXPECT_NE(problem.detail.find(r.detail), std::string::npos)
            << "'" << problem.detail << "' lacks '" << r.detail << "'";
        EXPECT_EQ(problem.detail.rfind(name, 0), 0u) << problem.detail;
        EXPECT_TRUE(samePointBits(points, {{-1, -1, -1}})) << r.detail;
    }
}

}  // namespace tavrisk_test
