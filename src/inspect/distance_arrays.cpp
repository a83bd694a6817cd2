// SPDX-License-Identifier: MIT
// Distances from every point of an array to one shape. The shape is converted once, as the
// one-point export converts it on each call, and each point goes through the export's own record
// function: element i is the export's record for point i, to the bit.
#include <cstddef>

#include "api/convert.h"
#include "api/point_dist_records.h"
#include "inspect/each_point.h"
#include "tavrisk_inspect.h"

using namespace tavrisk;

namespace {

// One record a point.
template <class Shape>
int distancesTo(Shape const& shape, gte_point const* points, std::size_t count,
                gte_dist_result* results, tvi_problem* problem) {
    return measureEachPoint(points, count, results, problem, [&](std::size_t i) {
        fillPointToShape(shape, toVector3(points[i]), &results[i]);
    });
}

// Three records a point, as gte_dist_point_circle writes them.
int distancesToCircle(gte_circle const& circle, gte_point const* points, std::size_t count,
                      gte_dist_result* results, tvi_problem* problem) {
    gte::Circle3 const gteCircle = toCircle3(circle);
    return measureEachPoint(points, count, results, problem, [&](std::size_t i) {
        fillPointToCircle(gteCircle, toVector3(points[i]), &results[3 * i]);
    });
}

}  // namespace

extern "C" {

int tvi_dist_point_line_array(gte_line line, const gte_point* points, size_t count,
                              gte_dist_result* results, tvi_problem* problem) {
    return distancesTo(toLine3(line), points, count, results, problem);
}

int tvi_dist_point_ray_array(gte_ray ray, const gte_point* points, size_t count,
                             gte_dist_result* results, tvi_problem* problem) {
    return distancesTo(toRay3(ray), points, count, results, problem);
}

int tvi_dist_point_lseg_array(gte_lseg lseg, const gte_point* points, size_t count,
                              gte_dist_result* results, tvi_problem* problem) {
    return distancesTo(toSegment3(lseg), points, count, results, problem);
}

int tvi_dist_point_plane_array(gte_plane plane, const gte_point* points, size_t count,
                               gte_dist_result* results, tvi_problem* problem) {
    return distancesTo(toPlane3(plane), points, count, results, problem);
}

int tvi_dist_point_rect_array(gte_rect rect, const gte_point* points, size_t count,
                              gte_dist_result* results, tvi_problem* problem) {
    return distancesTo(toRectangle3(rect), points, count, results, problem);
}

int tvi_dist_point_circle_array(gte_circle circle, const gte_point* points, size_t count,
                                gte_dist_result* results, tvi_problem* problem) {
    return distancesToCircle(circle, points, count, results, problem);
}

int tvi_dist_point_arc_array(gte_arc arc, const gte_point* points, size_t count,
                             gte_dist_result* results, tvi_problem* problem) {
    return distancesToCircle(arc, points, count, results, problem);
}

}  // extern "C"
