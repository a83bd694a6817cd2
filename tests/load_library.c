/* A host that links nothing of Tavrisk: it loads the library at run time (LoadLibraryW on
 * Windows, dlopen elsewhere), finds every function of the export list by its plain name and calls
 * functions that take every record through pointers of the declared calling convention, as a
 * measuring program does. On 32-bit Windows a name left decorated (gte_dist_point_line@76) fails
 * the look-up here; that the functions clean up the stack as TAVRISK_CALL says, the export check
 * proves from the import library's decorations.
 *
 * Usage: tavrisk_load_library EXPORT_LIST [LIBRARY]  (default: Tavrisk.dll beside the program on
 * Windows, libTavrisk.so on the library path elsewhere) */
#include <math.h>
#include <stdio.h>

#include "dynamic_library.h"
#include "tavrisk.h"

#if defined(_WIN32)
#include <winver.h>  // the version resource's functions, which a lean windows.h leaves out
#endif

static int failures = 0;

static void check(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

static int close_to(double a, double b) {
    return fabs(a - b) <= 1e-12;
}

#if defined(_WIN32)
/* The DLL's VERSIONINFO resource names the version the header declares. */
static void check_version(library_handle library) {
    wchar_t path[MAX_PATH];
    DWORD ignored = 0;
    char data[4096];
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT size = 0;
    DWORD const length = GetModuleFileNameW(library, path, MAX_PATH);
    DWORD const needed = GetFileVersionInfoSizeW(path, &ignored);
    if (length == 0 || length >= MAX_PATH || needed == 0 || needed > sizeof data ||
        !GetFileVersionInfoW(path, 0, needed, data) ||
        !VerQueryValueW(data, L"\\", (void**)&fixed, &size) || size < sizeof *fixed) {
        check(0, "version resource readable");
        return;
    }
    check(fixed->dwFileVersionMS == (DWORD)MAKELONG(TAVRISK_VERSION_MINOR, TAVRISK_VERSION_MAJOR) &&
              fixed->dwFileVersionLS == (DWORD)MAKELONG(0, TAVRISK_VERSION_PATCH),
          "file version is the header's version");
}
#define DEFAULT_LIBRARY "Tavrisk.dll"
#else
static void check_version(library_handle library) {
    (void)library;
}
#define DEFAULT_LIBRARY "libTavrisk.so"
#endif

/* Every name of the list resolves, undecorated. */
static void check_every_export(library_handle library, const char* list) {
    char name[128];
    int count = 0;
    FILE* file = fopen(list, "r");
    if (file == NULL) {
        check(0, "export list readable");
        return;
    }
    while (fscanf(file, "%127s", name) == 1) {
        ++count;
        if (find_function(library, name) == NULL) {
            fprintf(stderr, "FAILED: %s not found by its plain name\n", name);
            ++failures;
        }
    }
    fclose(file);
    check(count == 85, "85 names in the export list");
}

typedef void(TAVRISK_CALL* dist_point_line_fn)(gte_line, gte_point, gte_dist_result*);
typedef int(TAVRISK_CALL* intersec_line_plane_fn)(gte_line, gte_plane, gte_point*);
typedef int(TAVRISK_CALL* dist_circle_circle_fn)(gte_circle, gte_circle, gte_dist_result*);
typedef double(TAVRISK_CALL* interval_lseg_lseg_fn)(gte_lseg, gte_lseg, double*, double*);
typedef int(TAVRISK_CALL* fit_plane_fn)(const gte_point*, int, gte_plane*);
typedef void(TAVRISK_CALL* rotate_vector_fn)(gte_vector, gte_vector, double, gte_vector*);

#define FUNCTION(type, name) ((type)find_function(library, #name))

/* Calls that pass every record by value and return each kind of result, each known exactly: the
 * stack a function cleans up must be the one its caller built. */
static void call_every_record(library_handle library) {
    gte_line const x_axis = {{0, 0, 0}, {2, 0, 0}};
    gte_point const point = {3, 4, 0};
    gte_plane const at_z3 = {{0, 0, 3}, {1, 0, 3}, {0, 1, 3}, {0, 0, 0}, {0, 0, 0}};
    gte_circle const unit = {{0, 0, 0}, 1.0, {0, 0, 1}};
    gte_circle const unit_apart = {{5, 0, 0}, 1.0, {0, 0, 1}};
    gte_lseg const along_x = {{2, 0, 0}, {0, 0, 0}};
    gte_lseg const along_x_above = {{2, 2, 0}, {0, 2, 0}};
    gte_point const square[4] = {{0, 0, 5}, {1, 0, 5}, {0, 1, 5}, {1, 1, 5}};
    gte_line const vertical = {{1, 2, 0}, {0, 0, 1}};
    gte_vector const east = {1, 0, 0};
    gte_vector const up = {0, 0, 1};
    gte_dist_result result;
    gte_dist_result three[3];
    gte_point found;
    gte_plane plane;
    gte_vector rotated;
    double high = 0.0;
    double low = 0.0;

    FUNCTION(dist_point_line_fn, gte_dist_point_line)(x_axis, point, &result);
    check(result.dist == 4.0 && result.point2.x == 3.0 && result.point2.y == 0.0,
          "gte_dist_point_line");
    check(FUNCTION(intersec_line_plane_fn, gte_intersec_line_plane)(vertical, at_z3, &found) == 1 &&
              found.x == 1.0 && found.y == 2.0 && found.z == 3.0,
          "gte_intersec_line_plane");
    check(FUNCTION(dist_circle_circle_fn, gte_dist_circle_circle)(unit, unit_apart, three) == 3 &&
              three[0].dist == 5.0 && three[1].dist == 3.0 && three[2].dist == 7.0,
          "gte_dist_circle_circle");
    check(FUNCTION(interval_lseg_lseg_fn, gte_intervalXY_lseg_lseg)(along_x, along_x_above, &high,
                                                                    &low) == 2.0 &&
              high == 2.0 && low == 2.0,
          "gte_intervalXY_lseg_lseg");
    check(FUNCTION(fit_plane_fn, gte_fit_plane)(square, 4, &plane) == 1 &&
              close_to(plane.pt1.z, 5.0) && close_to(plane.pt2.z, 5.0) &&
              close_to(plane.pt3.z, 5.0),
          "gte_fit_plane");
    FUNCTION(rotate_vector_fn, gte_tool_rotate_vector)(east, up, 90.0, &rotated);
    check(close_to(rotated.x, 0.0) && close_to(rotated.y, 1.0) && rotated.z == 0.0,
          "gte_tool_rotate_vector");
}

int main(int argc, char** argv) {
    library_handle library;
    if (argc < 2) {
        fprintf(stderr, "usage: %s EXPORT_LIST [LIBRARY]\n", argv[0]);
        return 2;
    }
    library = open_library(argc > 2 ? argv[2] : DEFAULT_LIBRARY);
    if (library == NULL) {
        fprintf(stderr, "FAILED: the library does not load\n");
        return 1;
    }
    check_every_export(library, argv[1]);
    if (failures == 0) {
        check_version(library);
        call_every_record(library);
    }
    close_library(library);
    if (failures == 0) {
        printf("every export found by its plain name, calls with every record checked\n");
    }
    return failures == 0 ? 0 : 1;
}
