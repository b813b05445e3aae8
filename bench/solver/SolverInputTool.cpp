// kinetra-solver-input: writes a solver input file from a reaction database and its thermo
// database (as `kinetra-cli mechanism import` makes them), completed with an initial state and
// run parameters, for the solver tests and benchmarks.
//   kinetra-solver-input REACTIONS_DB THERMO_DB -o FILE --fractions "CH4=1,O2=2,N2=7.52"
//       [--T 1200] [--P 1] [--mode 1] [--tf 0.1] [--h0 1E-10] [--rtol 1E-6] [--atol 1E-15]
//       [--max-steps 99999] [--every 1] [--max-lines 9999] [--options OPTIONS.txt]
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "solver/RunParameterLines.h"
#include "solver/SolverInputContent.h"
#include "store/Database.h"
#include "store/Value.h"
#include "thermo/SpeciesRow.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

using namespace kinetra;

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options{{"--T", "1200"},
                                               {"--P", "1"},
                                               {"--mode", "1"},
                                               {"--tf", "0.1"},
                                               {"--h0", "1E-10"},
                                               {"--rtol", "1E-6"},
                                               {"--atol", "1E-15"},
                                               {"--max-steps", "99999"},
                                               {"--every", "1"},
                                               {"--max-lines", "9999"},
                                               {"--tmin", "200"},
                                               {"--tmax", "6000"},
                                               {"--options", KINETRA_OPTIONS_FILE}};
    std::string outPath, fractions;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-o" && i + 1 < argc)
            outPath = argv[++i];
        else if (a == "--fractions" && i + 1 < argc)
            fractions = argv[++i];
        else if (options.count(a) && i + 1 < argc)
            options[a] = argv[++i];
        else
            positional.push_back(a);
    }
    if (positional.size() != 2 || outPath.empty() || fractions.empty()) {
        std::cerr << "usage: kinetra-solver-input REACTIONS_DB THERMO_DB -o FILE --fractions "
                     "\"A=1,B=2\" [--T K] [--P atm] [--mode 0..3] [--tf s] [--h0 s] [--rtol r] "
                     "[--atol a] [--max-steps n] [--every n] [--max-lines n]\n";
        return 2;
    }
    std::ifstream optionsFile(options["--options"]);
    std::stringstream optionsText;
    optionsText << optionsFile.rdbuf();
    const OptionsReadResult read = readOptionsText(optionsText.str());
    if (!read.ok) {
        std::cerr << "cannot read the options file " << options["--options"] << '\n';
        return 1;
    }
    const PhysicalConstants constants = PhysicalConstants::fromFileValues(read.values.constants);

    store::Connection reactions = store::Connection::open(positional[0]);
    store::Connection thermo = store::Connection::open(positional[1]);
    solver::SolverInputContent content = solver::gatherSolverInput(reactions, thermo);
    std::stringstream list(fractions);
    std::string item;
    while (std::getline(list, item, ',')) {
        const auto eq = item.find('=');
        const std::string name = item.substr(0, eq);
        bool found = false;
        for (auto& s : content.species)
            if (s.record.name == name) {
                s.moleFraction = std::stod(item.substr(eq + 1));
                found = true;
            }
        if (!found) {
            // A diluent that no reaction names (N2 in some mechanisms) is not in the selection:
            // it joins the THERMO block from the thermo database, in name order.
            const auto rows =
                thermo.query("SELECT * FROM [Trm] WHERE Species = '" + name + "';").rows;
            if (rows.empty()) {
                std::cerr << "species " << name
                          << " is in neither the mechanism nor the thermo database\n";
                return 1;
            }
            solver::addThermoSpecies(content, rows.front());
            for (auto& s : content.species)
                if (s.record.name == name)
                    s.moleFraction = std::stod(item.substr(eq + 1));
            std::cerr << "inert " << name << " added from the thermo database\n";
        }
    }
    solver::SolverFileHeader header{{2026, 1, 1, 0, 0, 0},
                                    positional[1],
                                    positional[0],
                                    constants.gasConstantCal,
                                    constants.gasConstantCm3Atm()};
    auto lines = solver::solverInputLines(header, content.species, content.reactions);
    solver::RunParameterValues run;
    const int mode = std::stoi(options["--mode"]);
    run.energyEquation = (mode & 1) != 0;
    run.constantVolume = (mode & 2) != 0;
    run.pressure = std::stod(options["--P"]);
    run.initialTemperature = std::stod(options["--T"]);
    run.minimumTemperature = std::stod(options["--tmin"]);
    run.maximumTemperature = std::stod(options["--tmax"]);
    run.finalTime = std::stod(options["--tf"]);
    run.initialStep = std::stod(options["--h0"]);
    run.relativeTolerance = std::stod(options["--rtol"]);
    run.absoluteTolerance = std::stod(options["--atol"]);
    run.maximumSteps = std::stol(options["--max-steps"]);
    run.maximumOutputLines = std::stol(options["--max-lines"]);
    run.deltaN = std::stol(options["--every"]);
    solver::rewriteRunParameters(lines, run);
    std::vector<double> moleFractions;
    for (const auto& s : content.species)
        moleFractions.push_back(s.moleFraction);
    solver::rewriteMoleFractions(lines, moleFractions);
    std::ofstream out(outPath, std::ios::binary);
    for (const auto& l : lines)
        out << l << "\r\n";
    std::cerr << content.species.size() << " species, " << content.reactions.size()
              << " reactions written to " << outPath << '\n';
    return out ? 0 : 1;
}
