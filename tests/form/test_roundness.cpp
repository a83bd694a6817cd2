// SPDX-License-Identifier: MIT
// Roundness by its four criteria against exhaustive searches: exact rationals for the
// circumscribed and inscribed circles, 256-bit distances for the minimum zone; the least-squares
// circle by its vanishing gradient.
#include <gtest/gtest.h>

#include <cmath>

#include "support/exact_oracles.h"
#include "form/roundness.h"
#include "support/form_cases.h"

using namespace tavrisk_test;
using form_cases::Points;
using tavrisk::form::Contact;
using tavrisk::form::FormStatus;
using tavrisk::form::roundness;
using tavrisk::form::RoundnessCircles;
using tavrisk::form::RoundnessCriterion;

namespace {

RoundnessCircles circlesOf(Points const& p, RoundnessCriterion c) {
    return roundness(p.data(), p.size(), c);
}

// Profiles as measured: points round a circle with a form error far below the radius, some far
// from the origin.
Points profile(form_cases::Draws& d, int n) {
    double const far = d.integer(0, 1) == 0 ? 0.0 : 4096.0;
    return form_cases::ring(d, n, far + d.uniform(-5, 5), -far + d.uniform(-5, 5),
                            d.uniform(5.0, 50.0), d.uniform(1e-4, 1e-1));
}

}  // namespace

