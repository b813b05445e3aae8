// kinetra-cli solver-file, run and results: the solver link without the workbench. The run
// settings, the solver run and the post-processor's reading are the window's own models, so the
// messages and files are the same as in the workbench.
#include "CliCommand.h"
#include "ReactionCli.h"
#include "common/FileNames.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "results/MeanParameters.h"
#include "results/ResultActions.h"
#include "results/ResultProfiles.h"
#include "results/SolverOutput.h"
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "solver/NewSolverFile.h"
#include "solver/RunSettingsFiles.h"
#include "solver/SolverRun.h"

#include <charconv>
#include <filesystem>
#include <ostream>

namespace kinetra::cli {

namespace {

namespace fs = std::filesystem;

int usage(Context& c, const char* text) {
    c.io.err << "usage: kinetra-cli " << text << '\n';
    return 2;
}

constexpr const char* kSolverFileUsage =
    "solver-file REACTIONS_DB [--thermo THERMO_DB] -o FILE [--force]";

int solverFile(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo", "-o"}, {"--force"}, a, c.io.err) ||
        a.positional.size() != 1 || !a.has("-o"))
        return usage(c, kSolverFileUsage);
    const fs::path target = *a.option("-o");
    if (!mayWrite(c, target, a.has("--force")))
        return 1;
    auto open = openReactions(c, a.positional[0], a.option("--thermo"), false);
    if (!open)
        return 1;
    store::Connection reactions = open->database->connection();
    store::Connection thermo = open->thermo.connection();
    solver::SolverInputContent content = solver::gatherSolverInput(reactions, thermo);
    solver::addBathGases(content, thermo);
    const PhysicalConstants constants = physicalConstants(c);
    solver::NewSolverFileRequest request;
    request.target = target;
    request.thermoDatabasePath = open->thermo.path().string();
    request.reactionDatabasePath = open->database->path().string();
    request.gasConstantCal = constants.gasConstantCal;
    request.gasConstantCm3 = constants.gasConstantCm3Atm();
    request.when = c.ui.clock.now();
    const solver::NewSolverFileResult result = solver::writeNewSolverFile(content, request);
    (result.failed ? c.io.err : c.io.out) << result.message << '\n';
    return result.failed ? 1 : 0;
}

constexpr const char* kRunUsage =
    "run INPUT --fractions \"H2=2,O2=1,N2=3.76\" [--T 1000] [--P 1] [--energy|--constant-T] "
    "[--constant-P|--constant-V] [--t0 0] [--tf 1] [--h0 1E-10] [--rtol 1E-6] [--atol 1E-15] "
    "[--max-steps 1000] [--every 1] [--max-lines 1000] [--tmin 200] [--tmax 6000] "
    "[--solver PATH]";

// "H2=2,O2=1" into the species' fraction texts; false (with a message) for a name the input
// file does not list or an item without "=".
bool setFractions(Context& c, const std::string& list, solver::RunSettings& settings) {
    std::size_t from = 0;
    while (from <= list.size()) {
        std::size_t end = list.find(',', from);
        if (end == std::string::npos)
            end = list.size();
        const std::string item = list.substr(from, end - from);
        from = end + 1;
        if (item.empty())
            continue;
        const auto eq = item.find('=');
        if (eq == std::string::npos) {
            c.io.err << "kinetra-cli: '" << item << "' is not NAME=FRACTION.\n";
            return false;
        }
        const std::string name = item.substr(0, eq);
        bool found = false;
        for (auto& s : settings.species)
            if (s.name == name) {
                s.fraction = item.substr(eq + 1);
                found = true;
            }
        if (!found) {
            c.io.err << "kinetra-cli: the species " << name << " is not in the input file.\n";
            return false;
        }
    }
    return true;
}

int run(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args,
                   {"--fractions", "--T", "--P", "--t0", "--tf", "--h0", "--rtol", "--atol",
                    "--max-steps", "--every", "--max-lines", "--tmin", "--tmax", "--solver"},
                   {"--energy", "--constant-T", "--constant-P", "--constant-V"}, a, c.io.err) ||
        a.positional.size() != 1 || !a.has("--fractions") ||
        (a.has("--energy") && a.has("--constant-T")) ||
        (a.has("--constant-P") && a.has("--constant-V")))
        return usage(c, kRunUsage);
    const fs::path input = fs::absolute(a.positional[0]);
    const auto lines = solver::readInputLines(input);
    const auto summary = lines ? solver::summariseInputFile(*lines) : std::nullopt;
    if (!summary) {
        c.io.err << "kinetra-cli: " << input.string() << " is not a solver input file.\n";
        return 1;
    }
    solver::RunSettings settings;
    settings.species = summary->species;
    settings.clearFractions();
    const std::vector<std::pair<const char*, std::string*>> texts{
        {"--T", &settings.initialTemperature},    {"--P", &settings.pressure},
        {"--t0", &settings.initialTime},          {"--tf", &settings.finalTime},
        {"--h0", &settings.initialStep},          {"--rtol", &settings.relativeTolerance},
        {"--atol", &settings.absoluteTolerance},  {"--max-steps", &settings.maximumSteps},
        {"--every", &settings.outputStride},      {"--max-lines", &settings.maximumOutputLines},
        {"--tmin", &settings.minimumTemperature}, {"--tmax", &settings.maximumTemperature}};
    for (const auto& [option, text] : texts)
        if (const std::string* value = a.option(option))
            *text = *value;
    settings.energyEquation = !a.has("--constant-T");
    settings.constantVolume = a.has("--constant-V");
    if (!setFractions(c, *a.option("--fractions"), settings))
        return 1;
    const solver::RunSettingsCheck check = solver::validateRunSettings(settings);
    if (check.refusal) {
        c.io.err << check.refusal->message << '\n';
        return 1;
    }
    if (const std::string warning = solver::missingThermoWarning(summary->withoutThermo);
        !warning.empty())
        c.io.err << warning << '\n';

    // The solver runs in its own folder and reads the hand-over file there: by default the
    // application folder's KINETRA_SOLVER_5.
    const fs::path program = a.has("--solver") ? fs::absolute(*a.option("--solver"))
                                               : c.folders.app(solver::kSolverProgram);
    const fs::path folder = program.parent_path();
    try {
        solver::writeRunInput(input, *lines, *check.values, folder);
    } catch (const std::exception& e) {
        c.io.err << e.what() << '\n';
        return 1;
    }
    solver::StreamSink console(c.io.err);
    const std::optional<solver::SolverRunResult> reported =
        solver::runSolverReported(folder, console, c.dialogs, program);
    if (!reported)
        return 1;
    const solver::SolverRunResult& result = *reported;
    std::ostream& report = result.report.success ? c.io.out : c.io.err;
    std::string message = result.report.message;
    // A batch run cannot answer "Show the output data?": the output path follows instead.
    if (const auto q = message.find("\n\nShow the output data?"); q != std::string::npos)
        message.erase(q);
    report << message << (message.empty() || message.back() == '\n' ? "" : "\n");
    if (!result.outputPath.empty())
        c.io.out << result.outputPath.string() << '\n';
    return result.report.success ? 0 : 1;
}

