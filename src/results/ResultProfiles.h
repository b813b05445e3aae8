// What the post-processor plots and writes: the rows of its two tables (mean parameters and
// species), the plot settings with their validations, the profile of one row handed to the
// scratch chart, and the numeric-data text of the checked rows.
#pragma once

#include "charts/ChartHandOver.h"
#include "common/Seams.h"
#include "results/MeanParameters.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::results {

enum class MeanQuantity {
    Temperature,
    Concentration,
    Pressure,
    Density,
    MolecularWeight,
    Enthalpy,
    HeatCapacity
};
inline constexpr int kMeanQuantityCount = 7;
// The order of the numeric table of mean parameters: T, P, Ro, M, C, H, Cp.
inline constexpr MeanQuantity kNumericTableOrder[kMeanQuantityCount] = {
    MeanQuantity::Temperature,     MeanQuantity::Pressure,      MeanQuantity::Density,
    MeanQuantity::MolecularWeight, MeanQuantity::Concentration, MeanQuantity::Enthalpy,
    MeanQuantity::HeatCapacity};
// The heading of a mean quantity in the numeric table ("T, K", "C, mol/cm^3", "H, kJ/mol").
std::string numericHeading(MeanQuantity q, ConcentrationUnit c, EnergyUnit e);

struct MeanQuantityText {
    std::string name, symbol, unit;
};
MeanQuantityText meanQuantityText(MeanQuantity q, ConcentrationUnit c, EnergyUnit e);
double meanQuantityValue(const MeanParameters& p, MeanQuantity q);

// A row of either table: a mean quantity, or species i (0-based, THERMO-block order).
struct ResultRow {
    std::optional<MeanQuantity> mean;
    std::size_t species = 0;
};

struct PlotSettings {
    std::string timeFrom, timeTo;    // empty: from the first, to the last record
    std::string pointInterval = "1"; // every n-th record of the interval
    std::string xScale = "1", yScale = "1";
    bool logX = false, logY = false;
    bool concentrations = false; // species as concentrations, else mole fractions
    ConcentrationUnit concentrationUnit = ConcentrationUnit::MolPerCm3;
    EnergyUnit energyUnit = EnergyUnit::Joule;
};

// The first refusal of the settings in the window's order (time interval, interval of points,
// scaling factors); nothing when they are usable. An empty time text means no bound; the
// interval must hold at least one record of the output.
std::optional<std::string> plotSettingsRefusal(const PlotSettings& settings,
                                               const SolverOutput& output);

// Checked rows to view at once: none, or more than 20, are refused with these messages.
std::optional<std::string> checkedRowsRefusal(std::size_t checked);
inline constexpr std::size_t kMaxSubsets = 20;

// Profiles against time go to the scratch chart of time profiles, whose caption differs from
// the one of charts against temperature by its trailing blank: time profiles are never added
// to a chart against temperature.
inline constexpr const char* kTimeChartCaption = "Temporary Chart ";

struct ProfileOutcome {
    std::optional<ChartHandOver> chart;
    std::string refusal; // a row whose values are all zero (or have no logarithm on a log axis)
};

// The profile of a row over the selected records as a chart hand-over: time and value scaled
// by the factors, then log10 on a logarithmic axis. Records whose time has no logarithm are
// left out; a value without a logarithm is kEmptySlot. The title is the row's name,
// the subset label its Y title. Call with settings that plotSettingsRefusal passed; a row past
// the output's species throws std::out_of_range.
ProfileOutcome resultProfile(const SolverOutput& output, const std::vector<MeanParameters>& means,
                             const ResultRow& row, const PlotSettings& settings,
                             bool addToExisting = false);

// View checked rows: one subset per row over the same times, in the order given; the first row
// that cannot be plotted refuses the whole chart. The caller checks the row count first.
ProfileOutcome checkedRowsProfiles(const SolverOutput& output,
                                   const std::vector<MeanParameters>& means,
                                   const std::vector<ResultRow>& rows, const PlotSettings& settings,
                                   bool addToExisting = false);

// The numeric-data text of the checked rows, for TmpPlot.txt and a document titled
// "Numeric Data".
std::string numericDataText(const SolverOutput& output, const std::vector<MeanParameters>& means,
                            const std::vector<ResultRow>& rows, const PlotSettings& settings,
                            const std::string& outputPath, const LocalDateTime& when);
inline constexpr const char* kNumericDataTitle = "Numeric Data";

} // namespace kinetra::results
