// SPDX-License-Identifier: MIT
// Why a form measure refused a set of points, as the host's problem record says it: the core's
// reason, with the point and coordinate at fault where one is.
#pragma once

#include <cstddef>

#include "form/form_types.h"
#include "gte/vector.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

// What a form measure asks of its points: its name for the message, the fewest points it takes
// and how many coordinates of each it reads (2 from above, 3 in space).
struct FormMeasure {
    char const* name;
    std::size_t minimumCount;
    int dimensions;
};

// The record of a refusal with the core's status (anything but kMeasured) for these points.
tvi_problem formRefusal(form::FormStatus status, FormMeasure const& measure,
                        gte::Vector3 const* points, std::size_t count);

}  // namespace tavrisk
