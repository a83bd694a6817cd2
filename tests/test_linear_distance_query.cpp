// Closest points between lines, rays and segments, region by region.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "gte/linear_distance.h"
#include "test_util.h"

using gte::Line3;
using gte::Ray3;
using gte::Segment3;
using gte::Vector3;
using tavrisk_test::kTight;

namespace {

Vector3 unit(double x, double y, double z) {
    Vector3 v(x, y, z);
    gte::Normalize(v);
    return v;
}

double const kHalfRoot2 = std::sqrt(0.5);

gte::DistanceQuery<Line3, Line3> const lineLine;
gte::DistanceQuery<Line3, Ray3> const lineRay;
gte::DistanceQuery<Line3, Segment3> const lineSegment;
gte::DistanceQuery<Ray3, Ray3> const rayRay;
gte::DistanceQuery<Ray3, Segment3> const raySegment;

Line3 const xAxis(Vector3(0, 0, 0), Vector3(1, 0, 0));
Ray3 const xRay(Vector3(0, 0, 0), Vector3(1, 0, 0));

bool near(double a, double b, double tol) {
    return std::fabs(a - b) <= tol;
}
bool near(Vector3 const& a, Vector3 const& b, double tol) {
    return near(a[0], b[0], tol) && near(a[1], b[1], tol) && near(a[2], b[2], tol);
}

// The whole result: squared distance (and its root), both parameters and both closest points.
::testing::AssertionResult isPair(gte::LinearDistanceResult const& r, double sq, double s0,
                                  double s1, Vector3 const& c0, Vector3 const& c1,
                                  double tol = 0.0) {
    if (near(r.squaredDistance, sq, tol) && near(r.distance, std::sqrt(sq), tol) &&
        near(r.parameter[0], s0, tol) && near(r.parameter[1], s1, tol) &&
        near(r.closestPoint[0], c0, tol) && near(r.closestPoint[1], c1, tol)) {
        return ::testing::AssertionSuccess();
    }
    auto const& p = r.closestPoint;
    return ::testing::AssertionFailure()
           << "got sq " << r.squaredDistance << ", s (" << r.parameter[0] << ", " << r.parameter[1]
           << "), points (" << p[0][0] << ", " << p[0][1] << ", " << p[0][2] << ") (" << p[1][0]
           << ", " << p[1][1] << ", " << p[1][2] << ")";
}

}  // namespace

TEST(LineLineQuery, SkewAndParallel) {
    Vector3 const O(0, 0, 0);
    EXPECT_TRUE(isPair(lineLine(Line3(Vector3(-2, 0, 0), Vector3(1, 0, 0)),
                                Line3(Vector3(0, -3, 5), Vector3(0, 1, 0))),
                       25.0, 2.0, 3.0, O, Vector3(0, 0, 5)));
    // Parallel, either sense: the second origin and its foot; s0 follows the first line's sense.
    for (double sense : {1.0, -1.0}) {
        Line3 const second(Vector3(7, 3, 4), Vector3(sense, 0, 0));
        EXPECT_TRUE(
            isPair(lineLine(xAxis, second), 25.0, 7.0, 0.0, Vector3(7, 0, 0), Vector3(7, 3, 4)));
        EXPECT_TRUE(isPair(lineLine(Line3(O, Vector3(-1, 0, 0)), second), 25.0, -7.0, 0.0,
                           Vector3(7, 0, 0), Vector3(7, 3, 4)));
    }
    // Crossing lines whose quadratic rounds to a small negative value: clamped to exactly 0.
    auto const r = lineLine(Line3(Vector3(-1, 17, 0), unit(1, -5, 0)),
                            Line3(Vector3(4, -4, 2), unit(1, -3, 1)));
    EXPECT_EQ(r.squaredDistance, 0.0);
    EXPECT_EQ(r.distance, 0.0);
    EXPECT_VEC3_NEAR(r.closestPoint[0], 2.0, 2.0, 0.0, kTight);
    EXPECT_VEC3_NEAR(r.closestPoint[1], 2.0, 2.0, 0.0, kTight);
}

