// kinetra-cli ignition and sweep: ignition delays of one mixture, and sweeps over temperature,
// pressure and equivalence ratio spread over cores, ssh hosts (GNU parallel) or a cluster's job
// array (Slurm). Every case runs through `sweep case`, the one case runner.
#include "CliCommand.h"
#include "StudyCli.h"
#include "charts/ChartFile.h"
#include "charts/ui/ChartPicture.h"
#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "solver/RunSettingsFiles.h"
#include "solver/SolverRun.h"
#include "studies/IgnitionCase.h"
#include "studies/ScratchFolder.h"
#include "studies/SweepCases.h"
#include "studies/SweepPlan.h"
#include "studies/SweepReport.h"
#include "studies/SweepSpread.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace kinetra::cli {

namespace {

namespace fs = std::filesystem;
using namespace kinetra::studies;

int usage(Context& c, const char* text) {
    c.io.err << "usage: kinetra-cli " << text << '\n';
    return 2;
}

std::string numberText(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

// The options of a study shared by ignition and sweep.
const std::vector<std::string> kStudyOptions{"--thermo", "--fuel", "--oxidizer", "--phi", "--T",
                                             "--P",      "--tf",   "--rtol",     "--atol"};

solver::RunSettings studySettings(const ParsedArgs& a) {
    const auto text = [&](const char* option, const char* fallback) {
        const std::string* v = a.option(option);
        return v ? *v : std::string(fallback);
    };
    return ignitionRunSettings(a.has("--constant-V"), text("--tf", "0.1"), text("--rtol", "1E-6"),
                               text("--atol", "1E-15"));
}

constexpr const char* kIgnitionUsage =
    "ignition REACTIONS_DB [--thermo THERMO_DB] --fuel \"CH4=1\" --oxidizer \"O2=1,N2=3.76\" "
    "[--phi 1] [--T 1200] [--P 1] [--constant-V] [--tf 0.1] [--rtol 1E-6] [--atol 1E-15]";

int ignition(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, kStudyOptions, {"--constant-V"}, a, c.io.err) ||
        a.positional.size() != 1 || !a.has("--fuel") || !a.has("--oxidizer"))
        return usage(c, kIgnitionUsage);
    const auto number = [&](const char* option, double fallback) -> std::optional<double> {
        const std::string* v = a.option(option);
        if (!v)
            return fallback;
        auto values = parseSweepValues(*v, option);
        if (auto* list = std::get_if<std::vector<double>>(&values); list && list->size() == 1)
            return list->front();
        c.io.err << "kinetra-cli: " << option << " needs one positive number.\n";
        return std::nullopt;
    };
    const auto phi = number("--phi", 1), t = number("--T", 1200), p = number("--P", 1);
    if (!phi || !t || !p)
        return 2;
    ScratchFolder folder("kinetra-ignition-");
    const fs::path input = folder.path() / sweep_files::kInput;
    const auto mixtures = prepareStudy(c, a.positional[0], a.option("--thermo"),
                                       *a.option("--fuel"), *a.option("--oxidizer"), {*phi}, input);
    if (!mixtures)
        return 1;
    const std::string& fractions = mixtures->fractions.front();
    c.io.out << "Mixture: " << fractions << '\n';
    const CaseRunner runner(*solver::readInputLines(input), studySettings(a),
                            c.folders.app(solver::kSolverProgram));
    solver::StreamSink console(c.io.err);
    const CaseResult r =
        runIgnitionCase(runner, {"1", *t, *p, *phi, fractions}, folder.path() / "run", console);
    if (r.status == CaseStatus::Failed) {
        c.io.err << "The run failed: " << r.reason << '\n';
        return 1;
    }
    if (r.status == CaseStatus::NoIgnition) {
        c.io.out << "No ignition before the final time " << runner.settings.finalTime
                 << " s (peak temperature " << formatNumber(r.peakTemperature, "0.0") << " K).\n"
                 << "Run time: " << formatNumber(r.seconds, "0.000") << " s\n";
        return 2;
    }
    c.io.out << "Ignition delay (largest dT/dt): " << formatNumber(r.delay, "0.00000E+00")
             << " s\n";
    if (r.ohDelay)
        c.io.out << "Ignition delay (OH peak): " << formatNumber(*r.ohDelay, "0.00000E+00")
                 << " s\n";
    c.io.out << "Peak temperature: " << formatNumber(r.peakTemperature, "0.0") << " K\n"
             << "Run time: " << formatNumber(r.seconds, "0.000") << " s\n";
    return 0;
}

// ---- Sweeps -----------------------------------------------------------------------------------

