#include "reactions/RateTabulation.h"

#include "common/NumberFormat.h"
#include "common/TemperatureGrid.h"
#include "common/TextUtil.h"
#include "physics/Nasa7.h"
#include "physics/Rates.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace kinetra::reactions {

namespace {

constexpr const char* kTitle = "KINETRA";
constexpr double kLn10 = std::numbers::ln10;

// Far beyond any useful table, small enough that a mistyped step fails with a message instead
// of exhausting memory.

bool isThirdBody(const std::string& entry) {
    const std::string u = upperAscii(entry);
    return u == "M" || u == "M$" || entry.back() == '$';
}

void warn(Dialogs& dialogs, const std::string& text) {
    dialogs.message(text, kTitle, Icon::Exclamation);
}

std::string cannotCreateEnding(bool explicitReverse) {
    return explicitReverse ? "Kp, Kc cannot be created."
                           : "Kp, Kc, Krev, Krevlow cannot be created.";
}

std::string notDeclaredMessage(bool explicitReverse) {
    return "In the current reaction, not all species are declared in the THERMO table, the "
           "functions " +
           cannotCreateEnding(explicitReverse);
}

// log10 of A T^n exp(-E/(Rcal T)) at every grid point. A non-numeric parameter counts as 0;
// an A of zero or less has no logarithm and ends the table as an unexpected error.
std::vector<double> log10Arrhenius(const std::optional<double>& a, const std::optional<double>& n,
                                   const std::optional<double>& e,
                                   const std::vector<double>& temperatures, double rcal) {
    const physics::Arrhenius p{a.value_or(0), n.value_or(0), e.value_or(0)};
    if (!(p.a > 0))
        throw std::domain_error("Invalid procedure call or argument: the pre-exponential factor "
                                "is zero or negative and has no logarithm.");
    std::vector<double> values;
    values.reserve(temperatures.size());
    for (double T : temperatures)
        values.push_back(physics::logArrhenius(p, physics::TemperatureTerms::at(T), 1 / rcal) /
                         kLn10);
    return values;
}

// The thermodynamic arrays of the sums: dH/RT, dS/R, log10 Kp, log10 Kc.
struct ThermoArrays {
    std::vector<double> dH, dS, logKp, logKc;
    int validPoints = 0;
};

// Whether the record holds a polynomial at all: a record with every one of its fourteen
// coefficients zero has none (a genuine set may sum to zero, so the sum is not the test).
bool hasPolynomials(const thermo::SpeciesRecord& species) {
    const double* a = species.coefficients.data();
    return physics::coefficientsPresent(a) || physics::coefficientsPresent(a + 7);
}

// Step 5 of the table: the sums over the species of each side at every grid point. Nothing
// (after its message) when a species is missing or has no polynomials.
std::optional<ThermoArrays> thermodynamicSums(const ReactionEntries& entries,
                                              const std::vector<double>& temperatures,
                                              bool explicitReverse, const ThermoLookup& thermo,
                                              const RateConstants& constants, Dialogs& dialogs) {
    std::vector<const thermo::SpeciesRecord*> reactants, products;
    for (auto [names, records] :
         {std::pair{&entries.reactants, &reactants}, std::pair{&entries.products, &products}}) {
        for (const std::string& name : *names) {
            const thermo::SpeciesRecord* species = thermo ? thermo(name) : nullptr;
            if (!species) {
                warn(dialogs, notDeclaredMessage(explicitReverse));
                return std::nullopt;
            }
            if (!hasPolynomials(*species)) {
                warn(dialogs, "In the current reaction, the polynomial coefficients for " + name +
                                  " aren't specified. The functions " +
                                  cannotCreateEnding(explicitReverse));
                return std::nullopt;
            }
            records->push_back(species);
        }
    }
    const int deltaN = entries.deltaN();
    ThermoArrays out;
    const std::size_t n = temperatures.size();
    out.dH.assign(n, kMissingValue);
    out.dS.assign(n, kMissingValue);
    out.logKp.assign(n, kMissingValue);
    out.logKc.assign(n, kMissingValue);
    for (std::size_t i = 0; i < n; ++i) {
        const double T = temperatures[i];
        const std::optional<ReactionChange> change = reactionChange(reactants, products, T);
        if (!change)
            continue;
        ++out.validPoints;
        out.dH[i] = change->enthalpyOverRT;
        out.dS[i] = change->entropyOverR;
        // Kp is Kc without the change of moles.
        out.logKp[i] = log10Kc(*change, 0, T, constants.gasConstantCm3);
        out.logKc[i] = log10Kc(*change, deltaN, T, constants.gasConstantCm3);
    }
    return out;
}

// base - logKc where log Kc is present; the marker elsewhere (and where base is missing).
std::vector<double> minusLogKc(const std::vector<double>& base, const std::vector<double>& logKc) {
    std::vector<double> out(base.size(), kMissingValue);
    for (std::size_t i = 0; i < base.size(); ++i)
        if (logKc[i] != kMissingValue && base[i] != kMissingValue)
            out[i] = base[i] - logKc[i];
    return out;
}

std::vector<double> whereKcPresent(std::vector<double> values, const std::vector<double>& logKc) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (logKc[i] == kMissingValue)
            values[i] = kMissingValue;
    return values;
}

