// SPDX-License-Identifier: MIT
#include "form/minimum_zone_flatness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "form/flatness_band.h"
#include "form/flatness_hull_search.h"
#include "form/form_input.h"
#include "form/plane_pair_zone.h"
#include "form/zone_lp.h"
#include "gte/basis.h"
#include "math/correctly_rounded.h"

namespace tavrisk::form {

namespace {

// The first solve runs on every k-th point, about this many of them: it finds the zone's
// neighbourhood for a fraction of a pass, and the passes over all points then add few points.
constexpr std::size_t kSampleSize = 2048;
// Rounds of solving and checking before the search gives up on the active set: each round adds
// violators or turns the frame, and a few rounds settle every measured face tried.
constexpr int kMaxRounds = 48;
// Relative slack on the doubles of the global bound, far above their rounding.
constexpr double kProofMargin = 1e-9;
// Directions in the plane along which the sample's extreme points bound its spread.
constexpr int kSpreadDirections = 8;

struct Frame {
    gte::Vector3 origin;
    gte::Vector3 normal;
    gte::Vector3 across1;
    gte::Vector3 across2;
};

Frame frameAlong(gte::Vector3 const& origin, gte::Vector3 const& normal) {
    gte::Vector3 basis[3] = {normal, gte::Vector3::zeroVector(), gte::Vector3::zeroVector()};
    gte::CompleteBasis(1, basis);
    return {origin, basis[0], basis[1], basis[2]};
}

ZonePoint zonePointOf(Frame const& frame, gte::Vector3 const& p) {
    gte::Vector3 const q = p - frame.origin;
    return {gte::Dot(q, frame.across1), gte::Dot(q, frame.across2), gte::Dot(q, frame.normal)};
}

// A configuration of support points and the planes it fixes.
struct Candidate {
    PlanePair pair;
    FlatnessConfiguration configuration = FlatnessConfiguration::kThreePlusOne;
    std::array<std::size_t, 4> support{};
    std::array<Contact, 4> contact{};
};

Candidate threeAndOne(std::array<std::size_t, 3> const& three, Contact threeOn, std::size_t one) {
    Candidate c;
    c.pair.e1From = three[0];
    c.pair.e1To = three[1];
    c.pair.e2From = three[0];
    c.pair.e2To = three[2];
    c.pair.high = threeOn == Contact::kHigh ? three[0] : one;
    c.pair.low = threeOn == Contact::kHigh ? one : three[0];
    c.configuration = FlatnessConfiguration::kThreePlusOne;
    Contact const other = threeOn == Contact::kHigh ? Contact::kLow : Contact::kHigh;
    c.support = {three[0], three[1], three[2], one};
    c.contact = {threeOn, threeOn, threeOn, other};
    return c;
}

Candidate twoAndTwo(std::size_t high1, std::size_t high2, std::size_t low1, std::size_t low2) {
    Candidate c;
    c.pair = PlanePair{high1, high2, low1, low2, high1, low1};
    c.configuration = FlatnessConfiguration::kTwoPlusTwo;
    c.support = {high1, high2, low1, low2};
    c.contact = {Contact::kHigh, Contact::kHigh, Contact::kLow, Contact::kLow};
    return c;
}

void addUnique(std::vector<std::size_t>& list, std::size_t index) {
    if (std::find(list.begin(), list.end(), index) == list.end()) {
        list.push_back(index);
    }
}

bool spans(gte::Vector3 const* points, Candidate const& c) {
    return PlaneZone(points, c.pair).spansPlane();
}

// The support configuration of a solved vertical zone: the points of the basis pairs with
// positive weight, three and one or two and two; when the basis is degenerate, completed from
// the active points nearest each plane.
std::optional<Candidate> candidateOf(gte::Vector3 const* points,
                                     std::vector<std::size_t> const& active,
                                     std::vector<ZonePoint> const& zonePoints,
                                     VerticalZone const& zone) {
    std::vector<std::size_t> highs;
    std::vector<std::size_t> lows;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t k = 0; k < 3; ++k) {
            if ((zone.weight[k] > 0.0) == (pass == 0)) {
                addUnique(highs, active[zone.upper[k]]);
                addUnique(lows, active[zone.lower[k]]);
            }
        }
    }
    std::size_t const positiveHighs = highs.size();
    std::size_t const positiveLows = lows.size();
    // The rest by their residuals: nearest the high plane first, and the low plane.
    std::vector<std::size_t> order(active.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        order[k] = k;
    }
    auto const residual = [&](std::size_t k) {
        return zonePoints[k].z - zone.tiltX * zonePoints[k].x - zone.tiltY * zonePoints[k].y;
    };
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return residual(a) > residual(b); });
    for (std::size_t k = 0; k < order.size() && k < 4; ++k) {
        addUnique(highs, active[order[k]]);
        addUnique(lows, active[order[order.size() - 1 - k]]);
    }

    std::vector<Candidate> tries;
    auto const addTriples = [&](std::vector<std::size_t> const& three, Contact side,
                                std::vector<std::size_t> const& other) {
        for (std::size_t a = 0; a < three.size(); ++a) {
            for (std::size_t b = a + 1; b < three.size(); ++b) {
                for (std::size_t c = b + 1; c < three.size(); ++c) {
                    tries.push_back(threeAndOne({three[a], three[b], three[c]}, side, other[0]));
                }
            }
        }
    };
    auto const addPairs = [&] { tries.push_back(twoAndTwo(highs[0], highs[1], lows[0], lows[1])); };
    if (positiveHighs >= 3) {
        addTriples(highs, Contact::kHigh, lows);
    } else if (positiveLows >= 3) {
        addTriples(lows, Contact::kLow, highs);
    } else if (positiveHighs == 2 && positiveLows == 2) {
        addPairs();
    }
    addTriples(highs, Contact::kHigh, lows);
    addTriples(lows, Contact::kLow, highs);
    if (highs.size() >= 2 && lows.size() >= 2) {
        addPairs();
    }
    for (Candidate const& c : tries) {
        std::array<std::size_t, 4> const& s = c.support;
        bool const distinctSides = s[3] != s[0] && s[3] != s[1] && s[3] != s[2] &&
                                   (c.configuration != FlatnessConfiguration::kTwoPlusTwo ||
                                    (s[0] != s[2] && s[0] != s[3] && s[1] != s[2]));
        if (distinctSides && spans(points, c)) {
            return c;
        }
    }
    return std::nullopt;
}

