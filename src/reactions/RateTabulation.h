// Rate and equilibrium constants of one reaction over a temperature grid (PlotArrRow): the
// forward, reverse and low-pressure rate constants, Kp or Kc, and the reaction enthalpy and
// entropy, with the titles and series labels, the numeric-data document and the chart
// hand-over. Headless: the setup window, the chart and the text window are the caller's. The
// rate laws and the NASA sums are those of the physics library, so the tables agree with the
// solver program.
#pragma once

#include "common/FileNames.h"
#include "common/Seams.h"
#include "reactions/RatePlotSettings.h"
#include "reactions/ReactionRecord.h"
#include "thermo/SpeciesRecord.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::reactions {

// The value a function holds where it could not be computed.
inline constexpr double kMissingValue = -99999;

// Unexpected errors of the tables (an A that is zero or negative among them), for guarded().
inline constexpr const char* kRateTablePlaceCode = "RDB#031. ";

// The physical constants the tables need, from the options of the run.
struct RateConstants {
    double gasConstantCal = 0; // cal/(K mol)
    double gasConstantJ = 0;   // J/(K mol)
    double gasConstantCm3 = 0; // R' in cm^3 atm/(K mol)
};

// The species record of a name in the connected thermo database (exact, case-sensitive), or
// nullptr.
using ThermoLookup = std::function<const thermo::SpeciesRecord*(const std::string&)>;

enum class RateOutput { Chart, NumericData };

struct RateFunction {
    std::string title;          // axis and legend title, "Kfor (cm^3/mol sec)"
    std::string label;          // series label, " R12, Log10 Kfor (cm^3/mol sec)"
    std::vector<double> values; // log10 of the constants; kMissingValue where not computed
};

struct RateTable {
    std::vector<double> temperatures;
    std::vector<RateFunction> functions; // Kfor, Krev, Kfor,low, Krev,low, K, dH, dS as included
    int validPoints = 0;                 // grid points at which the thermodynamic sums succeeded
};

// What the reading of the entries gives (species entries with multiplicity, order counts).
struct ReactionEntries {
    std::vector<std::string> reactants, products; // species entries only
    int reactantOrder = 0, productOrder = 0;      // all non-empty entries, M and M$ included
    bool falloff = false;
    bool photon = false;
    int deltaN() const {
        return static_cast<int>(products.size()) - static_cast<int>(reactants.size());
    }
};
ReactionEntries readEntries(const ReactionRecord& record);

// The sums over the species of a reaction at T: products minus reactants of H/RT and S/R, by
// the NASA functions; nothing where they fail for any species.
struct ReactionChange {
    double enthalpyOverRT = 0, entropyOverR = 0;
};
std::optional<ReactionChange>
reactionChange(const std::vector<const thermo::SpeciesRecord*>& reactants,
               const std::vector<const thermo::SpeciesRecord*>& products, double temperature);
// log10 Kc in (mol/cm^3)^deltaN of that change.
double log10Kc(const ReactionChange& change, int deltaN, double temperature, double gasConstantCm3);

// The type in upper case without a leading "IRREV"; explicit reverse parameters when it then
// holds "REV".
bool hasExplicitReverse(const std::string& type);

// "(1/sec)" … "(cm^15/mol^5 sec)" for order 1 … 6; empty outside.
std::string rateUnit(int order);
// The title of log10 Kc or log10 Kp for the change of moles.
std::string equilibriumTitle(int deltaN, bool kp);

// The grid count N (halves to even); a count below two widens the grid to Min and Max and
// stores Max - Min as the step. Throws for an absurd count.
std::size_t gridPointCount(RatePlotSettings& settings);

struct RateTableResult {
    std::optional<RateTable> table; // nothing after a message (or with no row)
    bool openSetup = false;         // chart mode with nothing selected: show the setup window
};

// PlotArrRow. Chart mode produces the selected functions, numeric mode all the rate and
// equilibrium constants. Messages go to dialogs; throws std::domain_error for an A that is
// zero or negative and std::runtime_error for an absurd grid (the caller's guarded() shows them
// with kRateTablePlaceCode).
RateTableResult plotArrRow(const ReactionRecord& record, RatePlotSettings& settings,
                           RateOutput output, const ThermoLookup& thermo,
                           const RateConstants& constants, Dialogs& dialogs);

// ---- The numeric-data document -------------------------------------------------------------

inline constexpr const char* kRateNumericDataFileName = files::kTmpPlot;

struct RateNumericHeader {
    LocalDateTime when;
    std::string thermoDatabasePath;
    std::string reactionDatabaseName;
};

// PrintNumbPrep: 10 to the value in "0.00E+00", right-aligned in 12 characters; the missing
// value is a blank field.
std::string printNumbPrep(double logValue);

// The caption of the text window: the reaction window's caption + "  Numeric Data".
std::string rateNumericDataCaption(const std::string& reactionWindowCaption);

// The document, CR LF line ends.
std::string rateNumericDataText(const ReactionRecord& record, const RateTable& table,
                                const RateNumericHeader& header);

// ---- The chart hand-over --------------------------------------------------------------------

inline constexpr std::size_t kTitleSplit = 48;

struct RateChartHandOver {
    std::string windowCaption = "Temporary Chart";
    std::array<std::string, 7> textSlots{"", "          ", "Temperature (K)", "", "", "", ""};
    std::array<std::string, 2> titleLines; // first 48 characters, then the rest or "Empty"
    std::size_t subsetCount = 0, pointCount = 0;
    // 2 * subsetCount rows of pointCount values: row 2k the temperatures, row 2k+1 function k.
    std::vector<std::vector<double>> data;
    std::vector<std::string> labels;
    bool addToExisting = false; // Ctrl held and the scratch chart holds data
};

RateChartHandOver rateChartHandOver(const ReactionRecord& record, const RateTable& table,
                                    bool addToExisting);

// ---- The fall-off rate at a pressure --------------------------------------------------------

// The blended rate constant k = k_inf Pr/(1 + Pr) F of a fall-off record at T and P (atm),
// with [M] = P/(R' T) and no collision efficiencies: Lindemann for "Low", Troe with three or
// four parameters for "Low Troe", SRI with three or five for "Low SRI". Nothing for a record
// that is not fall-off or lacks its low-pressure or broadening parameters.
std::optional<double> falloffRateAtPressure(const ReactionRecord& record, double temperature,
                                            double pressureAtm, const RateConstants& constants);

// Appends log10 of that constant over the table's grid as one more function, titled
// "Kfor(P = 1 atm) (cm^3/mol sec)" in the units of Kfor; false (nothing added) for a record
// that is not fall-off or lacks its parameters.
bool addFalloffColumn(const ReactionRecord& record, double pressureAtm,
                      const RateConstants& constants, RateTable& table);

} // namespace kinetra::reactions
