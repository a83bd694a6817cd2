// SPDX-License-Identifier: MIT
#include "form/plane_pair_zone.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "form/exact_sign.h"
#include "form/form_formulas.h"

namespace tavrisk::form {

namespace {

// The few worst points outside one plane, by how far outside (in the unnormalised distance).
class WorstPoints {
public:
    void offer(double excess, std::size_t index) {
        if (found_.size() == PlaneZone::kMaxViolators && excess <= found_.back().first) {
            return;
        }
        auto const at = std::find_if(found_.begin(), found_.end(),
                                     [excess](auto const& f) { return excess > f.first; });
        found_.insert(at, {excess, index});
        if (found_.size() > PlaneZone::kMaxViolators) {
            found_.pop_back();
        }
    }
    std::vector<std::size_t> indices() const {
        std::vector<std::size_t> result;
        for (auto const& f : found_) {
            result.push_back(f.second);
        }
        return result;
    }

private:
    std::vector<std::pair<double, std::size_t>> found_;
};

// The test that lets a check pass over most points of a scan at the speed of memory: a point
// within both planes by more than any point of a box can be off by rounding. The exact tests
// below would do nothing with such a point. Rounding is monotone, so the bound of a point of the
// box farthest from the high anchor along every axis, computed as each point's own is, bounds
// every point's. Without a box no point is clear.
struct ClearInterior {
    gte::Vector3 normal;  // the rounded e1 x e2
    gte::Vector3 high;
    double gap;    // the rounded normal . (high - low)
    double sense;  // the sign that puts the high plane above the low one
    double highBound = std::numeric_limits<double>::infinity();
    double lowBound = std::numeric_limits<double>::infinity();

    void allowFor(BoundingBox const& box, gte::Vector3 const& magnitudes, double roundings,
                  double gapBound) {
        auto const reach = [&](int axis) {
            return std::max(std::fabs(box.low[axis] - high[axis]),
                            std::fabs(box.high[axis] - high[axis]));
        };
        double const magnitude =
            (magnitudes[0] * reach(0) + magnitudes[1] * reach(1)) + magnitudes[2] * reach(2);
        highBound = magnitude * roundings;
        lowBound = highBound + gapBound;
    }

