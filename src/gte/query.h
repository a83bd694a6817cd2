// SPDX-License-Identifier: MIT
// Query objects of the geometry core: one stateless object per ordered pair of shape types,
// called as a function and returning a small result record by value. Distance and Intersect run
// the query for the types of their arguments:
//
//     Vector3 const foot = Distance(point, line).closestPoint;
#pragma once

namespace gte {

template <class Shape0, class Shape1>
struct DistanceQuery;

template <class Shape0, class Shape1>
struct IntersectionQuery;

template <class Shape0, class Shape1>
auto Distance(Shape0 const& shape0, Shape1 const& shape1) {
    return DistanceQuery<Shape0, Shape1>()(shape0, shape1);
}

template <class Shape0, class Shape1>
auto Intersect(Shape0 const& shape0, Shape1 const& shape1) {
    return IntersectionQuery<Shape0, Shape1>()(shape0, shape1);
}

}  // namespace gte
