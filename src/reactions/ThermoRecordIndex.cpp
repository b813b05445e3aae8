#include "reactions/ThermoRecordIndex.h"

#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

namespace kinetra::reactions {

ThermoRecordIndex ThermoRecordIndex::load(store::Connection& thermo) {
    ThermoRecordIndex index;
    for (thermo::SpeciesRecord& record :
         thermo::speciesFromRows(thermo::speciesRows(thermo, thermo::SpeciesView::All)))
        index.add(std::move(record));
    return index;
}

const thermo::SpeciesRecord* ThermoRecordIndex::find(const std::string& name) const {
    const auto it = records_.find(name);
    return it == records_.end() ? nullptr : &it->second;
}

void ThermoRecordIndex::add(thermo::SpeciesRecord record) {
    const std::string name = record.name;
    records_.emplace(name, std::move(record)); // keeps the first of a name
}

} // namespace kinetra::reactions
