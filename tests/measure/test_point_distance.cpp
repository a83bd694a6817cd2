// Point distance exports: the closest point of each shape, including its clamped and degenerate
// branches, and the record built from the pair.
#include <array>
#include <functional>
#include <utility>

#include "tavrisk.h"
#include "test_util.h"

namespace {

using P = gte_point;
gte_plane const kPlaneZ0(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0));

}  // namespace

TEST(PointDistance, ClosestPointOfEachShape) {
    gte_line const along2x(P(0, 0, 0), gte_vector(2, 0, 0)), still(P(1, 1, 1), gte_vector());
    gte_ray const back(P(0, 0, 0), gte_vector(-1, 0, 0)), ahead(P(0, 0, 0), gte_vector(1, 0, 0));
    gte_lseg const seg(P(0, 0, 0), P(2, 0, 0)), dot(P(5, 0, 0), P(5, 0, 0));
    // Collinear points: the horizontal plane through their centroid (z = 2).
    gte_plane const line(P(0, 0, 2), P(1, 0, 2), P(3, 0, 2));
    gte_rect const rect(P(0, 0, 0), 1.0, 2.0, gte_vector(0, 0, 1), gte_vector(1, 0, 0));
    using Measure = std::function<void(P, gte_dist_result*)>;
    auto on = [](auto f, auto const& shape) -> Measure {
        return [f, shape](P p, gte_dist_result* r) { f(shape, p, r); };
    };
    struct {
        Measure measure;
        P point, closest;
    } const cases[] = {
        {on(gte_dist_point_line, along2x), P(3, 4, 0), P(3, 0, 0)},
        {on(gte_dist_point_line, still), P(1, 1, 3), P(1, 1, 1)},  // no direction: its point
        {on(gte_dist_point_ray, back), P(3, 4, 0), P(0, 0, 0)},    // behind the origin
        {on(gte_dist_point_ray, ahead), P(3, 4, 0), P(3, 0, 0)},
        {on(gte_dist_point_lseg, seg), P(3, 4, 0), P(2, 0, 0)},  // beyond either end, inside
        {on(gte_dist_point_lseg, seg), P(-1, 0, 1), P(0, 0, 0)},
        {on(gte_dist_point_lseg, seg), P(1, 4, 0), P(1, 0, 0)},
        {on(gte_dist_point_lseg, dot), P(5, 3, 4), P(5, 0, 0)},
        {on(gte_dist_point_plane, kPlaneZ0), P(1, 2, -5), P(1, 2, 0)},
        {on(gte_dist_point_plane, line), P(7, 7, 7), P(7, 7, 2)},
        {on(gte_dist_point_rect, rect), P(3, 1, 4), P(1, 1, 0)},  // clamped on one axis, the
        {on(gte_dist_point_rect, rect), P(-0.5, -3, -2), P(-0.5, -2, 0)},  // other, neither
        {on(gte_dist_point_rect, rect), P(0.5, 1.5, 3), P(0.5, 1.5, 0)},
    };
    for (auto const& c : cases) {
        gte_dist_result r;
        c.measure(c.point, &r);
        EXPECT_TRUE(recordNear(std::array<P, 2>{r.point1, r.point2}, {c.point, c.closest}))
            << &c - cases;
    }
    // The whole record of the first case: components, points, unit direction towards the shape.
    gte_dist_result r;
    gte_dist_point_line(along2x, P(3, 4, 0), &r);
    EXPECT_EQ(doublesOf(r), doubles(0, 4, 4, 0, 4, 4, 0, 3, 4, 0, 3, 0, 0, 0, -1, 0));
}

TEST(PointDistance, FootPointAndRecordEachOptional) {
    gte_line const line(P(0, 0, 1), gte_vector(0, 3, 0));
    gte_point foot = poisoned<gte_point>();
    gte_dist_result r = poisoned<gte_dist_result>(), full;
    gte_dist_point_line(line, P(2, 5, 1), &full);
    gte_distfootpoint_point_line(line, P(2, 5, 1), &foot, nullptr);
    gte_distfootpoint_point_line(line, P(2, 5, 1), nullptr, &r);
    EXPECT_TRUE(recordNear(foot, P(0, 5, 1)) && recordNear(r, full));
}

TEST(PointDistance, CircleWritesCentreNearestOpposite) {
    // From (4, 0, 4) the nearest circle point lies towards the point's projection; on the axis
    // every circle point is equally near and the basis completed from the normal picks one.
    gte_circle const circle(P(1, 0, 0), 2.0, gte_vector(0, 0, 1));
    std::pair<P, std::array<double, 9>> const cases[] = {
        {P(4, 0, 4), doubles(1, 0, 0, 3, 0, 0, -1, 0, 0)},
        {P(1, 0, 3), doubles(1, 0, 0, 1, 2, 0, 1, -2, 0)},
    };
    for (auto const& [point, expected] : cases) {
        gte_dist_result r[3];
        gte_dist_point_circle(circle, point, r);
        for (auto const& each : r) EXPECT_TRUE(recordNear(each.point1, point));
        EXPECT_TRUE(recordNear(doublesOf(std::array<P, 3>{r[0].point2, r[1].point2, r[2].point2}),
                               expected));
    }
}