constexpr const char* kResultsUsage =
    "results OUTPUT [--csv] [--mole-fractions|--concentrations] [--units J|cal]";

void appendNumber(std::string& out, double v) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    out.append(buffer, end);
}

std::string csvText(const results::SolverOutput& output,
                    const std::vector<results::MeanParameters>& means,
                    const results::PlotSettings& s) {
    using results::MeanQuantity;
    std::string text = "Time (sec)";
    for (const MeanQuantity q : results::kNumericTableOrder)
        text += "," + csvField(results::numericHeading(q, s.concentrationUnit, s.energyUnit));
    for (const auto& sp : output.species)
        text += "," + csvField(sp.name);
    text += "\n";
    text.reserve(text.size() + means.size() * (output.species.size() + 9) * 24);
    for (std::size_t r = 0; r < means.size(); ++r) {
        appendNumber(text, output.records[r][0]);
        for (const MeanQuantity q : results::kNumericTableOrder) {
            text += ',';
            appendNumber(text, results::meanQuantityValue(means[r], q));
        }
        for (std::size_t i = 0; i < output.species.size(); ++i) {
            text += ',';
            appendNumber(text, results::speciesValue(means[r], i, s.concentrations));
        }
        text += '\n';
    }
    return text;
}

int resultsCommand(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--units"}, {"--csv", "--mole-fractions", "--concentrations"}, a,
                   c.io.err) ||
        a.positional.size() != 1 || (a.has("--mole-fractions") && a.has("--concentrations")))
        return usage(c, kResultsUsage);
    results::PlotSettings settings;
    settings.concentrations = a.has("--concentrations");
    if (const std::string* units = a.option("--units")) {
        if (*units != "J" && *units != "cal")
            return usage(c, kResultsUsage);
        settings.energyUnit =
            *units == "J" ? results::EnergyUnit::Joule : results::EnergyUnit::Calorie;
    }
    const std::string path = a.positional[0];
    const std::optional<results::SolverOutput> output = results::openResults(path, c.dialogs);
    if (!output)
        return 1;
    const PhysicalConstants pc = physicalConstants(c);
    const results::UnitConstants constants{pc.gasConstantJ, pc.gasConstantCal, pc.avogadro};
    const bool done = guarded(c.dialogs, results::kNumericDataPlaceCode, [&] {
        const auto means = results::meanParameters(*output, settings.concentrationUnit,
                                                   settings.energyUnit, constants);
        if (a.has("--csv")) {
            c.io.out << csvText(*output, means, settings);
            return;
        }
        std::vector<results::ResultRow> rows;
        for (const results::MeanQuantity q : results::kNumericTableOrder)
            rows.push_back({q, 0});
        for (std::size_t i = 0; i < output->species.size(); ++i)
            rows.push_back({std::nullopt, i});
        c.io.out << results::numericDataText(*output, means, rows, settings, path,
                                             c.ui.clock.now());
    });
    return done ? 0 : 1;
}

} // namespace

PhysicalConstants physicalConstants(Context& c) {
    const auto text = readTextFile(c.folders.support(files::kOptions));
    const OptionsReadResult options = readOptionsText(text.value_or(""));
    return PhysicalConstants::fromFileValues(options.values.constants);
}

void addSolverCommands(std::vector<Command>& commands) {
    commands.push_back({"solver-file", "REACTIONS_DB [--thermo THERMO_DB] -o FILE [--force]",
                        "write the solver input file for the valid reactions", solverFile});
    commands.push_back({"run", std::string(kRunUsage).substr(4),
                        "complete a solver input file with the run settings and run the solver",
                        run});
    commands.push_back({"results", std::string(kResultsUsage).substr(8),
                        "mean parameters and species of every record of a solver output",
                        resultsCommand});
}

} // namespace kinetra::cli
