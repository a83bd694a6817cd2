// SPDX-License-Identifier: MIT
// Circles fixed by input points seen from above, and their exact tests: whether a point lies
// outside a circle through one, two (on their diameter) or three points, whether an annulus
// fixed by two outer and two inner points holds a point, whether its contacts alternate around
// its centre. Each is the sign of a polynomial in coordinate differences (exact_sign.h).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "form/exact_sign.h"
#include "gte/vector.h"

namespace tavrisk::form {

// A circle through one point (radius zero), on the diameter of two, or through three.
struct CircleThrough {
    std::array<std::size_t, 3> index{};
    int count = 0;
    int turn = 0;  // three points: the exact sign of their turn, when known (0: work it out)
};

// Whether q lies strictly outside the circle (positive), on it (zero) or inside (negative).
// Three collinear points fix no circle: their test reads as outside for every point off the
// segment's diametral circle.
int outsideSign(gte::Vector3 const* points, CircleThrough const& circle, gte::Vector3 const& q);

// The exact sign of the in-circle determinant: positive when d lies inside the circle through
// a, b, c taken counterclockwise (outside when clockwise), zero on it.
int inCircleSign(gte::Vector3 const& a, gte::Vector3 const& b, gte::Vector3 const& c,
                 gte::Vector3 const& d);

struct RoundedCircle {
    gte::Vector2 center;
    double radius;
};
// The centre and radius, each rounded from exact values (the radius within a few units in the
// last place; the centre within one of its coordinates'). nullopt for three collinear points.
std::optional<RoundedCircle> roundedCircle(gte::Vector3 const* points, CircleThrough const& circle);

// The annulus whose outer circle passes through o1 and o2 and inner circle through i1 and i2,
// about the centre where the two pairs' perpendicular bisectors meet.
class FourPointAnnulus {
public:
    FourPointAnnulus(gte::Vector3 const* points, std::size_t o1, std::size_t o2, std::size_t i1,
                     std::size_t i2);

    // Whether the bisectors meet in one point.
    bool defined() const { return denominatorSign_ != 0; }
    // +1: q outside the outer circle, -1: inside the inner one, 0: in the closed annulus.
    int placeOf(gte::Vector3 const& q) const;
    // Whether o1, i1, o2, i2 alternate around the centre (each inner contact strictly between
    // the outer ones on a different side).
    bool alternates() const;

    struct Rounded {
        gte::Vector2 center;
        double inner;
        double outer;
        double width;  // outer - inner, from R^2 - r^2 exactly rounded
    };
    Rounded rounded() const;

private:
    gte::Vector3 const* points_;
    std::size_t o1_, o2_, i1_, i2_;
    int denominatorSign_ = 0;
    // The bisector system about o1 in the filter's doubles: the centre is o1 + N / (2 D).
    Approx d_;
    std::array<Approx, 2> n_;
};

}  // namespace tavrisk::form
