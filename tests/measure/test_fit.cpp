// Orthogonal line and plane fits, and the segment and plane records built from them.
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "literal_fits.h"
#include "measure/plane_record.h"
#include "tavrisk.h"
#include "test_util.h"

using tavrisk_test::kTight;
using P = gte_point;

namespace {

std::vector<P> const kOnXAxis = {P(3, 0, 0), P(-1, 0, 0), P(5, 0, 0), P(0, 0, 0)};
std::vector<P> const kCopies(4, P(1, 2, 3));
std::vector<P> const kSquare = {P(0, 0, 5), P(1, 0, 5), P(0, 1, 5), P(1, 1, 5)};

}  // namespace

TEST(FitRecords, SegmentRunsBetweenExtremeProjectionsInInputOrder) {
    // The first pair in (i, j) order wins ties: reversing the input swaps the ends. In the last
    // case the ends are the feet on the fitted line y = 0.05, not the measured points.
    struct {
        std::vector<P> points;
        P pt1, pt2;
        double tol;
    } const cases[] = {
        {kOnXAxis, P(-1, 0, 0), P(5, 0, 0), 0.0},
        {{kOnXAxis.rbegin(), kOnXAxis.rend()}, P(5, 0, 0), P(-1, 0, 0), 0.0},
        {{P(0, 0, 0), P(2, 0, 0), P(2, 0, 0), P(0, 0, 0)}, P(0, 0, 0), P(2, 0, 0), 0.0},
        {{P(0, 0, 0), P(1, 0.1, 0), P(2, 0.1, 0), P(3, 0, 0)},
         P(0, 0.05, 0),
         P(3, 0.05, 0),
         kTight},
    };
    for (auto const& c : cases) {
        gte_lseg seg;
        ASSERT_EQ(gte_fit_lseg(c.points.data(), 4, &seg), 1);
        EXPECT_POINT_NEAR(seg.pt1, c.pt1.x, c.pt1.y, c.pt1.z, c.tol);
        EXPECT_POINT_NEAR(seg.pt2, c.pt2.x, c.pt2.y, c.pt2.z, c.tol);
    }
}

TEST(FitRecords, RefusalsLeaveTheRecordUntouched) {
    gte_lseg seg = poisoned<gte_lseg>();
    gte_plane plane = poisoned<gte_plane>();
    // Three points at least (a line fit would accept two), no null array, a unique fit.
    struct {
        P const* points;
        int count;
    } const refused[] = {
        {kSquare.data(), 2}, {kSquare.data(), -5}, {nullptr, 4}, {kCopies.data(), 4}};
    for (auto const& r : refused) {
        EXPECT_EQ(gte_fit_lseg(r.points, r.count, &seg), -1) << r.count;
        EXPECT_EQ(gte_fit_plane(r.points, r.count, &plane), -1) << r.count;
    }
    EXPECT_EQ(gte_fit_lseg(kSquare.data(), 4, &seg), -1);      // two largest eigenvalues tie
    EXPECT_EQ(gte_fit_plane(kOnXAxis.data(), 4, &plane), -1);  // two smallest eigenvalues tie
    EXPECT_TRUE(untouched(seg));
    EXPECT_TRUE(untouched(plane));
}

TEST(FitPlane, SquareCornersGiveDiagonalAndCorner) {
    // The saddle around z = 5 shows the record carries projections onto the fitted plane.
    std::vector<P> const saddle = {P(0, 0, 5.1), P(1, 0, 4.9), P(0, 1, 4.9), P(1, 1, 5.1)};
    for (std::vector<P> const* points : {&kSquare, &saddle}) {
        gte_plane plane = poisoned<gte_plane>();
        ASSERT_EQ(gte_fit_plane(points->data(), 4, &plane), 1);
        EXPECT_POINT_NEAR(plane.pt1, 0.0, 0.0, 5.0, 1e-14);
        EXPECT_POINT_NEAR(plane.pt2, 1.0, 1.0, 5.0, 1e-14);
        EXPECT_POINT_NEAR(plane.pt3, 1.0, 0.0, 5.0, 1e-14);
        EXPECT_POINT_EQ(plane.reserved1, 0.0, 0.0, 0.0);
        EXPECT_POINT_EQ(plane.reserved2, 0.0, 0.0, 0.0);
    }
}