TEST(LineRayQuery, InteriorOriginAndParallel) {
    EXPECT_TRUE(isPair(lineRay(Line3(Vector3(-2, 0, 0), Vector3(1, 0, 0)),
                               Ray3(Vector3(0, -3, 5), Vector3(0, 1, 0))),
                       25.0, 2.0, 3.0, Vector3(0, 0, 0), Vector3(0, 0, 5)));
    // The ray points away from the line: its origin, not its line's crossing 1 away.
    EXPECT_TRUE(isPair(lineRay(xAxis, Ray3(Vector3(3, 2, 1), Vector3(0, 1, 0))), 5.0, 3.0, 0.0,
                       Vector3(3, 0, 0), Vector3(3, 2, 1)));
    EXPECT_TRUE(isPair(lineRay(xAxis, Ray3(Vector3(5, 1, 0), Vector3(-1, 0, 0))), 1.0, 5.0, 0.0,
                       Vector3(5, 0, 0), Vector3(5, 1, 0)));
}

TEST(LineSegmentQuery, InteriorBothEndsParallelAndPoint) {
    // Inside the segment, below its centre (2,1,3).
    EXPECT_TRUE(isPair(lineSegment(xAxis, Segment3(Vector3(2, -1, 3), Vector3(2, 3, 3))), 9.0, 2.0,
                       -1.0, Vector3(2, 0, 0), Vector3(2, 0, 3)));
    // The segment stops short of the closest approach: its -e end, then its +e end.
    EXPECT_TRUE(isPair(lineSegment(xAxis, Segment3(Vector3(2, 1, 3), Vector3(2, 2, 3))), 10.0, 2.0,
                       -0.5, Vector3(2, 0, 0), Vector3(2, 1, 3)));
    EXPECT_TRUE(isPair(lineSegment(xAxis, Segment3(Vector3(2, -2, 3), Vector3(2, -1, 3))), 10.0,
                       2.0, 0.5, Vector3(2, 0, 0), Vector3(2, -1, 3)));
    // Parallel: from the segment centre.
    EXPECT_TRUE(isPair(lineSegment(xAxis, Segment3(Vector3(3, 1, 0), Vector3(5, 1, 0))), 1.0, 4.0,
                       0.0, Vector3(4, 0, 0), Vector3(4, 1, 0)));
    // Zero length: the point.
    EXPECT_TRUE(isPair(lineSegment(xAxis, Segment3(Vector3(3, 4, 0), Vector3(3, 4, 0))), 16.0, 3.0,
                       0.0, Vector3(3, 0, 0), Vector3(3, 4, 0)));
}

TEST(RayRayQuery, EveryRegionOfTheGeneralCase) {
    Vector3 const O(0, 0, 0);
    EXPECT_TRUE(isPair(rayRay(Ray3(Vector3(-2, 0, 0), Vector3(1, 0, 0)),
                              Ray3(Vector3(0, -3, 5), Vector3(0, 1, 0))),
                       25.0, 2.0, 3.0, O, Vector3(0, 0, 5)));
    // The second ray runs away from the crossing, its origin's foot behind the first origin:
    // both origins, whichever ray comes first.
    Ray3 const awayBehind(Vector3(-1, -3, 1), unit(-1, -1, 0));
    EXPECT_TRUE(isPair(rayRay(xRay, awayBehind), 11.0, 0.0, 0.0, O, Vector3(-1, -3, 1)));
    EXPECT_TRUE(isPair(rayRay(awayBehind, xRay), 11.0, 0.0, 0.0, Vector3(-1, -3, 1), O));
    // The same, the origin's foot on the other ray.
    Ray3 const awayAhead(Vector3(1, -1, 1), unit(-1, -1, 0));
    EXPECT_TRUE(
        isPair(rayRay(xRay, awayAhead), 2.0, 1.0, 0.0, Vector3(1, 0, 0), Vector3(1, -1, 1)));
    EXPECT_TRUE(
        isPair(rayRay(awayAhead, xRay), 2.0, 0.0, 1.0, Vector3(1, -1, 1), Vector3(1, 0, 0)));
    // Both rays point away from their lines' closest pair.
    Ray3 const xFrom3(Vector3(3, 0, 0), Vector3(1, 0, 0));
    Ray3 const diagonal(Vector3(4, 2, 1), unit(1, 1, 0));
    EXPECT_TRUE(
        isPair(rayRay(xFrom3, diagonal), 5.0, 1.0, 0.0, Vector3(4, 0, 0), Vector3(4, 2, 1)));
    EXPECT_TRUE(
        isPair(rayRay(diagonal, xFrom3), 5.0, 0.0, 1.0, Vector3(4, 2, 1), Vector3(4, 0, 0)));
    EXPECT_TRUE(isPair(rayRay(xFrom3, Ray3(Vector3(3, 1, 1), unit(1, 1, 0))), 2.0, 0.0, 0.0,
                       Vector3(3, 0, 0), Vector3(3, 1, 1)));
}

