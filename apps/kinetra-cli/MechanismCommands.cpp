// kinetra-cli reactions import/export and mechanism import: mechanism text in and out of the
// databases without the workbench. Refused reactions are printed and skipped, questions take
// their default answer, and ErrorMsg.txt is written beside the reaction database.
#include "CliCommand.h"
#include "ReactionCli.h"
#include "common/FileAttributes.h"
#include "common/FileNames.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "reactions/MechanismFile.h"
#include "reactions/ReactionPaste.h"
#include "reactions/ReactionTextWriter.h"
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "thermo/ElementEditor.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoPaste.h"

#include <filesystem>
#include <ostream>
#include <stdexcept>

namespace kinetra::cli {

namespace {

namespace fs = std::filesystem;
using namespace kinetra::reactions;

// A thermo database made for a mechanism takes its element slots from the ELEMENTS section,
// symbols as the file writes them ("Ar" or "AR"): the species of the file then find their
// elements. A weight written in the section ("CI /13.003/", an isotope) defines its element;
// the others take the periodic table's. The template's slots stay when the section is
// missing, holds more than ten elements or names one without a weight the table does not know.
std::optional<thermo::ElementRows> seededElementSlots(const MechanismSections& sections) {
    if (sections.elements.empty() || sections.elements.size() > thermo::kElementRowCount)
        return std::nullopt;
    thermo::ElementRows rows = thermo::emptyElementRows();
    for (std::size_t i = 0; i < sections.elements.size(); ++i) {
        const std::optional<double> written =
            i < sections.elementWeights.size() ? sections.elementWeights[i] : std::nullopt;
        const std::string weight = written && *written > 0
                                       ? store::toText(store::Value(*written))
                                       : thermo::proposedWeight(sections.elements[i]);
        if (weight == "0")
            return std::nullopt;
        rows[i].symbol = sections.elements[i];
        rows[i].weight = weight;
    }
    return rows;
}

// Whether a thermo file given apart holds at least one species the reader can read (refusals
// for unknown elements count: the species are there). A file of something else would otherwise
// store every reaction as invalid without a word.
bool holdsThermoData(const std::string& text) {
    thermo::ReadOptions options;
    const thermo::CollectedText collected =
        thermo::collectSpeciesBlocks(thermo::unframeThermoFile(text, options));
    const thermo::ElementTable anyElements;
    return std::any_of(collected.blocks.begin(), collected.blocks.end(), [&](const auto& block) {
        return thermo::readSpeciesBlock(block, anyElements, options).outcome !=
               thermo::BlockOutcome::Rejected;
    });
}

// A thermo database this run created goes again when the run stores nothing: a refusal leaves
// nothing behind.
class CreatedFile {
public:
    explicit CreatedFile(fs::path path) : path_(std::move(path)) {}
    ~CreatedFile() {
        if (!path_.empty())
            deleteFileIfPresent(path_);
    }
    CreatedFile(const CreatedFile&) = delete;
    CreatedFile& operator=(const CreatedFile&) = delete;
    void keep() { path_.clear(); }

private:
    fs::path path_;
};

constexpr const char* kImportUsage =
    "reactions import DB FILE [--thermo THERMO_DB] [--after NUM] [--a-units mol-cm-sec|cm-sec] "
    "[--e-units cal/mol|kcal/mol|J/mol|kJ/mol|K] [--case no|upper|lower] [--stoich on|off]";
constexpr const char* kMechanismUsage = "mechanism import FILE --thermo THERMO_DB --reactions "
                                        "REACTIONS_DB [--thermo-file FILE] [--stoich on|off]";
constexpr const char* kExportUsage =
    "reactions export DB [--thermo THERMO_DB] [-o FILE] [--no-thermo] [--thermo-comments] "
    "[--no-reference] [--comments] [--no-brackets] [--no-blanks] [--immediate] [--force]";

int usage(Context& c, const char* text) {
    c.io.err << "usage: kinetra-cli " << text << '\n';
    return 2;
}

UnitConstants unitConstants(Context& c) {
    const auto text = readTextFile(c.folders.support(files::kOptions));
    const OptionsReadResult options = readOptionsText(text.value_or(""));
    const PhysicalConstants constants = PhysicalConstants::fromFileValues(options.values.constants);
    return {constants.avogadro, constants.gasConstantCal, constants.gasConstantJ};
}

// The position of the option's value among the names; false for a value not listed.
template <typename Names>
bool choose(const ParsedArgs& a, const char* option, const Names& names, int& chosen) {
    const std::string* value = a.option(option);
    if (!value)
        return true;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (*value == names[i]) {
            chosen = static_cast<int>(i);
            return true;
        }
    return false;
}

bool readStoich(const ParsedArgs& a, bool& stoichiometric) {
    const std::string* value = a.option("--stoich");
    if (value && *value != "on" && *value != "off")
        return false;
    stoichiometric = !value || *value == "on";
    return true;
}

std::optional<std::string> readInput(Context& c, const std::string& path) {
    auto text = readTextFile(path);
    if (!text)
        c.io.err << "kinetra-cli: cannot read " << path << '\n';
    return text;
}

int reactionsImport(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo", "--after", "--a-units", "--e-units", "--case", "--stoich"},
                   {}, a, c.io.err) ||
        a.positional.size() != 2)
        return usage(c, kImportUsage);
    static constexpr std::array<const char*, 3> kCases{"no", "upper", "lower"};
    int aUnits = 0, eUnits = 0, letterCase = 0;
    ReadingOptions options;
    if (!choose(a, "--a-units", reading_window::kAUnitNames, aUnits) ||
        !choose(a, "--e-units", reading_window::kEUnitNames, eUnits) ||
        !choose(a, "--case", kCases, letterCase) || !readStoich(a, options.stoichiometric))
        return usage(c, kImportUsage);
    options.aUnits = static_cast<ReadingOptions::AUnits>(aUnits);
    options.eUnits = static_cast<ReadingOptions::EUnits>(eUnits);
    options.letterCase = static_cast<ReadingOptions::LetterCase>(letterCase);
    std::optional<double> after;
    if (const auto* v = a.option("--after")) {
        after = parseNumber(*v);
        if (!after || *after < 0)
            return usage(c, "reactions import ... --after NUM (0 = before the first row)");
    }
    const auto text = readInput(c, a.positional[1]);
    if (!text)
        return 1;

