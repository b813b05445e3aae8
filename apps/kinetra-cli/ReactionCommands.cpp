// kinetra-cli reactions ...: reaction databases without the workbench. Each command connects the
// thermo database the way the workbench does (--thermo, or the database THERMOPath.txt of the
// application folder names), opens the reaction database with its checks and closes it again
// with the rebuild, so the file is left as the workbench would leave it.
#include "CliCommand.h"
#include "ReactionCli.h"
#include "common/FileAttributes.h"
#include "common/NumberFormat.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionDuplicates.h"
#include "reactions/ReactionRecord.h"
#include "reactions/ReactionViews.h"
#include "shell/StartupChecks.h"

#include <filesystem>
#include <ostream>

namespace kinetra::cli {

namespace fs = std::filesystem;
using namespace kinetra::reactions;

std::unique_ptr<OpenReactions> openReactions(Context& c, const std::string& path,
                                             const std::string* thermoPath, bool create,
                                             bool replace) {
    auto open = std::make_unique<OpenReactions>(c.folders);
    const std::string thermoFile = thermoPath ? *thermoPath : readThermoPathFile(c.folders);
    const thermo::ConnectOutcome outcome = open->thermo.connect(thermoFile);
    if (outcome != thermo::ConnectOutcome::Connected) {
        c.io.err << thermo::connectFailureMessage(outcome, thermoFile) << '\n';
        return nullptr;
    }
    auto species = openThermoSpecies(open->thermo, c.ui.dialogs, {});
    if (!species)
        return nullptr;
    open->species = std::move(*species);
    if (!create) {
        if (!fs::exists(path)) {
            c.io.err << "kinetra-cli: " << path << " does not exist.\n";
            return nullptr;
        }
        if (auto refusal = openRefusal(path)) {
            c.io.err << *refusal << '\n';
            return nullptr;
        }
    }
    open->database.emplace(path, ReactionFiles{c.folders.support(files::kEmptyReac),
                                               c.folders.support(files::kStartupReacCopy)});
    if (create)
        open->database->createFromTemplate(replace);
    try {
        open->database->open(open->species);
    } catch (const store::StoreError& e) {
        c.io.err << e.what() << '\n';
        return nullptr;
    }
    return open;
}

OpenReactions::OpenReactions(const AppFolders& folders)
    : thermo({folders.support(files::kEmptyThermo), {}}) {}

OpenReactions::~OpenReactions() {
    if (!database)
        return;
    // Batch work keeps what it did: no save prompt, then the rebuild and the saved copy gone.
    struct KeepChanges final : Dialogs {
        void message(const std::string&, const std::string&, Icon) override {}
        Answer ask(const std::string&, const std::string&, Buttons, Answer, Icon) override {
            return Answer::Yes;
        }
        RefusalReply refusal(const std::string&, const std::string&, const std::string&) override {
            return {};
        }
    } keep;
    database->close(keep);
}

namespace {

int usage(Context& c, const char* text) {
    c.io.err << "usage: kinetra-cli " << text << '\n';
    return 2;
}

int reactionsNew(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo"}, {"--force"}, a, c.io.err) || a.positional.size() != 1)
        return usage(c, "reactions new DB [--thermo THERMO_DB] [--force]");
    if (fs::exists(a.positional[0]) && !a.has("--force")) {
        c.io.err << "kinetra-cli: " << a.positional[0] << " exists; use --force to replace it.\n";
        return 1;
    }
    auto open = openReactions(c, a.positional[0], a.option("--thermo"), true, a.has("--force"));
    if (!open)
        return 1;
    c.io.out << "Reaction database " << a.positional[0] << " created.\n";
    return 0;
}

std::string number(const std::optional<double>& v, const char* pattern) {
    return v ? formatNumber(*v, pattern) : std::string();
}

int reactionsList(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--view", "--thermo"}, {}, a, c.io.err) || a.positional.size() != 1)
        return usage(c, "reactions list DB [--view all|valid|invalid] [--thermo THERMO_DB]");
    ReactionView view = ReactionView::All;
    if (const auto* name = a.option("--view")) {
        if (*name == "valid")
            view = ReactionView::Valid;
        else if (*name == "invalid")
            view = ReactionView::Invalid;
        else if (*name != "all")
            return usage(c, "reactions list DB --view all|valid|invalid");
    }
    auto open = openReactions(c, a.positional[0], a.option("--thermo"), false);
    if (!open)
        return 1;
    store::Connection db = open->database->connection();
    for (const ReactionRecord& r : reactionsOf(db, view)) {
        c.io.out << formatText(std::to_string(r.num), "@@@@@@") << "  "
                 << formatText(std::to_string(r.info), "@@") << "  "
                 << formatText(r.type, "!@@@@@@@@@@@@@@@@@") << "  "
                 << formatText(r.reaction, "!@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@") << " "
                 << formatText(number(r.a, "0.00E+00"), "@@@@@@@@@@") << " "
                 << formatText(number(r.n, "0.00"), "@@@@@@@@") << " "
                 << formatText(number(r.e, "0"), "@@@@@@@@@@") << '\n';
    }
    return 0;
}

int reactionsCheck(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo"}, {}, a, c.io.err) || a.positional.size() != 1)
        return usage(c, "reactions check DB [--thermo THERMO_DB]");
    auto open = openReactions(c, a.positional[0], a.option("--thermo"), false);
    if (!open)
        return 1;
    store::Connection db = open->database->connection();
    int invalid = 0;
    const std::vector<ReactionRecord> records = reactionsOf(db, ReactionView::All);
    for (const ReactionRecord& r : records) {
        if (r.info >= 0)
            continue;
        ++invalid;
        c.io.out << formatText(std::to_string(r.num), "@@@@@@") << "  " << r.reaction << "  "
                 << reactionReason(r, open->species) << '\n';
    }
    c.io.out << invalid << " of " << records.size() << " reactions are invalid.\n";
    // Each group once, under its first reaction.
    std::size_t undeclared = 0;
    for (const auto& group : undeclaredDuplicateGroups(db)) {
        c.io.out << formatText(std::to_string(group.front()), "@@@@@@") << "  "
                 << undeclaredDuplicateGroupText(group) << '\n';
        undeclared += group.size();
    }
    c.io.out << undeclared << " reactions are undeclared duplicates.\n";
    return 0;
}

} // namespace

void addReactionCommands(std::vector<Command>& commands) {
    commands.push_back({"reactions new", "DB [--thermo THERMO_DB] [--force]",
                        "create an empty reaction database", reactionsNew});
    commands.push_back({"reactions check", "DB [--thermo THERMO_DB]",
                        "list the invalid reactions with their reasons, then the undeclared "
                        "duplicates",
                        reactionsCheck});
    commands.push_back({"reactions list", "DB [--view all|valid|invalid] [--thermo THERMO_DB]",
                        "Num, Info, Type, equation, A, n and E of every reaction", reactionsList});
}

} // namespace kinetra::cli
