// The solver input file of many runs of one mechanism that differ only in their run parameters
// and mole fractions (the cases of a sweep): the file is prepared once with every fraction
// zero, and each run's text is that file with its parameter lines and the first THERMO lines
// of its mixture's species patched in. The text is the one writeRunInput writes for the same
// lines and values, without re-reading or rewriting every line of the mechanism per run.
#pragma once

#include "solver/RunSettings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kinetra::solver {

class RunInputTemplate {
public:
    // `lines`: the input file's lines without line ends; `speciesCount`: the species of its
    // THERMO block.
    RunInputTemplate(std::vector<std::string> lines, std::size_t speciesCount);

    // The whole file (CR LF line ends) for these values, which give a fraction for each of the
    // `speciesCount` species (throws std::invalid_argument otherwise).
    std::string text(const ValidRunSettings& values) const;

private:
    struct FractionLine {
        std::size_t begin = 0, end = 0; // in body_, without the line end
    };
    std::size_t speciesCount_ = 0;
    std::vector<std::string> head_; // the lines before the THERMO block, parameter lines among them
    std::string body_;              // the rest, joined, every fraction field zero
    std::vector<FractionLine> fractionLines_; // per species, as far as rewriting reaches
};

} // namespace kinetra::solver
