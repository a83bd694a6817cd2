// SPDX-License-Identifier: MIT
/* Tavrisk: geometric measurement functions for dimensional metrology.
 *
 * This header is the reference of the library's C interface: small records of doubles go in,
 * numbers and constructed geometry come out. Each family of functions below opens with the
 * conventions its members share; each function's own lines name what it measures, what it
 * writes, what it returns and what it refuses.
 *
 * Calling
 * - Input records are passed by value and never changed. Outputs are written through
 *   caller-owned pointers; an array output is declared with its size (result[3] needs room for
 *   three records). A null output pointer is never written, and the return value is the one the
 *   call gives with the output present. Outputs that an outcome does not produce keep what the
 *   caller put there.
 * - Point sets come as an array and an int count. A null array holds no points, and a count
 *   below what a function needs, negative counts included, is refused like too few points.
 * - Lengths are in the caller's unit, angles in degrees (only the moment's angle is in radians).
 *   Directions and normals may have any length; the functions make them unit where they need
 *   to. A circle or plane normal shorter than 0.001 is taken as (0, 0, 1); a line or ray with a
 *   zero vector measures as its point.
 *
 * Results
 * - A function that can refuse returns TAVRISK_REFUSED, -1 (false for the two bool functions),
 *   and then writes nothing unless its own lines say otherwise. Success is TAVRISK_MEASURED, 1
 *   (TAVRISK_FLATNESS_MEASURED, 0, for the flatness of a file), or a count of what was found.
 *   The return codes are named below.
 * - NaN in the input is never hidden: the figures it reaches come out NaN (or the call refuses,
 *   as the fits do), never a stale record or a start value. Every largest or smallest value is
 *   the true extreme of its candidates, however large.
 *
 * Every function is stateless and may be called from any number of threads at once; none
 * throws, aborts or keeps global state, and a call that runs out of memory returns its refusal
 * value. */
#ifndef TAVRISK_H
#define TAVRISK_H

#include <stddef.h>
#ifdef __cplusplus
#include <math.h>
#else
#include <stdbool.h>
#endif

#define TAVRISK_VERSION_MAJOR 1
#define TAVRISK_VERSION_MINOR 0
#define TAVRISK_VERSION_PATCH 0
/// The version as one number, major * 10000 + minor * 100 + patch, for #if tests.
#define TAVRISK_VERSION_NUMBER \
    (TAVRISK_VERSION_MAJOR * 10000 + TAVRISK_VERSION_MINOR * 100 + TAVRISK_VERSION_PATCH)

/* Return codes. Each function's lines below name the ones it returns; a function that returns a
 * count of what it found returns the count itself (1 or 2 points, 3 records, 4 tangents). */

/// The measurement was made, or the record built, and its outputs written.
#define TAVRISK_MEASURED 1
/// The flatness of a point file was measured (that function alone reports success as 0).
#define TAVRISK_FLATNESS_MEASURED 0
/// The input was refused: nothing was written unless the function's lines say otherwise.
#define TAVRISK_REFUSED (-1)
/// The question has no answer of the kind asked (coincident planes have no common line, a circle
/// lying in a plane no crossing points, circles whose normals disagree no common tangents):
/// nothing was written.
#define TAVRISK_NO_ANSWER (-1)
/// Nothing was found (no crossing point, no tangent): nothing was written.
#define TAVRISK_NONE 0
/// The count the intersection functions return in place of a number of points when the shapes
/// share infinitely many: a line lying in a plane, two lines that coincide seen from above, two
/// equal circles. It is the largest int.
#define TAVRISK_INFINITE_POINTS 2147483647
/// What gte_straightness_xy_line returns for no points.
#define TAVRISK_NO_STRAIGHTNESS (-1.0)
/// The distance and gap values written for too few points (gte_dist_mutiPoint_line,
/// gte_gap_mutiPoint_line).
#define TAVRISK_TOO_FEW_POINTS (-1.0)
/// The largest and smallest gap gte_dist_mutiPoint_mutiPoint writes when the line has no
/// direction seen from above.
#define TAVRISK_UNMEASURED_MAX_GAP 0.0
#define TAVRISK_UNMEASURED_MIN_GAP 1e16

/* On Windows a host links Tavrisk.dll through its import library; TAVRISK_STATIC declares the
 * functions for a program that links the static library instead. The 32-bit functions use the
 * platform's standard calling convention, the one GetProcAddress users expect. */
#if defined(_WIN32)
#if defined(TAVRISK_STATIC)
#define TAVRISK_API
#elif defined(TAVRISK_BUILD)
#define TAVRISK_API __declspec(dllexport)
#else
#define TAVRISK_API __declspec(dllimport)
#endif
#if defined(_M_IX86) || defined(__i386__)
#define TAVRISK_CALL __stdcall
#else
#define TAVRISK_CALL
#endif
#else
#define TAVRISK_API __attribute__((visibility("default")))
#define TAVRISK_CALL
#endif

