// SPDX-License-Identifier: MIT
// How a set of measured points lies against a line, and how two sets lie against each other
// across a line: extreme distances, the gap between centres and robust interval values that
// average the few largest and smallest distances after trimming and, on request, taming outliers.
#include <cmath>
#include <vector>

#include "api/convert.h"
#include "gte/point_distance_queries.h"
#include "search/robust_stats.h"
#include "api/export_guard.h"
#include "search/pair_gap_extremes.h"
#include "search/pair_range.h"
#include "search/running_extremes.h"

using gte::Vector2;
using gte::Vector3;
using namespace tavrisk;

namespace {

// A set measured against a line needs two points; with fewer, the distance and gap forms write
// TAVRISK_TOO_FEW_POINTS as their values.
constexpr int kMinPointsAgainstLine = 2;
// Below this length the line's XY direction gives no measuring direction across it.
constexpr double kMinXYDirectionLength = 0.0001;

// A missing array holds no points, whatever count comes with it.
int pointCount(gte_point const* points, int count) {
    return points == nullptr ? 0 : count;
}

// Distances of the points to the line, in index order.
std::vector<double> distancesToLine(gte_point const* points, int count, gte::Line3 const& line) {
    std::vector<double> distances(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        distances[i] = gte::Distance(toVector3(points[i]), line).distance;
    }
    return distances;
}

// Two sets, each held to the count rule on its own.
bool bothAccepted(int count1, int count2, int trimCount, int averageCount) {
    return acceptsTrimAndAverage(count1, trimCount, averageCount) &&
           acceptsTrimAndAverage(count2, trimCount, averageCount);
}

// The trimmed extreme averages of the distances of the points to the line, the outliers first
// replaced by the mean when useSigma. The caller has checked the count rule; allocates.
ExtremeAverages averagedDistances(gte_point const* points, int count, gte::Line3 const& line,
                                  int trimCount, int averageCount, double sigmaFactor,
                                  bool useSigma) {
    std::vector<double> distances = distancesToLine(points, count, line);
    if (useSigma) {
        replaceOutlierDistances(distances, sigmaFactor);
    }
    return trimmedExtremeAverages(distances, trimCount, averageCount);
}

// The unit direction across the line in XY, its direction turned a quarter clockwise; false
// when the line's XY direction is too short to give one.
bool acrossInXY(gte_line const& line, Vector2& across) {
    across = Vector2(line.vector.y, -line.vector.x);
    return !(gte::NormalizeDirection(across) < kMinXYDirectionLength);
}

// The range of the distances of the points to the line, taken in index order.
RunningRange distanceRange(gte_point const* points, int count, gte::Line3 const& line) {
    RunningRange range;
    for (int i = 0; i < count; ++i) {
        range.offer(gte::Distance(toVector3(points[i]), line).distance);
    }
    return range;
}

// Writes the record of a set measured against a line: the midpoint between the centroid and its
// foot, the direction from the centroid to the line and the three gap values.
void writeLineGap(Vector3 const& centroid, gte::Line3 const& line, double minGap, double maxGap,
                  gte_gap_result* result) {
    auto const toLine = gte::Distance(centroid, line);
    Vector3 const direction = gte::Normalized(toLine.closestPoint - centroid);
    result->centerPoint = toPointRecord((centroid + toLine.closestPoint) / 2.0);
    result->direction = toVectorRecord(direction);
    result->centerGap = toLine.distance;
    result->minGap = minGap;
    result->maxGap = maxGap;
}

}  // namespace

extern "C" {

void gte_dist_mutiPoint_line(const gte_point* points, int count, gte_line line, double* maxDist,
                             double* minDist) {
    count = pointCount(points, count);
    double maxValue = TAVRISK_TOO_FEW_POINTS;
    double minValue = TAVRISK_TOO_FEW_POINTS;
    if (count >= kMinPointsAgainstLine) {
        RunningRange const range = distanceRange(points, count, toLine3(line));
        maxValue = range.high.value();
        minValue = range.low.value();
    }
    if (maxDist != nullptr) {
        *maxDist = maxValue;
    }
    if (minDist != nullptr) {
        *minDist = minValue;
    }
}

void gte_gap_mutiPoint_line(const gte_point* points, int count, gte_line line,
                            gte_gap_result* result) {
    if (result == nullptr) {
        return;
    }
    count = pointCount(points, count);
    if (count < kMinPointsAgainstLine) {
        result->centerGap = TAVRISK_TOO_FEW_POINTS;
        result->minGap = TAVRISK_TOO_FEW_POINTS;
        result->maxGap = TAVRISK_TOO_FEW_POINTS;
        return;
    }
    gte::Line3 const gteLine = toLine3(line);
    RunningRange const range = distanceRange(points, count, gteLine);
    writeLineGap(centroidOf(points, count), gteLine, range.low.value(), range.high.value(), result);
}

int gte_interval_mutiPoint_line(const gte_point* points, int count, gte_line line, int trimCount,
                                int averageCount, double sigmaFactor, bool useSigma,
                                double* maxAverage, double* minAverage) {
    count = pointCount(points, count);
    if (!acceptsTrimAndAverage(count, trimCount, averageCount)) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        ExtremeAverages const averages = averagedDistances(points, count, toLine3(line), trimCount,
                                                           averageCount, sigmaFactor, useSigma);
        if (maxAverage != nullptr) {
            *maxAverage = averages.high;
        }
        if (minAverage != nullptr) {
            *minAverage = averages.low;
        }
        return TAVRISK_MEASURED;
    });
}

