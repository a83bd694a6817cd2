// SPDX-License-Identifier: MIT
// The measurements that have fast paths, as they read literally: every pair of points, every
// nominal point for every measured one, every pair value stored and sorted. The tests hold the
// fast paths to these bit for bit, and the benchmarks time them side by side.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "api/convert.h"
#include "gte/point_distance_queries.h"
#include "support/literal_fits.h"
#include "search/extreme_pair.h"
#include "search/pair_range.h"
#include "search/robust_stats.h"
#include "search/running_extremes.h"
#include "tavrisk.h"

namespace tavrisk_test::literal {

using gte::Vector2;
using gte::Vector3;

// Over every pair i < j, i outer and j inner: the pair with the largest |Dot(p[i] - p[j], d)|, a
// strictly greater value replacing the best; the first value is taken whatever it is and a NaN,
// once taken, stays.
inline tavrisk::PointPair farthestPair(Vector3 const* p, int count, Vector3 const& d) {
    tavrisk::RunningMaximum best;
    tavrisk::PointPair pair{0, 0};
    for (int i = 0; i + 1 < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (best.offer(std::fabs(gte::Dot(p[i] - p[j], d)))) {
                pair = {i, j};
            }
        }
    }
    return pair;
}

// An output the caller may leave out.
template <class T>
void store(T* output, T const& value) {
    if (output != nullptr) {
        *output = value;
    }
}

// The fitted segment: the records copied, the line fit, then the projections of the farthest
// pair along it.
inline int fitLseg(gte_point const* points, int count, gte_lseg* segment) {
    if (points == nullptr || count < 3) {
        return TAVRISK_REFUSED;
    }
    std::vector<Vector3> const p = copiedPoints(points, count);
    LiteralFit const fit = literalFit(count, p.data(), true);
    if (!fit.unique || !finite(fit.origin) || !finite(fit.axis)) {
        return TAVRISK_REFUSED;
    }
    gte::Line3 const line(fit.origin, fit.axis);
    tavrisk::PointPair const pair = farthestPair(p.data(), count, line.direction);
    gte::DistanceQuery<Vector3, gte::Line3> query;
    Vector3 const pt1 = query(p[static_cast<std::size_t>(pair.first)], line).closestPoint;
    Vector3 const pt2 = query(p[static_cast<std::size_t>(pair.second)], line).closestPoint;
    if (!finite(pt1) || !finite(pt2)) {
        return TAVRISK_REFUSED;
    }
    store(segment, gte_lseg(tavrisk::toPointRecord(pt1), tavrisk::toPointRecord(pt2)));
    return TAVRISK_MEASURED;
}

// The nominal point nearest in XY by a scan in index order: a strictly smaller squared distance
// wins, the first distance is taken whatever it is and a NaN, once taken, stays.
inline int nearestNominal(gte_point const* nominal, int count, gte_point const& m) {
    tavrisk::RunningMinimum nearest;
    int k = 0;
    for (int j = 0; j < count; ++j) {
        double const dx = m.x - nominal[j].x;
        double const dy = m.y - nominal[j].y;
        if (nearest.offer(dx * dx + dy * dy)) {
            k = j;
        }
    }
    return k;
}

// The profile: every measured point against its nearest nominal point, the deviations along the
// nominal normals sorted with NaN last, the first against the last.
inline int profile2D(gte_point const* measured, int measuredCount, gte_point const* nominal,
                     gte_vector const* normals, int nominalCount, double* profile) {
    if (measured == nullptr || nominal == nullptr || normals == nullptr || measuredCount < 1 ||
        nominalCount < 1) {
        return TAVRISK_REFUSED;
    }
    std::vector<double> deviations;
    for (int i = 0; i < measuredCount; ++i) {
        int const k = nearestNominal(nominal, nominalCount, measured[i]);
        Vector3 const direction(normals[k].x, normals[k].y, 0.0);
        Vector3 const offset(measured[i].x - nominal[k].x, measured[i].y - nominal[k].y, 0.0);
        deviations.push_back(gte::Dot(offset, direction));
    }
    std::sort(deviations.begin(), deviations.end(),
              [](double a, double b) { return a < b || (!std::isnan(a) && std::isnan(b)); });
    store(profile, std::fabs(deviations.front() - deviations.back()));
    return TAVRISK_MEASURED;
}

