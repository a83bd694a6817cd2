// SPDX-License-Identifier: MIT
// The exports that take records: the first byte picks one, the rest become its input records.
// Each call must write exactly the records that its result announces, and nothing else.
#include <cstring>
#include <iterator>

#include "fuzz_support.h"

namespace {

using fuzz::Bytes;
using fuzz::Part;

constexpr double kInfinite = TAVRISK_INFINITE_POINTS;

// Room for the outputs of any record export, four records each.
struct Outputs {
    double values[128];
};

// Hands out an export's arguments in order: records decoded from the bytes, outputs from the room.
class Arguments {
public:
    Arguments(Bytes const& bytes, Outputs* outputs) : room(outputs), bytes_(bytes) {}

    template <class T>
    T next() {
        if constexpr (std::is_pointer_v<T>) {
            return room.next<std::remove_pointer_t<T>>(4);
        } else {
            return bytes_.record<T>();
        }
    }

    fuzz::OutputRoom room;

private:
    Bytes bytes_;
};

// ---------------------------------------------------------------- written records
// How many records the export writes to each of its outputs for a result; -1 for a result it
// must never return. An export without outputs writes nothing whatever the count.
template <int n>
constexpr auto always = [](double) { return n; };
constexpr auto one = always<1>;
constexpr auto length = [](double r) { return r < 0.0 ? -1 : 1; };  // never negative
template <int top>  // degrees, with a drawing if the export has one
constexpr auto angle = [](double r) { return std::isnan(r) || (r >= 0.0 && r <= top) ? 1 : -1; };
// Line, ray or segment against a plane; planes; lines seen from above.
constexpr auto linearHit = [](double r) {
    return r == TAVRISK_NONE ? 0 : r == 1 || r == kInfinite ? 1 : -1;
};
constexpr auto planesMeet = [](double r) {
    return r == TAVRISK_NO_ANSWER || r == TAVRISK_NONE ? 0 : r == 1 ? 1 : -1;
};
constexpr auto linesMeetXY = [](double r) {
    return r == TAVRISK_NONE || r == kInfinite ? 0 : r == 1 ? 1 : -1;
};
// Points of a cut with a circle, or tangents from a point: as many as returned. A line is cut
// with the circle through a plane that holds it; far out, rounding can turn that plane into one
// the circle lies in, which has no answer (TAVRISK_NO_ANSWER) as for a plane.
constexpr auto upToTwo = [](double r) {
    return r == TAVRISK_NONE || r == 1 || r == 2 ? int(r) : -1;
};
constexpr auto cutPoints = [](double r) { return r == TAVRISK_NO_ANSWER ? 0 : upToTwo(r); };
constexpr auto circlesCut = [](double r) { return r == kInfinite ? 0 : cutPoints(r); };
// Circle distances: the centre record always, the pairs exactly when 3 is returned.
constexpr auto circlePairs = [](double r) { return r == 1 || r == 3 ? int(r) : -1; };
constexpr auto linePairs = [](double r) { return r == TAVRISK_NO_ANSWER ? 0 : circlePairs(r); };

// ---------------------------------------------------------------- values
using Outcome = fuzz::Outcome<Bytes, Outputs>;

// A drawing holds the angle it returns.
void drawn(Outcome const& o) {
    o.trial.expect(fuzz::same(o.output<gte_angle_result>(0).angle, o.result),
                   "drawn angle differs from result");
}

// The edge gap reports its measuring direction: its extremes must be the gaps across it between
// the end points of the two edges seen from above.
void gap(Outcome const& o) {
    gte_gap_result const& g = o.output<gte_gap_result>(0);
    Bytes inputs = o.inputs;
    gte_lseg const first = inputs.record<gte_lseg>(), second = inputs.record<gte_lseg>();
    std::vector<double> gaps;
    for (gte_point const& a : {first.pt1, first.pt2}) {
        for (gte_point const& b : {second.pt1, second.pt2}) {
            gaps.push_back(std::fabs((b.x - a.x) * g.direction.x + (b.y - a.y) * g.direction.y));
        }
    }
    fuzz::Extremes const e = fuzz::extremesOf(gaps);
    o.trial.expect(fuzz::same(g.maxGap, e.high) && fuzz::same(g.minGap, e.low),
                   "extremes are not the end-point gaps' own");
}

// Each kind of common tangent: its count, then that many lines with one tangent point for a
// single (touching) tangent or two points per line for a pair; TAVRISK_NO_ANSWER writes
// nothing.
void circleTangents(Outcome const& o) {
    if (o.result == TAVRISK_NO_ANSWER) {
        o.trial.writes({}, "counts or tangents written for circles that disagree");
        return;
    }
    int const outer = o.output<int>(0), inner = o.output<int>(3);
    o.trial.expect(
        outer >= 0 && outer <= 2 && inner >= 0 && inner <= 2 && o.result == outer + inner,
        "counts do not add up to the result");
    int const records[] = {1, outer, outer == 2 ? 4 : outer, 1, inner, inner == 2 ? 4 : inner};
    std::vector<Part> written = o.outputs;
    for (std::size_t i = 0; i < written.size(); ++i) {
        written[i].size *= static_cast<std::size_t>(records[i]);
    }
    o.trial.writes(written, "tangent lines and points do not match the counts");
}

struct Export {
    char const* name;
    double (*call)(Bytes const&, Outputs*, std::vector<Part>*);
    int (*records)(double result);            // null: the check judges what was written
    void (*check)(Outcome const&) = nullptr;  // what else the values must satisfy
};

// Each export with the records it writes and what else its values must satisfy.
// clang-format off
#define EXPORT(function, ...) Export{#function, fuzz::call<function, Arguments>, __VA_ARGS__}
Export const kExports[] = {
    EXPORT(gte_dist_point_line, one),
    EXPORT(gte_distfootpoint_point_line, one),
    EXPORT(gte_dist_point_ray, one),
    EXPORT(gte_dist_point_lseg, one),
    EXPORT(gte_dist_point_plane, one),
    EXPORT(gte_dist_point_rect, one),
    EXPORT(gte_dist_point_circle, always<3>),
    EXPORT(gte_dist_point_arc, always<3>),
    EXPORT(gte_dist_rectCenter_line, one),
    EXPORT(gte_dist_ellipseCenter_line, one),
    EXPORT(gte_dist_quadCenter_line, one),
    EXPORT(gte_dist_line_line, length),
    EXPORT(gte_dist_line_ray, length),
    EXPORT(gte_dist_line_lseg, length),
    EXPORT(gte_dist_ray_ray, length),
    EXPORT(gte_dist_ray_lseg, length),
    EXPORT(gte_dist_lseg_lseg, one),
    EXPORT(gte_dist_lseg_plane, one),
    EXPORT(gte_angle_line_line, angle<180>),
    EXPORT(gte_angle_line_ray, angle<180>),
    EXPORT(gte_angle_line_lseg, angle<180>),
    EXPORT(gte_angle_ray_ray, angle<180>),
    EXPORT(gte_angle_ray_lseg, angle<180>),
    EXPORT(gte_angle_lseg_lseg, angle<180>),
    EXPORT(gte_angleXY_line_line, angle<180>),
    EXPORT(gte_angleXY_line_ray, angle<180>),
    EXPORT(gte_angleXY_line_lseg, angle<180>),
    EXPORT(gte_angleXY_ray_ray, angle<180>),
    EXPORT(gte_angleXY_ray_lseg, angle<180>),
    EXPORT(gte_angleXY_lseg_lseg, angle<180>),
    EXPORT(gte_angle_line_plane, angle<90>),
    EXPORT(gte_angle_ray_plane, angle<90>),
    EXPORT(gte_angle_lseg_plane, angle<90>),
    EXPORT(gte_angle_plane_plane, angle<180>),
    EXPORT(gte_angle_draw_lseg_lseg, angle<180>, drawn),
    EXPORT(gte_angleXY_draw_lseg_lseg, angle<180>, drawn),
    EXPORT(gte_angle_draw_lseg_plane, angle<90>, drawn),
    EXPORT(gte_angle_draw_plane_plane, angle<180>, drawn),
    EXPORT(gte_bisector_point_point, one),
    EXPORT(gte_bisector_point_line, one),
    EXPORT(gte_bisectorLseg_point_point, one),
    EXPORT(gte_bisectorLseg_point_lseg, one),
    EXPORT(gte_bisector_lseg_lseg, one),
    EXPORT(gte_intersec_line_plane, linearHit),
    EXPORT(gte_intersec_ray_plane, linearHit),
    EXPORT(gte_intersec_lseg_plane, linearHit),
    EXPORT(gte_intersec_plane_plane, planesMeet),
    EXPORT(gte_intersecXY_line_line, linesMeetXY),
    EXPORT(gte_intersec_plane_circle, cutPoints),
    EXPORT(gte_intersec_line_circle, cutPoints),
    EXPORT(gte_intersec_line_arc, cutPoints),
    EXPORT(gte_intersec_circle_circle, circlesCut),
    EXPORT(gte_intersec_circle_arc, circlesCut),
    EXPORT(gte_intersec_arc_arc, circlesCut),
    EXPORT(gte_dist_circle_circle, circlePairs),
    EXPORT(gte_dist3D_circle_circle, circlePairs),
    EXPORT(gte_distXY_circle_circle, circlePairs),
    EXPORT(gte_dist_arc_circle, circlePairs),
    EXPORT(gte_dist_arc_arc, circlePairs),
    EXPORT(gte_dist_line_circle, linePairs),
    EXPORT(gte_dist_line_arc, linePairs),
    EXPORT(gte_dist_lseg_circle, linePairs),
    EXPORT(gte_dist_lseg_arc, linePairs),
    EXPORT(gte_tangent_point_circle, upToTwo),
    EXPORT(gte_tangent_circle_circle, nullptr, circleTangents),
    EXPORT(gte_tangent_arc_circle, nullptr, circleTangents),
    EXPORT(gte_tangent_arc_arc, nullptr, circleTangents),
    EXPORT(gte_intervalXY_lseg_lseg, length),
    EXPORT(gte_gapXY_lseg_lseg, one, gap),
    EXPORT(gte_gap_lseg_lseg, always<0>),
    EXPORT(gte_tool_rotate_vector, one),
};
#undef EXPORT
// clang-format on
static_assert(std::size(kExports) == 71, "every export that takes records, once");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    Bytes bytes(data, size);
    Export const& chosen = kExports[bytes.byte() % std::size(kExports)];
    fuzz::Trial<Outputs> trial(chosen.name);
    Outcome const outcome = fuzz::attempt(trial, bytes, chosen.call);
    if (chosen.records != nullptr) {
        int const records = chosen.records(outcome.result);
        trial.expect(records >= 0, "a result the export never returns");
        std::vector<Part> written = outcome.outputs;
        for (Part& output : written) output.size *= static_cast<std::size_t>(records);
        trial.writes(written, "records written do not match the result");
    }
    if (chosen.check != nullptr)
        chosen.check(outcome);
    return 0;
}
