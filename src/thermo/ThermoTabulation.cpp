#include "thermo/ThermoTabulation.h"

#include "common/NumberFormat.h"
#include "common/TemperatureGrid.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "thermo/ThermoFunctions.h"

#include <cmath>
#include <stdexcept>

namespace kinetra::thermo {

namespace {

constexpr const char* kTitle = "KINETRA";
constexpr const char* kCrLf = "\r\n";

// Far beyond any useful chart or table, but small enough that a mistyped step (1E-9) fails with
// a message instead of exhausting memory.

using Units = ThermoChartSettings::Units;

enum class Function { Enthalpy, HeatCapacity, Entropy };

std::string functionLabel(Function f, Units units) {
    const bool joule = units == Units::Joule;
    switch (f) {
    case Function::Enthalpy:
        return joule ? "H (kJ/mol)" : "H (kcal/mol)";
    case Function::HeatCapacity:
        return joule ? "Cp (J/K mol)" : "Cp (cal/K mol)";
    case Function::Entropy:
        return joule ? "S (J/K mol)" : "S (cal/K mol)";
    }
    return {};
}

double convert(Function f, const ThermoValues& v, double T, double gasConstant) {
    switch (f) {
    case Function::Enthalpy:
        return enthalpyKiloPerMol(v.hOverRT, T, gasConstant);
    case Function::HeatCapacity:
        return perKelvinPerMol(v.cpOverR, gasConstant);
    case Function::Entropy:
        return perKelvinPerMol(v.sOverR, gasConstant);
    }
    return kMissingPoint;
}

std::optional<double> positive(const std::string& text) {
    std::optional<double> value = parseNumber(text);
    if (value && *value > 0)
        return value;
    return std::nullopt;
}

SetupValidation refuse(Dialogs& dialogs, const std::string& text, SetupField focus) {
    dialogs.message(text, kTitle, Icon::Exclamation);
    SetupValidation result;
    result.focus = focus;
    return result;
}

std::size_t pointCount(ThermoChartSettings& settings) {
    return temperatureGridCount(settings.tmin, settings.tmax, settings.step,
                                GridRounding::HalfAwayFromZero);
}

std::string lineBreakJoined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + kCrLf;
    return text;
}

} // namespace

std::array<std::string, 3> checkBoxCaptions(Units units) {
    if (units == Units::Calorie)
        return {"H, Enthalpy (kcal/mol)", "Cp, Heat Capacity (cal/K mol)",
                "S, Entropy (cal/K mol)"};
    return {"H, Enthalpy (kJ/mol)", "Cp, Heat Capacity (J/K mol)", "S, Entropy (J/K mol)"};
}

ChartSetupTexts ChartSetupTexts::from(const ThermoChartSettings& settings) {
    ChartSetupTexts t;
    // "0.#########" rather than the shortest form: the boxes must never show an exponent the
    // user did not type, and a stored step of Max - Min may carry binary noise.
    t.min = formatNumber(settings.tmin, "0.#########");
    t.max = formatNumber(settings.tmax, "0.#########");
    t.step = formatNumber(settings.step, "0.#########");
    for (std::string* s : {&t.min, &t.max, &t.step})
        if (!s->empty() && s->back() == '.')
            s->pop_back();
    t.enthalpy = settings.enthalpy;
    t.heatCapacity = settings.heatCapacity;
    t.entropy = settings.entropy;
    t.units = settings.units;
    return t;
}

SetupValidation validateChartSetup(const ChartSetupTexts& texts, Dialogs& dialogs) {
    if (!texts.enthalpy && !texts.heatCapacity && !texts.entropy)
        return refuse(dialogs, "Check functions you want to plot.", SetupField::Functions);
    const std::optional<double> min = positive(texts.min);
    if (!min)
        return refuse(dialogs, "Please enter a positive 'Min' value.", SetupField::Min);
    const std::optional<double> max = positive(texts.max);
    if (!max)
        return refuse(dialogs, "Please enter a positive 'Max' value.", SetupField::Max);
    const std::optional<double> step = positive(texts.step);
    if (!step)
        return refuse(dialogs, "Please enter a positive 'Step' value.", SetupField::Step);
    if (*min > *max)
        return refuse(dialogs, "The Min value is greater than the Max value. Enter correct values.",
                      SetupField::Min);
    if (*step > *max - *min)
        return refuse(dialogs,
                      "The number of points is zero. Check up the Min, Max and Step values.",
                      SetupField::Step);
    ThermoChartSettings s;
    s.tmin = *min;
    s.tmax = *max;
    s.step = *step;
    s.enthalpy = texts.enthalpy;
    s.heatCapacity = texts.heatCapacity;
    s.entropy = texts.entropy;
    s.units = texts.units;
    SetupValidation result;
    result.settings = s;
    return result;
}

