/* Tavrisk: geometric measurement functions for dimensional metrology.
 *
 * A plain C interface over small records of doubles. Every function is stateless and may be
 * called from any number of threads at once. Inputs are records by value; outputs are written
 * through caller-owned pointers, and a null output pointer means "do not write it". Lengths are
 * in the caller's unit, angles in degrees. */
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

#if defined(_WIN32)
#if defined(TAVRISK_BUILD)
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

/* ===================================================================== records */

/** A position, in the caller's length unit. */
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

/** A direction; any length, the functions normalise it where they need a unit vector. */
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

/** An infinite line through pt along vector. */
typedef struct gte_line {
    gte_point pt;      /**< a point on the line */
    gte_vector vector; /**< direction, any non-zero length */
#ifdef __cplusplus
    constexpr gte_line() : pt(), vector() {}
    constexpr gte_line(gte_point pt_, gte_vector vector_) : pt(pt_), vector(vector_) {}
    /** Line through a towards b, with a unit vector; (0,0,0) when b is within 1e-8 of a. */
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

/** A ray from its origin pt along vector. */
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

/** A line segment between two end points. */
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

/** A circle in space. A normal shorter than 0.001 is taken as (0,0,1). */
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

/** An arc is measured as its full circle: the same record. */
typedef gte_circle gte_arc;

/** A plane through three points, oriented by (pt2 - pt1) x (pt3 - pt1). */
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

/** A filled rectangle in space. */
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

/** A quadrilateral given by its four corners. */
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

/** An ellipse; the distance functions read only its centre. */
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

/** A measured distance between point1 and point2, with its components. */
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

/** An angle with what a host needs to draw it: a vertex and two arm directions. */
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

/** A gap between two features or point sets. */
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
 * The shape comes first and the point second. point1 of each result is the given point. */

/** Point to its foot on the line. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_line(gte_line line, gte_point point,
                                                  gte_dist_result* result);
/** As gte_dist_point_line, also writing the foot of the perpendicular into *foot. */
TAVRISK_API void TAVRISK_CALL gte_distfootpoint_point_line(gte_line line, gte_point point,
                                                           gte_point* foot,
                                                           gte_dist_result* result);
/** Point to the closest point of the ray. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_ray(gte_ray ray, gte_point point,
                                                 gte_dist_result* result);
/** Point to the closest point of the segment. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_lseg(gte_lseg lseg, gte_point point,
                                                  gte_dist_result* result);
/** Point to its orthogonal projection on the plane. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_plane(gte_plane plane, gte_point point,
                                                   gte_dist_result* result);
/** Point to the closest point of the filled rectangle. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_rect(gte_rect rect, gte_point point,
                                                  gte_dist_result* result);
/** Three results: point to centre, to the nearest circle point, to the opposite circle point. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_circle(gte_circle circle, gte_point point,
                                                    gte_dist_result result[3]);
/** gte_dist_point_circle on the arc's full circle. */
TAVRISK_API void TAVRISK_CALL gte_dist_point_arc(gte_arc arc, gte_point point,
                                                 gte_dist_result result[3]);
/** Rectangle centre to its foot on the line. */
TAVRISK_API void TAVRISK_CALL gte_dist_rectCenter_line(gte_rect rect, gte_line line,
                                                       gte_dist_result* result);
/** Ellipse centre to its foot on the line. */
TAVRISK_API void TAVRISK_CALL gte_dist_ellipseCenter_line(gte_ellipse ellipse, gte_line line,
                                                          gte_dist_result* result);
/** Average of the four corners to its foot on the line. */
TAVRISK_API void TAVRISK_CALL gte_dist_quadCenter_line(gte_quad quad, gte_line line,
                                                       gte_dist_result* result);

/* ===================================================================== linear distances */

/** Shortest distance between two lines. */
TAVRISK_API double TAVRISK_CALL gte_dist_line_line(gte_line line1, gte_line line2);
/** Shortest distance between a line and a ray. */
TAVRISK_API double TAVRISK_CALL gte_dist_line_ray(gte_line line, gte_ray ray);
/** Shortest distance between a line and a segment. */
TAVRISK_API double TAVRISK_CALL gte_dist_line_lseg(gte_line line, gte_lseg lseg);
/** Shortest distance between two rays. */
TAVRISK_API double TAVRISK_CALL gte_dist_ray_ray(gte_ray ray1, gte_ray ray2);
/** Shortest distance between a ray and a segment. */
TAVRISK_API double TAVRISK_CALL gte_dist_ray_lseg(gte_ray ray, gte_lseg lseg);
/** Midpoint of lseg1 to its foot on the infinite line through lseg2. */
TAVRISK_API void TAVRISK_CALL gte_dist_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                 gte_dist_result* result);
/** Midpoint of the segment to its projection on the plane. */
TAVRISK_API void TAVRISK_CALL gte_dist_lseg_plane(gte_lseg lseg, gte_plane plane,
                                                  gte_dist_result* result);

