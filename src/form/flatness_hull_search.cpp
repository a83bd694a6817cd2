// SPDX-License-Identifier: MIT
#include "form/flatness_hull_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "form/exact_sign.h"
#include "form/form_formulas.h"

namespace tavrisk::form {

namespace {

// Orientation tests while building the hull: points times facets. A cloud that is nearly all
// hull (points on a sphere) would need far more; the search gives up there.
constexpr std::uint64_t kMaxHullTests = 40'000'000;
// Edge pairs examined for antipodality: quadratic in the hull's edges.
constexpr std::uint64_t kMaxEdgePairs = 40'000'000;
// Candidates tried narrowest first before giving up: rounding can put a few invalid pairs
// (edges that are antipodal only to rounding) ahead of the answer.
constexpr std::size_t kMaxTries = 64;
// Slack, relative to the quantities compared, that lets pairs antipodal to rounding through: a
// pair let through wrongly fails its exact check, a pair held back wrongly would be lost.
constexpr double kAntipodalSlack = 1e-9;

// Below this sine of the angle between two sides, their cross product taken in floating point
// may lose more than a part in 10^13 of its direction to rounding (its error is a few units of
// rounding of the sides' lengths' product): the sides of a skinny facet and nearly parallel
// edges are crossed exactly instead. A facet spanning a cluster and a far point is that skinny.
constexpr double kCrossSineFloor = 1e-3;

using gte::Vector3;

// (b - a) x (d - c), with a direction rounding cannot spoil however nearly parallel the sides.
Vector3 crossOfSides(Vector3 const& a, Vector3 const& b, Vector3 const& c, Vector3 const& d) {
    Vector3 const u = b - a;
    Vector3 const v = d - c;
    Vector3 n = gte::Cross(u, v);
    double const floor = kCrossSineFloor * kCrossSineFloor * gte::Dot(u, u) * gte::Dot(v, v);
    if (gte::Dot(n, n) >= floor) {
        return n;
    }
    for (int component = 0; component < 3; ++component) {
        n[component] = accurateValue([&](auto kind) {
            using K = decltype(kind);
            auto const w = crossOf(differenceOf<K>(b, a), differenceOf<K>(d, c));
            return component == 0 ? w.x : component == 1 ? w.y : w.z;
        });
    }
    return n;
}

// det[b - a, c - a, p - a]: positive when p lies on the side of the facet (a, b, c) that its
// normal (b - a) x (c - a) points to.
int orientation(Vector3 const& a, Vector3 const& b, Vector3 const& c, Vector3 const& p) {
    return exactSign([&](auto kind) {
        using K = decltype(kind);
        return dotOf(crossOf(differenceOf<K>(b, a), differenceOf<K>(c, a)), differenceOf<K>(p, a));
    });
}

bool collinear(Vector3 const& a, Vector3 const& b, Vector3 const& p) {
    for (int component = 0; component < 3; ++component) {
        int const sign = exactSign([&](auto kind) {
            using K = decltype(kind);
            auto const c = crossOf(differenceOf<K>(b, a), differenceOf<K>(p, a));
            return component == 0 ? c.x : component == 1 ? c.y : c.z;
        });
        if (sign != 0) {
            return false;
        }
    }
    return true;
}

struct Facet {
    std::size_t v[3];
    bool alive;
};

std::uint64_t edgeKey(std::size_t a, std::size_t b) {
    return (static_cast<std::uint64_t>(a) << 32) | static_cast<std::uint64_t>(b);
}

// The first index where the measure of the points is largest, and that measure.
template <class Measure>
std::size_t farthest(std::size_t count, Measure measure, double& largest) {
    std::size_t best = 0;
    largest = -1.0;
    for (std::size_t i = 0; i < count; ++i) {
        double const m = measure(i);
        if (m > largest) {
            largest = m;
            best = i;
        }
    }
    return best;
}

struct Candidate {
    double width;
    bool facet;  // a facet and a vertex, or two edges
    std::size_t a, b, c, d;
};

}  // namespace

HullZone narrowestZoneOfHull(Vector3 const* points, std::size_t count) {
    HullZone result;
    Vector3 const* p = points;

    // Four points spanning a solid, or the exact reason there are none.
    std::size_t const first = 0;
    double largest = 0.0;
    std::size_t const second = farthest(
        count,
        [&](std::size_t i) {
            Vector3 const d = p[i] - p[first];
            return gte::Dot(d, d);
        },
        largest);
    if (largest == 0.0) {
        result.outcome = HullZone::Outcome::kDegenerate;
        result.configuration = FlatnessConfiguration::kCoincident;
        result.support[0] = first;
        result.supportCount = 1;
        return result;
    }
    Vector3 const axis = p[second] - p[first];
    std::size_t third = farthest(
        count,
        [&](std::size_t i) {
            Vector3 const c = gte::Cross(axis, p[i] - p[first]);
            return gte::Dot(c, c);
        },
        largest);
    if (collinear(p[first], p[second], p[third])) {
        third = count;
        for (std::size_t i = 0; i < count && third == count; ++i) {
            if (!collinear(p[first], p[second], p[i])) {
                third = i;
            }
        }
    }
    if (third == count) {
        // The two ends along the line.
        std::size_t lowEnd = 0;
        std::size_t highEnd = 0;
        for (std::size_t i = 1; i < count; ++i) {
            double const t = gte::Dot(p[i] - p[first], axis);
            if (t < gte::Dot(p[lowEnd] - p[first], axis)) {
                lowEnd = i;
            }
            if (t > gte::Dot(p[highEnd] - p[first], axis)) {
                highEnd = i;
            }
        }
        result.outcome = HullZone::Outcome::kDegenerate;
        result.configuration = FlatnessConfiguration::kCollinear;
        result.support = {lowEnd, highEnd, 0, 0};
        result.contact = {Contact::kLow, Contact::kLow, Contact::kLow, Contact::kLow};
        result.supportCount = 2;
        return result;
    }
    Vector3 const planeNormal = gte::Cross(axis, p[third] - p[first]);
    std::size_t fourth = farthest(
        count, [&](std::size_t i) { return std::fabs(gte::Dot(planeNormal, p[i] - p[first])); },
        largest);
    if (orientation(p[first], p[second], p[third], p[fourth]) == 0) {
        fourth = count;
        for (std::size_t i = 0; i < count && fourth == count; ++i) {
            if (orientation(p[first], p[second], p[third], p[i]) != 0) {
                fourth = i;
            }
        }
    }
    if (fourth == count) {
        result.outcome = HullZone::Outcome::kDegenerate;
        result.configuration = FlatnessConfiguration::kCoplanar;
        result.pair = PlanePair{first, second, first, third, first, first};
        result.support = {first, second, third, third};
        result.contact = {Contact::kLow, Contact::kLow, Contact::kLow, Contact::kLow};
        result.supportCount = 3;
        return result;
    }

    // The hull, one point at a time: the facets a point sees go, the horizon's edges join it.
    std::vector<Facet> facets;
    std::size_t const corner[4] = {first, second, third, fourth};
    for (int skip = 0; skip < 4; ++skip) {
        std::size_t v[3];
        int k = 0;
        for (int j = 0; j < 4; ++j) {
            if (j != skip) {
                v[k++] = corner[j];
            }
        }
        if (orientation(p[v[0]], p[v[1]], p[v[2]], p[corner[skip]]) > 0) {
            std::swap(v[1], v[2]);
        }
        facets.push_back(Facet{{v[0], v[1], v[2]}, true});
    }
    std::uint64_t tests = 0;
    std::size_t deadFacets = 0;
    std::vector<std::size_t> visible;
    std::unordered_set<std::uint64_t> visibleEdges;
    for (std::size_t i = 0; i < count; ++i) {
        if (i == first || i == second || i == third || i == fourth) {
            continue;
        }
        visible.clear();
        for (std::size_t f = 0; f < facets.size(); ++f) {
            Facet const& facet = facets[f];
            if (facet.alive && orientation(p[facet.v[0]], p[facet.v[1]], p[facet.v[2]], p[i]) > 0) {
                visible.push_back(f);
            }
        }
        tests += facets.size();
        if (tests > kMaxHullTests) {
            return result;
        }
        if (visible.empty()) {
            continue;
        }
        visibleEdges.clear();
        for (std::size_t f : visible) {
            for (int e = 0; e < 3; ++e) {
                visibleEdges.insert(edgeKey(facets[f].v[e], facets[f].v[(e + 1) % 3]));
            }
        }
        deadFacets += visible.size();
        for (std::size_t f : visible) {
            facets[f].alive = false;
            for (int e = 0; e < 3; ++e) {
                std::size_t const a = facets[f].v[e];
                std::size_t const b = facets[f].v[(e + 1) % 3];
                if (visibleEdges.count(edgeKey(b, a)) == 0) {
                    facets.push_back(Facet{{a, b, i}, true});
                }
            }
        }
        // Dead facets are dropped once they are half the list, which keeps the scans short.
        if (2 * deadFacets > facets.size()) {
            facets.erase(std::remove_if(facets.begin(), facets.end(),
                                        [](Facet const& f) { return !f.alive; }),
                         facets.end());
            deadFacets = 0;
        }
    }
    facets.erase(
        std::remove_if(facets.begin(), facets.end(), [](Facet const& f) { return !f.alive; }),
        facets.end());

    std::vector<std::size_t> vertices;
    // The vertex opposite each directed edge in its facet.
    std::unordered_map<std::uint64_t, std::size_t> opposite;
    for (Facet const& f : facets) {
        for (int e = 0; e < 3; ++e) {
            vertices.push_back(f.v[e]);
            opposite[edgeKey(f.v[e], f.v[(e + 1) % 3])] = f.v[(e + 2) % 3];
        }
    }
    std::sort(vertices.begin(), vertices.end());
    vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());

