// SPDX-License-Identifier: MIT
/* An example inspection host. It loads libTavrisk at run time, as a measuring program does, reads
 * the probed points of a plate face from a text file and reports the face's form and a few
 * measurements against it.
 *
 * Usage: tavrisk_host [--library PATH] POINT_FILE
 *
 * The library is the one named by --library, else by the environment variable TAVRISK_LIBRARY,
 * else on Windows Tavrisk.dll beside the program (or on the DLL search path), elsewhere the first
 * libTavrisk.so.1 found beside the program, in its parent directory (a build tree), in ../lib
 * (an installed tree), or on the system's library path. */
#if !defined(_WIN32)
/* readlink and access are POSIX, beyond plain C99. */
#define _POSIX_C_SOURCE 200809L
#include <unistd.h>
#endif

#include <errno.h>
#include <math.h>
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

static int is_separator(int c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

/* The point file rules of the library's own reader: numbers separated by spaces, commas, tabs
 * or line breaks, three to a point; a byte order mark at the start is skipped; every value must
 * be a whole finite number of at most 1024 characters, and the values must make whole points.
 * Returns the point count, or -1 with a reason in *why. */
static int read_points(const char* path, gte_point** points, const char** why) {
    FILE* file = fopen(path, "rb");
    if (file == NULL) {
        *why = strerror(errno);
        return -1;
    }
    int count = 0, capacity = 64, coordinate = 0;
    gte_point* list = malloc(sizeof(gte_point) * (size_t)capacity);
    double pending[3];
    char value[1026];
    size_t length = 0;
    int c = fgetc(file);
    if (c == 0xEF && fgetc(file) == 0xBB && fgetc(file) == 0xBF) {
        c = fgetc(file);
    } else {
        rewind(file);
        c = fgetc(file);
    }
    *why = NULL;
    for (; list != NULL && *why == NULL; c = fgetc(file)) {
        if (c != EOF && !is_separator(c)) {
            if (c == 0 || length == 1024) {
                *why = c == 0 ? "not a number" : "value longer than 1024 characters";
            }
            value[length++] = (char)c;
            continue;
        }
        if (length > 0) {
            char* end;
            value[length] = '\0';
            pending[coordinate] = strtod(value, &end);
            length = 0;
            if (*end != '\0' || !isfinite(pending[coordinate])) {
                *why = *end != '\0' ? "not a number" : "not a finite number";
            } else if (++coordinate == 3) {
                if (count == capacity) {
                    gte_point* grown = realloc(list, sizeof(gte_point) * (size_t)(capacity *= 2));
                    if (grown == NULL) {
                        free(list);
                        list = NULL;
                        break;
                    }
                    list = grown;
                }
                list[count].x = pending[0];
                list[count].y = pending[1];
                list[count].z = pending[2];
                ++count;
                coordinate = 0;
            }
        }
        if (c == EOF) {
            break;
        }
    }
    fclose(file);
    if (list == NULL) {
        *why = "out of memory";
    } else if (*why == NULL && coordinate != 0) {
        *why = "incomplete last point";
    }
    if (*why != NULL) {
        free(list);
        return -1;
    }
    *points = list;
    return count;
}

/* Opens the library: the path given, else beside the program, above it, in ../lib, or by name. */
static library_handle open_tavrisk(const char* given) {
    if (given != NULL) {
        return open_library(given);
    }
#if defined(_WIN32)
    /* Windows looks beside the program first. */
    return open_library("Tavrisk.dll");
#else
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 64);
    if (length > 0) {
        self[length] = '\0';
        char* slash = strrchr(self, '/');
        const char* places[] = {"/libTavrisk.so.1", "/../libTavrisk.so.1",
                                "/../lib/libTavrisk.so.1"};
        for (size_t i = 0; slash != NULL && i < sizeof places / sizeof places[0]; ++i) {
            strcpy(slash, places[i]);
            if (access(self, R_OK) == 0) {
                return open_library(self);
            }
        }
    }
    return open_library("libTavrisk.so.1");
#endif
}

static int usage(FILE* out, int status) {
    fputs(
        "usage: tavrisk_host [--library PATH] POINT_FILE\n"
        "Loads libTavrisk (PATH, else $TAVRISK_LIBRARY, else beside the program or on the\n"
        "library path), reads the probed points of a plate face (x y z per point) and\n"
        "reports the face's flatness, its best-fit plane and a few distances against it.\n",
        out);
    return status;
}

int main(int argc, char** argv) {
    const char* data = NULL;
    const char* path = getenv("TAVRISK_LIBRARY");
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            return usage(stdout, 0);
        } else if (strcmp(argv[i], "--library") == 0 && i + 1 < argc) {
            path = argv[++i];
        } else if (argv[i][0] == '-' || data != NULL) {
            return usage(stderr, 2);
        } else {
            data = argv[i];
        }
    }
    if (data == NULL) {
        return usage(stderr, 2);
    }
    const char* given = path != NULL && *path != '\0' ? path : NULL;
    library_handle library = open_tavrisk(given);
    if (library == NULL) {
        report_load_failure(given != NULL ? given : "the Tavrisk library");
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
    const char* why = NULL;
    int count = read_points(data, &points, &why);
    double flatness = 0.0;
    gte_plane face;
    if (count < 0) {
        fprintf(stderr, "%s: %s\n", data, why);
        goto done;
    }
    /* The library reads the file itself for the flatness, by the same rules. */
    if (count < 3 || flatness_of_file(data, &flatness) != TAVRISK_FLATNESS_MEASURED ||
        fit_plane(points, count, &face) != TAVRISK_MEASURED) {
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
