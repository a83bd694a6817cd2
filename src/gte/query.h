// Query objects of the geometry core: one stateless object per ordered pair of shape types,
// called as a function and returning a small result record by value.
//
//     DistanceQuery<Vector3, Line3> disFun;
//     auto dis = disFun(point, line);
#pragma once

namespace gte {

template <class Shape0, class Shape1>
struct DistanceQuery;

template <class Shape0, class Shape1>
struct IntersectionQuery;

}  // namespace gte