    std::vector<Candidate> candidates;
    for (Facet const& f : facets) {
        Vector3 const& a = p[f.v[0]];
        Vector3 const n = crossOfSides(a, p[f.v[1]], a, p[f.v[2]]);
        double const length = gte::Length(n);
        if (length == 0.0) {
            continue;
        }
        std::size_t deepest = vertices[0];
        double depth = 0.0;
        for (std::size_t v : vertices) {
            double const d = gte::Dot(n, p[v] - a);
            if (d < depth) {
                depth = d;
                deepest = v;
            }
        }
        candidates.push_back(Candidate{-depth / length, true, f.v[0], f.v[1], f.v[2], deepest});
    }
    struct Edge {
        std::size_t a, b, left, right;
        Vector3 outward;  // the sum of the outward normals of the facets beside it
    };
    std::vector<Edge> edges;
    for (auto const& [key, across] : opposite) {
        std::size_t const a = static_cast<std::size_t>(key >> 32);
        std::size_t const b = static_cast<std::size_t>(key & 0xffffffffu);
        if (a < b) {
            auto const other = opposite.find(edgeKey(b, a));
            if (other != opposite.end()) {
                Vector3 const outward = crossOfSides(p[a], p[b], p[a], p[across]) +
                                        crossOfSides(p[b], p[a], p[b], p[other->second]);
                edges.push_back(Edge{a, b, across, other->second, outward});
            }
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](Edge const& x, Edge const& y) { return x.a != y.a ? x.a < y.a : x.b < y.b; });
    if (static_cast<std::uint64_t>(edges.size()) * edges.size() > 2 * kMaxEdgePairs) {
        return result;
    }
    // Whether the edge is the highest part of the hull along n: both facets beside it fall away,
    // and n points out of the hull (between the facets' outward normals), which an edge between
    // two facets of one plane needs said: there both senses of the plane's normal pass the first.
    auto const highestAlong = [&](Edge const& e, Vector3 const& n) {
        for (std::size_t o : {e.left, e.right}) {
            Vector3 const d = p[o] - p[e.a];
            if (gte::Dot(n, d) > kAntipodalSlack * gte::Length(n) * gte::Length(d)) {
                return false;
            }
        }
        return gte::Dot(n, e.outward) > 0.0;
    };
    for (std::size_t i = 0; i < edges.size(); ++i) {
        for (std::size_t j = i + 1; j < edges.size(); ++j) {
            Edge const& e = edges[i];
            Edge const& f = edges[j];
            if (e.a == f.a || e.a == f.b || e.b == f.a || e.b == f.b) {
                continue;
            }
            Vector3 n = crossOfSides(p[e.a], p[e.b], p[f.a], p[f.b]);
            if (gte::Dot(n, n) == 0.0) {
                continue;
            }
            if (!highestAlong(e, n)) {
                n = -n;
                if (!highestAlong(e, n)) {
                    continue;
                }
            }
            if (!highestAlong(f, -n)) {
                continue;
            }
            double const width = gte::Dot(n, p[e.a] - p[f.a]) / gte::Length(n);
            if (!(width >= 0.0)) {
                continue;
            }
            candidates.push_back(Candidate{width, false, e.a, e.b, f.a, f.b});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](Candidate const& x, Candidate const& y) { return x.width < y.width; });

