// kinetra-cli thermo ...: the thermo database without the workbench. Each command connects the
// database the way the workbench does (same checks and messages) but never changes the
// workbench's remembered thermo database.
#include "ChartCli.h"
#include "CliCommand.h"
#include "common/FileAttributes.h"
#include "common/FileNames.h"
#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "thermo/Composition.h"
#include "thermo/ConsistencyReport.h"
#include "thermo/ElementTableChange.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesCheck.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ThermoFileImport.h"
#include "thermo/ThermoPaste.h"
#include "thermo/ThermoTabulation.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

namespace kinetra::cli {

namespace {

namespace fs = std::filesystem;
using namespace kinetra::thermo;

std::unique_ptr<ThermoDatabase> connectDatabase(Context& c, const std::string& path) {
    auto db =
        std::make_unique<ThermoDatabase>(ThermoFiles{c.folders.support(files::kEmptyThermo), {}});
    const ConnectOutcome outcome = db->connect(path);
    if (outcome != ConnectOutcome::Connected) {
        c.io.err << connectFailureMessage(outcome, path) << '\n';
        return nullptr;
    }
    return db;
}

int usage(Context& c, const char* text) {
    c.io.err << "usage: kinetra-cli " << text << '\n';
    return 2;
}

int thermoNew(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {}, {"--force"}, a, c.io.err) || a.positional.size() != 1)
        return usage(c, "thermo new DB [--force]");
    const fs::path target = a.positional[0];
    if (!mayWrite(c, target, a.has("--force")))
        return 1;
    copyFileOverwrite(c.folders.support(files::kEmptyThermo), target);
    c.io.out << "THERMO database " << target.string() << " created.\n";
    return 0;
}

constexpr const char* kThermoImportUsage =
    "thermo import DB FILE [--case no|upper|lower] [--name first16|blank] [--tcom VALUE] "
    "[--after NUM] [--keep-repeats]";

int thermoImport(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--case", "--name", "--tcom", "--after"}, {"--keep-repeats"}, a,
                   c.io.err) ||
        a.positional.size() != 2)
        return usage(c, kThermoImportUsage);
    ReadOptions options;
    if (const auto* v = a.option("--case")) {
        if (*v == "upper")
            options.letterCase = ReadOptions::LetterCase::Upper;
        else if (*v == "lower")
            options.letterCase = ReadOptions::LetterCase::Lower;
        else if (*v != "no")
            return usage(c, "thermo import ... --case no|upper|lower");
    }
    if (const auto* v = a.option("--name")) {
        if (*v == "first16")
            options.nameRule = ReadOptions::NameRule::First16;
        else if (*v != "blank")
            return usage(c, "thermo import ... --name first16|blank");
    }
    if (const auto* v = a.option("--tcom")) {
        const auto tcom = parseNumber(*v);
        if (!tcom || *tcom <= 0) {
            c.io.err << "Common temperature, please enter a positive number.\n";
            return 2;
        }
        options.defaultTcom = tcom;
    }
    auto db = connectDatabase(c, a.positional[0]);
    if (!db)
        return 1;
    const auto text = readTextFile(a.positional[1]);
    if (!text) {
        c.io.err << "kinetra-cli: cannot read " << a.positional[1] << '\n';
        return 1;
    }
    store::Connection connection = db->connection();
    // The row count and the insertion after it under one write lock: a second import waits.
    store::Transaction transaction(connection);
    std::int64_t after = connection.recordCount("Trm");
    if (const auto* v = a.option("--after")) {
        const auto n = parseNumber(*v);
        if (!n || *n < 0)
            return usage(c, "thermo import ... --after NUM (0 = before the first row)");
        after = static_cast<std::int64_t>(*n);
    }
    ThermoFileRequest request;
    request.fileText = *text;
    request.afterNum = after;
    request.options = options;
    request.errorFile = db->path().parent_path() / files::kErrorListing;
    c.dialogs.listingFile = request.errorFile.string();
    request.keepRepeats = a.has("--keep-repeats");
    const ThermoFileResult imported = importThermoFile(connection, db->elements(), request, c.ui);
    const PasteResult& result = imported.paste;
    transaction.commit();
    c.io.out << "Inserted: " << result.inserted << '\n'
             << "Refused for format: " << result.rejected << '\n'
             << "Refused for unknown elements: " << result.unknownElements << '\n';
    if (!imported.repeats.empty())
        c.io.out << "Skipped repeats of a name: " << imported.repeats.size() << '\n';
    if (result.unknownOnlyByLetterCase && options.letterCase != ReadOptions::LetterCase::Upper)
        c.io.err << "The element symbols of the refused species differ from the element table "
                    "only in letter case; read them with --case upper.\n";
    if (result.errorFileWritten)
        c.io.out << "Error listing: " << request.errorFile.string() << '\n';
    return result.inserted > 0 ? 0 : 1;
}

