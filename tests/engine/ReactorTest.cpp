#include "engine/Reactor.h"

#include "EngineFixture.h"
#include "engine/Integrator.h"
#include "engine/Kinetics.h"
#include "engine/Run.h"
#include "results/SolverOutput.h"
#include "solver/SolverOutputCheck.h"

#include <cmath>
#include <map>
#include <sstream>

namespace kinetra::engine {
namespace {

using namespace testing;

struct Simulation {
    SolverInput input;
    Kinetics kinetics;
    Reactor reactor;
    Integrator integrator;
    explicit Simulation(SolverInput in, LinearAlgebra linear = LinearAlgebra::Automatic)
        : input(std::move(in)), kinetics(input), reactor(input, kinetics),
          integrator(reactor, kinetics, input.parameters, linear) {}
    bool runToEnd() {
        while (integrator.time() < input.parameters.finalTime)
            if (!integrator.step())
                return false;
        return true;
    }
};

solver::RunParameterValues constantT(double temperature, double finalTime) {
    solver::RunParameterValues run;
    run.energyEquation = false;
    run.initialTemperature = temperature;
    run.finalTime = finalTime;
    run.relativeTolerance = 1e-9;
    run.absoluteTolerance = 1e-20;
    run.maximumSteps = 99999;
    return run;
}

// A -> B with k = 1000/s at constant T: Y_A = exp(-k t).
TEST(Reactor, FirstOrderDecay) {
    auto a = idealSpecies("A", 28), b = idealSpecies("B", 28);
    a.moleFraction = 1;
    Simulation sim(readOrFail(
        inputLines({a, b}, {reactionRecord("A => B", {"A", "", "", "B"}, 1e3, 0, 0, "Irrev ")},
                   constantT(1000, 2e-3))));
    ASSERT_TRUE(sim.runToEnd()) << sim.integrator.error();
    EXPECT_NEAR(sim.integrator.state()[1] / std::exp(-2.0), 1, 1e-6);
    EXPECT_NEAR(sim.integrator.state()[1] + sim.integrator.state()[2], 1, 1e-12);
}

// A <=> B relaxes to the equilibrium that Kc from the NASA data gives: with equal Cp, H_B - H_A
// = -1000 R K and S_B - S_A = R, G/RT falls by 1000/T + 1, so [B]/[A] = exp(1000/T + 1).
TEST(Reactor, ReversibleReactionReachesTheNasaEquilibrium) {
    auto a = idealSpecies("A", 28), b = idealSpecies("B", 28, 3.5, -1000, 1);
    a.moleFraction = 1;
    for (double temperature : {500.0, 1000.0, 2500.0}) {
        Simulation sim(readOrFail(
            inputLines({a, b}, {reactionRecord("A <=> B", {"A", "", "", "B"}, 1e4, 0, 0)},
                       constantT(temperature, 1e-2))));
        ASSERT_TRUE(sim.runToEnd());
        const double kc = std::exp(1000 / temperature + 1);
        EXPECT_NEAR(sim.integrator.state()[2] / sim.integrator.state()[1] / kc, 1, 1e-6)
            << temperature;
    }
}

// The elements of each species by the formula written in the THERMO block ("C1H4").
std::map<std::string, double> elementsOf(const std::string& formula) {
    std::map<std::string, double> out;
    for (std::size_t i = 0; i < formula.size();) {
        std::string symbol(1, formula[i++]);
        while (i < formula.size() && std::isalpha(static_cast<unsigned char>(formula[i])))
            symbol += formula[i++];
        std::size_t used = 0;
        const double count = std::stod(formula.substr(i), &used);
        i += used;
        out[symbol] += count;
    }
    return out;
}

std::vector<std::string> griLines(int mode) {
    auto lines = fileLines(KINETRA_TEST_DATA_DIR "/gri30-ch4-air-1200K-constP.txt");
    lines[14] = " " + std::to_string(mode) + " !Mode";
    return lines;
}

// GRI-Mech 3.0, CH4/air at phi = 1, 1 atm, 1200 K: adiabatic, so the enthalpy (constant P) or
// the internal energy (constant V) of the mixture stays what it was; the elements stay too.
TEST(Reactor, AdiabaticIgnitionConservesEnergyAndElements) {
    for (int mode : {1, 3}) {
        const auto lines = griLines(mode);
        Simulation sim(readOrFail(lines));
        const std::vector<double> y0 = sim.reactor.initialState();
        const double e0 = mode == 1 ? sim.reactor.specificEnthalpy(y0.data())
                                    : sim.reactor.specificInternalEnergy(y0.data());
        ASSERT_TRUE(sim.runToEnd()) << sim.integrator.error();
        const double* y = sim.integrator.state();
        EXPECT_GT(y[0], 2600); // burnt
        const double e1 =
            mode == 1 ? sim.reactor.specificEnthalpy(y) : sim.reactor.specificInternalEnergy(y);
        // Against the scale of the heat released (about cp (Tb - T0)).
        EXPECT_LT(std::fabs(e1 - e0), 1e-5 * 0.3 * (y[0] - 1200)) << mode;

        std::map<std::string, double> before, after;
        const std::size_t n = sim.input.species.size();
        for (std::size_t k = 0; k < n; ++k) {
            const auto words = [&] {
                std::istringstream in(lines[static_cast<std::size_t>(34 + 4 * k)]);
                std::vector<std::string> w;
                for (std::string s; in >> s;)
                    w.push_back(s);
                return w;
            }();
            for (const auto& [symbol, count] : elementsOf(words[2])) {
                const double molesPerGram = count / sim.input.species[k].molecularWeight;
                before[symbol] += molesPerGram * y0[k + 1];
                after[symbol] += molesPerGram * y[k + 1];
            }
        }
        for (const auto& [symbol, amount] : before)
            EXPECT_NEAR(after[symbol], amount, 1e-9 + 1e-6 * amount) << symbol << " mode " << mode;
    }
}

// The ignition delay is the time of the largest dT/dt over the accepted steps.
double ignitionDelay(const std::vector<std::string>& lines, double* finalTemperature,
                     LinearAlgebra linear = LinearAlgebra::Automatic) {
    Simulation sim(readOrFail(lines), linear);
    std::vector<double> ydot(static_cast<std::size_t>(sim.reactor.size()));
    double best = 0, delay = 0;
    while (sim.integrator.time() < sim.input.parameters.finalTime) {
        if (!sim.integrator.step())
            return -1;
        std::vector<double> y(sim.integrator.state(), sim.integrator.state() + sim.reactor.size());
        sim.reactor.rightHandSide(y.data(), ydot.data());
        if (ydot[0] > best)
            best = ydot[0], delay = sim.integrator.time();
    }
    *finalTemperature = sim.integrator.state()[0];
    return delay;
}

// Reference delays and final temperatures of the widely used open kinetics code for the same
// case (1 atm, 1200 K, to 0.1 s).
TEST(Reactor, GriMethaneIgnitionDelays) {
    double finalT = 0;
    const double constantP = ignitionDelay(griLines(1), &finalT);
    EXPECT_NEAR(constantP / 45.485e-3, 1, 0.001);
    EXPECT_NEAR(finalT, 2621.9, 0.5);
    const double constantV = ignitionDelay(griLines(3), &finalT);
    EXPECT_NEAR(constantV / 43.378e-3, 1, 0.001);
    EXPECT_NEAR(finalT, 2822.6, 0.5);
    // The same with the other linear algebra: dense LU, and GMRES preconditioned by KLU.
    for (LinearAlgebra linear : {LinearAlgebra::Dense, LinearAlgebra::Krylov}) {
        EXPECT_NEAR(ignitionDelay(griLines(1), &finalT, linear) / 45.485e-3, 1, 0.001);
        EXPECT_NEAR(finalT, 2621.9, 0.5);
    }
}

std::vector<std::string> withTolerance(std::vector<std::string> lines, const char* relative) {
    lines[21] = std::string(" ") + relative + " !Relative Tolerance";
    return lines;
}

// The delays are converged: tightening rtol from 1E-6 to 1E-8 moves them by less than 0.1 %
// (GRI-Mech 3.0 CH4/air from 1200 K, and H2/air from 1000 K with the 2012 Burke mechanism).
TEST(Reactor, IgnitionDelaysAreConvergedInTheTolerance) {
    for (const auto& lines :
         {griLines(1), fileLines(KINETRA_TEST_DATA_DIR "/burke2012-h2-air-1000K-constP.txt")}) {
        double t6 = 0, t8 = 0;
        const double coarse = ignitionDelay(withTolerance(lines, "1.E-06"), &t6);
        const double fine = ignitionDelay(withTolerance(lines, "1.E-08"), &t8);
        EXPECT_GT(coarse, 0);
        EXPECT_NEAR(coarse / fine, 1, 1e-3) << lines[34];
        EXPECT_NEAR(t6, t8, 0.5);
    }
}

// The whole run writes the output file: input lines, "!$RESULTS", the header record, records
// by the output rules, and "!$END"; failures end in an ERROR line with time and temperature.
TEST(Reactor, OutputFileAndFailures) {
    auto a = idealSpecies("A", 28), b = idealSpecies("B", 28);
    a.moleFraction = 1;
    auto run = constantT(1000, 2e-3);
    run.deltaN = 5;
    run.maximumOutputLines = 4;
    const auto lines = inputLines(
        {a, b}, {reactionRecord("A => B", {"A", "", "", "B"}, 1e3, 0, 0, "Irrev ")}, run);
    std::ostringstream out;
    const RunOutcome outcome = runSolver(readOrFail(lines), out);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.records, 4); // initial, two every five steps, final
    std::istringstream in(out.str());
    std::vector<std::string> written;
    for (std::string l; std::getline(in, l);)
        written.push_back(l);
    ASSERT_EQ(written.size(), lines.size() + 1 + 1 + 4 + 1);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), written.begin()));
    EXPECT_EQ(written[lines.size()], "!$RESULTS");
    EXPECT_EQ(written[lines.size() + 1],
              "No.             Time(s)             T(K)                A                B");
    EXPECT_EQ(written.back(), "!$END");

    run.maximumSteps = 3;
    std::ostringstream limited;
    const RunOutcome stopped = runSolver(
        readOrFail(inputLines(
            {a, b}, {reactionRecord("A => B", {"A", "", "", "B"}, 1e3, 0, 0, "Irrev ")}, run)),
        limited);
    EXPECT_FALSE(stopped.ok);
    const std::string text = limited.str();
    EXPECT_NE(text.find("\nERROR The maximum number of steps (3) was reached"), std::string::npos)
        << text;
    EXPECT_NE(text.find("temperature 1000 K"), std::string::npos);
    EXPECT_EQ(text.find("!$END"), std::string::npos);

    // An exothermic A -> B heats the gas past the allowable maximum.
    auto hot = idealSpecies("B", 28, 3.5, -3000);
    auto adiabatic = constantT(1000, 2e-3);
    adiabatic.energyEquation = true;
    adiabatic.maximumTemperature = 1500;
    std::ostringstream heated;
    const RunOutcome left =
        runSolver(readOrFail(inputLines(
                      {a, hot}, {reactionRecord("A => B", {"A", "", "", "B"}, 1e3, 0, 0, "Irrev ")},
                      adiabatic)),
                  heated);
    EXPECT_FALSE(left.ok);
    EXPECT_GT(left.finalTemperature, 1500);
    EXPECT_NE(heated.str().find("\nERROR The temperature 15"), std::string::npos) << heated.str();
    EXPECT_NE(heated.str().find("K left the allowable interval (200, 1500) at time "),
              std::string::npos);
}

