#include "solver/RunParameterLines.h"

#include "common/ExactNumber.h"
#include "common/NumberFormat.h"
#include "solver/SolverInputFile.h"

namespace kinetra::solver {

namespace {

std::string real(double v) {
    return " " + formatNumber(v, "0.00####E+00");
}

} // namespace

void rewriteRunParameters(std::vector<std::string>& lines, const RunParameterValues& v) {
    auto set = [&](int number, std::string text) {
        if (static_cast<int>(lines.size()) >= number)
            lines[static_cast<std::size_t>(number - 1)] = std::move(text);
    };
    set(line::kPressure, real(v.pressure) + " !Initial Pressure, atm");
    set(line::kMode, " " + std::to_string(v.mode()) +
                         (v.energyEquation ? " !Temperature Equation" : " !Constant Temperature") +
                         (v.constantVolume ? " and Constant Volume" : " and Constant Pressure"));
    set(line::kInitialTemperature, real(v.initialTemperature) + " !Initial Temperature");
    set(line::kMinimumTemperature, real(v.minimumTemperature) + " !Minimal Allowable Temperature");
    set(line::kMaximumTemperature, real(v.maximumTemperature) + " !Maximal Allowable Temperature");
    set(line::kInitialTime, real(v.initialTime) + " !Initial Time");
    set(line::kFinalTime, real(v.finalTime) + " !Final Time");
    set(line::kInitialStep, real(v.initialStep) + " !Initial Step Size");
    set(line::kRelativeTolerance, real(v.relativeTolerance) + " !Relative Tolerance");
    set(line::kAbsoluteTolerance, real(v.absoluteTolerance) + " !Absolute Tolerance");
    set(line::kMaximumSteps, " " + std::to_string(v.maximumSteps) + " !Maximum Number of Steps");
    set(line::kMaximumOutputLines - 1, " !Output Parameters");
    set(line::kMaximumOutputLines,
        " " + std::to_string(v.maximumOutputLines) + " !Maximum Number of Output Lines");
    set(line::kDeltaN, " " + std::to_string(v.deltaN) + " !Delta N");
}

std::string moleFractionText(double fraction) {
    return fraction == 0 ? "0" : exactNumberText(fraction, "0.000E+00");
}

bool rewriteMoleFractionField(std::string& first, double fraction) {
    constexpr std::size_t kField = 10;
    if (first.size() < kField)
        return false;
    // The field starts at the blank before the last value; a value written longer than its
    // ten columns by an earlier run must go whole, not leave its first digits behind.
    std::size_t from = first.size() - kField;
    const std::size_t lastEnd = first.find_last_not_of(' ');
    if (lastEnd != std::string::npos) {
        const std::size_t valueStart = first.find_last_of(' ', lastEnd);
        if (valueStart != std::string::npos && valueStart < from)
            from = valueStart;
    }
    first.replace(from, std::string::npos,
                  formatText(" " + moleFractionText(fraction), "!@@@@@@@@@@"));
    return true;
}

void rewriteMoleFractions(std::vector<std::string>& lines, const std::vector<double>& fractions) {
    for (std::size_t i = 0; i < fractions.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(line::kThermo) + 4 * i;
        if (at >= lines.size() || !rewriteMoleFractionField(lines[at], fractions[i]))
            return;
    }
}

} // namespace kinetra::solver