std::optional<Tabulation> tabulate(const SpeciesRecord& species, ThermoChartSettings& settings,
                                   TabulationPurpose purpose, const GasConstants& gas,
                                   Dialogs& dialogs) {
    const bool all = purpose == TabulationPurpose::NumericData;
    std::vector<Function> functions;
    if (all || settings.enthalpy)
        functions.push_back(Function::Enthalpy);
    if (all || settings.heatCapacity)
        functions.push_back(Function::HeatCapacity);
    if (all || settings.entropy)
        functions.push_back(Function::Entropy);
    if (functions.empty()) {
        dialogs.message("No data to plot.", kTitle, Icon::Exclamation);
        return std::nullopt;
    }

    const std::size_t n = pointCount(settings);
    const double gasConstant = settings.units == Units::Joule ? gas.joule : gas.calorie;
    // A species without a common temperature is evaluated with its upper set throughout.
    const double tcom = species.tcom.value_or(0);

    Tabulation table;
    table.temperatures.reserve(n);
    for (Function f : functions)
        table.columns.push_back({functionLabel(f, settings.units), {}});
    bool anyPoint = false;
    for (std::size_t i = 0; i < n; ++i) {
        // Multiplied, not accumulated, so the last point lands on Max without drift.
        const double T = settings.tmin + static_cast<double>(i) * settings.step;
        table.temperatures.push_back(T);
        const ThermoValues v = thermoFunctions(species.coefficients, T, tcom);
        anyPoint = anyPoint || v.ok;
        for (std::size_t c = 0; c < functions.size(); ++c)
            table.columns[c].values.push_back(v.ok ? convert(functions[c], v, T, gasConstant)
                                                   : kMissingPoint);
    }
    if (!anyPoint) {
        dialogs.message(std::string("The thermodynamic functions of current species were not "
                                    "specified. ") +
                            (all ? "Numeric data cannot be created." : "Plot cannot be created."),
                        kTitle, Icon::Exclamation);
        return std::nullopt;
    }
    return table;
}

std::optional<ChartHandOver> prepareChart(const SpeciesRecord& species,
                                          ThermoChartSettings& settings, const GasConstants& gas,
                                          bool addToExisting, Dialogs& dialogs) {
    std::optional<Tabulation> table =
        tabulate(species, settings, TabulationPurpose::Chart, gas, dialogs);
    if (!table)
        return std::nullopt;
    ChartHandOver chart;
    chart.title = species.name;
    chart.x = std::move(table->temperatures);
    for (FunctionColumn& column : table->columns)
        chart.subsets.push_back({std::move(column.label), std::move(column.values)});
    chart.addToExisting = addToExisting;
    return chart;
}

std::string numericDataCaption(const std::string& speciesName) {
    return speciesName + "  Numeric Data";
}

std::string numericDataText(const SpeciesRecord& species, const Tabulation& table,
                            const NumericDataHeader& header) {
    constexpr std::string_view kTemperatureField = "@@@@@@@@@@";  // 10
    constexpr std::string_view kValueField = "@@@@@@@@@@@@@@@@@"; // 17
    std::vector<std::string> lines;
    lines.push_back("  Kinetra,  " + formatDate(header.when, "mmm d yyyy") + ",  " +
                    formatDate(header.when, "hh:nn:ss"));
    lines.push_back("  Thermodynamic Database:  " + header.databasePath);
    lines.push_back("  Species: " + species.name + ",  Molecular Formula: " + header.formula +
                    ",  Molecular Weight: " + formatNumber(header.molecularWeight, "0.#####"));
    std::string heading = formatText("T(K)", kTemperatureField);
    for (const FunctionColumn& column : table.columns)
        heading += formatText(column.label, kValueField);
    lines.push_back(std::move(heading));
    for (std::size_t i = 0; i < table.temperatures.size(); ++i) {
        std::string row =
            formatText(formatNumber(table.temperatures[i], "0.00"), kTemperatureField);
        for (const FunctionColumn& column : table.columns) {
            const double v = column.values[i];
            // A dash, not the chart's marker: a reader of the table must not take it for data.
            row += formatText(v == kMissingPoint ? "-" : formatNumber(v, "0.000"), kValueField);
        }
        lines.push_back(std::move(row));
    }
    return lineBreakJoined(lines);
}

std::optional<std::string> writeNumericData(const SpeciesRecord& species,
                                            ThermoChartSettings& settings, const GasConstants& gas,
                                            const NumericDataHeader& header,
                                            const std::filesystem::path& folder, Dialogs& dialogs) {
    std::optional<Tabulation> table =
        tabulate(species, settings, TabulationPurpose::NumericData, gas, dialogs);
    if (!table)
        return std::nullopt;
    std::string text = numericDataText(species, *table, header);
    writeTextFile(folder / kNumericDataFileName, text);
    return text;
}

} // namespace kinetra::thermo
