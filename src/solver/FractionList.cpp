#include "solver/FractionList.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "common/Wildcard.h"
#include "solver/RunParameterLines.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kinetra::solver {

namespace {

// Empty fractions count as zero; text that is no number sorts after every number.
double sortValue(const std::string& fraction) {
    if (trimBlanks(fraction).empty())
        return 0;
    return parseNumber(fraction).value_or(std::numeric_limits<double>::infinity());
}

} // namespace

const char* fractionColumnCaption(FractionColumn column) {
    switch (column) {
    case FractionColumn::No:
        return "No";
    case FractionColumn::Species:
        return "Species";
    case FractionColumn::Formula:
        return "MolFormula";
    case FractionColumn::Fraction:
        break;
    }
    return "Fraction";
}

FractionList::FractionList(RunSettings& settings) : settings_(settings) {
    refresh();
}

void FractionList::setFilter(const std::string& text) {
    filter_ = trimBlanks(text);
    refresh();
}

void FractionList::sortBy(FractionColumn column, bool descending) {
    sortColumn_ = column;
    descending_ = descending;
    refresh();
}

void FractionList::refresh() {
    rows_.clear();
    const std::string pattern = "*" + filter_ + "*";
    for (std::size_t i = 0; i < settings_.species.size(); ++i)
        if (filter_.empty() ||
            wildcardMatch(settings_.species[i].name, pattern, LetterCase::Insensitive))
            rows_.push_back(i);
    if (!sortColumn_)
        return;
    const auto& species = settings_.species;
    auto less = [&](std::size_t a, std::size_t b) {
        switch (*sortColumn_) {
        case FractionColumn::No:
            return a < b;
        case FractionColumn::Species:
            return species[a].name < species[b].name;
        case FractionColumn::Formula:
            return species[a].formula < species[b].formula;
        case FractionColumn::Fraction:
            break;
        }
        return sortValue(species[a].fraction) < sortValue(species[b].fraction);
    };
    std::stable_sort(rows_.begin(), rows_.end(), [&](std::size_t a, std::size_t b) {
        return descending_ ? less(b, a) : less(a, b);
    });
}

std::string FractionList::cellText(std::size_t row, FractionColumn column) const {
    const std::size_t i = rows_.at(row);
    const RunSettingsSpecies& s = settings_.species[i];
    switch (column) {
    case FractionColumn::No:
        return std::to_string(i + 1);
    case FractionColumn::Species:
        return s.name;
    case FractionColumn::Formula:
        return s.formula;
    case FractionColumn::Fraction:
        break;
    }
    return s.fraction;
}

void FractionList::setFraction(std::size_t row, const std::string& text) {
    settings_.species[rows_.at(row)].fraction = trimBlanks(text);
}

FractionList::Sum FractionList::sum() const {
    Sum sum;
    for (const RunSettingsSpecies& s : settings_.species) {
        if (trimBlanks(s.fraction).empty())
            continue;
        if (const auto v = parseNumber(s.fraction))
            sum.value += *v;
        else
            sum.allNumeric = false;
    }
    return sum;
}

std::string FractionList::sumText() const {
    const Sum s = sum();
    std::string value = formatNumber(s.value, "0.######");
    if (value.ends_with('.'))
        value.pop_back();
    return "Sum of fractions: " + value + (s.allNumeric ? "" : " (some fractions are not numbers)");
}

std::optional<std::string> FractionList::normalise() {
    const Sum s = sum();
    const bool negative =
        std::any_of(settings_.species.begin(), settings_.species.end(), [](const auto& species) {
            return parseNumber(species.fraction).value_or(0) < 0;
        });
    if (!s.allNumeric || negative)
        return std::string("Initial mole fractions, please enter positive numbers.");
    if (!(s.value > 0))
        return std::string(
            "The solver cannot start because initial mole fractions have not been specified.");
    for (RunSettingsSpecies& species : settings_.species) {
        const auto v = parseNumber(species.fraction);
        if (v && *v > 0)
            species.fraction = moleFractionText(*v / s.value);
    }
    refresh();
    return std::nullopt;
}

} // namespace kinetra::solver
