// Quantities derived from a species' elemental composition. The electron (slot 0) takes part in
// weight and formula, so an ion differs from its neutral parent, but it is never counted as an
// element: the record format limits the number of real elements, not the charge.
#pragma once

#include "thermo/SpeciesRecord.h"

#include <string>

namespace kinetra::thermo {

// g/mol. Slot 0 always weighs as the electron, whatever the table holds there.
double molecularWeight(const SpeciesRecord& species, const ElementTable& elements);

// Symbol and count per slot, in slot order ("H4C1" for methane with the template slots); a
// positive ion starts with "E-1". Zero counts and slots without a symbol are left out.
std::string molecularFormula(const SpeciesRecord& species, const ElementTable& elements);

// Elements with a positive count in slots 1..10.
int elementCount(const SpeciesRecord& species);

} // namespace kinetra::thermo
