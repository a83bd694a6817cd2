// SPDX-License-Identifier: MIT
#include "form_figures.h"

#include <new>

#include "tool_error.h"

namespace tavrisk_tool {

std::string criterionKey(int criterion) {
    return tvi_criterion_name(criterion);
}

std::string criterionWords(int criterion) {
    std::string words = criterionKey(criterion);
    for (char& c : words) {
        c = c == '-' ? ' ' : c;
    }
    return words;
}

std::vector<SupportPoint> supportsOf(tvi_support_point const* support, std::size_t count,
                                     bool circles) {
    std::vector<SupportPoint> points;
    for (std::size_t i = 0; i < count; ++i) {
        tvi_support_point const& s = support[i];
        bool const low = s.contact == TVI_CONTACT_LOW;
        points.push_back(SupportPoint{
            static_cast<std::int64_t>(s.index), gte::Vector3(s.point.x, s.point.y, s.point.z),
            circles ? (low ? "inner" : "outer") : (low ? "low" : "high")});
    }
    return points;
}

void requireFormMeasured(int status, tvi_problem const& problem) {
    switch (status) {
        case TVI_OK:
            return;
        case TVI_REFUSED:
            throw Refusal(problem.message);
        case TVI_OUT_OF_MEMORY:
            throw std::bad_alloc();
        default:
            throw ToolError(kExitRefused, ErrorDetail{"failed"},
                            std::string("the measurement failed: ") + problem.message);
    }
}

std::string zoneRefusal(int status, tvi_problem const& problem, Options const& options) {
    if (status != TVI_REFUSED) {
        requireFormMeasured(status, problem);
        return std::string();
    }
    if (options.criterion == TVI_CRITERION_MINIMUM_ZONE && options.tolerance) {
        throw Refusal(std::string("the minimum zone, which --tolerance judges, cannot be "
                                  "measured: ") +
                      problem.message);
    }
    return problem.message;
}

void reportZoneFigure(Report& report, std::string const& label, double width, bool certified,
                      int configuration) {
    std::string const name = tvi_configuration_name(configuration);
    report.text({"form", "0", "criterion"}, "", criterionKey(TVI_CRITERION_MINIMUM_ZONE));
    report.length({"form", "0", "width"}, label, width);
    report.note(std::string(certified ? "certified" : "NOT certified") + ", " + name + " supports");
    report.flag({"form", "0", "certified"}, "", certified);
    report.text({"form", "0", "configuration"}, "", name);
}

void reportZoneSupports(Report& report, double low, double high,
                        std::vector<SupportPoint> const& supports) {
    report.length({"form", "0", "zone", "low"}, "", low);
    report.length({"form", "0", "zone", "high"}, "", high);
    report.supports({"form", "0", "support"}, "zone supports", supports);
}

void reportRefusedZone(Report& report, std::string const& label, std::string const& reason) {
    report.text({"form", "0", "criterion"}, "", criterionKey(TVI_CRITERION_MINIMUM_ZONE));
    report.text({"form", "0", "refused"}, label, "not measured: " + reason);
    report.summary("minimum zone", "refused");
    report.summary("certified", "-");
}

void judgeTolerance(Report& report, Options const& options, double width, bool certified) {
    if (!options.tolerance) {
        return;
    }
    bool const pass = width <= *options.tolerance;
    report.length({"tolerance", "limit"}, "tolerance", *options.tolerance);
    report.note("judges the " + criterionWords(options.criterion) + " figure");
    report.text({"tolerance", "criterion"}, "", criterionKey(options.criterion));
    report.length({"tolerance", "width"}, "", width);
    report.text({"tolerance", "verdict"}, "verdict", pass ? "PASS" : "FAIL");
    if (!pass && !certified) {
        report.note("the zone is not certified: the narrowest zone may be narrower");
    }
    report.flag({"tolerance", "certified"}, "", certified);
    report.setStatus(pass ? kExitMeasured : kExitOutOfTolerance);
    report.summary("verdict", pass ? "PASS" : "FAIL");
}

}  // namespace tavrisk_tool