// Delta H in kJ or kcal per mole, Delta S in J or cal per K mole; the marker stays.
std::vector<double> scaled(const std::vector<double>& overR,
                           const std::vector<double>& temperatures, double factor, bool timesT) {
    std::vector<double> out(overR.size(), kMissingValue);
    for (std::size_t i = 0; i < overR.size(); ++i)
        if (overR[i] != kMissingValue)
            out[i] = overR[i] * (timesT ? temperatures[i] : 1.0) * factor;
    return out;
}

} // namespace

std::optional<ReactionChange>
reactionChange(const std::vector<const thermo::SpeciesRecord*>& reactants,
               const std::vector<const thermo::SpeciesRecord*>& products, double temperature) {
    ReactionChange change;
    for (auto [records, sign] : {std::pair{&reactants, -1.0}, std::pair{&products, 1.0}}) {
        for (const thermo::SpeciesRecord* species : *records) {
            const physics::ThermoValues v = physics::thermoFunctions(
                species->coefficients, temperature, species->tcom.value_or(0));
            if (!v.ok)
                return std::nullopt;
            change.enthalpyOverRT += sign * v.hOverRT;
            change.entropyOverR += sign * v.sOverR;
        }
    }
    return change;
}

double log10Kc(const ReactionChange& change, int deltaN, double temperature,
               double gasConstantCm3) {
    return physics::logEquilibriumConstant(
               physics::gibbsOverRT(change.enthalpyOverRT, change.entropyOverR), deltaN,
               physics::TemperatureTerms::at(temperature), gasConstantCm3) /
           kLn10;
}

ReactionEntries readEntries(const ReactionRecord& record) {
    ReactionEntries e;
    for (std::size_t slot = 0; slot < rx::kSlotCount; ++slot) {
        const std::string& entry = record.species[slot];
        if (entry.empty())
            continue;
        const bool reactant = slot < rx::kReactantSlots;
        (reactant ? e.reactantOrder : e.productOrder) += 1;
        if (upperAscii(entry) == "HV")
            e.photon = true;
        if (isThirdBody(entry)) {
            if (reactant && (upperAscii(entry) == "M$" || entry.back() == '$'))
                e.falloff = true;
            continue;
        }
        (reactant ? e.reactants : e.products).push_back(entry);
    }
    return e;
}

bool hasExplicitReverse(const std::string& type) {
    std::string t = upperAscii(type);
    if (t.find("IRREV") != std::string::npos)
        t.erase(0, std::min<std::size_t>(5, t.size()));
    return t.find("REV") != std::string::npos;
}

std::string rateUnit(int order) {
    static const std::array<const char*, 6> units{"(1/sec)",           "(cm^3/mol sec)",
                                                  "(cm^6/mol^2 sec)",  "(cm^9/mol^3 sec)",
                                                  "(cm^12/mol^4 sec)", "(cm^15/mol^5 sec)"};
    if (order < 1 || order > 6)
        return {};
    return units[static_cast<std::size_t>(order - 1)];
}

std::string equilibriumTitle(int deltaN, bool kp) {
    if (kp) {
        switch (deltaN) {
        case 0:
            return "Log10 Kp";
        case -1:
            return "Log10 Kp (1/atm)";
        case 1:
            return "Log10 Kp (atm)";
        default:
            return "Log10 Kp (atm^" + std::to_string(deltaN) + ")";
        }
    }
    switch (deltaN) {
    case 0:
        return "Log10 Kc";
    case -1:
        return "Log10 Kc (cm^3/mol)";
    case 1:
        return "Log10 Kc (mol/cm^3)";
    default:
        return "Log10 Kc (cm^" + std::to_string(-3 * deltaN) + "/mol^" + std::to_string(-deltaN) +
               ")";
    }
}

std::size_t gridPointCount(RatePlotSettings& settings) {
    return temperatureGridCount(settings.tmin, settings.tmax, settings.step,
                                GridRounding::HalfToEven);
}