// A search that ended with a zone holding every point.
struct Found {
    Candidate candidate;
    std::vector<std::size_t> onHigh;
    std::vector<std::size_t> onLow;
    bool locked = false;
    bool coplanar = false;
};

// The 2D width of points given in the plane: the narrowest range across the direction of one
// of their differences, which include the hull's edges.
double spreadWidth(std::vector<std::array<double, 2>> const& q) {
    double narrowest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < q.size(); ++i) {
        for (std::size_t j = i + 1; j < q.size(); ++j) {
            double const ex = q[j][0] - q[i][0];
            double const ey = q[j][1] - q[i][1];
            double const length = std::sqrt(ex * ex + ey * ey);
            if (length == 0.0) {
                continue;
            }
            double low = 0.0;
            double high = 0.0;
            for (auto const& r : q) {
                double const across = (ex * (r[1] - q[i][1]) - ey * (r[0] - q[i][0])) / length;
                low = std::min(low, across);
                high = std::max(high, across);
            }
            narrowest = std::min(narrowest, high - low);
        }
    }
    return std::isfinite(narrowest) ? narrowest : 0.0;
}

// The distance from zero to the boundary of the convex hull of the 2D points, zero when zero is
// not inside.
double depthOfZero(std::vector<std::array<double, 2>> const& d) {
    double depth = std::numeric_limits<double>::infinity();
    bool anyEdge = false;
    for (std::size_t i = 0; i < d.size(); ++i) {
        for (std::size_t j = 0; j < d.size(); ++j) {
            double const ex = d[j][0] - d[i][0];
            double const ey = d[j][1] - d[i][1];
            double const length = std::sqrt(ex * ex + ey * ey);
            if (length == 0.0) {
                continue;
            }
            bool edge = true;
            for (auto const& r : d) {
                if (ex * (r[1] - d[i][1]) - ey * (r[0] - d[i][0]) < 0.0) {
                    edge = false;
                    break;
                }
            }
            if (edge) {
                anyEdge = true;
                depth = std::min(depth, (ex * -d[i][1] - ey * -d[i][0]) / length);
            }
        }
    }
    return anyEdge ? std::max(depth, 0.0) : 0.0;
}

