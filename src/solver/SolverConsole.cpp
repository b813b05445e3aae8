#include "solver/SolverConsole.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace kinetra::solver {

namespace {

// The number after `label` up to the next blank.
std::optional<double> numberAfter(std::string_view line, std::string_view label) {
    const auto at = line.find(label);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = line.substr(at + label.size());
    rest = rest.substr(std::min(rest.size(), rest.find_first_not_of(' ')));
    return parseNumber(std::string(rest.substr(0, rest.find(' '))));
}

} // namespace

std::optional<SolverProgress> parseProgressLine(std::string_view line) {
    const std::string trimmed = trimBlanks(std::string(line));
    if (!trimmed.starts_with("t = "))
        return std::nullopt;
    const auto time = numberAfter(trimmed, "t = ");
    const auto steps = numberAfter(trimmed, "steps ");
    const auto temperature = numberAfter(trimmed, "T = ");
    // A count beyond what a long holds is no progress line (another solver's console may
    // print anything).
    if (!time || !steps || !temperature || !(std::fabs(*steps) < 9.0e15))
        return std::nullopt;
    return SolverProgress{*time, static_cast<long>(*steps), *temperature};
}

SolverConsole::SolverConsole(double initialTime, double finalTime)
    : initialTime_(initialTime), finalTime_(finalTime) {}

std::vector<std::string> SolverConsole::feed(std::string_view piece) {
    std::vector<std::string> lines;
    partial_.append(piece);
    std::size_t from = 0;
    for (std::size_t end; (end = partial_.find('\n', from)) != std::string::npos; from = end + 1) {
        std::string line = partial_.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (auto progress = parseProgressLine(line))
            last_ = progress;
        lines.push_back(std::move(line));
    }
    partial_.erase(0, from);
    return lines;
}

std::optional<std::string> SolverConsole::flush() {
    if (partial_.empty())
        return std::nullopt;
    std::string line = std::move(partial_);
    partial_.clear();
    if (auto progress = parseProgressLine(line))
        last_ = progress;
    return line;
}

int SolverConsole::percent() const {
    if (!last_ || !(finalTime_ > initialTime_))
        return 0;
    const double share = (last_->time - initialTime_) / (finalTime_ - initialTime_);
    return static_cast<int>(std::clamp(std::floor(share * 100), 0.0, 100.0));
}

std::string SolverConsole::statusText() const {
    if (!last_)
        return {};
    return "t = " + formatNumber(last_->time, "0.00E+00") + " s, " + std::to_string(last_->steps) +
           " steps, T = " + formatNumber(last_->temperature, "0.0") + " K";
}

} // namespace kinetra::solver