    ReadRequest read;
    std::string note; // words of the REACTIONS line that were ignored
    if (isMechanismFile(*text)) {
        MechanismSections sections = splitMechanismFile(*text);
        if (!sections.hasReactions) {
            c.io.err << "kinetra-cli: " << a.positional[1] << " has no REACTIONS section.\n";
            return 1;
        }
        // Units given on the command line overrule the file's words; only when both are given
        // do words the reader cannot convert no longer matter.
        const bool aGiven = a.has("--a-units"), eGiven = a.has("--e-units");
        if (!aGiven || !eGiven) {
            const UnitReading units = readUnitWords(sections.unitWords);
            if (!units.refusal.empty()) {
                c.io.err << units.refusal << '\n';
                return 1;
            }
            note = ignoredWordsNote(units);
            if (!aGiven)
                options.aUnits = units.aUnits;
            if (!eGiven)
                options.eUnits = units.eUnits;
        }
        read.lines = std::move(sections.reactionLines);
        read.sourceLines = std::move(sections.reactionLineNumbers);
    } else {
        read.lines = splitReactionText(*text);
    }

    const std::string& path = a.positional[0];
    auto open = openReactions(c, path, a.option("--thermo"), !fs::exists(path));
    if (!open)
        return 1;
    store::Connection db = open->database->connection();
    if (after) {
        read.insertAfterNum = static_cast<std::int64_t>(*after);
    } else {
        read.insertAfterNum = lastReactionNum(db);
    }
    read.options = options;
    read.constants = unitConstants(c);
    read.errorFile = open->database->path().parent_path() / files::kErrorListing;
    c.dialogs.listingFile = read.errorFile.string();
    RefusalMemory memory;
    ReadResult result;
    try {
        result = readReactionText(db, open->species, read, memory, c.ui);
    } catch (const std::invalid_argument& e) {
        c.io.err << e.what() << '\n';
        return 1;
    }
    open->database->setModified();
    if (!note.empty()) {
        c.io.err << note << '\n';
        thermo::addToErrorListing(read.errorFile, note, result.errorFileWritten, c.ui.clock.now());
        result.errorFileWritten = true;
    }
    c.io.out << "Stored: " << result.inserted << '\n'
             << "Valid: " << result.inserted - result.invalid << '\n'
             << "Invalid: " << result.invalid << '\n'
             << "Refused: " << result.refused << '\n';
    if (result.errorFileWritten)
        c.io.out << "Error listing: " << read.errorFile.string() << '\n';
    return result.inserted > 0 ? 0 : 1;
}

