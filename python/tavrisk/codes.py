# SPDX-License-Identifier: MIT
"""The library's return codes, by the names its header gives them (without the TAVRISK_ prefix).

The Pythonic functions turn these into results and exceptions; they matter to callers of
:mod:`tavrisk.raw`, which returns them as the library does."""

#: The measurement was made, or the record built, and its outputs written.
MEASURED = 1
#: The flatness of a point file was measured (that function alone reports success as 0).
FLATNESS_MEASURED = 0
#: The input was refused: nothing was written.
REFUSED = -1
#: The question has no answer of the kind asked (coincident planes, a circle lying in a plane).
NO_ANSWER = -1
#: Nothing was found (no crossing point, no tangent).
NONE = 0
#: The count in place of a number of points when the shapes share infinitely many.
INFINITE_POINTS = 2147483647
#: What the straightness returns for no points.
NO_STRAIGHTNESS = -1.0
#: The distance and gap values written for too few points.
TOO_FEW_POINTS = -1.0
#: The largest and smallest gap the two-set distance writes for a line without XY direction.
UNMEASURED_MAX_GAP = 0.0
UNMEASURED_MIN_GAP = 1e16
