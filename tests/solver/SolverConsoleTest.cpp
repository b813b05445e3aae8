#include "solver/SolverConsole.h"

#include "common/TextNumber.h"
#include "solver/FractionList.h"

#include <gtest/gtest.h>

namespace kinetra::solver {
namespace {

TEST(SolverConsole, LinesArriveInPiecesAndProgressIsRead) {
    SolverConsole console(0, 0.1);
    EXPECT_EQ(console.percent(), 0);
    // The solver's own lines, cut where a pipe may cut them.
    EXPECT_TRUE(console.feed("KINETRA_SOLVER_5: in -> out\n53 species, 325 reac").size() == 1);
    EXPECT_EQ(console.feed("tions, mode 1\n  t = 2.500000E-02 s  steps 1"),
              (std::vector<std::string>{"53 species, 325 reactions, mode 1"}));
    EXPECT_FALSE(console.lastProgress());
    EXPECT_EQ(console.feed("20  T = 1234.56 K\r\n"),
              (std::vector<std::string>{"  t = 2.500000E-02 s  steps 120  T = 1234.56 K"}));
    ASSERT_TRUE(console.lastProgress());
    EXPECT_EQ(console.lastProgress()->steps, 120);
    EXPECT_DOUBLE_EQ(console.lastProgress()->temperature, 1234.56);
    EXPECT_EQ(console.percent(), 25);
    EXPECT_EQ(console.statusText(), "t = 2.50E-02 s, 120 steps, T = 1234.6 K");
    console.feed("Done: 400 steps");
    EXPECT_EQ(console.flush(), "Done: 400 steps");
    EXPECT_FALSE(console.flush());
}

TEST(SolverConsole, OnlyProgressLinesAreProgress) {
    const std::pair<const char*, bool> lines[] = {
        {"  t = 1.000000E-03 s  steps 5  T = 1200.00 K", true},
        {"t = 1E-3 s  steps 5  T = 1200 K", true},
        {"  t = nan s  steps 5  T = 1200.00 K", false},
        {"Largest dT/dt at 4.548500E-02 s", false},
        {"ERROR The run was stopped by the user at time 0.01 s", false},
        {"  t = 1.0E-03 s  steps  T = 1200.00 K", false},
        {"  t = 1.0E-03 s  steps 4.577E+19  T = 1200.00 K", false}, // no count a long holds
    };
    for (const auto& [line, progress] : lines)
        EXPECT_EQ(parseProgressLine(line).has_value(), progress) << line;
    // Past the final time (the last step may overshoot) the bar stays full.
    SolverConsole console(1, 2);
    console.feed("t = 2.5 s  steps 9  T = 1 K\n");
    EXPECT_EQ(console.percent(), 100);
}

RunSettings species(std::vector<std::pair<std::string, std::string>> fractions) {
    RunSettings s;
    for (auto& [name, fraction] : fractions)
        s.species.push_back({name, name + "1", fraction});
    return s;
}

TEST(FractionList, FilterSortAndSum) {
    RunSettings s = species({{"O2", "2"}, {"CH4", "1"}, {"CH3", ""}, {"N2", "7.52"}, {"OH", "x"}});
    FractionList list(s);
    EXPECT_EQ(list.rows(), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    list.setFilter("ch");
    EXPECT_EQ(list.rows(), (std::vector<std::size_t>{1, 2}));
    list.setFilter("");
    // By fraction: empty as zero, a text that is no number last.
    list.sortBy(FractionColumn::Fraction, false);
    EXPECT_EQ(list.rows(), (std::vector<std::size_t>{2, 1, 0, 3, 4}));
    list.sortBy(FractionColumn::Species, true);
    EXPECT_EQ(list.cellText(0, FractionColumn::Species), "OH");
    EXPECT_EQ(list.cellText(0, FractionColumn::No), "5");
    EXPECT_EQ(list.sumText(), "Sum of fractions: 10.52 (some fractions are not numbers)");
    // The refusal names the fault; nothing changes.
    EXPECT_EQ(list.normalise(), "Initial mole fractions, please enter positive numbers.");
    EXPECT_EQ(s.species[0].fraction, "2");
}

TEST(FractionList, NormaliseScalesToOneAndKeepsTheFilteredOutSpecies) {
    RunSettings s = species({{"CH4", "1"}, {"O2", "2"}, {"N2", "7.52"}, {"AR", ""}});
    FractionList list(s);
    list.setFilter("O2"); // Normalise acts on every species, not only those shown
    ASSERT_FALSE(list.normalise());
    EXPECT_EQ(s.species[3].fraction, "");
    EXPECT_NEAR(*parseNumber(s.species[0].fraction), 1 / 10.52, 1e-15);
    EXPECT_NEAR(list.sum().value, 1, 1e-14);
    EXPECT_EQ(list.rows(), (std::vector<std::size_t>{1}));

    RunSettings negative = species({{"H2", "2"}, {"O2", "-1"}});
    EXPECT_EQ(FractionList(negative).normalise(),
              "Initial mole fractions, please enter positive numbers.");
    EXPECT_EQ(negative.species[0].fraction, "2");
    RunSettings none = species({{"H2", ""}, {"O2", "0"}});
    EXPECT_EQ(FractionList(none).normalise(),
              "The solver cannot start because initial mole fractions have not been specified.");
}

} // namespace
} // namespace kinetra::solver
