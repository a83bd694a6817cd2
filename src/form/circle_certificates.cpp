// SPDX-License-Identifier: MIT
#include "form/circle_certificates.h"

#include <cmath>

#include "form/form_formulas.h"

namespace tavrisk::form {

namespace {

using gte::Vector3;

template <class K>
typename K::Number inCircle(Vector3 const& a, Vector3 const& b, Vector3 const& c,
                            Vector3 const& d) {
    auto const ax = K::difference(a[0], d[0]);
    auto const ay = K::difference(a[1], d[1]);
    auto const bx = K::difference(b[0], d[0]);
    auto const by = K::difference(b[1], d[1]);
    auto const cx = K::difference(c[0], d[0]);
    auto const cy = K::difference(c[1], d[1]);
    return (ax * ax + ay * ay) * (bx * cy - by * cx) + (bx * bx + by * by) * (cx * ay - cy * ax) +
           (cx * cx + cy * cy) * (ax * by - ay * bx);
}

// The bisector system of the annulus about o1: the centre is o1 + (nx, ny) / (2 d).
template <class K>
struct Bisectors {
    typename K::Number d, nx, ny;
};

template <class K>
Bisectors<K> bisectorsOf(Vector3 const& o1, Vector3 const& o2, Vector3 const& i1,
                         Vector3 const& i2) {
    auto const ox = K::difference(o2[0], o1[0]);
    auto const oy = K::difference(o2[1], o1[1]);
    auto const ex = K::difference(i2[0], i1[0]);
    auto const ey = K::difference(i2[1], i1[1]);
    auto const sx = K::difference(i2[0], o1[0]) + K::difference(i1[0], o1[0]);
    auto const sy = K::difference(i2[1], o1[1]) + K::difference(i1[1], o1[1]);
    auto const outerSquare = ox * ox + oy * oy;
    auto const innerSquares = ex * sx + ey * sy;  // |i2 - o1|^2 - |i1 - o1|^2
    return {ox * ey - oy * ex, ey * outerSquare - oy * innerSquares,
            ox * innerSquares - ex * outerSquare};
}

// D |q - o1|^2 - (q - o1) . N: of the sign of D when q lies outside the outer circle.
template <class K>
typename K::Number outerValue(Bisectors<K> const& s, Vector3 const& o1, Vector3 const& q) {
    auto const px = K::difference(q[0], o1[0]);
    auto const py = K::difference(q[1], o1[1]);
    return s.d * (px * px + py * py) - (px * s.nx + py * s.ny);
}

// D (q - i1) . (q + i1 - 2 o1) - (q - i1) . N: of the sign of D when q lies outside the inner
// circle.
template <class K>
typename K::Number innerValue(Bisectors<K> const& s, Vector3 const& o1, Vector3 const& i1,
                              Vector3 const& q) {
    auto const ex = K::difference(q[0], i1[0]);
    auto const ey = K::difference(q[1], i1[1]);
    auto const sx = K::difference(q[0], o1[0]) + K::difference(i1[0], o1[0]);
    auto const sy = K::difference(q[1], o1[1]) + K::difference(i1[1], o1[1]);
    return s.d * (ex * sx + ey * sy) - (ex * s.nx + ey * s.ny);
}

int filteredSign(Approx const& a) {
    double const bound = a.errorBound();
    return a.value > bound ? 1 : a.value < -bound ? -1 : 2;  // 2: undecided
}

}  // namespace

int inCircleSign(Vector3 const& a, Vector3 const& b, Vector3 const& c, Vector3 const& d) {
    return exactSign([&](auto kind) { return inCircle<decltype(kind)>(a, b, c, d); });
}

int outsideSign(Vector3 const* p, CircleThrough const& circle, Vector3 const& q) {
    Vector3 const& a = p[circle.index[0]];
    if (circle.count == 1) {
        return q[0] == a[0] && q[1] == a[1] ? 0 : 1;
    }
    Vector3 const& b = p[circle.index[1]];
    if (circle.count == 2) {
        return exactSign([&](auto kind) { return dotXY<decltype(kind)>(q, a, b); });
    }
    Vector3 const& c = p[circle.index[2]];
    int const turn = circle.turn != 0
                         ? circle.turn
                         : exactSign([&](auto kind) { return crossXY<decltype(kind)>(a, b, c); });
    if (turn == 0) {
        return 1;
    }
    return -turn * inCircleSign(a, b, c, q);
}

std::optional<RoundedCircle> roundedCircle(Vector3 const* p, CircleThrough const& circle) {
    Vector3 const& a = p[circle.index[0]];
    if (circle.count == 1) {
        return RoundedCircle{gte::Vector2(a[0], a[1]), 0.0};
    }
    Vector3 const& b = p[circle.index[1]];
    auto const difference = [](double x, double y) {
        return accurateValue([&](auto kind) { return decltype(kind)::difference(x, y); });
    };
    if (circle.count == 2) {
        gte::Vector2 const half(0.5 * difference(b[0], a[0]), 0.5 * difference(b[1], a[1]));
        return RoundedCircle{gte::Vector2(a[0] + half[0], a[1] + half[1]), gte::Length(half)};
    }
    Vector3 const& c = p[circle.index[2]];
    // The circumcentre about a: u = (C_y |B|^2 - B_y |C|^2, B_x |C|^2 - C_x |B|^2) / D.
    auto const value = [&](int which) {
        return accurateValue([&](auto kind) {
            using K = decltype(kind);
            auto const bx = K::difference(b[0], a[0]);
            auto const by = K::difference(b[1], a[1]);
            auto const cx = K::difference(c[0], a[0]);
            auto const cy = K::difference(c[1], a[1]);
            auto const bb = bx * bx + by * by;
            auto const cc = cx * cx + cy * cy;
            auto const two = K::exact(2.0);
            return which == 0   ? cy * bb - by * cc
                   : which == 1 ? bx * cc - cx * bb
                                : two * (bx * cy - by * cx);
        });
    };
    double const denominator = value(2);
    if (denominator == 0.0) {
        return std::nullopt;
    }
    gte::Vector2 const u(value(0) / denominator, value(1) / denominator);
    return RoundedCircle{gte::Vector2(a[0] + u[0], a[1] + u[1]), gte::Length(u)};
}

FourPointAnnulus::FourPointAnnulus(Vector3 const* points, std::size_t o1, std::size_t o2,
                                   std::size_t i1, std::size_t i2)
    : points_(points), o1_(o1), o2_(o2), i1_(i1), i2_(i2) {
    Bisectors<FilteredKind> const s =
        bisectorsOf<FilteredKind>(points[o1], points[o2], points[i1], points[i2]);
    d_ = s.d;
    n_ = {s.nx, s.ny};
    denominatorSign_ = exactSign([&](auto kind) {
        using K = decltype(kind);
        return bisectorsOf<K>(points[o1], points[o2], points[i1], points[i2]).d;
    });
}

int FourPointAnnulus::placeOf(Vector3 const& q) const {
    Vector3 const* p = points_;
    Bisectors<FilteredKind> const filtered{d_, n_[0], n_[1]};
    int outer = filteredSign(outerValue<FilteredKind>(filtered, p[o1_], q));
    if (outer == 2) {
        outer = exactSign([&](auto kind) {
            using K = decltype(kind);
            return outerValue<K>(bisectorsOf<K>(p[o1_], p[o2_], p[i1_], p[i2_]), p[o1_], q);
        });
    }
    if (outer * denominatorSign_ > 0) {
        return 1;
    }
    int inner = filteredSign(innerValue<FilteredKind>(filtered, p[o1_], p[i1_], q));
    if (inner == 2) {
        inner = exactSign([&](auto kind) {
            using K = decltype(kind);
            return innerValue<K>(bisectorsOf<K>(p[o1_], p[o2_], p[i1_], p[i2_]), p[o1_], p[i1_], q);
        });
    }
    return inner * denominatorSign_ < 0 ? -1 : 0;
}

bool FourPointAnnulus::alternates() const {
    Vector3 const* p = points_;
    // The direction from the centre to contact k, scaled by 2D: 2D (p_k - o1) - N. Scaling by
    // a negative number turns every direction half round, which keeps their circular order.
    std::size_t const contact[4] = {o1_, i1_, o2_, i2_};
    auto const turn = [&](int a, int b) {
        return exactSign([&](auto kind) {
            using K = decltype(kind);
            auto const s = bisectorsOf<K>(p[o1_], p[o2_], p[i1_], p[i2_]);
            auto const two = K::exact(2.0);
            auto const direction = [&](int k) {
                auto const x = two * s.d * K::difference(p[contact[k]][0], p[o1_][0]) - s.nx;
                auto const y = two * s.d * K::difference(p[contact[k]][1], p[o1_][1]) - s.ny;
                return std::array<typename K::Number, 2>{x, y};
            };
            auto const u = direction(a);
            auto const v = direction(b);
            return u[0] * v[1] - u[1] * v[0];
        });
    };
    // Whether direction k lies strictly inside the counterclockwise arc from direction a to b.
    auto const strictlyBetween = [&](int a, int b, int k) {
        int const ab = turn(a, b);
        if (ab > 0) {
            return turn(a, k) > 0 && turn(k, b) > 0;
        }
        if (ab < 0) {
            return !(turn(b, k) >= 0 && turn(k, a) >= 0);
        }
        return turn(a, k) > 0;  // a and b opposite (same directions do not alternate)
    };
    if (turn(0, 2) == 0) {
        // Parallel outer directions: they alternate only when opposite.
        bool const opposite =
            exactSign([&](auto kind) {
                using K = decltype(kind);
                auto const s = bisectorsOf<K>(p[o1_], p[o2_], p[i1_], p[i2_]);
                auto const two = K::exact(2.0);
                auto const x2 = two * s.d * K::difference(p[o2_][0], p[o1_][0]) - s.nx;
                auto const y2 = two * s.d * K::difference(p[o2_][1], p[o1_][1]) - s.ny;
                return -(s.nx * x2) - s.ny * y2;
            }) < 0;
        if (!opposite) {
            return false;
        }
    }
    return (strictlyBetween(0, 2, 1) && strictlyBetween(2, 0, 3)) ||
           (strictlyBetween(2, 0, 1) && strictlyBetween(0, 2, 3));
}

FourPointAnnulus::Rounded FourPointAnnulus::rounded() const {
    Vector3 const* p = points_;
    Vector3 const& o1 = p[o1_];
    Vector3 const& i1 = p[i1_];
    auto const value = [&](int which) {
        return accurateValue([&](auto kind) {
            using K = decltype(kind);
            auto const s = bisectorsOf<K>(o1, p[o2_], i1, p[i2_]);
            auto const ix = K::difference(i1[0], o1[0]);
            auto const iy = K::difference(i1[1], o1[1]);
            auto const two = K::exact(2.0);
            switch (which) {
                case 0:
                    return s.d;
                case 1:
                    return s.nx;
                case 2:
                    return s.ny;
                case 3:
                    return two * s.d * ix - s.nx;
                case 4:
                    return two * s.d * iy - s.ny;
                default:  // (R^2 - r^2) D
                    return (ix * s.nx + iy * s.ny) - s.d * (ix * ix + iy * iy);
            }
        });
    };
    double const d = value(0);
    double const nx = value(1);
    double const ny = value(2);
    double const twiceD = 2.0 * std::fabs(d);
    Rounded r;
    r.center = gte::Vector2(o1[0] + nx / (2.0 * d), o1[1] + ny / (2.0 * d));
    r.outer = std::sqrt(nx * nx + ny * ny) / twiceD;
    double const ix = value(3);
    double const iy = value(4);
    r.inner = std::sqrt(ix * ix + iy * iy) / twiceD;
    double const squares = value(5) / d;
    r.width = squares / (r.outer + r.inner);
    return r;
}

}  // namespace tavrisk::form
