// kinetra-cli reactions rates: the numeric-data document of one reaction's rate and equilibrium
// constants, as the reaction window's "Numeric Data of Current Reaction" writes it, with the
// fall-off constant at a pressure as an extra column on request.
#include "ChartCli.h"
#include "CliCommand.h"
#include "ReactionCli.h"
#include "common/FileNames.h"
#include "common/PlaceError.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "reactions/MechanismComparison.h"
#include "reactions/RateChartBuffer.h"
#include "reactions/RateTabulation.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ReactionViews.h"
#include "reactions/ThermoRecordIndex.h"
#include "shell/OptionsFile.h"
#include "shell/PhysicalConstants.h"
#include "shell/StartupChecks.h"
#include "store/Schema.h"

#include <ostream>

namespace kinetra::cli {

using namespace kinetra::reactions;

namespace {

constexpr const char* kRatesUsage =
    "reactions rates DB NUM [--thermo THERMO_DB] [--tmin 300] [--tmax 4000] [--step 100] "
    "[--pressure ATM]";

RateConstants rateConstants(Context& c) {
    const auto text = readTextFile(c.folders.support(files::kOptions));
    const OptionsReadResult options = readOptionsText(text.value_or(""));
    const PhysicalConstants pc = PhysicalConstants::fromFileValues(options.values.constants);
    return {pc.gasConstantCal, pc.gasConstantJ, pc.gasConstantCm3Atm()};
}

// The temperature grid of --tmin, --tmax and --step through the setup window's checks.
std::optional<RatePlotSettings> rateSettingsOf(Context& c, const ParsedArgs& a) {
    RateSetupTexts texts = RateSetupTexts::from(RatePlotSettings{});
    takeGridOptions(a, texts);
    return validateRateSetup(texts, c.ui.dialogs).settings;
}

// The record numbered `number` in the reaction database, or nothing after a message.
std::optional<ReactionRecord> findReaction(Context& c, OpenReactions& open,
                                           const std::string& number) {
    const std::optional<double> num = parseNumber(number);
    store::Connection db = open.database->connection();
    for (ReactionRecord& r : reactionsOf(db, ReactionView::All))
        if (num && static_cast<double>(r.num) == *num)
            return std::move(r);
    c.io.err << "In the reaction database " << open.database->fileName() << ", the reaction number "
             << number << " was not found.\n";
    return std::nullopt;
}

constexpr const char* kRateChartArgs =
    "DB NUM [--thermo THERMO_DB] [--tmin 300] [--tmax 4000] [--step 100] -o FILE.pg [--png "
    "P.png] [--svg P.svg] [--width PX] [--height PX] [--force]";

int reactionsChart(Context& c, const std::vector<std::string>& args) {
    std::vector<std::string> valued{"--thermo", "--tmin", "--tmax", "--step"};
    valued.insert(valued.end(), chartOutputOptions().begin(), chartOutputOptions().end());
    ParsedArgs a;
    if (!parseArgs(args, valued, {"--force"}, a, c.io.err) || a.positional.size() != 2) {
        c.io.err << "usage: kinetra-cli reactions chart " << kRateChartArgs << '\n';
        return 2;
    }
    auto settings = rateSettingsOf(c, a);
    const auto out = settings ? chartOutputs(c, a, true) : std::nullopt;
    if (!out)
        return 2;
    auto open = openReactions(c, a.positional[0], a.option("--thermo"), false);
    if (!open)
        return 1;
    const auto record = findReaction(c, *open, a.positional[1]);
    if (!record)
        return 1;
    std::optional<ChartHandOver> chart;
    const bool ran = guarded(c.ui.dialogs, kRateTablePlaceCode, [&] {
        chart = rateChartOf(*record, *settings, rateConstants(c), open->thermo, false, c.ui.dialogs)
                    .chart;
    });
    return ran && chart ? writeChartOutputs(c, *chart, *out) : 1;
}

int reactionsRates(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo", "--tmin", "--tmax", "--step", "--pressure"}, {}, a,
                   c.io.err) ||
        a.positional.size() != 2) {
        c.io.err << "usage: kinetra-cli " << kRatesUsage << '\n';
        return 2;
    }
    std::optional<double> pressure;
    if (const auto* p = a.option("--pressure")) {
        pressure = parseNumber(*p);
        if (!pressure || *pressure <= 0) {
            c.io.err << "kinetra-cli: the pressure must be a positive number of atm.\n";
            return 2;
        }
    }
    auto settings = rateSettingsOf(c, a);
    if (!settings)
        return 2;
    auto open = openReactions(c, a.positional[0], a.option("--thermo"), false);
    if (!open)
        return 1;
    const auto record = findReaction(c, *open, a.positional[1]);
    if (!record)
        return 1;
    std::optional<std::string> text;
    const bool ran = guarded(c.ui.dialogs, kRateTablePlaceCode, [&] {
        store::Connection thermoDb = open->thermo.connection();
        const ThermoRecordIndex thermo = ThermoRecordIndex::load(thermoDb);
        const RateConstants constants = rateConstants(c);
        RateTableResult result = plotArrRow(*record, *settings, RateOutput::NumericData,
                                            thermo.lookup(), constants, c.ui.dialogs);
        if (!result.table)
            return;
        if (pressure && !addFalloffColumn(*record, *pressure, constants, *result.table))
            c.io.err << "kinetra-cli: reaction " << record->num
                     << " is not a fall-off reaction; no column for the pressure.\n";
        text = rateNumericDataText(
            *record, *result.table,
            {c.ui.clock.now(), open->thermo.path().string(), open->database->fileName()});
    });
    if (!ran || !text)
        return 1;
    c.io.out << *text;
    return 0;
}

