// SPDX-License-Identifier: MIT
// The passes over every point that a scan's form runs at the speed of memory, against the
// literal algorithms they stand for: the input check without branches against the check point by
// point, and the zone check that passes over points clearly inside against the exact tests on
// every point. Both must agree in every field, on random sets and on sets built to sit on the
// edge of each test.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "form/form_input.h"
#include "form/plane_pair_zone.h"
#include "support/form_cases.h"

using tavrisk::form::BoundingBox;
using tavrisk::form::checkFormInput;
using tavrisk::form::FormInput;
using tavrisk::form::FormStatus;
using tavrisk::form::PlanePair;
using tavrisk::form::PlaneZone;
using tavrisk::form::PointSubset;
using tavrisk::form::ZoneCheck;
using tavrisk_test::form_cases::Draws;
using tavrisk_test::form_cases::Points;

namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The input check as first written: point by point, a non-finite coordinate refused at once, an
// out-of-range one remembered, the box by comparisons and the sum as Centroid takes it.
struct LiteralInput {
    FormStatus status = FormStatus::kMeasured;
    BoundingBox box;
    gte::Vector3 sum = gte::Vector3::zeroVector();
};

LiteralInput literalInputCheck(Points const& p, std::size_t minimumCount, int dimensions) {
    LiteralInput r;
    if (p.size() < minimumCount) {
        r.status = FormStatus::kTooFewPoints;
        return r;
    }
    bool outOfRange = false;
    r.box.low = p[0];
    r.box.high = p[0];
    for (gte::Vector3 const& q : p) {
        for (int k = 0; k < dimensions; ++k) {
            double const x = q[k];
            if (!std::isfinite(x)) {
                r.status = FormStatus::kNonFinite;
                return r;
            }
            double const m = std::fabs(x);
            outOfRange = outOfRange || m > 0x1p128 || (m != 0.0 && m < 0x1p-96);
            r.box.low[k] = x < r.box.low[k] ? x : r.box.low[k];
            r.box.high[k] = x > r.box.high[k] ? x : r.box.high[k];
            r.sum[k] += x;
        }
    }
    for (int k = dimensions; k < 3; ++k) {
        r.box.low[k] = 0.0;
        r.box.high[k] = 0.0;
    }
    r.status = outOfRange ? FormStatus::kOutOfRange : FormStatus::kMeasured;
    return r;
}

// A coordinate, now and then one on or past an edge of what the check admits.
double drawnCoordinate(Draws& d) {
    static double const edges[] = {0.0,
                                   -0.0,
                                   0x1p-96,
                                   -0x1p-96,
                                   0x1p-97,
                                   -0x1p-100,
                                   DBL_TRUE_MIN,
                                   0x1p128,
                                   -0x1p128,
                                   std::nextafter(0x1p128, 1e300),
                                   1e300,
                                   DBL_MAX,
                                   -DBL_MAX,
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::quiet_NaN()};
    if (d.integer(0, 30) == 0) {
        return edges[d.integer(0, static_cast<int>(std::size(edges)) - 1)];
    }
    return d.uniform(-1e3, 1e3) * std::ldexp(1.0, d.integer(-40, 40));
}

TEST(FormFastPaths, InputCheckAgreesWithTheCheckPointByPoint) {
    Draws d(4101);
    int refused = 0;
    for (int set = 0; set < 20000; ++set) {
        int const dimensions = d.integer(2, 3);
        std::size_t const minimumCount = static_cast<std::size_t>(d.integer(1, 3));
        Points p(static_cast<std::size_t>(d.integer(1, 40)));
        bool const plain = d.integer(0, 1) == 0;  // half the sets without an edge value
        for (gte::Vector3& q : p) {
            for (int k = 0; k < 3; ++k) {
                q[k] = plain ? d.uniform(-1e3, 1e3) : drawnCoordinate(d);
            }
        }
        LiteralInput const expected = literalInputCheck(p, minimumCount, dimensions);
        FormInput found;
        found.sum = gte::Vector3(7.0, 7.0, 7.0);  // must stay untouched on a refusal
        FormStatus const status =
            checkFormInput(p.data(), p.size(), minimumCount, dimensions, found);
        ASSERT_EQ(status, expected.status) << "set " << set;
        if (status != FormStatus::kMeasured) {
            ++refused;
            EXPECT_TRUE(sameBits(found.sum[0], 7.0));
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            ASSERT_TRUE(sameBits(found.box.low[k], expected.box.low[k])) << "set " << set;
            ASSERT_TRUE(sameBits(found.box.high[k], expected.box.high[k])) << "set " << set;
            ASSERT_TRUE(sameBits(found.sum[k], expected.sum[k])) << "set " << set;
        }
    }
    EXPECT_GT(refused, 2000);  // the edge values were met

    // Finite coordinates whose sum overflows are out of range, not infinite; a NaN anywhere
    // outranks an out-of-range coordinate before it; a null array has too few points.
    Points huge(3, gte::Vector3(DBL_MAX, 1.0, 1.0));
    FormInput input;
    EXPECT_EQ(checkFormInput(huge.data(), 3, 3, 3, input), FormStatus::kOutOfRange);
    huge[2][2] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(checkFormInput(huge.data(), 3, 3, 3, input), FormStatus::kNonFinite);
    EXPECT_EQ(checkFormInput(huge.data(), 3, 3, 2, input), FormStatus::kOutOfRange);
    EXPECT_EQ(checkFormInput(nullptr, 0, 0, 3, input), FormStatus::kTooFewPoints);
}

