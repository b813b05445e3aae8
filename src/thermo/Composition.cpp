#include "thermo/Composition.h"

#include "common/NumberFormat.h"

namespace kinetra::thermo {

double molecularWeight(const SpeciesRecord& species, const ElementTable& elements) {
    double weight = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto& count = species.composition[slot];
        if (count)
            weight += *count * (slot == 0 ? kElectronWeight : elements.weights[slot]);
    }
    return weight;
}

std::string molecularFormula(const SpeciesRecord& species, const ElementTable& elements) {
    static const std::string electron = "E";
    std::string formula;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto& count = species.composition[slot];
        // A count in a slot the table does not define cannot be named; writing the bare number
        // would glue it onto the previous element's count.
        const std::string& symbol = slot == 0 ? electron : elements.symbols[slot];
        if (!count || *count == 0 || symbol.empty())
            continue;
        formula += symbol;
        formula += formatNumber(*count, "");
    }
    return formula;
}

int elementCount(const SpeciesRecord& species) {
    int n = 0;
    for (int slot = 1; slot < kSlotCount; ++slot)
        if (species.composition[slot] && *species.composition[slot] > 0)
            ++n;
    return n;
}

} // namespace kinetra::thermo