// Whether the locked zone of width w is the narrowest in every direction. In the frame of the
// zone's normal the vertical width g(t) of a tilt t is convex with its minimum w at t = 0, and
// the locked contacts make it grow at least c |t| (c: the depth of zero in their differences);
// it also exceeds |t| R - w, R the points' spread across the normal. The true width is
// g(t) / sqrt(1 + |t|^2); it stays at least w for every tilt when c >= w, or else when the
// first bound covers the tilts up to where the second takes over.
bool narrowestEverywhere(double w, double c, double r) {
    c *= 1.0 - kProofMargin;
    r *= 1.0 - kProofMargin;
    w *= 1.0 + kProofMargin;
    if (!(c > 0.0)) {
        return false;
    }
    if (c >= w) {
        return true;
    }
    if (!(r > w)) {
        return false;
    }
    return c * (r * r - w * w) >= r * (w * w - c * c);
}

bool provedNarrowest(gte::Vector3 const* points, std::vector<std::size_t> const& sample,
                     Found const& found, PlaneZone const& zone, double width) {
    gte::Vector3 const normal = zone.normal();
    Frame const frame = frameAlong(points[found.candidate.pair.low], normal);
    auto const across = [&](gte::Vector3 const& v) {
        return std::array<double, 2>{gte::Dot(v, frame.across1), gte::Dot(v, frame.across2)};
    };
    std::vector<std::array<double, 2>> differences;
    for (std::size_t h : found.onHigh) {
        for (std::size_t l : found.onLow) {
            differences.push_back(across(points[l] - points[h]));
        }
    }
    double const depth = depthOfZero(differences);

    // The directions, turned by the library's own sine and cosine so that every platform
    // picks the same extreme points.
    std::array<gte::math::SineCosine, kSpreadDirections> turn{};
    for (int d = 0; d < kSpreadDirections; ++d) {
        turn[static_cast<std::size_t>(d)] =
            gte::math::SinCos(2.0 * gte::kPi * d / kSpreadDirections);
    }
    std::array<std::size_t, kSpreadDirections> extreme{};
    std::array<double, kSpreadDirections> reach{};
    for (std::size_t k = 0; k < sample.size(); ++k) {
        std::array<double, 2> const q = across(points[sample[k]] - frame.origin);
        for (int d = 0; d < kSpreadDirections; ++d) {
            gte::math::SineCosine const& t = turn[static_cast<std::size_t>(d)];
            double const along = q[0] * t.cosine + q[1] * t.sine;
            if (k == 0 || along > reach[d]) {
                reach[d] = along;
                extreme[d] = sample[k];
            }
        }
    }
    std::vector<std::array<double, 2>> spreadPoints;
    for (std::size_t i : extreme) {
        spreadPoints.push_back(across(points[i] - frame.origin));
    }
    for (std::size_t i : found.candidate.support) {
        spreadPoints.push_back(across(points[i] - frame.origin));
    }
    return narrowestEverywhere(width, depth, spreadWidth(spreadPoints));
}

void writeZone(gte::Vector3 const* points, Candidate const& c, FlatnessZone& result) {
    PlaneZone const zone(points, c.pair);
    result.width = zone.width();
    result.normal = zone.normal();
    result.midPoint = points[c.pair.low] + result.normal * (0.5 * result.width);
    result.configuration = c.configuration;
    result.support = Supports();
    for (int k = 0; k < 4; ++k) {
        result.support.add(c.support[k], points[c.support[k]], c.contact[k]);
    }
}

