// SPDX-License-Identifier: MIT
// What the library says about itself: the names of its problem kinds, formats, form criteria
// and configurations, its version.
#include <cstddef>

#include "tavrisk_inspect.h"

namespace {

// Indexed by TVI_PROBLEM_ kind; each identifier is the macro's name, lower case, without prefix.
char const* const kProblemKindNames[] = {
    "none",           "missing",        "cannot_open",    "not_regular_file",
    "locked",         "empty",          "read_error",     "not_a_number",
    "not_finite",     "value_too_long", "value_count",    "columns_needed",
    "too_few_values", "no_such_column", "no_header",      "ambiguous_comma",
    "comment_line",   "line_too_long",  "no_point",       "unread_format",
    "truncated",      "bad_header",     "unknown_type",   "no_coordinates",
    "count_mismatch", "too_large",      "bad_option",     "null_argument",
    "out_of_memory",  "cancelled",      "too_few_points", "out_of_range",
    "no_center",      "no_unique_fit",
};
static_assert(sizeof kProblemKindNames / sizeof kProblemKindNames[0] ==
                  TVI_PROBLEM_NO_UNIQUE_FIT + 1,
              "every problem kind has its name");

// Indexed by TVI_FORMAT_.
char const* const kFormatNames[] = {
    "unknown", "text", "PLY",         "PCD",         "LAS",         "STL",         "LAZ",
    "E57",     "gzip", "zip archive", "UTF-16 text", "UTF-32 text", "binary data",
};
static_assert(sizeof kFormatNames / sizeof kFormatNames[0] == TVI_FORMAT_BINARY + 1,
              "every format has its name");

// Indexed by TVI_CRITERION_ (0 is none), as the tool's options and the Python package spell them.
char const* const kCriterionNames[] = {
    "unknown", "minimum-zone", "least-squares", "circumscribed", "inscribed",
};
static_assert(sizeof kCriterionNames / sizeof kCriterionNames[0] ==
                  TVI_CRITERION_MAXIMUM_INSCRIBED + 1,
              "every criterion has its name");

// Indexed by TVI_CONFIGURATION_ (0 is none).
char const* const kConfigurationNames[] = {
    "unknown", "3+1", "2+2", "2+1", "coplanar", "collinear", "coincident",
};
static_assert(sizeof kConfigurationNames / sizeof kConfigurationNames[0] ==
                  TVI_CONFIGURATION_COINCIDENT + 1,
              "every configuration has its name");

template <std::size_t N>
char const* nameAt(char const* const (&names)[N], int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? names[index] : "unknown";
}

}  // namespace

extern "C" {

const char* tvi_problem_kind_name(int kind) {
    return nameAt(kProblemKindNames, kind);
}

const char* tvi_format_name(int format) {
    return nameAt(kFormatNames, format);
}

const char* tvi_criterion_name(int criterion) {
    return nameAt(kCriterionNames, criterion);
}

const char* tvi_configuration_name(int configuration) {
    return nameAt(kConfigurationNames, configuration);
}

int tvi_version(void) {
    return TAVRISK_VERSION_NUMBER;
}

}  // extern "C"
