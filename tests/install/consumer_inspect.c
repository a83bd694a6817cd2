// SPDX-License-Identifier: MIT
/* A host program of the second library built against an installed Tavrisk: it sees only the
 * installed headers and library, found through the CMake package or through pkg-config. */
#include <stdio.h>

#include "tavrisk_inspect.h"

int main(void) {
    static const char text[] = "x y z\n1 2 3\n";
    tvi_points* points = NULL;
    tvi_problem problem;
    int const status = tvi_read_points_memory(text, sizeof text - 1, NULL, &points, &problem);
    if (status != TVI_OK || points->count != 1 || points->points[0].z != 3.0) {
        fprintf(stderr, "installed library read status %d: %s\n", status, problem.message);
        return 1;
    }
    tvi_free_points(points);
    printf("installed TavriskInspect %d\n", tvi_version());
    return 0;
}
