// SPDX-License-Identifier: MIT
// Whether the correctly rounded functions try their double-double fast path before the precise
// one. A build with TAVRISK_MATH_PRECISE_ONLY defined (CMake option of that name) skips it, so
// that the tests compare the precise path alone with MPFR.
#pragma once

namespace gte::math {

#ifdef TAVRISK_MATH_PRECISE_ONLY
constexpr bool kTryFastPath = false;
#else
constexpr bool kTryFastPath = true;
#endif

}  // namespace gte::math
