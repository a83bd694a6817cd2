// SPDX-License-Identifier: MIT
// Rotation of a direction about an axis, for hosts that construct features from others.
#include "api/convert.h"
#include "gte/basis.h"

using namespace tavrisk;

extern "C" {

void gte_tool_rotate_vector(gte_vector vector, gte_vector axis, double angle, gte_vector* result) {
    if (result == nullptr) {
        return;
    }
    *result = toVectorRecord(gte::RotateVector(toVector3(vector), toVector3(axis), angle));
}

}  // extern "C"
