// SPDX-License-Identifier: MIT
// Where a map goes: a regular file that is none of the run's inputs, replaced whole or not at all.
#pragma once

#include <string>
#include <vector>

namespace tavrisk_tool {

// Refuses (UsageProblem) an output path that names something other than a regular file (a FIFO,
// a device, a directory) or a file that is one of the inputs ("-": standard input), compared by
// device and inode after links are followed, so that ./f.txt, a symbolic link and a hard link
// to f.txt are all f.txt. Looks without opening: a FIFO without a reader cannot hold the run.
void checkOutputPath(std::string const& output, std::vector<std::string> const& inputs);

// Writes text to the file at path (through a symbolic link, to the file it names) by way of a
// temporary file in the same directory that is renamed over it only once every byte is written
// and on the disk. A full disk, a write error or a stop by SIGTERM, SIGHUP, SIGINT or SIGQUIT
// leaves an earlier file at path as it was and no temporary file behind. Throws FileProblem
// naming path and the reason.
void writeWholeFile(std::string const& path, std::string const& text);

}  // namespace tavrisk_tool
