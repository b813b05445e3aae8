// The solver input file: the fixed-format text that the solver program reads (header, run
// parameters, THERMO block with the initial mole fractions, Reactions block). This is the
// writer; docs/solver-files.md describes every line for people who write their own solver.
#pragma once

#include "common/Seams.h"
#include "reactions/ReactionRecord.h"
#include "thermo/SpeciesRecord.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace kinetra::solver {

// One species of the THERMO block: the species record with the derived fields of its row.
struct SolverSpecies {
    thermo::SpeciesRecord record;
    std::string formula; // MolFormula
    double molecularWeight = 0;
    double moleFraction = 0; // 0 when the file is written; the run settings fill it in
};

struct SolverFileHeader {
    LocalDateTime when;
    std::string thermoDatabasePath;
    std::string reactionDatabasePath;
    double gasConstantCal = 0; // cal/(K mol)
    double gasConstantCm3 = 0; // cm^3 atm/(K mol)
};

// 1-based line numbers of the parameter lines in the file, which the run settings rewrite and
// the solver and the post-processor read.
namespace line {
inline constexpr int kSpeciesCount = 10, kReactionCount = 11, kPressure = 14, kMode = 15,
                     kInitialTemperature = 16, kMinimumTemperature = 17, kMaximumTemperature = 18,
                     kInitialTime = 19, kFinalTime = 20, kInitialStep = 21, kRelativeTolerance = 22,
                     kAbsoluteTolerance = 23, kMaximumSteps = 24, kMaximumOutputLines = 27,
                     kDeltaN = 28, kGasConstantCal = 31, kGasConstantCm3 = 32, kThermo = 34;
}

// The lines of the file (without line ends) for the species in THERMO-block order and the
// reactions in file order. Species of the reactions that are not in `species` are not coded.
std::vector<std::string> solverInputLines(const SolverFileHeader& header,
                                          const std::vector<SolverSpecies>& species,
                                          const std::vector<reactions::ReactionRecord>& reactions);

// The code of each species name: its place in the THERMO block (1-based), 0 for a name that is
// not there. Looked up for every species of every reaction: a large mechanism's 14,610 reactions
// and 3,668 species made a search through the list cost more than the rest of the file.
class SpeciesCodes {
public:
    explicit SpeciesCodes(const std::vector<SolverSpecies>& species);
    int operator()(const std::string& name) const;

private:
    std::unordered_map<std::string, int> codes_;
};

// The title, code, rate, auxiliary, fall-off and third-body lines of reaction k (1-based).
std::vector<std::string> reactionLines(int k, const reactions::ReactionRecord& reaction,
                                       const SpeciesCodes& codes);

// The four THERMO-block lines of species i (1-based).
std::vector<std::string> speciesLines(int i, const SolverSpecies& species);

// A gas constant as the file writes it: rounded to seven significant digits, shortest form.
std::string gasConstantText(double value);

} // namespace kinetra::solver
