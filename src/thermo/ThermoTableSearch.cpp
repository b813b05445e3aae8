// The thermo window's find and filter commands and its tables of thermo functions: thin
// wrappers that apply the search and tabulation routines to the rows the window shows.
#include "thermo/Composition.h"
#include "thermo/SpeciesRow.h"
#include "thermo/ThermoTable.h"

namespace kinetra::thermo {

bool ThermoTable::find(std::string_view pattern, FindDirection direction, FilterField field) {
    const std::size_t position = field == FilterField::Species ? trm::kSpecies : trm::kReference;
    std::vector<std::string> values;
    values.reserve(grid_.size());
    for (const auto& row : grid_.rows().rows)
        values.push_back(store::toText(row[position]));
    const std::optional<std::size_t> found =
        findNextAndReport(ui_.dialogs, values, grid_.current().value_or(0), pattern, direction);
    if (found)
        moveCursorTo(*found);
    return found.has_value();
}

bool ThermoTable::filter(FilterField field, std::string_view pattern) {
    store::Connection db = database_.connection();
    if (filterByPattern(db, field, pattern) == 0) {
        showNotFound(ui_.dialogs, database_.path());
        return false;
    }
    setView(SpeciesView::Filtered);
    return true;
}

bool ThermoTable::filterByElements(const std::array<bool, kSlotCount>& checked) {
    store::Connection db = database_.connection();
    if (thermo::filterByElements(db, checked) == 0) {
        showNotFound(ui_.dialogs, database_.path());
        return false;
    }
    setView(SpeciesView::Filtered);
    return true;
}

std::optional<ChartHandOver> ThermoTable::chartOfRow(std::size_t row, ThermoChartSettings& settings,
                                                     const GasConstants& gas, bool addToExisting) {
    if (row >= grid_.size())
        return std::nullopt;
    return prepareChart(speciesFromRow(grid_.rows().rows[row]), settings, gas, addToExisting,
                        ui_.dialogs);
}

bool ThermoTable::numericDataOfCurrentSpecies(ThermoChartSettings& settings,
                                              const GasConstants& gas) {
    if (!grid_.current() || *grid_.current() >= grid_.size())
        return false;
    const SpeciesRecord species = speciesFromRow(grid_.rows().rows[*grid_.current()]);
    const NumericDataHeader header{ui_.clock.now(), database_.path().string(),
                                   molecularFormula(species, database_.elements()),
                                   molecularWeight(species, database_.elements())};
    if (!writeNumericData(species, settings, gas, header, supportDir_, ui_.dialogs))
        return false;
    if (openTextFile_)
        openTextFile_(supportDir_ / kNumericDataFileName, numericDataCaption(species.name));
    return true;
}

} // namespace kinetra::thermo
