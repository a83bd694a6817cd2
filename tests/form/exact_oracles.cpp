// SPDX-License-Identifier: MIT
#include "exact_oracles.h"

#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace form_oracle {

namespace {

// Candidates within this relative distance of the smallest double value get exact treatment.
constexpr double kCandidateSlack = 1e-9;
constexpr mpfr_prec_t kBits = 256;

struct Q3 {
    mpq_class x, y, z;
};

Q3 exact(gte::Vector3 const& v) {
    return {mpq_class(v[0]), mpq_class(v[1]), mpq_class(v[2])};
}

Q3 minus(Q3 const& a, Q3 const& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Q3 cross(Q3 const& a, Q3 const& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

mpq_class dot(Q3 const& a, Q3 const& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The squared width of the points along n (exact), n nonzero.
mpq_class widthSquaredAlong(std::vector<Q3> const& q, Q3 const& n) {
    mpq_class low = dot(q[0], n);
    mpq_class high = low;
    for (Q3 const& v : q) {
        mpq_class const d = dot(v, n);
        if (d < low) low = d;
        if (d > high) high = d;
    }
    mpq_class const range = high - low;
    return range * range / dot(n, n);
}

double widthAlong(Points const& p, gte::Vector3 const& n) {
    double const length = gte::Length(n);
    double low = gte::Dot(p[0], n);
    double high = low;
    for (auto const& v : p) {
        double const d = gte::Dot(v, n);
        low = std::min(low, d);
        high = std::max(high, d);
    }
    return (high - low) / length;
}

// The exact minimum over candidate directions, given as pairs (double direction, exact one).
template <class Directions>
mpq_class smallestWidthSquared(Points const& p, Directions const& directions) {
    std::vector<Q3> q;
    for (auto const& v : p) q.push_back(exact(v));
    std::vector<double> approx;
    double smallest = std::numeric_limits<double>::infinity();
    for (auto const& d : directions) {
        double const w = gte::Dot(d.first, d.first) > 0.0 ? widthAlong(p, d.first)
                                                            : std::numeric_limits<double>::infinity();
        approx.push_back(w);
        smallest = std::min(smallest, w);
    }
    double spread = 0.0;
    for (auto const& v : p) {
        for (auto const& u : p) spread = std::max(spread, gte::Length(v - u));
    }
    bool any = false;
    mpq_class best;
    for (std::size_t k = 0; k < directions.size(); ++k) {
        if (!(approx[k] <= smallest * (1.0 + kCandidateSlack) + 1e-12 * spread)) continue;
        Q3 const& n = directions[k].second;
        if (dot(n, n) == 0) continue;
        mpq_class const w = widthSquaredAlong(q, n);
        if (!any || w < best) {
            best = w;
            any = true;
        }
    }
    return any ? best : mpq_class(0);
}

struct Mpfr {
    mpfr_t v;
    Mpfr() { mpfr_init2(v, kBits); }
    ~Mpfr() { mpfr_clear(v); }
    Mpfr(Mpfr const&) = delete;
    Mpfr& operator=(Mpfr const&) = delete;
};

}  // namespace

mpq_class flatnessWidthSquared(Points const& p) {
    std::vector<std::pair<gte::Vector3, Q3>> directions;
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = b + 1; c < n; ++c) {
                directions.emplace_back(
                    gte::Cross(p[b] - p[a], p[c] - p[a]),
                    cross(minus(exact(p[b]), exact(p[a])), minus(exact(p[c]), exact(p[a]))));
            }
        }
    }
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = a + 1; c < n; ++c) {
                for (std::size_t d = c + 1; d < n; ++d) {
                    if (c == b || d == b) continue;
                    directions.emplace_back(
                        gte::Cross(p[b] - p[a], p[d] - p[c]),
                        cross(minus(exact(p[b]), exact(p[a])), minus(exact(p[d]), exact(p[c]))));
                }
            }
        }
    }
    return smallestWidthSquared(p, directions);
}

mpq_class straightnessWidthSquared(Points const& p) {
    Points flat;
    for (auto const& v : p) flat.emplace_back(v[0], v[1], 0.0);
    std::vector<std::pair<gte::Vector3, Q3>> directions;
    for (std::size_t a = 0; a < flat.size(); ++a) {
        for (std::size_t b = a + 1; b < flat.size(); ++b) {
            gte::Vector3 const d = flat[b] - flat[a];
            Q3 const e = minus(exact(flat[b]), exact(flat[a]));
            directions.emplace_back(gte::Vector3(-d[1], d[0], 0.0), Q3{-e.y, e.x, mpq_class(0)});
        }
    }
    return smallestWidthSquared(flat, directions);
}