int thermoExport(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"-o"}, {"--comments", "--force"}, a, c.io.err) ||
        a.positional.size() != 1)
        return usage(c, "thermo export DB [-o FILE] [--comments] [--force]");
    if (const auto* file = a.option("-o"); file && !mayWrite(c, *file, a.has("--force")))
        return 1;
    auto db = connectDatabase(c, a.positional[0]);
    if (!db)
        return 1;
    store::Connection connection = db->connection();
    const auto rows = speciesRows(connection, SpeciesView::Valid);
    ThermoDocumentHeader header;
    header.when = c.ui.clock.now();
    header.thermoDatabasePath = db->path().string();
    const ThermoDocument document =
        writeThermoDocument(speciesFromRows(rows), db->elements(), header, a.has("--comments"));
    for (const auto& refusal : document.refusals)
        c.io.err << refusal << '\n';
    if (const auto* file = a.option("-o")) {
        writeTextFile(*file, document.text);
        c.io.err << document.written << " species written to " << *file << '\n';
    } else {
        c.io.out << document.text;
    }
    return document.written > 0 ? 0 : 1;
}

int thermoCheck(Context& c, const std::vector<std::string>& args) {
    if (args.size() != 1)
        return usage(c, "thermo check DB");
    auto db = connectDatabase(c, args[0]);
    if (!db)
        return 1;
    store::Connection connection = db->connection();
    const auto rows = speciesRows(connection, SpeciesView::All);
    std::vector<std::string> names;
    for (const auto& row : rows.rows)
        names.push_back(store::toText(row[trm::kSpecies]));
    const std::vector<bool> duplicate = findDuplicateNames(names);
    std::vector<NumberedSpecies> numbered;
    int invalid = 0;
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const auto& row = rows.rows[i];
        const SpeciesRecord species = speciesFromRow(row);
        const std::int64_t num = store::toInteger(row[trm::kNum]).value_or(0);
        numbered.push_back({num, species});
        const std::int64_t info = store::toInteger(row[trm::kInfo]).value_or(0);
        if (info >= 0)
            continue;
        ++invalid;
        const SpeciesCheckResult check = checkSpecies(species, false);
        std::string message = check.detail.empty() ? speciesMessage(check.code) : check.detail;
        if (check.severity == 0 && duplicate[i])
            message = speciesMessage(kDuplicateName);
        c.io.out << formatText(std::to_string(num), "@@@@@@") << "  "
                 << formatText(species.name, "!@@@@@@@@@@@@@@@@") << "  "
                 << formatText(std::to_string(info), "@@@") << "  " << message << '\n';
    }
    c.io.out << invalid << " of " << rows.rows.size() << " species are invalid.\n";
    for (const auto& line : formatConsistencyReport(checkConsistency(numbered)))
        c.io.out << line << '\n';
    return 0;
}

GasConstants gasConstants(Context& c) {
    const auto text = readTextFile(c.folders.support(files::kOptions));
    const OptionsReadResult options = readOptionsText(text.value_or(""));
    const PhysicalConstants constants = PhysicalConstants::fromFileValues(options.values.constants);
    return {constants.gasConstantJ, constants.gasConstantCal};
}