    // The first of points[from], ..., points[to - 1] not clearly inside, or to. The values sit
    // in locals so that the loop keeps them in registers.
    std::size_t firstNotClear(gte::Vector3 const* points, std::size_t from, std::size_t to) const {
        double const n0 = normal[0], n1 = normal[1], n2 = normal[2];
        double const h0 = high[0], h1 = high[1], h2 = high[2];
        double const g = gap, sign = sense, upper = highBound, lower = lowBound;
        for (std::size_t i = from; i < to; ++i) {
            gte::Vector3 const& q = points[i];
            double const s = (n0 * (q[0] - h0) + n1 * (q[1] - h1)) + n2 * (q[2] - h2);
            double const sLow = s + g;
            bool const clear = sign * s < -upper &&
                               sign * sLow > lower + 2.0 * Approx::kUnitRoundoff * std::fabs(sLow);
            if (!clear) {
                return i;
            }
        }
        return to;
    }
};

}  // namespace

PlaneZone::PlaneZone(gte::Vector3 const* points, PlanePair const& pair)
    : points_(points), pair_(pair) {
    gte::Vector3 const* p = points_;
    for (int component = 0; component < 3 && !spans_; ++component) {
        spans_ = exactSign([&](auto kind) {
                     using K = decltype(kind);
                     auto const n = crossOf(differenceOf<K>(p[pair.e1To], p[pair.e1From]),
                                            differenceOf<K>(p[pair.e2To], p[pair.e2From]));
                     return component == 0 ? n.x : component == 1 ? n.y : n.z;
                 }) != 0;
    }
    orientation_ = spans_ ? sideOf(p[pair.high], pair.low) : 0;
}

int PlaneZone::sideOf(gte::Vector3 const& q, std::size_t anchor) const {
    gte::Vector3 const* p = points_;
    PlanePair const& pair = pair_;
    return exactSign([&](auto kind) {
        using K = decltype(kind);
        auto const n = crossOf(differenceOf<K>(p[pair.e1To], p[pair.e1From]),
                               differenceOf<K>(p[pair.e2To], p[pair.e2From]));
        return dotOf(n, differenceOf<K>(q, p[anchor]));
    });
}

ZoneCheck PlaneZone::check(PointSubset const& subset) const {
    gte::Vector3 const* p = points_;
    gte::Vector3 const& high = p[pair_.high];
    gte::Vector3 const& low = p[pair_.low];
    auto const n = crossOf(differenceOf<FilteredKind>(p[pair_.e1To], p[pair_.e1From]),
                           differenceOf<FilteredKind>(p[pair_.e2To], p[pair_.e2From]));
    Approx const gap = dotOf(n, differenceOf<FilteredKind>(high, low));
    double const gapBound = gap.errorBound();
    // s = n . (q - high) for each point: its chain of roundings is the normal's, the
    // difference's, the products' and the two sums'.
    int const depth = std::max({n.x.depth, n.y.depth, n.z.depth}) + 4;
    double const roundings = (depth + 2) * Approx::kUnitRoundoff;
    // The sense that puts the high plane above the low one; coinciding planes are checked in
    // either sense, which then demands every point on them.
    double const sense = orientation_ < 0 ? -1.0 : 1.0;
    int const senseSign = orientation_ < 0 ? -1 : 1;

    ZoneCheck result;
    WorstPoints above;
    WorstPoints below;
    auto const keepContact = [&](std::vector<std::size_t>& contacts, std::size_t index) {
        if (contacts.size() < kMaxContacts) {
            contacts.push_back(index);
        } else {
            result.contactsCut = true;
        }
    };
    ClearInterior clear{{n.x.value, n.y.value, n.z.value}, high, gap.value, sense};
    if (subset.box != nullptr) {
        clear.allowFor(*subset.box, {n.x.magnitude, n.y.magnitude, n.z.magnitude}, roundings,
                       gapBound);
    }

    std::size_t const total = subset.listed != nullptr ? subset.listedCount : subset.count;
    for (std::size_t k = 0; k < total; ++k) {
        if (subset.listed == nullptr) {
            k = clear.firstNotClear(subset.points, k, total);
            if (k == total) {
                break;
            }
        }
        std::size_t const i = subset.listed != nullptr ? subset.listed[k] : k;
        gte::Vector3 const& q = subset.points[i];
        double const d0 = q[0] - high[0];
        double const d1 = q[1] - high[1];
        double const d2 = q[2] - high[2];
        double const s = (n.x.value * d0 + n.y.value * d1) + n.z.value * d2;
        double const magnitude = (n.x.magnitude * std::fabs(d0) + n.y.magnitude * std::fabs(d1)) +
                                 n.z.magnitude * std::fabs(d2);
        double const highBound = magnitude * roundings;
        double const toHigh = sense * s;
        if (toHigh > highBound) {
            above.offer(toHigh, i);
            result.holdsAll = false;
            continue;
        }
        if (toHigh >= -highBound) {
            int const side = senseSign * sideOf(q, pair_.high);
            if (side > 0) {
                above.offer(0.0, i);
                result.holdsAll = false;
                continue;
            }
            if (side == 0) {
                keepContact(result.onHigh, i);
            }
        }
        double const sLow = s + gap.value;
        double const lowBound =
            highBound + gapBound + 2.0 * Approx::kUnitRoundoff * std::fabs(sLow);
        double const toLow = sense * sLow;
        if (toLow < -lowBound) {
            below.offer(-toLow, i);
            result.holdsAll = false;
            continue;
        }
        if (toLow <= lowBound) {
            int const side = senseSign * sideOf(q, pair_.low);
            if (side < 0) {
                below.offer(0.0, i);
                result.holdsAll = false;
            } else if (side == 0) {
                keepContact(result.onLow, i);
            }
        }
    }
    result.aboveHigh = above.indices();
    result.belowLow = below.indices();
    return result;
}

bool PlaneZone::locked(std::vector<std::size_t> const& onHigh,
                       std::vector<std::size_t> const& onLow) const {
    gte::Vector3 const* p = points_;
    PlanePair const& pair = pair_;
    // The differences low - high of every pair of contacts, seen along the normal. Zero lies
    // inside their convex hull unless a line through zero has them all on one closed side; such
    // a line can be turned until it runs along one of the nonzero differences.
    std::vector<std::pair<std::size_t, std::size_t>> differences;
    for (std::size_t h : onHigh) {
        for (std::size_t l : onLow) {
            differences.emplace_back(l, h);
        }
    }
    // The turn from one difference to another seen along the normal: the sign of
    // ((a - b) x (c - d)) . n.
    auto const turn = [&](std::pair<std::size_t, std::size_t> const& first,
                          std::pair<std::size_t, std::size_t> const& second) {
        return exactSign([&](auto kind) {
            using K = decltype(kind);
            auto const n = crossOf(differenceOf<K>(p[pair.e1To], p[pair.e1From]),
                                   differenceOf<K>(p[pair.e2To], p[pair.e2From]));
            auto const a = differenceOf<K>(p[first.first], p[first.second]);
            auto const b = differenceOf<K>(p[second.first], p[second.second]);
            return dotOf(crossOf(a, b), n);
        });
    };
    // A difference that is zero seen along the normal: parallel to the normal.
    auto const alongNormal = [&](std::pair<std::size_t, std::size_t> const& d) {
        for (int component = 0; component < 3; ++component) {
            int const sign = exactSign([&](auto kind) {
                using K = decltype(kind);
                auto const n = crossOf(differenceOf<K>(p[pair.e1To], p[pair.e1From]),
                                       differenceOf<K>(p[pair.e2To], p[pair.e2From]));
                auto const c = crossOf(differenceOf<K>(p[d.first], p[d.second]), n);
                return component == 0 ? c.x : component == 1 ? c.y : c.z;
            });
            if (sign != 0) {
                return false;
            }
        }
        return true;
    };
    bool anyNonzero = false;
    for (auto const& d : differences) {
        if (alongNormal(d)) {
            continue;
        }
        anyNonzero = true;
        bool allLeft = true;
        bool allRight = true;
        for (auto const& other : differences) {
            int const t = turn(d, other);
            allLeft = allLeft && t >= 0;
            allRight = allRight && t <= 0;
            if (!allLeft && !allRight) {
                break;
            }
        }
        if (allLeft || allRight) {
            return false;
        }
    }
    return anyNonzero;
}

double PlaneZone::width() const {
    if (!spans_ || orientation_ == 0) {
        return 0.0;
    }
    gte::Vector3 const* p = points_;
    PlanePair const& pair = pair_;
    double const det = std::fabs(accurateValue([&](auto kind) {
        using K = decltype(kind);
        auto const n = crossOf(differenceOf<K>(p[pair.e1To], p[pair.e1From]),
                               differenceOf<K>(p[pair.e2To], p[pair.e2From]));
        return dotOf(n, differenceOf<K>(p[pair.high], p[pair.low]));
    }));
    return det / gte::Length(spanNormal());
}

gte::Vector3 PlaneZone::spanNormal() const {
    gte::Vector3 const* p = points_;
    PlanePair const& pair = pair_;
    gte::Vector3 n;
    for (int component = 0; component < 3; ++component) {
        n[component] = accurateValue([&](auto kind) {
            using K = decltype(kind);
            auto const c = crossOf(differenceOf<K>(p[pair.e1To], p[pair.e1From]),
                                   differenceOf<K>(p[pair.e2To], p[pair.e2From]));
            return component == 0 ? c.x : component == 1 ? c.y : c.z;
        });
    }
    return n;
}

gte::Vector3 PlaneZone::normal() const {
    gte::Vector3 n = spanNormal();
    gte::Normalize(n);
    return orientation_ < 0 ? -n : n;
}

}  // namespace tavrisk::form
