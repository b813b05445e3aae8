// The mean parameters of each result record: mole fractions, mean molecular weight, total
// concentration, pressure, density, and the mixture's enthalpy and heat capacity.
#pragma once

#include "results/SolverOutput.h"

#include <vector>

namespace kinetra::results {

enum class ConcentrationUnit { MolPerCm3, PerCm3 };
enum class EnergyUnit { Joule, Calorie }; // kJ/mol and J/(K mol), or kcal/mol and cal/(K mol)

struct UnitConstants {
    // From the options file: the program has no values of its own for the constants.
    double gasConstantJ = 0;   // J/(K mol)
    double gasConstantCal = 0; // cal/(K mol)
    double avogadro = 0;       // 1/mol
};

struct MeanParameters {
    double time = 0, temperature = 0;
    double pressure = 0;        // atm
    double density = 0;         // g/cm^3
    double molecularWeight = 0; // g/mol
    double concentration = 0;   // mol/cm^3 or 1/cm^3
    double enthalpy = 0;        // kJ/mol or kcal/mol
    double heatCapacity = 0;    // J/(K mol) or cal/(K mol)
    std::vector<double> moleFractions;
    bool valid = true; // false when the mass fractions sum to nothing (S = 0)
};

// Pressure and density follow from the header: at constant pressure P stays the initial
// pressure and rho = P M / (R' T); at constant volume rho stays the initial density (the
// initial pressure, temperature and molecular weight of the first record) and P = rho R' T / M.
std::vector<MeanParameters> meanParameters(const SolverOutput& output, ConcentrationUnit c,
                                           EnergyUnit e, const UnitConstants& constants);

// The mole fractions of one record from its mass fractions, x_i = (y_i / MW_i) / S with
// S = sum of y_j / MW_j: the same as meanParameters gives, without the mixture's functions.
// All zero when S is zero.
std::vector<double> recordMoleFractions(const SolverOutput& output,
                                        const std::vector<double>& record);
// The same for one species (its index in output.species), without the others'.
double recordMoleFraction(const SolverOutput& output, const std::vector<double>& record,
                          std::size_t species);

// The species values of a record as mole fractions, or as concentrations in the unit chosen.
// (x_i C: mol/cm^3 or 1/cm^3 as the means were computed).
double speciesValue(const MeanParameters& mean, std::size_t species, bool concentrations);

} // namespace kinetra::results
