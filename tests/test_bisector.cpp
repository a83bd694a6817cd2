// Midpoints and bisector segments.
#include <cmath>

#include "tavrisk.h"
#include "test_util.h"

namespace {
gte_point const kOrigin(0, 0, 0);

gte_lseg bisectPoints(gte_point a, gte_point b) {
    gte_lseg out = poisoned<gte_lseg>();
    gte_bisectorLseg_point_point(a, b, &out);
    return out;
}
gte_lseg bisectSegments(gte_lseg a, gte_lseg b) {
    gte_lseg out = poisoned<gte_lseg>();
    gte_bisector_lseg_lseg(a, b, &out);
    return out;
}
}  // namespace

TEST(BisectorPoint, MidpointsOfPointsAndOfPointAndLine) {
    gte_point out;
    gte_bisector_point_point(kOrigin, gte_point(2, 4, 6), &out);
    EXPECT_POINT_EQ(out, 1.0, 2.0, 3.0);
    // The sum is taken before halving: it overflows where a + (b - a) / 2 would not.
    gte_bisector_point_point(gte_point(1e308, 0, 0), gte_point(1e308, 0, 0), &out);
    EXPECT_TRUE(std::isinf(out.x));

    // The length of the line's vector does not matter.
    gte_bisector_point_line(gte_point(0, 2, 0), gte_line(kOrigin, gte_vector(5, 0, 0)), &out);
    EXPECT_POINT_EQ(out, 0.0, 1.0, 0.0);
    // The foot is on the infinite line, far beyond its point.
    gte_bisector_point_line(gte_point(1, 2, 3), gte_line(kOrigin, gte_vector(0, 0, -7)), &out);
    EXPECT_POINT_EQ(out, 0.5, 1.0, 3.0);
    // A line without direction is its own point.
    gte_bisector_point_line(gte_point(0, 4, 0), gte_line(gte_point(2, 0, 0), gte_vector()), &out);
    EXPECT_POINT_EQ(out, 1.0, 2.0, 0.0);

    gte_bisector_point_point(kOrigin, gte_point(2, 4, 6), nullptr);  // no crash
    gte_bisector_point_line(kOrigin, gte_line(kOrigin, gte_vector(1, 0, 0)), nullptr);
}

