// Solver output texts for the post-processor and output-check tests: the input lines from the
// workbench's writer, then the records laid out by the solver program's own record writer, so
// that the tests read what the solver really writes.
#pragma once

#include "engine/OutputRecords.h"
#include "results/SolverOutput.h"
#include "solver/RunParameterLines.h"
#include "solver/SolverInputFile.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra::results::testing {

inline solver::SolverSpecies constantCpSpecies(std::string name, double mw, double a1,
                                               double a2 = 0, double a6 = 0) {
    solver::SolverSpecies s;
    s.record.name = std::move(name);
    s.formula = "H2";
    s.molecularWeight = mw;
    s.record.tmin = 200;
    s.record.tmax = 6000;
    s.record.tcom = 1000;
    for (int set = 0; set < 2; ++set) {
        s.record.coefficients[7 * set] = a1;
        s.record.coefficients[7 * set + 1] = a2;
        s.record.coefficients[7 * set + 5] = a6;
    }
    return s;
}

// n species "S1".."Sn" of weight 10 + i.
inline std::vector<solver::SolverSpecies> numberedSpecies(int n) {
    std::vector<solver::SolverSpecies> all;
    for (int i = 1; i <= n; ++i)
        all.push_back(constantCpSpecies("S" + std::to_string(i), 10 + i, 3.5));
    return all;
}

// A value of record r, species i: both signs, so that continuation lines begin with "-".
inline double speciesValue(int r, int i) {
    return (i % 2 == 0 ? -1.0 : 1.0) * 1.234567891e-5 * (i + 1) * (r + 1);
}

inline std::vector<std::string> inputPart(const std::vector<solver::SolverSpecies>& species,
                                          const solver::RunParameterValues& run = {}) {
    const solver::SolverFileHeader header{
        {2026, 12, 7, 12, 0, 0}, "thermo.db", "reactions.db", 1.987204, 82.05746};
    auto lines = solver::solverInputLines(header, species, {});
    solver::rewriteRunParameters(lines, run);
    return lines;
}

inline std::vector<std::string> headerRecord(const std::vector<solver::SolverSpecies>& species) {
    std::vector<std::string> fields{"Time(s)", "T(K)"};
    for (const auto& s : species)
        fields.push_back(s.record.name);
    return engine::recordLines("No.", fields,
                               engine::recordLineCount(static_cast<int>(species.size())));
}

inline std::vector<std::string> record(int number, double time, double temperature,
                                       const std::vector<double>& values) {
    std::vector<std::string> fields{engine::recordValueText(time),
                                    engine::recordValueText(temperature)};
    for (double v : values)
        fields.push_back(engine::recordValueText(v));
    return engine::recordLines(std::to_string(number), fields,
                               engine::recordLineCount(static_cast<int>(values.size())));
}

inline std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += l + "\n";
    return text;
}

// An output of `records` records of numbered species, then `ending` ("!$END", an ERROR line or
// nothing).
inline std::string numberedOutput(int n, int records, const std::string& ending = "!$END") {
    const auto species = numberedSpecies(n);
    std::vector<std::string> lines = inputPart(species);
    lines.push_back("!$RESULTS");
    for (const auto& l : headerRecord(species))
        lines.push_back(l);
    for (int r = 0; r < records; ++r) {
        std::vector<double> values;
        for (int i = 0; i < n; ++i)
            values.push_back(speciesValue(r, i));
        for (const auto& l : record(r + 1, 1e-4 * r, 1000 + r, values))
            lines.push_back(l);
    }
    if (!ending.empty())
        lines.push_back(ending);
    return joined(lines);
}

// H2 (M 2): Cp/R 3.5, H/RT 3.5 - 1000/T. O2 (M 32): Cp/R 4 + 0.001 T, H/RT 4 + 0.0005 T.
// Mass fractions 0.2 and 0.8 at 2 atm.
inline SolverOutput twoSpecies(bool constantVolume) {
    const std::vector<solver::SolverSpecies> species{constantCpSpecies("H2", 2, 3.5, 0, -1000),
                                                     constantCpSpecies("O2", 32, 4, 0.001)};
    solver::RunParameterValues run;
    run.pressure = 2;
    run.constantVolume = constantVolume;
    std::vector<std::string> lines = inputPart(species, run);
    lines.push_back("!$RESULTS");
    for (const auto& l : headerRecord(species))
        lines.push_back(l);
    for (int r = 0; r < 4; ++r)
        for (const auto& l : record(r + 1, r * 0.1, r == 0 ? 1000 : 2000, {0.2, 0.8}))
            lines.push_back(l);
    lines.push_back("!$END");
    OutputReading reading = readSolverOutputText(joined(lines), "x");
    EXPECT_TRUE(reading.output) << reading.message;
    return reading.output ? *reading.output : SolverOutput{};
}

} // namespace kinetra::results::testing
