// The exports that take records: the first byte picks one, the rest become its input records.
// Each call must write exactly the outputs that its result announces, and nothing else.
#include <iterator>
#include <tuple>
#include <type_traits>

#include "fuzz_support.h"

namespace {

using fuzz::Bytes;
using fuzz::part;

constexpr double kInfiniteCount = 2147483647.0;

// Room for the outputs of any record export. Where an export has two outputs of one type, the
// first goes to the first slot of that type and the second to the second.
struct Outputs {
    gte_dist_result dist[3];
    gte_point points[4];
    gte_point innerPoints[4];
    gte_line lines[2];
    gte_line innerLines[2];
    int counts[2];
    double values[2];
    gte_angle_result angle;
    gte_gap_result gap;
    gte_lseg lseg;
    gte_vector vector;
};

// Hands out an export's arguments in order: records decoded from the bytes, outputs from the
// slots (null pointers when the outputs are null).
class Arguments {
public:
    Arguments(Bytes bytes, Outputs* outputs) : bytes_(bytes), outputs_(outputs) {}

    template <class T>
    T next() {
        if constexpr (std::is_pointer_v<T>) {
            return outputs_ == nullptr ? nullptr : slot(static_cast<T>(nullptr));
        } else {
            return record(static_cast<T*>(nullptr));
        }
    }

private:
    double record(double*) { return bytes_.number(); }
    gte_point record(gte_point*) { return bytes_.point(); }
    gte_vector record(gte_vector*) { return bytes_.vector(); }
    gte_line record(gte_line*) { return bytes_.line(); }
    gte_ray record(gte_ray*) { return gte_ray{bytes_.point(), bytes_.vector()}; }
    gte_lseg record(gte_lseg*) { return gte_lseg{bytes_.point(), bytes_.point()}; }
    gte_plane record(gte_plane*) {
        return gte_plane{bytes_.point(), bytes_.point(), bytes_.point()};
    }
    gte_circle record(gte_circle*) {
        return gte_circle{bytes_.point(), bytes_.number(), bytes_.vector()};
    }
    gte_rect record(gte_rect*) {
        return gte_rect{bytes_.point(), bytes_.number(), bytes_.number(), bytes_.vector(),
                        bytes_.vector()};
    }
    gte_quad record(gte_quad*) {
        return gte_quad{bytes_.point(), bytes_.point(), bytes_.point(), bytes_.point()};
    }
    gte_ellipse record(gte_ellipse*) {
        return gte_ellipse{bytes_.number(), bytes_.number(), bytes_.point(), bytes_.vector(),
                           bytes_.vector()};
    }

    gte_dist_result* slot(gte_dist_result*) { return outputs_->dist; }
    gte_point* slot(gte_point*) {
        return points_++ == 0 ? outputs_->points : outputs_->innerPoints;
    }
    gte_line* slot(gte_line*) { return lines_++ == 0 ? outputs_->lines : outputs_->innerLines; }
    int* slot(int*) { return &outputs_->counts[counts_++]; }
    double* slot(double*) { return &outputs_->values[values_++]; }
    gte_angle_result* slot(gte_angle_result*) { return &outputs_->angle; }
    gte_gap_result* slot(gte_gap_result*) { return &outputs_->gap; }
    gte_lseg* slot(gte_lseg*) { return &outputs_->lseg; }
    gte_vector* slot(gte_vector*) { return &outputs_->vector; }