namespace {

struct Circle {
    mpq_class cx, cy, r2;
};

std::vector<Circle> candidateCircles(Points const& p) {
    std::vector<Circle> circles;
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            mpq_class const cx = (mpq_class(p[a][0]) + mpq_class(p[b][0])) / 2;
            mpq_class const cy = (mpq_class(p[a][1]) + mpq_class(p[b][1])) / 2;
            mpq_class const dx = mpq_class(p[a][0]) - cx;
            mpq_class const dy = mpq_class(p[a][1]) - cy;
            circles.push_back({cx, cy, dx * dx + dy * dy});
            for (std::size_t c = b + 1; c < n; ++c) {
                mpq_class const bx = mpq_class(p[b][0]) - mpq_class(p[a][0]);
                mpq_class const by = mpq_class(p[b][1]) - mpq_class(p[a][1]);
                mpq_class const qx = mpq_class(p[c][0]) - mpq_class(p[a][0]);
                mpq_class const qy = mpq_class(p[c][1]) - mpq_class(p[a][1]);
                mpq_class const d = 2 * (bx * qy - by * qx);
                if (d == 0) continue;
                mpq_class const bb = bx * bx + by * by;
                mpq_class const qq = qx * qx + qy * qy;
                mpq_class const ux = (qy * bb - by * qq) / d;
                mpq_class const uy = (bx * qq - qx * bb) / d;
                circles.push_back({mpq_class(p[a][0]) + ux, mpq_class(p[a][1]) + uy,
                                   ux * ux + uy * uy});
            }
        }
    }
    return circles;
}

mpq_class squaredDistance(gte::Vector3 const& v, mpq_class const& cx, mpq_class const& cy) {
    mpq_class const dx = mpq_class(v[0]) - cx;
    mpq_class const dy = mpq_class(v[1]) - cy;
    return dx * dx + dy * dy;
}

// Whether (x, y) lies inside the convex hull seen from above (closed), by the sign of its turn
// against every pair that has all points on one side.
bool insideHull(Points const& p, mpq_class const& x, mpq_class const& y) {
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (a == b || (p[a][0] == p[b][0] && p[a][1] == p[b][1])) continue;
            mpq_class const ex = mpq_class(p[b][0]) - mpq_class(p[a][0]);
            mpq_class const ey = mpq_class(p[b][1]) - mpq_class(p[a][1]);
            bool edge = true;
            for (auto const& v : p) {
                if (ex * (mpq_class(v[1]) - mpq_class(p[a][1])) -
                        ey * (mpq_class(v[0]) - mpq_class(p[a][0])) <
                    0) {
                    edge = false;
                    break;
                }
            }
            if (edge && ex * (y - mpq_class(p[a][1])) - ey * (x - mpq_class(p[a][0])) < 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

mpq_class circumscribedRadiusSquared(Points const& p) {
    bool any = false;
    mpq_class best;
    for (Circle const& c : candidateCircles(p)) {
        if (any && c.r2 >= best) continue;
        bool holds = true;
        for (auto const& v : p) {
            if (squaredDistance(v, c.cx, c.cy) > c.r2) {
                holds = false;
                break;
            }
        }
        if (holds) {
            best = c.r2;
            any = true;
        }
    }
    return best;
}

mpq_class inscribedRadiusSquared(Points const& p) {
    mpq_class best = 0;
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = b + 1; c < n; ++c) {
                Points const three = {p[a], p[b], p[c]};
                std::vector<Circle> const circles = candidateCircles(three);
                if (circles.size() < 4) continue;  // collinear: no circumcircle
                Circle const& circle = circles.back();
                if (circle.r2 <= best) continue;
                bool empty = true;
                for (auto const& v : p) {
                    if (squaredDistance(v, circle.cx, circle.cy) < circle.r2) {
                        empty = false;
                        break;
                    }
                }
                if (empty && insideHull(p, circle.cx, circle.cy)) best = circle.r2;
            }
        }
    }
    return best;
}

