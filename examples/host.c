/* An example inspection host. It loads libTavrisk at run time, as a measuring program does, reads
 * the probed points of a plate face from a text file and reports the face's form and a few
 * measurements against it.
 *
 * Usage: tavrisk_host [point file [library path]] */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dynamic_library.h"
#include "tavrisk.h"

/* The functions' own calling convention (__stdcall on 32-bit Windows) is part of their type. */
typedef int(TAVRISK_CALL* flatness_fn)(const char*, double*);
typedef int(TAVRISK_CALL* fit_plane_fn)(const gte_point*, int, gte_plane*);
typedef void(TAVRISK_CALL* dist_point_plane_fn)(gte_plane, gte_point, gte_dist_result*);
typedef void(TAVRISK_CALL* dist_point_line_fn)(gte_line, gte_point, gte_dist_result*);
typedef double(TAVRISK_CALL* angle_plane_plane_fn)(gte_plane, gte_plane);
typedef int(TAVRISK_CALL* dist_line_circle_fn)(gte_line, gte_circle, gte_dist_result*);

/* Looks an export up by its plain name and stores it in *slot, a function pointer variable of
 * the function's type. */
static int load(library_handle library, const char* name, void* slot) {
    any_function f = find_function(library, name);
    if (f == NULL) {
        fprintf(stderr, "missing export %s\n", name);
        return 0;
    }
    memcpy(slot, &f, sizeof f);
    return 1;
}

static void print_result(const char* what, const gte_dist_result* r) {
    printf("%s\n", what);
    printf("  dist %.6f   dx %.6f  dy %.6f  dz %.6f\n", r->dist, r->dx, r->dy, r->dz);
    printf("  dxy  %.6f   dxz %.6f dyz %.6f\n", r->dxy, r->dxz, r->dyz);
    printf("  from (%.4f, %.4f, %.4f) to (%.4f, %.4f, %.4f), direction (%.4f, %.4f, %.4f)\n",
           r->point1.x, r->point1.y, r->point1.z, r->point2.x, r->point2.y, r->point2.z,
           r->direction.x, r->direction.y, r->direction.z);
}

/* Reads "x,y,z" lines; the host keeps its own copy of the probed points. */
static int read_points(const char* path, gte_point** points) {
    FILE* file = fopen(path, "r");
    if (file == NULL) {
        return -1;
    }
    int count = 0;
    int capacity = 64;
    gte_point* list = malloc(sizeof(gte_point) * (size_t)capacity);
    gte_point p;
    while (list != NULL && fscanf(file, "%lf,%lf,%lf", &p.x, &p.y, &p.z) == 3) {
        if (count == capacity) {
            capacity *= 2;
            gte_point* grown = realloc(list, sizeof(gte_point) * (size_t)capacity);
            if (grown == NULL) {
                free(list);
                list = NULL;
                break;
            }
            list = grown;
        }
        list[count++] = p;
    }
    fclose(file);
    *points = list;
    return list == NULL ? -1 : count;
}

int main(int argc, char** argv) {
    const char* data = argc > 1 ? argv[1] : TAVRISK_EXAMPLE_DATA;
    const char* path = argc > 2 ? argv[2] : TAVRISK_LIBRARY_PATH;
    library_handle library = open_library(path);
    if (library == NULL) {
        report_load_failure(path);
        return 1;
    }
    flatness_fn flatness_of_file;
    fit_plane_fn fit_plane;
    dist_point_plane_fn dist_point_plane;
    dist_point_line_fn dist_point_line;
    angle_plane_plane_fn angle_plane_plane;
    dist_line_circle_fn dist_line_circle;
    if (!load(library, "gte_measure_platness_pointCloud_file", &flatness_of_file) ||
        !load(library, "gte_fit_plane", &fit_plane) ||
        !load(library, "gte_dist_point_plane", &dist_point_plane) ||
        !load(library, "gte_dist_point_line", &dist_point_line) ||
        !load(library, "gte_angle_plane_plane", &angle_plane_plane) ||
        !load(library, "gte_dist_line_circle", &dist_line_circle)) {
        close_library(library);
        return 1;
    }

    int status = 1;
    gte_point* points = NULL;
    int count = read_points(data, &points);
    double flatness = 0.0;
    gte_plane face;
    if (count < 3 || flatness_of_file(data, &flatness) != 0 ||
        fit_plane(points, count, &face) != 1) {
        fprintf(stderr, "cannot measure the face from %s\n", data);
        goto done;
    }
    printf("plate face: %d probed points from %s\n", count, data);
    printf("  flatness %.6f\n", flatness);
    printf("  best-fit plane through (%.4f, %.4f, %.4f), (%.4f, %.4f, %.4f), (%.4f, %.4f, %.4f)\n",
           face.pt1.x, face.pt1.y, face.pt1.z, face.pt2.x, face.pt2.y, face.pt2.z, face.pt3.x,
           face.pt3.y, face.pt3.z);

    /* The datum: the machine table z = 0. */
    gte_plane table = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}};
    /* The fitted record's orientation follows the sampled points; the tilt ignores the sense. */
    double between = angle_plane_plane(face, table);
    if (between > 90.0) {
        between = 180.0 - between;
    }
    printf("  tilt against the table %.6f degrees\n", between);

    gte_dist_result result;
    gte_point hole = {42.5, 31.2, 5.0};
    dist_point_plane(face, hole, &result);
    print_result("hole centre to the fitted face", &result);

    gte_line edge = {{0, 0, 5}, {1, 0, 0}};
    dist_point_line(edge, hole, &result);
    print_result("hole centre to the datum edge", &result);

    gte_circle bore = {{42.5, 31.2, 5.0}, 8.0, {0, 0, 1}};
    gte_dist_result toBore[3];
    if (dist_line_circle(edge, bore, toBore) == 3) {
        print_result("bore centre to the datum edge", &toBore[0]);
        print_result("nearest bore point to the datum edge", &toBore[1]);
        print_result("farthest bore point to the datum edge", &toBore[2]);
    }
    status = 0;

done:
    free(points);
    close_library(library);
    return status;
}
