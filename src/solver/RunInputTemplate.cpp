#include "solver/RunInputTemplate.h"

#include "solver/RunParameterLines.h"
#include "solver/SolverInputFile.h"

#include <algorithm>
#include <stdexcept>

namespace kinetra::solver {

namespace {

void appendLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

} // namespace

RunInputTemplate::RunInputTemplate(std::vector<std::string> lines, std::size_t speciesCount)
    : speciesCount_(speciesCount) {
    // Every fraction zero first: a run's species then only differ in their own fields. The
    // rewrite stops where writeRunInput's would, at a line too short for the field.
    const std::size_t thermo = std::min(lines.size(), static_cast<std::size_t>(line::kThermo));
    std::vector<bool> rewritten(speciesCount, false);
    for (std::size_t i = 0; i < speciesCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(line::kThermo) + 4 * i;
        if (at >= lines.size() || !rewriteMoleFractionField(lines[at], 0))
            break;
        rewritten[i] = true;
    }
    head_.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(thermo));
    for (std::size_t at = thermo; at < lines.size(); ++at) {
        const std::size_t species = (at - static_cast<std::size_t>(line::kThermo)) / 4;
        const bool fractionLine = (at - static_cast<std::size_t>(line::kThermo)) % 4 == 0 &&
                                  species < speciesCount && rewritten[species];
        if (fractionLine)
            fractionLines_.push_back({body_.size(), body_.size() + lines[at].size()});
        appendLine(body_, lines[at]);
    }
}

std::string RunInputTemplate::text(const ValidRunSettings& values) const {
    // Fewer fractions would leave the file's own fields of the others, which the template no
    // longer holds.
    if (values.fractions.size() != speciesCount_)
        throw std::invalid_argument("A fraction for every species of the input file is needed.");
    std::vector<std::string> head = head_;
    rewriteRunParameters(head, values.parameters);
    std::string text;
    text.reserve(body_.size() + 4096);
    for (const std::string& l : head)
        appendLine(text, l);
    std::size_t from = 0;
    for (std::size_t i = 0; i < fractionLines_.size(); ++i) {
        if (values.fractions[i] == 0)
            continue; // already zero in the template
        const FractionLine& f = fractionLines_[i];
        std::string line = body_.substr(f.begin, f.end - f.begin);
        rewriteMoleFractionField(line, values.fractions[i]);
        text.append(body_, from, f.begin - from);
        text += line;
        from = f.end;
    }
    text.append(body_, from, std::string::npos);
    return text;
}

} // namespace kinetra::solver