/* Compile-time layout checks that work in C99, C11 and C++. */
#if defined(__cplusplus)
#define TAVRISK_STATIC_ASSERT(cond, name) static_assert(cond, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define TAVRISK_STATIC_ASSERT(cond, name) _Static_assert(cond, #name)
#else
#define TAVRISK_STATIC_ASSERT(cond, name) typedef char tavrisk_assert_##name[(cond) ? 1 : -1]
#endif
#define TAVRISK_CHECK_OFFSET(type, field, offset) \
    TAVRISK_STATIC_ASSERT(offsetof(type, field) == (offset), type##_##field##_offset)
#define TAVRISK_CHECK_SIZE(type, size) TAVRISK_STATIC_ASSERT(sizeof(type) == (size), type##_size)

#ifdef __cplusplus
extern "C" {
#endif

/* ===================================================================== records
 * Plain structures of doubles with natural alignment; the checks after each pin its layout,
 * which is part of the interface.
 *
 * In C they are built with brace initialisers:
 *     gte_line edge = {{0, 0, 0}, {1, 0, 0}};
 * In C++ they have constructors, and a list of brace lists is ambiguous for gte_line (a point
 * and a vector, or two points?), so the member types are named:
 *     gte_line edge{gte_point(0, 0, 0), gte_vector(1, 0, 0)};
 * gte_plane takes its three points in C++, its two reserved points zeroed, and every record
 * constructed without arguments is all zeros. */

/// A position, in the caller's length unit.
typedef struct gte_point {
    double x; /**< first coordinate */
    double y; /**< second coordinate */
    double z; /**< third coordinate */
#ifdef __cplusplus
    constexpr gte_point() : x(0), y(0), z(0) {}
    constexpr gte_point(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
#endif
} gte_point;
TAVRISK_CHECK_SIZE(gte_point, 24);
TAVRISK_CHECK_OFFSET(gte_point, x, 0);
TAVRISK_CHECK_OFFSET(gte_point, y, 8);
TAVRISK_CHECK_OFFSET(gte_point, z, 16);

/// A direction; any length, the functions normalise it where they need a unit vector.
typedef struct gte_vector {
    double x; /**< first component */
    double y; /**< second component */
    double z; /**< third component */
#ifdef __cplusplus
    constexpr gte_vector() : x(0), y(0), z(0) {}
    constexpr gte_vector(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
#endif
} gte_vector;
TAVRISK_CHECK_SIZE(gte_vector, 24);
TAVRISK_CHECK_OFFSET(gte_vector, x, 0);
TAVRISK_CHECK_OFFSET(gte_vector, y, 8);
TAVRISK_CHECK_OFFSET(gte_vector, z, 16);

/// An infinite line through pt along vector.
typedef struct gte_line {
    gte_point pt;      /**< a point on the line */
    gte_vector vector; /**< direction, any non-zero length */
#ifdef __cplusplus
    constexpr gte_line() : pt(), vector() {}
    constexpr gte_line(gte_point pt_, gte_vector vector_) : pt(pt_), vector(vector_) {}
    /// Line through a towards b, with a unit vector; (0,0,0) when b is within 1e-8 of a.
    gte_line(gte_point a, gte_point b) : pt(a), vector(b.x - a.x, b.y - a.y, b.z - a.z) {
        double const length =
            sqrt((vector.x * vector.x + vector.y * vector.y) + vector.z * vector.z);
        if (length < 1e-8) {
            vector = gte_vector();
        } else {
            vector = gte_vector(vector.x / length, vector.y / length, vector.z / length);
        }
    }
#endif
} gte_line;
TAVRISK_CHECK_SIZE(gte_line, 48);
TAVRISK_CHECK_OFFSET(gte_line, pt, 0);
TAVRISK_CHECK_OFFSET(gte_line, vector, 24);

/// A ray from its origin pt along vector.
typedef struct gte_ray {
    gte_point pt;      /**< origin of the ray */
    gte_vector vector; /**< direction, any non-zero length */
#ifdef __cplusplus
    constexpr gte_ray() : pt(), vector() {}
    constexpr gte_ray(gte_point pt_, gte_vector vector_) : pt(pt_), vector(vector_) {}
#endif
} gte_ray;
TAVRISK_CHECK_SIZE(gte_ray, 48);
TAVRISK_CHECK_OFFSET(gte_ray, pt, 0);
TAVRISK_CHECK_OFFSET(gte_ray, vector, 24);

/// A line segment between two end points.
typedef struct gte_lseg {
    gte_point pt1; /**< first end point */
    gte_point pt2; /**< second end point */
#ifdef __cplusplus
    constexpr gte_lseg() : pt1(), pt2() {}
    constexpr gte_lseg(gte_point pt1_, gte_point pt2_) : pt1(pt1_), pt2(pt2_) {}
#endif
} gte_lseg;
TAVRISK_CHECK_SIZE(gte_lseg, 48);
TAVRISK_CHECK_OFFSET(gte_lseg, pt1, 0);
TAVRISK_CHECK_OFFSET(gte_lseg, pt2, 24);

/// A circle in space. A normal shorter than 0.001 is taken as (0,0,1).
typedef struct gte_circle {
    gte_point center;  /**< centre */
    double radius;     /**< radius, in the caller's length unit */
    gte_vector vector; /**< normal of the circle's plane, any length */
#ifdef __cplusplus
    constexpr gte_circle() : center(), radius(0), vector() {}
    constexpr gte_circle(gte_point center_, double radius_, gte_vector vector_)
        : center(center_), radius(radius_), vector(vector_) {}
#endif
} gte_circle;
TAVRISK_CHECK_SIZE(gte_circle, 56);
TAVRISK_CHECK_OFFSET(gte_circle, center, 0);
TAVRISK_CHECK_OFFSET(gte_circle, radius, 24);
TAVRISK_CHECK_OFFSET(gte_circle, vector, 32);

/// An arc is measured as its full circle: the same record.
typedef gte_circle gte_arc;

/// A plane through three points, oriented by (pt2 - pt1) x (pt3 - pt1).
typedef struct gte_plane {
    gte_point pt1;       /**< first point on the plane */
    gte_point pt2;       /**< second point on the plane */
    gte_point pt3;       /**< third point on the plane */
    gte_point reserved1; /**< (0,0,0) by construction; never read */
    gte_point reserved2; /**< (0,0,0) by construction; never read */
#ifdef __cplusplus
    constexpr gte_plane() : pt1(), pt2(), pt3(), reserved1(), reserved2() {}
    constexpr gte_plane(gte_point pt1_, gte_point pt2_, gte_point pt3_)
        : pt1(pt1_), pt2(pt2_), pt3(pt3_), reserved1(), reserved2() {}
#endif
} gte_plane;
TAVRISK_CHECK_SIZE(gte_plane, 120);
TAVRISK_CHECK_OFFSET(gte_plane, pt1, 0);
TAVRISK_CHECK_OFFSET(gte_plane, pt2, 24);
TAVRISK_CHECK_OFFSET(gte_plane, pt3, 48);
TAVRISK_CHECK_OFFSET(gte_plane, reserved1, 72);
TAVRISK_CHECK_OFFSET(gte_plane, reserved2, 96);

/// A filled rectangle in space.
typedef struct gte_rect {
    gte_point center;      /**< centre */
    double extent1;        /**< half-length along mainVector */
    double extent2;        /**< half-length along norVector x mainVector */
    double reserved;       /**< never read or written */
    gte_vector norVector;  /**< normal of the rectangle, any length */
    gte_vector mainVector; /**< first in-plane axis, any length */
#ifdef __cplusplus
    constexpr gte_rect()
        : center(), extent1(0), extent2(0), reserved(0), norVector(), mainVector() {}
    constexpr gte_rect(gte_point center_, double extent1_, double extent2_, gte_vector norVector_,
                       gte_vector mainVector_)
        : center(center_),
          extent1(extent1_),
          extent2(extent2_),
          reserved(0),
          norVector(norVector_),
          mainVector(mainVector_) {}
#endif
} gte_rect;
TAVRISK_CHECK_SIZE(gte_rect, 96);
TAVRISK_CHECK_OFFSET(gte_rect, center, 0);
TAVRISK_CHECK_OFFSET(gte_rect, extent1, 24);
TAVRISK_CHECK_OFFSET(gte_rect, extent2, 32);
TAVRISK_CHECK_OFFSET(gte_rect, reserved, 40);
TAVRISK_CHECK_OFFSET(gte_rect, norVector, 48);
TAVRISK_CHECK_OFFSET(gte_rect, mainVector, 72);

/// A quadrilateral given by its four corners.
typedef struct gte_quad {
    gte_point pt1; /**< first corner */
    gte_point pt2; /**< second corner */
    gte_point pt3; /**< third corner */
    gte_point pt4; /**< fourth corner */
#ifdef __cplusplus
    constexpr gte_quad() : pt1(), pt2(), pt3(), pt4() {}
    constexpr gte_quad(gte_point pt1_, gte_point pt2_, gte_point pt3_, gte_point pt4_)
        : pt1(pt1_), pt2(pt2_), pt3(pt3_), pt4(pt4_) {}
#endif
} gte_quad;
TAVRISK_CHECK_SIZE(gte_quad, 96);
TAVRISK_CHECK_OFFSET(gte_quad, pt1, 0);
TAVRISK_CHECK_OFFSET(gte_quad, pt2, 24);
TAVRISK_CHECK_OFFSET(gte_quad, pt3, 48);
TAVRISK_CHECK_OFFSET(gte_quad, pt4, 72);

/// An ellipse; the distance functions read only its centre.
typedef struct gte_ellipse {
    double majorRadius;    /**< half-length of the major axis */
    double minorRadius;    /**< half-length of the minor axis */
    gte_point center;      /**< centre */
    gte_vector norVector;  /**< normal of the ellipse's plane */
    gte_vector mainVector; /**< direction of the major axis */
#ifdef __cplusplus
    constexpr gte_ellipse() : majorRadius(0), minorRadius(0), center(), norVector(), mainVector() {}
    constexpr gte_ellipse(double majorRadius_, double minorRadius_, gte_point center_,
                          gte_vector norVector_, gte_vector mainVector_)
        : majorRadius(majorRadius_),
          minorRadius(minorRadius_),
          center(center_),
          norVector(norVector_),
          mainVector(mainVector_) {}
#endif
} gte_ellipse;
TAVRISK_CHECK_SIZE(gte_ellipse, 88);
TAVRISK_CHECK_OFFSET(gte_ellipse, majorRadius, 0);
TAVRISK_CHECK_OFFSET(gte_ellipse, minorRadius, 8);
TAVRISK_CHECK_OFFSET(gte_ellipse, center, 16);
TAVRISK_CHECK_OFFSET(gte_ellipse, norVector, 40);
TAVRISK_CHECK_OFFSET(gte_ellipse, mainVector, 64);

/// A measured distance between point1 and point2, with its components.
typedef struct gte_dist_result {
    double dx;            /**< |x1 - x2| */
    double dxy;           /**< distance in the XY projection */
    double dist;          /**< distance in space */
    double dxz;           /**< distance in the XZ projection */
    double dy;            /**< |y1 - y2| */
    double dyz;           /**< distance in the YZ projection */
    double dz;            /**< |z1 - z2| */
    gte_point point1;     /**< the measured (or feature) point */
    gte_point point2;     /**< the point found on the other shape */
    gte_vector direction; /**< unit vector from point1 to point2; (0,0,0) when they coincide */
#ifdef __cplusplus
    constexpr gte_dist_result()
        : dx(0), dxy(0), dist(0), dxz(0), dy(0), dyz(0), dz(0), point1(), point2(), direction() {}
#endif
} gte_dist_result;
TAVRISK_CHECK_SIZE(gte_dist_result, 128);
TAVRISK_CHECK_OFFSET(gte_dist_result, dx, 0);
TAVRISK_CHECK_OFFSET(gte_dist_result, dxy, 8);
TAVRISK_CHECK_OFFSET(gte_dist_result, dist, 16);
TAVRISK_CHECK_OFFSET(gte_dist_result, dxz, 24);
TAVRISK_CHECK_OFFSET(gte_dist_result, dy, 32);
TAVRISK_CHECK_OFFSET(gte_dist_result, dyz, 40);
TAVRISK_CHECK_OFFSET(gte_dist_result, dz, 48);
TAVRISK_CHECK_OFFSET(gte_dist_result, point1, 56);
TAVRISK_CHECK_OFFSET(gte_dist_result, point2, 80);
TAVRISK_CHECK_OFFSET(gte_dist_result, direction, 104);

/// An angle with what a host needs to draw it: a vertex and two arm directions.
typedef struct gte_angle_result {
    double angle;          /**< the angle in degrees */
    gte_point centerPoint; /**< vertex at which the angle is drawn */
    gte_vector direction1; /**< first arm, unit length or zero */
    gte_vector direction2; /**< second arm, unit length or zero */
#ifdef __cplusplus
    constexpr gte_angle_result() : angle(0), centerPoint(), direction1(), direction2() {}
#endif
} gte_angle_result;
TAVRISK_CHECK_SIZE(gte_angle_result, 80);
TAVRISK_CHECK_OFFSET(gte_angle_result, angle, 0);
TAVRISK_CHECK_OFFSET(gte_angle_result, centerPoint, 8);
TAVRISK_CHECK_OFFSET(gte_angle_result, direction1, 32);
TAVRISK_CHECK_OFFSET(gte_angle_result, direction2, 56);

/// A gap between two features or point sets.
typedef struct gte_gap_result {
    gte_point centerPoint; /**< midway between the two centres compared */
    gte_vector direction;  /**< unit direction in which the gap is measured */
    double centerGap;      /**< gap between the two centres */
    double minGap;         /**< smallest gap, or the average of the smallest values */
    double maxGap;         /**< largest gap, or the average of the largest values */
#ifdef __cplusplus
    constexpr gte_gap_result() : centerPoint(), direction(), centerGap(0), minGap(0), maxGap(0) {}
#endif
} gte_gap_result;
TAVRISK_CHECK_SIZE(gte_gap_result, 72);
TAVRISK_CHECK_OFFSET(gte_gap_result, centerPoint, 0);
TAVRISK_CHECK_OFFSET(gte_gap_result, direction, 24);
TAVRISK_CHECK_OFFSET(gte_gap_result, centerGap, 48);
TAVRISK_CHECK_OFFSET(gte_gap_result, minGap, 56);
TAVRISK_CHECK_OFFSET(gte_gap_result, maxGap, 64);

/* ===================================================================== point distances
 * From a point, or from a point taken from a feature (the centre of a rectangle, an ellipse or a
 * quadrilateral), to the closest point of a shape. The shape comes first in the arguments and
 * the point second, whatever the order of the words in the name. Each result holds point1 = the
 * given point and point2 = the point found on the shape, so its direction points from the point
 * towards the shape. Nothing is refused: a line or ray with a zero vector measures to its point,
 * a segment of no length to its end point, a plane whose points span no plane as the horizontal
 * plane through their centroid. */

/// Point to its foot on the infinite line.
TAVRISK_API void TAVRISK_CALL gte_dist_point_line(gte_line line, gte_point point,
                                                  gte_dist_result* result);
/// As gte_dist_point_line, and writes that foot of the perpendicular to *foot as well.
TAVRISK_API void TAVRISK_CALL gte_distfootpoint_point_line(gte_line line, gte_point point,
                                                           gte_point* foot,
                                                           gte_dist_result* result);
/// Point to the closest point of the ray: its foot, or the origin when the foot falls behind it.
TAVRISK_API void TAVRISK_CALL gte_dist_point_ray(gte_ray ray, gte_point point,
                                                 gte_dist_result* result);
/// Point to the closest point of the segment: its foot, or the nearer end point.
TAVRISK_API void TAVRISK_CALL gte_dist_point_lseg(gte_lseg lseg, gte_point point,
                                                  gte_dist_result* result);
/// Point to its orthogonal projection on the plane.
TAVRISK_API void TAVRISK_CALL gte_dist_point_plane(gte_plane plane, gte_point point,
                                                   gte_dist_result* result);
/// Point to the closest point of the filled rectangle (above its inside: the foot on it).
TAVRISK_API void TAVRISK_CALL gte_dist_point_rect(gte_rect rect, gte_point point,
                                                  gte_dist_result* result);
/// Point to the circle in three records: result[0] to the centre, result[1] to the nearest circle
/// point, result[2] to the circle point opposite it. A point on the axis, equally near every
/// circle point, measures to one that the normal alone decides.
TAVRISK_API void TAVRISK_CALL gte_dist_point_circle(gte_circle circle, gte_point point,
                                                    gte_dist_result result[3]);
/// gte_dist_point_circle on the arc's full circle.
TAVRISK_API void TAVRISK_CALL gte_dist_point_arc(gte_arc arc, gte_point point,
                                                 gte_dist_result result[3]);
/// Rectangle centre to its foot on the line.
TAVRISK_API void TAVRISK_CALL gte_dist_rectCenter_line(gte_rect rect, gte_line line,
                                                       gte_dist_result* result);
/// Ellipse centre to its foot on the line; no other field of the ellipse is read.
TAVRISK_API void TAVRISK_CALL gte_dist_ellipseCenter_line(gte_ellipse ellipse, gte_line line,
                                                          gte_dist_result* result);
/// Quadrilateral centre, the average of the four corners, to its foot on the line.
TAVRISK_API void TAVRISK_CALL gte_dist_quadCenter_line(gte_quad quad, gte_line line,
                                                       gte_dist_result* result);

/* ===================================================================== linear distances
 * The five pair distances return the shortest distance between two linear features, in the
 * caller's length unit, and report no closest points. The two segment forms measure from the
 * first segment's midpoint and fill a gte_dist_result with point1 = that midpoint. A line or ray
 * with a zero vector acts as its point, a segment of no length as its end point. */

/// Shortest distance between two infinite lines (0 where they cross).
TAVRISK_API double TAVRISK_CALL gte_dist_line_line(gte_line line1, gte_line line2);
/// Shortest distance between an infinite line and a ray.
TAVRISK_API double TAVRISK_CALL gte_dist_line_ray(gte_line line, gte_ray ray);
/// Shortest distance between an infinite line and a segment.
TAVRISK_API double TAVRISK_CALL gte_dist_line_lseg(gte_line line, gte_lseg lseg);
/// Shortest distance between two rays.
TAVRISK_API double TAVRISK_CALL gte_dist_ray_ray(gte_ray ray1, gte_ray ray2);
/// Shortest distance between a ray and a segment.
TAVRISK_API double TAVRISK_CALL gte_dist_ray_lseg(gte_ray ray, gte_lseg lseg);
/// Midpoint of lseg1 to its foot on the infinite line through lseg2, whose extent plays no part
/// (so swapping the segments measures something else).
TAVRISK_API void TAVRISK_CALL gte_dist_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                 gte_dist_result* result);
/// Midpoint of the segment to its orthogonal projection on the plane.
TAVRISK_API void TAVRISK_CALL gte_dist_lseg_plane(gte_lseg lseg, gte_plane plane,
                                                  gte_dist_result* result);

/* ===================================================================== angles
 * The angle in degrees between two features, each reduced to one direction: a line's or ray's
 * vector (only the direction counts, not the point or the ray's one side), a segment's direction
 * from pt2 towards pt1 (not from pt1 towards pt2), a plane's unit normal, oriented by
 * (pt2 - pt1) x (pt3 - pt1). Two linear features give 0 to 180 and depend on the sense of both:
 * reversing one turns a into 180 - a. A linear feature against a plane gives 0 to 90, the angle
 * to the plane itself whatever the senses (0 along the plane, 90 along its normal). The XY forms
 * drop z from both directions first: the angle seen from above. A zero direction (a zero vector,
 * a segment of no length, a vertical direction seen from above) gives 90, or 0 against a plane. */

/// Angle between two lines, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angle_line_line(gte_line line1, gte_line line2);
/// Angle between a line and a ray, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angle_line_ray(gte_line line, gte_ray ray);
/// Angle between a line and a segment, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angle_line_lseg(gte_line line, gte_lseg lseg);
/// Angle between two rays, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angle_ray_ray(gte_ray ray1, gte_ray ray2);
/// Angle between a ray and a segment, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angle_ray_lseg(gte_ray ray, gte_lseg lseg);
/// Angle between two segments, 0 to 180; reversing both leaves it unchanged.
TAVRISK_API double TAVRISK_CALL gte_angle_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2);
/// Angle between two lines seen from above, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angleXY_line_line(gte_line line1, gte_line line2);
/// Angle between a line and a ray seen from above, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angleXY_line_ray(gte_line line, gte_ray ray);
/// Angle between a line and a segment seen from above, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angleXY_line_lseg(gte_line line, gte_lseg lseg);
/// Angle between two rays seen from above, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angleXY_ray_ray(gte_ray ray1, gte_ray ray2);
/// Angle between a ray and a segment seen from above, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angleXY_ray_lseg(gte_ray ray, gte_lseg lseg);
/// Angle between two segments seen from above, 0 to 180.
TAVRISK_API double TAVRISK_CALL gte_angleXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2);
/// Angle between a line and a plane, 0 to 90.
TAVRISK_API double TAVRISK_CALL gte_angle_line_plane(gte_line line, gte_plane plane);
/// Angle between a ray and a plane, 0 to 90.
TAVRISK_API double TAVRISK_CALL gte_angle_ray_plane(gte_ray ray, gte_plane plane);
/// Angle between a segment and a plane, 0 to 90.
TAVRISK_API double TAVRISK_CALL gte_angle_lseg_plane(gte_lseg lseg, gte_plane plane);
/// Angle between the normals of two planes, 0 to 180: parallel planes give 0 or 180 by the
/// orientations of their records.
TAVRISK_API double TAVRISK_CALL gte_angle_plane_plane(gte_plane plane1, gte_plane plane2);

/* ===================================================================== angle drawing
 * An angle measured as by the angle functions, with what a host needs to draw it: each returns
 * the angle in degrees and writes the whole *output at once (the angle again, the vertex
 * centerPoint and two arms, unit or zero) on every path. A segment's direction runs from pt2
 * towards pt1, as in the angle functions. */

/// Angle between two segments, 0 to 180. The arms are the segments' directions; the vertex is
/// the point of second's line nearest to first's line (where they cross, if they do).
TAVRISK_API double TAVRISK_CALL gte_angle_draw_lseg_lseg(gte_lseg first, gte_lseg second,
                                                         gte_angle_result* output);
/// As gte_angle_draw_lseg_lseg with every end point first dropped onto z = 0: the vertex has
/// z = 0 and a vertical segment has a zero arm.
TAVRISK_API double TAVRISK_CALL gte_angleXY_draw_lseg_lseg(gte_lseg first, gte_lseg second,
                                                           gte_angle_result* output);
/// Angle between a segment and a plane, 0 to 90. direction1 is the segment's direction, reversed
/// if need be to lean to the side the normal points to; the vertex is where the line through pt1
/// along it meets the plane; direction2 is direction1 projected into the plane (zero along the
/// normal). A segment parallel to the plane, lying in it or of no length: vertex (0, 0, 0), both
/// arms direction1.
TAVRISK_API double TAVRISK_CALL gte_angle_draw_lseg_plane(gte_lseg segment, gte_plane plane,
                                                          gte_angle_result* output);
/// Angle between the normals of two planes, 0 to 180. The vertex is the foot of first.pt1 on the
/// planes' common line; each arm stands perpendicular to that line within its own plane.
/// Parallel or coincident planes: vertex first.pt1, both arms one direction in the first plane.
TAVRISK_API double TAVRISK_CALL gte_angle_draw_plane_plane(gte_plane first, gte_plane second,
                                                           gte_angle_result* output);

/* ===================================================================== bisectors
 * Geometry halfway between two features, written whole to *output. Where a point is combined
 * with another feature the point comes first (unlike the point distances). Here a segment runs
 * from pt1 towards pt2. */

/// Midpoint of two points.
TAVRISK_API void TAVRISK_CALL gte_bisector_point_point(gte_point first, gte_point second,
                                                       gte_point* output);
/// Midpoint between the point and its foot on the infinite line.
TAVRISK_API void TAVRISK_CALL gte_bisector_point_line(gte_point point, gte_line line,
                                                      gte_point* output);
/// Segment across the middle of two points: centred on their midpoint, as long as they are
/// apart, horizontal and perpendicular to them (along x for a pair within about 2.6 degrees of
/// vertical). It runs towards +x, or +y when parallel to y, whichever point comes first.
TAVRISK_API void TAVRISK_CALL gte_bisectorLseg_point_point(gte_point first, gte_point second,
                                                           gte_lseg* output);
/// Copy of the segment, same length and sense, centred halfway between the point and its foot
/// on the segment's infinite line.
TAVRISK_API void TAVRISK_CALL gte_bisectorLseg_point_lseg(gte_point point, gte_lseg segment,
                                                          gte_lseg* output);
/// Segment along the bisector of the acute angle of two segments, centred between their centres
/// and as long as their average length, in first's sense. Parallel segments (the sine of their
/// angle below 0.001, or one of no length): the segment joining the midpoints of their matching
/// end points.
TAVRISK_API void TAVRISK_CALL gte_bisector_lseg_lseg(gte_lseg first, gte_lseg second,
                                                     gte_lseg* output);

/* ===================================================================== intersections
 * The return value counts what was found: TAVRISK_NONE (0) nothing, 1 or 2 points (or 1 line)
 * written, TAVRISK_INFINITE_POINTS when the shapes share infinitely many points, and
 * TAVRISK_NO_ANSWER (-1) where the question has no answer of this kind (coincident planes, a circle
 * lying in the plane, circles not in one plane). Only what is counted is written: with 1 point,
 * result[1] keeps what the caller put there. Arcs are intersected as their full circles. */

/// Where the line meets the plane: 1 with *point; TAVRISK_NONE parallel and apart;
/// TAVRISK_INFINITE_POINTS when the line lies in the plane, with its pt as *point.
TAVRISK_API int TAVRISK_CALL gte_intersec_line_plane(gte_line line, gte_plane plane,
                                                     gte_point* point);
/// As gte_intersec_line_plane for the ray: a plane behind the origin gives TAVRISK_NONE, one
/// through it 1 with the origin; a ray lying in the plane gives TAVRISK_INFINITE_POINTS with its
/// origin.
TAVRISK_API int TAVRISK_CALL gte_intersec_ray_plane(gte_ray ray, gte_plane plane, gte_point* point);
/// As gte_intersec_line_plane for the segment, end points included (TAVRISK_NONE when the crossing
/// lies beyond an end); a segment lying in the plane gives TAVRISK_INFINITE_POINTS with its
/// midpoint.
TAVRISK_API int TAVRISK_CALL gte_intersec_lseg_plane(gte_lseg lseg, gte_plane plane,
                                                     gte_point* point);
/// 1 with the common line in *line (pt its point nearest the coordinate origin, vector the unit
/// normal1 x normal2); TAVRISK_NONE parallel and apart; TAVRISK_NO_ANSWER the planes coincide.
/// Only exactly parallel planes give either: nearly parallel ones meet in a line far away.
TAVRISK_API int TAVRISK_CALL gte_intersec_plane_plane(gte_plane plane1, gte_plane plane2,
                                                      gte_line* line);
/// Crossing of the two lines seen from above: 1 with *point (x, y the crossing, z line1's pt.z);
/// TAVRISK_NONE parallel and apart; TAVRISK_INFINITE_POINTS when they coincide. The vectors count
/// as given (any length, z ignored). A vertical line (no XY direction) is a point seen from above:
/// 1 with that point when it lies exactly on the other line's trace (or, both vertical, on the
/// other point), else TAVRISK_NONE.
TAVRISK_API int TAVRISK_CALL gte_intersecXY_line_line(gte_line line1, gte_line line2,
                                                      gte_point* point);
/// Where the circle meets the plane: 2 points, result[0] the one farther along (plane normal x
/// circle normal); 1 where the circle touches the plane, also when the discriminant just misses
/// (the centre within 1e-8 of the radius from the plane, its foot within 1e-8 of the circle's
/// plane: the foot); TAVRISK_NONE none; TAVRISK_NO_ANSWER the circle lies in the plane.
TAVRISK_API int TAVRISK_CALL gte_intersec_plane_circle(gte_plane plane, gte_circle circle,
                                                       gte_point result[2]);
/// Where the line, projected along the circle's axis into its plane, meets the circle:
/// TAVRISK_NONE, 1 or 2 points, result[0] first along the line's vector. A line within about
/// 0.057 degrees of the axis gives TAVRISK_NONE.
TAVRISK_API int TAVRISK_CALL gte_intersec_line_circle(gte_line line, gte_circle circle,
                                                      gte_point result[2]);
/// gte_intersec_line_circle on the arc's full circle.
TAVRISK_API int TAVRISK_CALL gte_intersec_line_arc(gte_line line, gte_arc arc, gte_point result[2]);
/// Where two circles in one plane meet: 2 points, seen from the side circle1's normal points to
/// result[0] left and result[1] right of the way from circle1's centre to circle2's; 1 only when
/// they touch exactly; TAVRISK_NONE none. TAVRISK_NO_ANSWER when the normals are more than about
/// 2.56 degrees apart or opposite, or circle2's centre lies more than 0.001 from circle1's plane.
/// Concentric circles give TAVRISK_INFINITE_POINTS for equal radii, else TAVRISK_NONE, and write
/// nothing.
TAVRISK_API int TAVRISK_CALL gte_intersec_circle_circle(gte_circle circle1, gte_circle circle2,
                                                        gte_point result[2]);
/// gte_intersec_circle_circle with the arc's full circle as circle2.
TAVRISK_API int TAVRISK_CALL gte_intersec_circle_arc(gte_circle circle, gte_arc arc,
                                                     gte_point result[2]);
/// gte_intersec_circle_circle on the two arcs' full circles.
TAVRISK_API int TAVRISK_CALL gte_intersec_arc_arc(gte_arc arc1, gte_arc arc2, gte_point result[2]);

/* ===================================================================== circle distances
 * Up to three records in result[3]. result[0] runs from centre to centre (point1 on circle1's
 * centre), or from the circle's centre to its foot on the line. result[1] holds the nearest pair
 * and result[2] the farthest pair, point1 on circle1 (or the circle) and point2 on circle2 (or
 * the line). The pairs come from one cut, not from a search over the circles: a measuring plane
 * through both centres cuts each circle at the ends of a diameter and only these points are
 * compared; for a line, the circle is cut along the diameter that points towards the line.
 * Returns the number of records this call wrote: 3, all fresh, or 1 when no pair was measured
 * (result[1] and result[2] keep what the caller put there). NaN in the input gives NaN records,
 * never stale ones. Arcs are measured as their full circles. */

/// Two circles in one plane, cut along their centre line (concentric ones along a fixed
/// direction in their plane). 1 unless the normals are parallel, in either sense, within 1e-6 of
/// their cosine and circle2's centre lies within 1e-5 of circle1's plane; 1 also when the cut
/// does not give two points on each circle (a radius of 0).
TAVRISK_API int TAVRISK_CALL gte_dist_circle_circle(gte_circle circle1, gte_circle circle2,
                                                    gte_dist_result result[3]);
/// Two circles in any position, cut by the plane through both centres that holds their mean
/// normal (the normals taken in agreeing senses). Unless one circle encloses the other, result[1]
/// is the pair opposite the farthest pair. 1 for concentric or coaxial circles, or a cut that
/// does not give two points on each circle.
TAVRISK_API int TAVRISK_CALL gte_dist3D_circle_circle(gte_circle circle1, gte_circle circle2,
                                                      gte_dist_result result[3]);
/// Seen from above: gte_dist_circle_circle with circle2's centre moved to circle1's z, its
/// normal kept; result[0].point2 has circle1's z.
TAVRISK_API int TAVRISK_CALL gte_distXY_circle_circle(gte_circle circle1, gte_circle circle2,
                                                      gte_dist_result result[3]);
/// gte_dist_circle_circle with the arc's full circle as circle1.
TAVRISK_API int TAVRISK_CALL gte_dist_arc_circle(gte_arc arc, gte_circle circle,
                                                 gte_dist_result result[3]);
/// gte_dist_circle_circle on the two arcs' full circles.
TAVRISK_API int TAVRISK_CALL gte_dist_arc_arc(gte_arc arc1, gte_arc arc2,
                                              gte_dist_result result[3]);
/// Line to circle: result[1] from the nearer and result[2] from the farther end of the diameter
/// pointing towards the line, each to its foot on the line. 1 when the line meets the circle's
/// axis at the foot of the centre (a line through the centre, say): no diameter is singled out.
/// A line within about 2.56 degrees of the axis takes the diameter through the point where it
/// pierces the circle's plane (1 when that is the centre; TAVRISK_NO_ANSWER, nothing written,
/// with no such point).
TAVRISK_API int TAVRISK_CALL gte_dist_line_circle(gte_line line, gte_circle circle,
                                                  gte_dist_result result[3]);
/// gte_dist_line_circle on the arc's full circle.
TAVRISK_API int TAVRISK_CALL gte_dist_line_arc(gte_line line, gte_arc arc,
                                               gte_dist_result result[3]);
/// gte_dist_line_circle on the segment's whole line, from pt1 towards pt2 (along z for a segment
/// of no length): the feet may lie beyond the segment's ends.
TAVRISK_API int TAVRISK_CALL gte_dist_lseg_circle(gte_lseg lseg, gte_circle circle,
                                                  gte_dist_result result[3]);
/// gte_dist_lseg_circle on the arc's full circle.
TAVRISK_API int TAVRISK_CALL gte_dist_lseg_arc(gte_lseg lseg, gte_arc arc,
                                               gte_dist_result result[3]);

/* ===================================================================== tangents
 * Tangent lines to circles, each written as a gte_line whose pt is its tangent point on the
 * first circle (or the given point) and whose vector is a unit direction. Arcs are treated as
 * their full circles. A circle with a negative, infinite or NaN radius, or a centre or normal
 * that is not finite, has no tangents. */

/// Tangents from the point, projected into the circle's plane, to the circle. Returns the number
/// of lines[] and points[] written: 2 for a point outside, lines[k] running from the projected
/// point towards the tangent point points[k], points[0] on the side of normal x (point - centre);
/// 1 for a point on the circle, lines[0] the tangent there and points[0] the point; TAVRISK_NONE
/// for a point inside (or on the axis), and for a circle that is no circle (a radius that is
/// negative, infinite or NaN, a centre or normal that is not finite) or a point that is not
/// finite.
TAVRISK_API int TAVRISK_CALL gte_tangent_point_circle(gte_point point, gte_circle circle,
                                                      gte_line lines[2], gte_point points[2]);
/// Common tangents of two circles: *outcount receives the number of outer tangents (the circles
/// on one side), *incount that of inner ones (passing between them); returns their sum, 0 to 4.
/// Outer tangent k goes to outline[k], touching circle1 at outpoint[2k] and circle2 at
/// outpoint[2k + 1]; inner ones to inLine and inpoint likewise. Of each kind: 2, tangent 0 touching
/// circle1 where the radius towards circle2 lands when turned about circle1's normal by +theta and
/// tangent 1 by -theta; 1, in slot 0, for circles touching exactly (inside for outer, outside for
/// inner); 0 for circles one inside the other (outer) or overlapping (inner). TAVRISK_NO_ANSWER,
/// nothing written,
/// when the normals are more than about 2.56 degrees apart or opposite; 0 with both counts 0 and
/// nothing else written when either circle is no circle (a radius that is negative, infinite or
/// NaN, a centre or normal that is not finite). The circles need not share a plane: all turns
/// are about circle1's normal.
TAVRISK_API int TAVRISK_CALL gte_tangent_circle_circle(gte_circle circle1, gte_circle circle2,
                                                       int* outcount, gte_line outline[2],
                                                       gte_point outpoint[4], int* incount,
                                                       gte_line inLine[2], gte_point inpoint[4]);
/// gte_tangent_circle_circle with the arc's full circle as circle1.
TAVRISK_API int TAVRISK_CALL gte_tangent_arc_circle(gte_arc arc, gte_circle circle, int* outcount,
                                                    gte_line outline[2], gte_point outpoint[4],
                                                    int* incount, gte_line inLine[2],
                                                    gte_point inpoint[4]);
/// gte_tangent_circle_circle on the two arcs' full circles.
TAVRISK_API int TAVRISK_CALL gte_tangent_arc_arc(gte_arc arc1, gte_arc arc2, int* outcount,
                                                 gte_line outline[2], gte_point outpoint[4],
                                                 int* incount, gte_line inLine[2],
                                                 gte_point inpoint[4]);

/* ===================================================================== point sets
 * How a set of measured points lies against a line, and two sets against each other across a
 * line. The _line forms measure in space: each point's (unsigned) distance to the line. The
 * two-set forms measure in XY: the gap between a point of points1 and a point of points2 along
 * the direction across the line, z ignored, for every pair.
 * The interval and gapSigma forms average the averageCount largest and the averageCount
 * smallest values after dropping the trimCount largest and the trimCount smallest. They refuse
 * (TAVRISK_REFUSED, nothing written) unless trimCount >= 0, averageCount >= 1 and each set has
 * count > 2 * (trimCount + averageCount). With useSigma true, outliers are tamed first: a value
 * further than sigmaFactor standard deviations (population, divisor count) from the mean is
 * replaced by the mean; a value exactly at that limit stays, and sigmaFactor is read only then.
 * One NaN value makes both averages NaN. */

/// Largest and smallest distance of the points to the line, to *maxDist and *minDist; both
/// TAVRISK_TOO_FEW_POINTS (-1) for fewer than two points.
TAVRISK_API void TAVRISK_CALL gte_dist_mutiPoint_line(const gte_point* points, int count,
                                                      gte_line line, double* maxDist,
                                                      double* minDist);
/// Gap of the points to the line: centerPoint halfway between their centroid and its foot on the
/// line, direction the unit vector from the centroid towards the line ((0, 0, 0) when it lies on
/// it), centerGap the centroid's distance, minGap and maxGap the smallest and largest distance.
/// Fewer than two points set only the three gaps, to TAVRISK_TOO_FEW_POINTS (-1).
TAVRISK_API void TAVRISK_CALL gte_gap_mutiPoint_line(const gte_point* points, int count,
                                                     gte_line line, gte_gap_result* result);
/// Trimmed averages of the largest and of the smallest distances of the points to the line, to
/// *maxAverage and *minAverage. TAVRISK_MEASURED, or TAVRISK_REFUSED.
TAVRISK_API int TAVRISK_CALL gte_interval_mutiPoint_line(const gte_point* points, int count,
                                                         gte_line line, int trimCount,
                                                         int averageCount, double sigmaFactor,
                                                         bool useSigma, double* maxAverage,
                                                         double* minAverage);
/// Gap of the points to the line as gte_gap_mutiPoint_line, with minGap and maxGap the trimmed
/// averages of the distances; the centroid is that of the points as given. TAVRISK_MEASURED, or
/// TAVRISK_REFUSED.
TAVRISK_API int TAVRISK_CALL gte_gapSigma_mutiPoint_line(const gte_point* points, int count,
                                                         gte_line line, int trimCount,
                                                         int averageCount, double sigmaFactor,
                                                         bool useSigma, gte_gap_result* result);
/// Largest and smallest gap of every pair across the line in XY, to *maxDist and *minDist,
/// measured along (vector.y, -vector.x) of the line made unit (its pt is not read). false with
/// nothing written for an empty set; false with TAVRISK_UNMEASURED_MAX_GAP (0) and
/// TAVRISK_UNMEASURED_MIN_GAP (1e16) written when the line's vector has an XY length below
/// 0.0001; true otherwise.
TAVRISK_API bool TAVRISK_CALL gte_dist_mutiPoint_mutiPoint(const gte_point* points1, int count1,
                                                           const gte_point* points2, int count2,
                                                           gte_line line, double* maxDist,
                                                           double* minDist);
/// Gap of two sets across the line in XY: centerPoint halfway between their centroids (in
/// space), direction (vector.y, -vector.x) of the line made unit with z 0, centerGap the gap of
/// the centroids, minGap and maxGap the smallest and largest pair gap. true; false, nothing
/// written, for an empty set or a line vector with an XY length below 0.0001.
TAVRISK_API bool TAVRISK_CALL gte_gapXY_mutiPoint_mutiPoint(const gte_point* points1, int count1,
                                                            const gte_point* points2, int count2,
                                                            gte_line line, gte_gap_result* result);
/// gte_interval_mutiPoint_line run on each set against the same line, the results added:
/// *maxAverage = the two trimmed largest, *minAverage = the two trimmed smallest (for edges on
/// either side of the line, the widest and narrowest widths between them). TAVRISK_MEASURED, or
/// TAVRISK_REFUSED with nothing written when either set is empty or refused.
TAVRISK_API int TAVRISK_CALL gte_interval_mutiPoint_mutiPoint(const gte_point* points1, int count1,
                                                              const gte_point* points2, int count2,
                                                              gte_line line, int trimCount,
                                                              int averageCount, double sigmaFactor,
                                                              bool useSigma, double* maxAverage,
                                                              double* minAverage);
/// Gap of two sets across the line from all count1 * count2 pair gaps, minGap and maxGap their
/// trimmed averages, centerPoint and centerGap from the centroids. direction is z x (the line's
/// unit direction), made unit: opposite to gte_gapXY_mutiPoint_mutiPoint's, and zero for a
/// vertical line, which makes every gap 0. With useSigma, the outliers are points whose distance
/// to the vertical plane through the line strays from their centroid's by more than sigmaFactor
/// standard deviations; each is moved square to the plane onto the centroid's distance (the
/// centroids stay those of the points as given). TAVRISK_MEASURED, or TAVRISK_REFUSED. The pair
/// gaps are not
/// stored: the memory the call takes grows with count1 + count2, not with their product.
TAVRISK_API int TAVRISK_CALL gte_gapSigma_mutiPoint_mutiPoint(
    const gte_point* points1, int count1, const gte_point* points2, int count2, gte_line line,
    int trimCount, int averageCount, double sigmaFactor, bool useSigma, gte_gap_result* result);

/* ===================================================================== segment gaps in XY
 * Two measured edges given as segments, seen from above (z ignored), once lseg2 is aligned with
 * lseg1 by the function's rule. They are measured across their bisector, the sum of their unit
 * directions: the measuring direction is the bisector turned a quarter turn clockwise seen from
 * above. The centre gap lies between the segments' midpoints; the largest and smallest gaps are
 * those between an end point of one and an end point of the other. */

/// Returns the centre gap and writes the largest and smallest end-point gaps to *maxDist and
/// *minDist; lseg2 is reversed first when it runs against lseg1 (negative dot product).
TAVRISK_API double TAVRISK_CALL gte_intervalXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                         double* maxDist, double* minDist);
/// Gap record: centerPoint halfway between the midpoints (z 0), direction the measuring direction
/// (z 0), centerGap, minGap, maxGap. lseg2 is reversed first when it runs within 10 degrees of
/// opposite to lseg1, or, between 10 and 170 degrees from it, when their bisector runs within 45
/// degrees of the line joining the midpoints (edges given head to tail).
TAVRISK_API void TAVRISK_CALL gte_gapXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                  gte_gap_result* result);
/// Exists for hosts that bind it: measures nothing and writes nothing.
TAVRISK_API void TAVRISK_CALL gte_gap_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                gte_gap_result* result);

