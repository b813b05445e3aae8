#include "studies/SweepPlan.h"

#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace kinetra::studies {

namespace {

std::string numberText(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

// A range may hold this many values at most: a typo in the step must not plan a billion cases.
constexpr std::size_t kMaxRangeValues = 100000;

} // namespace

std::variant<std::vector<double>, std::string> parseSweepValues(const std::string& text,
                                                                const std::string& what) {
    const std::string refusal =
        what + " \"" + text + "\" is not FROM:TO:STEP or a list of positive numbers.";
    std::vector<double> values;
    if (text.find(':') != std::string::npos) {
        std::vector<double> parts;
        std::istringstream in(text);
        for (std::string item; std::getline(in, item, ':');) {
            const auto v = parseNumber(trimBlanks(item));
            if (!v)
                return refusal;
            parts.push_back(*v);
        }
        if (parts.size() != 3 || parts[2] <= 0 || parts[1] < parts[0] ||
            (parts[1] - parts[0]) / parts[2] >= kMaxRangeValues)
            return refusal;
        // Counted, not accumulated, so that 800:1400:50 ends at 1400 exactly.
        const auto count = static_cast<long>(std::floor((parts[1] - parts[0]) / parts[2] + 1e-9));
        for (long i = 0; i <= count; ++i)
            values.push_back(parts[0] + static_cast<double>(i) * parts[2]);
    } else {
        std::istringstream in(text);
        for (std::string item; std::getline(in, item, ',');) {
            const auto v = parseNumber(trimBlanks(item));
            if (!v)
                return refusal;
            values.push_back(*v);
        }
    }
    if (values.empty())
        return refusal;
    for (double v : values)
        if (!(v > 0))
            return refusal;
    return values;
}

std::vector<IgnitionCase> sweepCases(const std::vector<double>& temperatures,
                                     const std::vector<double>& pressures,
                                     const std::vector<double>& phis,
                                     const std::function<std::string(double phi)>& fractionsOf) {
    std::vector<IgnitionCase> cases;
    const std::size_t total = temperatures.size() * pressures.size() * phis.size();
    const std::size_t width = std::max<std::size_t>(4, std::to_string(total).size());
    for (double p : pressures)
        for (double phi : phis) {
            const std::string fractions = fractionsOf(phi);
            for (double t : temperatures) {
                std::string id = std::to_string(cases.size() + 1);
                id.insert(0, width - id.size(), '0');
                cases.push_back({id, t, p, phi, fractions});
            }
        }
    return cases;
}

std::vector<IgnitionCase> runOrder(std::vector<IgnitionCase> cases) {
    std::stable_sort(cases.begin(), cases.end(), [](const IgnitionCase& a, const IgnitionCase& b) {
        return a.temperature < b.temperature;
    });
    return cases;
}

std::string casesText(const std::vector<IgnitionCase>& cases) {
    std::string text;
    for (const auto& c : cases)
        text += c.id + ' ' + numberText(c.temperature) + ' ' + numberText(c.pressure) + ' ' +
                numberText(c.phi) + ' ' + c.fractions + '\n';
    return text;
}

std::optional<std::vector<IgnitionCase>> readCasesText(const std::string& text) {
    std::vector<IgnitionCase> cases;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (trimBlanks(line).empty())
            continue;
        std::istringstream fields(line);
        IgnitionCase c;
        std::string t, p, phi;
        if (!(fields >> c.id >> t >> p >> phi >> c.fractions))
            return std::nullopt;
        const auto tv = parseNumber(t), pv = parseNumber(p), phiv = parseNumber(phi);
        if (!tv || !pv || !phiv)
            return std::nullopt;
        c.temperature = *tv;
        c.pressure = *pv;
        c.phi = *phiv;
        cases.push_back(std::move(c));
    }
    return cases;
}

} // namespace kinetra::studies
