// A connected thermo database in a temporary folder, with scripted dialogs: the starting point of
// the tests that edit species tables. Also the species data the thermo tests share.
#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "thermo/NasaTextReader.h"
#include "thermo/SpeciesTable.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoPaste.h"

#include <string>
#include <vector>

namespace kinetra::thermo::testing {

inline std::string sharedDataFile(const std::string& relative) {
    return kinetra::testing::readFile(std::filesystem::path(KINETRA_SHARED_DATA_DIR) / relative);
}

// The ten slots of a new thermo database: H O C N AR HE S CL F BR.
inline ElementTable templateElements() {
    ElementTable table;
    for (const store::ElementSlot& slot : store::templateElementSlots()) {
        table.symbols[slot.num] = slot.symbol;
        table.weights[slot.num] = slot.atomicWeight;
    }
    return table;
}

// A species without elements: a name, the temperatures and the coefficients A1..A15.
inline SpeciesRecord speciesRecord(std::string name, std::optional<double> tmin,
                                   std::optional<double> tmax, std::optional<double> tcom,
                                   std::array<double, 15> coefficients = {}) {
    SpeciesRecord s;
    s.name = std::move(name);
    s.tmin = tmin;
    s.tmax = tmax;
    s.tcom = tcom;
    s.coefficients = coefficients;
    return s;
}

// The species of GRI-Mech 3.0's thermo file, read into the template's slots.
inline const std::vector<SpeciesRecord>& griSpecies() {
    static const std::vector<SpeciesRecord> species = [] {
        ReadOptions options;
        const std::string text =
            unframeThermoFile(sharedDataFile("gri30/gri30_thermo.dat"), options);
        std::vector<SpeciesRecord> out;
        for (const SpeciesBlock& block : collectSpeciesBlocks(text).blocks)
            out.push_back(readSpeciesBlock(block, templateElements(), options).record);
        return out;
    }();
    return species;
}

struct ThermoFixture {
    kinetra::testing::TempDir dir;
    kinetra::testing::FakeUi fake;
    ThermoDatabase database{{dir / "EmptyThermo.mdb", dir / "THERMOPath.txt"}};

    ThermoFixture() {
        store::createThermoTemplate(dir / "EmptyThermo.mdb");
        store::createThermoTemplate(dir / "gas.mdb");
        database.connect(dir / "gas.mdb");
    }

    PasteResult paste(const std::string& text, std::int64_t afterNum = 0,
                      ReadOptions options = {}) {
        store::Connection db = database.connection();
        PasteRequest request;
        request.text = text;
        request.afterNum = afterNum;
        request.options = options;
        request.errorFile = dir / "ErrorMsg.txt";
        return pasteSpeciesText(db, database.elements(), request, fake.ui);
    }

    store::RowSet rows(const std::string& statement = "SELECT * FROM [Trm] ORDER BY Num;") {
        return database.connection().query(statement);
    }
    std::vector<std::vector<store::Value>> fileRows() {
        store::Connection db = database.connection();
        return readAllRows(db, "Trm");
    }
    std::vector<std::string>
    names(const std::string& statement = "SELECT * FROM [Trm] ORDER BY Num;") {
        std::vector<std::string> out;
        for (const auto& row : rows(statement).rows)
            out.push_back(store::toText(row.field("Species")));
        return out;
    }
};

// H2, O2, H2O and N2 of GRI-Mech 3.0, all in the template's slots: four blocks of 81-character
// lines.
inline const std::string kFourSpecies = [] {
    const std::string gri = sharedDataFile("gri30/gri30_thermo.dat");
    std::string text;
    for (const std::string name : {"H2 ", "O2 ", "H2O ", "N2 "})
        text += gri.substr(gri.find("\n" + name) + 1, 81 * 4);
    return text;
}();

} // namespace kinetra::thermo::testing
