// SPDX-License-Identifier: MIT
/* A C99 host of the second library: compiles its header as C and reads points through it, with
 * its options, its problem record and its block of points, measures their form into result
 * records and fits and measures arrays of points, as a C host does. */
#include <math.h>
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

    {
        /* A triangle's corners at height 0 and a point above its inside at height 1: a 3+1
         * zone 1 wide, whose single support is that point, on the high plane. */
        static const gte_point face[4] = {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {1, 1, 1}};
        static const gte_point ring[4] = {{1, 0, 5}, {0, 1, 5}, {-1, 0, 5}, {0, -1, 5}};
        tvi_flatness_result flatness;
        tvi_roundness_result roundness;
        size_t k;
        size_t single = 0;
        size_t singles = 0;
        flatness.size = sizeof flatness;
        status = tvi_flatness(face, 4, &flatness, &problem);
        check(status == TVI_OK && problem.kind == TVI_PROBLEM_NONE, "a flatness measured");
        check(flatness.zone.width == 1.0 && flatness.zone.low == -0.5 && flatness.zone.high == 0.5,
              "its zone");
        check(flatness.configuration == TVI_CONFIGURATION_THREE_PLUS_ONE &&
                  flatness.certified == 1 && flatness.support_count == 4,
              "its configuration");
        /* The single support is on the side the least-squares normal calls high or low. */
        for (k = 0; k < flatness.support_count; ++k) {
            if (flatness.support[k].contact ==
                (flatness.zone.normal.z > 0 ? TVI_CONTACT_HIGH : TVI_CONTACT_LOW)) {
                single = flatness.support[k].index;
                ++singles;
            }
        }
        check(singles == 1 && single == 3, "its single support");
        check(strcmp(tvi_configuration_name(flatness.configuration), "3+1") == 0,
              "the configuration's name");

        roundness.size = sizeof roundness;
        status =
            tvi_roundness_xy(ring, 4, TVI_CRITERION_MINIMUM_CIRCUMSCRIBED, &roundness, &problem);
        check(status == TVI_OK && roundness.outer_radius == 1.0 && roundness.width == 0.0,
              "a circle's roundness");
        status = tvi_roundness_xy(ring, 4, 99, &roundness, &problem);
        check(status == TVI_BAD_ARGUMENT && problem.kind == TVI_PROBLEM_BAD_OPTION,
              "an unknown criterion");
    }
    {
        /* A face of four points: its fit, and each point's distance and deviation from it. */
        static const gte_point face[4] = {{0, 0, 1}, {2, 0, 1}, {2, 2, 1}, {0, 2, 1.5}};
        gte_dist_result distances[4];
        double residuals[4], deviations[4];
        tvi_plane_fit fit;
        memset(&fit, 0, sizeof fit);
        fit.size = sizeof fit;
        status = tvi_fit_plane(face, 4, &fit, residuals, &problem);
        check(status == TVI_OK && fit.has_plane == 1 && fit.centroid.z == 1.125,
              "a plane fitted, with its record");
        check(fit.flatness > 0.0 && fit.high - fit.low == fit.flatness, "its band");
        status = tvi_dist_point_plane_array(fit.plane, face, 4, distances, &problem);
        check(status == TVI_OK && fabs(distances[3].dist - fabs(residuals[3])) < 1e-12,
              "distances of an array");
        status = tvi_deviation_point_plane_array(fit.plane, face, 4, deviations, NULL);
        check(status == TVI_OK && fabs(fabs(deviations[3]) - distances[3].dist) == 0.0,
              "deviations of an array");
    }
    return failures == 0 ? 0 : 1;
}