std::optional<std::vector<IgnitionCase>> readPlan(Context& c, const fs::path& sweep) {
    return readSweepPlan(sweep, c.io.err);
}

std::vector<std::optional<CaseResult>> readResults(const fs::path& sweep,
                                                   const std::vector<IgnitionCase>& cases) {
    std::vector<std::optional<CaseResult>> results;
    for (const auto& k : cases) {
        const auto text = readTextFile(caseResultPath(sweep, k.id));
        results.push_back(text ? readCaseResultText(*text) : std::nullopt);
    }
    return results;
}

std::string caseName(const IgnitionCase& k) {
    return "Case " + k.id + " (T " + numberText(k.temperature) + " K, P " + numberText(k.pressure) +
           " atm, phi " + numberText(k.phi) + ")";
}

// The CSV and the chart from every result there is; failed and missing cases are listed.
// 0 when every case ran without failing.
int gather(Context& c, const fs::path& sweep, const fs::path& csv) {
    const auto cases = readPlan(c, sweep);
    if (!cases)
        return 1;
    const auto results = readResults(sweep, *cases);
    fs::path chart = csv;
    chart.replace_extension(".pg");
    // The chart also as pictures beside it, for a report or a quick look without the workbench.
    fs::path png = chart, svg = chart;
    png.replace_extension(".png");
    svg.replace_extension(".svg");
    try {
        writeTextFile(csv, sweepCsv(*cases, results));
        const ChartContent arrhenius = arrheniusChart(*cases, results);
        writeChartFile(chart, arrhenius);
        const ui::HeadlessGui gui;
        for (const fs::path& picture : {png, svg})
            if (!ui::writeChartPicture(arrhenius, picture, 800, 600))
                throw std::runtime_error(picture.string() + " cannot be written.");
    } catch (const std::exception& e) {
        c.io.err << e.what() << '\n';
        return 1;
    }
    int ignited = 0, quiet = 0, failed = 0, missing = 0;
    for (std::size_t i = 0; i < cases->size(); ++i) {
        const auto& r = results[i];
        if (!r) {
            ++missing;
            c.io.err << caseName((*cases)[i]) << " has not run.\n";
        } else if (r->status == CaseStatus::Failed) {
            ++failed;
            c.io.err << caseName((*cases)[i]) << " failed: " << r->reason << '\n';
        } else {
            ++(r->status == CaseStatus::Ignited ? ignited : quiet);
        }
    }
    c.io.out << cases->size() << " cases: " << ignited << " ignited, " << quiet
             << " without ignition, " << failed << " failed, " << missing << " not run.\n"
             << "Table: " << csv.string() << "\nChart: " << chart.string() << " (pictures "
             << png.filename().string() << ", " << svg.filename().string() << ")\n";
    return failed + missing == 0 ? 0 : 1;
}

// Where a program of that name is found on PATH; empty when nowhere.
fs::path findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// The plan and settings of a new sweep, or the check that the folder holds this same sweep.
// False after a message.
bool writeOrMatchPlan(Context& c, const fs::path& sweep, const ParsedArgs& a,
                      const std::vector<IgnitionCase>& cases, const fs::path& freshInput) {
    const std::string settings = solver::savedSettingsText(studySettings(a));
    const std::string plan = casesText(cases);
    if (fs::exists(sweep / sweep_files::kCases)) {
        // The first line of an input file carries the time it was written; the rest must match.
        const auto lines = solver::readInputLines(sweep / sweep_files::kInput);
        const auto fresh = solver::readInputLines(freshInput);
        const bool sameInput = lines && fresh && !lines->empty() &&
                               lines->size() == fresh->size() &&
                               std::equal(lines->begin() + 1, lines->end(), fresh->begin() + 1);
        if (!sameInput || readTextFile(sweep / sweep_files::kCases) != plan ||
            readTextFile(sweep / sweep_files::kSettings) != settings) {
            c.io.err << "kinetra-cli: " << sweep.string()
                     << " holds another sweep (other cases, settings or mechanism); remove it "
                        "or name another -o.\n";
            return false;
        }
        fs::remove(freshInput);
        return true;
    }
    fs::rename(freshInput, sweep / sweep_files::kInput);
    writeTextFile(sweep / sweep_files::kSettings, settings);
    writeTextFile(sweep / sweep_files::kCases, plan);
    return true;
}