// Trimmed extreme averages from a sorted copy: NaN for both when any value is NaN (the first),
// else the values trim ... trim + average - 1 from each end, each sum from 0 starting at its end.
inline tavrisk::ExtremeAverages sortedAverages(std::vector<double> values, int trim, int average) {
    for (double v : values) {
        if (std::isnan(v)) {
            return {v, v};
        }
    }
    std::sort(values.begin(), values.end());
    std::size_t const n = values.size();
    double low = 0.0, high = 0.0;
    for (int i = trim; i < trim + average; ++i) {
        low += values[static_cast<std::size_t>(i)];
        high += values[n - 1 - static_cast<std::size_t>(i)];
    }
    return {low / average, high / average};
}

// Every pair value |Dot(p1 - p2, m)|, set 1 outer and set 2 inner.
inline std::vector<double> pairGaps(std::vector<Vector3> const& set1,
                                    std::vector<Vector3> const& set2, Vector3 const& m) {
    std::vector<double> values;
    values.reserve(set1.size() * set2.size());
    for (Vector3 const& p1 : set1) {
        for (Vector3 const& p2 : set2) {
            values.push_back(std::fabs(gte::Dot(p1 - p2, m)));
        }
    }
    return values;
}

// The two-set gap with outlier filter: every pair value in a table, averaged from a sorted copy.
inline int gapSigmaTwoSets(gte_point const* points1, int count1, gte_point const* points2,
                           int count2, gte_line line, int trim, int average, double sigmaFactor,
                           bool useSigma, gte_gap_result* result) {
    count1 = points1 == nullptr ? 0 : count1;
    count2 = points2 == nullptr ? 0 : count2;
    if (!tavrisk::acceptsTrimAndAverage(count1, trim, average) ||
        !tavrisk::acceptsTrimAndAverage(count2, trim, average)) {
        return TAVRISK_REFUSED;
    }
    gte::Line3 const gteLine = tavrisk::toLine3(line);
    Vector3 const m = gte::NormalizedCross(Vector3(0.0, 0.0, 1.0), gteLine.direction);
    gte::Plane3 const plane = gte::Plane3::fromNormalAndPoint(m, gteLine.origin);
    std::vector<Vector3> set1 = copiedPoints(points1, count1);
    std::vector<Vector3> set2 = copiedPoints(points2, count2);
    Vector3 const c1 = gte::Centroid(set1.data(), set1.size());
    Vector3 const c2 = gte::Centroid(set2.data(), set2.size());
    if (useSigma) {
        tavrisk::pullInOutlierPoints(set1, plane, sigmaFactor);
        tavrisk::pullInOutlierPoints(set2, plane, sigmaFactor);
    }
    tavrisk::ExtremeAverages const averages =
        sortedAverages(pairGaps(set1, set2, m), trim, average);
    if (result != nullptr) {
        result->centerPoint = tavrisk::toPointRecord((c1 + c2) / 2.0);
        result->maxGap = averages.high;
        result->minGap = averages.low;
        result->direction = tavrisk::toVectorRecord(m);
        result->centerGap = std::fabs(gte::Dot(c1 - c2, m));
    }
    return TAVRISK_MEASURED;
}

// The XY gaps |Dot((p2.x - p1.x, p2.y - p1.y), n)| of every pair through running extremes.
inline tavrisk::ValueRange pairRangeXY(gte_point const* points1, int count1,
                                       gte_point const* points2, int count2, Vector2 const& n) {
    tavrisk::RunningRange range;
    for (int i = 0; i < count1; ++i) {
        for (int j = 0; j < count2; ++j) {
            gte_point const& p1 = points1[i];
            gte_point const& p2 = points2[j];
            range.offer(std::fabs(gte::Dot(Vector2(p2.x - p1.x, p2.y - p1.y), n)));
        }
    }
    return {range.low.value(), range.high.value()};
}

