// SPDX-License-Identifier: MIT
#include "search/robust_stats.h"

#include <cmath>

#include "gte/point_distance_queries.h"
#include "search/extreme_selection.h"

namespace tavrisk {

namespace {

// sigmaFactor times the root mean square deviation of the values from centre: with the values'
// mean as centre, sigmaFactor population standard deviations.
double deviationLimit(std::vector<double> const& values, double centre, double sigmaFactor) {
    double squares = 0.0;
    for (double v : values) {
        squares += (v - centre) * (v - centre);
    }
    return sigmaFactor * std::sqrt(squares / static_cast<double>(values.size()));
}

}  // namespace

bool acceptsTrimAndAverage(std::int64_t count, int trim, int average) {
    if (trim < 0 || average < 1) {
        return false;
    }
    std::int64_t const needed = 2 * (static_cast<std::int64_t>(trim) + average);
    return count > 0 && count > needed;
}

ExtremeAverages trimmedExtremeAverages(std::vector<double> const& values, int trim, int average) {
    TrimmedExtremes extremes(trim, average);
    for (double v : values) {
        extremes.offer(v);
    }
    return extremes.averages();
}

void replaceOutlierDistances(std::vector<double>& distances, double sigmaFactor) {
    double const n = static_cast<double>(distances.size());
    double sum = 0.0;
    for (double d : distances) {
        sum += d;
    }
    double const mean = sum / n;
    double const limit = deviationLimit(distances, mean, sigmaFactor);
    for (double& d : distances) {
        if (std::fabs(d - mean) > limit) {
            d = mean;
        }
    }
}

void pullInOutlierPoints(std::vector<gte::Vector3>& points, gte::Plane3 const& plane,
                         double sigmaFactor) {
    using gte::Vector3;
    std::size_t const count = points.size();
    std::vector<double> distance(count);
    std::vector<Vector3> foot(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto const toPlane = gte::Distance(points[i], plane);
        distance[i] = toPlane.distance;
        foot[i] = toPlane.closestPoint;
    }
    Vector3 const center = gte::Centroid(points.data(), count);
    double const centerDistance = gte::Distance(center, plane).distance;
    double const limit = deviationLimit(distance, centerDistance, sigmaFactor);
    for (std::size_t i = 0; i < count; ++i) {
        double const e = distance[i] - centerDistance;
        if (std::fabs(e) > limit) {
            // Slide the point along its own perpendicular, staying on its side of the plane.
            Vector3 const away = gte::Normalized(points[i] - foot[i]);
            points[i] = points[i] - e * away;
        }
    }
}

}  // namespace tavrisk
