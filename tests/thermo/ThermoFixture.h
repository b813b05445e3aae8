// A connected thermo database in a temporary folder, with scripted dialogs: the starting point of
// the tests that edit species tables.
#pragma once

#include "store/Database.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "thermo/ThermoDatabase.h"
#include "thermo/ThermoPaste.h"

#include <fstream>
#include <sstream>
#include <string>

namespace kinetra::thermo::testing {

inline std::string sharedDataFile(const std::string& relative) {
    std::ifstream in(std::string(KINETRA_SHARED_DATA_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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
        store::Connection db = database.open();
        PasteRequest request{text, afterNum, options, dir / "ErrorMsg.txt", {}};
        return pasteSpeciesText(db, database.elements(), request, fake.ui);
    }

    store::RowSet rows(const std::string& statement = "SELECT * FROM [Trm] ORDER BY Num;") {
        return database.open().query(statement);
    }
};

// Four species in the template's element slots, taken from GRI-Mech 3.0.
inline const char* const kFourSpecies =
    "H2                TPIS78H   2               G   200.000  3500.000  1000.000    1\n"
    " 3.33727920E+00-4.94024731E-05 4.99456778E-07-1.79566394E-10 2.00255376E-14    2\n"
    "-9.50158922E+02-3.20502331E+00 2.34433112E+00 7.98052075E-03-1.94781510E-05    3\n"
    " 2.01572094E-08-7.37611761E-12-9.17935173E+02 6.83010238E-01                   4\n"
    "O2                TPIS89O   2               G   200.000  3500.000  1000.000    1\n"
    " 3.28253784E+00 1.48308754E-03-7.57966669E-07 2.09470555E-10-2.16717794E-14    2\n"
    "-1.08845772E+03 5.45323129E+00 3.78245636E+00-2.99673416E-03 9.84730201E-06    3\n"
    "-9.68129509E-09 3.24372837E-12-1.06394356E+03 3.65767573E+00                   4\n"
    "H2O               L 8/89H   2O   1          G   200.000  3500.000  1000.000    1\n"
    " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\n"
    "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\n"
    "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01                   4\n"
    "N2                121286N   2               G   300.000  5000.000  1000.000    1\n"
    " 0.02926640E+02 0.14879768E-02-0.05684760E-05 0.10097038E-09-0.06753351E-13    2\n"
    "-0.09227977E+04 0.05980528E+02 0.03298677E+02 0.14082404E-02-0.03963222E-04    3\n"
    " 0.05641515E-06-0.02444854E-10-0.10208999E+04 0.03950372E+02                   4\n";

} // namespace kinetra::thermo::testing
