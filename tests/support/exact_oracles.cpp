// SPDX-License-Identifier: MIT
#include "support/exact_oracles.h"

#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavrisk_test::form_oracle {

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
        if (d < low)
            low = d;
        if (d > high)
            high = d;
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

// A candidate direction: its doubles, and the two differences whose cross product it is (the
// exact direction is built only for the candidates that need it).
struct Direction {
    gte::Vector3 approx;
    std::size_t a, b, c, d;  // (p[b] - p[a]) x (p[d] - p[c])
};

// The exact minimum over candidate directions.
mpq_class smallestWidthSquared(Points const& p, std::vector<Direction> const& directions,
                               Points const* ends = nullptr) {
    std::vector<Q3> q;
    for (auto const& v : p) q.push_back(exact(v));
    std::vector<Q3> e;
    for (auto const& v : ends != nullptr ? *ends : p) e.push_back(exact(v));
    std::vector<double> approx;
    double smallest = std::numeric_limits<double>::infinity();
    for (auto const& d : directions) {
        double const w = gte::Dot(d.approx, d.approx) > 0.0
                             ? widthAlong(p, d.approx)
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
        if (!(approx[k] <= smallest * (1.0 + kCandidateSlack) + 1e-12 * spread))
            continue;
        Direction const& dir = directions[k];
        Q3 const n = cross(minus(e[dir.b], e[dir.a]), minus(e[dir.d], e[dir.c]));
        if (dot(n, n) == 0)
            continue;
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
    std::vector<Direction> directions;
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = b + 1; c < n; ++c) {
                directions.push_back({gte::Cross(p[b] - p[a], p[c] - p[a]), a, b, a, c});
            }
        }
    }
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = a + 1; c < n; ++c) {
                for (std::size_t d = c + 1; d < n; ++d) {
                    if (c == b || d == b)
                        continue;
                    directions.push_back({gte::Cross(p[b] - p[a], p[d] - p[c]), a, b, c, d});
                }
            }
        }
    }
    return smallestWidthSquared(p, directions);
}

mpq_class straightnessWidthSquared(Points const& p) {
    // The perpendicular of b - a seen from above is (b - a) x z; a point (0, 0, 1) appended
    // gives z as a difference.
    Points flat;
    for (auto const& v : p) flat.emplace_back(v[0], v[1], 0.0);
    std::size_t const n = flat.size();
    Points withUp = flat;
    withUp.emplace_back(flat[0][0], flat[0][1], 1.0);
    std::vector<Direction> directions;
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            directions.push_back(
                {gte::Cross(flat[b] - flat[a], gte::Vector3(0.0, 0.0, 1.0)), a, b, 0, n});
        }
    }
    return smallestWidthSquared(flat, directions, &withUp);
}

