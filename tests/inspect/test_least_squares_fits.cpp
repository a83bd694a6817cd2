// SPDX-License-Identifier: MIT
// The full least-squares fits against the first library's fit exports and against the fits and
// residuals written out (the literal fits): the same records, the same flatness as the file
// export on the same points written to a file, the reasons of every refusal; and the file
// flatness with its reasons against the file export.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/literal_fits.h"
#include "support/random_cases.h"
#include "support/scratch_files.h"
#include "support/test_util.h"
#include "tavrisk_inspect.h"

using namespace tavrisk_test;

namespace {

// A fit record as a host prepares it: the size set, every other byte a pattern.
template <class Record>
Record fitRecord() {
    Record fit = poisoned<Record>();
    fit.size = sizeof fit;
    return fit;
}

// Whether a fit record holds what fitRecord put there.
template <class Record>
bool unwritten(Record const& fit) {
    Record const pattern = fitRecord<Record>();
    return std::memcmp(&fit, &pattern, sizeof fit) == 0;
}

// A refusal where the export refuses (what the export returned), for a reason that applies,
// with the fit record left as it was.
template <class Record>
::testing::AssertionResult refusedAsTheExport(int exported, Record const& fit,
                                              tvi_problem const& problem) {
    return ::testing::AssertionResult(exported == TAVRISK_REFUSED && unwritten(fit) &&
                                      (problem.kind == TVI_PROBLEM_NO_UNIQUE_FIT ||
                                       problem.kind == TVI_PROBLEM_NOT_FINITE))
           << "refused (" << problem.message << ") where the export gives " << exported;
}

// The points as a file the first library reads back to the same doubles.
std::string fileText(std::vector<gte_point> const& points) {
    std::string text;
    char line[96];
    for (gte_point const& p : points) {
        std::snprintf(line, sizeof line, "%.17g %.17g %.17g\n", p.x, p.y, p.z);
        text += line;
    }
    return text;
}

std::vector<gte::Vector3> vectorsOf(std::vector<gte_point> const& points) {
    return tavrisk::toVectors(points.data(), static_cast<int>(points.size()));
}

// Scan-like faces and edges: points about a tilted plane or line with form deviations, far from
// the origin or near it, now and then on a line or a spot only.
std::vector<gte_point> scanPoints(RandomDraws& draw, int count, bool onPlane) {
    gte::Vector3 const origin(draw.uniform(-1, 1) * draw.powerOfTen(-2, 4),
                              draw.uniform(-1, 1) * draw.powerOfTen(-2, 4), draw.uniform(-50, 50));
    gte::Vector3 const u = draw.unit();
    gte::Vector3 const v = gte::NormalizedCross(u, draw.unit());
    gte::Vector3 const w = gte::Cross(u, v);
    double const size = draw.powerOfTen(-4, 3), form = size * draw.powerOfTen(-6, -1);
    std::vector<gte_point> points;
    for (int i = 0; i < count; ++i) {
        double const a = draw.uniform(0, size), b = onPlane ? draw.uniform(0, size) : 0.0;
        gte::Vector3 const p = origin + a * u + b * v + draw.uniform(-form, form) * w +
                               (onPlane ? 0.0 : draw.uniform(-form, form)) * v;
        points.emplace_back(p[0], p[1], p[2]);
    }
    return points;
}

}  // namespace

