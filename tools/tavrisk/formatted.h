// SPDX-License-Identifier: MIT
// printf-style formatting into a string as long as the text needs: a figure near 1e308 printed
// with six decimals takes over 300 characters, and none of them may be cut.
#pragma once

#include <string>

namespace tavrisk_tool {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
formatted(char const* pattern, ...);

}  // namespace tavrisk_tool