/* ===================================================================== angles, in degrees
 * A segment's direction runs from pt2 towards pt1. Linear pairs give 0 to 180 and depend on
 * the sense of both features; a feature against a plane gives 0 to 90; two planes give the
 * angle between their normals. The XY forms project both directions onto z = 0 first. */

TAVRISK_API double TAVRISK_CALL gte_angle_line_line(gte_line line1, gte_line line2);
TAVRISK_API double TAVRISK_CALL gte_angle_line_ray(gte_line line, gte_ray ray);
TAVRISK_API double TAVRISK_CALL gte_angle_line_lseg(gte_line line, gte_lseg lseg);
TAVRISK_API double TAVRISK_CALL gte_angle_ray_ray(gte_ray ray1, gte_ray ray2);
TAVRISK_API double TAVRISK_CALL gte_angle_ray_lseg(gte_ray ray, gte_lseg lseg);
TAVRISK_API double TAVRISK_CALL gte_angle_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2);
TAVRISK_API double TAVRISK_CALL gte_angleXY_line_line(gte_line line1, gte_line line2);
TAVRISK_API double TAVRISK_CALL gte_angleXY_line_ray(gte_line line, gte_ray ray);
TAVRISK_API double TAVRISK_CALL gte_angleXY_line_lseg(gte_line line, gte_lseg lseg);
TAVRISK_API double TAVRISK_CALL gte_angleXY_ray_ray(gte_ray ray1, gte_ray ray2);
TAVRISK_API double TAVRISK_CALL gte_angleXY_ray_lseg(gte_ray ray, gte_lseg lseg);
TAVRISK_API double TAVRISK_CALL gte_angleXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2);
TAVRISK_API double TAVRISK_CALL gte_angle_line_plane(gte_line line, gte_plane plane);
TAVRISK_API double TAVRISK_CALL gte_angle_ray_plane(gte_ray ray, gte_plane plane);
TAVRISK_API double TAVRISK_CALL gte_angle_lseg_plane(gte_lseg lseg, gte_plane plane);
TAVRISK_API double TAVRISK_CALL gte_angle_plane_plane(gte_plane plane1, gte_plane plane2);

/* ===================================================================== angle drawing
 * Each writes all four fields of *output and returns the angle in degrees. */

TAVRISK_API double TAVRISK_CALL gte_angle_draw_lseg_lseg(gte_lseg first, gte_lseg second,
                                                         gte_angle_result* output);
TAVRISK_API double TAVRISK_CALL gte_angleXY_draw_lseg_lseg(gte_lseg first, gte_lseg second,
                                                           gte_angle_result* output);
TAVRISK_API double TAVRISK_CALL gte_angle_draw_lseg_plane(gte_lseg segment, gte_plane plane,
                                                          gte_angle_result* output);
TAVRISK_API double TAVRISK_CALL gte_angle_draw_plane_plane(gte_plane first, gte_plane second,
                                                           gte_angle_result* output);

/* ===================================================================== bisectors */

/** Midpoint of two points. */
TAVRISK_API void TAVRISK_CALL gte_bisector_point_point(gte_point first, gte_point second,
                                                       gte_point* output);
