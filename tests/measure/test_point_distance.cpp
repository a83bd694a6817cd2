// Point-to-shape queries and the point distance exports.
#include <cmath>
#include <cstring>

#include "gte/point_distance.h"
#include "tavrisk.h"
#include "test_util.h"

using gte::Vector3;

TEST(PointQueries, ClampingBranchesAndCircleAxis) {
    gte::DistanceQuery<Vector3, gte::Ray3> toRay;
    gte::Ray3 const ray(Vector3(0, 0, 0), Vector3(1, 0, 0));
    auto r = toRay(Vector3(-3, 4, 0), ray);
    EXPECT_EQ(r.parameter, -3.0);
    EXPECT_VEC3_EQ(r.closestPoint, 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(toRay(Vector3(3, 4, 0), ray).closestPoint, 3.0, 0.0, 0.0);

    gte::DistanceQuery<Vector3, gte::Segment3> toSegment;
    auto s = toSegment(Vector3(-2, 0, 0), gte::Segment3(Vector3(0, 0, 0), Vector3(2, 0, 0)));
    EXPECT_EQ(s.parameter, -3.0);  // from the centre, not clamped
    EXPECT_VEC3_EQ(s.closestPoint, 0.0, 0.0, 0.0);

    gte::DistanceQuery<Vector3, gte::Plane3> toPlane;
    auto below = toPlane(Vector3(1, 2, -5), gte::Plane3(Vector3(0, 0, 1), 0.0));
    EXPECT_EQ(below.signedDistance, -5.0);
    EXPECT_VEC3_EQ(below.closestPoint, 1.0, 2.0, 0.0);

    // A point on the circle's axis has every circle point equally near.
    gte::DistanceQuery<Vector3, gte::Circle3> toCircle;
    gte::Circle3 circle(Vector3(0, 0, 0), Vector3(0, 0, 1), 2.0);
    auto off = toCircle(Vector3(3, 0, 4), circle);
    EXPECT_EQ(off.distance, std::sqrt(17.0));
}

TEST(PointDistance, LineRaySegmentExamples) {
    gte_dist_result r;
    gte_dist_point_line(gte_line(gte_point(0, 0, 0), gte_vector(2, 0, 0)), gte_point(3, 4, 0), &r);
    EXPECT_EQ(r.dist, 4.0);
    EXPECT_POINT_EQ(r.point1, 3.0, 4.0, 0.0);
    EXPECT_POINT_EQ(r.point2, 3.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, -1.0, 0.0);

    gte_dist_point_ray(gte_ray(gte_point(0, 0, 0), gte_vector(-1, 0, 0)), gte_point(3, 4, 0), &r);
    EXPECT_POINT_EQ(r.point2, 0.0, 0.0, 0.0);

    // Beyond either end, and inside.
    gte_lseg segment(gte_point(0, 0, 0), gte_point(2, 0, 0));
    gte_dist_point_lseg(segment, gte_point(3, 4, 0), &r);
    EXPECT_POINT_EQ(r.point2, 2.0, 0.0, 0.0);
    gte_dist_point_lseg(segment, gte_point(1, 4, 0), &r);
    EXPECT_POINT_EQ(r.point2, 1.0, 0.0, 0.0);
    gte_dist_point_lseg(segment, gte_point(-1, 0, 1), &r);
    EXPECT_POINT_EQ(r.point2, 0.0, 0.0, 0.0);

    // Degenerate shapes measure to their one point.
    gte_dist_point_line(gte_line(gte_point(1, 1, 1), gte_vector(0, 0, 0)), gte_point(1, 1, 3), &r);
    EXPECT_POINT_EQ(r.point2, 1.0, 1.0, 1.0);
    gte_dist_point_lseg(gte_lseg(gte_point(5, 0, 0), gte_point(5, 0, 0)), gte_point(5, 3, 4), &r);
    EXPECT_POINT_EQ(r.point2, 5.0, 0.0, 0.0);
}

TEST(PointDistance, FootPointIsWrittenBeforeTheResultAndEitherMayBeOmitted) {
    gte_point foot(9, 9, 9);
    gte_dist_result r;
    gte_line line(gte_point(0, 0, 1), gte_vector(0, 3, 0));
    gte_distfootpoint_point_line(line, gte_point(2, 5, 1), &foot, &r);
    EXPECT_POINT_EQ(foot, 0.0, 5.0, 1.0);
    EXPECT_POINT_EQ(r.point2, 0.0, 5.0, 1.0);
    EXPECT_EQ(r.dist, 2.0);
    foot = gte_point(9, 9, 9);
    gte_distfootpoint_point_line(line, gte_point(2, 5, 1), &foot, nullptr);
    EXPECT_POINT_EQ(foot, 0.0, 5.0, 1.0);
    r.dist = -1.0;
    gte_distfootpoint_point_line(line, gte_point(2, 5, 1), nullptr, &r);
    EXPECT_EQ(r.dist, 2.0);
}

TEST(PointDistance, PlaneAndRectangle) {
    gte_plane const z0(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0));
    gte_dist_result r;
    gte_dist_point_plane(z0, gte_point(1, 2, 5), &r);
    EXPECT_POINT_EQ(r.point2, 1.0, 2.0, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, -1.0);
    gte_dist_point_plane(z0, gte_point(1, 2, -5), &r);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, 1.0);
    // Collinear points: the horizontal plane through their centroid (z = 2).
    gte_plane line(gte_point(0, 0, 2), gte_point(1, 0, 2), gte_point(3, 0, 2));
    gte_dist_point_plane(line, gte_point(7, 7, 7), &r);
    EXPECT_POINT_EQ(r.point2, 7.0, 7.0, 2.0);

    gte_rect rect(gte_point(0, 0, 0), 1.0, 2.0, gte_vector(0, 0, 1), gte_vector(1, 0, 0));
    gte_dist_point_rect(rect, gte_point(3, 1, 4), &r);  // clamps on the first axis only
    EXPECT_POINT_EQ(r.point2, 1.0, 1.0, 0.0);
    gte_dist_point_rect(rect, gte_point(-0.5, -3, -2), &r);  // clamps on the second axis only
    EXPECT_POINT_EQ(r.point2, -0.5, -2.0, 0.0);
    gte_dist_point_rect(rect, gte_point(0.5, 1.5, 3), &r);  // above the interior: the foot
    EXPECT_POINT_EQ(r.point2, 0.5, 1.5, 0.0);
}

