// SPDX-License-Identifier: MIT
/* A C99 host of the second library: compiles its header as C and reads points through it, with
 * its options, its problem record and its block of points, as a C host does. */
#include <stdio.h>
#include <string.h>

#include "tavrisk_inspect.h"

static int failures = 0;

static void check(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

int main(void) {
    static const char text[] = "X;Y;Z;I\n1,5;2;3;9\n4;5;6,25;9\n";
    static const char refused[] = "1 2 3 4\n";
    tvi_read_options options;
    tvi_points* points = NULL;
    tvi_problem problem;
    int status;

    check(tvi_init_read_options(&options) == TVI_OK && options.size == sizeof options,
          "options filled with their defaults");
    options.column_name[0] = "X";
    options.column_name[1] = "Y";
    options.column_name[2] = "Z";
    status = tvi_read_points_memory(text, sizeof text - 1, &options, &points, &problem);
    check(status == TVI_OK && problem.kind == TVI_PROBLEM_NONE, "a table read");
    if (status == TVI_OK) {
        check(points->count == 2 && points->points[0].x == 1.5 && points->points[1].z == 6.25,
              "its points");
        check(points->name_count == 4 && strcmp(points->names[3], "I") == 0, "its names");
        check(points->decimal_comma == 1 && points->format == TVI_FORMAT_TEXT, "its layout");
        tvi_free_points(points);
    }

    points = NULL;
    status = tvi_read_points_memory(refused, sizeof refused - 1, NULL, &points, &problem);
    check(status == TVI_REFUSED && points == NULL, "four values a line refused");
    check(problem.kind == TVI_PROBLEM_COLUMNS_NEEDED && problem.option == TVI_OPTION_COLUMNS &&
              problem.line == 1 && problem.count == 4,
          "with the reason, the line, the count and the option");
    check(strcmp(tvi_problem_kind_name(problem.kind), "columns_needed") == 0, "the kind's name");
    check(tvi_version() == TAVRISK_VERSION_NUMBER, "the version of the header");
    return failures == 0 ? 0 : 1;
}