/* ===================================================================== fitting and flatness
 * Orthogonal least-squares fits. The two fit functions need at least three points and return
 * TAVRISK_MEASURED, or TAVRISK_REFUSED with nothing written for fewer points (or a null array), a
 * coordinate that is not finite, a fit with no unique answer and a record that would not be finite.
 * */

/// Best-fit line, reported as the segment the points span along it: pt1 and pt2 are the feet on the
/// line of the two points lying farthest apart along it, pt1 from the one earlier in the array (the
/// first such pair wins ties). TAVRISK_REFUSED also when the direction is not unique (the largest
/// spread ties).
TAVRISK_API int TAVRISK_CALL gte_fit_lseg(const gte_point* points, int count, gte_lseg* segment);
/// Best-fit plane through three of the points projected onto it: pt1 and pt2 from the pair farthest
/// apart, pt3 from the point farthest from both whose projection is not in line with theirs (each
/// search looks at about 100 evenly spaced points; at all of them when that finds no third). The
/// record's orientation follows these points, not the fitted normal; reserved1 and reserved2 are
/// zero. TAVRISK_REFUSED also when the normal is not unique (the smallest spread ties) or no point
/// lies off the line of the first two.
TAVRISK_API int TAVRISK_CALL gte_fit_plane(const gte_point* points, int count, gte_plane* plane);
/// Flatness of the points in a text file: the width of the band of their signed distances to the
/// best-fit plane (0 for one or two points), to *flatness. TAVRISK_FLATNESS_MEASURED (0) on
/// success; TAVRISK_REFUSED, flatness unwritten,
/// when the file is missing, cannot be opened or read, is not a regular file, is empty or is held
/// by another call, when a value is not entirely a finite number in the "C" locale or is longer
/// than 1024 characters, when the values do not make whole points (at least one), and when the
/// flatness would not be finite. Values are separated by spaces, commas, tabs or line breaks,
/// three to a point; a UTF-8 byte order mark is skipped; only the bytes present when the file is
/// opened are read. path is a zero-terminated narrow string (on Windows in the ANSI code page).
TAVRISK_API int TAVRISK_CALL gte_measure_platness_pointCloud_file(const char* path,
                                                                  double* flatness);

