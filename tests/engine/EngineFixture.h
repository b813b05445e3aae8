// Solver input files for the engine tests, written with the workbench's own writer from
// species and reaction records, so that every test also runs the file format end to end.
#pragma once

#include "engine/InputFile.h"
#include "solver/RunParameterLines.h"
#include "solver/SolverInputFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra::engine::testing {

inline constexpr double kRcal = 1.987204; // cal/(K mol), as the installed options give it
inline constexpr double kRcm3 = 82.05737; // cm^3 atm/(K mol)

// A gas with a constant Cp/R, enthalpy offset h0 (H/R at 0 K) and entropy constant s0, both
// intervals filled, molecular weight mw.
inline solver::SolverSpecies idealSpecies(std::string name, double mw, double cpOverR = 3.5,
                                          double h0 = 0, double s0 = 0) {
    solver::SolverSpecies s;
    s.record.name = std::move(name);
    s.formula = s.record.name;
    s.molecularWeight = mw;
    s.record.tmin = 200;
    s.record.tmax = 6000;
    s.record.tcom = 1000;
    for (int set = 0; set < 2; ++set) {
        s.record.coefficients[7 * set] = cpOverR;
        s.record.coefficients[7 * set + 5] = h0;
        s.record.coefficients[7 * set + 6] = s0;
    }
    return s;
}

inline reactions::ReactionRecord reactionRecord(std::string equation,
                                                std::array<std::string, 9> slots, double a,
                                                double n, double e, std::string type = "") {
    reactions::ReactionRecord r;
    r.reaction = std::move(equation);
    r.species = std::move(slots);
    r.a = a;
    r.n = n;
    r.e = e;
    r.type = std::move(type);
    return r;
}

inline std::vector<std::string> inputLines(const std::vector<solver::SolverSpecies>& species,
                                           const std::vector<reactions::ReactionRecord>& reactions,
                                           const solver::RunParameterValues& run) {
    const solver::SolverFileHeader header{
        {2026, 12, 7, 12, 0, 0}, "thermo.db", "reactions.db", kRcal, kRcm3};
    auto lines = solver::solverInputLines(header, species, reactions);
    solver::rewriteRunParameters(lines, run);
    std::vector<double> fractions;
    for (const auto& s : species)
        fractions.push_back(s.moleFraction);
    solver::rewriteMoleFractions(lines, fractions);
    return lines;
}

inline SolverInput readOrFail(const std::vector<std::string>& lines) {
    InputReading reading = readSolverInput(lines);
    EXPECT_TRUE(reading.input.has_value()) << inputErrorText(reading.error);
    return reading.input ? *reading.input : SolverInput{};
}

inline std::vector<std::string> fileLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

} // namespace kinetra::engine::testing
