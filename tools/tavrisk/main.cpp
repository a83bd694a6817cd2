// SPDX-License-Identifier: MIT
// tavrisk: measures the form of parts from point files with the Tavrisk library.
//
// Every way out of a run is an exit status with a reason in words on standard error; nothing
// escapes main as an exception.
#include <cstdio>
#include <exception>
#include <new>

#include "commands.h"
#include "options.h"
#include "output_file.h"
#include "tool_error.h"

using namespace tavrisk_tool;

namespace {

void run(Options const& options) {
    switch (options.command) {
        case Command::kFlatness:
            runFlatness(options);
            break;
        case Command::kFitPlane:
            runFitPlane(options);
            break;
        case Command::kFitLine:
            runFitLine(options);
            break;
        case Command::kStraightness:
            runStraightness(options);
            break;
        case Command::kProfile:
            runProfile(options);
            break;
        case Command::kMoment:
            runMoment(options);
            break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Options options;
        int const ended = parseArguments(argc, argv, options);
        if (ended >= 0) {
            return ended;
        }
        if (!options.svgPath.empty()) {
            checkOutputPath(options.svgPath, {options.file, options.nominalFile});
        }
        run(options);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fputs("tavrisk: standard output: cannot be written\n", stderr);
            return kExitFile;
        }
        return kExitMeasured;
    } catch (UsageProblem const& e) {
        std::fprintf(stderr, "tavrisk: %s\n", e.what());
        return kExitUsage;
    } catch (Refusal const& e) {
        std::fprintf(stderr, "tavrisk: measurement refused: %s\n", e.what());
        return kExitRefused;
    } catch (FileProblem const& e) {
        std::fprintf(stderr, "tavrisk: %s\n", e.what());
        return kExitFile;
    } catch (std::bad_alloc const&) {
        std::fputs("tavrisk: not enough memory to hold the points\n", stderr);
        return kExitFile;
    } catch (std::exception const& e) {
        std::fprintf(stderr, "tavrisk: the measurement failed: %s\n", e.what());
        return kExitRefused;
    } catch (...) {
        std::fputs("tavrisk: the measurement failed\n", stderr);
        return kExitRefused;
    }
}
