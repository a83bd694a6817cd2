// How a set of measured points lies against a line, and how two sets lie against each other
// across a line: extreme distances, the gap between centres and robust interval values that
// average the few largest and smallest distances after trimming and, on request, taming outliers.
#include <cmath>
#include <cstdint>
#include <vector>

#include "api/convert.h"
#include "gte/point_distance.h"
#include "measure/robust_stats.h"
#include "measure/running_extremes.h"

using gte::DistanceQuery;
using gte::Vector2;
using gte::Vector3;
using namespace tavrisk;

namespace {

// Below this length the line's XY direction gives no measuring direction across it.
constexpr double kMinXYDirectionLength = 0.0001;
// What the two-set distance leaves in its outputs when it refuses a line without XY direction.
constexpr double kRefusedMaxDist = 0.0;
constexpr double kRefusedMinDist = 1e16;

// A missing array holds no points, whatever count comes with it.
int pointCount(gte_point const* points, int count) {
    return points == nullptr ? 0 : count;
}

// Distances of the points to the line, in index order.
std::vector<double> distancesToLine(gte_point const* points, int count, gte::Line3 const& line) {
    DistanceQuery<Vector3, gte::Line3> disFun;
    std::vector<double> distances(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        distances[i] = disFun(toVector3(points[i]), line).distance;
    }
    return distances;
}

// The gap across the line in the XY plane between p1 and p2, along the unit direction n.
double pairValueXY(gte_point const& p1, gte_point const& p2, Vector2 const& n) {
    return std::fabs(gte::Dot(Vector2(p2.x - p1.x, p2.y - p1.y), n));
}

// The range of the distances of the points to the line, and the sum of the points, both in index
// order.
struct LineSpread {
    RunningRange distances;
    Vector3 sum = Vector3::zeroVector();
};

LineSpread spreadAgainstLine(gte_point const* points, int count, gte::Line3 const& line) {
    DistanceQuery<Vector3, gte::Line3> disFun;
    LineSpread spread;
    for (int i = 0; i < count; ++i) {
        Vector3 const gtePoint = toVector3(points[i]);
        spread.distances.offer(disFun(gtePoint, line).distance);
        spread.sum += gtePoint;
    }
    return spread;
}

// The range of the XY gaps across n over every pair, set 1 outer and set 2 inner.
RunningRange pairRangeXY(gte_point const* points1, int count1, gte_point const* points2, int count2,
                         Vector2 const& n) {
    RunningRange range;
    for (int i = 0; i < count1; ++i) {
        for (int j = 0; j < count2; ++j) {
            range.offer(pairValueXY(points1[i], points2[j], n));
        }
    }
    return range;
}

Vector3 sumOf(gte_point const* points, int count) {
    Vector3 sum = Vector3::zeroVector();
    for (int i = 0; i < count; ++i) {
        sum += toVector3(points[i]);
    }
    return sum;
}

Vector3 average(std::vector<Vector3> const& points) {
    Vector3 sum = Vector3::zeroVector();
    for (Vector3 const& p : points) {
        sum += p;
    }
    return sum / static_cast<double>(points.size());
}

// Writes the record of a set measured against a line: the midpoint between the centroid and its
// foot, the direction from the centroid to the line and the three gap values.
void writeLineGap(Vector3 const& centroid, gte::Line3 const& line, double minGap, double maxGap,
                  gte_gap_result* result) {
    DistanceQuery<Vector3, gte::Line3> disFun;
    auto const dis = disFun(centroid, line);
    Vector3 direction = dis.closestPoint - centroid;
    gte::Normalize(direction);
    result->centerPoint = toPointRecord((centroid + dis.closestPoint) / 2.0);
    result->direction = toVectorRecord(direction);
    result->centerGap = dis.distance;
    result->minGap = minGap;
    result->maxGap = maxGap;
}

}  // namespace

