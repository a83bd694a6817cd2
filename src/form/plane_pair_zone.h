// SPDX-License-Identifier: MIT
// A zone between two parallel planes fixed by input points, and its exact tests: whether every
// point lies in it, which points touch it, and whether the touching points lock it (no tilt
// narrows it, to first order).
//
// The planes run along e1 = p[e1To] - p[e1From] and e2 = p[e2To] - p[e2From]; the high plane
// passes through p[high], the low one through p[low]. Three points and one give e1, e2 from the
// three; two and two give e1 from one pair and e2 from the other. Every test is a sign of a
// polynomial in coordinate differences, decided exactly (exact_sign.h).
#pragma once

#include <cstddef>
#include <vector>

#include "form/form_types.h"
#include "gte/vector.h"

namespace tavrisk::form {

struct PlanePair {
    std::size_t e1From = 0, e1To = 0, e2From = 0, e2To = 0;
    std::size_t high = 0, low = 0;
};

// Which points of a set the planes were checked against: all of them, or a list of indices.
struct PointSubset {
    gte::Vector3 const* points = nullptr;
    std::size_t count = 0;                // of the whole set
    std::size_t const* listed = nullptr;  // nullptr: every point
    std::size_t listedCount = 0;
    // A box holding every point, when known: a check of every point (no list) then passes over
    // the points clearly inside by one rounding bound for all.
    BoundingBox const* box = nullptr;
};

struct ZoneCheck {
    bool holdsAll = true;
    // The points farthest outside (a few each, worst first): above the high plane, below the
    // low one.
    std::vector<std::size_t> aboveHigh, belowLow;
    // Points exactly on the planes (up to kMaxContacts each).
    std::vector<std::size_t> onHigh, onLow;
    bool contactsCut = false;  // more points touched than were kept
};

class PlaneZone {
public:
    PlaneZone(gte::Vector3 const* points, PlanePair const& pair);

    // The sign of det[e1, e2, p - p[anchor]].
    int sideOf(gte::Vector3 const& p, std::size_t anchor) const;
    // +1 when the high anchor lies on the positive side of the low plane, -1 on the negative
    // side, 0 when the planes coincide (a zone of width zero).
    int orientation() const { return orientation_; }
    // Whether e1 and e2 span a plane at all.
    bool spansPlane() const { return spans_; }

    // Checks the points of the subset against the zone.
    ZoneCheck check(PointSubset const& subset) const;

    // Whether no tilt of the zone keeps the contacts on its planes and narrows it: the
    // projections (along the normal) of the high contacts and of the low contacts have convex
    // hulls meeting at an interior point of their difference.
    bool locked(std::vector<std::size_t> const& onHigh,
                std::vector<std::size_t> const& onLow) const;

    // The exact width, rounded: |det[e1, e2, high - low]| / |e1 x e2|.
    double width() const;
    // The unit normal from the low plane to the high plane (any unit normal of the planes for a
    // zone of width zero).
    gte::Vector3 normal() const;

    PlanePair const& pair() const { return pair_; }

    static constexpr std::size_t kMaxContacts = 8;
    static constexpr std::size_t kMaxViolators = 4;

private:
    // e1 x e2, each component the exact value rounded.
    gte::Vector3 spanNormal() const;

    gte::Vector3 const* points_;
    PlanePair pair_;
    int orientation_ = 0;
    bool spans_ = false;
};

}  // namespace tavrisk::form