TEST(BisectorPointPair, ExamplesAndOrientationWhateverTheOrder) {
    // Along x: the perpendicular (0, 1, 0) already has a zero x and positive y, kept as is.
    gte_lseg s = bisectPoints(kOrigin, gte_point(2, 0, 0));
    EXPECT_POINT_EQ(s.pt1, 1.0, -1.0, 0.0);
    EXPECT_POINT_EQ(s.pt2, 1.0, 1.0, 0.0);
    // Reversed pair: the perpendicular is (0, -1, 0) (zero x, negative y), so the ends swap.
    s = bisectPoints(gte_point(2, 0, 0), kOrigin);
    EXPECT_POINT_EQ(s.pt1, 1.0, -1.0, 0.0);
    EXPECT_POINT_EQ(s.pt2, 1.0, 1.0, 0.0);

    // Along y: the perpendicular is (-1, 0, 0), negative x, so the ends swap.
    s = bisectPoints(kOrigin, gte_point(0, 2, 0));
    EXPECT_POINT_EQ(s.pt1, -1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(s.pt2, 1.0, 1.0, 0.0);
    s = bisectPoints(gte_point(0, 2, 0), kOrigin);
    EXPECT_POINT_EQ(s.pt1, -1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(s.pt2, 1.0, 1.0, 0.0);

    // Oblique pair in space: horizontal, perpendicular to the pair, as long as it, towards +x.
    s = bisectPoints(gte_point(1, 1, 1), gte_point(4, 5, 3));
    double const half = 0.5 * std::sqrt(29.0);
    EXPECT_POINT_NEAR(s.pt1, 2.5 - half * 0.8, 3.0 + half * 0.6, 2.0, 1e-14);
    EXPECT_POINT_NEAR(s.pt2, 2.5 + half * 0.8, 3.0 - half * 0.6, 2.0, 1e-14);

    // Coinciding points: a segment of zero length at the point.
    s = bisectPoints(gte_point(1, 2, 3), gte_point(1, 2, 3));
    EXPECT_POINT_EQ(s.pt1, 1.0, 2.0, 3.0);
    EXPECT_POINT_EQ(s.pt2, 1.0, 2.0, 3.0);

    gte_bisectorLseg_point_point(kOrigin, gte_point(2, 0, 0), nullptr);  // no crash
}

TEST(BisectorPointPair, NearlyVerticalPairLiesAlongX) {
    gte_lseg s = bisectPoints(kOrigin, gte_point(0, 0, 4));
    EXPECT_POINT_EQ(s.pt1, -2.0, 0.0, 2.0);
    EXPECT_POINT_EQ(s.pt2, 2.0, 0.0, 2.0);
    s = bisectPoints(gte_point(0, 0, 4), kOrigin);  // downwards: |z| counts
    EXPECT_POINT_EQ(s.pt1, -2.0, 0.0, 2.0);
    EXPECT_POINT_EQ(s.pt2, 2.0, 0.0, 2.0);

    // 90-2024-2026: unit z = 0.99901 is within the tolerance, so x is taken although the
    // horizontal perpendicular would be y.
    s = bisectPoints(kOrigin, gte_point(90, 0, 2024));
    EXPECT_POINT_EQ(s.pt1, 45.0 - 1013.0, 0.0, 1012.0);
    EXPECT_POINT_EQ(s.pt2, 45.0 + 1013.0, 0.0, 1012.0);
    // 88-1935-1937: unit z = 0.99897 is not; the perpendicular (0, 1, 0) is used.
    s = bisectPoints(kOrigin, gte_point(88, 0, 1935));
    EXPECT_POINT_NEAR(s.pt1, 44.0, -968.5, 967.5, 1e-12);
    EXPECT_POINT_NEAR(s.pt2, 44.0, 968.5, 967.5, 1e-12);
}

TEST(BisectorPointSegment, CopyCentredAboveTheFoot) {
    gte_lseg const segment(gte_point(-1, 0, 0), gte_point(1, 0, 0));
    gte_lseg out;
    gte_bisectorLseg_point_lseg(gte_point(0, 2, 0), segment, &out);
    EXPECT_POINT_EQ(out.pt1, -1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(out.pt2, 1.0, 1.0, 0.0);
    // Centred on the foot (5, 0, 0), beyond the segment, not on the segment's centre.
    gte_bisectorLseg_point_lseg(gte_point(5, 2, 0), segment, &out);
    EXPECT_POINT_EQ(out.pt1, 4.0, 1.0, 0.0);
    EXPECT_POINT_EQ(out.pt2, 6.0, 1.0, 0.0);
    // Keeps the segment's sense.
    gte_bisectorLseg_point_lseg(gte_point(0, 2, 0), gte_lseg(segment.pt2, segment.pt1), &out);
    EXPECT_POINT_EQ(out.pt1, 1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(out.pt2, -1.0, 1.0, 0.0);
    // In space, off the segment's centre: the foot of (0, 0, 2) is the first end point.
    gte_bisectorLseg_point_lseg(gte_point(0, 0, 2), gte_lseg(kOrigin, gte_point(4, 0, 0)), &out);
    EXPECT_POINT_EQ(out.pt1, -2.0, 0.0, 1.0);
    EXPECT_POINT_EQ(out.pt2, 2.0, 0.0, 1.0);
    // A segment of zero length: no length, halfway to its one point.
    gte_bisectorLseg_point_lseg(gte_point(0, 4, 0),
                                gte_lseg(gte_point(2, 0, 0), gte_point(2, 0, 0)), &out);
    EXPECT_POINT_EQ(out.pt1, 1.0, 2.0, 0.0);
    EXPECT_POINT_EQ(out.pt2, 1.0, 2.0, 0.0);

    gte_bisectorLseg_point_lseg(gte_point(0, 2, 0), segment, nullptr);  // no crash
}

TEST(BisectorSegments, ParallelSegmentsArePairedEndByEnd) {
    gte_lseg const first(kOrigin, gte_point(2, 0, 0));
    gte_lseg s = bisectSegments(first, gte_lseg(gte_point(0, 2, 0), gte_point(2, 2, 0)));
    EXPECT_POINT_EQ(s.pt1, 0.0, 1.0, 0.0);
    EXPECT_POINT_EQ(s.pt2, 2.0, 1.0, 0.0);
    // Opposite sense: the second is turned round first.
    s = bisectSegments(first, gte_lseg(gte_point(2, 2, 0), gte_point(0, 2, 0)));
    EXPECT_POINT_EQ(s.pt1, 0.0, 1.0, 0.0);
    EXPECT_POINT_EQ(s.pt2, 2.0, 1.0, 0.0);
    // Parallel with staggered ends of different lengths: the ends are paired, not centred.
    s = bisectSegments(first, gte_lseg(gte_point(6, 4, 2), gte_point(1, 4, 2)));
    EXPECT_POINT_EQ(s.pt1, 0.5, 2.0, 1.0);
    EXPECT_POINT_EQ(s.pt2, 4.0, 2.0, 1.0);

    // Sine about 0.0005: paired as parallel.
    gte_lseg const longFirst(kOrigin, gte_point(1000, 0, 0));
    s = bisectSegments(longFirst, gte_lseg(gte_point(0, 1, 0), gte_point(1000, 1.5, 0)));
    EXPECT_POINT_EQ(s.pt1, 0.0, 0.5, 0.0);
    EXPECT_POINT_EQ(s.pt2, 1000.0, 0.75, 0.0);
    // Sine about 0.002: bisected, centred between the two centres.
    s = bisectSegments(longFirst, gte_lseg(gte_point(0, 1, 0), gte_point(1000, 3, 0)));
    double const h = 0.5 * (500.0 + std::sqrt(250001.0));
    double const halfAngle = 0.5 * std::atan2(2.0, 1000.0);
    double const hx = h * std::cos(halfAngle), hy = h * std::sin(halfAngle);
    EXPECT_POINT_NEAR(s.pt1, 500.0 - hx, 1.0 - hy, 0.0, 1e-10);
    EXPECT_POINT_NEAR(s.pt2, 500.0 + hx, 1.0 + hy, 0.0, 1e-10);

    // A segment without length has no direction: the parallel pairing.
    s = bisectSegments(first, gte_lseg(gte_point(5, 5, 5), gte_point(5, 5, 5)));
    EXPECT_POINT_EQ(s.pt1, 2.5, 2.5, 2.5);
    EXPECT_POINT_EQ(s.pt2, 3.5, 2.5, 2.5);
}

TEST(BisectorSegments, CrossingSegmentsFollowTheMeanDirection) {
    double const r = std::sqrt(0.5);
    gte_lseg const first(kOrigin, gte_point(2, 0, 0));
    gte_lseg s = bisectSegments(first, gte_lseg(kOrigin, gte_point(0, 2, 0)));
    EXPECT_POINT_NEAR(s.pt1, 0.5 - r, 0.5 - r, 0.0, 1e-15);
    EXPECT_POINT_NEAR(s.pt2, 0.5 + r, 0.5 + r, 0.0, 1e-15);

    // Perpendicular with the second reversed: a dot product of exactly 0 does not swap.
    s = bisectSegments(first, gte_lseg(gte_point(0, 2, 0), kOrigin));
    EXPECT_POINT_NEAR(s.pt1, 0.5 - r, 0.5 + r, 0.0, 1e-15);
    EXPECT_POINT_NEAR(s.pt2, 0.5 + r, 0.5 - r, 0.0, 1e-15);

    // At 45 degrees pointing away: swapped to (0,0,0)-(2,2,0), then bisected at 22.5 degrees.
    s = bisectSegments(first, gte_lseg(gte_point(2, 2, 0), kOrigin));
    double const h = 0.5 * (1.0 + std::sqrt(2.0));
    double const cx = std::cos(std::atan(1.0) / 2) * h, cy = std::sin(std::atan(1.0) / 2) * h;
    EXPECT_POINT_NEAR(s.pt1, 1.0 - cx, 0.5 - cy, 0.0, 1e-14);
    EXPECT_POINT_NEAR(s.pt2, 1.0 + cx, 0.5 + cy, 0.0, 1e-14);

    gte_bisector_lseg_lseg(first, first, nullptr);  // no crash
}