// The two-set XY distance: the range of the pair gaps across the line's horizontal direction,
// refused without one.
inline bool distTwoSets(gte_point const* points1, int count1, gte_point const* points2, int count2,
                        gte_line line, double* maxDist, double* minDist) {
    count1 = points1 == nullptr ? 0 : count1;
    count2 = points2 == nullptr ? 0 : count2;
    if (count1 < 1 || count2 < 1) {
        return false;
    }
    // Made unit whatever its scale, as every direction a caller gives.
    Vector2 n(line.vector.y, -line.vector.x);
    bool const measured = !(gte::NormalizeDirection(n) < 0.0001);
    // What a refused line leaves: minimum 1e16, maximum 0.
    tavrisk::ValueRange const range = measured ? pairRangeXY(points1, count1, points2, count2, n)
                                               : tavrisk::ValueRange{1e16, 0.0};
    store(maxDist, range.high);
    store(minDist, range.low);
    return measured;
}

// The two-set XY gap record: the pair gap range and the centres' gap across the line.
inline bool gapXYTwoSets(gte_point const* points1, int count1, gte_point const* points2, int count2,
                         gte_line line, gte_gap_result* result) {
    double high, low;
    if (!distTwoSets(points1, count1, points2, count2, line, &high, &low)) {
        return false;
    }
    Vector2 n(line.vector.y, -line.vector.x);
    gte::NormalizeDirection(n);
    auto centre = [](gte_point const* points, int count) {
        return gte::Centroid(copiedPoints(points, count).data(), static_cast<std::size_t>(count));
    };
    Vector3 const c1 = centre(points1, count1);
    Vector3 const c2 = centre(points2, count2);
    if (result != nullptr) {
        result->centerPoint = tavrisk::toPointRecord((c1 + c2) / 2.0);
        result->maxGap = high;
        result->minGap = low;
        result->direction = gte_vector(n[0], n[1], 0.0);
        result->centerGap = std::fabs(gte::Dot(Vector2(c1[0] - c2[0], c1[1] - c2[1]), n));
    }
    return true;
}

// The interval of one set against a line: the distances, filtered on request, averaged from a
// sorted copy.
inline int intervalLine(gte_point const* points, int count, gte_line line, int trim, int average,
                        double sigmaFactor, bool useSigma, double* maxAverage, double* minAverage) {
    count = points == nullptr ? 0 : count;
    if (!tavrisk::acceptsTrimAndAverage(count, trim, average)) {
        return TAVRISK_REFUSED;
    }
    gte::Line3 const gteLine = tavrisk::toLine3(line);
    gte::DistanceQuery<Vector3, gte::Line3> query;
    std::vector<double> distances;
    for (int i = 0; i < count; ++i) {
        distances.push_back(query(tavrisk::toVector3(points[i]), gteLine).distance);
    }
    if (useSigma) {
        tavrisk::replaceOutlierDistances(distances, sigmaFactor);
    }
    tavrisk::ExtremeAverages const averages = sortedAverages(distances, trim, average);
    store(maxAverage, averages.high);
    store(minAverage, averages.low);
    return TAVRISK_MEASURED;
}

// The straightness about a line: every point's distance to the vertical plane through the line,
// negated when the unit vector from its foot to it points against the plane's normal, and the
// range of these deviations by running extremes.
inline double straightness(gte_point const* points, int count, gte_line line, double* deviations) {
    if (points == nullptr || count <= 0) {
        return TAVRISK_NO_STRAIGHTNESS;
    }
    gte::Line3 const gteLine = tavrisk::toLine3(line);
    Vector3 const up(0.0, 0.0, 1.0);
    Vector3 t = gte::Cross(up, gteLine.direction);
    Vector3 const normal = gte::Normalize(t) > 0.001
                               ? gte::Cross(gteLine.direction, up)
                               : gte::Cross(gteLine.direction, Vector3(1.0, 0.0, 0.0));
    gte::Plane3 const plane = gte::Plane3::fromNormalAndPoint(normal, gteLine.origin);
    gte::DistanceQuery<Vector3, gte::Plane3> query;
    tavrisk::RunningRange band;
    for (int i = 0; i < count; ++i) {
        Vector3 const p = tavrisk::toVector3(points[i]);
        auto const toPlane = query(p, plane);
        double e = toPlane.distance;
        Vector3 u = p - toPlane.closestPoint;
        gte::Normalize(u);
        if (gte::Dot(u, normal) < 0.0) {
            e = -e;
        }
        if (deviations != nullptr) {
            deviations[i] = e;
        }
        band.offer(e);
    }
    return band.high.value() - band.low.value();
}

}  // namespace tavrisk_test::literal
