#include "solver/RunInputTemplate.h"

#include "solver/RunSettingsFiles.h"
#include "solver/SolverInputFile.h"
#include "support/TempDir.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>

namespace kinetra::solver {
namespace {

using kinetra::testing::TempDir;

std::vector<std::string> threeSpeciesLines() {
    std::vector<SolverSpecies> species;
    for (const char* name : {"CH4", "O2", "N2"}) {
        SolverSpecies s;
        s.record.name = name;
        s.formula = name;
        s.record.tmin = 300;
        s.record.tmax = 5000;
        s.record.tcom = 1000;
        s.record.coefficients[0] = 3.5;
        species.push_back(s);
    }
    return solverInputLines({}, species, {});
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The template's text is byte for byte what the full rewrite of writeRunInput writes, for runs
// that differ in their parameters and mixtures, and for files whose fraction fields were left
// long by an earlier run or are cut short.
TEST(RunInputTemplate, WritesWhatTheFullRewriteWrites) {
    struct Case {
        const char* what;
        std::function<void(std::vector<std::string>&)> editFile;
        std::function<void(RunSettings&)> settings;
    };
    const std::vector<Case> cases{
        {"one species", [](auto&) {}, [](RunSettings& s) { s.species[0].fraction = "1"; }},
        {"a mixture at other conditions", [](auto&) {},
         [](RunSettings& s) {
             s.initialTemperature = "1234.5";
             s.pressure = "40";
             s.constantVolume = true;
             s.energyEquation = true;
             s.species[0].fraction = "0.0950570342205323";
             s.species[1].fraction = "0.19011406844106";
             s.species[2].fraction = "0.714828897338403";
         }},
        {"a long field from an earlier run",
         [](std::vector<std::string>& lines) {
             std::string& first = lines[line::kThermo + 4];
             first = first.substr(0, first.size() - 10) + " 1.23456789E-01";
         },
         [](RunSettings& s) {
             s.species[0].fraction = "1";
             s.species[2].fraction = "3.76";
         }},
        {"a long field left at zero",
         [](std::vector<std::string>& lines) {
             std::string& first = lines[line::kThermo + 4];
             first = first.substr(0, first.size() - 10) + " 1.23456789E-01";
         },
         [](RunSettings& s) { s.species[0].fraction = "1"; }},
        {"a first line too short: the rewrite stops there",
         [](std::vector<std::string>& lines) { lines[line::kThermo + 4] = "O2"; },
         [](RunSettings& s) {
             s.species[0].fraction = "2";
             s.species[2].fraction = "1";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = threeSpeciesLines();
        c.editFile(lines);
        RunSettings s;
        s.species = {{"CH4", "CH4", ""}, {"O2", "O2", ""}, {"N2", "N2", ""}};
        s.finalTime = "0.1";
        c.settings(s);
        const RunSettingsCheck check = validateRunSettings(s);
        ASSERT_TRUE(check.values) << check.refusal->message;
        TempDir dir;
        writeRunInput(dir.path() / "full.txt", lines, *check.values, dir.path());
        const RunInputTemplate prepared(lines, 3);
        EXPECT_EQ(prepared.text(*check.values), readBytes(dir.path() / "full.txt"));
        // The same template serves the next run as well.
        const RunInputTemplate again(lines, 3);
        ValidRunSettings other = *check.values;
        other.fractions = {0, 0, 1};
        other.parameters.initialTemperature = 900;
        (void)again.text(*check.values);
        writeRunInput(dir.path() / "other.txt", lines, other, dir.path());
        EXPECT_EQ(again.text(other), readBytes(dir.path() / "other.txt"));
    }
}

TEST(RunInputTemplate, NeedsAFractionForEverySpecies) {
    const RunInputTemplate prepared(threeSpeciesLines(), 3);
    ValidRunSettings values;
    values.fractions = {1, 0};
    EXPECT_THROW((void)prepared.text(values), std::invalid_argument);
}

} // namespace
} // namespace kinetra::solver
