#include "solver/RunSettings.h"

#include "solver/RunParameterLines.h"
#include "solver/RunSettingsFiles.h"
#include "solver/SolverInputFile.h"
#include "support/TempDir.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>

namespace kinetra::solver {
namespace {

using kinetra::testing::TempDir;

RunSettings withSpecies() {
    RunSettings s;
    s.species = {{"H2", "H2", "2"}, {"O2", "O2", "1"}, {"N2", "N2", ""}};
    return s;
}

TEST(RunSettings, ValidationMessagesInOrder) {
    struct Case {
        const char* what;
        std::function<void(RunSettings&)> change;
        std::optional<RunField> field;
        std::string message;
    };
    const std::string steps = "Maximum number of computed steps, please enter a positive integer "
                              "less than 100000.";
    const std::string rtol =
        "Relative tolerance, please enter a number on the interval (1.E-14, 1).";
    const std::vector<Case> cases{
        {"defaults with fractions", [](auto&) {}, std::nullopt, ""},
        {"relative tolerance 1", [](auto& s) { s.relativeTolerance = "1"; },
         RunField::RelativeTolerance, rtol},
        {"relative tolerance 1E-14", [](auto& s) { s.relativeTolerance = "1E-14"; },
         RunField::RelativeTolerance, rtol},
        {"relative tolerance 2E-14", [](auto& s) { s.relativeTolerance = "2E-14"; }, std::nullopt,
         ""},
        {"99999 steps", [](auto& s) { s.maximumSteps = "99999"; }, std::nullopt, ""},
        {"100000 steps", [](auto& s) { s.maximumSteps = "100000"; }, RunField::MaximumSteps, steps},
        {"fractional steps", [](auto& s) { s.maximumSteps = "10.5"; }, RunField::MaximumSteps,
         steps},
        {"10000 output lines", [](auto& s) { s.maximumOutputLines = "10000"; },
         RunField::MaximumOutputLines,
         "Maximum number of output lines, please enter a positive integer less than 10000."},
        {"stride 0", [](auto& s) { s.outputStride = "0"; }, RunField::OutputStride,
         "Step of point representation, please enter a positive integer."},
        {"a text before a range fault",
         [](auto& s) {
             s.relativeTolerance = "5";
             s.pressure = "p";
         },
         RunField::Pressure, "Pressure, please enter a positive number."},
        {"initial time not a number",
         [](auto& s) {
             s.initialTime = "x";
             s.finalTime = "y";
         },
         RunField::InitialTime, "Initial time, please enter a number."},
        {"negative step", [](auto& s) { s.initialStep = "-1E-10"; }, RunField::InitialStep,
         "Initial step size, please enter a positive number."},
        {"zero absolute tolerance", [](auto& s) { s.absoluteTolerance = "0"; },
         RunField::AbsoluteTolerance, "Absolute tolerance, please enter a positive number."},
        {"minimum not positive", [](auto& s) { s.minimumTemperature = "0"; },
         RunField::MinimumTemperature,
         "Minimum value of the allowable temperature interval, please enter a positive number."},
        {"maximum not a number", [](auto& s) { s.maximumTemperature = "hot"; },
         RunField::MaximumTemperature,
         "Allowable temperature interval, please enter a positive number."},
        {"minimum above maximum", [](auto& s) { s.minimumTemperature = "7000"; },
         RunField::MinimumTemperature,
         "Allowable temperature interval, the minimum value is equal to or greater than the "
         "maximum  value. Enter correct values."},
        {"initial temperature outside", [](auto& s) { s.initialTemperature = "150"; },
         RunField::InitialTemperature,
         "The initial temperature is outside of the temperature interval (200, 6000). Enter a "
         "correct value."},
        {"initial temperature at the minimum", [](auto& s) { s.initialTemperature = "200"; },
         std::nullopt, ""},
        {"times reversed",
         [](auto& s) {
             s.initialTime = "1";
             s.finalTime = "1";
         },
         RunField::InitialTime,
         "The initial time is equal to or greater than the final time. Enter correct values."},
        {"negative initial time", [](auto& s) { s.initialTime = "-1"; }, std::nullopt, ""},
        {"a fraction not a number", [](auto& s) { s.species[2].fraction = "3.76a"; },
         RunField::Fractions, "Initial mole fractions, please enter positive numbers."},
        {"a negative fraction", [](auto& s) { s.species[2].fraction = "-1"; }, RunField::Fractions,
         "Initial mole fractions, please enter positive numbers."},
        {"no fraction", [](auto& s) { s.clearFractions(); }, RunField::Fractions,
         "The solver cannot start because initial mole fractions have not been specified."},
    };
    for (const Case& c : cases) {
        RunSettings s = withSpecies();
        c.change(s);
        const RunSettingsCheck check = validateRunSettings(s);
        if (!c.field) {
            EXPECT_TRUE(check.values)
                << c.what << ": " << (check.refusal ? check.refusal->message : "");
            continue;
        }
        ASSERT_TRUE(check.refusal) << c.what;
        EXPECT_EQ(check.refusal->field, *c.field) << c.what;
        EXPECT_EQ(check.refusal->message, c.message) << c.what;
    }
}

TEST(RunSettings, ValuesAndModeLine) {
    RunSettings s = withSpecies();
    s.energyEquation = false;
    s.constantVolume = true;
    s.maximumSteps = "99999";
    const RunSettingsCheck check = validateRunSettings(s);
    ASSERT_TRUE(check.values);
    EXPECT_EQ(check.values->parameters.mode(), 2);
    EXPECT_EQ(check.values->parameters.maximumSteps, 99999);
    EXPECT_EQ(check.values->fractions, (std::vector<double>{2, 1, 0}));
    std::vector<std::string> lines(40);
    rewriteRunParameters(lines, check.values->parameters);
    EXPECT_EQ(lines[14], " 2 !Constant Temperature and Constant Volume");
    EXPECT_EQ(lines[13], " 1.00E+00 !Initial Pressure, atm");
    EXPECT_EQ(lines[23], " 99999 !Maximum Number of Steps");
    EXPECT_EQ(lines[25], " !Output Parameters");
    EXPECT_EQ(lines[27], " 1 !Delta N");
}

TEST(RunSettings, DefaultsRestoreTheSolverParametersOnly) {
    RunSettings s = withSpecies();
    s.finalTime = "5";
    s.maximumTemperature = "3000";
    s.initialTemperature = "1500";
    s.restoreDefaults();
    EXPECT_EQ(s.finalTime, "1.E+00");
    EXPECT_EQ(s.initialStep, "1.E-10");
    EXPECT_EQ(s.maximumTemperature, "6000");
    EXPECT_EQ(s.initialTemperature, "1500");
    EXPECT_EQ(s.species[0].fraction, "2");
}

TEST(RunSettings, FractionsKeepTheirDigits) {
    SolverSpecies h2;
    h2.record.name = "H2";
    h2.record.tmin = 300;
    h2.record.tmax = 5000;
    h2.record.tcom = 1000;
    std::vector<std::string> lines = solverInputLines({}, {h2, h2}, {});
    const std::string before = lines[line::kThermo];
    const std::string second = lines[line::kThermo + 4];
    rewriteMoleFractions(lines, {0.123456789, 0.25});
    EXPECT_EQ(lines[line::kThermo], before.substr(0, before.size() - 10) + " 1.23456789E-01");
    EXPECT_EQ(lines[line::kThermo + 4], second.substr(0, second.size() - 10) + " 2.500E-01");
    // A shorter value replaces a longer one whole.
    rewriteMoleFractions(lines, {0, 0.25});
    EXPECT_EQ(lines[line::kThermo], before);
    EXPECT_EQ(moleFractionText(3.76), "3.760E+00");
}

TEST(RunSettings, MissingThermoWarning) {
    const std::string head = "Temperature can be calculated erroneously because thermodynamic "
                             "functions aren't specified for the species: ";
    EXPECT_EQ(missingThermoWarning({}), "");
    EXPECT_EQ(missingThermoWarning({"AR", "HE"}), head + "'AR', 'HE'.");
    // Five names and the ending pass the 128 characters: the cut shows.
    EXPECT_EQ(missingThermoWarning({"A", "B", "C", "D", "E", "F"}),
              (head + "'A', 'B', 'C', 'D', 'E'...").substr(0, 128) + "...");
    const std::string cut =
        missingThermoWarning({"LONGNAME1", "LONGNAME2", "LONGNAME3", "LONGNAME4"});
    EXPECT_EQ(cut.size(), 131u);
    EXPECT_EQ(cut.substr(128), "...");
}

TEST(RunSettings, SaveAndEnter) {
    TempDir dir;
    RunSettings s = withSpecies();
    s.initialTemperature = "1250";
    s.constantVolume = true;
    s.keepConsole = true;
    s.relativeTolerance = "1E-8";
    ASSERT_TRUE(saveRunSettings(dir.path() / "SolverData.txt", s));
    const std::string text = savedSettingsText(s);
    EXPECT_EQ(text.substr(0, 4), "17\r\n"); // 15 settings and two species
    RunSettings entered;
    entered.species = {{"O2", "O2", ""}, {"AR", "AR", "5"}, {"H2", "H2", ""}};
    ASSERT_TRUE(enterSavedSettings(text, entered));
    EXPECT_EQ(entered.initialTemperature, "1250");
    EXPECT_EQ(entered.relativeTolerance, "1E-8");
    EXPECT_TRUE(entered.constantVolume);
    EXPECT_TRUE(entered.keepConsole);
    EXPECT_EQ(entered.species[0].fraction, "1");
    EXPECT_EQ(entered.species[1].fraction, "");
    EXPECT_EQ(entered.species[2].fraction, "2");
    RunSettings untouched = withSpecies();
    EXPECT_FALSE(enterSavedSettings("3\r\nx\r\n", untouched));
    EXPECT_EQ(untouched.species[0].fraction, "2");
    EXPECT_FALSE(saveRunSettings(dir.path() / "missing" / "SolverData.txt", s));
}

TEST(RunSettings, RunInputAndHandOverFile) {
    TempDir dir;
    SolverSpecies h2;
    h2.record.name = "H2";
    h2.formula = "H2";
    h2.record.tmin = 300;
    h2.record.tmax = 5000;
    h2.record.tcom = 1000;
    SolverSpecies ar = h2;
    ar.record.name = "AR";
    h2.record.coefficients[0] = 3.5;
    const auto lines = solverInputLines({}, {ar, h2}, {});
    const auto summary = summariseInputFile(lines);
    ASSERT_TRUE(summary);
    ASSERT_EQ(summary->species.size(), 2u);
    EXPECT_EQ(summary->species[1].name, "H2");
    EXPECT_EQ(summary->withoutThermo, std::vector<std::string>{"AR"});

    RunSettings s;
    s.species = summary->species;
    s.species[0].fraction = "0.5";
    const auto check = validateRunSettings(s);
    ASSERT_TRUE(check.values);
    const auto input = dir.path() / "SOLTMP.txt";
    writeRunInput(input, lines, *check.values, dir.path());
    const auto written = readInputLines(input);
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)[line::kThermo].substr((*written)[line::kThermo].size() - 10),
              " 5.000E-01");
    std::ifstream handOver(handOverPath(dir.path()), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(handOver)), {});
    EXPECT_EQ(content, "\"" + input.string() + "\"\r\n");
}

} // namespace
} // namespace kinetra::solver