TEST(LeastSquaresFits, PlaneIsTheExportsFitWithItsResidualsAndFlatness) {
    RandomDraws draw(41);
    ScratchDirectory scratch;
    expectCases(200, [&](int c) -> ::testing::AssertionResult {
        std::vector<gte_point> const points =
            c % 4 == 0
                ? draw.points(draw.integer(3, 60), c % RandomDraws::kKinds, draw.direction(), 0.0)
                : scanPoints(draw, draw.integer(3, 400), true);
        int const n = static_cast<int>(points.size());
        tvi_plane_fit fit = fitRecord<tvi_plane_fit>();
        std::vector<double> residuals(points.size() + 1, 7.0);
        tvi_problem problem;
        int const status =
            tvi_fit_plane(points.data(), points.size(), &fit, residuals.data(), &problem);
        gte_plane record;
        int const exported = gte_fit_plane(points.data(), n, &record);
        if (status != TVI_OK) {
            return refusedAsTheExport(exported, fit, problem);
        }
        if (exported == TAVRISK_MEASURED
                ? !(fit.has_plane == 1 && sameRecordBits(fit.plane, record))
                : fit.has_plane != 0) {
            return ::testing::AssertionFailure() << "another plane record than the export's";
        }
        std::vector<gte::Vector3> const copied = vectorsOf(points);
        LiteralFit const literal = literalPlaneFit(n, copied.data());
        if (!sameRecordBits(fit.centroid, tavrisk::toPointRecord(literal.origin)) ||
            !sameRecordBits(fit.normal, tavrisk::toVectorRecord(literal.axis))) {
            return ::testing::AssertionFailure() << "another centroid or normal";
        }
        double squares = 0.0, low = 0.0, high = 0.0;
        std::size_t lowIndex = 0, highIndex = 0;
        for (int i = 0; i < n; ++i) {
            double const d = gte::Dot(copied[i] - literal.origin, literal.axis);
            if (!sameBits(residuals[i], d)) {
                return ::testing::AssertionFailure() << "residual " << i;
            }
            squares += d * d;
            if (i == 0 || d < low) {
                low = d;
                lowIndex = static_cast<std::size_t>(i);
            }
            if (i == 0 || d > high) {
                high = d;
                highIndex = static_cast<std::size_t>(i);
            }
        }
        if (fit.low_index != lowIndex || fit.high_index != highIndex) {
            return ::testing::AssertionFailure() << "not the first lowest and highest points";
        }
        if (!sameBits(fit.rms, std::sqrt(squares / n)) || fit.low != low || fit.high != high ||
            residuals.back() != 7.0) {
            return ::testing::AssertionFailure() << "another summary, or a residual too many";
        }
        // The first library's flatness of the same points written to a file.
        double flatness = -1.0;
        std::string const path = scratch.write("points.txt", fileText(points));
        if (gte_measure_platness_pointCloud_file(path.c_str(), &flatness) !=
                TAVRISK_FLATNESS_MEASURED ||
            !sameBits(fit.flatness, flatness)) {
            return ::testing::AssertionFailure()
                   << "flatness " << fit.flatness << " instead of the file's " << flatness;
        }
        return ::testing::AssertionSuccess();
    });
}

TEST(LeastSquaresFits, LineIsTheExportsFitWithItsDistances) {
    RandomDraws draw(43);
    expectCases(200, [&](int c) -> ::testing::AssertionResult {
        std::vector<gte_point> const points =
            c % 4 == 0
                ? draw.points(draw.integer(3, 60), c % RandomDraws::kKinds, draw.direction(), 0.0)
                : scanPoints(draw, draw.integer(3, 400), false);
        int const n = static_cast<int>(points.size());
        tvi_line_fit fit = fitRecord<tvi_line_fit>();
        std::vector<double> residuals(points.size());
        tvi_problem problem;
        int const status =
            tvi_fit_line(points.data(), points.size(), &fit, residuals.data(), &problem);
        gte_lseg segment;
        int const exported = gte_fit_lseg(points.data(), n, &segment);
        if (status != TVI_OK) {
            return refusedAsTheExport(exported, fit, problem);
        }
        if (exported == TAVRISK_MEASURED
                ? !(fit.has_segment == 1 && sameRecordBits(fit.segment, segment))
                : fit.has_segment != 0) {
            return ::testing::AssertionFailure() << "another segment than the export's";
        }
        gte::Line3 const line(gte::Vector3(fit.centroid.x, fit.centroid.y, fit.centroid.z),
                              gte::Vector3(fit.direction.x, fit.direction.y, fit.direction.z));
        double squares = 0.0, high = 0.0;
        for (int i = 0; i < n; ++i) {
            gte::Vector3 const p(points[i].x, points[i].y, points[i].z);
            gte::Vector3 const foot =
                line.origin + gte::Dot(line.direction, p - line.origin) * line.direction;
            double const d = gte::Length(p - foot);
            if (!sameBits(residuals[i], d)) {
                return ::testing::AssertionFailure() << "distance " << i;
            }
            squares += d * d;
            high = i == 0 || d > high ? d : high;
        }
        return ::testing::AssertionResult(sameBits(fit.rms, std::sqrt(squares / n)) &&
                                          fit.high == high &&
                                          std::fabs(gte::Length(line.direction) - 1.0) < 1e-15)
               << "another summary";
    });
}