/** Midpoint between a point and its foot on the line. */
TAVRISK_API void TAVRISK_CALL gte_bisector_point_line(gte_point point, gte_line line,
                                                      gte_point* output);
/** Horizontal segment across the middle of two points, as long as they are apart. */
TAVRISK_API void TAVRISK_CALL gte_bisectorLseg_point_point(gte_point first, gte_point second,
                                                           gte_lseg* output);
/** Copy of the segment moved halfway towards the point. */
TAVRISK_API void TAVRISK_CALL gte_bisectorLseg_point_lseg(gte_point point, gte_lseg segment,
                                                          gte_lseg* output);
/** Segment along the bisector of two segments, or halfway between parallel ones. */
TAVRISK_API void TAVRISK_CALL gte_bisector_lseg_lseg(gte_lseg first, gte_lseg second,
                                                     gte_lseg* output);

/* ===================================================================== intersections
 * Returns: a count of points (2147483647 for infinitely many), 1 for a line written, or -1
 * where the question has no answer of that kind. Unproduced outputs are not written. */

TAVRISK_API int TAVRISK_CALL gte_intersec_line_plane(gte_line line, gte_plane plane,
                                                     gte_point* point);
TAVRISK_API int TAVRISK_CALL gte_intersec_ray_plane(gte_ray ray, gte_plane plane, gte_point* point);
TAVRISK_API int TAVRISK_CALL gte_intersec_lseg_plane(gte_lseg lseg, gte_plane plane,
                                                     gte_point* point);
/** 1 line written, 0 parallel and distinct, -1 the planes coincide. */
TAVRISK_API int TAVRISK_CALL gte_intersec_plane_plane(gte_plane plane1, gte_plane plane2,
                                                      gte_line* line);
/** Crossing of the two lines seen from above; z of the point is line1's z. */
TAVRISK_API int TAVRISK_CALL gte_intersecXY_line_line(gte_line line1, gte_line line2,
                                                      gte_point* point);
/** 0, 1 or 2 points; -1 when the circle lies in the plane. */
TAVRISK_API int TAVRISK_CALL gte_intersec_plane_circle(gte_plane plane, gte_circle circle,
                                                       gte_point result[2]);
TAVRISK_API int TAVRISK_CALL gte_intersec_line_circle(gte_line line, gte_circle circle,
                                                      gte_point result[2]);
TAVRISK_API int TAVRISK_CALL gte_intersec_line_arc(gte_line line, gte_arc arc, gte_point result[2]);
/** 0, 1 or 2 points; -1 when the circles are not in one plane or their normals disagree. */
TAVRISK_API int TAVRISK_CALL gte_intersec_circle_circle(gte_circle circle1, gte_circle circle2,
                                                        gte_point result[2]);
TAVRISK_API int TAVRISK_CALL gte_intersec_circle_arc(gte_circle circle, gte_arc arc,
                                                     gte_point result[2]);
TAVRISK_API int TAVRISK_CALL gte_intersec_arc_arc(gte_arc arc1, gte_arc arc2, gte_point result[2]);

/* ===================================================================== circle distances
 * result[0]: centre to centre (or to the line); result[1]: nearest pair; result[2]: farthest
 * pair. Returns the number of records written: 3 only when both pairs were written by this call,
 * 1 when no pair was measured (result[1] and result[2] untouched). NaN in the input gives NaN
 * records, never stale ones. */

