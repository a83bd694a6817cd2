// SPDX-License-Identifier: MIT
// PLY headers and data, ascii and binary: the reader reads what its header declares or refuses it.
#include "format_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    fuzz::checkFormatReader(tavrisk::readPly, "PLY", data, size, tavrisk::FileFamily::ply);
    return 0;
}
