// SPDX-License-Identifier: MIT
// The exports that take point sets: the bytes become one or two sets (with their counts), a
// line, trim and average counts, a sigma factor and its switch. An export with a literal form (the
// fast paths' kept by the tests, or one built here from simpler exports) must return and write
// exactly what that form does, refusals included; the others must refuse exactly what they cannot
// measure, leaving their outputs alone, and write every output they announce.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "support/literal_measures.h"

namespace {

namespace literal = tavrisk_test::literal;
using fuzz::Bytes;
using fuzz::Part;
using fuzz::same;

constexpr int kMaxDecoded = 40;                    // points read one by one into a set
constexpr int kMaxPoints = 255 * 5 + kMaxDecoded;  // with the points of a row ahead of them

struct Set {
    std::vector<gte_point> points;
    gte_point const* array;  // the points, or null
    int count;               // the size, or a wild value with no array behind it past the size
    int usable;              // the points behind the count: 0 for a null array
};

struct Sets {
    Set first, second;
    std::vector<gte_vector> normals;  // one per point of the second set
    gte_line line;
    int trim, average;
    double sigma;
    bool useSigma;
};

// A count as the caller may pass it: the set's size, or a wild value with no array behind it
// when the value would reach past the set.
void choose(Bytes& bytes, bool wild, bool null, Set& set) {
    int const size = static_cast<int>(set.points.size());
    set.count = wild ? bytes.count() : size;
    set.array = null || set.count > size ? nullptr : set.points.data();
    set.usable = set.array == nullptr ? 0 : set.count;
}

Sets decode(Bytes& bytes) {
    Sets s;
    std::uint8_t const flags = bytes.byte();
    s.useSigma = flags & 1;
    s.line = bytes.record<gte_line>();
    s.trim = bytes.count();
    s.average = bytes.count();
    s.sigma = bytes.number();
    // A long row of evenly spaced points reaches the thinned searches of the plane fit.
    int const row = bytes.byte() * 5;
    gte_point const start = bytes.record<gte_point>();
    gte_vector const step = bytes.record<gte_vector>();
    for (int i = 0; i < row; ++i) {
        s.first.points.emplace_back(start.x + i * step.x, start.y + i * step.y,
                                    start.z + i * step.z);
    }
    for (Set* set : {&s.first, &s.second}) {
        for (int i = bytes.byte() % (kMaxDecoded + 1); i > 0; --i) {
            set->points.push_back(bytes.record<gte_point>());
        }
    }
    for (std::size_t i = 0; i < s.second.points.size(); ++i)
        s.normals.push_back(bytes.record<gte_vector>());
    choose(bytes, flags & 2, flags & 4, s.first);
    choose(bytes, flags & 8, flags & 16, s.second);
    return s;
}

// Room for the outputs: one record each after the one before. The deviations of straightness,
// its only output, run on into the rest.
struct Outputs {
    double values[kMaxPoints + 64];
};

// Hands out an export's arguments by type, in order. An int right after a point array (or the
// normals that follow one) is that array's count; other ints are the trim then the average count.
class Arguments {
public:
    Arguments(Sets const& sets, Outputs* outputs) : sets_(sets), room(outputs) {}

