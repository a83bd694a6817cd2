// SPDX-License-Identifier: MIT
// The exports defined as another one on derived input: an arc is measured as its circle, a
// segment as its carrying line (or its midpoint), a feature by its centre. Each must give the
// bytes of its twin: return value and every output slot, written or left alone.
#include <array>
#include <string>
#include <type_traits>

#include "api/records.h"
#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

template <class T>
std::string bytes(T const& value) {
    return std::string(reinterpret_cast<char const*>(&value), sizeof value);
}

// The return value (none for a function without one) and three poisoned output slots after one
// call, as bytes.
template <class R, class A, class B, class Out>
std::string run(R(TAVRISK_CALL* f)(A, B, Out*), A a, B b) {
    std::array<Out, 3> out = {poisoned<Out>(), poisoned<Out>(), poisoned<Out>()};
    if constexpr (std::is_void_v<R>) {
        f(a, b, out.data());
        return bytes(out);
    } else {
        R const result = f(a, b, out.data());
        return bytes(result) + bytes(out);
    }
}
// The return value, both counts and every tangent slot, poisoned until written, as bytes.
template <class F>
std::string tangents(F f, gte_circle const& a, gte_circle const& b) {
    struct {
        int counts[2];
        gte_line lines[4];
        gte_point points[8];
    } s = poisoned<decltype(s)>();
    int const result =
        f(a, b, &s.counts[0], s.lines, s.points, &s.counts[1], s.lines + 2, s.points + 4);
    return bytes(result) + bytes(s);
}

}  // namespace

TEST(Aliases, MeasureExactlyAsTheirTwins) {
    gte_circle const circles[] = {{{0, 0, 0}, 2, {0, 0, 1}},
                                  {{5, 0, 0}, 1, {0, 0, -1}},
                                  {{1, 2, 0.5}, 3, {0.2, 0.1, 1}},
                                  {{0, 0, 0}, 3, {0, 0, 1}}};
    gte_lseg const segments[] = {{{-10, 1, 0}, {-6, 1, 0}},
                                 {{0, 5, 3}, {4, 5, 3}},
                                 {{3, 0, 5}, {3, 0, 1}},
                                 {{-2, -3, 1}, {6, 1, -1}}};
    for (int k = 0; k < 4; ++k) {
        gte_circle const &a = circles[k], &b = circles[(k + 1) % 4];
        gte_lseg const& s = segments[k];
        gte_line const l = tavrisk::lsegToLine(s);
        // The segments' midpoints (and the corners' mean below) are exact in binary.
        gte_point const p = s.pt1, m(0.5 * (s.pt1.x + s.pt2.x), 0.5 * (s.pt1.y + s.pt2.y),
                                     0.5 * (s.pt1.z + s.pt2.z));
        gte_plane const plane({0, 0, 1.0 * k}, {1, 0, 1.0 * k}, {0, 1, 2.0 * k});
        gte_rect const rect(m, 1, 2, {0, 0, 1}, {1, 0, 0});
        gte_ellipse const ellipse(3, 1, m, {}, {});
        gte_quad const quad(s.pt1, {s.pt1.x, s.pt2.y, s.pt1.z}, s.pt2, {s.pt2.x, s.pt1.y, s.pt2.z});
        SCOPED_TRACE(k);
        EXPECT_EQ(run(gte_dist_point_arc, a, p), run(gte_dist_point_circle, a, p));
        EXPECT_EQ(run(gte_dist_arc_circle, a, b), run(gte_dist_circle_circle, a, b));
        EXPECT_EQ(run(gte_dist_arc_arc, a, b), run(gte_dist_circle_circle, a, b));
        EXPECT_EQ(run(gte_dist_line_arc, l, a), run(gte_dist_line_circle, l, a));
        EXPECT_EQ(run(gte_dist_lseg_circle, s, a), run(gte_dist_line_circle, l, a));
        EXPECT_EQ(run(gte_dist_lseg_arc, s, a), run(gte_dist_line_circle, l, a));
        EXPECT_EQ(run(gte_intersec_line_arc, l, a), run(gte_intersec_line_circle, l, a));
        EXPECT_EQ(run(gte_intersec_circle_arc, a, b), run(gte_intersec_circle_circle, a, b));
        EXPECT_EQ(run(gte_intersec_arc_arc, a, b), run(gte_intersec_circle_circle, a, b));
        EXPECT_EQ(tangents(gte_tangent_arc_circle, a, b),
                  tangents(gte_tangent_circle_circle, a, b));
        EXPECT_EQ(tangents(gte_tangent_arc_arc, a, b), tangents(gte_tangent_circle_circle, a, b));
        EXPECT_EQ(run(gte_dist_lseg_plane, s, plane), run(gte_dist_point_plane, plane, m));
        EXPECT_EQ(run(gte_dist_rectCenter_line, rect, l), run(gte_dist_point_line, l, m));
        EXPECT_EQ(run(gte_dist_ellipseCenter_line, ellipse, l), run(gte_dist_point_line, l, m));
        EXPECT_EQ(run(gte_dist_quadCenter_line, quad, l), run(gte_dist_point_line, l, m));
    }
}