int gte_gapSigma_mutiPoint_line(const gte_point* points, int count, gte_line line, int trimCount,
                                int averageCount, double sigmaFactor, bool useSigma,
                                gte_gap_result* result) {
    count = pointCount(points, count);
    if (!acceptsTrimAndAverage(count, trimCount, averageCount)) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        gte::Line3 const gteLine = toLine3(line);
        ExtremeAverages const averages = averagedDistances(points, count, gteLine, trimCount,
                                                           averageCount, sigmaFactor, useSigma);
        // The filter tames the distances only; the centroid is that of the measured points.
        Vector3 const centroid = centroidOf(points, count);
        if (result != nullptr) {
            writeLineGap(centroid, gteLine, averages.low, averages.high, result);
        }
        return TAVRISK_MEASURED;
    });
}

bool gte_dist_mutiPoint_mutiPoint(const gte_point* points1, int count1, const gte_point* points2,
                                  int count2, gte_line line, double* maxDist, double* minDist) {
    count1 = pointCount(points1, count1);
    count2 = pointCount(points2, count2);
    if (count1 < 1 || count2 < 1) {
        return false;
    }
    Vector2 n;
    bool const measured = acrossInXY(line, n);
    double maxValue = TAVRISK_UNMEASURED_MAX_GAP;
    double minValue = TAVRISK_UNMEASURED_MIN_GAP;
    if (measured) {
        ValueRange const range = pairRangeXY(points1, count1, points2, count2, n);
        maxValue = range.high;
        minValue = range.low;
    }
    if (maxDist != nullptr) {
        *maxDist = maxValue;
    }
    if (minDist != nullptr) {
        *minDist = minValue;
    }
    return measured;
}

bool gte_gapXY_mutiPoint_mutiPoint(const gte_point* points1, int count1, const gte_point* points2,
                                   int count2, gte_line line, gte_gap_result* result) {
    count1 = pointCount(points1, count1);
    count2 = pointCount(points2, count2);
    if (count1 < 1 || count2 < 1) {
        return false;
    }
    Vector2 n;
    if (!acrossInXY(line, n)) {
        return false;
    }
    ValueRange const range = pairRangeXY(points1, count1, points2, count2, n);
    Vector3 const c1 = centroidOf(points1, count1);
    Vector3 const c2 = centroidOf(points2, count2);
    if (result != nullptr) {
        result->centerPoint = toPointRecord((c1 + c2) / 2.0);
        result->maxGap = range.high;
        result->minGap = range.low;
        result->direction = gte_vector(n[0], n[1], 0.0);
        result->centerGap = std::fabs(gte::Dot(Vector2(c1[0] - c2[0], c1[1] - c2[1]), n));
    }
    return true;
}

int gte_interval_mutiPoint_mutiPoint(const gte_point* points1, int count1, const gte_point* points2,
                                     int count2, gte_line line, int trimCount, int averageCount,
                                     double sigmaFactor, bool useSigma, double* maxAverage,
                                     double* minAverage) {
    count1 = pointCount(points1, count1);
    count2 = pointCount(points2, count2);
    if (!bothAccepted(count1, count2, trimCount, averageCount)) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        // Each edge against the line on its own; with the edges on opposite sides the sums are
        // the widest and narrowest widths between them.
        gte::Line3 const gteLine = toLine3(line);
        ExtremeAverages const edge1 = averagedDistances(points1, count1, gteLine, trimCount,
                                                        averageCount, sigmaFactor, useSigma);
        ExtremeAverages const edge2 = averagedDistances(points2, count2, gteLine, trimCount,
                                                        averageCount, sigmaFactor, useSigma);
        if (maxAverage != nullptr) {
            *maxAverage = edge1.high + edge2.high;
        }
        if (minAverage != nullptr) {
            *minAverage = edge1.low + edge2.low;
        }
        return TAVRISK_MEASURED;
    });
}

int gte_gapSigma_mutiPoint_mutiPoint(const gte_point* points1, int count1, const gte_point* points2,
                                     int count2, gte_line line, int trimCount, int averageCount,
                                     double sigmaFactor, bool useSigma, gte_gap_result* result) {
    count1 = pointCount(points1, count1);
    count2 = pointCount(points2, count2);
    if (!bothAccepted(count1, count2, trimCount, averageCount)) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        gte::Line3 const gteLine = toLine3(line);
        // Across the line, horizontally: no length check, a vertical line makes every value 0.
        Vector3 const m = gte::NormalizedCross(Vector3(0.0, 0.0, 1.0), gteLine.direction);
        gte::Plane3 const plane = gte::Plane3::fromNormalAndPoint(m, gteLine.origin);

        std::vector<Vector3> set1 = toVectors(points1, count1);
        std::vector<Vector3> set2 = toVectors(points2, count2);
        // The centres are those of the measured points; the filter moves points, not centres.
        Vector3 const c1 = gte::Centroid(set1.data(), set1.size());
        Vector3 const c2 = gte::Centroid(set2.data(), set2.size());
        if (useSigma) {
            pullInOutlierPoints(set1, plane, sigmaFactor);
            pullInOutlierPoints(set2, plane, sigmaFactor);
        }
        // Over every pair value |Dot(p1 - p2, m)|, set 1 outer and set 2 inner, without a table.
        ExtremeAverages const averages = pairGapAverages(set1, set2, m, trimCount, averageCount);
        if (result != nullptr) {
            result->centerPoint = toPointRecord((c1 + c2) / 2.0);
            result->maxGap = averages.high;
            result->minGap = averages.low;
            result->direction = toVectorRecord(m);
            result->centerGap = std::fabs(gte::Dot(c1 - c2, m));
        }
        return TAVRISK_MEASURED;
    });
}

}  // extern "C"
