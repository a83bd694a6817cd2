// SPDX-License-Identifier: MIT
/* Calls every export of the library on the same deterministic inputs, a few thousand calls each,
 * and writes one line per export: its name, its number of calls and a 64-bit FNV-1a hash of the
 * bits of every output and return value. Built for Linux and for Windows (x86_64 and i686), its
 * files must be byte-identical: the library gives the same digits on every platform.
 *
 * Usage: tavrisk_digest DIGEST_FILE [--calls CALLS_FILE] [--x87-precision 53|64]
 *   --calls            also writes every call's output bits, one hex line per call, to compare
 *                      two builds call by call
 *   --x87-precision    (32-bit x86 only) sets the x87 unit's precision control first, as a host
 *                      may have done, and fails if a call leaves it changed
 *
 * The inputs come from the program's own generator (splitmix64), never from the C library's
 * rand, each drawn in a statement of its own (the order in which a compiler evaluates function
 * arguments is unspecified), and numbers go into the point files with integer formatting only. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tavrisk.h"

enum { kCallsPerExport = 2000, kPointFileCalls = 40, kMaxPoints = 48 };

/* ---- inputs */

static uint64_t generator_state = 20261206u;

static uint64_t next_bits(void) {
    uint64_t z = (generator_state += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

static int below(int n) {
    return (int)(next_bits() % (uint64_t)n);
}

static double unit(void) {
    return (double)(next_bits() >> 11) * (1.0 / 9007199254740992.0);
}

/* Mostly random coordinates; a quarter small whole numbers, so that exact and degenerate
 * configurations (parallel, perpendicular, coincident, on the axis) come up often. */
static double coordinate(void) {
    switch (below(8)) {
        case 0:
        case 1:
            return (double)(below(21) - 10);
        case 2:
            return 0.0;
        default:
            return -100.0 + 200.0 * unit();
    }
}

static gte_point point(void) {
    gte_point p;
    p.x = coordinate();
    p.y = coordinate();
    p.z = below(3) == 0 ? 0.0 : coordinate();
    return p;
}

static gte_vector vector(void) {
    gte_vector v;
    switch (below(6)) {
        case 0: { /* along an axis, either way */
            int const axis = below(3);
            double const length = below(2) == 0 ? 1.0 : -2.5;
            v.x = axis == 0 ? length : 0.0;
            v.y = axis == 1 ? length : 0.0;
            v.z = axis == 2 ? length : 0.0;
            return v;
        }
        case 1: /* in the XY plane */
            v.x = coordinate();
            v.y = coordinate();
            v.z = 0.0;
            return v;
        case 2:
            if (below(4) == 0) {
                v.x = v.y = v.z = 0.0;
                return v;
            }
            /* fall through */
        default:
            v.x = coordinate();
            v.y = coordinate();
            v.z = coordinate();
            return v;
    }
}

static gte_line line(void) {
    gte_line l;
    l.pt = point();
    l.vector = vector();
    return l;
}

static gte_ray ray(void) {
    gte_ray r;
    r.pt = point();
    r.vector = vector();
    return r;
}

static gte_lseg lseg(void) {
    gte_lseg s;
    s.pt1 = point();
    s.pt2 = below(16) == 0 ? s.pt1 : point();
    return s;
}

static gte_plane plane(void) {
    gte_plane p;
    memset(&p, 0, sizeof p);
    p.pt1 = point();
    p.pt2 = point();
    p.pt3 = point();
    if (below(3) == 0) { /* horizontal */
        p.pt2.z = p.pt3.z = p.pt1.z;
    }
    if (below(16) == 0) { /* degenerate: three points on a line */
        p.pt3 = p.pt2;
    }
    return p;
}

/* Circles mostly share the plane z = 0 and the normal (0, 0, 1), so that the tangents, the
 * crossings and the XY forms find something. */
static gte_circle circle(void) {
    gte_circle c;
    c.center = point();
    if (below(4) != 0) {
        c.center.z = 0.0;
    }
    c.radius = below(10) == 0 ? (double)(below(3) - 1) : 30.0 * unit();
    switch (below(4)) {
        case 0:
        case 1:
            c.vector.x = c.vector.y = 0.0;
            c.vector.z = 1.0;
            break;
        case 2:
            c.vector.x = c.vector.y = 0.0;
            c.vector.z = -3.0;
            break;
        default:
            c.vector = vector();
    }
    return c;
}

static gte_rect rect(void) {
    gte_rect r;
    memset(&r, 0, sizeof r);
    r.center = point();
    r.extent1 = 20.0 * unit();
    r.extent2 = 20.0 * unit();
    r.norVector = vector();
    r.mainVector = vector();
    return r;
}

static gte_quad quad(void) {
    gte_quad q;
    q.pt1 = point();
    q.pt2 = point();
    q.pt3 = point();
    q.pt4 = point();
    return q;
}

static gte_ellipse ellipse(void) {
    gte_ellipse e;
    e.majorRadius = 20.0 * unit();
    e.minorRadius = 10.0 * unit();
    e.center = point();
    e.norVector = vector();
    e.mainVector = vector();
    return e;
}

/* Degrees: whole, often multiples of 90; or any. */
static double degrees(void) {
    switch (below(4)) {
        case 0:
            return 90.0 * (double)(below(9) - 4);
        case 1:
            return (double)(below(721) - 360);
        default:
            return -720.0 + 1440.0 * unit();
    }
}

static gte_point point_set_a[kMaxPoints];
static gte_point point_set_b[kMaxPoints];
static gte_vector normal_set[kMaxPoints];

/* A count for a point set, small ones often (the refusals), and the points: scattered about a
 * line or along it. Returns the array, or null now and then. */
static const gte_point* point_set(gte_point* points, int* count) {
    int i;
    gte_point const base = point();
    gte_vector const along = vector();
    *count = below(5) == 0 ? below(4) : below(kMaxPoints + 1);
    for (i = 0; i < kMaxPoints; ++i) {
        double const t = coordinate();
        double const spread = below(2) == 0 ? 0.0 : 0.5;
        points[i].x = base.x + t * along.x + spread * coordinate();
        points[i].y = base.y + t * along.y + spread * coordinate();
        points[i].z = base.z + t * along.z + spread * coordinate();
    }
    return below(32) == 0 ? NULL : points;
}

/* ---- digests */

static FILE* calls_file;
static uint64_t export_hash;
static int export_calls;

static void begin_call(char const* name) {
    if (calls_file != NULL) {
        fprintf(calls_file, "%s %d ", name, export_calls);
    }
}

static void output_bits(void const* bytes, size_t size) {
    unsigned char const* b = (unsigned char const*)bytes;
    size_t i;
    for (i = 0; i < size; ++i) {
        export_hash = (export_hash ^ b[i]) * 0x100000001b3u;
        if (calls_file != NULL) {
            fprintf(calls_file, "%02x", b[i]);
        }
    }
}

static void end_call(void) {
    if (calls_file != NULL) {
        fputc('\n', calls_file);
    }
    ++export_calls;
}

/* Outputs start as this pattern, so that a slot a call leaves alone is part of the digest. */
static void poison(void* bytes, size_t size) {
    memset(bytes, 0xa5, size);
}

#define OUT(value) output_bits(&(value), sizeof(value))
#define POISON(value) poison(&(value), sizeof(value))

static void finish_export(FILE* digest, char const* name) {
    fprintf(digest, "%s %d %016llx\n", name, export_calls, (unsigned long long)export_hash);
    export_hash = 0xcbf29ce484222325u;
    export_calls = 0;
}

/* Repeats the body (the macro's other arguments) kCallsPerExport times as calls of export name,
 * then writes its digest line. */
#define EXPORT(name, ...)                                                  \
    do {                                                                   \
        int call_index;                                                    \
        for (call_index = 0; call_index < kCallsPerExport; ++call_index) { \
            begin_call(#name);                                             \
            __VA_ARGS__                                                    \
            end_call();                                                    \
        }                                                                  \
        finish_export(digest, #name);                                      \
    } while (0)

/* An export of two inputs that returns a double, and one that writes one output record. */
#define PAIR_VALUE(name, First, first, Second, second) \
    EXPORT(name, {                                     \
        First const input1 = first();                  \
        Second const input2 = second();                \
        double const value = name(input1, input2);     \
        OUT(value);                                    \
    })
#define PAIR_RECORD(name, First, first, Second, second, Output) \
    EXPORT(name, {                                              \
        First const input1 = first();                           \
        Second const input2 = second();                         \
        Output r;                                               \
        POISON(r);                                              \
        name(input1, input2, &r);                               \
        OUT(r);                                                 \
    })

/* ---- the x87 unit of 32-bit x86 hosts */

#if defined(__i386__)
static unsigned short x87_control_word(void) {
    unsigned short word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}
static void set_x87_precision(int bits) {
    unsigned short word = x87_control_word();
    word = (unsigned short)((word & ~0x300u) | (bits == 64 ? 0x300u : 0x200u));
    __asm__ __volatile__("fldcw %0" : : "m"(word));
}
#endif

/* ---- the point files */

static char const* const kPointFile = "tavrisk_digest_points.txt";

/* Writes a plane of points with small deviations, as "x,y,z" lines of thousandths written with
 * integer formatting (the C libraries' %g may differ in its last digits). */
static int write_point_file(void) {
    FILE* file = fopen(kPointFile, "wb");
    int i;
    int const count = below(60);
    if (file == NULL) {
        return 0;
    }
    for (i = 0; i < count; ++i) {
        long const x = (long)below(200000) - 100000;
        long const y = (long)below(200000) - 100000;
        long const deviation = below(2000);
        long const z = (x / 50 + y / 70 + deviation) * (below(8) == 0 ? -1 : 1);
        long const c[3] = {x, y, z};
        int k;
        for (k = 0; k < 3; ++k) {
            long const magnitude = c[k] < 0 ? -c[k] : c[k];
            fprintf(file, "%s%ld.%03ld%s", c[k] < 0 ? "-" : "", magnitude / 1000, magnitude % 1000,
                    k < 2 ? "," : "\n");
        }
    }
    return fclose(file) == 0;
}

int main(int argc, char** argv) {
    FILE* digest;
    int argument;
    int x87_precision = 0;
    if (argc < 2) {
        fprintf(stderr, "usage: %s DIGEST_FILE [--calls CALLS_FILE] [--x87-precision 53|64]\n",
                argv[0]);
        return 2;
    }
    for (argument = 2; argument + 1 < argc; argument += 2) {
        if (strcmp(argv[argument], "--calls") == 0) {
            calls_file = fopen(argv[argument + 1], "wb");
            if (calls_file == NULL) {
                fprintf(stderr, "cannot write %s\n", argv[argument + 1]);
                return 2;
            }
        } else if (strcmp(argv[argument], "--x87-precision") == 0) {
            x87_precision = atoi(argv[argument + 1]);
        } else {
            fprintf(stderr, "unknown option %s\n", argv[argument]);
            return 2;
        }
    }
    if (x87_precision != 0) {
#if defined(__i386__)
        set_x87_precision(x87_precision);
#else
        fprintf(stderr, "--x87-precision applies to 32-bit x86 only\n");
        return 2;
#endif
    }
    digest = fopen(argv[1], "wb");
    if (digest == NULL) {
        fprintf(stderr, "cannot write %s\n", argv[1]);
        return 2;
    }
    export_hash = 0xcbf29ce484222325u;

    /* point distances */
    PAIR_RECORD(gte_dist_point_line, gte_line, line, gte_point, point, gte_dist_result);
    EXPORT(gte_distfootpoint_point_line, {
        gte_line const input1 = line();
        gte_point const input2 = point();
        gte_dist_result r;
        gte_point foot;
        POISON(r);
        POISON(foot);
        gte_distfootpoint_point_line(input1, input2, &foot, &r);
        OUT(foot);
        OUT(r);
    });
    PAIR_RECORD(gte_dist_point_ray, gte_ray, ray, gte_point, point, gte_dist_result);
    PAIR_RECORD(gte_dist_point_lseg, gte_lseg, lseg, gte_point, point, gte_dist_result);
    PAIR_RECORD(gte_dist_point_plane, gte_plane, plane, gte_point, point, gte_dist_result);
    PAIR_RECORD(gte_dist_point_rect, gte_rect, rect, gte_point, point, gte_dist_result);
    EXPORT(gte_dist_point_circle, {
        gte_circle const input1 = circle();
        gte_point const input2 = point();
        gte_dist_result r[3];
        POISON(r);
        gte_dist_point_circle(input1, input2, r);
        OUT(r);
    });
    EXPORT(gte_dist_point_arc, {
        gte_circle const input1 = circle();
        gte_point const input2 = point();
        gte_dist_result r[3];
        POISON(r);
        gte_dist_point_arc(input1, input2, r);
        OUT(r);
    });
    PAIR_RECORD(gte_dist_rectCenter_line, gte_rect, rect, gte_line, line, gte_dist_result);
    PAIR_RECORD(gte_dist_ellipseCenter_line, gte_ellipse, ellipse, gte_line, line, gte_dist_result);
    PAIR_RECORD(gte_dist_quadCenter_line, gte_quad, quad, gte_line, line, gte_dist_result);

    /* linear distances */
    PAIR_VALUE(gte_dist_line_line, gte_line, line, gte_line, line);
    PAIR_VALUE(gte_dist_line_ray, gte_line, line, gte_ray, ray);
    PAIR_VALUE(gte_dist_line_lseg, gte_line, line, gte_lseg, lseg);
    PAIR_VALUE(gte_dist_ray_ray, gte_ray, ray, gte_ray, ray);
    PAIR_VALUE(gte_dist_ray_lseg, gte_ray, ray, gte_lseg, lseg);
    PAIR_RECORD(gte_dist_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg, gte_dist_result);
    PAIR_RECORD(gte_dist_lseg_plane, gte_lseg, lseg, gte_plane, plane, gte_dist_result);

    /* angles */
    PAIR_VALUE(gte_angle_line_line, gte_line, line, gte_line, line);
    PAIR_VALUE(gte_angle_line_ray, gte_line, line, gte_ray, ray);
    PAIR_VALUE(gte_angle_line_lseg, gte_line, line, gte_lseg, lseg);
    PAIR_VALUE(gte_angle_ray_ray, gte_ray, ray, gte_ray, ray);
    PAIR_VALUE(gte_angle_ray_lseg, gte_ray, ray, gte_lseg, lseg);
    PAIR_VALUE(gte_angle_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg);
    PAIR_VALUE(gte_angleXY_line_line, gte_line, line, gte_line, line);
    PAIR_VALUE(gte_angleXY_line_ray, gte_line, line, gte_ray, ray);
    PAIR_VALUE(gte_angleXY_line_lseg, gte_line, line, gte_lseg, lseg);
    PAIR_VALUE(gte_angleXY_ray_ray, gte_ray, ray, gte_ray, ray);
    PAIR_VALUE(gte_angleXY_ray_lseg, gte_ray, ray, gte_lseg, lseg);
    PAIR_VALUE(gte_angleXY_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg);
    PAIR_VALUE(gte_angle_line_plane, gte_line, line, gte_plane, plane);
    PAIR_VALUE(gte_angle_ray_plane, gte_ray, ray, gte_plane, plane);
    PAIR_VALUE(gte_angle_lseg_plane, gte_lseg, lseg, gte_plane, plane);
    PAIR_VALUE(gte_angle_plane_plane, gte_plane, plane, gte_plane, plane);

    /* angle drawing */
#define ANGLE_DRAWING(name, First, first, Second, second) \
    EXPORT(name, {                                        \
        First const input1 = first();                     \
        Second const input2 = second();                   \
        gte_angle_result r;                               \
        double a;                                         \
        POISON(r);                                        \
        a = name(input1, input2, &r);                     \
        OUT(a);                                           \
        OUT(r);                                           \
    })
    ANGLE_DRAWING(gte_angle_draw_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg);
    ANGLE_DRAWING(gte_angleXY_draw_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg);
    ANGLE_DRAWING(gte_angle_draw_lseg_plane, gte_lseg, lseg, gte_plane, plane);
    ANGLE_DRAWING(gte_angle_draw_plane_plane, gte_plane, plane, gte_plane, plane);

    /* bisectors */
    PAIR_RECORD(gte_bisector_point_point, gte_point, point, gte_point, point, gte_point);
    PAIR_RECORD(gte_bisector_point_line, gte_point, point, gte_line, line, gte_point);
    PAIR_RECORD(gte_bisectorLseg_point_point, gte_point, point, gte_point, point, gte_lseg);
    PAIR_RECORD(gte_bisectorLseg_point_lseg, gte_point, point, gte_lseg, lseg, gte_lseg);
    PAIR_RECORD(gte_bisector_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg, gte_lseg);

    /* intersections */
#define INTERSECTION(name, First, first, Second, second, Output) \
    EXPORT(name, {                                               \
        First const input1 = first();                            \
        Second const input2 = second();                          \
        Output r;                                                \
        int count;                                               \
        POISON(r);                                               \
        count = name(input1, input2, &r);                        \
        OUT(count);                                              \
        OUT(r);                                                  \
    })
#define INTERSECTION2(name, First, first, Second, second) \
    EXPORT(name, {                                        \
        First const input1 = first();                     \
        Second const input2 = second();                   \
        gte_point r[2];                                   \
        int count;                                        \
        POISON(r);                                        \
        count = name(input1, input2, r);                  \
        OUT(count);                                       \
        OUT(r);                                           \
    })
    INTERSECTION(gte_intersec_line_plane, gte_line, line, gte_plane, plane, gte_point);
    INTERSECTION(gte_intersec_ray_plane, gte_ray, ray, gte_plane, plane, gte_point);
    INTERSECTION(gte_intersec_lseg_plane, gte_lseg, lseg, gte_plane, plane, gte_point);
    INTERSECTION(gte_intersec_plane_plane, gte_plane, plane, gte_plane, plane, gte_line);
    INTERSECTION(gte_intersecXY_line_line, gte_line, line, gte_line, line, gte_point);
    INTERSECTION2(gte_intersec_plane_circle, gte_plane, plane, gte_circle, circle);
    INTERSECTION2(gte_intersec_line_circle, gte_line, line, gte_circle, circle);
    INTERSECTION2(gte_intersec_line_arc, gte_line, line, gte_circle, circle);
    INTERSECTION2(gte_intersec_circle_circle, gte_circle, circle, gte_circle, circle);
    INTERSECTION2(gte_intersec_circle_arc, gte_circle, circle, gte_circle, circle);
    INTERSECTION2(gte_intersec_arc_arc, gte_circle, circle, gte_circle, circle);

    /* circle distances */
#define CIRCLE_DISTANCE(name, First, first, Second, second) \
    EXPORT(name, {                                          \
        First const input1 = first();                       \
        Second const input2 = second();                     \
        gte_dist_result r[3];                               \
        int count;                                          \
        POISON(r);                                          \
        count = name(input1, input2, r);                    \
        OUT(count);                                         \
        OUT(r);                                             \
    })
    CIRCLE_DISTANCE(gte_dist_circle_circle, gte_circle, circle, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist3D_circle_circle, gte_circle, circle, gte_circle, circle);
    CIRCLE_DISTANCE(gte_distXY_circle_circle, gte_circle, circle, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist_arc_circle, gte_circle, circle, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist_arc_arc, gte_circle, circle, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist_line_circle, gte_line, line, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist_line_arc, gte_line, line, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist_lseg_circle, gte_lseg, lseg, gte_circle, circle);
    CIRCLE_DISTANCE(gte_dist_lseg_arc, gte_lseg, lseg, gte_circle, circle);

    /* tangents */
    EXPORT(gte_tangent_point_circle, {
        gte_line lines[2];
        gte_point points[2];
        int count;
        gte_circle const c = circle();
        gte_point p = point();
        if (below(2) == 0) { /* in the circle's plane */
            p.z = c.center.z;
        }
        POISON(lines);
        POISON(points);
        count = gte_tangent_point_circle(p, c, lines, points);
        OUT(count);
        OUT(lines);
        OUT(points);
    });
#define TANGENT(name)                                                                          \
    EXPORT(name, {                                                                             \
        int outcount, incount, result;                                                         \
        gte_line outline[2], inLine[2];                                                        \
        gte_point outpoint[4], inpoint[4];                                                     \
        gte_circle const first = circle();                                                     \
        gte_circle const second = circle();                                                    \
        POISON(outcount);                                                                      \
        POISON(incount);                                                                       \
        POISON(outline);                                                                       \
        POISON(inLine);                                                                        \
        POISON(outpoint);                                                                      \
        POISON(inpoint);                                                                       \
        result = name(first, second, &outcount, outline, outpoint, &incount, inLine, inpoint); \
        OUT(result);                                                                           \
        OUT(outcount);                                                                         \
        OUT(incount);                                                                          \
        OUT(outline);                                                                          \
        OUT(inLine);                                                                           \
        OUT(outpoint);                                                                         \
        OUT(inpoint);                                                                          \
    })
    TANGENT(gte_tangent_circle_circle);
    TANGENT(gte_tangent_arc_circle);
    TANGENT(gte_tangent_arc_arc);

    /* point sets */
    EXPORT(gte_dist_mutiPoint_line, {
        gte_line const input1 = line();
        int count;
        double maxDist, minDist;
        const gte_point* points = point_set(point_set_a, &count);
        POISON(maxDist);
        POISON(minDist);
        gte_dist_mutiPoint_line(points, count, input1, &maxDist, &minDist);
        OUT(maxDist);
        OUT(minDist);
    });
    EXPORT(gte_gap_mutiPoint_line, {
        gte_line const input1 = line();
        int count;
        gte_gap_result r;
        const gte_point* points = point_set(point_set_a, &count);
        POISON(r);
        gte_gap_mutiPoint_line(points, count, input1, &r);
        OUT(r);
    });
    EXPORT(gte_interval_mutiPoint_line, {
        gte_line const input1 = line();
        int count, status;
        double maxAverage, minAverage;
        const gte_point* points = point_set(point_set_a, &count);
        int const trim = below(4) - 1;
        int const average = below(5);
        double const sigma = 3.0 * unit();
        bool const useSigma = below(2) == 0;
        POISON(maxAverage);
        POISON(minAverage);
        status = gte_interval_mutiPoint_line(points, count, input1, trim, average, sigma, useSigma,
                                             &maxAverage, &minAverage);
        OUT(status);
        OUT(maxAverage);
        OUT(minAverage);
    });
    EXPORT(gte_gapSigma_mutiPoint_line, {
        gte_line const input1 = line();
        int count, status;
        gte_gap_result r;
        const gte_point* points = point_set(point_set_a, &count);
        int const trim = below(4) - 1;
        int const average = below(5);
        double const sigma = 3.0 * unit();
        bool const useSigma = below(2) == 0;
        POISON(r);
        status =
            gte_gapSigma_mutiPoint_line(points, count, input1, trim, average, sigma, useSigma, &r);
        OUT(status);
        OUT(r);
    });
    EXPORT(gte_dist_mutiPoint_mutiPoint, {
        gte_line const input1 = line();
        int count1, count2;
        double maxDist, minDist;
        unsigned char answered;
        const gte_point* points1 = point_set(point_set_a, &count1);
        const gte_point* points2 = point_set(point_set_b, &count2);
        POISON(maxDist);
        POISON(minDist);
        answered = (unsigned char)gte_dist_mutiPoint_mutiPoint(points1, count1, points2, count2,
                                                               input1, &maxDist, &minDist);
        OUT(answered);
        OUT(maxDist);
        OUT(minDist);
    });
    EXPORT(gte_gapXY_mutiPoint_mutiPoint, {
        gte_line const input1 = line();
        int count1, count2;
        gte_gap_result r;
        unsigned char answered;
        const gte_point* points1 = point_set(point_set_a, &count1);
        const gte_point* points2 = point_set(point_set_b, &count2);
        POISON(r);
        answered = (unsigned char)gte_gapXY_mutiPoint_mutiPoint(points1, count1, points2, count2,
                                                                input1, &r);
        OUT(answered);
        OUT(r);
    });
    EXPORT(gte_interval_mutiPoint_mutiPoint, {
        gte_line const input1 = line();
        int count1, count2, status;
        double maxAverage, minAverage;
        const gte_point* points1 = point_set(point_set_a, &count1);
        const gte_point* points2 = point_set(point_set_b, &count2);
        int const trim = below(3) - 1;
        int const average = below(4);
        double const sigma = 3.0 * unit();
        bool const useSigma = below(2) == 0;
        POISON(maxAverage);
        POISON(minAverage);
        status =
            gte_interval_mutiPoint_mutiPoint(points1, count1, points2, count2, input1, trim,
                                             average, sigma, useSigma, &maxAverage, &minAverage);
        OUT(status);
        OUT(maxAverage);
        OUT(minAverage);
    });
    EXPORT(gte_gapSigma_mutiPoint_mutiPoint, {
        gte_line const input1 = line();
        int count1, count2, status;
        gte_gap_result r;
        const gte_point* points1 = point_set(point_set_a, &count1);
        const gte_point* points2 = point_set(point_set_b, &count2);
        int const trim = below(3) - 1;
        int const average = below(4);
        double const sigma = 3.0 * unit();
        bool const useSigma = below(2) == 0;
        POISON(r);
        status = gte_gapSigma_mutiPoint_mutiPoint(points1, count1, points2, count2, input1, trim,
                                                  average, sigma, useSigma, &r);
        OUT(status);
        OUT(r);
    });

    /* segment gaps */
    EXPORT(gte_intervalXY_lseg_lseg, {
        gte_lseg const input1 = lseg();
        gte_lseg const input2 = lseg();
        double maxDist, minDist, centre;
        POISON(maxDist);
        POISON(minDist);
        centre = gte_intervalXY_lseg_lseg(input1, input2, &maxDist, &minDist);
        OUT(centre);
        OUT(maxDist);
        OUT(minDist);
    });
    PAIR_RECORD(gte_gapXY_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg, gte_gap_result);
    PAIR_RECORD(gte_gap_lseg_lseg, gte_lseg, lseg, gte_lseg, lseg, gte_gap_result);

    /* fitting and flatness */
    EXPORT(gte_fit_lseg, {
        int count, status;
        gte_lseg r;
        const gte_point* points = point_set(point_set_a, &count);
        POISON(r);
        status = gte_fit_lseg(points, count, &r);
        OUT(status);
        OUT(r);
    });
    EXPORT(gte_fit_plane, {
        int count, status;
        gte_plane r;
        const gte_point* points = point_set(point_set_a, &count);
        POISON(r);
        status = gte_fit_plane(points, count, &r);
        OUT(status);
        OUT(r);
    });
    {
        /* A file per call: fewer calls. */
        int call_index;
        for (call_index = 0; call_index < kPointFileCalls; ++call_index) {
            double flatness;
            int status;
            begin_call("gte_measure_platness_pointCloud_file");
            if (!write_point_file()) {
                fprintf(stderr, "cannot write %s\n", kPointFile);
                return 2;
            }
            POISON(flatness);
            status = gte_measure_platness_pointCloud_file(kPointFile, &flatness);
            OUT(status);
            OUT(flatness);
            end_call();
        }
        remove(kPointFile);
        finish_export(digest, "gte_measure_platness_pointCloud_file");
    }

    /* form measures */
    EXPORT(gte_measure_moment2, {
        int count, status;
        gte_point centroid;
        double angle, major, minor;
        const gte_point* points = point_set(point_set_a, &count);
        POISON(centroid);
        POISON(angle);
        POISON(major);
        POISON(minor);
        status = gte_measure_moment2(points, count, &centroid, &angle, &major, &minor);
        OUT(status);
        OUT(centroid);
        OUT(angle);
        OUT(major);
        OUT(minor);
    });
    EXPORT(gte_measure_profile2D, {
        int measuredCount, nominalCount, status, i;
        double profile;
        const gte_point* measured = point_set(point_set_a, &measuredCount);
        const gte_point* nominal = point_set(point_set_b, &nominalCount);
        for (i = 0; i < kMaxPoints; ++i) {
            normal_set[i] = vector();
        }
        POISON(profile);
        status = gte_measure_profile2D(measured, measuredCount, nominal,
                                       below(16) == 0 ? NULL : normal_set, nominalCount, &profile);
        OUT(status);
        OUT(profile);
    });
    EXPORT(gte_straightness_xy_line, {
        gte_line const input1 = line();
        int count;
        double deviations[kMaxPoints];
        double straightness;
        const gte_point* points = point_set(point_set_a, &count);
        POISON(deviations);
        straightness =
            gte_straightness_xy_line(points, count, input1, below(4) == 0 ? NULL : deviations);
        OUT(straightness);
        OUT(deviations);
    });

    /* tools */
    EXPORT(gte_tool_rotate_vector, {
        double const input1 = degrees();
        gte_vector r;
        gte_vector const v = vector();
        gte_vector const axis = vector();
        POISON(r);
        gte_tool_rotate_vector(v, axis, input1, &r);
        OUT(r);
    });

#if defined(__i386__)
    if (x87_precision != 0 &&
        (x87_control_word() & 0x300u) != (x87_precision == 64 ? 0x300u : 0x200u)) {
        fprintf(stderr, "FAILED: the library left the x87 precision changed\n");
        return 1;
    }
#endif
    if (calls_file != NULL && fclose(calls_file) != 0) {
        return 2;
    }
    return fclose(digest) == 0 ? 0 : 2;
}
