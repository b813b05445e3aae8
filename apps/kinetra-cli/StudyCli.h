// What the ignition and sweep commands share: the mixtures of the equivalence ratios from the
// thermo database's element counts and the one solver input file of a study, written from the
// reaction database with the mixture's diluents added.
#pragma once

#include "CliCommand.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::cli {

struct StudyMixtures {
    std::vector<std::string> fractions; // "NAME=X,..." per phi, in the order given
};

// Opens the databases (REACTIONS_DB, --thermo), computes the mixture of each phi from --fuel
// and --oxidizer and writes the solver input file `input`. Nothing after a message on err.
std::optional<StudyMixtures> prepareStudy(Context& c, const std::string& reactionsPath,
                                          const std::string* thermoPath, const std::string& fuel,
                                          const std::string& oxidizer,
                                          const std::vector<double>& phis,
                                          const std::filesystem::path& input);

} // namespace kinetra::cli
