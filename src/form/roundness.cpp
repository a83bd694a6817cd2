// SPDX-License-Identifier: MIT
#include "form/roundness.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "form/circle_certificates.h"
#include "form/convex_hull_xy.h"
#include "form/form_formulas.h"
#include "form/form_input.h"
#include "form/least_squares_circle.h"
#include "form/zone_lp.h"

namespace tavrisk::form {

namespace {

using gte::Vector2;
using gte::Vector3;

// Successive linear programmes of the minimum zone before giving up; a round profile settles in
// a few, the last ones only confirming.
constexpr int kMaxZoneSteps = 60;
// Halvings of a zone step that made the zone wider.
constexpr int kMaxZoneHalvings = 20;
// Exchanges of the inscribed circle's contacts before giving up.
constexpr int kMaxInscribedSteps = 1000;
// A fourth contact met within this many units in the last place of the radius is as near as the
// others: the tie of a symmetric profile, which the certificate then decides exactly.
constexpr double kTieSteps = 64.0;
// Tied contacts of each circle tried in pairs when the minimum zone's contacts tie.
constexpr std::size_t kMaxTiedContacts = 8;
// A centre that has moved this many point spreads away has left any profile behind: the zone
// is running off towards a straight one.
constexpr double kRunawaySpreads = 1e6;
// The farthest a least-squares centre may lie from the points, in spreads: half the fit's own
// bound, so that a fit pinned against it is refused.
constexpr double kLeastSquaresReach = 0.5 * kFarthestCentreSpreads;
// The fixed seed of the enclosing circle's visiting order (a deterministic shuffle; the expected
// linear time needs an order unrelated to the points').
constexpr std::uint64_t kShuffleSeed = 0x9E3779B97F4A7C15u;

double distance(Vector3 const& p, Vector2 const& c) {
    double const dx = p[0] - c[0];
    double const dy = p[1] - c[1];
    return std::sqrt(dx * dx + dy * dy);
}

struct Extremes {
    double nearest;
    double farthest;
    std::size_t nearestIndex;
    std::size_t farthestIndex;
};

Extremes extremesAbout(Vector3 const* p, std::size_t count, Vector2 const& c) {
    Extremes e{std::numeric_limits<double>::infinity(), -1.0, 0, 0};
    for (std::size_t i = 0; i < count; ++i) {
        double const d = distance(p[i], c);
        if (d < e.nearest) {
            e.nearest = d;
            e.nearestIndex = i;
        }
        if (d > e.farthest) {
            e.farthest = d;
            e.farthestIndex = i;
        }
    }
    return e;
}

void writeAbout(Vector3 const* p, std::size_t count, Vector2 const& c, RoundnessCircles& r) {
    Extremes const e = extremesAbout(p, count, c);
    r.center = Vector3(c[0], c[1], 0.0);
    r.innerRadius = e.nearest;
    r.outerRadius = e.farthest;
    r.width = e.farthest - e.nearest;
}

// ---- minimum circumscribed circle: Welzl's incremental algorithm with exact tests.

std::uint64_t nextRandom(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15u;  // splitmix64
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

CircleThrough smallestEnclosing(Vector3 const* p, std::size_t count) {
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    std::uint64_t state = kShuffleSeed;
    for (std::size_t i = count; i > 1; --i) {
        std::swap(order[i - 1], order[nextRandom(state) % i]);
    }
    CircleThrough c{{order[0], 0, 0}, 1};
    for (std::size_t i = 1; i < count; ++i) {
        Vector3 const& pi = p[order[i]];
        if (outsideSign(p, c, pi) <= 0) {
            continue;
        }
        c = CircleThrough{{order[i], 0, 0}, 1};
        for (std::size_t j = 0; j < i; ++j) {
            Vector3 const& pj = p[order[j]];
            if (outsideSign(p, c, pj) <= 0) {
                continue;
            }
            c = CircleThrough{{order[i], order[j], 0}, 2};
            for (std::size_t k = 0; k < j; ++k) {
                if (outsideSign(p, c, p[order[k]]) > 0) {
                    c = CircleThrough{{order[i], order[j], order[k]}, 3, 0};
                    c.turn = turnXY(p[order[i]], p[order[j]], p[order[k]]);
                }
            }
        }
    }
    return c;
}

// ---- maximum inscribed circle: the centre climbs away from its nearest points.

// The first point met as the centre moves from c along v, the distance to the contacts growing
// as it goes: the least step s >= 0 at which some other point is as near as the first contact.
std::optional<std::pair<std::size_t, double>> firstMet(Vector3 const* p, std::size_t count,
                                                       Vector2 const& c, Vector2 const& v,
                                                       std::vector<std::size_t> const& contacts) {
    Vector3 const& f = p[contacts[0]];
    double const fx = c[0] - f[0];
    double const fy = c[1] - f[1];
    double const r2 = fx * fx + fy * fy;
    std::optional<std::pair<std::size_t, double>> met;
    for (std::size_t i = 0; i < count; ++i) {
        double const qx = c[0] - p[i][0];
        double const qy = c[1] - p[i][1];
        // |c + s v - q|^2 = |c + s v - f|^2  <=>  |c - q|^2 - r2 = 2 s v.(q - f)
        double const approach = v[0] * (p[i][0] - f[0]) + v[1] * (p[i][1] - f[1]);
        // The contacts move with the circle (their approach is zero but for rounding).
        if (!(approach > 0.0) || std::find(contacts.begin(), contacts.end(), i) != contacts.end()) {
            continue;
        }
        double const s = std::max(0.0, (qx * qx + qy * qy - r2) / (2.0 * approach));
        if (!met || s < met->second) {
            met = std::make_pair(i, s);
        }
    }
    return met;
}

struct Inscribed {
    bool found = false;
    // Three contacts round the centre, or four: a diameter's ends and a point either side of it.
    std::array<std::size_t, 4> contact{};
    int count = 0;
};

// Whether the fourth point d holds the centre of the circle on the diameter of a and c with the
// right-angled corner b: d as near, on the other side of the diameter. Then every way the centre
// moves takes it nearer one of the four. Such ties come from symmetric profiles (a star of
// points at two radii), where dropping the corner b, as at any obtuse corner, would only bring
// it back.
std::optional<std::size_t> fourthAcross(Vector3 const* p, std::size_t count, Vector2 const& c,
                                        std::vector<std::size_t> const& contacts, int corner) {
    Vector3 const& a = p[contacts[(corner + 1) % 3]];
    Vector3 const& b = p[contacts[corner]];
    Vector3 const& d = p[contacts[(corner + 2) % 3]];
    Vector2 v = gte::Normalized(Vector2(-(d[1] - a[1]), d[0] - a[0]));
    if (gte::Dot(v, Vector2(c[0] - b[0], c[1] - b[1])) < 0.0) {
        v = -v;
    }
    auto const met = firstMet(p, count, c, v, contacts);
    double const radius = distance(b, c);
    if (!met || met->second > kTieSteps * std::numeric_limits<double>::epsilon() * radius) {
        return std::nullopt;
    }
    return met->first;
}

Inscribed climbToInscribed(Vector3 const* p, std::size_t count, Vector2 start) {
    Inscribed result;
    Vector2 c = start;
    Extremes const e = extremesAbout(p, count, c);
    std::vector<std::size_t> contacts = {e.nearestIndex};
    for (int step = 0; step < kMaxInscribedSteps; ++step) {
        Vector2 v;
        Vector3 const& a = p[contacts[0]];
        if (contacts.size() == 1) {
            v = gte::Normalized(Vector2(c[0] - a[0], c[1] - a[1]));
            if (v == Vector2::zeroVector()) {
                v = Vector2(1.0, 0.0);
            }
        } else {
            Vector3 const& b = p[contacts[1]];
            // Along the bisector, away from the pair's midpoint.
            v = gte::Normalized(Vector2(-(b[1] - a[1]), b[0] - a[0]));
            Vector2 const mid(0.5 * (a[0] + b[0]), 0.5 * (a[1] + b[1]));
            if (gte::Dot(v, c - mid) < 0.0) {
                v = -v;
            }
        }
        auto const met = firstMet(p, count, c, v, contacts);
        if (!met) {
            return result;  // nothing stops the circle: the points do not surround it
        }
        c = c + v * met->second;
        if (std::find(contacts.begin(), contacts.end(), met->first) != contacts.end()) {
            return result;
        }
        contacts.push_back(met->first);
        if (contacts.size() < 3) {
            continue;
        }
        // Three contacts: done when they surround the centre (an acute triangle); otherwise the
        // contact at the obtuse corner goes and the climb goes on along the long side's bisector.
        CircleThrough const circle{{contacts[0], contacts[1], contacts[2]}, 3};
        std::optional<RoundedCircle> const rounded = roundedCircle(p, circle);
        if (!rounded) {
            return result;
        }
        c = rounded->center;
        int obtuse = -1;
        bool right = false;
        for (int k = 0; k < 3; ++k) {
            Vector3 const& at = p[contacts[k]];
            Vector3 const& u = p[contacts[(k + 1) % 3]];
            Vector3 const& w = p[contacts[(k + 2) % 3]];
            double const cosine = (u[0] - at[0]) * (w[0] - at[0]) + (u[1] - at[1]) * (w[1] - at[1]);
            if (cosine <= 0.0) {
                obtuse = k;
                right = cosine == 0.0;
            }
        }
        if (obtuse < 0) {
            result.found = true;
            result.contact = {contacts[0], contacts[1], contacts[2], 0};
            result.count = 3;
            return result;
        }
        if (right) {
            if (std::optional<std::size_t> const fourth =
                    fourthAcross(p, count, c, contacts, obtuse)) {
                result.found = true;
                result.contact = {contacts[(obtuse + 1) % 3], contacts[obtuse],
                                  contacts[(obtuse + 2) % 3], *fourth};
                result.count = 4;
                return result;
            }
        }
        contacts.erase(contacts.begin() + obtuse);
    }
    return result;
}

int cornerSign(Vector3 const& at, Vector3 const& u, Vector3 const& w) {
    return exactSign([&](auto kind) { return dotXY<decltype(kind)>(at, u, w); });
}

// Whether no point lies strictly inside the circle through a, b and c.
bool emptyCircle(Vector3 const* p, std::size_t count, Vector3 const& a, Vector3 const& b,
                 Vector3 const& c) {
    int const turn = turnXY(a, b, c);
    for (std::size_t i = 0; i < count; ++i) {
        if (turn * inCircleSign(a, b, c, p[i]) > 0) {
            return false;
        }
    }
    return true;
}

// Whether the contacts prove a largest empty circle about a nearby centre: an empty circle
// through an acute triangle, or on a diameter with right-angled corners strictly either side.
bool inscribedCertified(Vector3 const* p, std::size_t count, Inscribed const& inscribed) {
    auto const& t = inscribed.contact;
    if (inscribed.count == 4) {
        Vector3 const &a = p[t[0]], &b = p[t[1]], &c = p[t[2]], &d = p[t[3]];
        return cornerSign(b, a, c) == 0 && cornerSign(d, a, c) == 0 &&
               turnXY(a, c, b) * turnXY(a, c, d) < 0 && emptyCircle(p, count, a, b, c);
    }
    for (int k = 0; k < 3; ++k) {
        if (cornerSign(p[t[k]], p[t[(k + 1) % 3]], p[t[(k + 2) % 3]]) <= 0) {
            return false;
        }
    }
    return emptyCircle(p, count, p[t[0]], p[t[1]], p[t[2]]);
}

// ---- minimum zone: successive linear programmes about the moving centre.

struct ZoneState {
    Vector2 center;
    double width;
};

double zoneWidth(Vector3 const* p, std::size_t count, Vector2 const& c) {
    Extremes const e = extremesAbout(p, count, c);
    return e.farthest - e.nearest;
}

struct Annulus {
    bool found = false;
    std::size_t o1 = 0, o2 = 0, i1 = 0, i2 = 0;
    Vector2 center = Vector2::zeroVector();
};

// Whether no point lies outside the annulus.
bool holdsEvery(Vector3 const* p, std::size_t count, FourPointAnnulus const& annulus) {
    for (std::size_t i = 0; i < count; ++i) {
        if (annulus.placeOf(p[i]) != 0) {
            return false;
        }
    }
    return true;
}

// At a centre where several points tie for the farthest or the nearest (a symmetric profile),
// the linear programme's pick among them need not alternate; another pair of each may, which
// proves the zone. The tied points are tried in pairs, a few of each.
Annulus tiedAnnulus(Vector3 const* p, std::size_t count, Vector2 const& c) {
    Extremes const e = extremesAbout(p, count, c);
    double const slack = kTieSteps * std::numeric_limits<double>::epsilon() * e.farthest;
    std::vector<std::size_t> outer;
    std::vector<std::size_t> inner;
    for (std::size_t i = 0; i < count; ++i) {
        double const d = distance(p[i], c);
        if (d >= e.farthest - slack && outer.size() < kMaxTiedContacts) {
            outer.push_back(i);
        }
        if (d <= e.nearest + slack && inner.size() < kMaxTiedContacts) {
            inner.push_back(i);
        }
    }
    for (std::size_t a = 0; a < outer.size(); ++a) {
        for (std::size_t b = a + 1; b < outer.size(); ++b) {
            for (std::size_t k = 0; k < inner.size(); ++k) {
                for (std::size_t l = k + 1; l < inner.size(); ++l) {
                    FourPointAnnulus const zone(p, outer[a], outer[b], inner[k], inner[l]);
                    if (zone.defined() && zone.alternates() && holdsEvery(p, count, zone)) {
                        return Annulus{true,     outer[a], outer[b],
                                       inner[k], inner[l], zone.rounded().center};
                    }
                }
            }
        }
    }
    return Annulus{false, 0, 0, 0, 0, c};
}

Annulus narrowestAnnulus(Vector3 const* p, std::size_t count, Vector2 start, double spread) {
    Annulus result;
    Vector2 c = start;
    double width = zoneWidth(p, count, c);
    std::vector<ZonePoint> linearised(count);
    for (int step = 0; step < kMaxZoneSteps; ++step) {
        for (std::size_t i = 0; i < count; ++i) {
            double const dx = p[i][0] - c[0];
            double const dy = p[i][1] - c[1];
            double const d = std::sqrt(dx * dx + dy * dy);
            // The distance moves by -u . delta as the centre moves by delta.
            linearised[i] = d > 0.0 ? ZonePoint{dx / d, dy / d, d} : ZonePoint{0.0, 0.0, 0.0};
        }
        VerticalZone const zone = narrowestVerticalZone(linearised.data(), count);
        if (!zone.solved) {
            result.center = c;  // the narrowest found, not proved
            return result;
        }
        std::vector<std::size_t> outer;
        std::vector<std::size_t> inner;
        for (std::size_t k = 0; k < 3; ++k) {
            if (zone.weight[k] > 0.0) {
                if (std::find(outer.begin(), outer.end(), zone.upper[k]) == outer.end()) {
                    outer.push_back(zone.upper[k]);
                }
                if (std::find(inner.begin(), inner.end(), zone.lower[k]) == inner.end()) {
                    inner.push_back(zone.lower[k]);
                }
            }
        }
        Vector2 next = c + Vector2(zone.tiltX, zone.tiltY);
        if (outer.size() == 2 && inner.size() == 2) {
            // The contacts fix the centre where their bisectors meet: a Newton step that lands.
            FourPointAnnulus const annulus(p, outer[0], outer[1], inner[0], inner[1]);
            if (annulus.defined()) {
                next = annulus.rounded().center;
                if (annulus.alternates() && holdsEvery(p, count, annulus)) {
                    return Annulus{true, outer[0], outer[1], inner[0], inner[1], next};
                }
            }
        }
        double nextWidth = zoneWidth(p, count, next);
        for (int halving = 0; halving < kMaxZoneHalvings && nextWidth > width; ++halving) {
            next = c + (next - c) * 0.5;
            nextWidth = zoneWidth(p, count, next);
        }
        if (gte::Length(next - start) > kRunawaySpreads * spread) {
            result.center = next;  // the caller refuses a centre this far out
            return result;
        }
        if (next == c) {
            break;
        }
        c = next;
        width = nextWidth;
    }
    result.center = c;
    return result;
}

// Whether every point lies on one line seen from above (exactly).
bool collinearXY(Vector3 const* p, std::size_t count) {
    std::size_t far = 0;
    double farthest = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        double const dx = p[i][0] - p[0][0];
        double const dy = p[i][1] - p[0][1];
        if (dx * dx + dy * dy > farthest) {
            farthest = dx * dx + dy * dy;
            far = i;
        }
    }
    for (std::size_t i = 0; i < count && far != 0; ++i) {
        if (turnXY(p[0], p[far], p[i]) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

RoundnessCircles roundness(Vector3 const* p, std::size_t count, RoundnessCriterion criterion) {
    RoundnessCircles r;
    r.criterion = criterion;
    FormInput input;
    r.status = checkFormInput(p, count, 3, 2, input);
    if (r.status != FormStatus::kMeasured) {
        return r;
    }
    if (collinearXY(p, count)) {
        r.status = FormStatus::kNoCentre;
        return r;
    }
    BoundingBox const& box = input.box;
    double const spread = std::max(box.high[0] - box.low[0], box.high[1] - box.low[1]);
    Vector2 const middle(0.5 * (box.low[0] + box.high[0]), 0.5 * (box.low[1] + box.high[1]));
    LeastSquaresCircle const ls = criterion == RoundnessCriterion::kMinimumCircumscribed
                                      ? LeastSquaresCircle()
                                      : leastSquaresCircle(p, count);
    // A least-squares centre pinned near the fit's bound is no centre of these points (an arc
    // too flat to have one, or a fit that descended towards a line): its distances would round
    // the profile away, a roundness of zero about a centre 10^16 away.
    bool const centred =
        ls.fitted && gte::Length(ls.center - middle) <= kLeastSquaresReach * spread;
    Vector2 const start = ls.converged && centred ? ls.center : middle;

    switch (criterion) {
        case RoundnessCriterion::kLeastSquares: {
            if (!centred) {
                r.status = FormStatus::kNoCentre;
                return r;
            }
            writeAbout(p, count, ls.center, r);
            r.radius = ls.radius;
            r.certified = ls.converged;
            Extremes const e = extremesAbout(p, count, ls.center);
            r.support.add(e.nearestIndex, p[e.nearestIndex], Contact::kLow);
            r.support.add(e.farthestIndex, p[e.farthestIndex], Contact::kHigh);
            return r;
        }
        case RoundnessCriterion::kMinimumCircumscribed: {
            CircleThrough const circle = smallestEnclosing(p, count);
            std::optional<RoundedCircle> const rounded = roundedCircle(p, circle);
            if (!rounded) {
                r.status = FormStatus::kNoCentre;
                return r;
            }
            writeAbout(p, count, rounded->center, r);
            r.outerRadius = rounded->radius;
            r.radius = rounded->radius;
            r.width = r.outerRadius - r.innerRadius;
            r.certified = true;
            for (int k = 0; k < circle.count; ++k) {
                r.support.add(circle.index[k], p[circle.index[k]], Contact::kHigh);
            }
            return r;
        }
        case RoundnessCriterion::kMaximumInscribed: {
            // Grown from the least-squares centre and from the circumscribed circle's: where a
            // coarse profile has two local maxima near its middle, the larger is kept.
            std::optional<RoundedCircle> best;
            Inscribed chosen;
            std::optional<RoundedCircle> const outer =
                roundedCircle(p, smallestEnclosing(p, count));
            for (Vector2 const& from : {start, outer ? outer->center : start}) {
                Inscribed const inscribed = climbToInscribed(p, count, from);
                if (!inscribed.found) {
                    continue;
                }
                CircleThrough const through{
                    {inscribed.contact[0], inscribed.contact[1], inscribed.contact[2]}, 3};
                std::optional<RoundedCircle> const rounded = roundedCircle(p, through);
                if (rounded && (!best || rounded->radius > best->radius)) {
                    best = rounded;
                    chosen = inscribed;
                }
            }
            if (!best) {
                r.status = FormStatus::kNoCentre;
                return r;
            }
            writeAbout(p, count, best->center, r);
            r.certified = inscribedCertified(p, count, chosen);
            if (r.certified) {
                r.innerRadius = best->radius;
                for (int k = 0; k < chosen.count; ++k) {
                    r.support.add(chosen.contact[k], p[chosen.contact[k]], Contact::kLow);
                }
            } else {
                // A circle the exact tests do not prove empty may hold a point the climb passed
                // by: the circle about its centre is only as large as the nearest point allows.
                Extremes const e = extremesAbout(p, count, best->center);
                r.support.add(e.nearestIndex, p[e.nearestIndex], Contact::kLow);
            }
            r.radius = r.innerRadius;
            r.width = r.outerRadius - r.innerRadius;
            return r;
        }
        case RoundnessCriterion::kMinimumZone:
            break;
    }

    Annulus annulus = narrowestAnnulus(p, count, start, spread);
    auto const runsOff = [&](Annulus const& a) {
        return gte::Length(a.center - start) > kRunawaySpreads * spread;
    };
    if (!annulus.found && !runsOff(annulus)) {
        annulus = tiedAnnulus(p, count, annulus.center);
    }
    // A zone about a centre that far holds a profile that is all but straight: its radii would
    // round the form away. Such points go round no centre, however the zone was found.
    if (runsOff(annulus)) {
        r.status = FormStatus::kNoCentre;
        return r;
    }
    if (!annulus.found) {
        writeAbout(p, count, annulus.center, r);
        r.radius = 0.5 * (r.innerRadius + r.outerRadius);
        Extremes const e = extremesAbout(p, count, annulus.center);
        r.support.add(e.nearestIndex, p[e.nearestIndex], Contact::kLow);
        r.support.add(e.farthestIndex, p[e.farthestIndex], Contact::kHigh);
        return r;
    }
    FourPointAnnulus const zone(p, annulus.o1, annulus.o2, annulus.i1, annulus.i2);
    FourPointAnnulus::Rounded const rounded = zone.rounded();
    r.center = Vector3(rounded.center[0], rounded.center[1], 0.0);
    r.innerRadius = rounded.inner;
    r.outerRadius = rounded.outer;
    r.width = rounded.width;
    r.radius = 0.5 * (rounded.inner + rounded.outer);
    r.certified = true;
    r.support.add(annulus.o1, p[annulus.o1], Contact::kHigh);
    r.support.add(annulus.o2, p[annulus.o2], Contact::kHigh);
    r.support.add(annulus.i1, p[annulus.i1], Contact::kLow);
    r.support.add(annulus.i2, p[annulus.i2], Contact::kLow);
    return r;
}

}  // namespace tavrisk::form
