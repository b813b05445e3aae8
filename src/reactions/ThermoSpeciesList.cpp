#include "reactions/ThermoSpeciesList.h"

#include "thermo/SpeciesRow.h"

namespace kinetra::reactions {

using namespace kinetra::thermo;

ThermoSpeciesList ThermoSpeciesList::load(store::Connection& thermo) {
    ThermoSpeciesList list;
    store::Transaction transaction(thermo);
    const store::RowSet rows = thermo.queryKeyed("SELECT * FROM [Trm] WHERE Info >= 0;");
    std::vector<std::vector<store::Value>> polFlags;
    polFlags.reserve(rows.rows.size());
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const store::Row& row = rows.rows[i];
        std::string name = store::toText(row[trm::kSpecies]);
        if (name.empty())
            name = " ";
        ThermoSpeciesInfo info;
        info.charge = store::toDouble(row[trm::kCh]).value_or(0);
        for (std::size_t k = 0; k < 10; ++k)
            info.counts[k] = store::toDouble(row[trm::kN1 + k]).value_or(0);
        info.formula = store::toText(row[trm::kMolFormula]);
        double sum = 0;
        for (std::size_t k = 0; k < 14; ++k)
            sum += store::toDouble(row[trm::kA1 + k]).value_or(0);
        info.noPolynomial = sum == 0;
        polFlags.push_back(
            {store::Value(std::int64_t{info.noPolynomial ? -1 : 0}), store::Value(rows.keys[i])});
        // The first of several rows with one name wins, as a look-up from the top would find.
        list.species_.emplace(std::move(name), std::move(info));
    }
    thermo.executeEach("UPDATE [Trm] SET Pol = ? WHERE rowid = ?", polFlags);
    transaction.commit();
    const store::RowSet elements = thermo.query("SELECT * FROM [Elements] ORDER BY Num;");
    for (std::size_t i = 0; i < elements.rows.size() && i < 10; ++i)
        list.symbols_[i + 1] = store::toText(elements.rows[i].field("Element"));
    return list;
}

const ThermoSpeciesInfo* ThermoSpeciesList::find(const std::string& name) const {
    auto it = species_.find(name);
    return it == species_.end() ? nullptr : &it->second;
}

std::string noValidSpeciesMessage(bool askToClose) {
    std::string text = std::string("The reaction database cannot be processed because ") +
                       "the THERMO table is empty or all species are invalid. " +
                       " Enter valid species to continue. " + "\r\n";
    if (askToClose)
        text += "\r\nClose the reaction database?";
    return text;
}

} // namespace kinetra::reactions