int writeSlurmScripts(Context& c, const fs::path& sweep, const fs::path& csv, const ParsedArgs& a,
                      std::size_t caseCount) {
    SlurmRequest request;
    request.runner = c.folders.app(kCaseRunnerProgram);
    request.cli = c.folders.app("kinetra-cli");
    request.workFolder = sweep.parent_path();
    request.sweepFolder = sweep.filename().string();
    request.csv = csv.string();
    request.caseCount = static_cast<int>(caseCount);
    // Clusters commonly limit an array to about a thousand tasks.
    request.casesPerTask = std::max<int>(20, static_cast<int>((caseCount + 999) / 1000));
    if (const std::string* per = a.option("--cases-per-task")) {
        const int n = std::atoi(per->c_str());
        if (n < 1)
            return usage(c, "sweep ... --slurm [--cases-per-task N] (N a whole number from 1)");
        request.casesPerTask = n;
    }
    const fs::path array = sweep / "slurm-array.sh", gatherScript = sweep / "slurm-gather.sh";
    writeTextFile(array, slurmArrayScript(request));
    writeTextFile(gatherScript, slurmGatherScript(request));
    for (const auto& script : {array, gatherScript})
        fs::permissions(script, fs::perms::owner_exec | fs::perms::group_exec,
                        fs::perm_options::add);
    c.io.out << "Slurm job array: " << array.string() << "\nGather step: " << gatherScript.string()
             << "\nSubmit with:\n  jid=$(sbatch --parsable " << shellWord(array.string())
             << ") && sbatch --dependency=afterany:$jid " << shellWord(gatherScript.string())
             << '\n';
    return 0;
}

constexpr const char* kSweepUsage =
    "sweep REACTIONS_DB [--thermo THERMO_DB] --fuel \"CH4=1\" --oxidizer \"O2=1,N2=3.76\" "
    "--T 800:1400:50 --P 1,10,40 --phi 0.5,1,2 [--constant-V] [--tf 0.1] [--rtol 1E-6] "
    "[--atol 1E-15] [--jobs N] [--sshlogin HOSTS [--remote-cli PATH]] "
    "[--slurm [--cases-per-task N]] [-o delays.csv] [--force]";

