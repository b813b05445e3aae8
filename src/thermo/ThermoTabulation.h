// Enthalpy, heat capacity and entropy of one species over a temperature range: the table behind
// the thermo chart and the numeric-data text document. Headless: the setup window, the chart
// and the text window are the caller's; this file holds their texts, checks and data.
#pragma once

#include "charts/ChartHandOver.h"
#include "common/FileNames.h"
#include "common/Seams.h"
#include "thermo/SpeciesRecord.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::thermo {

// The settings of the thermo chart; the caller keeps them for the run of the program.
struct ThermoChartSettings {
    double tmin = 300, tmax = 4000, step = 100; // K
    bool enthalpy = true, heatCapacity = true, entropy = true;
    enum class Units { Joule, Calorie } units = Units::Joule;
};

// The gas constant in J/(K mol) and cal/(K mol), as the program is configured.
struct GasConstants {
    double joule, calorie;
};

// The value a chart subset carries where a function could not be evaluated.
inline constexpr double kMissingPoint = kEmptySlot;

// Place codes of unexpected errors, for the caller's guarded(): drawing a chart, creating the
// numeric-data document.
inline constexpr const char* kChartPlaceCode = "TDB#081. ";
inline constexpr const char* kNumericDataPlaceCode = "TDB#082. ";

// ---- The setup window -------------------------------------------------------------------------

inline constexpr const char* kUnitsCaption = "Units:";
inline constexpr const char* kJouleUnitsCaption = "J - mol - K";
inline constexpr const char* kCalorieUnitsCaption = "cal - mol - K";
inline constexpr const char* kTemperatureFrameCaption = "Temperature, K";
inline constexpr const char* kMinCaption = "Min";
inline constexpr const char* kMaxCaption = "Max";
inline constexpr const char* kStepCaption = "Step";
inline constexpr const char* kChartFrameCaption = "Chart and Numeric Data";
inline constexpr const char* kChartHint =
    "Move the table cursor to the row with species whose functions you want to plot, and double "
    "click the row header. To add a functions to an existing chart, hold down the 'Ctrl' key and "
    "double click the row header.";

// Enthalpy, heat capacity and entropy check-box captions in the given units.
std::array<std::string, 3> checkBoxCaptions(ThermoChartSettings::Units units);

// What the setup window shows and the user edits.
struct ChartSetupTexts {
    std::string min, max, step;
    bool enthalpy = true, heatCapacity = true, entropy = true;
    ThermoChartSettings::Units units = ThermoChartSettings::Units::Joule;

    static ChartSetupTexts from(const ThermoChartSettings& settings);
};

// The control that takes the focus after a refusal; Functions is the first check box.
enum class SetupField { None, Functions, Min, Max, Step };

struct SetupValidation {
    std::optional<ThermoChartSettings> settings; // the new settings when accepted
    SetupField focus = SetupField::None;         // the box to correct when refused
    bool ok() const { return settings.has_value(); }
};

// The OK button: checks the texts in the window's order and shows the first refusal itself.
SetupValidation validateChartSetup(const ChartSetupTexts& texts, Dialogs& dialogs);

// ---- Tabulation ------------------------------------------------------------------------------

enum class TabulationPurpose { Chart, NumericData };

struct FunctionColumn {
    std::string label;          // "H (kJ/mol)", "Cp (J/K mol)", ...
    std::vector<double> values; // kMissingPoint where not evaluated
};

struct Tabulation {
    std::vector<double> temperatures;
    std::vector<FunctionColumn> columns; // in the order H, Cp, S, included ones only
};

// The whole table, or nothing after a message has told the user why not. A chart includes the
// checked functions, numeric data all three. A range of fewer than two points is widened to its
// two end points, and the stored step becomes Max - Min. Throws std::runtime_error for a range
// with an absurd number of points (the caller's guarded() reports it).
std::optional<Tabulation> tabulate(const SpeciesRecord& species, ThermoChartSettings& settings,
                                   TabulationPurpose purpose, const GasConstants& gas,
                                   Dialogs& dialogs);

// ---- The chart ------------------------------------------------------------------------------

// The hand-over type lives with the charts (charts/ChartHandOver.h); the title is the species
// name: the formula is not needed to tell the curves of one database apart.
std::optional<ChartHandOver> prepareChart(const SpeciesRecord& species,
                                          ThermoChartSettings& settings, const GasConstants& gas,
                                          bool addToExisting, Dialogs& dialogs);

// ---- The numeric-data document -----------------------------------------------------------------

inline constexpr const char* kNumericDataFileName = files::kTmpPlot;

// Header facts the caller knows from the connected database and its element table.
struct NumericDataHeader {
    LocalDateTime when;
    std::string databasePath;
    std::string formula;
    double molecularWeight = 0;
};

// The caption of the text window showing the document.
std::string numericDataCaption(const std::string& speciesName);

// The document text, CR LF line ends. A value that could not be evaluated is written as "-".
std::string numericDataText(const SpeciesRecord& species, const Tabulation& table,
                            const NumericDataHeader& header);

// Tabulates all three functions, writes the document to kNumericDataFileName in the folder and
// returns its text; nothing after a message when there is nothing to write. Write failures
// throw (see writeTextFile).
std::optional<std::string> writeNumericData(const SpeciesRecord& species,
                                            ThermoChartSettings& settings, const GasConstants& gas,
                                            const NumericDataHeader& header,
                                            const std::filesystem::path& folder, Dialogs& dialogs);

} // namespace kinetra::thermo
