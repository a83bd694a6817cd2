// The exports that take point sets: the bytes become one or two sets (with their counts), a
// line, trim and average counts, a sigma factor and its switch. Each call must refuse exactly
// what it cannot measure, leaving its outputs alone, and must write every output it announces;
// extremes must be the true extremes of the values they run over.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

using fuzz::Bytes;
using fuzz::Extremes;
using fuzz::extremesOf;
using fuzz::part;
using fuzz::same;

constexpr int kMaxDecoded = 40;      // points read one by one into a set
constexpr int kMaxRow = 255 * 5;     // points laid out in a row ahead of the first set
constexpr double kModerate = 1e150;  // coordinates whose squares and sums cannot overflow

struct Sets {
    std::vector<gte_point> first, second;
    std::vector<gte_vector> normals;  // one per point of the second set
    gte_point const* points1;
    gte_point const* points2;
    int count1, count2;
    int usable1, usable2;  // the points behind the counts: 0 for a null array
    gte_line line;
    int trim, average;
    double sigma;
    bool useSigma;
};

// A count as the caller may pass it: the set's size, or a wild value with no array behind it
// when the value would reach past the set.
void choose(Bytes& bytes, bool wild, bool null, std::vector<gte_point> const& set,
            gte_point const*& points, int& count, int& usable) {
    int const size = static_cast<int>(set.size());
    count = wild ? bytes.count() : size;
    points = null || count > size ? nullptr : set.data();
    usable = points == nullptr ? 0 : count;
}

Sets decode(Bytes& bytes) {
    Sets s;
    std::uint8_t const flags = bytes.byte();
    s.useSigma = flags & 1;
    s.line = bytes.line();
    s.trim = bytes.count();
    s.average = bytes.count();
    s.sigma = bytes.number();
    // A long row of evenly spaced points reaches the thinned searches of the plane fit.
    int const row = bytes.byte() * 5;
    gte_point const start = bytes.point();
    gte_vector const step = bytes.vector();
    for (int i = 0; i < row; ++i) {
        s.first.emplace_back(start.x + i * step.x, start.y + i * step.y, start.z + i * step.z);
    }
    for (int i = bytes.byte() % (kMaxDecoded + 1); i > 0; --i) s.first.push_back(bytes.point());
    for (int i = bytes.byte() % (kMaxDecoded + 1); i > 0; --i) s.second.push_back(bytes.point());
    for (std::size_t i = 0; i < s.second.size(); ++i) s.normals.push_back(bytes.vector());
    choose(bytes, flags & 2, flags & 4, s.first, s.points1, s.count1, s.usable1);
    choose(bytes, flags & 8, flags & 16, s.second, s.points2, s.count2, s.usable2);
    return s;
}

// The count rule of trimmed averaging: both ends, each trimmed and averaged, fit apart.
bool averagesFit(int count, int trim, int average) {
    return trim >= 0 && average >= 1 && count > 0 &&
           static_cast<std::int64_t>(count) > 2 * (static_cast<std::int64_t>(trim) + average);
}