// Stop (the workbench's, a SIGTERM to the program): the run ends after the step it is in, with
// that state as its last record and the reason, so that the output passes the check and reads.
TEST(Reactor, StopLeavesAReadableOutput) {
    auto a = idealSpecies("A", 28), b = idealSpecies("B", 28);
    a.moleFraction = 1;
    const auto lines =
        inputLines({a, b}, {reactionRecord("A => B", {"A", "", "", "B"}, 1e3, 0, 0, "Irrev ")},
                   constantT(1000, 2e-3));
    std::ostringstream out;
    int asked = 0;
    const RunOutcome outcome = runSolver(readOrFail(lines), out, {}, LinearAlgebra::Automatic,
                                         [&] { return ++asked == 6; });
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.records, 7); // the initial state, five steps, the state it stopped at
    const solver::OutputCheck check = solver::checkOutputText(out.str(), "o");
    EXPECT_FALSE(check.failed) << check.message;
    const solver::OutputScan scan = solver::scanOutput(out.str());
    EXPECT_TRUE(scan.failed && scan.resultsSeen);
    EXPECT_EQ(scan.errorText.rfind("ERROR The run was stopped by the user at time ", 0), 0u)
        << scan.errorText;
    const results::OutputReading reading = results::readSolverOutputText(out.str(), "o");
    ASSERT_TRUE(reading.output) << reading.message;
    EXPECT_EQ(reading.output->records.size(), 7u);
}

} // namespace
} // namespace kinetra::engine
