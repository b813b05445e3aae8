#include "thermo/SpeciesRecord.h"

namespace kinetra::thermo {

std::optional<int> ElementTable::slotOf(const std::string& symbol) const {
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (!symbol.empty() && symbols[slot] == symbol && (slot == 0 || inUse(slot)))
            return slot;
    return std::nullopt;
}

} // namespace kinetra::thermo