// Opens a database only to read it: the comparison changes nothing, so neither file is checked
// or rebuilt the way the reaction window leaves it. A file that is not what it should be is
// refused by its schema before any row is read.
std::optional<store::Connection> openForReading(Context& c, const std::string& path,
                                                const store::TableSchema& schema) {
    try {
        if (!std::filesystem::is_regular_file(path)) {
            c.io.err << "kinetra-cli: " << path << " does not exist.\n";
            return std::nullopt;
        }
        store::Connection db = store::Connection::open(path, store::OpenMode::ReadOnly);
        if (const std::string wrong = db.schemaMismatch(schema); !wrong.empty()) {
            c.io.err << "kinetra-cli: " << path << ": " << wrong << '\n';
            return std::nullopt;
        }
        return db;
    } catch (const store::StoreError& e) {
        c.io.err << "kinetra-cli: " << path << ": " << e.what() << '\n';
        return std::nullopt;
    }
}

constexpr const char* kCompareUsage =
    "reactions compare A.mdb B.mdb --thermo THERMO_DB [--factor 2] [--tmin 500] [--tmax 2500] "
    "[--csv]";

int reactionsCompare(Context& c, const std::vector<std::string>& args) {
    ParsedArgs a;
    if (!parseArgs(args, {"--thermo", "--factor", "--tmin", "--tmax"}, {"--csv"}, a, c.io.err) ||
        a.positional.size() != 2) {
        c.io.err << "usage: kinetra-cli " << kCompareUsage << '\n';
        return 2;
    }
    ComparisonSettings settings;
    for (auto [name, value] : {std::pair{"--factor", &settings.factor},
                               {"--tmin", &settings.tmin},
                               {"--tmax", &settings.tmax}})
        if (const auto* text = a.option(name)) {
            const std::optional<double> v = parseNumber(*text);
            if (!v) {
                c.io.err << "kinetra-cli: " << name << " needs a number.\n";
                return 2;
            }
            *value = *v;
        }
    if (!(settings.factor > 1) || !(settings.tmin > 0) || !(settings.tmax > settings.tmin)) {
        c.io.err << "kinetra-cli: the factor must be above 1 and the range positive and "
                    "increasing.\n";
        return 2;
    }
    const std::string thermoPath =
        a.option("--thermo") ? *a.option("--thermo") : readThermoPathFile(c.folders);
    std::vector<ReactionRecord> mechanisms[2];
    for (int i = 0; i < 2; ++i) {
        if (auto refusal = openRefusal(a.positional[static_cast<std::size_t>(i)])) {
            c.io.err << *refusal << '\n';
            return 1;
        }
        auto db =
            openForReading(c, a.positional[static_cast<std::size_t>(i)], store::reactionsSchema());
        if (!db)
            return 1;
        mechanisms[i] = reactionsOf(*db, ReactionView::All);
    }
    auto thermoDb = openForReading(c, thermoPath, store::trmSchema());
    if (!thermoDb)
        return 1;
    const ThermoRecordIndex thermo = ThermoRecordIndex::load(*thermoDb);
    const MechanismComparison result = compareMechanisms(mechanisms[0], mechanisms[1], settings,
                                                         thermo.lookup(), rateConstants(c));
    if (a.has("--csv"))
        c.io.out << comparisonCsv(result);
    else
        c.io.out << comparisonText(result, settings, {a.positional[0], a.positional[1]});
    return 0;
}

} // namespace

void addRateCommands(std::vector<Command>& commands) {
    commands.push_back({"reactions rates",
                        "DB NUM [--thermo THERMO_DB] [--tmin 300] [--tmax 4000] [--step 100] "
                        "[--pressure ATM]",
                        "the numeric data of the rate and equilibrium constants of the reaction "
                        "NUM; --pressure adds the fall-off constant at that pressure",
                        reactionsRates});
    commands.push_back({"reactions chart", kRateChartArgs,
                        "the rate chart of a reaction as a chart file and pictures",
                        reactionsChart});
    commands.push_back({"reactions compare",
                        "A.mdb B.mdb --thermo THERMO_DB [--factor 2] [--tmin 500] [--tmax 2500] "
                        "[--csv]",
                        "pair the reactions of two databases by their species and list those "
                        "only in one, those whose forward rate constants differ by more than "
                        "the factor, and changed fall-off, third-body or reversibility data",
                        reactionsCompare});
}

} // namespace kinetra::cli
