// A species as the thermo subsystem works with it: one row of the species table in typed form.
// The store keeps the row; readers, writers, checks and functions work on this value.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace kinetra::thermo {

// Slot 0 is the electron, slots 1..10 the element slots of the database.
inline constexpr int kSlotCount = 11;
inline constexpr double kElectronWeight = 0.00054858;

// The element slots of the connected database: symbol and atomic weight by slot. A free slot
// has an empty symbol and weight 0. Slot 0 is always "E" with the electron's weight.
struct ElementTable {
    std::array<std::string, kSlotCount> symbols{"E"};
    std::array<double, kSlotCount> weights{kElectronWeight};

    bool inUse(int slot) const { return !symbols[slot].empty() && weights[slot] > 0; }
    // The slot holding exactly this symbol (letter case respected), or nothing.
    std::optional<int> slotOf(const std::string& symbol) const;
};

struct SpeciesRecord {
    std::string name;
    // Counts by slot; nothing where the element is absent. Slot 0 is the electron count: a
    // species with a value there is an ion (-1 for a singly charged positive ion).
    std::array<std::optional<double>, kSlotCount> composition{};
    std::string phase = "G";
    std::optional<double> tmin, tmax, tcom; // K
    std::array<double, 15> coefficients{};  // A1..A15: A1..A7 upper, A8..A14 lower interval
    std::string reference;
    std::string comment;

    bool isIon() const { return composition[0].has_value(); }
};

} // namespace kinetra::thermo
