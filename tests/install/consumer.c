/* A host program built against an installed Tavrisk: it sees only the installed header and
 * library, found through the CMake package or through pkg-config. */
#include <stdio.h>

#include "tavrisk.h"

int main(void) {
    gte_line line = {{0, 0, 0}, {2, 0, 0}};
    gte_point point = {3, 4, 0};
    gte_dist_result result;
    gte_dist_point_line(line, point, &result);

    /* The line lies in the plane z = 0: infinitely many common points. */
    gte_plane table = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}};
    gte_point common = {9, 9, 9};
    int const count = gte_intersec_line_plane(line, table, &common);

    if (result.dist != 4.0 || result.point2.x != 3.0 || count != TAVRISK_INFINITE_POINTS ||
        common.x != 0.0) {
        fprintf(stderr, "installed library measured dist %g, intersection count %d\n", result.dist,
                count);
        return 1;
    }
    printf("installed Tavrisk %d.%d.%d: dist %g\n", TAVRISK_VERSION_MAJOR, TAVRISK_VERSION_MINOR,
           TAVRISK_VERSION_PATCH, result.dist);
    return 0;
}