TEST(FitPlane, LargeCloudsAreSampledEveryStepIndices) {
    // Three far points in z = 0 before a small cluster near the origin. Up to 199 points every
    // pair is examined and the far pair 0-2 wins; from 200 on only even i meets odd j, so the
    // pair 0-1 is found and point 2 becomes the third sample.
    for (int count : {199, 200, 250}) {
        std::vector<P> points = {P(-100, 0, 0), P(0, 90, 0), P(100, 0, 0)};
        for (int k = 3; k < count; ++k) points.push_back(P((k % 10) * 0.1, (k / 10 % 10) * 0.1, 0));
        P const far(100, 0, 0), up(0, 90, 0);
        P const second = count < 200 ? far : up, third = count < 200 ? up : far;
        gte_plane plane;
        ASSERT_EQ(gte_fit_plane(points.data(), count, &plane), 1) << count;
        EXPECT_POINT_EQ(plane.pt1, -100.0, 0.0, 0.0) << count;
        EXPECT_POINT_EQ(plane.pt2, second.x, second.y, second.z) << count;
        EXPECT_POINT_EQ(plane.pt3, third.x, third.y, third.z) << count;
    }
}

TEST(FitPlane, ThirdSampleSkipsCollinearCandidates) {
    gte_plane plane;
    // In the tilted plane z = x + y: point 2 is farthest from both ends but lies on their line,
    // so the nearer point 3 is taken.
    std::vector<P> const onTilt = {P(0, 0, 0), P(4, 4, 8), P(2, 2, 4), P(1, 1.5, 2.5)};
    ASSERT_EQ(gte_fit_plane(onTilt.data(), 4, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt1, 0.0, 0.0, 0.0, 1e-14);
    EXPECT_POINT_NEAR(plane.pt2, 4.0, 4.0, 8.0, 1e-14);
    EXPECT_POINT_NEAR(plane.pt3, 1.0, 1.5, 2.5, 1e-14);

    // Along a coordinate axis the cross-term ratios are 0 / 0 and cannot judge; the midpoint
    // still lies on the line of the ends and is skipped for the nearer point off it.
    std::vector<P> const onAxis = {P(0, 0, 0), P(10, 0, 0), P(5, 0, 0), P(2, 1, 0)};
    ASSERT_EQ(gte_fit_plane(onAxis.data(), 4, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt3, 2.0, 1.0, 0.0, 1e-15);

    // Regression: a face in the plane x = 0 probed along the y axis. Taking the midpoint of the
    // y axis as third sample gave a record of three collinear points, which reads back as the
    // horizontal plane instead of x = 0.
    std::vector<gte_point> const wall = {gte_point(0, 0, 0), gte_point(0, 10, 0),
                                         gte_point(0, 5, 0), gte_point(0, 4, 0.1)};
    ASSERT_EQ(gte_fit_plane(wall.data(), 4, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt3, 0.0, 4.0, 0.1, 1e-15);
    gte_dist_result r;
    gte_dist_point_plane(plane, gte_point(3, 7, 7), &r);
    EXPECT_NEAR(r.dist, 3.0, 1e-14);
}

TEST(FitPlane, RecordAlwaysSpansAPlaneOrNothingIsWritten) {
    // Regression: when no sampled point was off the line of the first two samples, the third
    // sample stayed at index 0 and the record repeated pt1 (or held three collinear points):
    // success reported for a record that describes no plane. Now every point is searched, and
    // without a point off that line the fit is refused with the record untouched.
    auto const onLine = [](int count) {  // off the axes, in the plane x - 2y + 3 = 0
        std::vector<P> points;
        for (int i = 0; i < count; ++i) {
            points.push_back(P(1 + 0.5 * i, 2 + 0.25 * i, 3 + 0.125 * i));
        }
        return points;
    };
    std::vector<P> cases[3];
    cases[0] = onLine(7);  // rounding breaks the eigenvalue tie: the fit succeeds
    for (int i = 0; i < 7; ++i) {
        cases[1].push_back(P(0.1 * i, 0.3 * i, 5));  // the xz cross terms are all zero
    }
    cases[2] = {P(0, 0, 0), P(10, 0, 0), P(0.0005, 0.0005, 0)};  // within 0.001 of an end
    for (std::vector<P> const* points : {&cases[0], &cases[1], &cases[2]}) {
        int const n = static_cast<int>(points->size());
        gte_plane plane = poisoned<gte_plane>();
        EXPECT_EQ(gte_fit_plane(points->data(), n, &plane), -1) << n;
        EXPECT_TRUE(untouched(plane));
    }

    // A line of 1000 points with three points off it, none at a sampled index (every tenth):
    // the full search takes the one farthest from both ends. The line's plane holds them all,
    // so the fit is exact.
    std::vector<P> line = onLine(1000);
    P const off[] = {P(52, 27.5, 20), P(252, 127.5, 40), P(452, 227.5, 60)};
    line.insert(line.begin() + 5, off[0]);
    line.insert(line.begin() + 503, off[1]);
    line.insert(line.begin() + 1001, off[2]);
    gte_plane plane;
    ASSERT_EQ(gte_fit_plane(line.data(), 1003, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt3, off[1].x, off[1].y, off[1].z, 1e-9);

    // Two off-line points mirrored across the middle of a 300-point line (ends at indices 0 and
    // 301, both sampled) lie equally far from both ends: the full search keeps the first in
    // index order, as the thinned one does.
    P const up(74.75, 38.875, 26.6875), down(76.75, 39.875, 16.6875);  // midpoint +- (-1, -.5, 5)
    for (bool upFirst : {true, false}) {
        std::vector<P> mirrored = onLine(300);
        mirrored.insert(mirrored.begin() + 100, upFirst ? up : down);
        mirrored.insert(mirrored.begin() + 200, upFirst ? down : up);
        P const first = upFirst ? up : down;
        ASSERT_EQ(gte_fit_plane(mirrored.data(), 302, &plane), 1);
        EXPECT_POINT_NEAR(plane.pt3, first.x, first.y, first.z, 1e-9) << upFirst;
    }
}

TEST(FitRecords, NonFiniteInputOrResultIsRefused) {
    // Coordinates that are not numbers, infinite, or so large that the fit overflows.
    double const nan = std::nan(""), inf = HUGE_VAL;
    std::vector<P> const cases[] = {
        {P(0, 0, 0), P(1, 0, 0), P(0, 1, nan), P(1, 1, 0.1)},
        {P(0, 0, 0), P(1, 0.1, 0), P(-inf, 1, 0), P(1, 1, 0.1)},
        {P(0, 0, 0), P(1, 0.1, inf), P(2, 1, 0), P(1, 1, 0.1)},
        {P(1e300, 0, 0), P(-1e300, 1e300, 0), P(0, -1e300, 1e299), P(1e300, 1e300, 1e299)},
    };
    for (auto const& points : cases) {
        gte_lseg seg = poisoned<gte_lseg>();
        gte_plane plane = poisoned<gte_plane>();
        EXPECT_EQ(gte_fit_lseg(points.data(), 4, &seg), -1);
        EXPECT_EQ(gte_fit_plane(points.data(), 4, &plane), -1);
        EXPECT_TRUE(untouched(seg) && untouched(plane));
    }
}

TEST(FitPlane, RecordsReadInPlaceGiveTheRecordOfTheCopyThenFitPath) {
    // The export used to copy the records into core values, fit the copy and build the record
    // from it; reading the records in place must give the same record, or the same refusal.
    auto const finite = [](double x, double y, double z) {
        return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
    };
    tavrisk_test::CloudMaker maker(0x9A7E5u);
    int records = 0;
    for (int i = 0; i < 100000; ++i) {
        int const kind = i % tavrisk_test::CloudMaker::kKinds;
        int const count = maker.count(3);
        std::vector<P> const points = maker.cloud(kind, count);
        std::vector<gte::Vector3> const copy = tavrisk_test::copiedPoints(points.data(), count);
        tavrisk_test::LiteralFit const fit = tavrisk_test::literalPlaneFit(count, copy.data());
        std::optional<gte_plane> expected;
        if (fit.unique && finite(fit.origin[0], fit.origin[1], fit.origin[2]) &&
            finite(fit.axis[0], fit.axis[1], fit.axis[2])) {
            expected = tavrisk::planeRecordOf(
                gte::Plane3::fromNormalAndPoint(fit.axis, fit.origin), count,
                [&copy](std::size_t k) -> gte::Vector3 const& { return copy[k]; });
        }
        if (expected && !(finite(expected->pt1.x, expected->pt1.y, expected->pt1.z) &&
                          finite(expected->pt2.x, expected->pt2.y, expected->pt2.z) &&
                          finite(expected->pt3.x, expected->pt3.y, expected->pt3.z))) {
            expected.reset();
        }
        gte_plane plane = poisoned<gte_plane>();
        int const rc = gte_fit_plane(points.data(), count, &plane);
        ASSERT_EQ(rc, expected ? 1 : -1) << "kind " << kind << ", " << count << " points";
        if (expected) {
            ASSERT_EQ(std::memcmp(&plane, &*expected, sizeof plane), 0) << "kind " << kind;
            ++records;
        } else {
            ASSERT_TRUE(untouched(plane)) << "kind " << kind;
        }
    }
    // Both outcomes are common enough for the comparison to mean something.
    EXPECT_GT(records, 30000);
    EXPECT_LT(records, 90000);
}