int sweepCommand(Context& c, const std::vector<std::string>& args) {
    std::vector<std::string> valued = kStudyOptions;
    valued.insert(valued.end(), {"--jobs", "--sshlogin", "--remote-cli", "--cases-per-task", "-o"});
    ParsedArgs a;
    if (!parseArgs(args, valued, {"--constant-V", "--slurm", "--force"}, a, c.io.err) ||
        a.positional.size() != 1 || !a.has("--fuel") || !a.has("--oxidizer") || !a.has("--T") ||
        (a.has("--slurm") && a.has("--sshlogin")))
        return usage(c, kSweepUsage);
    std::vector<std::vector<double>> axes;
    for (const auto& [option, fallback] :
         {std::pair{"--T", ""}, std::pair{"--P", "1"}, std::pair{"--phi", "1"}}) {
        const std::string* text = a.option(option);
        auto values = parseSweepValues(text ? *text : fallback, option);
        if (auto* reason = std::get_if<std::string>(&values)) {
            c.io.err << "kinetra-cli: " << *reason << '\n';
            return 2;
        }
        axes.push_back(std::get<std::vector<double>>(values));
    }
    const fs::path csv = fs::absolute(a.has("-o") ? *a.option("-o") : "delays.csv");
    const fs::path sweep = csv.parent_path() / (csv.stem().string() + ".sweep");
    const bool resuming = fs::exists(sweep / sweep_files::kCases);
    if (!resuming && !mayWrite(c, csv, a.has("--force")))
        return 1;
    fs::create_directories(sweep);
    const fs::path freshInput = sweep / "input.new";
    const auto mixtures =
        prepareStudy(c, a.positional[0], a.option("--thermo"), *a.option("--fuel"),
                     *a.option("--oxidizer"), axes[2], freshInput);
    if (!mixtures)
        return 1;
    const auto cases = sweepCases(axes[0], axes[1], axes[2], [&](double phi) {
        for (std::size_t i = 0; i < axes[2].size(); ++i)
            if (axes[2][i] == phi)
                return mixtures->fractions[i];
        return std::string();
    });
    if (!writeOrMatchPlan(c, sweep, a, cases, freshInput))
        return 1;
    if (a.has("--slurm"))
        return writeSlurmScripts(c, sweep, csv, a, cases.size());

    std::string pending;
    std::size_t done = 0;
    for (const auto& k : runOrder(cases)) {
        if (caseDone(sweep, k.id))
            ++done;
        else
            pending += k.id + '\n';
    }
    c.io.err << "Sweep of " << cases.size() << " cases: " << done << " done already, "
             << cases.size() - done << " to run.\n";
    if (!pending.empty()) {
        const fs::path parallel = findOnPath("parallel");
        if (parallel.empty()) {
            c.io.err << "kinetra-cli: GNU parallel was not found on PATH (Debian package "
                        "parallel).\n";
            return 1;
        }
        if (a.has("--sshlogin") && namesRemoteHosts(*a.option("--sshlogin")))
            for (const char* tool : {"ssh", "rsync"})
                if (findOnPath(tool).empty()) {
                    c.io.err << "kinetra-cli: " << tool << " was not found on PATH (Debian package "
                             << (std::string(tool) == "ssh" ? "openssh-client" : tool)
                             << "): GNU parallel needs it to send the plan to the ssh hosts and "
                                "to bring the results back.\n";
                    return 1;
                }
        const fs::path pendingList = sweep / "pending.txt";
        writeTextFile(pendingList, pending);
        ParallelRequest request;
        // The case runner lies beside kinetra-cli, on the ssh hosts as here.
        request.runner = a.has("--remote-cli") ? fs::path(*a.option("--remote-cli")).parent_path() /
                                                     kCaseRunnerProgram
                                               : c.folders.app(kCaseRunnerProgram);
        request.sweepFolder = sweep.filename().string();
        request.pendingList = (fs::path(request.sweepFolder) / "pending.txt").string();
        request.jobs = a.has("--jobs") ? *a.option("--jobs") : "100%";
        request.sshLogin = a.has("--sshlogin") ? *a.option("--sshlogin") : "";
        request.progressBar = c.io.errIsTerminal;
        // Locally a job runs several cases: parallel's own work per job and the start of the
        // case runner cost about 3 ms, as much as a small case. Two jobs per slot, the cheap hot
        // cases last (runOrder), keep every slot busy to the end. An ssh job returns the result
        // file of its one case.
        if (request.sshLogin.empty()) {
            const int asked = std::atoi(request.jobs.c_str());
            const int slotCount =
                request.jobs.find('%') == std::string::npos && asked > 0
                    ? asked
                    : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
            request.casesPerJob =
                std::clamp(static_cast<int>(cases.size() - done) / (2 * slotCount), 1, 25);
        }
        // parallel starts each job through a shell, by default the user's (bash); the case
        // runner's quoted words need none of it, and sh starts in a third of the time. A
        // shell the user chose for parallel stays.
        if (request.sshLogin.empty())
            ::setenv("PARALLEL_SHELL", "/bin/sh", 0);
        solver::StreamSink console(c.io.err);
        const solver::ProcessOutcome outcome =
            solver::runProcess(parallel, parallelArguments(request), sweep.parent_path(), console);
        if (!outcome.started) {
            c.io.err << "kinetra-cli: GNU parallel could not be started: " << outcome.error << '\n';
            return 1;
        }
    }
    return gather(c, sweep, csv);
}

constexpr const char* kCaseUsage = "sweep case SWEEP_FOLDER CASE_ID... [--keep-files]";

// The case runner, as kinetra-sweep-case runs it (the sweeps start that program: it spares the
// start of the Qt libraries).
int sweepCase(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {}, {"--keep-files"}, a, c.io.err) || a.positional.size() < 2)
        return usage(c, kCaseUsage);
    return runSweepCases(a.positional[0], {a.positional.begin() + 1, a.positional.end()},
                         c.folders.app(solver::kSolverProgram), a.has("--keep-files"), c.io.out,
                         c.io.err);
}

int sweepGather(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"-o"}, {}, a, c.io.err) || a.positional.size() != 1 || !a.has("-o"))
        return usage(c, "sweep gather SWEEP_FOLDER -o delays.csv");
    return gather(c, a.positional[0], *a.option("-o"));
}

} // namespace

void addStudyCommands(std::vector<Command>& commands) {
    commands.push_back({"ignition", std::string(kIgnitionUsage).substr(9),
                        "ignition delay, OH-peak delay and peak temperature of one mixture",
                        ignition});
    commands.push_back({"sweep", std::string(kSweepUsage).substr(6),
                        "ignition delays over temperatures, pressures and equivalence ratios, "
                        "spread with GNU parallel or written as a Slurm job array",
                        sweepCommand});
    commands.push_back({"sweep case", std::string(kCaseUsage).substr(11),
                        "run cases of a sweep, each in its own folder (the case runner)",
                        sweepCase});
    commands.push_back({"sweep gather", "SWEEP_FOLDER -o delays.csv",
                        "the CSV and the Arrhenius chart of a sweep from the results there are",
                        sweepGather});
}

} // namespace kinetra::cli
