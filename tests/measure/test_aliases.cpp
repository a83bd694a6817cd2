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

// The return value (as bytes, none for a function without one) and three poisoned output slots
// after one call.
template <class Out>
struct Call {
    std::string result;
    std::array<Out, 3> out;
};
template <class R, class A, class B, class Out>
Call<Out> run(R(TAVRISK_CALL* f)(A, B, Out*), A a, B b) {
    Call<Out> call{"", {poisoned<Out>(), poisoned<Out>(), poisoned<Out>()}};
    if constexpr (std::is_void_v<R>) {
        f(a, b, call.out.data());
    } else {
        call.result = bytes(f(a, b, call.out.data()));
    }
    return call;
}
template <class Out>
::testing::AssertionResult sameCall(Call<Out> const& alias, Call<Out> const& twin) {
    if (alias.result != twin.result) {
        return ::testing::AssertionFailure() << "the return values differ";
    }
    return sameRecordBits(alias.out, twin.out);
}

// Every tangent slot, poisoned until written.
struct TangentSlots {
    gte_line lines[4];
    gte_point points[8];
};
constexpr auto recordFields(RecordTag<TangentSlots>) {
    return recordTable("TangentSlots", TAVRISK_TEST_FIELD(TangentSlots, lines),
                       TAVRISK_TEST_FIELD(TangentSlots, points));
}
// The return value, both counts and every tangent slot.
struct TangentCall {
    int result;
    std::array<int, 2> counts;
    TangentSlots slots;
};
template <class F>
TangentCall tangents(F f, gte_circle const& a, gte_circle const& b) {
    TangentCall call{0, poisoned<std::array<int, 2>>(), poisoned<TangentSlots>()};
    TangentSlots& s = call.slots;
    call.result =
        f(a, b, &call.counts[0], s.lines, s.points, &call.counts[1], s.lines + 2, s.points + 4);
    return call;
}
::testing::AssertionResult sameCall(TangentCall const& alias, TangentCall const& twin) {
    if (alias.result != twin.result || alias.counts != twin.counts) {
        return ::testing::AssertionFailure()
               << "returned " << alias.result << " with counts " << alias.counts[0] << ", "
               << alias.counts[1] << " instead of " << twin.result << " with " << twin.counts[0]
               << ", " << twin.counts[1];
    }
    return sameRecordBits(alias.slots, twin.slots);
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
        EXPECT_TRUE(sameCall(run(gte_dist_point_arc, a, p), run(gte_dist_point_circle, a, p)));
        EXPECT_TRUE(sameCall(run(gte_dist_arc_circle, a, b), run(gte_dist_circle_circle, a, b)));
        EXPECT_TRUE(sameCall(run(gte_dist_arc_arc, a, b), run(gte_dist_circle_circle, a, b)));
        EXPECT_TRUE(sameCall(run(gte_dist_line_arc, l, a), run(gte_dist_line_circle, l, a)));
        EXPECT_TRUE(sameCall(run(gte_dist_lseg_circle, s, a), run(gte_dist_line_circle, l, a)));
        EXPECT_TRUE(sameCall(run(gte_dist_lseg_arc, s, a), run(gte_dist_line_circle, l, a)));
        EXPECT_TRUE(
            sameCall(run(gte_intersec_line_arc, l, a), run(gte_intersec_line_circle, l, a)));
        EXPECT_TRUE(
            sameCall(run(gte_intersec_circle_arc, a, b), run(gte_intersec_circle_circle, a, b)));
        EXPECT_TRUE(
            sameCall(run(gte_intersec_arc_arc, a, b), run(gte_intersec_circle_circle, a, b)));
        EXPECT_TRUE(sameCall(tangents(gte_tangent_arc_circle, a, b),
                             tangents(gte_tangent_circle_circle, a, b)));
        EXPECT_TRUE(sameCall(tangents(gte_tangent_arc_arc, a, b),
                             tangents(gte_tangent_circle_circle, a, b)));
        EXPECT_TRUE(
            sameCall(run(gte_dist_lseg_plane, s, plane), run(gte_dist_point_plane, plane, m)));
        EXPECT_TRUE(
            sameCall(run(gte_dist_rectCenter_line, rect, l), run(gte_dist_point_line, l, m)));
        EXPECT_TRUE(
            sameCall(run(gte_dist_ellipseCenter_line, ellipse, l), run(gte_dist_point_line, l, m)));
        EXPECT_TRUE(
            sameCall(run(gte_dist_quadCenter_line, quad, l), run(gte_dist_point_line, l, m)));
    }
}