TEST(Roundness, MinimumZoneAgreesWithTheExhaustiveSearch) {
    form_cases::Draws d(4242u);
    int failures = 0;
    for (int set = 0; set < form_cases::setCount(10000); ++set) {
        Points const p = profile(d, d.integer(5, 10));
        RoundnessCircles const r = circlesOf(p, RoundnessCriterion::kMinimumZone);
        double const tol = form_oracle::accuracyTolerance(r.width, p, 2);
        double const error = form_oracle::roundnessZoneError(p, r.width);
        bool ok = r.status == FormStatus::kMeasured && r.certified && std::fabs(error) <= tol;
        // The annulus about the returned centre holds every point, to the radii's rounding.
        for (auto const& v : p) {
            double const dist = std::hypot(v[0] - r.center[0], v[1] - r.center[1]);
            ok = ok && dist <= r.outerRadius + 1e-12 * r.outerRadius &&
                 dist >= r.innerRadius - 1e-12 * r.outerRadius;
        }
        if (!ok && ++failures <= 5) {
            ADD_FAILURE() << "set " << set << ": width " << r.width << " error " << error
                          << " certified " << r.certified << " status "
                          << static_cast<int>(r.status);
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(Roundness, CircumscribedAndInscribedAgreeWithExactSearches) {
    form_cases::Draws d(777u);
    int failures = 0;
    for (int set = 0; set < form_cases::setCount(10000); ++set) {
        int const n = d.integer(3, 12);
        bool const ring = set % 2 == 0;
        Points const p = ring ? profile(d, std::max(n, 5)) : form_cases::grid(d, n, 4);
        RoundnessCircles const outer = circlesOf(p, RoundnessCriterion::kMinimumCircumscribed);
        if (outer.status == FormStatus::kNoCentre) {
            continue;  // a collinear grid draw
        }
        double const tol = form_oracle::accuracyTolerance(outer.radius, p, 2);
        mpq_class const outerSquare = form_oracle::circumscribedRadiusSquared(p);
        bool ok = outer.certified && form_oracle::withinOfRoot(outer.radius, outerSquare, tol) &&
                  outer.outerRadius == outer.radius;
        RoundnessCircles inner;
        mpq_class innerSquare = 0;
        if (ring) {
            // The inscribed circle is grown from the least-squares centre to a local maximum:
            // on a profile whose form is small beside its radius (here below 1e-4 of it) that is
            // the largest empty circle.
            Points const tight = form_cases::ring(d, std::max(n, 5), d.uniform(-5, 5),
                                                  d.uniform(-5, 5), 20.0, d.uniform(1e-5, 2e-3));
            inner = circlesOf(tight, RoundnessCriterion::kMaximumInscribed);
            innerSquare = form_oracle::inscribedRadiusSquared(tight);
            ok = ok && inner.certified && form_oracle::withinOfRoot(inner.radius, innerSquare, tol);
        }
        if (!ok && ++failures <= 5) {
            ADD_FAILURE() << "set " << set << " of " << p.size() << ": outer " << outer.radius
                          << " exact " << std::sqrt(outerSquare.get_d()) << " inner "
                          << inner.radius << " certified " << inner.certified << " exact "
                          << std::sqrt(innerSquare.get_d());
        }
    }
    EXPECT_EQ(failures, 0);
}

// Symmetric profiles tie: every triangle of a star's inner points has a right angle, the centre
// on its hypotenuse. The largest empty circle is held by four contacts, a diameter's ends and a
// point either side; the climb must stop there, not drop a corner it will meet again.
TEST(Roundness, InscribedCircleHeldByFourTiedContacts) {
    double const u = 9.0 / std::sqrt(2.0);
    Points const star = {{10, 0, 0},  {u, u, 0},   {0, 10, 0},  {-u, u, 0},
                         {-10, 0, 0}, {-u, -u, 0}, {0, -10, 0}, {u, -u, 0}};
    // Integer points on a circle of radius 5 about (1, 2): a diameter's ends, a corner either
    // side; the rest of the profile seven out.
    Points lopsided = {{6, 2, 0}, {-4, 2, 0}, {4, 6, 0}, {-3, -1, 0}};
    Points open = {{6, 2, 0}, {-4, 2, 0}, {4, 6, 0}};
    for (auto [x, y] :
         {std::pair{8, 2}, {-6, 2}, {1, 9}, {1, -5}, {6, 7}, {-4, -3}, {6, -3}, {-4, 7}}) {
        lopsided.emplace_back(x, y, 0);
        open.emplace_back(x, y, 0);
    }
    struct Case {
        Points const& points;
        double x, y, radius;
    };
    for (Case const& c : {Case{star, 0, 0, 9}, Case{lopsided, 1, 2, 5}}) {
        SCOPED_TRACE(c.radius);
        RoundnessCircles const r = circlesOf(c.points, RoundnessCriterion::kMaximumInscribed);
        ASSERT_EQ(r.status, FormStatus::kMeasured);
        EXPECT_TRUE(r.certified);
        EXPECT_NEAR(r.center[0], c.x, 1e-14);
        EXPECT_NEAR(r.center[1], c.y, 1e-14);
        EXPECT_NEAR(r.innerRadius, c.radius, 1e-14);
        EXPECT_EQ(r.support.count, 4);
    }
    // The star's minimum zone: width 1 between its two rings, proved by two outer and two inner
    // points that alternate, though every point ties with three others.
    RoundnessCircles const zone = circlesOf(star, RoundnessCriterion::kMinimumZone);
    ASSERT_EQ(zone.status, FormStatus::kMeasured);
    EXPECT_TRUE(zone.certified);
    EXPECT_NEAR(zone.width, 1.0, 1e-14);
    EXPECT_EQ(zone.support.count, 4);
    // Without the lower corner the circle grows past the diameter: three do not hold it.
    RoundnessCircles const r = circlesOf(open, RoundnessCriterion::kMaximumInscribed);
    ASSERT_EQ(r.status, FormStatus::kMeasured);
    EXPECT_GT(r.innerRadius, 5.0);
}

// The least-squares centre zeroes the gradient of the sum of squared radial deviations.
TEST(Roundness, LeastSquaresCircleIsStationary) {
    form_cases::Draws d(31u);
    for (int set = 0; set < 200; ++set) {
        Points const p = profile(d, d.integer(5, 500));
        RoundnessCircles const r = circlesOf(p, RoundnessCriterion::kLeastSquares);
        ASSERT_TRUE(r.certified);
        long double gx = 0, gy = 0, mean = 0;
        for (auto const& v : p)
            mean += std::hypot((long double)v[0] - r.center[0], (long double)v[1] - r.center[1]);
        mean /= p.size();
        EXPECT_NEAR(static_cast<double>(mean), r.radius, 1e-12 * r.radius);
        for (auto const& v : p) {
            long double const dx = (long double)v[0] - r.center[0];
            long double const dy = (long double)v[1] - r.center[1];
            long double const dist = std::hypot(dx, dy);
            gx += (dist - mean) * dx / dist;
            gy += (dist - mean) * dy / dist;
        }
        EXPECT_LE(std::hypot(static_cast<double>(gx), static_cast<double>(gy)),
                  1e-9 * r.width * p.size());
    }
}

// A least-squares fit that runs off towards a straight line: from the algebraic start the steps
// descend to the far side of these points, where the sum of squares tends to the best line's
// (428.05) and, 10^15 away, the distances round the profile away (a roundness of zero). Their
// circle of least squares lies on the near side (radius about 408, sum 424.911), which the
// steps do not reach. The fit refuses rather than give the figure of a centre that far; a
// better search may find the circle, never the zero.
TEST(Roundness, LeastSquaresCircleThatRunsOffIsRefused) {
    Points p = {{0, 1, 0},         {1, -11.75, 0}, {-11.75, -11.75, 0}, {-11.75, -11.75, 0},
                {-11.75, 12.5, 0}, {0, -94, 0},    {-11.75, 0.125, 0},  {2, -11.75, 0}};
    for (int k = 0; k < 8; ++k) {
        p.emplace_back(0, 0, 0);
    }
    RoundnessCircles const r = circlesOf(p, RoundnessCriterion::kLeastSquares);
    if (r.status == FormStatus::kMeasured) {
        EXPECT_NEAR(r.center[0], -407.88, 0.01);
        EXPECT_NEAR(r.center[1], -59.48, 0.01);
        EXPECT_GT(r.width, 10.0);
    } else {
        EXPECT_EQ(r.status, FormStatus::kNoCentre);
    }

    // Points on a parabola of sagitta 10^-12 over a chord of 2: the circle through them lies
    // 10^12 chords away.
    Points flat;
    for (int i = -10; i <= 10; ++i) {
        double const x = i / 10.0;
        flat.emplace_back(x, 1e-12 * x * x, 0);
    }
    EXPECT_EQ(circlesOf(flat, RoundnessCriterion::kLeastSquares).status, FormStatus::kNoCentre);
}

TEST(Roundness, RefusesSetsWithoutACentre) {
    Points const line = {{0, 0, 0}, {1, 1, 5}, {2, 2, 0}, {-3, -3, 1}};
    for (RoundnessCriterion c :
         {RoundnessCriterion::kMinimumZone, RoundnessCriterion::kLeastSquares,
          RoundnessCriterion::kMinimumCircumscribed, RoundnessCriterion::kMaximumInscribed}) {
        EXPECT_EQ(circlesOf(line, c).status, FormStatus::kNoCentre);
        EXPECT_EQ(circlesOf({{0, 0, 0}, {1, 0, 0}}, c).status, FormStatus::kTooFewPoints);
        EXPECT_EQ(circlesOf({{0, 0, 0}, {1, 0, 0}, {0, INFINITY, 0}}, c).status,
                  FormStatus::kNonFinite);
    }
    // Four points on a circle, three of them an acute triangle: every criterion gives the circle
    // itself, width zero.
    Points const square = {{5, 0, 0}, {-3, 4, 0}, {-3, -4, 0}, {4, 3, 0}};
    for (RoundnessCriterion c :
         {RoundnessCriterion::kMinimumZone, RoundnessCriterion::kLeastSquares,
          RoundnessCriterion::kMinimumCircumscribed, RoundnessCriterion::kMaximumInscribed}) {
        RoundnessCircles const r = circlesOf(square, c);
        EXPECT_NEAR(r.radius, 5.0, 1e-14) << static_cast<int>(c);
        EXPECT_NEAR(r.width, 0.0, 1e-14) << static_cast<int>(c);
    }
}
