// SPDX-License-Identifier: MIT
// tavrisk: measures the form of parts from point files with the Tavrisk library.
//
// Every way out of a run is an exit status with a reason in words on standard error; nothing
// escapes main as an exception.
#include <cstdio>
#include <exception>
#include <new>

#include "commands.h"
#include "error_report.h"
#include "options.h"
#include "point_input.h"
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

// The words a run's error goes by on standard error: a refusal says it is one.
void printError(ToolError const& error) {
    std::fprintf(stderr, "tavrisk: %s%s\n",
                 error.detail().kind == "refused" ? "measurement refused: " : "", error.what());
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    bool parsed = false;
    // Every error reaches standard error in words and, with --json, standard output as a JSON
    // object, so that a program reading the output learns why there are no figures.
    auto const fail = [&](ToolError const& error) {
        printError(error);
        if (options.json) {
            printErrorJson(parsed ? commandName(options.command) : std::string(),
                           parsed ? displayName(options.file) : std::string(), error);
        }
        return static_cast<int>(error.status());
    };
    try {
        int const ended = parseArguments(argc, argv, options);
        if (ended >= 0) {
            return ended;
        }
        parsed = true;
        if (!options.svgPath.empty()) {
            checkOutputPath(options.svgPath, {options.file, options.nominalFile});
        }
        run(options);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fputs("tavrisk: standard output: cannot be written\n", stderr);
            return kExitFile;
        }
        return kExitMeasured;
    } catch (ToolError const& e) {
        return fail(e);
    } catch (std::bad_alloc const&) {
        return fail(FileProblem("out_of_memory", "not enough memory to hold the points"));
    } catch (std::exception const& e) {
        return fail(ToolError(kExitRefused, ErrorDetail{"failed"},
                              std::string("the measurement failed: ") + e.what()));
    } catch (...) {
        return fail(ToolError(kExitRefused, ErrorDetail{"failed"}, "the measurement failed"));
    }
}