TEST(RayRayQuery, ParallelBothSenses) {
    Vector3 const O(0, 0, 0);
    // Opposite senses: apart, both origins; overlapping, the second origin and its foot.
    EXPECT_TRUE(isPair(rayRay(xRay, Ray3(Vector3(-1, 1, 0), Vector3(-1, 0, 0))), 2.0, 0.0, 0.0, O,
                       Vector3(-1, 1, 0)));
    EXPECT_TRUE(isPair(rayRay(xRay, Ray3(Vector3(5, 1, 0), Vector3(-1, 0, 0))), 1.0, 5.0, 0.0,
                       Vector3(5, 0, 0), Vector3(5, 1, 0)));
    // Same sense: from whichever origin lies behind the other.
    EXPECT_TRUE(isPair(rayRay(Ray3(Vector3(2, 1, 0), Vector3(1, 0, 0)), xRay), 1.0, 0.0, 2.0,
                       Vector3(2, 1, 0), Vector3(2, 0, 0)));
    EXPECT_TRUE(isPair(rayRay(Ray3(Vector3(-2, 1, 0), Vector3(1, 0, 0)), xRay), 1.0, 2.0, 0.0,
                       Vector3(0, 1, 0), O));
}

TEST(RaySegmentQuery, AheadOfTheRayOrigin) {
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(Vector3(2, -1, 3), Vector3(2, 3, 3))), 9.0, 2.0,
                       -1.0, Vector3(2, 0, 0), Vector3(2, 0, 3)));
    // Beyond the +e end, then the same segment reversed (-e).
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(Vector3(2, -2, 3), Vector3(2, -1, 3))), 10.0, 2.0,
                       0.5, Vector3(2, 0, 0), Vector3(2, -1, 3)));
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(Vector3(2, -1, 3), Vector3(2, -2, 3))), 10.0, 2.0,
                       -0.5, Vector3(2, 0, 0), Vector3(2, -1, 3)));
    // The lines meet ahead of the origin, but the nearest segment end has its foot behind it.
    Vector3 const O(0, 0, 0), a(-2, -3, 1), b(-1, -2, 1);
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(a, b)), 6.0, 0.0, kHalfRoot2, O, b, kTight));
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(b, a)), 6.0, 0.0, -kHalfRoot2, O, b, kTight));
}

TEST(RaySegmentQuery, BehindTheRayOrigin) {
    Vector3 const O(0, 0, 0);
    // Lines closest behind the origin; beyond the segment's end, whose foot is on the ray.
    Vector3 const a(1, 2, 1), b(2, 3, 1);
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(a, b)), 5.0, 1.0, -kHalfRoot2, Vector3(1, 0, 0), a,
                       kTight));
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(b, a)), 5.0, 1.0, kHalfRoot2, Vector3(1, 0, 0), a,
                       kTight));
    // That end's foot is behind the origin as well: the origin against the segment, clamped to
    // the end (the nearest point of the segment's line lies outside the segment).
    Vector3 const c(-0.25, 0.75, 1), d(0.75, 1.75, 1);
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(c, d)), 1.625, 0.0, -kHalfRoot2, O, c, kTight));
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(d, c)), 1.625, 0.0, kHalfRoot2, O, c, kTight));
    // The origin's foot inside a segment behind it.
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(Vector3(-3, -1, 2), Vector3(-3, 3, 2))), 13.0, 0.0,
                       -1.0, O, Vector3(-3, 0, 2)));
}

TEST(RaySegmentQuery, ParallelTakesTheEndFurthestAlongTheRay) {
    Vector3 const a(3, 1, 0), b(5, 1, 0);
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(a, b)), 1.0, 5.0, 1.0, Vector3(5, 0, 0), b));
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(b, a)), 1.0, 5.0, -1.0, Vector3(5, 0, 0), b));
    // Entirely behind the origin: that end against the origin.
    EXPECT_TRUE(isPair(raySegment(xRay, Segment3(Vector3(-5, 1, 0), Vector3(-3, 1, 0))), 10.0, 0.0,
                       1.0, Vector3(0, 0, 0), Vector3(-3, 1, 0)));
}