namespace {

// A candidate circle: through a and b on their diameter (c = npos) or through a, b and c; its
// centre and squared radius in doubles.
struct CircleCandidate {
    std::size_t a, b, c;
    double cx, cy, r2;
};

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct Circle {
    mpq_class cx, cy, r2;
};

// The exact circle of a candidate; false for three collinear points.
bool exactCircle(Points const& p, CircleCandidate const& k, Circle& circle) {
    if (k.c == kNone) {
        circle.cx = (mpq_class(p[k.a][0]) + mpq_class(p[k.b][0])) / 2;
        circle.cy = (mpq_class(p[k.a][1]) + mpq_class(p[k.b][1])) / 2;
    } else {
        mpq_class const bx = mpq_class(p[k.b][0]) - mpq_class(p[k.a][0]);
        mpq_class const by = mpq_class(p[k.b][1]) - mpq_class(p[k.a][1]);
        mpq_class const qx = mpq_class(p[k.c][0]) - mpq_class(p[k.a][0]);
        mpq_class const qy = mpq_class(p[k.c][1]) - mpq_class(p[k.a][1]);
        mpq_class const d = 2 * (bx * qy - by * qx);
        if (d == 0)
            return false;
        mpq_class const bb = bx * bx + by * by;
        mpq_class const qq = qx * qx + qy * qy;
        circle.cx = mpq_class(p[k.a][0]) + (qy * bb - by * qq) / d;
        circle.cy = mpq_class(p[k.a][1]) + (bx * qq - qx * bb) / d;
    }
    mpq_class const dx = mpq_class(p[k.a][0]) - circle.cx;
    mpq_class const dy = mpq_class(p[k.a][1]) - circle.cy;
    circle.r2 = dx * dx + dy * dy;
    return true;
}

std::vector<CircleCandidate> candidateCircles(Points const& p, bool withPairs) {
    std::vector<CircleCandidate> circles;
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            if (withPairs) {
                double const cx = 0.5 * (p[a][0] + p[b][0]);
                double const cy = 0.5 * (p[a][1] + p[b][1]);
                circles.push_back(
                    {a, b, kNone, cx, cy,
                     (p[a][0] - cx) * (p[a][0] - cx) + (p[a][1] - cy) * (p[a][1] - cy)});
            }
            for (std::size_t c = b + 1; c < n; ++c) {
                double const bx = p[b][0] - p[a][0];
                double const by = p[b][1] - p[a][1];
                double const qx = p[c][0] - p[a][0];
                double const qy = p[c][1] - p[a][1];
                double const d = 2 * (bx * qy - by * qx);
                double const bb = bx * bx + by * by;
                double const qq = qx * qx + qy * qy;
                double const ux = d != 0.0 ? (qy * bb - by * qq) / d : 0.0;
                double const uy = d != 0.0 ? (bx * qq - qx * bb) / d : 0.0;
                circles.push_back(
                    {a, b, c, p[a][0] + ux, p[a][1] + uy,
                     d != 0.0 ? ux * ux + uy * uy : std::numeric_limits<double>::infinity()});
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

double squaredDistance(gte::Vector3 const& v, double cx, double cy) {
    return (v[0] - cx) * (v[0] - cx) + (v[1] - cy) * (v[1] - cy);
}

// Whether (x, y) lies inside the convex hull seen from above (closed), by the sign of its turn
// against every pair that has all points on one side.
bool insideHull(Points const& p, mpq_class const& x, mpq_class const& y) {
    std::size_t const n = p.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (a == b || (p[a][0] == p[b][0] && p[a][1] == p[b][1]))
                continue;
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
    // Doubles keep the circles that hold every point to a relative 1e-9; the exact test decides
    // among the smallest of them.
    std::vector<CircleCandidate> const circles = candidateCircles(p, true);
    double smallest = std::numeric_limits<double>::infinity();
    std::vector<CircleCandidate> holding;
    for (CircleCandidate const& k : circles) {
        bool holds = std::isfinite(k.r2);
        for (auto const& v : p) {
            holds =
                holds && squaredDistance(v, k.cx, k.cy) <= k.r2 * (1.0 + kCandidateSlack) + 1e-300;
        }
        if (holds) {
            holding.push_back(k);
            smallest = std::min(smallest, k.r2);
        }
    }
    bool any = false;
    mpq_class best;
    for (CircleCandidate const& k : holding) {
        if (k.r2 > smallest * (1.0 + 4 * kCandidateSlack))
            continue;
        Circle c;
        if (!exactCircle(p, k, c) || (any && c.r2 >= best))
            continue;
        bool holds = true;
        for (auto const& v : p) holds = holds && squaredDistance(v, c.cx, c.cy) <= c.r2;
        if (holds) {
            best = c.r2;
            any = true;
        }
    }
    return best;
}

mpq_class inscribedRadiusSquared(Points const& p) {
    std::vector<CircleCandidate> const circles = candidateCircles(p, false);
    double largest = 0.0;
    std::vector<CircleCandidate> empty;
    for (CircleCandidate const& k : circles) {
        bool isEmpty = std::isfinite(k.r2);
        for (auto const& v : p) {
            isEmpty = isEmpty && squaredDistance(v, k.cx, k.cy) >= k.r2 * (1.0 - kCandidateSlack);
        }
        if (isEmpty) {
            empty.push_back(k);
        }
    }
    std::sort(empty.begin(), empty.end(),
              [](CircleCandidate const& x, CircleCandidate const& y) { return x.r2 > y.r2; });
    mpq_class best = 0;
    for (CircleCandidate const& k : empty) {
        if (k.r2 < largest * (1.0 - 4 * kCandidateSlack))
            break;
        Circle c;
        if (!exactCircle(p, k, c) || c.r2 <= best)
            continue;
        bool isEmpty = true;
        for (auto const& v : p) isEmpty = isEmpty && squaredDistance(v, c.cx, c.cy) >= c.r2;
        if (isEmpty && insideHull(p, c.cx, c.cy)) {
            best = c.r2;
            largest = std::max(largest, k.r2);
        }
    }
    return best;
}

double roundnessZoneError(Points const& p, double width) {
    std::size_t const n = p.size();
    // Bisector of (a, b): 2 (b - a) . c = |b|^2 - |a|^2, solved for pairs of pairs.
    struct Centre {
        std::size_t a, b, c, d;
        double approx;
    };
    auto const spreadAt = [&](double x, double y) {
        double low = std::numeric_limits<double>::infinity();
        double high = 0.0;
        for (auto const& v : p) {
            double const dist = std::hypot(v[0] - x, v[1] - y);
            low = std::min(low, dist);
            high = std::max(high, dist);
        }
        return high - low;
    };
    std::vector<Centre> centres;
    double smallest = std::numeric_limits<double>::infinity();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = a; c < n; ++c) {
                for (std::size_t d = c + 1; d < n; ++d) {
                    if (c == a && d <= b)
                        continue;
                    // About p[a], in doubles: 2 (b - a) . u = |b - a|^2, 2 (d - c) . u = ...
                    double const bx = p[b][0] - p[a][0], by = p[b][1] - p[a][1];
                    double const cx = p[c][0] - p[a][0], cy = p[c][1] - p[a][1];
                    double const dx = p[d][0] - p[a][0], dy = p[d][1] - p[a][1];
                    double const a2 = 2 * (dx - cx), b2 = 2 * (dy - cy);
                    double const det = 2 * bx * b2 - a2 * 2 * by;
                    if (det == 0.0)
                        continue;
                    double const r1 = bx * bx + by * by;
                    double const r2 = dx * dx + dy * dy - cx * cx - cy * cy;
                    double const ux = (r1 * b2 - r2 * 2 * by) / det;
                    double const uy = (2 * bx * r2 - a2 * r1) / det;
                    double const spread = spreadAt(p[a][0] + ux, p[a][1] + uy);
                    smallest = std::min(smallest, spread);
                    centres.push_back({a, b, c, d, spread});
                }
            }
        }
    }
    Mpfr best, dist, t, low, high;
    bool any = false;
    for (Centre const& k : centres) {
        if (!(k.approx <= smallest * (1.0 + kCandidateSlack) + 1e-300))
            continue;
        mpq_class const a1 = 2 * (mpq_class(p[k.b][0]) - mpq_class(p[k.a][0]));
        mpq_class const b1 = 2 * (mpq_class(p[k.b][1]) - mpq_class(p[k.a][1]));
        mpq_class const r1 = mpq_class(p[k.b][0]) * p[k.b][0] + mpq_class(p[k.b][1]) * p[k.b][1] -
                             mpq_class(p[k.a][0]) * p[k.a][0] - mpq_class(p[k.a][1]) * p[k.a][1];
        mpq_class const a2 = 2 * (mpq_class(p[k.d][0]) - mpq_class(p[k.c][0]));
        mpq_class const b2 = 2 * (mpq_class(p[k.d][1]) - mpq_class(p[k.c][1]));
        mpq_class const r2 = mpq_class(p[k.d][0]) * p[k.d][0] + mpq_class(p[k.d][1]) * p[k.d][1] -
                             mpq_class(p[k.c][0]) * p[k.c][0] - mpq_class(p[k.c][1]) * p[k.c][1];
        mpq_class const det = a1 * b2 - a2 * b1;
        if (det == 0)
            continue;
        mpq_class const x = (r1 * b2 - r2 * b1) / det;
        mpq_class const y = (a1 * r2 - a2 * r1) / det;
        bool first = true;
        for (auto const& v : p) {
            Mpfr square;
            mpq_class const s = squaredDistance(v, x, y);
            mpfr_set_q(square.v, s.get_mpq_t(), MPFR_RNDN);
            mpfr_sqrt(dist.v, square.v, MPFR_RNDN);
            if (first || mpfr_less_p(dist.v, low.v))
                mpfr_set(low.v, dist.v, MPFR_RNDN);
            if (first || mpfr_greater_p(dist.v, high.v))
                mpfr_set(high.v, dist.v, MPFR_RNDN);
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

}  // namespace tavrisk_test::form_oracle