    PointSubset const hullVertices{p, count, vertices.data(), vertices.size()};
    for (std::size_t k = 0; k < candidates.size() && k < kMaxTries; ++k) {
        Candidate const& c = candidates[k];
        PlanePair pair;
        if (c.facet) {
            pair = PlanePair{c.a, c.b, c.a, c.c, c.a, c.d};
        } else {
            pair = PlanePair{c.a, c.b, c.c, c.d, c.a, c.c};
        }
        PlaneZone zone(p, pair);
        if (!zone.spansPlane()) {
            continue;
        }
        ZoneCheck check = zone.check(hullVertices);
        // A facet holds every vertex on its side, but which one lies deepest the rounded depths
        // cannot tell where vertices lie closer than the depths' rounding (a cluster seen from a
        // far facet): a vertex found below the parallel plane is deeper, and takes its place.
        for (std::size_t step = 0; c.facet && !check.holdsAll && check.aboveHigh.empty() &&
                                   !check.belowLow.empty() && step < vertices.size();
             ++step) {
            pair.low = check.belowLow.front();
            zone = PlaneZone(p, pair);
            check = zone.check(hullVertices);
        }
        if (!check.holdsAll) {
            continue;
        }
        result.outcome = HullZone::Outcome::kFound;
        result.pair = pair;
        result.supportCount = 4;
        if (c.facet) {
            result.configuration = FlatnessConfiguration::kThreePlusOne;
            result.support = {c.a, c.b, c.c, pair.low};
            result.contact = {Contact::kHigh, Contact::kHigh, Contact::kHigh, Contact::kLow};
        } else {
            result.configuration = FlatnessConfiguration::kTwoPlusTwo;
            result.support = {c.a, c.b, c.c, c.d};
            result.contact = {Contact::kHigh, Contact::kHigh, Contact::kLow, Contact::kLow};
        }
        return result;
    }
    return result;
}

}  // namespace tavrisk::form
