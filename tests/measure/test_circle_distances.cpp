// SPDX-License-Identifier: MIT
// Circle-circle and line-circle distance exports: the three records, their order, the return
// values, and the records left alone when a pair cannot be measured. That a count of 3 comes with
// both pairs written, also for pairs beyond 1e16 or at NaN distances (where the search once left
// them stale), is the records fuzz target's check on every input.
#include <array>
#include <cmath>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

gte_circle up(double x, double y, double z, double r) {
    return circleAt(x, y, z, r, 0, 0, 1);
}

// Three poisoned slots filled by one call, which must return the same count without them; the
// pairs are written exactly when 3 is returned. The nearest and the farthest pair, each from
// circle1 (or the circle) to circle2 (or the line).
struct Measured {
    int count;
    gte_dist_result r[3];
    std::array<gte_point, 4> pairs() const {
        return {r[1].point1, r[1].point2, r[2].point1, r[2].point2};
    }
};
template <class F, class A>
Measured measure(F f, A const& a, gte_circle const& b) {
    Measured m{
        0, {poisoned<gte_dist_result>(), poisoned<gte_dist_result>(), poisoned<gte_dist_result>()}};
    m.count = f(a, b, m.r);
    EXPECT_EQ(f(a, b, nullptr), m.count);
    EXPECT_EQ(untouched(m.r[1]) && untouched(m.r[2]), m.count == 1);
    return m;
}

gte_circle const kBig = up(0, 0, 0, 2);
gte_line const kAbove = lineThrough(0, 5, 3, 1, 0, 0);  // three units above kBig, five off in y
auto* const kPlanar = gte_dist_circle_circle;
auto* const kSpatial = gte_dist3D_circle_circle;

}  // namespace

