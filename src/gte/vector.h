// SPDX-License-Identifier: MIT
// Fixed-size vectors of doubles and their arithmetic.
//
// The order of every floating-point operation below is deliberate: callers compare results digit
// by digit, so sums run in index order and division by a scalar multiplies by the reciprocal.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <type_traits>

namespace gte {

template <int N>
struct Vector {
    double v[N];

    Vector() = default;  // components unset, like a plain array

    double operator[](int i) const { return v[i]; }
    double& operator[](int i) { return v[i]; }

    static Vector zeroVector() {
        Vector z;
        for (int i = 0; i < N; ++i) z.v[i] = 0.0;
        return z;
    }
    static Vector axisVector(int d) {
        Vector a = zeroVector();
        a.v[d] = 1.0;
        return a;
    }

    Vector& operator+=(Vector const& w) {
        for (int i = 0; i < N; ++i) v[i] += w.v[i];
        return *this;
    }
    Vector& operator-=(Vector const& w) {
        for (int i = 0; i < N; ++i) v[i] -= w.v[i];
        return *this;
    }
    Vector& operator*=(double s) {
        for (int i = 0; i < N; ++i) v[i] *= s;
        return *this;
    }
    // Division by zero is defined away: it yields the zero vector.
    Vector& operator/=(double s) {
        if (s != 0.0) {
            double const inv = 1.0 / s;
            for (int i = 0; i < N; ++i) v[i] *= inv;
        } else {
            for (int i = 0; i < N; ++i) v[i] = 0.0;
        }
        return *this;
    }
};

struct Vector3 : Vector<3> {
    Vector3() = default;
    Vector3(Vector<3> const& w) : Vector<3>(w) {}
    Vector3(double x, double y, double z) {
        v[0] = x;
        v[1] = y;
        v[2] = z;
    }
    static Vector3 zeroVector() { return Vector<3>::zeroVector(); }
    static Vector3 axisVector(int d) { return Vector<3>::axisVector(d); }
};

struct Vector2 : Vector<2> {
    Vector2() = default;
    Vector2(Vector<2> const& w) : Vector<2>(w) {}
    Vector2(double x, double y) {
        v[0] = x;
        v[1] = y;
    }
    static Vector2 zeroVector() { return Vector<2>::zeroVector(); }
    static Vector2 axisVector(int d) { return Vector<2>::axisVector(d); }
};

static_assert(std::is_trivially_copyable_v<Vector3>, "Vector3 must be a plain value");
static_assert(std::is_trivially_copyable_v<Vector2>, "Vector2 must be a plain value");
static_assert(sizeof(Vector3) == 3 * sizeof(double), "Vector3 holds exactly three doubles");
static_assert(sizeof(Vector2) == 2 * sizeof(double), "Vector2 holds exactly two doubles");

// Binary operators work on a copy of the left operand, then apply the compound form.
inline Vector3 operator-(Vector3 const& a) {
    return Vector3(-a[0], -a[1], -a[2]);
}
inline Vector2 operator-(Vector2 const& a) {
    return Vector2(-a[0], -a[1]);
}
inline Vector3 operator+(Vector3 a, Vector3 const& b) {
    return Vector3(a += b);
}
inline Vector3 operator-(Vector3 a, Vector3 const& b) {
    return Vector3(a -= b);
}
inline Vector3 operator*(Vector3 v, double s) {
    return Vector3(v *= s);
}
inline Vector3 operator*(double s, Vector3 v) {
    return Vector3(v *= s);
}
inline Vector3 operator/(Vector3 v, double s) {
    return Vector3(v /= s);
}
inline Vector2 operator+(Vector2 a, Vector2 const& b) {
    return Vector2(a += b);
}
inline Vector2 operator-(Vector2 a, Vector2 const& b) {
    return Vector2(a -= b);
}
inline Vector2 operator*(Vector2 v, double s) {
    return Vector2(v *= s);
}
inline Vector2 operator*(double s, Vector2 v) {
    return Vector2(v *= s);
}
inline Vector2 operator/(Vector2 v, double s) {
    return Vector2(v /= s);
}

inline bool operator==(Vector3 const& a, Vector3 const& b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}
inline bool operator!=(Vector3 const& a, Vector3 const& b) {
    return !(a == b);
}
inline bool operator==(Vector2 const& a, Vector2 const& b) {
    return a[0] == b[0] && a[1] == b[1];
}
inline bool operator!=(Vector2 const& a, Vector2 const& b) {
    return !(a == b);
}

inline double Dot(Vector3 const& a, Vector3 const& b) {
    return (a[0] * b[0] + a[1] * b[1]) + a[2] * b[2];
}
inline double Dot(Vector2 const& a, Vector2 const& b) {
    return a[0] * b[0] + a[1] * b[1];
}

inline double Length(Vector3 const& v) {
    return std::sqrt(Dot(v, v));
}
inline double Length(Vector2 const& v) {
    return std::sqrt(Dot(v, v));
}

// Scales v to unit length and returns the original length; a zero vector stays zero.
inline double Normalize(Vector3& v) {
    double const length = Length(v);
    if (length != 0.0) {
        v /= length;
    }
    return length;
}
inline double Normalize(Vector2& v) {
    double const length = Length(v);
    if (length != 0.0) {
        v /= length;
    }
    return length;
}

inline Vector3 Cross(Vector3 const& a, Vector3 const& b) {
    return Vector3(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}

// v scaled to unit length by Normalize; a zero vector stays zero.
inline Vector3 Normalized(Vector3 v) {
    Normalize(v);
    return v;
}
inline Vector2 Normalized(Vector2 v) {
    Normalize(v);
    return v;
}

// Normalize for a direction a caller gives, whose components may lie anywhere among the doubles.
// Where its squared length is a normal double the result is Normalize's, bit for bit. Beyond
// that range the squares lose digits to underflow (components below about 1e-154; below about
// 1e-162 the length comes out zero) or overflow (above about 1e154): the direction is then
// divided by its largest component before its length is measured, so that every direction but
// the zero vector gives its unit vector whatever its scale. Returns the original length, which
// overflows to infinity for a direction longer than the largest double.
template <class V>
double NormalizeDirection(V& v) {
    double const squared = Dot(v, v);
    double largest = 0.0;
    for (double component : v.v) {
        largest = std::fmax(largest, std::fabs(component));
    }
    bool const squaresLoseDigits = squared < DBL_MIN || squared > DBL_MAX;
    if (!squaresLoseDigits || !(largest > 0.0) || !std::isfinite(largest)) {
        return Normalize(v);  // zero, infinite and NaN components keep Normalize's rules too
    }
    for (double& component : v.v) {
        component /= largest;  // a true division: the reciprocal of a tiny largest overflows
    }
    double const scaledLength = Normalize(v);  // between 1 and the square root of 3
    return largest * scaledLength;
}
template <class V>
V NormalizedDirection(V v) {
    NormalizeDirection(v);
    return v;
}

// Unit normal of the plane spanned by a and b; zero when they are parallel.
inline Vector3 NormalizedCross(Vector3 const& a, Vector3 const& b) {
    return Normalized(Cross(a, b));
}

// The centroid of count points, pointAt(i) giving the i-th: their sum from the zero vector in
// index order, divided by the count. A caller that has added the points up that way already,
// as it produced them, divides its sum by CentroidOfSum.
inline Vector3 CentroidOfSum(Vector3 const& sum, std::size_t count) {
    return sum / static_cast<double>(count);
}
template <class PointAt>
Vector3 Centroid(std::size_t count, PointAt pointAt) {
    Vector3 sum = Vector3::zeroVector();
    for (std::size_t i = 0; i < count; ++i) {
        sum += pointAt(i);
    }
    return CentroidOfSum(sum, count);
}
inline Vector3 Centroid(Vector3 const* points, std::size_t count) {
    return Centroid(count, [points](std::size_t i) { return points[i]; });
}

}  // namespace gte