// The zone along a given normal that holds every point by its rounded offsets: what a search
// that did not settle returns.
void writeEnclosingZone(gte::Vector3 const* points, std::size_t count, gte::Vector3 const& origin,
                        gte::Vector3 const& normal, FlatnessZone& result) {
    std::size_t lowest = 0;
    std::size_t highest = 0;
    double low = 0.0;
    double high = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        double const d = gte::Dot(points[i] - origin, normal);
        if (i == 0 || d < low) {
            low = d;
            lowest = i;
        }
        if (i == 0 || d > high) {
            high = d;
            highest = i;
        }
    }
    result.width = high - low;
    result.normal = normal;
    result.midPoint = origin + normal * (0.5 * (low + high));
    result.configuration = FlatnessConfiguration::kThreePlusOne;
    result.support = Supports();
    result.support.add(lowest, points[lowest], Contact::kLow);
    result.support.add(highest, points[highest], Contact::kHigh);
    result.certified = false;
}

// The zone's normal turned into the half-space of the least-squares normal, so that "high" means
// the same side in both figures; the contacts swap with it.
void alignWith(gte::Vector3 const& reference, FlatnessZone& result) {
    if (gte::Dot(result.normal, reference) >= 0.0) {
        return;
    }
    result.normal = -result.normal;
    for (int k = 0; k < result.support.count; ++k) {
        Contact& c = result.support.points[static_cast<std::size_t>(k)].contact;
        c = c == Contact::kHigh ? Contact::kLow : Contact::kHigh;
    }
}

FlatnessZone searchedZone(gte::Vector3 const* points, std::size_t count, BoundingBox const& box,
                          std::size_t highest, std::size_t lowest, FlatnessZone result);

}  // namespace

FlatnessZone minimumZoneFlatness(gte::Vector3 const* points, std::size_t count) {
    FlatnessZone result;
    FormInput input;
    result.status = checkFormInput(points, count, 3, 3, input);
    if (result.status != FormStatus::kMeasured) {
        return result;
    }

    // The least-squares band as the flatness export measures it, from the sum the check took.
    FlatnessBand const band = flatnessBandOf(points, count, nullptr, &input.sum);
    LeastSquaresPlaneBand& ls = result.leastSquares;
    ls.normalUnique = band.planeUnique;
    ls.origin = band.origin;
    ls.normal = band.normal;
    ls.low = band.low;
    ls.high = band.high;
    ls.width = ls.high - ls.low;

    result = searchedZone(points, count, input.box, band.highIndex, band.lowIndex, result);
    alignWith(ls.normal, result);
    return result;
}

