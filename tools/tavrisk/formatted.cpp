// SPDX-License-Identifier: MIT
#include "formatted.h"

#include <cstdarg>
#include <cstdio>

namespace tavrisk_tool {

std::string formatted(char const* pattern, ...) {
    std::va_list arguments;
    va_start(arguments, pattern);
    std::va_list measuring;
    va_copy(measuring, arguments);
    int const length = std::vsnprintf(nullptr, 0, pattern, measuring);
    va_end(measuring);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) {
        // The string's own terminator takes the formatter's final zero.
        std::vsnprintf(&text[0], text.size() + 1, pattern, arguments);
    }
    va_end(arguments);
    return text;
}

}  // namespace tavrisk_tool
