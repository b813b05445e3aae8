// A solver output file as the post-processor reads it: the run header repeated from the input
// file, the THERMO block (formulas, element list, polynomials, molecular weights, initial mole
// fractions), the reaction text and the result records.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::results {

struct RunHeader {
    int speciesCount = 0, reactionCount = 0;
    double pressure = 0; // atm
    int mode = 0;        // 0 constant T and P, 1 energy and P, 2 T and V, 3 energy and V
    double initialTemperature = 0;
    std::string finalTime; // as written
    long maximumSteps = 0, deltaN = 0;
    double gasConstantCal = 0; // cal/(K mol)
    double gasConstantCm3 = 0; // cm^3 atm/(K mol)

    bool constantVolume() const { return (mode & 2) != 0; }
};

struct OutputSpecies {
    std::string name, formula;
    double tmin = 0, tmax = 0, tcom = 0;
    std::array<double, 15> coefficients{}; // A1..A14 (A15 unused)
    double molecularWeight = 0;
    double initialFraction = 0; // MFINIT
};

struct SolverOutput {
    RunHeader header;
    std::vector<OutputSpecies> species;
    std::vector<std::string> elements; // "e" first, then the symbols met, at most 11 in all
    std::vector<std::string> reactionText;
    // "Time(s)", "T(K)", "Ro", then the species names of the result header.
    std::vector<std::string> columnNames;
    // Per record: time, temperature, then the N species values (mass fractions).
    std::vector<std::vector<double>> records;
};

// The initial mole fraction of species i as the run started from it. The fractions typed need not
// sum to one (CH4 1, O2 2, N2 7.52 for methane in air); the solver divides them by their sum, and
// so does this. Zero when no fraction was given.
double initialMoleFraction(const SolverOutput& output, std::size_t species);

struct OutputReading {
    std::optional<SolverOutput> output; // empty on failure
    std::string message;                // why not, for a box titled "KINETRA"
};

// The post-processor refuses an output of fewer records: it has too little to tabulate.
inline constexpr int kMinimumRecords = 4;

// The post-processor's reading of a whole file text (any line ends); `path` names it in the
// messages. An analysis that needs less (the ignition delay needs the first and the last state)
// may lower `minimumRecords`; a quiet run of a few long steps writes only three.
OutputReading readSolverOutputText(const std::string& text, const std::string& path,
                                   int minimumRecords = kMinimumRecords);
OutputReading readSolverOutput(const std::filesystem::path& path,
                               int minimumRecords = kMinimumRecords);

// The fields of the THERMO block's species i (from its four lines): the name, formula and the
// temperatures by their columns, the fraction as the last field of the first line, the
// coefficients and weight in fields of 15 characters. Nothing when a number cannot be read.
std::optional<OutputSpecies> readThermoBlockSpecies(const std::vector<std::string>& fourLines);

// A value of a result record as the reader converts it: the nearest double to the decimal text,
// fast for the solver's own %.9E form, any numeric text otherwise.
std::optional<double> recordNumber(std::string_view text);

// The element symbols of a formula ("H4C1", "E-1AR1") in order; the electron is "e".
std::vector<std::string> formulaElements(const std::string& formula);

} // namespace kinetra::results