TEST(CircleDistance, NearestThenFarthestPairOfEachForm) {
    double const h = 5.0 / std::sqrt(2.0), n = 1 + 1e-6;  // n: the tilted line's squared length
    struct {
        Measured m;
        std::array<double, 12> expected;  // as pairs() holds them
        double tol = 0;
    } const cases[] = {
        // Coplanar: cut along the centre line, also with opposite normals.
        {measure(kPlanar, kBig, circleAt(5, 0, 0, 1, 0, 0, -1)),
         doubles(2, 0, 0, 4, 0, 0, -2, 0, 0, 6, 0, 0)},
        // Concentric: facing up cut along x; facing x, z crossed with the normal gives y.
        {measure(kPlanar, kBig, up(0, 0, 0, 3)), doubles(2, 0, 0, 3, 0, 0, 2, 0, 0, -3, 0, 0)},
        {measure(kPlanar, circleAt(0, 0, 0, 2, 1, 0, 0), circleAt(0, 0, 0, 3, 1, 0, 0)),
         doubles(0, 2, 0, 0, 3, 0, 0, 2, 0, 0, -3, 0)},
        // Centres within 1e-6 count as concentric (cut along x); beyond, the centre line decides.
        {measure(kPlanar, kBig, up(0, 5e-7, 0, 3)), doubles(2, 0, 0, 3, 0, 0, 2, 0, 0, -3, 0, 0),
         1e-12},
        {measure(kPlanar, kBig, up(0, 2e-6, 0, 3)),
         doubles(0, -2, 0, 0, -3 + 2e-6, 0, 0, -2, 0, 0, 3 + 2e-6, 0), 1e-12},
        // Seen from above: circle2's centre lifted to circle1's height (not to zero).
        {measure(gte_distXY_circle_circle, up(0, 0, 2, 2), up(5, 0, -4, 1)),
         doubles(2, 0, 2, 4, 0, 2, -2, 0, 2, 6, 0, 2)},
        // In space opposite normals are averaged with agreeing senses, not cancelled.
        {measure(kSpatial, kBig, circleAt(5, 0, 0, 1, 0, 0, -1)),
         doubles(2, 0, 0, 4, 0, 0, -2, 0, 0, 6, 0, 0)},
        // One circle inside the other: the search's own nearest pair stays.
        {measure(kSpatial, up(0, 0, 0, 10), up(2, 0, 0, 3)),
         doubles(10, 0, 0, 5, 0, 0, -10, 0, 0, 5, 0, 0)},
        // Otherwise the nearest record is the pair opposite the farthest, not the closest of the
        // four: second circle tilted 45 degrees, cut at (1, 0, 0) +- h (1, 0, -1).
        {measure(kSpatial, up(0, 0, 0, 5), circleAt(1, 0, 0, 5, 1, 0, 1)),
         doubles(5, 0, 0, 1 - h, 0, h, -5, 0, 0, 1 + h, 0, -h), 1e-12},
        // Line and circle: the diameter towards the line gives nearest then farthest.
        {measure(gte_dist_line_circle, kAbove, kBig), doubles(0, 2, 0, 0, 5, 3, 0, -2, 0, 0, 5, 3)},
        // On the other side the key line runs the other way; the nearer point still comes first.
        {measure(gte_dist_line_circle, lineThrough(0, -5, 3, -1, 0, 0), kBig),
         doubles(0, -2, 0, 0, -5, 3, 0, 2, 0, 0, -5, 3)},
        // Regression: a circle of radius 0 is cut in one point only. The unused second slot held
        // the coordinate origin, which lies nearer to this line and was reported as the nearest
        // circle point. The one point is now both the nearest and the farthest.
        {measure(gte_dist_line_circle, lineThrough(0, 0, 1, 0, 1, 0), up(3, 0, 0, 0)),
         doubles(3, 0, 0, 0, 0, 1, 3, 0, 0, 0, 0, 1)},
        // Parallel to the axis: the diameter through the crossing (3, 0, 0).
        {measure(gte_dist_line_circle, lineThrough(3, 0, 5, 0, 0, 1), kBig),
         doubles(2, 0, 0, 3, 0, 0, -2, 0, 0, 3, 0, 0)},
        // Tilted within tolerance: each end of that diameter is measured to the line itself, not
        // to the crossing.
        {measure(gte_dist_line_circle, lineThrough(3, 0, 0, 0.001, 0, 1), kBig),
         doubles(2, 0, 0, 3 - 1e-6 / n, 0, -0.001 / n, -2, 0, 0, 3 - 5e-6 / n, 0, -0.005 / n),
         1e-15},
    };
    for (auto const& c : cases) {
        ASSERT_EQ(c.m.count, 3) << &c - cases;
        EXPECT_TRUE(recordNear(c.m.pairs(), c.expected, c.tol)) << &c - cases;
    }
    // The centre record runs from centre to centre, here lifted to circle1's height, or from the
    // centre to its foot on the line.
    Measured const seen = measure(gte_distXY_circle_circle, up(0, 0, 2, 2), up(5, 0, -4, 1));
    EXPECT_TRUE(recordNear(seen.r[0].point2, gte_point(5, 0, 2)));
    EXPECT_TRUE(
        recordNear(measure(gte_dist_line_circle, kAbove, kBig).r[0].point2, gte_point(0, 5, 3)));
}

TEST(CircleDistance, OnlyTheCentreRecordWhenNoPairIsMeasured) {
    // The centre may stand up to 1e-5 off the plane, the normals may differ by 1e-6 in |cos| (a
    // tilt of 0.001 passes, 0.002 does not). Out of plane, or cut in no two points (radius 0):
    // only the centre record.
    std::pair<Measured, int> const cases[] = {
        {measure(kPlanar, kBig, up(5, 0, 0.9e-5, 1)), 3},
        {measure(kPlanar, kBig, up(5, 0, 2e-5, 1)), 1},
        {measure(kPlanar, kBig, circleAt(5, 0, 0, 1, 0.001, 0, 1)), 3},
        {measure(kPlanar, kBig, circleAt(5, 0, 0, 1, 0.002, 0, 1)), 1},
        {measure(kPlanar, kBig, up(5, 0, 0, 0)), 1},
        {measure(gte_distXY_circle_circle, kBig, circleAt(5, 0, 7, 1, 1, 0, 0)), 1},
        // Concentric or coaxial circles in space: no measuring plane.
        {measure(kSpatial, up(1, 2, 3, 2), circleAt(1, 2, 3, 3, 0, 1, 1)), 1},
        // A line meeting the axis at its foot (here through the centre), or along the axis
        // itself: no diameter is singled out.
        {measure(gte_dist_line_circle, lineThrough(-5, 0, 0, 1, 0, 0), kBig), 1},
        {measure(gte_dist_line_circle, lineThrough(0, 0, 7, 0, 0, -1), kBig), 1},
    };
    for (auto const& [m, count] : cases) EXPECT_EQ(m.count, count) << &m - &cases[0].first;
}