// The range and units of --tmin, --tmax, --step and --units (and, for a chart, --functions)
// through the setup window's own checks; nothing after a message.
std::optional<ThermoChartSettings> chartSettingsOf(Context& c, const ParsedArgs& a) {
    ChartSetupTexts texts = ChartSetupTexts::from(ThermoChartSettings{});
    takeGridOptions(a, texts);
    if (const auto* v = a.option("--units")) {
        if (*v == "cal")
            texts.units = ThermoChartSettings::Units::Calorie;
        else if (*v != "J") {
            usage(c, "thermo ... --units J|cal");
            return std::nullopt;
        }
    }
    if (const auto* v = a.option("--functions")) {
        texts.enthalpy = texts.heatCapacity = texts.entropy = false;
        for (std::size_t start = 0; start <= v->size();) {
            const std::size_t comma = std::min(v->find(',', start), v->size());
            const std::string f = trimBlanks(std::string_view(*v).substr(start, comma - start));
            start = comma + 1;
            if (f == "H")
                texts.enthalpy = true;
            else if (f == "Cp")
                texts.heatCapacity = true;
            else if (f == "S")
                texts.entropy = true;
            else {
                usage(c, "thermo chart ... --functions H,Cp,S (any of them)");
                return std::nullopt;
            }
        }
    }
    SetupValidation setup = validateChartSetup(texts, c.ui.dialogs);
    return setup.settings;
}

// The record of the species of that name, or nothing after a message.
std::optional<SpeciesRecord> findSpecies(Context& c, ThermoDatabase& db, const std::string& name) {
    store::Connection connection = db.connection();
    const auto rows = speciesRows(connection, SpeciesView::All);
    for (const auto& row : rows.rows)
        if (store::toText(row[trm::kSpecies]) == name)
            return speciesFromRow(row);
    c.io.err << "In the thermodynamic database " << db.fileName() << ", the species " << name
             << " was not found.\n";
    return std::nullopt;
}

int thermoChart(Context& c, const std::vector<std::string>& args) {
    std::vector<std::string> valued{"--tmin", "--tmax", "--step", "--units", "--functions"};
    valued.insert(valued.end(), chartOutputOptions().begin(), chartOutputOptions().end());
    ParsedArgs a;
    if (!parseArgs(args, valued, {"--force"}, a, c.io.err) || a.positional.size() != 2)
        return usage(c, "thermo chart DB SPECIES [--tmin 300] [--tmax 4000] [--step 100] "
                        "[--units J|cal] [--functions H,Cp,S] -o FILE.pg [--png P.png] "
                        "[--svg P.svg] [--width PX] [--height PX] [--force]");
    auto settings = chartSettingsOf(c, a);
    if (!settings)
        return 2;
    const auto out = chartOutputs(c, a, true);
    if (!out)
        return 2;
    auto db = connectDatabase(c, a.positional[0]);
    if (!db)
        return 1;
    const auto species = findSpecies(c, *db, a.positional[1]);
    if (!species)
        return 1;
    const auto chart = prepareChart(*species, *settings, gasConstants(c), false, c.ui.dialogs);
    return chart ? writeChartOutputs(c, *chart, *out) : 1;
}

int thermoTable(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--tmin", "--tmax", "--step", "--units"}, {}, a, c.io.err) ||
        a.positional.size() != 2)
        return usage(c, "thermo table DB SPECIES [--tmin 300] [--tmax 4000] [--step 100] "
                        "[--units J|cal]");
    auto setup = chartSettingsOf(c, a);
    if (!setup)
        return 2;
    auto db = connectDatabase(c, a.positional[0]);
    if (!db)
        return 1;
    const auto species = findSpecies(c, *db, a.positional[1]);
    if (!species)
        return 1;
    const auto table =
        tabulate(*species, *setup, TabulationPurpose::NumericData, gasConstants(c), c.ui.dialogs);
    if (!table)
        return 1;
    NumericDataHeader header{c.ui.clock.now(), db->path().string(),
                             molecularFormula(*species, db->elements()),
                             molecularWeight(*species, db->elements())};
    c.io.out << numericDataText(*species, *table, header);
    return 0;
}