    Bytes bytes_;
    Outputs* outputs_;
    int points_ = 0, lines_ = 0, counts_ = 0, values_ = 0;
};

template <class R, class... Args>
double invoke(R (*function)(Args...), Bytes bytes, Outputs* outputs) {
    Arguments arguments(bytes, outputs);
    std::tuple<Args...> const values{arguments.next<Args>()...};
    if constexpr (std::is_void_v<R>) {
        std::apply(function, values);
        return 0.0;
    } else {
        return static_cast<double>(std::apply(function, values));
    }
}

template <auto function>
double call(Bytes bytes, Outputs* outputs) {
    return invoke(function, bytes, outputs);
}

struct Outcome {
    fuzz::Trial<Outputs> const& trial;
    double result;
    Bytes inputs;
    Outputs const& out() const { return trial.outputs(); }
};

bool oneOf(double result, std::initializer_list<double> allowed) {
    for (double value : allowed) {
        if (result == value)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- contracts

void oneDistance(Outcome const& o) {
    o.trial.writes({part(o.out().dist[0])}, "a distance record left unwritten or one too many");
}
void footAndDistance(Outcome const& o) {
    o.trial.writes({part(o.out().points[0]), part(o.out().dist[0])}, "foot or distance unwritten");
}
void threeDistances(Outcome const& o) {
    o.trial.writes({part(o.out().dist)}, "the three distance records not all written");
}
void distance(Outcome const& o) {
    o.trial.writes({}, "wrote through no pointer it was given");
    o.trial.expect(!(o.result < 0.0), "negative distance");
}
// Angles in degrees, from 0 to top; a drawing also holds the angle it returns.
void angleWithin(Outcome const& o, double top) {
    o.trial.expect(std::isnan(o.result) || (o.result >= 0.0 && o.result <= top),
                   "angle outside its range");
}
template <int top>
void angle(Outcome const& o) {
    o.trial.writes({}, "wrote through no pointer it was given");
    angleWithin(o, top);
}
template <int top>
void drawn(Outcome const& o) {
    o.trial.writes({part(o.out().angle)}, "the angle drawing not written whole");
    o.trial.expect(fuzz::same(o.out().angle.angle, o.result), "drawn angle differs from result");
    angleWithin(o, top);
}
void point(Outcome const& o) {
    o.trial.writes({part(o.out().points[0])}, "point not written");
}
void segment(Outcome const& o) {
    o.trial.writes({part(o.out().lseg)}, "segment not written");
}
void vector(Outcome const& o) {
    o.trial.writes({part(o.out().vector)}, "vector not written");
}
void nothing(Outcome const& o) {
    o.trial.writes({}, "wrote a record it does not fill");
}

// Gaps between the end points of two edges seen from above, across the unit direction (nx, ny).
fuzz::Extremes endPointGaps(Outcome const& o, double nx, double ny) {
    Arguments inputs(o.inputs, nullptr);
    gte_lseg const first = inputs.next<gte_lseg>();
    gte_lseg const second = inputs.next<gte_lseg>();
    double gaps[4];
    int k = 0;
    for (gte_point const& a : {first.pt1, first.pt2}) {
        for (gte_point const& b : {second.pt1, second.pt2}) {
            gaps[k++] = std::fabs((b.x - a.x) * nx + (b.y - a.y) * ny);
        }
    }
    return fuzz::extremesOf(gaps);
}

// The edge gap reports its measuring direction: its extremes must be the end-point gaps across it.
void gap(Outcome const& o) {
    gte_gap_result const& g = o.out().gap;
    o.trial.writes({part(g)}, "gap record not written whole");
    fuzz::Extremes const e = endPointGaps(o, g.direction.x, g.direction.y);
    o.trial.expect(fuzz::same(g.maxGap, e.high) && fuzz::same(g.minGap, e.low),
                   "extremes are not the end-point gaps' own");
}

// The interval measures across the bisector of the two edges seen from above, the second edge
// turned to run with the first.
void intervalXY(Outcome const& o) {
    o.trial.writes({part(o.out().values)}, "largest and smallest gaps not both written");
    o.trial.expect(!(o.result < 0.0), "negative centre gap");
    Arguments inputs(o.inputs, nullptr);
    gte_lseg const first = inputs.next<gte_lseg>();
    gte_lseg const second = inputs.next<gte_lseg>();
    double x1 = first.pt2.x - first.pt1.x, y1 = first.pt2.y - first.pt1.y;
    double x2 = second.pt2.x - second.pt1.x, y2 = second.pt2.y - second.pt1.y;
    fuzz::normalize(x1, y1);
    fuzz::normalize(x2, y2);
    if (x1 * x2 + y1 * y2 < 0.0) {
        x2 = -x2;
        y2 = -y2;
    }
    double bisectorX = x1 + x2, bisectorY = y1 + y2;
    fuzz::normalize(bisectorX, bisectorY);
    double nx = bisectorY, ny = -bisectorX;
    fuzz::normalize(nx, ny);
    fuzz::Extremes const e = endPointGaps(o, nx, ny);
    o.trial.expect(fuzz::same(o.out().values[0], e.high) && fuzz::same(o.out().values[1], e.low),
                   "extremes are not the end-point gaps' own");
}

// The call returned one of `allowed` and wrote the first `count` records from `first`, no more.
template <class T>
void writesFirst(Outcome const& o, std::initializer_list<double> allowed, T const* first, int count,
                 char const* what) {
    o.trial.expect(oneOf(o.result, allowed), "unknown result");
    o.trial.writes({fuzz::Part{first, count * sizeof *first}}, what);
}

// Line, ray or segment against a plane: a point exactly when one was found.
void linearHit(Outcome const& o) {
    writesFirst(o, {0, 1, kInfiniteCount}, o.out().points, o.result != 0, "point found or not");
}
void planesMeet(Outcome const& o) {
    writesFirst(o, {-1, 0, 1}, o.out().lines, o.result == 1, "line found or not");
}
void linesMeetXY(Outcome const& o) {
    writesFirst(o, {0, 1, kInfiniteCount}, o.out().points, o.result == 1, "single crossing or not");
}
void circlePoints(Outcome const& o, std::initializer_list<double> allowed) {
    int const count = o.result == 1 || o.result == 2 ? static_cast<int>(o.result) : 0;
    writesFirst(o, allowed, o.out().points, count, "points written do not match the count");
}
// A line is cut with the circle through a plane that holds it; far out, rounding can turn that
// plane into one the circle lies in, which has no answer (-1) as for a plane.
void cutByPlaneOrLine(Outcome const& o) {
    circlePoints(o, {-1, 0, 1, 2});
}
void cutByCircle(Outcome const& o) {
    circlePoints(o, {-1, 0, 1, 2, kInfiniteCount});
}

// Circle distances: the centre record always, the pairs exactly when 3 is returned.
void circlePairs(Outcome const& o) {
    writesFirst(o, {1, 3}, o.out().dist, o.result == 3 ? 3 : 1, "records do not match the count");
}
void linePairs(Outcome const& o) {
    if (o.result == -1) {
        o.trial.writes({}, "a record written with no answer");
    } else {
        circlePairs(o);
    }
}

bool noRadius(gte_circle const& circle) {
    return circle.radius < 0.0 || std::isnan(circle.radius);
}

void pointTangents(Outcome const& o) {
    Arguments inputs(o.inputs, nullptr);
    inputs.next<gte_point>();
    gte_circle const circle = inputs.next<gte_circle>();
    Outputs const& out = o.out();
    o.trial.expect(oneOf(o.result, {0, 1, 2}), "unknown tangent count");
    o.trial.expect(!noRadius(circle) || o.result == 0, "tangents to a circle without a radius");
    if (o.result == 2) {
        o.trial.writes({part(out.lines), part(out.points[0]), part(out.points[1])}, "2 tangents");
    } else if (o.result == 1) {
        o.trial.writes({part(out.lines[0]), part(out.points[0])}, "1 tangent");
    } else {
        o.trial.writes({}, "a tangent written where none was found");
    }
}

// Each kind of common tangent: its count, then that many lines with one tangent point for a
// single (touching) tangent or two points per line for a pair.
void circleTangents(Outcome const& o) {
    Arguments inputs(o.inputs, nullptr);
    gte_circle const circle1 = inputs.next<gte_circle>();
    gte_circle const circle2 = inputs.next<gte_circle>();
    Outputs const& out = o.out();
    if (o.result == -1) {
        o.trial.writes({}, "counts or tangents written for circles that disagree");
        return;
    }
    int const outer = out.counts[0];
    int const inner = out.counts[1];
    o.trial.expect(
        outer >= 0 && outer <= 2 && inner >= 0 && inner <= 2 && o.result == outer + inner,
        "counts do not add up to the result");
    o.trial.expect((!noRadius(circle1) && !noRadius(circle2)) || o.result == 0,
                   "tangents to a circle without a radius");
    auto const lines = [](gte_line const* l, int n) { return fuzz::Part{l, n * sizeof *l}; };
    auto const points = [](gte_point const* p, int n) {
        return fuzz::Part{p, (n == 2 ? 4 : n) * sizeof *p};
    };
    o.trial.writes({part(out.counts), lines(out.lines, outer), points(out.points, outer),
                    lines(out.innerLines, inner), points(out.innerPoints, inner)},
                   "tangent lines and points do not match the counts");
}

struct Export {
    char const* name;
    double (*call)(Bytes, Outputs*);
    void (*check)(Outcome const&);
};

// Each export with its contract, packed two or three to a line.
// clang-format off
#define EXPORT(function, contract) Export{#function, call<function>, contract}
Export const kExports[] = {
    EXPORT(gte_dist_point_line, oneDistance), EXPORT(gte_distfootpoint_point_line, footAndDistance),
    EXPORT(gte_dist_point_ray, oneDistance), EXPORT(gte_dist_point_lseg, oneDistance),
    EXPORT(gte_dist_point_plane, oneDistance), EXPORT(gte_dist_point_rect, oneDistance),
    EXPORT(gte_dist_point_circle, threeDistances), EXPORT(gte_dist_point_arc, threeDistances),
    EXPORT(gte_dist_rectCenter_line, oneDistance), EXPORT(gte_dist_ellipseCenter_line, oneDistance),
    EXPORT(gte_dist_quadCenter_line, oneDistance), EXPORT(gte_dist_line_line, distance),
    EXPORT(gte_dist_line_ray, distance), EXPORT(gte_dist_line_lseg, distance),
    EXPORT(gte_dist_ray_ray, distance), EXPORT(gte_dist_ray_lseg, distance),
    EXPORT(gte_dist_lseg_lseg, oneDistance), EXPORT(gte_dist_lseg_plane, oneDistance),
    EXPORT(gte_angle_line_line, angle<180>), EXPORT(gte_angle_line_ray, angle<180>),
    EXPORT(gte_angle_line_lseg, angle<180>), EXPORT(gte_angle_ray_ray, angle<180>),
    EXPORT(gte_angle_ray_lseg, angle<180>), EXPORT(gte_angle_lseg_lseg, angle<180>),
    EXPORT(gte_angleXY_line_line, angle<180>), EXPORT(gte_angleXY_line_ray, angle<180>),
    EXPORT(gte_angleXY_line_lseg, angle<180>), EXPORT(gte_angleXY_ray_ray, angle<180>),
    EXPORT(gte_angleXY_ray_lseg, angle<180>), EXPORT(gte_angleXY_lseg_lseg, angle<180>),
    EXPORT(gte_angle_line_plane, angle<90>), EXPORT(gte_angle_ray_plane, angle<90>),
    EXPORT(gte_angle_lseg_plane, angle<90>), EXPORT(gte_angle_plane_plane, angle<180>),
    EXPORT(gte_angle_draw_lseg_lseg, drawn<180>), EXPORT(gte_angleXY_draw_lseg_lseg, drawn<180>),
    EXPORT(gte_angle_draw_lseg_plane, drawn<90>), EXPORT(gte_angle_draw_plane_plane, drawn<180>),
    EXPORT(gte_bisector_point_point, point), EXPORT(gte_bisector_point_line, point),
    EXPORT(gte_bisectorLseg_point_point, segment), EXPORT(gte_bisectorLseg_point_lseg, segment),
    EXPORT(gte_bisector_lseg_lseg, segment), EXPORT(gte_intersec_line_plane, linearHit),
    EXPORT(gte_intersec_ray_plane, linearHit), EXPORT(gte_intersec_lseg_plane, linearHit),
    EXPORT(gte_intersec_plane_plane, planesMeet), EXPORT(gte_intersecXY_line_line, linesMeetXY),
    EXPORT(gte_intersec_plane_circle, cutByPlaneOrLine),
    EXPORT(gte_intersec_line_circle, cutByPlaneOrLine),
    EXPORT(gte_intersec_line_arc, cutByPlaneOrLine),
    EXPORT(gte_intersec_circle_circle, cutByCircle), EXPORT(gte_intersec_circle_arc, cutByCircle),
    EXPORT(gte_intersec_arc_arc, cutByCircle), EXPORT(gte_dist_circle_circle, circlePairs),
    EXPORT(gte_dist3D_circle_circle, circlePairs), EXPORT(gte_distXY_circle_circle, circlePairs),
    EXPORT(gte_dist_arc_circle, circlePairs), EXPORT(gte_dist_arc_arc, circlePairs),
    EXPORT(gte_dist_line_circle, linePairs), EXPORT(gte_dist_line_arc, linePairs),
    EXPORT(gte_dist_lseg_circle, linePairs), EXPORT(gte_dist_lseg_arc, linePairs),
    EXPORT(gte_tangent_point_circle, pointTangents),
    EXPORT(gte_tangent_circle_circle, circleTangents),
    EXPORT(gte_tangent_arc_circle, circleTangents), EXPORT(gte_tangent_arc_arc, circleTangents),
    EXPORT(gte_intervalXY_lseg_lseg, intervalXY), EXPORT(gte_gapXY_lseg_lseg, gap),
    EXPORT(gte_gap_lseg_lseg, nothing), EXPORT(gte_tool_rotate_vector, vector),
};
#undef EXPORT
// clang-format on
static_assert(std::size(kExports) == 71, "every export that takes records, once");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    Bytes bytes(data, size);
    Export const& chosen = kExports[bytes.byte() % std::size(kExports)];
    fuzz::Trial<Outputs> trial(chosen.name);
    double const result = trial.run([&](Outputs* outputs) { return chosen.call(bytes, outputs); });
    chosen.check(Outcome{trial, result, bytes});
    return 0;
}
