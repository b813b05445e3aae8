// OPTIONS.txt: three colours, the start-up flag of the thermo window and the five physical
// constants, as 17 quoted items in a fixed order. Reserved items are kept so that a file written
// by this program carries back what it read.
#pragma once

#include "shell/Colour.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kinetra {

struct OptionsFile {
    std::int64_t reserved1 = 0;               // item 1
    std::int64_t reserved2 = 0;               // item 2
    Colour highlight = 0x0000FF;              // item 3: font colour of invalid records
    Colour selection = 0xFF0000;              // item 4: subset selection colour of charts
    std::int64_t openThermoAtStart = 1;       // item 5
    std::string reserved6;                    // item 6
    std::array<std::string, 4> reserved7to10; // items 7..10
    std::int64_t reserved11 = 0;              // item 11
    std::array<double, 5> constants{};        // items 12..16, see PhysicalConstant
    Colour background = kDefaultBackground;   // item 17
};

// The five constants in file order.
enum PhysicalConstant : int {
    kGasConstantJ = 0,   // J/(K mol)
    kGasConstantCal = 1, // cal/(K mol)
    kAvogadro = 2,       // 1/mol
    kBoltzmann = 3,      // J/K
    kAtmosphere = 4,     // kPa/atm
};

struct OptionsReadResult {
    OptionsFile values; // items read before a failure keep their file values
    bool ok = false;
    int itemsRead = 0;
};

OptionsReadResult readOptionsText(std::string_view text);

// The file text with CR LF line ends, items in order.
std::string writeOptionsText(const OptionsFile& options);

} // namespace kinetra
