/* A C99 host: compiles the public header as C and calls the library through it. */
#include <stdio.h>

#include "tavrisk.h"

int main(void) {
    gte_line line = {{0, 0, 0}, {2, 0, 0}};
    gte_point point = {3, 4, 0};
    gte_plane plane = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}};
    gte_point above = {1, 2, 5};
    gte_dist_result to_line;
    gte_dist_result to_plane;
    gte_dist_point_line(line, point, &to_line);
    gte_dist_point_plane(plane, above, &to_plane);
    /* A null output is not written and does not crash. */
    gte_dist_point_line(line, point, NULL);
    if (to_line.dist != 4.0 || to_line.point2.x != 3.0 || to_line.direction.y != -1.0 ||
        to_plane.dist != 5.0 || to_plane.point2.z != 0.0) {
        fprintf(stderr, "FAILED: distances %g and %g\n", to_line.dist, to_plane.dist);
        return 1;
    }
    printf("C API checks passed\n");
    return 0;
}
