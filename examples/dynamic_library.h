// SPDX-License-Identifier: MIT
/* Loading Tavrisk at run time and finding its functions by their plain names, as a measuring
 * program does: LoadLibraryW and GetProcAddress on Windows, dlopen and dlsym elsewhere. */
#ifndef TAVRISK_DYNAMIC_LIBRARY_H
#define TAVRISK_DYNAMIC_LIBRARY_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Any function pointer; the caller converts it to the function's own type (declared with
 * TAVRISK_CALL) before calling through it. */
typedef void (*any_function)(void);

#if defined(_WIN32)
#include <windows.h>

typedef HMODULE library_handle;

/* path is text in the ANSI code page, as the host's other narrow file names are. */
static inline library_handle open_library(const char* path) {
    library_handle library = NULL;
    int const size = MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0);
    wchar_t* wide = size > 0 ? (wchar_t*)malloc(sizeof(wchar_t) * (size_t)size) : NULL;
    if (wide != NULL && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, size) == size) {
        library = LoadLibraryW(wide);
    }
    free(wide);
    return library;
}

static inline any_function find_function(library_handle library, const char* name) {
    return (any_function)GetProcAddress(library, name);
}

static inline void close_library(library_handle library) {
    FreeLibrary(library);
}

static inline void report_load_failure(const char* path) {
    fprintf(stderr, "cannot load %s: error %lu\n", path, (unsigned long)GetLastError());
}
#else
#include <dlfcn.h>

typedef void* library_handle;

static inline library_handle open_library(const char* path) {
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

/* dlsym gives an object pointer; copying its bytes is the ISO C way to a function pointer. */
static inline any_function find_function(library_handle library, const char* name) {
    void* found = dlsym(library, name);
    any_function function;
    memcpy(&function, &found, sizeof function);
    return function;
}

static inline void close_library(library_handle library) {
    dlclose(library);
}

static inline void report_load_failure(const char* path) {
    fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
}
#endif

#endif /* TAVRISK_DYNAMIC_LIBRARY_H */