TEST(LeastSquaresFits, RefusalsSayWhy) {
    std::vector<gte_point> const two = xyzPoints(0, 0, 0, 1, 0, 0);
    std::vector<gte_point> const onLine = xyzPoints(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3);
    std::vector<gte_point> undefined = xyzPoints(0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0, 2, 1, 0);
    undefined[3].y = kNaN;
    undefined[4].z = -kInf;
    tvi_plane_fit fit = fitRecord<tvi_plane_fit>();
    tvi_line_fit line = fitRecord<tvi_line_fit>();
    tvi_problem problem;

    EXPECT_EQ(tvi_fit_plane(two.data(), 2, &fit, nullptr, &problem), TVI_REFUSED);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_TOO_FEW_POINTS);
    EXPECT_EQ(problem.count, 2u);
    EXPECT_EQ(problem.expected, 3u);
    EXPECT_EQ(tvi_fit_line(two.data(), 2, &line, nullptr, &problem), TVI_REFUSED);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_TOO_FEW_POINTS);

    EXPECT_EQ(tvi_fit_plane(undefined.data(), 5, &fit, nullptr, &problem), TVI_REFUSED);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NOT_FINITE);
    EXPECT_EQ(problem.element, 4u);  // the first point at fault, by number
    EXPECT_EQ(problem.column, 2u);   // its y
    EXPECT_STREQ(problem.text, "nan");
    EXPECT_NE(std::strstr(problem.message, "index 3"), nullptr) << problem.message;
    EXPECT_EQ(tvi_fit_line(undefined.data() + 4, 3, &line, nullptr, &problem), TVI_REFUSED);
    EXPECT_EQ(problem.element, 1u);
    EXPECT_STREQ(problem.text, "-inf");

    EXPECT_EQ(tvi_fit_plane(onLine.data(), onLine.size(), &fit, nullptr, &problem), TVI_REFUSED);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NO_UNIQUE_FIT);
    EXPECT_TRUE(unwritten(fit));
    EXPECT_EQ(tvi_fit_line(onLine.data(), onLine.size(), &line, nullptr, &problem), TVI_OK);
    EXPECT_LT(line.high, 1e-15);

    // The call itself.
    tvi_plane_fit older = fitRecord<tvi_plane_fit>();
    older.size = sizeof older - 8;
    EXPECT_EQ(tvi_fit_plane(onLine.data(), 3, &older, nullptr, &problem), TVI_BAD_ARGUMENT);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_BAD_OPTION);
    EXPECT_EQ(tvi_fit_plane(onLine.data(), 3, nullptr, nullptr, &problem), TVI_BAD_ARGUMENT);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NULL_ARGUMENT);
    EXPECT_EQ(tvi_fit_line(nullptr, 3, &line, nullptr, &problem), TVI_BAD_ARGUMENT);
}

// The Python package's tests hold the refusals of text that is no number, of a short line and of
// points in line to their reasons; here the others.
TEST(LeastSquaresFits, FileFlatnessIsTheExportsWithTheReason) {
    ScratchDirectory scratch;
    struct Case {
        char const* text;
        int kind;  // TVI_PROBLEM_NONE: measured
        std::uint64_t line;
        char const* value;
    } const cases[] = {
        {"0 0 0\n1 0 0.5\n0 1 0\n1 1 0.25\n", TVI_PROBLEM_NONE, 0, ""},
        {"0 0 0\n1 0 0\n", TVI_PROBLEM_NONE, 0, ""},  // two points measure flat
        {"0 0 0\n1 0 0\n0 1 1e999\n", TVI_PROBLEM_NOT_FINITE, 3, "1e999"},
        {"\n \n", TVI_PROBLEM_NO_POINT, 0, ""},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.text);
        std::string const path = scratch.write("flat.txt", c.text);
        double want = -1.0, got = -2.0;
        int const exported = gte_measure_platness_pointCloud_file(path.c_str(), &want);
        tvi_problem problem;
        int const status = tvi_least_squares_flatness_file(path.c_str(), &got, &problem);
        EXPECT_EQ(problem.kind, c.kind) << problem.message;
        if (c.kind == TVI_PROBLEM_NONE) {
            EXPECT_EQ(status, TVI_OK);
            EXPECT_EQ(exported, TAVRISK_FLATNESS_MEASURED);
            EXPECT_TRUE(sameBits(got, want));
            continue;
        }
        EXPECT_EQ(status, TVI_REFUSED);
        EXPECT_EQ(exported, TAVRISK_REFUSED);
        EXPECT_EQ(got, -2.0);
        EXPECT_EQ(problem.line, c.line);
        EXPECT_STREQ(problem.text, c.value);
        EXPECT_NE(problem.message[0], '\0');
    }
    tvi_problem problem;
    EXPECT_EQ(tvi_least_squares_flatness_file((scratch.path() / "none.txt").string().c_str(),
                                              nullptr, &problem),
              TVI_REFUSED);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_MISSING);
}
