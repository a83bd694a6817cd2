// What the exports share at the boundary with the host: the return values that are not counts.
#pragma once

namespace tavrisk {

// The measurement was made (or the record built) and its outputs written.
constexpr int kMeasured = 1;
// The input was refused: no output was written.
constexpr int kRefused = -1;
// The question has no answer of the kind asked (two coincident planes have no line, a circle
// lying in the plane no crossing points, circles whose normals disagree no common tangents):
// no output was written.
constexpr int kNoAnswer = -1;

}  // namespace tavrisk
