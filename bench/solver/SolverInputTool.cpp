// kinetra-solver-input: writes a solver input file from a reaction database and its thermo
// database (as `kinetra-cli mechanism import` makes them), completed with an initial state and
// run parameters, for the solver tests and benchmarks.
//   kinetra-solver-input REACTIONS_DB THERMO_DB -o FILE --fractions "CH4=1,O2=2,N2=7.52"
//       [--T 1200] [--P 1] [--mode 1] [--tf 0.1] [--h0 1E-10] [--rtol 1E-6] [--atol 1E-15]
//       [--max-steps 99999] [--every 1] [--max-lines 9999] [--options OPTIONS.txt]
#include "common/NumberFormat.h"
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "solver/SolverInputContent.h"
#include "store/Database.h"

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

using namespace kinetra;

namespace {

std::string real(double v) {
    return formatNumber(v, "0.00####E+00");
}

} // namespace

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
            std::cerr << "species " << name << " is not in the mechanism\n";
            return 1;
        }
    }
    solver::SolverFileHeader header{{2026, 1, 1, 0, 0, 0},
                                    positional[1],
                                    positional[0],
                                    constants.gasConstantCal,
                                    constants.gasConstantCm3Atm()};
    auto lines = solver::solverInputLines(header, content.species, content.reactions);
    // The run settings' rewrite of the parameter lines.
    const int mode = std::stoi(options["--mode"]);
    const char* modeText[] = {" !Constant Temperature and Constant Pressure",
                              " !Temperature Equation and Constant Pressure",
                              " !Constant Temperature and Constant Volume",
                              " !Temperature Equation and Constant Volume"};
    lines[13] = " " + real(std::stod(options["--P"])) + " !Initial Pressure, atm";
    lines[14] = " " + std::to_string(mode) + modeText[mode & 3];
    lines[15] = " " + real(std::stod(options["--T"])) + " !Initial Temperature";
    lines[16] = " " + real(std::stod(options["--tmin"])) + " !Minimal Allowable Temperature";
    lines[17] = " " + real(std::stod(options["--tmax"])) + " !Maximal Allowable Temperature";
    lines[18] = " " + real(0) + " !Initial Time";
    lines[19] = " " + real(std::stod(options["--tf"])) + " !Final Time";
    lines[20] = " " + real(std::stod(options["--h0"])) + " !Initial Step Size";
    lines[21] = " " + real(std::stod(options["--rtol"])) + " !Relative Tolerance";
    lines[22] = " " + real(std::stod(options["--atol"])) + " !Absolute Tolerance";
    lines[23] = " " + options["--max-steps"] + " !Maximum Number of Steps";
    lines[26] = " " + options["--max-lines"] + " !Maximum Number of Output Lines";
    lines[27] = " " + options["--every"] + " !Delta N";
    std::size_t at = solver::line::kThermo;
    for (std::size_t i = 0; i < content.species.size(); ++i, at += 4)
        lines[at] = solver::speciesLines(static_cast<int>(i) + 1, content.species[i])[0];
    std::ofstream out(outPath, std::ios::binary);
    for (const auto& l : lines)
        out << l << "\r\n";
    std::cerr << content.species.size() << " species, " << content.reactions.size()
              << " reactions written to " << outPath << '\n';
    return out ? 0 : 1;
}
