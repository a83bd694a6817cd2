// SPDX-License-Identifier: MIT
// LAS headers and point records: the reader reads what its header declares or refuses it.
#include "format_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    fuzz::checkFormatReader(tavrisk::readLas, "LAS", data, size, tavrisk::FileFamily::las);
    return 0;
}
