// SPDX-License-Identifier: MIT
/* A host that links nothing of Tavrisk: it loads a library of the project at run time
 * (LoadLibraryW on Windows, dlopen elsewhere) and finds every function of its export list by its
 * plain name, as a measuring program does. On 32-bit Windows a name left decorated
 * (gte_dist_point_line@76) fails the look-up here; that the functions clean up the stack as
 * TAVRISK_CALL says, the export check proves from the import library's decorations.
 *
 * Usage: tavrisk_load_library EXPORT_LIST COUNT LIBRARY  (COUNT: the names the list must hold;
 * LIBRARY: a path, or on Windows the name of a DLL beside the program) */
#include <stdio.h>
#include <stdlib.h>

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
#else
static void check_version(library_handle library) {
    (void)library;
}
#endif

/* Every name of the list resolves, undecorated, and the list holds the names it should. */
static void check_every_export(library_handle library, const char* list, int expected) {
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
    if (count != expected) {
        fprintf(stderr, "FAILED: %d names in the export list, not %d\n", count, expected);
        ++failures;
    }
}

int main(int argc, char** argv) {
    library_handle library;
    if (argc != 4) {
        fprintf(stderr, "usage: %s EXPORT_LIST COUNT LIBRARY\n", argv[0]);
        return 2;
    }
    library = open_library(argv[3]);
    if (library == NULL) {
        fprintf(stderr, "FAILED: %s does not load\n", argv[3]);
        return 1;
    }
    check_every_export(library, argv[1], atoi(argv[2]));
    check_version(library);
    close_library(library);
    return failures == 0 ? 0 : 1;
}
