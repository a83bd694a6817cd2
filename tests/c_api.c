// SPDX-License-Identifier: MIT
/* A C99 host: compiles the public header as C and links against the library through it. */
#include <stdio.h>

#include "tavrisk.h"

int main(void) {
    gte_line line = {{0, 0, 0}, {2, 0, 0}};
    gte_point point = {3, 4, 0};
    gte_dist_result result;
    gte_dist_point_line(line, point, &result);
    if (result.dist != 4.0) {
        fprintf(stderr, "FAILED: distance %g\n", result.dist);
        return 1;
    }
    return 0;
}