    template <class T>
    T next() {
        if constexpr (std::is_same_v<T, gte_point const*>) {
            set_ = arrays_++ == 0 ? &sets_.first : &sets_.second;
            return set_->array;
        } else if constexpr (std::is_same_v<T, gte_vector const*>) {
            return set_->array == nullptr ? nullptr : sets_.normals.data();
        } else if constexpr (std::is_same_v<T, int>) {
            Set const* const set = std::exchange(set_, nullptr);
            return set != nullptr ? set->count : ints_++ == 0 ? sets_.trim : sets_.average;
        } else if constexpr (std::is_same_v<T, gte_line>) {
            return sets_.line;
        } else if constexpr (std::is_same_v<T, double>) {
            return sets_.sigma;
        } else if constexpr (std::is_same_v<T, bool>) {
            return sets_.useSigma;
        } else {
            return room.next<std::remove_pointer_t<T>>(1);
        }
    }

private:
    Sets const& sets_;
    Set const* set_ = nullptr;
    int arrays_ = 0, ints_ = 0;

public:
    fuzz::OutputRoom room;
};

using Trial = fuzz::Trial<Outputs>;
using Outcome = fuzz::Outcome<Sets, Outputs>;

// ---------------------------------------------------------------- contracts

// The distance extremes as each point's distance measured alone gives them;
// TAVRISK_TOO_FEW_POINTS for both with fewer than two points.
void distanceExtremes(gte_point const* points, int count, gte_line line, double* high,
                      double* low) {
    std::vector<double> d;
    for (int i = 0; points != nullptr && i < count; ++i) {
        gte_dist_result r;
        gte_dist_point_line(line, points[i], &r);
        d.push_back(r.dist);
    }
    fuzz::Extremes const e = d.size() < 2
                                 ? fuzz::Extremes{TAVRISK_TOO_FEW_POINTS, TAVRISK_TOO_FEW_POINTS}
                                 : fuzz::extremesOf(d);
    *high = e.high;
    *low = e.low;
}

// The distance extremes in a record; with too few points only the three gaps are written.
void lineGap(Outcome const& o) {
    gte_gap_result const& g = o.output<gte_gap_result>(0);
    bool const few = o.inputs.first.usable < 2;
    o.trial.writes(few ? std::vector<Part>{{&g.centerGap, 3 * sizeof(double)}} : o.outputs,
                   "gap record not written whole, or more than the gaps for too few points");
}

// The gaps are the trimmed averages of the distances.
void lineGapSigma(Outcome const& o) {
    Sets const& s = o.inputs;
    double high, low;
    int const code = literal::intervalLine(s.first.array, s.first.count, s.line, s.trim, s.average,
                                           s.sigma, s.useSigma, &high, &low);
    gte_gap_result const& g = o.output<gte_gap_result>(0);
    if (o.trial.answers(o.result, code, TAVRISK_MEASURED, o.outputs, "count rule")) {
        o.trial.expect(same(g.maxGap, high) && same(g.minGap, low), "gaps are not the averages");
    }
}

// The two edges' intervals against the line, each by the literal form, added.
int intervalSum(gte_point const* points1, int count1, gte_point const* points2, int count2,
                gte_line line, int trim, int average, double sigma, bool useSigma, double* high,
                double* low) {
    double high1, low1, high2, low2;
    if (literal::intervalLine(points1, count1, line, trim, average, sigma, useSigma, &high1,
                              &low1) != TAVRISK_MEASURED ||
        literal::intervalLine(points2, count2, line, trim, average, sigma, useSigma, &high2,
                              &low2) != TAVRISK_MEASURED) {
        return TAVRISK_REFUSED;
    }
    *high = high1 + high2;
    *low = low1 + low2;
    return TAVRISK_MEASURED;
}

// A fit refuses fewer than three points and any point that is not finite; a plane is written
// whole, from three finite points apart (0.001 on some axis) and not in line.
void fitPlane(Outcome const& o) {
    auto const finite = [](gte_point const& p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    };
    auto const apart = [](gte_point const& a, gte_point const& b) {
        return std::fabs(a.x - b.x) >= 0.001 || std::fabs(a.y - b.y) >= 0.001 ||
               std::fabs(a.z - b.z) >= 0.001;
    };
    Set const& set = o.inputs.first;
    bool const refused = set.usable < 3 || !std::all_of(set.array, set.array + set.usable, finite);
    bool const fitted = o.result == TAVRISK_MEASURED && !refused;
    if (!o.trial.answers(o.result, fitted ? TAVRISK_MEASURED : TAVRISK_REFUSED, TAVRISK_MEASURED,
                         o.outputs, "fit or refusal")) {
        return;
    }
    gte_plane const& plane = o.output<gte_plane>(0);
    gte_point const &a = plane.pt1, &b = plane.pt2, &c = plane.pt3;
    o.trial.expect(finite(a) && finite(b) && finite(c), "fitted plane not finite");
    o.trial.expect(apart(a, b) && apart(a, c) && apart(b, c), "plane points coincide");
    double const x1 = b.x - a.x, y1 = b.y - a.y, z1 = b.z - a.z;
    double const x2 = c.x - b.x, y2 = c.y - b.y, z2 = c.z - b.z;
    o.trial.expect(y1 * z2 - z1 * y2 != 0.0 || z1 * x2 - x1 * z2 != 0.0 || x1 * y2 - y1 * x2 != 0.0,
                   "plane points on one line");
}

void moment(Outcome const& o) {
    o.trial.answers(o.result, o.inputs.first.usable < 3 ? TAVRISK_REFUSED : TAVRISK_MEASURED,
                    TAVRISK_MEASURED, o.outputs, "three points");
}

// One deviation per point, and their band returned; TAVRISK_NO_STRAIGHTNESS and nothing written
// without points.
void straightness(Outcome const& o) {
    int const count = std::max(o.inputs.first.usable, 0);
    double const* deviations = &o.output<double>(0);
    o.trial.writes({Part{deviations, count * sizeof(double)}}, "not one deviation per point");
    fuzz::Extremes const e = fuzz::extremesOf(std::vector<double>(deviations, deviations + count));
    o.trial.expect(count > 0 ? same(o.result, e.high - e.low) : o.result == TAVRISK_NO_STRAIGHTNESS,
                   "straightness is not the band of the deviations, or -1 without points");
}

using Call = double (*)(Sets const&, Outputs*, std::vector<Part>*);

struct Export {
    char const* name;
    Call call;
    Call literal;                   // its literal form, or null
    void (*check)(Outcome const&);  // what it must satisfy without one
};

// clang-format off
#define CALL(function) fuzz::call<function, Arguments>
#define LITERAL(function, literal) Export{#function, CALL(function), CALL(literal), nullptr}
#define CHECKED(function, check) Export{#function, CALL(function), nullptr, check}
Export const kExports[] = {
    LITERAL(gte_dist_mutiPoint_line, distanceExtremes),
    CHECKED(gte_gap_mutiPoint_line, lineGap),
    LITERAL(gte_interval_mutiPoint_line, literal::intervalLine),
    CHECKED(gte_gapSigma_mutiPoint_line, lineGapSigma),
    LITERAL(gte_dist_mutiPoint_mutiPoint, literal::distTwoSets),
    LITERAL(gte_gapXY_mutiPoint_mutiPoint, literal::gapXYTwoSets),
    LITERAL(gte_interval_mutiPoint_mutiPoint, intervalSum),
    LITERAL(gte_gapSigma_mutiPoint_mutiPoint, literal::gapSigmaTwoSets),
    LITERAL(gte_fit_lseg, literal::fitLseg),
    CHECKED(gte_fit_plane, fitPlane),
    CHECKED(gte_measure_moment2, moment),
    LITERAL(gte_measure_profile2D, literal::profile2D),
    CHECKED(gte_straightness_xy_line, straightness),
};
#undef CHECKED
#undef LITERAL
#undef CALL
// clang-format on

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    Bytes bytes(data, size);
    Export const& chosen = kExports[bytes.byte() % std::size(kExports)];
    Sets const sets = decode(bytes);
    Trial trial(chosen.name);
    Outcome const outcome = fuzz::attempt(trial, sets, chosen.call);
    if (chosen.literal == nullptr) {
        chosen.check(outcome);
        return 0;
    }
    // The literal form on outputs filled as the first run's: the same result, the same bits in
    // every output (any NaN matching any NaN, whose sign the order of a sum's operands decides).
    static Outputs expected;
    std::memset(&expected, Trial::kFirstPattern, sizeof expected);
    trial.expect(chosen.literal(sets, &expected, nullptr) == outcome.result,
                 "not the literal result");
    for (std::size_t i = 0; i < std::size(expected.values); ++i) {
        double const a = expected.values[i], b = trial.outputs().values[i];
        trial.expect(std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)),
                     "outputs differ from the literal form's");
    }
    return 0;
}
