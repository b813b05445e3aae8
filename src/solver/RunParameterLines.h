// The run settings' rewrite of a solver input file: the parameter lines 14 to 28 and the
// mole-fraction field of each species' first THERMO line, in the formats the solver program
// and the post-processor read back.
#pragma once

#include <string>
#include <vector>

namespace kinetra::solver {

struct RunParameterValues {
    double pressure = 1; // atm
    bool energyEquation = true;
    bool constantVolume = false;
    double initialTemperature = 1000, minimumTemperature = 200, maximumTemperature = 6000;
    double initialTime = 0, finalTime = 1, initialStep = 1e-10;
    double relativeTolerance = 1e-6, absoluteTolerance = 1e-15;
    long maximumSteps = 1000, maximumOutputLines = 1000, deltaN = 1;

    // 0 constant T, 1 temperature equation, plus 2 for constant volume.
    int mode() const { return (energyEquation ? 1 : 0) + (constantVolume ? 2 : 0); }
};

// Rewrites lines 14..28 of the file's lines (numbered from 1).
void rewriteRunParameters(std::vector<std::string>& lines, const RunParameterValues& values);

// Replaces the last field of species i's first THERMO line with fractions[i], left-aligned in
// ten characters after its blank. A field already longer than ten characters is replaced whole.
void rewriteMoleFractions(std::vector<std::string>& lines, const std::vector<double>& fractions);
// The same for one species' first THERMO line; false (line unchanged) when it is shorter than
// the field, where the rewrite of the file stops.
bool rewriteMoleFractionField(std::string& line, double fraction);

// A mole fraction as the THERMO block writes it: "0" for zero, else "0.000E+00" when that gives
// the value back exactly, else the shortest exact digits in the same style ("1.23456E-01"): the
// fraction typed is the fraction the solver starts from.
std::string moleFractionText(double fraction);

} // namespace kinetra::solver
