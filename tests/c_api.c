/* A C99 host: compiles the public header as C and calls the library through it. */
#include <math.h>
#include <stdio.h>

#include "tavrisk.h"

static int failures = 0;

static void check(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

int main(void) {
    gte_line line = {{0, 0, 0}, {2, 0, 0}};
    gte_point point = {3, 4, 0};
    gte_dist_result result;
    gte_dist_point_line(line, point, &result);
    check(result.dist == 4.0 && result.dy == 4.0 && result.dx == 0.0, "point-line distance");
    check(result.point2.x == 3.0 && result.point2.y == 0.0, "foot of the perpendicular");
    check(result.direction.y == -1.0, "direction towards the line");

    gte_plane plane = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}};
    gte_point above = {1, 2, 5};
    gte_dist_point_plane(plane, above, &result);
    check(result.dist == 5.0 && result.point2.z == 0.0, "point-plane distance");

    gte_circle circle = {{0, 0, 0}, 2.0, {0, 0, 1}};
    gte_point outside = {3, 0, 4};
    gte_dist_result three[3];
    gte_dist_point_circle(circle, outside, three);
    check(three[0].dist == 5.0, "point to circle centre");
    check(fabs(three[1].dist - sqrt(17.0)) < 1e-12, "point to nearest circle point");
    check(fabs(three[2].dist - sqrt(41.0)) < 1e-12, "point to opposite circle point");

    /* A null output is not written and does not crash. */
    gte_dist_point_line(line, point, NULL);

    if (failures == 0) {
        printf("C API checks passed\n");
    }
    return failures == 0 ? 0 : 1;
}
