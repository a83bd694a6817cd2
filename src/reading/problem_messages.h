// SPDX-License-Identifier: MIT
// The problem records of the readings: each reason a file or a block of memory is refused, with
// where it lies, the option that resolves it and the words for a person.
#pragma once

#include "formats/format_problem.h"
#include "platform/locked_file.h"
#include "pointtext/point_file_problem.h"
#include "pointtext/point_table.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

// The record for a file that did not open.
tvi_problem openingProblem(platform::LockedFile::Opening opening);

// The record for a problem of the text reader, whose layout says what it had found.
tvi_problem tableProblem(TableProblem const& problem, TableLayout const& layout);

// The record for data of a format that is recognised and not read (gzip, UTF-16 text, E57, ...),
// named as a person knows it.
tvi_problem unreadProblem(int format, char const* name);

// The record for a problem of the reader of a point format (PLY, PCD, LAS, STL).
tvi_problem formatProblem(FormatProblem const& problem, int format);

// The record for a file the first library's point-file reader refuses (values three to a point).
tvi_problem pointFileProblem(PointFileProblem const& problem);

// The record for a problem of the calling itself (TVI_PROBLEM_BAD_OPTION, _NULL_ARGUMENT,
// _OUT_OF_MEMORY, _CANCELLED, _EMPTY, _READ_ERROR), with its message.
tvi_problem callProblem(int kind, char const* message);

}  // namespace tavrisk
