// SPDX-License-Identifier: MIT
// A run that ends early, said to a program: one JSON object on standard output beside the words
// on standard error.
#pragma once

#include <string>

#include "tool_error.h"

namespace tavrisk_tool {

// The error as one JSON object: the command and file (null when not known), the exit status and
// the error's kind, place in the file, offending text, resolving option, format and message.
// Indented, or on one line when compact (a line of JSON lines).
std::string errorJson(std::string const& command, std::string const& file, ToolError const& error,
                      bool compact = false);

// Prints errorJson on standard output.
void printErrorJson(std::string const& command, std::string const& file, ToolError const& error,
                    bool compact = false);

}  // namespace tavrisk_tool