RateTableResult plotArrRow(const ReactionRecord& record, RatePlotSettings& settings,
                           RateOutput output, const ThermoLookup& thermo,
                           const RateConstants& constants, Dialogs& dialogs) {
    const bool numeric = output == RateOutput::NumericData;
    RateTableResult result;
    if (record.info < 0) {
        warn(dialogs, "The reaction is invalid, plot and numeric data cannot be created.");
        return result;
    }
    if (!numeric && !settings.anyFunction()) {
        warn(dialogs, "No data to plot.");
        result.openSetup = true;
        return result;
    }
    const bool explicitReverse = hasExplicitReverse(record.type);
    const ReactionEntries entries = readEntries(record);

    const std::size_t n = gridPointCount(settings);
    RateTable table;
    table.temperatures.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        table.temperatures.push_back(settings.tmin + static_cast<double>(i) * settings.step);

    ThermoArrays sums;
    if (numeric || settings.krev || settings.krevLow || settings.equilibrium || settings.deltaH ||
        settings.deltaS) {
        if (entries.photon) {
            warn(dialogs, "Reaction with photon 'hv'; the functions Kp, Kc, Krev, Krev,low "
                          "cannot be created.");
        } else if (std::optional<ThermoArrays> s = thermodynamicSums(
                       entries, table.temperatures, explicitReverse, thermo, constants, dialogs)) {
            sums = std::move(*s);
            if (sums.validPoints < 2)
                warn(dialogs, notDeclaredMessage(explicitReverse));
        }
    }
    table.validPoints = sums.validPoints;
    const bool thermoReady = sums.validPoints >= 2;

    const std::string num = " R" + std::to_string(record.num);
    const std::string tag = "R" + std::to_string(record.num);
    auto add = [&](std::string title, std::string label, std::vector<double> values) {
        table.functions.push_back({std::move(title), std::move(label), std::move(values)});
    };

    std::vector<double> logKfor;
    if (numeric || settings.kfor || settings.krev) {
        logKfor = log10Arrhenius(record.a, record.n, record.e, table.temperatures,
                                 constants.gasConstantCal);
        const std::string title =
            "Kfor " + rateUnit(entries.falloff ? entries.reactantOrder - 1 : entries.reactantOrder);
        add(title, num + ", Log10 " + title, logKfor);
    }
    if (thermoReady && explicitReverse && (numeric || settings.kfor || settings.krev)) {
        const std::string title = "Krev " + rateUnit(entries.productOrder);
        add(title, num + ", Log10  " + title,
            whereKcPresent(log10Arrhenius(record.al, record.nl, record.el, table.temperatures,
                                          constants.gasConstantCal),
                           sums.logKc));
    } else if (thermoReady && !explicitReverse && (numeric || settings.krev)) {
        if (logKfor.empty())
            logKfor = log10Arrhenius(record.a, record.n, record.e, table.temperatures,
                                     constants.gasConstantCal);
        const std::string title =
            "Krev " + rateUnit(entries.falloff ? entries.productOrder - 1 : entries.productOrder);
        add(title, num + (entries.falloff ? ", Log10 " : ", Log10  ") + title,
            minusLogKc(logKfor, sums.logKc));
    }
    std::vector<double> logKforLow;
    if (entries.falloff && (numeric || settings.kforLow || settings.krevLow)) {
        logKforLow = log10Arrhenius(record.al, record.nl, record.el, table.temperatures,
                                    constants.gasConstantCal);
        const std::string title = "Kfor,low " + rateUnit(entries.reactantOrder);
        add(title, tag + ", Log10 " + title, logKforLow);
    }
    if (entries.falloff && thermoReady && (numeric || settings.krevLow)) {
        const std::string title = "Krev,low " + rateUnit(entries.productOrder);
        add(title, tag + ", Log10 " + title, minusLogKc(logKforLow, sums.logKc));
    }
    if (thermoReady && (numeric || settings.equilibrium)) {
        const bool kp = !numeric && settings.kp;
        const std::string title = equilibriumTitle(entries.deltaN(), kp);
        add(title, tag + ", " + title, kp ? sums.logKp : sums.logKc);
    }
    if (!numeric && thermoReady && settings.deltaH) {
        const std::string title = enthalpyEntropyCaptions(settings.joule)[0];
        const double r = settings.joule ? constants.gasConstantJ : constants.gasConstantCal;
        add(title, tag + ", " + title, scaled(sums.dH, table.temperatures, r / 1000, true));
    }
    if (!numeric && thermoReady && settings.deltaS) {
        const std::string title = enthalpyEntropyCaptions(settings.joule)[1];
        const double r = settings.joule ? constants.gasConstantJ : constants.gasConstantCal;
        add(title, tag + ", " + title, scaled(sums.dS, table.temperatures, r, false));
    }

    if (table.functions.empty()) {
        warn(dialogs, numeric ? "There is no data to create the chart."
                              : "Functions are not specified. Use the Plot and Numeric Data "
                                "menu to specify the functions.");
        return result;
    }
    result.table = std::move(table);
    return result;
}

} // namespace kinetra::reactions
