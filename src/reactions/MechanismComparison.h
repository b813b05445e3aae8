// Two reaction mechanisms side by side: which reactions only one of them holds, which forward
// rate constants differ by more than a factor somewhere on a temperature range, and which
// fall-off, third-body or reversibility data changed. Reactions pair by their species, in
// either direction, the way the duplicate search matches them; a reaction written the other
// way round is compared through its reverse rate constant (forward / Kc), which needs the
// thermo data of its species.
#pragma once

#include "reactions/RateTabulation.h"
#include "reactions/ReactionRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::reactions {

struct ComparisonSettings {
    double factor = 2;
    double tmin = 500, tmax = 2500; // K
};

struct RateDifference {
    double ratio = 1;       // kB / kA at the temperature where |log10 (kB/kA)| is largest
    double temperature = 0; // K
};

struct ReactionPair {
    const ReactionRecord* a = nullptr;
    const ReactionRecord* b = nullptr;
    bool reversed = false;              // B is A written the other way round
    std::optional<RateDifference> rate; // when the rates differ by more than the factor
    std::vector<std::string> changes;   // "fall-off parameters", "third-body efficiencies", ...
    std::string notCompared;            // why the rates could not be compared, else empty
};

struct MechanismComparison {
    std::vector<const ReactionRecord*> onlyInA, onlyInB;
    std::vector<ReactionPair> differing; // pairs with a rate difference, a change or a note
    std::size_t pairs = 0;
    std::size_t countA = 0, countB = 0;
};

// The records must outlive the result. Throws std::invalid_argument for a factor not above 1
// or a range that is not positive and increasing.
MechanismComparison compareMechanisms(const std::vector<ReactionRecord>& a,
                                      const std::vector<ReactionRecord>& b,
                                      const ComparisonSettings& settings,
                                      const ThermoLookup& thermo, const RateConstants& constants);

struct ComparisonNames {
    std::string a, b; // the two databases as the user named them
};

// The text document, CR LF line ends.
std::string comparisonText(const MechanismComparison& c, const ComparisonSettings& settings,
                           const ComparisonNames& names);
// One line per finding: kind,numA,numB,reaction,ratio,temperature,detail (LF line ends).
std::string comparisonCsv(const MechanismComparison& c);

} // namespace kinetra::reactions
