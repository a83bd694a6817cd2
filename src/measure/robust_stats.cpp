#include "measure/robust_stats.h"

#include <algorithm>
#include <cmath>

#include "gte/point_distance.h"

namespace tavrisk {

bool acceptsTrimAndAverage(std::int64_t count, int trim, int average) {
    if (trim < 0 || average < 1) {
        return false;
    }
    std::int64_t const needed = 2 * (static_cast<std::int64_t>(trim) + average);
    return count > 0 && count > needed;
}

ExtremeAverages trimmedExtremeAverages(std::vector<double> const& values, int trim, int average) {
    // A value that is not a number leaves no order to trim by: both averages are undefined, and
    // the NaN is handed on rather than sorted out of sight.
    auto const undefined =
        std::find_if(values.begin(), values.end(), [](double v) { return std::isnan(v); });
    if (undefined != values.end()) {
        return {*undefined, *undefined};
    }
    std::vector<double> sorted(values);
    std::sort(sorted.begin(), sorted.end());
    std::size_t const n = sorted.size();
    std::size_t const t = static_cast<std::size_t>(trim);
    std::size_t const a = static_cast<std::size_t>(average);
    double lowSum = 0.0;
    for (std::size_t i = t; i < t + a; ++i) {
        lowSum += sorted[i];
    }
    double highSum = 0.0;
    for (std::size_t i = 0; i < a; ++i) {
        highSum += sorted[n - 1 - t - i];
    }
    return {lowSum / average, highSum / average};
}

void replaceOutlierDistances(std::vector<double>& distances, double sigmaFactor) {
    double const n = static_cast<double>(distances.size());
    double sum = 0.0;
    for (double d : distances) {
        sum += d;
    }
    double const mean = sum / n;
    double squares = 0.0;
    for (double d : distances) {
        squares += (d - mean) * (d - mean);
    }
    double const limit = sigmaFactor * std::sqrt(squares / n);
    for (double& d : distances) {
        if (std::fabs(d - mean) > limit) {
            d = mean;
        }
    }
}

gte::Vector3 pullInOutlierPoints(std::vector<gte::Vector3>& points, gte::Plane3 const& plane,
                                 double sigmaFactor) {
    using gte::Vector3;
    gte::DistanceQuery<Vector3, gte::Plane3> disFun;
    std::size_t const count = points.size();
    std::vector<double> distance(count);
    std::vector<Vector3> foot(count);
    Vector3 sum = Vector3::zeroVector();
    for (std::size_t i = 0; i < count; ++i) {
        auto const dis = disFun(points[i], plane);
        distance[i] = dis.distance;
        foot[i] = dis.closestPoint;
        sum += points[i];
    }
    double const n = static_cast<double>(count);
    Vector3 const center = sum / n;
    double const centerDistance = disFun(center, plane).distance;
    double squares = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        squares += (distance[i] - centerDistance) * (distance[i] - centerDistance);
    }
    double const limit = sigmaFactor * std::sqrt(squares / n);
    for (std::size_t i = 0; i < count; ++i) {
        double const e = distance[i] - centerDistance;
        if (std::fabs(e) > limit) {
            // Slide the point along its own perpendicular, staying on its side of the plane.
            Vector3 away = points[i] - foot[i];
            gte::Normalize(away);
            points[i] = points[i] - e * away;
            distance[i] = centerDistance;
        }
    }
    return center;
}

}  // namespace tavrisk