int mechanismImport(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo", "--reactions", "--thermo-file", "--stoich"}, {}, a,
                   c.io.err) ||
        a.positional.size() != 1 || !a.has("--thermo") || !a.has("--reactions"))
        return usage(c, kMechanismUsage);
    MechanismImportRequest request;
    if (!readStoich(a, request.stoichiometric))
        return usage(c, kMechanismUsage);
    const auto text = readInput(c, a.positional[0]);
    if (!text)
        return 1;
    if (!isMechanismFile(*text)) {
        c.io.err << "kinetra-cli: " << a.positional[0]
                 << " has no ELEMENTS, SPECIES, THERMO or REACTIONS section; use reactions "
                    "import for reaction text.\n";
        return 1;
    }
    request.text = *text;
    if (const auto* file = a.option("--thermo-file")) {
        request.thermoText = readInput(c, *file);
        if (!request.thermoText)
            return 1;
        if (!holdsThermoData(*request.thermoText)) {
            c.io.err << "kinetra-cli: " << *file << " holds no thermo data.\n";
            return 1;
        }
    }

    const fs::path thermoPath = *a.option("--thermo");
    const fs::path emptyThermo = c.folders.support(files::kEmptyThermo);
    // Made whole under a temporary name, so that neither a kill nor a second import running at
    // the same moment leaves a file with the template's slots in place of the mechanism's.
    const bool created = thermo::createThermoDatabase(
        emptyThermo, thermoPath, seededElementSlots(splitMechanismFile(request.text)));
    CreatedFile createdThermo(created ? thermoPath : fs::path());
    thermo::ThermoDatabase thermo({emptyThermo, {}});
    if (const auto outcome = thermo.connect(thermoPath);
        outcome != thermo::ConnectOutcome::Connected) {
        c.io.err << thermo::connectFailureMessage(outcome, thermoPath.string(),
                                                  thermo.failureDetail())
                 << '\n';
        return 1;
    }
    request.reactionDatabase = *a.option("--reactions");
    request.reactionTemplate = c.folders.support(files::kEmptyReac);
    request.constants = unitConstants(c);
    request.errorFile = request.reactionDatabase.parent_path() / files::kErrorListing;
    c.dialogs.listingFile = request.errorFile.string();
    RefusalMemory memory;
    MechanismImportResult result;
    try {
        result = importMechanism(thermo, request, memory, c.ui);
    } catch (const std::exception& e) { // no reaction table, or a unit constant missing
        c.io.err << e.what() << '\n';
        return 1;
    }
    if (!result.refusal.empty())
        return 1; // the dialogs printed it
    c.io.out << "Species added: " << result.speciesAdded << '\n'
             << "Species kept: " << result.speciesKept << '\n'
             << "Species refused: " << result.speciesRefused << '\n'
             << "Species skipped: " << result.speciesSkipped << '\n'
             << "Reactions stored: " << result.reactionsStored << '\n'
             << "Valid: " << result.reactionsValid << '\n'
             << "Invalid: " << result.reactionsInvalid << '\n'
             << "Refused: " << result.reactionsRefused << '\n';
    if (result.errorFileWritten)
        c.io.out << "Error listing: " << request.errorFile.string() << '\n';
    const bool stored = result.speciesAdded + result.speciesKept + result.reactionsStored > 0;
    if (!stored && result.speciesRefused + result.reactionsRefused == 0 &&
        !result.thermoRefusedWhole)
        c.io.err << "kinetra-cli: " << a.positional[0]
                 << " holds no species and no reactions to import.\n";
    if (stored)
        createdThermo.keep();
    return stored ? 0 : 1;
}

