// The initial mole fractions of the run settings as the window's grid shows them: a view of the
// species filtered by name and sorted by a column, the sum of the fractions typed and the
// Normalise command that scales them to a sum of one. The fractions themselves stay in the
// RunSettings; the list holds only how they are looked at.
#pragma once

#include "solver/RunSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::solver {

enum class FractionColumn { No, Species, Formula, Fraction };
inline constexpr int kFractionColumnCount = 4;
// "No", "Species", "MolFormula", "Fraction".
const char* fractionColumnCaption(FractionColumn column);

class FractionList {
public:
    explicit FractionList(RunSettings& settings);

    // The species of the settings in the order shown: those whose name contains the filter
    // text (letter case ignored, wildcards of the program's matcher allowed), sorted.
    const std::vector<std::size_t>& rows() const { return rows_; }
    void setFilter(const std::string& text);
    const std::string& filter() const { return filter_; }
    // Sorts by a column; fractions by value, empty ones as zero, text that is no number last.
    void sortBy(FractionColumn column, bool descending);
    // Call after the species or their fractions changed elsewhere (Enter, Clear Fractions).
    void refresh();

    std::string cellText(std::size_t row, FractionColumn column) const;
    // The fraction of the species shown in that row, as typed.
    void setFraction(std::size_t row, const std::string& text);

    // The sum of the fractions that are numbers (over all species, whatever the filter shows)
    // and whether some fraction is not a number.
    struct Sum {
        double value = 0;
        bool allNumeric = true;
    };
    Sum sum() const;
    // "Sum of fractions: 10.52" (or "... (some are not numbers)").
    std::string sumText() const;
    // Divides every positive fraction by the sum. Nothing when the sum is not positive or a
    // fraction is negative or not a number: then the message says why.
    std::optional<std::string> normalise();

private:
    RunSettings& settings_;
    std::string filter_;
    std::optional<FractionColumn> sortColumn_;
    bool descending_ = false;
    std::vector<std::size_t> rows_;
};

} // namespace kinetra::solver