void printElements(Context& c, const ElementRows& rows) {
    c.io.out << "No  Element  El. weight\n";
    for (const auto& row : rows)
        c.io.out << formatText(std::to_string(row.num), "@@") << "  "
                 << formatText(row.symbol.empty() ? "--" : row.symbol, "!@@@@@@@") << " "
                 << row.weight << '\n';
}

int thermoElements(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {}, {"--yes"}, a, c.io.err) || a.positional.empty())
        return usage(c, "thermo elements DB [SLOT=SYMBOL[:WEIGHT] ...] [--yes]");
    auto db = connectDatabase(c, a.positional[0]);
    if (!db)
        return 1;
    ElementRows before;
    {
        store::Connection connection = db->connection();
        before = loadElementRows(connection);
    }
    if (a.positional.size() == 1) {
        printElements(c, before);
        return 0;
    }
    ElementRows rows = before;
    for (std::size_t i = 1; i < a.positional.size(); ++i) {
        const std::string& edit = a.positional[i];
        const auto equals = edit.find('=');
        const auto slot = parseNumber(edit.substr(0, equals));
        if (equals == std::string::npos || !slot || *slot < 1 || *slot > 10 ||
            *slot != static_cast<int>(*slot))
            return usage(c, "thermo elements DB SLOT=SYMBOL[:WEIGHT] (SLOT 1..10)");
        std::string symbol = edit.substr(equals + 1), weight;
        if (const auto colon = symbol.find(':'); colon != std::string::npos) {
            weight = symbol.substr(colon + 1);
            symbol.resize(colon);
        } else {
            weight = proposedWeight(symbol);
        }
        rows[static_cast<std::size_t>(*slot) - 1].symbol = symbol;
        rows[static_cast<std::size_t>(*slot) - 1].weight = weight;
    }
    c.dialogs.answerYes = a.has("--yes");
    const fs::path listing = db->path().parent_path() / files::kErrorListing;
    c.dialogs.listingFile = listing.string();
    const ElementChangeResult result = applyElementRows(*db, c.ui, before, rows, listing);
    if (!result.applied) {
        if (c.dialogs.declined > 0)
            c.io.err << "Nothing was changed: removing an element removes its species; confirm "
                        "with --yes.\n";
        return 1;
    }
    {
        store::Connection connection = db->connection();
        printElements(c, loadElementRows(connection));
    }
    c.io.out << result.kept << " species kept, " << result.removed << " removed.\n";
    if (result.removed > 0)
        c.io.out << "Error listing: " << listing.string() << '\n';
    return 0;
}

} // namespace

void addThermoCommands(std::vector<Command>& commands) {
    commands.push_back(
        {"thermo new", "DB [--force]", "create an empty thermo database", thermoNew});
    commands.push_back({"thermo import",
                        "DB FILE [--case no|upper|lower] [--name first16|blank] [--tcom VALUE] "
                        "[--after NUM] [--keep-repeats]",
                        "read four-line thermo text or a whole thermo file into a database; the "
                        "first record of a name is read, later ones are skipped and listed "
                        "(--keep-repeats stores them as duplicates)",
                        thermoImport});
    commands.push_back({"thermo export", "DB [-o FILE] [--comments] [--force]",
                        "write the valid species as a thermo document", thermoExport});
    commands.push_back({"thermo check", "DB",
                        "list invalid species, then polynomials that jump at Tcom or give "
                        "negative Cp",
                        thermoCheck});
    commands.push_back({"thermo table",
                        "DB SPECIES [--tmin 300] [--tmax 4000] [--step 100] "
                        "[--units J|cal]",
                        "tabulate H, Cp and S of one species", thermoTable});
    commands.push_back({"thermo chart",
                        "DB SPECIES [--tmin --tmax --step --units J|cal --functions H,Cp,S] -o "
                        "FILE.pg [--png P.png] [--svg P.svg] [--width PX --height PX] [--force]",
                        "the chart of a species' functions as a chart file and pictures",
                        thermoChart});
    commands.push_back({"thermo elements", "DB [SLOT=SYMBOL[:WEIGHT] ...] [--yes]",
                        "show the ten element slots, or change them (--yes confirms removals)",
                        thermoElements});
}

} // namespace kinetra::cli