extern "C" {

void gte_dist_mutiPoint_line(const gte_point* points, int count, gte_line line, double* maxDist,
                             double* minDist) {
    count = pointCount(points, count);
    double maxValue = -1.0;
    double minValue = -1.0;
    if (count >= 2) {
        LineSpread const spread = spreadAgainstLine(points, count, toLine3(line));
        maxValue = spread.distances.high.value();
        minValue = spread.distances.low.value();
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
    if (count < 2) {
        result->centerGap = -1.0;
        result->minGap = -1.0;
        result->maxGap = -1.0;
        return;
    }
    gte::Line3 const gteLine = toLine3(line);
    LineSpread const spread = spreadAgainstLine(points, count, gteLine);
    writeLineGap(spread.sum / static_cast<double>(count), gteLine, spread.distances.low.value(),
                 spread.distances.high.value(), result);
}

int gte_interval_mutiPoint_line(const gte_point* points, int count, gte_line line, int trimCount,
                                int averageCount, double sigmaFactor, bool useSigma,
                                double* maxAverage, double* minAverage) {
    count = pointCount(points, count);
    if (!acceptsTrimAndAverage(count, trimCount, averageCount)) {
        return -1;
    }
    try {
        std::vector<double> distances = distancesToLine(points, count, toLine3(line));
        if (useSigma) {
            replaceOutlierDistances(distances, sigmaFactor);
        }
        ExtremeAverages const averages = trimmedExtremeAverages(distances, trimCount, averageCount);
        if (maxAverage != nullptr) {
            *maxAverage = averages.high;
        }
        if (minAverage != nullptr) {
            *minAverage = averages.low;
        }
        return 1;
    } catch (...) {
        return -1;
    }
}

int gte_gapSigma_mutiPoint_line(const gte_point* points, int count, gte_line line, int trimCount,
                                int averageCount, double sigmaFactor, bool useSigma,
                                gte_gap_result* result) {
    count = pointCount(points, count);
    if (!acceptsTrimAndAverage(count, trimCount, averageCount)) {
        return -1;
    }
    try {
        gte::Line3 const gteLine = toLine3(line);
        std::vector<double> distances = distancesToLine(points, count, gteLine);
        Vector3 const centroid = sumOf(points, count) / static_cast<double>(count);
        // The filter tames the distances only; the centroid is that of the measured points.
        if (useSigma) {
            replaceOutlierDistances(distances, sigmaFactor);
        }
        ExtremeAverages const averages = trimmedExtremeAverages(distances, trimCount, averageCount);
        if (result != nullptr) {
            writeLineGap(centroid, gteLine, averages.low, averages.high, result);
        }
        return 1;
    } catch (...) {
        return -1;
    }
}

bool gte_dist_mutiPoint_mutiPoint(const gte_point* points1, int count1, const gte_point* points2,
                                  int count2, gte_line line, double* maxDist, double* minDist) {
    count1 = pointCount(points1, count1);
    count2 = pointCount(points2, count2);
    if (count1 < 1 || count2 < 1) {
        return false;
    }
    // Across the line in XY: its direction turned a quarter clockwise.
    Vector2 n(line.vector.y, -line.vector.x);
    bool const measured = !(gte::Normalize(n) < kMinXYDirectionLength);
    double maxValue = kRefusedMaxDist;
    double minValue = kRefusedMinDist;
    if (measured) {
        RunningRange const range = pairRangeXY(points1, count1, points2, count2, n);
        maxValue = range.high.value();
        minValue = range.low.value();
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
    Vector2 n(line.vector.y, -line.vector.x);
    if (gte::Normalize(n) < kMinXYDirectionLength) {
        return false;
    }
    RunningRange const range = pairRangeXY(points1, count1, points2, count2, n);
    Vector3 const c1 = sumOf(points1, count1) / static_cast<double>(count1);
    Vector3 const c2 = sumOf(points2, count2) / static_cast<double>(count2);
    if (result != nullptr) {
        result->centerPoint = toPointRecord((c1 + c2) / 2.0);
        result->maxGap = range.high.value();
        result->minGap = range.low.value();
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
    if (count1 < 1 || count2 < 1) {
        return -1;
    }
    // Each edge against the line on its own; with the edges on opposite sides the sums are the
    // widest and narrowest widths between them.
    double high1 = 0.0;
    double low1 = 0.0;
    if (gte_interval_mutiPoint_line(points1, count1, line, trimCount, averageCount, sigmaFactor,
                                    useSigma, &high1, &low1) == -1) {
        return -1;
    }
    double high2 = 0.0;
    double low2 = 0.0;
    if (gte_interval_mutiPoint_line(points2, count2, line, trimCount, averageCount, sigmaFactor,
                                    useSigma, &high2, &low2) == -1) {
        return -1;
    }
    if (maxAverage != nullptr) {
        *maxAverage = high1 + high2;
    }
    if (minAverage != nullptr) {
        *minAverage = low1 + low2;
    }
    return 1;
}

int gte_gapSigma_mutiPoint_mutiPoint(const gte_point* points1, int count1, const gte_point* points2,
                                     int count2, gte_line line, int trimCount, int averageCount,
                                     double sigmaFactor, bool useSigma, gte_gap_result* result) {
    count1 = pointCount(points1, count1);
    count2 = pointCount(points2, count2);
    if (!acceptsTrimAndAverage(count1, trimCount, averageCount) ||
        !acceptsTrimAndAverage(count2, trimCount, averageCount)) {
        return -1;
    }
    try {
        // The table of every pair is sized first: one too large to exist is refused before any
        // point is read.
        std::uint64_t const pairCount =
            static_cast<std::uint64_t>(count1) * static_cast<std::uint64_t>(count2);
        std::vector<double> pairValues;
        if (pairCount > pairValues.max_size()) {
            return -1;
        }
        pairValues.resize(static_cast<std::size_t>(pairCount));

        gte::Line3 const gteLine = toLine3(line);
        // Across the line, horizontally: no length check, a vertical line makes every value 0.
        Vector3 m = gte::Cross(Vector3(0.0, 0.0, 1.0), gteLine.direction);
        gte::Normalize(m);
        gte::Plane3 const plane(m, gteLine.origin);

        std::vector<Vector3> set1(static_cast<std::size_t>(count1));
        for (int i = 0; i < count1; ++i) {
            set1[i] = toVector3(points1[i]);
        }
        std::vector<Vector3> set2(static_cast<std::size_t>(count2));
        for (int j = 0; j < count2; ++j) {
            set2[j] = toVector3(points2[j]);
        }
        Vector3 c1, c2;
        if (useSigma) {
            c1 = pullInOutlierPoints(set1, plane, sigmaFactor);
            c2 = pullInOutlierPoints(set2, plane, sigmaFactor);
        } else {
            c1 = average(set1);
            c2 = average(set2);
        }
        std::size_t const columns = static_cast<std::size_t>(count2);
        for (std::size_t i = 0; i < set1.size(); ++i) {
            for (std::size_t j = 0; j < columns; ++j) {
                pairValues[i * columns + j] = std::fabs(gte::Dot(set1[i] - set2[j], m));
            }
        }
        ExtremeAverages const averages =
            trimmedExtremeAverages(pairValues, trimCount, averageCount);
        if (result != nullptr) {
            result->centerPoint = toPointRecord((c1 + c2) / 2.0);
            result->maxGap = averages.high;
            result->minGap = averages.low;
            result->direction = toVectorRecord(m);
            result->centerGap = std::fabs(gte::Dot(c1 - c2, m));
        }
        return 1;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