TAVRISK_API int TAVRISK_CALL gte_dist_circle_circle(gte_circle circle1, gte_circle circle2,
                                                    gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_dist3D_circle_circle(gte_circle circle1, gte_circle circle2,
                                                      gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_distXY_circle_circle(gte_circle circle1, gte_circle circle2,
                                                      gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_dist_arc_circle(gte_arc arc, gte_circle circle,
                                                 gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_dist_arc_arc(gte_arc arc1, gte_arc arc2,
                                              gte_dist_result result[3]);
/** 3 or 1 as above (1: no diameter is singled out, as for a line through the axis); -1, nothing
 * written, when a line along the axis finds no crossing with the circle's plane. */
TAVRISK_API int TAVRISK_CALL gte_dist_line_circle(gte_line line, gte_circle circle,
                                                  gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_dist_line_arc(gte_line line, gte_arc arc,
                                               gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_dist_lseg_circle(gte_lseg lseg, gte_circle circle,
                                                  gte_dist_result result[3]);
TAVRISK_API int TAVRISK_CALL gte_dist_lseg_arc(gte_lseg lseg, gte_arc arc,
                                               gte_dist_result result[3]);

/* ===================================================================== tangents */

/** Tangents from a point (projected into the circle's plane): 0, 1 or 2. 0 writes nothing: the
 * point lies inside, or the radius is negative or NaN (no circle, no tangents). */
TAVRISK_API int TAVRISK_CALL gte_tangent_point_circle(gte_point point, gte_circle circle,
                                                      gte_line lines[2], gte_point points[2]);
/** Outer and inner common tangents; returns their total. -1 when the normals disagree (checked
 * first; nothing written). 0 with both counts 0 and nothing else written when either radius is
 * negative or NaN. */
TAVRISK_API int TAVRISK_CALL gte_tangent_circle_circle(gte_circle circle1, gte_circle circle2,
                                                       int* outcount, gte_line outline[2],
                                                       gte_point outpoint[4], int* incount,
                                                       gte_line inLine[2], gte_point inpoint[4]);
TAVRISK_API int TAVRISK_CALL gte_tangent_arc_circle(gte_arc arc, gte_circle circle, int* outcount,
                                                    gte_line outline[2], gte_point outpoint[4],
                                                    int* incount, gte_line inLine[2],
                                                    gte_point inpoint[4]);
TAVRISK_API int TAVRISK_CALL gte_tangent_arc_arc(gte_arc arc1, gte_arc arc2, int* outcount,
                                                 gte_line outline[2], gte_point outpoint[4],
                                                 int* incount, gte_line inLine[2],
                                                 gte_point inpoint[4]);

/* ===================================================================== point sets */

/* Every largest or smallest value below is the true extreme of its candidates, however large;
 * a NaN candidate makes it NaN. */

/** Largest and smallest distance of the points to the line; -1 and -1 for fewer than two. */
TAVRISK_API void TAVRISK_CALL gte_dist_mutiPoint_line(const gte_point* points, int count,
                                                      gte_line line, double* maxDist,
                                                      double* minDist);
/** Centroid gap and extreme distances to the line; fewer than two points set only the three
 * gaps, to -1. */
TAVRISK_API void TAVRISK_CALL gte_gap_mutiPoint_line(const gte_point* points, int count,
                                                     gte_line line, gte_gap_result* result);
/** Averages of the averageCount largest and smallest distances, trimCount dropped at each end
 * (outliers replaced by the mean first when useSigma). 1, or -1 with nothing written unless
 * count > 2 * (trimCount + averageCount), trimCount >= 0, averageCount >= 1. One NaN distance
 * makes both averages NaN; so in the gap-sigma and two-set forms. */
TAVRISK_API int TAVRISK_CALL gte_interval_mutiPoint_line(const gte_point* points, int count,
                                                         gte_line line, int trimCount,
                                                         int averageCount, double sigmaFactor,
                                                         bool useSigma, double* maxAverage,
                                                         double* minAverage);
TAVRISK_API int TAVRISK_CALL gte_gapSigma_mutiPoint_line(const gte_point* points, int count,
                                                         gte_line line, int trimCount,
                                                         int averageCount, double sigmaFactor,
                                                         bool useSigma, gte_gap_result* result);
/** Largest and smallest XY gap across the line over every pair. false for an empty set (nothing
 * written) or a line without XY direction (0 and 1e16 written). */
TAVRISK_API bool TAVRISK_CALL gte_dist_mutiPoint_mutiPoint(const gte_point* points1, int count1,
                                                           const gte_point* points2, int count2,
                                                           gte_line line, double* maxDist,
                                                           double* minDist);
TAVRISK_API bool TAVRISK_CALL gte_gapXY_mutiPoint_mutiPoint(const gte_point* points1, int count1,
                                                            const gte_point* points2, int count2,
                                                            gte_line line, gte_gap_result* result);
TAVRISK_API int TAVRISK_CALL gte_interval_mutiPoint_mutiPoint(const gte_point* points1, int count1,
                                                              const gte_point* points2, int count2,
                                                              gte_line line, int trimCount,
                                                              int averageCount, double sigmaFactor,
                                                              bool useSigma, double* maxAverage,
                                                              double* minAverage);
TAVRISK_API int TAVRISK_CALL gte_gapSigma_mutiPoint_mutiPoint(
    const gte_point* points1, int count1, const gte_point* points2, int count2, gte_line line,
    int trimCount, int averageCount, double sigmaFactor, bool useSigma, gte_gap_result* result);

/* ===================================================================== segment gaps in XY */

/** Returns the centre gap; writes the largest and smallest end-point gaps (NaN for a NaN
 * coordinate). */
TAVRISK_API double TAVRISK_CALL gte_intervalXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                         double* maxDist, double* minDist);
TAVRISK_API void TAVRISK_CALL gte_gapXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                  gte_gap_result* result);
/** Exists for hosts that bind it; measures nothing and writes nothing. */
TAVRISK_API void TAVRISK_CALL gte_gap_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2,
                                                gte_gap_result* result);

/* ===================================================================== fitting and flatness */

/** Best-fit line of at least three points, reported as the segment they span. 1, or -1 with
 * nothing written: fewer than three points, a coordinate not finite, no unique direction, or a
 * result that would not be finite. */
TAVRISK_API int TAVRISK_CALL gte_fit_lseg(const gte_point* points, int count, gte_lseg* segment);
/** Best-fit plane of at least three points, as three projected sample points. 1, or -1 with
 * nothing written, as for gte_fit_lseg, and when no point lies off the line of the first two
 * samples (the record would span no plane). */
TAVRISK_API int TAVRISK_CALL gte_fit_plane(const gte_point* points, int count, gte_plane* plane);
/** Flatness of the points of a text file: 0 on success. -1, flatness unwritten, when the file is
 * missing, not a regular file, empty or held by another call, when a value is not entirely a
 * finite number in the "C" locale, is longer than 1024 characters, or the values do not make
 * whole points (at least one), and when the flatness would not be finite. Only the bytes present
 * when the file is opened are read. */
TAVRISK_API int TAVRISK_CALL gte_measure_platness_pointCloud_file(const char* path,
                                                                  double* flatness);

/* ===================================================================== form measures */

/* NaN coordinates give NaN figures here, with the usual return value. */

/** Centroid and one-sigma ellipse: angle (radians) of the axis nearer x, full axis lengths. 1, or
 * -1 for fewer than three points. */
TAVRISK_API int TAVRISK_CALL gte_measure_moment2(const gte_point* points, int count,
                                                 gte_point* centroid, double* angle, double* major,
                                                 double* minor);
/** Band of the deviations along the normal of each point's nearest nominal point in XY (the first
 * of equally near ones). 1, or -1 for empty or missing input. */
TAVRISK_API int TAVRISK_CALL gte_measure_profile2D(const gte_point* measured, int measuredCount,
                                                   const gte_point* nominal,
                                                   const gte_vector* normals, int nominalCount,
                                                   double* profile);
/** Band of the signed horizontal deviations from the line, each written; -1.0 for no points. */
TAVRISK_API double TAVRISK_CALL gte_straightness_xy_line(const gte_point* points, int count,
                                                         gte_line line, double* deviations);

/* ===================================================================== tools */

/** Rotates vector about axis by angle degrees (right-hand rule). */
TAVRISK_API void TAVRISK_CALL gte_tool_rotate_vector(gte_vector vector, gte_vector axis,
                                                     double angle, gte_vector* result);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVRISK_H */