int reactionsExport(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo", "-o"},
                   {"--no-thermo", "--thermo-comments", "--no-reference", "--comments",
                    "--no-brackets", "--no-blanks", "--immediate", "--force"},
                   a, c.io.err) ||
        a.positional.size() != 1)
        return usage(c, kExportUsage);
    if (const auto* file = a.option("-o"); file && !mayWrite(c, *file, a.has("--force")))
        return 1;
    MechanismOptions options;
    options.thermoSection = !a.has("--no-thermo");
    options.thermoComments = a.has("--thermo-comments");
    options.reference = !a.has("--no-reference");
    options.comments = a.has("--comments");
    options.withoutAngleBrackets = a.has("--no-brackets");
    options.withoutBlanks = a.has("--no-blanks");
    if (a.has("--immediate"))
        options.position = CoefficientPosition::AfterFormula;

    auto open = openReactions(c, a.positional[0], a.option("--thermo"), false);
    if (!open)
        return 1;
    store::Connection reactionDb = open->database->connection();
    store::Connection thermoDb = open->thermo.connection();
    markOutputSelection(reactionDb, thermoDb, ReactionView::All);
    const MechanismHeader header{c.ui.clock.now(), open->database->fileName(),
                                 open->thermo.path().string()};
    const MechanismDocument document =
        writeMechanismDocument(reactionDb, thermoDb, open->thermo.elements(), header, options);
    for (const std::string& refusal : document.refusals)
        c.io.err << refusal << '\n';
    if (const auto* file = a.option("-o")) {
        if (!saveMechanismText(*file, document.text, c.ui.dialogs))
            return 1;
        c.io.err << document.reactions << " reactions and " << document.species
                 << " species written to " << *file << '\n';
    } else {
        c.io.out << document.text;
    }
    return document.reactions > 0 ? 0 : 1;
}

} // namespace

void addMechanismCommands(std::vector<Command>& commands) {
    commands.push_back({"reactions import",
                        "DB FILE [--thermo THERMO_DB] [--after NUM] [--a-units mol-cm-sec|cm-sec] "
                        "[--e-units cal/mol|kcal/mol|J/mol|kJ/mol|K] [--case no|upper|lower] "
                        "[--stoich on|off]",
                        "read reaction text, or the REACTIONS section of a mechanism file, into "
                        "a reaction database",
                        reactionsImport});
    commands.push_back({"reactions export",
                        "DB [--thermo THERMO_DB] [-o FILE] [--no-thermo] [--thermo-comments] "
                        "[--no-reference] [--comments] [--no-brackets] [--no-blanks] "
                        "[--immediate] [--force]",
                        "write the valid reactions and their species as a mechanism document",
                        reactionsExport});
    commands.push_back({"mechanism import",
                        "FILE --thermo THERMO_DB --reactions REACTIONS_DB [--thermo-file FILE] "
                        "[--stoich on|off]",
                        "read a whole mechanism file: its species into the thermo database, its "
                        "reactions into the reaction database",
                        mechanismImport});
}

} // namespace kinetra::cli