/* ===================================================================== form measures
 * Form of point sets seen from above. NaN coordinates give NaN figures with the usual return
 * value. */

/// Centroid (in space) and one-sigma ellipse of the points in XY: *angle in radians, -pi/4 to
/// pi/4, the direction of the ellipse axis nearer the x axis (0 for equal spreads without
/// correlation); *major and *minor the full axis lengths. TAVRISK_MEASURED, or TAVRISK_REFUSED,
/// nothing written, for fewer
/// than three points.
TAVRISK_API int TAVRISK_CALL gte_measure_moment2(const gte_point* points, int count,
                                                 gte_point* centroid, double* angle, double* major,
                                                 double* minor);
/// Profile of measured points against a nominal contour given as nominalCount points with one
/// normal each: the width of the band (largest minus smallest) of the deviations, to *profile.
/// Each measured point is paired with the nominal point nearest in XY (the first of equally near
/// ones) and deviates along the XY part of its normal, taken as given (not made unit).
/// TAVRISK_MEASURED, or TAVRISK_REFUSED,
/// nothing written, for a null array or a count below 1.
TAVRISK_API int TAVRISK_CALL gte_measure_profile2D(const gte_point* measured, int measuredCount,
                                                   const gte_point* nominal,
                                                   const gte_vector* normals, int nominalCount,
                                                   double* profile);
/// Straightness: returns the width of the band of the points' signed horizontal deviations from
/// the line and writes deviation i to deviations[i] (count doubles). Positive to the right of the
/// line's direction seen from above; an inclined line scales each deviation by the length of the
/// XY part of its unit direction; a line within about 0.057 degrees of vertical is measured
/// across y. TAVRISK_NO_STRAIGHTNESS (-1.0), nothing written, for no points.
TAVRISK_API double TAVRISK_CALL gte_straightness_xy_line(const gte_point* points, int count,
                                                         gte_line line, double* deviations);

/* ===================================================================== tools */

/// Rotates vector about axis (any length) by angle degrees, right-hand rule, to *result; the
/// length is kept. A zero axis gives cos(angle) * vector.
TAVRISK_API void TAVRISK_CALL gte_tool_rotate_vector(gte_vector vector, gte_vector axis,
                                                     double angle, gte_vector* result);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVRISK_H */
