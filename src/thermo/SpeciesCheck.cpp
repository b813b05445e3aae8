#include "thermo/SpeciesCheck.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace kinetra::thermo {

namespace {

SpeciesCheckResult fault(int code, int severity, std::string detail = {}) {
    return {code, std::move(detail), severity};
}

std::string forbiddenSymbols(const std::string& name) {
    struct Symbol {
        char c;
        const char* listed;
    };
    static constexpr std::array<Symbol, 6> kSymbols{{{' ', " ' ' (blank space), "},
                                                     {'=', "  '=', "},
                                                     {'<', "  '<', "},
                                                     {'>', "  '>', "},
                                                     {'!', "  '!', "},
                                                     {'$', "  '$', "}}};
    std::string list;
    for (const Symbol& s : kSymbols)
        if (name.find(s.c) != std::string::npos)
            list += s.listed;
    if (!list.empty())
        list.resize(list.size() - 2);
    return list;
}

// Charge signs close a name ("C2H2++"); a plus anywhere else, or a name made of nothing but
// plus signs, is a typing fault.
bool plusSignsMisplaced(const std::string& trimmed) {
    std::size_t first = trimmed.find('+');
    if (first == std::string::npos)
        return false;
    return first == 0 || trimmed.find_first_not_of('+', first) != std::string::npos;
}

bool positive(const std::optional<double>& value) {
    return value && *value > 0;
}

} // namespace

SpeciesCheckResult checkSpecies(const SpeciesRecord& species, bool checkCoefficients) {
    const std::string trimmed = trimBlanks(species.name);
    if (trimmed.empty())
        return fault(kNameEmpty, -1);
    if (equalsIgnoreCase(trimmed, kNewRowName))
        return fault(kNewRow, -1);
    if (std::string list = forbiddenSymbols(species.name); !list.empty())
        return fault(kForbiddenSymbol, -1,
                     "The species name contains forbidden symbol(s) " + list +
                         "; delete the symbol(s).");
    if (plusSignsMisplaced(trimmed))
        return fault(kMisplacedPlus, -1);

    int elements = 0;
    for (int slot = 1; slot < kSlotCount; ++slot)
        if (positive(species.composition[slot]))
            ++elements;
    if (elements == 0)
        return fault(kNoElements, -2);
    // One of the four element fields of a record is taken by the electron in an ion.
    if (species.isIon() && elements >= 4)
        return fault(kTooManyIonElements, -2,
                     "The NASA format allows an ion to be composed of 3 elements. You are "
                     "attempting to enter " +
                         std::to_string(elements) + " elements.");
    if (!species.isIon() && elements >= 5)
        return fault(kTooManyElements, -2,
                     "The NASA format allows a neutral species to be composed of 4 elements. "
                     "You are attempting to enter " +
                         std::to_string(elements) + " elements.");

    if (!positive(species.tmin))
        return fault(kNoTmin, -2, "The low temperature Tmin, please enter a positive number.");
    if (!positive(species.tmax))
        return fault(kNoTmax, -2, "The high temperature Tmax, please enter a positive number.");
    if (!positive(species.tcom))
        return fault(kNoTcom, -2, "The common temperature Tcom, please enter a positive number.");
    const double tmin = *species.tmin, tmax = *species.tmax, tcom = *species.tcom;
    if (tmin >= tmax)
        return fault(kTminNotBelowTmax, -2,
                     "Temperature interval, Tmin is equal to or greater than Tmax.");
    if (tcom < tmin || tcom > tmax)
        return fault(kTcomOutside, -2,
                     "Temperature interval, Tcom is outside of the interval (Tmin, Tmax). "
                     "Enter a correct value.");

    // Coefficients that happen to sum to zero are still coefficients: only an all-zero set
    // means none were entered.
    if (checkCoefficients) {
        const auto& a = species.coefficients;
        if (std::all_of(a.begin(), a.begin() + 14, [](double v) { return v == 0; }))
            return fault(kNoCoefficients, 0);
    }
    return {};
}

const std::string& speciesMessage(int code) {
    static const std::array<std::string, 16> kMessages{
        "",
        "The species name is empty.",
        "A new row.",
        "The species has a duplicate.",
        "",
        "Incorrect use of symbol '+'. This symbol can be placed only at the end of the name.",
        "Chemical elements aren't specified.",
        "Error in  setting of chemical elements.",
        "Error in  setting of chemical elements.",
        "",
        "The polynomial coefficients aren't specified.",
        "Incorrect setting of temperature interval.",
        "Incorrect setting of temperature interval.",
        "Incorrect setting of temperature interval.",
        "Incorrect setting of temperature interval.",
        "Incorrect setting of temperature interval.",
    };
    if (code < 1 || code >= static_cast<int>(kMessages.size()))
        return kMessages[0];
    return kMessages[code];
}

std::vector<bool> findDuplicateNames(const std::vector<std::string>& names) {
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
    std::vector<bool> duplicate(names.size(), false);
    for (std::size_t i = 0; i < order.size();) {
        std::size_t end = i + 1;
        while (end < order.size() && names[order[end]] == names[order[i]])
            ++end;
        if (end - i > 1 && !trimBlanks(names[order[i]]).empty())
            for (std::size_t k = i; k < end; ++k)
                duplicate[order[k]] = true;
        i = end;
    }
    return duplicate;
}

} // namespace kinetra::thermo