bool sameCheck(ZoneCheck const& a, ZoneCheck const& b) {
    return a.holdsAll == b.holdsAll && a.aboveHigh == b.aboveHigh && a.belowLow == b.belowLow &&
           a.onHigh == b.onHigh && a.onLow == b.onLow && a.contactsCut == b.contactsCut;
}

BoundingBox boxOf(Points const& p) {
    BoundingBox box{p[0], p[0]};
    for (gte::Vector3 const& q : p) {
        for (int k = 0; k < 3; ++k) {
            box.low[k] = std::min(box.low[k], q[k]);
            box.high[k] = std::max(box.high[k], q[k]);
        }
    }
    return box;
}

// Points about two planes fixed by four anchors: on either plane as far as rounding lets a
// combination of the anchors lie, nudged by an ulp or two off it, strictly between, and a few
// outside; at a scale and offset of the draw's choosing.
Points pointsAboutPlanes(Draws& d, int n) {
    double const scale = std::ldexp(1.0, d.integer(-20, 20));
    double const offset = d.integer(0, 2) == 0 ? 0.0 : d.uniform(-1e6, 1e6) * scale;
    Points p;
    for (int k = 0; k < 3; ++k) {
        p.emplace_back(offset + d.uniform(-1, 1) * scale, offset + d.uniform(-1, 1) * scale,
                       offset + d.uniform(-0.01, 0.01) * scale);
    }
    double const height = d.integer(0, 5) == 0 ? 0.0 : d.uniform(1e-6, 0.1) * scale;
    p.push_back(p[0] + gte::Vector3(0.0, 0.0, height));
    gte::Vector3 const e1 = p[1] - p[0];
    gte::Vector3 const e2 = p[2] - p[0];
    while (static_cast<int>(p.size()) < n) {
        double const u = d.uniform(-1, 1);
        double const v = d.uniform(-1, 1);
        gte::Vector3 q = p[0] + e1 * u + e2 * v;
        int const kind = d.integer(0, 9);
        if (kind >= 5) {
            q = q + gte::Vector3(0.0, 0.0, height * d.uniform(0.0, 1.0));
        } else if (kind >= 3) {
            q = q + gte::Vector3(0.0, 0.0, height);
        }
        if (kind == 1 || kind == 3) {
            int const axis = d.integer(0, 2);
            int const ulps = d.integer(-2, 2);
            for (int step = 0; step < std::abs(ulps); ++step) {
                q[axis] = std::nextafter(q[axis], ulps > 0 ? 1e300 : -1e300);
            }
        }
        if (kind == 2 && d.integer(0, 20) == 0) {
            q = q + gte::Vector3(0.0, 0.0, d.uniform(-2.0, 2.0) * height);  // now and then out
        }
        p.push_back(q);
    }
    return p;
}

TEST(FormFastPaths, ZoneCheckPassingClearPointsAgreesWithTheExactTests) {
    Draws d(4102);
    int violated = 0;
    int touched = 0;
    for (int set = 0; set < tavrisk_test::form_cases::setCount(3000); ++set) {
        int const n = d.integer(4, 300);
        Points p = set % 3 == 0 ? tavrisk_test::form_cases::grid(d, n, d.integer(1, 4))
                                : pointsAboutPlanes(d, n);
        auto const index = [&] { return static_cast<std::size_t>(d.integer(0, n - 1)); };
        PlanePair pair;
        if (set % 3 == 0) {
            pair = PlanePair{index(), index(), index(), index(), index(), index()};
        } else if (d.integer(0, 1) == 0) {
            pair = PlanePair{0, 1, 0, 2, 3, 0};  // three on the low plane and one
        } else {
            pair = PlanePair{0, 1, 3, 4, 3, 0};  // two and two
        }
        PlaneZone const zone(p.data(), pair);
        if (!zone.spansPlane()) {
            continue;
        }
        BoundingBox const box = boxOf(p);
        ZoneCheck const literal = zone.check(PointSubset{p.data(), p.size(), nullptr, 0});
        ZoneCheck const fast = zone.check(PointSubset{p.data(), p.size(), nullptr, 0, &box});
        ASSERT_TRUE(sameCheck(fast, literal)) << "set " << set;
        violated += literal.holdsAll ? 0 : 1;
        touched += literal.onHigh.size() + literal.onLow.size() > 3 ? 1 : 0;
    }
    // Both outcomes, and contacts beyond the anchors, were met often.
    EXPECT_GT(violated, 300);
    EXPECT_GT(touched, 300);
}

}  // namespace
