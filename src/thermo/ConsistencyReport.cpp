#include "thermo/ConsistencyReport.h"

#include "common/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace kinetra::thermo {

namespace {

constexpr double kJumpTolerance = 1e-4;
constexpr double kGridStep = 10; // K
// A sane interval has a few hundred grid points; a corrupt Tmax of 1E+30 must not stall the
// report, so very wide intervals are scanned more coarsely.
constexpr double kMaxGridPoints = 100'000;

// Relative to the values, except near zero where a relative test would flag rounding noise.
bool jumps(double lower, double upper) {
    const double scale = std::max({1.0, std::abs(lower), std::abs(upper)});
    return std::abs(upper - lower) > kJumpTolerance * scale;
}

struct LowestCp {
    double temperature = 0, cpOverR = 0;
};

// The most negative Cp/R of the set over [from, to], or nothing when Cp stays non-negative.
std::optional<LowestCp> negativeCp(const double* set, double from, double to) {
    const double step = std::max(kGridStep, (to - from) / kMaxGridPoints);
    std::optional<LowestCp> lowest;
    auto visit = [&](double T) {
        const ThermoValues v = evaluateCoefficientSet(set, T);
        if (v.ok && v.cpOverR < 0 && (!lowest || v.cpOverR < lowest->cpOverR))
            lowest = LowestCp{T, v.cpOverR};
    };
    visit(from);
    // Grid points on whole multiples of the step, computed by multiplication so none drifts.
    const double first = std::floor(from / step) + 1;
    for (double k = first; k * step < to; ++k)
        visit(k * step);
    visit(to);
    return lowest;
}

void checkJumps(const NumberedSpecies& s, const double* upper, const double* lower, double tcom,
                std::vector<ConsistencyFinding>& out) {
    const ThermoValues lo = evaluateCoefficientSet(lower, tcom);
    const ThermoValues up = evaluateCoefficientSet(upper, tcom);
    if (!lo.ok || !up.ok)
        return;
    const struct {
        const char* name;
        double lower, upper;
    } functions[] = {{"Cp/R", lo.cpOverR, up.cpOverR},
                     {"H/RT", lo.hOverRT, up.hOverRT},
                     {"S/R", lo.sOverR, up.sOverR}};
    for (const auto& f : functions)
        if (jumps(f.lower, f.upper))
            out.push_back(
                {s.num, s.record.name, FindingKind::Discontinuity, f.name, f.lower, f.upper, tcom});
}

void checkNegativeCp(const NumberedSpecies& s, const double* upper, const double* lower,
                     std::vector<ConsistencyFinding>& out) {
    const SpeciesRecord& r = s.record;
    if (!r.tmin || !r.tmax || !(*r.tmin <= *r.tmax))
        return;
    const double tmin = *r.tmin, tmax = *r.tmax;
    // The same interval choice as the evaluation everywhere else: without Tcom the upper set
    // serves the whole range.
    const double tcom = r.tcom.value_or(tmin);
    auto report = [&](const std::optional<LowestCp>& lowest, bool upperSet) {
        if (!lowest)
            return;
        ConsistencyFinding f{s.num, r.name, FindingKind::NegativeCp, "Cp/R",
                             0,     0,      lowest->temperature};
        (upperSet ? f.upperValue : f.lowerValue) = lowest->cpOverR;
        out.push_back(std::move(f));
    };
    if (r.tcom && hasCoefficients(lower) && tmin <= tcom)
        report(negativeCp(lower, tmin, std::min(tcom, tmax)), false);
    if (hasCoefficients(upper) && tcom <= tmax)
        report(negativeCp(upper, std::max(tcom, tmin), tmax), true);
}

// Whole numbers without a trailing point, otherwise up to two decimals.
std::string temperatureText(double T) {
    std::string text = formatNumber(T, "0.##");
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::string lineStart(const ConsistencyFinding& f) {
    return formatText(formatNumber(static_cast<double>(f.num), "0"), "@@@@@") + "  " +
           formatText(f.name, "!@@@@@@@@@@@@@@@@") + " ";
}

} // namespace

ConsistencyReport checkConsistency(const std::vector<NumberedSpecies>& species) {
    ConsistencyReport report;
    for (const NumberedSpecies& s : species) {
        const double* upper = s.record.coefficients.data();
        const double* lower = upper + 7;
        if (s.record.tcom && hasCoefficients(upper) && hasCoefficients(lower))
            checkJumps(s, upper, lower, *s.record.tcom, report.findings);
        checkNegativeCp(s, upper, lower, report.findings);
    }
    return report;
}

std::vector<std::string> formatConsistencyReport(const ConsistencyReport& report) {
    std::vector<std::string> lines;
    std::set<std::int64_t> species;
    for (const ConsistencyFinding& f : report.findings) {
        species.insert(f.num);
        if (f.kind == FindingKind::Discontinuity) {
            lines.push_back(lineStart(f) + f.function + " jumps at Tcom " +
                            temperatureText(f.temperature) +
                            " K: " + formatNumber(f.lowerValue, "0.000000") + " below, " +
                            formatNumber(f.upperValue, "0.000000") + " above");
        } else {
            const bool upperSet = f.upperValue != 0;
            lines.push_back(
                lineStart(f) + "Cp/R negative in the " + (upperSet ? "upper" : "lower") +
                " interval: " + formatNumber(upperSet ? f.upperValue : f.lowerValue, "0.000000") +
                " at " + temperatureText(f.temperature) + " K");
        }
    }
    const std::size_t n = report.findings.size();
    if (n == 0)
        lines.push_back("No inconsistencies found.");
    else
        lines.push_back(formatNumber(static_cast<double>(n), "0") +
                        (n == 1 ? " inconsistency" : " inconsistencies") + " found in " +
                        formatNumber(static_cast<double>(species.size()), "0") + " species.");
    return lines;
}

} // namespace kinetra::thermo
