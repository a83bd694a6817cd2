// SPDX-License-Identifier: MIT
// tavrisk: measures the form of parts from point files with the Tavrisk library.
//
// Every way out of a run is an exit status with a reason in words on standard error; nothing
// escapes main as an exception.
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "error_report.h"
#include "options.h"
#include "output_file.h"
#include "point_input.h"
#include "summary_table.h"
#include "tool_error.h"

using namespace tavrisk_tool;

namespace {

Report run(Options const& options) {
    switch (options.command) {
        case Command::kFlatness:
            return runFlatness(options);
        case Command::kFitPlane:
            return runFitPlane(options);
        case Command::kFitLine:
            return runFitLine(options);
        case Command::kStraightness:
            return runStraightness(options);
        case Command::kRoundness:
            return runRoundness(options);
        case Command::kProfile:
            return runProfile(options);
        case Command::kMoment:
            return runMoment(options);
    }
    throw UsageProblem("no such command");
}

// The words a run's error goes by on standard error: a refusal says it is one. file, when
// given, leads a message that does not name it already (one file of several).
void printError(ToolError const& error, std::string const& file = std::string()) {
    std::string const what = error.what();
    bool const named = file.empty() || what.compare(0, file.size(), file) == 0;
    std::fprintf(stderr, "tavrisk: %s%s%s\n", named ? "" : (file + ": ").c_str(),
                 error.detail().kind == "refused" ? "measurement refused: " : "", what.c_str());
}

// Runs the measurement of one file and gives back its report or its error, so that one file
// that cannot be measured leaves the others of the run to be measured.
struct Outcome {
    std::optional<Report> report;
    std::optional<ToolError> error;
};

Outcome measureOne(Options const& options, std::vector<std::string> const& inputs) {
    try {
        if (!options.svgPath.empty()) {
            checkOutputPath(options.svgPath, inputs);
        }
        return Outcome{run(options), std::nullopt};
    } catch (ToolError const& e) {
        return Outcome{std::nullopt, e};
    } catch (std::bad_alloc const&) {
        return Outcome{std::nullopt,
                       FileProblem("out_of_memory", "not enough memory to hold the points")};
    } catch (std::exception const& e) {
        return Outcome{std::nullopt, ToolError(kExitRefused, ErrorDetail{"failed"},
                                               std::string("the measurement failed: ") + e.what())};
    } catch (...) {
        return Outcome{std::nullopt,
                       ToolError(kExitRefused, ErrorDetail{"failed"}, "the measurement failed")};
    }
}

// One file: its report in full, or its error in words (and as JSON with --json).
int measureFile(Options const& options) {
    Outcome const outcome = measureOne(options, {options.file, options.nominalFile});
    if (outcome.error) {
        printError(*outcome.error);
        if (options.json) {
            printErrorJson(commandName(options.command), displayName(options.file), *outcome.error);
        }
        return outcome.error->status();
    }
    printReport(*outcome.report, options);
    return outcome.report->status();
}

// Several files, one after the other: a summary row each (with --json, each file's whole object
// on a line of its own), and the worst exit status of them all. Each file's map is named after
// it, so that no map replaces another.
int measureFiles(Options const& options) {
    SummaryTable table(commandName(options.command), unitLabel(options));
    int worst = kExitMeasured;
    for (std::string const& file : options.files) {
        Options one = options;
        one.file = file;
        if (!options.svgPath.empty()) {
            one.svgPath = formMapPath(options.svgPath, file);
        }
        Outcome const outcome = measureOne(one, options.files);
        std::string const name = displayName(file);
        if (outcome.error) {
            printError(*outcome.error, name);
            if (options.json) {
                printErrorJson(commandName(options.command), name, *outcome.error, true);
            }
            table.addRefused(name, *outcome.error);
            worst = worseStatus(worst, outcome.error->status());
            continue;
        }
        if (options.json) {
            std::string const line = outcome.report->json(true);
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fflush(stdout);  // each line as its file is done, for a reader that follows
        }
        table.addMeasured(name, *outcome.report);
        worst = worseStatus(worst, outcome.report->status());
    }
    if (!options.json) {
        std::string const text = table.text(worst);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return worst;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        int const ended = parseArguments(argc, argv, options);
        if (ended >= 0) {
            return ended;
        }
    } catch (ToolError const& e) {
        printError(e);
        if (options.json) {
            printErrorJson(std::string(), std::string(), e);
        }
        return e.status();
    } catch (...) {
        std::fputs("tavrisk: the command line could not be read\n", stderr);
        return kExitUsage;
    }
    int status = kExitMeasured;
    try {
        status = options.files.size() > 1 ? measureFiles(options) : measureFile(options);
    } catch (...) {
        // Only the printing is left outside each file's own handling: memory for the text.
        std::fputs("tavrisk: not enough memory to print the figures\n", stderr);
        return kExitRefused;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("tavrisk: standard output: cannot be written\n", stderr);
        return kExitFile;
    }
    return status;
}
