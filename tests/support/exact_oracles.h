// SPDX-License-Identifier: MIT
// Oracles of the form tests, written from the definitions and nothing of the code under test:
// exhaustive searches over every candidate configuration of a small set, compared in exact
// rational arithmetic (GMP), or at 256 bits (MPFR) where a square root makes rationals
// impossible (the minimum-zone roundness). Doubles only pick which candidates deserve the exact
// comparison: those within a relative 1e-9 of the smallest, far above the doubles' rounding.
#pragma once

#include <gmpxx.h>

#include <vector>

#include "gte/vector.h"

namespace tavrisk_test::form_oracle {

using Points = std::vector<gte::Vector3>;

// The squared minimum width of a set: over the normals of every triple's plane and every pair
// of pairs' common perpendicular, the squared range of the points along it. Zero for fewer
// than three points or collinear ones.
mpq_class flatnessWidthSquared(Points const& p);

// The squared minimum width seen from above: over the perpendiculars of every pair.
mpq_class straightnessWidthSquared(Points const& p);

// The squared radius of the smallest circle (seen from above) holding every point: over the
// circles on every pair's diameter and through every triple, the smallest holding all.
mpq_class circumscribedRadiusSquared(Points const& p);

// The squared radius of the largest circle through three points with no point inside and its
// centre inside the points' hull (a ring's inner circle).
mpq_class inscribedRadiusSquared(Points const& p);

// The minimum-zone roundness R - r: over the centres where two pairs' perpendicular bisectors
// meet (pairs sharing a point give circumcentres), the smallest spread of the distances, the
// distances taken at 256 bits. Returned as the difference from `width`, at 256 bits, rounded:
// (code's width) - (oracle's width).
double roundnessZoneError(Points const& p, double width);

// Whether a double lies within tol of the square root of an exact square.
bool withinOfRoot(double value, mpq_class const& square, double tol);

// The tolerance of the accuracy goal: 1e-12 of the width and four units in the last place of
// the coordinates' spread (the largest extent of the box of the points).
double accuracyTolerance(double width, Points const& p, int dimensions);

}  // namespace tavrisk_test::form_oracle
