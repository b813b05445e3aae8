#include "CliApp.h"

#include "ChartCli.h"
#include "CliCommand.h"
#include "ConsoleUi.h"
#include "common/PlaceError.h"
#include "common/Seams.h"
#include "shell/AppFolders.h"

#include <functional>
#include <ostream>

namespace kinetra::cli {

namespace {

// The commands of this build. The thermo and reaction subsystems add theirs here.
const std::vector<Command>& commands() {
    static const std::vector<Command> table = [] {
        std::vector<Command> all;
        addThermoCommands(all);
        addReactionCommands(all);
        addRateCommands(all);
        addMechanismCommands(all);
        addSolverCommands(all);
        addPrintCommands(all);
        addStudyCommands(all);
        addChartCommands(all);
        return all;
    }();
    return table;
}

void printHelp(std::ostream& out) {
    out << "Usage: kinetra-cli COMMAND [ARGUMENTS]\n"
           "\n"
           "Batch access to the KINETRA workbench: thermo and mechanism databases, text import\n"
           "and export, checks, tables and charts of thermo functions and rates, the solver.\n"
           "\n"
           "Options:\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n";
    if (commands().empty()) {
        out << "\nNo commands are available in this build yet.\n";
        return;
    }
    out << "\nCommands:\n";
    for (const auto& c : commands())
        out << "  " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
}

// The longest command whose words start the argument list.
const Command* findCommand(const std::vector<std::string>& args, std::size_t& used) {
    const Command* best = nullptr;
    std::size_t bestWords = 0;
    for (const auto& c : commands()) {
        std::vector<std::string> words;
        std::size_t start = 0;
        while (start <= c.name.size()) {
            auto space = c.name.find(' ', start);
            words.push_back(c.name.substr(start, space - start));
            if (space == std::string::npos)
                break;
            start = space + 1;
        }
        if (words.size() > args.size() || words.size() <= bestWords)
            continue;
        if (std::equal(words.begin(), words.end(), args.begin())) {
            best = &c;
            bestWords = words.size();
        }
    }
    used = bestWords;
    return best;
}

} // namespace

int runCli(const std::vector<std::string>& args, Streams streams, const std::string& appDir) {
    if (args.empty()) {
        printHelp(streams.err);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(streams.out);
        return 0;
    }
    if (args[0] == "--version") {
        streams.out << "kinetra-cli " << KINETRA_VERSION << '\n';
        return 0;
    }
    std::size_t used = 0;
    const Command* command = findCommand(args, used);
    if (!command) {
        streams.err << "kinetra-cli: unknown command '" << args[0]
                    << "'. Run 'kinetra-cli --help' for the list of commands.\n";
        return 2;
    }
    ConsoleDialogs dialogs(streams.err);
    MemoryClipboard clipboard;
    NoFileDialogs files;
    ConsoleProgress progress(streams.err, streams.errIsTerminal);
    SystemClock clock;
    Ui ui{dialogs, clipboard, files, progress, clock};
    Context context{streams, ui, dialogs, AppFolders::fromAppDir(appDir)};
    // Whatever a command did not foresee ends here, not in an abort: its place code (the
    // command's position in the table) and the description, exit status 1. Every write goes
    // through a transaction or a temporary file, so the failure leaves nothing half-written.
    try {
        return command->run(context, std::vector<std::string>(args.begin() + used, args.end()));
    } catch (...) {
        const auto position = static_cast<int>(command - commands().data()) + 1;
        std::string code = std::to_string(position);
        code.insert(0, code.size() < 3 ? 3 - code.size() : 0, '0');
        progress.done();
        streams.err << "CLI#" << code << ". " << describeException(std::current_exception())
                    << '\n';
        return 1;
    }
}

} // namespace kinetra::cli
