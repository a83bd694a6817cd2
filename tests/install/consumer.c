// SPDX-License-Identifier: MIT
/* A host program built against an installed Tavrisk: it sees only the installed header and
 * library, found through the CMake package or through pkg-config. */
#include <stdio.h>

#include "tavrisk.h"

int main(void) {
    gte_line line = {{0, 0, 0}, {2, 0, 0}};
    gte_point point = {3, 4, 0};
    gte_dist_result result;
    gte_dist_point_line(line, point, &result);
    if (result.dist != 4.0) {
        fprintf(stderr, "installed library measured dist %g\n", result.dist);
        return 1;
    }
    printf("installed Tavrisk %d.%d.%d\n", TAVRISK_VERSION_MAJOR, TAVRISK_VERSION_MINOR,
           TAVRISK_VERSION_PATCH);
    return 0;
}