namespace {

FlatnessZone searchedZone(gte::Vector3 const* points, std::size_t count, BoundingBox const& box,
                          std::size_t highest, std::size_t lowest, FlatnessZone result) {
    LeastSquaresPlaneBand const& ls = result.leastSquares;
    // The first solve, on a thinned sample in the least-squares frame.
    Frame frame = frameAlong(ls.origin, ls.normal);
    std::size_t const stride = count > kSampleSize ? count / kSampleSize : 1;
    std::vector<std::size_t> sample;
    for (std::size_t i = 0; i < count; i += stride) {
        sample.push_back(i);
    }
    std::vector<std::size_t> active;
    {
        std::vector<ZonePoint> zonePoints;
        zonePoints.reserve(sample.size());
        for (std::size_t i : sample) {
            zonePoints.push_back(zonePointOf(frame, points[i]));
        }
        VerticalZone const zone = narrowestVerticalZone(zonePoints.data(), zonePoints.size());
        if (zone.solved) {
            for (std::size_t k = 0; k < 3; ++k) {
                addUnique(active, sample[zone.upper[k]]);
                addUnique(active, sample[zone.lower[k]]);
            }
        }
    }
    addUnique(active, highest);
    addUnique(active, lowest);

    // Rounds over every point: solve on the active set, check the zone exactly, add violators
    // or turn the frame to the zone's normal.
    PointSubset const all{points, count, nullptr, 0, &box};
    std::optional<Found> found;
    for (int round = 0; round < kMaxRounds && !found; ++round) {
        std::vector<ZonePoint> zonePoints;
        zonePoints.reserve(active.size());
        for (std::size_t i : active) {
            zonePoints.push_back(zonePointOf(frame, points[i]));
        }
        VerticalZone const zone = narrowestVerticalZone(zonePoints.data(), zonePoints.size());
        if (!zone.solved) {
            break;
        }
        std::optional<Candidate> const candidate = candidateOf(points, active, zonePoints, zone);
        if (!candidate) {
            break;
        }
        PlaneZone const planes(points, candidate->pair);
        ZoneCheck const check = planes.check(all);
        if (!check.holdsAll) {
            std::size_t const before = active.size();
            for (std::size_t i : check.aboveHigh) {
                addUnique(active, i);
            }
            for (std::size_t i : check.belowLow) {
                addUnique(active, i);
            }
            if (active.size() == before) {
                break;  // the violators are active already: rounding has the last word
            }
            continue;
        }
        for (std::size_t i : check.onHigh) {
            addUnique(active, i);
        }
        for (std::size_t i : check.onLow) {
            addUnique(active, i);
        }
        if (planes.orientation() == 0) {
            found = Found{*candidate, check.onHigh, check.onLow, true, true};
            break;
        }
        if (!check.contactsCut && planes.locked(check.onHigh, check.onLow)) {
            found = Found{*candidate, check.onHigh, check.onLow, true, false};
            break;
        }
        gte::Vector3 const turned = planes.normal();
        if (turned == frame.normal) {
            break;
        }
        frame = frameAlong(ls.origin, turned);
    }

    if (found && found->coplanar) {
        Candidate c = found->candidate;
        c.configuration = FlatnessConfiguration::kCoplanar;
        writeZone(points, c, result);
        result.width = 0.0;
        result.certified = true;
        result.search = FlatnessSearch::kActiveSet;
        return result;
    }
    if (found) {
        writeZone(points, found->candidate, result);
        PlaneZone const planes(points, found->candidate.pair);
        if (provedNarrowest(points, sample, *found, planes, result.width)) {
            result.certified = true;
            result.search = FlatnessSearch::kActiveSet;
            return result;
        }
    }

    HullZone const hull = narrowestZoneOfHull(points, count);
    if (hull.outcome == HullZone::Outcome::kFound ||
        (hull.outcome == HullZone::Outcome::kDegenerate &&
         hull.configuration == FlatnessConfiguration::kCoplanar)) {
        Candidate c;
        c.pair = hull.pair;
        c.configuration = hull.configuration;
        for (int k = 0; k < 4; ++k) {
            c.support[k] = hull.support[k];
            c.contact[k] = hull.contact[k];
        }
        writeZone(points, c, result);
        if (hull.configuration == FlatnessConfiguration::kCoplanar) {
            result.width = 0.0;
        }
        result.certified = true;
        result.search = hull.outcome == HullZone::Outcome::kFound ? FlatnessSearch::kHullEnumeration
                                                                  : FlatnessSearch::kDegenerate;
        return result;
    }
    if (hull.outcome == HullZone::Outcome::kDegenerate) {
        // Collinear or coincident: every plane through the line holds the points.
        result.width = 0.0;
        result.configuration = hull.configuration;
        result.search = FlatnessSearch::kDegenerate;
        result.certified = true;
        result.support = Supports();
        for (int k = 0; k < hull.supportCount; ++k) {
            result.support.add(hull.support[k], points[hull.support[k]], hull.contact[k]);
        }
        gte::Vector3 const& a = points[hull.support[0]];
        result.midPoint = a;
        if (hull.supportCount >= 2) {
            gte::Vector3 basis[3] = {points[hull.support[1]] - a, gte::Vector3::zeroVector(),
                                     gte::Vector3::zeroVector()};
            gte::CompleteBasis(1, basis);
            result.normal = basis[1];
        } else {
            result.normal = gte::Vector3(0.0, 0.0, 1.0);
        }
        return result;
    }
    // The hull search gave up. A locked zone is still the narrowest among nearby directions.
    if (found) {
        result.search = FlatnessSearch::kActiveSet;
        result.certified = false;
        return result;
    }
    writeEnclosingZone(points, count, ls.origin, frame.normal, result);
    result.search = FlatnessSearch::kActiveSet;
    return result;
}

}  // namespace

}  // namespace tavrisk::form