TEST(PointDistance, CircleWritesCentreNearestOpposite) {
    gte_circle circle(gte_point(1, 0, 0), 2.0, gte_vector(0, 0, 1));
    gte_dist_result r[3];
    gte_dist_point_circle(circle, gte_point(4, 0, 4), r);
    EXPECT_POINT_EQ(r[0].point2, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r[1].point2, 3.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r[2].point2, -1.0, 0.0, 0.0);
    for (auto const& each : r) EXPECT_POINT_EQ(each.point1, 4.0, 0.0, 4.0);

    gte_dist_result a[3];
    gte_dist_point_arc(circle, gte_point(4, 0, 4), a);
    EXPECT_EQ(std::memcmp(a, r, sizeof(r)), 0);

    gte_dist_point_circle(circle, gte_point(1, 0, 3), r);
    EXPECT_POINT_EQ(r[1].point2, 1.0, 2.0, 0.0);
    EXPECT_POINT_EQ(r[2].point2, 1.0, -2.0, 0.0);

    gte_dist_point_circle(circle, gte_point(4, 0, 4), nullptr);  // no crash
}

TEST(PointDistance, FeatureCentresToLine) {
    gte_line xAxis(gte_point(0, 0, 0), gte_vector(1, 0, 0));
    gte_dist_result r;
    gte_quad quad(gte_point(0, 0, 0), gte_point(2, 0, 0), gte_point(2, 2, 0), gte_point(0, 2, 1));
    gte_dist_quadCenter_line(quad, xAxis, &r);
    EXPECT_POINT_EQ(r.point1, 1.0, 1.0, 0.25);
    EXPECT_POINT_EQ(r.point2, 1.0, 0.0, 0.0);

    gte_rect rect(gte_point(4, 0, 3), 9.0, 9.0, gte_vector(0, 0, 1), gte_vector(1, 0, 0));
    gte_dist_rectCenter_line(rect, xAxis, &r);
    EXPECT_POINT_EQ(r.point1, 4.0, 0.0, 3.0);

    gte_ellipse ellipse(7.0, 5.0, gte_point(-2, 6, 8), gte_vector(0, 0, 1), gte_vector(1, 0, 0));
    gte_dist_ellipseCenter_line(ellipse, xAxis, &r);
    EXPECT_POINT_EQ(r.point1, -2.0, 6.0, 8.0);
}
