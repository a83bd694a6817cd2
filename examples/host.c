/* An example host: loads libTavrisk at run time, as an inspection program does, and prints a few
 * measurements of a small part. Usage: tavrisk_host [library path] */
#include <dlfcn.h>
#include <stdio.h>

#include "tavrisk.h"

typedef void (*dist_point_line_fn)(gte_line, gte_point, gte_dist_result*);
typedef void (*dist_point_plane_fn)(gte_plane, gte_point, gte_dist_result*);
typedef void (*dist_point_circle_fn)(gte_circle, gte_point, gte_dist_result*);

static void print_result(const char* what, const gte_dist_result* r) {
    printf("%s\n", what);
    printf("  dist %.6f   dx %.6f  dy %.6f  dz %.6f\n", r->dist, r->dx, r->dy, r->dz);
    printf("  dxy  %.6f   dxz %.6f dyz %.6f\n", r->dxy, r->dxz, r->dyz);
    printf("  from (%.4f, %.4f, %.4f) to (%.4f, %.4f, %.4f), direction (%.4f, %.4f, %.4f)\n",
           r->point1.x, r->point1.y, r->point1.z, r->point2.x, r->point2.y, r->point2.z,
           r->direction.x, r->direction.y, r->direction.z);
}

/* Looks an export up by name and stores it in *slot, a function pointer variable. Copying
 * through void** is the POSIX way to turn dlsym's object pointer into a function pointer. */
static int load(void* library, const char* name, void* slot) {
    void* f = dlsym(library, name);
    if (f == NULL) {
        fprintf(stderr, "missing export %s\n", name);
        return 0;
    }
    *(void**)slot = f;
    return 1;
}

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : TAVRISK_LIBRARY_PATH;
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        return 1;
    }
    dist_point_line_fn dist_point_line;
    dist_point_plane_fn dist_point_plane;
    dist_point_circle_fn dist_point_circle;
    if (!load(library, "gte_dist_point_line", &dist_point_line) ||
        !load(library, "gte_dist_point_plane", &dist_point_plane) ||
        !load(library, "gte_dist_point_circle", &dist_point_circle)) {
        dlclose(library);
        return 1;
    }

    /* A probed hole at (12.5, 30.2, -4.1) against the datum edge along x. */
    gte_line edge = {{0, 0, 0}, {1, 0, 0}};
    gte_point hole = {12.5, 30.2, -4.1};
    gte_dist_result result;
    dist_point_line(edge, hole, &result);
    print_result("hole centre to datum edge", &result);

    /* The same hole against the datum face z = 0 given by three probed points. */
    gte_plane face = {{0, 0, 0}, {100, 0, 0}, {0, 50, 0}, {0, 0, 0}, {0, 0, 0}};
    dist_point_plane(face, hole, &result);
    print_result("hole centre to datum face", &result);

    /* A probe point against a bore of radius 8 around the z axis. */
    gte_circle bore = {{0, 0, 0}, 8.0, {0, 0, 1}};
    gte_point probe = {6.0, 8.0, 2.0};
    gte_dist_result toBore[3];
    dist_point_circle(bore, probe, toBore);
    print_result("probe point to bore centre", &toBore[0]);
    print_result("probe point to nearest bore point", &toBore[1]);
    print_result("probe point to opposite bore point", &toBore[2]);

    dlclose(library);
    return 0;
}