double roundnessZoneError(Points const& p, double width) {
    std::size_t const n = p.size();
    struct Centre {
        mpq_class x, y;
        double approx;
    };
    std::vector<Centre> centres;
    double smallest = std::numeric_limits<double>::infinity();
    auto const spreadAt = [&](double x, double y) {
        double low = std::numeric_limits<double>::infinity();
        double high = 0.0;
        for (auto const& v : p) {
            double const d = std::hypot(v[0] - x, v[1] - y);
            low = std::min(low, d);
            high = std::max(high, d);
        }
        return high - low;
    };
    // Bisector of (a, b): 2 (b - a) . c = |b|^2 - |a|^2.
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = a; c < n; ++c) {
                for (std::size_t d = c + 1; d < n; ++d) {
                    if (c == a && d <= b) continue;
                    mpq_class const a1 = 2 * (mpq_class(p[b][0]) - mpq_class(p[a][0]));
                    mpq_class const b1 = 2 * (mpq_class(p[b][1]) - mpq_class(p[a][1]));
                    mpq_class const r1 = mpq_class(p[b][0]) * p[b][0] + mpq_class(p[b][1]) * p[b][1] -
                                         mpq_class(p[a][0]) * p[a][0] - mpq_class(p[a][1]) * p[a][1];
                    mpq_class const a2 = 2 * (mpq_class(p[d][0]) - mpq_class(p[c][0]));
                    mpq_class const b2 = 2 * (mpq_class(p[d][1]) - mpq_class(p[c][1]));
                    mpq_class const r2 = mpq_class(p[d][0]) * p[d][0] + mpq_class(p[d][1]) * p[d][1] -
                                         mpq_class(p[c][0]) * p[c][0] - mpq_class(p[c][1]) * p[c][1];
                    mpq_class const det = a1 * b2 - a2 * b1;
                    if (det == 0) continue;
                    Centre centre{(r1 * b2 - r2 * b1) / det, (a1 * r2 - a2 * r1) / det, 0.0};
                    centre.approx = spreadAt(centre.x.get_d(), centre.y.get_d());
                    smallest = std::min(smallest, centre.approx);
                    centres.push_back(centre);
                }
            }
        }
    }
    Mpfr best, d, t, low, high;
    bool any = false;
    for (Centre const& c : centres) {
        if (!(c.approx <= smallest * (1.0 + kCandidateSlack) + 1e-300)) continue;
        bool first = true;
        for (auto const& v : p) {
            Mpfr x, y;
            mpq_class const dx = mpq_class(v[0]) - c.x;
            mpq_class const dy = mpq_class(v[1]) - c.y;
            mpq_class const s = dx * dx + dy * dy;
            mpfr_set_q(x.v, s.get_mpq_t(), MPFR_RNDN);
            mpfr_sqrt(d.v, x.v, MPFR_RNDN);
            if (first || mpfr_less_p(d.v, low.v)) mpfr_set(low.v, d.v, MPFR_RNDN);
            if (first || mpfr_greater_p(d.v, high.v)) mpfr_set(high.v, d.v, MPFR_RNDN);
            first = false;
        }
        mpfr_sub(t.v, high.v, low.v, MPFR_RNDN);
        if (!any || mpfr_less_p(t.v, best.v)) {
            mpfr_set(best.v, t.v, MPFR_RNDN);
            any = true;
        }
    }
    Mpfr code;
    mpfr_set_d(code.v, width, MPFR_RNDN);
    mpfr_sub(t.v, code.v, best.v, MPFR_RNDN);
    return mpfr_get_d(t.v, MPFR_RNDN);
}

bool withinOfRoot(double value, mpq_class const& square, double tol) {
    mpq_class const low = mpq_class(value) - mpq_class(tol);
    mpq_class const high = mpq_class(value) + mpq_class(tol);
    return (low <= 0 || low * low <= square) && square <= high * high;
}

double accuracyTolerance(double width, Points const& p, int dimensions) {
    double spread = 0.0;
    for (int k = 0; k < dimensions; ++k) {
        double low = p[0][k];
        double high = p[0][k];
        for (auto const& v : p) {
            low = std::min(low, v[k]);
            high = std::max(high, v[k]);
        }
        spread = std::max(spread, high - low);
    }
    double const ulp = spread > 0.0 ? std::nextafter(spread, 2.0 * spread) - spread : 0.0;
    return 1e-12 * width + 4.0 * ulp;
}

}  // namespace form_oracle
