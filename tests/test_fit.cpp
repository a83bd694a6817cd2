// Orthogonal line and plane fits, and the segment and plane records built from them.
#include <cmath>
#include <vector>

#include "gte/fit.h"
#include "tavrisk.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk_test::kTight;

namespace {

std::vector<gte_point> const kOnXAxis = {gte_point(3, 0, 0), gte_point(-1, 0, 0),
                                         gte_point(5, 0, 0), gte_point(0, 0, 0)};
std::vector<gte_point> const kCopies(4, gte_point(1, 2, 3));
// Corners of a unit square in the plane z = 5.
std::vector<gte_point> const kSquare = {gte_point(0, 0, 5), gte_point(1, 0, 5), gte_point(0, 1, 5),
                                        gte_point(1, 1, 5)};

std::vector<Vector3> toVectors(std::vector<gte_point> const& points) {
    std::vector<Vector3> v;
    for (gte_point const& p : points) v.push_back(Vector3(p.x, p.y, p.z));
    return v;
}

}  // namespace

TEST(LineFit, DirectionOfLargestSpread) {
    gte::LineFit fit;
    EXPECT_VEC3_EQ(fit.origin(), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.direction(), 0.0, 0.0, 0.0);

    Vector3 const two[2] = {Vector3(1, 2, 3), Vector3(3, 6, 9)};
    EXPECT_TRUE(fit.fit(2, two));
    EXPECT_VEC3_EQ(fit.origin(), 2.0, 4.0, 6.0);
    Vector3 const along = Vector3(1, 2, 3) / std::sqrt(14.0);
    EXPECT_NEAR(std::fabs(gte::Dot(fit.direction(), along)), 1.0, kTight);
    EXPECT_NEAR(gte::Length(fit.direction()), 1.0, kTight);

    std::vector<Vector3> const axis = toVectors(kOnXAxis);
    EXPECT_TRUE(fit.fit(4, axis.data()));
    EXPECT_VEC3_EQ(fit.origin(), 1.75, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.direction(), 1.0, 0.0, 0.0);

    // No spread at all: every eigenvalue is zero, the solver's fixed basis comes back.
    std::vector<Vector3> const copies = toVectors(kCopies);
    EXPECT_FALSE(fit.fit(4, copies.data()));
    EXPECT_VEC3_EQ(fit.origin(), 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(fit.direction(), 1.0, 0.0, 0.0);

    // Too few points or none reset a previously filled result to zero.
    EXPECT_FALSE(fit.fit(1, two));
    EXPECT_VEC3_EQ(fit.origin(), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.direction(), 0.0, 0.0, 0.0);
    EXPECT_TRUE(fit.fit(2, two));
    EXPECT_FALSE(fit.fit(2, nullptr));
    EXPECT_VEC3_EQ(fit.origin(), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.direction(), 0.0, 0.0, 0.0);
}

TEST(PlaneFit, NormalOfSmallestSpread) {
    gte::PlaneFit fit;
    EXPECT_VEC3_EQ(fit.origin(), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.normal(), 0.0, 0.0, 0.0);

    Vector3 const tri[3] = {Vector3(1, 0, 0), Vector3(0, 2, 0), Vector3(0, 0, 3)};
    EXPECT_TRUE(fit.fit(3, tri));
    EXPECT_VEC3_NEAR(fit.origin(), 1.0 / 3.0, 2.0 / 3.0, 1.0, kTight);
    EXPECT_NEAR(gte::Length(fit.normal()), 1.0, kTight);
    EXPECT_NEAR(gte::Dot(fit.normal(), tri[1] - tri[0]), 0.0, kTight);
    EXPECT_NEAR(gte::Dot(fit.normal(), tri[2] - tri[0]), 0.0, kTight);

    // Collinear points leave two zero eigenvalues: the normal is not unique.
    std::vector<Vector3> const axis = toVectors(kOnXAxis);
    EXPECT_FALSE(fit.fit(4, axis.data()));
    EXPECT_VEC3_EQ(fit.origin(), 1.75, 0.0, 0.0);

    std::vector<Vector3> const copies = toVectors(kCopies);
    EXPECT_FALSE(fit.fit(4, copies.data()));
    EXPECT_VEC3_EQ(fit.origin(), 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(fit.normal(), 0.0, 1.0, 0.0);

    EXPECT_FALSE(fit.fit(2, tri));
    EXPECT_VEC3_EQ(fit.origin(), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.normal(), 0.0, 0.0, 0.0);
    EXPECT_TRUE(fit.fit(3, tri));
    EXPECT_FALSE(fit.fit(3, nullptr));
    EXPECT_VEC3_EQ(fit.origin(), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(fit.normal(), 0.0, 0.0, 0.0);
}

TEST(FitLseg, SegmentRunsBetweenExtremeProjectionsInInputOrder) {
    gte_lseg seg = poisoned<gte_lseg>();
    ASSERT_EQ(gte_fit_lseg(kOnXAxis.data(), 4, &seg), 1);
    EXPECT_POINT_EQ(seg.pt1, -1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(seg.pt2, 5.0, 0.0, 0.0);

    std::vector<gte_point> const reversed(kOnXAxis.rbegin(), kOnXAxis.rend());
    ASSERT_EQ(gte_fit_lseg(reversed.data(), 4, &seg), 1);
    EXPECT_POINT_EQ(seg.pt1, 5.0, 0.0, 0.0);
    EXPECT_POINT_EQ(seg.pt2, -1.0, 0.0, 0.0);

    // Four pairs span the same length: the first pair in (i, j) order is kept.
    std::vector<gte_point> const tied = {gte_point(0, 0, 0), gte_point(2, 0, 0), gte_point(2, 0, 0),
                                         gte_point(0, 0, 0)};
    ASSERT_EQ(gte_fit_lseg(tied.data(), 4, &seg), 1);
    EXPECT_POINT_EQ(seg.pt1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(seg.pt2, 2.0, 0.0, 0.0);

    // Ends are the feet on the fitted line y = 0.05, not the measured points.
    std::vector<gte_point> const bumpy = {gte_point(0, 0, 0), gte_point(1, 0.1, 0),
                                          gte_point(2, 0.1, 0), gte_point(3, 0, 0)};
    ASSERT_EQ(gte_fit_lseg(bumpy.data(), 4, &seg), 1);
    EXPECT_POINT_NEAR(seg.pt1, 0.0, 0.05, 0.0, kTight);
    EXPECT_POINT_NEAR(seg.pt2, 3.0, 0.05, 0.0, kTight);
}

TEST(FitLseg, RefusalsLeaveTheSegmentUntouched) {
    gte_lseg seg = poisoned<gte_lseg>();
    EXPECT_EQ(gte_fit_lseg(kOnXAxis.data(), 2, &seg), -1);  // a line fit would accept two
    EXPECT_EQ(gte_fit_lseg(kOnXAxis.data(), 0, &seg), -1);
    EXPECT_EQ(gte_fit_lseg(kOnXAxis.data(), -5, &seg), -1);
    EXPECT_EQ(gte_fit_lseg(nullptr, 4, &seg), -1);
    EXPECT_EQ(gte_fit_lseg(kCopies.data(), 4, &seg), -1);
    EXPECT_EQ(gte_fit_lseg(kSquare.data(), 4, &seg), -1);  // two largest eigenvalues tie
    EXPECT_TRUE(untouched(seg));

    // Without an output the function still reports whether the fit would succeed.
    EXPECT_EQ(gte_fit_lseg(kOnXAxis.data(), 4, nullptr), 1);
    EXPECT_EQ(gte_fit_lseg(kSquare.data(), 4, nullptr), -1);
}

TEST(FitPlane, SquareCornersGiveDiagonalAndCorner) {
    gte_plane plane = poisoned<gte_plane>();
    ASSERT_EQ(gte_fit_plane(kSquare.data(), 4, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt1, 0.0, 0.0, 5.0, kTight);
    EXPECT_POINT_NEAR(plane.pt2, 1.0, 1.0, 5.0, kTight);
    EXPECT_POINT_NEAR(plane.pt3, 1.0, 0.0, 5.0, kTight);
    EXPECT_POINT_EQ(plane.reserved1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.reserved2, 0.0, 0.0, 0.0);

    // A saddle around z = 5: the record carries projections onto the fitted plane.
    std::vector<gte_point> const saddle = {gte_point(0, 0, 5.1), gte_point(1, 0, 4.9),
                                           gte_point(0, 1, 4.9), gte_point(1, 1, 5.1)};
    plane = poisoned<gte_plane>();
    ASSERT_EQ(gte_fit_plane(saddle.data(), 4, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt1, 0.0, 0.0, 5.0, 1e-14);
    EXPECT_POINT_NEAR(plane.pt2, 1.0, 1.0, 5.0, 1e-14);
    EXPECT_POINT_NEAR(plane.pt3, 1.0, 0.0, 5.0, 1e-14);
    EXPECT_POINT_EQ(plane.reserved1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.reserved2, 0.0, 0.0, 0.0);
}

TEST(FitPlane, RefusalsLeaveThePlaneUntouched) {
    gte_plane plane = poisoned<gte_plane>();
    EXPECT_EQ(gte_fit_plane(kSquare.data(), 2, &plane), -1);
    EXPECT_EQ(gte_fit_plane(kSquare.data(), -1, &plane), -1);
    EXPECT_EQ(gte_fit_plane(nullptr, 4, &plane), -1);
    EXPECT_EQ(gte_fit_plane(kCopies.data(), 4, &plane), -1);
    EXPECT_EQ(gte_fit_plane(kOnXAxis.data(), 4, &plane), -1);  // two smallest eigenvalues tie
    EXPECT_TRUE(untouched(plane));

    EXPECT_EQ(gte_fit_plane(kSquare.data(), 4, nullptr), 1);
    EXPECT_EQ(gte_fit_plane(kOnXAxis.data(), 4, nullptr), -1);
}

TEST(FitPlane, LargeCloudsAreSampledEveryStepIndices) {
    // Three far points in z = 0 before a small cluster near the origin. Up to 199 points every
    // pair is examined and the far pair 0-2 wins; from 200 on only even i meets odd j, so the
    // pair 0-1 is found and point 2 becomes the third sample.
    auto cloud = [](int count) {
        std::vector<gte_point> points = {gte_point(-100, 0, 0), gte_point(0, 90, 0),
                                         gte_point(100, 0, 0)};
        for (int k = 3; k < count; ++k) {
            points.push_back(gte_point((k % 10) * 0.1, (k / 10 % 10) * 0.1, 0.0));
        }
        return points;
    };
    for (int count : {3, 150, 199}) {
        std::vector<gte_point> const points = cloud(count);
        gte_plane plane = poisoned<gte_plane>();
        ASSERT_EQ(gte_fit_plane(points.data(), count, &plane), 1) << count;
        EXPECT_POINT_EQ(plane.pt1, -100.0, 0.0, 0.0) << count;
        EXPECT_POINT_EQ(plane.pt2, 100.0, 0.0, 0.0) << count;
        EXPECT_POINT_EQ(plane.pt3, 0.0, 90.0, 0.0) << count;
    }
    for (int count : {200, 250, 299}) {
        std::vector<gte_point> const points = cloud(count);
        gte_plane plane = poisoned<gte_plane>();
        ASSERT_EQ(gte_fit_plane(points.data(), count, &plane), 1) << count;
        EXPECT_POINT_EQ(plane.pt1, -100.0, 0.0, 0.0) << count;
        EXPECT_POINT_EQ(plane.pt2, 0.0, 90.0, 0.0) << count;
        EXPECT_POINT_EQ(plane.pt3, 100.0, 0.0, 0.0) << count;
    }
}

TEST(FitPlane, ThirdSampleSkipsCollinearCandidates) {
    gte_plane plane;
    // In the tilted plane z = x + y: point 2 is farthest from both ends but lies on their line,
    // so the nearer point 3 is taken.
    std::vector<gte_point> const onTilt = {gte_point(0, 0, 0), gte_point(4, 4, 8),
                                           gte_point(2, 2, 4), gte_point(1, 1.5, 2.5)};
    ASSERT_EQ(gte_fit_plane(onTilt.data(), 4, &plane), 1);
    EXPECT_POINT_NEAR(plane.pt1, 0.0, 0.0, 0.0, 1e-14);
    EXPECT_POINT_NEAR(plane.pt2, 4.0, 4.0, 8.0, 1e-14);
    EXPECT_POINT_NEAR(plane.pt3, 1.0, 1.5, 2.5, 1e-14);

    // A candidate within 0.001 of an end on every axis counts as collinear: none is accepted and
    // the third sample stays at index 0.
    std::vector<gte_point> const nearEnd = {gte_point(0, 0, 0), gte_point(10, 0, 0),
                                            gte_point(0.0005, 0.0005, 0)};
    ASSERT_EQ(gte_fit_plane(nearEnd.data(), 3, &plane), 1);
    EXPECT_POINT_EQ(plane.pt1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.pt2, 10.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.pt3, 0.0, 0.0, 0.0);

    // Along a coordinate axis the cross-term ratios are 0 / 0 and cannot judge; the midpoint
    // still lies on the line of the ends and is skipped for the nearer point off it.
    std::vector<gte_point> const onAxis = {gte_point(0, 0, 0), gte_point(10, 0, 0),
                                           gte_point(5, 0, 0), gte_point(2, 1, 0)};
    ASSERT_EQ(gte_fit_plane(onAxis.data(), 4, &plane), 1);
    EXPECT_POINT_EQ(plane.pt1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.pt2, 10.0, 0.0, 0.0);
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