TEST(LinearQueries, ZeroDirectionActsAsTheOrigin) {
    Vector3 const P(1, 2, 3), zero(0, 0, 0);
    EXPECT_TRUE(isPair(lineLine(Line3(P, zero), xAxis), 13.0, 0.0, 1.0, P, Vector3(1, 0, 0)));
    EXPECT_TRUE(isPair(raySegment(Ray3(P, zero), Segment3(Vector3(-1, 0, 0), Vector3(4, 0, 0))),
                       13.0, 0.0, -0.5, P, Vector3(1, 0, 0)));
}

// Random pairs: the reported pair must be a constrained minimum. The squared distance is a
// convex quadratic over a box of parameters, so no feasible step along either parameter may
// shorten it.
TEST(LinearQueries, RandomPairsAreConstrainedMinima) {
    std::mt19937 engine(20240611u);
    std::uniform_real_distribution<double> coordinate(-10.0, 10.0);
    auto randomPoint = [&] {
        return Vector3(coordinate(engine), coordinate(engine), coordinate(engine));
    };
    auto randomUnit = [&] {
        Vector3 v = randomPoint();
        gte::Normalize(v);
        return v;
    };
    double const inf = std::numeric_limits<double>::infinity();

    // Checks the result against every step of +-delta along one parameter within [lo, hi].
    auto checkMinimum = [&](gte::LinearDistanceResult const& r, Vector3 const& P0,
                            Vector3 const& D0, double lo0, double hi0, Vector3 const& P1,
                            Vector3 const& D1, double lo1, double hi1) {
        Vector3 const between = r.closestPoint[0] - r.closestPoint[1];
        EXPECT_NEAR(r.distance, gte::Length(between), 1e-9);
        EXPECT_GE(r.parameter[0], lo0 - 1e-12);
        EXPECT_LE(r.parameter[0], hi0 + 1e-12);
        EXPECT_GE(r.parameter[1], lo1 - 1e-12);
        EXPECT_LE(r.parameter[1], hi1 + 1e-12);
        for (double delta : {-1e-3, 1e-3}) {
            double const t0 = std::min(hi0, std::max(lo0, r.parameter[0] + delta));
            double const t1 = std::min(hi1, std::max(lo1, r.parameter[1] + delta));
            double const moved0 = gte::Length(P0 + t0 * D0 - r.closestPoint[1]);
            double const moved1 = gte::Length(r.closestPoint[0] - (P1 + t1 * D1));
            EXPECT_GE(moved0, r.distance - 1e-9);
            EXPECT_GE(moved1, r.distance - 1e-9);
        }
    };

    for (int i = 0; i < 500; ++i) {
        Vector3 const P0 = randomPoint(), D0 = randomUnit();
        Vector3 const P1 = randomPoint(), D1 = randomUnit();
        Segment3 const segment(randomPoint(), randomPoint());
        Vector3 center, direction;
        double e;
        segment.centeredForm(center, direction, e);

        auto const ll = lineLine(Line3(P0, D0), Line3(P1, D1));
        checkMinimum(ll, P0, D0, -inf, inf, P1, D1, -inf, inf);
        EXPECT_NEAR(lineLine(Line3(P1, D1), Line3(P0, D0)).distance, ll.distance, 1e-9);

        checkMinimum(lineRay(Line3(P0, D0), Ray3(P1, D1)), P0, D0, -inf, inf, P1, D1, 0.0, inf);
        checkMinimum(rayRay(Ray3(P0, D0), Ray3(P1, D1)), P0, D0, 0.0, inf, P1, D1, 0.0, inf);
        checkMinimum(lineSegment(Line3(P0, D0), segment), P0, D0, -inf, inf, center, direction, -e,
                     e);
        checkMinimum(raySegment(Ray3(P0, D0), segment), P0, D0, 0.0, inf, center, direction, -e, e);
        // A ray is never nearer than its line, nor two rays nearer than a line and a ray.
        EXPECT_GE(rayRay(Ray3(P0, D0), Ray3(P1, D1)).distance,
                  lineRay(Line3(P0, D0), Ray3(P1, D1)).distance - 1e-9);
    }
}