bool finite(gte_point const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
bool moderate(double v) {
    return std::fabs(v) <= kModerate;
}
bool moderate(gte_point const* points, int count) {
    for (int i = 0; i < count; ++i) {
        if (!moderate(points[i].x) || !moderate(points[i].y) || !moderate(points[i].z)) {
            return false;
        }
    }
    return true;
}

// Distances of the first set to the line, each measured alone.
std::vector<double> lineDistances(Sets const& s) {
    std::vector<double> d;
    for (int i = 0; i < s.count1; ++i) {
        gte_dist_result r;
        gte_dist_point_line(s.line, s.points1[i], &r);
        d.push_back(r.dist);
    }
    return d;
}

// Gaps across the line in XY between every pair of the two sets; empty when a set is empty or
// the line has no XY direction to measure across.
std::vector<double> pairGapsXY(Sets const& s) {
    std::vector<double> w;
    double nx = s.line.vector.y;
    double ny = -s.line.vector.x;
    if (s.usable1 < 1 || s.usable2 < 1 || fuzz::normalize(nx, ny) < 0.0001) {
        return w;
    }
    for (int i = 0; i < s.count1; ++i) {
        for (int j = 0; j < s.count2; ++j) {
            gte_point const &a = s.points1[i], &b = s.points2[j];
            w.push_back(std::fabs((b.x - a.x) * nx + (b.y - a.y) * ny));
        }
    }
    return w;
}

// Profile by its literal definition: each measured point against its nearest nominal point in
// XY (the first of equally near ones), along that point's normal as given.
double profileOf(Sets const& s) {
    std::vector<double> deviation;
    for (int i = 0; i < s.count1; ++i) {
        gte_point const& m = s.points1[i];
        int nearest = 0;
        double best = std::numeric_limits<double>::infinity();
        for (int j = 0; j < s.count2; ++j) {
            double const dx = m.x - s.points2[j].x;
            double const dy = m.y - s.points2[j].y;
            double const squared = dx * dx + dy * dy;
            if (squared < best) {
                best = squared;
                nearest = j;
            }
        }
        gte_point const& n = s.points2[nearest];
        gte_vector const& normal = s.normals[nearest];
        deviation.push_back((m.x - n.x) * normal.x + (m.y - n.y) * normal.y + 0.0 * 0.0);
    }
    Extremes const e = extremesOf(deviation);
    return std::fabs(e.low - e.high);
}

struct Outputs {
    double high, low;
    gte_gap_result gap;
    gte_lseg segment;
    gte_plane plane;
    gte_point centroid;
    double angle, major, minor;
    double profile;
    double deviations[kMaxRow + kMaxDecoded + 1];
};

template <class T>
T* at(Outputs* o, T Outputs::*member) {
    return o == nullptr ? nullptr : &(o->*member);
}

using Trial = fuzz::Trial<Outputs>;

// ---------------------------------------------------------------- contracts

void lineDistance(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    t.run([&](Outputs* out) {
        gte_dist_mutiPoint_line(s.points1, s.count1, s.line, at(out, &Outputs::high),
                                at(out, &Outputs::low));
        return 0.0;
    });
    t.writes({part(o.high), part(o.low)}, "extremes not both written");
    if (s.usable1 < 2) {
        t.expect(o.high == -1.0 && o.low == -1.0, "fewer than two points not reported as -1");
        return;
    }
    Extremes const e = extremesOf(lineDistances(s));
    t.expect(same(o.high, e.high) && same(o.low, e.low), "extremes are not the distances' own");
}

void lineGap(Sets const& s, Trial& t) {
    gte_gap_result const& g = t.outputs().gap;
    t.run([&](Outputs* out) {
        gte_gap_mutiPoint_line(s.points1, s.count1, s.line, at(out, &Outputs::gap));
        return 0.0;
    });
    if (s.usable1 < 2) {
        t.writes({part(g.centerGap), part(g.minGap), part(g.maxGap)}, "refusal wrote the rest");
        t.expect(g.centerGap == -1.0 && g.minGap == -1.0 && g.maxGap == -1.0, "refusal not -1");
        return;
    }
    t.writes({part(g)}, "gap record not written whole");
    Extremes const e = extremesOf(lineDistances(s));
    t.expect(same(g.maxGap, e.high) && same(g.minGap, e.low), "gaps are not the distances' own");
}

// Trimmed averages of values that are never negative and sort with NaN last: unless one is NaN,
// the smallest values never average above the largest.
void ordered(Trial& t, double low, double high) {
    t.expect(std::isnan(low) || std::isnan(high) || low <= high, "smallest above the largest");
}

void lineInterval(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    double const r = t.run([&](Outputs* out) {
        return gte_interval_mutiPoint_line(s.points1, s.count1, s.line, s.trim, s.average, s.sigma,
                                           s.useSigma, at(out, &Outputs::high),
                                           at(out, &Outputs::low));
    });
    bool const accepted = averagesFit(s.usable1, s.trim, s.average);
    if (t.answers(r, accepted ? 1 : -1, 1, {part(o.high), part(o.low)}, "count rule")) {
        ordered(t, o.low, o.high);
    }
}

void lineGapSigma(Sets const& s, Trial& t) {
    gte_gap_result const& g = t.outputs().gap;
    double const r = t.run([&](Outputs* out) {
        return gte_gapSigma_mutiPoint_line(s.points1, s.count1, s.line, s.trim, s.average, s.sigma,
                                           s.useSigma, at(out, &Outputs::gap));
    });
    bool const accepted = averagesFit(s.usable1, s.trim, s.average);
    if (t.answers(r, accepted ? 1 : -1, 1, {part(g)}, "count rule")) {
        double high, low;
        gte_interval_mutiPoint_line(s.points1, s.count1, s.line, s.trim, s.average, s.sigma,
                                    s.useSigma, &high, &low);
        t.expect(same(g.maxGap, high) && same(g.minGap, low), "gaps differ from the interval");
    }
}

// The XY two-set functions fail on an empty set without writing, and on a line without XY
// direction (where they may leave the start values 0 and 1e16); otherwise their extremes are
// those of the pair gaps.
void setsDistance(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    double const r = t.run([&](Outputs* out) {
        return gte_dist_mutiPoint_mutiPoint(s.points1, s.count1, s.points2, s.count2, s.line,
                                            at(out, &Outputs::high), at(out, &Outputs::low));
    });
    std::vector<double> const w = pairGapsXY(s);
    bool const startValues = o.high == 0.0 && o.low == 1e16;
    if (w.empty() && startValues) {
        t.expect(r == 0.0, "reported the start values as measured");
        t.writes({part(o.high), part(o.low)}, "refusal left a stale extreme");
    } else if (t.answers(r, !w.empty(), 1, {part(o.high), part(o.low)}, "pairs and direction")) {
        Extremes const e = extremesOf(w);
        t.expect(same(o.high, e.high) && same(o.low, e.low), "not the pair gaps' own extremes");
    }
}

void setsGapXY(Sets const& s, Trial& t) {
    gte_gap_result const& g = t.outputs().gap;
    double const r = t.run([&](Outputs* out) {
        return gte_gapXY_mutiPoint_mutiPoint(s.points1, s.count1, s.points2, s.count2, s.line,
                                             at(out, &Outputs::gap));
    });
    std::vector<double> const w = pairGapsXY(s);
    if (t.answers(r, !w.empty(), 1, {part(g)}, "pairs and direction")) {
        Extremes const e = extremesOf(w);
        t.expect(same(g.maxGap, e.high) && same(g.minGap, e.low), "not the pair gaps' own gaps");
    }
}

bool bothAverage(Sets const& s) {
    return averagesFit(s.usable1, s.trim, s.average) && averagesFit(s.usable2, s.trim, s.average);
}

void setsInterval(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    double const r = t.run([&](Outputs* out) {
        return gte_interval_mutiPoint_mutiPoint(s.points1, s.count1, s.points2, s.count2, s.line,
                                                s.trim, s.average, s.sigma, s.useSigma,
                                                at(out, &Outputs::high), at(out, &Outputs::low));
    });
    if (t.answers(r, bothAverage(s) ? 1 : -1, 1, {part(o.high), part(o.low)}, "count rule")) {
        ordered(t, o.low, o.high);
    }
}

void setsGapSigma(Sets const& s, Trial& t) {
    gte_gap_result const& g = t.outputs().gap;
    double const r = t.run([&](Outputs* out) {
        return gte_gapSigma_mutiPoint_mutiPoint(s.points1, s.count1, s.points2, s.count2, s.line,
                                                s.trim, s.average, s.sigma, s.useSigma,
                                                at(out, &Outputs::gap));
    });
    if (t.answers(r, bothAverage(s) ? 1 : -1, 1, {part(g)}, "count rule")) {
        ordered(t, g.minGap, g.maxGap);
    }
}

// A fit refuses fewer than three points and any point that is not finite; what it reports on
// success is written whole and finite.
bool fitRefused(Sets const& s) {
    int const count = s.usable1;
    return count < 3 || !std::all_of(s.points1, s.points1 + count, finite);
}

void fitSegment(Sets const& s, Trial& t) {
    gte_lseg const& segment = t.outputs().segment;
    double const r = t.run([&](Outputs* out) {
        return gte_fit_lseg(s.points1, s.count1, at(out, &Outputs::segment));
    });
    if (t.answers(r, r == 1.0 && !fitRefused(s) ? 1 : -1, 1, {part(segment)}, "fit or refusal")) {
        t.expect(finite(segment.pt1) && finite(segment.pt2), "fitted segment not finite");
    }
}

bool apart(gte_point const& a, gte_point const& b) {
    return std::fabs(a.x - b.x) >= 0.001 || std::fabs(a.y - b.y) >= 0.001 ||
           std::fabs(a.z - b.z) >= 0.001;
}

void fitPlane(Sets const& s, Trial& t) {
    gte_plane const& plane = t.outputs().plane;
    double const r = t.run(
        [&](Outputs* out) { return gte_fit_plane(s.points1, s.count1, at(out, &Outputs::plane)); });
    if (!t.answers(r, r == 1.0 && !fitRefused(s) ? 1 : -1, 1, {part(plane)}, "fit or refusal")) {
        return;
    }
    gte_point const &a = plane.pt1, &b = plane.pt2, &c = plane.pt3;
    t.expect(finite(a) && finite(b) && finite(c), "fitted plane not finite");
    t.expect(apart(a, b) && apart(a, c) && apart(b, c), "plane points coincide");
    double const x1 = b.x - a.x, y1 = b.y - a.y, z1 = b.z - a.z;
    double const x2 = c.x - b.x, y2 = c.y - b.y, z2 = c.z - b.z;
    t.expect(y1 * z2 - z1 * y2 != 0.0 || z1 * x2 - x1 * z2 != 0.0 || x1 * y2 - y1 * x2 != 0.0,
             "plane points on one line");
    gte_point const origin;
    t.expect(!apart(plane.reserved1, origin) && !apart(plane.reserved2, origin),
             "reserved points not zero");
}

void moment(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    double const r = t.run([&](Outputs* out) {
        return gte_measure_moment2(s.points1, s.count1, at(out, &Outputs::centroid),
                                   at(out, &Outputs::angle), at(out, &Outputs::major),
                                   at(out, &Outputs::minor));
    });
    t.answers(r, s.usable1 < 3 ? -1 : 1, 1,
              {part(o.centroid), part(o.angle), part(o.major), part(o.minor)}, "three points");
}

void profile(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    gte_vector const* normals = s.points2 == nullptr ? nullptr : s.normals.data();
    double const r = t.run([&](Outputs* out) {
        return gte_measure_profile2D(s.points1, s.count1, s.points2, normals, s.count2,
                                     at(out, &Outputs::profile));
    });
    bool const refused = s.usable1 < 1 || s.usable2 < 1;
    if (!t.answers(r, refused ? -1 : 1, 1, {part(o.profile)}, "measured and nominal points")) {
        return;
    }
    bool const exact = moderate(s.points1, s.count1) && moderate(s.points2, s.count2) &&
                       std::all_of(s.normals.begin(), s.normals.end(), [](gte_vector const& v) {
                           return moderate(v.x) && moderate(v.y);
                       });
    t.expect(!exact || same(o.profile, profileOf(s)), "profile against the wrong nominal points");
}

void straightness(Sets const& s, Trial& t) {
    Outputs const& o = t.outputs();
    double const r = t.run([&](Outputs* out) {
        return gte_straightness_xy_line(s.points1, s.count1, s.line,
                                        out == nullptr ? nullptr : out->deviations);
    });
    int const count = s.usable1;
    if (count <= 0) {
        t.expect(r == -1.0, "no points, yet measured");
        t.writes({}, "a refusal wrote an output");
        return;
    }
    t.writes({fuzz::Part{o.deviations, count * sizeof o.deviations[0]}}, "deviations");
    Extremes const e = extremesOf(std::vector<double>(o.deviations, o.deviations + count));
    t.expect(same(r, e.high - e.low), "straightness is not the band of the deviations");
}

struct Export {
    char const* name;
    void (*check)(Sets const&, Trial&);
};

Export const kExports[] = {
    {"gte_dist_mutiPoint_line", lineDistance},
    {"gte_gap_mutiPoint_line", lineGap},
    {"gte_interval_mutiPoint_line", lineInterval},
    {"gte_gapSigma_mutiPoint_line", lineGapSigma},
    {"gte_dist_mutiPoint_mutiPoint", setsDistance},
    {"gte_gapXY_mutiPoint_mutiPoint", setsGapXY},
    {"gte_interval_mutiPoint_mutiPoint", setsInterval},
    {"gte_gapSigma_mutiPoint_mutiPoint", setsGapSigma},
    {"gte_fit_lseg", fitSegment},
    {"gte_fit_plane", fitPlane},
    {"gte_measure_moment2", moment},
    {"gte_measure_profile2D", profile},
    {"gte_straightness_xy_line", straightness},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    Bytes bytes(data, size);
    Export const& chosen = kExports[bytes.byte() % std::size(kExports)];
    Sets const sets = decode(bytes);
    Trial trial(chosen.name);
    chosen.check(sets, trial);
    return 0;
}
